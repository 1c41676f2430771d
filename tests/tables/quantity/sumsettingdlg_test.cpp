// The summary settings dialog: rules in and out unchanged, the wire-rod
// limit list, the stirrup-fee boxes, bad numbers, and the user's defaults.

#include "tables/quantity/ui/sumsettingdlg.h"

#include "tests/support/modal.h"
#include "tests/support/recordinghost.h"

#include "envora/steelyuancaidata.h"
#include "tables/quantity/ui/rawstockdlg.h"
#include "tables/shared/sortrules.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "grid/gridctrl.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Dlg = CVes_SumSettingDlg;

// A record with every edited rule away from its default.
CVes_SortRules unusualRules()
{
    CVes_SortRules r;
    r.m_dnOrder = 1;
    r.m_lenOrder = 1;
    r.m_calcLossBar = 0;
    r.m_lossBar = 3.5;
    r.m_calcLossWire = 1;
    r.m_lossWire = 1.25;
    r.m_showLoss = 0;
    r.m_lossPlace = 0;
    r.m_wireDN = 10.0f;
    r.m_sumInEleType = 0;
    r.m_sumByDnClass = 0;
    r.m_sumByGrade = 1;
    r.m_state = 0x5;
    r.m_autoPrice = 0;
    r.m_autoMidConnect = 0;
    r.m_reverseSleeve = 1;
    r.m_calcStirrupFee = 1;
    r.m_stirrupFee = 0.3f;
    r.m_stirrupCount = 120;
    r.m_autoStirrupCount = 0;
    // Rules the dialog does not edit.
    r.m_mergeSame = 1;
    r.m_guibingShow = 3;
    r.m_sortGrade = 0x7;
    return r;
}

void expectSameEditedRules(const CVes_SortRules& a, const CVes_SortRules& b)
{
    EXPECT_EQ(a.m_dnOrder, b.m_dnOrder);
    EXPECT_EQ(a.m_lenOrder, b.m_lenOrder);
    EXPECT_EQ(a.m_calcLossBar, b.m_calcLossBar);
    EXPECT_DOUBLE_EQ(a.m_lossBar, b.m_lossBar);
    EXPECT_EQ(a.m_calcLossWire, b.m_calcLossWire);
    EXPECT_DOUBLE_EQ(a.m_lossWire, b.m_lossWire);
    EXPECT_EQ(a.m_showLoss, b.m_showLoss);
    EXPECT_EQ(a.m_lossPlace, b.m_lossPlace);
    EXPECT_FLOAT_EQ(a.m_wireDN, b.m_wireDN);
    EXPECT_EQ(a.m_sumInEleType, b.m_sumInEleType);
    EXPECT_EQ(a.m_sumByDnClass, b.m_sumByDnClass);
    EXPECT_EQ(a.m_sumByGrade, b.m_sumByGrade);
    EXPECT_EQ(a.m_state, b.m_state);
    EXPECT_EQ(a.m_autoPrice, b.m_autoPrice);
    EXPECT_EQ(a.m_autoMidConnect, b.m_autoMidConnect);
    EXPECT_EQ(a.m_reverseSleeve, b.m_reverseSleeve);
    EXPECT_EQ(a.m_calcStirrupFee, b.m_calcStirrupFee);
    EXPECT_FLOAT_EQ(a.m_stirrupFee, b.m_stirrupFee);
    EXPECT_EQ(a.m_stirrupCount, b.m_stirrupCount);
    EXPECT_EQ(a.m_autoStirrupCount, b.m_autoStirrupCount);
}

// Shows the rules, reads the controls back (as OK does) and answers them.
CVes_SortRules throughTheDialog(const CVes_SortRules& rules,
                                const std::function<void(Dlg&)>& edit = {})
{
    Dlg dlg;
    dlg.setRules(rules);
    dlg.UpdateData(false);
    if (edit)
        edit(dlg);
    EXPECT_TRUE(dlg.UpdateData(true));
    CVes_SortRules out = rules;
    dlg.getRules(out);
    return out;
}

TEST(SumSettingDlg, OkWithoutChangesKeepsEveryRule)
{
    const CVes_SortRules rules = unusualRules();
    const CVes_SortRules out = throughTheDialog(rules);
    expectSameEditedRules(out, rules);
    EXPECT_EQ(out.m_mergeSame, 1);
    EXPECT_EQ(out.m_guibingShow, 3);
    EXPECT_EQ(out.m_sortGrade, 0x7u);
}

