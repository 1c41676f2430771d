// The shape editor: it opens on a copy of a library shape, shows the shape's
// properties, checks formulas on OK, turns connection marks into
// intermediate connections, undoes and redoes, asks before closing, and
// drives the canvas from its toolbars.

#include "shapeui/shapeeditordlg.h"

#include "core/geometry/formula.h"
#include "core/geometry/side.h"
#include "core/geometry/text.h"
#include "core/model/recordcache.h"
#include "platform/archive.h"
#include "shapeui/drawtool.h"
#include "shapeui/shapepropertygrid.h"
#include "shapeui/shapetoolbarcontrols.h"
#include "shapeview_screenshot.h"
#include "tests/support/modal.h"
#include "tests/support/recordinghost.h"
#include "widgara/cmdui.h"
#include "widgara/controlcombobox.h"
#include "widgara/controlpopup.h"

#include <QApplication>
#include <gtest/gtest.h>

using platform::Answer;

namespace {

QByteArray bytesOf(CVes_ModelRecord& record)
{
    platform::Archive ar;
    record.Serialize(ar);
    return ar.data();
}

// The L-shaped bar of the default library: the five standard variables,
// L1 and L2, and two sides.
CVes_ModelRecord* libraryShape()
{
    return getUseModelRecord(CSteelRecordId(191, 1));
}

struct Editor {
    CVes_ModelRecord caller;
    CShapeEditorDlg dlg;

    explicit Editor(const CVes_ModelRecord* from = libraryShape())
    {
        if (from)
            caller.set(from);
        dlg.setEditRecord(&caller);
        dlg.show();
    }
    CVes_ModelRecord* work() const { return dlg.workRecord(); }
    CXTPPropertyGridItem* item(int id) const { return dlg.propertyGrid()->FindItem(id); }
    // Types a value into a child of a grid entry, as the user does.
    void type(int id, int child, const QString& value) const
    {
        CXTPPropertyGridItem* parent = item(id);
        ASSERT_NE(parent, nullptr) << id;
        parent->GetChilds()->GetAt(child)->OnValueChanged(value);
    }
    bool enabled(int command)
    {
        CCmdUI ui(command, nullptr);
        dlg.OnUpdateCommandUI(&ui);
        return ui.enabled();
    }
    int checked(int command)
    {
        CCmdUI ui(command, nullptr);
        dlg.OnUpdateCommandUI(&ui);
        return ui.checked();
    }
    CXTPControl* control(int command) const
    {
        for (int bar = 0; bar < dlg.commandBars()->GetCount(); ++bar)
            if (CXTPControl* found = dlg.commandBars()->GetAt(bar)->FindControl(command))
                return found;
        return nullptr;
    }
};

} // namespace

