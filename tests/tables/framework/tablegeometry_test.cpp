#include "tables/framework/tablebase.h"

#include "core/geometry/text.h"
#include "tables/framework/form.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A form of 4 rows × 3 columns of 100 × 50 from (0, 0).
void layForm(CVes_TableBase& table)
{
    CVes_Form* form = table.getForm();
    form->SetRowCount(4);
    form->SetColumnCount(3);
    form->setRect(platform::Rect(0, 0, 300, 200));
    form->resetCellRect();
}

QPoint centreOf(CVes_Variable& text)
{
    platform::Rect box;
    text.LocateRect(box);
    return box.CenterPoint();
}

void placeText(CVes_Variable& text, int x, int y, const QString& value)
{
    text.m_position.set(x, y);
    text.m_height = 40;
    text.m_formula = value;
}

TEST(TableGeometry, TitleTextsAreHitBeforeTheFormInTheirOrder)
{
    CVes_TableBase table;
    layForm(table);
    placeText(table.m_texts[2], 1000, 1000, QStringLiteral("某某工程"));
    placeText(table.m_texts[7], 2000, 1000, QStringLiteral("2026"));
    int row = 0, column = 0;
    EXPECT_EQ(table.HitTest(centreOf(table.m_texts[2]), row, column), 1);
    EXPECT_EQ(row, -100);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(table.HitTest(centreOf(table.m_texts[7]), row, column), 1);
    EXPECT_EQ(column, 6);

    // Text 0 over text 2: text 0 is tested first.
    placeText(table.m_texts[0], 1000, 1000, QStringLiteral("某某工程"));
    EXPECT_EQ(table.HitTest(centreOf(table.m_texts[2]), row, column), 1);
    EXPECT_EQ(column, 0);

    // Text 1 is never hit; the form answers below it.
    placeText(table.m_texts[1], 150, 75, QStringLiteral("页"));
    EXPECT_EQ(table.HitTest(centreOf(table.m_texts[1]), row, column),
              table.getForm()->HitTest(centreOf(table.m_texts[1]), row, column));
    EXPECT_NE(row, -100);

    EXPECT_EQ(table.HitTest(QPoint(150, 75), row, column), 1);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(table.HitTest(QPoint(5000, 5000), row, column), 0);
}

TEST(TableGeometry, CurrentCellRectangleFallsBackToColumnOne)
{
    CVes_TableBase table;
    layForm(table);
    EXPECT_TRUE(table.getCurRowRect().IsRectNull());
    EXPECT_EQ(table.isCurRowVisible(), 0);

    table.setCurRow(2);
    EXPECT_EQ(table.getCurRowRect(), table.getRect(2, 1));
    EXPECT_FALSE(table.getCurRowRect().IsRectEmpty());
    EXPECT_EQ(table.isCurRowVisible(), 1);
    table.setCurCol(2);
    EXPECT_EQ(table.getCurRowRect(), table.getRect(2, 2));
    table.setCurCol(3);
    EXPECT_TRUE(table.getCurRowRect().IsRectNull());
    EXPECT_EQ(table.isCurRowVisible(), 0);
    table.setCurRow(9);
    table.setCurCol(0);
    EXPECT_EQ(table.isCurRowVisible(), 0);
    EXPECT_TRUE(table.getRect(9, 0).IsRectNull());
    EXPECT_EQ(table.getTxtHight(1, 1), table.getForm()->GetCellTxtHigh(1, 1));
}

struct FitCase {
    const char* name;
    int paper;  // a custom paper is 297 wide and `customHeight` high
    int orientation;
    int width;  // client
    int height;
    double zoom;
    int pageW;
    int pageH;
    int customHeight = 420;
};

class FitPage : public testing::TestWithParam<FitCase> {};

TEST_P(FitPage, FitsThePaperIntoTheClientArea)
{
    const FitCase& c = GetParam();
    CVes_TableBase table;
    table.m_paper = c.paper;
    table.m_orientation = c.orientation;
    table.m_customWidth = 297;
    table.m_customHeight = c.customHeight;
    int w = -1, h = -1;
    table.fitPage(c.width, c.height, c.zoom, w, h);
    EXPECT_EQ(w, c.pageW);
    EXPECT_EQ(h, c.pageH);
}

