// The element tree: the elements of a bar list with their piece counts and
// total, the jump to an element's page, and jumps after the table's rows
// were replaced (undo, redo) that must land on the element as it is now.

#include "app/panes/elementtreepanewnd.h"

#include "tables/barlist/setuptable.h"
#include "tables/framework/ui/tableview.h"
#include "tables/quantity/sltable.h"
#include "tests/app/support/barproperty_support.h"

#include <QSignalSpy>
#include <QTest>

namespace {

using test::paneBar;

class ElementTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        table.clearnAllLine();
        table.m_texts[2].m_formula = QStringLiteral("滨江花园3号楼");
        table.m_texts[3].m_formula = QStringLiteral("二层");
        tree.setTable(&table);
        tree.resize(240, 400);
        tree.show();
    }
    CVes_SetupTableLine* addElement(const char* name, int pieces, int bars)
    {
        auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
        line->setNull(0);
        line->setElement(QString::fromUtf8(name));
        line->setEleNum(pieces);
        table.appendLine(line);
        for (int i = 0; i < bars; ++i)
            table.Add(paneBar(std::to_string(i + 1).c_str()));
        return line;
    }
    QStringList texts() const
    {
        QStringList all;
        for (QTreeWidgetItemIterator it(const_cast<CElementTreeCtrl*>(&tree)); *it; ++it)
            all << (*it)->text(0);
        return all;
    }
    QTreeWidgetItem* element(int n) const { return tree.topLevelItem(0)->child(n); }
    // A double click on the item, as the user gives it.
    void doubleClick(QTreeWidgetItem* item)
    {
        tree.scrollToItem(item);
        const QPoint at = tree.visualItemRect(item).center();
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, at);
    }

    test::HostScope host;
    test::PaneShapes shapes;
    CVes_SetupTable table;
    CElementTreeCtrl tree;
};

TEST_F(ElementTree, ListsTheElementsWithTheirCountsAndTotal)
{
    addElement("KL1(2)", 2, 3);
    addElement("KZ3", 0, 1);
    addElement("LB2", 5, 2);
    table.setPageTo(1, 1);
    tree.Fill();
    EXPECT_EQ(texts(), (QStringList{"滨江花园3号楼_二层", "1、KL1(2)(2件)", "2、KZ3(0件)", "3、LB2(5件)",
                                    "构件数量总计：7 件"}));
    EXPECT_TRUE(tree.topLevelItem(0)->isExpanded());
    EXPECT_EQ(tree.topLevelItem(0)->data(0, Qt::UserRole).toInt(), CElementTreeCtrl::kRootDatum);
    EXPECT_FALSE(tree.topLevelItem(0)->icon(0).isNull());
}

TEST_F(ElementTree, WithoutElementsOnlyTheRootIsShown)
{
    table.Add(paneBar("1"));
    table.setPageTo(1, 1);
    tree.Fill();
    EXPECT_EQ(texts(), QStringList{"滨江花园3号楼_二层"});
}

TEST_F(ElementTree, ElementsOfNoPiecesGiveNoTotal)
{
    addElement("KZ3", 0, 1);
    table.setPageTo(1, 1);
    tree.Fill();
    EXPECT_EQ(texts(), (QStringList{"滨江花园3号楼_二层", "1、KZ3(0件)"}));
}

TEST_F(ElementTree, ATableThatIsNoBarListLeavesTheTreeEmpty)
{
    CVes_SLTable quantities;
    tree.setTable(&quantities);
    tree.Fill();
    EXPECT_EQ(tree.topLevelItemCount(), 0);
}

TEST_F(ElementTree, TheCurrentRowsElementIsSelected)
{
    addElement("KL1", 1, 2);
    addElement("KL2", 1, 2);
    table.setPageTo(1, 1);
    table.AddSelect(4, 1); // the second element's row
    tree.Fill();
    EXPECT_EQ(tree.currentItem(), element(1));
}

