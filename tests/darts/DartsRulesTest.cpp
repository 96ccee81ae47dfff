#include <gtest/gtest.h>

#include <QStringList>
#include <set>
#include <vector>

#include "darts/DartsRules.h"
#include "darts/KalvernTable.h"
#include "darts/SoloSuggestions.h"

namespace {

// Every score one dart can make (0 is a miss); the finishing darts among them
// are the doubles and the bull.
std::vector<int> DartScores(bool finishingOnly = false) {
  std::vector<int> s{50};
  if (!finishingOnly) s.insert(s.end(), {0, 25});
  for (int n = 1; n <= 20; ++n) {
    s.push_back(2 * n);
    if (!finishingOnly) s.insert(s.end(), {n, 3 * n});
  }
  return s;
}

// Fewest darts that finish v ending on a double or the bull; 0 when three
// cannot. With anyLast, the last dart may be any dart (plain visit totals).
int FewestDarts(int v, bool anyLast = false) {
  const std::vector<int> all = DartScores(), last = DartScores(!anyLast);
  for (int darts = 1; darts <= 3; ++darts)
    for (int d : last)
      for (int a : darts >= 2 ? all : std::vector<int>{0})
        for (int b : darts == 3 ? all : std::vector<int>{0})
          if (a + b + d == v) return darts;
  return 0;
}

TEST(DartsRules, VisitsAndFinishesAgreeWithEveryCombinationOfDarts) {
  for (int v = 0; v <= 230; ++v) {
    SCOPED_TRACE(v);
    const bool possible = FewestDarts(v, true) > 0;
    EXPECT_EQ(darts::IsImpossibleVisit(v), v <= darts::kMaxVisit && !possible);
    if (v < 2) continue;
    // 163, 166 and 169 cannot be finished either, but no visit totals them.
    const int fewest = FewestDarts(v);
    EXPECT_EQ(darts::IsUnfinishable(v) || darts::IsImpossibleVisit(v), fewest == 0);
    EXPECT_FALSE(darts::IsUnfinishable(v) && fewest > 0);
    if (fewest == 0 || v > 170) continue;
    const darts::FinishingDarts offer = fewest == 1   ? darts::FinishingDarts::Any
                                        : fewest == 2 ? darts::FinishingDarts::SecondOrThird
                                                      : darts::FinishingDarts::ThirdOnly;
    EXPECT_EQ(darts::FinishingDartsFor(v), offer);
  }
}

TEST(DartsRules, BandsStartAt60_80_100_140AndHold180Alone) {
  const int starts[] = {60, 80, 100, 140, 180};
  for (int v = 0; v <= 200; ++v) {
    int band = -1;
    while (band + 1 < darts::kBandCount && v >= starts[band + 1]) ++band;
    if (v > darts::kMaxVisit) band = -1;
    EXPECT_EQ(static_cast<int>(darts::BandOf(v)), band) << v;
  }
}

TEST(DartsRules, DartNotation) {
  const std::tuple<const char*, int, bool> cases[] = {{"T20", 60, false}, {"D16", 32, true}, {"D1", 2, true},
      {"19", 19, false}, {"25", 25, false}, {"50", 50, true}, {"T21", -1, false}, {"D0", -1, false},
      {"21", -1, false}, {"05", -1, false}, {"", -1, false}, {"X5", -1, false}};
  for (const auto& [dart, value, finishing] : cases) {
    EXPECT_EQ(darts::DartValue(dart), value) << dart;
    EXPECT_EQ(darts::IsFinishingDart(dart), finishing) << dart;
  }
}

// Every entry of the checkout-variant table is one to three darts that add up
// to its score and end on a double or the bull, or, exactly where three darts
// cannot finish, "Hет" (a Latin H, then Cyrillic letters). The solo window's
// suggestions are the same routes in plain text, "HET" in Latin letters.
TEST(CheckoutTables, EveryEntryFinishesItsScoreOrSaysThereIsNone) {
  for (int score = rules::kKalvernHighScore + 1; score >= rules::kKalvernLowScore - 1; --score) {
    SCOPED_TRACE(score);
    const QString entry = rules::KalvernVariantText(score), solo = solo::SuggestionFor(score);
    const bool inSolo = score >= solo::kLowestSuggestion && score <= solo::kHighestSuggestion;
    EXPECT_EQ(solo, solo::SuggestionRow(solo::kHighestSuggestion - score));
    if (score > rules::kKalvernHighScore || score < rules::kKalvernLowScore) {
      EXPECT_TRUE(entry.isEmpty() && solo.isEmpty());
      continue;
    }
    EXPECT_EQ(solo.isEmpty(), !inSolo);
    if (FewestDarts(score) == 0) {
      EXPECT_EQ(entry.trimmed(), QStringLiteral("H") + QString::fromUtf8("ет"));
      EXPECT_EQ(solo.toLatin1(), inSolo ? QByteArray("HET") : QByteArray());
      continue;
    }
    EXPECT_EQ(solo, inSolo ? entry.simplified() : QString());
    const QStringList darts = entry.split(QChar(' '), Qt::SkipEmptyParts);
    ASSERT_TRUE(darts.size() >= 1 && darts.size() <= 3) << entry.toStdString();
    int sum = 0;
    for (const QString& d : darts) {
      EXPECT_GT(darts::DartValue(d), 0) << d.toStdString();
      sum += darts::DartValue(d);
    }
    EXPECT_EQ(sum, score) << entry.toStdString();
    EXPECT_TRUE(darts::IsFinishingDart(darts.back())) << entry.toStdString();
  }
}

// The table's grid: four pairs of score and variant columns with narrow empty
// columns between them, each score from 170 down to 51 once, its variant
// beside it, counting down the column.
TEST(CheckoutTables, GridHoldsEveryScoreOnceBesideItsVariant) {
  std::set<int> seen;
  for (int col = -1; col <= rules::kKalvernCols; ++col) {
    for (int row = -1; row <= rules::kKalvernRows; ++row) {
      SCOPED_TRACE(testing::Message() << col << "," << row);
      const QString text = rules::KalvernCellText(col, row);
      const bool inside = col >= 0 && col < rules::kKalvernCols && row >= 0 && row < rules::kKalvernRows;
      if (!inside || col % 3 == 2) {
        EXPECT_TRUE(text.isEmpty());
      } else if (col % 3 == 0) {
        const int score = text.trimmed().toInt();
        EXPECT_TRUE(seen.insert(score).second);
        EXPECT_EQ(rules::KalvernCellText(col + 1, row), rules::KalvernVariantText(score));
        const int above = row > 0 ? rules::KalvernCellText(col, row - 1).trimmed().toInt() : score + 1;
        EXPECT_EQ(score, above - 1);
      }
    }
  }
  EXPECT_TRUE(seen.size() == 120u && *seen.begin() == 51 && *seen.rbegin() == 170);
}

}  // namespace
