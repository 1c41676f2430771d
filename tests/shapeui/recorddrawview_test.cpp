// The shape canvas: its mapping, fitting, grid and snapping, painting,
// selection, adding items, attributes, texts typed in place and undo.

#include "tests/shapeui/recorddrawviewtest.h"

#include "core/model/recordcache.h"
#include "platform/recordingdc.h"
#include "shapeui/labeledit.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

using namespace platform::gdi;
using platform::DcOp;
using platform::Rect;
using test::Canvas;

namespace {

TEST(CanvasMapping, TwoHundredFiftyFourUnitsPerInch)
{
    Canvas c;
    const int dpiX = c.view->logicalDpiX();
    const int dpiY = c.view->logicalDpiY();
    EXPECT_EQ(c.view->clientToLogical(QPoint(dpiX, dpiY)), QPoint(254, 254));
    EXPECT_EQ(c.view->logicalToClient(QPoint(254, 508)), QPoint(dpiX, 2 * dpiY));
    Rect r(0, 0, dpiX / 2, dpiY);
    c.view->clientToLogical(&r);
    EXPECT_EQ(r, Rect(0, 0, 127, 254));

    platform::RecordingDc dc(platform::RecordingDc::Device{120, 72});
    c.view->prepareDc(&dc);
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_EQ(dc.GetWindowExt(), QSize(254, 254));
    EXPECT_EQ(dc.GetViewportExt(), QSize(120, 72));
}

TEST(CanvasMapping, ModelUnitsTruncateForItemsAndRoundForHits)
{
    Canvas c;
    c.view->m_scale = 2.0;
    EXPECT_EQ(c.view->logicalToModel({5, -5}), QPoint(2, -2));
    EXPECT_EQ(c.view->logicalToModelRounded({5, 7}), QPoint(3, 4));
    EXPECT_EQ(c.view->modelToLogical({3, 4}), QPoint(6, 8));
    c.view->m_scale = 0.75;
    EXPECT_EQ(c.view->modelToLogical({3, 1}), QPoint(2, 1)); // 2.25, 0.75 → +0.5
}

struct FitCase {
    const char* name;
    int modelW, modelH;
    Rect area;
    Rect expected;
};

class FitModelRect : public testing::TestWithParam<FitCase> {};

TEST_P(FitModelRect, KeepsTheModelProportionsCentred)
{
    const FitCase& f = GetParam();
    Canvas c;
    c.record.m_rectW = f.modelW;
    c.record.m_rectH = f.modelH;
    const Rect fitted = c.view->fitModelRect(f.area.left, f.area.top, f.area.right, f.area.bottom);
    EXPECT_EQ(fitted, f.expected);
    Rect logical = fitted;
    c.view->clientToLogical(&logical);
    EXPECT_DOUBLE_EQ(c.view->m_scale, double(logical.Width()) / f.modelW);
}

INSTANTIATE_TEST_SUITE_P(
    Areas, FitModelRect,
    testing::Values(
        // 1500 × 300 in a tall area: as wide as the area.
        FitCase{"Tall", 1500, 300, Rect(0, 0, 500, 400), Rect(0, 150, 500, 250)},
        // In a wide area: as high as the area, width 100 × 5.
        FitCase{"Wide", 1500, 300, Rect(3, 2, 803, 102), Rect(153, 2, 653, 102)},
        FitCase{"Exact", 1500, 300, Rect(0, 0, 600, 120), Rect(0, 0, 600, 120)},
        // Odd sizes: the centre in integers, the edges 50 ∓ 50.5 and
        // 50 ∓ 37.875 truncated toward zero.
        FitCase{"Odd", 400, 300, Rect(0, 0, 101, 101), Rect(0, 12, 100, 87)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FitModelRectWithoutModel, IsEmptyAndKeepsTheScale)
{
    CVes_ModelRecordDrawView view;
    view.m_scale = 3.0;
    EXPECT_EQ(view.fitModelRect(0, 0, 500, 400), Rect(0, 0, 0, 0));
    EXPECT_EQ(view.m_scale, 3.0);
}

TEST(CanvasGrid, DotsEveryStepWithTwoWideColumns)
{
    Canvas c;
    platform::RecordingDc dc;
    c.view->prepareDc(&dc);
    // 318 high: 15 rows of 21; 1588 wide: 75 columns.
    c.view->drawGrid(&dc, Rect(0, 0, 1588, 318));
    const auto& points = c.view->gridPoints();
    ASSERT_EQ(points.size(), std::size_t(74 * 14));
    EXPECT_EQ(points.front(), QPoint(21, 21));
    EXPECT_EQ(points[1], QPoint(21, 42));
    EXPECT_EQ(points.back(), QPoint(74 * 21, 14 * 21));

    const auto lines = dc.records(DcOp::LineTo);
    ASSERT_EQ(lines.size(), points.size());
    EXPECT_EQ(lines[0].points, (std::vector<QPoint>{{19, 20}, {22, 22}}));
    EXPECT_EQ(lines[0].pen, platform::Pen(PS_SOLID, 3, RGB(132, 132, 132)));
    // Columns 15 and 60 (75 / 5 and 75 − 75 / 5) are drawn wide and yellow.
    for (const auto& line : lines) {
        const int column = (line.points[1].x() - 1) / 21;
        const bool wide = column == 15 || column == 60;
        EXPECT_EQ(line.pen.width(), wide ? 5 : 3) << column;
        EXPECT_EQ(line.pen.color(), wide ? RGB(255, 255, 132) : RGB(132, 132, 132)) << column;
    }
    EXPECT_EQ(dc.GetCurrentPen(), platform::Pen());
}

TEST(CanvasGrid, TooSmallForARowDrawsNone)
{
    Canvas c;
    platform::RecordingDc dc;
    c.view->drawGrid(&dc, Rect(0, 0, 500, 19));
    EXPECT_TRUE(c.view->gridPoints().empty());
    EXPECT_EQ(dc.count(DcOp::LineTo), 0);
    c.view->drawGrid(&dc, Rect(0, 0, 30, 100)); // narrower than two steps
    EXPECT_TRUE(c.view->gridPoints().empty());
    EXPECT_EQ(c.view->snapToGrid({7, 9}), QPoint(7, 9));
}

TEST(CanvasGrid, SnapsToTheNearestPointEvenWithTheGridHidden)
{
    Canvas c;
    EXPECT_EQ(c.view->snapToGrid({30, 30}), QPoint(21, 21));
    EXPECT_EQ(c.view->snapToGrid({33, 40}), QPoint(42, 42));
    EXPECT_EQ(c.view->snapToGrid({-50, -50}), QPoint(21, 21));
    EXPECT_EQ(c.view->snapToGrid({5000, 5000}), QPoint(74 * 21, 14 * 21));

    c.view->m_showGrid = 0;
    c.paint();
    EXPECT_FALSE(c.view->gridPoints().empty());
    EXPECT_EQ(c.view->snapToGrid({30, 30}), QPoint(21, 21));
}

TEST(CanvasPainting, BlackBackgroundGridAndTheShapeInItsColours)
{
    Canvas c;
    c.record.AddLSide(100, 100, 600, 100, 4, 0, RGB(255, 255, 255));
    c.record.AddLine(100, 200, 600, 200, 4, 0, RGB(255, 255, 255));
    platform::RecordingDc dc;
    c.view->OnDraw(&dc, c.view->size());

    const auto fills = dc.records(DcOp::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].brush.color(), RGB(0, 0, 0));
    EXPECT_EQ(fills[0].rect, Rect(0, 0, 1588, 318));
    bool red = false, green = false;
    for (const auto& s : dc.segments()) {
        red = red || s.pen.color() == RGB(255, 0, 0);
        green = green || s.pen.color() == RGB(0, 255, 0);
    }
    EXPECT_TRUE(red);   // the side
    EXPECT_TRUE(green); // the auxiliary line
    // The context's mapping is given back.
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
}

TEST(CanvasPainting, WithoutModelOnlyBackgroundAndGrid)
{
    CVes_ModelRecordDrawView view;
    view.resize(200, 100);
    platform::RecordingDc dc;
    view.OnDraw(&dc, view.size());
    EXPECT_EQ(dc.count(DcOp::FillRect), 1);
    EXPECT_EQ(dc.count(DcOp::LineTo), int(view.gridPoints().size()));
    EXPECT_FALSE(view.gridPoints().empty());
}

TEST(CanvasPainting, ShapeFromTheDefaultLibrary)
{
    CVes_ModelRecord* shape = getUseModelRecord(CSteelRecordId(191, 2));
    ASSERT_NE(shape, nullptr);
    ASSERT_GT(shape->getSideArraySize(), 0);
    CVes_ModelRecord record;
    record.set(shape);
    QWidget owner;
    owner.resize(640, 200);
    CVes_ModelRecordDrawView view(&owner);
    view.setModel(&record);
    const Rect fitted = view.fitModelRect(3, 2, 637, 198);
    view.setGeometry(fitted.left, fitted.top, fitted.Width(), fitted.Height());
    owner.show();
    const QImage image = view.grab().toImage();
    image.save(QDir::temp().filePath(QStringLiteral("rodo-canvas-191-2.png")));
    // Sides are red on black.
    int redPixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            redPixels += image.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_GT(redPixels, 50);
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 0));
}

