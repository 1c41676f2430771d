#include "tables/quantity/summarytexttable.h"

#include "core/geometry/steeltext.h"
#include "platform/dc.h"
#include "platform/xlsx/workbook.h"
#include "tables/framework/form.h"
#include "tables/framework/tabletextline.h"

#include <algorithm>

namespace {

constexpr platform::COLORREF kCurrentCellColour = platform::gdi::RGB(255, 255, 140);
// The first workbook row of the table; row 5 holds the captions.
constexpr int kFirstTextRow = 6;

} // namespace

const sheetsetup::Page SummaryTextTable::kPage = {25, 20, 25, 20, 4, 10, 12, 90, 28, 1, 6};

SummaryTextTable::SummaryTextTable(const QString& title,
                                   std::span<const sheetsetup::TitleText> texts,
                                   std::span<const sheetsetup::Column> columns)
    : m_columns(columns)
{
    sheetsetup::applyPage(*this, kPage, title);
    sheetsetup::applyTitleTexts(*this, texts);
    sheetsetup::applyColumns(*this, columns, 0);
    if (!m_form)
        m_form = std::make_unique<CVes_Form>();
}

// The base owns the page form and deletes it.
SummaryTextTable::~SummaryTextTable() = default;

void SummaryTextTable::setLanguage(unsigned int language)
{
    CVes_TableBase::setLanguage(language);
    sheetsetup::applyCaptions(*this, m_columns, language);
}

unsigned int SummaryTextTable::firstColumnAlign() const
{
    return CVes_Cell::kAlignLeft;
}

QString SummaryTextTable::excelText(const QString& text) const
{
    QString out = text;
    Steel_ReplaceTableStringToExcelString(out);
    return out;
}

bool SummaryTextTable::holdsNumbers(int column) const
{
    return column >= 0 && column < int(m_columns.size())
           && m_columns[std::size_t(column)].unit != CVes_Template::kNoUnit;
}

RowCopier SummaryTextTable::workerRowCopier() const
{
    return [](const CVes_TableBaseLine& row) -> std::unique_ptr<CVes_TableBaseLine> {
        const auto* line = dynamic_cast<const CVes_TableTextLine*>(&row);
        return line ? std::make_unique<CVes_TableTextLine>(*line) : std::make_unique<CVes_TableTextLine>();
    };
}

CVes_TableTextLine* SummaryTextTable::Add(const QStringList& texts)
{
    auto* row = new CVes_TableTextLine(texts);
    appendLine(row);
    setModified(1);
    return row;
}

void SummaryTextTable::Draw(platform::Dc* dc, const platform::Rect& rect)
{
    CVes_TableBase::Draw(dc, rect);
    if (!dc || !m_form || m_curPage < 1)
        return;
    CVes_Form* form = m_form.get();
    // The scale of the drawing is 1 on paper: printed text never follows
    // the zoom of the screen.
    const int height = int(m_tableTextHeight * 10 * m_drawScale);
    const bool printing = dc->IsPrinting();
    int k = 1;
    for (CVes_TableBaseLine* line : std::as_const(m_pageLines)) {
        if (const auto* row = dynamic_cast<const CVes_TableTextLine*>(line)) {
            const int n = std::min(int(row->m_texts.size()), kMaxTexts);
            for (int i = 0; i < n; ++i) {
                form->setCellText(k, i, row->m_texts[i],
                                  i == 0 ? firstColumnAlign() : CVes_Cell::kAlignCentre, height,
                                  QPoint(0, 0), QString());
            }
            form->spanWideTexts(dc, k);
        }
        if (!printing && k == m_curRow && m_curCol >= 0 && m_curCol < kMaxTexts) {
            form->setCellBkColor(k, m_curCol, kCurrentCellColour);
            form->setCellDrawBk(k, m_curCol, 1);
        }
        ++k;
    }
    form->OnDraw(dc);
}

int SummaryTextTable::fillExcel(platform::xlsx::Worksheet& sheet)
{
    // The first column's caption is the sheet's own, as its pages print it.
    sheet.setText(kFirstTextRow - 1, 1, m_captions.value(0));
    int row = kFirstTextRow;
    for (CVes_TableBaseLine* line : std::as_const(m_lines)) {
        if (const auto* texts = dynamic_cast<const CVes_TableTextLine*>(line)) {
            const int n = std::min(int(texts->m_texts.size()), kMaxTexts);
            for (int i = 0; i < n; ++i) {
                const QString text = excelText(texts->m_texts[i]);
                if (holdsNumbers(i))
                    sheet.setValue(row, i + 1, text);
                else
                    sheet.setText(row, i + 1, text);
            }
            // As on the printed page, a long note runs on over the blank
            // cells beside it.
            for (int i = 0; i < n; ++i)
                sheet.spanWideText(row, i + 1, int(m_captions.size()));
        }
        ++row;
    }
    return int(m_lines.size()) + 1;
}
