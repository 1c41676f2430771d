// The find-and-replace window over a bar-list view: opening it, finding the
// next hit and every hit, choosing a hit, replacing as one undo step, the
// histories, rows deleted while listed, and closing.

#include "tables/framework/ui/findreplacedlg.h"

#include "tables/barlist/setuptable.h"
#include "tables/framework/findreplace.h"
#include "tables/framework/ui/tableview.h"

#include "tableview_support.h"
#include "tests/support/recordinghost.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

using Line = CVes_SetupTableLine;
using View = CVes_TableViewBase;

namespace {

const CSteelRecordId kDialogStraightBar(190, 1);
const QString kLengthName = QStringLiteral("L");

// A bar list whose search also answers the empty rows it is told to.
class SearchSheet : public CVes_SetupTable {
public:
    TableLineList searchAllLine(const QString& text, unsigned int item, unsigned int range,
                                int from, int to) override
    {
        TableLineList rows = CVes_SetupTable::searchAllLine(text, item, range, from, to);
        for (CVes_TableBaseLine* extra : alsoAnswer)
            rows.insert(1, extra);
        return rows;
    }
    TableLineList alsoAnswer;
};

// A bar list of 4 rows a page: 1 element "KL1", then bars "A1" to "A6" of
// L 3000 (A4 of 2500) and a bar "B1", over 2 pages.
struct FindFixture : ::testing::Test {
    void SetUp() override
    {
        findreplace::searchHistory().clear();
        findreplace::replaceHistory().clear();
        t.clearnAllLine();
        t.m_rowNum = 4;
        auto* element = new Line(int(Line::kElementLine));
        element->setElement(QStringLiteral("KL1"));
        element->setEleNum(1);
        element->setNull(0);
        t.appendLine(element);
        for (int i = 1; i <= 6; ++i)
            bar(QString("A%1").arg(i), i == 4 ? 2500 : 3000);
        bar("B1", 3000);
        t.firstPage();
        t.AddSelect(2, 1);
        t.setCurRow(2);
        t.setCurCol(CVes_SetupTable::kColNumber);
        t.setModified(0);
        t.resetUndo();
        t.setReadOnly(0);

        view.viewType = View::kBarListView;
        view.resize(640, 480);
        view.setTable(&t);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    void TearDown() override
    {
        if (CVes_FindReplaceDlg* dialog = view.findReplaceDialog())
            dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    Line* bar(const QString& number, int length)
    {
        CVes_Steel b;
        b.setRecordId(kDialogStraightBar);
        b.setDN(20.0f);
        b.grade = 3;
        b.setVarValue(kLengthName, double(length));
        b.number = number;
        b.count = 2;
        return t.Add(b);
    }
    Line* row(int index) const { return static_cast<Line*>(t.lines().at(index)); }
    CVes_FindReplaceDlg* open(int tab)
    {
        view.SearchAndReplace(tab);
        return view.findReplaceDialog();
    }
    // Types a search: the item, the text and the range.
    static void search(CVes_FindReplaceDlg* dialog, int item, const QString& text,
                       const QString& replace = {})
    {
        dialog->m_itemCombo->setCurrentIndex(item);
        dialog->m_findCombo->setEditText(text);
        dialog->m_replaceCombo->setEditText(replace);
        dialog->m_rangeWhole->setChecked(true);
    }
    static QStringList entries(const CVes_FindReplaceDlg* dialog)
    {
        QStringList out;
        for (int i = 0; i < dialog->m_results->count(); ++i)
            out << dialog->m_results->item(i)->text().section(QStringLiteral("——"), 0, 0);
        return out;
    }
    static void leave(QWidget* box)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(box, &out);
    }
    static QString numbers(const CVes_SetupTable& table)
    {
        QStringList out;
        for (CVes_TableBaseLine* line : table.lines())
            if (line->isSteelLine() && !line->isNull())
                out << static_cast<Line*>(line)->m_steel.number;
        return out.join(' ');
    }

    SearchSheet t;
    test::RecordingView view;
};

TEST_F(FindFixture, OpensOnBarListViewsFromTheCurrentCell)
{
    view.viewType = View::kBaseView;
    QTest::keyClick(&view, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(view.findReplaceDialog(), nullptr);

    view.viewType = View::kBarListView;
    QTest::keyClick(&view, Qt::Key_F, Qt::ControlModifier);
    CVes_FindReplaceDlg* dialog = view.findReplaceDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), "查找与替换");
    EXPECT_EQ(dialog->m_itemCombo->currentIndex(), findreplace::kNumber);
    EXPECT_EQ(dialog->m_findCombo->currentText(), "A1");
    EXPECT_TRUE(dialog->m_rangeWhole->isChecked());
    EXPECT_EQ(dialog->currentFoundRow(), row(1));
    // The find tab hides what only replacing needs.
    EXPECT_EQ(dialog->m_tab->currentIndex(), CVes_FindReplaceDlg::kFindTab);
    EXPECT_FALSE(dialog->m_replaceCombo->isVisible());
    EXPECT_FALSE(dialog->m_replaceAll->isVisible());
    EXPECT_TRUE(dialog->m_findAll->isVisible());

