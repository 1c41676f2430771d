#include "tables/shared/sortrules.h"

#include "core/geometry/datafolder.h"
#include "platform/archive.h"
#include "tables/framework/streamfile.h"

#include <cmath>

double CVes_SortRules::lossPercent(double diameter) const
{
    if (m_calcLossBar && diameter > m_wireDN)
        return m_lossBar;
    if (m_calcLossWire && diameter <= m_wireDN)
        return m_lossWire;
    return 0.0;
}

void CVes_SortRules::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(kSchema) << std::int32_t(m_dnOrder) << std::int32_t(m_lenOrder)
           << std::int32_t(m_sortZheshu) << std::int32_t(m_mergeSame)
           << std::int32_t(m_sumByDnClass) << m_wireDN << std::int32_t(m_showLoss)
           << std::int32_t(m_calcLossBar) << std::int32_t(m_calcLossWire) << m_lossBar
           << m_lossWire << std::int32_t(m_lossPlace) << std::int32_t(m_sumByGrade)
           << std::int32_t(m_autoPrice) << std::int32_t(m_calcStirrupFee) << m_stirrupFee
           << std::int32_t(m_autoStirrupCount) << std::int32_t(m_stirrupCount)
           << std::int32_t(m_sumInEleType) << std::int32_t(m_showZeroNum)
           << std::int32_t(m_autoMidConnect) << std::int32_t(m_reverseSleeve) << m_guigeDN
           << std::uint32_t(m_dnStateStyle) << std::int32_t(m_guibingShow);
        return;
    }

    const int v = ar.readSchema(1, kSchema);
    // Read into a copy so that a stream that ends early changes nothing.
    CVes_SortRules r(*this);
    auto i32 = [&ar](int& field) {
        std::int32_t value = 0;
        ar >> value;
        field = value;
    };
    i32(r.m_dnOrder);
    if (v >= 4)
        i32(r.m_lenOrder);
    if (v >= 9)
        i32(r.m_sortZheshu);
    i32(r.m_mergeSame);
    if (v >= 2)
        i32(r.m_sumByDnClass);
    ar >> r.m_wireDN;
    if (v >= 3)
        i32(r.m_showLoss);
    i32(r.m_calcLossBar);
    i32(r.m_calcLossWire);
    ar >> r.m_lossBar >> r.m_lossWire;
    i32(r.m_lossPlace);
    i32(r.m_sumByGrade);
    i32(r.m_autoPrice);
    i32(r.m_calcStirrupFee);
    ar >> r.m_stirrupFee;
    i32(r.m_autoStirrupCount);
    i32(r.m_stirrupCount);
    i32(r.m_sumInEleType);
    if (v >= 5)
        i32(r.m_showZeroNum);
    if (v >= 6) {
        i32(r.m_autoMidConnect);
        i32(r.m_reverseSleeve);
    }
    if (v >= 7) {
        std::uint32_t style = 0;
        ar >> r.m_guigeDN >> style;
        r.m_dnStateStyle = style;
    }
    if (v >= 8)
        i32(r.m_guibingShow);
    r.checkStored();
    *this = r;
}

void CVes_SortRules::checkStored() const
{
    for (double number : {double(m_wireDN), double(m_guigeDN), m_lossBar, m_lossWire,
                          double(m_stirrupFee)})
        platform::requireFiniteInRange(number, -HUGE_VAL, HUGE_VAL, "rule value");
}

bool CVes_SortRules::readFromFile(const QString& path)
{
    try {
        return streamfile::load(path, [this](platform::Archive& ar) { Serialize(ar); });
    } catch (const platform::SchemaError&) {
        // A rules file of a newer program: the rules stay as they were.
        return false;
    }
}

bool CVes_SortRules::saveFile(const QString& path) const
{
    return streamfile::save(path,
                            [this](platform::Archive& ar) { CVes_SortRules(*this).Serialize(ar); });
}

QString CVes_SortRules::userRulesPath()
{
    return GetRODOFilePath() + QStringLiteral("userdata/sortrule.rul");
}

bool CVes_SortRules::readUserRules()
{
    Ves_CreateDirectory(GetRODOFilePath() + QStringLiteral("userdata"));
    return readFromFile(userRulesPath());
}
