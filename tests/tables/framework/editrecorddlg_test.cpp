#include "tables/framework/ui/editrecorddlg.h"

#include "tables/framework/editrecord.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Ended {
    bool cover = false;
    int row = 0;
    int column = 0;
    QString text;
};

class FakeView final : public EditRecordOwner {
public:
    QWidget* ownerWidget() override { return &widget; }
    bool isOnCoverPage() const override { return cover; }
    void EndFengmianEdit(const QString& text) override
    {
        ended.push_back({true, 0, 0, text});
        if (onEnd)
            onEnd();
    }
    void EndCellEdit(int row, int column, const QString& text) override
    {
        ended.push_back({false, row, column, text});
        if (onEnd)
            onEnd();
    }
    void editKey(int key) override { keys.push_back(key); }

    QWidget widget;
    bool cover = false;
    std::vector<Ended> ended;
    std::vector<int> keys;
    std::function<void()> onEnd;
};

class EditRecordDlg : public ::testing::Test {
protected:
    void SetUp() override
    {
        editRecordStore().clear();
        for (const char* value : {"c", "b", "a"})
            table_setEditRecordArray(QString::fromLatin1(value), 3);
        dialog = std::make_unique<CVes_EditRecordDlg>(&view);
        dialog->setRecordType(3);
    }
    void TearDown() override
    {
        dialog.reset();
        editRecordStore().clear();
    }
    QStringList listed() const
    {
        QStringList items;
        for (int i = 0; i < dialog->list()->count(); ++i)
            items << dialog->list()->item(i)->text();
        return items;
    }

    FakeView view;
    std::unique_ptr<CVes_EditRecordDlg> dialog;
};

struct FirstChar {
    int key;
    const char16_t* text;     // the field's text afterwards
    bool allSelected;
};

class EditRecordDlgFirstChar : public EditRecordDlg,
                               public ::testing::WithParamInterface<FirstChar> {};

