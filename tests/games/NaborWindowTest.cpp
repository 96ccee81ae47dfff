// The Big round window played from the keyboard: rounds, undo, records, file
// and export.
#include <QLabel>

#include "games/nabor.h"
#include "tests/games/GamesTestSupport.h"

namespace {

const QString kOutOfRange = "Внимание!!! Недопустимое значение. Введите число от 0 до 180 ";
const QString kNotInSector = "Внимание!!! Недопустимое значение для данного сектора.";
const QColor kLime(0, 255, 0), kBlack(0, 0, 0);

class NaborWindowTest : public games_test::WindowTest<TForm_n> {
 protected:
  NaborWindowTest() : WindowTest(Form_n, "br") {}
  // A new game (the window opened first) and its visits.
  void Game(const QList<int>& visits) {
    f->isVisible() ? Key(Qt::Key_F7) : (f->ShowModal(), Key(Qt::Key_F7));
    Visits(visits);
  }
  void Visits(const QList<int>& visits) {
    for (int v : visits) Type(c->Edit1, QString::number(v));
  }
  // n rounds of 0, but for `score` at round `at` (1..21).
  static QList<int> Rounds(int n, int score = 0, int at = 21) {
    QList<int> r(n, 0);
    return n >= at ? (r[at - 1] = score, r) : r;
  }
};

TEST_F(NaborWindowTest, EachRoundTakesOnlyWhatItsSectorAllows) {
  const struct {
    int round;  // 1..20, 21 the Bull
    const char* typed;
    const QString* message;  // null: accepted, and its score panel shows `shown`
    const char* shown;
  } cases[] = {{7, "63", nullptr, "63"},    {7, "70", &kNotInSector, ""},  {20, "190", &kOutOfRange, ""},
               {21, "150", nullptr, "150"}, {21, "30", &kNotInSector, ""}, {21, "181", &kOutOfRange, ""},
               {5, "", &kOutOfRange, ""},   {5, "05", nullptr, "0"},       {5, " 05", nullptr, "05"}};
  for (const auto& k : cases) {
    SCOPED_TRACE(QString("round %1 typed '%2'").arg(k.round).arg(k.typed).toStdString());
    Game(Rounds(k.round - 1));
    msg->Clear();
    Type(c->Edit1, k.typed);
    QLabel* score = f->Panel(k.round + 21);
    EXPECT_EQ(msg->Texts(), k.message ? QStringList{*k.message} : QStringList{});
    EXPECT_EQ(ui::Visible(score) ? score->text() : "hidden", k.message ? "hidden" : k.shown);
    EXPECT_EQ(f->Panel(44)->text(), QString::number(QString(k.shown).toInt()));
    EXPECT_EQ(f->PanelColor(k.round), k.message ? kLime : kBlack);
    EXPECT_EQ(f->focusWidget(), !k.message && k.round == 21 ? static_cast<QWidget*>(f) : c->Edit1);
  }
  QTest::keyClicks(c->Edit1, "1");
  msg->Clear();
  Paste(c->Edit1, "1e3");  // refused whole, as a typed entry out of range is
  EXPECT_EQ(msg->Texts(), QStringList{kOutOfRange});
  EXPECT_TRUE(f->focusWidget() == c->Edit1 && c->Edit1->Text() == "   ");
}

TEST_F(NaborWindowTest, UndoBackToTheFirstRoundAndTheGameEnd) {
  Game({1});
  Key(Qt::Key_F5);
  Key(Qt::Key_F5);
  EXPECT_EQ(msg->Texts(), QStringList{"НУ ПИПЕЦ... Тогда начинай новую игру!!!"});
  Visits({2, 4, 9});
  Key(Qt::Key_F5);  // sector 3's 9 taken back: its label is the one to throw again
  EXPECT_EQ(f->Panel(44)->text(), "6");
  EXPECT_EQ(f->PanelColor(3), kLime);
  EXPECT_FALSE(ui::Visible(f->Panel(4)) || ui::Visible(f->Panel(24)));
  Visits(Rounds(7, 12, 1));
  EXPECT_FALSE(ui::Visible(f->Panel(48)));
  Visits({0});  // the 10th visit opens the second column
  EXPECT_TRUE(ui::Visible(f->Panel(48)) && ui::Visible(f->Panel(49)));
  Visits(Rounds(11, 50, 11));
  EXPECT_EQ(f->PanelColor(22), kBlack);  // after the Bull the score of sector 1 keeps its colour
  c->BitBtn2->click();                   // a finished game takes nothing more, nor can it be undone
  Keys({Qt::Key_Return, Qt::Key_Space, Qt::Key_F5});
  EXPECT_EQ(f->Panel(44)->text(), "68");
  Key(Qt::Key_F7);
  EXPECT_EQ(f->PanelColor(1), kLime);
  EXPECT_FALSE(ui::Visible(f->Panel(22)));
}

TEST_F(NaborWindowTest, AveragesOfOneAndOfTwoGames) {
  QList<int> trebles;
  for (int s = 1; s <= 20; ++s) trebles << 9 * s;
  Game(trebles << 150);
  EXPECT_EQ(Row(c->StringGrid2, 1, 4), QStringList({"1", "2040", "32,38", "97,14"}));
  f->Close();  // a new showing starts the results again
  Game(Rounds(21, 100));
  Game(Rounds(20, 100, 20) << 100);
  EXPECT_EQ(Row(c->StringGrid2, 0, 4) << c->StringGrid1->Cell(26, 2) << c->StringGrid2->Cell(0, 3),
            QStringList({"", "150,00", "2,38", "7,14", "150,00", ""}));
}

// Leaving mid-game with nothing finished closes at once. Cancel writes the file
// of the finished games and the game under way goes on; Yes exports them, the
// summary rows holding no game number whatever a longer showing left there.
TEST_F(NaborWindowTest, FileAndExportOfTheFinishedGames) {
  Game({1, 2});
  Key(Qt::Key_F10);
  EXPECT_TRUE(msg->Log().empty() && Files().isEmpty() && !f->isVisible());
  for (int i = 0; i < 3; ++i) Game(Rounds(21));
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  clock->AddSecs(1);
  QList<int> singles;  // sector s scores s, the Bull 25: 235 in all
  QStringList n;
  for (int s = 1; s <= 20; ++s) singles << s, n << QString::number(s);
  Game(singles << 25);
  Game({1, 2});
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  Visits({3});
  EXPECT_EQ(f->Panel(44)->text(), "6");
  const QString date = c->StringGrid1->Cell(0, 1);
  EXPECT_TRUE(date.startsWith("05.12.2026 - 16:14:10:14 - ")) << date.toStdString();
  const QString scores = n.join(';') + ";";
  EXPECT_EQ(FileData("20261205_161410_br.csv"),
            games_test::FileBytes(
                {"Дата и Время;Игра;" + scores + "Bull;Сумма;Ср. на 1;Ср. на 3;Ср. набор(нарастающий);;",
                 date + ";1;" + scores + "25;235;3,73;11,19;235,00;;", "Сумма по сектору;;" + scores + "25;235;;;;;",
                 "Средняя по секторам и набору;;" + n.join(",00;") + ",00;25,00;235,00;3,73;11,19;;;"}));
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_EQ(
      Cells({"AA1", "B2", "W2", "A3", "B3", "X3", "Y3", "A4", "B4", "W4", "Y4", "AA4", "A5"}),
      QStringList({"Ср. набор(нарастающий)|FFCCFFCC|b", "1||b", "25||b", "Сумма по сектору|FF00CCFF|b", "||b", "235||b",
                   "||b", "Средняя по секторам и набору|FF00CCFF|b", "||b", "25||b", "3.73||b", "||b", "|"}));
  EXPECT_EQ(widths["A"].toDouble() - widths["C"].toDouble(), 31);
  EXPECT_FALSE(f->isVisible() || c->GroupBox1->isEnabled() || ui::Visible(f->Panel(23)));
  EXPECT_EQ(f->Panel(44)->text() + f->Panel(23)->text(), "00");  // leaving reset the panels
}

}  // namespace
