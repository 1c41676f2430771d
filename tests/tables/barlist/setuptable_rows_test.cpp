// The bar list's row operations: appending and inserting rows, empty rows
// at the end of the last page, moving rows, whole elements and their
// weights, appending another bar list, and undoing each of them.

#include "tables/barlist/setuptable.h"

#include "envora/usercustom.h"
#include "tables/framework/tableclipboard.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

using Line = CVes_SetupTableLine;

// A bar-list table of known rows: element A (2 pieces) with bars a1..a4,
// element B (3 pieces) with bars b1, b2. Four rows per page.
class SetupTableRows : public testing::Test {
protected:
    void SetUp() override
    {
        // The clipboard is one for the process; start each case with it empty.
        tableClipboard().clear();
        Info_UserCustomSetContent(0xFF);
        Info_UserCustomSetEleNum(1);
        t.clearnAllLine();
        t.m_rowNum = 4;
        element("A", 2);
        for (const char* n : {"a1", "a2", "a3", "a4"})
            bar(n);
        element("B", 3);
        for (const char* n : {"b1", "b2"})
            bar(n);
        t.firstPage();
        t.setModified(0);
        t.setSortSteel(0);
        t.setYouhuaSteel(0);
        t.resetUndo();
    }

    Line* element(const QString& name, int pieces)
    {
        auto* line = new Line(int(Line::kElementLine));
        line->setElement(name);
        line->setEleNum(pieces);
        line->setNull(0);
        t.appendLine(line);
        return line;
    }

    Line* bar(const QString& number, int count = 1)
    {
        CVes_Steel b;
        b.number = number;
        b.count = count;
        b.calcLength = 0;
        return t.Add(b);
    }

    // The rows of the table in order: a bar by its number, an element by
    // its name, "-" an empty row; trailing empty rows are left out.
    static QString rowsOf(const CVes_SetupTable& table)
    {
        QStringList out;
        for (CVes_TableBaseLine* row : table.lines()) {
            auto* line = static_cast<Line*>(row);
            if (line->isNull())
                out << "-";
            else if (line->isElementLine())
                out << "[" + line->getElement() + "]";
            else if (line->isSteelLine())
                out << line->m_steel.number;
            else
                out << QString("k%1").arg(line->getType());
        }
        while (!out.isEmpty() && out.last() == "-")
            out.removeLast();
        return out.join(' ');
    }
    QString rows() const { return rowsOf(t); }

    void select(std::initializer_list<int> positions)
    {
        t.clearSelect();
        for (int n : positions)
            t.AddSelect(n, 0);
    }

    void expectMarked()
    {
        EXPECT_EQ(t.isModified(), 1);
        EXPECT_EQ(t.isCanSortSteel(), 1);
        EXPECT_EQ(t.isCanYouhuaSteel(), 1);
    }

    CVes_SetupTable t;
};

TEST_F(SetupTableRows, AppendingMarksButRecordsNoUndoStep)
{
    CVes_Steel b;
    b.number = "x";
    b.remark = "r";
    Line* full = t.Add(b);
    b.number = "changed";
    EXPECT_EQ(full->isNull(), 0);
    EXPECT_EQ(full->m_steel.number, "x");  // a copy, not the caller's bar
    EXPECT_EQ(full->m_steel.remark, "r");
    Line* empty = t.Add(static_cast<const CVes_Steel*>(nullptr));
    EXPECT_EQ(empty->isSteelLine(), 1);
    EXPECT_EQ(empty->isNull(), 1);

    Line* text = t.Add(QStringList{"说明", "", "x"});
    EXPECT_EQ(text->isTextLine(), 1);
    EXPECT_EQ(text->GetText(0), "说明");
    EXPECT_EQ(text->GetText(2), "x");
    // A text row with texts is content, so it is kept at the end of the table.
    EXPECT_EQ(text->isNull(), 0);

    CVes_SteelStartReference start;
    start.setRecordId(CSteelRecordId(3, 7));
    Line* image = t.AddImagLine(&start);
    EXPECT_EQ(image->isImageLine(), 1);
    ASSERT_NE(image->getImage(), nullptr);
    EXPECT_EQ(image->getImage()->getRecordId(), CSteelRecordId(3, 7));
    EXPECT_EQ(image->isNull(), 0);

    EXPECT_EQ(t.lines().last(), image);
    expectMarked();
    EXPECT_EQ(t.CanUndo(), 0);
}

