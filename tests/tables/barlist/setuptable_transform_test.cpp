// The bar list converted into processing rows: headings from the title
// block, one bar per element piece or one for all, merging within an element
// only, the source numbers, the bar kinds the tag form takes, the summary
// selection, the raw stock registered for every bar taken, and the summary
// rows joined and numbered from them.

#include "tables/barlist/setuptable.h"

#include "core/geometry/datafolder.h"
#include "tables/processing/processtablelistline.h"
#include "tests/tables/processing/processing_support.h"

#include <QFile>

#include <gtest/gtest.h>

#include <memory>

namespace {

using test::EditLine;
using Rows = std::vector<std::string>;

// Owns the rows a conversion hands out.
struct Converted {
    explicit Converted(const TableLineList& list) : rows(list) {}
    ~Converted() { qDeleteAll(rows); }
    EditLine* at(int i) const { return static_cast<EditLine*>(rows.at(i)); }
    CVes_ProcessSteel& bar(int i) const { return *at(i)->getProcessSteel(); }
    TableLineList rows;
};

class SetupTableTransform : public ::testing::Test {
protected:
    void SetUp() override
    {
        // No title headings unless a test asks for them; the first line is
        // the element every new bar list starts with.
        for (int i : {2, 3, 4})
            list.m_texts[std::size_t(i)].m_formula = QString();
        list.clearnAllLineOnly();
        QFile::remove(GetRODOFilePath() + QStringLiteral("KUCUN.xml"));
    }

    CVes_SetupTableLine* element(const char* name, int pieces)
    {
        auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
        line->setNull(0);
        line->setElement(QString::fromUtf8(name));
        line->setEleNum(pieces);
        list.appendLine(line);
        return line;
    }
    CVes_SetupTableLine* bar(const char* number, int count, double length = 3000,
                             CSteelRecordId shape = test::kStraight, float d = 20.0f)
    {
        auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
        line->setNull(0);
        CVes_Steel& steel = line->m_steel;
        steel.number = QString::fromUtf8(number);
        steel.grade = 3;
        steel.DN = d;
        steel.count = count;
        steel.setRecordId(shape);
        steel.calcLength = 1;
        steel.setVarValue(shape == test::kStraight ? QStringLiteral("L") : QStringLiteral("A"),
                          length);
        list.appendLine(line);
        return line;
    }

