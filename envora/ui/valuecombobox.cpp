#include "envora/ui/valuecombobox.h"

#include <cmath>

namespace envora {

ValueComboBox::ValueComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    // A choice by the user replaces a value the list did not hold.
    connect(this, &QComboBox::activated, this, [this] { m_unlisted.reset(); });
}

void ValueComboBox::setItems(const QList<std::pair<double, QString>>& items)
{
    const std::optional<double> current = value();
    const QSignalBlocker blocker(this);
    clear();
    for (const auto& [itemValue, text] : items)
        addItem(text, itemValue);
    if (current)
        setValue(*current);
    else
        setCurrentIndex(-1);
}

void ValueComboBox::setValue(double value)
{
    const int index = indexOfValue(value);
    setCurrentIndex(index);
    if (index < 0)
        m_unlisted = value;
    else
        m_unlisted.reset();
}

std::optional<double> ValueComboBox::value() const
{
    const int index = currentIndex();
    if (index >= 0)
        return itemData(index).toDouble();
    return m_unlisted;
}

int ValueComboBox::indexOfValue(double value) const
{
    if (!std::isfinite(value))
        return -1;
    for (int i = 0; i < count(); ++i)
        if (sameValue(itemData(i).toDouble(), value))
            return i;
    return -1;
}

bool ValueComboBox::sameValue(double itemValue, double value) const
{
    return itemValue == value;
}

} // namespace envora