TEST(CanvasItems, AddsConvertToModelUnitsAndPushAState)
{
    Canvas c;
    c.view->m_scale = 2.0;
    const int states = c.view->history().undoCount();
    c.view->addLineItem(11, 21, 101, 21);
    ASSERT_EQ(c.record.m_arrSide.size(), 1u);
    EXPECT_EQ(c.record.m_arrSide[0]->getStart(), QPoint(5, 10));
    EXPECT_EQ(c.record.m_arrSide[0]->getEnd(), QPoint(50, 10));
    EXPECT_EQ(c.notices, 1);

    c.view->addCircleItem({100, 100}, {107, 104}); // centre (50, 50), rim (53, 52)
    ASSERT_EQ(c.record.m_arrCircle.size(), 1u);
    EXPECT_EQ(c.record.m_arrCircle[0]->m_P2.ToPoint().x(), 3); // √13 truncated
    EXPECT_EQ(c.view->history().undoCount(), states + 2);
    EXPECT_EQ(c.notices, 1);
}

TEST(CanvasItems, NothingWithoutAModel)
{
    CVes_ModelRecordDrawView view;
    view.addLineItem(0, 0, 10, 10);
    view.addArcItem({0, 0}, {10, 0}, {5, 3});
    view.addCircleItem({0, 0}, {3, 4});
    view.addJointItem({0, 0});
    EXPECT_EQ(view.history().undoCount(), 0);
}

