#include "tables/framework/sheetsetup.h"

#include "core/geometry/text.h"

namespace sheetsetup {

void applyPage(CVes_Template& sheet, const Page& page, const QString& title)
{
    sheet.m_topMargin = page.topMargin;
    sheet.m_bottomMargin = page.bottomMargin;
    sheet.m_leftMargin = page.leftMargin;
    sheet.m_rightMargin = page.rightMargin;
    sheet.m_tableTextHeight = page.textHeight;
    sheet.m_rowHeight = page.rowHeight;
    sheet.m_reservedHeight = page.captionHeight;
    sheet.m_rowNum = page.rowsPerPage;
    sheet.m_rowMode = page.rowMode;
    sheet.m_stretchColumn = page.stretchColumn;
    applyTitle(sheet, title, page.titleHeight);
    sheet.m_texts[0].m_position.set(sheet.getRealW() * 5, sheet.m_topMargin * 10);
}

void applyTitle(CVes_Template& sheet, const QString& title, int height)
{
    CVes_Variable& text = sheet.m_texts[0];
    text.m_text = QStringLiteral("表单标题");
    text.m_formula = title;
    text.m_height = height;
    text.m_align = CVes_String::kCentre;
    sheet.m_textHeights[0] = height;
}

void applyTitleTexts(CVes_Template& sheet, std::span<const TitleText> texts)
{
    for (const TitleText& entry : texts) {
        if (entry.index < 1 || entry.index >= TemplateLayout::kTitleTextCount)
            continue;
        CVes_Variable& text = sheet.m_texts[std::size_t(entry.index)];
        text.m_text = QString::fromUtf8(entry.name);
        text.m_formula = QString::fromUtf8(entry.text);
        text.m_height = entry.height;
        text.m_align = entry.align;
        sheet.m_textHeights[std::size_t(entry.index)] = entry.height;
    }
}

void applyColumns(CVes_Template& sheet, std::span<const Column> columns, unsigned int language)
{
    sheet.m_columnNum = int(columns.size());
    sheet.m_widths.clear();
    sheet.m_units.clear();
    for (const Column& column : columns) {
        sheet.m_widths.append(column.width);
        sheet.m_units.append(column.unit);
    }
    applyCaptions(sheet, columns, language);
}

void applyCaptions(CVes_Template& sheet, std::span<const Column> columns, unsigned int language)
{
    sheet.m_captions.clear();
    for (const Column& column : columns)
        sheet.m_captions.append(QString::fromUtf8(
            language == 1 && column.english ? column.english : column.chinese));
}

} // namespace sheetsetup
