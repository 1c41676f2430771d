// The two questions of the bar summary's selection: which elements, and
// which keyword; each driven as the user answers it.

#include "barlist_pages.h"

#include "tables/barlist/ui/keywordhuizongdlg.h"
#include "tables/barlist/ui/selecteledlg.h"
#include "tables/quantity/slsumarytable.h"
#include "tests/support/modal.h"
#include "tests/support/recordinghost.h"
#include "tests/shapeui/shapeview_screenshot.h"
#include "tables/framework/tabletextline.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Line = CVes_SetupTableLine;

class ElementChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        t.clearnAllLine();
        for (const char* name : {"KL1", "KL2", "KZ1"}) {
            elements << test::addElement(t, name, 1);
            test::addPlainBar(t, "1", 1000.0f, 1);
        }
    }
    test::HostScope host;
    CVes_SetupTable t;
    QList<Line*> elements;
};

TEST_F(ElementChoice, TheTreeListsEveryElementAndOkGivesTheCheckedOnesInOrder)
{
    CVes_SelectEleDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("选择构件"));
    EXPECT_EQ(dialog.okButton()->text(), QStringLiteral("确定"));
    EXPECT_EQ(dialog.cancelButton()->text(), QStringLiteral("取消"));
    dialog.setEleList(elements);
    QTreeWidget* tree = dialog.tree();
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->topLevelItem(1)->text(0), QStringLiteral("KL2"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(tree->topLevelItem(i)->checkState(0), Qt::Unchecked);
    tree->topLevelItem(2)->setCheckState(0, Qt::Checked);
    tree->topLevelItem(0)->setCheckState(0, Qt::Checked);
    dialog.show();
    test::saveScreenshot(dialog, "select-elements-dialog");
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosen(), (QList<Line*>{elements[0], elements[2]}));
}

TEST_F(ElementChoice, ElementsScrolledOutOfViewAreCollectedToo)
{
    for (int i = 0; i < 60; ++i)
        elements << test::addElement(t, "L", 1);
    CVes_SelectEleDlg dialog;
    dialog.resize(300, 150);
    dialog.setEleList(elements);
    dialog.tree()->topLevelItem(62)->setCheckState(0, Qt::Checked);
    dialog.okButton()->click();
    EXPECT_EQ(dialog.chosen(), QList<Line*>{elements[62]});
}

TEST_F(ElementChoice, ConfirmingReplacesTheChosenElementsAndCancellingKeepsThem)
{
    t.getHuizongRules().m_elements = {elements[0]};
    t.getHuizongRules().m_mode = CVes_HuizongRules::kBarNumberKey;

    test::onNextModal<CVes_SelectEleDlg>([](CVes_SelectEleDlg* dialog) {
        dialog->tree()->topLevelItem(1)->setCheckState(0, Qt::Checked);
        dialog->cancelButton()->click();
    });
    EXPECT_EQ(t.selectEleHuizong(), 0);
    EXPECT_EQ(t.getHuizongRules().m_elements, QList<Line*>{elements[0]});

    test::onNextModal<CVes_SelectEleDlg>([](CVes_SelectEleDlg* dialog) {
        ASSERT_EQ(dialog->tree()->topLevelItemCount(), 3);
        dialog->tree()->topLevelItem(1)->setCheckState(0, Qt::Checked);
        dialog->okButton()->click();
    });
    EXPECT_EQ(t.selectEleHuizong(), 1);
    EXPECT_EQ(t.getHuizongRules().m_elements, QList<Line*>{elements[1]});
    // The caller chooses the summary's mode.
    EXPECT_EQ(t.getHuizongRules().m_mode, CVes_HuizongRules::kBarNumberKey);

    // Nothing checked is an answer too: no element is chosen.
    test::onNextModal<CVes_SelectEleDlg>(
        [](CVes_SelectEleDlg* dialog) { dialog->okButton()->click(); });
    EXPECT_EQ(t.selectEleHuizong(), 1);
    EXPECT_TRUE(t.getHuizongRules().m_elements.isEmpty());
}

// Keyword

