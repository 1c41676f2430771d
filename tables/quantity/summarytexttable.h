#pragma once
// What the read-only summary sheets share: a sheet of text rows that the
// builders fill, with the summaries' page set-up, drawn one text a cell and
// written into a workbook one text a cell from row 6. The quantity and joint
// summaries and the purchase summary derive from it and give their columns,
// title block and the look of their texts.

#include "tables/framework/tablebase.h"
#include "tables/framework/sheetsetup.h"

#include <QString>
#include <QStringList>

#include <span>

class CVes_TableTextLine;

class SummaryTextTable : public CVes_TableBase {
public:
    // Cells filled from a row, at most.
    static constexpr int kMaxTexts = 8;
    // The summaries' page: margins 25, 20, 25, 20, text 4 mm, rows of
    // 10 mm under a 12 mm caption row, 28 rows a page.
    static const sheetsetup::Page kPage;

    ~SummaryTextTable() override;

    // 1 selects the English captions, any other value the Chinese ones.
    void setLanguage(unsigned int language) override;
    // Draws the page, then the texts of its rows.
    void Draw(platform::Dc* dc, const platform::Rect& rect) override;
    // Row n of the sheet goes to sheet row n + 5, its text i (i < 8) to
    // column i + 1, as the workbook shows it. Answers the row count + 1.
    int fillExcel(platform::xlsx::Worksheet& sheet) override;

    // Appends a text row holding a copy of the texts; the sheet owns it and
    // is marked changed.
    CVes_TableTextLine* Add(const QStringList& texts);

protected:
    // A summary sheet with the summaries' page, its title, title-block
    // texts and columns (Chinese captions). `columns` must outlive it.
    SummaryTextTable(const QString& title, std::span<const sheetsetup::TitleText> texts,
                     std::span<const sheetsetup::Column> columns);

    // How column 0 is aligned (left); the other columns are centred.
    virtual unsigned int firstColumnAlign() const;
    // A cell text as the workbook shows it: grade escapes become the
    // workbook's grade characters.
    virtual QString excelText(const QString& text) const;
    // Whether the workbook writes the column's values as numbers a
    // spreadsheet adds up (its other texts stay texts): the columns of
    // lengths and weights.
    virtual bool holdsNumbers(int column) const;
    // A working copy holds copies of the text rows.
    RowCopier workerRowCopier() const override;

private:
    std::span<const sheetsetup::Column> m_columns;
};