TEST(ShapeEditor, OpensOnALibraryShapeWithItsProperties)
{
    ASSERT_NE(libraryShape(), nullptr);
    setDrawMode(kDrawCircle);
    Editor e;
    EXPECT_EQ(e.dlg.windowTitle(), QStringLiteral("钢筋大样创建"));
    EXPECT_EQ(getDrawMode(), kDrawSelect);
    EXPECT_EQ(bytesOf(*e.work()), bytesOf(e.caller));

    // The standard variables (kind 0) are not listed; L1 and L2 are.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(e.item(shapegrid::kIdVarFirst + i), nullptr) << i;
    ASSERT_NE(e.item(705), nullptr);
    EXPECT_EQ(e.item(705)->GetCaption(), QStringLiteral("变量1"));
    EXPECT_EQ(e.item(705)->GetValue(), QStringLiteral("L1"));
    EXPECT_EQ(e.item(706)->GetCaption(), QStringLiteral("变量2"));

    ASSERT_NE(e.item(200), nullptr);
    EXPECT_EQ(e.item(200)->GetCaption(), QStringLiteral("第1段"));
    EXPECT_EQ(e.item(201)->GetCaption(), QStringLiteral("第2段"));
    EXPECT_EQ(e.item(201)->GetValue(), QStringLiteral("L=L2;A=90°"));
    EXPECT_EQ(e.item(202), nullptr);
    EXPECT_TRUE(e.item(200)->GetChilds()->GetAt(1)->GetReadOnly()); // no angle before side 1
    EXPECT_FALSE(e.item(201)->GetChilds()->GetAt(1)->GetReadOnly());

    for (int id : {101, 301, 302, 303, 401, 402, 403, 505, 5000, 601})
        EXPECT_NE(e.item(id), nullptr) << id;
    EXPECT_EQ(e.item(501), nullptr); // no intermediate connections
    EXPECT_TRUE(e.item(101)->IsSelected());
    EXPECT_EQ(e.item(101)->GetValue(), e.work()->m_outDim ? QStringLiteral("外皮尺寸")
                                                          : QStringLiteral("内皮尺寸"));

    // Two toolbars side by side above the canvas, the grid on the left.
    ASSERT_EQ(e.dlg.commandBars()->GetCount(), 2);
    EXPECT_EQ(e.dlg.commandBars()->GetAt(0)->GetTitle(), QStringLiteral("绘制"));
    EXPECT_EQ(e.dlg.commandBars()->GetAt(1)->GetTitle(), QStringLiteral("属性"));
    const QRect canvasFrame = e.dlg.canvas()->parentWidget()->geometry();
    EXPECT_LT(e.dlg.propertyGrid()->geometry().right(), canvasFrame.left());
    EXPECT_GE(canvasFrame.top(), e.dlg.commandBars()->hostWidget()->geometry().bottom());
    EXPECT_TRUE(canvasFrame.contains(QRect(e.dlg.canvas()->mapTo(&e.dlg, QPoint(0, 0)),
                                           e.dlg.canvas()->size())));

    QApplication::processEvents();
    // Both toolbars are whole.
    const auto* attributes = e.dlg.commandBars()->GetAt(1);
    EXPECT_LE(attributes->geometry().right(), e.dlg.width());
    EXPECT_GE(attributes->geometry().width(), attributes->sizeHint().width());
    test::saveScreenshot(e.dlg, "shapeeditor");
}

TEST(ShapeEditor, SideFormulaTypedInTheGridReachesTheRecordAndOkCopiesItBack)
{
    Editor e;
    e.type(200, 0, QStringLiteral("L1+100"));
    EXPECT_EQ(e.work()->m_arrSide[0]->m_lengthText, QStringLiteral("L1+100"));
    EXPECT_EQ(e.item(200)->GetValue(), QStringLiteral("L=L1+100;A=0°"));
    EXPECT_EQ(e.caller.m_arrSide[0]->m_lengthText, QStringLiteral("L1"));

    EXPECT_TRUE(e.dlg.OnOK());
    EXPECT_EQ(e.dlg.result(), QDialog::Accepted);
    EXPECT_EQ(e.caller.m_arrSide[0]->m_lengthText, QStringLiteral("L1+100"));
}

TEST(ShapeEditor, AssignmentTypedAsASideLengthDefinesTheVariable)
{
    Editor e;
    e.type(201, 0, QStringLiteral("L2=300"));
    EXPECT_EQ(e.work()->m_arrSide[1]->m_lengthText, QStringLiteral("L2=300"));
    CVes_Variable* l2 = e.work()->m_arrVar[6].get();
    EXPECT_EQ(l2->m_text, QStringLiteral("L2"));
    EXPECT_EQ(l2->m_type, CVes_Variable::kComputed);
    EXPECT_EQ(l2->m_formula, QStringLiteral("300"));
}

TEST(ShapeEditor, CancelLeavesTheCallersRecordByteForByte)
{
    Editor e;
    const QByteArray before = bytesOf(e.caller);
    e.type(200, 0, QStringLiteral("L1*2"));
    e.dlg.OnCommand(CShapeEditorDlg::ID_MODE_LINE);
    e.dlg.canvas()->addLineItem(10, 10, 200, 10);
    e.dlg.OnCancel();
    EXPECT_EQ(e.dlg.result(), QDialog::Rejected);
    EXPECT_EQ(bytesOf(e.caller), before);
}

