// The bar list's raw-stock and summary-settings commands: what OK and
// Cancel leave in the list.

#include "tables/barlist/setuptable.h"

#include "grid/gridctrl.h"
#include "tables/quantity/ui/rawstockdlg.h"
#include "tables/quantity/ui/sumsettingdlg.h"
#include "tests/tables/quantity/modal_support.h"

#include <QCheckBox>

#include <gtest/gtest.h>


namespace {

using test::whenOpen;

class SetupTableDialogs : public testing::Test {
protected:
    void SetUp() override
    {
        CVes_SteelYuanCaiData r;
        r.DN = 20.0f;
        r.grade = 3;
        t.getYuanCaiLib().removeAll();
        t.getYuanCaiLib().append(r);
        t.setModified(0);
        t.setSortSteel(0);
        t.setYouhuaSteel(0);
    }
    bool unchanged() const
    {
        return t.isModified() == 0 && t.isCanSortSteel() == 0 && t.isCanYouhuaSteel() == 0;
    }

    QObject context;
    CVes_SetupTable t;
};

TEST_F(SetupTableDialogs, RawStockOkMarksTheListAndCancelLeavesItAsItWas)
{
    whenOpen<CVes_RawStockDlg>(&context, [](CVes_RawStockDlg& dlg) {
        dlg.grid()->OnEndEditCell(1, CVes_RawStockDlg::kColPrice, QStringLiteral("3900"));
        dlg.reject();
    });
    t.setYuanCai();
    EXPECT_FLOAT_EQ(t.getYuanCaiLib().at(0)->price, 0.0f) << "Cancel takes the edit back";
    EXPECT_TRUE(unchanged());

    whenOpen<CVes_RawStockDlg>(&context, [](CVes_RawStockDlg& dlg) {
        dlg.grid()->OnEndEditCell(1, CVes_RawStockDlg::kColPrice, QStringLiteral("3900"));
        dlg.accept();
    });
    t.setYuanCai();
    EXPECT_FLOAT_EQ(t.getYuanCaiLib().at(0)->price, 3900.0f);
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_EQ(t.isCanSortSteel(), 1);
    EXPECT_EQ(t.isCanYouhuaSteel(), 1);
    EXPECT_FALSE(t.CanUndo()) << "no undo step";
}

TEST_F(SetupTableDialogs, SummarySettingsOkTakesTheRulesAndCancelKeepsThem)
{
    t.getSortRules().m_sumByGrade = 0;
    t.getSortRules().m_mergeSame = 1;
    whenOpen<CVes_SumSettingDlg>(&context, [](CVes_SumSettingDlg& dlg) {
        dlg.check(CVes_SumSettingDlg::kSumByGrade)->setChecked(true);
        dlg.reject();
    });
    t.setSumray();
    EXPECT_EQ(t.getSortRules().m_sumByGrade, 0);
    EXPECT_TRUE(unchanged());

    whenOpen<CVes_SumSettingDlg>(&context, [&](CVes_SumSettingDlg& dlg) {
        EXPECT_EQ(dlg.m_pYuanCaiLib, &t.getYuanCaiLib());
        dlg.check(CVes_SumSettingDlg::kSumByGrade)->setChecked(true);
        dlg.accept();
    });
    t.setSumray();
    EXPECT_EQ(t.getSortRules().m_sumByGrade, 1);
    EXPECT_EQ(t.getSortRules().m_mergeSame, 1) << "rules the dialog does not edit stay";
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_EQ(t.isCanSortSteel(), 1);
    EXPECT_FALSE(t.CanUndo());
}

} // namespace
