// Legs, sets and starters of a two-player match, checked against the rules of
// the game: a set or match goes to the first to reach the target, legs in a set
// alternate their starter, sets alternate theirs, and a deciding leg or set is
// started by the players' choice when they play for it.
#include <gtest/gtest.h>

#include <string>

#include "darts/MatchRules.h"

namespace {

using darts::LegOutcome;
using darts::MatchScore;
using darts::MatchSettings;

TEST(MatchRules, LegDartsAveragesAndBestLeg) {
  struct Case {
    int visits, dart, start, darts;
    double perDart;
  };
  // D = 14 from 501 is 35.79 per dart and 107.36 per visit.
  const Case cases[] = {{5, 2, 501, 14, 35.7857}, {3, 3, 501, 9, 55.6667}, {1, 1, 170, 1, 170.0}};
  for (const Case& t : cases) {
    SCOPED_TRACE(t.darts);
    EXPECT_EQ(darts::LegDarts(t.visits, t.dart), t.darts);
    EXPECT_NEAR(darts::LegAveragePerDart(t.start, t.darts), t.perDart, 1e-3);
    // Single precision throughout: the per-visit average is the float one times 3.
    EXPECT_EQ(darts::LegAveragePerVisit(t.start, t.darts), darts::LegAveragePerDart(t.start, t.darts) * 3);
  }
  // Fewer darts is better, a tie keeps the old best, 0 is no leg yet.
  const int best[][3] = {{0, 30, 30}, {18, 15, 15}, {15, 15, 15}, {15, 21, 15}};
  for (const auto& b : best) EXPECT_EQ(darts::BestLeg(b[0], b[1]), b[2]) << b[0] << " " << b[1];
}

// Whole matches played by the rules with the given winners: the starter of
// every leg, "c" before a leg whose starter the players chose.
TEST(MatchRules, StarterOfEveryLegForAllFourSettings) {
  struct Case {
    MatchSettings settings;
    int firstStarter;
    const char* winners;
    int chosen;  // the player the chooser names
    const char* starters;
  };
  const Case cases[] = {
      // First to 3 legs: 2-2 makes the fifth leg the deciding one.
      {{0, 3, true, false}, 1, "12121", 2, "1212c2"},
      {{0, 3, true, false}, 2, "12122", 1, "2121c1"},
      {{0, 3, false, false}, 1, "12121", 2, "12121"},
      {{0, 2, false, true}, 2, "121", 1, "212"},  // the set draw means nothing without sets
      // First to 2 sets of 2 legs: 1-1 in sets makes the third set the deciding one.
      {{2, 2, false, true}, 1, "1122121", 2, "1221c212"},
      {{2, 2, false, false}, 1, "1122121", 2, "1221121"},
      {{2, 2, true, false}, 2, "21112211", 1, "21212121"},  // the leg draw means nothing with sets
      {{3, 1, false, true}, 2, "12211", 1, "2121c1"},       // sets of one leg
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.starters);
    MatchScore score;
    int setStarter = t.firstStarter, legStarter = t.firstStarter;
    std::string starters;
    LegOutcome outcome = LegOutcome::LegWon;
    for (const char* w = t.winners; *w; ++w) {
      starters += static_cast<char>('0' + legStarter);
      outcome = darts::CountLeg(t.settings, score, *w - '0');
      if (outcome == LegOutcome::MatchWon) break;
      const darts::Starters next = darts::NextStarters(t.settings, outcome, score, setStarter, legStarter);
      setStarter = next.setStarter;
      legStarter = next.askChooser ? t.chosen : next.legStarter;
      if (next.askChooser) starters += 'c';
    }
    EXPECT_EQ(outcome, LegOutcome::MatchWon);
    EXPECT_EQ(starters, t.starters);
  }
}

}  // namespace
