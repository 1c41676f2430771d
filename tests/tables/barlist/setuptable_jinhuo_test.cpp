// The bar list's purchase list: lengths with losses, raw stock from the
// list's own library and the program's stock file (stock counts, coil and
// undefined stock), weights, costs, totals, the "其中" rows, and the purchase
// texts with their time stamp.

#include "tables/barlist/setuptable.h"

#include "core/geometry/datafolder.h"
#include "envora/steelyuancaidata.h"
#include "tables/framework/tabletextline.h"
#include "platform/recordingdc.h"
#include "platform/xlsx/workbook.h"
#include "tables/quantity/steeljinhuosumarytable.h"
#include "tests/support/recordinghost.h"

#include "tests/tables/barlist/summary_support.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>

#include <memory>
#include <string>
#include <vector>

namespace {

using Rows = test::SheetRows;
using test::rowsOf;
using test::writeStock;

CVes_SetupTableLine* barLine(int grade, float d, int count, float length, int coating = 0)
{
    return test::barLine("1", grade, d, count, length, coating);
}

CVes_SteelYuanCaiData stock(float d, int grade, int type, int length, float price)
{
    CVes_SteelYuanCaiData r;
    r.DN = d;
    r.grade = grade;
    r.steelType = type;
    r.length = length;
    r.price = price;
    return r;
}

class PurchaseList : public testing::Test {
protected:
    void SetUp() override
    {
        t.clearnAllLine();
        t.setDefaultEleNum(1);
        CVes_SortRules& r = t.getSortRules();
        r.m_dnOrder = 1;
        r.m_lossBar = 2.0;
        r.m_lossWire = 4.0;
        r.m_calcLossBar = 1;
        r.m_calcLossWire = 1;
        r.m_wireDN = 12.0f;
        r.m_autoPrice = 1;
        r.m_sumByDnClass = 1;
        t.getYuanCaiLib().removeAll();
    }
    std::unique_ptr<CVes_SteelJinHuoSumaryTable> build()
    {
        return std::unique_ptr<CVes_SteelJinHuoSumaryTable>(t.JinHuo(nullptr));
    }

    // The program's stock file is put back afterwards for later tests.
    test::StockFileAway stockFile;
    CVes_SetupTable t;
};

// Unit weights 0.395 (8), 0.888 (12) and 2.47 (20) kg/m; losses 2 % on bars
// and 4 % on wire rod (up to 12):
//   %%A8    10 × 1000 = 10 m → 10.40 m, stock undefined, 3000/t
//   %%C12    1 × 5000 =  5 m →  5.20 m, coil in the list's own library, 0.5/t
//   %%C20    2 × 4500 =  9 m →  9.18 m, stock 9000 mm: 2 bars = 18 m, 4000/t
//   %%C20环  1 × 3000 =  3 m →  3.06 m, no record: 12000 mm, 1 bar, unpriced
TEST_F(PurchaseList, RowsTotalsAndClasses)
{
    t.appendLine(barLine(3, 20.0f, 2, 4500.0f));
    t.appendLine(barLine(1, 8.0f, 10, 1000.0f));
    t.appendLine(barLine(3, 12.0f, 1, 5000.0f));
    t.appendLine(barLine(3, 20.0f, 1, 3000.0f, 1));
    auto* unprocessed = barLine(3, 25.0f, 1, 9000.0f);
    unprocessed->m_steel.setProcess(0);
    t.appendLine(unprocessed);
    t.getYuanCaiLib().append(stock(12.0f, 3, 0, -1, 0.5f));
    writeStock({stock(8.0f, 1, 0, 0, 3000.0f), stock(20.0f, 3, 0, 9000, 4000.0f),
                stock(12.0f, 3, 0, 12000, 5000.0f)});

    auto sheet = build();
    const Rows expected = {
        "1|%%A8|10.40|未定义|10.40m|4.108|12.32 元",
        "2|%%C12|5.20|盘螺|5.20m|4.618|原材未定价",
        "3|%%C20|18.00|9|2根|44.460|177.84 元",
        "4|%%C20环|12.00|12|1根|29.640|原材未定价",
        "",
        "总重量|||||82.826",
        "总金额||||||190.16 元",
        "其中",
        "|d≤12|15.60|||8.726|12.32 元",
        "|d＞12|18.00|普通钢筋||44.460|177.84 元",
        "||12.00|环氧树脂涂层钢筋||29.640|0.00 元",
    };
    EXPECT_EQ(rowsOf(*sheet), expected);
    EXPECT_EQ(sheet->isModified(), 1);
    EXPECT_EQ(sheet->m_units[2], CVes_Template::kMetre);
    EXPECT_EQ(sheet->m_units[5], CVes_Template::kKilogram);
    // The stock file's records and a default one were copied into the list.
    EXPECT_EQ(t.getYuanCaiLib().count(), 4);
    const CVes_SteelYuanCaiData* made = t.getYuanCaiLib().getYuanCai(20.0f, 3, 1);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->length, 12000);

