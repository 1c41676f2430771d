// Writing one value into every selected, unlocked bar row of the current
// page: which rows change, what empty rows become, the special rules of some
// fields, and the one undo step with the changed flags.

#include "tests/tables/framework/batchedit_support.h"

#include "core/geometry/text.h"
#include "envora/rules.h"
#include "tests/support/recordinghost.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using test::BarTable;

// Which rows a setter writes

struct SetterCase {
    const char* name;
    std::function<void(CVes_TableBase&)> set;
    std::function<bool(const CVes_Steel&)> written;  // the row shows the new value
};

std::ostream& operator<<(std::ostream& os, const SetterCase& c)
{
    return os << c.name;
}

class Setter : public testing::TestWithParam<SetterCase> {};

// Page 1 holds rows 0-3 (0 and 2 selected, 2 locked, 3 a text line), page 2
// rows 4-5.
TEST_P(Setter, WritesSelectedUnlockedBarRowsOfThePageOnly)
{
    const SetterCase& c = GetParam();
    BarTable table(4);
    table.addBar(10.0f, 1);
    table.addBar(10.0f, 1);
    table.addBar(10.0f, 1)->setLock(1);
    table.addTextLine();
    table.addBar(10.0f, 1);
    table.addBar(10.0f, 1);
    table.show(1, {1, 3, 4});

    c.set(table);

    EXPECT_TRUE(c.written(table.bar(0)));
    for (int i : {1, 2, 4, 5})
        EXPECT_FALSE(c.written(table.bar(i))) << "row " << i;
    EXPECT_TRUE(table.edited());
    EXPECT_EQ(table.m_undoSteps, 1);
}

TEST_P(Setter, OnlyLockedRowsSelectedChangeNothing)
{
    const SetterCase& c = GetParam();
    BarTable table(4);
    table.addBar(10.0f, 1)->setLock(1);
    table.addBar(10.0f, 1);
    table.show(1, {1});

    c.set(table);

    EXPECT_FALSE(c.written(table.bar(0)));
    EXPECT_TRUE(table.untouched());
}

const QString kL = QStringLiteral("L");

