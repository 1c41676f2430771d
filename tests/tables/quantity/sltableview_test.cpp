// The quantity-sheet view: editors opened on the cells and by typing, the
// entries of each column and row kind, the row kind chosen in column 0,
// the shape chooser by double click and Space, the check, and the imports.

#include "tables/quantity/ui/sltableview.h"

#include "envora/rules.h"
#include "envora/settings.h"
#include "envora/usercustom.h"
#include "sltable_support.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/cellentry.h"
#include "tables/framework/tableclipboard.h"
#include "tables/processing/processtableeditline.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/recordinghost.h"
#include "tests/tables/barlist/sheetsagree.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const CSteelRecordId kViewedShape{150, 28};

// The view with the user's choices scripted.
class View : public CVes_SLTableView {
public:
    int chooseShape(CSteelRecordId* key) override
    {
        ++chooserCalls;
        if (!choice)
            return 2;
        *key = *choice;
        return 1;
    }
    QString askOpenPath(const QString& filter) override
    {
        filters << filter;
        return path;
    }

    std::optional<CSteelRecordId> choice;
    int chooserCalls = 0;
    QString path;
    QStringList filters;
};

// A sheet of an element of 2 pieces, a bar "A1" of the straight shape and
// empty rows, shown in the view and drawn once, row 2 current in column 1.
class SLView : public testing::Test {
protected:
    void SetUp() override
    {
        m_mode = Info_GetUserCustomTableEditMode();
        scope.add(test::ShapeBuilder(kViewedShape).var("A", 1000).straight({1300, 150}, "0", "A").build());
        t.clearnAllLine();
        t.m_rowNum = 10;
        t.appendLine(test::slElement("KL1", 2));
        auto* bar = test::slBar("A1", 3, 12.0f, 4, 2500.0f);
        bar->m_steel.setRecordId(kViewedShape);
        bar->m_steel.setVarValue(QStringLiteral("A"), 2500.0);
        t.appendLine(bar);
        t.setPageTo(1, 1);
        t.resetUndo();
        t.setModified(0);
        view.resize(1200, 800);
        view.setTable(&t);
        view.show();
        view.viewport()->grab();
        select(2, 1);
    }
    void TearDown() override
    {
        closeEditors();
        Info_SetUserCustomTableEditMode(m_mode);
    }
    // Ends the open editors and lets them go.
    void closeEditors()
    {
        view.endEdit();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void select(int row, int column)
    {
        t.AddSelect(row, 1);
        t.setCurRow(row);
        t.setCurCol(column);
    }
    CVes_Steel& bar() { return t.lineAt(1)->m_steel; }
    CVes_InPlaceEdit* editor() const { return view.viewport()->findChild<CVes_InPlaceEdit*>(); }
    CVes_EditRecordDlg* dialog() const { return view.findChild<CVes_EditRecordDlg*>(); }
    // The point of the client area at the middle of a cell.
    QPoint cellCentre(int row, int column)
    {
        return view.LPtoDP(t.getRect(row, column)).CenterPoint();
    }

    int m_mode = 0;
    test::HostScope host;
    test::CacheScope scope;
    CVes_SLTable t;
    View view;
};

class TypedEditor : public SLView, public testing::WithParamInterface<int> {};

TEST_P(TypedEditor, HoldsJustTheCharacterInEveryEditMode)
{
    ASSERT_TRUE(Info_SetUserCustomTableEditMode(GetParam()));
    QTest::keyClick(&view, Qt::Key_X);
    QCoreApplication::processEvents();
    CVes_InPlaceEdit* box = editor();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "x");
    EXPECT_EQ(box->row(), 2);
    EXPECT_EQ(box->column(), 1);
    EXPECT_EQ(dialog(), nullptr);
    box->EndEdit();
    EXPECT_EQ(bar().number, "x");
    EXPECT_EQ(t.CanUndo(), 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, TypedEditor, testing::Values(0, 1),
                         [](const auto& info) { return info.param ? "InPlace" : "History"; });

// The paste rule of every sheet: Ctrl+V puts the copied rows in place of the
// selected ones, Ctrl+Insert before them.
TEST_F(SLView, CtrlInsertInsertsTheCopiedRowsAndCtrlVReplacesTheSelection)
{
    const auto filled = [this] {
        int rows = 0;
        for (CVes_TableBaseLine* row : t.lines())
            rows += row->isNull() ? 0 : 1;
        return rows;
    };
    const int before = filled();
    t.clearSelect();
    t.AddSelect(2, 0);
    t.CopyRow();
    QTest::keyClick(&view, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(filled(), before + 1);
    EXPECT_EQ(t.CanUndo(), 1);
    t.clearSelect();
    t.AddSelect(2, 0);
    QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(filled(), before + 1) << "the selected row is replaced";
}

TEST_F(SLView, EnterOpensTheEditorOfTheUsersMode)
{
    ASSERT_TRUE(Info_SetUserCustomTableEditMode(1));
    view.handleSheetKey(Qt::Key_Return);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->text(), "A1");
    EXPECT_EQ(editor()->font().family(), "Times New Roman");
    closeEditors();

    ASSERT_TRUE(Info_SetUserCustomTableEditMode(0));
    t.setCurCol(2);
    view.handleSheetKey(Qt::Key_Return);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(dialog()->recordType(), 2);
    EXPECT_EQ(dialog()->edit()->text(), "C12");
}

TEST_F(SLView, CellTextsOfABarRow)
{
    ASSERT_TRUE(Info_SetUserCustomTableEditMode(1));
    bar().remark = QStringLiteral("east");
    bar().calcLength = 0;
    struct Expected {
        int column;
        const char* text;
    };
    for (const Expected& e : {Expected{1, "A1"}, Expected{2, "C12"}, Expected{4, "2500.0"},
                              Expected{5, "4"}, Expected{9, "east"}}) {
        view.EditCell(2, e.column, QPoint());
        ASSERT_NE(editor(), nullptr) << e.column;
        EXPECT_EQ(editor()->text(), e.text) << e.column;
        closeEditors();
    }
    // Computed columns, and the cut length of a computed bar, open nothing.
    bar().calcLength = 1;
    for (int column : {4, 6, 7, 8}) {
        view.EditCell(2, column, QPoint());
        EXPECT_EQ(editor(), nullptr) << column;
    }
    // A bar with varying groups shows groups and count.
    bar().setMultiVal(1);
    bar().setMultiGroup(3);
    view.EditCell(2, 5, QPoint());
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->text(), "3/4");
}

