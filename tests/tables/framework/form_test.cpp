#include "tables/framework/form.h"

#include "core/model/modelreference.h"
#include "platform/recordingdc.h"

#include <gtest/gtest.h>

#include <functional>

using namespace platform::gdi;
using platform::DcOp;
using platform::RecordingDc;
using platform::Rect;

namespace {

std::vector<int> rowHeights(const CVes_Form& form)
{
    std::vector<int> out;
    for (int r = 0; r < form.GetRowCount(); ++r)
        out.push_back(form.GetRowHeight(r));
    return out;
}

std::vector<int> columnWidths(const CVes_Form& form)
{
    std::vector<int> out;
    for (int c = 0; c < form.GetColumnCount(); ++c)
        out.push_back(form.GetColumnWidth(c));
    return out;
}

// Every cell exists, knows its place and belongs to the form.
void expectWholeGrid(const CVes_Form& form)
{
    for (int r = 0; r < form.GetRowCount(); ++r) {
        for (int c = 0; c < form.GetColumnCount(); ++c) {
            const CVes_Cell* cell = form.GetCell(r, c);
            ASSERT_NE(cell, nullptr) << r << "," << c;
            EXPECT_EQ(cell->row(), r);
            EXPECT_EQ(cell->column(), c);
        }
    }
    EXPECT_EQ(form.GetCell(form.GetRowCount(), 0), nullptr);
    EXPECT_EQ(form.GetCell(0, form.GetColumnCount()), nullptr);
    EXPECT_EQ(form.GetCell(-1, 0), nullptr);
}

// layout

TEST(FormLayout, DefaultsToOneCell)
{
    CVes_Form form;
    EXPECT_EQ(form.GetRowCount(), 1);
    EXPECT_EQ(form.GetColumnCount(), 1);
    EXPECT_EQ(form.getBorderWidth(), 2);
    EXPECT_TRUE(form.getBorder());
    EXPECT_EQ(form.getScale(), 1.0);
    ASSERT_NE(form.GetCell(0, 0), nullptr);
    EXPECT_EQ(form.GetCell(0, 0)->form(), &form);

    RecordingDc dc;
    CVes_Form kept(&dc, Rect(0, 0, 100, 50));
    EXPECT_EQ(kept.getCDC(), &dc);
    EXPECT_EQ(kept.getRect(), Rect(0, 0, 100, 50));
    EXPECT_TRUE(kept.getBorder());
    kept.resetCellRect();
    EXPECT_EQ(rowHeights(kept), std::vector<int>{50});
}

struct LayoutCase {
    const char* name;
    Rect rect;
    int rows;
    int columns;
    std::vector<int> heights;
    std::vector<int> widths;
};

class FormSizes : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(FormSizes, EqualSharesTruncated)
{
    const LayoutCase& c = GetParam();
    CVes_Form form;
    form.SetRowCount(c.rows);
    form.SetColumnCount(c.columns);
    form.setRect(c.rect);
    EXPECT_EQ(rowHeights(form), c.heights);
    EXPECT_EQ(columnWidths(form), c.widths);
    expectWholeGrid(form);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormSizes,
    ::testing::Values(
        LayoutCase{"Even", Rect(0, 0, 300, 100), 4, 3, {25, 25, 25, 25}, {100, 100, 100}},
        LayoutCase{"Remainders", Rect(10, 20, 110, 120), 3, 7, {33, 33, 33},
                   {14, 14, 14, 14, 14, 14, 14}},
        LayoutCase{"UpsideDown", Rect(0, 100, 10, 0), 3, 1, {-33, -33, -33}, {10}},
        LayoutCase{"ZeroCountKeepsOne", Rect(0, 0, 10, 10), 0, -2, {10}, {10}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormCounts, TheSameCountChangesNothingAnotherResetsEverySize)
{
    CVes_Form form;
    form.setRect(Rect(0, 0, 90, 90));
    form.SetRowCount(3);
    form.SetColumnCount(3);
    ASSERT_EQ(form.SetRowHeight(0, 50), 1);
    ASSERT_EQ(form.SetColumnWidth(2, 5), 1);
    form.SetRowCount(3);
    form.SetColumnCount(3);
    EXPECT_EQ(rowHeights(form), (std::vector<int>{50, 30, 30}));
    EXPECT_EQ(columnWidths(form), (std::vector<int>{30, 30, 5}));

    form.SetRowCount(5);
    form.SetColumnCount(2);
    EXPECT_EQ(rowHeights(form), (std::vector<int>{18, 18, 18, 18, 18}));
    EXPECT_EQ(columnWidths(form), (std::vector<int>{45, 45}));
    expectWholeGrid(form);
}

TEST(FormCounts, ShrinkingDropsCellsAtTheEndAndKeepsTheOthers)
{
    CVes_Form form;
    form.setRect(Rect(0, 0, 100, 100));
    form.SetRowCount(4);
    form.SetColumnCount(4);
    form.setCellText(1, 1, QStringLiteral("kept"), 6, 10, QPoint(), QString());
    CVes_Cell* kept = form.GetCell(1, 1);
    form.SetRowCount(2);
    form.SetColumnCount(2);
    EXPECT_EQ(form.GetCell(1, 1), kept);
    EXPECT_EQ(kept->text(), QStringLiteral("kept"));
    expectWholeGrid(form);
    form.SetRowCount(3);
    EXPECT_EQ(form.GetCell(2, 1)->form(), &form);
    expectWholeGrid(form);
}

struct SizeCase {
    const char* name;
    bool row;
    int index;
    int size;
    int answer;
};

class FormSizeSetters : public ::testing::TestWithParam<SizeCase> {};

TEST_P(FormSizeSetters, RowsRefuseZeroColumnsRefuseNegative)
{
    const SizeCase& c = GetParam();
    CVes_Form form;
    form.setRect(Rect(0, 0, 60, 60));
    form.SetRowCount(3);
    form.SetColumnCount(3);
    const std::vector<int> before = c.row ? rowHeights(form) : columnWidths(form);
    const int answer =
        c.row ? form.SetRowHeight(c.index, c.size) : form.SetColumnWidth(c.index, c.size);
    EXPECT_EQ(answer, c.answer);
    std::vector<int> expected = before;
    if (answer)
        expected[size_t(c.index)] = c.size;
    EXPECT_EQ(c.row ? rowHeights(form) : columnWidths(form), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormSizeSetters,
    ::testing::Values(SizeCase{"RowHeight", true, 1, 7, 1}, SizeCase{"RowZero", true, 1, 0, 0},
                      SizeCase{"RowNegative", true, 1, -7, 1},
                      SizeCase{"RowOutside", true, 3, 7, 0}, SizeCase{"RowBelow", true, -1, 7, 0},
                      SizeCase{"ColumnWidth", false, 2, 9, 1},
                      SizeCase{"ColumnZeroHides", false, 2, 0, 1},
                      SizeCase{"ColumnNegative", false, 2, -1, 0},
                      SizeCase{"ColumnOutside", false, 3, 9, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormSizeGetters, OutsideTheGridIsMinusOne)
{
    CVes_Form form;
    EXPECT_EQ(form.GetRowHeight(1), -1);
    EXPECT_EQ(form.GetRowHeight(-1), -1);
    EXPECT_EQ(form.GetColumnWidth(1), -1);
}

// geometry

// Rows 10, hidden, 20; columns 30, hidden, 40; from (100, 50).
class FormGeometry : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A rectangle without height lays every row out hidden; a height of
        // 0 cannot be set, so pages hide rows this way.
        form.setRect(Rect(100, 50, 170, 50));
        form.SetRowCount(3);
        form.SetColumnCount(3);
        ASSERT_TRUE(form.SetRowHeight(0, 10));
        ASSERT_TRUE(form.SetRowHeight(2, 20));
        ASSERT_TRUE(form.SetColumnWidth(0, 30));
        ASSERT_TRUE(form.SetColumnWidth(1, 0));
        ASSERT_TRUE(form.SetColumnWidth(2, 40));
        ASSERT_EQ(rowHeights(form), (std::vector<int>{10, 0, 20}));
    }

    CVes_Form form;
};

struct CellRectCase {
    int row;
    int column;
    Rect rect;
};

class FormCellRect : public FormGeometry, public ::testing::WithParamInterface<CellRectCase> {};

TEST_P(FormCellRect, HiddenRowsTakeNoSpace)
{
    EXPECT_EQ(form.GetCellRect(GetParam().row, GetParam().column), GetParam().rect);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, FormCellRect,
    ::testing::Values(CellRectCase{0, 0, Rect(100, 50, 130, 60)},
                      CellRectCase{0, 2, Rect(130, 50, 170, 60)},
                      CellRectCase{2, 2, Rect(130, 60, 170, 80)},
                      CellRectCase{2, 1, Rect(130, 60, 130, 80)}, // hidden column: no width
                      CellRectCase{1, 0, Rect()},                 // hidden row
                      CellRectCase{3, 0, Rect()}, CellRectCase{0, 3, Rect()},
                      CellRectCase{-1, 0, Rect()}));

struct HitCase {
    const char* name;
    QPoint point;
    int hit;
    int row;
    int column;
};

class FormHitTest : public FormGeometry, public ::testing::WithParamInterface<HitCase> {};

TEST_P(FormHitTest, LeftAndTopInsideRightAndBottomOutside)
{
    form.setCellMerge(1, 2, 0, 2, 2); // row 2 is one range headed by (2, 0)
    int row = -7;
    int column = -7;
    EXPECT_EQ(form.HitTest(GetParam().point, row, column), GetParam().hit);
    EXPECT_EQ(row, GetParam().row);
    EXPECT_EQ(column, GetParam().column);
}

INSTANTIATE_TEST_SUITE_P(
    Points, FormHitTest,
    ::testing::Values(HitCase{"TopLeftCorner", {100, 50}, 1, 0, 0},
                      HitCase{"InsideFirst", {129, 59}, 1, 0, 0},
                      HitCase{"RightEdgeIsTheNextCell", {130, 55}, 1, 0, 2},
                      HitCase{"BottomEdgeIsTheNextRow", {100, 60}, 1, 2, 0},
                      HitCase{"CoveredCellAnswersItsHead", {150, 70}, 1, 2, 0},
                      HitCase{"RightOfTheForm", {170, 55}, 0, -7, -7},
                      HitCase{"BelowTheForm", {120, 80}, 0, -7, -7},
                      HitCase{"LeftOfTheForm", {99, 55}, 0, -7, -7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormHitTestEdges, UpsideDownBoxesAreNormalisedAndMissingCellsStillHit)
{
    CVes_Form form;
    form.setRect(Rect(0, 0, 100, 100));
    form.SetRowCount(2);
    form.SetColumnCount(2);
    ASSERT_TRUE(form.SetRowHeight(0, -20)); // from y 0 up to -20
    int row = -1;
    int column = -1;
    EXPECT_TRUE(form.HitTest(QPoint(10, -5), row, column));
    EXPECT_EQ(row, 0);
    EXPECT_EQ(column, 0);

    form.DestroyCell(1, 1);
    row = column = -9;
    // Row 1 now starts at -20 and runs 50 down.
    EXPECT_TRUE(form.HitTest(QPoint(60, 0), row, column));
    EXPECT_EQ(row, -9); // a box without a cell answers TRUE and leaves the outputs
    EXPECT_EQ(column, -9);
}

// setters

TEST(FormSetters, AnswerWhetherTheCellExists)
{
    CVes_Form form;
    form.SetRowCount(2);
    form.SetColumnCount(2);
    CVes_ModelReference model;
    CVes_SteelStartReference start;
    const QPoint off(3, 4);
    const QString song = QStringLiteral("宋体");
    struct Call {
        const char* name;
        std::function<int(int, int)> call;
    };
    const std::vector<Call> calls{
        {"DrawBorder", [&](int r, int c) { return form.setCellDrawBorder(r, c, 0); }},
        {"DrawBk", [&](int r, int c) { return form.setCellDrawBk(r, c, 1); }},
        {"BkColor", [&](int r, int c) { return form.setCellBkColor(r, c, 5); }},
        {"TxtColor", [&](int r, int c) { return form.setCellTxtColor(r, c, 6); }},
        {"TxtAlign", [&](int r, int c) { return form.setCellTxtAlign(r, c, 2); }},
        {"TxtFont", [&](int r, int c) { return form.setCellTxtFont(r, c, song); }},
        {"TxtHigh", [&](int r, int c) { return form.setCellTxtHigh(r, c, 33); }},
        {"Text", [&](int r, int c) { return form.setCellText(r, c, "t", 0, 12, off, song); }},
        {"String", [&](int r, int c) { return form.AddCellString(r, c, "s", 2, 9, off); }},
        {"Line", [&](int r, int c) { return form.AddCellLine(r, c, 0, 0, 5, 5, 1, 0); }},
        {"ClearLine", [&](int r, int c) { return form.ClearnCellLine(r, c); }},
        {"Model", [&](int r, int c) { return form.setCellModel(r, c, &model, 6); }},
        {"Start", [&](int r, int c) { return form.setCellSteelStart(r, c, &start, 0); }},
        {"Form", [&](int r, int c) { return form.setCellForm(r, c, &form); }},
        {"TriCell", [&](int r, int c) { return form.setTriCell(r, c, 1); }},
    };
    form.DestroyCell(1, 1);
    for (const Call& call : calls) {
        EXPECT_EQ(call.call(0, 1), 1) << call.name;
        EXPECT_EQ(call.call(1, 1), 0) << call.name << " on a destroyed cell";
        EXPECT_EQ(call.call(2, 0), 0) << call.name << " below the grid";
        EXPECT_EQ(call.call(0, -1), 0) << call.name << " left of the grid";
    }
    EXPECT_EQ(form.GetCellTxtHigh(0, 1), 12);
    EXPECT_EQ(form.GetCellTxtHigh(1, 1), 0);
}

TEST(FormSetters, TextModelAndStartSetTheirAlignment)
{
    CVes_Form form;
    CVes_ModelReference model;
    CVes_SteelStartReference start;
    CVes_Cell* cell = form.GetCell(0, 0);

    form.setCellText(0, 0, QStringLiteral("12"), 2, 35, QPoint(9, 9), QStringLiteral("宋体"));
    EXPECT_EQ(cell->text(), QStringLiteral("12"));
    EXPECT_EQ(cell->textAlign(), 2u);
    EXPECT_EQ(cell->getTxtHigh(), 35);
    EXPECT_EQ(cell->fontName(), QStringLiteral("宋体"));
    EXPECT_TRUE(cell->textRuns().empty()); // the offset is not used

    form.setCellSteelStart(0, 0, &start, 0);
    EXPECT_EQ(cell->startReference(), &start);
    EXPECT_TRUE(cell->text().isEmpty());
    EXPECT_EQ(cell->textAlign(), 0u);

    form.setCellModel(0, 0, &model, 6);
    EXPECT_EQ(cell->model(), &model);
    EXPECT_EQ(cell->startReference(), nullptr);
    EXPECT_EQ(cell->textAlign(), 6u);
}

TEST(FormSetters, RowsAndColumnsReachEveryCellOfThem)
{
    CVes_Form form;
    form.SetRowCount(3);
    form.SetColumnCount(3);
    EXPECT_EQ(form.setRowDrawBk(1, 1), 1);
    EXPECT_EQ(form.setColumnBkColor(2, RGB(1, 1, 1)), 1);
    EXPECT_EQ(form.setRowTxtColor(0, RGB(2, 2, 2)), 1);
    EXPECT_EQ(form.setColumnDrawBk(0, 1), 1);
    EXPECT_EQ(form.setRowBkColor(9, RGB(3, 3, 3)), 1); // no such row: still 1
    form.setAllCellTxtHigh(44);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            const CVes_Cell* cell = form.GetCell(r, c);
            EXPECT_EQ(bool(cell->drawsBackground()), r == 1 || c == 0) << r << c;
            EXPECT_EQ(cell->backgroundColor(), c == 2 ? RGB(1, 1, 1) : RGB(166, 202, 240));
            EXPECT_EQ(cell->textColor(), r == 0 ? RGB(2, 2, 2) : RGB(0, 0, 0));
            EXPECT_EQ(cell->getTxtHigh(), 44);
        }
    }
}

TEST(FormSetters, RowsRunTheColumnCountAndColumnsTheRowCount)
{
    // Two rows of four: a row setter bounded by the row count would stop at
    // the second cell, a column setter bounded by the column count would run
    // past the last row.
    CVes_Form form;
    form.SetRowCount(2);
    form.SetColumnCount(4);
    form.setRowBkColor(1, RGB(3, 3, 3));
    form.setColumnDrawBk(3, 1);
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 4; ++c) {
            const CVes_Cell* cell = form.GetCell(r, c);
            EXPECT_EQ(cell->backgroundColor(), r == 1 ? RGB(3, 3, 3) : RGB(166, 202, 240)) << r << c;
            EXPECT_EQ(bool(cell->drawsBackground()), c == 3) << r << c;
        }
    }
}

// ranges

TEST(FormMerge, HeadAndCoveredCellsAndBack)
{
    CVes_Form form;
    form.SetRowCount(4);
    form.SetColumnCount(4);
    form.setCellMerge(1, 1, 1, 2, 3);
    const CVes_Cell* head = form.GetCell(1, 1);
    EXPECT_TRUE(head->isMerging());
    EXPECT_FALSE(head->isMerged());
    EXPECT_EQ(head->mergeEndRow(), 2);
    EXPECT_EQ(head->mergeEndColumn(), 3);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const bool covered = r >= 1 && r <= 2 && c >= 1 && !(r == 1 && c == 1);
            EXPECT_EQ(bool(form.GetCell(r, c)->isMerged()), covered) << r << c;
            if (covered) {
                EXPECT_EQ(form.GetCell(r, c)->getMergeCell(), head);
            }
        }
    }