    // Ctrl+H shows the same window; its tabs switch the replace controls.
    QTest::keyClick(&view, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(view.findReplaceDialog(), dialog);
    dialog->m_tab->setCurrentIndex(CVes_FindReplaceDlg::kReplaceTab);
    EXPECT_TRUE(dialog->m_replaceCombo->isVisible());
    EXPECT_TRUE(dialog->m_replace->isVisible());
}

TEST_F(FindFixture, ATableWithTheBaseAnswersShowsNoItem)
{
    test::GridSheet other;
    view.setTable(&other);
    CVes_FindReplaceDlg* dialog = open(CVes_FindReplaceDlg::kReplaceTab);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->m_itemCombo->currentIndex(), -1);
    EXPECT_TRUE(dialog->m_findCombo->currentText().isEmpty());
    EXPECT_TRUE(dialog->m_replaceCombo->isVisible());
    dialog->OnFindAll();
    EXPECT_EQ(dialog->m_results->count(), 0);
    view.setTable(&t);
}

TEST_F(FindFixture, FindNextWalksTheHitsAndStopsAtTheLast)
{
    CVes_FindReplaceDlg* dialog = open(0);
    search(dialog, findreplace::kNumber, "A");
    QList<int> pages;
    for (int i = 0; i < 6; ++i) {
        dialog->OnFindNext();
        pages << t.getCurPage() * 10 + t.getCurRow();
    }
    // From A1 (page 1, row 2): A2, A3 on page 1, A4 to A6 on page 2, then no more.
    EXPECT_EQ(pages, (QList<int>{13, 14, 21, 22, 23, 23}));
    EXPECT_EQ(dialog->currentFoundRow(), row(6));
    EXPECT_EQ(t.getSelection(), QList<int>{3});
}

TEST_F(FindFixture, FindAllListsTheHitsAndJumpsToTheChosenOne)
{
    CVes_FindReplaceDlg* dialog = open(0);
    search(dialog, findreplace::kVariable, "3000");
    dialog->OnFindAll();
    EXPECT_EQ(entries(dialog),
              (QStringList{"1、第1页，第2行", "2、第1页，第3行", "3、第1页，第4行",
                           "4、第2页，第2行", "5、第2页，第3行", "6、第2页，第4行"}));
    EXPECT_TRUE(dialog->m_results->item(0)->text().endsWith("大样编号：190-001  "));
    // The first hit is shown, with its variable marked.
    EXPECT_EQ(t.getCurPage(), 1);
    EXPECT_EQ(t.getCurRow(), 2);
    CVes_Variable* first = row(1)->m_steel.getVar(kLengthName);
    EXPECT_EQ(view.getMarkedVar(), first);
    EXPECT_EQ(first->m_status, CVes_ReferenceBase::kEditing);

    dialog->m_results->setCurrentRow(4);
    EXPECT_EQ(t.getCurPage(), 2);
    EXPECT_EQ(t.getCurRow(), 3);
    EXPECT_EQ(dialog->currentFoundRow(), row(6));
    // Only the variable marked last stays marked.
    EXPECT_EQ(view.getMarkedVar(), row(6)->m_steel.getVar(kLengthName));
    EXPECT_EQ(first->m_status, 0u);

    // A new search text makes the list stale.
    dialog->m_findCombo->setEditText("2500");
    EXPECT_EQ(dialog->m_results->count(), 0);
}

TEST_F(FindFixture, EntriesAreNumberedWithoutEmptyRows)
{
    Line* empty = bar("A9", 3000);
    empty->setNull(1);
    t.alsoAnswer = {empty};
    CVes_FindReplaceDlg* dialog = open(0);
    search(dialog, findreplace::kNumber, "B");
    dialog->OnFindAll();
    EXPECT_EQ(entries(dialog), (QStringList{"1、第2页，第4行"}));
    search(dialog, findreplace::kNumber, "A5");
    t.alsoAnswer = {empty, row(7)};
    dialog->OnFindAll();
    EXPECT_EQ(entries(dialog), (QStringList{"1、第2页，第2行", "2、第2页，第4行"}));
}

TEST_F(FindFixture, ReplaceAllIsOneUndoStep)
{
    QSignalSpy modified(&view, &View::modifyRequested);
    CVes_FindReplaceDlg* dialog = open(1);
    search(dialog, findreplace::kNumber, "A", "C");
    dialog->OnFindAll();
    ASSERT_EQ(dialog->m_results->count(), 6);
    // The panes (the bar pane among them) show the values replaced.
    QSignalSpy panesTold(&view, &View::tableChanged);
    dialog->OnReplaceAll();
    EXPECT_EQ(panesTold.count(), 1);
    EXPECT_EQ(numbers(t), "C1 C2 C3 C4 C5 C6 B1");
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_EQ(t.isCanSortSteel(), 1);
    ASSERT_EQ(modified.count(), 1);
    EXPECT_TRUE(modified.at(0).at(0).toBool());
    EXPECT_TRUE(t.CanUndo());
    t.Undo();
    EXPECT_EQ(numbers(t), "A1 A2 A3 A4 A5 A6 B1");
    EXPECT_FALSE(t.CanUndo());
}

// A replacement the field refuses changes no row, records no step and is
// told once for all the rows, each named by its page and row.
TEST_F(FindFixture, ReplaceAllRefusedByTheFieldIsToldOnce)
{
    test::HostScope host;
    QSignalSpy modified(&view, &View::modifyRequested);
    CVes_FindReplaceDlg* dialog = open(1);
    search(dialog, findreplace::kCount, "2", "100000");
    dialog->OnFindAll();
    ASSERT_EQ(dialog->m_results->count(), 7);
    dialog->OnReplaceAll();
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(row(i)->m_steel.count, 2);
    EXPECT_EQ(t.isModified(), 0);
    EXPECT_FALSE(t.CanUndo());
    EXPECT_EQ(modified.count(), 0);
    EXPECT_EQ(host->messageTexts(),
              QStringList{QStringLiteral("以下各行未替换：\n[100000] 根数必须是0到99999之间的整数\n"
                                         "    第1页第2行、第1页第3行、第1页第4行、第2页第1行、"
                                         "第2页第2行、第2页第3行、第2页第4行")});
}

TEST_F(FindFixture, ReplaceRefusedInOneRowIsToldAndTheNextIsFound)
{
    test::HostScope host;
    CVes_FindReplaceDlg* dialog = open(1);
    search(dialog, findreplace::kNumber, "A", "😀");
    dialog->OnReplace();
    EXPECT_EQ(numbers(t), "A1 A2 A3 A4 A5 A6 B1");
    EXPECT_FALSE(t.CanUndo());
    EXPECT_EQ(host->messageTexts(),
              QStringList{QStringLiteral("以下各行未替换：\n[😀] 含有不能保存的字符。\n"
                                         "    第1页第2行")});
    EXPECT_EQ(dialog->currentFoundRow(), row(2));
}

TEST_F(FindFixture, ReplaceAllWithoutHitsChangesNothing)
{
    QSignalSpy modified(&view, &View::modifyRequested);
    CVes_FindReplaceDlg* dialog = open(1);
    search(dialog, findreplace::kNumber, "Z", "C");
    dialog->OnFindAll();
    dialog->OnReplaceAll();
    EXPECT_EQ(numbers(t), "A1 A2 A3 A4 A5 A6 B1");
    EXPECT_EQ(t.isModified(), 0);
    EXPECT_FALSE(t.CanUndo());
    EXPECT_EQ(modified.count(), 0);
}

TEST_F(FindFixture, ReplaceChangesTheCurrentHitAndFindsTheNext)
{
    CVes_FindReplaceDlg* dialog = open(1);
    search(dialog, findreplace::kNumber, "A", "C");
    QSignalSpy panesTold(&view, &View::tableChanged);
    dialog->OnReplace(); // A1, the row the dialog started on
    EXPECT_EQ(numbers(t), "C1 A2 A3 A4 A5 A6 B1");
    EXPECT_EQ(dialog->currentFoundRow(), row(2));
    // Told of the replacement, and of the next hit shown.
    EXPECT_EQ(panesTold.count(), 2);
    EXPECT_TRUE(t.CanUndo());
    // A locked hit is passed over and records nothing.
    row(2)->setLock(1);
    t.resetUndo();
    dialog->OnReplace();
    EXPECT_EQ(numbers(t), "C1 A2 A3 A4 A5 A6 B1");
    EXPECT_FALSE(t.CanUndo());
    EXPECT_EQ(dialog->currentFoundRow(), row(3));
}

TEST_F(FindFixture, ARowDeletedWhileListedIsNeverFollowed)
{
    CVes_FindReplaceDlg* dialog = open(1);
    search(dialog, findreplace::kNumber, "A", "C");
    dialog->OnFindAll();
    ASSERT_EQ(dialog->m_results->count(), 6);
    ASSERT_EQ(dialog->m_results->item(4)->data(Qt::UserRole).value<quintptr>(), quintptr(row(5)));
    // A5 (page 2, row 2) goes through the frame's delete command: its place
    // may be taken by a new row, so the listed hits are all forgotten.
    t.setPageTo(2, 1);
    t.AddSelect(2, 1);
    view.handleMessage(View::kDeleteRow);
    EXPECT_EQ(numbers(t), "A1 A2 A3 A4 A6 B1");
    EXPECT_EQ(dialog->m_results->count(), 0);
    EXPECT_EQ(dialog->currentFoundRow(), nullptr);
    t.resetUndo();
    dialog->OnReplace(); // no hit to replace in: only the next is found
    EXPECT_EQ(numbers(t), "A1 A2 A3 A4 A6 B1");
    EXPECT_FALSE(t.CanUndo());

    // A row that is not the table's (deleted behind the view's back) is
    // passed over when chosen and when replacing.
    dialog->OnFindAll();
    ASSERT_EQ(dialog->m_results->count(), 5);
    Line gone(int(Line::kSteelLine));
    QListWidgetItem* stale = dialog->m_results->item(0);
    stale->setData(Qt::UserRole, QVariant::fromValue(quintptr(&gone)));
    t.setPageTo(1, 1);
    t.AddSelect(3, 1);
    t.setCurRow(3);
    dialog->chooseEntry(0);
    EXPECT_EQ(t.getCurPage(), 1);
    EXPECT_EQ(t.getCurRow(), 3);
    dialog->OnReplaceAll();
    EXPECT_EQ(numbers(t), "A1 C2 C3 C4 C6 B1");
}

TEST_F(FindFixture, TypedTextsEnterTheHistoriesOnce)
{
    CVes_FindReplaceDlg* dialog = open(1);
    dialog->m_findCombo->setEditText("  A1");
    leave(dialog->m_findCombo->lineEdit());
    leave(dialog->m_findCombo->lineEdit());
    dialog->m_replaceCombo->setEditText("");
    leave(dialog->m_replaceCombo->lineEdit());
    leave(dialog->m_replaceCombo->lineEdit());
    dialog->m_findCombo->setEditText("   ");
    leave(dialog->m_findCombo->lineEdit());
    EXPECT_EQ(findreplace::searchHistory().texts(), QStringList{"A1"});
    EXPECT_EQ(findreplace::replaceHistory().texts(), QStringList{""});
    EXPECT_EQ(dialog->m_findCombo->count(), 1);
    EXPECT_EQ(dialog->m_findCombo->itemText(0), "A1");

    // Another dialog starts with the histories in their order.
    QPointer<CVes_FindReplaceDlg> closed = dialog;
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(closed.isNull());
    findreplace::searchHistory().add("B2");
    CVes_FindReplaceDlg* again = open(0);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->m_findCombo->count(), 2);
    EXPECT_EQ(again->m_findCombo->itemText(1), "B2");
    EXPECT_EQ(again->m_replaceCombo->count(), 1);
}

