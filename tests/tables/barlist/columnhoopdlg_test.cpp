#include "tables/barlist/ui/columnhoopdlg.h"

#include "envora/usercustom.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct CountCase {
    const char* name;
    int unit;
    int h, hc, hj;
    int rule;
    bool upper, lower;
    int s1, s2;
    int digit;
    int extra;
    ColumnHoopResult expected;
};

void PrintTo(const CountCase& c, std::ostream* os) { *os << c.name; }

class ColumnHoopCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(ColumnHoopCount, Zones)
{
    const CountCase& c = GetParam();
    ASSERT_TRUE(Info_UserCustomSetGenshuJinwei(c.digit));
    ColumnHoopInput in;
    in.unitMode = c.unit;
    in.storeyHeight = c.h;
    in.columnSide = c.hc;
    in.beamHeight = c.hj;
    in.rule = c.rule;
    in.upperZone = c.upper;
    in.lowerZone = c.lower;
    in.denseSpacing = c.s1;
    in.normalSpacing = c.s2;
    in.roundDigit = Info_UserCustomGenshuJinwei();
    in.extra = c.extra;
    const ColumnHoopResult r = columnHoopCount(in);
    EXPECT_EQ(r.total, c.expected.total);
    EXPECT_EQ(r.normal, c.expected.normal);
    EXPECT_EQ(r.densified, c.expected.densified);
}

constexpr int Mm = ColumnHoopUnitMm;

