// A two-player match played visit by visit: refused visits, finishing darts,
// bust and undo, legs, sets and starters, the record and its export block.
#include <gtest/gtest.h>

#include <QStringList>
#include <array>
#include <string>
#include <tuple>

#include "darts/Match.h"

namespace {

using darts::Match;
using Taken = Match::Taken;
using Darts = darts::FinishingDarts;

QString Avg(float v) { return QString::number(v, 'f', 2); }
QString Nums(std::initializer_list<int> ns) {
  QStringList out;
  for (int n : ns) out << QString::number(n);
  return out.join(' ');
}

Match Started(int start, int sets = 0, int legs = 1, int starter = 1, bool legDraw = false, bool setDraw = false,
              const QString& name1 = "Анна") {
  Match m(Avg);
  m.Prepare({start, sets, legs, starter, legDraw, setDraw, name1, "Борис"}), m.NewLeg();
  return m;
}
void Play(Match& m, const std::vector<int>& visits) {  // in turn; -1 a bust
  for (int v : visits) v < 0 ? m.Bust() : void(m.Visit(v));
}
// A leg from 501 won in nine darts (180, 180, 141, dart 3); the other scores 0.
void WinLeg(Match& m, int winner) {
  m.NewLeg();
  for (int next = 0; next < 3;) m.Visit(m.CurrentThrower() == winner ? std::array{180, 180, 141}[next++] : 0);
  m.Finish(3);
}
// Everything a visit, bust or undo may change.
std::string State(const Match& m) {
  QStringList out{Nums({m.CurrentThrower(), m.TurnMarker(), m.LegOver(), m.BustAllowed(), bool(m.DartsOffered())})};
  for (int p : {1, 2}) {
    out << m.RemainderText(p) << m.AvgPerDartText(p) << m.AvgPerVisitText(p);
    out << Nums({m.VisitCount(p), m.UndoAllowed(p)});
    for (int b = 0; b < darts::kBandCount; ++b) out << Nums({m.ScoreBand(p, darts::Band(b))});
    for (int r = 0; r <= m.VisitCount(p) + 1; ++r)
      for (int c = 0; c < 5; ++c) out << m.SheetCell(p, c, r);
  }
  return out.join("|").toStdString();
}
QString Fills(const darts::SheetBlock& block) {
  QStringList fills;
  for (const auto& s : block.Steps())
    if (s.kind == darts::SheetBlock::Step::Kind::Fill) fills << QString("%1:%2").arg(s.row1).arg(s.value);
  return fills.join(' ');
}
QString RecordLine(const Match& m, int row) {
  QStringList out;
  for (int c = 0; c < Match::kRecordCols; ++c) out << m.RecordCell(c, row);
  return out.join('|');
}

// Refused visits change nothing: nothing typed, out of 0..180, a total three darts cannot make, one
// leaving 1 or less than 0 or a finish three darts cannot make. The bust button serves 181 or less,
// never right after a new leg.
TEST(Match, RefusedVisitsAndTheBustButton) {
  const std::tuple<int, std::vector<int>, std::optional<int>, Taken, bool> cases[] = {
      {501, {}, std::nullopt, Taken::OutOfRange, false},
      {501, {}, 181, Taken::OutOfRange, false},
      {501, {60, 60}, 179, Taken::NotScorable, false},
      {501, {180, 0, 141, 0}, 180, Taken::LooksLikeBust, true},
      {201, {180, 0, 19, 0}, 1, Taken::LooksLikeBust, true},
      {201, {161, 0}, 41, Taken::LooksLikeBust, true},
      {301, {142, 0}, 159, Taken::LooksLikeBust, true},
      {201, {19, 20}, 182, Taken::OutOfRange, false},
      {170, {10}, 182, Taken::OutOfRange, true},
      {201, {20, 20}, 182, Taken::OutOfRange, true}};
  for (const auto& [start, before, typed, taken, bust] : cases) {
    Match m = Started(start);
    const std::string state = (Play(m, before), State(m));
    EXPECT_EQ(m.Visit(typed), taken) << typed.value_or(-9);
    EXPECT_TRUE(State(m) == state && m.BustAllowed() == bust) << start << " after " << before.size();
  }
}

// The darts that can have finished a visit; the leg waits for the dart, then
// counts it: best leg, legs, the next starter, the next leg possible.
TEST(Match, FinishingVisitAsksForTheDart) {
  const std::pair<int, Darts> cases[] = {
      {40, Darts::Any},           {41, Darts::SecondOrThird}, {50, Darts::Any},
      {60, Darts::SecondOrThird}, {109, Darts::ThirdOnly},    {110, Darts::SecondOrThird},
      {111, Darts::ThirdOnly},    {140, Darts::ThirdOnly},    {170, Darts::ThirdOnly}};
  for (const auto& [finish, offer] : cases) {
    Match m = Started(170, 0, 2);
    if (finish < 170) Play(m, {170 - finish, 0});
    EXPECT_EQ(m.Visit(finish), Taken::LegFinished);
    EXPECT_TRUE(m.DartsOffered() == offer && m.LegOver() && !m.BustAllowed() && m.UndoAllowed(1) &&
                !m.NewLegAllowed() && m.Visit(0) == Taken::Ignored);
    EXPECT_EQ(m.Finish(2), Match::LegEnd::LegWon);
    EXPECT_EQ(Nums({m.BestLeg(1), m.Legs(1), m.CurrentThrower(), m.ScoreBand(1, darts::Band::From140)}),
              Nums({(finish < 170 ? 3 : 0) + 2, 1, 2, finish >= 140}))
        << finish;
    EXPECT_TRUE(m.NewLegAllowed() && !m.UndoAllowed(1) && !m.DartsOffered());
  }
}

// Visits, busts of both players and a finish taken back one by one,
// alternately: each undo gives back the state before the visit it takes back.
TEST(Match, BustAndUndoChainBackToTheStartOfTheLeg) {
  const std::pair<int, std::vector<int>> cases[] = {{501, {180, 60, 140, 180, 100, 100, -1, -1, 0, 77}},
                                                    {170, {85, 60, 75, 0, -1, 100, 10}}};  // -1: bust
  for (const auto& [start, visits] : cases) {
    Match m = Started(start);
    std::vector<std::string> states;
    std::vector<int> throwers;
    for (int v : visits) {
      states.push_back(State(m));
      const int p = m.CurrentThrower(), n = m.VisitCount(p) + 1;
      throwers.push_back(p);
      Play(m, {v});
      if (v < 0) {  // a mark, the remainder kept, lower averages
        EXPECT_EQ(
            m.SheetCell(p, 1, n) + m.SheetCell(p, 2, n) + "|" + m.SheetCell(p, 4, n),
            (p == 1 ? "   ---" : "  ---") + m.RemainderText(p) + "|" + Avg(float(start - m.Remainder(p)) / float(n)));
      }
    }
    for (size_t i = visits.size(); i-- > 0;) {
      ASSERT_TRUE(m.UndoAllowed(throwers[i]) && !m.UndoAllowed(3 - throwers[i])) << i;
      m.Undo(throwers[i]);
      if (i >= 2) {  // before both threw the averages read "0"
        EXPECT_EQ(State(m), states[i]) << i;
      }
    }
    EXPECT_EQ(Nums({m.Remainder(1), m.VisitCount(1), m.VisitCount(2), m.CurrentThrower(), m.UndoAllowed(2),
                    m.ScoreBand(1, darts::Band::Max180)}),
              Nums({start, 0, 0, 1, 0, 0}));
    EXPECT_EQ(m.AvgPerDartText(1) + m.AvgPerVisitText(1), "0.000.00");
  }
}

TEST(Match, RecordBlocksBestLegsAndLegAverages) {
  Match m = Started(501, 0, 3);
  Play(m, {60, 45, 60, 26, 60, 85, 60, 41, 60, 100, 100, 81, 101}), m.Finish(2);
  const char* expected[] = {"|Анна|Сет|Лег||||Сет|Лег|Борис",
                            "||0|1|    X|Начало||0|0|",
                            "Подход|Набор|Остаток|Ср. на 1 др.|Ср. на 3 др.||Набор|Остаток|Ср. на 1 др.|Ср. на 3 др.",
                            "||501|||||501||",
                            "1|60|441|20.00|60.00||45|456|15.00|45.00",
                            "2|60|381|20.00|60.00||26|430|11.83|35.50",
                            "3|60|321|20.00|60.00||85|345|17.33|52.00",
                            "4|60|261|20.00|60.00||41|304|16.42|49.25",
                            "5|60|201|20.00|60.00||100|204|19.80|59.40",
                            "6|100|101|22.22|66.67||81|123|21.00|63.00",
                            "7|101|0|||||||",
                            "|Закрыл|Х(2)|Сиграл за|20|||||",
                            "|||||||||"};
  ASSERT_EQ(m.RecordRow(), 13);
  for (int row = 0; row < 13; ++row) EXPECT_EQ(RecordLine(m, row), expected[row]) << row;
  // Exported from sheet row 2 on, the bands under it; the rows naming player 1
  // in colour 33, the row closing the last block in 36 (33 with an empty name:
  // every empty name cell matches).
  Match unnamed = Started(501, 0, 3, 1, false, false, "");
  Play(unnamed, {60, 45, 60, 26, 60, 85, 60, 41, 60, 100, 100, 81, 101}), unnamed.Finish(2);
  const darts::SheetBlock block = m.Sheet();
  EXPECT_EQ(Nums({block.LastRow(), block.LastCol(), block.HighRow(), block.HighCol()}), "21 10 20 10");
  EXPECT_EQ(QStringList({*block.At(1, 1), *block.At(14, 0), *block.At(14, 1), *block.At(16, 8), *block.At(16, 9)}),
            QStringList({"Анна", "60 +", "5", "100 +", "1"}));
  EXPECT_EQ(Fills(block), "2:33 14:36");
  EXPECT_EQ(Fills(unnamed.Sheet()), "2:33 3:33 5:33 14:36 14:33 15:33");
  // The next leg, won by player 2 who started it, closes on the right.
  WinLeg(m, 2);
  EXPECT_EQ(RecordLine(m, 14), "||0|1||Начало|    X|0|1|");
  EXPECT_EQ(RecordLine(m, 20), "||||||Закрыл|Х(3)|Сиграл за|9");
  // Player 1 wins on the 5th visit with dart 2: 14 darts, better than 20.
  m.NewLeg(), Play(m, {100, 0, 100, 0, 100, 0, 100, 0, 101}), m.Finish(2);
  EXPECT_EQ(QStringList({m.AvgPerDartText(1), m.AvgPerVisitText(1), m.AvgPerDartText(2)}),
            QStringList({"35.79", "107.36", "0.00"}));  // the loser keeps the running averages
  EXPECT_EQ(Nums({m.BestLeg(1), m.BestLeg(2), m.RecordRow()}), Nums({14, 9, 22 + 11}));
}

// Whole matches: the starter of every leg, "c" where the players choose, and
// the score at the end (sets and legs of player 1, then player 2).
TEST(Match, StarterOfEveryLegAndTheMatchEnd) {
  const struct {
    int sets, legs, starter;
    bool legDraw, setDraw;
    const char *winners, *chosen, *starters, *score;
  } cases[] = {
      {0, 3, 1, true, false, "12121", "2", "1212c2", "0 3 0 2"},  // the deciding leg at 2-2
      {0, 3, 2, true, false, "12122", "1", "2121c1", "0 2 0 3"},
      {0, 3, 1, false, false, "12121", "", "12121", "0 3 0 2"},
      {0, 2, 2, false, true, "121", "", "212", "0 2 0 1"},            // the set draw means nothing without sets
      {2, 2, 1, false, true, "1122121", "2", "1221c212", "2 0 1 0"},  // the deciding set at 1-1
      {2, 2, 1, false, false, "1122121", "", "1221121", "2 0 1 0"},
      {2, 2, 2, true, false, "21112211", "", "21212121", "2 0 1 0"},  // the leg draw means nothing with sets
      {3, 1, 2, false, true, "12211", "1", "2121c1", "3 0 2 0"},      // sets of one leg
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.starters);
    Match m(Avg);
    m.Prepare({501, t.sets, t.legs, t.starter, t.legDraw, t.setDraw, "Анна", "Борис"});
    std::string starters;
    const char* chosen = t.chosen;
    for (const char* w = t.winners; *w; ++w) {
      ASSERT_TRUE(m.NewLegAllowed() && m.CurrentThrower() == m.LegStarter());
      starters += char('0' + m.LegStarter());
      WinLeg(m, *w - '0');
      if (m.StarterToChoose()) m.ChooseStarter(*chosen++ - '0'), starters += 'c';
    }
    EXPECT_EQ(starters, t.starters);
    EXPECT_TRUE(m.MatchOver() && !m.NewLegAllowed());
    EXPECT_EQ(Nums({m.Sets(1), m.Legs(1), m.Sets(2), m.Legs(2)}), t.score);
    const QStringList last = RecordLine(m, m.RecordRow() - 9 + 1).split('|');  // blocks of 9 rows
    EXPECT_EQ(QStringList({last[2], last[3], last[7], last[8]}).join(' '), t.score);
  }
}

}  // namespace