TEST(SumSettingDlg, LengthOrderOfNoChoiceIsStoredAsNone)
{
    // The rules' default 3 is no choice of the list.
    ASSERT_EQ(CVes_SortRules().m_lenOrder, 3);
    const CVes_SortRules out = throughTheDialog(CVes_SortRules());
    EXPECT_EQ(out.m_lenOrder, -1);
}

struct WireCase {
    const char* name;
    float limit;
    int chooseIndex;  // -1: leave the list as shown
    float stored;
};

class SumSettingWire : public testing::TestWithParam<WireCase> {};

TEST_P(SumSettingWire, WireRodLimit)
{
    CVes_SortRules rules;
    rules.m_wireDN = GetParam().limit;
    const CVes_SortRules out = throughTheDialog(rules, [](Dlg& dlg) {
        if (GetParam().chooseIndex >= 0)
            dlg.combo(Dlg::kWireDN)->setCurrentIndex(GetParam().chooseIndex);
        EXPECT_EQ(dlg.combo(Dlg::kBarDN)->currentText(), dlg.combo(Dlg::kWireDN)->currentText());
    });
    EXPECT_FLOAT_EQ(out.m_wireDN, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SumSettingWire,
    testing::Values(WireCase{"ListedLimitKept", 12.0f, -1, 12.0f},
                    WireCase{"ListedFractionKept", 6.5f, -1, 6.5f},
                    // A limit the list lacks is offered and kept, never 0.
                    WireCase{"UnlistedLimitKept", 11.0f, -1, 11.0f},
                    WireCase{"EmptyChoiceIsZero", 12.0f, 0, 0.0f},
                    WireCase{"OtherChoice", 12.0f, 7, 14.0f}),
    [](const testing::TestParamInfo<WireCase>& info) { return std::string(info.param.name); });

TEST(SumSettingDlg, WireRodListOffersTheSeventeenDiametersAfterAnEmptyOne)
{
    Dlg dlg;
    QComboBox* wire = dlg.combo(Dlg::kWireDN);
    ASSERT_EQ(wire->count(), 18);
    EXPECT_EQ(wire->itemText(0), "");
    EXPECT_EQ(wire->itemText(1), "6");
    EXPECT_EQ(wire->itemText(17), "50");
    EXPECT_FALSE(dlg.combo(Dlg::kBarDN)->isEnabled());
}

struct FeeCase {
    const char* name;
    bool fee;
    bool autoCount;
    bool autoShown;
    bool countShown;
};

class SumSettingFee : public testing::TestWithParam<FeeCase> {};

TEST_P(SumSettingFee, StirrupBoxesFollowTheirChecks)
{
    Dlg dlg;
    dlg.show();
    dlg.check(Dlg::kCalcStirrupFee)->setChecked(GetParam().fee);
    dlg.check(Dlg::kAutoStirrupCount)->setChecked(GetParam().autoCount);
    EXPECT_EQ(dlg.check(Dlg::kAutoStirrupCount)->isVisible(), GetParam().autoShown);
    EXPECT_EQ(dlg.edit(Dlg::kStirrupCount)->isVisible(), GetParam().countShown);
    EXPECT_EQ(dlg.control(Dlg::kStirrupCountLabel)->isVisible(), GetParam().countShown);
    EXPECT_TRUE(dlg.edit(Dlg::kStirrupFee)->isVisible());
    dlg.close();
}

INSTANTIATE_TEST_SUITE_P(Cases, SumSettingFee,
                         testing::Values(FeeCase{"NoFee", false, false, false, false},
                                         FeeCase{"NoFeeAuto", false, true, false, false},
                                         FeeCase{"FeeByHand", true, false, true, true},
                                         FeeCase{"FeeCounted", true, true, true, false}),
                         [](const testing::TestParamInfo<FeeCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(SumSettingDlg, BadNumberIsRefusedWithAMessage)
{
    test::HostScope host;
    Dlg dlg;
    dlg.setRules(unusualRules());
    dlg.UpdateData(false);
    dlg.edit(Dlg::kLossBar)->setText(QStringLiteral("x"));
    dlg.check(Dlg::kSumByGrade)->setChecked(false);
    EXPECT_FALSE(dlg.UpdateData(true));
    EXPECT_EQ(host->messageTexts(), QStringList{"请输入一个数字。"});
    EXPECT_FLOAT_EQ(dlg.m_lossBar, 3.5f);
    EXPECT_EQ(dlg.m_sumByGrade, 1) << "nothing is read when a box is refused";
}

TEST(SumSettingDlg, DefaultsAreSavedAndLoadedBack)
{
    const QString path = CVes_SortRules::userRulesPath();
    QFile::remove(path);
    {
        Dlg dlg;
        dlg.setRules(unusualRules());
        dlg.UpdateData(false);
        dlg.check(Dlg::kAutoMidConnect)->setChecked(true);
        dlg.check(Dlg::kReverseSleeve)->setChecked(false);
        dlg.OnSaveDefaults();
        ASSERT_TRUE(QFile::exists(path));

        dlg.check(Dlg::kAutoMidConnect)->setChecked(false);
        dlg.check(Dlg::kReverseSleeve)->setChecked(true);
        dlg.edit(Dlg::kLossWire)->setText(QStringLiteral("9"));
        dlg.OnLoadDefaults();
        EXPECT_TRUE(dlg.check(Dlg::kAutoMidConnect)->isChecked());
        EXPECT_FALSE(dlg.check(Dlg::kReverseSleeve)->isChecked());
        EXPECT_EQ(dlg.edit(Dlg::kLossWire)->text(), "1.25");
        ASSERT_TRUE(dlg.UpdateData(true));
        CVes_SortRules out;
        dlg.getRules(out);
        CVes_SortRules expected = unusualRules();
        expected.m_autoMidConnect = 1;
        expected.m_reverseSleeve = 0;
        // The rules file does not hold the bar kinds: all are shown again.
        expected.m_state = 7;
        expectSameEditedRules(out, expected);
    }
    // Without a defaults file the rules' own defaults are loaded.
    QFile::remove(path);
    Dlg dlg;
    dlg.setRules(unusualRules());
    dlg.OnLoadDefaults();
    ASSERT_TRUE(dlg.UpdateData(true));
    CVes_SortRules out;
    dlg.getRules(out);
    CVes_SortRules defaults;
    defaults.m_lenOrder = -1;
    expectSameEditedRules(out, defaults);
}

// One unpriced record: 三级钢 20.
CVes_SteelYuanCaiDataLib unpricedStock()
{
    CVes_SteelYuanCaiDataLib lib;
    CVes_SteelYuanCaiData r;
    r.DN = 20.0f;
    r.grade = 3;
    lib.append(r);
    return lib;
}

TEST(SumSettingDlg, RawStockButtonEditsTheTablesStock)
{
    CVes_SteelYuanCaiDataLib lib = unpricedStock();
    Dlg dlg;
    dlg.m_pYuanCaiLib = &lib;
    bool seen = false;
    QTimer::singleShot(0, &dlg, [&] {
        auto* stock = qobject_cast<CVes_RawStockDlg*>(QApplication::activeModalWidget());
        if (stock) {
            seen = stock->m_pYuanCaiLib == &lib;
            stock->reject();
        }
    });
    QTimer::singleShot(3000, &dlg, [] {
        if (QWidget* open = QApplication::activeModalWidget())
            open->close();
    });
    dlg.button(Dlg::kRawStock)->click();
    EXPECT_TRUE(seen);
}

class SumSettingStock : public testing::TestWithParam<bool> {};

// A price set in the raw-stock dialog (closed with OK) stays when the
// summary settings are closed with OK, and goes when they are cancelled.
TEST_P(SumSettingStock, GoesWithTheSettings)
{
    const bool ok = GetParam();
    CVes_SteelYuanCaiDataLib lib = unpricedStock();
    CVes_SortRules rules;
    test::onNextModal<Dlg>([ok](Dlg* dlg) {
        test::onNextModal<CVes_RawStockDlg>([](CVes_RawStockDlg* stock) {
            stock->grid()->OnEndEditCell(1, CVes_RawStockDlg::kColPrice, QStringLiteral("4100"));
            stock->accept();
        });
        dlg->button(Dlg::kRawStock)->click();
        if (ok)
            dlg->accept();
        else
            dlg->reject();
    });
    EXPECT_EQ(Dlg::editRules(rules, &lib, nullptr), ok);
    EXPECT_FLOAT_EQ(lib.at(0)->price, ok ? 4100.0f : 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Closed, SumSettingStock, testing::Bool(),
                         [](const auto& info) { return info.param ? "Ok" : "Cancel"; });

} // namespace
