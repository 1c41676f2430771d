#include "app/documents/sortsettings.h"

#include "tables/quantity/sortrules.h"

namespace {

SortSettingsDialog& installed()
{
    static SortSettingsDialog dialog;
    return dialog;
}

} // namespace

SortSettings SortSettings::of(const CVes_SortRules& rules, bool barList)
{
    SortSettings s;
    s.grades = rules.m_sortGrade;
    s.kinds = rules.m_state;
    s.dnOrder = rules.m_dnOrder;
    s.lenOrder = rules.m_lenOrder;
    s.rangeStyle = rules.getDNstateStyle();
    s.rangeDiameter = rules.getGuigeDN();
    s.barList = barList;
    return s;
}

void SortSettings::applyTo(CVes_SortRules& rules) const
{
    rules.setSortGrade(grades);
    rules.setState(kinds);
    rules.m_dnOrder = dnOrder;
    rules.m_lenOrder = lenOrder;
    if (barList) {
        rules.setDNstateStyle(rangeStyle);
        rules.setGuigeDN(rangeDiameter);
    }
}

void setSortSettingsDialog(SortSettingsDialog dialog)
{
    installed() = std::move(dialog);
}

bool runSortSettingsDialog(SortSettings& settings, QWidget* parent)
{
    const SortSettingsDialog& dialog = installed();
    return dialog && dialog(settings, parent);
}
