#include "darts/Decimals.h"

#include <cmath>

namespace darts {

namespace {

// |value| x 10^places rounded half away from zero; a float times 10 or 100 is
// exact in a double, so the half is decided on the value itself.
long long Scaled(float value, int places) {
  const double x = std::fabs(static_cast<double>(value)) * (places == 1 ? 10.0 : 100.0);
  const double whole = std::floor(x);
  return static_cast<long long>(whole) + (x - whole >= 0.5 ? 1 : 0);
}

}  // namespace

QString Decimals(float value, int places, QChar separator, bool unitsDigit) {
  // An average of nothing, as the class library writes it.
  if (std::isnan(value)) return QStringLiteral("NAN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  const long long unit = places == 1 ? 10 : 100;
  const long long scaled = Scaled(value, places);
  QString text = scaled != 0 && value < 0 ? QStringLiteral("-") : QString();
  if (scaled >= unit || unitsDigit) text += QString::number(scaled / unit);
  return text + separator + QString::number(scaled % unit).rightJustified(places, QLatin1Char('0'));
}

float ShownTwoDecimals(float value) {
  if (!std::isfinite(value)) return value;
  const double magnitude = static_cast<double>(Scaled(value, 2)) / 100.0;
  return static_cast<float>(value < 0 ? -magnitude : magnitude);
}

}  // namespace darts
