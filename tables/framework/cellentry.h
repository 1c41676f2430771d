#pragma once
// The rules by which the sheet views read what the user types into a cell:
// numbers and formulas, a grade letter before a diameter, and an entry in
// two parts around a separator ("3/4" groups and count, "100~300" a range).
// Plain functions, so that every sheet view reads its cells alike.

#include <QString>
#include <QStringList>

#include <optional>

namespace cellentry {

// The value of a typed number or formula without variables; nullopt with
// the formula's own reason ("警告：…") when the text is none.
std::optional<double> numberOf(const QString& text, QString* reason = nullptr);

// value + `addend`, truncated towards zero (2.3 + 0.7 gives 3, 2.2 + 0.7
// gives 2); 0 for what no int holds.
int roundedUp(double value, double addend);

// A text cut at the first occurrence of the first separator of the list
// that it holds at all; `second` is empty when it holds none.
struct Parts {
    QString first;
    std::optional<QString> second;
};
Parts splitAtFirstOf(const QString& text, const QStringList& separators);

// A grade and diameter typed as one text: a leading grade letter A to E, L
// or N (either case) gives grade 1 to 5, 12 or 14 and the rest is the
// diameter; without one the grade is 0 and the whole text the diameter.
struct GradeEntry {
    int grade = 0;
    QString diameter;
};
GradeEntry splitGradeLetter(const QString& text);

} // namespace cellentry
