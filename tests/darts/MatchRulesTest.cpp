// Best legs and starters of a two-player match, checked against the rules of the
// game: legs in a set alternate their starter, sets alternate theirs, and a
// deciding leg or set is started by the players' choice when they play for it.
#include <gtest/gtest.h>

#include <string>

#include "darts/MatchRules.h"

namespace {

using darts::LegOutcome;
using darts::MatchSettings;

// Fewer darts is better; the window's tests see legs of 14, 20 and 9 darts.
TEST(MatchRules, BestLegKeepsTheFewestDartsAndATieChangesNothing) {
  const int cases[][3] = {{0, 30, 30}, {18, 15, 15}, {15, 15, 15}, {15, 21, 15}};  // best, leg, best after
  for (const auto& c : cases) EXPECT_EQ(darts::BestLeg(c[0], c[1]), c[2]) << c[0] << " " << c[1];
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
    darts::MatchScore score;
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