    form.setCellMerge(0, 1, 1, 2, 3);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const CVes_Cell* cell = form.GetCell(r, c);
            EXPECT_FALSE(cell->isMerged());
            EXPECT_FALSE(cell->isMerging());
            EXPECT_EQ(cell->mergeEndRow(), r);
            EXPECT_EQ(cell->mergeEndColumn(), c);
        }
    }
}

struct MergeRefusal {
    const char* name;
    int r1, c1, r2, c2;
};

class FormMergeRefused : public ::testing::TestWithParam<MergeRefusal> {};

TEST_P(FormMergeRefused, NothingChanges)
{
    CVes_Form form;
    form.SetRowCount(3);
    form.SetColumnCount(3);
    const MergeRefusal& m = GetParam();
    form.setCellMerge(1, m.r1, m.c1, m.r2, m.c2);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_FALSE(form.GetCell(r, c)->isMerged() || form.GetCell(r, c)->isMerging());
}

INSTANTIATE_TEST_SUITE_P(Ranges, FormMergeRefused,
                         ::testing::Values(MergeRefusal{"RowsBackwards", 2, 0, 1, 2},
                                           MergeRefusal{"ColumnsBackwards", 0, 2, 2, 1},
                                           MergeRefusal{"HeadOutside", 3, 0, 4, 2},
                                           MergeRefusal{"HeadNegative", -1, -1, 1, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FormMerge, ARangeBeyondTheGridCoversTheCellsThatExist)
{
    CVes_Form form;
    form.SetRowCount(2);
    form.SetColumnCount(2);
    form.setCellMerge(1, 0, 0, 5, 5);
    EXPECT_TRUE(form.GetCell(1, 1)->isMerged());
    EXPECT_EQ(form.GetCell(0, 0)->mergeEndRow(), 5);
}

TEST(FormMerge, DestroyingAHeadFreesTheCellsItCovered)
{
    CVes_Form form;
    form.setRect(Rect(0, 0, 100, 100));
    form.SetRowCount(2);
    form.SetColumnCount(2);
    form.setCellMerge(1, 0, 0, 1, 1);
    form.DestroyCell(0, 0);
    const CVes_Cell* covered = form.GetCell(1, 1);
    EXPECT_FALSE(covered->isMerged());
    EXPECT_EQ(covered->getMergeCell(), nullptr);
    int row = -1;
    int column = -1;
    EXPECT_TRUE(form.HitTest(QPoint(75, 75), row, column));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(column, 1);

    // A replaced head frees them too.
    form.CreateCell(0, 0);
    form.setCellMerge(1, 0, 0, 1, 1);
    form.CreateCell(0, 0);
    EXPECT_FALSE(form.GetCell(0, 1)->isMerged());
    RecordingDc dc;
    form.OnDraw(&dc);
    EXPECT_EQ(form.GetCell(0, 1)->getRect(), Rect(50, 0, 100, 50));
}

TEST(FormHide, ANegativeEndMeansTheStart)
{
    CVes_Form form;
    form.SetRowCount(3);
    form.SetColumnCount(3);
    form.setCellHide(1, 1, 0, -1, 2);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(bool(form.GetCell(r, c)->drawsBorder()), r != 1) << r << c;
    form.setCellHide(0, 1, 1, -1, -1);
    EXPECT_TRUE(form.GetCell(1, 1)->drawsBorder());
    EXPECT_FALSE(form.GetCell(1, 2)->drawsBorder());
    form.setCellHide(1, 0, 0, 9, 9); // a range past the grid stops at its edge
    EXPECT_FALSE(form.GetCell(2, 2)->drawsBorder());
}

TEST(FormClear, ResetsThePageButKeepsColoursRunsAndStart)
{
    CVes_Form form;
    form.SetRowCount(2);
    form.SetColumnCount(2);
    CVes_ModelReference model;
    CVes_SteelStartReference start;
    form.setCellText(0, 0, QStringLiteral("x"), 0, 40, QPoint(), QStringLiteral("黑体"));
    form.setCellBkColor(0, 0, RGB(1, 2, 3));
    form.setCellDrawBk(0, 0, 1);
    form.setCellDrawBorder(0, 0, 0);
    form.setCellTxtColor(0, 0, RGB(4, 5, 6));
    form.GetCell(0, 0)->setTxtWeight(700);
    form.setTriCell(0, 0, 1);
    form.AddCellString(0, 0, QStringLiteral("run"), 0, 10, QPoint());
    form.AddCellLine(0, 0, 0, 0, 1, 1, 1, 0);
    form.setCellMerge(1, 0, 0, 1, 1);
    form.setCellSteelStart(1, 0, &start, 0);
    form.setCellModel(0, 1, &model, 0);

    form.clearnAllCell();
    const CVes_Cell* cell = form.GetCell(0, 0);
    EXPECT_TRUE(cell->text().isEmpty());
    EXPECT_TRUE(cell->fontName().isEmpty());
    EXPECT_EQ(cell->textAlign(), 6u);
    EXPECT_EQ(cell->getTxtHigh(), 10);
    EXPECT_FALSE(cell->drawsBackground());
    EXPECT_TRUE(cell->drawsBorder());
    EXPECT_TRUE(cell->lines().empty());
    EXPECT_FALSE(cell->isMerging());
    EXPECT_FALSE(form.GetCell(1, 1)->isMerged());
    EXPECT_EQ(cell->backgroundColor(), RGB(1, 2, 3));
    EXPECT_EQ(cell->textColor(), RGB(4, 5, 6));
    EXPECT_EQ(cell->textWeight(), 700);
    EXPECT_TRUE(cell->isTriCell());
    EXPECT_EQ(cell->textRuns().size(), 1u);
    EXPECT_EQ(form.GetCell(1, 0)->startReference(), &start);
    EXPECT_EQ(form.GetCell(0, 1)->model(), nullptr);
    EXPECT_EQ(form.GetCell(0, 1)->form(), nullptr);
}

// drawing

class FormDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.setRect(Rect(0, 0, 300, 90));
        form.SetRowCount(3);
        form.SetColumnCount(3);
        form.setBorderWidth(5);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                form.setCellText(r, c, QString::asprintf("%d%d", r, c), 6, 10, QPoint(), QString());
        form.setRowDrawBk(0, 1);
    }

    CVes_Form form;
    RecordingDc dc;
};