TEST(KeywordChoice, ANewListAsksForABarNumberKeyAndStoresWhatIsChosen)
{
    test::HostScope host;
    CVes_SetupTable t;
    test::onNextModal<CVes_KeyWordHuizongDlg>([](CVes_KeyWordHuizongDlg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("按关键字进行汇总"));
        EXPECT_TRUE(dialog->kindButton(CVes_KeyWordHuizongDlg::kBarNumber)->isChecked());
        EXPECT_EQ(dialog->kindButton(0)->text(), QStringLiteral("钢筋编号关键字"));
        EXPECT_EQ(dialog->kindButton(1)->text(), QStringLiteral("钢筋备注关键字"));
        EXPECT_EQ(dialog->keyEdit()->text(), QString());
        EXPECT_FALSE(dialog->wholeTextCheck()->isChecked());
        EXPECT_EQ(dialog->wholeTextCheck()->text(), QStringLiteral("全文匹配"));
        dialog->kindButton(CVes_KeyWordHuizongDlg::kBarRemark)->click();
        dialog->keyEdit()->setText(QStringLiteral("负筋"));
        dialog->wholeTextCheck()->setChecked(true);
        test::saveScreenshot(*dialog, "keyword-summary-dialog");
        dialog->okButton()->click();
    });
    EXPECT_EQ(t.selectKeyWordHuizong(), 1);
    const CVes_HuizongRules& rules = t.getHuizongRules();
    EXPECT_EQ(rules.m_mode, CVes_HuizongRules::kBarRemarkKey);
    EXPECT_EQ(rules.m_key, QStringLiteral("负筋"));
    EXPECT_EQ(rules.m_wholeText, 1);
}

struct PresetCase {
    int mode;
    int kind;
};

class KeywordPreset : public ::testing::TestWithParam<PresetCase> {};

TEST_P(KeywordPreset, OpensOnTheStoredKindAndCancellingChangesNothing)
{
    test::HostScope host;
    CVes_SetupTable t;
    CVes_HuizongRules& rules = t.getHuizongRules();
    rules.m_mode = GetParam().mode;
    rules.m_key = QStringLiteral("12");
    rules.m_wholeText = 1;
    const int kind = GetParam().kind;
    test::onNextModal<CVes_KeyWordHuizongDlg>([kind](CVes_KeyWordHuizongDlg* dialog) {
        EXPECT_TRUE(dialog->kindButton(kind)->isChecked());
        EXPECT_EQ(dialog->keyEdit()->text(), QStringLiteral("12"));
        EXPECT_TRUE(dialog->wholeTextCheck()->isChecked());
        dialog->keyEdit()->setText(QStringLiteral("99"));
        dialog->cancelButton()->click();
    });
    EXPECT_EQ(t.selectKeyWordHuizong(), 0);
    EXPECT_EQ(rules.m_mode, GetParam().mode);
    EXPECT_EQ(rules.m_key, QStringLiteral("12"));
}

INSTANTIATE_TEST_SUITE_P(Modes, KeywordPreset,
                         ::testing::Values(PresetCase{0, 0}, PresetCase{1, 0}, PresetCase{3, 0},
                                           PresetCase{4, 1}));

// A keyword summary after the dialog: "12" as a whole number takes bar 12
// and not 12a.
TEST(KeywordChoice, TheSummaryCountsTheMatchingBarsOnly)
{
    test::HostScope host;
    CVes_SetupTable t;
    t.clearnAllLine();
    test::addPlainBar(t, "12", 1000.0f, 1);
    test::addPlainBar(t, "12a", 5000.0f, 1);
    const auto summaryWith = [&t](bool whole) {
        test::onNextModal<CVes_KeyWordHuizongDlg>([whole](CVes_KeyWordHuizongDlg* dialog) {
            dialog->keyEdit()->setText(QStringLiteral("12"));
            dialog->wholeTextCheck()->setChecked(whole);
            dialog->okButton()->click();
        });
        EXPECT_EQ(t.selectKeyWordHuizong(), 1);
        const std::unique_ptr<CVes_SLSumaryTable> sheet(t.SummarySTeel(nullptr, 6));
        QStringList texts;
        for (CVes_TableBaseLine* line : sheet->lines())
            texts << static_cast<CVes_TableTextLine*>(line)->getTexts().join(u'|');
        return texts.join(u'\n');
    };
    const QString whole = summaryWith(true);
    const QString part = summaryWith(false);
    EXPECT_TRUE(whole.contains(QStringLiteral("1.00"))) << whole.toStdString();
    EXPECT_FALSE(whole.contains(QStringLiteral("6.00"))) << whole.toStdString();
    EXPECT_TRUE(part.contains(QStringLiteral("6.00"))) << part.toStdString();
}

} // namespace