struct CloseCase {
    const char* name;
    int how; // 0 the close button, 1 undo, 2 a click in the view, 3 closeSearchDlg, 4 Escape
    bool endsTheEditor;
};

std::ostream& operator<<(std::ostream& os, const CloseCase& c) { return os << c.name; }

class FindClosing : public FindFixture, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(FindClosing, TheViewForgetsTheWindow)
{
    const CloseCase& c = GetParam();
    QPointer<CVes_FindReplaceDlg> dialog = open(0);
    ASSERT_FALSE(dialog.isNull());
    view.openEditor(2, 1, "X");
    switch (c.how) {
    case 0: QTest::mouseClick(dialog->m_close, Qt::LeftButton); break;
    case 1: view.handleMessage(View::kUndo); break;
    case 2: view.click(QPoint(5, 5)); break;
    case 3: view.closeSearchDlg(); break;
    case 4: QTest::keyClick(dialog->m_results, Qt::Key_Escape); break;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
    EXPECT_EQ(view.findReplaceDialog(), nullptr);
    EXPECT_EQ(view.cellEdits.size(), c.endsTheEditor ? 1 : 0);
    // A new request opens a new window.
    EXPECT_NE(open(0), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, FindClosing,
    ::testing::Values(CloseCase{"CloseButton", 0, true}, CloseCase{"Undo", 1, true},
                      CloseCase{"ClickInTheView", 2, true}, CloseCase{"CloseSearchDlg", 3, true},
                      CloseCase{"Escape", 4, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FindFixture, AViewThatGoesTakesItsWindowAlong)
{
    auto other = std::make_unique<test::RecordingView>();
    other->viewType = View::kBarListView;
    other->setTable(&t);
    other->SearchAndReplace(0);
    QPointer<CVes_FindReplaceDlg> dialog = other->findReplaceDialog();
    ASSERT_FALSE(dialog.isNull());
    other.reset();
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(FindFixture, AnotherTableInTheViewEmptiesTheList)
{
    CVes_FindReplaceDlg* dialog = open(0);
    search(dialog, findreplace::kNumber, "A");
    dialog->OnFindAll();
    ASSERT_EQ(dialog->m_results->count(), 6);
    CVes_SetupTable other;
    view.setTable(&other);
    dialog->chooseEntry(0);
    EXPECT_EQ(dialog->m_results->count(), 0);
    EXPECT_EQ(dialog->currentFoundRow(), nullptr);
    view.setTable(&t);
}

// The window stands over the bar-list page beside the hits it lists; with
// RODO_FINDREPLACE_SHOT set the screen is saved there for a look.
TEST_F(FindFixture, TheWindowStandsOverThePage)
{
    view.resize(1200, 800);
    view.move(0, 0);
    CVes_FindReplaceDlg* dialog = open(1);
    search(dialog, findreplace::kNumber, "A", "C");
    dialog->OnFindAll();
    dialog->move(560, 300);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->m_results->count(), 6);
    EXPECT_TRUE(view.isVisible());
    const QString path = qEnvironmentVariable("RODO_FINDREPLACE_SHOT");
    if (!path.isEmpty()) {
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(path);
        dialog->grab().save(QString(path).replace(".png", "-dialog.png"));
    }
}

} // namespace