TEST_F(SetupTableRows, InsertingGoesBeforeTheFirstSelectedRow)
{
    select({3, 4});
    Line* text = t.InsertTextRow();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->isNull(), 0);
    EXPECT_EQ(rows(), "[A] a1 k2 a2 a3 a4 [B] b1 b2");
    expectMarked();
    EXPECT_EQ(t.CanUndo(), 1);

    Info_UserCustomSetEleNum(4);
    Line* element = t.InsertElementRow("KL9");
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->getElement(), "KL9");
    EXPECT_EQ(element->getEleNum(), 4);
    EXPECT_EQ(element->isNull(), 0);
    EXPECT_EQ(rows(), "[A] a1 [KL9] k2 a2 a3 a4 [B] b1 b2");

    ASSERT_NE(t.InsertUnitRow(), nullptr);
    ASSERT_NE(t.InsertImageRow(), nullptr);
    EXPECT_EQ(rows(), "[A] a1 k5 k0 [KL9] k2 a2 a3 a4 [B] b1 b2");

    Line* steel = t.InsertSteelRow(0);
    ASSERT_NE(steel, nullptr);
    EXPECT_EQ(steel->isNull(), 0);
    Line* blank = t.InsertSteelRow(1);
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(blank->isNull(), 1);
}

TEST_F(SetupTableRows, NothingIsInsertedWithoutASelection)
{
    const QString before = rows();
    EXPECT_EQ(t.InsertSteelRow(0), nullptr);
    EXPECT_EQ(t.InsertElementRow("X"), nullptr);
    EXPECT_EQ(t.InsertRow(static_cast<Line*>(nullptr)), 0);
    auto* row = new Line(int(Line::kTextLine));
    EXPECT_EQ(t.InsertRow(row), 0);  // the caller still owns it
    delete row;
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(t.isModified(), 0);
    EXPECT_EQ(t.CanUndo(), 0);
}

TEST_F(SetupTableRows, AnEmptyRowInsertedBeforeTheFillerRowsIsKept)
{
    CVes_TableBase::disposeLine(t.m_lines.takeLast());
    t.endPage();  // page 2: a4 [B] b1 and one filler row
    ASSERT_EQ(t.getCurPage(), 2);
    ASSERT_EQ(t.pageLines().size(), 4);
    ASSERT_EQ(static_cast<Line*>(t.getLine(4))->isNull(), 1);
    select({4});
    Line* blank = t.InsertSteelRow(1);
    ASSERT_NE(blank, nullptr);
    // The filler after it went; the new row stands last and is still there.
    EXPECT_TRUE(t.lines().contains(blank));
    EXPECT_EQ(t.getLine(4), blank);
    EXPECT_EQ(t.lines().size(), 8);
    EXPECT_EQ(rows(), "[A] a1 a2 a3 a4 [B] b1");
}

TEST_F(SetupTableRows, AddPageAppendsAPageOfEmptyRowsAndGoesThere)
{
    select({2});
    const qsizetype before = t.lines().size();
    t.addPage();
    EXPECT_EQ(t.lines().size(), before + 4);
    EXPECT_EQ(t.getCurPage(), 3);
    EXPECT_EQ(t.getPages(), 3);
    EXPECT_EQ(t.getSelectRow(), -1);
    for (CVes_TableBaseLine* row : t.pageLines())
        EXPECT_EQ(row->isNull(), 1);
    EXPECT_EQ(t.CanUndo(), 1);
}

