#include "tabledraw_support.h"

#include "core/geometry/text.h"
#include "envora/anchorage.h"
#include "envora/usercustom.h"
#include "platform/painterdc.h"
#include "tables/framework/tablehelpers.h"

#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

#include <optional>

#include <cmath>
#include <ostream>

using platform::DcOp;
using platform::DcRecord;
using platform::Rect;
using namespace platform::gdi;

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The printed page of the test sheet: paper points move 60 left and 50 up.
QPoint printed(int x, int y) { return {x - 60, y - 50}; }

// Placing the sheet in the view

struct PlacementCase {
    const char* name;
    int width;
    int height;
    double zoom;
    double scrollX;
    double scrollY;
    Rect paper;        // the sheet on the screen
    int paperHeight;   // ph, the unzoomed sheet height: scale = ph / 2970 × zoom
    float stepX;
    float stepY;
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

class PagePlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PagePlacement, SheetSitsOnTheDeskWithItsShadow)
{
    const PlacementCase& c = GetParam();
    test::DrawSheet sheet;
    sheet.m_zoom = c.zoom;
    sheet.m_scrollX = c.scrollX;
    sheet.m_scrollY = c.scrollY;
    platform::RecordingDc dc;
    const Rect client(0, 0, c.width, c.height);
    sheet.Draw(&dc, client);

    EXPECT_EQ(sheet.getPaperRect(), c.paper);
    EXPECT_EQ(sheet.getPaperptO(), QPoint(c.paper.left, c.paper.top));
    EXPECT_DOUBLE_EQ(sheet.m_drawScale, double(c.paperHeight) / 2970 * c.zoom);
    EXPECT_FLOAT_EQ(sheet.m_scrollStepX, c.stepX);
    EXPECT_FLOAT_EQ(sheet.m_scrollStepY, c.stepY);
    EXPECT_EQ(sheet.m_viewRect, client);

    // The desk, the shadow moved by trunc(6 × zoom), then the sheet.
    const std::vector<DcRecord> drawn = dc.drawing();
    ASSERT_GE(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].op, DcOp::Rectangle);
    EXPECT_EQ(drawn[0].rect, client);
    EXPECT_EQ(drawn[0].brush, platform::Brush(RGB(231, 231, 214)));
    Rect shadow = c.paper;
    shadow.OffsetRect(int(6.0f * float(c.zoom)), int(6.0f * float(c.zoom)));
    EXPECT_EQ(drawn[1].op, DcOp::FillRect);
    EXPECT_EQ(drawn[1].rect, shadow);
    EXPECT_EQ(drawn[1].brush, platform::Brush::stock(BLACK_BRUSH));
    EXPECT_EQ(drawn[2].op, DcOp::FillRect);
    EXPECT_EQ(drawn[2].rect, c.paper);
    EXPECT_EQ(drawn[2].brush, platform::Brush::stock(Info_UserCustomTableBkColor()));
}

