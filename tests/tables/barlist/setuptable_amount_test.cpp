// The bar list's quantities: counts and lengths of single and multi-value
// bars with their element piece counts, the intermediate-connection counts,
// the page summary text with its line breaks, the cover totals with losses
// and the two total blocks appended to the list.

#include "tables/barlist/setuptable.h"

#include "tests/core/model/barcore_shapes.h"
#include "tests/support/recordinghost.h"
#include "tests/tables/barlist/summary_support.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using test::elementLine;

// A bar line with an entered length and no intermediate connection counted.
CVes_SetupTableLine* barLine(int grade, float d, int count, float length)
{
    auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
    line->setNull(0);
    CVes_Steel& bar = line->m_steel;
    bar.number = QStringLiteral("1");
    bar.grade = grade;
    bar.DN = d;
    bar.count = count;
    bar.calcLength = 0;
    bar.length = length;
    CVes_MidConnect* mid = bar.getFirstMidConnect();
    mid->stat = 0;
    mid->autoCount = 1;
    return line;
}

// A bar list with no lines, ten rows a page.
class Amounts : public testing::Test {
protected:
    void SetUp() override
    {
        t.clearnAllLine();
        t.m_rowNum = 10;
        t.setDefaultEleNum(2);
    }
    void add(CVes_SetupTableLine* line) { t.appendLine(line); }
    CVes_SetupTable t;
};

// One bar

TEST_F(Amounts, SingleBarCountsPiecesAndMetres)
{
    auto* line = barLine(3, 12.0f, 4, 6000.0f);
    double length = 0.0;
    std::int64_t count = 0;
    std::int64_t midFactor = 0;
    t.singleSteelAmount(&line->m_steel, 3, length, count, midFactor);
    EXPECT_EQ(count, 12);
    EXPECT_EQ(midFactor, 12);
    EXPECT_NEAR(length, 72.0, 1e-9);

    // Lengths in centimetres are still totalled in metres.
    t.m_units[CVes_SetupTable::kColShape] = CVes_Template::kCentimetre;
    line->m_steel.length = 600.0f;
    t.singleSteelAmount(&line->m_steel, 3, length, count, midFactor);
    EXPECT_NEAR(length, 72.0, 1e-9);
    delete line;
}

TEST_F(Amounts, MultiValueBarAveragesFirstAndLast)
{
    test::CacheScope scope;
    scope.add(test::ShapeBuilder({150, 21}).var("A", 1000).straight({1300, 150}, "0", "A").build());
    auto* line = barLine(3, 12.0f, 2, 0.0f);
    CVes_Steel& bar = line->m_steel;
    bar.setRecordId({150, 21});
    bar.calcLength = 1;
    bar.setMultiVal(1);
    bar.setMultiGroup(5);
    bar.setVarValue(QStringLiteral("A"), 1000.0);
    bar.setVarValueE(QStringLiteral("A"), 1400.0);
    ASSERT_FLOAT_EQ(bar.getLength(0, 1.0), 1000.0f);
    ASSERT_FLOAT_EQ(bar.getLength(1, 1.0), 1400.0f);

    double length = 0.0;
    std::int64_t count = 0;
    std::int64_t midFactor = 0;
    t.singleSteelAmount(&bar, 1, length, count, midFactor);
    EXPECT_EQ(count, 10);
    EXPECT_NEAR(length, 12.0, 1e-9);
    // No connection counted: the caller's factor stays.
    EXPECT_EQ(midFactor, 0);

    // Three bars of 10, 15 and 20 m on 9 m stock: 1 + 1 + 2 joints, the
    // last bar's second joint a reverse-thread coupler.
    t.getSortRules().m_autoMidConnect = 1;
    t.getSortRules().m_reverseSleeve = 1;
    CVes_MidConnect* mid = bar.getFirstMidConnect();
    mid->stat = 1;
    mid->style = 8;
    mid->fixedLength = 9000;
    bar.count = 1;
    bar.setMultiGroup(3);
    bar.setVarValue(QStringLiteral("A"), 10000.0);
    bar.setVarValueE(QStringLiteral("A"), 20000.0);
    t.singleSteelAmount(&bar, 2, length, count, midFactor);
    EXPECT_EQ(count, 6);
    EXPECT_NEAR(length, 90.0, 1e-9);
    EXPECT_EQ(midFactor, 2);
    ASSERT_EQ(bar.getMidConnectArray().size(), 2u);
    EXPECT_EQ(bar.getMidConnectArray()[0]->countText, "3");
    EXPECT_EQ(bar.getMidConnectArray()[1]->countText, "1");
    delete line;
}

