// The processing edit view on the offscreen platform: editors opened over
// cells and ended by their keys, the closing steps of a commit, Escape that
// commits nothing, the row-kind list, the shape chooser by the user's mode,
// the title-block texts, and the imports of bar lists and processing sheets
// with the files they refuse.

#include "tests/tables/processing/processing_support.h"

#include "envora/usercustom.h"
#include "platform/gbk.h"
#include "tables/barlist/setuptable.h"
#include "tables/processing/ui/processtableeditview.h"
#include "tables/processing/ui/processtablelistview.h"
#include "tables/shared/sumhelpers.h"
#include "tests/support/recordinghost.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

using test::EditLine;

class TestView : public CVes_ProcessTableEditView {
public:
    std::vector<bool> chooserCalls; // true for the large chooser
    int chooserAnswer = 1;
    QString importFile;
    QStringList importFilters;

protected:
    int runShapeChooser(bool large, CSteelRecordId* id) override
    {
        chooserCalls.push_back(large);
        if (chooserAnswer == 1)
            *id = test::kBent;
        return chooserAnswer;
    }
    QString chooseImportFile(const QString& filter, const QString&) override
    {
        importFilters << filter;
        return importFile;
    }
};

class ProcessEditView : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_mode = Info_GetUserCustomSteelSelectMode();
        sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL1")));
        sheet.appendLine(test::barRow(test::shapedBar("5", test::kStraight, "L", 3000, 4, 2, 16.0f)));
        sheet.appendLine(test::barRow(test::processBar("6", 2, 12.0f, 2, 1500.0f)));
        sheet.firstPage();
        sheet.resetUndo();
        view.resize(900, 1200);
        view.setTable(&sheet);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.grab(); // lays the page out
    }
    void TearDown() override
    {
        Info_SetUserCustomSteelSelectMode(m_mode);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CVes_InPlaceEdit* editBox() const { return view.viewport()->findChild<CVes_InPlaceEdit*>(); }
    CVes_InPlaceList* rowList() const { return view.viewport()->findChild<CVes_InPlaceList*>(); }
    CVes_ProcessSteel& bar(int row) { return *sheet.lineAt(row - 1)->getProcessSteel(); }
    // Types into the open edit box and ends it with the key.
    void typeAndEnd(const QString& text, Qt::Key key)
    {
        CVes_InPlaceEdit* box = editBox();
        ASSERT_NE(box, nullptr);
        QCoreApplication::processEvents();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, key);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    test::HostScope host;
    test::ProcessingShapes shapes;
    CVes_ProcessTable sheet;
    TestView view;
    int m_mode = 0;
};

TEST_F(ProcessEditView, AnswersItsViewType)
{
    EXPECT_EQ(view.getViewType(), 3);
    CVes_ProcessTableListView list;
    EXPECT_EQ(list.getViewType(), 0);
}

TEST_F(ProcessEditView, CommitRunsTheClosingSteps)
{
    QSignalSpy changed(&view, &CVes_TableViewBase::tableChanged);
    QSignalSpy modified(&view, &CVes_TableViewBase::modifyRequested);
    view.EditCell(2, CVes_ProcessTable::kColGrade, QPoint());
    ASSERT_NE(editBox(), nullptr);
    EXPECT_EQ(editBox()->initialText(), "B16");
    typeAndEnd(QStringLiteral("C20"), Qt::Key_Return);

    EXPECT_EQ(bar(2).grade, 3);
    EXPECT_EQ(bar(2).DN, 20.0f);
    EXPECT_EQ(sheet.CanUndo(), 1);
    EXPECT_EQ(sheet.isModified(), 1);
    EXPECT_EQ(changed.count(), 1);
    ASSERT_EQ(modified.count(), 1);
    EXPECT_TRUE(modified.first().first().toBool());
    sheet.Undo();
    EXPECT_EQ(bar(2).grade, 2);
}

