// The sector practice, and the one-sector rule it shares with the Big round.
#include <gtest/gtest.h>

#include <set>

#include "darts/SectorPractice.h"
#include "darts/SectorVisits.h"

namespace {

using darts::SectorPractice;
using V = SectorPractice::Visited;

QString Point(float v) { return QString::number(v, 'f', 2); }

TEST(SectorVisits, AgreesWithEveryThreeDartsAtTheSector) {
  for (int sector = 0; sector <= 20; ++sector) {  // 0 is the Bull: outer bull 25, Bull 50
    const std::set<int> dart = sector ? std::set<int>{0, sector, 2 * sector, 3 * sector} : std::set<int>{0, 25, 50};
    std::set<int> totals;
    for (int a : dart)
      for (int b : dart)
        for (int c : dart) totals.insert(a + b + c);
    for (int score = -1; score <= 999; ++score)
      ASSERT_EQ(darts::IsSectorVisit(sector, score), totals.count(score) == 1) << sector << ": " << score;
  }
}

// The Bull series is named BULL; a leading zero is no zero here; the file holds
// the finished series and an empty row, not the series in play.
TEST(SectorPractice, SeriesSummaryAndFile) {
  SectorPractice g(Point);
  g.ChooseSector(darts::kBullSector);
  for (const char* v : {"25", "50", "0", "150", "75", "100", "125", "25", "50"}) EXPECT_EQ(g.Visit(v), V::Next);
  EXPECT_TRUE(g.Visit("075") == V::SeriesDone && !g.Running() && g.Visit("0") == V::Ignored);
  g.ChooseSector(1);
  for (int i = 0; i < 10; ++i) g.Visit("9");
  g.ChooseSector(18);
  EXPECT_TRUE(g.Visit("7") == V::NotInSector && g.Visit("1 8") == V::NotANumber && g.Visit(" 54") == V::Next);
  EXPECT_EQ(g.FileLines("s"), QStringList({"s", "Сектор;Сумма;Средний на 1 дротик;Средний набор;",
                                           "BULL;675;22.50;67.50;", "1;90;3.00;9.00;", ";;;;"}));
}

}  // namespace
