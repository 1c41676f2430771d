// The common value of the selected bar rows, as the bar-property pane shows
// it: the value every row shares, or the reader's not-same value.

#include "tests/tables/framework/batchedit_support.h"

#include "core/geometry/text.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using test::BarTable;
using BarEdit = std::function<void(CVes_Steel&)>;

TEST(BatchEditReaders, NothingSelectedGivesEveryNotSameValue)
{
    BarTable table;
    table.addBar(12.0f, 3);
    table.addBar(12.0f, 3);
    table.show(1, {});

    EXPECT_EQ(table.isSameDNOfSelLine(), -1.0f);
    EXPECT_EQ(table.isSameGradeOfSelLine(), 0);
    EXPECT_EQ(table.isSameSteelTypeOfSelLine(), -1);
    EXPECT_EQ(table.isSameSteelRecordOfSelLIne(), CSteelRecordId(-1, -1));
    EXPECT_EQ(table.isSameGenshuOfselLine(), -1);
    EXPECT_EQ(table.isSameAutoCalOfLine(), -1);
    EXPECT_EQ(table.isSameSteelTypeOfLine(), -1);
    EXPECT_EQ(table.isSameOutDimOfLine(), -1);
    EXPECT_EQ(table.isSameDlLengthOfSelLine(), -1);
    EXPECT_EQ(table.isSameMultVarOfSelLine(), -1);
    EXPECT_EQ(table.isSameGroupOfSelLine(), -1);
    EXPECT_EQ(table.isSameHookLeftOfSelLine(), -1);
    EXPECT_EQ(table.isSameHookRightDirectOfSelLine(), -1);
    EXPECT_EQ(table.isSameConnect_Style_LeftOfSelLine(), -1);
    EXPECT_EQ(table.isSameConnect_DNOrther_RightOfSelLine(), -1);
    EXPECT_EQ(table.isSameMidConnect_StyleOfSelLine(), -1);
    EXPECT_EQ(table.isSameMidConnect_NumStringOfSelLine(), QString());
    EXPECT_EQ(table.isSameMidConnect_HaveSteelGroupOfSelLine(), 0);
    EXPECT_EQ(table.isSameChaochang_SelLine(), -1);
    EXPECT_EQ(table.isSameVarStringOfSelLine(QStringLiteral("L")), QStringLiteral("NOTSAME"));
    EXPECT_DOUBLE_EQ(table.isSameVarvalueOfSelLine(QStringLiteral("L")), -2.22);
    EXPECT_DOUBLE_EQ(table.isSameVarvalueEOfSelLine(QStringLiteral("L")), -2.22);
}

// One reader, the rows it reads, the answer

struct RowSpec {
    float d = 12.0f;
    int grade = 3;
    BarEdit edit = {};
    CSteelRecordId key = test::kStraightBar;
    bool empty = false;
    bool text = false;  // an (empty) text line instead of a bar line
    bool locked = false;
};

struct ReaderCase {
    const char* name;
    std::vector<RowSpec> rows;  // all selected
    std::function<double(CVes_TableBase&)> read;
    double expected;
};

std::ostream& operator<<(std::ostream& os, const ReaderCase& c)
{
    return os << c.name;
}

class Reader : public testing::TestWithParam<ReaderCase> {};

TEST_P(Reader, AnswersTheSharedValueOrNotSame)
{
    const ReaderCase& c = GetParam();
    BarTable table(10);
    for (const RowSpec& r : c.rows) {
        CVes_SetupTableLine* line = r.text ? table.addTextLine()
                                           : table.addBar(r.d, r.grade, r.edit, r.key);
        if (r.empty)
            line->setNull(1);
        line->setLock(r.locked ? 1 : 0);
    }
    table.setPageTo(1, 1);
    for (int n = 1; n <= int(c.rows.size()); ++n)
        table.AddSelect(n, 0);
    EXPECT_DOUBLE_EQ(c.read(table), c.expected);
}

double grade(CVes_TableBase& t) { return t.isSameGradeOfSelLine(); }
double diameter(CVes_TableBase& t) { return t.isSameDNOfSelLine(); }
double barType(CVes_TableBase& t) { return t.isSameSteelTypeOfSelLine(); }
double count(CVes_TableBase& t) { return t.isSameGenshuOfselLine(); }
double otherDiameter(CVes_TableBase& t) { return t.isSameConnect_DNOrther_LeftOfSelLine(); }
double storedLength(CVes_TableBase& t) { return t.isSameDlLengthOfSelLine(); }
double calcType(CVes_TableBase& t) { return t.isSameSteelTypeOfLine(); }
double varL(CVes_TableBase& t) { return t.isSameVarvalueOfSelLine(QStringLiteral("L")); }
double varLEnd(CVes_TableBase& t) { return t.isSameVarvalueEOfSelLine(QStringLiteral("L")); }
double varMissing(CVes_TableBase& t) { return t.isSameVarvalueOfSelLine(QStringLiteral("H9")); }
double barGroup(CVes_TableBase& t) { return t.isSameMidConnect_HaveSteelGroupOfSelLine(); }
double rightHookDirection(CVes_TableBase& t) { return t.isSameHookRightDirectOfSelLine(); }
double midStyle(CVes_TableBase& t) { return t.isSameMidConnect_StyleOfSelLine(); }
double shapeMain(CVes_TableBase& t) { return t.isSameSteelRecordOfSelLIne().m_mainId; }
double shapeNo(CVes_TableBase& t) { return t.isSameSteelRecordOfSelLIne().m_recordNo; }

