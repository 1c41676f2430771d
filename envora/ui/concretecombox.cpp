#include "envora/ui/concretecombox.h"

CVes_ConcreteComBox::CVes_ConcreteComBox(QWidget* parent) : envora::ValueComboBox(parent)
{
    QList<std::pair<double, QString>> items;
    for (const int code : concreteCodes())
        items.append({code, QStringLiteral("C%1").arg(code)});
    setItems(items);
}

QList<int> CVes_ConcreteComBox::concreteCodes()
{
    QList<int> codes;
    for (int code = 20; code <= 80; code += 5)
        codes.append(code);
    return codes;
}

void DDX_Concrete(CVes_ConcreteComBox* box, int& code, bool saveAndValidate)
{
    if (!box)
        return;
    if (!saveAndValidate) {
        box->setValue(code);
        return;
    }
    if (const auto value = box->value())
        code = int(*value);
}