TEST_F(ElementTree, AJumpMakesTheElementsPageCurrentAndTellsTheFrame)
{
    addElement("KL1", 1, 40);
    CVes_SetupTableLine* second = addElement("KL2", 1, 40);
    table.setPageTo(1, 1);
    tree.Fill();
    QStringList heard;
    QObject::connect(&tree, &CElementTreeCtrl::tableEdited, [&] { heard << "repaint"; });
    QObject::connect(&tree, &CElementTreeCtrl::showCurrentRow, [&] { heard << "show row"; });
    doubleClick(element(1));
    int page = 0;
    int position = 0;
    table.getInfo(second, page, position);
    ASSERT_GT(page, 1);
    EXPECT_EQ(table.getCurPage(), page);
    EXPECT_EQ(table.getLine(table.getSelectRow()), second);
    EXPECT_EQ(heard, (QStringList{"repaint", "show row"}));

    heard.clear();
    tree.setCurrentItem(tree.topLevelItem(0));
    QTest::keyClick(&tree, Qt::Key_Return); // the root goes nowhere
    EXPECT_TRUE(heard.isEmpty());
    tree.setCurrentItem(element(0));
    QTest::keyClick(&tree, Qt::Key_Return);
    EXPECT_EQ(table.getCurPage(), 1);
    EXPECT_EQ(heard.size(), 2);
}

// Undo and redo put new rows in place of every old one. A jump from a tree
// filled before lands on the element as the table has it now.
TEST_F(ElementTree, AfterUndoAJumpLandsOnTheElementAsItIsNow)
{
    addElement("KL1", 1, 40);
    addElement("KL2", 1, 40);
    table.setPageTo(1, 1);
    table.resetUndo();
    tree.Fill();
    table.AddSelect(2, 1);
    table.setSelLineGrade(1); // one undo step
    table.Undo();
    doubleClick(element(1));
    QList<int> pages;
    const QList<CVes_SetupTableLine*> elements = table.getAllEleList(pages);
    EXPECT_EQ(table.getCurPage(), pages[1]);
    EXPECT_EQ(table.getLine(table.getSelectRow()), elements[1]);
    table.Redo();
    doubleClick(element(0));
    EXPECT_EQ(table.getCurPage(), 1);
}

TEST_F(ElementTree, AJumpToAnElementTheTableNoLongerHasRefillsTheTree)
{
    addElement("KL1", 1, 2);
    addElement("KL2", 3, 2);
    table.setPageTo(1, 1);
    tree.Fill();
    table.AddSelect(1, 1);
    table.DeleteEleRow(); // KL1 and its bars go
    QSignalSpy repaint(&tree, &CElementTreeCtrl::tableEdited);
    doubleClick(element(1));
    EXPECT_EQ(repaint.count(), 0);
    EXPECT_EQ(texts(), (QStringList{"滨江花园3号楼_二层", "1、KL2(3件)", "构件数量总计：3 件"}));
}

TEST_F(ElementTree, TheViewTellsTheFrameToRefillAfterUndo)
{
    addElement("KL1", 1, 2);
    table.setPageTo(1, 1);
    table.resetUndo();
    CVes_TableViewBase view;
    view.setTable(&table);
    QObject::connect(&view, &CVes_TableViewBase::tableChanged, &tree, [&] { tree.Fill(); });
    tree.Fill();
    table.AddSelect(1, 1);
    table.DeleteEleRow(); // one undo step
    tree.Fill();
    EXPECT_EQ(texts(), QStringList{"滨江花园3号楼_二层"});
    view.OnUndo();
    EXPECT_EQ(texts(), (QStringList{"滨江花园3号楼_二层", "1、KL1(1件)", "构件数量总计：1 件"}));
    view.OnRedo();
    EXPECT_EQ(texts(), QStringList{"滨江花园3号楼_二层"});
}

TEST(ElementTreePane, MakesTheFilledTreeItsClient)
{
    CVes_SetupTable table;
    QWidget frame;
    frame.resize(240, 300);
    auto& pane = *new CElementTreePaneWnd; // the frame owns its pane window
    pane.tree()->setTable(&table);
    pane.createPaneWindow(&frame);
    pane.setGeometry(frame.rect());
    frame.show();
    EXPECT_EQ(pane.clientControl(), pane.tree());
    EXPECT_EQ(pane.toolBar(), nullptr);
    EXPECT_EQ(pane.tree()->geometry(), QRect(0, 0, 240, 300));
    ASSERT_EQ(pane.tree()->topLevelItemCount(), 1); // the new list's element line
    EXPECT_EQ(pane.tree()->topLevelItem(0)->child(0)->text(0), "1、这里输入构件编号(1件)");
}

} // namespace
