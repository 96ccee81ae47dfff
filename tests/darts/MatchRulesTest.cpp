// Legs, sets and starters of a two-player match, checked against the rules of
// the game: a set or match goes to the first to reach the target, legs in a set
// alternate their starter, sets alternate theirs, and a deciding leg or set is
// started by the players' choice when they play for it.
#include <gtest/gtest.h>

#include <vector>

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

TEST(MatchRules, CountingLegsAndSets) {
  struct Case {
    const char* name;
    MatchSettings settings;
    MatchScore before;
    int winner;
    MatchScore after;
    LegOutcome outcome;
  };
  const Case cases[] = {
      {"legs: first leg", {0, 3}, {{0, 0}, {0, 0}}, 1, {{0, 0}, {1, 0}}, LegOutcome::LegWon},
      {"legs: 2-2 to 3-2 wins", {0, 3}, {{0, 0}, {2, 2}}, 1, {{0, 0}, {3, 2}}, LegOutcome::MatchWon},
      {"legs: player 2 wins first to 1", {0, 1}, {{0, 0}, {0, 0}}, 2, {{0, 0}, {0, 1}}, LegOutcome::MatchWon},
      {"sets: a leg inside a set", {2, 3}, {{0, 1}, {1, 0}}, 2, {{0, 1}, {1, 1}}, LegOutcome::LegWon},
      {"sets: the set's last leg", {3, 2}, {{0, 0}, {1, 1}}, 2, {{0, 1}, {0, 0}}, LegOutcome::SetWon},
      {"sets: the match's last leg", {2, 2}, {{1, 1}, {0, 1}}, 2, {{1, 2}, {0, 0}}, LegOutcome::MatchWon},
      {"sets: every leg a set", {3, 1}, {{1, 0}, {0, 0}}, 1, {{2, 0}, {0, 0}}, LegOutcome::SetWon},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    MatchScore score = t.before;
    EXPECT_EQ(darts::CountLeg(t.settings, score, t.winner), t.outcome);
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(score.sets[i], t.after.sets[i]) << i;
      EXPECT_EQ(score.legs[i], t.after.legs[i]) << i;
    }
  }
}

// Whole matches played by the rules with the given winners: the starter of
// every leg, and the legs before which the players chose.
TEST(MatchRules, StarterOfEveryLegForAllFourSettings) {
  struct Case {
    const char* name;
    MatchSettings settings;
    int firstStarter;
    std::vector<int> winners;
    int chosen;  // the player the chooser names
    std::vector<int> starters;
    std::vector<int> chosenBefore;  // leg numbers, counted from 1
  };
  const Case cases[] = {
      // First to 3 legs: 2-2 makes the fifth leg the deciding one.
      {"legs, draw", {0, 3, true, false}, 1, {1, 2, 1, 2, 1}, 2, {1, 2, 1, 2, 2}, {5}},
      {"legs, draw, player 1 named", {0, 3, true, false}, 2, {1, 2, 1, 2, 2}, 1, {2, 1, 2, 1, 1}, {5}},
      {"legs, no draw", {0, 3, false, false}, 1, {1, 2, 1, 2, 1}, 2, {1, 2, 1, 2, 1}, {}},
      {"legs, the set draw means nothing", {0, 2, false, true}, 2, {1, 2, 1}, 1, {2, 1, 2}, {}},
      // First to 2 sets of 2 legs: 1-1 in sets makes the third set the deciding one.
      {"sets, draw", {2, 2, false, true}, 1, {1, 1, 2, 2, 1, 2, 1}, 2, {1, 2, 2, 1, 2, 1, 2}, {5}},
      {"sets, no draw", {2, 2, false, false}, 1, {1, 1, 2, 2, 1, 2, 1}, 2, {1, 2, 2, 1, 1, 2, 1}, {}},
      {"sets, the leg draw means nothing",
       {2, 2, true, false},
       2,
       {2, 1, 1, 1, 2, 2, 1, 1},
       1,
       {2, 1, 2, 1, 2, 1, 2, 1},
       {}},
      // Sets of one leg: every leg starts a new set.
      {"sets of one leg, draw", {3, 1, false, true}, 2, {1, 2, 2, 1, 1}, 1, {2, 1, 2, 1, 1}, {5}},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    MatchScore score;
    int setStarter = t.firstStarter, legStarter = t.firstStarter;
    std::vector<int> starters, chosenBefore;
    bool over = false;
    for (size_t i = 0; i < t.winners.size(); ++i) {
      starters.push_back(legStarter);
      const LegOutcome outcome = darts::CountLeg(t.settings, score, t.winners[i]);
      over = outcome == LegOutcome::MatchWon;
      if (over) break;
      const darts::Starters next = darts::NextStarters(t.settings, outcome, score, setStarter, legStarter);
      setStarter = next.setStarter;
      legStarter = next.askChooser ? t.chosen : next.legStarter;
      if (next.askChooser) chosenBefore.push_back(static_cast<int>(i) + 2);
    }
    EXPECT_TRUE(over);
    EXPECT_EQ(starters, t.starters);
    EXPECT_EQ(chosenBefore, t.chosenBefore);
  }
}

}  // namespace
