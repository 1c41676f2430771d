// "保存到": the categories of a library offered by number, and the one the
// user chooses receiving the new shape.

#include "shapeui/savetocategorydlg.h"

#include "core/model/recordcache.h"
#include "shapeview_screenshot.h"

#include <QListWidget>
#include <gtest/gtest.h>

namespace {

SubLibArray categories(int count)
{
    SubLibArray array;
    for (int i = 0; i < count; ++i)
        array.push_back(std::make_unique<CVes_ModelRecordSubLib>(QStringLiteral("分类%1").arg(i + 1)));
    return array;
}

QStringList entries(const CSaveToCategoryDlg& dlg)
{
    QStringList texts;
    for (int i = 0; i < dlg.list()->count(); ++i)
        texts << dlg.list()->item(i)->text();
    return texts;
}

} // namespace

TEST(SaveToCategory, ListsTheCategoriesByNumberSortedAsText)
{
    SubLibArray array = categories(11);
    CSaveToCategoryDlg dlg;
    dlg.setCategoryArray(&array);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("保存到"));
    const QStringList texts = entries(dlg);
    ASSERT_EQ(texts.size(), 11);
    EXPECT_EQ(texts[0], QStringLiteral("10、分类10"));
    EXPECT_EQ(texts[1], QStringLiteral("11、分类11"));
    EXPECT_EQ(texts[2], QStringLiteral("1、分类1"));
    EXPECT_EQ(texts[3], QStringLiteral("2、分类2"));
    test::saveScreenshot(dlg, "savetocategory");
}

TEST(SaveToCategory, OkWithoutAChoiceDoesNothing)
{
    SubLibArray array = categories(3);
    CSaveToCategoryDlg dlg;
    dlg.setCategoryArray(&array);
    dlg.show();
    dlg.OnOK();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.chosenCategory(), nullptr);

    CSaveToCategoryDlg empty;
    empty.show();
    EXPECT_EQ(empty.list()->count(), 0);
    empty.OnOK();
    EXPECT_TRUE(empty.isVisible());
}

TEST(SaveToCategory, TheChosenUserCategoryReceivesTheShape)
{
    CVes_ModelRecordMainLib lib;
    lib.AddNewSubLib(QStringLiteral("梁"), 0);
    lib.AddNewSubLib(QStringLiteral("柱"), 0);
    CSaveToCategoryDlg dlg;
    dlg.setCategoryArray(&lib.getUselibArray());
    dlg.show();
    const QList<QListWidgetItem*> found = dlg.list()->findItems(QStringLiteral("2、柱"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    dlg.list()->setCurrentItem(found[0]);
    dlg.OnOK();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    ASSERT_EQ(dlg.chosenCategory(), lib.getUselibArray()[1].get());

    const CVes_ModelRecord* shape = getUseModelRecord(CSteelRecordId(191, 2));
    ASSERT_NE(shape, nullptr);
    const CSteelRecordId key = dlg.chosenCategory()->Add_Copy(shape);
    EXPECT_EQ(key.m_mainId, dlg.chosenCategory()->MainId());
    ASSERT_EQ(lib.saveLib(QString(), 0), 1);

    CVes_ModelRecordMainLib reread;
    ASSERT_EQ(reread.loadLib(QString(), 0), 1);
    ASSERT_EQ(reread.getUselibArray().size(), 2u);
    EXPECT_EQ(reread.getUselibArray()[1]->name(), QStringLiteral("柱"));
    ASSERT_EQ(reread.getUselibArray()[1]->getModelArray().size(), 1u);
    EXPECT_TRUE(reread.getUselibArray()[1]->getModelArray()[0]->isSameRecord(shape));
    EXPECT_TRUE(reread.getUselibArray()[0]->getModelArray().empty());
}