TEST_F(SetupTableRows, EmptyRowsFillOnlyTheLastPage)
{
    t.m_rowNum = 16;
    t.clearnAllLine();
    for (int i = 0; i < 16 + 10; ++i)
        bar(QString::number(i));
    t.firstPage();
    EXPECT_EQ(t.lines().size(), 26);  // page 1 of 2: nothing added
    t.nextPage();
    EXPECT_EQ(t.lines().size(), 32);  // 10 rows + 6 empty rows
    EXPECT_EQ(t.pageLines().size(), 16);
    t.AddNullLineToEnd();
    EXPECT_EQ(t.lines().size(), 32);  // a full page takes no more
    EXPECT_EQ(t.isModified(), 1);     // from the bars added, not the fillers
}

TEST_F(SetupTableRows, EmptyRowsAreNotAddedAfterARowTooTallForThePage)
{
    t.clearnAllLine();
    bar("x")->setRows(3);
    bar("y")->setRows(3);  // on page 2 (4 rows a page)
    t.endPage();
    EXPECT_EQ(t.getCurPage(), 2);
    EXPECT_EQ(t.lines().size(), 2 + 1);  // 1 row is left on page 2
    t.clearnAllLine();
    bar("tall")->setRows(6);  // taller than a page: a page of its own
    t.endPage();
    EXPECT_EQ(t.lines().size(), 1);
}

TEST_F(SetupTableRows, UpRowMovesTheBlockAboveThePrecedingRow)
{
    select({1});
    t.UpRow();
    EXPECT_EQ(rows(), "[A] a1 a2 a3 a4 [B] b1 b2");
    EXPECT_EQ(t.CanUndo(), 0);

    select({3, 4});
    t.setCurCol(2);
    t.UpRow();
    EXPECT_EQ(rows(), "[A] a2 a3 a1 a4 [B] b1 b2");
    EXPECT_EQ(t.getSelection(), (QList<int>{2, 3}));
    EXPECT_EQ(t.getCurCol(), -1);
    expectMarked();
    EXPECT_EQ(t.CanUndo(), 1);

    select({2, 4});  // a gap: nothing moves
    t.UpRow();
    EXPECT_EQ(rows(), "[A] a2 a3 a1 a4 [B] b1 b2");
}

TEST_F(SetupTableRows, DownRowCrossesThePageBoundary)
{
    select({3, 4});  // a2 a3, the last rows of page 1
    t.DownRow();
    EXPECT_EQ(rows(), "[A] a1 a4 a2 a3 [B] b1 b2");
    EXPECT_EQ(t.getSelection(), (QList<int>{4, 5}));
    EXPECT_EQ(t.getLine(4)->getSteel()->number, "a2");
    EXPECT_EQ(t.getLine(5), nullptr);  // a3 went on to page 2
    EXPECT_EQ(t.CanUndo(), 1);
}

TEST_F(SetupTableRows, MovingTakesLockedRowsAlongAndStopsAtTheEnd)
{
    t.lineAt(2)->setLock(1);  // a2
    select({2, 3});
    t.DownRow();
    EXPECT_EQ(rows(), "[A] a3 a1 a2 a4 [B] b1 b2");
    EXPECT_EQ(t.lineAt(3)->getLock(), 1);

    // The very last row of the table cannot go further down.
    t.clearnAllLine();
    for (const char* n : {"w", "x", "y", "z"})
        bar(n);
    t.firstPage();  // a full page: no filler rows after z
    t.resetUndo();
    t.setModified(0);
    select({3, 4});
    t.DownRow();
    EXPECT_EQ(rows(), "w x y z");
    EXPECT_EQ(t.CanUndo(), 0);
    EXPECT_EQ(t.isModified(), 0);
}

