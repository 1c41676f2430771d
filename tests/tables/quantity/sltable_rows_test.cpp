// The quantity sheet's rows: inserting rows of the three kinds with their
// defaults, pages of empty rows, the row clipboard, moving rows, appending a
// sheet and inserting imported rows.

#include "tables/quantity/sltable.h"

#include "sltable_support.h"
#include "tables/barlist/setuptableline.h"
#include "tables/framework/tableclipboard.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Each row as a short text: "T:name", "E:name×n", "B:number" or "-".
std::string rowsText(const CVes_SLTable& t)
{
    std::string text;
    for (CVes_TableBaseLine* base : t.lines()) {
        auto* row = static_cast<CVes_SLTableLine*>(base);
        if (!text.empty())
            text += ' ';
        if (row->isNull())
            text += "-";
        else if (row->isEleTypeRow())
            text += "T:" + row->getEleType().toStdString();
        else if (row->isEleRow())
            text += "E:" + row->getElement().toStdString() + "x" + std::to_string(row->getEleNum());
        else
            text += "B:" + row->m_steel.number.toStdString();
    }
    return text;
}

// A sheet of ten rows a page: an element of 2 and the bars B1, B2, B3.
class Rows : public testing::Test {
protected:
    void SetUp() override
    {
        tableClipboard().clear();
        tableClipboard().setText(QString(), CVes_TableClipboard::kText);
        t.clearnAllLine();
        t.m_rowNum = 10;
        t.appendLine(test::slElement("KL1", 2));
        for (const char* number : {"B1", "B2", "B3"})
            t.appendLine(test::slBar(number, 3, 12.0f, 2, 3000.0f));
        t.setPageTo(1, 1);
        t.resetUndo();
        t.setModified(0);
    }
    void TearDown() override { tableClipboard().clear(); }
    void select(int first, int last)
    {
        t.clearSelect();
        for (int n = first; n <= last; ++n)
            t.AddSelect(n, 0);
    }
    // The rows with the empty rows that fill the last page left out.
    std::string contents()
    {
        t.clearNullLineOfEnd();
        return rowsText(t);
    }

    CVes_SLTable t;
};

TEST_F(Rows, InsertedBarCopiesTheBarAboveWithTheNextNumber)
{
    t.lineAt(3)->m_steel.number = QStringLiteral("A9");
    select(3, 3);  // B2, below B1
    t.lineAt(1)->m_steel.number = QStringLiteral("A9");
    t.InsertRow();
    EXPECT_EQ(contents(), "E:KL1x2 B:A9 B:A10 B:B2 B:A9");
    const CVes_Steel& copy = t.lineAt(2)->m_steel;
    EXPECT_EQ(copy.count, 2);
    EXPECT_FLOAT_EQ(copy.length, 3000.0f);
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_EQ(t.CanUndo(), 1);
}

TEST_F(Rows, InsertedBarWithoutABarAboveStaysEmptyOfValues)
{
    select(1, 1);
    t.InsertRow();
    EXPECT_EQ(contents(), "B: E:KL1x2 B:B1 B:B2 B:B3");
    EXPECT_EQ(t.lineAt(0)->isNull(), 0);
}

struct KindCase {
    const char* name;
    int kind;
    const char* expected;
};

class InsertKind : public Rows, public testing::WithParamInterface<KindCase> {};

