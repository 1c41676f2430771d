// The quantity sheet's summaries: the quantity summary's sections, losses,
// prices, breakdowns and totals, and the joint summary's sizes.

#include "tables/quantity/sltable.h"

#include "tests/tables/barlist/summary_support.h"
#include "tests/tables/quantity/derived_shapes.h"
#include "tests/tables/quantity/sltable_support.h"

#include "core/geometry/connect.h"
#include "core/geometry/datafolder.h"
#include "core/model/connecttext.h"
#include "platform/recordingdc.h"
#include "tables/framework/form.h"
#include "tables/framework/tabletextline.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/ui/sumsettingdlg.h"
#include "tests/tables/quantity/modal_support.h"

#include <QCheckBox>


#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using SummaryRows = std::vector<std::string>;
using test::slBar;
using test::slElement;
using test::slEleType;

SummaryRows rowsOf(const CVes_TableBase& sheet)
{
    SummaryRows rows;
    for (CVes_TableBaseLine* line : sheet.lines()) {
        auto* text = dynamic_cast<CVes_TableTextLine*>(line);
        rows.push_back(text ? text->getTexts().join(u'|').toStdString() : "<not text>");
    }
    return rows;
}

// Before any element type (其它): A %%C12 3 × 6000 = 18 m. Type 梁, KL1 of 2:
// B %%C20 2 × 5000 × 2 = 20 m, C %%A8 10 × 1500 × 2 = 30 m (20 stirrups),
// D %%C20环 1 × 4000 × 2 = 8 m. Unit weights 0.395 (8), 0.888 (12) and 2.47
// (20) kg/m; loss 2 % on bars, 4 % on wire rod up to 12 mm.
class QuantitySummary : public testing::Test {
protected:
    void SetUp() override
    {
        t.clearnAllLine();
        t.appendLine(slBar("A", 3, 12.0f, 3, 6000));
        t.appendLine(slEleType("梁"));
        t.appendLine(slElement("KL1", 2));
        t.appendLine(slBar("B", 3, 20.0f, 2, 5000));
        CVes_SLTableLine* stirrup = slBar("C", 1, 8.0f, 10, 1500);
        stirrup->m_steel.setStirrup(1);
        t.appendLine(stirrup);
        CVes_SLTableLine* epoxy = slBar("D", 3, 20.0f, 1, 4000);
        epoxy->m_steel.steelType = 1;
        t.appendLine(epoxy);

        CVes_SortRules& r = t.getSortRules();
        r = CVes_SortRules();
        r.m_dnOrder = 1;
        r.m_lossBar = 2.0;
        r.m_lossWire = 4.0;
        r.m_wireDN = 12.0f;
        r.m_sumByGrade = 1;
        r.m_calcStirrupFee = 1;
        r.m_stirrupFee = 0.5f;

        t.getYuanCaiLib().removeAll();
        CVes_SteelYuanCaiData priced;
        priced.DN = 20.0f;
        priced.grade = 3;
        priced.price = 4000.0f;
        t.getYuanCaiLib().append(priced);
    }

    test::StockFileAway stockFile;
    CVes_SLTable t;
    CVes_SLSumaryTable sheet;
};

TEST_F(QuantitySummary, EveryOptionLossInEachSubtotal)
{
    t.m_texts[2].m_formula = QStringLiteral("综合楼");
    sheet.Add({"old"});
    EXPECT_EQ(t.SummarySTeel(&sheet), &sheet);
    const SummaryRows expected = {
        "梁",
        "|1|%%A8|30.00|11.850",
        "|2|%%C20|20.00|49.400",
        "|3|%%C20环|8.00|19.760",
        "其它",
        "|1|%%C12|18.00|15.984",
        "各规格合计|(含损耗=2.0%,4.0%)",
        "|1|%%A8|30.00|12.324|原材未定价",
        "|2|%%C12|18.00|16.623|原材未定价",  // 12.0 mm is wire rod
        "|3|%%C20|20.00|50.388|201.55 元",
        "|4|%%C20环|8.00|20.155|原材未定价",
        "",
        "其中",
        "按钢筋直径分类||d≤12|48.00|28.947",
        "||d＞12|20.00|50.388|普通钢筋",
        "|||8.00|20.155|环氧树脂涂层钢筋",
        "按钢筋级别分类||HPB300(%%A)||12.32",
        "||HRB400(%%C)||87.17",
        "箍筋总计|||20根|10.00元|（0.50元/根）",
        "",
        "总重||||99.491|(含损耗=2.0%,4.0%)",
        "总金额||||211.55 元",
    };
    EXPECT_EQ(rowsOf(sheet), expected);
    EXPECT_EQ(sheet.m_texts[2].m_formula, "综合楼");
    EXPECT_EQ(sheet.isModified(), 1);
    // Sizes without stock got unpriced records in the sheet's own stock.
    EXPECT_EQ(t.getYuanCaiLib().count(), 4);
    EXPECT_NE(t.getYuanCaiLib().getYuanCai(8.0f, 1, 0), nullptr);
}

