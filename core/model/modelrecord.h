#pragma once
// A shape of the library: the parametric drawing plus what a bar of this
// shape needs beyond it (its key, hooks, intermediate connections and the
// flags that steer dimensioning and the length rules). Bars push their own
// values into a record right before drawing or measuring it.

#include "core/model/hook.h"
#include "core/model/midconnect.h"
#include "core/model/shapemodel.h"
#include "core/model/steelrecordid.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CVes_Connect;

class CVes_ModelRecord : public CVes_ShapeModel {
public:
    // A record with the five standard variables d, lae, lle, la and bhc.
    CVes_ModelRecord();
    // A copy of `other` (its diameter member excepted, as `set` leaves it).
    explicit CVes_ModelRecord(const CVes_ModelRecord* other);
    CVes_ModelRecord(const CVes_ModelRecord& other);
    CVes_ModelRecord& operator=(const CVes_ModelRecord& other);
    ~CVes_ModelRecord() override;

    CSteelRecordId getID() const { return m_id; }
    int haveHookLeft() const { return m_hookLeft.enabled; }
    int haveHookRight() const { return m_hookRight.enabled; }
    void setDN(float dn) { m_dn = dn; }

    // Copies everything but the diameter member; the borrowed connections
    // become null.
    void set(const CVes_ModelRecord* other);

    void clearMidConnectArray() { m_arrMidConnect.clear(); }
    void AddMidConnect(const CVes_MidConnect& midConnect);
    // Appends manual joints up to `n`, or drops the first ones down to `n`.
    void setMidConnectSize(int n);

    // Each variable of the record takes unit, values, step, formula, text
    // height and status from the first variable of the same name in `vars`.
    void SetVarValue(const std::vector<CVes_Variable*>& vars);
    void SetVarValue(const std::vector<std::unique_ptr<CVes_Variable>>& vars);
    void setDiaVal(double d);

    // Evaluates the computed variables and the joint counts, then (for
    // calculateSideLen) every side's angle and length, in the formula mode.
    void calculateVarValue();
    void calculateSideLen(int mode);

    void setSteelLineStyle(unsigned int style);

    // Whether `other` describes the same bar geometry, forwards or reversed
    // (a mirrored bar matches).
    int CompareReal(const CVes_ModelRecord* other) const;
    int CompareRealReverse(const CVes_ModelRecord* other) const;
    // The whole record: drawing, hooks, flags and connections.
    bool isSameRecord(const CVes_ModelRecord* other) const;

    void Draw(platform::Dc* dc, platform::COLORREF auxColour, platform::COLORREF sideColour,
              platform::COLORREF textColour, int x, int y, int unused, const platform::Rect* rect,
              int showName, int showValue, double ratio) override;
    void DrawEx(platform::Dc* dc, platform::COLORREF auxColour, platform::COLORREF sideColour,
                platform::COLORREF textColour, platform::COLORREF variableColour, int x, int y,
                unsigned int mirrorFlags, const platform::Rect* rect, int showName, int showValue,
                double ratio);

    void Serialize(platform::Archive& ar) override;

    // Single-shape files: 1 on success, 0 on failure. Reading a missing or
    // empty file fails and leaves the record unchanged.
    int saveFile(const QString& path);
    int readFile(const QString& path);

    CVes_Connect* m_pConnectLeft = nullptr;  // borrowed from the drawing bar
    CVes_Connect* m_pConnectRight = nullptr;
    CVes_Hook m_hookLeft;
    CVes_Hook m_hookRight;
    CVes_MidConnect m_defaultMidConnect;
    std::vector<std::unique_ptr<CVes_MidConnect>> m_arrMidConnect;
    int m_barGroup = 0;
    int m_outDim = 1;
    CSteelRecordId m_id;
    int m_stirrup = 0;
    float m_dn = 10.0f;
    // Where the last DrawEx drew: the area the shape filled (within the one
    // it was given, smaller where its texts needed room; empty when it was
    // given none) and the origin of its world units.
    platform::Rect m_drawnRect;
    QPoint m_drawnAt;

private:
    // The hooks and the five standard variables of a new record.
    void setDefaults();
    void appendMissingStandardVariables();
    void drawConnectLabels(platform::Dc* dc, int x, int y, unsigned int mirrorFlags,
                           const platform::Rect* rect, double scale);
    // The lines and legs of the shape drawn at `scale` from (x, y), for
    // laying its texts out.
    ShapeTextFrame::Outline textOutline(double scale, int x, int y, unsigned int mirrorFlags) const;
    // Rehearses `drawTexts` (which draws at `scale` from (x, y), the
    // dimensions in `order`) with the shape at its full size in `rect`,
    // then smaller about the centre, each in the order given and then with
    // the dimensions that found no place first; keeps the first drawing at
    // which every text finds a clear place (else the one where fewest do
    // not): `scale`, `x`, `y` and `order` become that drawing's. Answers
    // whether the drawing kept was the one rehearsed last.
    bool fitTextsAround(const platform::Rect& rect, double& scale, int& x, int& y,
                        unsigned int mirrorFlags, std::vector<CVes_Variable*>& order,
                        const std::function<void()>& drawTexts);
};

// A start (sketch) style: a record drawn on a 400 × 300 area.
class CVes_ModelStart : public CVes_ModelRecord {
public:
    CVes_ModelStart();
    explicit CVes_ModelStart(const CVes_ModelRecord* other);
};
