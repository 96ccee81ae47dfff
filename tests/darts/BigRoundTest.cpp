// The Big round visit by visit: what each round takes, undo, results and file.
#include <gtest/gtest.h>

#include "darts/BigRound.h"

namespace {

using darts::BigRound;
using V = BigRound::Visited;

QString Point(float v) { return QString::number(v, 'f', 2); }
QString Dated() { return QStringLiteral("D"); }

V Play(BigRound& g, const QStringList& typed) {  // a new game: what its last visit did
  V last = (g.NewGame(), V::Ignored);
  for (const QString& t : typed) last = g.Visit(t);
  return last;
}

// The round (21 the Bull), the text typed, what it did and the round's score:
// typed from the first position with a leading zero a score counts 0.
TEST(BigRound, EachRoundTakesWhatItsSectorAllows) {
  const std::tuple<int, const char*, V, const char*> cases[] = {
      {7, "63 ", V::Next, "63"},       {7, "70 ", V::NotInSector, "0"}, {21, "150", V::GameOver, "150"},
      {21, "181", V::OutOfRange, "0"}, {5, "   ", V::OutOfRange, "0"},  {5, "050", V::Next, "0"},
      {5, " 05", V::Next, "05"},       {5, "5 0", V::NotANumber, "0"}};
  for (const auto& [round, typed, result, shown] : cases) {
    BigRound g(Point, Dated);
    Play(g, QStringList(round - 1, "0"));
    EXPECT_EQ(g.Visit(typed), result) << typed;
    EXPECT_TRUE(g.ScoreText(round) == shown && g.Sum() == QString(shown).toInt()) << typed;
  }
}

// The averages over the games; the sums per sector add the scores and the
// averages as shown: 0.05 and 0.10 make 0.08 where 1/21 and 2/21 make 0.07.
TEST(BigRound, ResultsAndTheFile) {
  BigRound g(Point, Dated);
  Play(g, QStringList{"1"} + QStringList(20, "0"));
  Play(g, QStringList{"0", " 02"} + QStringList(19, "0"));
  EXPECT_EQ(g.ResultCell(1, 0) + " " + g.ResultCell(2, 0) + " " + g.ResultCell(3, 0), "1.50 0.02 0.07");
  const QString zeros = QStringList(19, "0").join(';');
  EXPECT_EQ(g.FileLines({}),
            QStringList({"Дата и Время;Игра;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;Bull;Сумма;Ср. на 1;"
                         "Ср. на 3;Ср. набор(нарастающий);;",
                         "D;1;1;0;" + zeros + ";1;0.02;0.05;1.00;;", "D;2;0;02;" + zeros + ";2;0.03;0.10;1.50;;",
                         "Сумма по сектору;;1;2;" + zeros + ";3;;;;;",
                         "Средняя по секторам и набору;;0.50;1.00;" + QStringList(19, "0.00").join(';') +
                             ";1.50;0.02;0.08;;;"}));
  g.Open();  // a new showing
  EXPECT_TRUE(g.GamesPlayed() == 0 && g.ResultCell(1, 0).isEmpty());
}

// Undo keeps the second column's titles; an ended game takes nothing; a new one offers undo from its first visit.
TEST(BigRound, UndoAndTheGameEnd) {
  BigRound g(Point, Dated);
  EXPECT_TRUE(Play(g, QStringList(10, "0")) == V::Next && g.Undo() && g.SecondColumn() && g.RoundsPlayed() == 9);
  EXPECT_TRUE(Play(g, QStringList(21, "0")) == V::GameOver && !g.Undo() && g.Visit("0") == V::Ignored);
  g.NewGame();
  EXPECT_TRUE(!g.UndoOffered() && !g.SecondColumn() && g.Visit("0") == V::Next && g.UndoOffered());
}

}  // namespace
