// The bar-property pane's grid: which grid is built for what the user looks
// at, every bar item with its caption, kind and visibility, the rules that
// show and hide items by the selected rows' values, mixed values, the page
// and cover grids, and the refresh in place as the selection moves.

#include "tests/app/support/barproperty_support.h"

#include "app/panes/barpropertyitems.h"
#include "tables/processing/processtable.h"
#include "tables/quantity/sltable.h"
#include "tests/tables/processing/processing_support.h"

#include <QApplication>
#include <QTest>

namespace {

using test::GridRow;
using test::fillBarList;
using test::paneBar;
using namespace barprop;

class PaneGrid : public test::PaneFixture {};

TEST_F(PaneGrid, OneBarOfABarListShowsEveryBarItem)
{
    show({paneBar("1")}, {1});
    const std::vector<GridRow> expected = {
        {1, "钢筋基本属性", "category", false},
        {101, "钢筋编号", "text", false},
        {107, "每件根数", "number", false},
        {102, "钢筋是否缩尺", "bool", false},
        {103, "每组根数", "number", true},
        {0, "钢筋规格", "category", false},
        {111, "级别", "enum", false},
        {112, "直径(mm)", "double", false},
        {113, "种类", "enum", false},
        {0, "断料长度(mm)", "category", false},
        {105, "系统计算", "bool", false},
        {106, "人工填写", "double", true},
        {109, "如何计算", "enum", false},
        {108, "尺寸标注", "enum", false},
        {0, "钢筋间距", "category", false},
        {121, "加密区", "text", false},
        {122, "非加密区", "text", false},
        {123, "搭接区", "text", false},
        {0, "安装起点", "category", false},
        {251, "形状", "picture", false},
        {252, "水平翻转", "button", false},
        {0, "钢筋大样", "category", false},
        {201, "形状", "picture", false},
        {202, "水平翻转", "button", false},
        {203, "垂直翻转", "button", false},
        {220, "变量名称", "text", false},
        {221, "变量值", "text", false},
        {2, "钢筋高级属性", "category", false},
        {0, "端头弯钩构造", "category", false},
        {301, "端头一", "bool", false},
        {302, "角度", "enum", true},
        {303, "方向", "enum", true},
        {311, "端头二", "bool", false},
        {312, "角度", "enum", true},
        {313, "方向", "enum", true},
        {0, "端头一连接参数", "category", false},
        {401, "连接方式", "enum", false},
        {402, "连接长度", "double", false},
        {403, "是否统计", "enum", false},
        {404, "本钢筋丝扣", "enum", true},
        {405, "对接钢筋丝扣", "enum", true},
        {406, "对接钢筋直径", "enum", true},
        {0, "端头二连接参数", "category", false},
        {411, "连接方式", "enum", false},
        {412, "连接长度", "double", true},
        {413, "是否统计", "enum", true},
        {414, "本钢筋丝扣", "enum", true},
        {415, "对接钢筋丝扣", "enum", true},
        {416, "对接钢筋直径", "enum", true},
        {4000, "超长钢筋中间连接设置", "category", false},
        {4001, "是否统计", "enum", false},
        {4002, "连接方式", "enum", true},
        {4003, "接头数计算", "enum", false},
        {4004, "定尺长度(mm)", "number", false},
        {4005, "人工填写", "text", true},
    };
    EXPECT_EQ(test::gridRows(*pane.grid()), expected);
    EXPECT_EQ(value(kNumber), "1");
    EXPECT_EQ(value(kCount), "4");
    EXPECT_EQ(value(kGrade), "三级钢(HRB400)");
    EXPECT_EQ(value(kDiameter), "20.0");
    EXPECT_EQ(value(kShape), "150-040");
    EXPECT_EQ(value(kVarName), "L");
    EXPECT_EQ(value(kVarValue), "3000.0");
    EXPECT_EQ(value(kConnectStyle), "绑扎搭接");
    EXPECT_EQ(value(kConnectLength), "800");
    EXPECT_EQ(value(kConnectStyle + kRightEnd), "非连接端");
    EXPECT_TRUE(pane.grid()->GetSelectedItem() == item(kNumber));
    auto* shape = dynamic_cast<CShapePictureItem*>(item(kShape));
    ASSERT_NE(shape, nullptr);
    EXPECT_NE(shape->GetPicture(), nullptr);
    EXPECT_EQ(shape->GetHeight(), 32);
    EXPECT_NE(shape->GetInplaceButtons()->Find(XTP_ID_PROPERTYGRID_EXPANDBUTTON), nullptr);
}

// Values and visibility by the selected rows

struct RuleCase {
    const char* name;
    std::vector<test::BarSetup> bars; // all selected
    std::vector<int> shown;
    std::vector<int> hidden;
    std::vector<std::pair<int, const char*>> values;
};

std::ostream& operator<<(std::ostream& os, const RuleCase& c)
{
    return os << c.name;
}

class PaneRules : public test::PaneFixture, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(PaneRules, ItemsFollowTheSelectedRows)
{
    const RuleCase& c = GetParam();
    std::vector<CVes_Steel> bars;
    std::vector<int> selected;
    for (const test::BarSetup& setup : c.bars) {
        bars.push_back(paneBar(std::to_string(bars.size() + 1).c_str(), setup));
        selected.push_back(int(bars.size()));
    }
    show(bars, selected);
    for (int id : c.shown) {
        ASSERT_NE(item(id), nullptr) << id;
        EXPECT_FALSE(hidden(id)) << id;
    }
    for (int id : c.hidden)
        EXPECT_TRUE(hidden(id)) << id;
    for (const auto& [id, text] : c.values)
        EXPECT_EQ(value(id), text) << id;
}

test::BarSetup grade(int g)
{
    return [g](CVes_Steel& b) { b.grade = g; };
}
test::BarSetup leftConnection(int type)
{
    return [type](CVes_Steel& b) { b.getLConnect()->type = type; };
}
test::BarSetup plain()
{
    return {};
}
test::BarSetup leftHook(int kind, int direction)
{
    return [kind, direction](CVes_Steel& b) {
        CVes_Hook hook;
        hook.enabled = 1;
        hook.kind = kind;
        hook.param = direction;
        b.setHookLeft(hook);
    };
}

INSTANTIATE_TEST_SUITE_P(
    Bars, PaneRules,
    ::testing::Values(
        RuleCase{"SeveralRowsHideTheNumber", {plain(), plain()}, {kCount}, {kNumber}, {{kCount, "4"}}},
        RuleCase{"MixedGradesChooseNoGrade", {grade(1), grade(3)}, {kGrade}, {}, {{kGrade, ""}}},
        RuleCase{"MixedCountsShowNoCount",
                 {plain(), [](CVes_Steel& b) { b.count = 6; }}, {kCount}, {}, {{kCount, ""}}},
        RuleCase{"MixedDiametersShowNoDiameter",
                 {plain(), [](CVes_Steel& b) { b.setDN(25.0f); }}, {}, {}, {{kDiameter, ""}}},
        RuleCase{"NoConnectionHidesLengthAndCount", {leftConnection(0)}, {kConnectStyle},
                 {kConnectLength, kConnectCounted, kConnectThread, kConnectOtherThread, kConnectOtherDiameter},
                 {}},
        RuleCase{"ACouplerShowsItsThreadsAndTheOtherDiameter", {leftConnection(7)},
                 {kConnectLength, kConnectCounted, kConnectThread, kConnectOtherThread, kConnectOtherDiameter},
                 {}, {{kConnectOtherDiameter, "20 mm"}}},
        RuleCase{"AWeldKeepsNoThreads", {leftConnection(2)}, {kConnectLength, kConnectCounted},
                 {kConnectThread, kConnectOtherThread, kConnectOtherDiameter}, {}},
        RuleCase{"TheOtherBarsRealDiameterIsShown",
                 {[](CVes_Steel& b) {
                     b.getLConnect()->type = 8;
                     b.getLConnect()->farDN = 6.5f;
                 }},
                 {kConnectOtherDiameter}, {}, {{kConnectOtherDiameter, "6.5 mm"}}},
        RuleCase{"AHookShowsItsAngleAndDirection",
                 {leftHook(2, 16)},
                 {kHook, kHookAngle, kHookDirection}, {kHookAngle + kRightEnd},
                 {{kHookAngle, "135°"}, {kHookDirection, "逆时针"}}},
        RuleCase{"RowsDifferingInAHookShowNoHookItem",
                 {plain(), leftHook(4, 8)},
                 {kHook + kRightEnd}, {kHook}, {}},
        RuleCase{"ATypedLengthShowsItsLength",
                 {[](CVes_Steel& b) {
                     b.calcLength = 0;
                     b.length = 2550.0f;
                 }},
                 {kManualLength}, {kCalcType, kOutDim}, {{kManualLength, "2550"}}},
        RuleCase{"AScaledBarShowsGroupsAndBothEnds",
                 {[](CVes_Steel& b) {
                     b.setMultiVal(1);
                     b.setMultiGroup(3);
                     b.setVarValueE(QStringLiteral("L"), 3600.0);
                 }},
                 {kPerGroup}, {}, {{kPerGroup, "3"}, {kVarValue, "3000.0"}, {kVarValueEnd, "3600.0"}}},
        RuleCase{"ABarGroupHidesTheIntermediateConnections",
                 {[](CVes_Steel& b) { b.setRecordId(CSteelRecordId(109, 1)); }}, {}, {kMidCategory}, {}},
        RuleCase{"CountedJointsByStockLength",
                 {[](CVes_Steel& b) {
                     b.getFirstMidConnect()->stat = 1;
                     b.getFirstMidConnect()->autoCount = 0;
                 }},
                 {kMidStyle, kMidCountText}, {kMidStockLength}, {}},
        RuleCase{"SpacingsOfTheRows", {[](CVes_Steel& b) { b.spacing1 = QStringLiteral("100"); }},
                 {kSpacingDense}, {}, {{kSpacingDense, "100"}, {kSpacingNormal, ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ComputeCase {
    int connection;
    bool enabled;
};

class PaneComputeButton : public test::PaneFixture, public ::testing::WithParamInterface<ComputeCase> {};

TEST_P(PaneComputeButton, IsEnabledOnlyForLapsAndLapWelds)
{
    show({paneBar("1", leftConnection(GetParam().connection))}, {1});
    CXTPPropertyGridInplaceButton* compute = item(kConnectLength)->GetInplaceButtons()->Find(kComputeButton);
    ASSERT_NE(compute, nullptr);
    EXPECT_EQ(compute->GetCaption(), "计算");
    EXPECT_EQ(compute->GetEnabled(), GetParam().enabled);
    EXPECT_EQ(item(kConnectLength)->GetCaption(),
              GetParam().connection > 1 ? QStringLiteral("连接留量") : QStringLiteral("连接长度"));
}

INSTANTIATE_TEST_SUITE_P(Connections, PaneComputeButton,
                         ::testing::Values(ComputeCase{1, true}, ComputeCase{2, false},
                                           ComputeCase{3, false}, ComputeCase{4, true},
                                           ComputeCase{5, true}, ComputeCase{6, false},
                                           ComputeCase{7, false}, ComputeCase{8, false}));

TEST_F(PaneGrid, TheShapesVariablesAreListedByKindWithTextsAsTexts)
{
    show({paneBar("1", [](CVes_Steel& b) {
        b.setRecordId(test::kPaneBent);
        b.getVarArrayFromRecord();
    })},
         {1});
    QStringList names;
    QStringList values;
    CXTPPropertyGridItems* shape = item(kShape)->GetParentItem()->GetChilds();
    for (int i = 0; i < shape->GetCount(); ++i) {
        if (shape->GetAt(i)->GetID() != kVarName)
            continue;
        names << shape->GetAt(i)->GetValue();
        values << shape->GetAt(i)->GetChilds()->GetAt(0)->GetValue();
        EXPECT_TRUE(shape->GetAt(i)->GetReadOnly());
    }
    // The computed C is not the user's to give.
    EXPECT_EQ(names, (QStringList{"A", "B", "T"}));
    EXPECT_EQ(values, (QStringList{"1000.0", "500.0", "弯起"}));
}

TEST_F(PaneGrid, RowsOfDifferentShapesShowNoShape)
{
    show({paneBar("1"), paneBar("2", [](CVes_Steel& b) { b.setRecordId(test::kPaneBent); })}, {1, 2});
    auto* shape = dynamic_cast<CShapePictureItem*>(item(kShape));
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->GetValue(), "");
    EXPECT_EQ(shape->GetPicture(), nullptr);
}

// Other sheets

TEST(PaneOnAProcessingSheet, CountsTheTotalAndHasNoSpacingOrStartPoint)
{
    test::HostScope host;
    test::ProcessingShapes shapes;
    CVes_ProcessTable sheet;
    sheet.appendLine(test::barRow(test::shapedBar("5", test::kStraight, "L", 3000, 4, 2, 16.0f)));
    sheet.firstPage();
    sheet.AddSelect(1, 1);
    CBarPropertyPaneWnd pane;
    pane.setTable(&sheet);
    ASSERT_EQ(pane.Rebuild(), 1);
    EXPECT_EQ(pane.grid()->FindItem(kCount)->GetCaption(), "总根数");
    EXPECT_EQ(pane.grid()->FindItem(kCount)->GetValue(), "4");
    for (const GridRow& row : test::gridRows(*pane.grid())) {
        EXPECT_NE(row.caption, "钢筋间距");
        EXPECT_NE(row.caption, "安装起点");
        EXPECT_NE(row.id, kStartShape);
    }
    EXPECT_NE(pane.grid()->FindItem(kShape), nullptr);
}

// Choosing what to build

TEST_F(PaneGrid, NoTableBuildsNothing)
{
    CBarPropertyPaneWnd empty;
    EXPECT_EQ(empty.Rebuild(), 0);
    EXPECT_EQ(empty.grid()->GetCategories()->GetCount(), 0);
}

TEST_F(PaneGrid, NoPageEmptiesTheGridAndAnEmptyRowShowsNothing)
{
    show({paneBar("1")}, {1});
    table.clearnAllLine();
    EXPECT_EQ(pane.Rebuild(), 0);
    EXPECT_EQ(pane.grid()->GetCategories()->GetCount(), 0);

    fillBarList(table, {paneBar("1")}, {2}); // the page's empty filler row
    EXPECT_EQ(pane.Rebuild(), 0);
    EXPECT_EQ(pane.grid()->GetCategories()->GetCount(), 0);
}

TEST_F(PaneGrid, APageWithoutSelectionShowsThePageSettings)
{
    fillBarList(table, {paneBar("1")}, {});
    ASSERT_EQ(pane.Rebuild(), 1);
    QStringList categories;
    for (int i = 0; i < pane.grid()->GetCategories()->GetCount(); ++i)
        categories << pane.grid()->GetCategories()->GetAt(i)->GetCaption();
    EXPECT_EQ(categories, (QStringList{"页边距（毫米）", "页面方向", "表格行设定", "表格列设定",
                                       "表格属性", "本页汇总属性"}));
    EXPECT_EQ(value(kOrientation), "横向");
    EXPECT_EQ(value(kTitle), table.m_texts[0].m_formula.toStdString());
    EXPECT_EQ(item(kTitle)->GetCaption(), "表单标题");
    EXPECT_EQ(value(kTitle + 1), table.m_texts[2].m_formula.toStdString()); // 工程名称
    EXPECT_EQ(item(kTitle + 1)->GetCaption(), "工程名称");
    EXPECT_NE(item(kDefaultPieces), nullptr);
    EXPECT_NE(item(kShowSummary), nullptr);
    EXPECT_TRUE(item(kTitle)->IsSelected());
    // Every column, with its width; the stretched one is not typed in.
    EXPECT_EQ(value(kColumnCaption + CVes_SetupTable::kColNumber), "钢筋编号"); // on one line
    EXPECT_EQ(value(kColumnWidth + 0), std::to_string(table.m_widths[0]));
    EXPECT_TRUE(item(kColumnWidth + table.m_stretchColumn)->GetReadOnly());
    EXPECT_EQ(item(kColumnCaption + table.m_columnNum), nullptr);
}

TEST_F(PaneGrid, TheHeadingTheUserIsAtIsHighlighted)
{
    constexpr platform::gdi::COLORREF kHighlight = platform::gdi::RGB(224, 254, 8);
    fillBarList(table, {paneBar("1")}, {});
    table.setCurRow(0); // the column headings
    table.setCurCol(4);
    pane.Rebuild();
    CXTPPropertyGridItem* column = item(kColumnCaption + 4);
    EXPECT_TRUE(column->IsSelected());
    EXPECT_TRUE(column->IsExpanded());
    EXPECT_EQ(column->GetCaptionMetrics()->m_clrBack, kHighlight);
    EXPECT_EQ(item(kColumnWidth + 4)->GetCaptionMetrics()->m_clrBack, kHighlight);
    EXPECT_EQ(item(kColumnCaption + 3)->GetCaptionMetrics()->m_clrBack, CLR_DEFAULT);

    table.setCurRow(CVes_TableBase::kTitleTextRow); // the title block's 施工部位
    table.setCurCol(2);
    pane.Rebuild();
    EXPECT_EQ(item(kTitle + 2)->GetCaptionMetrics()->m_clrBack, kHighlight);
    EXPECT_EQ(item(kTitle)->GetCaptionMetrics()->m_clrBack, CLR_DEFAULT);
    EXPECT_TRUE(item(kTitle)->IsSelected());
}

TEST_F(PaneGrid, TheCoverShowsItsRows)
{
    fillBarList(table, {paneBar("1")}, {});
    table.setPageTo(0, 1);
    table.m_cover.m_curVar = 2;
    ASSERT_EQ(pane.Rebuild(), 1);
    const int rows = int(table.m_cover.m_variables.size());
    ASSERT_GT(rows, 3);
    EXPECT_EQ(pane.grid()->GetCategories()->GetCount(), rows + 1);
    EXPECT_EQ(pane.grid()->GetCategories()->GetAt(0)->GetCaption(), "打印属性");
    EXPECT_NE(item(kCoverPrinted), nullptr);
    const CVes_Variable& third = *table.m_cover.m_variables[2];
    EXPECT_EQ(value(kCoverText + 20), third.m_text.toStdString());
    EXPECT_EQ(value(kCoverSize + 20), QString::asprintf("%.1f", third.m_height / 10.0).toStdString());
    CXTPPropertyGridItem* current = pane.grid()->GetCategories()->GetAt(3);
    EXPECT_EQ(current->GetCaption(), "第3行");
    EXPECT_TRUE(current->IsExpanded());
    EXPECT_TRUE(current->IsSelected());
    EXPECT_EQ(current->GetCaptionMetrics()->m_clrBack, platform::gdi::RGB(224, 254, 8));
}

TEST_F(PaneGrid, TheSummaryRowsSelectTheSummaryItems)
{
    fillBarList(table, {paneBar("1")}, {});
    table.m_pageSummary = 1;
    table.setCurRow(table.rowsPerPage() + 1);
    pane.Rebuild();
    EXPECT_TRUE(item(kShowSummary)->IsSelected());
    EXPECT_FALSE(item(kLanguage)->GetParentItem()->IsExpanded());
    EXPECT_TRUE(item(kShowSummary)->GetParentItem()->IsExpanded());
}

TEST(PaneOnAQuantitySheet, HasThePageSummaryItems)
{
    CVes_SLTable sheet;
    sheet.setPageTo(1, 1);
    sheet.clearSelect();
    CBarPropertyPaneWnd pane;
    pane.setTable(&sheet);
    ASSERT_EQ(pane.Rebuild(), 1);
    EXPECT_NE(pane.grid()->FindItem(kShowSummary), nullptr);
    EXPECT_EQ(pane.grid()->FindItem(kDefaultPieces), nullptr);
}

// Refresh in place

TEST_F(PaneGrid, MovingToAnotherBarRowKeepsTheLayout)
{
    show({paneBar("1"), paneBar("2", [](CVes_Steel& b) {
              b.grade = 1;
              b.getLConnect()->type = 0;
          })},
         {1});
    CXTPPropertyGridItem* number = item(kNumber);
    item(kAdvancedCategory)->Collapse();
    table.AddSelect(2, 1);
    EXPECT_EQ(pane.Rebuild(), 1);
    EXPECT_EQ(item(kNumber), number); // the same item, given new values
    EXPECT_EQ(value(kNumber), "2");
    EXPECT_EQ(value(kGrade), "一级钢(HPB300)");
    EXPECT_TRUE(hidden(kConnectLength));
    EXPECT_FALSE(item(kAdvancedCategory)->IsExpanded());
    QApplication::processEvents(); // the replaced shape items go
    EXPECT_EQ(value(kVarValue), "3000.0");
}

TEST_F(PaneGrid, AnotherTableIsBuiltAfresh)
{
    show({paneBar("1")}, {1});
    CXTPPropertyGridItem* number = item(kNumber);
    CVes_SetupTable other;
    fillBarList(other, {paneBar("7")}, {1});
    pane.setTable(&other);
    pane.Rebuild();
    EXPECT_NE(item(kNumber), number);
    EXPECT_EQ(value(kNumber), "7");
}

TEST_F(PaneGrid, TheTopCategoriesKeepTheUsersExpansion)
{
    show({paneBar("1")}, {1});
    item(kBasicCategory)->node()->setExpanded(false); // as the user's click does
    EXPECT_EQ(pane.isBasicExpanded(), 0);
    fillBarList(table, {paneBar("1")}, {});
    pane.Rebuild(); // the page grid
    fillBarList(table, {paneBar("1")}, {1});
    pane.Rebuild();
    EXPECT_FALSE(item(kBasicCategory)->IsExpanded());
    EXPECT_TRUE(item(kAdvancedCategory)->IsExpanded());
}

} // namespace