TEST_F(FormDrawing, BackgroundsThenOuterBorderThenCells)
{
    form.OnDraw(&dc);
    const auto& records = dc.records();
    std::vector<DcOp> order;
    for (const auto& r : records)
        if (r.op == DcOp::FillSolidRect || r.op == DcOp::TextOut
            || (r.op == DcOp::LineTo && r.pen.width() == 5))
            if (order.empty() || order.back() != r.op)
                order.push_back(r.op);
    EXPECT_EQ(order, (std::vector<DcOp>{DcOp::FillSolidRect, DcOp::LineTo, DcOp::TextOut}));

    const auto fills = dc.records(DcOp::FillSolidRect);
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_EQ(fills[2].rect, Rect(200, 0, 300, 30));

    std::vector<std::pair<QPoint, QPoint>> outline;
    for (const auto& s : dc.segments())
        if (s.pen.width() == 5)
            outline.emplace_back(s.from, s.to);
    EXPECT_EQ(outline, (std::vector<std::pair<QPoint, QPoint>>{{{300, 0}, {0, 0}},
                                                               {{0, 0}, {0, 90}},
                                                               {{0, 90}, {300, 90}},
                                                               {{300, 90}, {300, 0}}}));
    EXPECT_EQ(dc.texts().size(), 9);
    EXPECT_EQ(dc.records().back().op, DcOp::RestoreDC);
    EXPECT_EQ(dc.count(DcOp::SaveDC), dc.count(DcOp::RestoreDC));
    // The null pen is selected last, inside the saved state.
    const auto pens = dc.records(DcOp::SelectPen);
    ASSERT_FALSE(pens.empty());
    EXPECT_TRUE(pens.back().pen.isNull());
}

