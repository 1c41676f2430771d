#pragma once
// The one row clipboard of all sheets. Copy and cut in a sheet put copies of
// the selected rows into it, paste and insert take fresh copies out again, so
// the same rows can be pasted again and again. It also holds one text, used
// when the bar list copies a single remark cell. Rows are handed out only to
// a sheet of the kind they were copied under.

#include "tables/framework/tablebase.h"

#include <QString>

#include <memory>
#include <vector>

class CVes_TableBaseLine;

// A new row of the class of the rows of one kind, filled from `row`, which
// is of that class.
using RowCopier = std::unique_ptr<CVes_TableBaseLine> (*)(const CVes_TableBaseLine& row);
template <class Line> std::unique_ptr<CVes_TableBaseLine> copyRowAs(const CVes_TableBaseLine& row)
{
    auto copy = std::make_unique<Line>();
    copy->copy(static_cast<const Line*>(&row));
    return copy;
}

class CVes_TableClipboard {
public:
    // What the clipboard holds.
    static constexpr int kEmpty = 0;
    static constexpr int kSetupLines = 1;    // bar-list rows
    static constexpr int kProcessLines = 2;  // processing-sheet rows
    static constexpr int kSLLines = 4;       // quantity-sheet rows
    static constexpr int kText = 5;          // a remark text

    CVes_TableClipboard();
    CVes_TableClipboard(const CVes_TableClipboard&) = delete;
    CVes_TableClipboard& operator=(const CVes_TableClipboard&) = delete;
    ~CVes_TableClipboard();

    // Deletes the held rows; the kind and the text stay.
    void clear();
    // 0 when nothing can be pasted: nothing held yet, no rows of a row
    // kind, or an empty text.
    int canPaste() const;
    // The sheets hand the clipboard their rows with the class the rows are
    // copied as (kSetupLines the bar list's rows, kProcessLines the
    // processing sheet's, kSLLines the quantity sheet's); the clipboard
    // itself knows no sheet's rows.

    // Appends a copy of the row under `kind`, after deleting the held rows
    // when `clearFirst` is nonzero. 0 for a null row, which changes nothing.
    template <class Line> int copyLine(const Line* row, int kind, int clearFirst)
    {
        return copyLine(row, kind, &copyRowAs<Line>, clearFirst);
    }
    int copyLine(const CVes_TableBaseLine* row, int kind, RowCopier copier, int clearFirst);
    // Holds copies of the rows, of the class of `kind`, in place of what it
    // held (a copy or cut of a sheet's rows).
    template <class Line> void copyLines(const TableLineList& rows, int kind)
    {
        copyLines(rows, kind, &copyRowAs<Line>);
    }
    void copyLines(const TableLineList& rows, int kind, RowCopier copier);
    // The kind and the text take the given values; the rows stay. Answers 1.
    int setText(const QString& text, int kind);
    // The text when `kind` is the held kind, else an empty text.
    QString getText(int kind) const;
    // Fresh copies of the held rows, in order, when `kind` is the held kind,
    // else an empty list. The caller owns the copies.
    TableLineList getLines(int kind) const;
    // True when rows are held and `kind` is the held kind.
    bool hasLines(int kind) const;
    // What is held (kEmpty, a row kind or kText).
    int heldKind() const { return m_kind; }

    // The row kind a sheet of the table type takes (kEmpty for a sheet that
    // takes no rows).
    static int rowKindOfTable(unsigned int tableType);
    // Why `table` cannot take a paste now, in the user's words: what the
    // clipboard holds, or what the selection lacks.
    static QString pasteRefusal(CVes_TableBase& table);

private:
    void append(const CVes_TableBaseLine& row, int kind, RowCopier copier, int clearFirst);

    int m_kind = kEmpty;
    // The held rows, all of the class of m_linesKind (the kind they were
    // copied under, which a later text may have replaced as the held kind).
    std::vector<std::unique_ptr<CVes_TableBaseLine>> m_lines;
    int m_linesKind = kEmpty;
    // Copies a held row again for each paste.
    RowCopier m_copier = nullptr;
    QString m_text;
};

// The tables library's one clipboard.
CVes_TableClipboard& tableClipboard();
