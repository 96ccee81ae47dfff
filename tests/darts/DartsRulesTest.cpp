#include <gtest/gtest.h>

#include <QStringList>
#include <set>
#include <vector>

#include "darts/DartsRules.h"
#include "darts/KalvernTable.h"
#include "darts/SoloSuggestions.h"

namespace {

// Every score one dart can make (0 is a miss), and the finishing darts.
std::vector<int> DartScores() {
  std::vector<int> s{0, 25, 50};
  for (int n = 1; n <= 20; ++n) s.insert(s.end(), {n, 2 * n, 3 * n});
  return s;
}
std::vector<int> FinishingScores() {
  std::vector<int> s{50};
  for (int n = 1; n <= 20; ++n) s.push_back(2 * n);
  return s;
}

std::set<int> ThreeDartTotals() {
  std::set<int> out;
  for (int a : DartScores())
    for (int b : DartScores())
      for (int c : DartScores()) out.insert(a + b + c);
  return out;
}

// Fewest darts that finish v ending on a double or the bull; 0 when three cannot.
int FewestFinishingDarts(int v) {
  for (int d : FinishingScores()) {
    if (d == v) return 1;
  }
  for (int d : FinishingScores())
    for (int a : DartScores())
      if (a > 0 && a + d == v) return 2;
  for (int d : FinishingScores())
    for (int a : DartScores())
      for (int b : DartScores())
        if (a > 0 && b > 0 && a + b + d == v) return 3;
  return 0;
}

TEST(DartsRules, ImpossibleVisitsAreExactlyTheTotalsThreeDartsMiss) {
  const std::set<int> totals = ThreeDartTotals();
  for (int v = 0; v <= darts::kMaxVisit; ++v) {
    EXPECT_EQ(darts::IsImpossibleVisit(v), totals.count(v) == 0) << v;
  }
}

TEST(DartsRules, UnfinishableRemaindersAgreeWithEveryThreeDartFinish) {
  // 163, 166 and 169 cannot be finished either, but no visit totals them.
  for (int r = 2; r <= 230; ++r) {
    const bool noFinish = FewestFinishingDarts(r) == 0;
    EXPECT_EQ(darts::IsUnfinishable(r) || darts::IsImpossibleVisit(r), noFinish) << r;
    if (darts::IsUnfinishable(r)) {
      EXPECT_TRUE(noFinish) << r;
    }
  }
}

TEST(DartsRules, FinishingDartOfferFollowsTheFewestDartsNeeded) {
  for (int v = 2; v <= 170; ++v) {
    const int fewest = FewestFinishingDarts(v);
    if (fewest == 0) continue;
    const darts::FinishingDarts expected = fewest == 1   ? darts::FinishingDarts::Any
                                           : fewest == 2 ? darts::FinishingDarts::SecondOrThird
                                                         : darts::FinishingDarts::ThirdOnly;
    EXPECT_EQ(darts::FinishingDartsFor(v), expected) << v;
  }
}

TEST(DartsRules, BandEdges) {
  struct Case {
    int visit;
    darts::Band band;
  };
  const Case cases[] = {{0, darts::Band::None},      {59, darts::Band::None},     {60, darts::Band::From60},
                        {79, darts::Band::From60},   {80, darts::Band::From80},   {99, darts::Band::From80},
                        {100, darts::Band::From100}, {139, darts::Band::From100}, {140, darts::Band::From140},
                        {179, darts::Band::From140}, {180, darts::Band::Max180},  {181, darts::Band::None}};
  for (const Case& c : cases) EXPECT_EQ(darts::BandOf(c.visit), c.band) << c.visit;
}

TEST(DartsRules, DartNotation) {
  struct Case {
    const char* dart;
    int value;
    bool finishing;
  };
  const Case cases[] = {{"T20", 60, false}, {"D16", 32, true}, {"D1", 2, true},    {"19", 19, false},
                        {"25", 25, false},  {"50", 50, true},  {"T21", -1, false}, {"D0", -1, false},
                        {"21", -1, false},  {"05", -1, false}, {"", -1, false},    {"X5", -1, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(darts::DartValue(c.dart), c.value) << c.dart;
    EXPECT_EQ(darts::IsFinishingDart(c.dart), c.finishing) << c.dart;
  }
}

// Every entry of the checkout-variant table is one to three darts that add up
// to its score and end on a double or the bull, or, exactly where three darts
// cannot finish, "Hет" (a Latin H, then Cyrillic letters).
TEST(CheckoutTables, EveryEntryFinishesItsScoreOrSaysThereIsNone) {
  for (int score = rules::kKalvernHighScore + 1; score >= rules::kKalvernLowScore - 1; --score) {
    SCOPED_TRACE(score);
    const QString entry = rules::KalvernVariantText(score);
    if (score > rules::kKalvernHighScore || score < rules::kKalvernLowScore) {
      EXPECT_TRUE(entry.isEmpty());
    } else if (FewestFinishingDarts(score) == 0) {
      EXPECT_EQ(entry.trimmed(), QStringLiteral("H") + QString::fromUtf8("ет"));
    } else {
      const QStringList darts = entry.split(QChar(' '), Qt::SkipEmptyParts);
      ASSERT_GE(darts.size(), 1);
      EXPECT_LE(darts.size(), 3);
      int sum = 0;
      for (const QString& d : darts) {
        EXPECT_GT(darts::DartValue(d), 0) << d.toStdString();
        sum += darts::DartValue(d);
      }
      EXPECT_EQ(sum, score) << entry.toStdString();
      EXPECT_TRUE(darts::IsFinishingDart(darts.back())) << entry.toStdString();
    }
  }
}

// The solo window's suggestions are the table's routes from 170 down to 61.
TEST(CheckoutTables, SoloRowsAreTheTableRoutesInPlainText) {
  for (int row = -1; row <= solo::kSuggestionRows; ++row) {
    const int score = solo::kHighestSuggestion - row;
    SCOPED_TRACE(score);
    const QString solo = solo::SuggestionRow(row);
    EXPECT_EQ(solo, solo::SuggestionFor(score));
    if (row < 0 || row == solo::kSuggestionRows) {
      EXPECT_TRUE(solo.isEmpty());
    } else if (FewestFinishingDarts(score) == 0) {
      EXPECT_EQ(solo.toLatin1(), QByteArray("HET"));  // Latin letters, unlike the table
    } else {
      EXPECT_EQ(solo, rules::KalvernVariantText(score).simplified());  // the table aligns its columns
    }
  }
}

// The table's grid: four pairs of score and variant columns with narrow empty
// columns between them, each score from 170 down to 51 once, its variant
// beside it.
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
        // Two blanks before a score, four before the two-digit ones of the third pair.
        EXPECT_EQ(text, QString(col == 6 && score < 100 ? 4 : 2, ' ') + QString::number(score));
        if (row > 0) {
          EXPECT_EQ(score, rules::KalvernCellText(col, row - 1).trimmed().toInt() - 1);
        }
      }
    }
  }
  EXPECT_EQ(seen.size(), 120u);
  EXPECT_EQ(*seen.begin(), 51);
  EXPECT_EQ(*seen.rbegin(), 170);
}

TEST(CheckoutTables, OpenEntryLinesUpWithItsNeighbours) {
  // 119 sits between 120 and 118, whose double stands after three blanks.
  const QString text = rules::KalvernVariantText(119);
  for (int neighbour : {120, 118}) {
    EXPECT_EQ(text.size(), rules::KalvernVariantText(neighbour).size());
    EXPECT_EQ(text.lastIndexOf('D'), rules::KalvernVariantText(neighbour).lastIndexOf('D'));
  }
  EXPECT_EQ(solo::SuggestionFor(119), text.simplified());
}

}  // namespace
