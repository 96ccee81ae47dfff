#include "darts/DdvRules.h"

#include <iterator>

namespace darts {

namespace {

// The fewest hits of each DDV value, from the best value down.
struct Band {
  int fewestHits;
  const char* text;
};
constexpr Band kBands[] = {
    {200, "0,1"}, {198, "0,2"}, {180, "0,3"}, {158, "0,4"}, {136, "0,5"}, {118, "0,6"}, {102, "0,7"},
    {90, "0,8"},  {78, "0,9"},  {68, "1,0"},  {60, "1,1"},  {53, "1,2"},  {47, "1,3"},  {42, "1,4"},
    {37, "1,5"},  {35, "1,6"},  {32, "1,7"},  {29, "1,8"},  {27, "1,9"},  {24, "2,0"},  {23, "2,1"},
    {21, "2,2"},  {20, "2,3"},  {18, "2,4"},  {17, "2,5"},  {16, "2,6"},  {15, "2,7"},  {14, "2,8"},
    {13, "2,9"},  {12, "3,0"},
};

}  // namespace

float DdvPercent(int hits) {
  // Worked in double and kept in single precision: an exact multiple of 0.5.
  return static_cast<float>(static_cast<double>(hits) / kDdvDarts * 100.0);
}

QString DdvText(int hits) {
  if (hits < kDdvFewestHits || hits > kDdvDarts) return QString();
  for (const Band& b : kBands) {
    if (hits >= b.fewestHits) return QString::fromLatin1(b.text);
  }
  return QString();
}

std::optional<float> DdvValue(const QString& text) {
  QString t = text.trimmed();
  if (t.isEmpty()) return std::nullopt;
  // The value texts carry a decimal comma; a point is read the same way.
  t.replace(QChar(','), QChar('.'));
  for (QChar c : t) {
    if (!c.isDigit() && c != QChar('.') && c != QChar('-') && c != QChar('+')) return std::nullopt;
  }
  bool ok = false;
  const double v = t.toDouble(&ok);  // QString::toDouble reads the C locale
  if (!ok) return std::nullopt;
  return static_cast<float>(v);
}

QString DdvRecommendation(const QString& ddvText, const QString& previous) {
  if (ddvText.trimmed().isEmpty()) return QStringLiteral("???");
  const std::optional<float> value = DdvValue(ddvText);
  if (!value) return previous;
  // The value in single precision against the double bounds: "1,7" is just
  // above 1.7 and so already a T19 value.
  const double v = *value;
  if (v >= 0.1 && v < 1.7) return QStringLiteral("T20");
  if (v >= 1.7 && v <= 3.0) return QStringLiteral("T19");
  if (v > 3.0) return QStringLiteral("T7");
  return previous;
}

}  // namespace darts
