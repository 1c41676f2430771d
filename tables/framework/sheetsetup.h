#pragma once
// The page set-up of a new sheet: margins and row measure, the title block
// and the columns with their captions in both languages.

#include "tables/framework/template.h"

#include <QString>
#include <QStringList>

#include <span>

namespace sheetsetup {

// Margins in the template's order (top, bottom, left, right, mm), the table
// text height (mm), the row height and caption row (mm), the height of the
// title (0.1 mm), the rows a page, the row mode and the stretched column.
struct Page {
    int topMargin;
    int bottomMargin;
    int leftMargin;
    int rightMargin;
    int textHeight;
    int rowHeight;
    int captionHeight;
    int titleHeight;
    int rowsPerPage;
    int rowMode;
    int stretchColumn;
};

// One column: its captions in both languages (a column without an English
// caption shows the Chinese one), width in per cent and unit.
struct Column {
    const char* chinese;
    const char* english;
    int width;
    int unit;
};

// A column whose values carry no unit.
inline constexpr int kNone = CVes_Template::kNoUnit;

// One title-block text: its index (1 to 7), name, default text, height
// (0.1 mm) and alignment.
struct TitleText {
    int index;
    const char* name;
    const char* text;
    int height;
    unsigned int align;
};

// Page, title (text 0, centred over the paper's width at the top margin)
// and title-block texts.
void applyPage(CVes_Template& sheet, const Page& page, const QString& title);
// The title alone (text 0, named "表单标题", centred), where it stands left
// as it is.
void applyTitle(CVes_Template& sheet, const QString& title, int height);
void applyTitleTexts(CVes_Template& sheet, std::span<const TitleText> texts);
// Column count, widths, units and the captions of the language (1 English,
// else Chinese).
void applyColumns(CVes_Template& sheet, std::span<const Column> columns, unsigned int language);
// Only the captions, for a change of language.
void applyCaptions(CVes_Template& sheet, std::span<const Column> columns, unsigned int language);

} // namespace sheetsetup