TEST_F(Amounts, ElementOfNoPiecesCountsNothing)
{
    add(elementLine(QStringLiteral("KL1"), 0));
    add(barLine(3, 12.0f, 4, 6000.0f));
    t.setPageTo(1, 1);
    EXPECT_EQ(t.AmountOfCurPage(200), "重(长):{%%C12：0.00(0.00)} {总计：0.00(0.00) } \n连接方式：");
}

struct MidCase {
    const char* name;
    float length;
    int style;
    int reverseOption;
    int autoOption;
    int group;            // bar group: nothing is counted
    const char* first;    // count text of the first connection afterwards
    int connections;      // connections left on the bar
    const char* second;   // count text of the second, when there is one
};

void PrintTo(const MidCase& c, std::ostream* os) { *os << c.name; }

class MidConnects : public testing::TestWithParam<MidCase> {};

TEST_P(MidConnects, CountTexts)
{
    const MidCase& c = GetParam();
    CVes_SetupTable t;
    t.getSortRules().m_reverseSleeve = c.reverseOption;
    t.getSortRules().m_autoMidConnect = c.autoOption;
    CVes_Steel bar;
    bar.grade = 3;
    bar.DN = 25.0f;
    bar.count = 1;
    bar.calcLength = 0;
    bar.length = c.length;
    if (c.group)
        bar.setRecordId({109, 1});
    CVes_MidConnect* first = bar.getFirstMidConnect();
    first->stat = 1;
    first->style = c.style;
    first->fixedLength = 9000;
    first->autoCount = 1;
    first->countText = QStringLiteral("7");
    // A second connection left over from an earlier count.
    bar.getSecendMidConnect()->countText = QStringLiteral("5");

    double length = 0.0;
    std::int64_t count = 0;
    std::int64_t midFactor = 0;
    t.singleSteelAmount(&bar, 1, length, count, midFactor);
    ASSERT_EQ(int(bar.getMidConnectArray().size()), c.connections);
    EXPECT_EQ(bar.getMidConnectArray()[0]->countText, QString::fromUtf8(c.first));
    if (c.connections > 1) {
        EXPECT_EQ(bar.getMidConnectArray()[1]->countText, QString::fromUtf8(c.second));
    }
    if (c.connections > 1 && !c.group) {
        EXPECT_EQ(bar.getMidConnectArray()[1]->valueC, 0); // reverse thread
    }
    EXPECT_EQ(midFactor, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MidConnects,
    testing::Values(
        // 20 m on 9 m stock: two joints, one of them a reverse-thread coupler.
        MidCase{"CouplerWithReverse", 20000.0f, 8, 1, 1, 0, "1", 2, "1"},
        MidCase{"CouplerWithoutReverse", 20000.0f, 8, 0, 1, 0, "2", 1, ""},
        MidCase{"WeldNeedsNoReverse", 20000.0f, 3, 1, 1, 0, "2", 1, ""},
        MidCase{"ShorterThanStock", 8000.0f, 8, 1, 1, 0, "0", 1, ""},
        MidCase{"AutomaticOptionOff", 20000.0f, 8, 1, 0, 0, "0", 1, ""},
        MidCase{"BarGroupIsLeftAlone", 20000.0f, 8, 1, 1, 1, "7", 2, "5"}),
    [](const auto& info) { return std::string(info.param.name); });

// Page summary

// Element of 3 pieces: 4 × 6 m of 12 mm (72 m, 63.936 kg) and 1 × 5 m of
// 20 mm (15 m, 37.05 kg) with an electroslag weld at both ends; a bar that
// is not processed and an empty row count nothing.
class PageSummary : public Amounts {
protected:
    void SetUp() override
    {
        Amounts::SetUp();
        add(elementLine(QStringLiteral("KL1"), 3));
        add(barLine(3, 12.0f, 4, 6000.0f));
        auto* welded = barLine(3, 20.0f, 1, 5000.0f);
        welded->m_steel.getLConnect()->type = 3;
        welded->m_steel.getRConnect()->type = 3;
        welded->m_steel.getLConnect()->flag = 1;
        welded->m_steel.getRConnect()->flag = 1;
        add(welded);
        auto* skipped = barLine(3, 20.0f, 9, 9000.0f);
        skipped->m_steel.setProcess(0);
        add(skipped);
        auto* empty = barLine(3, 20.0f, 9, 9000.0f);
        empty->setNull(1);
        add(empty);
        t.m_sumJoint = 0;
        t.setPageTo(1, 1);
    }
};

TEST_F(PageSummary, EntriesAndTotal)
{
    EXPECT_EQ(t.AmountOfCurPage(200),
              "重(长):{%%C12：63.94(72.00)} {%%C20：37.05(15.00)} {总计：100.99(87.00) } ");
    t.m_sumLength = 0;
    EXPECT_EQ(t.AmountOfCurPage(200), "重量:{%%C12：63.94} {%%C20：37.05} {总计：100.99 } ");
    t.m_sumWeight = 0;
    t.m_sumLength = 1;
    EXPECT_EQ(t.AmountOfCurPage(200), "长度:{%%C12：72.00} {%%C20：15.00} {总计：87.00 } ");
    t.m_sumLength = 0;
    EXPECT_EQ(t.AmountOfCurPage(200), "");
}

TEST_F(PageSummary, BreaksOnlyAfterALineExceedsTheWidthInBytes)
{
    // "重(长):" is 7 bytes, so the first entry joins it; the line is then
    // 29 bytes long and the second entry starts a new line.
    EXPECT_EQ(t.AmountOfCurPage(20),
              "重(长):{%%C12：63.94(72.00)} \n{%%C20：37.05(15.00)} \n{总计：100.99(87.00) } ");
    EXPECT_EQ(t.AmountOfCurPage(29),
              "重(长):{%%C12：63.94(72.00)} {%%C20：37.05(15.00)} \n{总计：100.99(87.00) } ");
}

TEST_F(PageSummary, JointPart)
{
    t.m_sumJoint = 1;
    t.m_summaryRowHeight = 2;
    EXPECT_EQ(t.AmountOfCurPage(200),
              "重(长):{%%C12：63.94(72.00)} {%%C20：37.05(15.00)} {总计：100.99(87.00) } "
              "\n连接方式：{电:20, 6个} ");
    t.m_summaryRowHeight = 1;
    t.setLanguage(1);
    EXPECT_EQ(t.AmountOfCurPage(200),
              "Weight(Length):{%%C12：63.94(72.00)} {%%C20：37.05(15.00)} "
              "{Total：100.99(87.00) } Connect Style：{电:20, 6} ");
}

TEST_F(PageSummary, LaterPageTakesThePiecesOfTheElementAbove)
{
    t.clearnAllLine();
    t.m_rowNum = 2;
    add(elementLine(QStringLiteral("KL1"), 3));
    add(barLine(3, 12.0f, 1, 1000.0f));
    add(barLine(3, 12.0f, 1, 2000.0f)); // page 2, still 3 pieces
    t.setPageTo(2, 1);
    EXPECT_EQ(t.AmountOfCurPage(200), "重(长):{%%C12：5.33(6.00)} {总计：5.33(6.00) } ");
}

TEST_F(PageSummary, BarsBeforeTheFirstElementTakeTheDefaultPieces)
{
    t.clearnAllLine();
    add(barLine(3, 12.0f, 1, 1000.0f)); // default 2 pieces
    t.setPageTo(1, 1);
    EXPECT_EQ(t.AmountOfCurPage(200), "重(长):{%%C12：1.78(2.00)} {总计：1.78(2.00) } ");
}

TEST_F(PageSummary, PageWithoutBars)
{
    t.clearnAllLine();
    add(elementLine(QStringLiteral("KL1"), 3));
    t.m_sumJoint = 1;
    t.m_summaryRowHeight = 2;
    t.setPageTo(1, 1);
    EXPECT_EQ(t.AmountOfCurPage(200), "重(长):{总计：0.00(0.00) } \n连接方式：");
}

// Totals of the cover

TEST_F(PageSummary, CoverTotalsWithLosses)
{
    add(barLine(1, 10.0f, 1, 10000.0f));  // 30 m, 18.51 kg, coil loss 2 %
    add(barLine(1, 6.0f, 1, 1000.0f));    // 3 m, 0.666 kg, coil loss 2 %
    CVes_SortRules& rules = t.getSortRules();
    rules.m_calcLossBar = 1;
    rules.m_lossBar = 3.0;
    rules.m_calcLossWire = 1;
    rules.m_lossWire = 2.0;
    rules.m_wireDN = 10.0f;

    QStringList weights;
    QStringList joints;
    t.AmountToString(weights, joints);
    // The total says that it carries the loss the pages' totals leave out.
    EXPECT_EQ(weights, (QStringList{"%%A6  : 0.68 kg", "%%A10: 18.88 kg", "%%C12: 65.85 kg",
                                    "%%C20: 38.16 kg", "总重量(含损耗): 123.58 kg"}));
    EXPECT_EQ(joints, (QStringList{"电:20, 6个"}));

    rules.m_calcLossBar = 0;
    rules.m_calcLossWire = 0;
    t.m_units[CVes_SetupTable::kColTotalWeight] = CVes_Template::kTonne;
    weights.clear();
    t.AmountToString(weights, joints);
    EXPECT_EQ(weights.last(), "总重量: 0.12 t");
}

// Wire rod is what the wire-rod size and below holds, on the cover as in the
// summaries: with a size of 6, a 6.5 mm bar takes the bar loss, or none
// when that is off.
TEST_F(PageSummary, CoverLossesFollowTheWireRodSize)
{
    t.clearnAllLine();
    add(barLine(1, 6.5f, 1, 10000.0f));   // 20 m × 0.260 kg/m = 5.20 kg
    add(barLine(1, 6.0f, 1, 10000.0f));   // 20 m × 0.222 kg/m = 4.44 kg
    CVes_SortRules& rules = t.getSortRules();
    rules.m_wireDN = 6.0f;
    rules.m_calcLossBar = 0;
    rules.m_calcLossWire = 1;
    rules.m_lossWire = 10.0;
    QStringList weights;
    QStringList joints;
    t.AmountToString(weights, joints);
    EXPECT_EQ(weights, (QStringList{"%%A6  : 4.88 kg", "%%A6.5: 5.20 kg", "总重量(含损耗): 10.08 kg"}));
}

// Blocks appended to the list

// The rows from `from` on; with `dropFiller`, without the empty rows that
// fill the shown last page.
QStringList texts(CVes_SetupTable& t, int from, bool dropFiller = false)
{
    QStringList out;
    for (int i = from; i < t.lines().size(); ++i) {
        CVes_SetupTableLine* line = t.lineAt(i);
        if (!line->isTextLine()) {
            out << QStringLiteral("<bar>");
            continue;
        }
        QStringList cells;
        for (int c = 0; c < CVes_SetupTable::kColumnCount; ++c) {
            if (!line->GetText(c).isEmpty())
                cells << QStringLiteral("%1=%2").arg(c).arg(line->GetText(c));
        }
        out << cells.join(QLatin1Char(' '));
    }
    while (dropFiller && !out.isEmpty() && out.last() == QStringLiteral("<bar>"))
        out.removeLast();
    return out;
}

// The rows after the last row of the fixture that stays (the bar that is not
// processed); its trailing empty row is dropped by the block operations.
int afterFixture(CVes_SetupTable& t)
{
    return int(t.lines().indexOf(t.lineAt(3))) + 1;
}

TEST_F(PageSummary, PlainTotalsBlockIsAppendedAndUndoable)
{
    t.resetUndo();
    const CVes_SetupTableLine* kept = t.lineAt(3);
    t.Amount();
    EXPECT_EQ(t.lineAt(3), kept);
    EXPECT_EQ(texts(t, afterFixture(t), true), (QStringList{
        "<bar>", "0=合计",
        "1=%%C12 8=72.00 9=63.94",
        "1=%%C20 8=15.00 9=37.05",
        "1=电渣压力焊:20, 6个。"}));
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_EQ(t.CanUndo(), 1);

    // Weights follow the unit of the weight column; a second call appends a
    // second block.
    t.m_units[CVes_SetupTable::kColTotalWeight] = CVes_Template::kTonne;
    t.Amount();
    const QStringList all = texts(t, 0, true);
    EXPECT_EQ(all.count("0=合计"), 2);
    EXPECT_TRUE(all.contains("1=%%C12 8=72.00 9=0.06"));
}

TEST_F(PageSummary, FramedBlockPerElementAndWholeTable)
{
    // A bar before the first element goes to "其它", which is listed last.
    auto* first = barLine(3, 12.0f, 1, 1000.0f);
    t.m_lines.prepend(first);
    t.m_units[CVes_SetupTable::kColTotalLength] = CVes_Template::kCentimetre;
    CVes_totalSteelType options;
    options.m_place = 1;
    t.Amount(options);
    const QStringList block = texts(t, 0).mid(0, 15);
    EXPECT_EQ(block, (QStringList{
        "0=┌────────────────────────┤<汇总开始>├────────────────────────┐",
        "0=KL1",
        "0=1 1=%%C12 8=72.00 9=63.936",
        "0=2 1=%%C20 8=15.00 9=37.050",
        "1=电渣压力焊 4=20 6=6个",
        "0=其它",
        "0=1 1=%%C12 8=2.00 9=1.776",
        "<bar>", "0=总计",
        "1=%%C12 8=74.00 9=65.71",
        "1=%%C20 8=15.00 9=37.05",
        "8=总重： 9=102.76",
        "1=电渣压力焊：  4=20,  6=6个",
        "0=└────────────────────────┤<汇总结束>├────────────────────────┘",
        "<bar>"}));
    EXPECT_EQ(t.lineAt(int(block.size())), first);
    EXPECT_EQ(t.isModified(), 1);
}

TEST_F(PageSummary, FramedBlockOnTheLastPage)
{
    CVes_totalSteelType options;
    options.m_perElement = 0;
    options.m_joint = 0;
    options.m_weight = 0;
    t.Amount(options);
    EXPECT_EQ(texts(t, afterFixture(t), true), (QStringList{
        "<bar>",
        "0=┌────────────────────────┤<汇总开始>├────────────────────────┐",
        "<bar>", "0=总计",
        "1=%%C12 8=72.00",
        "1=%%C20 8=15.00",
        "8=总重： 9=100.99",
        "0=└────────────────────────┤<汇总结束>├────────────────────────┘"}));
}

} // namespace
