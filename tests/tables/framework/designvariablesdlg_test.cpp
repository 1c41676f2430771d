#include "tables/framework/ui/designvariablesdlg.h"

#include "tables/framework/tablebase.h"
#include "tests/support/recordinghost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

TEST(DesignInfoDlg, OpensWithTheDefaultsOfMissingVariablesAndWritesThemAll)
{
    CVes_TableBase table;
    CVes_DesignInfoDlg dialog(&table);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("设计信息"));
    EXPECT_EQ(dialog.m_seismic->currentText(), QStringLiteral("二级抗震"));
    EXPECT_EQ(dialog.m_cover->text(), QStringLiteral("25"));
    EXPECT_EQ(dialog.m_percent->currentText(), QStringLiteral("50"));
    EXPECT_EQ(dialog.m_zeta->text(), QStringLiteral("1.4"));
    EXPECT_FALSE(dialog.m_disturbance->isChecked());
    EXPECT_FALSE(dialog.m_custom->isChecked());
    EXPECT_EQ(dialog.m_concrete->currentIndex(), -1);
    // The edition in force without a variable is the first one.
    EXPECT_TRUE(dialog.m_atlas03->isChecked());

    dialog.m_ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("抗震等级")), 2.0);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("保护层")), 25.0);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("施工扰动")), 0.0);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("接头面积百分率")), 1.0);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("自定义锚固")), 0.0);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("图集版本")), 0.0);
    EXPECT_NE(table.getExVar(QStringLiteral("混凝土强度")), nullptr);
    EXPECT_EQ(table.getExVar(QStringLiteral("一级钢锚固")), nullptr);
    EXPECT_EQ(table.exVars().size(), 7u);
    EXPECT_EQ(table.isModified(), 0);
}

TEST(DesignInfoDlg, ShowsTheSheetsValuesAndWritesTheChosenOnes)
{
    CVes_TableBase table;
    table.setExVarVal(QStringLiteral("图集版本"), 1.0);
    table.setExVarVal(QStringLiteral("混凝土强度"), 35.0);
    table.setExVarVal(QStringLiteral("抗震等级"), 0.0);
    table.setExVarVal(QStringLiteral("保护层"), 30.0);
    table.setExVarVal(QStringLiteral("接头面积百分率"), 2.0);
    table.setExVarVal(QStringLiteral("自定义锚固"), 1.0);
    table.setExVarVal(QStringLiteral("三级钢锚固"), 40.0);
    CVes_DesignInfoDlg dialog(&table);
    EXPECT_TRUE(dialog.m_atlas11->isChecked());
    EXPECT_EQ(dialog.m_concrete->currentText(), QStringLiteral("C35"));
    EXPECT_EQ(dialog.m_seismic->currentText(), QStringLiteral("非抗震"));
    EXPECT_EQ(dialog.m_zeta->text(), QStringLiteral("1.6"));
    EXPECT_TRUE(dialog.m_custom->isChecked());
    EXPECT_FALSE(dialog.m_concrete->isEnabled());
    EXPECT_FALSE(dialog.m_customGroup->isHidden());
    EXPECT_EQ(dialog.m_multiples[2]->text(), QStringLiteral("40"));
    EXPECT_EQ(dialog.m_multiples[0]->text(), QStringLiteral("0"));

    dialog.m_percent->setCurrentIndex(0);
    EXPECT_EQ(dialog.m_zeta->text(), QStringLiteral("1.2"));
    dialog.m_disturbance->setChecked(true);
    EXPECT_FALSE(dialog.m_disturbanceNote->isHidden());
    dialog.m_multiples[0]->setText(QStringLiteral("28"));
    dialog.m_atlas03->setChecked(true);
    dialog.m_ok->click();
    EXPECT_EQ(table.getExVarVal(QStringLiteral("一级钢锚固")), 28.0);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("施工扰动")), 1.0);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("接头面积百分率")), 0.0);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("混凝土强度")), 35.0);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("图集版本")), 0.0);
}

TEST(DesignInfoDlg, ClearingUserAnchorageHidesTheMultiplesAndKeepsThem)
{
    CVes_TableBase table;
    table.setExVarVal(QStringLiteral("自定义锚固"), 1.0);
    table.setExVarVal(QStringLiteral("二级钢锚固"), 33.0);
    CVes_DesignInfoDlg dialog(&table);
    dialog.m_custom->setChecked(false);
    EXPECT_TRUE(dialog.m_customGroup->isHidden());
    EXPECT_TRUE(dialog.m_cover->isEnabled());
    dialog.m_multiples[1]->setText(QStringLiteral("99"));
    dialog.m_ok->click();
    EXPECT_EQ(table.getExVarVal(QStringLiteral("自定义锚固")), 0.0);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("二级钢锚固")), 33.0);
}

TEST(DesignInfoDlg, CancelWritesNothingAndABadNumberKeepsTheDialogOpen)
{
    test::HostScope host;
    CVes_TableBase table;
    {
        CVes_DesignInfoDlg dialog(&table);
        dialog.m_cancel->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_TRUE(table.exVars().empty());
    }
    CVes_DesignInfoDlg dialog(&table);
    dialog.m_cover->setText(QString());
    dialog.m_ok->click();
    EXPECT_TRUE(table.exVars().empty());
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("请输入一个整数。")});
}

} // namespace
