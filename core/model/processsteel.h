#pragma once
// The bar of a processing sheet, as it goes to the bending shop: a bar record
// that also remembers the bar-list numbers it was gathered from, carries its
// bar tags (one printed tag each, laid out three to a sheet row) and a
// processing id. The processing and tag tables build these rows from bar-list
// bars, join equal rows and merge their tags.

#include "core/model/barcore.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace platform { class Archive; }

// One bar tag.
class CVes_LiaoPai {
public:
    CVes_LiaoPai() = default;
    CVes_LiaoPai(int count, int mark, int auxA, const QString& text, int auxB)
        : count(count), mark(mark), auxA(auxA), auxB(auxB), text(text)
    {
    }

    // Equal numbers and the same text, letters compared without regard to
    // case.
    bool operator==(const CVes_LiaoPai& other) const;
    bool operator!=(const CVes_LiaoPai& other) const { return !(*this == other); }

    // count, mark, auxA and text; auxB lives in memory only (loaded as 0).
    void Serialize(platform::Archive& ar);

    int count = 0;  // bars on the tag
    int mark = 1;   // character code of the tag's group mark
    int auxA = 0;   // stored; cleared when tags are merged
    int auxB = 0;   // kept in memory and compared, never stored
    QString text;
};

using LiaoPaiArray = std::vector<CVes_LiaoPai>;

// A bar-list number that a processing row was gathered from, with the count
// it brought.
struct OriginalBH {
    QString number;
    int count = 0;
};

using OriginalBHArray = std::vector<OriginalBH>;

// Texts equal when ASCII letters are compared without regard to case and
// every other character exactly (a letter never matches a byte inside a
// double-byte character).
bool textEqualsNoCase(const QString& a, const QString& b);

class CVes_ProcessSteel : public CVes_BarCore {
public:
    CVes_ProcessSteel();
    CVes_ProcessSteel(const CVes_ProcessSteel& other);
    CVes_ProcessSteel& operator=(const CVes_ProcessSteel& other);
    ~CVes_ProcessSteel() override;

    // The reference's stream, then schema 1 with the bar, rows, processing
    // id, the empty flag and the tags. The source numbers stay in memory.
    // Throws platform::SchemaError for another schema and
    // platform::ArchiveError for a damaged stream; the row's own fields then
    // keep their values.
    void Serialize(platform::Archive& ar) override;

    // The bar only; tags, processing id and source numbers stay.
    using CVes_BarCore::set;
    void set(const CVes_BarCore* other) override;
    // The whole row.
    void set(const CVes_ProcessSteel* other);
    void set(const CVes_ProcessSteel& other) { set(&other); }

    void setPID(int id) { pid = id; }
    int getPID() const { return pid; }
    int isNull() const { return nullFlag; }
    void setNull(int flag) { nullFlag = flag; }
    int getLPNum() const { return int(tags.size()); }
    // 1 for a bar with a grade that has a length to cut or bars to cut.
    int isAvailable() const;

    // Appends copies of the tags to `array`, which keeps what it held.
    void getLpArray(LiaoPaiArray& array) const;
    LiaoPaiArray* getLpArrayPtr() { return &tags; }
    const LiaoPaiArray* getLpArrayPtr() const { return &tags; }
    // One text per run of neighbouring tags with the same mark: the
    // character of that mark.
    void getLpID(QStringList& ids) const;
    // Sets the count of the tag at `index`; nothing for an index out of range.
    void setLpNum(int count, int index);
    // Makes `tag` stand for `n` of this row's bars, or for a graded row `n`
    // groups: its count is then the bars a group and its second count the
    // groups, as every sheet reads a graded count. Any other row's tag keeps
    // its second count.
    void setTagCount(CVes_LiaoPai& tag, int n) const;
    // The bars `tag` of this row stands for: a graded row's tag its bars a
    // group times its groups.
    long long tagBars(const CVes_LiaoPai& tag) const;
    void AddLp(const CVes_LiaoPai& tag);
    void AddLp(int count, int mark, int auxA, const QString& text, int auxB);
    void setLp(const LiaoPaiArray& array);
    // Removes the first tag equal to `tag`, if any.
    void deleteLp(const CVes_LiaoPai& tag);
    // The sheet rows the tags take: three to a row, rounded up.
    int resetRows() const;

    void addOriginalBH(const QString& number, int count);
    void addOriginalBH(const OriginalBH& item);
    void setOriginalBH(const OriginalBHArray& items);

    // Two or more tags become one: the first, counting the whole row.
    void merge();
    // Takes in an equal row: its tags (each counting that row's bars or
    // groups), its count and its source numbers; 1. A different row, or this
    // row itself, changes nothing: 0. The rows are left for the caller to
    // recount.
    int join(CVes_ProcessSteel& other);

    OriginalBHArray originalNumbers;
    LiaoPaiArray tags;
    int rows = 1;
    int pid = 0;
    int nullFlag = 1;

private:
    // A tied lap end is cut as a free end; a coupler leads to a bar like this
    // one.
    void applyConnectionRule();
};
