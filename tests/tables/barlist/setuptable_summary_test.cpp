// The bar list's summary sheets: the bar summary's group and whole-list
// sections in both diameter orders, losses in either place, raw-stock prices
// from the list's own library and the program's stock file, the "其中"
// breakdown, the selection modes; and the joint summary's rows.

#include "tables/barlist/setuptable.h"

#include "core/geometry/datafolder.h"
#include "tests/core/model/barcore_shapes.h"
#include "envora/steelyuancaidata.h"
#include "tables/framework/tabletextline.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sltable.h"
#include "tables/quantity/sltableline.h"

#include "tests/tables/barlist/summary_support.h"

#include <gtest/gtest.h>

#include <QFile>

#include <string>
#include <vector>

namespace {


using Rows = test::SheetRows;
using test::barLine;
using test::elementLine;
using test::writeStock;
using test::rowsOf;

CVes_SteelYuanCaiData stock(float d, int grade, int type, float price)
{
    CVes_SteelYuanCaiData r;
    r.DN = d;
    r.grade = grade;
    r.steelType = type;
    r.price = price;
    return r;
}

// Bars before the first element (default 2 pieces), in KL1 (2 pieces) and in
// KL2 (1 piece). Lengths in metres and weights with the unit weights 0.395
// (8), 0.888 (12) and 2.47 (20) kg/m:
//   A %%C12   3 × 6000 × 2  = 36 m   31.968 kg   (其它)
//   B %%C20   2 × 5000 × 2  = 20 m   49.400 kg   (KL1)
//   C %%A8   10 × 1500 × 2  = 30 m   11.850 kg   (KL1, stirrup, 20 bars)
//   D %%C20环 1 × 4000 × 2  =  8 m   19.760 kg   (KL1)
//   E %%C25   not processed                       (KL1)
//   F %%C20   1 × 3000 × 1  =  3 m    7.410 kg   (KL2)
//   G %%C12   1 × 2000 × 1  =  2 m    1.776 kg   (KL2)
// Whole list: %%A8 30 m, %%C12 38 m, %%C20 23 m, %%C20环 8 m.
class BarSummary : public testing::Test {
protected:
    void SetUp() override
    {
        t.clearnAllLine();
        t.setDefaultEleNum(2);
        t.appendLine(barLine("A1", 3, 12.0f, 3, 6000.0f));
        kl1 = elementLine(QStringLiteral("KL1"), 2);
        t.appendLine(kl1);
        t.appendLine(barLine("B1", 3, 20.0f, 2, 5000.0f));
        auto* c = barLine("C1", 1, 8.0f, 10, 1500.7f);
        c->m_steel.setStirrup(1);
        t.appendLine(c);
        t.appendLine(barLine("D1", 3, 20.0f, 1, 4000.0f, 1));
        auto* e = barLine("E1", 3, 25.0f, 1, 9000.0f);
        e->m_steel.setProcess(0);
        t.appendLine(e);
        kl2 = elementLine(QStringLiteral("KL2"), 1);
        t.appendLine(kl2);
        t.appendLine(barLine("B2", 3, 20.0f, 1, 3000.0f));
        t.appendLine(barLine("G2", 3, 12.0f, 1, 2000.0f));

        CVes_SortRules& r = t.getSortRules();
        r.m_dnOrder = 0;
        r.m_lossBar = 2.0;
        r.m_lossWire = 4.0;
        r.m_calcLossBar = 1;
        r.m_calcLossWire = 1;
        r.m_showLoss = 1;
        r.m_lossPlace = 1;
        r.m_wireDN = 12.0f;
        r.m_autoPrice = 1;
        r.m_sumByDnClass = 1;
        r.m_sumByGrade = 1;
        r.m_calcStirrupFee = 1;
        r.m_autoStirrupCount = 1;
        r.m_stirrupFee = 0.5f;
        r.m_sumInEleType = 1;

        t.getYuanCaiLib().removeAll();
        t.getYuanCaiLib().append(stock(12.0f, 3, 0, 3800.0f));
        writeStock({stock(12.0f, 3, 0, 4000.0f), stock(20.0f, 3, 0, 4500.0f)});
    }
    void append(CVes_SetupTableLine* line) { t.appendLine(line); }

