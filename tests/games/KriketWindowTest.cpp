// The cricket window played through its segment buttons, keys and exit question.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include "games/kriket.h"
#include "tests/games/GamesTestSupport.h"

namespace {

using games_test::FileBytes;

const QStringList kTargets = {"20", "19", "18", "17", "16", "15", "Bull"};

class KriketWindowTest : public games_test::WindowTest<TForm_k> {
 protected:
  KriketWindowTest() : WindowTest(Form_k, "kriket") {}
  // The segment button a screen reader announces by this name.
  QPushButton* Button(const QString& name) const {
    for (QPushButton* b : f->findChildren<QPushButton*>(QRegularExpression("^SpeedButton"))) {
      if (b->accessibleName() == name) return b;
    }
    ADD_FAILURE() << "no button named " << name.toStdString();
    return nullptr;
  }
  void Throw(const QStringList& darts) {
    for (const QString& d : darts) {
      if (QPushButton* b = Button(d)) QTest::mouseClick(b, Qt::LeftButton);
    }
  }
  void OpenAndStart() {
    f->ShowModal();
    Key(Qt::Key_F7);
  }
  // Which of the four pictures of a target panel is shown (-1: not exactly one).
  int Picture(int panel) const {
    int shown = -1, count = 0;
    for (int k = 0; k < 4; ++k) {
      if (ui::Visible(f->MarkImage(panel, k))) shown = k, ++count;
    }
    return count == 1 ? shown : -1;
  }
  QStringList VisitRow(int row) const { return Row(c->StringGrid1, row, 5); }
};

// Darts of one leg so far: the pictures, the buttons still open, the visits.
TEST_F(KriketWindowTest, MarksPicturesAndClosedTargets) {
  struct Case {
    QStringList darts;
    QList<int> pictures;  // panels 1..7
    QStringList closed;   // targets whose buttons are disabled
    QList<QStringList> visits;
  };
  const Case cases[] = {
      {{"T20"}, {3, 0, 0, 0, 0, 0, 0}, {"20"}, {{"1", "T20", "", "", ""}}},
      {{"20", "20", "D20"}, {3, 0, 0, 0, 0, 0, 0}, {"20"}, {{"3", "20", "20", "D20", "80"}}},
      {{"19", "0", "D18"}, {0, 1, 2, 0, 0, 0, 0}, {}, {{"3", "19", "0", "D18", "55"}}},
      {{"25", "25", "25"}, {0, 0, 0, 0, 0, 0, 3}, {"Bull"}, {{"3", "25", "25", "25", "75"}}},
      {{"50", "25", "T15", "D16"},
       {0, 0, 0, 0, 2, 3, 3},
       {"Bull", "15"},
       {{"3", "50", "25", "T15", "120"}, {"4", "D16", "", "", ""}}},
      {{"T20", "0", "50", "D17", "25", "19"},
       {3, 1, 0, 2, 0, 0, 3},
       {"20", "Bull"},
       {{"3", "T20", "0", "50", "110"}, {"6", "D17", "25", "19", "78"}}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.darts.join(" ").toStdString());
    if (f->isVisible()) Key(Qt::Key_F10);  // leaving mid-leg closes at once
    OpenAndStart();
    Throw(k.darts);
    for (int p = 1; p <= 7; ++p) EXPECT_EQ(Picture(p), k.pictures[p - 1]) << "panel " << p;
    for (int t = 0; t < 7; ++t) {
      const QString s = t == 6 ? "21" : kTargets[t];
      const bool open = !k.closed.contains(kTargets[t]);
      for (int m = (t == 6 ? 2 : 1); m <= 3; ++m) EXPECT_EQ(f->SegmentButton(s.toInt(), m)->isEnabled(), open);
    }
    EXPECT_TRUE(Button("0")->isEnabled());
    for (int r = 0; r < k.visits.size(); ++r) EXPECT_EQ(VisitRow(r + 1), k.visits[r]);
    EXPECT_EQ(VisitRow(k.visits.size() + 1), QStringList({"", "", "", "", ""}));
    EXPECT_EQ(f->LegsPlayed, 0);
    EXPECT_FALSE(c->BitBtn1->isEnabled());
  }
}

TEST_F(KriketWindowTest, KeyZeroEntersAMissOnlyInALeg) {
  f->ShowModal();
  Key(Qt::Key_0);
  Key(Qt::Key_0, Qt::KeypadModifier);
  EXPECT_EQ(f->LegDarts, 0);
  EXPECT_EQ(VisitRow(1), QStringList({"", "", "", "", ""}));
  Key(Qt::Key_F7);
  Key(Qt::Key_0);
  Key(Qt::Key_0, Qt::KeypadModifier);
  EXPECT_EQ(VisitRow(1), QStringList({"2", "0", "0", "", ""}));
  EXPECT_EQ(f->LegMisses, 2);
  // A focused segment button answers Space and Enter.
  QTest::keyClick(Button("D18"), Qt::Key_Space);
  QTest::keyClick(Button("16"), Qt::Key_Return);
  EXPECT_EQ(VisitRow(1), QStringList({"3", "0", "0", "D18", "36"}));
  EXPECT_EQ(VisitRow(2), QStringList({"4", "16", "", "", ""}));
  // From the 15th visit on the grid keeps the current visit selected.
  for (int i = 0; i < 2 + 3 * 14; ++i) Key(Qt::Key_0);
  EXPECT_EQ(f->VisitRow, 17);
  EXPECT_EQ(c->StringGrid1->Row(), 17);
}

TEST_F(KriketWindowTest, HoverColoursTheSegment) {
  OpenAndStart();
  QPushButton* b = Button("T19");
  auto text = [b] {
    return b->palette().color(b->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
  };
  QEvent enter(QEvent::Enter), leave(QEvent::Leave);
  QApplication::sendEvent(b, &enter);
  EXPECT_EQ(text(), QColor(255, 0, 0));
  QApplication::sendEvent(b, &leave);
  EXPECT_EQ(text(), QColor(0, 0, 0));
  // A closed target's buttons still look disabled after the mouse passed.
  QApplication::sendEvent(b, &enter);
  Throw({"T19"});
  QApplication::sendEvent(b, &leave);
  EXPECT_FALSE(b->isEnabled());
  EXPECT_NE(text(), QColor(0, 0, 0));
  EXPECT_NE(text(), QColor(255, 0, 0));
}

// Leg 1: two visits of misses, then 20..15 in trebles and the Bull with 50, 50.
// Leg 2: one visit of misses, the trebles, then the Bull with 25 three times.
const QStringList kLeg1 = {"0", "0", "0", "0", "0", "0", "T20", "T19", "T18", "T17", "T16", "T15", "50", "50"};
const QStringList kLeg2 = {"0", "0", "0", "T20", "T19", "T18", "T17", "T16", "T15", "25", "25", "25"};

TEST_F(KriketWindowTest, TwoLegsFileByteForByte) {
  OpenAndStart();
  Throw(kLeg1);
  Key(Qt::Key_F7);
  Throw(kLeg2);
  EXPECT_EQ(f->HistoryRow, 17);
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  EXPECT_FALSE(f->isVisible());
  ASSERT_EQ(Files(), QStringList({"20261205_161409_kriket.csv"}));
  const QByteArray bytes = FileData("20261205_161409_kriket.csv");
  const QString shown = c->StringGrid2->Cell(0, 0);
  EXPECT_TRUE(shown.startsWith("05.12.2026 - 16:14:09:14 - ")) << shown.toStdString();
  const QByteArray expected = FileBytes({
      shown + ";;;;;",
      "Кол-во дротиков;Первый дротик;Второй дротик;Третий дротик;Сумма за подход;",
      "Лег № 1;;;;;",  // row 2
      "3;0;0;0;0;",
      "6;0;0;0;0;",
      "9;T20;T19;T18;171;",
      "12;T17;T16;T15;144;",
      "14;50;50;;100;",
      ";Мимо сектора;Сектор;Удвоение;Утроение;",
      "Итого по легу;6;0;2;6;",  // row 9
      "Лег № 2;;;;;",            // row 10
      "3;0;0;0;0;",
      "6;T20;T19;T18;171;",
      "9;T17;T16;T15;144;",
      "12;25;25;25;75;",
      ";Мимо сектора;Сектор;Удвоение;Утроение;",
      "Итого по легу;3;3;0;6;",  // row 16
      ";;;;;",
      "Итого по всем легам;9;3;2;12;",  // row 18
      ";;;;;",
      ";;;;;",  // row 20
  });
  EXPECT_EQ(bytes, expected);
}

TEST_F(KriketWindowTest, LeavingWithoutAFinishedLegWritesNothing) {
  struct Case {
    QStringList darts;
  };
  const Case cases[] = {{{}}, {{"T20", "0"}}};
  for (const Case& k : cases) {
    OpenAndStart();
    Throw(k.darts);
    Key(Qt::Key_F10);
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(msg->Log().empty());
    EXPECT_TRUE(Files().isEmpty());
    EXPECT_TRUE(c->BitBtn1->isEnabled());
  }
}

TEST_F(KriketWindowTest, CancelKeepsPlayingAndLeavingAgainWritesAgain) {
  OpenAndStart();
  Throw(kLeg2);
  Key(Qt::Key_F7);
  Throw({"T20", "0"});
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  ASSERT_EQ(msg->Log().size(), 1u);
  EXPECT_EQ(msg->Log()[0].caption, "Confirm");
  EXPECT_TRUE(f->isVisible());
  EXPECT_TRUE(c->BitBtn1->isEnabled());  // even in the middle of a leg
  Throw({"T19"});
  EXPECT_EQ(VisitRow(1), QStringList({"3", "T20", "0", "T19", "117"}));
  // A new leg now drops the unfinished one; its darts stay in the totals.
  Key(Qt::Key_F7);
  Throw(kLeg2);
  clock->AddSecs(5);
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  EXPECT_EQ(Files(), QStringList({"20261205_161409_kriket.csv", "20261205_161414_kriket.csv"}));
  const QByteArray second = FileData("20261205_161414_kriket.csv");
  EXPECT_TRUE(second.contains(games_test::Cp1251("Лег № 3;;;;;\r\n")));
  EXPECT_FALSE(second.contains(games_test::Cp1251("Лег № 2")));
  EXPECT_TRUE(second.endsWith(games_test::Cp1251(";;;;;\r\nИтого по всем легам;7;6;0;14;\r\n;;;;;\r\n;;;;;\r\n")));
}

TEST_F(KriketWindowTest, ClosedFromTheCaptionBarInTheMiddleOfALeg) {
  OpenAndStart();
  Throw({"T20"});
  EXPECT_TRUE(f->HasCloseCommand());
  f->close();  // the close box keeps working here and runs no handler
  EXPECT_FALSE(f->isVisible());
  EXPECT_TRUE(msg->Log().empty());
  f->ShowModal();
  EXPECT_FALSE(c->BitBtn1->isEnabled());
  EXPECT_FALSE(Button("0")->isEnabled());
  EXPECT_EQ(Picture(1), 0);
  Key(Qt::Key_F10);
  EXPECT_FALSE(f->isVisible());
  EXPECT_TRUE(Files().isEmpty());
  f->ShowModal();
  EXPECT_TRUE(c->BitBtn1->isEnabled());
}

TEST_F(KriketWindowTest, ExportReadBack) {
  if (!QFileInfo::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  CaptureExports();
  // The fastest leg: eight darts, the leg ends on the second dart of a visit.
  OpenAndStart();
  Throw({"T20", "T19", "T18", "T17", "T16", "T15", "50"});
  EXPECT_EQ(f->LegsPlayed, 0);
  Throw({"25"});
  EXPECT_EQ(f->LegsPlayed, 1);
  EXPECT_EQ(VisitRow(3), QStringList({"8", "50", "25", "", "75"}));
  EXPECT_EQ(f->HistoryRow, 2 + 3 + 3);
  for (QPushButton* b : f->findChildren<QPushButton*>(QRegularExpression("^SpeedButton"))) {
    EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
  }
  EXPECT_TRUE(c->BitBtn1->isEnabled());
  Key(Qt::Key_0);  // nothing is entered after the leg
  EXPECT_EQ(f->LegDarts, 8);
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_FALSE(f->isVisible());
  const auto book = ExportedBook();
  ASSERT_TRUE(book.has_value());
  // HistoryRow 8: the sheet holds rows 1..11.
  EXPECT_EQ(games_test::CellText(*book, "A1"), c->StringGrid2->Cell(0, 0));
  EXPECT_EQ((*book)["merges"].toArray().first().toString(), "A1:E1");
  EXPECT_EQ(games_test::CellText(*book, "E2"), "Сумма за подход");
  EXPECT_EQ(games_test::CellText(*book, "A3"), "Лег № 1");
  EXPECT_EQ(games_test::CellText(*book, "E4"), "171");
  EXPECT_EQ(games_test::CellText(*book, "B6"), "50");
  EXPECT_EQ(games_test::CellText(*book, "A10"), "Итого по всем легам");
  EXPECT_EQ(games_test::CellText(*book, "D10"), "1");
  EXPECT_TRUE(games_test::CellFill(*book, "E2").endsWith("CCFFCC"));
  EXPECT_TRUE(games_test::CellFill(*book, "A3").isEmpty());
  EXPECT_FALSE(NoBorderBelow(*book, "E11"));
  EXPECT_TRUE(NoBorderBelow(*book, "A12"));
  EXPECT_NEAR((*book)["widths"].toObject()["A"].toDouble(), 20, 1);
  EXPECT_NEAR((*book)["widths"].toObject()["E"].toDouble(), 16, 1);
}

}  // namespace
