// The processing summary: joining equal bars with their tags, the totals
// blocks by bar kind with their lengths and weights, the sort orders, the
// filter bits and the pages of rows split over two pages.

#include "tests/tables/processing/processing_support.h"

#include "envora/rules.h"
#include "envora/settings.h"
#include "platform/savefile.h"
#include "tables/processing/processlisttable.h"
#include "tables/processing/processtablelistline.h"

#include <gtest/gtest.h>

namespace {

using test::EditLine;
using ListLine = CVes_ProcessTableListLine;
using Rows = std::vector<std::string>;

// Bar rows as "#pid number×count [tag pieces…]", text rows as their texts
// joined by '|'.
Rows summaryRows(const CVes_TableBase& list)
{
    Rows rows;
    for (CVes_TableBaseLine* row : list.lines()) {
        auto* line = dynamic_cast<ListLine*>(row);
        if (!line)
            continue;
        if (const QStringList* texts = line->getTextArray()) {
            rows.push_back(texts->join(u'|').toStdString());
            continue;
        }
        const CVes_ProcessSteel& bar = *line->getProcessSteel();
        std::string text = "#" + std::to_string(bar.getPID()) + " " + bar.number.toStdString()
                           + "x" + std::to_string(bar.count) + " [";
        for (const CVes_LiaoPai& tag : bar.tags)
            text += std::to_string(tag.count) + (&tag == &bar.tags.back() ? "" : " ");
        rows.push_back(text + "]");
    }
    return rows;
}

class ProcessListTableTest : public ::testing::Test {
protected:
    void add(const CVes_ProcessSteel& bar) { sheet.appendLine(test::barRow(bar)); }
    Rows summary()
    {
        std::unique_ptr<CVes_ProcessListTable> list(sheet.toListSheet(nullptr));
        return summaryRows(*list);
    }

