// The checkout ladder played visit by visit: its rules against the board, its
// ends, the visit limit, the log, the statistics file and the export.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "darts/DartsRules.h"
#include "darts/Game60.h"

namespace {

using darts::Game60;
using Dart = Game60::Dart;
using Visit = Game60::Visit;

// Visits written as '1', '2', '3' (closed with that dart), 'B' (through the
// Bull) and '-' (not closed); the outcome of the last one.
Visit Play(Game60& g, const std::string& visits) {
  Visit last = Visit::Ignored;
  for (char v : visits) last = v == '-' ? g.NotClosed() : g.Closed(v == 'B' ? Dart::Bull : Dart(v - '1'));
  return last;
}
// From 60 to the target: closed with the third dart (+10), then not closed.
std::string To(int target) {
  const int up = target > 60 ? (target - 51) / 10 : 0;
  return std::string(up, '3') + std::string(60 + 10 * up - target, '-');
}
QStringList Cells(const Game60::Row& r) { return {r.begin(), r.end()}; }

// Routes score their target in at most three darts and end on a double or the
// Bull; "1" is offered where one dart can close the target, "2" where two can.
TEST(Game60, RulesAgainstTheBoard) {
  std::set<int> all{0, 25, 50}, finishing{50};
  for (int s = 1; s <= 20; ++s) all.insert({s, 2 * s, 3 * s}), finishing.insert(2 * s);
  for (int t = -1; t <= 140; ++t) {
    bool two = false;
    for (int a : all) two = two || finishing.count(t - a) == 1;
    if (t >= 2 && t <= 130) {
      EXPECT_EQ(std::pair(Game60::OneDartCloses(t), Game60::TwoDartsClose(t)), std::pair(finishing.count(t) == 1, two))
          << t;
    }
    const QString route = Game60::Route(t);
    EXPECT_EQ(route.isEmpty(), t < 41 || t > 130) << t;
    if (route.isEmpty()) continue;
    const QStringList parts = route.split(" - ");
    int sum = 0;
    for (const QString& dart : parts) sum += darts::DartValue(dart) > 0 ? darts::DartValue(dart) : 1000;
    EXPECT_TRUE(parts.size() <= 3 && sum == t && darts::IsFinishingDart(parts.last())) << route.toStdString();
  }
}

TEST(Game60, GamesToTheirEnd) {
  const struct {
    int limit;  // 0: none
    std::string visits;
    Visit end;
    int endTarget;
  } cases[] = {
      {0, To(2) + "-", Visit::Lost, 1},       {0, To(130) + "3", Visit::Ended, 140},
      {0, To(130) + "B", Visit::Ended, 131},  {8, "-------3", Visit::Ended, 63},
      {8, "--------", Visit::Lost, 52},       {8, "-------B", Visit::Ended, 54},
      {8, "-------2", Visit::Ended, 63},      {9, "---------", Visit::Lost, 51},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.visits);
    Game60 g;
    g.Open();
    g.LimitBox(t.limit > 0);
    ASSERT_TRUE(!t.limit || g.AcceptLimit(QString::number(t.limit)));
    const int n = static_cast<int>(t.visits.size());
    EXPECT_EQ(Play(g, t.visits.substr(0, n - 1)), Visit::Played);
    EXPECT_EQ(Play(g, t.visits.substr(n - 1)), t.end);
    EXPECT_EQ(QList<int>({g.EndTarget(), g.Target(), g.VisitNumber(), g.GamesPlayed(), g.HistoryRow()}),
              QList<int>({t.endTarget, 60, n + 1, 1, n + 2}));
    EXPECT_FALSE(g.Running() || g.Offered(Dart::Third) || g.Offered(Dart::Bull));
    EXPECT_EQ(Play(g, "3-B"), Visit::Ignored);
    // The sheet keeps the finished game; the log holds its block.
    EXPECT_EQ(Cells(g.SheetRow(n - 1)), Cells(g.LogRows()[n + 1]));
    EXPECT_EQ(Cells(g.LogRows()[1]), QStringList({"", "", "", "Игра - 1"}));
    EXPECT_EQ(g.Suggestion(), "20 - D20");
  }
}

