#include "automation/NumberText.h"

#include <QByteArray>
#include <charconv>

namespace automation {

namespace {

// A spreadsheet keeps 15 significant digits; a longer text would not be
// shown as written.
constexpr int kMaxDigits = 15;

bool IsAsciiDigit(QChar c) { return c >= QChar('0') && c <= QChar('9'); }

}  // namespace

std::optional<NumberText> ReadsAsNumber(const QString& text, QChar decimalSeparator) {
  qsizetype i = 0;
  const bool negative = !text.isEmpty() && text[0] == QChar('-');
  if (negative) ++i;
  const qsizetype intFrom = i;
  while (i < text.size() && IsAsciiDigit(text[i])) ++i;
  const qsizetype intDigits = i - intFrom;
  if (intDigits == 0) return std::nullopt;
  if (intDigits > 1 && text[intFrom] == QChar('0')) return std::nullopt;
  int decimals = 0;
  if (i < text.size() && text[i] == decimalSeparator && !decimalSeparator.isNull()) {
    ++i;
    const qsizetype fracFrom = i;
    while (i < text.size() && IsAsciiDigit(text[i])) ++i;
    decimals = static_cast<int>(i - fracFrom);
    if (decimals == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  if (intDigits + decimals > kMaxDigits) return std::nullopt;

  // Read in the C notation, so the value depends on no locale.
  QByteArray plain = text.toLatin1();
  if (decimals > 0) plain[intFrom + intDigits] = '.';
  double value = 0;
  const auto [end, error] = std::from_chars(plain.constData(), plain.constData() + plain.size(), value);
  if (error != std::errc() || end != plain.constData() + plain.size()) return std::nullopt;
  // "-0" and "-0,00" would be shown without their minus.
  if (negative && value == 0) return std::nullopt;
  return NumberText{value, decimals};
}

}  // namespace automation