    test::ProcessingShapes shapes;
    CVes_ProcessTable sheet;
};

TEST_F(ProcessListTableTest, EqualBarsJoinIntoTheFirstWithTheirTags)
{
    sheet.m_filter = 0;
    add(test::shapedBar("1", test::kStraight, "L", 3000, 2));
    add(test::shapedBar("2", test::kStraight, "L", 2000, 4));
    add(test::shapedBar("3", test::kStraight, "L", 3000, 3));
    add(test::shapedBar("4", test::kStraight, "L", 3000, 5));
    sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL1")));
    sheet.regenData();
    sheet.m_sortOrder = CVes_ProcessListTable::kSortNone;

    EXPECT_EQ(summary(), (Rows{"#1 1x10 [2 3 5]", "#2 2x4 [4]"}));
}

TEST_F(ProcessListTableTest, BarsThatDifferInTheirRemarkOnlyJoinWithoutARemark)
{
    sheet.m_filter = 0;
    CVes_ProcessSteel a = test::shapedBar("1", test::kStraight, "L", 3000, 2);
    a.remark = QStringLiteral("左");
    CVes_ProcessSteel b = a;
    b.remark = QStringLiteral("右");
    add(a);
    add(b);
    std::unique_ptr<CVes_ProcessListTable> list(sheet.toListSheet(nullptr));
    ASSERT_EQ(list->lines().size(), 1);
    const CVes_ProcessSteel* joined = list->lines().first()->getSteel()
                                          ? static_cast<ListLine*>(list->lines().first())->getProcessSteel()
                                          : nullptr;
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(joined->count, 4);
    EXPECT_EQ(joined->remark, "");
}

TEST_F(ProcessListTableTest, TakesTheSheetsSettingsTitleAndUnits)
{
    sheet.m_sortOrder = 2;
    sheet.m_reserved = 6;
    sheet.m_filter = 0;
    sheet.m_texts[3].m_formula = QStringLiteral("JG-7");
    sheet.m_units[CVes_ProcessTable::kColShape] = CVes_Template::kCentimetre;
    sheet.m_units[CVes_ProcessTable::kColLength] = CVes_Template::kMetre;
    CVes_ProcessListTable target;
    target.Add(QStringList{QStringLiteral("old")});
    EXPECT_EQ(sheet.toListSheet(&target), &target);
    EXPECT_TRUE(target.lines().isEmpty());
    EXPECT_EQ(target.m_sortOrder, 2);
    EXPECT_EQ(target.m_reserved, 6);
    EXPECT_EQ(target.m_texts[3].m_formula, "JG-7");
    EXPECT_EQ(target.m_texts[0].m_formula, "钢筋加工单") << "the summary keeps its own title";
    EXPECT_EQ(target.m_units[CVes_ProcessListTable::kColShape], CVes_Template::kCentimetre);
    EXPECT_EQ(target.m_units[CVes_ProcessListTable::kColLength], CVes_Template::kMetre);
}

// totals blocks

// The published unit weight of a 12 mm bar, kg/m.
constexpr double k12mm = 0.888;

std::string totalRow(const char* caption, double weight)
{
    return std::string(caption) + "||||||" + QString::asprintf("%.1f", weight).toStdString();
}

std::string itemRow(double metres, double weight)
{
    return "1|%%C12||||" + QString::asprintf("%.2f", metres).toStdString() + "|"
           + QString::asprintf("%.1f", weight).toStdString();
}

// The rows of a block of one 12 mm bar kind of `metres`.
Rows block(const char* caption, const char* totalCaption, double metres)
{
    const double weight = k12mm * metres;
    return {caption, itemRow(metres, weight), totalRow(totalCaption, weight)};
}

// Two bars each of a stirrup (sides 300 and 200), a bar bent at a hooked end
// (1000 and 500) and a straight bar (3000), all of 12 mm.
class ProcessListTableFilter : public ProcessListTableTest,
                               public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        add(stirrup);
        add(bent);
        add(straight);
        sheet.m_sortOrder = CVes_ProcessListTable::kSortNone;
    }
    // The total of two bars in metres, as the bar computes its length.
    static double metres(CVes_ProcessSteel bar) { return int(bar.getLength(0, 1.0)) * 2 * 0.001; }

    CVes_ProcessSteel stirrup = test::shapedBar("G", test::kStirrup, "A", 300, 2);
    CVes_ProcessSteel bent = test::shapedBar("W", test::kBent, "A", 1000, 2);
    CVes_ProcessSteel straight = test::shapedBar("Z", test::kStraight, "L", 3000, 2);
};

TEST_P(ProcessListTableFilter, WritesTheBlocksTheFilterAsksForInTheirOrder)
{
    const int filter = GetParam();
    sheet.m_filter = filter;
    Rows expected;
    int blocks = 0;
    double allMetres = 0.0;
    const auto expectBlock = [&](int bit, const char* caption, const char* total, double m) {
        if (!(filter & bit))
            return;
        const Rows rows = block(caption, total, m);
        expected.insert(expected.end(), rows.begin(), rows.end());
        ++blocks;
        allMetres += m;
    };
    expectBlock(CVes_ProcessListTable::kStirrups, "箍筋合计", "箍筋总重", metres(stirrup));
    expectBlock(CVes_ProcessListTable::kBent, "弯曲（带拐）钢筋合计", "弯曲（带拐）钢筋总重",
                metres(bent));
    expectBlock(CVes_ProcessListTable::kStraight, "直条钢筋合计", "直条钢筋总重", metres(straight));
    // Two blocks or more end with the weight of them all.
    if (blocks > 1)
        expected.push_back(totalRow("合计总重", k12mm * allMetres));
    Rows rows = summary();
    ASSERT_GE(rows.size(), 3u);
    rows.erase(rows.begin(), rows.begin() + 3);
    EXPECT_EQ(rows, expected);
}

INSTANTIATE_TEST_SUITE_P(Filters, ProcessListTableFilter, ::testing::Values(0, 1, 2, 4, 5, 6, 7));

