#include "app/documents/sortsettings.h"

#include "app/documents/barsortdlg.h"
#include "tables/shared/sortrules.h"

namespace {

// The dialog's check boxes and the rules' bits.
struct Check {
    int CBarSortDlg::*member;
    unsigned int bit;
    bool kind; // a bar kind (else a grade)
};

constexpr Check kChecks[] = {
    {&CBarSortDlg::m_bGrade1, CVes_SortRules::kGrade1, false},
    {&CBarSortDlg::m_bGrade2, CVes_SortRules::kGrade2, false},
    {&CBarSortDlg::m_bGrade3, CVes_SortRules::kGrade3, false},
    {&CBarSortDlg::m_bGrade4, CVes_SortRules::kGrade4, false},
    {&CBarSortDlg::m_bGrade5, CVes_SortRules::kGrade5, false},
    {&CBarSortDlg::m_bColdRibbed, CVes_SortRules::kGradeL, false},
    {&CBarSortDlg::m_bColdTwisted, CVes_SortRules::kGradeN, false},
    {&CBarSortDlg::m_bStirrup, CVes_SortRules::kStirrups, true},
    {&CBarSortDlg::m_bBent, CVes_SortRules::kBent, true},
    {&CBarSortDlg::m_bStraight, CVes_SortRules::kStraight, true},
};

} // namespace

bool editSortSettings(CVes_SortRules& rules, bool byRange, QWidget* parent)
{
    CBarSortDlg dlg(parent);
    for (const Check& check : kChecks)
        dlg.*check.member = ((check.kind ? rules.m_state : rules.m_sortGrade) & check.bit) ? 1 : 0;
    dlg.m_nDiameterOrder = rules.m_dnOrder;
    dlg.m_nLengthOrder = rules.m_lenOrder == 0 || rules.m_lenOrder == 1 ? rules.m_lenOrder : 2;
    if (byRange) {
        dlg.m_nRangeMode = int(rules.getDNstateStyle());
        dlg.m_fDiameter = rules.getGuigeDN();
    }
    if (dlg.exec() != QDialog::Accepted)
        return false;
    unsigned int grades = 0;
    unsigned int kinds = 0;
    for (const Check& check : kChecks)
        if (dlg.*check.member)
            (check.kind ? kinds : grades) |= check.bit;
    rules.setSortGrade(grades);
    rules.setState(kinds);
    if (dlg.m_nDiameterOrder >= 0)
        rules.m_dnOrder = dlg.m_nDiameterOrder;
    if (dlg.m_nLengthOrder >= 0)
        rules.m_lenOrder = dlg.m_nLengthOrder;
    if (byRange) {
        rules.setDNstateStyle(unsigned(dlg.m_nRangeMode));
        rules.setGuigeDN(dlg.m_fDiameter);
    }
    return true;
}