TEST_P(EditRecordDlgFirstChar, OpensWithTheKeyThatStartedTheEdit)
{
    dialog->setEditInfo(4, 2, QStringLiteral("250"), GetParam().key);
    EXPECT_EQ(dialog->edit()->text(), QString::fromUtf16(GetParam().text));
    EXPECT_EQ(dialog->edit()->hasSelectedText(), GetParam().allSelected);
    EXPECT_EQ(dialog->edit()->lastKey(), 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, EditRecordDlgFirstChar,
                         ::testing::Values(FirstChar{13, u"250", true}, FirstChar{9, u"250", true},
                                           FirstChar{1, u"250", true}, FirstChar{32, u"250", true},
                                           FirstChar{37, u"250", true}, FirstChar{38, u"250", true},
                                           FirstChar{40, u"250", true}, FirstChar{0, u"250", true},
                                           FirstChar{8, u"25", false}, FirstChar{'7', u"7", false},
                                           FirstChar{0x4E2D, u"\u4E2D", false}));

TEST_F(EditRecordDlg, ListsTheCategoryMostRecentFirst)
{
    dialog->setEditInfo(1, 1, QString(), 13);
    EXPECT_EQ(listed(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("表格编辑对话框"));
    EXPECT_EQ(dialog->deleteButton()->text(), QStringLiteral("删除选中记录"));
    EXPECT_EQ(dialog->parentWidget(), &view.widget);
}

TEST_F(EditRecordDlg, UpAndDownWalkTheList)
{
    dialog->setEditInfo(1, 1, QStringLiteral("x"), 13);
    QTest::keyClick(dialog->edit(), Qt::Key_Up); // nothing selected: nothing happens
    EXPECT_EQ(dialog->edit()->text(), QStringLiteral("x"));
    QTest::keyClick(dialog->edit(), Qt::Key_Down);
    EXPECT_EQ(dialog->edit()->text(), QStringLiteral("a"));
    QTest::keyClick(dialog->edit(), Qt::Key_Down);
    QTest::keyClick(dialog->edit(), Qt::Key_Down);
    QTest::keyClick(dialog->edit(), Qt::Key_Down); // stays on the last
    EXPECT_EQ(dialog->edit()->text(), QStringLiteral("c"));
    EXPECT_TRUE(dialog->edit()->hasSelectedText());
    QTest::keyClick(dialog->edit(), Qt::Key_Up);
    EXPECT_EQ(dialog->edit()->text(), QStringLiteral("b"));
    EXPECT_TRUE(view.ended.empty());
}

TEST_F(EditRecordDlg, EnterReportsTheCellAndRecordsTheValue)
{
    dialog->setEditInfo(4, 2, QStringLiteral("250"), '3');
    QTest::keyClick(dialog->edit(), Qt::Key_Return);
    ASSERT_EQ(view.ended.size(), 1u);
    EXPECT_FALSE(view.ended[0].cover);
    EXPECT_EQ(view.ended[0].row, 4);
    EXPECT_EQ(view.ended[0].column, 2);
    EXPECT_EQ(view.ended[0].text, QStringLiteral("3"));
    EXPECT_EQ(view.keys, std::vector<int>{13});
    EXPECT_EQ(dialog->edit()->lastKey(), 13);
    EXPECT_EQ(editRecordStore().values(3).front(), QStringLiteral("3"));
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(EditRecordDlg, OnTheCoverPageTheCoverIsReported)
{
    view.cover = true;
    dialog->setRecordType(-1);
    dialog->setEditInfo(-100, 0, QStringLiteral("综合楼"), 13);
    QTest::keyClick(dialog->edit(), Qt::Key_Tab);
    ASSERT_EQ(view.ended.size(), 1u);
    EXPECT_TRUE(view.ended[0].cover);
    EXPECT_EQ(view.ended[0].text, QStringLiteral("综合楼"));
    EXPECT_EQ(view.keys, std::vector<int>{9});
    EXPECT_EQ(editRecordStore().values(7), QStringList{QStringLiteral("综合楼")});
}

TEST_F(EditRecordDlg, EscapeEndsWithTheInitialText)
{
    dialog->setEditInfo(2, 5, QStringLiteral("old"), 'n');
    ASSERT_EQ(dialog->edit()->text(), QStringLiteral("n"));
    QTest::keyClick(dialog->edit(), Qt::Key_Escape);
    ASSERT_EQ(view.ended.size(), 1u);
    EXPECT_EQ(view.ended[0].text, QStringLiteral("old"));
    EXPECT_EQ(view.keys, std::vector<int>{27});
    EXPECT_EQ(dialog->edit()->lastKey(), 27);
}

TEST_F(EditRecordDlg, DoubleClickCommitsTheEntry)
{
    dialog->setEditInfo(1, 3, QString(), 13);
    Q_EMIT dialog->list()->itemDoubleClicked(dialog->list()->item(1));
    ASSERT_EQ(view.ended.size(), 1u);
    EXPECT_EQ(view.ended[0].text, QStringLiteral("b"));
    EXPECT_EQ(editRecordStore().values(3), (QStringList{"b", "a", "c"}));
}

TEST_F(EditRecordDlg, DeleteButtonRemovesTheSelectedRecord)
{
    dialog->setEditInfo(1, 1, QString(), 13);
    Q_EMIT dialog->list()->itemClicked(dialog->list()->item(1));
    EXPECT_EQ(dialog->edit()->text(), QStringLiteral("b"));
    dialog->deleteButton()->click();
    EXPECT_EQ(listed(), (QStringList{"a", "c"}));
    EXPECT_EQ(editRecordStore().values(3), (QStringList{"a", "c"}));
    dialog->deleteButton()->click(); // nothing selected any more
    EXPECT_EQ(listed().size(), 2);
    EXPECT_TRUE(view.ended.empty());
}

TEST_F(EditRecordDlg, FocusLeavingTheDialogCommitsButItsOwnControlsDoNot)
{
    dialog->setEditInfo(1, 1, QStringLiteral("v"), 13);
    Q_EMIT qApp->focusChanged(dialog->edit(), dialog->list());
    Q_EMIT qApp->focusChanged(dialog->edit(), dialog->deleteButton());
    EXPECT_TRUE(view.ended.empty());
    QWidget elsewhere;
    Q_EMIT qApp->focusChanged(dialog->edit(), &elsewhere);
    EXPECT_EQ(view.ended.size(), 1u);
    Q_EMIT qApp->focusChanged(dialog->edit(), nullptr);
    EXPECT_EQ(view.ended.size(), 1u); // once only
}

TEST_F(EditRecordDlg, EndingAgainFromTheOwnersReactionDoesNothing)
{
    dialog->setEditInfo(1, 1, QStringLiteral("v"), 13);
    view.onEnd = [this] { dialog->commitEdit(); };
    dialog->commitEdit();
    EXPECT_EQ(view.ended.size(), 1u);
}

TEST(EditRecordDlgWithoutOwner, ReportsAndRecordsNothing)
{
    editRecordStore().clear();
    CVes_EditRecordDlg dialog(nullptr);
    dialog.setEditInfo(1, 1, QStringLiteral("v"), 13);
    dialog.commitEdit();
    EXPECT_TRUE(editRecordStore().values(1).isEmpty());
}

} // namespace
