#pragma once
// The key of a shape in the shape libraries: the number of its sub-library
// (its main id) and its number inside that sub-library. Shown as "101-005".

#include <QString>

class CSteelRecordId {
public:
    CSteelRecordId() = default;
    CSteelRecordId(int mainId, int recordNo) : m_mainId(mainId), m_recordNo(recordNo) {}

    // Null as soon as either number is negative.
    bool isNull() const { return m_recordNo < 0 || m_mainId < 0; }
    void setNull() { *this = Null(); }
    static CSteelRecordId Null() { return {}; }

    // The sub-library of bar groups: bars that stand for a set of bars.
    static constexpr int kGroupLibrary = 109;

    // A shape of a user sub-library (main ids 201..399).
    bool isUseLib() const { return m_mainId > 200 && m_mainId < 400; }

    void set(CSteelRecordId other) { *this = other; }

    friend bool operator==(const CSteelRecordId&, const CSteelRecordId&) = default;
    bool operator<(const CSteelRecordId& other) const
    {
        return m_mainId != other.m_mainId ? m_mainId < other.m_mainId
                                          : m_recordNo < other.m_recordNo;
    }

    // "%d-%.3d" of main id and record number.
    QString ToString() const;
    // Parses "101-5", "101-005", "101005" or "1015"; a text without a usable
    // separator that is shorter than four characters gives the null key.
    static CSteelRecordId setId(const QString& text);

    int m_mainId = -1;
    int m_recordNo = -1;
};