    // The program's stock file is put back afterwards for later tests.
    test::StockFileAway stockFile;
    CVes_SetupTable t;
    CVes_SetupTableLine* kl1 = nullptr;
    CVes_SetupTableLine* kl2 = nullptr;
    CVes_SLSumaryTable sheet;
};

TEST_F(BarSummary, EveryOptionLargeDiametersFirst)
{
    sheet.appendLine(new CVes_TableTextLine({QStringLiteral("old")}));
    EXPECT_EQ(t.SummarySTeel(&sheet, 0), &sheet);
    // Losses 2 % on bars and 4 % on wire rod, shown in each row; prices per
    // tonne 3800 (the list's own, before the stock file's 4000) and 4500;
    // stirrup fee 20 × 0.50.
    const Rows expected = {
        "KL1 (2件)||||81.010",
        "|1|%%C20环|8.00|19.760",
        "|2|%%C20|20.00|49.400",
        "|3|%%A8|30.00|11.850",
        "KL2 (1件)||||9.186",
        "|1|%%C20|3.00|7.410",
        "|2|%%C12|2.00|1.776",
        "其它||||31.968",
        "|1|%%C12|36.00|31.968",
        "",
        "各规格合计|(含损耗=2.0%,4.0%)||||单价 / 总价",
        "|1|%%C20环|8.00|20.155|原材未定价",
        "|2|%%C20|23.00|57.946|4500.0  /  260.76 元",
        "|3|%%C12|38.00|35.094|3800.0  /  133.36 元",
        "|4|%%A8|30.00|12.324|原材未定价",
        "",
        "总重||||125.519|(含损耗=2.0%,4.0%)",
        "总金额||||404.11 元",
        "",
        "其中",
        "按钢筋直径分类||d≤12|68.00|47.418",
        "||d＞12|23.00|57.946|普通钢筋",
        "|||8.00|20.155|环氧树脂涂层钢筋",
        "按钢筋级别分类||HPB300(%%A)||12.32",
        "||HRB400(%%C)||113.20",
        "箍筋总重||||11.85",
        "箍筋总根数|||20根|10.00元|（0.50元/根）",
    };
    EXPECT_EQ(rowsOf(sheet), expected);
    EXPECT_EQ(sheet.isModified(), 1);
    EXPECT_EQ(sheet.m_units[3], CVes_Template::kMetre);
    EXPECT_EQ(sheet.m_units[4], CVes_Template::kKilogram);

    // Stock records the list lacked were added to its own library, the
    // stock file's price carried over; a second summary adds none.
    CVes_SteelYuanCaiDataLib& own = t.getYuanCaiLib();
    ASSERT_EQ(own.count(), 4);
    ASSERT_NE(own.getYuanCai(20.0f, 3, 0), nullptr);
    EXPECT_FLOAT_EQ(own.getYuanCai(20.0f, 3, 0)->price, 4500.0f);
    ASSERT_NE(own.getYuanCai(8.0f, 1, 0), nullptr);
    EXPECT_EQ(own.getYuanCai(8.0f, 1, 0)->length, CVes_SteelYuanCaiData::kDefaultLength);
    EXPECT_FLOAT_EQ(own.getYuanCai(12.0f, 3, 0)->price, 3800.0f);
    t.SummarySTeel(&sheet, 0);
    EXPECT_EQ(own.count(), 4);
    EXPECT_EQ(rowsOf(sheet), expected);
}

TEST_F(BarSummary, SmallDiametersFirstLossAtTheTotal)
{
    CVes_SortRules& r = t.getSortRules();
    r.m_dnOrder = 1;
    r.m_lossPlace = 0;
    r.m_autoPrice = 0;
    r.m_sumByDnClass = 0;
    r.m_sumByGrade = 0;
    r.m_calcStirrupFee = 0;
    r.m_sumInEleType = 0;
    std::unique_ptr<CVes_TableBase> made(t.SummarySTeel(nullptr, 0));
    ASSERT_NE(made, nullptr);
    const Rows expected = {
        "",
        "各规格合计|",
        "|1|%%A8|30.00|11.850",
        "|2|%%C12|38.00|33.744",
        "|3|%%C20|23.00|56.810",
        "|4|%%C20环|8.00|19.760",
        "",
        "总重||||125.519|(含损耗=2.0%,4.0%)",
    };
    EXPECT_EQ(rowsOf(*made), expected);
    EXPECT_GE(made->getColumnNum(), 6);
}

TEST_F(BarSummary, LossNoteAndGradeLabelFollowTheOptions)
{
    CVes_SortRules& r = t.getSortRules();
    r.m_calcLossWire = 0;
    r.m_calcLossBar = 1;
    r.m_sumByDnClass = 0;
    r.m_calcStirrupFee = 0;
    r.m_sumInEleType = 0;
    r.m_autoPrice = 0;
    // Only grade 3 bars: the label moves to the HRB400 row.
    t.lineAt(3)->m_steel.setProcess(0);
    t.SummarySTeel(&sheet, 0);
    Rows rows = rowsOf(sheet);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[1], "各规格合计|(含损耗=2.0%)");
    EXPECT_EQ(rows[rows.size() - 2], "按钢筋级别分类||HRB400(%%C)||111.85");
    // No stirrup counted: its weight row stays, the fee row does not come.
    EXPECT_EQ(rows.back(), "箍筋总重||||0.00");

