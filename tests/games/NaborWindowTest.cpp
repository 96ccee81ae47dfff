// The Big round window played from the keyboard: rounds, undo, records, file
// and export.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QLabel>

#include "games/nabor.h"
#include "tests/games/GamesTestSupport.h"

namespace {

using games_test::FileBytes;

const QString kOutOfRange = "Внимание!!! Недопустимое значение. Введите число от 0 до 180 ";
const QString kNotInSector = "Внимание!!! Недопустимое значение для данного сектора.";
const QColor kLime(0, 255, 0), kBlack(0, 0, 0);

class NaborWindowTest : public games_test::WindowTest<TForm_n> {
 protected:
  NaborWindowTest() : WindowTest(Form_n, "br") {}
  void Start() {
    if (!f->isVisible()) f->ShowModal();
    Key(Qt::Key_F7);
  }
  void Enter(const QString& text) { Type(c->Edit1, text); }
  void Visits(const QList<int>& visits) {
    for (int v : visits) Enter(QString::number(v));
  }
  // A whole game: the scores of sectors 1..20 and then of the Bull.
  void Game(const QList<int>& rounds) {
    Start();
    Visits(rounds);
  }
  static QList<int> Zeros(int n) { return QList<int>(n, 0); }
};

TEST_F(NaborWindowTest, SectorRuleAtItsRound) {
  struct Case {
    int round;  // 1..20, 21 the Bull
    const char* typed;
    const QString* message;  // null: accepted
    const char* shown;       // the score panel's caption when accepted
  };
  const Case cases[] = {
      {7, "63", nullptr, "63"},     {7, "70", &kNotInSector, ""},  {20, "190", &kOutOfRange, ""},
      {21, "150", nullptr, "150"},  {21, "30", &kNotInSector, ""}, {21, "181", &kOutOfRange, ""},
      {5, "", &kOutOfRange, ""},    {5, "05", nullptr, "0"},       {5, " 05", nullptr, "05"},
      {5, "50", &kNotInSector, ""},
  };

  for (const Case& k : cases) {
    SCOPED_TRACE(QString("round %1 typed '%2'").arg(k.round).arg(k.typed).toStdString());
    Start();
    Visits(Zeros(k.round - 1));
    msg->Clear();
    Enter(k.typed);
    // The field keeps the focus, but for the last round: then the next game's button has it.
    const bool gameOver = !k.message && k.round == 21;
    EXPECT_EQ(f->focusWidget(), gameOver ? static_cast<QWidget*>(c->BitBtn1) : c->Edit1);
    EXPECT_EQ(c->Edit1->Text(), "   ");
    if (k.message) {
      ASSERT_EQ(msg->Texts(), QStringList{*k.message});
      EXPECT_EQ(f->RoundsPlayed, k.round - 1);
      EXPECT_FALSE(ui::Visible(f->Panel(k.round + 21)));
      EXPECT_EQ(f->PanelColor(k.round), kLime);
    } else {
      EXPECT_TRUE(msg->Log().empty());
      EXPECT_EQ(f->RoundsPlayed, k.round);
      EXPECT_EQ(f->Panel(k.round + 21)->text(), k.shown);
      EXPECT_EQ(f->Panel(44)->text(), QString::number(QString(k.shown).toInt()));
      EXPECT_EQ(f->PanelColor(k.round), kBlack);
    }
  }
}

TEST_F(NaborWindowTest, PanelsThroughAGameAndUndo) {
  Start();
  EXPECT_FALSE(f->HasCloseCommand());
  EXPECT_EQ(f->focusWidget(), c->Edit1);
  Key(Qt::Key_F5);  // nothing to undo before the first visit: the button is still off
  EXPECT_TRUE(msg->Log().empty());
  Visits({5});
  Key(Qt::Key_F5);
  EXPECT_EQ(f->Panel(44)->text(), "0");
  Key(Qt::Key_F5);
  EXPECT_EQ(msg->Texts(), QStringList{"НУ ПИПЕЦ... Тогда начинай новую игру!!!"});
  EXPECT_EQ(f->focusWidget(), c->Edit1);
  Visits({2, 4, 9});
  EXPECT_EQ(f->Panel(44)->text(), "15");
  EXPECT_EQ(f->PanelColor(4), kLime);
  EXPECT_TRUE(ui::Visible(f->Panel(4)));
  Key(Qt::Key_F5);
  EXPECT_EQ(f->RoundsPlayed, 2);
  EXPECT_EQ(f->Panel(44)->text(), "6");
  EXPECT_EQ(f->PanelColor(3), kLime);
  EXPECT_FALSE(ui::Visible(f->Panel(4)));
  EXPECT_FALSE(ui::Visible(f->Panel(24)));
  EXPECT_EQ(f->Panel(24)->text(), "0");
  Visits({12});
  EXPECT_EQ(f->Panel(24)->text(), "12");
  EXPECT_EQ(f->Panel(44)->text(), "18");
  // The titles of the second column appear with the 10th visit.
  Visits(Zeros(6));
  EXPECT_FALSE(ui::Visible(f->Panel(48)));
  Visits({0});
  EXPECT_TRUE(ui::Visible(f->Panel(48)) && ui::Visible(f->Panel(49)));
  Visits(Zeros(10));
  EXPECT_EQ(f->PanelColor(21), kLime);
  Visits({50});
  EXPECT_EQ(f->GamesPlayed, 1);
  EXPECT_FALSE(c->GroupBox2->isEnabled());
  EXPECT_FALSE(c->BitBtn3->isEnabled());
  EXPECT_EQ(f->focusWidget(), c->BitBtn1);
  c->BitBtn2->click();  // a finished game takes nothing more
  Key(Qt::Key_F5);
  EXPECT_EQ(f->Panel(44)->text(), "68");
  Key(Qt::Key_F7);
  EXPECT_EQ(f->PanelColor(1), kLime);
  EXPECT_FALSE(ui::Visible(f->Panel(22)));
  EXPECT_EQ(f->Panel(44)->text(), "0");
}

TEST_F(NaborWindowTest, AllTreblesAndTwoGamesAverages) {
  QList<int> best;
  for (int s = 1; s <= 20; ++s) best << 9 * s;
  best << 150;
  Game(best);
  EXPECT_EQ(Row(c->StringGrid2, 1, 4), QStringList({"1", "2040", "32,38", "97,14"}));

  f->Close();
  QList<int> hundred = Zeros(21), twoHundred = Zeros(21);
  hundred[19] = 100;
  twoHundred[19] = 180;
  twoHundred[9] = 20;
  Game(hundred);
  Game(twoHundred);
  EXPECT_EQ(Row(c->StringGrid2, 0, 4), QStringList({"", "150,00", "2,38", "7,14"}));
  EXPECT_EQ(Row(c->StringGrid2, 2, 4), QStringList({"2", "200", "3,17", "9,52"}));
  EXPECT_EQ(c->StringGrid1->Cell(26, 2), "150,00");
  EXPECT_EQ(c->StringGrid1->Cell(23, 1), "100");
  // A second showing starts the results again.
  EXPECT_EQ(c->StringGrid2->Cell(1, 3), "");
}

// Sector s scores s, the Bull 25: 235 in all.
QList<int> Singles() {
  QList<int> r;
  for (int s = 1; s <= 20; ++s) r << s;
  return r << 25;
}

TEST_F(NaborWindowTest, OneGameFileByteForByte) {
  Game(Singles());
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  EXPECT_FALSE(f->isVisible());
  ASSERT_EQ(Files(), QStringList{"20261205_161409_br.csv"});
  const QString date = c->StringGrid1->Cell(0, 1);
  EXPECT_TRUE(date.startsWith("05.12.2026 - 16:14:09:14 - ")) << date.toStdString();
  QString header = "Дата и Время;Игра;", game = date + ";1;", sums = "Сумма по сектору;;",
          avgs = "Средняя по секторам и набору;;";
  for (int s = 1; s <= 20; ++s) {
    header += QString("%1;").arg(s);
    game += QString("%1;").arg(s);
    sums += QString("%1;").arg(s);
    avgs += QString("%1,00;").arg(s);
  }
  header += "Bull;Сумма;Ср. на 1;Ср. на 3;Ср. набор(нарастающий);;";
  game += "25;235;3,73;11,19;235,00;;";
  sums += "25;235;;;;;";
  avgs += "25,00;235,00;3,73;11,19;;;";
  EXPECT_EQ(FileData("20261205_161409_br.csv"), FileBytes({header, game, sums, avgs}));
  // Leaving resets the panels.
  EXPECT_EQ(f->Panel(44)->text(), "0");
  EXPECT_EQ(f->Panel(30)->text(), "0");
  EXPECT_FALSE(c->GroupBox1->isEnabled());
}

TEST_F(NaborWindowTest, LeavingWithoutAFinishedGameAndCancel) {
  Start();
  Visits({1, 2});
  Key(Qt::Key_F10);  // nothing finished: closes at once
  EXPECT_FALSE(f->isVisible());
  EXPECT_TRUE(msg->Log().empty());
  EXPECT_TRUE(Files().isEmpty());

  Game(Zeros(21));
  Start();
  Visits({1, 2});
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(Files().size(), 1);
  EXPECT_EQ(f->focusWidget(), c->Edit1);
  Visits({3});
  EXPECT_EQ(f->RoundsPlayed, 3);
  EXPECT_EQ(f->Panel(44)->text(), "6");
}

TEST_F(NaborWindowTest, ExportAfterAnEarlierLongerShowing) {
  if (!QFileInfo::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  CaptureExports();
  for (int i = 0; i < 3; ++i) Game(Zeros(21));
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  ui::seams().decimalSeparator = QChar('.');
  Game(Singles());
  Game(Zeros(21));
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_FALSE(f->isVisible());
  const auto book = ExportedBook();
  ASSERT_TRUE(book.has_value());
  EXPECT_EQ(games_test::CellText(*book, "A1"), "Дата и Время");
  EXPECT_EQ(games_test::CellText(*book, "AA1"), "Ср. набор(нарастающий)");
  EXPECT_EQ(games_test::CellNumber(*book, "B3"), 2);
  EXPECT_EQ(games_test::CellNumber(*book, "X2"), 235);
  EXPECT_EQ(games_test::CellText(*book, "A4"), "Сумма по сектору");
  EXPECT_EQ(games_test::CellText(*book, "A5"), "Средняя по секторам и набору");
  // The summary rows hold no game number, whatever the earlier showing left.
  EXPECT_EQ(games_test::CellText(*book, "B4"), "");
  EXPECT_EQ(games_test::CellText(*book, "B5"), "");
  EXPECT_EQ(games_test::CellNumber(*book, "X4"), 235);
  EXPECT_EQ(games_test::CellNumber(*book, "X5"), 117.5);
  EXPECT_EQ(games_test::CellNumber(*book, "W5"), 12.5);
  EXPECT_EQ(games_test::CellText(*book, "AA4"), "");
  EXPECT_TRUE(games_test::CellFill(*book, "AA1").endsWith("CCFFCC"));
  EXPECT_TRUE(games_test::CellFill(*book, "A5").endsWith("00CCFF"));
  EXPECT_TRUE(games_test::CellFill(*book, "B5").isEmpty());
  EXPECT_NEAR((*book)["widths"].toObject()["A"].toDouble(), 35, 1);
  EXPECT_NEAR((*book)["widths"].toObject()["C"].toDouble(), 4, 1);
  EXPECT_TRUE(NoBorderBelow(*book, "A6"));
  EXPECT_FALSE(NoBorderBelow(*book, "AA5"));
}

}  // namespace
