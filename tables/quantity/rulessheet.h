#pragma once
// A sheet whose order and summaries follow sort rules of its own (the bar
// list, the quantity sheet and the sorted bar table): the frame's sort and
// merge-display commands set those rules; none re-sorts by itself.

#include "tables/framework/tablebase.h"
#include "tables/shared/sortrules.h"

class RulesSheet : public CVes_TableBase {
public:
    void sortUp() override { m_rules.m_dnOrder = 0; }
    void sortDown() override { m_rules.m_dnOrder = 1; }
    void sortShot() override { m_rules.m_lenOrder = 1; }
    void sortLong() override { m_rules.m_lenOrder = 0; }
    void sortLenNone() override { m_rules.m_lenOrder = 2; }
    unsigned int getSortOrder() override { return unsigned(m_rules.m_dnOrder); }
    unsigned int getSortOrderLen() override { return unsigned(m_rules.m_lenOrder); }
    void showZeroNum() override { m_rules.m_showZeroNum = m_rules.m_showZeroNum ? 0 : 1; }
    void guibingShow0() override { m_rules.m_guibingShow = 0; }
    void guibingShow1() override { m_rules.m_guibingShow = 1; }
    void guibingShow2() override { m_rules.m_guibingShow = 2; }
    void guibingShow3() override { m_rules.m_guibingShow = 3; }

    CVes_SortRules& getSortRules() { return m_rules; }
    const CVes_SortRules& getSortRules() const { return m_rules; }

    CVes_SortRules m_rules;
};
