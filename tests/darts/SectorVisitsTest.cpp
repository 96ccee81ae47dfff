// The one-sector visit rule checked against every three darts at the sector.
#include <gtest/gtest.h>

#include <set>

#include "darts/SectorVisits.h"

namespace {

// Every total of three darts thrown at the sector: each a miss or one of its
// segments (single, double, treble; for the Bull the outer bull and the Bull).
std::set<int> ThreeDartTotals(int sector) {
  std::set<int> values{0};
  if (sector == darts::kBullSector) {
    values.insert({25, 50});
  } else {
    values.insert({sector, 2 * sector, 3 * sector});
  }
  std::set<int> totals;
  for (int a : values)
    for (int b : values)
      for (int c : values) totals.insert(a + b + c);
  return totals;
}

TEST(SectorVisits, AgreesWithThreeDartsForEverySector) {
  for (int sector = 0; sector <= 20; ++sector) {
    const std::set<int> totals = ThreeDartTotals(sector);
    for (int score = 0; score <= 999; ++score) {
      ASSERT_EQ(darts::IsSectorVisit(sector, score), totals.count(score) == 1)
          << "sector " << sector << " score " << score;
    }
  }
}

TEST(SectorVisits, NamedCases) {
  struct Case {
    int sector, score;
    bool ok;
  };
  const Case cases[] = {{20, 180, true}, {20, 190, false}, {20, 7, false},  {1, 9, true},     {1, 10, false},
                        {19, 171, true}, {19, 180, false}, {0, 150, true},  {0, 175, false}, {0, 60, false},
                        {7, 63, true},   {7, 70, false},   {7, 8, false},   {5, 0, true},    {0, 0, true},
                        {20, -20, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(darts::IsSectorVisit(c.sector, c.score), c.ok) << c.sector << " " << c.score;
  }
}

TEST(SectorVisits, LeadingZero) {
  struct Case {
    const char* typed;
    const char* read;
  };
  const Case cases[] = {{"05 ", "0"}, {" 05", " 05"}, {"50 ", "50 "}, {"0  ", "0"}, {"005", "0"}, {"   ", "   "}};
  for (const Case& c : cases) EXPECT_EQ(darts::LeadingZeroRule(c.typed), QString(c.read)) << c.typed;
}

}  // namespace
