// Which texts a spreadsheet takes for numbers when they are typed in.
#pragma once

#include <QChar>
#include <QString>
#include <optional>

namespace automation {

struct NumberText {
  double value = 0;
  int decimals = 0;  // digits after the separator, kept when the number is shown
};

// A text reads as a number when it is an optional minus, digits without a
// leading zero (a lone 0 is fine), and optionally the decimal separator with at
// least one digit after it: "9", "-5", "0,5", "167,00" with ',' as separator.
// Anything else stays text: "05", "   ---", "1 000", "+3", "Х(2)", "-0", and
// numbers too long to keep every digit.
std::optional<NumberText> ReadsAsNumber(const QString& text, QChar decimalSeparator);

}  // namespace automation
