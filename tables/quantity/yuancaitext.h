#pragma once
// Raw-stock records as the raw-stock dialog and the purchase summary show
// them: grade and bar-type names, diameters and numbers without needless
// decimals, and the grade and type codes of the dialog's choices.

#include <QString>
#include <QStringList>

// "1级钢(HPB300)" … for the grade codes 1, 2, 3, 4, 12, 14 and 32;
// "未知钢筋" for any other code.
QString YuanCai_GradeToString(int grade);
// "普通钢筋" (0), "环氧树脂涂层钢筋" (1), "未知类型".
QString YuanCai_TypeToString(int type);
// "%d" for a whole diameter, else "%.1f".
QString YuanCai_DNToString(float diameter);
// "%d" for a whole value, else the value by `format`.
QString YuanCai_ValueToString(double value, const char* format);

namespace yuancai {

// The grade choices of the dialog, in the order offered.
QStringList gradeOptions();
// The bar-type choices of the dialog.
QStringList typeOptions();
// The grade code of a grade choice: its first character "1" to "4", "L" or
// "N", and "新3级钢(RRB400)" gives 32. 0 for a text that is no choice.
int gradeOfOption(const QString& text);
// The type code of a type choice; -1 for a text that is no choice.
int typeOfOption(const QString& text);

} // namespace yuancai