TEST_F(ProcessEditView, EscapeCommitsNothing)
{
    QSignalSpy changed(&view, &CVes_TableViewBase::tableChanged);
    view.EditCell(2, CVes_ProcessTable::kColRemark, QPoint());
    typeAndEnd(QStringLiteral("gone"), Qt::Key_Escape);
    EXPECT_EQ(bar(2).remark, "");
    EXPECT_EQ(sheet.CanUndo(), 0);
    EXPECT_EQ(changed.count(), 0);

    view.EditCell(1, CVes_ProcessTable::kColPart, QPoint());
    ASSERT_NE(rowList(), nullptr);
    QTest::keyClick(rowList(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(sheet.lineAt(0)->getType(), EditLine::kEleRow) << "not turned into a bar row";
    EXPECT_EQ(sheet.CanUndo(), 0);
}

TEST_F(ProcessEditView, RowKindListOffersTheFourNames)
{
    view.EditCell(1, CVes_ProcessTable::kColPart, QPoint());
    CVes_InPlaceList* list = rowList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->controlId(), CVes_ProcessTableEditView::kRowTypeListId);
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    EXPECT_EQ(items, processRowTypeNames());
    EXPECT_EQ(list->currentText(), "构件编号");
    list->setCurrentIndex(1);
    list->EndEdit();
    QCoreApplication::processEvents();
    EXPECT_EQ(sheet.lineAt(0)->getType(), EditLine::kStoryRow);
    EXPECT_EQ(sheet.CanUndo(), 1);
}

TEST_F(ProcessEditView, TagColumnsOpenWhatTheyMay)
{
    view.EditCell(2, CVes_ProcessTable::kColTags, QPoint());
    EXPECT_EQ(editBox(), nullptr);
    view.EditCell(2, CVes_ProcessTable::kColLength, QPoint());
    EXPECT_EQ(editBox(), nullptr) << "the length follows the shape";
    view.EditCell(3, CVes_ProcessTable::kColLength, QPoint());
    ASSERT_NE(editBox(), nullptr);
    EXPECT_EQ(editBox()->initialText(), "1500.0");
}

TEST_F(ProcessEditView, TypingReplacesTheCellsText)
{
    sheet.AddSelect(3, 1);
    sheet.setCurRow(3);
    sheet.setCurCol(CVes_ProcessTable::kColCount);
    view.OnChar('7');
    CVes_InPlaceEdit* box = editBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "7");
    QTest::keyClick(box, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(bar(3).count, 7);

    // In the shape cell a typed character begins a shape number.
    sheet.setCurCol(CVes_ProcessTable::kColShape);
    view.OnChar('1');
    ASSERT_NE(editBox(), nullptr);
    EXPECT_EQ(editBox()->text(), "1");
}

struct ShapeNumberCase {
    const char* name;
    int row;                  // 3 a bar typed row, 4 an empty row
    const char* typed;
    CSteelRecordId shape;     // the bar's shape afterwards
    bool hooked;              // its left hook afterwards
    bool edited;              // whether an undo step was recorded
};

void PrintTo(const ShapeNumberCase& c, std::ostream* os) { *os << c.name; }

class ProcessShapeNumbers : public ProcessEditView,
                            public ::testing::WithParamInterface<ShapeNumberCase> {};

TEST_P(ProcessShapeNumbers, ATypedShapeNumberGivesTheShapeAsInTheBarList)
{
    const ShapeNumberCase& c = GetParam();
    // Row 3 holds a bar of the hooked shape; row 4 is empty.
    bar(3).setRecordId(test::kBent);
    CVes_Hook hook;
    hook.enabled = 1;
    hook.kind = 2;
    bar(3).setHookLeft(hook);
    sheet.appendLine(test::emptyRow());
    sheet.refreshCurPage();
    sheet.resetUndo();
    sheet.clearSelect();
    sheet.AddSelect(c.row, 1);
    sheet.setCurRow(c.row);
    sheet.setCurCol(CVes_ProcessTable::kColShape);
    QTest::keyClick(&view, c.typed[0]);
    ASSERT_NE(editBox(), nullptr);
    typeAndEnd(QString::fromUtf8(c.typed), Qt::Key_Return);
    EXPECT_EQ(bar(c.row).getRecordId(), c.shape);
    EXPECT_EQ(bar(c.row).isHaveLeftHook() != 0, c.hooked);
    EXPECT_EQ(sheet.CanUndo() != 0, c.edited);
    EXPECT_TRUE(host->messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ProcessShapeNumbers,
    ::testing::Values(
        // A new bar takes the bar above it, then the shape without hooks.
        ShapeNumberCase{"new_bar", 4, "190-001", CSteelRecordId(190, 1), false, true},
        // A bar keeps its hooks, as a bar-list bar does; its picture shows them.
        ShapeNumberCase{"over_a_hooked_bar", 3, "190-001", CSteelRecordId(190, 1), true, true},
        // A number that names no shape changes nothing, as in the bar list.
        ShapeNumberCase{"unknown_number", 4, "999", CSteelRecordId(), false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessEditView, TheInsertKeyInsertsABarAndSaysWhichTagsItMoved)
{
    sheet.regenData();
    sheet.clearSelect();
    sheet.AddSelect(3, 1); // before bar "6", tag 2
    QSignalSpy modified(&view, &CVes_TableViewBase::modifyRequested);
    QTest::keyClick(&view, Qt::Key_Insert);
    EXPECT_EQ(test::lineTexts(sheet)[2], "6x4") << "bar 5 numbered on";
    EXPECT_EQ(sheet.lineAt(3)->getProcessSteel()->tags.at(0).mark, 3);
    EXPECT_EQ(view.notice(), QStringLiteral("已插入钢筋行：其后 1 根钢筋的料牌编号依次加 1。"));
    EXPECT_EQ(sheet.CanUndo(), 1);
    EXPECT_EQ(modified.count(), 1);

    // With Shift an empty row, which moves no tag.
    sheet.clearSelect();
    sheet.AddSelect(2, 1);
    const QString before = view.notice();
    QTest::keyClick(&view, Qt::Key_Insert, Qt::ShiftModifier);
    const std::vector<std::string> texts = test::lineTexts(sheet);
    EXPECT_EQ((std::vector<std::string>(texts.begin(), texts.begin() + 5)),
              (std::vector<std::string>{"E:KL1", "-", "5x4", "6x4", "6x2"}));
    EXPECT_EQ(view.notice(), before);
}

TEST_F(ProcessEditView, CtrlInsertPutsTheClipboardBeforeTheSelectionInOneStep)
{
    sheet.clearSelect();
    sheet.AddSelect(2, 1);
    sheet.CopyRow();
    sheet.clearSelect();
    sheet.AddSelect(2, 1);
    const qsizetype rows = sheet.lines().size();
    QTest::keyClick(&view, Qt::Key_Insert, Qt::ControlModifier);
    ASSERT_EQ(sheet.lines().size(), rows + 1);
    EXPECT_EQ(sheet.lineAt(1)->getProcessSteel()->number, "5");
    EXPECT_EQ(sheet.lineAt(2)->getProcessSteel()->tags.at(0).mark, 2) << "the tags numbered";
    sheet.Undo();
    EXPECT_EQ(sheet.lines().size(), rows);
}

TEST_F(ProcessEditView, TabMovesToTheNextColumn)
{
    sheet.AddSelect(2, 1);
    sheet.setCurRow(2);
    sheet.setCurCol(CVes_ProcessTable::kColNumber);
    QTest::keyClick(&view, Qt::Key_Tab);
    EXPECT_EQ(sheet.getCurCol(), CVes_ProcessTable::kColGrade);
}

struct ChooserCase {
    const char* name;
    int mode;
    int answer;
};

void PrintTo(const ChooserCase& c, std::ostream* os) { *os << c.name; }

class ProcessEditViewChooser : public ProcessEditView,
                               public ::testing::WithParamInterface<ChooserCase> {};

TEST_P(ProcessEditViewChooser, DoubleClickOnTheShapeOpensTheUsersChooser)
{
    const ChooserCase& c = GetParam();
    ASSERT_TRUE(Info_SetUserCustomSteelSelectMode(c.mode));
    view.chooserAnswer = c.answer;
    sheet.AddSelect(2, 1);
    const platform::Rect cell = view.LPtoDP(sheet.cellRect(2, CVes_ProcessTable::kColShape));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cell.CenterPoint());

    ASSERT_EQ(view.chooserCalls.size(), 1u);
    EXPECT_EQ(view.chooserCalls[0], c.mode != 0);
    EXPECT_EQ(bar(2).getRecordId(), c.answer == 1 ? test::kBent : test::kStraight);
    EXPECT_EQ(sheet.CanUndo(), c.answer == 1 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ProcessEditViewChooser,
    ::testing::Values(ChooserCase{"small_chooser_chosen", 0, 1},
                      ChooserCase{"large_chooser_chosen", 1, 1},
                      ChooserCase{"cancelled_changes_nothing", 0, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessEditView, SpaceOnTheShapeOpensTheChooser)
{
    sheet.AddSelect(2, 1);
    sheet.setCurRow(2);
    sheet.setCurCol(CVes_ProcessTable::kColShape);
    QTest::keyClick(&view, Qt::Key_Space);
    EXPECT_EQ(view.chooserCalls.size(), 1u);
    EXPECT_EQ(bar(2).getRecordId(), test::kBent);
}

// input through Qt's events

// A client point over an editable dimension of the bar of `row`, found by
// walking the shape cell; null when the drawing shows none.
std::optional<QPoint> dimensionPoint(CVes_ProcessTableEditView& view, CVes_ProcessTable& sheet,
                                     int row)
{
    const platform::Rect cell = view.LPtoDP(sheet.cellRect(row, CVes_ProcessTable::kColShape));
    CVes_BarCore* bar = sheet.getSteel(row);
    for (int y = cell.top + 1; y < cell.bottom; y += 2)
        for (int x = cell.left + 1; x < cell.right; x += 2) {
            const CVes_Variable* v = bar->getSelectVar(view.DPtoLP(QPoint(x, y)));
            if (v && v->m_type >= CVes_Variable::kGiven)
                return QPoint(x, y);
        }
    return std::nullopt;
}

TEST_F(ProcessEditView, ClickOnTheCurrentShapeCellEditsTheDimensionUnderThePointer)
{
    const std::optional<QPoint> at = dimensionPoint(view, sheet, 2);
    ASSERT_TRUE(at.has_value()) << "the bar's length is drawn in its shape";
    QTest::mouseMove(view.viewport(), *at);
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::IBeamCursor);

    sheet.AddSelect(2, 1);
    sheet.setCurRow(2);
    sheet.setCurCol(CVes_ProcessTable::kColShape);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, *at);
    ASSERT_NE(editBox(), nullptr);
    EXPECT_EQ(view.editVariableName(), "L");
    EXPECT_EQ(editBox()->initialText(), "3000.0");
    typeAndEnd(QStringLiteral("3200"), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(bar(2).getVar(QStringLiteral("L"))->m_value, 3200.0);
    EXPECT_EQ(sheet.CanUndo(), 1);
}

// A shape drawn small in its cell writes its dimensions small; their editor
// is read at the height of the sheet's own texts, not at the dimension's.
TEST_F(ProcessEditView, TheDimensionEditorIsAsLegibleAsTheRowsTexts)
{
    const std::optional<QPoint> at = dimensionPoint(view, sheet, 2);
    ASSERT_TRUE(at.has_value());
    sheet.AddSelect(2, 1);
    sheet.setCurRow(2);
    sheet.setCurCol(CVes_ProcessTable::kColShape);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, *at);
    CVes_InPlaceEdit* box = editBox();
    ASSERT_NE(box, nullptr);

    // The row's cut length as the page draws it, in pixels.
    const int rowText = std::abs(view.LPtoDP(sheet.getTxtHight(2, CVes_ProcessTable::kColLength)));
    ASSERT_GT(rowText, 0);
    EXPECT_GE(box->font().pixelSize(), rowText);
    // The box shows its whole text: as high as a line, as wide as "3000.0".
    EXPECT_GE(box->height(), box->font().pixelSize());
    EXPECT_GE(box->width(), QFontMetrics(box->font()).horizontalAdvance(box->initialText()));
}

TEST_F(ProcessEditView, FirstClickSelectsTheRowWithoutAnEditor)
{
    const platform::Rect cell = view.LPtoDP(sheet.cellRect(3, CVes_ProcessTable::kColCount));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.CenterPoint());
    EXPECT_EQ(sheet.getSelectRow(), 3);
    EXPECT_EQ(sheet.getCurCol(), CVes_ProcessTable::kColCount);
    EXPECT_EQ(editBox(), nullptr);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.CenterPoint());
    ASSERT_NE(editBox(), nullptr) << "a second click on the current cell edits it";
    EXPECT_EQ(editBox()->initialText(), "2");
}

// The status bar's weight: the selected bar rows as the summary weighs
// them, in kilograms; heading rows weigh nothing.
TEST_F(ProcessEditView, SelectedRowsWeighWhatTheSummaryWeighsThem)
{
    EXPECT_EQ(view.getsellineWeight(), 0.0);
    const auto click = [&](int row, Qt::KeyboardModifiers keys) {
        const platform::Rect cell = view.LPtoDP(sheet.cellRect(row, CVes_ProcessTable::kColNumber));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, keys, cell.CenterPoint());
    };
    click(3, {});
    view.grab();
    const double kgOfRow3 = 2 * 1.5 * barsum::unitWeight(2, 12.0f);
    EXPECT_NEAR(view.getsellineWeight(), kgOfRow3, 1e-6);
    click(1, Qt::ControlModifier);
    click(2, Qt::ControlModifier);
    view.grab();
    const double kgOfRow2 = 4 * 3.0 * barsum::unitWeight(3, 16.0f);
    EXPECT_NEAR(view.getsellineWeight(), kgOfRow2 + kgOfRow3, 1e-6);
}

struct KeyCase {
    const char* name;
    Qt::Key key;
    char typed;         // the character the key types, or 0
    int column;         // the current column of bar row 3
    const char* opened; // the edit box's text, or null for none
    int nextColumn;     // the current column afterwards
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class ProcessEditViewKeys : public ProcessEditView,
                           public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ProcessEditViewKeys, KeysReachTheSheetAsInTheBarList)
{
    const KeyCase& c = GetParam();
    sheet.AddSelect(3, 1);
    sheet.setCurRow(3);
    sheet.setCurCol(c.column);
    if (c.typed)
        QTest::keyClick(&view, c.typed);
    else
        QTest::keyClick(&view, c.key);
    CVes_InPlaceEdit* box = editBox();
    if (c.opened) {
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QString::fromUtf8(c.opened));
    } else {
        EXPECT_EQ(box, nullptr);
    }
    EXPECT_EQ(sheet.getCurCol(), c.nextColumn);
    EXPECT_TRUE(view.chooserCalls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ProcessEditViewKeys,
    ::testing::Values(
        KeyCase{"enter_edits_the_count", Qt::Key_Return, 0, CVes_ProcessTable::kColCount, "2",
                CVes_ProcessTable::kColCount},
        KeyCase{"a_digit_types_into_the_count", Qt::Key_7, '7', CVes_ProcessTable::kColCount, "7",
                CVes_ProcessTable::kColCount},
        KeyCase{"tab_goes_to_the_next_column", Qt::Key_Tab, 0, CVes_ProcessTable::kColNumber,
                nullptr, CVes_ProcessTable::kColGrade},
        KeyCase{"right_goes_to_the_next_column", Qt::Key_Right, 0, CVes_ProcessTable::kColNumber,
                nullptr, CVes_ProcessTable::kColGrade},
        KeyCase{"space_off_the_shape_is_typed", Qt::Key_Space, ' ', CVes_ProcessTable::kColCount,
                " ", CVes_ProcessTable::kColCount}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessEditView, AClickTellsTheFrameSoThatItsPanesFollowTheSelection)
{
    QSignalSpy told(&view, &CVes_TableViewBase::tableChanged);
    const platform::Rect cell = view.LPtoDP(sheet.cellRect(3, CVes_ProcessTable::kColNumber));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.CenterPoint());
    EXPECT_EQ(sheet.getSelectRow(), 3);
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told.first().first().value<CVes_TableBase*>(), &sheet);
}

