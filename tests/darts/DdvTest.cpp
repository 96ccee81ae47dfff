// The treble practice played dart by dart: the DDV values, the recommended
// treble and the results table.
#include <gtest/gtest.h>

#include <random>

#include "darts/Ddv.h"

namespace {

using darts::Ddv;

QString Short(float v) { return QString::number(v).replace('.', ','); }
QString Comma(float v) { return QString::number(v, 'f', 1).replace('.', ','); }

// Band bounds belong to their band on both sides; from 12 hits on every value
// appears, each next one 0.1 lower, and gives T20 from "1,6" (35 hits) on, T19
// below. An unreadable value keeps the advice.
TEST(Ddv, ValuesAndRecommendations) {
  const std::pair<int, const char*> values[] = {{-1, ""},     {11, ""},     {12, "3,0"},  {19, "2,4"},  {31, "1,8"},
                                                {32, "1,7"},  {37, "1,5"},  {117, "0,7"}, {118, "0,6"}, {197, "0,3"},
                                                {199, "0,2"}, {200, "0,1"}, {201, ""}};
  for (const auto& [hits, ddv] : values) EXPECT_EQ(Ddv::DdvText(hits), ddv) << hits;
  const char* advice[][3] = {{"", "T20", "???"},     {"   ", "T19", "???"}, {"3,1", "", "T7"},
                             {" 1.7 ", "", "T19"},   {"0,0", "T19", "T19"}, {"0,09", "?", "?"},
                             {"1,6x", "T19", "T19"}, {"1,7", "???", "T19"}};
  for (const auto& a : advice) EXPECT_EQ(Ddv::Recommendation(a[0], a[1]), a[2]) << a[0];
  int tenths = 31;
  for (int hits = Ddv::kFewestHits; hits <= Ddv::kDarts; ++hits) {
    const QString t = Ddv::DdvText(hits);
    const int v = t[0].digitValue() * 10 + t[2].digitValue();
    EXPECT_TRUE(t[1] == ',' && (v == tenths || v == tenths - 1) && Ddv::Percent(hits) * 2.0f == hits) << hits;
    EXPECT_EQ(Ddv::Recommendation(t, {}), hits >= 35 ? "T20" : "T19") << hits;
    tenths = v;
  }
  EXPECT_EQ(tenths, 1);
}

// Random games: before each dart only that dart is taken; the result rows
// agree with the visits counted here (the last visit has two darts).
TEST(Ddv, RandomGamesAndTheirResults) {
  std::mt19937 rng(20261206);
  Ddv g(Comma, Short);
  for (int game = 1; game <= 6; ++game) {
    std::bernoulli_distribution hit(0.15 * game);
    g.NewGame(QString::number(game));  // the first game's stamp heads the table
    QString marks;
    for (int d = 0; d < 200; ++d) {
      ASSERT_TRUE(g.Running() && g.CurrentDart() == d % 3 + 1 && !g.NewGameOffered()) << d;
      EXPECT_FALSE(g.Dart(d % 3 == 2 ? 1 : d % 3 + 2, true).taken) << d;
      marks += hit(rng) ? 'x' : '.';
      ASSERT_TRUE(g.Dart(d % 3 + 1, marks.back() == 'x').taken);
      EXPECT_EQ(g.PercentText(), marks.contains('x') ? Comma(Ddv::Percent(marks.count('x'))) : "0,00");
    }
    EXPECT_TRUE(!g.Running() && g.CurrentDart() == 0 && !g.Dart(1, true).taken && g.UnsavedGame());
    int rows[15] = {}, visits[4] = {};
    const QStringList rowOf = {"x..", ".x.", "..x", "", "xx.", "x.x", ".xx"};  // rows 7..13
    for (int v = 0; v < 67; ++v) {
      const QString visit = marks.mid(3 * v, 3).leftJustified(3, '.');
      visits[visit.count('x')]++;
      if (rowOf.contains(visit)) ++rows[7 + rowOf.indexOf(visit)];
    }
    const int hits = marks.count('x');
    EXPECT_EQ(g.ResultCell(0, 0) + g.ResultCell(game, 1) + "|" + g.ResultCell(game, 2) + "|" + g.ResultCell(game, 3),
              QString("1Игра - %1|%2|%3").arg(game).arg(Short(Ddv::Percent(hits)), g.DdvText()));
    for (int n = 1; n <= 3; ++n)
      EXPECT_EQ(g.ResultCell(game, 2 + 4 * n), QString("%1(%2)").arg(visits[n]).arg(n * visits[n])) << game;
    for (int row : {7, 8, 9, 11, 12, 13}) EXPECT_EQ(g.ResultCell(game, row), QString::number(rows[row])) << game;
  }
}

}  // namespace