TEST_F(QuantitySummary, LossAtTheGrandTotal)
{
    CVes_SortRules& r = t.getSortRules();
    r.m_lossPlace = 0;
    r.m_sumInEleType = 0;
    r.m_sumByDnClass = 0;
    r.m_sumByGrade = 0;
    r.m_calcStirrupFee = 0;
    r.m_autoPrice = 0;
    t.setLanguage(1);
    t.SummarySTeel(&sheet);
    // SummaryRows show plain weights; the total carries the loss and its note; the
    // total cost uses weights with loss.
    const SummaryRows expected = {
        "Total",
        "|1|%%A8|30.00|11.850|原材未定价",
        "|2|%%C12|18.00|15.984|原材未定价",
        "|3|%%C20|20.00|49.400|197.60 元",
        "|4|%%C20环|8.00|19.760|原材未定价",
        "",
        "Total Weight||||99.491|(含损耗=2.0%,4.0%)",
    };
    EXPECT_EQ(rowsOf(sheet), expected);
}

struct LossNoteCase {
    const char* name;
    int show;
    int bar;
    int wire;
    const char* heading;
};

class QuantityLossNote : public QuantitySummary,
                         public testing::WithParamInterface<LossNoteCase> {};

TEST_P(QuantityLossNote, HeadingCarriesTheNote)
{
    CVes_SortRules& r = t.getSortRules();
    r.m_sumInEleType = 0;
    r.m_showLoss = GetParam().show;
    r.m_calcLossBar = GetParam().bar;
    r.m_calcLossWire = GetParam().wire;
    t.SummarySTeel(&sheet);
    EXPECT_EQ(rowsOf(sheet).front(), GetParam().heading);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuantityLossNote,
    testing::Values(LossNoteCase{"Both", 1, 1, 1, "各规格合计|(含损耗=2.0%,4.0%)"},
                    LossNoteCase{"BarOnly", 1, 1, 0, "各规格合计|(含损耗=2.0%)"},
                    LossNoteCase{"WireOnly", 1, 0, 1, "各规格合计|"},
                    LossNoteCase{"NotShown", 0, 1, 1, "各规格合计|"}),
    [](const testing::TestParamInfo<LossNoteCase>& info) { return std::string(info.param.name); });

struct GradeCase {
    const char* name;
    int grade;
    float diameter;
    float length;  // mm of one bar
    const char* row;  // the breakdown's row; empty: none
};

class QuantityGradeRow : public testing::TestWithParam<GradeCase> {};