// A4 portrait: r = 2970 / 2100.
INSTANTIATE_TEST_SUITE_P(
    Cases, PagePlacement,
    ::testing::Values(
        // Height limits: ph = 768 − 6, pw = trunc(762 / r) − 6; centred.
        PlacementCase{"Zoom1Centred", 1000, 800, 1.0, 0, 0, Rect(234, 19, 766, 781), 762, 0, 0},
        // Width limits: pw = 576 − 6, ph = trunc(570 × r) − 6.
        PlacementCase{"Zoom1Tall", 600, 1000, 1.0, 0, 0, Rect(15, 100, 585, 900), 800, 0, 0},
        // Zoom 2: both origins would be negative and are raised to 2 %.
        PlacementCase{"Zoom2AtTwoPercent", 1000, 800, 2.0, 0, 0, Rect(20, 16, 1064, 1528), 756,
                      5.22f, 7.56f},
        // Scrolled by (10, 20) steps of 1 % of the zoomed growth.
        PlacementCase{"Zoom2Scrolled", 1000, 800, 2.0, 10, 20, Rect(-32, -135, 1012, 1377), 756,
                      5.22f, 7.56f},
        // Zoom 1.5: x stays centred (104 > 20), y is raised to 16.
        PlacementCase{"Zoom15", 1000, 800, 1.5, 0, 0, Rect(104, 16, 894, 1154), 759, 2.635f,
                      3.795f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PageDrawing, UnknownPaperIsDrawnAsA4)
{
    test::DrawSheet a4;
    platform::RecordingDc a4Dc;
    a4.Draw(&a4Dc, Rect(0, 0, 1000, 800));

    for (auto [paper, width] : {std::pair{7, 0}, std::pair{CVes_Template::kCustomPaper, 0}}) {
        test::DrawSheet sheet;
        sheet.m_paper = paper;
        sheet.m_customWidth = width;
        sheet.m_customHeight = 300;
        platform::RecordingDc dc;
        sheet.Draw(&dc, Rect(0, 0, 1000, 800));
        EXPECT_TRUE(std::isfinite(sheet.m_drawScale)) << paper;
        EXPECT_EQ(sheet.getPaperRect(), a4.getPaperRect()) << paper;
        EXPECT_EQ(sheet.getForm()->getRect(), a4.getForm()->getRect()) << paper;

        platform::RecordingDc printer = test::printerDc();
        sheet.Draw(&printer, Rect(1, 1, 100, 100));
        EXPECT_EQ(sheet.getForm()->getRect(), Rect(190, 370, 1940, 2735)) << paper;
    }
}

// Title block

TEST(PageDrawing, PrintedTitleBlockSitsAtItsPaperPlacesLessThePrintOffset)
{
    test::DrawSheet sheet;
    sheet.m_texts[2].m_align = CVes_String::kCentre;
    sheet.setText(1, QStringLiteral("图号"), QStringLiteral("G-01"));
    sheet.m_texts[1].m_align = CVes_String::kRight;
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));

    EXPECT_DOUBLE_EQ(sheet.m_drawScale, 1.0);
    // No desk, no shadow, no sheet when printing.
    EXPECT_EQ(dc.count(DcOp::Rectangle), 0);
    EXPECT_EQ(dc.count(DcOp::FillRect), 0);

    // Title at (L + UW / 2, T + h0); texts 2 and 3 one height below each
    // other under the title's 40 of space; footer on the bottom margin.
    const auto position = [&](int i) { return sheet.m_texts[std::size_t(i)].m_position.ToPoint(); };
    EXPECT_EQ(position(0), printed(250 + 875, 200 + 80));
    // Text 1 stands above the top margin at the right.
    EXPECT_EQ(position(1), printed(2000, 200 - 30));
    EXPECT_EQ(position(2), printed(250, 200 + 80 + 40 + 40));
    EXPECT_EQ(position(3), printed(250, 200 + 80 + 40 + 40 + 40));
    EXPECT_EQ(position(5), printed(250, 2970 - 150));
    EXPECT_EQ(position(6), printed(250 + 875, 2970 - 150));
    EXPECT_EQ(position(7), printed(2000, 2970 - 150));
    for (int i : {0, 2, 3, 5, 6, 7})
        EXPECT_EQ(sheet.m_texts[std::size_t(i)].m_height, sheet.m_textHeights[std::size_t(i)]) << i;
    EXPECT_EQ(sheet.m_texts[2].m_align, CVes_String::kLeft);

    // Text 0 shows its value only, the others name and value; text 4 has
    // no name and is not drawn.
    const QStringList texts = dc.texts();
    for (const char* text : {"钢筋配料单", "图号：G-01", "工程名称：综合楼", "施工部位：一层", "编制：张三",
                             "审核：李四", "日期：2026-12-09"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
    EXPECT_FALSE(texts.contains(QStringLiteral("表单标题：钢筋配料单")));
    for (const QString& text : texts)
        EXPECT_FALSE(text.startsWith(QStringLiteral("："))) << text.toStdString();

    // The table lies between the title block (y 420: texts 2 and 3, then
    // half a height) and the footer (its height is text 7's, 35).
    EXPECT_EQ(sheet.getForm()->getRect(), Rect(printed(250, 420), printed(2000, 2820 - 35)));
    EXPECT_EQ(sheet.getForm()->getBorderWidth(), 4);
    EXPECT_EQ(sheet.getForm()->getBorder(), 1);
}

// A field nobody filled in prints empty after its name, never its name
// again ("审核：审核"); a text given no height is not drawn at all.
TEST(PageDrawing, EmptyFieldsPrintEmptyAndTextsOfNoHeightNothing)
{
    test::DrawSheet sheet;
    sheet.setText(6, QStringLiteral("审核"), QString());
    sheet.setText(7, QStringLiteral("日期"), QString());
    sheet.m_textHeights[3] = 0;
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));
    const QStringList texts = dc.texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("审核："))) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("日期：")));
    EXPECT_FALSE(texts.join(u'|').contains(QStringLiteral("审核：审核")));
    EXPECT_FALSE(texts.join(u'|').contains(QStringLiteral("施工部位")));
    for (const DcRecord& record : dc.records(DcOp::TextOut))
        EXPECT_NE(record.font.logFont().lfHeight, 0) << record.text.toStdString();
}

TEST(PageDrawing, PrintTagIsGreyAndRightAlignedUnderTheLastFooterText)
{
    test::DrawSheet sheet;
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));

    const DcRecord* tag = test::textRecord(dc.records(), QStringLiteral("[Rodo表软件] "));
    ASSERT_NE(tag, nullptr) << dc.dump().toStdString();
    EXPECT_EQ(tag->points.at(0), printed(2000, 2820 + 35));
    EXPECT_EQ(tag->state.textAlign & (TA_RIGHT | TA_CENTER), unsigned(TA_RIGHT));
    EXPECT_EQ(tag->state.textColor, RGB(118, 118, 118));
    EXPECT_EQ(tag->font.logFont().lfFaceName, QStringLiteral("宋体"));
    EXPECT_EQ(tag->font.logFont().lfWeight, 90);
    EXPECT_EQ(tag->font.logFont().lfHeight, 20);

    platform::RecordingDc screen;
    sheet.Draw(&screen, Rect(0, 0, 1000, 800));
    EXPECT_EQ(test::textRecord(screen.records(), QStringLiteral("[Rodo表软件] ")), nullptr);
}