// The offered darts and the route follow the target; the sheet shows each visit.
TEST(Game60, OffersRoutesAndSheet) {
  Game60 g;
  EXPECT_EQ(g.Suggestion(), "20 D20");
  EXPECT_TRUE(!g.Offered(Dart::First) && g.Offered(Dart::Second));
  Play(g, To(98) + "B");
  EXPECT_TRUE(g.Target() == 99 && !g.Offered(Dart::Second) && g.Suggestion() == "T19 - 10 - D16");
  g.NewGame();
  EXPECT_EQ(Play(g, To(49) + "B1"), Visit::Played);
  EXPECT_EQ(g.Target(), 60);
  EXPECT_EQ(Cells(g.SheetRow(11)) + Cells(g.SheetRow(12)), QStringList({"12", "49", "Да", "3", "13", "50", "Да", "1"}));
  g.NewGame();
  EXPECT_EQ(Play(g, To(39) + "1"), Visit::Ignored);  // one dart cannot close 39
  EXPECT_TRUE(g.Target() == 39 && g.Suggestion().isEmpty());
}

// A limit is taken when it reads as 8..999; while the box waits for one, no
// visit counts; unticked, the game goes on without a limit.
TEST(Game60, VisitLimit) {
  const std::pair<const char*, bool> texts[] = {{"7", false},  {"", false},    {"  7", false}, {"5 0", false},
                                                {"0", false},  {"1000", false}, {"8", true},    {"999", true},
                                                {" 50", true}, {"9  ", true}};
  for (const auto& [text, accepted] : texts) {
    Game60 g;
    g.LimitBox(true);
    EXPECT_EQ(g.AcceptLimit(text), accepted) << text;
    EXPECT_EQ(g.LimitWaiting(), !accepted) << text;
  }
  Game60 g;
  Play(g, To(50));
  g.LimitBox(true);
  EXPECT_TRUE(g.LimitWaiting() && !g.Offered(Dart::First) && !g.Offered(Dart::Third));
  EXPECT_EQ(Play(g, "123B-"), Visit::Ignored);
  EXPECT_EQ(g.VisitNumber(), 11);
  g.LimitBox(false);
  EXPECT_EQ(Play(g, "1"), Visit::Played);
  g.LimitBox(true);
  ASSERT_TRUE(g.AcceptLimit("8"));
  EXPECT_EQ(Play(g, "-"), Visit::Lost) << "the limit counts the visits before it";
  g.NewGame();
  EXPECT_EQ(Play(g, "33333-33"), Visit::Ended) << "the limit holds for the next game";
  g.Open();
  EXPECT_EQ(Play(g, "---------"), Visit::Played) << "an opening starts without a limit";
}

// The file: the stamp, the titles, a block per game following directly, and
// the empty next row; the export takes the rows before it. Closing empties the
// sheet and the log but keeps the counters.
TEST(Game60, FileLinesSheetAndClear) {
  Game60 g;
  g.LimitBox(true);
  g.AcceptLimit("8");
  Play(g, "32-B3-2-");
  g.NewGame();
  Play(g, "--------");
  const QStringList lines = g.FileLines("2026.12.05 - 16:14:09:14");
  EXPECT_EQ(lines.mid(0, 12), QStringList({"2026.12.05 - 16:14:09:14", "Подход;Очки;Закрыл;Каким дротиком;",
                                           ";;;Игра - 1;", "1;60;Да;3;", "2;70;Да;2;", "3;80;Нет;0;", "4;79;Да;3;",
                                           "5;80;Да;3;", "6;90;Нет;0;", "7;89;Да;2;", "8;99;Нет;0;", ";;;Игра - 2;"}));
  EXPECT_EQ(lines.mid(19), QStringList({"8;53;Нет;0;", ";;;;"}));
  const darts::SheetBlock block = g.Sheet();
  EXPECT_EQ(QList<int>({block.LastRow(), block.LastCol(), block.HighRow(), block.HighCol()}),
            QList<int>({19, 4, 18, 3}));
  EXPECT_EQ(*block.At(18, 1) + *block.At(0, 3), "53Каким дротиком");
  g.Clear();
  EXPECT_TRUE(g.SheetRow(0)[0].isEmpty() && g.LogRows().size() == 20u && g.LogRows()[1][3].isEmpty());
}

}  // namespace