    // With only the wire-rod loss on, no note is shown at the subtotals; the
    // total still says that it holds a loss.
    r.m_calcLossWire = 1;
    r.m_calcLossBar = 0;
    t.SummarySTeel(&sheet, 0);
    EXPECT_EQ(rowsOf(sheet)[1], "各规格合计|");
    const auto totalRow = [&] {
        for (const std::string& row : rowsOf(sheet)) {
            if (row.rfind("总重|", 0) == 0)
                return row;
        }
        return std::string();
    };
    // 110.314 kg, of which the 33.744 kg of %%C12 with 4 %: 111.664 kg.
    EXPECT_EQ(totalRow(), "总重||||111.664|(含损耗)");
    // No loss: the total says nothing of one.
    r.m_calcLossWire = 0;
    t.SummarySTeel(&sheet, 0);
    EXPECT_EQ(totalRow(), "总重||||110.314");
}

TEST_F(BarSummary, ChosenElementsAndKeywords)
{
    CVes_SortRules& r = t.getSortRules();
    r.m_autoPrice = 0;
    r.m_sumByDnClass = 0;
    r.m_sumByGrade = 0;
    r.m_calcStirrupFee = 0;
    r.m_lossPlace = 0;
    r.m_showLoss = 0;

    // Mode 1: KL1 is skipped; the bars before the first element count.
    t.getHuizongRules().m_elements = {kl2};
    t.SummarySTeel(&sheet, 1);
    EXPECT_EQ(t.getHuizongRules().m_mode, 1);
    Rows expected = {
        "KL2 (1件)||||9.186", "|1|%%C20|3.00|7.410", "|2|%%C12|2.00|1.776",
        "其它||||31.968",     "|1|%%C12|36.00|31.968",
        "",                   "各规格合计|",
        "|1|%%C20|3.00|7.410", "|2|%%C12|38.00|33.744",
        "",                   "总重||||42.652|(含损耗)",
    };
    // Mode 6 keeps the stored selection.
    EXPECT_EQ(rowsOf(sheet), expected);
    t.SummarySTeel(&sheet, 6);
    EXPECT_EQ(rowsOf(sheet), expected);
    EXPECT_EQ(t.getHuizongRules().m_mode, 1);

    // Mode 3: bar numbers containing "B"; mode 4 the remark.
    r.m_sumInEleType = 0;
    t.getHuizongRules().m_key = QStringLiteral("B");
    t.SummarySTeel(&sheet, 3);
    expected = {"", "各规格合计|", "|1|%%C20|23.00|56.810", "", "总重||||57.946|(含损耗)"};
    EXPECT_EQ(rowsOf(sheet), expected);
    t.lineAt(0)->m_steel.remark = QStringLiteral("顶筋B");
    t.SummarySTeel(&sheet, 4);
    expected = {"", "各规格合计|", "|1|%%C12|36.00|31.968", "", "总重||||33.247|(含损耗)"};
    EXPECT_EQ(rowsOf(sheet), expected);
}