TEST_F(FormDrawing, FormBorderFlagAndScaleReachEveryCell)
{
    form.setBorder(0);
    form.setScale(2.6);
    form.setCellDrawBorder(1, 1, 1);
    form.OnDraw(&dc);
    EXPECT_TRUE(dc.segments().empty()); // no outer border, no cell borders
    EXPECT_FALSE(form.GetCell(1, 1)->drawsBorder());
    EXPECT_EQ(form.GetCell(2, 2)->getScale(), 2.6);

    form.setBorder(1);
    dc.clear();
    form.OnDraw(&dc);
    int cellStrokes = 0;
    for (const auto& s : dc.segments())
        cellStrokes += s.pen.width() == 5; // trunc(2 × 2.6)
    EXPECT_EQ(cellStrokes, 4 + 9 * 4);
}

TEST_F(FormDrawing, MergedRangeDrawnOnceOverTheWholeRange)
{
    form.setCellMerge(1, 0, 0, 1, 1);
    form.OnDraw(&dc);
    EXPECT_EQ(dc.texts().size(), 6); // 00 covers 01, 10 and 11
    EXPECT_EQ(form.GetCell(0, 0)->getRect(), Rect(0, 0, 200, 60));
    EXPECT_EQ(form.GetCell(1, 1)->getRect(), Rect(0, 0, 200, 60));
    // The head's background fills the whole range.
    const auto fills = dc.records(DcOp::FillSolidRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].rect, Rect(0, 0, 200, 60));
}

