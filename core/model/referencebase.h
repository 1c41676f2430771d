#pragma once
// The base of everything that uses a shape record by key: the bar's own
// copies of the record's dimension variables, the key, the record in use,
// the mirror state and where the bar was last drawn. It moves values between
// the bar and a record, evaluates formulas against the bar's variables and
// keeps the steps of multi-value bars (one row standing for a group of bars
// whose dimension runs from its value to its second value).

#include "core/geometry/text.h"
#include "core/model/barlimits.h"
#include "core/model/steelrecordid.h"
#include "platform/gdi.h"
#include "platform/rect.h"

#include <QPoint>
#include <QString>

#include <memory>
#include <vector>

namespace platform { class Dc; }
class CVes_ModelRecord;

using VariableArray = std::vector<std::unique_ptr<CVes_Variable>>;

class CVes_ReferenceBase {
public:
    // Mirror flags.
    static constexpr unsigned int kMirrorLeftRight = 1;
    static constexpr unsigned int kMirrorTopBottom = 2;
    // A variable's status while the user edits it.
    static constexpr unsigned int kEditing = 2;
    // What getVarValue answers for a name no variable has.
    static constexpr double kNoValue = -1.111;
    // The most groups one graded row stands for (barlimits::kGroups): what
    // the user types and what files hold is refused beyond it, and a larger
    // count set by the program is taken as this, so that no sheet walks
    // endlessly over the bars of one row.
    static constexpr int kMaxGroupBars = int(barlimits::kGroups.max);

    CVes_ReferenceBase();
    CVes_ReferenceBase(const CVes_ReferenceBase&) = delete;
    CVes_ReferenceBase& operator=(const CVes_ReferenceBase&) = delete;
    virtual ~CVes_ReferenceBase();

    // Operations taking a record use the record in use for null, and do
    // nothing when that is null too.
    virtual void setRecoedDN(CVes_ModelRecord* record);
    virtual CVes_ModelRecord* getRecord();
    virtual void setRecordId(CSteelRecordId key);
    // Replaces the variables by copies whose steps follow the step rule.
    virtual void setVarArray(const VariableArray* vars);
    // The record takes the bar's values.
    virtual void synchronizeRecordVar(CVes_ModelRecord* record = nullptr);
    // The bar's variables become copies of the record's.
    virtual void getVarArrayFromRecord(CVes_ModelRecord* record = nullptr);
    // Kinds, alignments and computed formulas come from the record's
    // variables of the same names; the values stay.
    virtual void refreshVarArrayFromRecord(CVes_ModelRecord* record = nullptr);
    virtual void getRecordExtend(int& width, int& height);
    virtual void Draw(platform::Dc* dc, platform::COLORREF colour1, platform::COLORREF colour2,
                      platform::COLORREF colour3, int x, int y, int unused,
                      const platform::Rect* rect, int showName, double ratio);
    virtual void MirrorVer();
    virtual void MirrorHor();
    virtual void Mirror(unsigned int flags);
    virtual void MirrorHook(int which);
    virtual void setVarValue(const QString& name, const QString& text);
    virtual void setVarValue(const QString& name, double value);
    virtual void setVarValueE(const QString& name, const QString& text);
    virtual void setVarValueE(const QString& name, double value);
    virtual double getVarValue(const QString& name) const;
    virtual double getVarValueE(const QString& name) const;
    virtual QString getVarString(const QString& name) const;
    virtual void calvarValueD(const QString& name);
    virtual CVes_Variable* getSelectVar(QPoint point);
    virtual CVes_Variable* getVarByIndex(int& pos);
    virtual CVes_Variable* getUsingVar();
    virtual CVes_Variable* findVar(const QString& text);
    virtual double getScale();

    CSteelRecordId getRecordId() const { return m_id; }
    CVes_Variable* getVar(const QString& name) const;
    const VariableArray& getVarArray() const { return m_arrVar; }

    void setVarBig();
    void setVarSmall();
    void setVarHigh(int height);
    void setMultiGroup(int count);
    int getMultiGroup() const { return m_groupNum; }
    void setMultiVal(int flag);
    void clearVarStatus();
    int isOneSide();
    // Whether the given-value variables (kinds above 1) equal the other's at
    // the same index (forwards) or at the mirrored index.
    int isSameVar(const CVes_ReferenceBase* other, int forwards) const;

    double calVarValue(const QString& text, int mode) const;
    // 1 when the formula can be used with the bar's variables; else 0 and
    // the reason in `message`.
    int checkFormulaString(const QString& text, QString* message = nullptr) const;

    unsigned int getMirror() const { return m_mirror; }
    void setMapRatio(double ratio) { m_mapRatio = ratio; }
    double getMapRatio() const { return m_mapRatio; }
    // Where the last drawing put the shape: the area it filled and the
    // origin of its world units, in the logical units it was drawn in.
    const platform::Rect& drawnRect() const { return m_drawRect; }
    QPoint drawnOrigin() const { return QPoint(m_drawX, m_drawY); }

protected:
    // Takes where the record, drawn for this bar, put the shape.
    void keepDrawnPlace(const CVes_ModelRecord& drawn);
    // The record in use, fetched when there is none yet.
    CVes_ModelRecord* fetchRecord();
    CVes_ModelRecord* recordOr(CVes_ModelRecord* record) const { return record ? record : m_pRecord; }
    // The step of `v` by the multi-value flag and the group count.
    double stepOf(const CVes_Variable& v) const;
    void applyStep(CVes_Variable& v) const { v.m_step = stepOf(v); }
    void copyVariables(const VariableArray& from);
    void appendVariable(const QString& name);

    VariableArray m_arrVar;
    CVes_ModelRecord* m_pRecord = nullptr;              // the record in use, borrowed
    std::unique_ptr<CVes_ModelRecord> m_pPrivateRecord; // this bar's own copy, if any
    int m_groupNum = 0;
    int m_multiVal = 0;
    unsigned int m_mirror = 0;
    CSteelRecordId m_id;
    double m_mapRatio = 1.0;
    platform::Rect m_drawRect;
    int m_drawX = 0;
    int m_drawY = 0;
};
