// The rules of the practice game 60, checked against the board.
#include <gtest/gtest.h>

#include <QList>
#include <QStringList>
#include <set>

#include "darts/DartsRules.h"
#include "darts/Game60Rules.h"

namespace {

// Every route scores its target in at most three darts and ends on a double or
// the Bull; no target outside 41..130 has one.
TEST(Game60Rules, RoutesScoreTheirTargetAndFinishOnADouble) {
  for (int t = -1; t <= 140; ++t) {
    const QString route = darts::Game60Route(t);
    EXPECT_EQ(route.isEmpty(), t < 41 || t > 130) << t;
    if (route.isEmpty()) continue;
    const QStringList parts = route.split(" - ");
    ASSERT_LE(parts.size(), 3);
    int sum = 0;
    for (const QString& dart : parts) sum += darts::DartValue(dart) > 0 ? darts::DartValue(dart) : 1000;
    EXPECT_EQ(sum, t) << route.toStdString();
    EXPECT_TRUE(darts::IsFinishingDart(parts.last())) << route.toStdString();
  }
}

// "1" is offered where one dart can close the target; "2" where two darts can.
TEST(Game60Rules, ButtonsFollowWhatTheDartsCanClose) {
  std::set<int> all{0, 25, 50}, finishing{50};
  for (int s = 1; s <= 20; ++s) all.insert({s, 2 * s, 3 * s}), finishing.insert(2 * s);
  for (int t = 2; t <= 130; ++t) {
    bool two = false;
    for (int a : all) two = two || finishing.count(t - a) == 1;
    EXPECT_EQ(darts::Game60FirstDartOffered(t), finishing.count(t) == 1) << t;
    EXPECT_EQ(darts::Game60SecondDartOffered(t), two) << t;
  }
  for (int limit : {-8, 0, 7, 8, 50, 999, 1000})
    EXPECT_EQ(darts::Game60LimitAccepted(limit), limit >= 8 && limit <= 999) << limit;
}

}  // namespace
