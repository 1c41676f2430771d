#include "tables/barlist/ui/midconnecteditdlg.h"

#include "core/model/connecttext.h"
#include "envora/ui/textonpictrue.h"
#include "envora/usercustom.h"
#include "tests/support/recordinghost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The user's defaults the dialog starts from.
class MidConnectEditDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Info_UserCustomSetMidConnectStyle(3));
        ASSERT_TRUE(Info_UserCustomSetMidConnectStat(0));
        ASSERT_TRUE(Info_UserCustomSetMidConnectDingChi(9000));
    }

    static void type(QLineEdit* edit, const QString& text)
    {
        edit->clear();
        QTest::keyClicks(edit, text);
    }
};

TEST_F(MidConnectEditDlgTest, OpensWithTheUserDefaults)
{
    CVes_MidConnectEditDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("超长钢筋中间连接编辑"));
    EXPECT_EQ(dlg.banner()->text(), QStringLiteral("超长钢筋中间连接属性批量修改"));
    EXPECT_EQ(dlg.banner()->fontName(), QStringLiteral("黑体"));
    EXPECT_EQ(dlg.banner()->fontHeight(), 200);
    EXPECT_EQ(dlg.banner()->textColor(), 0xE3E3E3u);

    ASSERT_EQ(dlg.typeCombo()->count(), 9);
    for (int t = 0; t < 9; ++t)
        EXPECT_EQ(dlg.typeCombo()->itemText(t), barcore_getConnectString(t));
    EXPECT_EQ(dlg.typeCombo()->currentIndex(), 3);
    EXPECT_FALSE(dlg.statCheck()->isChecked());
    EXPECT_EQ(dlg.methodCombo()->currentIndex(), 0);
    EXPECT_EQ(dlg.valueLabel()->text(), QStringLiteral("定尺长度(mm)"));
    EXPECT_EQ(dlg.valueEdit()->text(), QStringLiteral("9000"));
    EXPECT_TRUE(dlg.diameterButton(0)->isChecked());
    EXPECT_EQ(dlg.lowestEdit()->text(), QStringLiteral("10"));
    EXPECT_EQ(dlg.highestEdit()->text(), QStringLiteral("50"));
    EXPECT_TRUE(dlg.scopeButton(barlist::MidConnectEdit::kWholeTable)->isChecked());
    EXPECT_EQ(dlg.firstPageEdit()->text(), QStringLiteral("1"));
    EXPECT_EQ(dlg.lastPageEdit()->text(), QStringLiteral("1"));

    ASSERT_TRUE(Info_UserCustomSetMidConnectStat(1));
    CVes_MidConnectEditDlg checked;
    EXPECT_TRUE(checked.statCheck()->isChecked());
}

TEST_F(MidConnectEditDlgTest, SwitchingBackRestoresTheUserStockLength)
{
    CVes_MidConnectEditDlg dlg;
    type(dlg.valueEdit(), QStringLiteral("6000"));
    dlg.methodCombo()->setCurrentIndex(CVes_MidConnectEditDlg::kManual);
    EXPECT_EQ(dlg.valueLabel()->text(), QStringLiteral("人工输入(个)"));
    EXPECT_EQ(dlg.valueEdit()->text(), QStringLiteral("1"));
    dlg.methodCombo()->setCurrentIndex(CVes_MidConnectEditDlg::kByStockLength);
    EXPECT_EQ(dlg.valueLabel()->text(), QStringLiteral("定尺长度(mm)"));
    EXPECT_EQ(dlg.valueEdit()->text(), QStringLiteral("9000"));
}

TEST_F(MidConnectEditDlgTest, StockLengthMethodGivesAutomaticCounting)
{
    test::HostScope host;
    CVes_MidConnectEditDlg dlg;
    dlg.typeCombo()->setCurrentIndex(6);
    dlg.statCheck()->setChecked(true);
    type(dlg.valueEdit(), QStringLiteral("12000"));
    dlg.accept();

    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(host->messages().empty());
    const CVes_MidConnect& c = dlg.midConnect();
    EXPECT_EQ(c.style, 6);
    EXPECT_EQ(c.stat, 1);
    EXPECT_EQ(c.fixedLength, 12000);
    EXPECT_EQ(c.autoCount, 1);
    EXPECT_EQ(dlg.edit().limitDiameter, 0);
    EXPECT_EQ(dlg.edit().scope, barlist::MidConnectEdit::kWholeTable);
}