TEST(PageDrawing, ScreenPlacesTheSameTextsThroughOriginAndScale)
{
    test::DrawSheet sheet;
    platform::RecordingDc dc;
    sheet.Draw(&dc, Rect(0, 0, 1000, 800));
    const double scale = 762.0 / 2970;
    EXPECT_EQ(sheet.m_texts[0].m_position.ToPoint(), paperToDevicePoint(234, 19, 1125, 280, scale));
    EXPECT_EQ(sheet.m_texts[7].m_position.ToPoint(), paperToDevicePoint(234, 19, 2000, 2820, scale));
    EXPECT_EQ(sheet.m_texts[0].m_height, int(80 * scale));
    EXPECT_EQ(sheet.getForm()->getBorderWidth(), int(4.0 * scale));
    EXPECT_DOUBLE_EQ(sheet.getForm()->getScale(), scale);
}

TEST(PageDrawing, TitleBlockWithoutTitleOrHeadingTextsStartsTheTableAtTheTopMargin)
{
    test::DrawSheet sheet;
    sheet.m_showTitle = 0;
    sheet.setText(2, QString(), QStringLiteral("x"));
    sheet.setText(3, QString(), QStringLiteral("x"));
    sheet.setText(5, QString(), QString());
    sheet.setText(6, QString(), QString());
    sheet.setText(7, QString(), QString());
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));
    // No footer either: the table reaches the bottom margin.
    EXPECT_EQ(sheet.getForm()->getRect(), Rect(printed(250, 200), printed(2000, 2820)));
    EXPECT_FALSE(dc.texts().contains(QStringLiteral("钢筋配料单")));
}

struct SelectionCase {
    int column;
    const char* blueText;
};

void PrintTo(const SelectionCase& c, std::ostream* os) { *os << "column " << c.column; }

class TitleSelection : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(TitleSelection, SelectedTitleTextIsBlueOnScreenOnly)
{
    const SelectionCase& c = GetParam();
    test::DrawSheet sheet;
    sheet.m_curRow = CVes_TableBase::kTitleTextRow;
    sheet.m_curCol = c.column;
    const QStringList all = {QStringLiteral("钢筋配料单"), QStringLiteral("工程名称：综合楼"),
                             QStringLiteral("施工部位：一层"), QStringLiteral("编制：张三"),
                             QStringLiteral("审核：李四"), QStringLiteral("日期：2026-12-09")};

    platform::RecordingDc screen;
    sheet.Draw(&screen, Rect(0, 0, 1000, 800));
    for (const QString& text : all) {
        const DcRecord* record = test::textRecord(screen.records(), text);
        ASSERT_NE(record, nullptr) << text.toStdString();
        EXPECT_EQ(record->state.textColor, text == QString::fromUtf8(c.blueText) ? kBlue : kBlack)
            << text.toStdString();
    }

    platform::RecordingDc printer = test::printerDc();
    sheet.Draw(&printer, Rect(1, 1, 100, 100));
    for (const QString& text : all)
        EXPECT_EQ(test::textRecord(printer.records(), text)->state.textColor, kBlack);
}

INSTANTIATE_TEST_SUITE_P(Cases, TitleSelection,
                         ::testing::Values(SelectionCase{0, "钢筋配料单"},
                                           SelectionCase{1, "工程名称：综合楼"},
                                           SelectionCase{2, "施工部位：一层"},
                                           SelectionCase{4, "编制：张三"},
                                           SelectionCase{5, "审核：李四"},
                                           SelectionCase{6, "日期：2026-12-09"},
                                           SelectionCase{7, ""}));

// Table area

// Printed: area (190, 370)–(1940, 2735), caption 100, body 2265, 20 units of 113.
TEST(PageDrawing, RowsOfSeveralUnitsAndEmptyRowsShareTheBodyAndTheCaptionTakesTheRest)
{
    test::DrawSheet sheet;
    sheet.addRows({3, 3});
    sheet.setPageTo(1, 1);
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));

    const CVes_Form* form = sheet.getForm();
    ASSERT_EQ(form->GetRowCount(), 1 + 2 + 14);
    EXPECT_EQ(form->GetRowHeight(1), 3 * 113);
    EXPECT_EQ(form->GetRowHeight(2), 3 * 113);
    for (int k = 3; k <= 16; ++k)
        EXPECT_EQ(form->GetRowHeight(k), 113) << k;
    EXPECT_EQ(form->GetRowHeight(0), 2265 - 20 * 113 + 100);
}

TEST(PageDrawing, RowTallerThanThePageLeavesTheCaptionRowOneUnitHigh)
{
    // A row of 25 units on pages of 20 goes to page 2 alone.
    test::DrawSheet sheet;
    sheet.addRows({25});
    sheet.setPageTo(2, 1);
    ASSERT_EQ(sheet.pageLines().size(), 1);
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));
    const CVes_Form* form = sheet.getForm();
    ASSERT_EQ(form->GetRowCount(), 1 + 1 + 5);
    EXPECT_EQ(form->GetRowHeight(1), 25 * 113);
    EXPECT_EQ(form->GetRowHeight(0), 1);
}

