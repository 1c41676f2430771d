// The cutting list's run: pieces gathered by bar size with the raw stock the
// list keeps, the chosen size, the cutting (and its cancelling) and the rows
// it writes.

#include "tables/barlist/cuttingjob.h"

#include "tests/tables/quantity/derived_shapes.h"

#include "tables/processing/processtablelistline.h"
#include "tables/quantity/youhuaduanliaotable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <ostream>
#include <thread>

namespace {

const CSteelRecordId kStraight = test::kStraightShape;
const CSteelRecordId kBent = test::kBentShape;

class CuttingJobTest : public testing::Test {
protected:
    void TearDown() override { qDeleteAll(lines); }

    // A processing bar of `length` mm (the value of its shape's A).
    CVes_ProcessSteel& add(int pid, int grade, float d, int count, double length, int type = 0,
                           CSteelRecordId shape = kStraight)
    {
        CVes_ProcessSteel bar;
        bar.setRecordId(shape);
        bar.setSteel(grade, d, type);
        bar.count = count;
        bar.calcLength = 1;
        bar.setVarValue(QStringLiteral("A"), length);
        bar.setPID(pid);
        bar.setNull(0);
        auto* line = new CVes_ProcessTableListLine;
        line->setSteel(bar);
        lines.append(line);
        return *line->getProcessSteel();
    }
    // Makes the bar graded: `perGroup` bars from its length to `last`.
    static void grade(CVes_ProcessSteel& bar, int perGroup, double last)
    {
        bar.setMultiVal(1);
        bar.setMultiGroup(perGroup);
        bar.setVarValueE(QStringLiteral("A"), last);
    }
    // A size of the list's own stock, `length` mm long (negative: coil).
    void ownStock(int grade, float d, int length)
    {
        CVes_SteelYuanCaiData record;
        record.DN = d;
        record.grade = grade;
        record.length = length;
        own.append(record);
    }
    void gather()
    {
        job.setStockFile(stockFile);
        job.gather(lines, CVes_Template::kMillimetre, own);
    }
    static std::vector<int> lengths(const CuttingJob::Group& group)
    {
        std::vector<int> out;
        for (const CVes_OptimizeUnit& piece : group.pieces)
            out.push_back(piece.length);
        return out;
    }

