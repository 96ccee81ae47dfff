// Treble practice over 200 darts: the hit percentage, its DDV value and the
// scoring treble recommended for a DDV value.
#pragma once

#include <QString>
#include <optional>

namespace darts {

// Darts of one game, and the darts of a full visit.
constexpr int kDdvDarts = 200;
constexpr int kDdvVisitDarts = 3;
// Fewest hits that earn a DDV value (6 % of the darts).
constexpr int kDdvFewestHits = 12;

// Hits of 200 darts as a percentage, in single precision (a multiple of 0.5).
float DdvPercent(int hits);

// The DDV value of a number of hits of 200 darts, always with a decimal comma:
// "3,0" for 12 hits down to "0,1" for 200; empty below 12 hits or outside 0..200.
QString DdvText(int hits);

// Reads a DDV value text whatever the user's decimal separator: a comma or a
// point before the tenths, blanks around it allowed. Empty when it is no number.
std::optional<float> DdvValue(const QString& text);

// The treble recommended for a DDV text: "???" for an empty (or blank) text,
// "T20" for 0.1 <= v < 1.7, "T19" for 1.7 <= v <= 3.0, "T7" above 3.0. A value
// below 0.1 or a text that is no number leaves the recommendation as it was.
QString DdvRecommendation(const QString& ddvText, const QString& previous);

}  // namespace darts
