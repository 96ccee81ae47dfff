// Numbers as the games show them to people: a fixed number of decimals with
// the user's decimal separator.
#pragma once

#include <QChar>
#include <QString>

namespace darts {

// `value` with `places` (1 or 2) decimals, rounded half away from zero on the
// value's exact binary form; without the units digit a value below 1 is
// written ",50" rather than "0,50". Not a number is "NAN", infinities "INF" and
// "-INF".
QString Decimals(float value, int places, QChar separator, bool unitsDigit = true);

// The value a two-decimal text of it stands for ("55,67" for 55.6666...), in
// single precision: what a rule that works from a value as shown adds up.
float ShownTwoDecimals(float value);

// A model's way of writing a value with two decimals (or one, where its
// game shows one): the window gives it, with the user's separator.
using DecimalsText = QString (*)(float value);

}  // namespace darts