INSTANTIATE_TEST_SUITE_P(
    Cases, ColumnHoopCount,
    ::testing::Values(
        // Upper 12 (z 1100), lower 6 (z 500), R 1300: 6.5 + 0.5 - 1.
        CountCase{"storey_hn6", Mm, 3000, 500, 600, 0, true, true, 100, 200, 5, 0, {24, 6, 18}},
        // Lower zone Hn/3 + 1 = 801: 9 stirrups, R 1000.
        CountCase{"storey_hn3", Mm, 3000, 500, 600, 1, true, true, 100, 200, 5, 0, {25, 4, 21}},
        // Rigid ground: the 500 zone counts twice, its length once.
        CountCase{"rigid_ground", Mm, 3000, 500, 600, 2, true, true, 100, 200, 5, 0, {30, 6, 24}},
        // Rigid ground ignores Hc for the lower zone.
        CountCase{"rigid_ground_wide", Mm, 3000, 800, 600, 2, true, true, 100, 200, 5, 0, {31, 4, 27}},
        // Hc beyond the minimum lengthens both zones.
        CountCase{"wide_column", Mm, 3000, 800, 600, 0, true, true, 100, 200, 5, 0, {27, 3, 24}},
        CountCase{"extra_stirrups", Mm, 3000, 500, 600, 0, true, true, 100, 200, 5, 4, {28, 6, 18}},
        // No densified spacing: the zones use 200.
        CountCase{"dense_zero", Mm, 3000, 500, 600, 0, true, true, 0, 200, 5, 0, {16, 5, 11}},
        CountCase{"dense_negative", Mm, 3000, 500, 600, 0, true, true, -5, 200, 5, 0, {16, 5, 11}},
        CountCase{"upper_only", Mm, 3000, 500, 600, 0, true, false, 100, 200, 5, 0, {20, 8, 12}},
        CountCase{"lower_only", Mm, 3000, 500, 600, 0, false, true, 100, 200, 5, 0, {17, 11, 6}},
        // Both off: R = H, 14.5 + 0.5 - 1.
        CountCase{"no_zones", Mm, 3000, 500, 600, 0, false, false, 100, 200, 5, 2, {16, 14, 0}},
        // 15.1 + (10 - n) / 10 - 1 for several digits, in exact arithmetic.
        CountCase{"digit_1", Mm, 3020, 0, 0, 0, false, false, 100, 200, 1, 0, {15, 15, 0}},
        CountCase{"digit_2", Mm, 3020, 0, 0, 0, false, false, 100, 200, 2, 0, {14, 14, 0}},
        CountCase{"digit_9", Mm, 3020, 0, 0, 0, false, false, 100, 200, 9, 0, {14, 14, 0}},
        CountCase{"digit_5_half", Mm, 3100, 0, 0, 0, false, false, 100, 200, 5, 0, {15, 15, 0}},
        CountCase{"digit_6_half", Mm, 3100, 0, 0, 0, false, false, 100, 200, 6, 0, {14, 14, 0}},
        // Zones longer than the storey leave no normal stirrups, never a
        // negative count.
        CountCase{"short_storey", Mm, 1000, 500, 600, 0, true, true, 100, 200, 5, 0, {18, 0, 18}},
        CountCase{"beam_above_storey", Mm, 500, 0, 800, 0, true, true, 100, 200, 5, 0, {20, 0, 20}},
        // No normal spacing or no height: nothing to count, no division.
        CountCase{"normal_spacing_zero", Mm, 3000, 500, 600, 0, true, true, 100, 0, 5, 3, {0, 0, 0}},
        CountCase{"normal_spacing_negative", Mm, 3000, 500, 600, 0, true, true, 100, -200, 5, 0, {0, 0, 0}},
        CountCase{"both_spacings_zero", Mm, 3000, 500, 600, 0, true, true, 0, 0, 5, 0, {0, 0, 0}},
        CountCase{"height_zero", Mm, 0, 500, 600, 0, true, true, 100, 200, 5, 0, {0, 0, 0}},
        // Centimetres: c 5, M 50; the same storey as in millimetres.
        CountCase{"centimetres", ColumnHoopUnitCm, 300, 50, 60, 0, true, true, 10, 20, 5, 0, {24, 6, 18}},
        // Metres: c 0.05, M 0.5; zones of 1 m each, R = 3 - 1 - 1.
        CountCase{"metres", ColumnHoopUnitM, 3, 0, 0, 0, true, true, 1, 1, 5, 0, {4, 0, 4}},
        // Whole millimetres up to the largest entry stay in range.
        CountCase{"largest", Mm, 9999999, 0, 0, 0, false, false, 1, 1, 5, 0, {9999998, 9999998, 0}}),
    [](const ::testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

TEST(ColumnHoopLowerZone, Rules)
{
    EXPECT_EQ(columnHoopLowerZone(ColumnHoopRuleHn6, 2400, 500, ColumnHoopUnitMm), 500.0);
    EXPECT_EQ(columnHoopLowerZone(ColumnHoopRuleHn6, 6000, 500, ColumnHoopUnitMm), 1001.0);
    EXPECT_EQ(columnHoopLowerZone(ColumnHoopRuleHn6, 2400, 700, ColumnHoopUnitMm), 700.0);
    EXPECT_EQ(columnHoopLowerZone(ColumnHoopRuleHn3, 2400, 500, ColumnHoopUnitMm), 801.0);
    EXPECT_EQ(columnHoopLowerZone(ColumnHoopRuleGround, 6000, 900, ColumnHoopUnitMm), 500.0);
    EXPECT_EQ(columnHoopLowerZone(ColumnHoopRuleGround, 600, 90, ColumnHoopUnitCm), 50.0);
    EXPECT_EQ(columnHoopLowerZone(ColumnHoopRuleHn6, -600, 0, ColumnHoopUnitMm), 500.0);
}

class ColumnHoopDlg : public ::testing::Test {
protected:
    void SetUp() override
    {
        ColumnHoopInput fresh;
        fresh.roundDigit = 5;
        CVes_ColumnHoopCalcDlg::remembered() = fresh;
    }

    static void enterStorey(CVes_ColumnHoopCalcDlg& dlg, int h, int hc, int hj)
    {
        dlg.heightEdit()->setText(QString::number(h));
        dlg.sideEdit()->setText(QString::number(hc));
        dlg.beamEdit()->setText(QString::number(hj));
        dlg.computeButton()->click();
    }
};

TEST_F(ColumnHoopDlg, OpensWithDefaults)
{
    CVes_ColumnHoopCalcDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("柱箍筋根数计算"));
    EXPECT_EQ(dlg.heightEdit()->text(), "0");
    EXPECT_EQ(dlg.denseEdit()->text(), "100");
    EXPECT_EQ(dlg.normalEdit()->text(), "200");
    EXPECT_EQ(dlg.ruleCombo()->count(), 3);
    EXPECT_EQ(dlg.ruleCombo()->itemText(2), QStringLiteral("刚性地面"));
    EXPECT_TRUE(dlg.upperCheck()->isChecked());
    EXPECT_TRUE(dlg.lowerCheck()->isChecked());
    EXPECT_EQ(dlg.roundDigitSpin()->value(), 5);
    EXPECT_EQ(dlg.dropDigitSpin()->value(), 4);
    EXPECT_EQ(dlg.extraEdit()->text(), "0");
    EXPECT_EQ(dlg.totalEdit()->text(), "0");
    EXPECT_EQ(dlg.pictureId(), 4021);
    EXPECT_EQ(dlg.storeyGroup()->title(), QStringLiteral("本层设置（mm）"));
}

// Each count stands under its name in the box of results, each digit of the
// rounding rule beside its word.
TEST_F(ColumnHoopDlg, TheResultsAreNamed)
{
    CVes_ColumnHoopCalcDlg dlg;
    QGroupBox* results = nullptr;
    for (QGroupBox* box : dlg.findChildren<QGroupBox*>())
        if (box->title() == QStringLiteral("计算结果"))
            results = box;
    ASSERT_TRUE(results);
    EXPECT_EQ(dlg.totalEdit()->parentWidget(), results);
    EXPECT_EQ(dlg.extraEdit()->parentWidget(), results);
    QStringList captions;
    for (QLabel* label : results->findChildren<QLabel*>())
        captions << label->text();
    for (const char* name : {"箍筋总根数", "非加密区根数", "加密区根数", "附加箍筋根数"})
        EXPECT_TRUE(captions.contains(QString::fromUtf8(name))) << name;
    QStringList words;
    for (QLabel* label : dlg.spacingGroup()->findChildren<QLabel*>())
        words << label->text();
    EXPECT_TRUE(words.contains(QStringLiteral("舍")) && words.contains(QStringLiteral("入")));
}

TEST_F(ColumnHoopDlg, TypingRecomputes)
{
    CVes_ColumnHoopCalcDlg dlg;
    dlg.sideEdit()->setText("500");
    dlg.beamEdit()->setText("600");
    QTest::keyClicks(dlg.heightEdit(), "3000");
    EXPECT_EQ(dlg.totalEdit()->text(), "24");
    EXPECT_EQ(dlg.normalCountEdit()->text(), "6");
    EXPECT_EQ(dlg.denseCountEdit()->text(), "18");
    EXPECT_TRUE(dlg.normalCountEdit()->isReadOnly());
    EXPECT_TRUE(dlg.denseCountEdit()->isReadOnly());

    dlg.upperCheck()->setChecked(false);
    EXPECT_EQ(dlg.totalEdit()->text(), "17");
    dlg.upperCheck()->setChecked(true);

    // The additional stirrups count from the next computation.
    dlg.extraEdit()->setText("2");
    dlg.computeButton()->click();
    EXPECT_EQ(dlg.totalEdit()->text(), "26");

    // A change of the drop digit sets the round-up digit: 6.5 + 0.3 - 1.
    dlg.dropDigitSpin()->setValue(6);
    EXPECT_EQ(dlg.roundDigitSpin()->value(), 7);
    EXPECT_EQ(dlg.normalCountEdit()->text(), "5");
    EXPECT_EQ(dlg.totalEdit()->text(), "25");

    // Empty entries count as 0.
    dlg.heightEdit()->clear();
    dlg.computeButton()->click();
    EXPECT_EQ(dlg.totalEdit()->text(), "0");
}

TEST_F(ColumnHoopDlg, RuleSwitchesHintsAndPicture)
{
    CVes_ColumnHoopCalcDlg dlg;
    EXPECT_TRUE(dlg.groundHint()->isHidden());
    EXPECT_FALSE(dlg.sideHint()->isHidden());
    EXPECT_FALSE(dlg.minHint()->isHidden());

    enterStorey(dlg, 3000, 500, 600);
    dlg.ruleCombo()->setCurrentIndex(ColumnHoopRuleGround);
    EXPECT_FALSE(dlg.groundHint()->isHidden());
    EXPECT_TRUE(dlg.sideHint()->isHidden());
    EXPECT_TRUE(dlg.minHint()->isHidden());
    EXPECT_EQ(dlg.pictureId(), 4022);
    EXPECT_EQ(dlg.totalEdit()->text(), "30");

    dlg.ruleCombo()->setCurrentIndex(ColumnHoopRuleHn3);
    EXPECT_EQ(dlg.pictureId(), 4022);
    EXPECT_TRUE(dlg.groundHint()->isHidden());
    EXPECT_EQ(dlg.totalEdit()->text(), "25");

    dlg.ruleCombo()->setCurrentIndex(ColumnHoopRuleHn6);
    EXPECT_EQ(dlg.pictureId(), 4021);
    EXPECT_EQ(dlg.totalEdit()->text(), "24");
}

TEST_F(ColumnHoopDlg, UnitModes)
{
    CVes_ColumnHoopCalcDlg dlg;
    dlg.setUnitMode(ColumnHoopUnitCm);
    EXPECT_EQ(dlg.storeyGroup()->title(), QStringLiteral("本层设置(cm)"));
    EXPECT_EQ(dlg.spacingGroup()->title(), QStringLiteral("间距设置(cm)"));
    dlg.setSpacings(10, 20);
    enterStorey(dlg, 300, 50, 60);
    EXPECT_EQ(dlg.totalEdit()->text(), "24");

    dlg.setUnitMode(ColumnHoopUnitM);
    EXPECT_EQ(dlg.storeyGroup()->title(), QStringLiteral("本层设置(m)"));
    EXPECT_EQ(dlg.spacingGroup()->title(), QStringLiteral("间距设置(m)"));
    dlg.setUnitMode(ColumnHoopUnitMm);
    EXPECT_EQ(dlg.spacingGroup()->title(), QStringLiteral("间距设置（mm）"));
}

TEST_F(ColumnHoopDlg, InputsRememberedAcrossDialogs)
{
    {
        CVes_ColumnHoopCalcDlg dlg;
        dlg.setSpacings(150, 250);
        enterStorey(dlg, 3600, 600, 700);
        dlg.ruleCombo()->setCurrentIndex(ColumnHoopRuleHn3);
        dlg.lowerCheck()->setChecked(false);
        dlg.dropDigitSpin()->setValue(2);
        dlg.extraEdit()->setText("3");
        dlg.accept();
        EXPECT_EQ(dlg.result(), dlg.totalEdit()->text().toInt());
        EXPECT_EQ(dlg.denseSpacing(), 150);
        EXPECT_EQ(dlg.normalSpacing(), 250);
    }
    {
        CVes_ColumnHoopCalcDlg dlg;
        EXPECT_EQ(dlg.heightEdit()->text(), "3600");
        EXPECT_EQ(dlg.sideEdit()->text(), "600");
        EXPECT_EQ(dlg.beamEdit()->text(), "700");
        EXPECT_EQ(dlg.denseEdit()->text(), "150");
        EXPECT_EQ(dlg.normalEdit()->text(), "250");
        EXPECT_EQ(dlg.ruleCombo()->currentIndex(), ColumnHoopRuleHn3);
        EXPECT_TRUE(dlg.upperCheck()->isChecked());
        EXPECT_FALSE(dlg.lowerCheck()->isChecked());
        EXPECT_EQ(dlg.dropDigitSpin()->value(), 2);
        EXPECT_EQ(dlg.roundDigitSpin()->value(), 3);
        // The additional stirrups start from 0 each time.
        EXPECT_EQ(dlg.extraEdit()->text(), "0");
        // Upper z = 600 + 700 = 1300: 10 stirrups, R = 2200; 8.8 + 0.7 - 1.
        EXPECT_EQ(dlg.totalEdit()->text(), "18");

        // Changes made before Cancel are kept too.
        QTest::keyClicks(dlg.heightEdit(), "0");
        dlg.reject();
        EXPECT_EQ(dlg.result(), 0);
    }
    CVes_ColumnHoopCalcDlg dlg;
    EXPECT_EQ(dlg.heightEdit()->text(), "36000");
}

TEST_F(ColumnHoopDlg, OkReturnsTheShownTotal)
{
    CVes_ColumnHoopCalcDlg dlg;
    enterStorey(dlg, 3000, 500, 600);
    dlg.totalEdit()->setText("31");
    dlg.accept();
    EXPECT_EQ(dlg.result(), 31);
    EXPECT_EQ(dlg.QDialog::result(), QDialog::Accepted);

    CVes_ColumnHoopCalcDlg empty;
    empty.totalEdit()->clear();
    empty.accept();
    EXPECT_EQ(empty.result(), 0);
}

TEST_F(ColumnHoopDlg, CancelReturnsNothing)
{
    CVes_ColumnHoopCalcDlg dlg;
    enterStorey(dlg, 3000, 500, 600);
    dlg.reject();
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_EQ(dlg.QDialog::result(), QDialog::Rejected);
}

} // namespace
