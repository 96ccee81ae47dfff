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

TEST(MatchRules, LegDartsAndAverages) {
  struct Case {
    int visits, dart, darts;
    int start;
    double perDart, perVisit;
  };
  const Case cases[] = {
      {5, 2, 14, 501, 35.7857, 107.357},
      {3, 3, 9, 501, 55.6667, 167.0},  // nine-darter
      {1, 1, 1, 170, 170.0, 510.0},
      {7, 1, 19, 301, 15.8421, 47.5263},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.darts);
    EXPECT_EQ(darts::LegDarts(t.visits, t.dart), t.darts);
    EXPECT_NEAR(darts::LegAveragePerDart(t.start, t.darts), t.perDart, 1e-3);
    EXPECT_NEAR(darts::LegAveragePerVisit(t.start, t.darts), t.perVisit, 1e-3);
  }
  // Single precision throughout: the per-visit average is the float average times 3.
  const float perDart = darts::LegAveragePerDart(501, 14);
  EXPECT_EQ(darts::LegAveragePerVisit(501, 14), perDart * 3);
}

TEST(MatchRules, BestLegKeepsTheFewestDartsAndATieChangesNothing) {
  struct Case {
    int best, legDarts, expected;
  };
  const Case cases[] = {{0, 30, 30}, {18, 15, 15}, {15, 15, 15}, {15, 21, 15}, {9, 9, 9}};
  for (const Case& t : cases) EXPECT_EQ(darts::BestLeg(t.best, t.legDarts), t.expected) << t.best << " " << t.legDarts;
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

// One whole match played by the rules with the given winners; returns the
// starter of every leg and the legs before which the players chose.
struct Played {
  std::vector<int> starters;
  std::vector<int> chosenBefore;  // leg numbers, counted from 1
  bool over = false;
};
Played Play(const MatchSettings& s, const std::vector<int>& winners, int firstStarter, int chosen) {
  Played out;
  MatchScore score;
  int setStarter = firstStarter, legStarter = firstStarter;
  for (size_t i = 0; i < winners.size(); ++i) {
    out.starters.push_back(legStarter);
    const LegOutcome outcome = darts::CountLeg(s, score, winners[i]);
    if (outcome == LegOutcome::MatchWon) {
      out.over = true;
      break;
    }
    const darts::Starters next = darts::NextStarters(s, outcome, score, setStarter, legStarter);
    setStarter = next.setStarter;
    legStarter = next.legStarter;
    if (next.askChooser) {
      legStarter = chosen;
      out.chosenBefore.push_back(static_cast<int>(i) + 2);
    }
  }
  return out;
}

TEST(MatchRules, StarterOfEveryLegForAllFourSettings) {
  struct Case {
    const char* name;
    MatchSettings settings;
    int firstStarter;
    std::vector<int> winners;
    int chosen;  // the player the chooser names
    std::vector<int> starters;
    std::vector<int> chosenBefore;
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
      {"sets of one leg", {3, 1, false, false}, 1, {1, 2, 1, 2, 1}, 1, {1, 2, 1, 2, 1}, {}},
      {"sets of one leg, draw", {3, 1, false, true}, 2, {1, 2, 2, 1, 1}, 1, {2, 1, 2, 1, 1}, {5}},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    const Played p = Play(t.settings, t.winners, t.firstStarter, t.chosen);
    EXPECT_TRUE(p.over);
    EXPECT_EQ(p.starters, t.starters);
    EXPECT_EQ(p.chosenBefore, t.chosenBefore);
  }
}

TEST(MatchRules, LongestMatchIsEverySetAndTheMatchToTheDecidingLeg) {
  struct Case {
    int sets, legs, longest;
  };
  const Case cases[] = {{0, 1, 1}, {0, 3, 5}, {0, 20, 39}, {1, 3, 5}, {2, 2, 9}, {9, 20, 663}};
  for (const Case& t : cases) {
    EXPECT_EQ(darts::LongestMatchLegs(MatchSettings{t.sets, t.legs, false, false}), t.longest)
        << t.sets << " " << t.legs;
  }
}

}  // namespace