// A4 portrait: r = 2970 / 2100. 1000 × 800 is limited by its height:
// h = 768 − 6 = 762, w = trunc(762 / r) − 6 = 538 − 6. 500 × 1000 by its
// width: w = 480 − 6, h = trunc(474 × r) − 6 = 670 − 6.
INSTANTIATE_TEST_SUITE_P(
    TableGeometry, FitPage,
    testing::Values(FitCase{"WideClient", 9, 1, 1000, 800, 1.0, 532, 762},
                    FitCase{"TallClient", 9, 1, 500, 1000, 1.0, 474, 664},
                    FitCase{"Zoomed", 9, 1, 1000, 800, 2.5, 517, 753},
                    FitCase{"Landscape", 9, 2, 1000, 800, 1.0, 954, 668},
                    FitCase{"UnknownPaperAsA4", 7, 1, 1000, 800, 1.0, 532, 762},
                    FitCase{"NoClient", 9, 1, 0, 800, 1.0, 0, 0},
                    // What a dialog or the view may leave out of range is
                    // fitted as it is drawn: the paper held to the largest
                    // a template holds, the zoom to what a page is drawn at.
                    FitCase{"CustomPaperBeyondAnyPaper", 5, 1, 1000, 800, 1.0, 16, 762,
                            1105615371},
                    FitCase{"LargestCustomPaper", 5, 1, 1000, 800, 1.0, 16, 762,
                            CVes_Template::kMaxPaperSize},
                    FitCase{"ZoomNaN", 9, 1, 1000, 800, NAN, 532, 762}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableGeometry, AZoomBeyondAnyPageFitsAsTheLargestZoom)
{
    CVes_TableBase table;
    int w = 0, h = 0, largestW = 0, largestH = 0;
    table.fitPage(1000, 800, 1e300, w, h);
    table.fitPage(1000, 800, CVes_TableBase::kMaxPageZoom, largestW, largestH);
    EXPECT_EQ(w, largestW);
    EXPECT_EQ(h, largestH);
    double x = 0, y = 0;
    table.getScollPosWhenPtOnCenter(QPoint(10, 10), platform::Rect(0, 0, 1000, 800), 1.0, HUGE_VAL,
                                    x, y);
    EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
}

TEST(TableGeometry, ScrollUnitsAreAHundredthOfTheZoomedExcess)
{
    CVes_TableBase table;
    const platform::Rect client(0, 0, 1000, 800);
    double x = -1, y = -1;
    table.getScollUnit(client, 1.0, x, y);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
    // Zoom 2: h = 768 − 12 = 756, w = trunc(756 / r) − 12 = 522.
    table.getScollUnit(client, 2.0, x, y);
    EXPECT_DOUBLE_EQ(x, 5.22);
    EXPECT_DOUBLE_EQ(y, 7.56);
}

TEST(TableGeometry, ScrollPositionBringsThePointToTheCentre)
{
    CVes_TableBase table;
    table.m_paperptO = QPoint(100, 20);
    table.m_drawScale = 0.25;
    const platform::Rect client(0, 0, 1000, 800);
    double x = -1, y = -1;
    // (350, 270) is page point (1000, 1000). At zoom 2 the scale is
    // 756 / 2970 × 2 and the origin is raised to 2 % of the client: (20, 16);
    // the point comes to (529, 525), the centre is (500, 400).
    table.getScollPosWhenPtOnCenter(QPoint(350, 270), client, 1.0, 2.0, x, y);
    EXPECT_NEAR(x, 29 / 5.22, 1e-9);
    EXPECT_NEAR(y, 125 / 7.56, 1e-9);

    // At zoom 1 nothing scrolls.
    table.getScollPosWhenPtOnCenter(QPoint(350, 270), client, 2.0, 1.0, x, y);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
    EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
}

} // namespace
