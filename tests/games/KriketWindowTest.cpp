// The cricket window played with the mouse on its segment buttons and the keys.
#include <QPushButton>
#include <QRegularExpression>

#include "games/kriket.h"
#include "tests/games/GamesTestSupport.h"

namespace {

// Leg 1: two visits of misses, the trebles, the Bull with 50, 50 (5 visits).
// Leg 2: one visit of misses, the trebles, the Bull with 25 three times (4 visits).
const QStringList kLeg1 = {"0", "0", "0", "0", "0", "0", "T20", "T19", "T18", "T17", "T16", "T15", "50", "50"};
const QStringList kLeg2 = {"0", "0", "0", "T20", "T19", "T18", "T17", "T16", "T15", "25", "25", "25"};

class KriketWindowTest : public games_test::WindowTest<TForm_k> {
 protected:
  KriketWindowTest() : WindowTest(Form_k, "kriket") {}
  QList<QPushButton*> Segments() const { return f->findChildren<QPushButton*>(QRegularExpression("^SpeedButton")); }
  // Clicks the segment buttons a screen reader announces by these names.
  void Throw(const QStringList& darts) {
    for (const QString& d : darts) {
      for (QPushButton* b : Segments()) b->accessibleName() == d ? QTest::mouseClick(b, Qt::LeftButton) : void();
    }
  }
  void Start() { f->isVisible() ? Key(Qt::Key_F7) : (f->ShowModal(), Key(Qt::Key_F7)); }
  // The pictures the seven target panels show ("03" where two are), then the
  // captions of the disabled segment buttons.
  QString State() const {
    QString out;
    for (int p = 1; p <= 7; ++p) {
      for (int k = 0; k < 4; ++k) out += ui::Visible(f->MarkImage(p, k)) ? QString::number(k) : "";
    }
    for (QPushButton* b : Segments()) out += b->isEnabled() ? "" : " " + b->text();
    return out;
  }
};

TEST_F(KriketWindowTest, MarksClosedTargetsAndVisitSums) {
  const struct {
    QStringList darts;
    QString state;
    QStringList visit;  // the last row written
  } cases[] = {{{"20", "20", "D20"}, "3000000 20 D20 T20", {"3", "20", "20", "D20", "80"}},
               {{"25", "25", "19", "25"}, "0100003 25 50", {"4", "25", "", "", ""}},
               {{"T20", "0", "50", "D17", "25", "19"}, "3102003 20 D20 T20 25 50", {"6", "D17", "25", "19", "78"}},
               // the fastest leg ends on a visit's second dart, every button off
               {{"T20", "T19", "T18", "T17", "T16", "T15", "50", "25"},
                "3333333 0 20 D20 T20 19 D19 T19 18 D18 T18 17 D17 T17 16 D16 T16 15 D15 T15 25 50",
                {"8", "50", "25", "", "75"}}};
  for (const auto& k : cases) {
    if (f->isVisible()) Key(Qt::Key_F10);  // leaving mid-leg closes at once, without a file
    Start();
    Throw(k.darts);
    EXPECT_EQ(State(), k.state) << k.darts.join(' ').toStdString();
    EXPECT_EQ(Row(c->StringGrid1, f->VisitRow - (k.visit[4].isEmpty() ? 0 : 1), 5), k.visit);
  }
  EXPECT_EQ(f->LegsPlayed, 1);
}

// Cancel writes a file and play goes on; a new leg then drops the unfinished
// one, whose darts stay in the totals; Yes exports the record.
TEST_F(KriketWindowTest, TwoLegsAroundACancelWrittenAndExported) {
  Start();
  Throw(kLeg1);
  Start();
  Throw({"T20", "0"});
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  Start();
  Throw(kLeg2);
  clock->AddSecs(5);
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  ASSERT_EQ(Files(), QStringList({"20261205_161409_kriket.csv", "20261205_161414_kriket.csv"}));
  const QString shown = c->StringGrid2->Cell(0, 0);
  EXPECT_TRUE(shown.startsWith("05.12.2026 - 16:14:09:14 - ")) << shown.toStdString();
  EXPECT_EQ(FileData(Files()[1]),
            games_test::FileBytes({shown + ";;;;;",
                                   "Кол-во дротиков;Первый дротик;Второй дротик;Третий дротик;Сумма за подход;",
                                   "Лег № 1;;;;;",
                                   "3;0;0;0;0;",
                                   "6;0;0;0;0;",
                                   "9;T20;T19;T18;171;",
                                   "12;T17;T16;T15;144;",
                                   "14;50;50;;100;",
                                   ";Мимо сектора;Сектор;Удвоение;Утроение;",
                                   "Итого по легу;6;0;2;6;",
                                   "Лег № 3;;;;;",
                                   "3;0;0;0;0;",
                                   "6;T20;T19;T18;171;",
                                   "9;T17;T16;T15;144;",
                                   "12;25;25;25;75;",
                                   ";Мимо сектора;Сектор;Удвоение;Утроение;",
                                   "Итого по легу;3;3;0;6;",
                                   ";;;;;",
                                   "Итого по всем легам;10;3;2;13;",
                                   ";;;;;",
                                   ";;;;;"}));
  EXPECT_EQ(Cells({"A1", "E2", "A3", "E6", "C8", "A19", "E19", "E20", "A21"}),
            QStringList({shown + "|FFCCFFCC|b", "Сумма за подход|FFCCFFCC|b", "Лег № 1||b", "171||b", "50||b",
                         "Итого по всем легам||b", "13||b", "||b", "|"}));
  EXPECT_EQ(widths["A"].toDouble() - widths["E"].toDouble(), 4);
  EXPECT_FALSE(f->isVisible());
}

// Segments take no focus: only clicks and the key 0 enter darts, and a stray
// Enter or Space after F7 or after a click enters nothing and does not leave.
TEST_F(KriketWindowTest, KeysAndTheCloseBox) {
  f->ShowModal();
  Key(Qt::Key_0);  // no leg yet: nothing is entered
  Start();
  Keys({Qt::Key_Return, Qt::Key_Space});
  Throw({"D18"});
  Keys({Qt::Key_Return, Qt::Key_Space, Qt::Key_0});
  Key(Qt::Key_0, Qt::KeypadModifier);
  EXPECT_EQ(Row(c->StringGrid1, 1, 5), QStringList({"3", "D18", "0", "0", "36"}));
  for (int i = 0; i < 8; ++i) {
    Key(Qt::Key_Tab);
    EXPECT_FALSE(Segments().contains(f->focusWidget()));
  }
  for (int i = 0; i < 3 * 14; ++i) Key(Qt::Key_0);
  EXPECT_EQ(c->StringGrid1->Row(), 16);  // from the 15th visit the grid follows
  f->close();                            // the close box with no finished leg runs no handler
  f->ShowModal();
  EXPECT_EQ(State().count(' '), 21);
  Start();           // "- Новый лег" is still disabled
  Key(Qt::Key_F10);  // enables it and closes: no leg was finished in this showing
  EXPECT_TRUE(Files().isEmpty() && msg->Log().empty() && !f->isVisible() && c->BitBtn1->isEnabled());
  // With a finished leg the close box leaves as "Выход" does.
  Start();
  Throw(kLeg2);
  Keys({Qt::Key_Return, Qt::Key_Space});
  msg->Answer(ui::mrNo);
  f->close();
  EXPECT_TRUE(Files().size() == 1 && msg->Log().size() == 1u && !f->isVisible());
}

}  // namespace
