#include "envora/ui/steelgradecombox.h"

CVes_SteelGradeComBox::CVes_SteelGradeComBox(QWidget* parent) : envora::ValueComboBox(parent)
{
    setGrades(defaultGrades());
}

void CVes_SteelGradeComBox::setGrades(const QList<std::pair<int, QString>>& grades)
{
    QList<std::pair<double, QString>> items;
    for (const auto& [code, text] : grades)
        items.append({code, text});
    setItems(items);
}

QList<std::pair<int, QString>> CVes_SteelGradeComBox::defaultGrades()
{
    return {{1, QStringLiteral("一级钢")},
            {2, QStringLiteral("二级钢")},
            {3, QStringLiteral("三级钢")},
            {4, QStringLiteral("四级钢")}};
}

void DDX_SteelGrade(CVes_SteelGradeComBox* box, int& grade, bool saveAndValidate)
{
    if (!box)
        return;
    if (!saveAndValidate) {
        box->setValue(grade);
        return;
    }
    if (const auto value = box->value())
        grade = int(*value);
}