TEST(ShapeEditor, AFailingFormulaIsRefusedWithTheCheckersMessage)
{
    test::HostScope host;
    Editor e;
    const QByteArray before = bytesOf(e.caller);
    const QString bad = QStringLiteral("L1+x");
    e.type(201, 0, bad);

    QString expected;
    ASSERT_EQ(CVes_Formula().checkFormula(bad, e.work()->m_arrVar, expected), 0);
    EXPECT_FALSE(e.dlg.OnOK());
    ASSERT_EQ(host->messageTexts(), QStringList{expected});
    EXPECT_FALSE(expected.isEmpty());
    EXPECT_TRUE(e.dlg.isVisible());
    EXPECT_EQ(bytesOf(e.caller), before);
    EXPECT_EQ(e.work()->m_arrSide[1]->m_lengthText, bad); // the edit stays
}

struct EmptyFormulaCase {
    unsigned kind;
    const char* formula;
    unsigned kindAfter;  // when OK passes
};

class ShapeEditorEmptyFormula : public ::testing::TestWithParam<EmptyFormulaCase> {};

TEST_P(ShapeEditorEmptyFormula, VariablesAreTrimmedAndEmptyNumbersBecomeGiven)
{
    const EmptyFormulaCase c = GetParam();
    test::HostScope host;
    Editor e;
    CVes_Variable* l1 = e.work()->m_arrVar[5].get();
    l1->m_type = c.kind;
    l1->m_formula = QString::fromUtf8(c.formula);

    QString message;
    const QString trimmed = QString::fromUtf8(c.formula).trimmed();
    const bool checked = c.kind == CVes_Variable::kTextKind || !trimmed.isEmpty();
    const bool passes =
        !checked || CVes_Formula().checkFormula(trimmed, e.work()->m_arrVar, message) == 1;

    EXPECT_EQ(e.dlg.OnOK(), passes);
    EXPECT_EQ(l1->m_formula, trimmed);
    EXPECT_EQ(host->messageTexts().size(), passes ? 0 : 1);
    if (passes) {
        EXPECT_EQ(e.caller.m_arrVar[5]->m_type, c.kindAfter);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShapeEditorEmptyFormula,
    ::testing::Values(EmptyFormulaCase{CVes_Variable::kComputed, "", CVes_Variable::kGiven},
                      EmptyFormulaCase{CVes_Variable::kComputed, "   ", CVes_Variable::kGiven},
                      EmptyFormulaCase{CVes_Variable::kGiven, "", CVes_Variable::kGiven},
                      EmptyFormulaCase{CVes_Variable::kComputed, " L2*2 ", CVes_Variable::kComputed},
                      EmptyFormulaCase{CVes_Variable::kTextKind, "", CVes_Variable::kTextKind},
                      EmptyFormulaCase{CVes_Variable::kComputed, "L2*q", 0}));

TEST(ShapeEditor, ConnectionMarksBecomeIntermediateConnectionsOnOk)
{
    CVes_ModelRecord shape;
    shape.set(libraryShape());
    shape.AddConnect(8, 300, 100, QStringLiteral("1"));
    shape.AddConnect(9, 700, 220, QStringLiteral("2"));
    // Each mark splits the side it sits on.
    ASSERT_EQ(shape.getSideArraySize(), 6);
    shape.m_barGroup = 0;
    shape.setMidConnectSize(3);

    Editor e(&shape);
    // The marks are listed as joints among the sides.
    EXPECT_EQ(e.item(201)->GetCaption(), QStringLiteral("接头1"));
    EXPECT_EQ(e.item(201)->GetValue(), QStringLiteral("直;1次连接"));
    EXPECT_EQ(e.item(204)->GetCaption(), QStringLiteral("接头2"));
    EXPECT_EQ(e.item(204)->GetValue(), QStringLiteral("直反;2次连接"));
    EXPECT_EQ(e.item(202)->GetCaption(), QStringLiteral("第2段"));
    EXPECT_EQ(e.item(205)->GetCaption(), QStringLiteral("第4段"));
    ASSERT_TRUE(e.dlg.OnOK());

    const CVes_MidConnect defaults;
    ASSERT_EQ(e.caller.m_arrMidConnect.size(), 2u);
    EXPECT_EQ(e.caller.m_barGroup, 1);
    EXPECT_EQ(e.caller.m_arrMidConnect[0]->style, 8);
    EXPECT_EQ(e.caller.m_arrMidConnect[0]->valueC, defaults.valueC);
    EXPECT_EQ(e.caller.m_arrMidConnect[0]->countText, QStringLiteral("1"));
    EXPECT_EQ(e.caller.m_arrMidConnect[1]->style, 8);
    EXPECT_EQ(e.caller.m_arrMidConnect[1]->valueC, 0);
    EXPECT_EQ(e.caller.m_arrMidConnect[1]->countText, QStringLiteral("2"));
}

TEST(ShapeEditor, AShapeWithoutMarksKeepsItsIntermediateConnections)
{
    CVes_ModelRecord shape;
    shape.set(libraryShape());
    shape.setMidConnectSize(2);
    shape.m_arrMidConnect[1]->style = 5;
    Editor e(&shape);
    ASSERT_TRUE(e.dlg.OnOK());
    ASSERT_EQ(e.caller.m_arrMidConnect.size(), 2u);
    EXPECT_EQ(e.caller.m_arrMidConnect[1]->style, 5);
    EXPECT_EQ(e.caller.m_barGroup, shape.m_barGroup);
}

TEST(ShapeEditor, UndoGoesBackEightOfNineEditsAndRedoSurvivesANewEdit)
{
    Editor e;
    CVes_ModelRecordDrawView* view = e.dlg.canvas();
    e.dlg.OnCommand(CShapeEditorDlg::ID_MODE_SELECT);
    const int lines = e.work()->getLineArraySize();
    EXPECT_FALSE(e.enabled(CShapeEditorDlg::ID_UNDO));
    view->m_plainLine = 1;
    for (int i = 0; i < 9; ++i)
        view->addLineItem(10, 10 + 20 * i, 300, 10 + 20 * i);
    EXPECT_EQ(e.work()->getLineArraySize(), lines + 9);

    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(e.enabled(CShapeEditorDlg::ID_UNDO)) << i;
        e.dlg.OnCommand(CShapeEditorDlg::ID_UNDO);
    }
    EXPECT_FALSE(e.enabled(CShapeEditorDlg::ID_UNDO));
    e.dlg.OnCommand(CShapeEditorDlg::ID_UNDO); // refused: the oldest state stays
    EXPECT_EQ(e.work()->getLineArraySize(), lines + 1);

    ASSERT_TRUE(e.enabled(CShapeEditorDlg::ID_REDO));
    e.dlg.OnCommand(CShapeEditorDlg::ID_REDO);
    EXPECT_EQ(e.work()->getLineArraySize(), lines + 2);
    view->addLineItem(10, 290, 300, 290); // a new edit
    EXPECT_TRUE(e.enabled(CShapeEditorDlg::ID_REDO));
    e.dlg.OnCommand(CShapeEditorDlg::ID_REDO);
    EXPECT_EQ(e.work()->getLineArraySize(), lines + 3);
}