TEST(PageDrawing, FullPageHasNoEmptyRows)
{
    test::DrawSheet sheet;
    sheet.addRows(QList<int>(20, 1));
    sheet.setPageTo(1, 1);
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));
    EXPECT_EQ(sheet.getForm()->GetRowCount(), 21);
}

TEST(PageDrawing, PageSummaryAddsItsRowsToTheUnits)
{
    test::DrawSheet sheet;
    sheet.m_pageSummary = 1;
    sheet.m_summaryRowHeight = 2;
    sheet.addRows({1});
    sheet.setPageTo(1, 1);
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));
    // 22 units of 2265 / 22 = 102; 1 row + 19 empty + 2 summary rows.
    const CVes_Form* form = sheet.getForm();
    ASSERT_EQ(form->GetRowCount(), 1 + 1 + 19 + 2);
    EXPECT_EQ(form->GetRowHeight(22), 102);
    EXPECT_EQ(form->GetRowHeight(0), 2265 - 22 * 102 + 100);
}

TEST(PageDrawing, FixedRowHeightComputesRowsPerPageAndShortensTheArea)
{
    test::DrawSheet sheet;
    sheet.m_rowMode = 0; // rows of 8 mm
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));
    // 2265 / 80 = 28 rows; the area ends after 28 rows and the caption.
    EXPECT_EQ(sheet.m_rowNum, 28);
    EXPECT_EQ(sheet.getForm()->getRect(), Rect(190, 370, 1940, 370 + 28 * 80 + 100));
    EXPECT_EQ(sheet.getForm()->GetRowHeight(5), 80);
    EXPECT_EQ(sheet.getForm()->GetRowHeight(0), 100);
}

TEST(PageDrawing, NoRowsPerPageOrRowHeightStillLaysOutOneRowAPage)
{
    for (int mode : {0, 1}) {
        test::DrawSheet sheet;
        sheet.m_rowMode = mode;
        sheet.m_rowNum = 0;
        sheet.m_rowHeight = 0;
        sheet.m_tableTextHeight = 0;
        // A body shorter than one row of 10.
        sheet.m_reservedHeight = 236;
        platform::RecordingDc dc = test::printerDc();
        sheet.Draw(&dc, Rect(1, 1, 100, 100));
        const CVes_Form* form = sheet.getForm();
        EXPECT_GE(form->GetRowCount(), 2) << mode;
        for (int k = 0; k < form->GetRowCount(); ++k)
            EXPECT_GT(form->GetRowHeight(k), 0) << mode << " row " << k;
    }
}

TEST(PageDrawing, RowsOfThePageAreRefreshedBeforeTheFormIsCutToThem)
{
    // Rows added after the page was last set; the page has none yet.
    test::DrawSheet sheet;
    sheet.setPageTo(1, 1);
    sheet.addRows({3, 3});
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));
    EXPECT_EQ(sheet.pageLines().size(), 2);
    EXPECT_EQ(sheet.getForm()->GetRowCount(), 17);
    EXPECT_EQ(sheet.getForm()->GetRowHeight(1), 3 * 113);

    // No page yet: the first page is shown.
    test::DrawSheet fresh;
    fresh.addRows({1, 1});
    platform::RecordingDc dc2 = test::printerDc();
    fresh.Draw(&dc2, Rect(1, 1, 100, 100));
    EXPECT_EQ(fresh.getCurPage(), 1);
    EXPECT_EQ(fresh.pageLines().size(), 2);
}

TEST(PageDrawing, ColumnsTakeTheirPercentAndTheStretchColumnTheRest)
{
    test::DrawSheet sheet;
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));
    const CVes_Form* form = sheet.getForm();
    ASSERT_EQ(form->GetColumnCount(), 4);
    EXPECT_EQ(form->GetColumnWidth(0), 350);
    EXPECT_EQ(form->GetColumnWidth(1), 0);
    EXPECT_EQ(form->GetColumnWidth(2), 525);
    EXPECT_EQ(form->GetColumnWidth(3), 1750 - 350 - 525);

    // A stretch column outside the columns stretches the last one.
    sheet.m_stretchColumn = 9;
    sheet.m_widths = {20, 0, 30, 10};
    sheet.Draw(&dc, Rect(1, 1, 100, 100));
    EXPECT_EQ(form->GetColumnWidth(3), 1750 - 350 - 525);
    // Another stretch column takes the rest, the last its own percent.
    sheet.m_stretchColumn = 0;
    sheet.Draw(&dc, Rect(1, 1, 100, 100));
    EXPECT_EQ(form->GetColumnWidth(3), 175);
    EXPECT_EQ(form->GetColumnWidth(0), 1750 - 525 - 175);
}