    // A given sheet is refilled, not appended to.
    CVes_TableBase* same = t.JinHuo(sheet.get());
    EXPECT_EQ(same, sheet.get());
    EXPECT_EQ(rowsOf(*sheet), expected);

    // Without automatic pricing the rows keep their costs but no total cost
    // is written; without the diameter classes only the "其中" heading stays.
    t.getSortRules().m_autoPrice = 0;
    t.getSortRules().m_sumByDnClass = 0;
    t.JinHuo(sheet.get());
    const Rows unpriced(expected.begin(), expected.begin() + 6);
    Rows withHeading = unpriced;
    withHeading.push_back("其中");
    EXPECT_EQ(rowsOf(*sheet), withHeading);
}

struct CountCase {
    const char* name;
    int grade;
    int count;
    float length;       // mm of one bar
    int stockLength;    // mm
    const char* row;
};

class PurchaseCount : public PurchaseList, public testing::WithParamInterface<CountCase> {};

TEST_P(PurchaseCount, StockColumns)
{
    const CountCase& c = GetParam();
    CVes_SortRules& r = t.getSortRules();
    r.m_calcLossBar = 0;
    r.m_calcLossWire = 0;
    r.m_sumByDnClass = 0;
    r.m_state = 0;
    t.appendLine(barLine(c.grade, 20.0f, c.count, c.length));
    t.getYuanCaiLib().append(stock(20.0f, c.grade, 0, c.stockLength, 0.0f));
    auto sheet = build();
    ASSERT_FALSE(rowsOf(*sheet).empty());
    EXPECT_EQ(rowsOf(*sheet).front(), c.row);
}

INSTANTIATE_TEST_SUITE_P(
    Stock, PurchaseCount,
    testing::Values(
        CountCase{"ExactlyTwo", 3, 2, 9000.0f, 9000, "1|%%C20|18.00|9|2根|44.460|原材未定价"},
        CountCase{"TwoPointOhTwo", 3, 2, 9090.0f, 9000, "1|%%C20|27.00|9|3根|66.690|原材未定价"},
        CountCase{"TwoPointOhOhFive", 3, 1, 18045.0f, 9000, "1|%%C20|18.00|9|2根|44.460|原材未定价"},
        CountCase{"WireCoil", 1, 1, 5000.0f, -1, "1|%%A20|5.00|盘圆|5.00m|12.350|原材未定价"},
        CountCase{"OtherGradeCoil", 4, 1, 5000.0f, -9000, "1|%%D20|9.00|9|1根|22.230|原材未定价"},
        CountCase{"Undefined", 3, 1, 5000.0f, 0, "1|%%C20|5.00|未定义|5.00m|12.350|原材未定价"}),
    [](const testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

// An English list gets the totals' English captions: 10 m of %%C20 with a
// 2 % loss, 10.20 m × 2.47 kg/m = 25.194 kg on one 12 m stock bar
// (12 m × 2.47 = 29.640 kg) at 4000 a tonne: 118.56.
TEST_F(PurchaseList, EnglishTotals)
{
    t.setLanguage(1);
    t.getSortRules().m_autoPrice = 1;
    t.appendLine(barLine(3, 20.0f, 5, 2000.0f));
    writeStock({stock(20.0f, 3, 0, 12000, 4000.0f)});
    auto sheet = build();
    const Rows rows = rowsOf(*sheet);
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0], "1|%%C20|12.00|12|1根|29.640|118.56 元");
    EXPECT_EQ(rows[2], "Total Weight|||||29.640");
    EXPECT_EQ(rows[3], "Total Cost||||||118.56 元");
}

TEST_F(PurchaseList, NoStockFileGivesDefaultRecords)
{
    t.getSortRules().m_calcLossBar = 0;
    t.appendLine(barLine(3, 20.0f, 1, 13000.0f));
    auto sheet = build();
    ASSERT_FALSE(rowsOf(*sheet).empty());
    EXPECT_EQ(rowsOf(*sheet).front(), "1|%%C20|24.00|12|2根|59.280|原材未定价");
    EXPECT_EQ(t.getYuanCaiLib().count(), 1);
}