// A double click on a title-block text opens its editor over the text, in
// the view where the text is drawn, the view lying inside a window as a
// tab of a document window does.
TEST_F(ProcessEditView, TheTitleTextEditorLiesOverItsText)
{
    CVes_Variable& number = sheet.m_texts[3]; // 加工单号
    number.m_formula = QStringLiteral("JG-01");
    QWidget window;
    auto* tab = new QWidget(&window);
    tab->setGeometry(140, 90, 900, 1100);
    auto* inner = new TestView;
    inner->setParent(tab);
    inner->setGeometry(0, 0, 900, 1100);
    inner->setTable(&sheet);
    window.resize(1100, 1300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    inner->grab();
    platform::Rect text;
    number.LocateRect(text);
    const QPoint centre = inner->LPtoDP(text).CenterPoint();
    QTest::mouseDClick(inner->viewport(), Qt::LeftButton, {}, centre);
    CVes_InPlaceEdit* box = window.findChild<CVes_InPlaceEdit*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "JG-01");
    const QPoint onScreen = inner->viewport()->mapToGlobal(centre);
    const QRect at(box->mapToGlobal(QPoint(0, 0)), box->size());
    EXPECT_TRUE(at.contains(onScreen)) << "editor at " << at.x() << "," << at.y() << " "
                                       << at.width() << "x" << at.height() << ", text at "
                                       << onScreen.x() << "," << onScreen.y();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("JG-02"));
    QTest::keyClick(box, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(number.m_formula, "JG-02");
}