TEST_F(BarSummary, WithoutStockFileItemsAreUnpriced)
{
    QFile::remove(GetRODOFilePath() + QStringLiteral("KUCUN.xml"));
    t.getSortRules().m_sumInEleType = 0;
    t.SummarySTeel(&sheet, 0);
    const Rows rows = rowsOf(sheet);
    ASSERT_GE(rows.size(), 8u);
    EXPECT_EQ(rows[3], "|2|%%C20|23.00|57.946|原材未定价");
    // Only the own-library price and the stirrup fee: 133.36 + 10.00.
    EXPECT_EQ(rows[8], "总金额||||143.36 元");
}

TEST_F(BarSummary, EmptyListGivesTitledSheetWithoutRows)
{
    t.clearnAllLine();
    t.setLanguage(1);
    t.m_texts[2].m_formula = QStringLiteral("工程甲");
    t.m_texts[7].m_formula = QStringLiteral("2026-12-09");
    t.getHuizongRules().m_mode = 4;
    sheet.appendLine(new CVes_TableTextLine({QStringLiteral("old")}));
    t.SummarySTeel(&sheet, 0);
    EXPECT_TRUE(sheet.lines().isEmpty());
    EXPECT_EQ(sheet.m_texts[0].m_formula, "Bar Bending Total Schedule");
    EXPECT_EQ(sheet.m_language, 1u);
    EXPECT_EQ(sheet.m_texts[2].m_formula, "工程甲");
    EXPECT_EQ(sheet.m_texts[7].m_formula, "2026-12-09");
    EXPECT_EQ(t.getHuizongRules().m_mode, 4);
}

// The list's summary names itself and its groups as the list's document
// does, rebuilt as often as it is: 钢筋配料汇总表, 构件编号.
TEST_F(BarSummary, KeepsTheListsTitleAndGroupCaptionThroughRebuilds)
{
    CVes_SLSumaryTable named;
    CVes_SetupTable::nameBarSummary(named);
    for (int build = 0; build < 2; ++build) {
        t.SummarySTeel(&named, 0);
        EXPECT_EQ(named.m_texts[0].m_formula, "钢筋配料汇总表") << build;
        EXPECT_EQ(named.m_captions.value(0), "构件编号") << build;
    }
}

TEST_F(BarSummary, EnglishTexts)
{
    t.setLanguage(1);
    CVes_SortRules& r = t.getSortRules();
    r.m_autoPrice = 1;
    r.m_sumByDnClass = 0;
    r.m_sumByGrade = 0;
    r.m_calcStirrupFee = 0;
    t.SummarySTeel(&sheet, 0);
    const Rows rows = rowsOf(sheet);
    ASSERT_GE(rows.size(), 18u);
    EXPECT_EQ(rows[7], "Orther||||31.968");
    EXPECT_EQ(rows[10], "Total|(含损耗=2.0%,4.0%)||||单价 / 总价");
    EXPECT_EQ(rows[16], "Total Weight||||125.519|(含损耗=2.0%,4.0%)");
    EXPECT_EQ(rows[17], "Total Cost||||394.11 元");
}

