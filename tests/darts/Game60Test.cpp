// The checkout ladder played visit by visit: its rules, ends, limit and log.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "darts/DartsRules.h"
#include "darts/Game60.h"

namespace {

using darts::Game60;
using Dart = Game60::Dart;
using Visit = Game60::Visit;

// Visits as '1', '2', '3', 'B' (closed) and '-' (not closed); the last outcome.
Visit Play(Game60& g, const std::string& visits) {
  Visit last = Visit::Ignored;
  for (char v : visits) last = v == '-' ? g.NotClosed() : g.Closed(v == 'B' ? Dart::Bull : Dart(v - '1'));
  return last;
}
std::string Down(int target) { return std::string(60 - target, '-'); }  // from 60, never closed
QStringList Cells(const Game60::Row& r) { return {r.begin(), r.end()}; }

// Routes score their target in at most three darts and end on a double or the
// Bull; "1" is offered where one dart can close the target, "2" where two can.
TEST(Game60, RulesAgainstTheBoard) {
  std::set<int> all{0, 25, 50}, finishing{50};
  for (int s = 1; s <= 20; ++s) all.insert({s, 2 * s, 3 * s}), finishing.insert(2 * s);
  for (int t = 0; t <= 140; ++t) {
    bool two = false;
    for (int a : all) two = two || finishing.count(t - a) == 1;
    EXPECT_TRUE(t < 2 || t > 130 ||
                (Game60::OneDartCloses(t) == (finishing.count(t) == 1) && Game60::TwoDartsClose(t) == two))
        << t;
    const QStringList parts = Game60::Route(t).split(" - ", Qt::SkipEmptyParts);
    int sum = 0;
    for (const QString& dart : parts) sum += darts::DartValue(dart) > 0 ? darts::DartValue(dart) : 1000;
    EXPECT_EQ(parts.isEmpty(), t < 41 || t > 130) << t;
    EXPECT_TRUE(parts.isEmpty() || (parts.size() <= 3 && sum == t && darts::IsFinishingDart(parts.last()))) << t;
  }
}

// A game ends at 1 (lost), at 131 or more, or at an accepted limit; its block
// follows the last in the log, which the file holds under the stamp. Cases:
// limit (0: none), visits, end, end target.
TEST(Game60, GamesToTheirEnd) {
  const std::tuple<int, std::string, Visit, int> cases[] = {
      {0, Down(1), Visit::Lost, 1},      {0, "33333333", Visit::Ended, 140}, {0, "3333333B", Visit::Ended, 131},
      {8, "-------3", Visit::Ended, 63}, {8, "--------", Visit::Lost, 52},   {8, "-------B", Visit::Ended, 54},
      {9, "-------2-", Visit::Lost, 62},
  };
  Game60 g;
  int games = 0;
  for (const auto& [limit, visits, end, endTarget] : cases) {
    SCOPED_TRACE(visits);
    g.NewGame();
    if (limit) g.LimitBox(true), g.AcceptLimit(QString::number(limit));
    const int block = g.HistoryRow(), n = static_cast<int>(visits.size());
    EXPECT_EQ(Play(g, visits.substr(0, n - 1)), Visit::Played);
    EXPECT_TRUE(Play(g, visits.substr(n - 1)) == end && Play(g, "3-B") == Visit::Ignored);
    EXPECT_EQ(QList<int>({g.EndTarget(), g.Target(), g.VisitNumber(), g.GamesPlayed(), g.HistoryRow()}),
              QList<int>({endTarget, 60, n + 1, ++games, block + n + 1}));
    EXPECT_EQ(Cells(g.LogRows()[block]) + Cells(g.SheetRow(n - 1)),
              QStringList({"", "", "", "Игра - " + QString::number(games)}) + Cells(g.LogRows()[block + n]));
    EXPECT_TRUE(!g.Running() && !g.Offered(Dart::Third) && g.Suggestion() == "20 - D20");
  }
  const QStringList lines = g.FileLines("stamp");
  EXPECT_EQ(lines.mid(0, 4) + lines.mid(g.HistoryRow()),
            QStringList(
                {"stamp", "Подход;Очки;Закрыл;Каким дротиком;", ";;;Игра - 1;", "1;60;Нет;0;", "9;63;Нет;0;", ";;;;"}));
}

// A limit is taken when it reads as 8..999, and no visit counts while the box
// waits for one; it holds for the next game, not for the next opening.
TEST(Game60, VisitLimit) {
  Game60 g;
  EXPECT_TRUE(g.Suggestion() == "20 D20" && !g.Offered(Dart::First) && g.Offered(Dart::Second));
  Play(g, Down(50));
  g.LimitBox(true);
  for (const char* refused : {"7", "", "  7", "5 0", "0", "1000"}) EXPECT_FALSE(g.AcceptLimit(refused)) << refused;
  EXPECT_EQ(Play(g, "123B-"), Visit::Ignored);
  g.LimitBox(false);
  EXPECT_TRUE(g.Offered(Dart::First) && g.Suggestion() == "50");
  EXPECT_TRUE(Play(g, "1") == Visit::Played && Cells(g.SheetRow(10)) == QStringList({"11", "50", "Да", "1"}));
  g.LimitBox(true);
  for (const char* accepted : {"999", " 50", "9  ", "8"}) EXPECT_TRUE(g.AcceptLimit(accepted)) << accepted;
  EXPECT_EQ(Play(g, "-"), Visit::Lost) << "the limit counts the visits before it";
  g.NewGame();
  EXPECT_EQ(Play(g, "33333-33"), Visit::Ended);
  g.Open();
  g.LimitBox(true);
  EXPECT_TRUE(Play(g, "-") == Visit::Ignored && g.GamesPlayed() == 0) << "an opening asks for the limit again";
}

}  // namespace
