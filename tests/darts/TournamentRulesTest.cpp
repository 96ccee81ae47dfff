// Round-robin rounds, draw seeds and bracket lines checked against what a
// tournament needs of them, not against copies of the lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

#include "darts/TournamentRules.h"

namespace {

using darts::Pairing;

// The sheet sizes, and even groups beyond them that the rule serves as well.
TEST(RoundRobin, EveryRoundPairsEveryoneOnceAndEveryPairMeetsOnce) {
  for (int n : {2, 4, 6, 8, 10, 16}) {
    SCOPED_TRACE(n);
    const auto rounds = darts::RoundRobinRounds(n);
    ASSERT_EQ(static_cast<int>(rounds.size()), n - 1);
    std::set<Pairing> met;
    for (int k = 1; k <= n - 1; ++k) {
      const auto& round = rounds[k - 1];
      // Participant 1 stays put and meets the others from the last one down.
      EXPECT_EQ(round.front(), Pairing(1, n - k + 1)) << k;
      std::set<int> playing;
      for (const Pairing& p : round) {
        EXPECT_TRUE(p.first >= 1 && p.first < p.second && p.second <= n) << p.first << "-" << p.second;
        playing.insert({p.first, p.second});
        EXPECT_TRUE(met.insert(p).second) << p.first << " and " << p.second << " meet twice";
      }
      EXPECT_TRUE(static_cast<int>(round.size()) == n / 2 && static_cast<int>(playing.size()) == n) << k;
    }
  }
  for (int n : {-2, 0, 1, 3, 7}) EXPECT_TRUE(darts::RoundRobinRounds(n).empty()) << n;
}

// Undoing one doubling gives the draw of half the size.
TEST(SeedOrder, EachDrawHalvesIntoTheOneBeforeIt) {
  for (int s : {2, 4, 8, 16, 32, 64, 128}) {
    SCOPED_TRACE(s);
    const std::vector<int> seeds = darts::SeedOrder(s);
    std::vector<int> sorted = seeds, all(s), halved;
    std::sort(sorted.begin(), sorted.end());
    std::iota(all.begin(), all.end(), 1);
    EXPECT_TRUE(sorted == all && seeds.front() == 1 && seeds.back() == 2);
    // Each first-round pair adds up to S + 1; its better seed stands first at
    // even positions of the halved draw and second at odd ones.
    for (int p = 0; p < s / 2; ++p) {
      const int upper = seeds[2 * p], lower = seeds[2 * p + 1];
      EXPECT_EQ(upper + lower, s + 1) << "pair " << p;
      EXPECT_EQ(p % 2 == 0 ? upper : lower, std::min(upper, lower)) << "pair " << p;
      halved.push_back(std::min(upper, lower));
    }
    EXPECT_EQ(halved, s > 2 ? darts::SeedOrder(s / 2) : std::vector<int>{1});
  }
  for (int s : {-8, 0, 1, 3, 6, 12, 48, 65}) EXPECT_TRUE(darts::SeedOrder(s).empty()) << s;
}

TEST(BracketLines, EachLineLiesHalfwayBetweenTheTwoItJoins) {
  for (int s : {8, 16, 32, 64}) {
    SCOPED_TRACE(s);
    const int rounds = darts::BracketRounds(s);
    ASSERT_TRUE(1 << rounds == s && darts::BracketSheetRows(s) == 2 * s + 2);
    // Round 1: a line under each slot's name, the last one on the last row.
    std::vector<int> lines = darts::SlotLineRows(s, 1), under;
    for (int slot = 1; slot <= s; ++slot) under.push_back(darts::SlotRow(slot) + 1);
    EXPECT_TRUE(lines == under && lines.back() == darts::BracketSheetRows(s));
    for (int r = 1; r <= rounds; ++r) {
      const std::vector<int> next = darts::SlotLineRows(s, r + 1);
      ASSERT_EQ(next.size() * 2, lines.size()) << r;
      // Connectors run down from each pair's upper line to just above its lower one.
      std::vector<int> joins;
      for (size_t j = 0; j < next.size(); ++j) {
        EXPECT_EQ(next[j] * 2, lines[2 * j] + lines[2 * j + 1]) << r;
        for (int row = lines[2 * j]; row < lines[2 * j + 1]; ++row) joins.push_back(row);
      }
      EXPECT_EQ(darts::ConnectorRows(s, r), joins) << r;
      EXPECT_EQ(darts::RoundTitle(s, r), r == rounds ? "Финал" : " 1/" + QString::number(lines.size() / 2) + " ");
      lines = next;
    }
    // The winner's column: one line, no connector, and nothing beyond it.
    EXPECT_TRUE(lines.size() == 1 && darts::RoundTitle(s, rounds + 1) == "Победитель");
    EXPECT_TRUE(darts::ConnectorRows(s, rounds + 1).empty() && darts::SlotLineRows(s, rounds + 2).empty() &&
                darts::SlotLineRows(s, 0).empty() && darts::RoundTitle(s, rounds + 2).isEmpty());
  }
}

}  // namespace
