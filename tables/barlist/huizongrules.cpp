#include "tables/barlist/huizongrules.h"

int CVes_HuizongRules::PipeiKey(const QString& text) const
{
    if (m_wholeText)
        return text == m_key ? 1 : 0;
    return text.contains(m_key) ? 1 : 0;
}
