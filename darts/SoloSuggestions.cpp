#include "darts/SoloSuggestions.h"

#include "darts/KalvernTable.h"

namespace solo {

// The routes are the checkout-variant table's, with its column gaps closed
// up; where there is no finish the solo window writes "HET" in Latin letters.
QString SuggestionRow(int row) {
  if (row < 0 || row >= kSuggestionRows) return QString();
  const QString route = rules::KalvernVariantText(kHighestSuggestion - row).simplified();
  return route == rules::kKalvernNoFinish ? QStringLiteral("HET") : route;
}

QString SuggestionFor(int remainder) {
  if (remainder < kLowestSuggestion || remainder > kHighestSuggestion) return QString();
  return SuggestionRow(kHighestSuggestion - remainder);
}

}  // namespace solo