TEST(PageDrawing, CaptionRowShowsCaptionsWithUnitsOnTheTitleBackground)
{
    test::DrawSheet sheet;
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));
    const CVes_Form* form = sheet.getForm();
    EXPECT_EQ(form->GetCell(0, 0)->text(), QStringLiteral("编号"));
    // A column of width 0 shows no caption.
    EXPECT_EQ(form->GetCell(0, 1)->text(), QString());
    EXPECT_EQ(form->GetCell(0, 2)->text(), QStringLiteral("重量\n（kg）"));
    EXPECT_EQ(form->GetCell(0, 3)->text(), QStringLiteral("总长\n（m）"));
    for (int c : {0, 2, 3}) {
        const CVes_Cell* cell = form->GetCell(0, c);
        EXPECT_EQ(cell->fontName(), QStringLiteral("宋体"));
        EXPECT_EQ(cell->getTxtHigh(), 40);
        EXPECT_EQ(cell->textAlign(), CVes_Cell::kAlignCentre);
        EXPECT_EQ(cell->backgroundColor(), platform::COLORREF(Info_UserCustomGetTitleBk()));
        EXPECT_EQ(cell->drawsBackground(), 1);
    }
    // The body is left empty for the sheet.
    EXPECT_EQ(form->GetCell(1, 0)->text(), QString());

    sheet.setTitleColorBk(0);
    sheet.Draw(&dc, Rect(1, 1, 100, 100));
    EXPECT_EQ(form->GetCell(0, 0)->drawsBackground(), 0);
}

struct UnitCase {
    int unit;
    const char* suffix;
};

void PrintTo(const UnitCase& c, std::ostream* os) { *os << "unit " << c.unit; }

class CaptionUnit : public ::testing::TestWithParam<UnitCase> {};

TEST_P(CaptionUnit, SuffixFollowsTheUnit)
{
    test::DrawSheet sheet;
    sheet.m_units[0] = GetParam().unit;
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));
    EXPECT_EQ(sheet.getForm()->GetCell(0, 0)->text(),
              QStringLiteral("编号") + QString::fromUtf8(GetParam().suffix));
}

INSTANTIATE_TEST_SUITE_P(Cases, CaptionUnit,
                         ::testing::Values(UnitCase{5, "\n（t）"}, UnitCase{4, "\n（kg）"},
                                           UnitCase{3, "\n（g）"}, UnitCase{0, "\n（mm）"},
                                           UnitCase{2, "\n（m）"}, UnitCase{1, "\n（cm）"},
                                           UnitCase{-1, ""}, UnitCase{6, ""}));

TEST(PageDrawing, CurrentCaptionIsHighlightedOnScreenBeforeTheLastColumn)
{
    test::DrawSheet sheet;
    sheet.m_curRow = 0;
    const auto highlighted = [&](int column, bool printing) {
        sheet.m_curCol = column;
        platform::RecordingDc screen;
        platform::RecordingDc printer = test::printerDc();
        sheet.Draw(printing ? &printer : &screen, Rect(0, 0, 1000, 800));
        const CVes_Cell* cell = sheet.getForm()->GetCell(0, std::max(column, 0));
        return cell->backgroundColor() == RGB(224, 254, 8) && cell->drawsBackground();
    };
    EXPECT_TRUE(highlighted(0, false));
    EXPECT_TRUE(highlighted(2, false));
    EXPECT_FALSE(highlighted(3, false));
    EXPECT_FALSE(highlighted(-1, false));
    EXPECT_FALSE(highlighted(0, true));
}

// Page number

struct PageNumberCase {
    int style;
    unsigned int language;
    const char* text;
    int anchorY; // paper y of the anchor
};

void PrintTo(const PageNumberCase& c, std::ostream* os)
{
    *os << "style " << c.style << " language " << c.language;
}

class PageNumber : public ::testing::TestWithParam<PageNumberCase> {};

TEST_P(PageNumber, TextAndPlaceFollowTheStyle)
{
    const PageNumberCase& c = GetParam();
    test::DrawSheet sheet;
    sheet.m_pageNumberStyle = c.style;
    sheet.m_language = c.language;
    sheet.addRows(QList<int>(45, 1));
    sheet.setPageTo(2, 1);
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));

    const DcRecord* number = test::textRecord(dc.records(), QString::fromUtf8(c.text));
    ASSERT_NE(number, nullptr) << dc.texts().join(u'|').toStdString();
    EXPECT_EQ(number->state.textColor, kBlack);
    EXPECT_EQ(number->state.textAlign & (TA_RIGHT | TA_CENTER), unsigned(TA_CENTER));
    EXPECT_EQ(number->font.logFont().lfFaceName, QStringLiteral("宋体"));
    EXPECT_EQ(number->font.logFont().lfHeight, 40);
    // A text goes out 0.3 of its height below its anchor.
    EXPECT_EQ(number->points.at(0), printed(250 + 875, c.anchorY) + QPoint(0, 12));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageNumber,
    ::testing::Values(PageNumberCase{1, 0, "- 2 -", 2820},
                      PageNumberCase{0, 0, "第 2 页 ／ 共 3 页", 2970 - 75},
                      PageNumberCase{0, 1, "2 ／ 3", 2970 - 75},
                      PageNumberCase{2, 0, "第 2 页 ／ 共 3 页", 2970 - 75}));

