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

TEST(SectorVisits, LeadingZero) {
  struct Case {
    const char* typed;
    const char* read;
  };
  const Case cases[] = {{"05 ", "0"}, {" 05", " 05"}, {"50 ", "50 "}, {"0  ", "0"}, {"005", "0"}, {"   ", "   "}};
  for (const Case& c : cases) EXPECT_EQ(darts::LeadingZeroRule(c.typed), QString(c.read)) << c.typed;
}

}  // namespace
