// The bull practice game played visit by visit: the values offered, the
// finishing dart, the sheet, the table of legs and the file made of it.
#include <gtest/gtest.h>

#include "darts/Game50.h"

namespace {

using darts::Game50;
constexpr int kBust = Game50::kBust;

QString Point(float v) { return QString::number(v, 'f', 2); }  // two decimals

// A new leg with these visits; what the last one left to do.
Game50::Visited Play(Game50& g, const std::vector<int>& visits) {
  g.NewLeg();
  Game50::Visited last = Game50::Visited::Ignored;
  for (int v : visits) last = g.Visit(v);
  return last;
}

QString SheetRow(const Game50& g, int row, int from = 0) {
  QStringList out;
  for (int c = from; c < Game50::kSheetCols; ++c) out << g.SheetCell(c, row);
  return out.join(';');
}

// Values up to the remaining, the bust below a full visit; none outside a leg.
TEST(Game50, ValuesOfferedByTheRemaining) {
  Game50 g(Point);
  EXPECT_EQ(g.Visit(25), Game50::Visited::Ignored);
  for (g.NewLeg(); g.Remaining() > 0; g.Visit(25)) {
    for (int v = 0; v <= 150; v += 25) EXPECT_EQ(g.ValueOffered(v), v <= g.Remaining()) << v << "/" << g.Remaining();
    EXPECT_TRUE(g.ValueOffered(kBust) == (g.Remaining() < 150) && !g.NewLegOffered()) << g.Remaining();
  }
  EXPECT_FALSE(g.ValueOffered(0) || g.ValueOffered(25) || g.NewLegOffered());
  EXPECT_EQ(g.Visit(0), Game50::Visited::Ignored) << "no visit while the dart is asked";
}

// The darts offered by the last visit; the leg's line, its averages also in the
// finishing row (empty while the dart is asked).
TEST(Game50, LegsByTheirLastVisit) {
  const struct {
    std::vector<int> visits;
    const char* offered;
    int dart;  // the answer; 0: recorded at once with the third
    const char* line;
  } cases[] = {
      {{150, 150, 150, 50}, "111", 1, "1;10;50.00;150.00;"}, {{150, 150, 100, 100}, "011", 3, "2;12;41.67;125.00;"},
      {{150, 150, 125, 75}, "011", 2, "3;11;45.45;136.36;"}, {{150, 150, 50, 150}, "000", 0, "4;12;41.67;125.00;"},
      {{150, 150, 75, 125}, "000", 0, "5;12;41.67;125.00;"},
  };
  Game50 g(Point);
  for (int leg = 0; leg < 5; ++leg) {
    const auto& t = cases[leg];
    EXPECT_EQ(Play(g, t.visits), t.dart ? Game50::Visited::DartAsked : Game50::Visited::LegRecorded) << leg;
    EXPECT_EQ(QString("%1%2%3").arg(g.DartOffered(1)).arg(g.DartOffered(2)).arg(g.DartOffered(3)), t.offered);
    EXPECT_TRUE(!t.dart || (SheetRow(g, 4, 2) == "0;;" && !g.NewLegOffered())) << leg;
    EXPECT_TRUE(!g.FinishingDart(QString(t.offered).indexOf('1')) && (!t.dart || g.FinishingDart(t.dart))) << leg;
    EXPECT_EQ(g.FileLines("s").value(2 + leg), t.line);
    EXPECT_TRUE(QString(t.line).endsWith(SheetRow(g, 4, 3) + ";")) << leg;
    EXPECT_TRUE(g.LegCount() == leg + 1 && g.NewLegOffered() && !g.DartAsked()) << leg;
  }
}

// A bust counts as a visit, keeps the remaining, shows "0"; the file holds the
// finished legs and an empty row, not the leg in play.
TEST(Game50, BustsAndTheFile) {
  Game50 g(Point);
  Play(g, {150, 150, 150, 50});
  g.FinishingDart(1);
  Play(g, {150, 150, 100, 0, kBust, 75, kBust});
  EXPECT_EQ(SheetRow(g, 0) + "|" + SheetRow(g, 5) + "|" + SheetRow(g, 7),
            ";;500;;|5;ПБ;100;26.67;80.00|7;ПБ;25;22.62;67.86");
  EXPECT_EQ(QStringList({g.LastVisitText(), g.ScoredText(), g.RemainingText()}), QStringList({"0", "475", "25"}));
  g.Visit(25);
  g.FinishingDart(2);
  Play(g, {150, 150});
  EXPECT_EQ(g.FileLines("2026.12.05 - 16:14:09:14"),
            QStringList({"2026.12.05 - 16:14:09:14", "Лег;Кол-во дротиков;На 1 дротик;Средний набор;",
                         "1;10;50.00;150.00;", "2;23;21.74;65.22;", ";;;;"}));
}

}  // namespace