TEST(ShapeEditor, UndoOfASideShowsTheRestoredSidesInTheGrid)
{
    Editor e;
    CVes_ModelRecordDrawView* view = e.dlg.canvas();
    view->m_plainLine = 0;
    view->addLineItem(1250 * view->m_scale, 220 * view->m_scale, 1250 * view->m_scale,
                      50 * view->m_scale);
    ASSERT_EQ(e.work()->getSideArraySize(), 3);
    QApplication::processEvents();
    EXPECT_NE(e.item(202), nullptr);
    e.dlg.OnCommand(CShapeEditorDlg::ID_UNDO);
    EXPECT_EQ(e.work()->getSideArraySize(), 2);
    EXPECT_EQ(e.item(202), nullptr);
}

TEST(ShapeEditor, DeleteRemovesTheSelectionAndRebuildsTheGrid)
{
    Editor e;
    EXPECT_FALSE(e.enabled(CShapeEditorDlg::ID_DELETE));
    // Choosing the second side in the grid selects it on the canvas.
    e.dlg.OnCommand(CShapeEditorDlg::ID_MODE_ARC);
    e.dlg.propertyGrid()->selectItem(e.item(201));
    EXPECT_EQ(getDrawMode(), kDrawSelect);
    ASSERT_EQ(e.dlg.canvas()->selection().size(), 1u);
    EXPECT_EQ(e.dlg.canvas()->selection()[0], e.work()->m_arrSide[1].get());
    EXPECT_TRUE(e.enabled(CShapeEditorDlg::ID_DELETE));

    e.dlg.OnCommand(CShapeEditorDlg::ID_DELETE);
    EXPECT_EQ(e.work()->getSideArraySize(), 1);
    EXPECT_TRUE(e.dlg.canvas()->selection().empty());
    EXPECT_EQ(e.item(201), nullptr);
    EXPECT_TRUE(e.enabled(CShapeEditorDlg::ID_UNDO));
}