TEST_F(SetupTableRows, ElementRowsAndTheirRows)
{
    Line* a = t.lineAt(0);
    Line* b = t.lineAt(5);
    TableLineList rowsOfA = t.getEleSteelList(a);
    ASSERT_EQ(rowsOfA.size(), 4);
    EXPECT_EQ(rowsOfA.first()->getSteel()->number, "a1");
    EXPECT_EQ(rowsOfA.last()->getSteel()->number, "a4");
    // The last element ends at the end of the table, without the fillers.
    t.Add(static_cast<const CVes_Steel*>(nullptr));
    t.Add(static_cast<const CVes_Steel*>(nullptr));
    TableLineList rowsOfB = t.getEleSteelList(b);
    ASSERT_EQ(rowsOfB.size(), 2);
    EXPECT_EQ(rowsOfB.last()->getSteel()->number, "b2");
    // An empty row inside the element stays.
    t.lineAt(6)->setNull(1);
    EXPECT_EQ(t.getEleSteelList(b).size(), 2);

    Line stranger(int(Line::kElementLine));
    EXPECT_TRUE(t.getEleSteelList(&stranger).isEmpty());
    EXPECT_TRUE(t.getEleSteelList(nullptr).isEmpty());

    QList<int> pages{99};
    const QList<Line*> elements = t.getAllEleList(pages);
    EXPECT_EQ(elements, (QList<Line*>{a, b}));
    EXPECT_EQ(pages, (QList<int>{99, 1, 2}));  // appended to what was there
}

TEST_F(SetupTableRows, AllElementsCountPagesByPrintedRows)
{
    t.clearnAllLine();
    element("E1", 1);
    bar("x")->setRows(2);
    bar("y")->setRows(2);  // does not fit after E1 and x: page 2
    element("E2", 1);
    element("E3", 1)->setRows(2);  // 1 row left on page 2: page 3
    QList<int> pages;
    EXPECT_EQ(t.getAllEleList(pages).size(), 3);
    EXPECT_EQ(pages, (QList<int>{1, 2, 3}));
}

TEST_F(SetupTableRows, DeletingAnElementKeepsItsLockedRows)
{
    t.lineAt(2)->setLock(1);  // a2
    t.getHuizongRules().m_elements.append(t.lineAt(0));
    select({1, 2});
    t.DeleteEleRow();
    EXPECT_EQ(rows(), "a2 [B] b1 b2");
    EXPECT_TRUE(t.getHuizongRules().m_elements.isEmpty());
    EXPECT_EQ(t.getSelectRow(), -1);
    expectMarked();
    EXPECT_EQ(t.CanUndo(), 1);

    // Only an element row heads an element.
    select({1});
    t.DeleteEleRow();
    EXPECT_EQ(rows(), "a2 [B] b1 b2");
}

TEST_F(SetupTableRows, DeletingRowsForgetsTheChosenElements)
{
    t.getHuizongRules().m_elements.append(t.lineAt(5));
    select({2});
    t.DeleteRow();
    EXPECT_EQ(rows(), "[A] a2 a3 a4 [B] b1 b2");
    EXPECT_TRUE(t.getHuizongRules().m_elements.isEmpty());
}

// Hand-computed weights with Envora's unit weights: 20 mm 2.47 kg/m,
// 12 mm 0.888 kg/m, 8 mm 0.395 kg/m.
TEST_F(SetupTableRows, ElementWeight)
{
    Line* a = t.lineAt(0);  // 2 pieces
    auto set = [](Line* line, float d, int grade, float length, int count) {
        line->m_steel.DN = d;
        line->m_steel.grade = grade;
        line->m_steel.length = length;
        line->m_steel.count = count;
    };
    set(t.lineAt(1), 20, 3, 6000, 4);     // 6000 × 4 × 2 = 48 m → 118.56 kg
    set(t.lineAt(2), 12, 12, 1234.5f, 3);  // 1235 × 3 × 2 = 7.41 m → 6.58008 kg
    set(t.lineAt(3), 8, 1, 1000.4f, 2);    // multi-value, 5 groups: (1000 + 1000) × 2 × 5 × 2 × 0.5
    t.lineAt(3)->m_steel.setMultiVal(1);
    t.lineAt(3)->m_steel.setMultiGroup(5);
    set(t.lineAt(4), 20, 3, 9999, 9);
    t.lineAt(4)->setNull(1);  // an empty row counts nothing
    const double expected = 48 * 2.47 + 7.41 * 0.888 + 20 * 0.395;
    EXPECT_NEAR(t.getEleSteelweight(a), expected, 1e-9);

    // In tonnes, with the shape column in cm.
    t.m_units[CVes_SetupTable::kColTotalWeight] = CVes_Template::kTonne;
    EXPECT_NEAR(t.getEleSteelweight(a), expected * 0.001, 1e-12);
    t.m_units[CVes_SetupTable::kColShape] = CVes_Template::kCentimetre;
    EXPECT_NEAR(t.getEleSteelweight(a), expected * 0.001 * 10, 1e-11);

    EXPECT_EQ(t.getEleSteelweight(t.lineAt(1)), 0.0);
    EXPECT_EQ(t.getEleSteelweight(nullptr), 0.0);
}

