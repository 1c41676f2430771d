#pragma once
// What the stirrup calculators share about the numbers typed into them.

#include <QString>

namespace hoopinput {

// Lengths beyond this are typing errors; the limit keeps counts and sums in
// range.
inline constexpr int kMaxLength = 9999999;

// The value as an int, clamped to the int range; 0 for a value that is not
// finite.
int clampInt(double value);

// A whole number typed into a box or cell, at most `limit`; 0 for anything
// else.
int wholeNumber(const QString& text, int limit = kMaxLength);

} // namespace hoopinput