TEST(ShapeEditor, SelectingAVariableInTheGridEndsTheDrawingTool)
{
    Editor e;
    e.dlg.OnCommand(CShapeEditorDlg::ID_MODE_TEXT);
    EXPECT_EQ(e.checked(CShapeEditorDlg::ID_MODE_TEXT), 1);
    e.dlg.propertyGrid()->selectItem(e.item(706));
    EXPECT_EQ(getDrawMode(), kDrawSelect);
    EXPECT_EQ(e.checked(CShapeEditorDlg::ID_MODE_SELECT), 1);
    ASSERT_EQ(e.dlg.canvas()->selection().size(), 1u);
    EXPECT_EQ(e.dlg.canvas()->selection()[0], e.work()->m_arrVar[6].get());
    EXPECT_EQ(e.work()->m_arrVar[6]->m_status, 1u);
}

struct CloseCase {
    const char* name;
    Answer answer;
    bool badFormula;
    bool closes;
    bool saved;
    int messages; // besides the question
};

class ShapeEditorClose : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ShapeEditorClose, AsksWhetherToKeepTheShape)
{
    const CloseCase c = GetParam();
    test::HostScope host;
    host->script({c.answer});
    Editor e;
    e.type(200, 0, c.badFormula ? QStringLiteral("L1+x") : QStringLiteral("L1+5"));