TEST_F(SetupTableRows, AppendingAnotherBarList)
{
    CVes_SetupTable other;
    other.lineAt(0)->setElement("C");
    other.Add(CVes_Steel())->m_steel.number = "c1";
    select({2});
    t.append(&other);
    EXPECT_EQ(rows(), "[A] a1 a2 a3 a4 [B] b1 b2 [C] c1");
    EXPECT_EQ(other.lines().size(), 2);  // copies: the other keeps its rows
    EXPECT_EQ(t.getSelectRow(), -1);
    expectMarked();
    EXPECT_EQ(t.CanUndo(), 1);
    t.append(nullptr);
    t.append(&t);  // itself: its rows once more
    EXPECT_EQ(t.lines().size(), 2 * 10);
}

// The row clipboard

QStringList clipboardRows()
{
    QStringList out;
    const TableLineList copies =
        tableClipboard().getLines(CVes_TableClipboard::kSetupLines);
    for (CVes_TableBaseLine* row : copies) {
        auto* line = static_cast<Line*>(row);
        out << (line->isElementLine() ? "[" + line->getElement() + "]" : line->m_steel.number);
    }
    qDeleteAll(copies);
    return out;
}

TEST_F(SetupTableRows, PastingRowsReplacesTheSelectedRows)
{
    select({2, 3});
    t.CopyRow();
    EXPECT_EQ(clipboardRows(), (QStringList{"a1", "a2"}));
    EXPECT_EQ(t.isModified(), 0);
    EXPECT_EQ(t.CanUndo(), 0);

    select({4});
    t.setCurCol(2);
    EXPECT_EQ(t.canPaste(), 1);
    t.PasteRow();
    EXPECT_EQ(rows(), "[A] a1 a2 a1 a2 a4 [B] b1 b2");
    EXPECT_EQ(t.getSelection(), (QList<int>{4}));
    EXPECT_EQ(t.getCurCol(), 2);
    EXPECT_EQ(t.getCurRow(), 4);
    expectMarked();
    EXPECT_EQ(t.CanUndo(), 1);
    // The clipboard keeps its rows for the next paste.
    EXPECT_EQ(clipboardRows(), (QStringList{"a1", "a2"}));
}

TEST_F(SetupTableRows, InsertingFromTheClipboardKeepsTheSelectedRows)
{
    select({2});
    t.CopyRow();
    select({3, 4});
    t.InsertClip();
    EXPECT_EQ(rows(), "[A] a1 a1 a2 a3 a4 [B] b1 b2");
    EXPECT_EQ(t.getSelectRow(), -1);
    expectMarked();
    EXPECT_EQ(t.CanUndo(), 0);  // the caller records the step
}