INSTANTIATE_TEST_SUITE_P(
    BatchEdit, Setter,
    testing::Values(
        SetterCase{"Diameter", [](auto& t) { t.setSelLineDN(20.0f); },
                   [](const CVes_Steel& b) { return b.DN == 20.0f; }},
        SetterCase{"Grade", [](auto& t) { t.setSelLineGrade(5); },
                   [](const CVes_Steel& b) { return b.grade == 5; }},
        SetterCase{"BarType", [](auto& t) { t.setSelLineSteelType(1); },
                   [](const CVes_Steel& b) { return b.steelType == 1; }},
        SetterCase{"Shape", [](auto& t) { t.setSelLineSteelRecord(test::kStirrup); },
                   [](const CVes_Steel& b) { return b.getRecordId() == test::kStirrup; }},
        SetterCase{"Count", [](auto& t) { t.setSellineGenshu(9); },
                   [](const CVes_Steel& b) { return b.count == 9; }},
        SetterCase{"AutoCal", [](auto& t) { t.setSelLineAutoCal(0); },
                   [](const CVes_Steel& b) { return b.calcLength == 0; }},
        SetterCase{"CalcType", [](auto& t) { t.setSelLineSteelCalType(1); },
                   [](const CVes_Steel& b) { return b.isGuJin() == 1; }},
        SetterCase{"OutDim", [](auto& t) { t.setSelLineOutDim(0); },
                   [](const CVes_Steel& b) { return b.getOutDim() == 0; }},
        SetterCase{"MultiValue", [](auto& t) { t.setSelLineMultVar(1); },
                   [](const CVes_Steel& b) { return b.isMultiVal() == 1; }},
        SetterCase{"Groups", [](auto& t) { t.setSelLineGroup(3); },
                   [](const CVes_Steel& b) { return b.getMultiGroup() == 3; }},
        SetterCase{"Variable", [](auto& t) { t.setSelLineVarValue(kL, 4321.0); },
                   [](const CVes_Steel& b) { return b.getVarValue(kL) == 4321.0; }},
        SetterCase{"VariableFormula", [](auto& t) { t.setSelLineVarValue(kL, QStringLiteral("1000+234")); },
                   [](const CVes_Steel& b) { return b.getVarValue(kL) == 1234.0; }},
        SetterCase{"VariableEnd", [](auto& t) { t.setSelLineVarValueE(kL, 7777.0); },
                   [](const CVes_Steel& b) { return b.getVarValueE(kL) == 7777.0; }},
        SetterCase{"VariableEndFormula", [](auto& t) { t.setSelLineVarValueE(kL, QStringLiteral("7000+1")); },
                   [](const CVes_Steel& b) { return b.getVarValueE(kL) == 7001.0; }},
        SetterCase{"HookLeft", [](auto& t) { t.setSelLineHookLeft(1); },
                   [](const CVes_Steel& b) { return b.getHookLeft().enabled == 1; }},
        SetterCase{"HookRightAngle", [](auto& t) { t.setSelLineHookRightAng(2); },
                   [](const CVes_Steel& b) { return b.getHookRight().kind == 2; }},
        SetterCase{"HookLeftDirection", [](auto& t) { t.setSelLineHookLeftDirect(16); },
                   [](const CVes_Steel& b) { return b.getHookLeft().param == 16; }},
        SetterCase{"HookFlip", [](auto& t) { t.setSelLineHookDirectFan(0); },
                   [](const CVes_Steel& b) { return b.getHookLeft().param == 16; }},
        SetterCase{"ConnectStyle", [](auto& t) { t.setSelLineConnect_Style_Left(3); },
                   [](const CVes_Steel& b) { return b.getLConnect()->type == 3; }},
        SetterCase{"ConnectLength", [](auto& t) { t.setSelLineConnect_Len_Right(480); },
                   [](const CVes_Steel& b) { return b.getRConnect()->param == 480; }},
        SetterCase{"ConnectState", [](auto& t) { t.setSelLineConnect_State_Left(0); },
                   [](const CVes_Steel& b) { return b.getLConnect()->flag == 0; }},
        SetterCase{"ConnectThread", [](auto& t) { t.setSelLineConnect_SiKou_Right(0); },
                   [](const CVes_Steel& b) { return b.getRConnect()->direction == 0; }},
        SetterCase{"ConnectOtherThread", [](auto& t) { t.setSelLineConnect_SiKouOrther_Left(0); },
                   [](const CVes_Steel& b) { return b.getLConnect()->farDirection == 0; }},
        SetterCase{"ConnectOtherDiameter", [](auto& t) { t.setSelLineConnect_DNOrther_Right(25.0f); },
                   [](const CVes_Steel& b) { return b.getRConnect()->farDN == 25.0f; }},
        SetterCase{"MidState", [](auto& t) { t.setSelLineMidConnect_State(7); },
                   [](const CVes_Steel& b) { return b.getMidConnectArray().size() == 1 && b.getMidConnectArray()[0]->stat == 7; }},
        SetterCase{"MidCount", [](auto& t) { t.setSelLineMidConnect_Num(5); },
                   [](const CVes_Steel& b) { return b.getMidConnectArray().size() == 1 && b.getMidConnectArray()[0]->valueA == 5; }},
        SetterCase{"MidStyle", [](auto& t) { t.setSelLineMidConnect_Style(6); },
                   [](const CVes_Steel& b) { return b.getMidConnectArray().size() == 1 && b.getMidConnectArray()[0]->style == 6; }},
        SetterCase{"MidStock", [](auto& t) { t.setSelLineMidConnect_DingChi(12000); },
                   [](const CVes_Steel& b) { return b.getMidConnectArray().size() == 1 && b.getMidConnectArray()[0]->fixedLength == 12000; }},
        SetterCase{"MidAutoCount", [](auto& t) { t.setSelLineMidConnect_AutoCal(0); },
                   [](const CVes_Steel& b) { return b.getMidConnectArray().size() == 1 && b.getMidConnectArray()[0]->autoCount == 0; }},
        SetterCase{"MidFormula", [](auto& t) { t.setSelLineMidConnect_NumString(QStringLiteral("L/9000")); },
                   [](const CVes_Steel& b) { return b.getMidConnectArray().size() == 1 && b.getMidConnectArray()[0]->countText == QStringLiteral("L/9000"); }},
        SetterCase{"TextBigger", [](auto& t) { t.setSelLineTextBig(); },
                   [](const CVes_Steel& b) {
                       CVes_Steel fresh;
                       fresh.setRecordId(test::kStraightBar);
                       return b.getVar(kL)->m_height == fresh.getVar(kL)->m_height + 10;
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

// Empty filler rows

struct EmptyRowCase {
    const char* name;
    std::function<void(CVes_TableBase&)> set;
    bool resetsCount;  // count and remark follow the user's content set
    bool resetsShape;
};

std::ostream& operator<<(std::ostream& os, const EmptyRowCase& c)
{
    return os << c.name;
}

class EmptyRow : public testing::TestWithParam<EmptyRowCase> {};

TEST_P(EmptyRow, BecomesARealRowResetByTheContentSet)
{
    const EmptyRowCase& c = GetParam();
    for (const bool keep : {false, true}) {
        // Count, remark and shape bits kept, or none of them.
        test::ContentScope content(keep ? 0x40 | 0x80 | 0x10 : 0x01);
        BarTable table;
        table.addEmptyBar(10.0f, 1);
        table.show(1, {1});

        c.set(table);

        const CVes_Steel& bar = table.bar(0);
        EXPECT_EQ(table.line(0)->isNull(), 0) << keep;
        const bool countGone = c.resetsCount && !keep;
        EXPECT_EQ(bar.count, countGone ? 0 : 4) << keep;
        EXPECT_EQ(bar.remark, countGone ? QString() : QStringLiteral("备注")) << keep;
        const bool shapeGone = c.resetsShape && !keep;
        EXPECT_EQ(bar.getRecordId().isNull(), shapeGone) << keep;
        EXPECT_EQ(table.m_undoSteps, 1) << keep;
    }
}

INSTANTIATE_TEST_SUITE_P(
    BatchEdit, EmptyRow,
    testing::Values(
        EmptyRowCase{"Grade", [](auto& t) { t.setSelLineGrade(3); }, true, true},
        EmptyRowCase{"BarType", [](auto& t) { t.setSelLineSteelType(1); }, true, true},
        EmptyRowCase{"AutoCal", [](auto& t) { t.setSelLineAutoCal(1); }, true, true},
        EmptyRowCase{"CalcType", [](auto& t) { t.setSelLineSteelCalType(0); }, true, true},
        EmptyRowCase{"OutDim", [](auto& t) { t.setSelLineOutDim(1); }, true, true},
        EmptyRowCase{"Groups", [](auto& t) { t.setSelLineGroup(2); }, true, true},
        EmptyRowCase{"Count", [](auto& t) { t.setSellineGenshu(4); }, false, false},
        EmptyRowCase{"MultiValue", [](auto& t) { t.setSelLineMultVar(0); }, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BatchEditSetters, ShapeOnAnEmptyRowResetsCountAndRemarkButKeepsTheNewShape)
{
    test::ContentScope content(0x01);
    BarTable table;
    table.addEmptyBar();
    table.show(1, {1});
    table.setSelLineSteelRecord(test::kStirrup);
    EXPECT_EQ(table.bar(0).getRecordId(), test::kStirrup);
    EXPECT_EQ(table.bar(0).count, 0);
    EXPECT_EQ(table.bar(0).remark, QString());
    EXPECT_EQ(table.line(0)->isNull(), 0);
}

TEST(BatchEditSetters, OtherSettersWriteAnEmptyRowButLeaveItEmpty)
{
    test::ContentScope content(0x01);
    BarTable table;
    table.addEmptyBar();
    table.show(1, {1});
    table.setSelLineHookLeft(1);
    EXPECT_EQ(table.bar(0).getHookLeft().enabled, 1);
    EXPECT_EQ(table.line(0)->isNull(), 1);
    EXPECT_EQ(table.bar(0).count, 4);
}

// Diameter

TEST(BatchEditSetters, DiameterAboveTwelveRaisesGradeOneAndConnectionsFollow)
{
    BarTable table;
    table.addBar(10.0f, 1, [](CVes_Steel& b) {
        b.getLConnect()->farDN = 10.0f;  // leads to a bar of the same size
        b.getRConnect()->farDN = 16.0f;  // leads to another size
    });
    table.addBar(10.0f, 3);
    table.show(1, {1, 2});

    table.setSelLineDN(14.0f);

    EXPECT_EQ(table.bar(0).grade, 2);
    EXPECT_EQ(table.bar(1).grade, 3);
    EXPECT_EQ(table.bar(0).getLConnect()->farDN, 14.0f);
    EXPECT_EQ(table.bar(0).getRConnect()->farDN, 16.0f);
    EXPECT_EQ(table.bar(0).getVarValue(QStringLiteral("d")), 14.0);
    EXPECT_EQ(table.m_undoSteps, 1);

    // Twelve itself does not raise the grade.
    table.show(1, {1});
    table.bar(0).grade = 1;
    table.setSelLineDN(12.0f);
    EXPECT_EQ(table.bar(0).grade, 1);
}

TEST(BatchEditSetters, DiameterOnAnEmptyRowTakesTheDefaultGrade)
{
    test::ContentScope content(0x01);
    BarTable table;
    table.addEmptyBar(10.0f, 1);
    table.show(1, {1});

    table.setSelLineDN(14.0f);

    const CVes_Steel& bar = table.bar(0);
    EXPECT_EQ(bar.grade, Info_getSteelGrade(14.0f));
    EXPECT_EQ(bar.grade, 3);
    EXPECT_EQ(bar.count, 0);
    EXPECT_EQ(bar.remark, QString());
    EXPECT_EQ(table.line(0)->isNull(), 0);
}

struct BadDiameterCase {
    const char* name;
    float d;
    const char* message;
};

std::ostream& operator<<(std::ostream& os, const BadDiameterCase& c)
{
    return os << c.name;
}

class BadDiameter : public testing::TestWithParam<BadDiameterCase> {};

TEST_P(BadDiameter, IsReportedAndChangesNothing)
{
    const BadDiameterCase& c = GetParam();
    test::HostScope host;
    BarTable table;
    table.addBar(10.0f, 1);
    table.show(1, {1});

    table.setSelLineDN(c.d);

    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(host->messages()[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(host->messages()[0].icon, platform::MessageIcon::Stop);
    EXPECT_EQ(table.bar(0).DN, 10.0f);
    EXPECT_TRUE(table.untouched());
}

INSTANTIATE_TEST_SUITE_P(
    BatchEdit, BadDiameter,
    testing::Values(BadDiameterCase{"NotInSizeTable", 13.0f, "13 ——钢筋直径值输入不正确！\n"},
                    BadDiameterCase{"Fraction", 7.5f, "7.5 ——钢筋直径值输入不正确！\n"},
                    BadDiameterCase{"Zero", 0.0f, "0 ——钢筋直径值输入不正确！\n"},
                    BadDiameterCase{"Negative", -8.0f, "-8 ——钢筋直径值输入不正确！\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// A dimension typed into the bar pane, start or end value, is held as its
// cell holds it: refused once with what the field takes, no bar changed.
struct BadDimensionCase {
    const char* name;
    bool end;
    const char* typed;
};

std::ostream& operator<<(std::ostream& os, const BadDimensionCase& c)
{
    return os << c.name;
}

class BadDimension : public testing::TestWithParam<BadDimensionCase> {};

TEST_P(BadDimension, IsRefusedAndChangesNothing)
{
    const BadDimensionCase& c = GetParam();
    test::HostScope host;
    BarTable table;
    table.addBar(10.0f, 1);
    table.show(1, {1});
    const CVes_Variable before = *table.bar(0).getVar(kL);

    const QString typed = QString::fromUtf8(c.typed);
    c.end ? table.setSelLineVarValueE(kL, typed) : table.setSelLineVarValue(kL, typed);

    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_TRUE(host->messages()[0].text.startsWith(
        QStringLiteral("[%1] 尺寸必须是-1000000到1000000之间的数").arg(typed)))
        << host->messages()[0].text.toStdString();
    EXPECT_EQ(table.bar(0).getVar(kL)->m_value, before.m_value);
    EXPECT_EQ(table.bar(0).getVar(kL)->m_value2, before.m_value2);
    EXPECT_TRUE(table.untouched());
}

INSTANTIATE_TEST_SUITE_P(
    BatchEdit, BadDimension,
    testing::Values(BadDimensionCase{"Letters", false, "abc"},
                    BadDimensionCase{"UnknownVariable", false, "X+1"},
                    BadDimensionCase{"BeyondTheField", false, "99999999999"},
                    BadDimensionCase{"PastTheLeast", false, "-1000001"},
                    BadDimensionCase{"EndLetters", true, "abc"},
                    BadDimensionCase{"EndBeyondTheField", true, "1e7"}),
    [](const auto& info) { return std::string(info.param.name); });

// Special rules

TEST(BatchEditSetters, ConnectionTypeNineIsAReversedStraightCoupler)
{
    BarTable table;
    table.addBar(20.0f, 3, [](CVes_Steel& b) { b.getRConnect()->direction = 1; });
    table.show(1, {1});
    table.setSelLineConnect_Style_Right(9);
    EXPECT_EQ(table.bar(0).getRConnect()->type, 8);
    EXPECT_EQ(table.bar(0).getRConnect()->direction, 0);
    EXPECT_EQ(table.isSameConnect_Style_RightOfSelLine(), 8);
    EXPECT_EQ(table.isSameConnect_SiKou_RightOfSelLine(), 0);
}

TEST(BatchEditSetters, TiedLapTakesTheLapLengthOfTheBar)
{
    BarTable table;
    table.setExVarVal(CVes_TableBase::kVarSeismic, 3.0);
    table.setExVarVal(CVes_TableBase::kVarConcrete, 30.0);
    table.addBar(20.0f, 3, [](CVes_Steel& b) { b.getLConnect()->param = 7; b.getRConnect()->param = 7; });
    table.addBar(12.5f, 3, [](CVes_Steel& b) { b.steelType = 1; });
    table.show(1, {1, 2});

    table.setSelLineConnect_Style_Left(1);
    table.setSelLineConnect_Style_Right(1);

    const int lap20 = table.getLle(3, 20, 0);
    const int lap12 = table.getLle(3, 12, 1);  // diameter truncated
    ASSERT_GT(lap20, 0);
    EXPECT_EQ(table.bar(0).getLConnect()->param, lap20);
    EXPECT_EQ(table.bar(0).getRConnect()->param, lap20);
    EXPECT_EQ(table.bar(1).getLConnect()->param, lap12);
    EXPECT_EQ(table.bar(0).getLConnect()->type, 1);

    // Other types keep length and thread.
    table.setSelLineConnect_Style_Left(3);
    EXPECT_EQ(table.bar(0).getLConnect()->param, lap20);
    EXPECT_EQ(table.m_undoSteps, 3);
}

struct FlipCase {
    const char* name;
    unsigned int which;
    int left;   // directions afterwards, from left 16, right 8
    int right;
    bool changes;
};

std::ostream& operator<<(std::ostream& os, const FlipCase& c)
{
    return os << c.name;
}

class HookFlip : public testing::TestWithParam<FlipCase> {};

TEST_P(HookFlip, SwapsSixteenAndEight)
{
    const FlipCase& c = GetParam();
    BarTable table;
    table.addBar(10.0f, 1, [](CVes_Steel& b) {
        CVes_Hook left = b.getHookLeft();
        left.param = 16;
        b.setHookLeft(left);
        CVes_Hook right = b.getHookRight();
        right.param = 8;
        b.setHookRight(right);
    });
    table.show(1, {1});
    table.setSelLineHookDirectFan(c.which);
    EXPECT_EQ(table.bar(0).getHookLeft().param, c.left);
    EXPECT_EQ(table.bar(0).getHookRight().param, c.right);
    EXPECT_EQ(table.m_undoSteps, c.changes ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(BatchEdit, HookFlip,
                         testing::Values(FlipCase{"Both", 0, 8, 16, true},
                                         FlipCase{"Left", 1, 8, 8, true},
                                         FlipCase{"Right", 2, 16, 16, true},
                                         FlipCase{"Unknown", 3, 16, 8, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BatchEditSetters, FlipTurnsAnyOtherDirectionToSixteen)
{
    BarTable table;
    table.addBar(10.0f, 1, [](CVes_Steel& b) {
        CVes_Hook left = b.getHookLeft();
        left.param = 0;
        b.setHookLeft(left);
    });
    table.show(1, {1});
    table.setSelLineHookDirectFan(1);
    EXPECT_EQ(table.bar(0).getHookLeft().param, 16);
}

TEST(BatchEditSetters, StoredLengthOnlyWhenEveryBarHasItsLengthTyped)
{
    BarTable table;
    table.addBar(10.0f, 1, [](CVes_Steel& b) { b.calcLength = 0; });
    table.addBar(10.0f, 1, [](CVes_Steel& b) { b.calcLength = 1; });
    table.show(1, {1, 2});
    table.setSelLineDlLength(2345);
    EXPECT_NE(table.bar(0).length, 2345.0f);
    EXPECT_TRUE(table.untouched());

    table.show(1, {1});
    table.setSelLineDlLength(2345);
    EXPECT_EQ(table.bar(0).length, 2345.0f);
    EXPECT_EQ(table.isSameDlLengthOfSelLine(), 2345);
    EXPECT_EQ(table.m_undoSteps, 1);
}

// A number typed into the bar pane is held to its field as typing it into
// its cell would be: the least and the most are taken, one past either is
// refused with what the field takes, and then no bar changes.
struct PaneNumberCase {
    const char* name;
    void (CVes_TableBase::*set)(int);
    int (*stored)(const CVes_Steel&);
    int least;
    int most;
    const char* takes;
};

std::ostream& operator<<(std::ostream& os, const PaneNumberCase& c) { return os << c.name; }

class PaneNumbers : public testing::TestWithParam<PaneNumberCase> {};

TEST_P(PaneNumbers, TakeTheirFieldsRangeOnly)
{
    const PaneNumberCase& c = GetParam();
    BarTable table;
    table.addBar(10.0f, 1, [](CVes_Steel& b) {
        b.calcLength = 0;
        b.setMultiVal(1);
    });
    table.show(1, {1});
    for (const int value : {c.least, c.most}) {
        (table.*c.set)(value);
        EXPECT_EQ(c.stored(table.bar(0)), value);
    }
    for (const int value : {c.least - 1, c.most + 1}) {
        test::HostScope host;
        const int undoSteps = table.m_undoSteps;
        (table.*c.set)(value);
        EXPECT_EQ(c.stored(table.bar(0)), c.most);
        EXPECT_EQ(table.m_undoSteps, undoSteps);
        EXPECT_EQ(host->messageTexts(),
                  QStringList{QStringLiteral("[%1] %2").arg(value).arg(QString::fromUtf8(c.takes))});
    }
}

INSTANTIATE_TEST_SUITE_P(
    BatchEdit, PaneNumbers,
    testing::Values(
        PaneNumberCase{"Count", &CVes_TableBase::setSellineGenshu,
                       [](const CVes_Steel& b) { return b.count; }, 0, 99999,
                       "根数必须是0到99999之间的整数"},
        PaneNumberCase{"Groups", &CVes_TableBase::setSelLineGroup,
                       [](const CVes_Steel& b) { return b.getMultiGroup(); }, 0, 99999,
                       "组数必须是0到99999之间的整数"},
        PaneNumberCase{"TypedLength", &CVes_TableBase::setSelLineDlLength,
                       [](const CVes_Steel& b) { return int(b.length); }, 0, 1000000,
                       "断料长度必须是0到1000000之间的数"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BatchEditSetters, MultiValueModeAndGroupsGiveTheSteps)
{
    BarTable table;
    table.addBar(10.0f, 1, [](CVes_Steel& b) {
        b.setVarValue(QStringLiteral("L"), 1000.0);
        b.setVarValueE(QStringLiteral("L"), 4000.0);
    });
    table.show(1, {1});
    table.setSelLineMultVar(1);
    table.setSelLineGroup(4);
    EXPECT_EQ(table.isSameMultVarOfSelLine(), 1);
    EXPECT_EQ(table.isSameGroupOfSelLine(), 4);
    EXPECT_DOUBLE_EQ(table.bar(0).getVar(QStringLiteral("L"))->m_step, 1000.0);
    EXPECT_EQ(table.m_undoSteps, 2);
}

TEST(BatchEditSetters, MirrorsFlipTheShapeWithoutFlagsOrUndo)
{
    BarTable table;
    table.addBar();
    table.addBar()->setLock(1);
    table.show(1, {1, 2});
    table.setSelLineModelMirrorHor();
    EXPECT_EQ(table.bar(0).getMirror(), CVes_ReferenceBase::kMirrorLeftRight);
    EXPECT_EQ(table.bar(1).getMirror(), 0u);
    table.setSelLineModelMirrorVer();
    EXPECT_EQ(table.bar(0).getMirror(),
              CVes_ReferenceBase::kMirrorLeftRight | CVes_ReferenceBase::kMirrorTopBottom);
    EXPECT_TRUE(table.untouched());
}

// Text sizes and printed rows

TEST(BatchEditSetters, TextsShrinkOnlyWhileTheyStayVisible)
{
    BarTable table;
    table.addBar();
    table.show(1, {1});
    table.setAllLineSteelTextHigh(20);
    table.clearFlags();

    table.setSelLineTextSmall();
    EXPECT_EQ(table.bar(0).getVar(QStringLiteral("L"))->m_height, 10);
    EXPECT_EQ(table.m_undoSteps, 1);

    table.clearFlags();
    table.setSelLineTextSmall();
    EXPECT_EQ(table.bar(0).getVar(QStringLiteral("L"))->m_height, 10);
    EXPECT_TRUE(table.untouched());
}

TEST(BatchEditSetters, TextHeightOfTheWholeTableSkipsOnlyLockedRows)
{
    BarTable table(2);
    table.addBar();
    table.addBar()->setLock(1);
    table.addBar();  // page 2
    table.show(1, {});

    table.setAllLineSteelTextHigh(0);
    EXPECT_TRUE(table.untouched());

    table.setAllLineSteelTextHigh(90);
    EXPECT_EQ(table.bar(0).getVar(QStringLiteral("L"))->m_height, 90);
    EXPECT_NE(table.bar(1).getVar(QStringLiteral("L"))->m_height, 90);
    EXPECT_EQ(table.bar(2).getVar(QStringLiteral("L"))->m_height, 90);
    EXPECT_EQ(table.m_undoSteps, 1);
    EXPECT_TRUE(table.edited());
}

TEST(BatchEditSetters, PrintedRowsTakeAnyUnlockedRowAndRepage)
{
    BarTable table(4);
    table.addBar();
    table.addTextLine();
    table.addBar();
    table.addBar()->setLock(1);
    table.show(1, {2, 3, 4});

    table.setSelLineHighNum(0);
    EXPECT_TRUE(table.untouched());

    table.setSelLineHighNum(2);
    EXPECT_EQ(table.line(0)->getRows(), 1);
    EXPECT_EQ(table.line(1)->getRows(), 2);
    EXPECT_EQ(table.line(2)->getRows(), 2);
    EXPECT_EQ(table.line(3)->getRows(), 1);
    // 1 + 2 fill three of four rows; the next two-row line goes to page 2.
    EXPECT_EQ(table.getPages(), 2);
    EXPECT_EQ(table.pageLines().size(), 2);
    EXPECT_EQ(table.m_undoSteps, 1);
    EXPECT_TRUE(table.edited());
}

} // namespace
