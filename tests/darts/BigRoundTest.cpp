// The Big round played visit by visit: what each round takes, undo, the
// game's end, the results and the file made of the games.
#include <gtest/gtest.h>

#include "darts/BigRound.h"

namespace {

using darts::BigRound;
using V = BigRound::Visited;

QString Point(float v) { return QString::number(v, 'f', 2); }
QString Dated() { return QStringLiteral("05.12.2026 - 16:14:09:14 - суббота"); }

// A new game with these typed visits; what the last one did.
V Play(BigRound& g, const QStringList& typed) {
  g.NewGame();
  V last = V::Ignored;
  for (const QString& t : typed) last = g.Visit(t);
  return last;
}

TEST(BigRound, EachRoundTakesWhatItsSectorAllows) {
  const struct {
    int round;  // 1..20, 21 the Bull
    const char* typed;
    V result;
    const char* shown;  // the round's score, as its panel shows it
  } cases[] = {{7, "63 ", V::Next, "63"},       {7, "70 ", V::NotInSector, "0"},  {20, "190", V::OutOfRange, "0"},
               {21, "150", V::GameOver, "150"}, {21, "30 ", V::NotInSector, "0"}, {21, "181", V::OutOfRange, "0"},
               {5, "   ", V::OutOfRange, "0"},  {5, "05 ", V::Next, "0"},         {5, "050", V::Next, "0"},
               {5, " 05", V::Next, "05"},       {5, "5 0", V::NotANumber, "0"},   {3, "-3 ", V::OutOfRange, "0"}};
  for (const auto& t : cases) {
    SCOPED_TRACE(QString("round %1 typed '%2'").arg(t.round).arg(t.typed).toStdString());
    BigRound g(Point, Dated);
    Play(g, QStringList(t.round - 1, "0"));
    EXPECT_EQ(g.Visit(t.typed), t.result);
    const bool taken = t.result == V::Next || t.result == V::GameOver;
    EXPECT_EQ(g.RoundsPlayed(), t.round - !taken);
    EXPECT_EQ(g.ScoreText(t.round), t.shown);
    EXPECT_EQ(g.Sum(), QString(t.shown).toInt());
  }
}

// Undo goes back to the first round, a new game leaves the undo button as it
// was; the titles of the second column stay once the tenth round was taken;
// a finished game takes nothing more.
TEST(BigRound, UndoAndTheGameEnd) {
  BigRound g(Point, Dated);
  EXPECT_EQ(g.Visit("5"), V::Ignored);
  Play(g, {"1", "2", "9"});
  EXPECT_TRUE(g.Undo() && g.Sum() == 3 && g.RoundsPlayed() == 2 && g.ScoreText(3) == "0");
  EXPECT_TRUE(g.Undo() && g.Undo() && !g.Undo() && g.UndoOffered());
  g.NewGame();
  EXPECT_TRUE(g.UndoOffered() && g.Sum() == 0);
  Play(g, QStringList(10, "0"));
  g.Undo();
  EXPECT_TRUE(g.SecondColumn());
  EXPECT_EQ(Play(g, QStringList(21, "0")), V::GameOver);
  EXPECT_TRUE(!g.Running() && !g.UndoOffered() && !g.Undo() && g.Visit("0") == V::Ignored);
  g.Clear();  // closing drops the rounds, not the games
  EXPECT_TRUE(!g.Started() && g.Sum() == 0 && g.GamesPlayed() == 1);
  g.Open();
  EXPECT_TRUE(g.GamesPlayed() == 0 && g.ResultCell(1, 0).isEmpty() && g.AllGamesSum() == 0);
}

// The sums per sector add the scores as typed and the averages as shown (0.05
// and 0.10 average 0.08, where the games' own 1/21 and 2/21 would give 0.07).
TEST(BigRound, ResultsAndTheFile) {
  BigRound g(Point, Dated);
  QStringList second(21, "0");
  second[1] = " 02";
  Play(g, QStringList{"1"} + QStringList(20, "0"));
  Play(g, second);
  EXPECT_EQ(QStringList({g.ResultCell(0, 0), g.ResultCell(1, 0), g.ResultCell(2, 0), g.ResultCell(3, 0),
                         g.ResultCell(0, 2), g.ResultCell(1, 2), g.ResultCell(3, 2), g.ResultCell(0, 3)}),
            QStringList({"", "1.50", "0.02", "0.07", "2", "2", "0.10", ""}));
  const QString zeros = QStringList(19, "0").join(';');
  const QString heads = "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;Bull;";
  EXPECT_EQ(
      g.FileLines("stamp"),
      QStringList(
          {"Дата и Время;Игра;" + heads + "Сумма;Ср. на 1;Ср. на 3;Ср. набор(нарастающий);;",
           Dated() + ";1;1;0;" + zeros + ";1;0.02;0.05;1.00;;", Dated() + ";2;0;02;" + zeros + ";2;0.03;0.10;1.50;;",
           "Сумма по сектору;;1;2;" + zeros + ";3;;;;;",
           "Средняя по секторам и набору;;0.50;1.00;" + QStringList(19, "0.00").join(';') + ";1.50;0.02;0.08;;;"}));
  const darts::SheetBlock sheet = g.Sheet();
  EXPECT_EQ(QList<int>({sheet.LastRow(), sheet.LastCol(), sheet.HighRow(), sheet.HighCol()}),
            QList<int>({5, 27, 5, 27}));
  EXPECT_TRUE(sheet.At(4, 0) == "Средняя по секторам и набору" && !sheet.At(5, 0) && sheet.At(4, 27) == "");
  const darts::SheetBlock::Step& last = sheet.Steps().back();
  EXPECT_EQ(QList<int>({last.row1, last.col1, last.row2, last.col2, int(last.value)}), QList<int>({2, 1, 5, 1, 33}));
}

}  // namespace