TEST(CanvasItems, NoNoticeWithoutAnOwner)
{
    Canvas c(QSize(600, 120), false);
    c.view->addLineItem(10, 10, 100, 10);
    c.view->addJointItem({50, 10});
    EXPECT_EQ(c.notices, 0);
    EXPECT_EQ(c.record.m_arrSide.size(), 3u);
}

TEST(CanvasSelection, SelectDeselectAndRectangle)
{
    Canvas c;
    CVes_Line* a = c.record.AddLine(100, 100, 200, 100, 4, 0, 0);
    CVes_Line* b = c.record.AddLine(100, 200, 200, 200, 4, 0, 0);
    c.view->selectObject(a, false);
    c.view->selectObject(a, true);
    c.view->selectObject(nullptr, true);
    EXPECT_EQ(c.view->selection().size(), 1u);
    c.view->selectObject(b, false);
    EXPECT_EQ(a->m_status, 0u);
    EXPECT_EQ(c.view->selection(), (std::vector<CVes_DrawObject*>{b}));
    c.view->deselectObject(a);
    c.view->deselectObject(b);
    EXPECT_TRUE(c.view->selection().empty());
    EXPECT_EQ(b->m_status, 0u); // no longer drawn as selected

    c.view->selectInRect(Rect(50, 50, 250, 150), false);
    EXPECT_EQ(c.view->selection(), (std::vector<CVes_DrawObject*>{a}));
    c.view->selectInRect(Rect(50, 150, 250, 250), true);
    EXPECT_EQ(c.view->selection().size(), 2u);
    c.view->selectInRect(Rect(1000, 250, 1100, 290), false);
    EXPECT_TRUE(c.view->selection().empty());
}

TEST(CanvasAttributes, ApplyToTheSelectionOnlyInSelectMode)
{
    Canvas c;
    CVes_Line* line = c.record.AddLine(100, 100, 200, 100, 4, 0, 0);
    CVes_Text* text = c.record.AddText(QStringLiteral("A"), 300, 100, 120, 0, 0, 0, 1);
    const int states = c.view->history().undoCount();

    c.view->setLineWidth(7); // nothing selected
    EXPECT_EQ(line->m_lineWidth, 4);

    c.view->selectObject(line, false);
    c.view->selectObject(text, true);
    setDrawMode(kDrawLine);
    c.view->setLineWidth(7);
    EXPECT_EQ(line->m_lineWidth, 4);
    setDrawMode(kDrawSelect);

    c.view->setLineWidth(7);
    c.view->setLineStyle(2);
    c.view->setTextHeight(5);
    c.view->setTextAlign(6);
    c.view->setNoPrint(1);
    EXPECT_EQ(line->m_lineWidth, 7);
    EXPECT_EQ(line->m_lineStyle, 2u);
    EXPECT_EQ(text->m_height, 50);
    EXPECT_EQ(text->m_align, 6u);
    EXPECT_EQ(text->m_print, 0);
    EXPECT_EQ(line->m_print, 0);
    EXPECT_EQ(c.view->history().undoCount(), std::min(states + 5, 9));

    c.view->setNoPrint(0);
    EXPECT_EQ(text->m_print, 1);
}