TEST_P(InsertKind, GoesBeforeTheSelection)
{
    select(3, 4);
    t.InsertRow(GetParam().kind);
    EXPECT_EQ(contents(), GetParam().expected);
    EXPECT_EQ(t.CanUndo(), 1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, InsertKind,
                         testing::Values(KindCase{"Element", 1, "E:KL1x2 B:B1 E:x1 B:B2 B:B3"},
                                         KindCase{"ElementType", 2, "E:KL1x2 B:B1 T: B:B2 B:B3"},
                                         KindCase{"Bar", 0, "E:KL1x2 B:B1 B:B2 B:B2 B:B3"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Rows, NothingIsInsertedWithoutASelection)
{
    t.clearSelect();
    t.InsertRow();
    t.InsertEleTypeRow(QStringLiteral("ZHU"));
    t.InsertEleRow(QStringLiteral("KZ1"));
    EXPECT_EQ(contents(), "E:KL1x2 B:B1 B:B2 B:B3");
    EXPECT_EQ(t.CanUndo(), 0);
    EXPECT_EQ(t.isModified(), 0);
}

TEST_F(Rows, PasteReplacesTheSelectionAndInsertingKeepsIt)
{
    select(2, 2);
    t.CopyRow();
    select(3, 4);
    ASSERT_EQ(t.canPaste(), 1);
    t.PasteRow();
    EXPECT_EQ(contents(), "E:KL1x2 B:B1 B:B1");
    EXPECT_EQ(t.CanUndo(), 1);

    t.setPageTo(1, 1);
    select(1, 1);
    t.InsertClip();
    EXPECT_EQ(contents(), "B:B1 E:KL1x2 B:B1 B:B1");
}

TEST_F(Rows, CutRowsGoToTheClipboardAndLockedRowsStay)
{
    t.lineAt(2)->setLock(1);
    select(2, 3);
    t.CutRow();
    EXPECT_EQ(contents(), "E:KL1x2 B:B2 B:B3");
    const TableLineList copies = tableClipboard().getLines(CVes_TableClipboard::kSLLines);
    ASSERT_EQ(copies.size(), 2);
    EXPECT_EQ(static_cast<CVes_SLTableLine*>(copies[1])->m_steel.number, "B2");
    qDeleteAll(copies);
}

TEST_F(Rows, PasteNeedsQuantityRowsAndOneRunOfRows)
{
    select(2, 2);
    EXPECT_EQ(t.canPaste(), 0);  // nothing copied
    CVes_SetupTableLine other;
    tableClipboard().copyLine(&other, CVes_TableClipboard::kSetupLines, 1);
    EXPECT_EQ(t.canPaste(), 0);  // rows of the bar list
    t.CopyRow();
    select(2, 2);
    t.AddSelect(4, 0);
    EXPECT_EQ(t.canPaste(), 0);  // two runs
    t.PasteRow();
    t.InsertClip();
    EXPECT_EQ(contents(), "E:KL1x2 B:B1 B:B2 B:B3");
    // Cleared rows leave the kind: nothing to paste either.
    tableClipboard().clear();
    select(2, 2);
    EXPECT_EQ(t.canPaste(), 0);
}

TEST_F(Rows, MovingABlockCarriesTheSelection)
{
    select(3, 4);
    t.UpRow();
    EXPECT_EQ(contents(), "E:KL1x2 B:B2 B:B3 B:B1");
    EXPECT_EQ(t.getSelectRow(), 2);
    EXPECT_EQ(t.getSelectRowEnd(), 3);
    t.setPageTo(1, 1);
    t.DownRow();
    EXPECT_EQ(contents(), "E:KL1x2 B:B1 B:B2 B:B3");
    // The last rows of the sheet go no further down.
    t.setPageTo(1, 1);
    t.clearNullLineOfEnd();
    select(3, 4);
    t.DownRow();
    EXPECT_EQ(contents(), "E:KL1x2 B:B1 B:B2 B:B3");
}

TEST_F(Rows, AppendingASheetCopiesItsRows)
{
    CVes_SLTable other;
    other.clearnAllLine();
    other.appendLine(test::slEleType("ZHU"));
    other.appendLine(test::slBar("C1", 3, 14.0f, 1, 2000.0f));
    t.clearNullLineOfEnd();
    t.append(&other);
    EXPECT_EQ(contents(), "E:KL1x2 B:B1 B:B2 B:B3 T:ZHU B:C1");
    EXPECT_EQ(rowsText(other), "T:ZHU B:C1");
    EXPECT_EQ(t.CanUndo(), 1);
    t.append(nullptr);
    t.append(&t);
    EXPECT_EQ(contents(), "E:KL1x2 B:B1 B:B2 B:B3 T:ZHU B:C1 E:KL1x2 B:B1 B:B2 B:B3 T:ZHU B:C1");
}

TEST_F(Rows, ImportedRowsGoBeforeTheSelectionOrAtTheEnd)
{
    t.clearSelect();
    t.import({test::slElement("KZ1", 1), test::slBar("D1", 3, 12.0f, 1, 1000.0f)});
    EXPECT_EQ(contents(), "E:KL1x2 B:B1 B:B2 B:B3 E:KZ1x1 B:D1");
    t.setPageTo(1, 1);
    select(2, 2);
    t.import({test::slBar("D2", 3, 12.0f, 1, 1000.0f)});
    EXPECT_EQ(contents(), "E:KL1x2 B:D2 B:B1 B:B2 B:B3 E:KZ1x1 B:D1");
    EXPECT_EQ(t.getSelectRow(), -1);
    EXPECT_EQ(t.CanUndo(), 1);
}

TEST_F(Rows, PagesOfEmptyRows)
{
    t.clearNullLineOfEnd();
    t.addPage();
    // Ten rows more, and the last page shown filled up.
    EXPECT_EQ(t.lines().size(), 20);
    EXPECT_EQ(t.getCurPage(), 2);
    EXPECT_EQ(t.CanUndo(), 1);
    // The last page is filled up when shown; a full page gets nothing.
    t.clearNullLineOfEnd();
    t.setPageTo(1, 1);
    EXPECT_EQ(t.lines().size(), 10);
    t.AddNullLineToEnd();
    EXPECT_EQ(t.lines().size(), 10);
}

TEST_F(Rows, AddAppendsABarWithoutAnUndoStep)
{
    CVes_Steel bar;
    bar.number = QStringLiteral("Z1");
    t.clearNullLineOfEnd();
    CVes_SLTableLine* row = t.Add(&bar);
    EXPECT_EQ(row->isNull(), 0);
    EXPECT_EQ(t.Add(nullptr)->isNull(), 1);
    EXPECT_EQ(rowsText(t), "E:KL1x2 B:B1 B:B2 B:B3 B:Z1 -");
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_EQ(t.CanUndo(), 0);
}

TEST(SLTableLine, CopyTakesEveryFieldOfItsKind)
{
    std::unique_ptr<CVes_SLTableLine> bar(test::slBar("A1", 3, 16.0f, 4, 2500.0f, "east"));
    bar->setLock(1);
    bar->setRows(2);
    CVes_SLTableLine copy;
    copy.copy(bar.get());
    EXPECT_EQ(copy.getLocString(), "east");
    EXPECT_EQ(copy.getLock(), 1);
    EXPECT_EQ(copy.getRows(), 2);
    EXPECT_EQ(copy.isNull(), 0);
    EXPECT_EQ(copy.m_steel.number, "A1");
    EXPECT_EQ(copy.compare(*bar), copy.m_steel.isSame(bar->m_steel));

    std::unique_ptr<CVes_SLTableLine> element(test::slElement("KZ1", 3));
    copy.copy(element.get());
    EXPECT_EQ(copy.isEleRow(), 1);
    EXPECT_EQ(copy.getEleNum(), 3);
    EXPECT_EQ(copy.getSteel(), nullptr);
    EXPECT_EQ(copy.compare(*bar), 0);
    // A row of another kind takes no bar.
    copy.m_steel.number = QStringLiteral("X");
    copy.setSteel(&bar->m_steel);
    EXPECT_EQ(copy.m_steel.number, "X");
}

TEST(SLTableClipboard, QuantityRowsComeBackAsFreshCopiesOfTheirKind)
{
    CVes_TableClipboard& clip = tableClipboard();
    clip.clear();
    std::unique_ptr<CVes_SLTableLine> a(test::slBar("A1", 3, 16.0f, 4, 2500.0f));
    std::unique_ptr<CVes_SLTableLine> b(test::slElement("KZ1", 2));
    EXPECT_EQ(clip.copyLine(static_cast<const CVes_SLTableLine*>(nullptr), CVes_TableClipboard::kSLLines, 1), 0);
    EXPECT_EQ(clip.copyLine(a.get(), CVes_TableClipboard::kSLLines, 1), 1);
    EXPECT_EQ(clip.copyLine(b.get(), CVes_TableClipboard::kSLLines, 0), 1);
    EXPECT_TRUE(clip.hasLines(CVes_TableClipboard::kSLLines));
    EXPECT_FALSE(clip.hasLines(CVes_TableClipboard::kSetupLines));
    EXPECT_TRUE(clip.getLines(CVes_TableClipboard::kSetupLines).isEmpty());
    for (int round = 0; round < 2; ++round) {
        const TableLineList copies = clip.getLines(CVes_TableClipboard::kSLLines);
        ASSERT_EQ(copies.size(), 2);
        auto* first = dynamic_cast<CVes_SLTableLine*>(copies[0]);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->m_steel.number, "A1");
        EXPECT_EQ(static_cast<CVes_SLTableLine*>(copies[1])->getElement(), "KZ1");
        qDeleteAll(copies);
    }
    // A copy with clear-first starts the list anew.
    clip.copyLine(b.get(), CVes_TableClipboard::kSLLines, 1);
    const TableLineList one = clip.getLines(CVes_TableClipboard::kSLLines);
    EXPECT_EQ(one.size(), 1);
    qDeleteAll(one);
    clip.clear();
}

} // namespace
