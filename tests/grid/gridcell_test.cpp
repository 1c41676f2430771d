// Cells: their data, the default-cell fall-back, copying, measuring and
// drawing through the recording context.

#include "tests/grid/testgrid.h"

#include "platform/recordingdc.h"

#include <gtest/gtest.h>

using namespace platform::gdi;
using platform::DcOp;
using platform::Rect;
using test::TestGrid;

namespace {

TEST(GridCell, NewCellTakesEverythingFromItsDefaultCell)
{
    TestGrid grid(3, 3, 1, 1);
    CGridCellBase* cell = grid.GetCell(1, 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->GetText(), QString());
    EXPECT_EQ(cell->GetImage(), -1);
    EXPECT_EQ(cell->GetTextClr(), CLR_DEFAULT);
    EXPECT_EQ(cell->GetBackClr(), CLR_DEFAULT);
    EXPECT_TRUE(cell->IsDefaultFont());
    EXPECT_EQ(cell->GetFormat(), DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    EXPECT_EQ(cell->GetFormat(), 0x8824u);

    grid.GetDefaultCell(false, false)->SetMargin(7);
    EXPECT_EQ(cell->GetMargin(), 7u);
    EXPECT_EQ(grid.GetCell(0, 1)->GetDefaultCell(), grid.GetDefaultCell(true, false));
    EXPECT_EQ(grid.GetCell(1, 0)->GetDefaultCell(), grid.GetDefaultCell(false, true));
    EXPECT_EQ(grid.GetCell(0, 0)->GetDefaultCell(), grid.GetDefaultCell(true, true));
    EXPECT_EQ(cell->GetDefaultCell(), grid.GetDefaultCell(false, false));
}

TEST(GridCell, CellWithoutGridHasNoDefaultsAndDrawsNothing)
{
    CGridCell cell;
    EXPECT_EQ(cell.GetDefaultCell(), nullptr);
    EXPECT_EQ(cell.GetFormat(), 0xFFFFFFFFu);
    EXPECT_EQ(cell.GetFont(), nullptr);
    EXPECT_EQ(cell.GetFontObject(), nullptr);
    platform::RecordingDc dc;
    EXPECT_FALSE(cell.Draw(&dc, 0, 0, Rect(0, 0, 99, 19)));
    EXPECT_TRUE(dc.records().empty());
    // Measured without margins: 8 wide and 16 high in the recording metrics.
    EXPECT_EQ(cell.GetTextExtent(QStringLiteral("x"), &dc), QSize(8, 16));
    EXPECT_EQ(cell.GetTextExtent(QString(), &dc), QSize(0, 0));
}

TEST(GridCell, DefaultCellIsReadOnlyAndKeepsNoDataOrState)
{
    TestGrid grid;
    CGridDefaultCell* def = grid.GetDefaultCell(false, false);
    EXPECT_TRUE(def->IsReadOnly());
    def->SetState(GridStateSelected);
    def->SetData(42);
    EXPECT_EQ(def->GetState(), GridStateReadOnly);
    EXPECT_EQ(def->GetData(), 0);
    // A default cell ends the fall-back chain, even with an "use the default" format.
    def->SetFormat(0xFFFFFFFF);
    EXPECT_EQ(def->GetFormat(), 0xFFFFFFFFu);
    ASSERT_NE(def->GetFont(), nullptr);
    ASSERT_NE(def->GetFontObject(), nullptr);
}

TEST(GridCell, DefaultCellSizeFollowsItsFont)
{
    TestGrid grid;
    CGridDefaultCell* def = grid.GetDefaultCell(false, false);
    LOGFONT small;
    small.lfHeight = -10;
    def->SetFont(&small);
    const int smallHeight = def->GetHeight();
    const int smallWidth = def->GetWidth();
    LOGFONT large = small;
    large.lfHeight = -30;
    def->SetFont(&large);
    EXPECT_GT(def->GetHeight(), smallHeight);
    EXPECT_GT(def->GetWidth(), smallWidth);
    EXPECT_EQ(def->GetFont()->lfHeight, -30);
    def->SetFont(nullptr); // ignored
    EXPECT_EQ(def->GetFont()->lfHeight, -30);
}

TEST(GridCell, AssignmentCopiesPropertiesAndSelfAssignmentChangesNothing)
{
    TestGrid grid(2, 2);
    CGridCellBase* source = grid.GetCell(0, 0);
    source->SetText(QStringLiteral("钢筋"));
    source->SetData(7);
    source->SetTextClr(RGB(1, 2, 3));
    source->SetBackClr(RGB(4, 5, 6));
    source->SetMargin(5);
    LOGFONT lf;
    lf.lfHeight = -18;
    lf.lfFaceName = QStringLiteral("黑体");
    source->SetFont(&lf);
    source->SetState(GridStateReadOnly);

    *source = *source;
    EXPECT_EQ(source->GetText(), QStringLiteral("钢筋"));

    CGridCell target;
    target = *source;
    EXPECT_EQ(target.GetGrid(), &grid);
    EXPECT_EQ(target.GetText(), QStringLiteral("钢筋"));
    EXPECT_EQ(target.GetData(), 7);
    EXPECT_EQ(target.GetTextClr(), RGB(1, 2, 3));
    EXPECT_EQ(target.GetBackClr(), RGB(4, 5, 6));
    EXPECT_EQ(target.GetMargin(), 5u);
    EXPECT_EQ(target.GetState(), GridStateReadOnly);
    ASSERT_FALSE(target.IsDefaultFont());
    EXPECT_EQ(*target.GetFont(), lf);

    // A source without its own font leaves the target on the default font.
    CGridCellBase* plain = grid.GetCell(1, 1);
    target = *plain;
    EXPECT_TRUE(target.IsDefaultFont());
}

TEST(GridCell, ResetForgetsEverything)
{
    TestGrid grid(1, 1);
    CGridCell cell;
    cell.SetGrid(&grid);
    cell.SetText(QStringLiteral("a"));
    cell.SetImage(3);
    cell.SetState(GridStateModified);
    cell.SetTextClr(RGB(9, 9, 9));
    LOGFONT lf;
    cell.SetFont(&lf);
    cell.Reset();
    EXPECT_EQ(cell.GetText(), QString());
    EXPECT_EQ(cell.GetImage(), -1);
    EXPECT_EQ(cell.GetState(), 0u);
    EXPECT_EQ(cell.GetTextClr(), CLR_DEFAULT);
    EXPECT_TRUE(cell.IsDefaultFont());
    EXPECT_EQ(cell.GetGrid(), nullptr);
}

TEST(GridCell, TextExtentMeasuresInTheCellsFontWithMargins)
{
    TestGrid grid(2, 2, 1, 0);
    test::useFixedMetrics(grid, 20, 2);
    platform::RecordingDc dc;
    CGridCellBase* cell = grid.GetCell(1, 0);
    // 4 bytes of 10 each, plus 4 margins across and 2 down.
    EXPECT_EQ(cell->GetTextExtent(QStringLiteral("ABCD"), &dc), QSize(40 + 8, 20 + 4));
    // No text: the default cell's size.
    const CGridDefaultCell* def = grid.GetDefaultCell(false, false);
    EXPECT_EQ(cell->GetTextExtent(QString(), &dc), QSize(def->GetWidth(), def->GetHeight()));
    // Vertical text exchanges the two and adds four margins to the height.
    LOGFONT vertical;
    vertical.lfHeight = -20;
    vertical.lfEscapement = 900;
    cell->SetFont(&vertical);
    EXPECT_EQ(cell->GetTextExtent(QStringLiteral("ABCD"), &dc), QSize(20 + 4, 40 + 8 + 8));
    // Word-wrapped text is as wide as its widest line.
    cell->SetFont(nullptr);
    cell->SetFormat(DT_WORDBREAK);
    const QSize wrapped = cell->GetTextExtent(QStringLiteral("AB\nABCDEF"), &dc);
    EXPECT_EQ(wrapped.height(), 2 * 20 + 4);
    EXPECT_GE(wrapped.width(), 60 + 8);
    EXPECT_LE(wrapped.width(), 60 + 1 + 8);
}

struct DefaultKindCase {
    const char* name;
    int row;
    int col;
    bool fixedRow;
    bool fixedCol;
};

void PrintTo(const DefaultKindCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridCellDrawDefaults : public ::testing::TestWithParam<DefaultKindCase> {};

TEST_P(GridCellDrawDefaults, DrawsWithTheDefaultCellOfItsKind)
{
    const DefaultKindCase& c = GetParam();
    TestGrid grid(3, 3, 1, 1);
    test::useFixedMetrics(grid);
    CGridDefaultCell* def = grid.GetDefaultCell(c.fixedRow, c.fixedCol);
    def->SetTextClr(RGB(10, 20, 30));
    def->SetBackClr(RGB(40, 50, 60));
    def->SetFormat(DT_CENTER | DT_SINGLELINE);
    CGridCellBase* cell = grid.GetCell(c.row, c.col);
    cell->SetText(QStringLiteral("x"));
    cell->SetFormat(0xFFFFFFFF); // new cells copy the format; this one takes its default's

    platform::RecordingDc dc;
    ASSERT_TRUE(cell->Draw(&dc, c.row, c.col, Rect(0, 0, 99, 19), true));
    const auto fills = dc.records(DcOp::FillSolidRect);
    ASSERT_EQ(fills.size(), 1u) << dc.dump().toStdString();
    EXPECT_EQ(fills[0].value, RGB(40, 50, 60));
    EXPECT_EQ(fills[0].rect, Rect(0, 0, 100, 20)); // the cell grown by one right and down
    const auto texts = dc.records(DcOp::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].value, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(texts[0].state.textColor, RGB(10, 20, 30));
    EXPECT_EQ(texts[0].font.logFont().lfHeight, -20);
    // The text stands inside the margins (and the raised border of fixed cells).
    const int inset = 2 + ((c.fixedRow || c.fixedCol) ? 1 : 0);
    EXPECT_EQ(texts[0].rect.left, inset);
    // The context is given back as it was.
    EXPECT_EQ(dc.records().back().op, DcOp::RestoreDC);
}

INSTANTIATE_TEST_SUITE_P(Kinds, GridCellDrawDefaults,
                         ::testing::Values(DefaultKindCase{"normal", 1, 1, false, false},
                                           DefaultKindCase{"fixedRow", 0, 1, true, false},
                                           DefaultKindCase{"fixedColumn", 1, 0, false, true},
                                           DefaultKindCase{"corner", 0, 0, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GridCellDraw, SelectedCellUsesHighlightColoursOverItsOwn)
{
    TestGrid grid(2, 2);
    CGridCellBase* cell = grid.GetCell(1, 1);
    cell->SetText(QStringLiteral("sel"));
    cell->SetTextClr(RGB(255, 0, 0));
    cell->SetBackClr(RGB(0, 255, 0));
    grid.SetItemState(1, 1, GridStateSelected);

    platform::RecordingDc dc;
    ASSERT_TRUE(cell->Draw(&dc, 1, 1, Rect(0, 0, 49, 19), false));
    const auto fills = dc.records(DcOp::FillSolidRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].value, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(dc.records(DcOp::DrawText).at(0).state.textColor, GetSysColor(COLOR_HIGHLIGHTTEXT));
}

TEST(GridCellDraw, OwnBackgroundIsPaintedEvenWithoutErase)
{
    TestGrid grid(2, 2);
    CGridCellBase* cell = grid.GetCell(1, 1);
    platform::RecordingDc dc;
    cell->Draw(&dc, 1, 1, Rect(0, 0, 49, 19), false);
    EXPECT_EQ(dc.count(DcOp::FillSolidRect), 0);
    cell->SetBackClr(RGB(1, 2, 3));
    cell->Draw(&dc, 1, 1, Rect(0, 0, 49, 19), false);
    EXPECT_EQ(dc.count(DcOp::FillSolidRect), 1);
}

TEST(GridCellDraw, FocusFrameCoversTheGrownRectangleWithoutGridLines)
{
    TestGrid grid(3, 3, 1, 1);
    grid.SetFocusCell(1, 1);
    CGridCellBase* cell = grid.GetCell(1, 1);
    ASSERT_TRUE(cell->IsFocused());

    grid.SetGridLines(CGridCtrl::GVL_NONE);
    platform::RecordingDc noLines;
    cell->Draw(&noLines, 1, 1, Rect(10, 20, 59, 39), false);
    ASSERT_EQ(noLines.count(DcOp::FrameRect), 1);
    EXPECT_EQ(noLines.records(DcOp::FrameRect)[0].rect, Rect(10, 20, 60, 40));

    grid.SetGridLines(CGridCtrl::GVL_BOTH);
    platform::RecordingDc lines;
    cell->Draw(&lines, 1, 1, Rect(10, 20, 59, 39), false);
    EXPECT_EQ(lines.records(DcOp::FrameRect).at(0).rect, Rect(10, 20, 59, 39));

    grid.SetFrameFocusCell(false);
    platform::RecordingDc noFrame;
    cell->Draw(&noFrame, 1, 1, Rect(10, 20, 59, 39), false);
    EXPECT_EQ(noFrame.count(DcOp::FrameRect), 0);
}

TEST(GridCellDraw, HeadingsOfTheFocusRowAndColumnAreSunken)
{
    TestGrid grid(3, 3, 1, 1);
    grid.SetFocusCell(2, 2);
    platform::RecordingDc dc;
    grid.GetCell(0, 2)->Draw(&dc, 0, 2, Rect(0, 0, 49, 19), false); // heading of the focus column
    grid.GetCell(0, 1)->Draw(&dc, 0, 1, Rect(0, 0, 49, 19), false); // another heading
    EXPECT_EQ(dc.count(DcOp::DrawEdge), 1);
    EXPECT_EQ(dc.records(DcOp::DrawEdge)[0].rect, Rect(0, 0, 50, 20));
    EXPECT_EQ(dc.records(DcOp::DrawEdge)[0].value, BDR_SUNKENINNER);
    EXPECT_EQ(dc.count(DcOp::LineTo), 4); // the raised border of the other heading
}

TEST(GridCellDraw, SortArrowPointsUpWhenAscendingAndNarrowsTheText)
{
    TestGrid grid(3, 2, 1, 0);
    test::useFixedMetrics(grid, 20, 2);
    grid.SetSortColumn(1);
    grid.SetSortAscending(true);
    CGridCellBase* heading = grid.GetCell(0, 1);
    heading->SetText(QStringLiteral("H"));

    platform::RecordingDc dc;
    heading->Draw(&dc, 0, 1, Rect(0, 0, 99, 29), false);
    // "M" is 20 high in the recording metrics: arrows of 16, drawn twice.
    const auto segments = dc.segments();
    ASSERT_GE(segments.size(), 6u);
    const auto& shadowBase = segments[segments.size() - 3];
    const auto& shadowSide = segments[segments.size() - 2];
    EXPECT_EQ(shadowBase.pen.color(), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(shadowBase.from.y(), shadowBase.to.y());
    EXPECT_LT(shadowSide.to.y(), shadowBase.from.y()); // the apex lies above the base
    const Rect textRect = dc.records(DcOp::DrawText).at(0).rect;
    EXPECT_LT(textRect.right, 99 - 1 - 2 - 16 + 1);

    grid.SetSortAscending(false);
    platform::RecordingDc down;
    heading->Draw(&down, 0, 1, Rect(0, 0, 99, 29), false);
    const auto s = down.segments();
    EXPECT_GT(s[s.size() - 2].to.y(), s[s.size() - 3].from.y());
}

} // namespace
