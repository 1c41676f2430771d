#pragma once
// A bar's use of a shape: the shape's key with the bar's own variable
// values, plus what belongs to the bar rather than the shape (its end
// connections, hooks, intermediate connections, mirror state and a few
// flags). When the user keeps user shapes with the table, the bar also keeps
// a private copy of its user shape, so that the table opens where the user
// library lacks it. CVes_SteelStartReference is the lighter reference to a
// start (sketch) style.
//
// Shared records of the cache are never written by a bar: to draw or measure,
// a bar takes a working copy of its record and pushes its values into that.

#include "core/geometry/connect.h"
#include "core/model/hook.h"
#include "core/model/midconnect.h"
#include "core/model/referencebase.h"

#include <memory>
#include <vector>

namespace platform { class Archive; class Bitmap; }
class CVes_ModelRecordArrayEx;

// Whether a record is the stand-in the cache gives for a key that no library
// holds.
bool isPlaceholderRecord(const CVes_ModelRecord& record);

class CVes_ModelReference : public CVes_ReferenceBase {
public:
    // Types.
    static constexpr unsigned int kShapeType = 0; // a shape of the bar-shape libraries
    static constexpr unsigned int kStartType = 1; // a start style

    // The caches of used records (shared by every reference).
    static CVes_ModelRecordArrayEx& m_arrUseModel;
    static CVes_ModelRecordArrayEx& m_arrUseStart;

    CVes_ModelReference();
    explicit CVes_ModelReference(unsigned int type);
    CVes_ModelReference(const CVes_ModelReference& other);
    CVes_ModelReference& operator=(const CVes_ModelReference& other);
    ~CVes_ModelReference() override;

    // Schema 8; reads 1 to 8, and throws platform::SchemaError otherwise.
    virtual void Serialize(platform::Archive& ar);

    CVes_ModelRecord* getRecord() override;
    CVes_ModelRecord* getRecordFromLib();
    void setRecordId(CSteelRecordId key) override;
    // Copies of the given variables, steps included.
    void setVarArray(const VariableArray* vars) override;
    void setVarArray(const VariableArray& vars) { setVarArray(&vars); }
    void Draw(platform::Dc* dc, platform::COLORREF colour1, platform::COLORREF colour2,
              platform::COLORREF colour3, int x, int y, int unused, const platform::Rect* rect,
              int showName, double ratio) override;
    // Draws the bar's shape into a new bitmap of width × height pixels (for
    // the spreadsheet exports); nothing without a record.
    void ToBitmap(platform::Bitmap& bitmap, int width, int height, platform::Dc* dc);
    // 1 turns the left hook, 2 the right one, 0 both.
    void MirrorHook(int which) override;
    void calvarValueD(const QString& name) override;
    virtual void set(const CVes_ModelReference* other);

    void setLConnect(const CVes_Connect* connect) { if (connect) m_connectLeft = *connect; }
    void setRConnect(const CVes_Connect* connect) { if (connect) m_connectRight = *connect; }
    CVes_Connect* getLConnect() { return &m_connectLeft; }
    CVes_Connect* getRConnect() { return &m_connectRight; }
    const CVes_Connect* getLConnect() const { return &m_connectLeft; }
    const CVes_Connect* getRConnect() const { return &m_connectRight; }
    void setHookLeft(const CVes_Hook& hook) { m_hookLeft = hook; }
    void setHookRight(const CVes_Hook& hook) { m_hookRight = hook; }
    const CVes_Hook& getHookLeft() const { return m_hookLeft; }
    const CVes_Hook& getHookRight() const { return m_hookRight; }
    int isHaveLeftHook() const { return m_hookLeft.enabled; }
    int isHaveRightHook() const { return m_hookRight.enabled; }
    void getHookFromRecord(CVes_ModelRecord* record = nullptr);
    void setRecordHook(CVes_ModelRecord* record = nullptr);

