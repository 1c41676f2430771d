// The sorted bar table of a quantity sheet: the settings it takes, the bars
// with their counts times the element's pieces and their remarks naming
// where they stand, an emptied target, and a sheet without rows.

#include "tables/quantity/sltable.h"

#include "sltable_support.h"
#include "tables/quantity/sortbarsheet.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class SLSort : public testing::Test {
protected:
    void SetUp() override
    {
        t.clearnAllLine();
        t.m_rules.m_mergeSame = 0;
        t.m_rules.m_guibingShow = 1;
        t.m_texts[2].m_formula = QStringLiteral("综合楼");
        t.m_texts[7].m_formula = QStringLiteral("2014-1-2");
        t.m_topMargin = 21;
        t.m_units[CVes_SLTable::kColTotalWeight] = CVes_Template::kTonne;
        t.m_units[CVes_SLTable::kColCutLength] = CVes_Template::kCentimetre;
    }
    CVes_SLTable t;
};

TEST_F(SLSort, AnEmptySheetGivesItsSettingsAndNoRows)
{
    std::unique_ptr<CVes_SortBarSheet> sorted(t.SortSteel(nullptr));
    ASSERT_NE(sorted, nullptr);
    EXPECT_EQ(sorted->lines().size(), 0);
    EXPECT_TRUE(sorted->bars().empty());
    EXPECT_EQ(sorted->m_rules.m_guibingShow, 1);
    EXPECT_EQ(sorted->m_topMargin, 21);
    EXPECT_EQ(sorted->m_units.value(CVes_SortBarSheet::kColWeight), CVes_Template::kTonne);
    EXPECT_EQ(sorted->m_units.value(CVes_SortBarSheet::kColCutLength), CVes_Template::kCentimetre);
    EXPECT_EQ(sorted->m_units.value(CVes_SortBarSheet::kColShape), CVes_Template::kMillimetre);
    EXPECT_EQ(sorted->m_units.value(CVes_SortBarSheet::kColTotalLength), CVes_Template::kMetre);
    EXPECT_EQ(sorted->m_texts[2].m_formula, "综合楼");
    EXPECT_EQ(sorted->m_texts[7].m_formula, "2014-1-2");
}

TEST_F(SLSort, BarsCountTheirElementsPiecesAndNameWhereTheyStand)
{
    t.appendLine(test::slBar("1", 3, 12.0f, 2, 3000.0f));
    t.appendLine(test::slEleType("ZHU"));
    t.appendLine(test::slElement("KZ1", 3));
    t.appendLine(test::slBar("2", 3, 14.0f, 2, 3000.0f));
    t.appendLine(test::slEmpty());
    t.appendLine(test::slEleType("LIANG"));
    t.appendLine(test::slBar("3", 3, 16.0f, 5, 3000.0f));
    t.appendLine(test::slEleType(""));
    t.appendLine(test::slElement("KZ3", 3));
    t.appendLine(test::slBar("4", 3, 18.0f, 1, 3000.0f));

    std::unique_ptr<CVes_SortBarSheet> sorted(t.SortSteel(nullptr));
    ASSERT_EQ(sorted->bars().size(), 4u);
    QStringList seen;
    for (const auto& bar : sorted->bars())
        seen << QStringLiteral("%1:%2:%3").arg(bar->number).arg(bar->count).arg(bar->remark);
    seen.sort();
    // Only what there is is named: no dash before or after a missing part.
    EXPECT_EQ(seen, (QStringList{"1:2:(1件)", "2:6:ZHU-KZ1(3件)", "3:5:LIANG(1件)",
                                 "4:3:KZ3(3件)"}));
    // The sheet's own bars stay as they were.
    EXPECT_EQ(t.lineAt(3)->m_steel.count, 2);
    EXPECT_TRUE(t.lineAt(3)->m_steel.remark.isEmpty());
    EXPECT_GT(sorted->lines().size(), 3);
}

TEST_F(SLSort, AGivenTargetIsEmptiedFirst)
{
    t.appendLine(test::slBar("1", 3, 12.0f, 2, 3000.0f));
    CVes_SortBarSheet target;
    t.SortSteel(&target);
    const qsizetype rows = target.lines().size();
    EXPECT_EQ(t.SortSteel(&target), &target);
    EXPECT_EQ(target.bars().size(), 1u);
    EXPECT_EQ(target.lines().size(), rows);
}

} // namespace