TEST_F(ProcessEditView, F3ChecksTheSheet)
{
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_F3);
    EXPECT_EQ(host->messageTexts(), QStringList{"表单检查通过！"});
}

TEST_F(ProcessEditView, TitleBlockTextIsEditedInPlace)
{
    view.EditoutSideVar(CVes_TableBase::kTitleTextRow, 2, QPoint(), nullptr);
    ASSERT_NE(editBox(), nullptr);
    typeAndEnd(QStringLiteral("JG-9"), Qt::Key_Return);
    EXPECT_EQ(sheet.m_texts[3].m_formula, "JG-9");
    EXPECT_EQ(sheet.CanUndo(), 1);
}

// imports

class ProcessEditViewImport : public ProcessEditView {
protected:
    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }
    // A bar list of one element of 2 pieces with two equal bars of 3.
    QString barList(int shapeUnit = CVes_Template::kMillimetre)
    {
        CVes_SetupTable list;
        list.m_texts[2].m_formula = QString();
        list.m_texts[3].m_formula = QString();
        list.m_units[CVes_SetupTable::kColShape] = shapeUnit;
        auto* element = list.lineAt(0);
        element->setElement(QStringLiteral("KZ1"));
        element->setEleNum(2);
        for (int i = 0; i < 2; ++i) {
            auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
            line->setNull(0);
            line->m_steel.number = QStringLiteral("1");
            line->m_steel.grade = 3;
            line->m_steel.DN = 20.0f;
            line->m_steel.count = 3;
            line->m_steel.setRecordId(test::kStraight);
            line->m_steel.calcLength = 1;
            line->m_steel.setVarValue(QStringLiteral("L"), 2400.0);
            list.appendLine(line);
        }
        const QString path = m_dir.filePath(QStringLiteral("list.pld"));
        EXPECT_EQ(list.SaveFile(path), 1);
        return path;
    }
    std::vector<std::string> shown() const
    {
        std::vector<std::string> rows;
        for (const std::string& row : test::lineTexts(sheet))
            if (row != "-")
                rows.push_back(row);
        return rows;
    }

    QTemporaryDir m_dir;
};

