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

class CVes_ProcessTableEditLine;
class CVes_SetupTableLine;
class CVes_SLTableLine;
class CVes_TableBaseLine;

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
    // Appends a copy of the row under kind 1 (2 for a processing row, 4 for
    // a quantity-sheet row), after deleting the held rows when `clearFirst`
    // is nonzero. 0 for a null row, which changes nothing.
    int copySetupLine(const CVes_SetupTableLine* row, int clearFirst);
    int copyProcessLine(const CVes_ProcessTableEditLine* row, int clearFirst);
    int copySLLine(const CVes_SLTableLine* row, int clearFirst);
    // Holds copies of the rows, of the class of `kind`, in place of what it
    // held (a copy or cut of a sheet's rows).
    void copyLines(const TableLineList& rows, int kind);
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
    void append(std::unique_ptr<CVes_TableBaseLine> copy, int kind, int clearFirst);

    int m_kind = kEmpty;
    // The held rows, all of the class of m_linesKind (the kind they were
    // copied under, which a later text may have replaced as the held kind).
    std::vector<std::unique_ptr<CVes_TableBaseLine>> m_lines;
    int m_linesKind = kEmpty;
    QString m_text;
};

// The tables library's one clipboard.
CVes_TableClipboard& tableClipboard();