TEST(BarSummaryQuantities, MultiValueComputedAndRepeatedElements)
{
    test::CacheScope scope;
    scope.add(test::ShapeBuilder({150, 21}).var("A", 1000).straight({1300, 150}, "0", "A").build());
    CVes_SetupTable t;
    t.clearnAllLine();
    CVes_SortRules& r = t.getSortRules();
    r.m_dnOrder = 1;
    r.m_calcLossBar = 0;
    r.m_calcLossWire = 0;
    r.m_autoPrice = 0;
    r.m_sumByDnClass = 0;
    r.m_sumByGrade = 0;
    r.m_calcStirrupFee = 1;
    r.m_autoStirrupCount = 0;
    r.m_stirrupCount = 7;
    r.m_stirrupFee = 0.25f;
    r.m_sumInEleType = 1;
    // Lengths given in centimetres: the totals are still metres, and the
    // weights follow from them unchanged.
    t.m_units[CVes_SetupTable::kColTotalLength] = CVes_Template::kCentimetre;

    t.appendLine(elementLine(QStringLiteral("KL1"), 1));
    // 2 bars in 5 groups running from 1000 to 1400 mm: 10 bars, 12 m.
    auto* multi = barLine("M1", 3, 12.0f, 2, 0.0f);
    CVes_Steel& bar = multi->m_steel;
    bar.setRecordId({150, 21});
    bar.calcLength = 1;
    bar.setMultiVal(1);
    bar.setMultiGroup(5);
    bar.setVarValue(QStringLiteral("A"), 1000.0);
    bar.setVarValueE(QStringLiteral("A"), 1400.0);
    t.appendLine(multi);
    // A computed length of 1000 mm, 3 bars: 3 m.
    auto* computed = barLine("M2", 3, 20.0f, 3, 0.0f);
    computed->m_steel.setRecordId({150, 21});
    computed->m_steel.calcLength = 1;
    computed->m_steel.setVarValue(QStringLiteral("A"), 1000.0);
    t.appendLine(computed);
    // The same element again: one group.
    t.appendLine(elementLine(QStringLiteral("KL1"), 1));
    t.appendLine(barLine("M3", 3, 12.0f, 1, 2500.9f));

    CVes_SLSumaryTable sheet;
    t.SummarySTeel(&sheet, 0);
    const Rows expected = {
        "KL1 (1件)||||20.286",
        "|1|%%C12|14.50|12.876",
        "|2|%%C20|3.00|7.410",
        "",
        "各规格合计|",
        "|1|%%C12|14.50|12.876",
        "|2|%%C20|3.00|7.410",
        "",
        "总重||||20.286",
        "",
        "其中",
        "箍筋总重||||0.00",
        "箍筋总根数|||7根|1.75元|（0.25元/根）",
    };
    EXPECT_EQ(rowsOf(sheet), expected);
    EXPECT_EQ(sheet.m_units[3], CVes_Template::kCentimetre);
}

// Joint summary

using test::coupler;

class JointSummary : public testing::Test {
protected:
    void SetUp() override
    {
        t.clearnAllLine();
        t.setDefaultEleNum(2);
        // Before the first element: a lap at one end, 2 pieces.
        auto* lap = barLine("L1", 3, 20.0f, 1, 6000.0f);
        const CVes_Connect lapJoint = coupler(1, 20.0f, 1, 1);
        lap->m_steel.setLConnect(&lapJoint);
        t.appendLine(lap);
        t.appendLine(elementLine(QStringLiteral("KL1"), 1));
        // The same coupler at both ends, 5 bars: 10 joints.
        auto* both = barLine("C1", 3, 25.0f, 5, 6000.0f);
        const CVes_Connect same = coupler(8, 25.0f, 1, 1);
        both->m_steel.setLConnect(&same);
        both->m_steel.setRConnect(&same);
        t.appendLine(both);
        // 25 to 20 with the 20 side reversed.
        auto* reduce = barLine("C2", 3, 25.0f, 1, 6000.0f);
        const CVes_Connect reducing = coupler(8, 20.0f, 1, 0);
        reduce->m_steel.setLConnect(&reducing);
        t.appendLine(reduce);
        // Not processed: no joints.
        auto* skipped = barLine("C3", 3, 28.0f, 4, 6000.0f);
        skipped->m_steel.setLConnect(&same);
        skipped->m_steel.setProcess(0);
        t.appendLine(skipped);
        t.getSortRules().m_sumInEleType = 1;
    }
    CVes_SetupTable t;
    CVes_SLSumaryJTtable sheet;
};