    test::DerivedShapes shapes;
    TableLineList lines;
    CVes_SteelYuanCaiDataLib own;
    CVes_SteelYuanCaiDataLib stockFile;
    CuttingJob job;
};

TEST_F(CuttingJobTest, ChosenGradeAndDiameterWithinATenth)
{
    add(1, 2, 20.0f, 2, 3000);
    add(2, 2, 20.05f, 1, 4000);
    add(3, 2, 20.2f, 1, 5000);
    add(4, 3, 20.0f, 1, 6000);
    gather();
    ASSERT_EQ(job.groups().size(), 4u);
    job.choose(2, 20.0f, own);
    ASSERT_EQ(job.runs().size(), 2u);
    EXPECT_EQ(lengths(job.runs()[0].group), (std::vector<int>{3000}));
    EXPECT_EQ(lengths(job.runs()[1].group), (std::vector<int>{4000}));
}

// A graded bar's members, from its first length to its last.
struct GradedCase {
    const char* what;
    double first;
    double last;
    int perGroup;
    std::vector<int> pieces;
};

void PrintTo(const GradedCase& c, std::ostream* os)
{
    *os << c.what;
}

class CuttingGraded : public CuttingJobTest, public testing::WithParamInterface<GradedCase> {};

TEST_P(CuttingGraded, OnePiecePerMemberWithTheFullCount)
{
    const GradedCase& c = GetParam();
    grade(add(9, 2, 20.0f, 4, c.first), c.perGroup, c.last);
    gather();
    ASSERT_EQ(job.groups().size(), 1u);
    const CuttingJob::Group& group = job.groups()[0];
    EXPECT_EQ(lengths(group), c.pieces);
    for (const CVes_OptimizeUnit& piece : group.pieces) {
        EXPECT_EQ(piece.count, 4);
        EXPECT_EQ(piece.id, 9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bars, CuttingGraded,
    testing::Values(GradedCase{"rising", 3000, 3400, 5, {3000, 3100, 3200, 3300, 3400}},
                    // 3267～2467 in steps of 200: never 3467 to 4067.
                    GradedCase{"falling", 3267, 2467, 5, {3267, 3067, 2867, 2667, 2467}},
                    GradedCase{"falling_in_two", 5000, 4000, 2, {5000, 4000}},
                    GradedCase{"one_member", 3000, 3400, 1, {3000}}));

TEST_F(CuttingJobTest, BentFlagFromHooksAndSides)
{
    add(1, 2, 20.0f, 1, 3000);
    CVes_ProcessSteel& hooked = add(2, 2, 20.0f, 1, 3000);
    CVes_Hook hook;
    hook.enabled = 1;
    hooked.setHookLeft(hook);
    add(3, 2, 20.0f, 1, 3000, 0, kBent);
    gather();
    ASSERT_EQ(job.groups().size(), 1u);
    const auto& pieces = job.groups()[0].pieces;
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].flag, 0);
    EXPECT_EQ(pieces[1].flag, 1);
    EXPECT_EQ(pieces[2].flag, 1);
}

TEST_F(CuttingJobTest, TwoTypesGiveTwoRunsEachWithItsTotalRow)
{
    add(1, 2, 20.0f, 3, 4000);
    add(2, 2, 20.0f, 2, 5000, 1);
    gather();
    job.choose(2, 20.0f, own);
    ASSERT_TRUE(job.cut());
    CVes_YouhuaDuanLiaoTable table;
    job.fill(table);
    QStringList totals;
    for (CVes_TableBaseLine* line : table.lines()) {
        auto* row = static_cast<CVes_YouhuaDuanLiaoTableLine*>(line);
        if (row->m_combine.pieces.empty())
            totals << row->m_strArray.join(u'|');
    }
    // 3 × 4 m from one 12 m bar; 2 × 5 m from one 12 m bar, 2 m left.
    EXPECT_EQ(totals, (QStringList{"合计||%%B20|12|1||12|0||", "合计||%%B20环|12|1||10|2||"}));
    EXPECT_EQ(table.m_texts[CVes_YouhuaDuanLiaoTable::kNoteText].m_formula, "B20 优化断料");
}

TEST_F(CuttingJobTest, MissingSizeIsCutFrom12mAndGetsARecord)
{
    CVes_SteelYuanCaiData nine;
    nine.DN = 25.0f;
    nine.grade = 2;
    nine.length = 9000;
    nine.price = 4100.0f;
    stockFile.append(nine);
    add(1, 2, 20.0f, 1, 3000);
    add(2, 2, 25.0f, 1, 3000);
    gather();
    ASSERT_EQ(own.count(), 2);
    const CVes_SteelYuanCaiData* made = own.getYuanCai(20.0f, 2, 0);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->length, 12000);
    EXPECT_FLOAT_EQ(made->price, 0.0f);
    EXPECT_EQ(*own.getYuanCai(25.0f, 2, 0), nine);

    job.choose(2, 20.0f, own);
    ASSERT_EQ(job.runs().size(), 1u);
    EXPECT_EQ(job.runs()[0].stock.length, 12000);
    job.choose(2, 25.0f, own);
    EXPECT_EQ(job.runs()[0].stock.length, 9000);
}

TEST_F(CuttingJobTest, CoiledStockIsNotCut)
{
    ownStock(1, 8.0f, -1000);
    add(1, 1, 8.0f, 10, 2000);
    gather();
    job.choose(1, 8.0f, own);
    EXPECT_TRUE(job.runs().empty());
}

// The size the cutting dialog proposes, from the bars of the list.
struct ProposalCase {
    const char* what;
    std::vector<std::pair<int, float>> bars; // grade and diameter, in list order
    int grade;                               // proposed
    float diameter;
    bool proposed;
};

void PrintTo(const ProposalCase& c, std::ostream* os)
{
    *os << c.what;
}

class CuttingProposal : public CuttingJobTest, public testing::WithParamInterface<ProposalCase> {};

TEST_P(CuttingProposal, ProposesASizeTheListHasCutFromStockBars)
{
    const ProposalCase& c = GetParam();
    // Grade 1 Ø8 comes in coils: never proposed.
    ownStock(1, 8.0f, -1000);
    int pid = 1;
    for (const auto& [grade, diameter] : c.bars)
        add(pid++, grade, diameter, 2, 3000);
    gather();
    int grade = 2; // the dialog's own defaults
    float diameter = 20.0f;
    EXPECT_EQ(job.proposeSize(grade, diameter, own), c.proposed);
    EXPECT_EQ(grade, c.grade);
    EXPECT_FLOAT_EQ(diameter, c.diameter);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CuttingProposal,
    testing::Values(ProposalCase{"has_the_default", {{3, 25.0f}, {2, 20.0f}}, 2, 20.0f, true},
                    ProposalCase{"lacks_the_default", {{3, 25.0f}, {3, 20.0f}}, 3, 25.0f, true},
                    ProposalCase{"coils_first", {{1, 8.0f}, {3, 12.0f}}, 3, 12.0f, true},
                    ProposalCase{"only_coils", {{1, 8.0f}}, 2, 20.0f, false},
                    ProposalCase{"no_bars", {}, 2, 20.0f, false}));

