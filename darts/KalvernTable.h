// The checkout-variant table: one way to finish each remaining score from 170
// down to 51 with at most three darts, the last on a double or the bull.
#pragma once

#include <QString>

namespace rules {

constexpr int kKalvernHighScore = 170;
constexpr int kKalvernLowScore = 51;
constexpr int kKalvernRows = 30;  // rows of each column pair
constexpr int kKalvernPairs = 4;  // score/variant column pairs side by side
constexpr int kKalvernCols = 11;  // four pairs and three narrow separators

// The remaining score shown in row `row` of pair `pair` (170 - 30 * pair - row),
// or 0 outside the table.
int KalvernScore(int pair, int row);

// "  170", "  80"; the two-digit scores of the third pair take four blanks
// ("    99") so that they line up under the three-digit ones. Empty outside the
// table.
QString KalvernScoreText(int score);

// What the table says where three darts cannot finish: a Latin capital H,
// then Cyrillic letters.
inline const QString kKalvernNoFinish = QStringLiteral("H") + QString::fromUtf8("ет");

// The suggested darts, e.g. " T20 T19 D20": T = treble, D = double, a bare
// number = single, 25 = outer bull, 50 = bull. A score without a finish holds
// "Hет" after ten blanks (nine for 159). Empty outside the table.
QString KalvernVariantText(int score);

// The text of a cell of the table's grid: score columns 0, 3, 6, 9, variant
// columns 1, 4, 7, 10; the separators 2, 5, 8 and everything outside the grid
// are empty.
QString KalvernCellText(int col, int row);

}  // namespace rules