TEST_F(FormDrawing, ARangeEndingInAHiddenRowIsDrawnInTheHeadsOwnBox)
{
    form.setRect(Rect(0, 0, 300, 0)); // every row 0 high …
    form.SetRowHeight(0, 30);         // … then two shown again
    form.SetRowHeight(1, 30);
    form.SetColumnWidth(0, 100);
    form.SetColumnWidth(1, 100);
    form.SetColumnWidth(2, 100);
    form.setCellMerge(1, 0, 0, 2, 1);
    form.OnDraw(&dc);
    EXPECT_EQ(form.GetCell(0, 0)->getRect(), Rect(0, 0, 100, 30));
    const QStringList texts = dc.texts();
    EXPECT_FALSE(texts.contains(QStringLiteral("20"))); // hidden
    EXPECT_FALSE(texts.contains(QStringLiteral("11"))); // covered
    EXPECT_TRUE(texts.contains(QStringLiteral("12")));
}

TEST_F(FormDrawing, HiddenColumnsAndDestroyedCellsAreSkipped)
{
    form.SetColumnWidth(1, 0);
    form.DestroyCell(2, 2);
    form.OnDraw(&dc);
    const QStringList texts = dc.texts();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("00"), QStringLiteral("02"), QStringLiteral("10"),
                                  QStringLiteral("12"), QStringLiteral("20")}));
}