TEST_F(SetupTableRows, CuttingAndPastingLeaveLockedRows)
{
    t.lineAt(2)->setLock(1);  // a2
    select({2, 3});
    t.CutRow();
    EXPECT_EQ(clipboardRows(), (QStringList{"a1", "a2"}));
    EXPECT_EQ(rows(), "[A] a2 a3 a4 [B] b1 b2");
    EXPECT_EQ(t.getSelectRow(), -1);
    expectMarked();
    EXPECT_EQ(t.CanUndo(), 1);

    // Pasting over a2 (locked) and a3: a3 goes, a2 stays before the rows.
    select({2, 3});
    t.PasteRow();
    EXPECT_EQ(rows(), "[A] a2 a1 a2 a4 [B] b1 b2");
}

TEST_F(SetupTableRows, ARemarkCellGoesOnTheClipboardAsText)
{
    t.lineAt(1)->m_steel.remark = "R1";
    t.lineAt(0)->setEleRemark("ER");
    select({2});
    t.setCurCol(CVes_SetupTable::kColRemark);
    t.CopyRow();
    EXPECT_EQ(tableClipboard().getText(CVes_TableClipboard::kText), "R1");
    EXPECT_TRUE(clipboardRows().isEmpty());

    select({3});
    t.setCurCol(CVes_SetupTable::kColRemark);
    EXPECT_EQ(t.canPaste(), 1);
    t.setCurCol(2);
    EXPECT_EQ(t.canPaste(), 0);  // text, not rows
    t.setCurCol(CVes_SetupTable::kColRemark);
    t.PasteRow();
    EXPECT_EQ(t.lineAt(2)->m_steel.remark, "R1");
    EXPECT_EQ(rows(), "[A] a1 a2 a3 a4 [B] b1 b2");
    expectMarked();
    EXPECT_EQ(t.CanUndo(), 1);

    // An element row copies and takes its element remark.
    select({1});
    t.setCurCol(CVes_SetupTable::kColRemark);
    t.CopyRow();
    EXPECT_EQ(tableClipboard().getText(CVes_TableClipboard::kText), "ER");
    t.nextPage();
    select({2});  // element B
    t.setCurCol(CVes_SetupTable::kColRemark);
    t.PasteRow();
    EXPECT_EQ(t.lineAt(5)->getEleRemark(), "ER");

    // A row without a bar or an element takes no remark.
    t.firstPage();
    select({2});
    ASSERT_NE(t.InsertTextRow(), nullptr);
    select({2});
    t.setCurCol(CVes_SetupTable::kColRemark);
    const int steps = t.CanUndo();
    t.PasteRow();
    EXPECT_EQ(rows(), "[A] k2 a1 a2 a3 a4 [B] b1 b2");
    EXPECT_EQ(t.CanUndo(), steps);
}

TEST_F(SetupTableRows, SeveralRowsInTheRemarkColumnAreCopiedAsRows)
{
    select({2, 3});
    t.setCurCol(CVes_SetupTable::kColRemark);
    t.CopyRow();
    EXPECT_EQ(clipboardRows(), (QStringList{"a1", "a2"}));
    t.setCurCol(2);
    EXPECT_EQ(t.canPaste(), 1);
    select({2, 4});
    EXPECT_EQ(t.canPaste(), 0);  // a gap
    t.clearSelect();
    EXPECT_EQ(t.canPaste(), 0);
}

TEST_F(SetupTableRows, CuttingAnElementLeavesItsLockedRows)
{
    t.lineAt(2)->setLock(1);  // a2
    t.getHuizongRules().m_elements.append(t.lineAt(0));
    select({1});
    t.CutEleRow();
    EXPECT_EQ(clipboardRows(), (QStringList{"[A]", "a1", "a2", "a3", "a4"}));
    EXPECT_EQ(rows(), "a2 [B] b1 b2");
    EXPECT_TRUE(t.getHuizongRules().m_elements.isEmpty());
    expectMarked();
    EXPECT_EQ(t.CanUndo(), 1);

    select({2});
    t.InsertClip();
    EXPECT_EQ(rows(), "a2 [A] a1 a2 a3 a4 [B] b1 b2");
}

