#pragma once
// One row of the quantity sheet: a bar with the location where it is used,
// an element (构件编号) with its piece count, or an element type (构件类型)
// that groups the elements below it. Only the fields of the row's own kind
// mean anything, and only they are stored.

#include "tables/framework/tablebaseline.h"

#include "core/model/steel.h"

#include <QString>

namespace platform { class Archive; }

class CVes_SLTableLine : public CVes_TableBaseLine {
public:
    // Row kinds.
    static constexpr unsigned int kSteelRow = 0;
    static constexpr unsigned int kEleRow = 1;
    static constexpr unsigned int kEleTypeRow = 2;

    // The stored form; reading takes only this one.
    static constexpr int kSchema = 1;

    // Why a bar row is incomplete (isAvailable).
    static constexpr int kBadNumber = 0;
    static constexpr int kBadGradeOrSize = 1;
    static constexpr int kBadShape = 2;
    static constexpr int kBadLength = 3;
    static constexpr int kBadCount = 4;

    // An empty bar row.
    CVes_SLTableLine();
    // An empty row of that kind.
    explicit CVes_SLTableLine(unsigned int kind);
    ~CVes_SLTableLine() override;
    // Rows are copied with copy().
    CVes_SLTableLine(const CVes_SLTableLine&) = delete;
    CVes_SLTableLine& operator=(const CVes_SLTableLine&) = delete;

    // Schema 1: kind, empty mark, lock, rows, then the fields of the kind.
    // Loading throws platform::SchemaError for another schema and
    // platform::ArchiveError for a damaged stream or a negative row count.
    void Serialize(platform::Archive& ar) override;

    int isSteelLine() override { return m_type == kSteelRow ? 1 : 0; }
    // The bar of a bar row; null for the other kinds.
    CVes_BarCore* getSteel() override;
    CVes_Steel* getSLSteel() { return m_type == kSteelRow ? &m_steel : nullptr; }
    const CVes_Steel* getSLSteel() const { return m_type == kSteelRow ? &m_steel : nullptr; }

    // Bar row only: the bar becomes a copy of `bar` and the row is no
    // longer empty. Other kinds (and a null bar) change nothing.
    void setSteel(const CVes_BarCore* bar);
    // Nonzero when the two rows hold the same bar (CVes_BarCore::isSame);
    // 0 when either is not a bar row.
    int compare(CVes_SLTableLine& other);
    // Takes the other row's empty mark, lock, rows, kind, location, element
    // count, element and element type, and on a bar row its bar.
    void copy(const CVes_SLTableLine* other);

    QString getLocString() const { return m_location; }
    void setLocString(QString text) { m_location = std::move(text); }
    QString getEleType() const { return m_eleType; }
    void setEleType(QString text) { m_eleType = std::move(text); }
    QString getElement() const { return m_element; }
    void setElement(QString text) { m_element = std::move(text); }
    int getEleNum() const { return m_eleNum; }
    void setEleNum(int count) { m_eleNum = count; }

    int isEleRow() const { return m_type == kEleRow ? 1 : 0; }
    int isEleTypeRow() const { return m_type == kEleTypeRow ? 1 : 0; }

    // Whether a bar row is complete. False with the code of the first failed
    // test (kBadNumber, kBadGradeOrSize, kBadLength, kBadCount, kBadShape, in
    // that order); true with the code left at kBadShape.
    bool isAvailable(int& code);

    CVes_Steel m_steel;
    QString m_location;   // 钢筋部位
    QString m_eleType;    // 构件类型
    QString m_element;    // 构件编号
    int m_eleNum = 1;     // 件数
};
