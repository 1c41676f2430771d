// The three dialogs of the document windows: the sort settings (the diameter
// counts only in a range mode), the delivery-note texts and the summary
// options (the dialog is the option record the summary takes).

#include "app/documents/barsortdlg.h"
#include "app/documents/deliverynotedlg.h"
#include "app/views/summaryoptionsdlg.h"

#include "envora/ui/steeldncombox.h"
#include "tests/support/modal.h"
#include "widgara/dlgitem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

template <typename T>
T* control(QWidget& dialog, int id)
{
    auto* found = qobject_cast<T*>(widgara::GetDlgItem(&dialog, id));
    EXPECT_NE(found, nullptr) << id;
    return found;
}

// Presses the dialog's button of that text.
void press(QDialog& dialog, const QString& text)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    ADD_FAILURE() << "no button " << text.toStdString();
}

// Sort settings

struct RangeCase {
    int mode;
    bool enabled;
};

class SortRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(SortRange, TheDiameterCountsOnlyInARangeMode)
{
    CBarSortDlg dlg;
    dlg.m_nRangeMode = GetParam().mode;
    dlg.show();
    EXPECT_EQ(control<CVes_SteelDnComBox>(dlg, CBarSortDlg::kDiameterId)->isEnabled(), GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(Modes, SortRange,
                         ::testing::Values(RangeCase{0, false}, RangeCase{1, true}, RangeCase{2, true},
                                           RangeCase{3, true}));

TEST(SortDialog, ChoosingARangeModeEnablesTheDiameter)
{
    CBarSortDlg dlg;
    dlg.show();
    auto* mode = control<QComboBox>(dlg, CBarSortDlg::kRangeModeId);
    auto* diameter = control<CVes_SteelDnComBox>(dlg, CBarSortDlg::kDiameterId);
    EXPECT_FALSE(diameter->isEnabled());
    mode->setCurrentIndex(mode->findText(QStringLiteral("等于直径值=")));
    EXPECT_TRUE(diameter->isEnabled());
    mode->setCurrentIndex(0);
    EXPECT_FALSE(diameter->isEnabled());
}

TEST(SortDialog, OpensWithItsDefaultsAndTheListsEntries)
{
    CBarSortDlg dlg;
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "钢筋排序设置");
    for (int id : {CBarSortDlg::kGrade1Id, CBarSortDlg::kGrade5Id, CBarSortDlg::kColdTwistedId,
                   CBarSortDlg::kStirrupId, CBarSortDlg::kStraightId})
        EXPECT_FALSE(control<QCheckBox>(dlg, id)->isChecked()) << id;
    auto* diameters = control<QComboBox>(dlg, CBarSortDlg::kDiameterOrderId);
    auto* lengths = control<QComboBox>(dlg, CBarSortDlg::kLengthOrderId);
    EXPECT_EQ(diameters->currentIndex(), -1);
    EXPECT_EQ(lengths->currentIndex(), -1);
    EXPECT_EQ(diameters->itemText(1), "从小到大（6.5→50）");
    EXPECT_EQ(lengths->itemText(2), "不按长度排序");
    EXPECT_EQ(control<CVes_SteelDnComBox>(dlg, CBarSortDlg::kDiameterId)->currentText(), "10");
}

TEST(SortDialog, OkTakesTheUsersChoices)
{
    CBarSortDlg dlg;
    dlg.m_bGrade3 = 1;
    dlg.m_nDiameterOrder = 1;
    test::onNextModal<CBarSortDlg>([](CBarSortDlg* d) {
        control<QCheckBox>(*d, CBarSortDlg::kGrade3Id)->setChecked(false);
        control<QCheckBox>(*d, CBarSortDlg::kGrade5Id)->setChecked(true);
        control<QCheckBox>(*d, CBarSortDlg::kBentId)->setChecked(true);
        control<QComboBox>(*d, CBarSortDlg::kLengthOrderId)->setCurrentIndex(2);
        control<QComboBox>(*d, CBarSortDlg::kRangeModeId)->setCurrentIndex(3);
        auto* diameter = control<CVes_SteelDnComBox>(*d, CBarSortDlg::kDiameterId);
        diameter->setCurrentIndex(diameter->findText(QStringLiteral("25")));
        press(*d, QStringLiteral("确定"));
    });
    ASSERT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_bGrade3, 0);
    EXPECT_EQ(dlg.m_bGrade5, 1);
    EXPECT_EQ(dlg.m_bBent, 1);
    EXPECT_EQ(dlg.m_bStirrup, 0);
    EXPECT_EQ(dlg.m_nDiameterOrder, 1);
    EXPECT_EQ(dlg.m_nLengthOrder, 2);
    EXPECT_EQ(dlg.m_nRangeMode, 3);
    EXPECT_FLOAT_EQ(dlg.m_fDiameter, 25.0f);
}

