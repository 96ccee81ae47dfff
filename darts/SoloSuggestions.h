// The checkout suggestions of the solo practice window: one entry per
// remainder from 170 down to 61, the routes of the checkout-variant table
// with single blanks between the darts. Remainders without a three-dart
// finish read "HET" (Latin letters).
#pragma once

#include <QString>

namespace solo {

constexpr int kHighestSuggestion = 170;
constexpr int kLowestSuggestion = 61;
// Rows of the suggestion table: remainder 170 - i in row i.
constexpr int kSuggestionRows = kHighestSuggestion - kLowestSuggestion + 1;

// The entry of table row i (0 .. kSuggestionRows - 1); empty outside.
QString SuggestionRow(int row);

// The suggestion for a remainder; empty outside 61 .. 170.
QString SuggestionFor(int remainder);

}  // namespace solo