// Cover

class CoverDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        sheet.m_curPage = 0;
        sheet.m_cover.initVariables();
        sheet.setExVarVal(CVes_TableBase::kVarAtlas, 1);
        sheet.setExVarVal(CVes_TableBase::kVarSeismic, 0);
        sheet.setExVarVal(CVes_TableBase::kVarConcrete, 30);
        sheet.setExVarVal(CVes_TableBase::kVarCover, 25);
    }
    void setCoverText(int row, const QString& text) { sheet.m_cover.m_variables[std::size_t(row)]->m_text = text; }
    QString cellText(int row) const { return sheet.m_cover.m_form->GetCell(row, 0)->text(); }
    void print()
    {
        dc.clear();
        sheet.Draw(&dc, Rect(1, 1, 100, 100));
    }

    test::DrawSheet sheet;
    platform::RecordingDc dc = test::printerDc();
};

TEST_F(CoverDrawing, PlaceholdersAreReplacedByTitleTextsAndDesignValues)
{
    setCoverText(0, QStringLiteral("抗震等级：{抗震等级}"));
    setCoverText(1, QStringLiteral("{混凝土强度} / {保护层}mm"));
    setCoverText(2, QStringLiteral("{锚固长度1} {锚固长度2} {锚固长度3} {锚固长度4}"));
    setCoverText(3, QStringLiteral("{工程名称}|{施工部位}|{表单标题}|{编制}|{审核}|{日期}"));
    sheet.setText(5, QStringLiteral("编制"), QString());
    sheet.setText(7, QStringLiteral("日期"), QString());
    sheet.m_cover.m_variables[1]->m_align = 2;
    sheet.m_cover.m_variables[1]->m_height = 70;
    print();

    EXPECT_EQ(cellText(0), QStringLiteral("抗震等级：非抗震"));
    EXPECT_EQ(cellText(1), QStringLiteral("C30 / 25mm"));
    QStringList anchorage;
    for (int grade = 1; grade <= 4; ++grade)
        anchorage << QStringLiteral("[%%%1]%2d")
                         .arg(QChar(u'A' + grade - 1))
                         .arg(Info_GetSteelMaoguBeishu(1, 0, 30, grade, 10.0f, 0));
    EXPECT_EQ(cellText(2), anchorage.join(u' '));
    // Empty values of texts 5 and 6 become 14 blanks; of text 7 nothing.
    EXPECT_EQ(cellText(3), QStringLiteral("综合楼|一层|钢筋配料单|") + QString(14, u' ')
                               + QStringLiteral("|李四|"));
    const CVes_Cell* cell = sheet.m_cover.m_form->GetCell(1, 0);
    EXPECT_EQ(cell->textAlign(), 2u);
    EXPECT_EQ(cell->getTxtHigh(), 70);
    // The cover texts themselves keep their placeholders.
    EXPECT_EQ(sheet.m_cover.m_variables[0]->m_text, QStringLiteral("抗震等级：{抗震等级}"));
    // The cover is drawn without borders.
    EXPECT_EQ(sheet.m_cover.m_form->getBorder(), 0);
    EXPECT_TRUE(dc.texts().contains(QStringLiteral("C30 / 25mm")));
}

TEST_F(CoverDrawing, ASheetWithoutItsOwnCoverShowsTheOneTheDesignDialogShows)
{
    setCoverText(1, QStringLiteral("保护层厚度：{保护层} mm"));
    sheet.clearExVars();
    print();
    EXPECT_EQ(cellText(1), QStringLiteral("保护层厚度：25 mm"));
}

class CoverSeismic : public ::testing::TestWithParam<std::pair<int, const char*>> {};

TEST_P(CoverSeismic, GradeText)
{
    test::DrawSheet sheet;
    sheet.m_curPage = 0;
    sheet.m_cover.initVariables();
    sheet.m_cover.m_variables[0]->m_text = QStringLiteral("[{抗震等级}]");
    if (GetParam().first != -100)
        sheet.setExVarVal(CVes_TableBase::kVarSeismic, GetParam().first);
    platform::RecordingDc dc = test::printerDc();
    sheet.Draw(&dc, Rect(1, 1, 100, 100));
    EXPECT_EQ(sheet.m_cover.m_form->GetCell(0, 0)->text(),
              QStringLiteral("[%1]").arg(QString::fromUtf8(GetParam().second)));
}

// -100: the sheet has no seismic variable (its value reads -1); the cover
// then names the grade the anchorage lengths are worked out with.
INSTANTIATE_TEST_SUITE_P(Cases, CoverSeismic,
                         ::testing::Values(std::pair{0, "非抗震"}, std::pair{-100, "二级"},
                                           std::pair{1, "一级"}, std::pair{2, "二级"},
                                           std::pair{3, "三级"}, std::pair{4, "四级"},
                                           std::pair{5, ""}));

class CoverClip : public CoverDrawing, public ::testing::WithParamInterface<bool> {};