TEST(CanvasAttributes, VariableTypeAndUnitReachVariablesOnly)
{
    Canvas c;
    CVes_Variable* v = c.record.AddVar(QStringLiteral("L"), 300, 100, 120, 0, 0, 0);
    c.view->selectObject(v, false);
    c.view->setVarType(3);
    c.view->setVarUnit(1);
    EXPECT_EQ(v->m_type, 3u);
    EXPECT_EQ(v->m_unit, 1u);
    EXPECT_EQ(c.view->m_varType, 0); // the type for new variables stays
    EXPECT_EQ(c.view->m_varUnit, 1);
}

TEST(CanvasAttributes, DeleteSelection)
{
    Canvas c;
    CVes_Line* line = c.record.AddLine(100, 100, 200, 100, 4, 0, 0);
    c.record.AddLine(100, 200, 200, 200, 4, 0, 0);
    c.view->selectObject(line, false);
    setDrawMode(kDrawLine);
    c.view->deleteSelection();
    EXPECT_EQ(c.record.m_arrLine.size(), 2u);
    setDrawMode(kDrawSelect);
    c.view->deleteSelection();
    EXPECT_EQ(c.record.m_arrLine.size(), 1u);
    EXPECT_TRUE(c.view->selection().empty());
}

TEST(CanvasUndo, EveryEditCanBeUndoneBackToTheFirstState)
{
    Canvas c;
    EXPECT_FALSE(c.view->canUndo());
    c.view->addLineItem(10, 10, 100, 10);
    c.view->addLineItem(100, 10, 100, 100);
    EXPECT_EQ(c.record.m_arrSide.size(), 2u);
    c.view->undo();
    EXPECT_EQ(c.record.m_arrSide.size(), 1u);
    c.view->undo();
    EXPECT_EQ(c.record.m_arrSide.size(), 0u);
    EXPECT_FALSE(c.view->canUndo());
    c.view->redo();
    c.view->redo();
    EXPECT_EQ(c.record.m_arrSide.size(), 2u);
    EXPECT_FALSE(c.view->canRedo());
}

TEST(CanvasUndo, UndoEmptiesTheSelectionOfReplacedItems)
{
    Canvas c;
    c.view->addLineItem(10, 10, 100, 10);
    c.view->selectObject(c.record.m_arrSide[0].get(), false);
    c.view->pushState(); // the snapshot holds the selected status
    c.view->addLineItem(100, 10, 100, 100);
    c.view->undo();
    EXPECT_TRUE(c.view->selection().empty());
    for (CVes_DrawObject* item : c.record.getShapeList())
        EXPECT_EQ(item->m_status, 0u);
    c.view->setLineWidth(9); // nothing selected, nothing touched
    c.view->deleteSelection();
    EXPECT_EQ(c.record.m_arrSide.size(), 1u);
}

struct TextCase {
    const char* name;
    int mode;
    int noPrint;
    int varType;
};

class TypedInPlace : public testing::TestWithParam<TextCase> {};

