// The doubles practice game played visit by visit: its ends, its history, the
// statistics file and the export made of it.
#include <gtest/gtest.h>

#include "darts/Game27.h"

namespace {

using darts::Game27;
using End = Game27::End;

// A game from a new one, with these hits per visit; the end of the last visit.
End Play(Game27& g, bool bull, const std::vector<int>& hits) {
  g.NewGame(bull);
  End end = End::None;
  for (int h : hits) end = g.Visit(h);
  return end;
}

QStringList Row(const std::array<QString, 4>& r) { return {r.begin(), r.end()}; }

TEST(Game27, GamesToTheirEnd) {
  std::vector<int> rightHalf(10, 1);
  rightHalf.insert(rightHalf.end(), 6, 0);  // 137 after sector 10, then 115, 91, 65, 37, 7, -25
  std::vector<int> toTwenty(19, 1);
  toTwenty.push_back(0);  // 427 - 40: still above zero at sector 20
  const struct {
    const char* name;
    bool bull;
    std::vector<int> hits;
    End end;
    int total, sector, blockRows;  // the block's rows after its heading
  } cases[] = {
      {"one hit on each sector", false, std::vector<int>(20, 1), End::LastSectorOneHit, 447, 20, 20},
      {"three hits everywhere with the Bull", true, std::vector<int>(21, 3), End::LastSector, 1437, 21, 21},
      {"a zero on the last sector below zero", false, {0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1, 0, 0},
       End::LastSectorMissed, -25, 20, 20},
      {"early end at sector 5", false, {0, 0, 0, 0, 0}, End::BelowZero, -3, 6, 5},
      {"early end at sector 16", true, rightHalf, End::BelowZero, -25, 17, 16},
      {"a zero on sector 20 before the Bull", true, toTwenty, End::None, 367, 21, 0},
      {"the Bull missed", true, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}, End::LastSectorMissed,
       397, 21, 21},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.name);
    Game27 g;
    g.Open();
    EXPECT_EQ(Play(g, t.bull, t.hits), t.end);
    EXPECT_EQ(g.Total(), t.total);
    EXPECT_EQ(g.CurrentSector(), t.sector);
    EXPECT_EQ(g.Running(), t.end == End::None);
    if (t.end == End::None) continue;
    EXPECT_EQ(g.Visit(3), End::None) << "a visit after the end changes nothing";
    EXPECT_EQ(g.Total(), t.total);
    const auto rows = g.HistoryRows();
    ASSERT_EQ(g.HistoryRow(), 1 + t.blockRows + 2);
    EXPECT_EQ(Row(rows[1]), QStringList({"", "Игра - 1", "", ""}));
    const int n = static_cast<int>(t.hits.size());
    EXPECT_EQ(Row(rows[1 + n]).mid(2), QStringList({QString::number(Game27::Points(n, t.hits.back())),
                                                     QString::number(t.total)}));
    EXPECT_EQ(Row(rows[2 + t.blockRows]).join(""), "");
  }
}

// The sheet shows the sector numbers from a new game on, the Bull row only
// when it is played, and each visit's hits, points and total.
TEST(Game27, SheetAsShown) {
  Game27 g;
  g.Open();
  EXPECT_EQ(g.SheetCell(0, 0), "");
  Play(g, false, {2, 0});
  const QStringList row0 = {g.SheetCell(0, 0), g.SheetCell(1, 0), g.SheetCell(2, 0), g.SheetCell(3, 0)};
  EXPECT_EQ(row0, QStringList({"1", "2", "4", "31"}));
  EXPECT_EQ(g.SheetCell(3, 1), "27");
  EXPECT_EQ(g.SheetCell(0, 2) + "|" + g.SheetCell(1, 2), "3|");
  EXPECT_EQ(g.SheetCell(5, 9) + g.SheetCell(5, 10), "20");
  Play(g, true, {});
  EXPECT_EQ(g.SheetCell(5, 10), "Булл");
  EXPECT_EQ(g.SheetCell(1, 0), "") << "a new game starts from an empty sheet";
}

// The file: the stamp, the headings, the block, the spacer row and the row of
// the next block; an early end at sector 20 with the Bull copies the Bull row's
// name too.
TEST(Game27, FileLines) {
  Game27 g;
  g.Open();
  Play(g, false, {0, 0, 0, 0, 0});
  EXPECT_EQ(g.FileLines("2026.12.05 - 16:14:09:14"),
            QStringList({"2026.12.05 - 16:14:09:14", "Сектор;Попаданий в сектор;Очки в секторе;Сумма очков;",
                         ";Игра - 1;;;", "1;0;-2;25;", "2;0;-4;21;", "3;0;-6;15;", "4;0;-8;7;", "5;0;-10;-3;", ";;;;",
                         ";;;;"}));
  Game27 h;
  h.Open();
  ASSERT_EQ(Play(h, true, {3, 3, 3, 3, 3, 3, 3, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), End::BelowZero);
  const QStringList lines = h.FileLines("s");
  ASSERT_EQ(lines.size(), 1 + 24);  // the Bull row takes the spacer's place
  EXPECT_EQ(lines[22], "20;0;-40;-33;");
  EXPECT_EQ(lines[23], "Булл;;;;");
}

// Games past the history grid's 500 rows are kept; the export takes the rows
// before the next block's under coloured headings.
TEST(Game27, LongHistoryAndItsSheet) {
  Game27 g;
  g.Open();
  for (int game = 1; game <= 25; ++game) Play(g, true, std::vector<int>(21, game % 3 + 1));
  EXPECT_EQ(g.GamesPlayed(), 25);
  EXPECT_EQ(g.HistoryRow(), 1 + 25 * 23);
  const QStringList lines = g.FileLines("s");
  ASSERT_EQ(lines.size(), 1 + 577);
  EXPECT_EQ(lines[2 + 24 * 23], ";Игра - 25;;;");
  EXPECT_EQ(lines[2 + 24 * 23 + 21], "Булл;2;100;" + QString::number(27 + 4 * 210 + 100) + ";");

  const darts::SheetBlock block = g.Sheet();
  EXPECT_EQ(QList<int>({block.LastRow(), block.LastCol(), block.HighRow(), block.HighCol()}),
            QList<int>({576, 4, 576, 4}));
  EXPECT_EQ(block.At(0, 3), "Сумма очков");
  EXPECT_EQ(block.At(2 + 24 * 23 + 20, 0), "Булл");
  EXPECT_FALSE(block.At(576, 0).has_value());
  g.Clear();
  EXPECT_EQ(g.HistoryRows().size(), 577u) << "the counters stay until the next opening";
  EXPECT_EQ(Row(g.HistoryRows()[1]).join(""), "");
}

}  // namespace