// The default cover's rule of 76 "━" is wider than the paper: it must end at
// the cover's edges, not run across the desk beside the page.
TEST_P(CoverClip, TextWiderThanThePaperEndsAtTheCoversEdges)
{
    const bool printing = GetParam();
    sheet.m_cover.m_variables[5]->m_text = QString(76, QChar(0x2501));
    sheet.m_cover.m_variables[5]->m_height = 50;
    platform::RecordingDc::Device device;
    device.printing = printing;
    device.width = 4000; // wider than the page either way
    device.height = 3000;
    platform::RecordingDc view(device);
    sheet.Draw(&view, Rect(0, 0, 1200, 900));

    std::optional<platform::DcRecord> rule;
    for (const platform::DcRecord& r : view.records(DcOp::TextOut))
        if (r.text.startsWith(QChar(0x2501)))
            rule = r;
    ASSERT_TRUE(rule.has_value());
    // Each byte of a text is half its height wide: the rule is 76 × h wide.
    const int ruleWidth = 76 * std::abs(rule->font.logFont().lfHeight);
    ASSERT_TRUE(rule->state.clip.has_value()) << "the rule is drawn unclipped";
    const Rect clip = *rule->state.clip;
    EXPECT_LT(clip.Width(), ruleWidth);
    EXPECT_LT(clip.left, rule->points.at(0).x());
    EXPECT_GT(clip.right, rule->points.at(0).x());
    if (!printing) {
        const Rect paper = sheet.getPaperRect();
        EXPECT_GT(clip.left, paper.left);
        EXPECT_LT(clip.right, paper.right);
    }
    EXPECT_FALSE(view.state().clip.has_value()) << "the clip ends with the cover";
}

INSTANTIATE_TEST_SUITE_P(Devices, CoverClip, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "printer" : "screen"; });

TEST_F(CoverDrawing, RowsTakeTheirShareOfThePrintableArea)
{
    // Printable area (190, 150)–(1940, 2770): 2620 high.
    print();
    const CVes_Form* form = sheet.m_cover.m_form.get();
    EXPECT_EQ(form->getRect(), Rect(printed(250, 200), printed(2000, 2820)));
    ASSERT_EQ(form->GetRowCount(), 20);
    for (int i = 0; i < 19; ++i)
        EXPECT_EQ(form->GetRowHeight(i), 131) << i;
    // An empty cover draws nothing, and never a rule.
    EXPECT_TRUE(dc.drawing().empty()) << dc.dump().toStdString();
    EXPECT_EQ(form->GetRowHeight(19), 2620 - 19 * 131);
    EXPECT_EQ(form->GetColumnWidth(0), 1750);

    // A share that would pass the bottom keeps the equal share.
    sheet.m_cover.m_percents[0] = 50;
    sheet.m_cover.m_percents[1] = 60;
    print();
    EXPECT_EQ(form->GetRowHeight(0), 1310);
    EXPECT_EQ(form->GetRowHeight(1), 2620 / 20);
}

TEST_F(CoverDrawing, SummaryMarkersDrawTablesOfFourTextsARow)
{
    for (int i = 1; i <= 9; ++i)
        sheet.m_barTexts << QStringLiteral("B%1").arg(i);
    sheet.m_jointTexts = {QStringLiteral("J1"), QStringLiteral("J2")};
    setCoverText(4, QStringLiteral("@规格汇总@"));
    setCoverText(5, QStringLiteral("接头 @接头汇总@"));
    setCoverText(6, QStringLiteral("@规格汇总@@接头汇总@"));
    print();

    // The summaries are asked for once, and kept.
    EXPECT_EQ(sheet.m_amountCalls, 1);
    EXPECT_EQ(sheet.m_cover.m_barSummaryTexts.size(), 9);
    print();
    EXPECT_EQ(sheet.m_amountCalls, 1);

    // Rows 4 and 6 show the bar summary (3 rows of 4), row 5 the joints.
    EXPECT_EQ(cellText(4), QString());
    EXPECT_EQ(cellText(5), QString());
    QSet<int> xs, ys;
    int barTexts = 0;
    for (const DcRecord& record : dc.records(DcOp::TextOut)) {
        if (!record.text.startsWith(u'B'))
            continue;
        // The first nine are row 4's.
        if (++barTexts <= 9) {
            xs.insert(record.points[0].x());
            ys.insert(record.points[0].y());
        }
    }
    EXPECT_EQ(barTexts, 18);
    EXPECT_EQ(xs.size(), 4);
    EXPECT_EQ(ys.size(), 3);
    EXPECT_EQ(dc.texts().count(QStringLiteral("J2")), 1);
    // The summary tables are drawn with their rules.
    EXPECT_GT(dc.count(DcOp::LineTo), 0);
}

TEST_F(CoverDrawing, EmptySummaryStillDrawsOneRow)
{
    setCoverText(2, QStringLiteral("@接头汇总@"));
    print();
    EXPECT_EQ(sheet.m_amountCalls, 1);
    // One row of four bordered cells.
    EXPECT_GT(dc.count(DcOp::LineTo), 0);
}

