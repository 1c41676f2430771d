#include "envora/ui/steeldncombox.h"

#include "envora/settings.h"

#include <cmath>

namespace {

// Diameters closer than this are the same size, as in the size table.
constexpr double kSameDiameter = 0.001;

} // namespace

CVes_SteelDnComBox::CVes_SteelDnComBox(QWidget* parent) : envora::ValueComboBox(parent)
{
    loadSizes();
}

void CVes_SteelDnComBox::loadSizes()
{
    QList<std::pair<double, QString>> items;
    for (const envora::SteelSize& size : envora::currentSettings().sizes)
        items.append({size.d, diameterText(size.d)});
    setItems(items);
}

QString CVes_SteelDnComBox::diameterText(double d)
{
    const double whole = std::round(d);
    if (std::abs(d - whole) < kSameDiameter)
        return QString::number(static_cast<long long>(whole));
    return QString::number(d, 'f', 1);
}

bool CVes_SteelDnComBox::sameValue(double itemValue, double value) const
{
    return std::abs(itemValue - value) < kSameDiameter;
}

void DDX_SteelDN(CVes_SteelDnComBox* box, float& d, bool saveAndValidate)
{
    if (!box)
        return;
    if (!saveAndValidate) {
        box->setValue(d);
        return;
    }
    if (const auto value = box->value())
        d = float(*value);
}