TEST_F(ProcessListTableTest, StraightBarIsCountedAtItsCutLength)
{
    sheet.m_filter = CVes_ProcessListTable::kStraight;
    add(test::shapedBar("Z", test::kStraight, "L", 3000, 2));
    const Rows rows = summary();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[2], "1|%%C12||||6.00|5.3");  // 6 m × 0.888 kg/m
}

TEST_F(ProcessListTableTest, GradedBarAddsTheMeanLengthOfItsGroups)
{
    sheet.m_filter = CVes_ProcessListTable::kStraight;
    // 4 groups of 2 bars running from 1000 to 1600 mm: (1000 + 1600) × 4 × 2 × 0.5.
    CVes_ProcessSteel graded = test::shapedBar("M", test::kStraight, "L", 1000, 2);
    graded.setMultiVal(1);
    graded.setMultiGroup(4);
    graded.setVarValueE(QStringLiteral("L"), 1600);
    add(graded);
    const Rows rows = summary();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[2], "1|%%C12||||10.40|9.2");  // 10.4 m × 0.888 kg/m
}

struct GradeCase {
    const char* name;
    int grade;
    const char* total;  // 10 m of 6 mm bar
};

void PrintTo(const GradeCase& c, std::ostream* os) { *os << c.name; }

// The cold-rolled grades weigh by their own columns of the size table, here
// 0.20 kg/m (ribbed) and 0.25 kg/m (twisted) for 6 mm beside 0.222.
class ProcessListTableGrade : public ProcessListTableTest,
                             public ::testing::WithParamInterface<GradeCase> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(envora::updateSettings([](envora::Settings& s) {
            for (envora::SteelSize& size : s.sizes)
                if (size.d == 6)
                    size.weight = {0.222, 0.20, 0.25};
        }));
    }
    void TearDown() override
    {
        ASSERT_TRUE(platform::saveFile(envora::settingsFilePath(),
                                       envora::toXml(envora::Settings::defaults())));
        envora::reloadSettings();
    }
};

TEST_P(ProcessListTableGrade, WeighsByTheUnitWeightOfItsGrade)
{
    const GradeCase& c = GetParam();
    // A bar without a shape counts as bent.
    sheet.m_filter = CVes_ProcessListTable::kBent;
    add(test::processBar("1", c.grade, 6.0f, 10, 1000.0f));
    const Rows rows = summary();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[3], "弯曲（带拐）钢筋总重||||||" + std::string(c.total));
}

INSTANTIATE_TEST_SUITE_P(Grades, ProcessListTableGrade,
                         ::testing::Values(GradeCase{"grade12_cold_rolled_ribbed", 12, "2.0"},
                                           GradeCase{"grade14_cold_rolled_twisted", 14, "2.5"},
                                           GradeCase{"grade13_ordinary", 13, "2.2"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessListTableTest, BlockWithoutWeightHasNoTotalRow)
{
    // A bar without a shape counts as bent.
    sheet.m_filter = CVes_ProcessListTable::kBent;
    add(test::processBar("1", 3, 0.0f, 2, 1000.0f));
    Rows rows = summary();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1], "弯曲（带拐）钢筋合计");
    EXPECT_EQ(rows[2], "1|%%C0||||2.00|0.0");
}

struct OrderCase {
    const char* name;
    int order;
    Rows bars;
    Rows items; // the diameters of the totals rows, in order
};

void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.name; }

class ProcessListTableOrder : public ProcessListTableTest,
                             public ::testing::WithParamInterface<OrderCase> {};