TEST_F(ProcessEditViewImport, BarListWithMergingAnsweredYes)
{
    view.importFile = barList();
    sheet.clearSelect();
    host->script({platform::Answer::Yes});
    view.importSteelFromSetUp();
    EXPECT_EQ(view.importFilters, QStringList{"钢筋配料单(*.pld)"});
    EXPECT_EQ(host->messageTexts(), QStringList{"配料单中相同钢筋是否归并为一种加工钢筋？"});
    EXPECT_EQ(shown(), (std::vector<std::string>{"E:KL1", "5x4", "6x2", "E:KZ1", "1x12"}));
    EXPECT_EQ(sheet.CanUndo(), 1);
}

TEST_F(ProcessEditViewImport, BarListWithMergingAnsweredNo)
{
    view.importFile = barList();
    sheet.clearSelect();
    host->script({platform::Answer::No});
    view.importSteelFromSetUp();
    EXPECT_EQ(shown(),
              (std::vector<std::string>{"E:KL1", "5x4", "6x2", "E:KZ1", "1x6", "1x6"}));
}

TEST_F(ProcessEditViewImport, BarListInAnotherShapeUnitIsRefused)
{
    view.importFile = barList(CVes_Template::kCentimetre);
    view.importSteelFromSetUp();
    EXPECT_EQ(host->messageTexts(), QStringList{"钢筋配料单与加工单钢筋形状单位不一致，无法导入！"});
    EXPECT_EQ(shown(), (std::vector<std::string>{"E:KL1", "5x4", "6x2"}));
    EXPECT_EQ(sheet.CanUndo(), 0);
}