TEST_P(TypedInPlace, EnterAddsTheItemAtThePressPoint)
{
    const TextCase& t = GetParam();
    Canvas c;
    c.view->m_noPrint = t.noPrint;
    c.view->m_varType = t.varType;
    c.view->m_textAlign = 2;
    c.view->m_varUnit = 1;
    setDrawMode(t.mode);
    const int vars = c.record.getVarArraySize();
    const QPoint at(120, 40);
    QTest::mouseClick(c.view, Qt::LeftButton, {}, at);
    CVes_LabelEdit* edit = c.view->textEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->controlId(), CVes_ModelRecordDrawView::kTextEditId);
    EXPECT_EQ(edit->geometry().topLeft(), at);
    EXPECT_TRUE(edit->alignment() & Qt::AlignRight);
    QTest::keyClicks(edit, QStringLiteral("L1"));
    if (t.mode == kDrawText && t.noPrint == 0)
        c.view->grab().save(QDir::temp().filePath(QStringLiteral("rodo-canvas-edit.png")));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(c.view->textEdit(), nullptr);

    const QPoint model = c.unsnappedModel(at);
    if (t.mode == kDrawText) {
        ASSERT_EQ(c.record.getTextArraySize(), 1);
        const CVes_Text& text = *c.record.m_arrText[0];
        EXPECT_EQ(text.m_text, QStringLiteral("L1"));
        EXPECT_EQ(text.m_position.ToPoint(), model);
        EXPECT_EQ(text.m_height, 120);
        EXPECT_EQ(text.m_align, 2u);
        EXPECT_EQ(text.m_print, t.noPrint == 1 ? 0 : 1);
        EXPECT_EQ(c.notices, 0);
    } else {
        ASSERT_EQ(c.record.getVarArraySize(), vars + 1);
        const CVes_Variable& v = *c.record.m_arrVar.back();
        EXPECT_EQ(v.m_text, QStringLiteral("L1"));
        EXPECT_EQ(v.m_position.ToPoint(), model);
        EXPECT_EQ(v.m_height, 120);
        EXPECT_EQ(v.m_unit, 1u);
        EXPECT_EQ(v.m_print, t.noPrint == 0 ? 1 : 0);
        EXPECT_EQ(v.m_type, t.varType == 1 ? 3u : 2u);
        EXPECT_EQ(c.notices, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, TypedInPlace,
    testing::Values(TextCase{"Text", kDrawText, 0, 0}, TextCase{"TextNotPrinted", kDrawText, 1, 0},
                    TextCase{"TextOtherFlag", kDrawText, 2, 0},
                    TextCase{"Variable", kDrawVariable, 0, 0},
                    TextCase{"VariableAsText", kDrawVariable, 0, 1},
                    TextCase{"VariableOtherType", kDrawVariable, 1, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TypedInPlace, APressElsewhereCommitsAndStartsANewEntry)
{
    Canvas c;
    setDrawMode(kDrawText);
    QTest::mouseClick(c.view, Qt::LeftButton, {}, {50, 30});
    QTest::keyClicks(c.view->textEdit(), QStringLiteral("A"));
    QTest::mouseClick(c.view, Qt::LeftButton, {}, {200, 60});
    ASSERT_EQ(c.record.getTextArraySize(), 1);
    EXPECT_EQ(c.record.m_arrText[0]->m_position.ToPoint(), c.unsnappedModel({50, 30}));
    ASSERT_NE(c.view->textEdit(), nullptr);
    EXPECT_EQ(c.view->textEdit()->geometry().topLeft(), QPoint(200, 60));
}

TEST(TypedInPlace, EscapeOrNoTextAddsNothing)
{
    Canvas c;
    setDrawMode(kDrawText);
    const int states = c.view->history().undoCount();
    QTest::mouseClick(c.view, Qt::LeftButton, {}, {50, 30});
    QTest::keyClicks(c.view->textEdit(), QStringLiteral("A"));
    QTest::keyClick(c.view->textEdit(), Qt::Key_Escape);
    QTest::mouseClick(c.view, Qt::LeftButton, {}, {50, 30});
    c.view->closeTextEdit();
    EXPECT_EQ(c.record.getTextArraySize(), 0);
    EXPECT_EQ(c.view->history().undoCount(), states);
    EXPECT_EQ(c.view->textEdit(), nullptr);
}

TEST(TypedInPlace, ClosingTheCanvasWithTheEditOpenAddsNothing)
{
    CVes_ModelRecord record;
    {
        QWidget owner;
        owner.resize(300, 100);
        auto* view = new CVes_ModelRecordDrawView(&owner);
        view->setGeometry(0, 0, 300, 100);
        view->setModel(&record);
        owner.show();
        owner.activateWindow();
        setDrawMode(kDrawText);
        QTest::mouseClick(view, Qt::LeftButton, {}, {50, 30});
        QTest::keyClicks(view->textEdit(), QStringLiteral("A"));
    }
    setDrawMode(kDrawSelect);
    EXPECT_EQ(record.getTextArraySize(), 0);
}

TEST(TypedInPlace, RightPressOrTabCloseTheEditCommitting)
{
    Canvas c;
    setDrawMode(kDrawText);
    QTest::mouseClick(c.view, Qt::LeftButton, {}, {50, 30});
    QTest::keyClicks(c.view->textEdit(), QStringLiteral("A"));
    QTest::mouseClick(c.view, Qt::RightButton, {}, {200, 30});
    QTest::mouseClick(c.view, Qt::LeftButton, {}, {100, 30});
    QTest::keyClicks(c.view->textEdit(), QStringLiteral("B"));
    QTest::keyClick(c.view->textEdit(), Qt::Key_Tab);
    ASSERT_EQ(c.record.getTextArraySize(), 2);
    EXPECT_EQ(c.record.m_arrText[1]->m_text, QStringLiteral("B"));
    QApplication::processEvents(); // the closed boxes delete themselves
}

} // namespace
