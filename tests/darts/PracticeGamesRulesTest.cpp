// The rules of the practice games 27, 50 and 60, checked against the board.
#include <gtest/gtest.h>

#include <QStringList>
#include <set>

#include "darts/DartsRules.h"
#include "darts/Game27Rules.h"
#include "darts/Game50Rules.h"
#include "darts/Game60Rules.h"

namespace {

// Every value a single dart can score, and those that may finish.
std::set<int> AllDarts() {
  std::set<int> out{25, 50};
  for (int s = 1; s <= 20; ++s) out.insert({s, 2 * s, 3 * s});
  return out;
}
std::set<int> FinishingDarts() {
  std::set<int> out{50};
  for (int s = 1; s <= 20; ++s) out.insert(2 * s);
  return out;
}

TEST(Game27Rules, RunningTotals) {
  struct Case {
    const char* name;
    bool bull;
    int hits;                 // the same on every sector
    std::vector<int> totals;  // after sectors 1, 2, ...; empty: only the last checked
    int last;
  };
  const Case cases[] = {
      {"one hit on each", false, 1, {29, 33, 39, 47, 57}, 447},
      {"no hit from the start", false, 0, {25, 21, 15, 7, -3}, 27 - 420},
      {"three on each and the Bull", true, 3, {33, 45, 63}, 1437},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    int total = darts::kGame27Start;
    const int last = darts::Game27LastSector(t.bull);
    EXPECT_EQ(last, t.bull ? 21 : 20);
    for (int s = 1; s <= last; ++s) {
      total += darts::Game27Points(s, t.hits);
      if (s <= static_cast<int>(t.totals.size())) {
        EXPECT_EQ(total, t.totals[s - 1]) << "sector " << s;
      }
    }
    EXPECT_EQ(total, t.last);
  }
}

// Bull darts score 0, 25 or 50: a visit needs at least ceil(v / 50) of them,
// so the leg may have been finished by that dart or a later one.
TEST(Game50Rules, FinishingDartIsTheFewestBullDartsThatScoreTheVisit) {
  for (int v = 25; v <= darts::kGame50MaxVisit; v += 25) {
    const int fewest = (v + 49) / 50;
    const darts::FinishingDarts expected = fewest == 1   ? darts::FinishingDarts::Any
                                           : fewest == 2 ? darts::FinishingDarts::SecondOrThird
                                                         : darts::FinishingDarts::ThirdOnly;
    EXPECT_EQ(darts::Game50FinishingDarts(v), expected) << v;
  }
}

TEST(Game50Rules, ValuesOfferedByTheRemaining) {
  struct Case {
    int remaining;
    std::set<int> offered;
    bool bust;
  };
  const Case cases[] = {
      {500, {0, 25, 50, 75, 100, 125, 150}, false},
      {150, {0, 25, 50, 75, 100, 125, 150}, false},
      {125, {0, 25, 50, 75, 100, 125}, true},
      {100, {0, 25, 50, 75, 100}, true},
      {75, {0, 25, 50, 75}, true},
      {50, {0, 25, 50}, true},
      {25, {0, 25}, true},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.remaining);
    for (int v = 0; v <= 150; v += 25) {
      EXPECT_EQ(darts::Game50ValueOffered(v, t.remaining), t.offered.count(v) == 1) << v;
    }
    EXPECT_EQ(darts::Game50BustOffered(t.remaining), t.bust);
  }
  EXPECT_EQ(darts::Game50LegDarts(4, 1), 10);
  EXPECT_EQ(darts::Game50LegDarts(4, 3), 12);
  EXPECT_EQ(darts::Game50LegDarts(1, 2), 2);
}

// Every route scores its target in at most three darts and ends on a double or
// the Bull; no target outside 41..130 has one.
TEST(Game60Rules, RoutesScoreTheirTargetAndFinishOnADouble) {
  for (int t = -1; t <= 140; ++t) {
    SCOPED_TRACE(t);
    const QString route = darts::Game60Route(t);
    if (t < 41 || t > 130) {
      EXPECT_TRUE(route.isEmpty());
      continue;
    }
    const QStringList parts = route.split(" - ");
    ASSERT_GE(parts.size(), 1);
    ASSERT_LE(parts.size(), 3);
    int sum = 0;
    for (const QString& dart : parts) {
      const int v = darts::DartValue(dart);
      ASSERT_GT(v, 0) << dart.toStdString();
      sum += v;
    }
    EXPECT_EQ(sum, t) << route.toStdString();
    EXPECT_TRUE(darts::IsFinishingDart(parts.last())) << route.toStdString();
  }
}

// "1" is offered where one dart can close the target; "2" where two darts can.
TEST(Game60Rules, ButtonsFollowWhatTheDartsCanClose) {
  const std::set<int> all = AllDarts();
  const std::set<int> finishing = FinishingDarts();
  for (int t = 2; t <= 130; ++t) {
    bool two = finishing.count(t) == 1;
    for (int a : all) two = two || finishing.count(t - a) == 1;
    EXPECT_EQ(darts::Game60FirstDartOffered(t), finishing.count(t) == 1) << t;
    EXPECT_EQ(darts::Game60SecondDartOffered(t), two) << t;
  }
}

TEST(Game60Rules, VisitLimitBounds) {
  const struct {
    int limit;
    bool accepted;
  } cases[] = {{0, false}, {7, false}, {8, true}, {50, true}, {999, true}, {1000, false}, {-8, false}};
  for (const auto& t : cases) EXPECT_EQ(darts::Game60LimitAccepted(t.limit), t.accepted) << t.limit;
}

}  // namespace