struct EntryCase {
    const char* name;
    int column;
    const char* text;
    int count;
    int groups;
    float length;
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class Entry : public SLView, public testing::WithParamInterface<EntryCase> {};

TEST_P(Entry, CountsAndLengths)
{
    const EntryCase& c = GetParam();
    bar().setMultiGroup(1);
    view.EndCellEdit(2, c.column, QString::fromUtf8(c.text));
    EXPECT_EQ(bar().count, c.count);
    EXPECT_EQ(bar().getMultiGroup(), c.groups);
    EXPECT_FLOAT_EQ(bar().length, c.length);
    EXPECT_TRUE(host->messageTexts().isEmpty());
    EXPECT_EQ(t.CanUndo(), 1);
    EXPECT_EQ(t.isModified(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, Entry,
    testing::Values(EntryCase{"FractionOfThreeTenthsRoundsUp", 5, "2.3", 3, 1, 2500.0f},
                    EntryCase{"SmallerFractionDoesNot", 5, "2.2", 2, 1, 2500.0f},
                    EntryCase{"GroupsAndCount", 5, "3/4", 4, 3, 2500.0f},
                    EntryCase{"Formula", 5, "2*3", 6, 1, 2500.0f},
                    EntryCase{"CutLengthAsTyped", 4, "1000+234.5", 4, 1, 1234.5f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SLView, AnEntryThatIsNoNumberIsRefused)
{
    view.EndCellEdit(2, 5, QStringLiteral("abc"));
    EXPECT_EQ(bar().count, 4);
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(host->messages()[0].icon, platform::MessageIcon::Stop);
    EXPECT_EQ(t.CanUndo(), 0);
}

TEST_F(SLView, SizeTakesTheDefaultGradeOfAValidDiameter)
{
    view.EndCellEdit(2, 2, QStringLiteral("C25"));
    EXPECT_FLOAT_EQ(bar().DN, 25.0f);
    EXPECT_EQ(bar().grade, Info_getSteelGrade(25.0f));
    EXPECT_DOUBLE_EQ(bar().getVarValue(QStringLiteral("d")), 25.0);
    EXPECT_TRUE(host->messageTexts().isEmpty());

    view.EndCellEdit(2, 2, QStringLiteral("a7"));
    EXPECT_EQ(host->messageTexts(), QStringList{"7 ——钢筋直径值输入不正确！\n"});
    EXPECT_EQ(host->messages()[0].icon, platform::MessageIcon::Stop);
    EXPECT_FLOAT_EQ(bar().DN, 25.0f);
    // The letter typed before the diameter is kept.
    EXPECT_EQ(bar().grade, 1);

    // A size that is no number is named as typed, not as a diameter of 0.
    host->clear();
    view.EndCellEdit(2, 2, QStringLiteral("X99"));
    EXPECT_EQ(host->messageTexts(), QStringList{"X99 ——钢筋直径值输入不正确！\n"});

    // Letters before no number at all leave the grade as it was.
    host->clear();
    view.EndCellEdit(2, 2, QStringLiteral("Cmm"));
    EXPECT_EQ(host->messageTexts(), QStringList{"Cmm ——钢筋直径值输入不正确！\n"});
    EXPECT_EQ(bar().grade, 1);
    EXPECT_FLOAT_EQ(bar().DN, 25.0f);
}

TEST_F(SLView, ARangeGivesAVaryingDimensionAfterTheTailRule)
{
    test::CacheScope::resetRules(
        [](envora::Settings& s) { s.steel.dataEnd = envora::dataend::kUp10; });
    ASSERT_TRUE(Info_SetUserCustomTableEditMode(1));
    view.EditCell(2, 3, cellCentre(2, 3));
    CVes_Variable* variable = view.getCurEditVar();
    if (!variable) {
        // The point found no dimension text: take the bar's own.
        variable = bar().getVar(QStringLiteral("A"));
        view.setCurEditVar(variable);
    }
    ASSERT_NE(variable, nullptr);
    closeEditors();
    // Each side over the bar's dimensions (A is 2500), then rounded up to 10.
    view.EndCellEdit(2, 3, QStringLiteral("A/25+1~299"));
    const CVes_Variable* a = bar().getVar(QStringLiteral("A"));
    EXPECT_DOUBLE_EQ(a->m_value, 110.0);
    EXPECT_DOUBLE_EQ(a->m_value2, 300.0);

    view.EndCellEdit(2, 3, QStringLiteral("100~300"));
    EXPECT_DOUBLE_EQ(a->m_value, 100.0);
    EXPECT_DOUBLE_EQ(a->m_value2, 300.0);
    view.EndCellEdit(2, 3, QStringLiteral("B+1"));
    EXPECT_EQ(host->messages().size(), 1u);
    // The refused entry put the bar back as it was, its dimensions made
    // anew: the next entry still reaches the dimension being edited.
    a = bar().getVar(QStringLiteral("A"));
    EXPECT_DOUBLE_EQ(a->m_value, 100.0);
    view.EndCellEdit(2, 3, QStringLiteral("120~300"));
    a = bar().getVar(QStringLiteral("A"));
    EXPECT_DOUBLE_EQ(a->m_value, 120.0);
}

TEST_F(SLView, RowKindInColumnZero)
{
    // A filled bar row gets the heading above it.
    view.EndCellEdit(2, 0, QStringLiteral("构件类型"));
    t.clearNullLineOfEnd();
    ASSERT_EQ(t.lines().size(), 3);
    EXPECT_EQ(t.lineAt(1)->getType(), CVes_SLTableLine::kEleTypeRow);
    EXPECT_EQ(t.lineAt(2)->m_steel.number, "A1");

    // An empty row becomes the chosen kind.
    t.setPageTo(1, 1);
    view.EndCellEdit(4, 0, QStringLiteral("构件编号"));
    EXPECT_EQ(t.lineAt(3)->getType(), CVes_SLTableLine::kEleRow);
    EXPECT_EQ(t.lineAt(3)->isNull(), 0);
    // Any other text changes nothing.
    view.EndCellEdit(5, 0, QStringLiteral("x"));
    EXPECT_EQ(t.lineAt(4)->getType(), CVes_SLTableLine::kSteelRow);
    EXPECT_EQ(t.lineAt(4)->isNull(), 1);
}

TEST_F(SLView, TheRowKindListEndsAsACellEdit)
{
    view.EditCell(3, 0, QPoint());
    auto* list = view.viewport()->findChild<CVes_InPlaceList*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 2);
    list->setCurrentIndex(0);
    list->EndEdit();
    EXPECT_EQ(t.lineAt(2)->getType(), CVes_SLTableLine::kEleTypeRow);
}

TEST_F(SLView, HeadingRowsTakeTheirTexts)
{
    view.EndCellEdit(1, 2, QStringLiteral("KL9"));
    EXPECT_EQ(t.lineAt(0)->getElement(), "KL9");
    view.EndCellEdit(1, 6, QStringLiteral("2.9"));
    EXPECT_EQ(t.lineAt(0)->getEleNum(), 2);
    view.EndCellEdit(2, 0, QStringLiteral("构件类型"));
    view.EndCellEdit(2, 1, QStringLiteral("ZHU"));
    EXPECT_EQ(t.lineAt(1)->getEleType(), "ZHU");
}

TEST_F(SLView, AnEmptyRowStartsFromTheBarAbove)
{
    view.EndCellEdit(3, 9, QStringLiteral("north"));
    const CVes_Steel& added = t.lineAt(2)->m_steel;
    EXPECT_EQ(t.lineAt(2)->isNull(), 0);
    EXPECT_EQ(added.number, "A2");
    EXPECT_EQ(added.count, 4);
    EXPECT_EQ(added.remark, "north");
}

TEST_F(SLView, SpaceInTheShapeColumnOpensTheChooser)
{
    t.setCurCol(3);
    EXPECT_TRUE(view.handleSheetKey(Qt::Key_Space));
    EXPECT_EQ(view.chooserCalls, 1);
    EXPECT_EQ(bar().getRecordId(), kViewedShape);
    EXPECT_EQ(t.CanUndo(), 0);  // cancelled: nothing changed

    view.choice = CSteelRecordId(150, 29);
    scope.add(test::ShapeBuilder(*view.choice).var("B", 500).straight({900, 150}, "0", "B").build());
    view.handleSheetKey(Qt::Key_Space);
    EXPECT_EQ(bar().getRecordId(), CSteelRecordId(150, 29));
    EXPECT_EQ(t.CanUndo(), 1);
    // Elsewhere Space goes on to the framework.
    t.setCurCol(2);
    EXPECT_FALSE(view.handleSheetKey(Qt::Key_Space));
    EXPECT_EQ(view.chooserCalls, 2);
}

TEST_F(SLView, DoubleClickOnTheShapeCellOpensTheChooser)
{
    view.choice = kViewedShape;
    t.lineAt(1)->m_steel.setRecordId(CSteelRecordId(-1, -1));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cellCentre(2, 3));
    EXPECT_EQ(view.chooserCalls, 1);
    EXPECT_EQ(bar().getRecordId(), kViewedShape);
    // Elsewhere it does not.
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cellCentre(2, 9));
    EXPECT_EQ(view.chooserCalls, 1);
}

// Paste

struct PasteCase {
    const char* name;
    int held;           // what the clipboard holds
    bool selected;      // row 2 selected
    const char* said;   // the message, or null when the rows are pasted
};

void PrintTo(const PasteCase& c, std::ostream* os) { *os << c.name; }

class Paste : public SLView, public testing::WithParamInterface<PasteCase> {
protected:
    void TearDown() override
    {
        tableClipboard().clear();
        tableClipboard().setText(QString(), CVes_TableClipboard::kEmpty);
        SLView::TearDown();
    }
    // Puts one row of the kind on the clipboard, as copying it in its
    // sheet does.
    static void hold(int kind)
    {
        CVes_TableClipboard& clip = tableClipboard();
        clip.clear();
        switch (kind) {
        case CVes_TableClipboard::kSetupLines: {
            CVes_SetupTableLine row(int(CVes_SetupTableLine::kSteelLine));
            clip.copyLine(&row, CVes_TableClipboard::kSetupLines, 1);
            break;
        }
        case CVes_TableClipboard::kProcessLines: {
            CVes_ProcessTableEditLine row;
            clip.copyLine(&row, CVes_TableClipboard::kProcessLines, 1);
            break;
        }
        case CVes_TableClipboard::kSLLines: {
            const std::unique_ptr<CVes_SLTableLine> row(test::slBar("B7", 3, 16.0f, 2, 1800.0f));
            clip.copyLine(row.get(), CVes_TableClipboard::kSLLines, 1);
            break;
        }
        case CVes_TableClipboard::kText:
            clip.setText(QStringLiteral("两端"), kind);
            break;
        default:
            clip.setText(QString(), CVes_TableClipboard::kEmpty);
            break;
        }
    }
};

// The main window's paste (编辑 → 粘贴, Ctrl+V) in the quantity sheet: rows
// it cannot take are refused with the reason, and the sheet stays as it
// was; its own rows are pasted.
TEST_P(Paste, WhatCannotBeTakenSaysWhy)
{
    const PasteCase& c = GetParam();
    hold(c.held);
    t.clearSelect();
    if (c.selected)
        select(2, 1);
    view.handleMessage(CVes_TableViewBase::kPaste);
    if (c.said) {
        EXPECT_EQ(host->messageTexts(), QStringList{QString::fromUtf8(c.said)});
        EXPECT_EQ(bar().number, "A1");
        EXPECT_EQ(t.CanUndo(), 0);
    } else {
        EXPECT_TRUE(host->messageTexts().isEmpty());
        EXPECT_EQ(bar().number, "B7");
        EXPECT_EQ(t.CanUndo(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clipboard, Paste,
    testing::Values(
        PasteCase{"processing_rows", CVes_TableClipboard::kProcessLines, true,
                  "剪贴板中是钢筋加工明细单的行，不能粘贴到钢筋用量明细表中。"},
        PasteCase{"bar_list_rows", CVes_TableClipboard::kSetupLines, true,
                  "剪贴板中是钢筋配料单的行，不能粘贴到钢筋用量明细表中。"},
        PasteCase{"a_remark", CVes_TableClipboard::kText, true,
                  "剪贴板中是一段备注文字，只能粘贴到钢筋配料单的备注列中。"},
        PasteCase{"nothing", CVes_TableClipboard::kEmpty, true,
                  "剪贴板中没有可粘贴的行：请先复制或剪切钢筋用量明细表中的行。"},
        PasteCase{"own_rows_without_a_selection", CVes_TableClipboard::kSLLines, false,
                  "请先选择要粘贴到的行。"},
        PasteCase{"own_rows", CVes_TableClipboard::kSLLines, true, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SLView, TabMovesToTheNextColumn)
{
    EXPECT_TRUE(view.handleSheetKey(Qt::Key_Tab));
    EXPECT_EQ(t.getCurCol(), 2);
}

TEST_F(SLView, ACleanCheckShowsTheMessage)
{
    bar().calcLength = 0;
    view.checkTable();
    EXPECT_EQ(host->messageTexts(), QStringList{"表单检查通过！"});
    EXPECT_TRUE(host->opened().isEmpty());
}

class Imports : public SLView {
protected:
    void SetUp() override
    {
        SLView::SetUp();
        ASSERT_TRUE(dir.isValid());
    }
    QTemporaryDir dir;
};

TEST_F(Imports, ABarListOfAnotherShapeUnitIsRefused)
{
    CVes_SetupTable list;
    list.m_units[CVes_SetupTable::kColShape] = CVes_Template::kCentimetre;
    view.path = dir.filePath("cm.pld");
    ASSERT_EQ(list.SaveFile(view.path), 1);
    view.importSteelFromSetUp();
    EXPECT_EQ(view.filters, QStringList{"钢筋配料单(*.pld)|*.pld||"});
    EXPECT_EQ(host->messageTexts(),
              QStringList{"钢筋配料单与钢筋用量明细表钢筋形状单位不一致，无法导入！"});
    t.clearNullLineOfEnd();
    EXPECT_EQ(t.lines().size(), 2);
    EXPECT_EQ(t.CanUndo(), 0);
}

TEST_F(Imports, ABarListGoesBeforeTheSelection)
{
    CVes_SetupTable list;
    view.path = dir.filePath("a.pld");
    ASSERT_EQ(list.SaveFile(view.path), 1);
    view.importSteelFromSetUp();
    ASSERT_GE(t.lines().size(), 3);
    EXPECT_EQ(t.lineAt(1)->getElement(), CVes_SetupTable::kFirstElement);
    EXPECT_EQ(t.lineAt(2)->m_steel.number, "A1");
    EXPECT_EQ(t.CanUndo(), 1);
}

TEST_F(Imports, AnotherQuantitySheetIsAppended)
{
    CVes_SLTable other;
    other.clearnAllLine();
    other.appendLine(test::slEleType("ZHU"));
    view.path = dir.filePath("b.ylb");
    ASSERT_EQ(other.SaveFile(view.path), 1);
    view.importSteelFromSL();
    t.clearNullLineOfEnd();
    ASSERT_EQ(t.lines().size(), 3);
    EXPECT_EQ(t.lineAt(2)->getEleType(), "ZHU");

    other.m_units[CVes_SLTable::kColShape] = CVes_Template::kMetre;
    ASSERT_EQ(other.SaveFile(view.path), 1);
    view.importSteelFromSL();
    EXPECT_EQ(host->messageTexts(), QStringList{"两个钢筋用量明细表钢筋形状单位不一致，无法导入！"});
    // A file that cannot be read is said so.
    view.path = dir.filePath("missing.ylb");
    view.importSteelFromSL();
    EXPECT_EQ(host->messageTexts().size(), 2);
    view.path.clear();
    view.importSteelFromSL();
    EXPECT_EQ(host->messageTexts().size(), 2);
}

// The edges of every field, typed

const CSteelRecordId kViewedAngled{150, 29};

enum class SLField { Number, Count, Length, Dimension, Remark, Pieces, ElementName, EleType };

struct SLEdgeCase {
    const char* name;
    int row;
    int column;
    const char* entry;
    SLField field;
    const char* stored;   // what the field holds afterwards; null: as before
    const char* message;  // what the user is told; null: nothing
    const char* variable = nullptr;
};

// A sheet at its largest: 9999 pieces of an element whose bar has 99999 bars
// a piece of the longest cut length, and a bar of a shape with an angle.
class SLEdges : public SLView, public testing::WithParamInterface<SLEdgeCase> {
protected:
    void SetUp() override
    {
        SLView::SetUp();
        scope.add(test::ShapeBuilder(kViewedAngled)
                      .var("L", 1000)
                      .var("a", 135, CVes_Variable::kDegrees)
                      .straight({1300, 150}, "0", "L")
                      .build());
        t.m_rules.m_calcLossBar = 0;
        t.m_rules.m_calcLossWire = 0;
        t.lineAt(0)->setEleNum(int(barlimits::kPieces.max));
        bar().setMultiGroup(1);
        bar().count = int(barlimits::kCount.max);
        bar().length = float(barlimits::kCutLength.max);
        t.clearNullLineOfEnd();
        auto* angled = test::slBar("A2", 3, 16.0f, int(barlimits::kCount.max), 1000.0f);
        angled->m_steel.setRecordId(kViewedAngled);
        angled->m_steel.setVarValue(QStringLiteral("a"), 135.0);
        t.appendLine(angled);
        t.appendLine(test::slEleType("LIANG"));
        t.setPageTo(1, 1);
        t.resetUndo();
        t.setModified(0);
        view.viewport()->grab();
    }

    static QString stored(CVes_SLTable& sheet, int row, SLField field, const char* variable)
    {
        CVes_SLTableLine& line = *sheet.lineAt(row - 1);
        CVes_Steel& b = line.m_steel;
        switch (field) {
        case SLField::Number: return b.number;
        case SLField::Count: return QStringLiteral("%1|%2").arg(b.getMultiGroup()).arg(b.count);
        case SLField::Length: return QString::number(double(b.length), 'f', 1);
        case SLField::Dimension: {
            const CVes_Variable* v = b.getVar(QString::fromUtf8(variable));
            if (!v)
                return QStringLiteral("no dimension");
            return QStringLiteral("%1|%2").arg(v->m_value, 0, 'f', 1).arg(v->m_value2, 0, 'f', 1);
        }
        case SLField::Remark: return b.remark;
        case SLField::Pieces: return QString::number(line.getEleNum());
        case SLField::ElementName: return line.getElement();
        case SLField::EleType: return line.getEleType();
        }
        return {};
    }
};

// The rows' totals are the bars' counts, pieces and lengths multiplied out,
// and the summary tells the same metres and kilograms; without loss.
void expectRowsAndSummaryAgree(CVes_SLTable& sheet)
{
    std::map<QString, double> metres;
    double rowKg = 0.0;
    double bars = 0.0;
    int pieces = 1;
    for (CVes_TableBaseLine* base : sheet.lines()) {
        auto* line = static_cast<CVes_SLTableLine*>(base);
        if (line->isNull())
            continue;
        if (line->isEleRow()) {
            pieces = line->getEleNum();
            continue;
        }
        CVes_Steel* b = line->getSLSteel();
        if (!b)
            continue;
        const double n = double(b->count) * pieces;
        const double m = n * b->length * 0.001;
        const CVes_SLTable::BarTexts texts = sheet.barTexts(*b, pieces, false);
        EXPECT_NEAR(texts.totalLength, m, n * 0.001 + 0.01) << b->number.toStdString();
        metres[Steel_GradeDNToTableString(b->grade, b->DN, b->steelType)] += m;
        rowKg += texts.weight;
        bars += n;
    }
    CVes_SLSumaryTable summary;
    sheet.SummarySTeel(&summary);
    std::map<QString, double> summed;
    for (const QStringList& row : test::sheets::rowsAfter(summary, QStringLiteral("各规格合计")))
        summed[row.value(2).trimmed()] += test::sheets::number(row.value(3));
    const double summaryKg = test::sheets::totalIn(summary, QStringLiteral("总重"), 4);
    for (const auto& [size, m] : metres)
        EXPECT_NEAR(summed[size], m, 0.01 + m * 1e-12) << "summary metres of " << size.toStdString();
    EXPECT_NEAR(summaryKg, rowKg, bars * 0.001 * 1.58 + 0.01 * double(metres.size()) + 0.01)
        << "summary total";
}


void PrintTo(const SLEdgeCase& c, std::ostream* os) { *os << c.name; }

TEST_P(SLEdges, AreTakenOrRefusedSayingWhatTheCellTakes)
{
    const SLEdgeCase& c = GetParam();
    if (c.variable)
        view.setCurEditVar(t.lineAt(c.row - 1)->m_steel.getVar(QString::fromUtf8(c.variable)));
    const QString before = stored(t, c.row, c.field, c.variable);

    view.EndCellEdit(c.row, c.column, QString::fromUtf8(c.entry));
    EXPECT_EQ(host->messageTexts().join(u'\n').toStdString(), c.message ? c.message : "");
    const QString expected = c.stored ? QString::fromUtf8(c.stored) : before;
    EXPECT_EQ(stored(t, c.row, c.field, c.variable).toStdString(), expected.toStdString());
    EXPECT_EQ(t.CanUndo(), c.stored ? 1 : 0) << "a refused entry is no step to undo";
    if (!c.stored)
        return;

    expectRowsAndSummaryAgree(t);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("edges.ylb"));
    ASSERT_EQ(t.SaveFile(path), 1);
    CVes_SLTable again;
    ASSERT_EQ(again.OpenFile(path), 1);
    again.m_rules = t.m_rules;
    EXPECT_EQ(stored(again, c.row, c.field, c.variable).toStdString(), expected.toStdString());
    expectRowsAndSummaryAgree(again);
}

INSTANTIATE_TEST_SUITE_P(
    QuantitySheet, SLEdges,
    testing::Values(
        SLEdgeCase{"count_least", 2, 5, "0", SLField::Count, "1|0", nullptr},
        SLEdgeCase{"count_most", 2, 5, "99999", SLField::Count, "1|99999", nullptr},
        SLEdgeCase{"count_below", 2, 5, "-1", SLField::Count, nullptr,
                   "[-1] 根数必须是0到99999之间的整数"},
        SLEdgeCase{"count_above", 2, 5, "100000", SLField::Count, nullptr,
                   "[100000] 根数必须是0到99999之间的整数"},
        SLEdgeCase{"count_int_limit", 2, 5, "2147483647", SLField::Count, nullptr,
                   "[2147483647] 根数必须是0到99999之间的整数"},
        SLEdgeCase{"count_exponent", 2, 5, "1e6", SLField::Count, nullptr,
                   "[1e6] 根数必须是0到99999之间的整数"},
        SLEdgeCase{"groups_most", 2, 5, "99999/99999", SLField::Count, "99999|99999", nullptr},
        SLEdgeCase{"groups_above", 2, 5, "100000/1", SLField::Count, nullptr,
                   "[100000] 组数必须是0到99999之间的整数"},
        SLEdgeCase{"groups_garbage", 2, 5, "x/1", SLField::Count, nullptr,
                   "[x] 组数必须是0到99999之间的整数"},
        SLEdgeCase{"pieces_least", 1, 6, "0", SLField::Pieces, "0", nullptr},
        SLEdgeCase{"pieces_most", 1, 6, "9999", SLField::Pieces, "9999", nullptr},
        SLEdgeCase{"pieces_below", 1, 6, "-1", SLField::Pieces, nullptr,
                   "[-1] 件数必须是0到9999之间的整数"},
        SLEdgeCase{"pieces_above", 1, 6, "10000", SLField::Pieces, nullptr,
                   "[10000] 件数必须是0到9999之间的整数"},
        SLEdgeCase{"pieces_garbage", 1, 6, "2件", SLField::Pieces, nullptr,
                   "[2件] 件数必须是0到9999之间的整数"},
        SLEdgeCase{"length_least", 2, 4, "0", SLField::Length, "0.0", nullptr},
        SLEdgeCase{"length_most", 2, 4, "1000000", SLField::Length, "1000000.0", nullptr},
        SLEdgeCase{"length_below", 2, 4, "-1", SLField::Length, nullptr,
                   "[-1] 断料长度必须是0到1000000之间的数"},
        SLEdgeCase{"length_above", 2, 4, "1000001", SLField::Length, nullptr,
                   "[1000001] 断料长度必须是0到1000000之间的数"},
        SLEdgeCase{"length_garbage", 2, 4, "12a", SLField::Length, nullptr,
                   "[12a] 断料长度必须是0到1000000之间的数"},
        SLEdgeCase{"dimension_least", 2, 3, "-1000000", SLField::Dimension,
                   "-1000000.0|-1000000.0", nullptr, "A"},
        SLEdgeCase{"dimension_most", 2, 3, "1000000", SLField::Dimension, "1000000.0|1000000.0",
                   nullptr, "A"},
        SLEdgeCase{"dimension_below", 2, 3, "-1000001", SLField::Dimension, nullptr,
                   "[-1000001] 尺寸必须是-1000000到1000000之间的数", "A"},
        SLEdgeCase{"dimension_above", 2, 3, "999999+2", SLField::Dimension, nullptr,
                   "[999999+2] 尺寸必须是-1000000到1000000之间的数", "A"},
        SLEdgeCase{"angle_least", 3, 3, "-360", SLField::Dimension, "-360.0|-360.0", nullptr, "a"},
        SLEdgeCase{"angle_most", 3, 3, "360", SLField::Dimension, "360.0|360.0", nullptr, "a"},
        SLEdgeCase{"angle_above", 3, 3, "2000", SLField::Dimension, nullptr,
                   "[2000] 角度必须是-360到360之间的数", "a"},
        SLEdgeCase{"angle_below", 3, 3, "-361", SLField::Dimension, nullptr,
                   "[-361] 角度必须是-360到360之间的数", "a"},
        SLEdgeCase{"number_text", 2, 1, "KL1-1", SLField::Number, "KL1-1", nullptr},
        SLEdgeCase{"number_unsaveable", 2, 1, "😀", SLField::Number, nullptr,
                   "[😀] 含有不能保存的字符。"},
        SLEdgeCase{"remark_unsaveable", 2, 9, "见图😀", SLField::Remark, nullptr,
                   "[见图😀] 含有不能保存的字符。"},
        SLEdgeCase{"element_name_unsaveable", 1, 2, "KL㐀", SLField::ElementName, nullptr,
                   "[KL㐀] 含有不能保存的字符。"},
        SLEdgeCase{"element_type_unsaveable", 4, 1, "😀", SLField::EleType, nullptr,
                   "[😀] 含有不能保存的字符。"}),
    [](const auto& info) { return std::string(info.param.name); });

// The entry rules

struct ViewGradeCase {
    const char* text;
    int grade;
    const char* diameter;
};

class GradeLetter : public testing::TestWithParam<ViewGradeCase> {};

TEST_P(GradeLetter, Splits)
{
    const cellentry::GradeEntry entry = cellentry::splitGradeLetter(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(entry.grade, GetParam().grade);
    EXPECT_EQ(entry.diameter, GetParam().diameter);
}

INSTANTIATE_TEST_SUITE_P(Texts, GradeLetter,
                         testing::Values(ViewGradeCase{"C25", 3, "25"}, ViewGradeCase{"a6.5", 1, "6.5"},
                                         ViewGradeCase{"E32", 5, "32"}, ViewGradeCase{"l8", 12, "8"},
                                         ViewGradeCase{"N10", 14, "10"}, ViewGradeCase{"F10", 0, "F10"},
                                         ViewGradeCase{"12", 0, "12"}, ViewGradeCase{"", 0, ""}));

TEST(CellEntry, SplittingAndRounding)
{
    const cellentry::Parts range = cellentry::splitAtFirstOf("100~300~5", {"~"});
    EXPECT_EQ(range.first, "100");
    EXPECT_EQ(*range.second, "300~5");
    EXPECT_FALSE(cellentry::splitAtFirstOf("100", {"~", "/"}).second);
    // The first separator of the list that occurs, not the leftmost.
    EXPECT_EQ(cellentry::splitAtFirstOf("1/2~3", {"~", "/"}).first, "1/2");
    EXPECT_EQ(cellentry::roundedUp(2.9, 0.0), 2);
    EXPECT_EQ(cellentry::roundedUp(-2.5, 0.7), -1);
    EXPECT_EQ(cellentry::roundedUp(1e300, 0.7), 0);
    QString reason;
    EXPECT_FALSE(cellentry::numberOf("1+abc", &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_DOUBLE_EQ(*cellentry::numberOf(" 2*(3+1) "), 8.0);
}

} // namespace