// A window repainting parts of itself only: the cells reaching into a part
// are drawn, the others left out but given the box they would have had.
struct RepaintedPartsCase {
    const char* name;
    std::vector<Rect> parts;
    QStringList drawn;
};

void PrintTo(const RepaintedPartsCase& c, std::ostream* os) { *os << c.name; }

class FormRepaintedParts : public FormDrawing,
                           public ::testing::WithParamInterface<RepaintedPartsCase> {};

TEST_P(FormRepaintedParts, OnlyTheCellsReachingAPartAreDrawn)
{
    const RepaintedPartsCase& c = GetParam();
    dc.setRepaintedParts(c.parts);
    form.OnDraw(&dc);
    EXPECT_EQ(dc.texts(), c.drawn);
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(form.GetCell(r, col)->getRect(), form.GetCellRect(r, col)) << r << col;
}

INSTANTIATE_TEST_SUITE_P(
    Parts, FormRepaintedParts,
    ::testing::Values(
        RepaintedPartsCase{"whole", {},
                           {"00", "01", "02", "10", "11", "12", "20", "21", "22"}},
        RepaintedPartsCase{"inside_one_cell", {Rect(120, 40, 180, 50)}, {"11"}},
        RepaintedPartsCase{"two_corners", {Rect(10, 5, 20, 10), Rect(210, 70, 220, 80)},
                           {"00", "22"}},
        // The rules on a cell's edges belong to its neighbours too.
        RepaintedPartsCase{"a_cells_own_box", {Rect(100, 30, 200, 60)},
                           {"00", "01", "02", "10", "11", "12", "20", "21", "22"}},
        RepaintedPartsCase{"a_row_inside", {Rect(0, 32, 300, 58)}, {"10", "11", "12"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

// A row of five columns 100 wide, texts 20 high: a text of n GBK bytes is
// 10 n wide with 8 of room, so 9 bytes fit one column, 19 two.
struct SpanCase {
    const char* name;
    std::vector<const char*> texts; // column by column; "" an empty cell
    std::vector<std::pair<int, int>> spans; // (head, last column) merged
};

void PrintTo(const SpanCase& c, std::ostream* os) { *os << c.name; }

class FormSpan : public ::testing::TestWithParam<SpanCase> {};

TEST_P(FormSpan, WideTextsRunOnIntoEmptyNeighbours)
{
    const SpanCase& c = GetParam();
    CVes_Form form;
    form.SetColumnCount(5);
    form.setRect(Rect(0, 0, 500, 40));
    form.clearnAllCell();
    for (int i = 0; i < int(c.texts.size()); ++i)
        form.setCellText(0, i, QString::fromUtf8(c.texts[std::size_t(i)]), 6, 20, QPoint(),
                         QString());
    RecordingDc dc;
    form.spanWideTexts(&dc, 0);
    std::vector<std::pair<int, int>> spans;
    for (int i = 0; i < 5; ++i)
        if (form.GetCell(0, i)->isMerging())
            spans.emplace_back(i, form.GetCell(0, i)->mergeEndColumn());
    EXPECT_EQ(spans, c.spans);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormSpan,
    ::testing::Values(
        SpanCase{"FittingTextsStay", {"123456789", "", "x"}, {}},
        SpanCase{"ANoteTakesWhatItNeeds", {"各规格合计", "(含损耗=2.5%)", "", "", ""}, {{1, 2}}},
        SpanCase{"AsFarAsTheRowGoes", {"", "", "", "环氧树脂涂层钢筋环氧树脂"}, {{3, 4}}},
        SpanCase{"StopsAtAFilledCell", {"环氧树脂涂层钢筋", "", "7", "", ""}, {{0, 1}}},
        SpanCase{"NoRoomBesideNoSpan", {"环氧树脂涂层钢筋", "12.5", "", "", ""}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The cells of a form never cleared hold nothing but their own form: a
// text runs on into them as into cleared ones.
TEST(FormSpanFresh, NewCellsAreEmptyNeighbours)
{
    CVes_Form form;
    form.SetColumnCount(5);
    form.setRect(Rect(0, 0, 500, 40));
    form.setCellText(0, 0, QStringLiteral("弯曲（带拐）钢筋合计"), 0, 20, QPoint(), QString());
    RecordingDc dc;
    form.spanWideTexts(&dc, 0);
    EXPECT_TRUE(form.GetCell(0, 0)->isMerging());
    EXPECT_GT(form.GetCell(0, 0)->mergeEndColumn(), 0);
}

} // namespace
