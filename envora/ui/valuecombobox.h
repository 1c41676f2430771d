#pragma once
// A drop-down list whose items stand for numbers (a concrete class, a bar
// diameter, a grade code) and whose value a dialog exchanges with a variable.
// A value the list does not hold selects nothing, and the box keeps it, so
// that a dialog closed without a choice gives back what it was shown.

#include <QComboBox>

#include <optional>

namespace envora {

class ValueComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ValueComboBox(QWidget* parent = nullptr);

    // Replaces the items: one text per value, in list order.
    void setItems(const QList<std::pair<double, QString>>& items);

    // Selects the item of `value`, or nothing when the list lacks it.
    void setValue(double value);
    // The selected item's value; without a selection the value last set, if
    // the user chose nothing since.
    std::optional<double> value() const;

    // The list position of `value`, or -1.
    int indexOfValue(double value) const;

protected:
    // Whether an item's value stands for `value`.
    virtual bool sameValue(double itemValue, double value) const;

private:
    std::optional<double> m_unlisted;
};

} // namespace envora