struct BadFileCase {
    const char* name;
    bool setupFile;
    QByteArray (*bytes)();
    const char* messageStart;
};

void PrintTo(const BadFileCase& c, std::ostream* os) { *os << c.name; }

class ProcessEditViewBadFile : public ProcessEditViewImport,
                              public ::testing::WithParamInterface<BadFileCase> {};

QByteArray newerProcessing()
{
    return test::Bytes().raw(test::tablePartBytes()).i32(9).i32(0);
}

// Five rows announced, none there.
QByteArray damagedProcessing()
{
    return test::Bytes().raw(test::tablePartBytes()).i32(4).i32(3).i32(1).i32(1).i32(7).i32(5);
}

QByteArray damagedBarList()
{
    CVes_SetupTable list;
    platform::Archive ar;
    list.Serialize(ar);
    return ar.data().chopped(20);
}

QByteArray newerBarList()
{
    CVes_SetupTable list;
    platform::Archive ar;
    list.CVes_TableBase::Serialize(ar);
    return test::Bytes().raw(ar.data()).i32(99).i32(1);
}

TEST_P(ProcessEditViewBadFile, IsReportedAndTheSheetStaysAsItWas)
{
    const BadFileCase& c = GetParam();
    view.importFile = file(QStringLiteral("bad"), c.bytes());
    if (c.setupFile)
        view.importSteelFromSetUp();
    else
        view.importSteelFromProcess();
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts().first().startsWith(QString::fromUtf8(c.messageStart)))
        << host->messageTexts().first().toStdString();
    EXPECT_EQ(shown(), (std::vector<std::string>{"E:KL1", "5x4", "6x2"}));
    EXPECT_EQ(sheet.CanUndo(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProcessEditViewBadFile,
    ::testing::Values(
        BadFileCase{"newer_processing_sheet", false, &newerProcessing, "此文件版本与您使用的程序版本不符"},
        BadFileCase{"damaged_processing_sheet", false, &damagedProcessing, "导入失败，文件无法读取"},
        BadFileCase{"newer_bar_list", true, &newerBarList, "此文件版本与您使用的程序版本不符"},
        BadFileCase{"damaged_bar_list", true, &damagedBarList, "导入失败，文件无法读取"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessEditViewImport, ProcessingSheetIsAppended)
{
    CVes_ProcessTable other;
    other.appendLine(test::headingRow(EditLine::kStoryRow, QStringLiteral("二层")));
    other.appendLine(test::barRow(test::processBar("8", 2, 12.0f, 9, 900.0f)));
    view.importFile = m_dir.filePath(QStringLiteral("other.jgd"));
    ASSERT_EQ(other.SaveFile(view.importFile), 1);
    view.importSteelFromProcess();
    EXPECT_EQ(view.importFilters, QStringList{"钢筋加工明细单(*.jgd)"});
    EXPECT_EQ(shown(), (std::vector<std::string>{"E:KL1", "5x4", "6x2", "S:二层", "8x9"}));
    EXPECT_EQ(sheet.CanUndo(), 1);
}

// Two bar lists numbered from 1 each, imported one after the other: F3
// finds every number that two different bars share, from both sides.
TEST_F(ProcessEditViewImport, F3FindsTheNumbersTwoImportedListsShare)
{
    sheet.clearnAllLineOnly();
    const auto list = [this](const char* name, const char* element, double first) {
        CVes_SetupTable bars;
        bars.m_texts[2].m_formula = QString();
        bars.m_texts[3].m_formula = QString();
        bars.lineAt(0)->setElement(QString::fromUtf8(element));
        for (int i = 0; i < 2; ++i) {
            auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
            line->setNull(0);
            line->m_steel.number = QString::number(i + 1);
            line->m_steel.grade = 3;
            line->m_steel.DN = 20.0f;
            line->m_steel.count = 2;
            line->m_steel.setRecordId(test::kStraight);
            line->m_steel.calcLength = 1;
            line->m_steel.setVarValue(QStringLiteral("L"), first + 100 * i);
            bars.appendLine(line);
        }
        const QString path = m_dir.filePath(QString::fromUtf8(name));
        EXPECT_EQ(bars.SaveFile(path), 1);
        return path;
    };
    for (const QString& path : {list("柱.pld", "KZ1", 2400), list("梁.pld", "KL1", 3000)}) {
        view.importFile = path;
        host->script({platform::Answer::Yes});
        view.importSteelFromSetUp();
    }
    ASSERT_EQ(shown(), (std::vector<std::string>{"E:KZ1", "1x2", "2x2", "E:KL1", "1x2", "2x2"}));
    host->clear();
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_F3);

    ASSERT_EQ(host->opened().size(), 1) << "the report is written and opened";
    QFile report(host->opened().first());
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QString page = platform::gbk::decode(report.readAll());
    report.close();
    QFile::remove(report.fileName());
    const QString same = QStringLiteral("两根<b>%1号钢筋</b>中<I>（第1页/第%2行 与 第1页/第%3行）</I>， "
                                        "编号相同，但<b>钢筋</b>不同！");
    for (const QString& finding : {same.arg(1).arg(2).arg(5), same.arg(2).arg(3).arg(6),
                                   same.arg(1).arg(5).arg(2), same.arg(2).arg(6).arg(3)})
        EXPECT_TRUE(page.contains(finding)) << finding.toStdString();
    EXPECT_EQ(page.count(QStringLiteral("编号相同")), 4);
}

TEST_F(ProcessEditViewImport, CancelledFileDialogDoesNothing)
{
    view.importSteelFromSetUp();
    view.importSteelFromProcess();
    EXPECT_TRUE(host->messageTexts().isEmpty());
    EXPECT_EQ(sheet.CanUndo(), 0);
}

} // namespace
