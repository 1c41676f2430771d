#include "tables/framework/tablebase.h"

#include "core/geometry/text.h"
#include "envora/anchorage.h"
#include "tables/framework/form.h"

#include <gtest/gtest.h>

namespace {

constexpr int kHRB400 = 3;

TEST(DesignVariables, SetCreatesThenUpdatesByExactName)
{
    CVes_TableBase table;
    EXPECT_EQ(table.getExVarVal(QStringLiteral("保护层")), -1.0);
    table.setExVarVal(QStringLiteral("保护层"), 25.0);
    table.setExVarVal(QStringLiteral("保护层"), 30.0);
    table.setExVarVal(QStringLiteral("保护层 "), 40.0);
    ASSERT_EQ(table.exVars().size(), 2u);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("保护层")), 30.0);

    table.setExVarVal(QStringLiteral("说明"), QStringLiteral("滑模"));
    CVes_Variable* text = table.getExVar(QStringLiteral("说明"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->m_type, CVes_Variable::kTextKind);
    EXPECT_EQ(text->m_formula, QStringLiteral("滑模"));
    // Setting the text of a number variable keeps its kind.
    table.setExVarVal(QStringLiteral("保护层"), QStringLiteral("x"));
    EXPECT_EQ(table.getExVar(QStringLiteral("保护层"))->m_type, CVes_Variable::kGiven);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("保护层")), 30.0);
}

TEST(DesignVariables, WithoutVariablesEnvoraGetsTheMissingValues)
{
    CVes_TableBase table;
    EXPECT_EQ(table.getLle(kHRB400, 20, 0), Info_GetSteelLle(0, -1, -1, kHRB400, 20.0f, 0, -1, 1.2));
    EXPECT_EQ(table.getMaoguBeishu(kHRB400, 20, 0),
              Info_GetSteelLle(0, -1, -1, kHRB400, 20.0f, 0, -1, 1.0));
    EXPECT_GT(table.getLle(kHRB400, 20, 0), 0);
}

TEST(DesignVariables, PublishedAnchorageAndLapLengths)
{
    // HRB400 in C30, d 20, non-seismic: la = 35d = 700; lap at 50 % 1.4 la.
    CVes_TableBase table;
    table.setExVarVal(QStringLiteral("图集版本"), 1.0);
    table.setExVarVal(QStringLiteral("抗震等级"), 0.0);
    table.setExVarVal(QStringLiteral("混凝土强度"), 30.0);
    table.setExVarVal(QStringLiteral("施工扰动"), 0.0);
    table.setExVarVal(QStringLiteral("接头面积百分率"), 1.0);
    EXPECT_EQ(table.getMaoguBeishu(kHRB400, 20, 0), 700);
    EXPECT_EQ(table.getLle(kHRB400, 20, 0), 980);
    EXPECT_EQ(table.getConnectLen(1, kHRB400, 20, 0), 980);
    // The seismic grade of the argument, not the sheet's.
    EXPECT_EQ(table.getLaeByKanzhen(kHRB400, 20, 0, 1),
              Info_GetSteelLle(1, 1, 30, kHRB400, 20.0f, 0, 0, 1.0));
    EXPECT_EQ(table.getLa(kHRB400, 20, 0), Info_GetSteelLle(1, 4, 30, kHRB400, 20.0f, 0, 0, 1.0));
    EXPECT_EQ(table.getConnectLen(2, kHRB400, 20, 0),
              Info_GetSteelJointLength(1, 2, 0, 0, kHRB400, 20.0f, 0, kHRB400, 20.0f, 0, 0, 0, 0));
    EXPECT_EQ(table.getConnectLen(3, kHRB400, 20, 0), 0);
    EXPECT_EQ(table.getConnectLen(0, kHRB400, 20, 0), 0);
}

TEST(DesignVariables, NegativeAtlasEditionCountsAsTheFirst)
{
    CVes_TableBase table;
    table.setExVarVal(QStringLiteral("图集版本"), -3.0);
    table.setExVarVal(QStringLiteral("抗震等级"), 2.0);
    table.setExVarVal(QStringLiteral("混凝土强度"), 25.0);
    EXPECT_EQ(table.getMaoguBeishu(2, 16, 0), Info_GetSteelLle(0, 2, 25, 2, 16.0f, 0, -1, 1.0));
}

TEST(DesignVariables, UserAnchorageMultiples)
{
    CVes_TableBase table;
    table.setExVarVal(QStringLiteral("自定义锚固"), 1.0);
    table.setExVarVal(QStringLiteral("二级钢锚固"), 35.0);
    table.setExVarVal(QStringLiteral("施工扰动"), 1.0);
    table.setExVarVal(QStringLiteral("接头面积百分率"), 1.0);
    EXPECT_EQ(table.getLle(2, 20, 0), 1078);
    EXPECT_EQ(table.getMaoguBeishu(2, 20, 0), 770);
    // The seismic grade plays no part.
    EXPECT_EQ(table.getLaeByKanzhen(2, 20, 0, 1), 770);
    EXPECT_EQ(table.getLa(2, 20, 0), 770);
    // Other grades, and a grade whose multiple is missing, give 0.
    EXPECT_EQ(table.getMaoguBeishu(12, 20, 0), 0);
    EXPECT_EQ(table.getMaoguBeishu(3, 20, 0), 0);
    EXPECT_EQ(table.getLle(3, 20, 0), 0);

    table.setExVarVal(QStringLiteral("施工扰动"), 0.0);
    table.setExVarVal(QStringLiteral("四级钢锚固"), 40.9);
    EXPECT_EQ(table.getMaoguBeishu(4, 10, 0), 400);
}

