#include "core/model/processsteel.h"
#include "core/model/steel.h"
#include "tests/core/model/barcore_shapes.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

void PrintTo(const CVes_LiaoPai& t, std::ostream* os)
{
    *os << "tag{count " << t.count << ", mark " << t.mark << ", auxA " << t.auxA << ", auxB "
        << t.auxB << ", \"" << t.text.toStdString() << "\"}";
}

namespace {

using test::CacheScope;
using test::ShapeBuilder;

CVes_LiaoPai tag(int count, int mark, const char* text = "", int auxA = 0, int auxB = 0)
{
    return CVes_LiaoPai(count, mark, auxA, QString::fromUtf8(text), auxB);
}

std::vector<int> countsOf(const LiaoPaiArray& tags)
{
    std::vector<int> counts;
    for (const CVes_LiaoPai& t : tags)
        counts.push_back(t.count);
    return counts;
}

TEST(ProcessSteel, NewRowIsAnEmptyRowOfOneBar)
{
    const CVes_ProcessSteel row;
    EXPECT_EQ(row.count, 1);
    EXPECT_EQ(row.DN, 10.0f);
    EXPECT_EQ(row.getOutDim(), 1);
    EXPECT_EQ(row.getLConnect()->flag, 1);
    EXPECT_EQ(row.getRConnect()->flag, 0);
    EXPECT_EQ(row.rows, 1);
    EXPECT_EQ(row.getPID(), 0);
    EXPECT_EQ(row.isNull(), 1);
    EXPECT_EQ(row.getLPNum(), 0);
    EXPECT_TRUE(row.originalNumbers.empty());
    const CVes_LiaoPai blank;
    EXPECT_EQ(blank.count, 0);
    EXPECT_EQ(blank.mark, 1);
    EXPECT_EQ(blank.auxA, 0);
    EXPECT_EQ(blank.auxB, 0);
    EXPECT_TRUE(blank.text.isEmpty());
}

// rows taken by the tags

struct RowsCase {
    int tags;
    int rows;
};

class ProcessSteelRows : public ::testing::TestWithParam<RowsCase> {};

TEST_P(ProcessSteelRows, ThreeTagsToASheetRow)
{
    const RowsCase& c = GetParam();
    CVes_ProcessSteel added;
    LiaoPaiArray tags;
    for (int i = 0; i < c.tags; ++i) {
        added.AddLp(i + 1, 'A', 0, QString(), 0);
        tags.push_back(tag(i + 1, 'A'));
    }
    EXPECT_EQ(added.resetRows(), c.rows);
    if (c.tags > 0) {
        EXPECT_EQ(added.rows, c.rows) << "adding a tag recounts the rows";
    }

    CVes_ProcessSteel replaced;
    replaced.setLp(tags);
    EXPECT_EQ(replaced.rows, c.rows);
    EXPECT_EQ(replaced.getLPNum(), c.tags);

    // A copy counts its own rows, whatever the other row held.
    added.rows = 99;
    const CVes_ProcessSteel copy(added);
    EXPECT_EQ(copy.rows, c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, ProcessSteelRows,
    ::testing::Values(RowsCase{0, 0}, RowsCase{1, 1}, RowsCase{2, 1}, RowsCase{3, 1},
                      RowsCase{4, 2}, RowsCase{6, 2}, RowsCase{7, 3}, RowsCase{10, 4}),
    [](const auto& info) {
        return std::to_string(info.param.tags) + "_tags_" + std::to_string(info.param.rows)
            + "_rows";
    });

// tag group marks

struct LpIdCase {
    const char* name;
    std::vector<int> marks;
    std::vector<const char*> ids;
};

std::ostream& operator<<(std::ostream& os, const LpIdCase& c)
{
    return os << c.name;
}

class ProcessSteelLpId : public ::testing::TestWithParam<LpIdCase> {};

TEST_P(ProcessSteelLpId, OneTextPerRunOfEqualNeighbours)
{
    const LpIdCase& c = GetParam();
    CVes_ProcessSteel row;
    for (int mark : c.marks)
        row.AddLp(tag(1, mark));
    QStringList ids{"kept"};
    row.getLpID(ids);
    QStringList expected{"kept"};
    for (const char* id : c.ids)
        expected.append(QString::fromUtf8(id));
    EXPECT_EQ(ids, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, ProcessSteelLpId,
    ::testing::Values(
        LpIdCase{"no_tags", {}, {}},
        LpIdCase{"one_tag", {'A'}, {"A"}},
        LpIdCase{"mark_coming_back_appears_again", {'A', 'A', 'B', 'A'}, {"A", "B", "A"}},
        LpIdCase{"runs_collapse", {'B', 'B', 'B', 'C', 'C', 'a'}, {"B", "C", "a"}},
        LpIdCase{"letters_differing_in_case_are_two_marks", {'a', 'A'}, {"a", "A"}},
        LpIdCase{"chinese_mark", {0x7532, 0x7532, 0x4E59}, {"甲", "乙"}},
        LpIdCase{"code_without_a_character_gives_an_empty_text", {-1, -1, 'A'}, {"", "A"}}),
    [](const auto& info) { return std::string(info.param.name); });

// tag equality

struct TagEqualCase {
    const char* name;
    CVes_LiaoPai a;
    CVes_LiaoPai b;
    bool equal;
};

std::ostream& operator<<(std::ostream& os, const TagEqualCase& c)
{
    return os << c.name;
}

class LiaoPaiEquality : public ::testing::TestWithParam<TagEqualCase> {};

TEST_P(LiaoPaiEquality, NumbersExactlyAndLettersWithoutCase)
{
    const TagEqualCase& c = GetParam();
    EXPECT_EQ(c.a == c.b, c.equal);
    EXPECT_EQ(c.b == c.a, c.equal);

    // Deleting removes the first equal tag only.
    CVes_ProcessSteel row;
    row.AddLp(tag(9, 'Z', "other"));
    row.AddLp(c.a);
    row.AddLp(c.a);
    row.deleteLp(c.b);
    EXPECT_EQ(row.getLPNum(), c.equal ? 2 : 3);
    EXPECT_EQ(row.rows, 1) << "deleting does not recount the rows";
    EXPECT_EQ(row.tags.front().text, "other");
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, LiaoPaiEquality,
    ::testing::Values(
        TagEqualCase{"same", tag(4, 'A', "HRB400", 1, 2), tag(4, 'A', "HRB400", 1, 2), true},
        TagEqualCase{"letters_ignore_case", tag(4, 'A', "Hrb400-a"), tag(4, 'A', "hRB400-A"), true},
        TagEqualCase{"chinese_text", tag(4, 'A', "料牌L1"), tag(4, 'A', "料牌l1"), true},
        TagEqualCase{"other_count", tag(4, 'A', "x"), tag(5, 'A', "x"), false},
        TagEqualCase{"other_mark", tag(4, 'A', "x"), tag(4, 'a', "x"), false},
        TagEqualCase{"other_auxA", tag(4, 'A', "x", 1), tag(4, 'A', "x", 2), false},
        TagEqualCase{"other_auxB", tag(4, 'A', "x", 0, 1), tag(4, 'A', "x", 0, 0), false},
        TagEqualCase{"other_text", tag(4, 'A', "x"), tag(4, 'A', "y"), false},
        TagEqualCase{"longer_text", tag(4, 'A', "x"), tag(4, 'A', "xx"), false},
        // GBK 81 41 and 81 61: the second bytes differ only as letters would.
        TagEqualCase{"double_byte_characters_are_not_letters", tag(4, 'A', "丄"),
                     tag(4, 'A', "乤"), false},
        // Full-width letters are characters of their own, compared exactly.
        TagEqualCase{"full_width_letters_keep_their_case", tag(4, 'A', "Ａ"), tag(4, 'A', "ａ"),
                     false},
        TagEqualCase{"non_letters_are_not_folded", tag(4, 'A', "@["), tag(4, 'A', "`{"), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProcessSteel, DeletingATagThatIsNotThereChangesNothing)
{
    CVes_ProcessSteel row;
    row.AddLp(tag(1, 'A'));
    row.deleteLp(tag(2, 'A'));
    EXPECT_EQ(row.getLPNum(), 1);
    CVes_ProcessSteel none;
    none.deleteLp(tag(1, 'A'));
    EXPECT_EQ(none.getLPNum(), 0);
}

// tag counts, arrays and source numbers

TEST(ProcessSteel, TagCountByIndexInRangeOnly)
{
    CVes_ProcessSteel row;
    row.AddLp(tag(1, 'A'));
    row.AddLp(tag(2, 'B'));
    for (int index : {-1, 2, 100})
        row.setLpNum(50, index);
    EXPECT_EQ(countsOf(row.tags), (std::vector<int>{1, 2}));
    row.setLpNum(7, 1);
    row.setLpNum(6, 0);
    EXPECT_EQ(countsOf(row.tags), (std::vector<int>{6, 7}));
}

TEST(ProcessSteel, TagArraysAreCopiedOutAndIn)
{
    CVes_ProcessSteel row;
    row.AddLp(5, 'A', 2, QStringLiteral("原材"), 3);
    LiaoPaiArray out{tag(1, 'Z')};
    row.getLpArray(out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].mark, 'Z');
    EXPECT_EQ(out[1], tag(5, 'A', "原材", 2, 3));
    out[1].count = 99;
    EXPECT_EQ(row.tags[0].count, 5) << "a copy, not the row's tag";
    row.getLpArrayPtr()->at(0).count = 8;
    EXPECT_EQ(row.tags[0].count, 8);

    row.setLp(*row.getLpArrayPtr());
    EXPECT_EQ(row.getLPNum(), 1) << "setting a row's own tags keeps them";
}

TEST(ProcessSteel, SourceNumbersAreAppendedOrReplaced)
{
    CVes_ProcessSteel row;
    row.addOriginalBH("1", 2);
    row.addOriginalBH(OriginalBH{"2a", 3});
    ASSERT_EQ(row.originalNumbers.size(), 2u);
    EXPECT_EQ(row.originalNumbers[1].number, "2a");
    EXPECT_EQ(row.originalNumbers[1].count, 3);
    row.setOriginalBH({OriginalBH{"9", 1}});
    ASSERT_EQ(row.originalNumbers.size(), 1u);
    EXPECT_EQ(row.originalNumbers[0].number, "9");
    row.setOriginalBH(row.originalNumbers);
    EXPECT_EQ(row.originalNumbers.size(), 1u);
}

// availability

struct AvailableCase {
    const char* name;
    int grade;
    int calcLength;
    float length;
    int count;
    int available;
};

std::ostream& operator<<(std::ostream& os, const AvailableCase& c)
{
    return os << c.name;
}

class ProcessSteelAvailable : public ::testing::TestWithParam<AvailableCase> {};

TEST_P(ProcessSteelAvailable, GradeAndSomethingToCut)
{
    const AvailableCase& c = GetParam();
    CVes_ProcessSteel row;
    row.grade = c.grade;
    row.calcLength = c.calcLength;
    row.length = c.length;
    row.count = c.count;
    EXPECT_EQ(row.isAvailable(), c.available);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProcessSteelAvailable,
    ::testing::Values(
        AvailableCase{"computed_length", 1, 1, 0.0f, 0, 1},
        AvailableCase{"typed_length", 3, 0, 1.0f, 0, 1},
        AvailableCase{"typed_length_below_a_millimetre", 3, 0, 0.9f, 0, 0},
        AvailableCase{"count_alone", 3, 0, 0.0f, 1, 1},
        AvailableCase{"nothing_to_cut", 3, 0, 0.0f, 0, 0},
        AvailableCase{"negative_count", 3, 0, 0.5f, -2, 0},
        AvailableCase{"no_grade", 0, 1, 3000.0f, 5, 0},
        // Grade codes are unsigned.
        AvailableCase{"grade_code_above_the_signed_range", -1, 1, 0.0f, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// copies and the connection rule

struct ConnectCase {
    const char* name;
    int type;
    int typeAfter;
    bool farTakesThisBar;  // far direction and diameter become this bar's
};

std::ostream& operator<<(std::ostream& os, const ConnectCase& c)
{
    return os << c.name;
}

class ProcessSteelConnect : public ::testing::TestWithParam<ConnectCase> {};

CVes_Connect endOf(int type)
{
    CVes_Connect c;
    c.type = type;
    c.param = 3;
    c.direction = 0;
    c.farDirection = 1;
    c.farDN = 28.0f;
    return c;
}

void expectEnd(const CVes_Connect& end, const ConnectCase& c, const char* which)
{
    SCOPED_TRACE(which);
    EXPECT_EQ(end.type, c.typeAfter);
    EXPECT_EQ(end.param, 3);
    EXPECT_EQ(end.direction, 0);
    EXPECT_EQ(end.farDirection, c.farTakesThisBar ? 0 : 1);
    EXPECT_EQ(end.farDN, c.farTakesThisBar ? 20.0f : 28.0f);
}

TEST_P(ProcessSteelConnect, AppliesToBothEndsOfEveryCopy)
{
    const ConnectCase& c = GetParam();
    CVes_Steel bar;
    bar.setSteel(3, 20.0f, 0);
    const CVes_Connect end = endOf(c.type);
    bar.setLConnect(&end);
    bar.setRConnect(&end);

    CVes_ProcessSteel fromBar;
    fromBar.set(&bar);
    expectEnd(*fromBar.getLConnect(), c, "left, from a bar-list bar");
    expectEnd(*fromBar.getRConnect(), c, "right, from a bar-list bar");

    // A processing row holding the ends as they were still gives rule-bound
    // copies.
    CVes_ProcessSteel held;
    held.setSteel(3, 20.0f, 0);
    held.setLConnect(&end);
    held.setRConnect(&end);
    const CVes_ProcessSteel copy(held);
    expectEnd(*copy.getLConnect(), c, "left, copied row");
    CVes_ProcessSteel assigned;
    assigned = held;
    expectEnd(*assigned.getRConnect(), c, "right, assigned row");
}

INSTANTIATE_TEST_SUITE_P(
    Types, ProcessSteelConnect,
    ::testing::Values(ConnectCase{"none", 0, 0, false},
                      ConnectCase{"tied_lap_is_cut_free", 1, 0, false},
                      ConnectCase{"flash_butt_weld", 2, 2, false},
                      ConnectCase{"electroslag_weld", 3, 3, false},
                      ConnectCase{"single_side_lap_weld", 4, 4, false},
                      ConnectCase{"double_side_lap_weld", 5, 5, false},
                      ConnectCase{"pressed_sleeve", 6, 6, false},
                      ConnectCase{"taper_thread_leads_to_a_like_bar", 7, 7, true},
                      ConnectCase{"straight_thread_leads_to_a_like_bar", 8, 8, true}),
    [](const auto& info) { return std::string(info.param.name); });

CVes_ProcessSteel filledRow()
{
    CVes_ProcessSteel row;
    row.number = "B7";
    row.count = 4;
    row.setPID(12);
    row.setNull(0);
    row.AddLp(4, 'A', 1, QStringLiteral("t"), 2);
    row.addOriginalBH("7", 4);
    return row;
}

TEST(ProcessSteel, CopiesTakeTheWholeRow)
{
    const CVes_ProcessSteel row = filledRow();
    CVes_ProcessSteel target;
    target.AddLp(tag(1, 'Q'));
    target.addOriginalBH("old", 1);
    target = row;
    EXPECT_EQ(target.number, "B7");
    EXPECT_EQ(target.count, 4);
    EXPECT_EQ(target.getPID(), 12);
    EXPECT_EQ(target.isNull(), 0);
    ASSERT_EQ(target.getLPNum(), 1);
    EXPECT_EQ(target.tags[0], tag(4, 'A', "t", 1, 2));
    ASSERT_EQ(target.originalNumbers.size(), 1u);
    EXPECT_EQ(target.originalNumbers[0].number, "7");

    CVes_ProcessSteel same = filledRow();
    CVes_ProcessSteel& alias = same;
    same = alias;
    EXPECT_EQ(same.getPID(), 12) << "assigning a row to itself keeps it";
    EXPECT_EQ(same.isNull(), 0);
    EXPECT_EQ(same.getLPNum(), 1);
    same.set(&same);
    EXPECT_EQ(same.getLPNum(), 1);
    EXPECT_EQ(same.originalNumbers.size(), 1u);
}

TEST(ProcessSteel, ABarCopiedInLeavesTagsIdAndSourcesAlone)
{
    CVes_ProcessSteel row = filledRow();
    CVes_Steel bar;
    bar.number = "C1";
    bar.count = 9;
    bar.setSteel(2, 16.0f, 0);
    row.set(&bar);
    EXPECT_EQ(row.number, "C1");
    EXPECT_EQ(row.count, 9);
    EXPECT_EQ(row.DN, 16.0f);
    EXPECT_EQ(row.getPID(), 12);
    EXPECT_EQ(row.getLPNum(), 1);
    EXPECT_EQ(row.originalNumbers.size(), 1u);

    // Through the bar record's assignment as well.
    CVes_BarCore& asBar = row;
    CVes_BarCore plain;
    plain.number = "P";
    asBar = plain;
    EXPECT_EQ(row.number, "P");
    EXPECT_EQ(row.getPID(), 12);
    EXPECT_EQ(row.getLPNum(), 1);
}

// merging tags and joining rows

TEST(ProcessSteel, MergeLeavesOneTagForTheWholeRow)
{
    CVes_ProcessSteel three;
    three.count = 12;
    for (int i = 0; i < 3; ++i)
        three.AddLp(4, 'A', i, QString(), 0);
    three.merge();
    EXPECT_EQ(countsOf(three.tags), std::vector<int>{12});

    CVes_ProcessSteel row;
    row.count = 12;
    row.AddLp(4, 'B', 2, QStringLiteral("first"), 5);
    row.AddLp(4, 'C', 3, QStringLiteral("second"), 6);
    row.AddLp(4, 'D', 4, QStringLiteral("third"), 7);
    row.AddLp(4, 'E', 5, QStringLiteral("fourth"), 8);
    ASSERT_EQ(row.rows, 2);
    row.merge();
    ASSERT_EQ(row.getLPNum(), 1);
    EXPECT_EQ(row.tags[0], tag(12, 'B', "first", 0, 5));
    EXPECT_EQ(row.rows, 2) << "merging does not recount the rows";

    CVes_ProcessSteel single;
    single.count = 12;
    single.AddLp(4, 'B', 2, QString(), 0);
    single.merge();
    EXPECT_EQ(single.tags[0], tag(4, 'B', "", 2, 0)) << "a single tag stays as it is";
    CVes_ProcessSteel none;
    none.merge();
    EXPECT_EQ(none.getLPNum(), 0);
}

class ProcessSteelJoin : public ::testing::Test {
protected:
    void SetUp() override
    {
        scope.add(ShapeBuilder({150, 1}).var("L", 3000).straight({1300, 150}, "0", "L").build());
        for (CVes_ProcessSteel* row : {&a, &b}) {
            row->setRecordId({150, 1});
            row->setSteel(3, 20.0f, 0);
        }
        a.count = 5;
        a.AddLp(5, 'A', 0, QStringLiteral("a"), 0);
        a.addOriginalBH("1", 5);
        b.count = 3;
        b.AddLp(1, 'B', 1, QStringLiteral("b1"), 0);
        b.AddLp(2, 'B', 2, QStringLiteral("b2"), 0);
        b.addOriginalBH("2", 2);
        b.addOriginalBH("3", 1);
    }
    CacheScope scope;
    CVes_ProcessSteel a, b;
};

TEST_F(ProcessSteelJoin, EqualRowTakesTheOthersTagsCountAndSources)
{
    ASSERT_EQ(a.join(b), 1);
    EXPECT_EQ(a.count, 8);
    EXPECT_EQ(countsOf(a.tags), (std::vector<int>{5, 3, 3}));
    EXPECT_EQ(a.tags[1], tag(3, 'B', "b1", 1, 0));
    EXPECT_EQ(a.tags[2], tag(3, 'B', "b2", 2, 0));
    ASSERT_EQ(a.originalNumbers.size(), 3u);
    EXPECT_EQ(a.originalNumbers[2].number, "3");
    EXPECT_EQ(a.rows, 1) << "the caller recounts the rows";
    EXPECT_EQ(a.resetRows(), 1);
    EXPECT_EQ(b.count, 3) << "the other row stays as it was";
    EXPECT_EQ(countsOf(b.tags), (std::vector<int>{1, 2}));
}

TEST_F(ProcessSteelJoin, DifferentRowChangesNothing)
{
    b.grade = 2;
    EXPECT_EQ(a.join(b), 0);
    b.grade = a.grade;
    b.setVarValue("L", 3500.0);
    EXPECT_EQ(a.join(b), 0);
    EXPECT_EQ(a.count, 5);
    EXPECT_EQ(a.getLPNum(), 1);
    EXPECT_EQ(a.originalNumbers.size(), 1u);
}

TEST_F(ProcessSteelJoin, RowDoesNotJoinItself)
{
    EXPECT_EQ(a.join(a), 0);
    EXPECT_EQ(a.count, 5);
    EXPECT_EQ(a.getLPNum(), 1);
    EXPECT_EQ(a.originalNumbers.size(), 1u);
}

// A graded row's tags count its bars a group and, second, the groups they
// stand for, however tags are merged or taken in: 2000～3000 in fives, rows
// of 6 and 3 groups.
TEST_F(ProcessSteelJoin, GradedTagsKeepTheirBarsAGroup)
{
    for (CVes_ProcessSteel* row : {&a, &b}) {
        row->setMultiVal(1);
        row->setMultiGroup(5);
        row->setVarValue("L", 2000.0);
        row->setVarValueE("L", 3000.0);
        row->tags.clear();
    }
    a.count = 6;
    a.AddLp(5, 'A', 0, QStringLiteral("a"), 6);
    b.count = 3;
    b.AddLp(5, 'B', 1, QStringLiteral("b"), 3);
    ASSERT_EQ(a.join(b), 1);
    EXPECT_EQ(a.count, 9);
    EXPECT_EQ(a.tags[1], tag(5, 'B', "b", 1, 3));
    EXPECT_EQ(a.tagBars(a.tags[0]) + a.tagBars(a.tags[1]), 45);

    a.merge();
    ASSERT_EQ(a.getLPNum(), 1);
    EXPECT_EQ(a.tags[0], tag(5, 'A', "a", 0, 9));
    EXPECT_EQ(a.tagBars(a.tags[0]), 45);

    CVes_LiaoPai counted;
    b.setTagCount(counted, 4);
    EXPECT_EQ(counted, tag(5, 1, "", 0, 4));
    b.setMultiVal(0);
    b.setTagCount(counted, 4);
    EXPECT_EQ(counted.count, 4);
    EXPECT_EQ(b.tagBars(counted), 4);
}

} // namespace