BarEdit farDN(float d) { return [d](CVes_Steel& b) { b.getLConnect()->farDN = d; }; }
BarEdit stored(float length) { return [length](CVes_Steel& b) { b.length = length; }; }
BarEdit typeOf(int type) { return [type](CVes_Steel& b) { b.steelType = type; }; }
BarEdit countOf(int n) { return [n](CVes_Steel& b) { b.count = n; }; }
BarEdit lengthL(double value)
{
    return [value](CVes_Steel& b) {
        b.setVarValue(QStringLiteral("L"), value);
        b.setVarValueE(QStringLiteral("L"), value);
    };
}
BarEdit rightHook(int direction)
{
    return [direction](CVes_Steel& b) {
        CVes_Hook hook = b.getHookRight();
        hook.param = direction;
        b.setHookRight(hook);
    };
}
BarEdit midConnectStyle(int style) { return [style](CVes_Steel& b) { b.getFirstMidConnect()->style = style; }; }

INSTANTIATE_TEST_SUITE_P(
    BatchEdit, Reader,
    testing::Values(
        // Rows of grade 0 are passed over until the first graded row.
        ReaderCase{"GradeZeroThenThree", {{12, 0}, {12, 3}}, grade, 3},
        ReaderCase{"GradeThreeThenZero", {{12, 3}, {12, 0}}, grade, 0},
        ReaderCase{"GradeShared", {{12, 3}, {14, 3}}, grade, 3},
        ReaderCase{"GradeOfEmptyRow", {{12, 3}, {12, 3, {}, test::kStraightBar, true}}, grade, 0},
        ReaderCase{"DiameterShared", {{6.5f}, {6.5f}}, diameter, 6.5},
        ReaderCase{"DiameterDiffers", {{6.5f}, {8}}, diameter, -1.0},
        ReaderCase{"DiameterOfEmptyRow", {{8, 1, {}, test::kStraightBar, true}}, diameter, -1.0},
        ReaderCase{"TypeShared", {{12, 3, typeOf(1)}, {12, 3, typeOf(1)}}, barType, 1},
        ReaderCase{"TypeOfEmptyRow", {{12, 3, typeOf(1), test::kStraightBar, true}}, barType, -1},
        ReaderCase{"CountShared", {{12, 3, countOf(6)}, {12, 3, countOf(6)}}, count, 6},
        ReaderCase{"CountDiffers", {{12, 3, countOf(6)}, {12, 3, countOf(7)}}, count, -1},
        // The count reader looks at every selected row, bar row or not.
        ReaderCase{"CountBesideEmptyTextLine", {{12, 3, countOf(6)}, {.text = true}}, count, -1},
        ReaderCase{"GradeBesideEmptyTextLine", {{12, 3}, {.text = true}}, grade, 3},
        ReaderCase{"LockedRowsAreRead", {{12, 3}, {12, 2, {}, test::kStraightBar, false, false, true}}, grade, 0},
        // The other bar's diameter is answered as stored, 6.5 mm not 6.
        ReaderCase{"OtherDiameterShared", {{12, 3, farDN(6.5f)}, {12, 3, farDN(6.5f)}}, otherDiameter, 6.5},
        ReaderCase{"OtherDiameterDiffers", {{12, 3, farDN(6.5f)}, {12, 3, farDN(7)}}, otherDiameter, -1},
        // Lengths are compared as stored and answered truncated.
        ReaderCase{"StoredLengthShared", {{12, 3, stored(2500.7f)}, {12, 3, stored(2500.7f)}}, storedLength, 2500},
        ReaderCase{"StoredLengthDiffers", {{12, 3, stored(2500.7f)}, {12, 3, stored(2500.2f)}}, storedLength, -1},
        ReaderCase{"CalcTypeOfStirrups", {{8, 1, {}, test::kStirrup}, {10, 1, {}, test::kStirrup}}, calcType, 1},
        ReaderCase{"CalcTypeMixed", {{8, 1, {}, test::kStirrup}, {10, 1}}, calcType, -1},
        ReaderCase{"ShapeShared", {{}, {}}, shapeMain, 190},
        ReaderCase{"ShapeNumberShared", {{}, {}}, shapeNo, 1},
        ReaderCase{"ShapeDiffers", {{}, {12, 3, {}, test::kStirrup}}, shapeMain, -1},
        ReaderCase{"VariableShared", {{12, 3, lengthL(3600)}, {12, 3, lengthL(3600)}}, varL, 3600},
        ReaderCase{"VariableDiffers", {{12, 3, lengthL(3600)}, {12, 3, lengthL(3000)}}, varL, -1.11},
        ReaderCase{"VariableEndShared", {{12, 3, lengthL(3600)}, {12, 3, lengthL(3600)}}, varLEnd, 3600},
        ReaderCase{"VariableTheShapeLacks", {{}, {}}, varMissing, -1.11},
        ReaderCase{"BarGroupAbsent", {{}, {}}, barGroup, 0},
        ReaderCase{"HookDirectionDiffers", {{12, 3, rightHook(8)}, {12, 3, rightHook(16)}}, rightHookDirection, -1},
        ReaderCase{"HookDirectionShared", {{12, 3, rightHook(16)}, {12, 3, rightHook(16)}}, rightHookDirection, 16},
        ReaderCase{"MidConnectStyleShared", {{12, 3, midConnectStyle(3)}, {12, 3, midConnectStyle(3)}}, midStyle, 3},
        ReaderCase{"MidConnectStyleDiffers", {{12, 3, midConnectStyle(3)}, {12, 3, midConnectStyle(7)}}, midStyle, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BatchEditReaders, RowsOutsideTheSelectionOrPageAreNotRead)
{
    BarTable table(2);
    table.addBar(12.0f, 3);
    table.addBar(14.0f, 2);   // not selected
    table.addBar(16.0f, 4);   // page 2
    table.show(1, {1});
    EXPECT_EQ(table.isSameGradeOfSelLine(), 3);
    EXPECT_EQ(table.isSameDNOfSelLine(), 12.0f);
    table.show(2, {1});
    EXPECT_EQ(table.isSameGradeOfSelLine(), 4);
}

// The page layout marks over-long bars on the bars it lays out.
TEST(BatchEditReaders, OverLongMarkOfTheRows)
{
    BarTable table;
    table.addBar();
    table.addBar();
    table.addBar();
    table.bar(0).work = 1;
    table.bar(1).work = 1;
    table.show(1, {1, 2});
    EXPECT_EQ(table.isSameChaochang_SelLine(), 1);
    table.show(1, {1, 2, 3});
    EXPECT_EQ(table.isSameChaochang_SelLine(), -1);
}

TEST(BatchEditReaders, BarGroupShapesAndMarkedBarsCount)
{
    for (const CSteelRecordId key : {CSteelRecordId(109, 1), CSteelRecordId(110, 3)}) {
        BarTable table;
        table.addBar();
        table.addBar(10.0f, 1, {}, key);
        table.show(1, {1, 2});
        EXPECT_EQ(table.isSameMidConnect_HaveSteelGroupOfSelLine(), 1) << key.m_mainId;
    }
}

TEST(BatchEditReaders, TextsAnswerTheSharedTextOrTheirNotSameText)
{
    BarTable table;
    auto formula = [](const QString& text) {
        return [text](CVes_Steel& b) { b.getFirstMidConnect()->countText = text; };
    };
    table.addBar(12.0f, 3, formula(QStringLiteral("L/9000")));
    table.addBar(12.0f, 3, formula(QStringLiteral("L/9000")));
    table.addBar(12.0f, 3, formula(QStringLiteral("2")));
    table.show(1, {1, 2});
    EXPECT_EQ(table.isSameMidConnect_NumStringOfSelLine(), QStringLiteral("L/9000"));
    table.show(1, {1, 3});
    EXPECT_EQ(table.isSameMidConnect_NumStringOfSelLine(), QString());
    // A shape without text variables gives each row the empty text: shared.
    EXPECT_EQ(table.isSameVarStringOfSelLine(QStringLiteral("L")), QString());
}

TEST(BatchEditReaders, ReadingAnIntermediateConnectionAddsNoneToTheBar)
{
    BarTable table;
    table.addBar(12.0f, 3, [](CVes_Steel& b) { b.clearMidConnectArray(); });
    table.show(1, {1});
    const CVes_MidConnect defaults;
    EXPECT_EQ(table.isSameMidConnect_StyleOfSelLine(), defaults.style);
    EXPECT_EQ(table.isSameMidConnect_DingChiOfSelLine(), defaults.fixedLength);
    EXPECT_EQ(table.isSameMidConnect_NumStringOfSelLine(), defaults.countText);
    EXPECT_TRUE(table.bar(0).getMidConnectArray().empty());
}

} // namespace