TEST_P(QuantityGradeRow, RowOnlyAboveTheGradesThreshold)
{
    test::StockFileAway away;
    CVes_SLTable t;
    t.clearnAllLine();
    t.appendLine(slBar("1", GetParam().grade, GetParam().diameter, 1, GetParam().length));
    CVes_SortRules& r = t.getSortRules();
    r = CVes_SortRules();
    r.m_calcLossBar = 0;
    r.m_calcLossWire = 0;
    r.m_sumByDnClass = 0;
    r.m_sumByGrade = 1;
    CVes_SLSumaryTable sheet;
    t.SummarySTeel(&sheet);
    std::string found;
    for (const std::string& row : rowsOf(sheet)) {
        if (row.rfind("按钢筋级别分类", 0) == 0)
            found = row;
    }
    EXPECT_EQ(found, GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuantityGradeRow,
    testing::Values(
        // 0.001 m of 6 mm: 0.000222 kg.
        GradeCase{"Grade1Tiny", 1, 6.0f, 1, "按钢筋级别分类||HPB300(%%A)||0.00"},
        GradeCase{"Grade2Tiny", 2, 6.0f, 1, "按钢筋级别分类||HRB335(%%B)||0.00"},
        GradeCase{"Grade3Tiny", 3, 6.0f, 1, "按钢筋级别分类||HRB400(%%C)||0.00"},
        // 0.01 m of 20 mm: 0.0247 kg, under the 0.1 of grades 4 and 5.
        GradeCase{"Grade4Small", 4, 20.0f, 10, ""},
        GradeCase{"Grade4", 4, 20.0f, 100, "按钢筋级别分类||HRB400(%%D)||0.25"},
        GradeCase{"Grade5", 5, 20.0f, 100, "按钢筋级别分类||HRB500(%%E)||0.25"},
        GradeCase{"Grade12HasNoRow", 12, 8.0f, 5000, ""},
        GradeCase{"Grade14HasNoRow", 14, 8.0f, 5000, ""}),
    [](const testing::TestParamInfo<GradeCase>& info) { return std::string(info.param.name); });

TEST(QuantitySummaryLengths, GradedBarInTheShapeUnit)
{
    test::DerivedShapes shapes;
    test::StockFileAway away;
    CVes_SLTable t;
    t.clearnAllLine();
    // Total lengths in millimetres, as the shapes are.
    t.m_units[CVes_SLTable::kColTotalLength] = CVes_Template::kMillimetre;
    t.appendLine(slElement("KL1", 1));
    CVes_SLTableLine* graded = slBar("G", 3, 20.0f, 2, 0);
    CVes_Steel& bar = graded->m_steel;
    bar.setRecordId(test::kStraightShape);
    bar.calcLength = 1;
    bar.setMultiVal(1);
    bar.setMultiGroup(3);
    bar.setVarValue(QStringLiteral("A"), 1000.0);
    bar.setVarValueE(QStringLiteral("A"), 2000.0);
    t.appendLine(graded);
    t.getSortRules().m_sumInEleType = 0;
    CVes_SLSumaryTable sheet;
    t.SummarySTeel(&sheet);
    ASSERT_GE(sheet.lines().size(), 2);
    EXPECT_EQ(static_cast<CVes_TableTextLine*>(sheet.lines()[1])->getText(3), "9000.00");
    EXPECT_EQ(sheet.m_units[CVes_SLSumaryTable::kColLength], CVes_Template::kMillimetre);
}

// A length past what a 32-bit product holds is summed, not wrapped round.
TEST(QuantitySummaryLengths, LargeProjectDoesNotOverflow)
{
    test::StockFileAway away;
    CVes_SLTable t;
    t.clearnAllLine();
    t.appendLine(slElement("桩", 1000));
    t.appendLine(slBar("P", 3, 25.0f, 200, 12000));
    t.getSortRules().m_sumInEleType = 0;
    CVes_SLSumaryTable sheet;
    t.SummarySTeel(&sheet);
    EXPECT_EQ(static_cast<CVes_TableTextLine*>(sheet.lines()[1])->getText(3), "2400000.00");
}

// The printed summary keeps its own six columns inside the table's frame:
// the sheet's page set-up does not bring its ten columns along, and the
// remark column takes what the others leave.
TEST(QuantitySummaryPage, SixColumnsFillTheFrameAndEndAtIt)
{
    test::StockFileAway away;
    CVes_SLTable t;
    t.clearnAllLine();
    t.appendLine(slElement("KL1", 1));
    t.appendLine(slBar("1", 3, 20.0f, 2, 3000));
    CVes_SLSumaryTable sheet;
    t.SummarySTeel(&sheet);
    EXPECT_EQ(sheet.m_columnNum, 6);
    EXPECT_EQ(sheet.m_captions.size(), 6);

    platform::RecordingDc::Device device;
    device.printing = true;
    platform::RecordingDc dc(device);
    sheet.setPageTo(1, 1);
    sheet.Draw(&dc, platform::Rect(1, 1, 100, 100));
    const CVes_Form& form = *sheet.getForm();
    ASSERT_EQ(form.GetColumnCount(), 6);
    int sum = 0;
    for (int c = 0; c < 6; ++c)
        sum += form.GetColumnWidth(c);
    EXPECT_EQ(sum, std::abs(form.getRect().Width()));
    // 24 + 8 + 10 + 15 + 16 per cent for the others; 备注 takes the rest.
    const int width = std::abs(form.getRect().Width());
    EXPECT_EQ(form.GetColumnWidth(5),
              width - int(24 * 0.01 * width) - int(8 * 0.01 * width) - int(10 * 0.01 * width)
                  - int(15 * 0.01 * width) - int(16 * 0.01 * width));
    EXPECT_EQ(form.GetCellRect(1, 5).right, form.getRect().right);
}

TEST(QuantitySummaryEmpty, NoRowsOrNoBarsGiveNoRows)
{
    CVes_SLTable t;
    t.clearnAllLine();
    t.m_texts[5].m_formula = QStringLiteral("王工");
    CVes_SLSumaryTable sheet;
    sheet.Add({"old"});
    t.SummarySTeel(&sheet);
    EXPECT_TRUE(sheet.lines().isEmpty());
    EXPECT_EQ(sheet.m_texts[5].m_formula, "王工");
    t.appendLine(slEleType("柱"));
    t.appendLine(slElement("KZ1", 4));
    t.SummarySTeel(&sheet);
    EXPECT_TRUE(sheet.lines().isEmpty());
    CVes_SLSumaryJTtable joints;
    t.SummaryJT(&joints);
    EXPECT_EQ(rowsOf(joints), (SummaryRows{"合计"}));
}

// Joint summary

TEST(QuantityJointSummary, SizesOfCouplersAndGroups)
{
    CVes_SLTable t;
    t.clearnAllLine();
    // Before any element type: a lap (no joint) and a weld.
    CVes_SLTableLine* lap = slBar("L", 3, 20.0f, 1, 6000);
    const CVes_Connect tie = test::coupler(1, 20.0f, 1, 1);
    lap->m_steel.setLConnect(&tie);
    const CVes_Connect weld = test::coupler(3, 20.0f, 1, 1);
    lap->m_steel.setRConnect(&weld);
    t.appendLine(lap);
    t.appendLine(slEleType("柱"));
    t.appendLine(slElement("KZ1", 2));
    // Alike at both ends: 2 bars × 2 pieces × 2 ends.
    CVes_SLTableLine* same = slBar("S", 3, 25.0f, 2, 6000);
    const CVes_Connect alike = test::coupler(8, 25.0f, 1, 1);
    same->m_steel.setLConnect(&alike);
    same->m_steel.setRConnect(&alike);
    t.appendLine(same);
    // 25 to 20 with the 20 end reversed; and this bar's end reversed.
    CVes_SLTableLine* reducing = slBar("R", 3, 25.0f, 1, 6000);
    const CVes_Connect toTwenty = test::coupler(8, 20.0f, 1, 0);
    reducing->m_steel.setLConnect(&toTwenty);
    const CVes_Connect reversed = test::coupler(7, 20.0f, 0, 1);
    reducing->m_steel.setRConnect(&reversed);
    t.appendLine(reducing);
    CVes_SortRules& r = t.getSortRules();
    r.m_dnOrder = 1;
    r.m_autoMidConnect = 0;

    CVes_SLSumaryJTtable sheet;
    t.SummaryJT(&sheet);
    const auto row = [](int number, int type, const char* size, int count) {
        return QStringLiteral("|%1|%2|%3|%4")
            .arg(number)
            .arg(barcore_getConnectString(type), QString::fromUtf8(size))
            .arg(count)
            .toStdString();
    };
    const SummaryRows expected = {
        "柱",
        row(1, 7, "20正—25反", 2),
        row(2, 8, "25", 8),
        row(3, 8, "25正—20反", 2),
        "其它",
        row(1, 3, "20", 1),
        "合计",
        row(1, 3, "20", 1),
        row(2, 7, "20正—25反", 2),
        row(3, 8, "25", 8),
        row(4, 8, "25正—20反", 2),
    };
    EXPECT_EQ(rowsOf(sheet), expected);
}

// Summary settings

TEST(QuantitySummarySettings, OkTakesTheRulesAndCancelKeepsThem)
{
    QObject context;
    CVes_SLTable t;
    t.getSortRules().m_sumByGrade = 0;
    t.setModified(0);
    test::whenOpen<CVes_SumSettingDlg>(&context, [](CVes_SumSettingDlg& dlg) {
        dlg.check(CVes_SumSettingDlg::kSumByGrade)->setChecked(true);
        dlg.reject();
    });
    t.setSumray();
    EXPECT_EQ(t.getSortRules().m_sumByGrade, 0);
    EXPECT_EQ(t.isModified(), 0);

    test::whenOpen<CVes_SumSettingDlg>(&context, [&](CVes_SumSettingDlg& dlg) {
        EXPECT_EQ(dlg.m_pYuanCaiLib, &t.getYuanCaiLib());
        dlg.check(CVes_SumSettingDlg::kSumByGrade)->setChecked(true);
        dlg.accept();
    });
    t.setSumray();
    EXPECT_EQ(t.getSortRules().m_sumByGrade, 1);
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_EQ(t.isCanYouhuaSteel(), 1);
}

} // namespace