TEST(SortDialog, CancelKeepsTheMembers)
{
    CBarSortDlg dlg;
    dlg.m_bGrade1 = 1;
    test::onNextModal<CBarSortDlg>([](CBarSortDlg* d) {
        control<QCheckBox>(*d, CBarSortDlg::kGrade1Id)->setChecked(false);
        press(*d, QStringLiteral("取消"));
    });
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    EXPECT_EQ(dlg.m_bGrade1, 1);
}

// Delivery note

TEST(DeliveryNoteDialog, ShowsAndTakesTheEightTexts)
{
    CDeliveryNoteDlg dlg;
    dlg.m_strTitle = QStringLiteral("钢筋提货单");
    dlg.m_strCustomer = QStringLiteral("华建公司");
    test::onNextModal<CDeliveryNoteDlg>([](CDeliveryNoteDlg* d) {
        EXPECT_EQ(control<QLineEdit>(*d, CDeliveryNoteDlg::kTitleId)->text(), "钢筋提货单");
        EXPECT_EQ(control<QLineEdit>(*d, CDeliveryNoteDlg::kCustomerId)->text(), "华建公司");
        EXPECT_EQ(control<QLineEdit>(*d, CDeliveryNoteDlg::kNumberId)->text(), "");
        control<QLineEdit>(*d, CDeliveryNoteDlg::kNumberId)->setText(QStringLiteral("TH-0012"));
        control<QLineEdit>(*d, CDeliveryNoteDlg::kCheckerId)->setText(QStringLiteral("李工"));
        control<QLineEdit>(*d, CDeliveryNoteDlg::kCompiledOnId)->setText(QStringLiteral("2026-3-18"));
        press(*d, QStringLiteral("确定"));
    });
    ASSERT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_strTitle, "钢筋提货单");
    EXPECT_EQ(dlg.m_strNumber, "TH-0012");
    EXPECT_EQ(dlg.m_strChecker, "李工");
    EXPECT_EQ(dlg.m_strCompiledOn, "2026-3-18");
    EXPECT_EQ(dlg.m_strProject, "");
}

TEST(DeliveryNoteDialog, CancelKeepsTheTexts)
{
    CDeliveryNoteDlg dlg;
    dlg.m_strPreparer = QStringLiteral("王工");
    test::onNextModal<CDeliveryNoteDlg>([](CDeliveryNoteDlg* d) {
        control<QLineEdit>(*d, CDeliveryNoteDlg::kPreparerId)->setText(QStringLiteral("张工"));
        press(*d, QStringLiteral("取消"));
    });
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    EXPECT_EQ(dlg.m_strPreparer, "王工");
}

// Summary options

TEST(SummaryOptionsDialog, TheDefaultsGiveAllFiveSumsOnTheLastPage)
{
    CSummaryOptionsDlg dlg;
    test::onNextModal<CSummaryOptionsDlg>([](CSummaryOptionsDlg* d) {
        EXPECT_TRUE(control<QRadioButton>(*d, CSummaryOptionsDlg::kLastPageId)->isChecked());
        press(*d, QStringLiteral("开始汇总"));
    });
    ASSERT_EQ(dlg.exec(), QDialog::Accepted);
    const CVes_totalSteelType& options = dlg;
    EXPECT_EQ(options.m_length, 1);
    EXPECT_EQ(options.m_weight, 1);
    EXPECT_EQ(options.m_joint, 1);
    EXPECT_EQ(options.m_wholeTable, 1);
    EXPECT_EQ(options.m_perElement, 1);
    EXPECT_EQ(options.m_place, 0);
}

TEST(SummaryOptionsDialog, TheFirstPageAndUntickedSumsAreTaken)
{
    CSummaryOptionsDlg dlg;
    test::onNextModal<CSummaryOptionsDlg>([](CSummaryOptionsDlg* d) {
        control<QCheckBox>(*d, CSummaryOptionsDlg::kJointId)->setChecked(false);
        QTest::mouseClick(control<QRadioButton>(*d, CSummaryOptionsDlg::kFirstPageId), Qt::LeftButton);
        // The two places exclude each other.
        EXPECT_FALSE(control<QRadioButton>(*d, CSummaryOptionsDlg::kLastPageId)->isChecked());
        press(*d, QStringLiteral("开始汇总"));
    });
    ASSERT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_joint, 0);
    EXPECT_EQ(dlg.m_length, 1);
    EXPECT_EQ(dlg.m_place, CSummaryOptionsDlg::kOnFirstPage);
}

TEST(SummaryOptionsDialog, OpensOnTheRecordsOwnValues)
{
    CSummaryOptionsDlg dlg;
    dlg.m_weight = 0;
    dlg.m_place = CSummaryOptionsDlg::kOnFirstPage;
    dlg.show();
    EXPECT_FALSE(control<QCheckBox>(dlg, CSummaryOptionsDlg::kWeightId)->isChecked());
    EXPECT_TRUE(control<QCheckBox>(dlg, CSummaryOptionsDlg::kLengthId)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dlg, CSummaryOptionsDlg::kFirstPageId)->isChecked());
}

} // namespace