TEST_P(ProcessListTableOrder, SortsRowsAndTotalsByTheSortOrder)
{
    const OrderCase& c = GetParam();
    // Bars ordered by ascending diameter: the summary rows run the other way
    // (the rows' own order), and reversed again for the order "down".
    const unsigned int mode = CVes_BarCore::m_sort.load();
    CVes_BarCore::setSort(CVes_BarCore::kSortAscending);
    struct Restore {
        unsigned int mode;
        ~Restore() { CVes_BarCore::setSort(mode); }
    } restore{mode};
    sheet.m_filter = CVes_ProcessListTable::kBent;
    sheet.m_sortOrder = c.order;
    add(test::processBar("a", 3, 16.0f, 1, 1000.0f));
    add(test::processBar("b", 3, 12.0f, 1, 1000.0f));
    add(test::processBar("c", 3, 20.0f, 1, 1000.0f));
    Rows rows = summary();
    ASSERT_EQ(rows.size(), 8u);
    Rows bars(rows.begin(), rows.begin() + 3);
    for (std::string& bar : bars)
        bar = bar.substr(3, 1);
    EXPECT_EQ(bars, c.bars);
    Rows items;
    for (int i = 4; i < 7; ++i)
        items.push_back(rows[std::size_t(i)].substr(rows[std::size_t(i)].find("%%C") + 3, 2));
    EXPECT_EQ(items, c.items);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, ProcessListTableOrder,
    ::testing::Values(OrderCase{"none_keeps_the_order_of_first_appearance", 2, {"a", "b", "c"},
                                {"16", "12", "20"}},
                      OrderCase{"down", 1, {"b", "a", "c"}, {"12", "16", "20"}},
                      OrderCase{"up", 0, {"c", "a", "b"}, {"20", "16", "12"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProcessListTableBits, ZeroTurnsABitOverAndNonzeroSetsIt)
{
    CVes_ProcessListTable list;
    list.setStateZhi(0);
    EXPECT_EQ(list.isStateZhi(), 1);
    list.setStateZhi(0);
    EXPECT_EQ(list.isStateZhi(), 0);
    list.setStateGu(5);
    list.setStateGu(1);
    EXPECT_EQ(list.isStateGu(), 1);
    EXPECT_EQ(list.isStateGuai(), 0);
}

// pages

TEST(ProcessListTablePages, RowThatDoesNotFitContinuesOnTheNextPage)
{
    CVes_ProcessListTable list;
    list.m_rowNum = 10;
    for (int i = 0; i < 4; ++i)
        list.Add(QStringList{QString::number(i)});
    CVes_ProcessSteel bar = test::processBar("1", 2, 12.0f, 1, 1000.0f);
    for (int i = 0; i < 23; ++i)
        bar.AddLp(1, 1, 0, QString(), 0);
    list.Add(&bar);
    auto* tall = static_cast<ListLine*>(list.lines().last());
    ASSERT_EQ(tall->getRows(), 8);
    list.Add(QStringList{QStringLiteral("after")});

    EXPECT_EQ(list.resetPages(), 2);
    TableLineList page1 = list.getlineOfPage(1, 1);
    ASSERT_EQ(page1.size(), 5);
    EXPECT_EQ(page1.last(), tall);
    EXPECT_EQ(tall->getFirstLp(), 0);
    TableLineList page2 = list.getlineOfPage(2, 0);
    ASSERT_EQ(page2.size(), 2);
    EXPECT_EQ(page2.first(), tall);
    EXPECT_EQ(tall->getFirstLp(), 18) << "six rows of three tags on page 1";

    int page = 0;
    int row = 0;
    list.getInfo(list.lines().last(), page, row);
    EXPECT_EQ(page, 2);
    EXPECT_EQ(row, 3);
}

TEST(ProcessListTablePages, AddNumbersBarsByTheirPlace)
{
    CVes_ProcessListTable list;
    list.Add(QStringList{QStringLiteral("x")});
    CVes_ProcessSteel bar = test::processBar("1", 2, 12.0f, 1, 1000.0f);
    list.Add(bar);
    list.Add(nullptr);
    EXPECT_EQ(static_cast<ListLine*>(list.lines()[1])->getProcessSteel()->getPID(), 2);
    EXPECT_EQ(list.lines()[2]->isSteelLine(), 1);
    EXPECT_EQ(static_cast<ListLine*>(list.lines()[2])->getProcessSteel()->isNull(), 1);
    EXPECT_EQ(list.isModified(), 1);
}

} // namespace