    e.dlg.close();
    const auto messages = host->messages();
    ASSERT_GE(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("是否保存当前图形?"));
    EXPECT_EQ(messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(messages[0].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(messages[0].icon, platform::MessageIcon::Question);
    EXPECT_EQ(int(messages.size()) - 1, c.messages);
    EXPECT_EQ(e.dlg.isVisible(), !c.closes);
    if (c.closes) {
        EXPECT_EQ(e.dlg.result(), c.saved ? QDialog::Accepted : QDialog::Rejected);
    }
    EXPECT_EQ(e.caller.m_arrSide[0]->m_lengthText,
              c.saved ? QStringLiteral("L1+5") : QStringLiteral("L1"));
    // The edits are still there when the editor stays open.
    if (!c.closes) {
        EXPECT_NE(e.work()->m_arrSide[0]->m_lengthText, QStringLiteral("L1"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ShapeEditorClose,
    ::testing::Values(CloseCase{"YesSaves", Answer::Yes, false, true, true, 0},
                      CloseCase{"NoDiscards", Answer::No, false, true, false, 0},
                      CloseCase{"YesWithBadFormulaStaysOpen", Answer::Yes, true, false, false, 1},
                      CloseCase{"NoWithBadFormulaDiscards", Answer::No, true, true, false, 0},
                      CloseCase{"CancelStaysOpen", Answer::Cancel, false, false, false, 0}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST(ShapeEditorToolBars, CombosAreBuiltWithTheirEntries)
{
    Editor e;
    auto* kind = dynamic_cast<CXTPControlComboBox*>(e.control(CShapeEditorDlg::ID_LINE_KIND));
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(kind->GetCount(), 2);
    EXPECT_EQ(kind->GetLBText(1), QStringLiteral("辅助线"));
    EXPECT_EQ(kind->GetWidth(), 100);
    EXPECT_EQ(kind->GetEditHint(), QStringLiteral("绘图类型"));
    EXPECT_EQ(kind->GetCurSel(), 0);

    // The toolbar is built before the canvas: the text height shows 8.
    auto* height = dynamic_cast<CXTPControlComboBox*>(e.control(CShapeEditorDlg::ID_TEXT_HEIGHT));
    ASSERT_NE(height, nullptr);
    EXPECT_EQ(height->GetCount(), 20);
    EXPECT_FALSE(height->GetDropDownListStyle());
    EXPECT_EQ(height->GetLBText(height->GetCurSel()), QStringLiteral("8"));

    const std::pair<int, const char*> lists[] = {{CShapeEditorDlg::ID_VAR_TYPE, "字符变量"},
                                                 {CShapeEditorDlg::ID_VAR_UNIT, "角度°"},
                                                 {CShapeEditorDlg::ID_VAR_PRINT, "不打印"}};
    for (const auto& [id, second] : lists) {
        auto* combo = dynamic_cast<CXTPControlComboBox*>(e.control(id));
        ASSERT_NE(combo, nullptr) << id;
        EXPECT_EQ(combo->GetLBText(1), QString::fromUtf8(second));
        EXPECT_EQ(combo->GetWidth(), 120);
    }
}

TEST(ShapeEditorToolBars, ComboChoicesReachTheCanvasAndTheSelection)
{
    Editor e;
    CVes_ModelRecordDrawView* view = e.dlg.canvas();
    auto* kind = dynamic_cast<CXTPControlComboBox*>(e.control(CShapeEditorDlg::ID_LINE_KIND));
    kind->SetCurSel(1);
    EXPECT_EQ(e.dlg.OnControlNotify(CBN_XTP_EXECUTE, kind), 1);
    EXPECT_EQ(view->m_plainLine, 1);

    // A text height chosen while a variable is selected applies to it.
    e.dlg.propertyGrid()->selectItem(e.item(705));
    auto* height = dynamic_cast<CXTPControlComboBox*>(e.control(CShapeEditorDlg::ID_TEXT_HEIGHT));
    height->SetCurSel(14);
    e.dlg.OnControlNotify(CBN_XTP_EXECUTE, height);
    EXPECT_EQ(view->m_textHeight, 15);
    EXPECT_EQ(e.work()->m_arrVar[5]->m_height, 150);

    auto* print = dynamic_cast<CXTPControlComboBox*>(e.control(CShapeEditorDlg::ID_VAR_PRINT));
    print->SetCurSel(1);
    e.dlg.OnControlNotify(CBN_XTP_EXECUTE, print);
    EXPECT_EQ(view->m_noPrint, 1);
    EXPECT_EQ(e.work()->m_arrVar[5]->m_print, 0);

    // No selection reported: nothing changes.
    height->SetCurSel(CB_ERR);
    e.dlg.OnControlNotify(CBN_XTP_EXECUTE, height);
    EXPECT_EQ(view->m_textHeight, 15);
}

TEST(ShapeEditorToolBars, WidthAndStylePopupsSetTheCanvasAttributes)
{
    Editor e;
    auto* widths = dynamic_cast<CXTPControlPopup*>(e.control(CShapeEditorDlg::ID_LINE_WIDTH));
    ASSERT_NE(widths, nullptr);
    EXPECT_EQ(widths->GetType(), xtpControlButtonPopup);
    EXPECT_EQ(widths->GetFlags() & xtpFlagManualUpdate, xtpFlagManualUpdate);
    CXTPCommandBar* widthBar = widths->GetCommandBar();
    ASSERT_NE(widthBar, nullptr);
    ASSERT_EQ(widthBar->GetControlCount(), 12);
    for (int i = 0; i < 12; ++i) {
        auto* button = dynamic_cast<CControlButtonLine*>(widthBar->GetControl(i));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->GetID(), 1001 + i);
        EXPECT_DOUBLE_EQ(button->width(), i + 1.0);
        EXPECT_TRUE(button->GetCaption().isEmpty());
    }
    auto* styles = dynamic_cast<CXTPControlPopup*>(e.control(CShapeEditorDlg::ID_LINE_STYLE));
    ASSERT_NE(styles, nullptr);
    ASSERT_EQ(styles->GetCommandBar()->GetControlCount(), 5);
    EXPECT_EQ(dynamic_cast<CControlButtonStyle*>(styles->GetCommandBar()->GetControl(3))->style(), 3);
    EXPECT_EQ(styles->GetCommandBar()->GetControl(3)->GetID(), 1203);

    // With a side selected the width and style apply to it.
    e.dlg.propertyGrid()->selectItem(e.item(200));
    widthBar->GetControl(2)->OnExecute();
    EXPECT_EQ(e.dlg.canvas()->m_lineWidth, 3);
    EXPECT_EQ(e.work()->m_arrSide[0]->m_lineWidth, 3);
    styles->GetCommandBar()->GetControl(2)->OnExecute();
    EXPECT_EQ(e.dlg.canvas()->m_lineStyle, 2);
    EXPECT_EQ(e.work()->m_arrSide[0]->m_lineStyle, 2u);
}

TEST(ShapeEditorToolBars, ModeAlignmentAndSnapCommands)
{
    Editor e;
    const std::pair<int, int> modes[] = {
        {CShapeEditorDlg::ID_MODE_LINE, kDrawLine},     {CShapeEditorDlg::ID_MODE_ARC, kDrawArc},
        {CShapeEditorDlg::ID_MODE_CIRCLE, kDrawCircle}, {CShapeEditorDlg::ID_MODE_POLYLINE, kDrawPolyline},
        {CShapeEditorDlg::ID_MODE_VARIABLE, kDrawVariable}, {CShapeEditorDlg::ID_MODE_TEXT, kDrawText},
        {CShapeEditorDlg::ID_MODE_JOINT, kDrawJoint},   {CShapeEditorDlg::ID_MODE_SELECT, kDrawSelect}};
    for (const auto& [command, mode] : modes) {
        e.dlg.propertyGrid()->selectItem(e.item(200));
        e.dlg.OnCommand(command);
        EXPECT_EQ(getDrawMode(), mode);
        EXPECT_EQ(e.checked(command), 1);
        EXPECT_TRUE(e.dlg.canvas()->selection().empty()) << command;
    }
    e.dlg.OnCommand(CShapeEditorDlg::ID_ALIGN_CENTER);
    EXPECT_EQ(e.dlg.canvas()->m_textAlign, 6);
    EXPECT_EQ(e.checked(CShapeEditorDlg::ID_ALIGN_CENTER), 1);
    EXPECT_EQ(e.checked(CShapeEditorDlg::ID_ALIGN_LEFT), 0);

    const int grid = e.dlg.canvas()->m_showGrid;
    e.dlg.OnCommand(CShapeEditorDlg::ID_SNAP);
    EXPECT_EQ(e.dlg.canvas()->m_showGrid, grid ? 0 : 1);
    EXPECT_EQ(e.checked(CShapeEditorDlg::ID_SNAP), grid ? 0 : 1);
}

TEST(ShapeEditor, DrawModelRunsOnAnEmptyStartStyle)
{
    for (const bool confirm : {false, true}) {
        test::onNextModal<CShapeEditorDlg>([confirm](CShapeEditorDlg* dlg) {
            EXPECT_EQ(dlg->workRecord()->getSideArraySize(), 0);
            if (confirm)
                dlg->OnOK();
            else
                dlg->OnCancel();
        });
        EXPECT_EQ(drawModel(0), confirm ? 1 : 0);
    }
}
