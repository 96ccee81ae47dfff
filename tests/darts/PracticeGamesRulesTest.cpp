// The rules of the practice game 50, checked against the board.
#include <gtest/gtest.h>

#include <QList>

#include "darts/DartsRules.h"
#include "darts/Game50Rules.h"

namespace {

// Bull darts score 0, 25 or 50: a visit needs at least ceil(v / 50) of them,
// so the leg may have been finished by that dart or a later one.
TEST(Game50Rules, FinishingDartIsTheFewestBullDartsThatScoreTheVisit) {
  using darts::FinishingDarts;
  for (int v = 25; v <= darts::kGame50MaxVisit; v += 25) {
    const int fewest = (v + 49) / 50;
    EXPECT_EQ(darts::Game50FinishingDarts(v), fewest == 1   ? FinishingDarts::Any
                                              : fewest == 2 ? FinishingDarts::SecondOrThird
                                                            : FinishingDarts::ThirdOnly)
        << v;
  }
}

// A visit is offered while it does not pass the remainder; a bust once the
// remainder can be passed.
TEST(Game50Rules, ValuesOfferedByTheRemaining) {
  for (int remaining : {500, 175, 150, 125, 100, 75, 50, 25}) {
    for (int v = 0; v <= 150; v += 25) EXPECT_EQ(darts::Game50ValueOffered(v, remaining), v <= remaining) << v;
    EXPECT_EQ(darts::Game50BustOffered(remaining), remaining < 150) << remaining;
  }
  // Darts of a leg by its visits and the finishing dart.
  EXPECT_EQ(QList<int>({darts::Game50LegDarts(4, 1), darts::Game50LegDarts(4, 3), darts::Game50LegDarts(1, 2)}),
            QList<int>({10, 12, 2}));
}

}  // namespace
