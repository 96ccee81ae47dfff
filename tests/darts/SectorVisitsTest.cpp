// The one-sector visit rule against every three darts at the sector.
#include <gtest/gtest.h>

#include <set>

#include "darts/SectorVisits.h"

TEST(SectorVisits, AgreesWithEveryThreeDartsAtTheSector) {
  for (int sector = 0; sector <= 20; ++sector) {  // 0 is the Bull: outer bull 25, Bull 50
    const std::set<int> dart = sector ? std::set<int>{0, sector, 2 * sector, 3 * sector} : std::set<int>{0, 25, 50};
    std::set<int> totals;
    for (int a : dart)
      for (int b : dart)
        for (int c : dart) totals.insert(a + b + c);
    for (int score = 0; score <= 999; ++score) {
      ASSERT_EQ(darts::IsSectorVisit(sector, score), totals.count(score) == 1) << sector << ": " << score;
    }
  }
}