TEST_F(MidConnectEditDlgTest, ManualMethodGivesTheCountText)
{
    CVes_MidConnectEditDlg dlg;
    dlg.methodCombo()->setCurrentIndex(CVes_MidConnectEditDlg::kManual);
    type(dlg.valueEdit(), QStringLiteral("3"));
    dlg.accept();

    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const CVes_MidConnect& c = dlg.midConnect();
    EXPECT_EQ(c.style, 3);
    EXPECT_EQ(c.stat, 0);
    EXPECT_EQ(c.countText, QStringLiteral("3"));
    EXPECT_EQ(c.autoCount, 0);
}

TEST_F(MidConnectEditDlgTest, DiameterRangeAndPageScopeReachTheResult)
{
    CVes_MidConnectEditDlg dlg;
    dlg.diameterButton(1)->setChecked(true);
    type(dlg.lowestEdit(), QStringLiteral("32"));
    type(dlg.highestEdit(), QStringLiteral("16"));
    dlg.scopeButton(barlist::MidConnectEdit::kPageRange)->setChecked(true);
    type(dlg.firstPageEdit(), QStringLiteral("2"));
    type(dlg.lastPageEdit(), QStringLiteral("5"));
    dlg.accept();

    const barlist::MidConnectEdit& e = dlg.edit();
    EXPECT_EQ(e.limitDiameter, 1);
    // A range typed high to low keeps the bars between the two.
    EXPECT_EQ(e.lowest, 16);
    EXPECT_EQ(e.highest, 32);
    EXPECT_EQ(e.scope, barlist::MidConnectEdit::kPageRange);
    EXPECT_EQ(e.firstPage, 2);
    EXPECT_EQ(e.lastPage, 5);

    CVes_MidConnectEditDlg current;
    current.scopeButton(barlist::MidConnectEdit::kCurrentPage)->setChecked(true);
    current.accept();
    EXPECT_EQ(current.edit().scope, barlist::MidConnectEdit::kCurrentPage);
}

struct RefusedCase {
    int method;
    const char* value;
    const char* message;
};

class MidConnectEditDlgRefused : public MidConnectEditDlgTest,
                                 public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(MidConnectEditDlgRefused, KeepsTheDialogOpen)
{
    const RefusedCase& c = GetParam();
    test::HostScope host;
    CVes_MidConnectEditDlg dlg;
    dlg.methodCombo()->setCurrentIndex(c.method);
    type(dlg.valueEdit(), QString::fromUtf8(c.value));
    dlg.accept();

    EXPECT_NE(dlg.result(), QDialog::Accepted);
    ASSERT_EQ(host->messageTexts(), QStringList{QString::fromUtf8(c.message)});
    // The defaults stay the result.
    EXPECT_EQ(dlg.edit().connect.autoCount, 1);
    EXPECT_EQ(dlg.edit().connect.countText, QStringLiteral("0"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MidConnectEditDlgRefused,
    ::testing::Values(RefusedCase{0, "0", "定尺长度必须大于0!"},
                      RefusedCase{0, "-9000", "定尺长度必须大于0!"},
                      RefusedCase{0, "", "定尺长度必须大于0!"},
                      RefusedCase{0, "abc", "定尺长度必须大于0!"},
                      RefusedCase{1, "-1", "中间连接个数不能小于0!"}));

TEST_F(MidConnectEditDlgTest, ManualCountOfZeroIsAccepted)
{
    test::HostScope host;
    CVes_MidConnectEditDlg dlg;
    dlg.methodCombo()->setCurrentIndex(CVes_MidConnectEditDlg::kManual);
    dlg.valueEdit()->clear();
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(host->messages().empty());
    EXPECT_EQ(dlg.midConnect().countText, QStringLiteral("0"));
    EXPECT_EQ(dlg.midConnect().autoCount, 0);
}

TEST_F(MidConnectEditDlgTest, CancelLeavesTheDefaultsAndTheUserSettings)
{
    CVes_MidConnectEditDlg dlg;
    dlg.typeCombo()->setCurrentIndex(1);
    type(dlg.valueEdit(), QStringLiteral("6000"));
    dlg.reject();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(dlg.midConnect().fixedLength, 9000);
    EXPECT_EQ(dlg.midConnect().style, 3);

    CVes_MidConnectEditDlg ok;
    type(ok.valueEdit(), QStringLiteral("6000"));
    ok.accept();
    // The dialog never changes what the user keeps as defaults.
    EXPECT_EQ(Info_UserCustomMidConnectDingchi(), 9000);
    EXPECT_EQ(Info_UserCustomMidConectStyle(), 3);
}

} // namespace
