#include "tables/processing/processtablelistline.h"
#include "tests/core/model/barcore_shapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

void PrintTo(const CVes_LiaoPai& t, std::ostream* os)
{
    *os << "tag{pieces " << t.count << ", number " << t.mark << ", sub " << t.auxA
        << ", per group " << t.auxB << ", \"" << t.text.toStdString() << "\"}";
}

namespace {

using test::CacheScope;
using test::ShapeBuilder;

CVes_LiaoPai tag(int pieces, int number, int sub, const char* text, int perGroup)
{
    return CVes_LiaoPai(pieces, number, sub, QString::fromUtf8(text), perGroup);
}

QStringList texts(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

// construction

TEST(ProcessTableListLine, NewRowsAreABarRowOrATextRow)
{
    CVes_ProcessTableListLine bar;
    EXPECT_EQ(bar.getType(), CVes_ProcessTableListLine::kSteelRow);
    EXPECT_EQ(bar.isSteelLine(), 1);
    EXPECT_EQ(bar.getFirstLp(), 0);
    EXPECT_EQ(bar.getSteel()->isNull(), 1) << "the bar is empty until one is set";
    EXPECT_EQ(bar.getRows(), 1);
    EXPECT_EQ(bar.getTextArray(), nullptr);

    for (int argument : {1, 0, -3}) {
        CVes_ProcessTableListLine text(argument);
        EXPECT_EQ(text.getType(), CVes_ProcessTableListLine::kTextRow) << argument;
        EXPECT_EQ(text.isSteelLine(), 0);
        ASSERT_NE(text.getTextArray(), nullptr);
        EXPECT_TRUE(text.getTextArray()->isEmpty());
    }
}

TEST(ProcessTableListLine, CopyTakesTheBarOnly)
{
    CVes_ProcessTableListLine source(1);
    source.SetText(texts({"a", "b"}));
    source.m_steel.number = QStringLiteral("7");
    source.m_steel.AddLp(2, 5, 0, QString(), 0);
    source.m_steel.setNull(0);
    source.setFirstLp(6);
    source.setLock(1);
    source.setRows(4);

    const CVes_ProcessTableListLine copy(source);
    EXPECT_EQ(copy.getType(), CVes_ProcessTableListLine::kSteelRow);
    EXPECT_EQ(copy.getFirstLp(), 0);
    EXPECT_TRUE(copy.m_arrText.isEmpty());
    EXPECT_EQ(copy.getLock(), 0);
    EXPECT_EQ(copy.getRows(), 1);
    EXPECT_EQ(copy.getSteel()->number, "7");
    EXPECT_EQ(copy.getSteel()->getLPNum(), 1);
    EXPECT_EQ(copy.getSteel()->isNull(), 0);
}

// cell texts

struct SetTextCase {
    const char* name;
    bool textRow;
    QStringList before;
    QStringList given;
    QStringList after;
};

void PrintTo(const SetTextCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableListLineText : public ::testing::TestWithParam<SetTextCase> {};

TEST_P(ProcessTableListLineText, GivenCellsThenEmptyOnes)
{
    const SetTextCase& c = GetParam();
    CVes_ProcessTableListLine barRow;
    CVes_ProcessTableListLine textRow(1);
    CVes_ProcessTableListLine& row = c.textRow ? textRow : barRow;
    row.m_arrText = c.before;
    row.setNull(1);

    row.SetText(c.given);
    EXPECT_EQ(row.m_arrText, c.after);
    EXPECT_EQ(row.isNull(), c.textRow ? 0 : 1) << "only a text row stops being empty";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProcessTableListLineText,
    ::testing::Values(
        SetTextCase{"grows_an_empty_row", true, {}, texts({"1", "Φ12"}), texts({"1", "Φ12"})},
        SetTextCase{"three_on_five_empties_four_and_five", true, texts({"a", "b", "c", "d", "e"}),
                    texts({"x", "y", "z"}), texts({"x", "y", "z", "", ""})},
        SetTextCase{"five_on_three_grows", true, texts({"a", "b", "c"}),
                    texts({"1", "2", "3", "4", "5"}), texts({"1", "2", "3", "4", "5"})},
        SetTextCase{"none_given_empties_every_cell", true, texts({"a", "b"}), {}, texts({"", ""})},
        SetTextCase{"bar_row_is_left_alone", false, texts({"a"}), texts({"x", "y"}), texts({"a"})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProcessTableListLine, TextsAreHandedOutOfTextRowsOnly)
{
    CVes_ProcessTableListLine row(1);
    row.SetText(texts({"箍筋合计", "", "12.50"}));
    QStringList out = texts({"kept"});
    row.getTextArray(out);
    EXPECT_EQ(out, texts({"kept", "箍筋合计", "", "12.50"}));
    ASSERT_NE(row.getTextArray(), nullptr);
    EXPECT_EQ(*row.getTextArray(), texts({"箍筋合计", "", "12.50"}));

    CVes_ProcessTableListLine bar;
    bar.m_arrText = texts({"hidden"});
    QStringList none;
    bar.getTextArray(none);
    EXPECT_TRUE(none.isEmpty());
    EXPECT_EQ(bar.getTextArray(), nullptr);
}

// the bar and its tags

enum class TagOp { SetSteelPointer, SetSteelReference, ChangeLp, SetIdOff, SetIdOn };

struct TagCase {
    const char* name;
    TagOp op;
    bool graded;
    std::vector<CVes_LiaoPai> before;
    int number; // for setID
    std::vector<CVes_LiaoPai> after;
    int rows; // the row's rows afterwards
};

void PrintTo(const TagCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableListLineTags : public ::testing::TestWithParam<TagCase> {};

// A bar of 7 per element, processing number 12; graded bars in 4 groups.
TEST_P(ProcessTableListLineTags, DefaultTagAndPieces)
{
    const TagCase& c = GetParam();
    CVes_ProcessSteel bar;
    bar.count = 7;
    bar.setPID(12);
    bar.number = QStringLiteral("3");
    if (c.graded) {
        bar.setMultiVal(1);
        bar.setMultiGroup(4);
    }
    for (const CVes_LiaoPai& t : c.before)
        bar.AddLp(t);

    CVes_ProcessTableListLine line;
    line.setRows(9);
    switch (c.op) {
    case TagOp::SetSteelPointer:
        line.setSteel(&bar);
        break;
    case TagOp::SetSteelReference:
        line.setSteel(bar);
        break;
    default:
        line.m_steel.set(&bar);
        if (c.op == TagOp::ChangeLp)
            line.changeLp();
        else
            line.setID(c.number, c.op == TagOp::SetIdOn ? 1 : 0);
        break;
    }
    EXPECT_EQ(*line.getSteel()->getLpArrayPtr(), c.after);
    EXPECT_EQ(line.getRows(), c.rows);
    EXPECT_EQ(line.getSteel()->number, "3");
    EXPECT_EQ(line.getSteel()->count, 7) << "the bar's count stays";
    if (c.op == TagOp::SetSteelPointer || c.op == TagOp::SetSteelReference) {
        EXPECT_EQ(line.getSteel()->isNull(), 0) << "a bar set into a row is a real bar";
    }
}

const std::vector<CVes_LiaoPai> kTwoTags{tag(2, 'A', 1, "余料", 3), tag(1, 'B', 0, "", 0)};
const std::vector<CVes_LiaoPai> kFourTags{tag(1, 1, 0, "", 0), tag(2, 2, 0, "", 0),
                                          tag(3, 3, 0, "", 0), tag(1, 4, 1, "", 0)};

INSTANTIATE_TEST_SUITE_P(
    Cases, ProcessTableListLineTags,
    ::testing::Values(
        TagCase{"set_pointer_single", TagOp::SetSteelPointer, false, {}, 0,
                {tag(7, 12, 0, "", 0)}, 1},
        // A graded bar's first tag is a whole tag, never a split one.
        TagCase{"set_pointer_graded", TagOp::SetSteelPointer, true, {}, 0,
                {tag(4, 12, 0, "", 7)}, 1},
        TagCase{"set_reference_single", TagOp::SetSteelReference, false, {}, 0,
                {tag(7, 12, 0, "", 0)}, 1},
        TagCase{"set_reference_graded", TagOp::SetSteelReference, true, {}, 0,
                {tag(4, 12, 0, "", 7)}, 1},
        TagCase{"set_keeps_the_tags_and_counts_their_rows", TagOp::SetSteelPointer, false,
                kFourTags, 0, kFourTags, 2},
        TagCase{"change_adds_the_first_tag", TagOp::ChangeLp, false, {}, 0,
                {tag(7, 12, 0, "", 0)}, 9},
        TagCase{"change_adds_the_first_graded_tag", TagOp::ChangeLp, true, {}, 0,
                {tag(4, 12, 0, "", 7)}, 9},
        TagCase{"change_rewrites_pieces", TagOp::ChangeLp, false, kTwoTags, 0,
                {tag(7, 'A', 1, "余料", 0), tag(7, 'B', 0, "", 0)}, 9},
        TagCase{"change_rewrites_graded_pieces", TagOp::ChangeLp, true, kTwoTags, 0,
                {tag(4, 'A', 1, "余料", 7), tag(4, 'B', 0, "", 7)}, 9},
        TagCase{"id_off_adds_nothing", TagOp::SetIdOff, false, {}, 5, {}, 9},
        TagCase{"id_off_changes_nothing", TagOp::SetIdOff, false, kTwoTags, 5, kTwoTags, 9},
        TagCase{"id_adds_a_tag_of_that_number", TagOp::SetIdOn, false, {}, 5,
                {tag(7, 5, 0, "", 0)}, 9},
        TagCase{"id_adds_a_graded_tag_of_that_number", TagOp::SetIdOn, true, {}, 5,
                {tag(4, 5, 0, "", 7)}, 9},
        TagCase{"id_minus_one_numbers_every_tag", TagOp::SetIdOn, false, kTwoTags, -1,
                {tag(7, -1, 1, "余料", 0), tag(7, -1, 0, "", 0)}, 9},
        TagCase{"id_on_graded_tags", TagOp::SetIdOn, true, kTwoTags, 8,
                {tag(4, 8, 1, "余料", 7), tag(4, 8, 0, "", 7)}, 9}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProcessTableListLine, NullBarChangesNothing)
{
    CVes_ProcessTableListLine line;
    line.setRows(5);
    line.setSteel(nullptr);
    EXPECT_EQ(line.getSteel()->getLPNum(), 0);
    EXPECT_EQ(line.getSteel()->isNull(), 1);
    EXPECT_EQ(line.getRows(), 5);
}

TEST(ProcessTableListLine, BarIsCopiedOut)
{
    CVes_ProcessTableListLine line;
    CVes_ProcessSteel bar;
    bar.number = QStringLiteral("B9");
    bar.setPID(4);
    bar.count = 3;
    line.setSteel(bar);

    CVes_ProcessSteel out;
    out.AddLp(1, 1, 0, QStringLiteral("old"), 0);
    line.getSteel(out);
    EXPECT_EQ(out.number, "B9");
    EXPECT_EQ(out.getPID(), 4);
    EXPECT_EQ(out.isNull(), 0);
    EXPECT_EQ(out.tags, std::vector<CVes_LiaoPai>{tag(3, 4, 0, "", 0)});
    out.count = 99;
    EXPECT_EQ(line.getSteel()->count, 3) << "the copy is the caller's";
}

// sameness

class ProcessTableListLineSame : public ::testing::Test {
protected:
    void SetUp() override
    {
        scope.add(ShapeBuilder({150, 1}).var("L", 3000).straight({1300, 150}, "0", "L").build());
        for (CVes_ProcessTableListLine* line : {&a, &b}) {
            CVes_ProcessSteel& bar = line->m_steel;
            bar.setRecordId({150, 1});
            bar.setSteel(3, 20.0f, 0);
            bar.setNull(0);
        }
    }
    bool same() { return a.isGreat(b); }

    CacheScope scope;
    CVes_ProcessTableListLine a, b;
};

TEST_F(ProcessTableListLineSame, SameBarsWhateverTheirNumbersCountsAndRemarks)
{
    b.m_steel.number = QStringLiteral("99");
    b.m_steel.count = 40;
    b.m_steel.remark = QStringLiteral("另计");
    b.m_steel.setPID(3);
    EXPECT_TRUE(a.isGreat(b));
    EXPECT_TRUE(b.isGreat(a));
    EXPECT_TRUE(a.operator==(b));
    EXPECT_TRUE(a.isGreat(a));
}

struct DifferenceCase {
    const char* name;
    void (*change)(CVes_ProcessSteel&);
};

void PrintTo(const DifferenceCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableListLineDifferent : public ProcessTableListLineSame,
                                      public ::testing::WithParamInterface<DifferenceCase> {};

TEST_P(ProcessTableListLineDifferent, AnyBarDifferenceMakesRowsDifferent)
{
    GetParam().change(b.m_steel);
    EXPECT_FALSE(a.isGreat(b));
    EXPECT_FALSE(b.isGreat(a));
    EXPECT_FALSE(a.operator==(b));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProcessTableListLineDifferent,
    ::testing::Values(
        DifferenceCase{"grade", [](CVes_ProcessSteel& s) { s.grade = 2; }},
        DifferenceCase{"diameter", [](CVes_ProcessSteel& s) { s.setDN(22.0f); }},
        DifferenceCase{"type", [](CVes_ProcessSteel& s) { s.steelType = 1; }},
        DifferenceCase{"length", [](CVes_ProcessSteel& s) { s.setVarValue("L", 3500.0); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessTableListLineSame, ComparingChangesNeitherRow)
{
    a.m_steel.length = 1.0f;
    b.m_steel.length = 2.0f;
    EXPECT_TRUE(a.isGreat(b));
    EXPECT_EQ(a.m_steel.length, 1.0f);
    EXPECT_EQ(b.m_steel.length, 2.0f);
}

TEST_F(ProcessTableListLineSame, RowOfAnotherSheetIsNeverTheSame)
{
    CVes_TableBaseLine plain;
    EXPECT_FALSE(a.isGreat(plain));
    EXPECT_FALSE(a.operator==(plain));
    CVes_TableBaseLine* other = &plain;
    EXPECT_FALSE(a.lessthan(other));
    CVes_TableBaseLine* none = nullptr;
    EXPECT_FALSE(a.lessthan(none));
}

// ordering

struct BarKey {
    float dn;
    int grade;
    int type;
    float length;
    int recordNo;
    int bends;
};

struct OrderCase {
    const char* name;
    unsigned int mode;
    BarKey a;
    BarKey b;
    bool aBeforeB; // by the bar ordering
    bool bBeforeA;
};

void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableListLineOrder : public ::testing::TestWithParam<OrderCase> {
protected:
    void SetUp() override { saved = CVes_BarCore::m_sort.load(); }
    void TearDown() override { CVes_BarCore::setSort(saved); }
    static void fill(CVes_ProcessTableListLine& line, const BarKey& k)
    {
        CVes_ProcessSteel& bar = line.m_steel;
        bar.setRecordId({150, k.recordNo});
        bar.grade = k.grade;
        bar.DN = k.dn;
        bar.steelType = k.type;
        bar.calcLength = 0;
        bar.length = k.length;
        bar.bendCount = k.bends;
    }
    unsigned int saved = 0;
};

TEST_P(ProcessTableListLineOrder, RowsSortByTheirBarsAndLessthanReversesThem)
{
    const OrderCase& c = GetParam();
    CVes_BarCore::setSort(c.mode);
    CVes_ProcessTableListLine a, b;
    fill(a, c.a);
    fill(b, c.b);
    EXPECT_EQ(a < b, c.aBeforeB);
    EXPECT_EQ(b < a, c.bBeforeA);
    CVes_TableBaseLine* pa = &a;
    CVes_TableBaseLine* pb = &b;
    EXPECT_EQ(a.lessthan(pb), c.bBeforeA);
    EXPECT_EQ(b.lessthan(pa), c.aBeforeB);
}

constexpr unsigned int kUp = CVes_BarCore::kSortAscending;

INSTANTIATE_TEST_SUITE_P(
    Cases, ProcessTableListLineOrder,
    ::testing::Values(
        OrderCase{"diameter_down", 0, {12, 2, 0, 1000, 1, 0}, {20, 2, 0, 1000, 1, 0}, false, true},
        OrderCase{"diameter_up", kUp, {12, 2, 0, 1000, 1, 0}, {20, 2, 0, 1000, 1, 0}, true, false},
        OrderCase{"grade_down", 0, {12, 2, 0, 1000, 1, 0}, {12, 3, 0, 1000, 1, 0}, false, true},
        OrderCase{"grade_up", kUp, {12, 2, 0, 1000, 1, 0}, {12, 3, 0, 1000, 1, 0}, true, false},
        OrderCase{"type_up", kUp, {12, 2, 0, 1000, 1, 0}, {12, 2, 1, 1000, 1, 0}, true, false},
        OrderCase{"length_up", kUp | CVes_BarCore::kSortLengthUp, {12, 2, 0, 1000, 2, 0},
                  {12, 2, 0, 2000, 1, 0}, true, false},
        OrderCase{"length_down", kUp | CVes_BarCore::kSortLengthDown, {12, 2, 0, 1000, 1, 0},
                  {12, 2, 0, 2000, 2, 0}, false, true},
        OrderCase{"length_unsorted_falls_to_the_shape", kUp, {12, 2, 0, 2000, 1, 0},
                  {12, 2, 0, 1000, 2, 0}, true, false},
        OrderCase{"more_bends_first", CVes_BarCore::kSortByBends, {12, 2, 0, 1000, 1, 3},
                  {25, 2, 0, 1000, 1, 1}, true, false},
        OrderCase{"equal_bars", kUp | CVes_BarCore::kSortLengthUp, {12, 2, 0, 1000, 1, 0},
                  {12, 2, 0, 1000, 1, 0}, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProcessTableListLineSort, SortingByLessthanGivesTheReverseBarOrder)
{
    const unsigned int saved = CVes_BarCore::m_sort.load();
    CVes_BarCore::setSort(kUp);
    std::vector<CVes_ProcessTableListLine> rows(4);
    const float diameters[] = {16, 25, 12, 25};
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].m_steel.DN = diameters[i];
        rows[i].m_steel.number = QString::number(i);
    }
    std::vector<CVes_TableBaseLine*> order;
    for (CVes_ProcessTableListLine& row : rows)
        order.push_back(&row);
    std::stable_sort(order.begin(), order.end(),
                     [](CVes_TableBaseLine* x, CVes_TableBaseLine* y) { return x->lessthan(y); });
    QStringList numbers;
    for (CVes_TableBaseLine* row : order)
        numbers.append(static_cast<CVes_ProcessTableListLine*>(row)->m_steel.number);
    EXPECT_EQ(numbers, texts({"1", "3", "0", "2"})) << "equal bars keep their order";
    CVes_BarCore::setSort(saved);
}

} // namespace