TEST_F(SetupTableRows, CopyingAnElementChangesNothing)
{
    select({2});
    t.CopyEleRow();  // a1 heads no element
    EXPECT_FALSE(clipboardRows().contains("[A]"));
    select({1});
    t.CopyEleRow();
    EXPECT_EQ(clipboardRows(), (QStringList{"[A]", "a1", "a2", "a3", "a4"}));
    EXPECT_EQ(rows(), "[A] a1 a2 a3 a4 [B] b1 b2");
    EXPECT_EQ(t.isModified(), 0);
    EXPECT_EQ(t.CanUndo(), 0);
}

// Every recorded operation is undone to the state before it and redone to
// the state after it.
struct UndoCase {
    const char* name;
    std::function<void(CVes_SetupTable&)> run;
};

void PrintTo(const UndoCase& c, std::ostream* os)
{
    *os << c.name;
}

class SetupTableRowsUndo : public SetupTableRows,
                           public testing::WithParamInterface<UndoCase> {};

TEST_P(SetupTableRowsUndo, UndoAndRedo)
{
    const QString before = rows();
    GetParam().run(t);
    const QString after = rows();
    ASSERT_NE(after, before);
    ASSERT_EQ(t.CanUndo(), 1);
    t.Undo();
    EXPECT_EQ(rows(), before);
    ASSERT_EQ(t.CanRedo(), 1);
    t.Redo();
    EXPECT_EQ(rows(), after);
}

auto selecting(std::initializer_list<int> positions, std::function<void(CVes_SetupTable&)> f)
{
    const QList<int> list(positions);
    return [list, f](CVes_SetupTable& t) {
        t.clearSelect();
        for (int n : list)
            t.AddSelect(n, 0);
        f(t);
    };
}

INSTANTIATE_TEST_SUITE_P(
    Operations, SetupTableRowsUndo,
    testing::Values(
        UndoCase{"InsertSteelRow", selecting({2}, [](auto& t) { t.InsertSteelRow(0); })},
        UndoCase{"InsertElementRow", selecting({2}, [](auto& t) { t.InsertElementRow("X"); })},
        UndoCase{"InsertTextRow", selecting({3}, [](auto& t) { t.InsertTextRow(); })},
        UndoCase{"UpRow", selecting({3, 4}, [](auto& t) { t.UpRow(); })},
        UndoCase{"DownRow", selecting({2}, [](auto& t) { t.DownRow(); })},
        UndoCase{"DeleteEleRow", selecting({1}, [](auto& t) { t.DeleteEleRow(); })},
        UndoCase{"DeleteRow", selecting({2, 3}, [](auto& t) { t.DeleteRow(); })},
        UndoCase{"Append", [](auto& t) { t.append(&t); }},
        UndoCase{"CutRow", selecting({2, 3}, [](auto& t) { t.CutRow(); })},
        UndoCase{"CutEleRow", selecting({1}, [](auto& t) { t.CutEleRow(); })},
        UndoCase{"PasteRow", selecting({2}, [](auto& t) {
                     t.CopyRow();
                     t.AddSelect(4, 1);
                     t.PasteRow();
                 })}),
    [](const testing::TestParamInfo<UndoCase>& info) { return std::string(info.param.name); });

TEST_F(SetupTableRows, EightStepsBackAndANewEditEmptiesTheRedo)
{
    for (int i = 0; i < 9; ++i) {
        select({2});
        t.InsertElementRow(QString("E%1").arg(i));
    }
    int undos = 0;
    while (t.CanUndo()) {
        t.Undo();
        ++undos;
    }
    EXPECT_EQ(undos, 8);
    EXPECT_EQ(rows(), "[A] [E0] a1 a2 a3 a4 [B] b1 b2");

    t.Redo();
    EXPECT_EQ(rows(), "[A] [E1] [E0] a1 a2 a3 a4 [B] b1 b2");
    select({1});
    t.DownRow();
    EXPECT_EQ(t.CanRedo(), 0);
    EXPECT_EQ(rows(), "[E1] [A] [E0] a1 a2 a3 a4 [B] b1 b2");
}

} // namespace