    test::ProcessingShapes shapes;
    CVes_SetupTable list;
};

TEST_F(SetupTableTransform, ElementPiecesGiveOneBarOrOneBarEach)
{
    element("KZ1", 3);
    bar("1", 4);
    {
        const Converted rows(list.transformProcess());
        EXPECT_EQ(test::lineTexts(rows.rows), (Rows{"E:KZ1", "1x12"}));
        EXPECT_EQ(rows.bar(1).getPID(), 1);
        ASSERT_EQ(rows.bar(1).getLPNum(), 1);
        EXPECT_EQ(rows.bar(1).tags[0].count, 12);
        EXPECT_EQ(rows.at(1)->getRows(), 1);
    }
    list.setLiaoPaiEleChaifen(1);
    const Converted rows(list.transformProcess());
    EXPECT_EQ(test::lineTexts(rows.rows), (Rows{"E:KZ1", "1x4", "1x4", "1x4"}));
    EXPECT_EQ(rows.bar(1).getPID(), 1);
    EXPECT_EQ(rows.bar(3).getPID(), 3);
    ASSERT_EQ(rows.bar(3).originalNumbers.size(), 1u);
    EXPECT_EQ(rows.bar(3).originalNumbers[0].count, 4);
}

TEST_F(SetupTableTransform, BarsBeforeTheFirstElementCountTheDefaultPieces)
{
    list.setDefaultEleNum(1);
    bar("1", 4);
    element("KZ1", 0);
    bar("2", 5);
    list.setLiaoPaiEleChaifen(1);
    const Converted rows(list.transformProcess());
    EXPECT_EQ(test::lineTexts(rows.rows), (Rows{"1x4", "E:KZ1"})) << "no piece, no bar";
}

TEST_F(SetupTableTransform, MergingStaysWithinAnElement)
{
    list.setLiaoPaiGuibing(1);
    element("KL1", 2);
    bar("1", 3);
    bar("2", 1, 2000);
    bar("3", 5);
    element("KL2", 1);
    bar("1", 3);
    const Converted rows(list.transformProcess());
    EXPECT_EQ(test::lineTexts(rows.rows), (Rows{"E:KL1", "1x16", "2x2", "E:KL2", "1x3"}));
    EXPECT_EQ(rows.bar(1).tags[0].count, 16);
    ASSERT_EQ(rows.bar(1).originalNumbers.size(), 2u);
    EXPECT_EQ(rows.bar(1).originalNumbers[1].count, 10);
}

TEST_F(SetupTableTransform, MergingWithTheSplitAddsToEveryPiece)
{
    list.setLiaoPaiGuibing(1);
    list.setLiaoPaiEleChaifen(1);
    element("KL1", 2);
    bar("1", 3);
    bar("3", 5);
    const Converted rows(list.transformProcess());
    EXPECT_EQ(test::lineTexts(rows.rows), (Rows{"E:KL1", "1x8", "1x8"}));
}

struct SourceCase {
    const char* name;
    int mode;
    const char* element;
    const char* expected;
};

void PrintTo(const SourceCase& c, std::ostream* os) { *os << c.name; }

class SetupTableTransformSource : public SetupTableTransform,
                                  public ::testing::WithParamInterface<SourceCase> {};

TEST_P(SetupTableTransformSource, RecordsWhereTheBarCameFrom)
{
    const SourceCase& c = GetParam();
    list.getSortRules().m_guibingShow = c.mode;
    element(c.element, 2);
    bar("B7", 3);
    const Converted rows(list.transformProcess());
    ASSERT_EQ(rows.bar(1).originalNumbers.size(), 1u);
    EXPECT_EQ(rows.bar(1).originalNumbers[0].number, QString::fromUtf8(c.expected));
    EXPECT_EQ(rows.bar(1).originalNumbers[0].count, 6);
}

INSTANTIATE_TEST_SUITE_P(Modes, SetupTableTransformSource,
                         ::testing::Values(SourceCase{"element", 1, "KZ1", "KZ1"},
                                           SourceCase{"number", 2, "KZ1", "B7"},
                                           SourceCase{"both", 3, "KZ1", "KZ1-B7"},
                                           SourceCase{"both_without_element", 3, "", "B7"},
                                           SourceCase{"none", 0, "KZ1", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupTableTransform, TagFormChoosesTheBarKindsAndEveryBarRegistersItsStock)
{
    element("KZ1", 1);
    bar("1", 2);
    bar("2", 4, 300, test::kStirrup, 8.0f);
    list.setLiaoPaiType(4);
    {
        const Converted rows(list.transformProcess());
        EXPECT_EQ(test::lineTexts(rows.rows), (Rows{"E:KZ1", "2x4"}));
    }
    // Both bars' stock is known now, the filtered one's too, at 12 m.
    ASSERT_NE(list.getYuanCaiLib().getYuanCai(20.0f, 3, 0), nullptr);
    ASSERT_NE(list.getYuanCaiLib().getYuanCai(8.0f, 3, 0), nullptr);
    EXPECT_EQ(list.getYuanCaiLib().getYuanCai(20.0f, 3, 0)->length, 12000);
    EXPECT_EQ(list.getYuanCaiLib().count(), 2);
    list.setLiaoPaiType(3);
    const Converted rows(list.transformProcess());
    EXPECT_EQ(test::lineTexts(rows.rows), (Rows{"E:KZ1", "1x2"}));
    EXPECT_EQ(list.getYuanCaiLib().count(), 2) << "registered once";
}

TEST_F(SetupTableTransform, SummarySelectionChoosesElementsOrBars)
{
    CVes_SetupTableLine* first = element("KZ1", 1);
    bar("1", 2);
    element("KZ2", 1);
    bar("2", 3);
    CVes_HuizongRules& rules = list.getHuizongRules();
    rules.m_mode = CVes_HuizongRules::kChosenElements;
    {
        const Converted rows(list.transformProcess());
        EXPECT_TRUE(rows.rows.isEmpty()) << "no element chosen";
    }
    rules.m_elements = {first};
    {
        const Converted rows(list.transformProcess());
        EXPECT_EQ(test::lineTexts(rows.rows), (Rows{"E:KZ1", "1x2"}));
    }
    rules.m_mode = CVes_HuizongRules::kBarNumberKey;
    rules.m_key = QStringLiteral("2");
    rules.m_wholeText = 1;
    const Converted rows(list.transformProcess());
    EXPECT_EQ(test::lineTexts(rows.rows), (Rows{"E:KZ1", "E:KZ2", "2x3"}));
}

TEST_F(SetupTableTransform, TitleBlockGivesTheHeadingsThatHaveAText)
{
    list.m_texts[2].m_formula = QStringLiteral("综合楼");
    list.m_texts[3].m_formula = QStringLiteral("一层");
    list.m_texts[4].m_formula = QStringLiteral(" ");
    const Converted rows(list.transformProcess());
    EXPECT_EQ(test::lineTexts(rows.rows), (Rows{"P:综合楼", "S:一层"}));
    EXPECT_EQ(rows.at(0)->getProcessSteel()->isNull(), 1);
}

TEST_F(SetupTableTransform, SummaryRowsJoinEqualBarsAcrossElements)
{
    list.getSortRules().m_mergeSame = 1;
    element("KL1", 1);
    bar("1", 3);
    bar("2", 1, 2000);
    element("KL2", 2);
    bar("1", 3);
    {
        const Converted summary(list.transformProcessList(0, 0, 0));
        ASSERT_EQ(summary.rows.size(), 2);
        auto* first = static_cast<CVes_ProcessTableListLine*>(summary.rows[0]);
        EXPECT_EQ(first->getProcessSteel()->count, 9);
        EXPECT_EQ(first->getProcessSteel()->getPID(), 1);
        EXPECT_EQ(first->getProcessSteel()->getLPNum(), 2);
        EXPECT_EQ(static_cast<CVes_ProcessTableListLine*>(summary.rows[1])->getProcessSteel()->getPID(), 2);
    }
    const Converted edits(list.transformProcessList(0, 0, 1));
    EXPECT_EQ(test::lineTexts(edits.rows), (Rows{"E:KL1", "1x3", "2x1", "E:KL2", "1x6"}));
    EXPECT_EQ(edits.bar(4).getPID(), 1) << "the summary's number";
    EXPECT_EQ(edits.bar(2).getPID(), 2);

    list.getSortRules().m_mergeSame = 0;
    const Converted apart(list.transformProcessList(0, 0, 0));
    EXPECT_EQ(apart.rows.size(), 3);
}

// Summary rows join equal bars in any element: a bar is taken by the
// oldest row whose bar is the same (lengths within 0.1 mm), whatever the
// order in which the rows' lengths lie.
struct JoinCase {
    const char* name;
    std::vector<float> lengths; // one bar each, in elements of their own
    std::vector<float> sizes;   // diameter of each bar; 20 mm when empty
    std::vector<int> numbers;   // the summary number each bar gets
};

class SummaryJoin : public SetupTableTransform, public ::testing::WithParamInterface<JoinCase> {};

TEST_P(SummaryJoin, BarsTakeTheNumberOfTheOldestEqualRow)
{
    const JoinCase& c = GetParam();
    list.getSortRules().m_mergeSame = 1;
    for (std::size_t i = 0; i < c.lengths.size(); ++i) {
        element(QByteArray::number(int(i)).constData(), 1);
        CVes_Steel& steel = bar("1", 2, 0, test::kStraight, c.sizes.empty() ? 20.0f : c.sizes[i])->m_steel;
        steel.calcLength = 0;
        steel.length = c.lengths[i];
    }
    const Converted edits(list.transformProcessList(0, 0, 1));
    std::vector<int> numbers;
    for (int i = 0; i < edits.rows.size(); ++i)
        if (!edits.bar(i).isNull())
            numbers.push_back(edits.bar(i).getPID());
    EXPECT_EQ(numbers, c.numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, SummaryJoin,
    ::testing::Values(
        JoinCase{"WithinAndBeyondTolerance", {1000.0f, 1000.05f, 1000.2f}, {}, {1, 1, 2}},
        JoinCase{"AcrossABandBoundary", {1000.09f, 1000.11f}, {}, {1, 1}},
        JoinCase{"OldestRowWinsOverNearest", {1000.15f, 1000.0f, 1000.08f}, {}, {1, 2, 1}},
        JoinCase{"NotChained", {1000.0f, 1000.08f, 1000.16f}, {}, {1, 1, 2}},
        JoinCase{"OtherSizesNeverJoin", {3000.0f, 3000.0f, 3000.0f}, {20.0f, 22.0f, 20.0f}, {1, 2, 1}}),
    [](const ::testing::TestParamInfo<JoinCase>& info) { return std::string(info.param.name); });

TEST_F(SetupTableTransform, SummaryRowsCountTheRowsOfEveryTagTheyTook)
{
    // Four equal bars in four elements: one row with four tags, which print
    // three to a row.
    list.getSortRules().m_mergeSame = 1;
    for (const char* name : {"KL1", "KL2", "KL3", "KL4"}) {
        element(name, 1);
        bar("1", 2);
    }
    const Converted summary(list.transformProcessList(0, 0, 0));
    ASSERT_EQ(summary.rows.size(), 1);
    auto* row = static_cast<CVes_ProcessTableListLine*>(summary.rows[0]);
    EXPECT_EQ(row->getProcessSteel()->getLPNum(), 4);
    EXPECT_EQ(row->getRows(), 2);
}

} // namespace