TEST_F(CoverDrawing, RowBeingEditedIsHighlightedOnScreen)
{
    setCoverText(0, QStringLiteral("第一行"));
    setCoverText(1, QStringLiteral("第二行"));
    sheet.m_barTexts = {QStringLiteral("B1")};
    setCoverText(2, QStringLiteral("@规格汇总@"));
    sheet.m_cover.m_curVar = 0;
    platform::RecordingDc screen;
    sheet.Draw(&screen, Rect(0, 0, 1000, 800));
    const CVes_Form* form = sheet.m_cover.m_form.get();
    EXPECT_EQ(form->GetCell(0, 0)->textColor(), kBlue);
    EXPECT_EQ(form->GetCell(0, 0)->drawsBackground(), 1);
    EXPECT_EQ(form->GetCell(0, 0)->backgroundColor(), RGB(255, 255, 140));
    EXPECT_EQ(form->GetCell(1, 0)->textColor(), kBlack);
    EXPECT_EQ(form->GetCell(1, 0)->drawsBackground(), 0);

    // The summary row being edited: its background goes under the table.
    sheet.m_cover.m_curVar = 2;
    screen.clear();
    sheet.Draw(&screen, Rect(0, 0, 1000, 800));
    const Rect row2 = form->GetCellRect(2, 0);
    int fill = -1, text = -1;
    const auto& records = screen.records();
    for (int i = 0; i < int(records.size()); ++i) {
        if (records[i].op == DcOp::FillSolidRect && records[i].rect == row2)
            fill = i;
        if (records[i].op == DcOp::TextOut && records[i].text == QStringLiteral("B1"))
            text = i;
    }
    ASSERT_GE(fill, 0);
    EXPECT_GT(text, fill);

    // Printed: no highlight.
    sheet.m_cover.m_curVar = 0;
    print();
    EXPECT_EQ(form->GetCell(0, 0)->textColor(), kBlack);
    EXPECT_EQ(form->GetCell(0, 0)->drawsBackground(), 0);
}

TEST_F(CoverDrawing, CoverLeavesTheTitleBlockAndPageNumberOut)
{
    setCoverText(0, QStringLiteral("封面"));
    print();
    EXPECT_EQ(dc.texts(), QStringList{QStringLiteral("封面")});
}

// On an image

TEST(PageDrawing, PageOnAnImageShowsDeskShadowSheetAndRules)
{
    test::DrawSheet sheet;
    sheet.addRows({1, 2, 1});
    sheet.setPageTo(1, 1);
    QImage image(1000, 800, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    {
        platform::PainterDc dc(&image);
        sheet.Draw(&dc, Rect(0, 0, 1000, 800));
        sheet.getForm()->OnDraw(&dc);
    }
    if (const QByteArray out = qgetenv("RODO_PAGE_PNG"); !out.isEmpty())
        image.save(QString::fromLocal8Bit(out));

    EXPECT_EQ(image.pixel(5, 5), qRgb(231, 231, 214));
    const Rect paper = sheet.getPaperRect();
    // The shadow shows right of the sheet and below it.
    EXPECT_EQ(image.pixel(paper.right + 3, paper.top + 100), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(paper.left + 100, paper.bottom + 3), qRgb(0, 0, 0));
    const COLORREF sheetColour = platform::Brush::stock(Info_UserCustomTableBkColor()).color();
    EXPECT_EQ(image.pixel(paper.left + 5, paper.top + 5),
              qRgb(GetRValue(sheetColour), GetGValue(sheetColour), GetBValue(sheetColour)));
    // The form's outline is drawn in black at its left edge.
    const Rect area = sheet.getForm()->getRect();
    const QPoint middle(area.left, (area.top + area.bottom) / 2);
    EXPECT_EQ(qGray(image.pixel(middle)), 0);
}

} // namespace

namespace {

TEST(PageDrawing, DefaultCoverOnAnImageShowsItsTitleRow)
{
    test::DrawSheet sheet;
    sheet.initExVarArray();
    sheet.setExVarVal(CVes_TableBase::kVarSeismic, 2);
    sheet.setExVarVal(CVes_TableBase::kVarConcrete, 30);
    sheet.setExVarVal(CVes_TableBase::kVarCover, 25);
    sheet.m_barTexts = {QStringLiteral("%%C20：1.234t"), QStringLiteral("%%C25：2.5t"),
                        QStringLiteral("%%A8：0.3t")};
    sheet.initTableCover();
    sheet.setPageTo(0, 1);
    QImage image(800, 1000, QImage::Format_RGB32);
    {
        platform::PainterDc dc(&image);
        sheet.Draw(&dc, Rect(0, 0, 800, 1000));
    }
    if (const QByteArray out = qgetenv("RODO_COVER_PNG"); !out.isEmpty())
        image.save(QString::fromLocal8Bit(out));
    // The title row (row 2, the title's placeholder) is written in.
    const Rect title = sheet.m_cover.m_form->GetCellRect(2, 0);
    int dark = 0;
    for (int y = title.top; y < title.bottom; ++y)
        for (int x = title.left; x < title.right; ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 20);
    EXPECT_EQ(sheet.m_cover.m_form->GetCell(2, 0)->text(), QStringLiteral("钢筋配料单"));
}

} // namespace