    CVes_MidConnect* getFirstMidConnect();
    CVes_MidConnect* getSecendMidConnect();
    const std::vector<std::unique_ptr<CVes_MidConnect>>& getMidConnectArray() const { return m_arrMidConnect; }
    CVes_MidConnect& getDefaultMidConnect() { return m_defaultMidConnect; }
    void calMidConnectNum();
    void setMidConnectDingChi(int length);
    // Every intermediate connection the bar has becomes a copy of the given
    // one; a bar without any stays without.
    void setMideConnect(const CVes_MidConnect& midConnect);
    void clearMidConnectArray() { m_arrMidConnect.clear(); }
    void resetMidConnectArray(CVes_ModelRecord* record = nullptr);

    void setProcess(int processed) { m_process = processed; }
    int isProcess() const { return m_process; }
    void setActualMeasure(int measured) { m_actualMeasure = measured; }
    int isActualMeasure() const { return m_actualMeasure; }
    void setOutDim(int outDim) { m_outDim = outDim; }
    int getOutDim() const { return m_outDim; }
    void setType(unsigned int type) { m_type = type; }
    unsigned int getType() const { return m_type; }
    int isGuJin() const { return m_stirrup == 1 ? 1 : 0; }
    int getStirrup() const { return m_stirrup; }
    // The calculation type: 1 measures the bar with the stirrup rules.
    void setStirrup(int stirrup) { m_stirrup = stirrup; }
    int isSteelGroup() const { return m_barGroup; }
    int isMultiVal() const { return m_multiVal; }
    bool hasPrivateRecord() const { return m_pPrivateRecord != nullptr; }

    void setVarZero();
    // Before drawing or measuring, `record` takes the bar's mirror flags, its
    // connections, out-dimension and multi-value flags, default intermediate
    // connection and hooks.
    void setRecordParameter(CVes_ModelRecord* record = nullptr);

    // A working copy of the record in use holding this bar's values, with its
    // variables evaluated: what the bar draws. Null without a record.
    std::unique_ptr<CVes_ModelRecord> makeWorkingRecord();
    // Whether the bar names a shape that no library holds (it then shows the
    // placeholder, and its lengths are not computed from it).
    bool isShapeMissing();

    // Drops every record of the cache of used shapes.
    static void deleteUseModelArray();

protected:
    // A copy of the bar's record, fetched afresh and taken while no other
    // thread can change the cached one; the record in use is updated too.
    std::unique_ptr<CVes_ModelRecord> copyRecordInUse();
    // The number of sides of the bar's record, fetched afresh; -1 without one.
    int sideCountInUse();

private:
    void copyMidConnects(const std::vector<std::unique_ptr<CVes_MidConnect>>& from);
    void takeRecordMidConnects(const CVes_ModelRecord& record);
    void keepPrivateCopyIfWanted();
    void loadFields(platform::Archive& ar, int schema);
    void afterLoad(int schema);

protected:
    CVes_Connect m_connectLeft;
    CVes_Connect m_connectRight;
    CVes_Hook m_hookLeft;
    CVes_Hook m_hookRight;
    int m_outDim = 1;
    std::vector<std::unique_ptr<CVes_MidConnect>> m_arrMidConnect;
    int m_barGroup = 0;
    int m_stirrup = 0;
    int m_process = 1;
    int m_actualMeasure = 0;
    unsigned int m_type = kShapeType;
    CVes_MidConnect m_defaultMidConnect;
};

class CVes_SteelStartReference : public CVes_ReferenceBase {
public:
    CVes_SteelStartReference();
    CVes_SteelStartReference(const CVes_SteelStartReference& other);
    CVes_SteelStartReference& operator=(const CVes_SteelStartReference& other);
    ~CVes_SteelStartReference() override;

    // Schema 1: key and variables.
    virtual void Serialize(platform::Archive& ar);
    CVes_ModelRecord* getRecord() override;
    void Draw(platform::Dc* dc, platform::COLORREF colour1, platform::COLORREF colour2,
              platform::COLORREF colour3, int x, int y, int unused, const platform::Rect* rect,
              int showName, double ratio) override;
    virtual void set(const CVes_SteelStartReference* other);
};
