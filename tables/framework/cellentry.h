#pragma once
// The rules by which the sheet views read what the user types into a cell:
// numbers and formulas, a grade letter before a diameter, and an entry in
// two parts around a separator ("3/4" groups and count, "100~300" a range).
// Plain functions, so that every sheet view reads its cells alike.

#include "core/model/barlimits.h"
#include "core/model/steelrecordid.h"

#include <QString>
#include <QStringList>

#include <optional>

class CVes_ReferenceBase;
class CVes_Steel;

namespace cellentry {

// Refusing what a cell cannot hold: the user is told the entry and what the
// cell takes ("[1e6] 根数必须是0到99999之间的整数"), followed by `reason`
// (a formula's own words) when there is one.
void refuse(const QString& entry, const barlimits::Field& field, const QString& reason = {});
// The words of that refusal, for a message that names several refusals.
QString refusal(const QString& entry, const barlimits::Field& field, const QString& reason = {});
// Whether `value`, what `entry` gave, fits the field; refused when not.
bool fits(const QString& entry, double value, const barlimits::Field& field);
// The value of a number or formula without variables typed into a cell of
// `field`, an empty entry being 0; refused (nullopt) when the text is none.
// The caller rounds it and then sees whether it `fits`.
std::optional<double> numberFor(const QString& entry, const barlimits::Field& field);
// A count typed into a cell of `field`: its value plus `addend`, truncated
// towards zero; refused (nullopt) when the text is none, the value typed is
// below the field's least, or the count does not fit.
std::optional<int> countFor(const QString& entry, double addend, const barlimits::Field& field);
// The value of a formula over the dimensions of `owner`, typed into a
// dimension of `field`, an empty entry being 0; refused with the formula's
// own words (nullopt) when the text is no formula. Not bounded: the caller
// sees whether what it makes of the value `fits`.
std::optional<double> formulaFor(const CVes_ReferenceBase& owner, const QString& entry,
                                 const barlimits::Field& field);
// Whether `text`, typed for the dimension `name` of `owner` outside its cell
// (the bar pane), is taken as the cell would take it: a formula over the
// owner's dimensions whose value the dimension's field holds; refused when
// not. A text dimension, or a name the owner lacks, takes anything.
bool dimensionTakes(const CVes_ReferenceBase& owner, const QString& name, const QString& text);
// Whether a typed text can be kept in the sheet's file (GBK holds every
// character); refused with a message when not.
bool storableText(const QString& entry);
// The words of that refusal; empty for a text the file holds.
QString unstorableText(const QString& entry);

// Whether one of a bar's three spacing texts holds what the spacing column
// shows of it: empty, or a whole number the spacing field holds, blanks
// around it allowed ("150", " 200"). The column shows the number a text
// starts with, so "150mm", "1e6", "100/200" or "@150" would show as
// another number or as nothing.
bool spacingPartHolds(const QString& part);
// Whether all three spacing texts of `bar` hold.
bool spacingsHold(const CVes_Steel& bar);
// A bar size typed for a bar ("C25", "A", "25"), read by the typing rule
// (transTypedGuige); the words "[abc] 钢筋规格值输入不正确！" when it names
// no size.
QString sizeRefusal(const QString& entry);

// value + `addend` truncated towards zero, as a count is taken from what
// was typed (2.3 + 0.7 gives 3); not bounded: `fits` decides.
double truncatedSum(double value, double addend);

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

// The shape (or with `start` the start style) a typed number names: the
// user's own number, else the key written "190-001"; the null key when it
// names nothing in the library.
CSteelRecordId typedKey(const QString& entry, bool start);

} // namespace cellentry