TEST_F(CuttingJobTest, BarsWithoutLengthAndEmptyRowsAreLeftOut)
{
    add(1, 2, 20.0f, 1, 0);
    CVes_ProcessSteel& empty = add(2, 2, 20.0f, 1, 3000);
    empty.setNull(1);
    gather();
    EXPECT_TRUE(job.groups().empty());
}

// What the printed list says of the pieces it does not cut: one row each
// after the total of its stock, or for coiled stock in place of patterns.
struct LeftOutCase {
    const char* what;
    int stockLength;  // of the size's record, mm; negative for coil
    double first;     // the bar of processing number 7, 2 bars
    double last;      // its last length when graded, else 0
    int perGroup;
    QStringList rows; // every row of the list, texts joined by "|"
    int problems;     // lines of the on-screen warning
};

void PrintTo(const LeftOutCase& c, std::ostream* os)
{
    *os << c.what;
}

class CuttingLeftOut : public CuttingJobTest, public testing::WithParamInterface<LeftOutCase> {};

TEST_P(CuttingLeftOut, ThePaperNamesEveryPieceNotCut)
{
    const LeftOutCase& c = GetParam();
    ownStock(2, 20.0f, c.stockLength);
    CVes_ProcessSteel& bar = add(7, 2, 20.0f, 2, c.first);
    if (c.perGroup > 1)
        grade(bar, c.perGroup, c.last);
    gather();
    job.choose(2, 20.0f, own);
    ASSERT_TRUE(job.cut());
    CVes_YouhuaDuanLiaoTable table;
    job.fill(table);
    QStringList rows;
    for (CVes_TableBaseLine* line : table.lines()) {
        auto* row = static_cast<CVes_YouhuaDuanLiaoTableLine*>(line);
        QStringList pieces;
        row->m_combine.getZhuheStrArray(pieces);
        if (pieces.isEmpty())
            rows << row->m_strArray.join(u'|');
        else
            rows << QStringLiteral("pattern %1 ×%2")
                        .arg(pieces.join(u','), QString::number(row->m_combine.useCount));
        EXPECT_EQ(row->m_leftOut,
                  row->m_strArray.value(0) == CVes_YouhuaDuanLiaoTable::kLeftOutCaption);
    }
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ(job.problems().size(), c.problems) << job.problems().join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CuttingLeftOut,
    testing::Values(
        LeftOutCase{
            "all_cut", 12000, 6000, 0, 1, {"pattern 6×2\n(7) ×1", "合计||%%B20|12|1||12|0||"}, 0},
        LeftOutCase{"longer_than_the_stock",
                    12000,
                    13000,
                    0,
                    1,
                    {"合计||%%B20|0|0||0|0||", "未下料||%%B20|12||13×2\n(7)|长于原材，无法下料||"},
                    1},
        // 11, 12 and 13 m: the last of the three is longer than 12 m stock.
        LeftOutCase{"graded_partly_too_long",
                    12000,
                    11000,
                    13000,
                    3,
                    {"pattern 12×1\n(7) ×2", "pattern 11×1\n(7) ×2", "合计||%%B20|48|4||46|2||",
                     "未下料||%%B20|12||13×2\n(7)|长于原材，无法下料||"},
                    1},
        LeftOutCase{"coiled",
                    -1000,
                    6000,
                    0,
                    1,
                    {"未下料||%%B20|盘条||6×2\n(7)|原材为盘条，不作优化断料||"},
                    1}));

// Cancelling from another thread stops the cutting and says so.
TEST_F(CuttingJobTest, CancelStopsTheWorker)
{
    for (int i = 0; i < 60; ++i)
        add(i + 1, 2, 20.0f, 1 + i % 3, 700 + 97 * i);
    gather();
    job.choose(2, 20.0f, own);
    std::atomic<bool> cancel{true};
    bool finished = true;
    std::thread worker([&] { finished = job.cut(&cancel); });
    worker.join();
    EXPECT_FALSE(finished);

    std::atomic<bool> go{false};
    int reports = 0;
    EXPECT_TRUE(job.cut(&go, [&](int done, int total) {
        EXPECT_LE(done, total);
        ++reports;
    }));
    EXPECT_EQ(reports, 2);
}

} // namespace