// Lengths are shown in the unit of the list's length column and weights in
// that of its weight column; stock counts and weights do not depend on them.
TEST_F(PurchaseList, ColumnUnitsOfTheList)
{
    CVes_SortRules& r = t.getSortRules();
    r.m_calcLossBar = 0;
    r.m_sumByDnClass = 0;
    r.m_state = 0;
    t.m_units[CVes_SetupTable::kColTotalLength] = CVes_Template::kCentimetre;
    t.m_units[CVes_SetupTable::kColTotalWeight] = CVes_Template::kTonne;
    t.appendLine(barLine(3, 20.0f, 2, 9000.0f));
    t.getYuanCaiLib().append(stock(20.0f, 3, 0, 9000, 4000.0f));
    auto sheet = build();
    const Rows expected = {
        "1|%%C20|1800.00|9|2根|0.044|177.84 元",
        "",
        "总重量|||||0.044",
        "总金额||||||177.84 元",
    };
    EXPECT_EQ(rowsOf(*sheet), expected);
    EXPECT_EQ(sheet->m_units[2], CVes_Template::kCentimetre);
    EXPECT_EQ(sheet->m_units[5], CVes_Template::kTonne);
}

TEST_F(PurchaseList, PurchaseTextsTakeDefaultsOnce)
{
    test::HostScope host;
    test::RecordingHost::current().setNow(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    t.m_texts[5].m_formula = QStringLiteral("张三");
    t.setJinHuoText(6, QStringLiteral("已有"));
    auto sheet = build();
    const auto& texts = t.getJinHuoTexts();
    EXPECT_EQ(texts[1], QStringLiteral("20260304-050607"));
    EXPECT_EQ(texts[2], QStringLiteral(" "));
    EXPECT_EQ(texts[3], t.m_texts[2].m_formula + QStringLiteral("-") + t.m_texts[3].m_formula);
    EXPECT_EQ(texts[4], QStringLiteral(" "));
    EXPECT_EQ(texts[5], QStringLiteral("张三"));
    EXPECT_EQ(texts[6], QStringLiteral("已有"));
    EXPECT_EQ(texts[7], t.m_texts[7].m_formula);
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(sheet->m_texts[std::size_t(i)].m_formula, texts[std::size_t(i)]) << i;
    // An empty list gives no rows.
    EXPECT_TRUE(sheet->lines().isEmpty());

    test::RecordingHost::current().setNow(QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0)));
    t.JinHuo(sheet.get());
    EXPECT_EQ(t.getJinHuoTexts()[1], QStringLiteral("20260304-050607"));
}

// The delivery note's form fills texts 1 to 4: its number, customer,
// project and delivery time. The page and the workbook name the number
// and the project by what they are; the customer and the time are given no
// label of another text.
TEST_F(PurchaseList, HeadingNamesTheNoteNumberAndTheProject)
{
    t.appendLine(barLine(3, 20.0f, 2, 4500.0f));
    const QString number = QStringLiteral("JH-2024-017");
    const QString customer = QStringLiteral("宏达建设");
    const QString project = QStringLiteral("一号楼-基础");
    const QString time = QStringLiteral("2024年5月1日");
    t.setJinHuoText(1, number);
    t.setJinHuoText(2, customer);
    t.setJinHuoText(3, project);
    t.setJinHuoText(4, time);
    auto sheet = build();
    sheet->firstPage();
    platform::RecordingDc dc;
    sheet->Draw(&dc, platform::Rect(0, 0, 1200, 900));
    QStringList headings;
    int numberAt = -1;
    int projectAt = -1;
    for (const platform::DcRecord& record : dc.records()) {
        if (record.text.contains(number))
            numberAt = record.points.empty() ? -1 : record.points.front().y();
        if (record.text.contains(project))
            projectAt = record.points.empty() ? -1 : record.points.front().y();
        headings << record.text;
    }
    const QString drawn = headings.join(u'|');
    EXPECT_TRUE(drawn.contains(QStringLiteral("单号：") + number)) << drawn.toStdString();
    EXPECT_TRUE(drawn.contains(QStringLiteral("工程情况：") + project)) << drawn.toStdString();
    EXPECT_FALSE(drawn.contains(QStringLiteral("单号：") + time));
    EXPECT_FALSE(drawn.contains(QStringLiteral("工程情况：") + customer));
    // The number stands above the project, at the top of the page.
    ASSERT_GE(numberAt, 0);
    ASSERT_GE(projectAt, 0);
    EXPECT_LT(numberAt, projectAt);

    platform::xlsx::Worksheet book(platform::xlsx::SheetTemplate{QStringLiteral("S"), false, {}});
    sheet->fillWorksheet(book, 7);
    EXPECT_EQ(book.text(1, 1), QStringLiteral("钢筋进（提）货单"));
    EXPECT_EQ(book.text(2, 1), QStringLiteral("单号：") + number);
    EXPECT_EQ(book.text(3, 1), QStringLiteral("工程情况：") + project);
    EXPECT_EQ(book.text(4, 1), QString());
}

} // namespace
