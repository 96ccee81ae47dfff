// Round-robin rounds, draw seeds and bracket lines checked against what a
// tournament needs of them, not against copies of the lists.
#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "darts/TournamentRules.h"

namespace {

using darts::Pairing;

// ---------------------------------------------------------------------------
// Round robin

class RoundRobinTest : public testing::TestWithParam<int> {};

TEST_P(RoundRobinTest, EveryRoundPairsEveryoneOnceAndEveryPairMeetsOnce) {
  const int n = GetParam();
  const auto rounds = darts::RoundRobinRounds(n);
  ASSERT_EQ(static_cast<int>(rounds.size()), n - 1);
  std::set<Pairing> met;
  for (int k = 1; k <= n - 1; ++k) {
    SCOPED_TRACE(k);
    const auto& round = rounds[k - 1];
    ASSERT_EQ(static_cast<int>(round.size()), n / 2);
    // Participant 1 stays put and meets the others from the last one down.
    EXPECT_EQ(round.front(), Pairing(1, n - k + 1));
    std::set<int> playing;
    for (const Pairing& p : round) {
      EXPECT_LT(p.first, p.second);
      EXPECT_GE(p.first, 1);
      EXPECT_LE(p.second, n);
      playing.insert({p.first, p.second});
      EXPECT_TRUE(met.insert(p).second) << p.first << " and " << p.second << " meet twice";
    }
    EXPECT_EQ(static_cast<int>(playing.size()), n);
  }
  EXPECT_EQ(static_cast<int>(met.size()), n * (n - 1) / 2);
}

// The sheet sizes, and even groups beyond them that the rule serves as well.
INSTANTIATE_TEST_SUITE_P(GroupSizes, RoundRobinTest, testing::Values(2, 4, 6, 8, 10, 16));

TEST(RoundRobin, OddOrMissingGroupsHaveNoRounds) {
  for (int n : {-2, 0, 1, 3, 7}) EXPECT_TRUE(darts::RoundRobinRounds(n).empty()) << n;
  for (int n : {3, 5, 7, 10, 0}) EXPECT_FALSE(darts::IsRoundRobinSize(n)) << n;
}

TEST(RoundRobin, PairingTextPutsTwoHyphensBetweenBlanks) {
  EXPECT_EQ(darts::PairingText({2, 3}), "2 -- 3");
  EXPECT_EQ(darts::PairingText({1, 16}), "1 -- 16");
}

// ---------------------------------------------------------------------------
// Seeds

class SeedOrderTest : public testing::TestWithParam<int> {};

TEST_P(SeedOrderTest, FollowsTheDoublingRule) {
  const int s = GetParam();
  const std::vector<int> seeds = darts::SeedOrder(s);
  ASSERT_EQ(static_cast<int>(seeds.size()), s);
  // Each seed once.
  std::vector<int> sorted = seeds;
  std::sort(sorted.begin(), sorted.end());
  for (int i = 0; i < s; ++i) EXPECT_EQ(sorted[i], i + 1);
  EXPECT_EQ(seeds.front(), 1);
  EXPECT_EQ(seeds.back(), 2);

  // Undoing one doubling: each first-round pair adds up to S + 1 and its
  // better seed stands first at even positions of the halved list, second at
  // odd ones; the better seeds in order are the list of half the size.
  std::vector<int> halved;
  for (int p = 0; p < s / 2; ++p) {
    const int upper = seeds[2 * p], lower = seeds[2 * p + 1];
    EXPECT_EQ(upper + lower, s + 1) << "pair " << p;
    const int better = std::min(upper, lower);
    EXPECT_EQ(p % 2 == 0 ? upper : lower, better) << "pair " << p;
    halved.push_back(better);
  }
  if (s > 2) {
    EXPECT_EQ(halved, darts::SeedOrder(s / 2));
  } else {
    EXPECT_EQ(halved, std::vector<int>{1});
  }
}

TEST_P(SeedOrderTest, TheBestSeedsMeetAsLateAsTheDrawAllows) {
  const int s = GetParam();
  const std::vector<int> seeds = darts::SeedOrder(s);
  ASSERT_EQ(static_cast<int>(seeds.size()), s);
  // In sections of S / 2^j slots, the seeds 1 .. 2^j each lead a section of
  // their own: two of them cannot meet before the section's winners do.
  for (int sections = 2; sections <= s; sections *= 2) {
    const int width = s / sections;
    std::set<int> sectionsOfTopSeeds;
    for (int slot = 0; slot < s; ++slot)
      if (seeds[slot] <= sections) sectionsOfTopSeeds.insert(slot / width);
    EXPECT_EQ(static_cast<int>(sectionsOfTopSeeds.size()), sections) << sections << " sections";
  }
}

INSTANTIATE_TEST_SUITE_P(DrawSizes, SeedOrderTest, testing::Values(2, 4, 8, 16, 32, 64, 128));

TEST(SeedOrder, SizesThatAreNoPowerOfTwoHaveNoDraw) {
  for (int s : {-8, 0, 1, 3, 6, 12, 48, 65}) EXPECT_TRUE(darts::SeedOrder(s).empty()) << s;
  for (int s : {4, 12, 128, 0}) EXPECT_FALSE(darts::IsBracketSize(s)) << s;
}

// ---------------------------------------------------------------------------
// Bracket sheet lines

class BracketLinesTest : public testing::TestWithParam<int> {};

TEST_P(BracketLinesTest, EachLineOfARoundLiesHalfwayBetweenTheTwoItJoins) {
  const int s = GetParam();
  const int rounds = darts::BracketRounds(s);
  ASSERT_EQ(1 << rounds, s);
  ASSERT_EQ(darts::BracketSheetColumns(s), rounds + 2);
  const int lastRow = darts::BracketSheetRows(s);
  ASSERT_EQ(lastRow, 2 * s + 2);

  // Round 1: a line under each slot's name.
  std::vector<int> lines = darts::SlotLineRows(s, 1);
  ASSERT_EQ(static_cast<int>(lines.size()), s);
  for (int slot = 1; slot <= s; ++slot) EXPECT_EQ(lines[slot - 1], darts::SlotRow(slot) + 1) << slot;
  EXPECT_EQ(lines.back(), lastRow);

  for (int r = 1; r <= rounds; ++r) {
    SCOPED_TRACE(r);
    const std::vector<int> next = darts::SlotLineRows(s, r + 1);
    ASSERT_EQ(next.size() * 2, lines.size());
    for (size_t j = 0; j < next.size(); ++j) {
      const int upper = lines[2 * j], lower = lines[2 * j + 1];
      EXPECT_EQ(next[j] * 2, upper + lower);
    }
    // The connectors of round r run down the right edge from each pair's upper
    // line to the row just above its lower line, and nowhere else.
    std::vector<int> expected;
    for (size_t j = 0; j < next.size(); ++j)
      for (int row = lines[2 * j]; row < lines[2 * j + 1]; ++row) expected.push_back(row);
    EXPECT_EQ(darts::ConnectorRows(s, r), expected);
    lines = next;
  }
  // The winner's column: one line and no connector.
  EXPECT_EQ(lines.size(), 1u);
  EXPECT_TRUE(darts::ConnectorRows(s, rounds + 1).empty());
  EXPECT_TRUE(darts::SlotLineRows(s, rounds + 2).empty());
  EXPECT_TRUE(darts::SlotLineRows(s, 0).empty());
}

TEST_P(BracketLinesTest, TitlesCountThePairsStillToPlay) {
  const int s = GetParam();
  const int rounds = darts::BracketRounds(s);
  for (int r = 1; r < rounds; ++r) {
    const int inRound = static_cast<int>(darts::SlotLineRows(s, r).size());
    EXPECT_EQ(darts::RoundTitle(s, r), " 1/" + QString::number(inRound / 2) + " ") << r;
  }
  EXPECT_EQ(darts::SlotLineRows(s, rounds).size(), 2u);
  EXPECT_EQ(darts::RoundTitle(s, rounds), "Финал");
  EXPECT_EQ(darts::RoundTitle(s, rounds + 1), "Победитель");
  EXPECT_TRUE(darts::RoundTitle(s, rounds + 2).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(SheetSizes, BracketLinesTest, testing::Values(8, 16, 32, 64));

}  // namespace