TEST_F(JointSummary, LargeFirstWithGroups)
{
    t.getSortRules().m_dnOrder = 0;
    EXPECT_EQ(t.SummaryJT(&sheet), &sheet);
    const Rows expected = {
        "KL1 (1件)",
        "|1|直螺纹套筒|25→20反|1",
        "|2|直螺纹套筒|25|10",
        "其它",
        "|1|绑扎搭接|20|2",
        "",
        "各规格总计",
        "|1|直螺纹套筒|25→20反|1",
        "|2|直螺纹套筒|25|10",
        "|3|绑扎搭接|20|2",
    };
    EXPECT_EQ(rowsOf(sheet), expected);
    EXPECT_EQ(sheet.m_captions.value(0), "构件编号");
}

TEST_F(JointSummary, SmallFirstWholeListOnly)
{
    t.getSortRules().m_dnOrder = 1;
    t.getSortRules().m_sumInEleType = 0;
    t.setLanguage(1);
    std::unique_ptr<CVes_SLSumaryJTtable> made(t.SummaryJT(nullptr));
    const Rows expected = {
        "",
        "Total",
        "|1|绑扎搭接|20|2",
        "|2|直螺纹套筒|25|10",
        "|3|直螺纹套筒|25→20反|1",
    };
    EXPECT_EQ(rowsOf(*made), expected);
    EXPECT_EQ(made->m_texts[0].m_formula, "Bar Connect Total Schedule");
    // Back in Chinese, the sheet gets its Chinese title again.
    t.setLanguage(0);
    t.SummaryJT(made.get());
    EXPECT_EQ(made->m_texts[0].m_formula, "钢筋接头类型汇总表");
    EXPECT_EQ(made->m_captions.value(2), "接头类型");
}

TEST_F(JointSummary, NoJointsGivesHeadingOnly)
{
    t.clearnAllLine();
    t.appendLine(elementLine(QStringLiteral("KL9"), 3));
    t.appendLine(barLine("P1", 3, 12.0f, 2, 3000.0f));
    t.SummaryJT(&sheet);
    const Rows expected = {"KL9 (3件)", "", "各规格总计"};
    EXPECT_EQ(rowsOf(sheet), expected);

    t.clearnAllLine();
    t.SummaryJT(&sheet);
    EXPECT_TRUE(sheet.lines().isEmpty());
}

// A reducing coupler to a 10 mm bar, the size a new bar starts with, stays
// a reducing coupler on the quantity sheet made from the list.
TEST_F(JointSummary, AReducingCouplerToATenKeepsItsSizesOnTheQuantitySheet)
{
    t.clearnAllLine();
    t.appendLine(elementLine(QStringLiteral("KL1"), 1));
    auto* bar = barLine("R1", 3, 12.0f, 2, 6000.0f);
    const CVes_Connect toTen = coupler(8, 10.0f, 1, 1);
    bar->m_steel.setRConnect(&toTen);
    t.appendLine(bar);
    t.getSortRules().m_sumInEleType = 0;
    t.SummaryJT(&sheet);
    const Rows fromTheList = rowsOf(sheet);
    EXPECT_EQ(fromTheList.back(), "|1|直螺纹套筒|12→10|2");

    CVes_SLTable quantity;
    quantity.clearnAllLine();
    quantity.m_rules = t.getSortRules();
    for (CVes_SLTableLine* row : t.transformSL(0))
        quantity.appendLine(row);
    CVes_SLSumaryJTtable joints;
    quantity.SummaryJT(&joints);
    // The quantity sheet names each side's thread.
    EXPECT_EQ(rowsOf(joints).back(), "|1|直螺纹套筒|12正—10正|2");
}

} // namespace