struct ZetaCase {
    const char* name;
    double percentIndex; // below -100: no variable
    int lap;             // of a 100 mm anchorage
};

class LapFactor : public testing::TestWithParam<ZetaCase> {};

TEST_P(LapFactor, FollowsTheJointAreaPercentage)
{
    CVes_TableBase table;
    table.setExVarVal(QStringLiteral("自定义锚固"), 1.0);
    table.setExVarVal(QStringLiteral("一级钢锚固"), 10.0);
    if (GetParam().percentIndex > -100)
        table.setExVarVal(QStringLiteral("接头面积百分率"), GetParam().percentIndex);
    EXPECT_EQ(table.getLle(1, 10, 0), GetParam().lap);
}

INSTANTIATE_TEST_SUITE_P(DesignVariables, LapFactor,
                         testing::Values(ZetaCase{"Missing", -1000, 120},
                                         ZetaCase{"UpTo25", 0, 120},
                                         ZetaCase{"BelowOne", 0.9, 120},
                                         ZetaCase{"Fifty", 1, 140},
                                         ZetaCase{"BelowTwo", 1.99, 140},
                                         ZetaCase{"Hundred", 2, 160},
                                         ZetaCase{"AboveHundred", 7, 160}),
                         [](const auto& info) { return std::string(info.param.name); });

// Default cover

TEST(DefaultCover, TwentyRowsWithTheTextsOfTheTitleBlock)
{
    CVes_TableBase table;
    table.m_texts[0].m_text = QStringLiteral("标题");
    table.m_texts[2].m_text = QStringLiteral("工程名称");
    table.m_texts[3].m_text = QStringLiteral("构件");
    table.m_texts[5].m_text = QStringLiteral("制表");
    table.m_texts[6].m_text = QStringLiteral("校核");
    table.m_texts[7].m_text = QStringLiteral("日期");
    table.initTableCover();

    const CVes_TableCover& cover = table.m_cover;
    ASSERT_EQ(cover.m_variables.size(), 20u);
    ASSERT_EQ(cover.m_percents.size(), 20);
    EXPECT_EQ(cover.m_rows, 20);
    EXPECT_EQ(cover.m_columns, 1);

    struct Row {
        QString text;
        int height;
        unsigned int align;
        int percent;
    };
    const Row expected[] = {
        {QStringLiteral("文档编号：__________________"), 50, 2, 4},
        {QStringLiteral("═══  {工程名称}  ═══"), 70, 0, 4},
        {QStringLiteral("{标题}"), 120, 6, 8},
        {QStringLiteral("{构件}"), 80, 6, 6},
        {QStringLiteral("制表：{制表}    校核：{校核}    日期：{日期}"), 65, 2, 4},
        {QString(76, QChar(0x2501)), 50, 6, 2},
        {QString(), 50, 6, 8},
        {QStringLiteral("【施工说明】"), 70, 0, 5},
        {QStringLiteral("抗震等级：{抗震等级} ；  保护层厚度：{保护层} mm ；锚固长度：{锚固长度1}  "
                        "{锚固长度2}  {锚固长度3}  {锚固长度4}"),
         50, 0, 5},
        {QString(), 50, 6, 5},
        {QString(), 50, 6, 5},
        {QString(), 50, 6, 5},
        {QStringLiteral("【钢筋汇总】"), 70, 0, 5},
        {QStringLiteral("@规格汇总@"), 50, 0, 10},
        {QString(), 50, 6, 3},
        {QStringLiteral("【接头汇总】"), 70, 0, 5},
        {QStringLiteral("@接头汇总@"), 50, 0, 10},
        {QString(), 50, 2, 5},
        {QString(), 50, 6, 5},
        {QString(), 50, 6, 5},
    };
    for (int i = 0; i < 20; ++i) {
        const CVes_Variable& text = *cover.m_variables[std::size_t(i)];
        EXPECT_EQ(text.m_text, expected[i].text) << "row " << i + 1;
        EXPECT_EQ(text.m_height, expected[i].height) << "row " << i + 1;
        EXPECT_EQ(text.m_align, expected[i].align) << "row " << i + 1;
        EXPECT_EQ(cover.m_percents[i], expected[i].percent) << "row " << i + 1;
    }
    EXPECT_EQ(cover.m_variables[5]->m_text.size(), 76);
}

TEST(DefaultCover, KeptWhenItHasRowsAndRebuiltByReset)
{
    CVes_TableBase table;
    table.initTableCover();
    table.m_cover.m_variables[0]->m_text = QStringLiteral("mine");
    table.m_cover.m_variables.pop_back();
    table.initTableCover();
    EXPECT_EQ(table.m_cover.m_variables.size(), 19u);
    EXPECT_EQ(table.m_cover.m_variables[0]->m_text, QStringLiteral("mine"));

    table.m_cover.m_rows = 7;
    table.resetTableCover();
    ASSERT_EQ(table.m_cover.m_variables.size(), 20u);
    EXPECT_EQ(table.m_cover.m_percents.size(), 20);
    EXPECT_EQ(table.m_cover.m_rows, 20);
    EXPECT_EQ(table.m_cover.m_form->GetRowCount(), 20);
    EXPECT_EQ(table.m_cover.m_variables[0]->m_text,
              QStringLiteral("文档编号：__________________"));
}

} // namespace
