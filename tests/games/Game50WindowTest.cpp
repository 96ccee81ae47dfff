// The bull practice window played through its function keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QTest>
#include <map>
#include <memory>
#include <vector>

#include "games/form_50.h"
#include "tests/games/PracticeGamesSupport.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"

namespace {

using practice_tests::FileBytes;
using practice_tests::ReadAll;
using testing_support::FixedClock;
using testing_support::TempCurrentDir;

constexpr int kBust = -1;

class Game50Test : public practice_tests::WindowFixture<TForm50, Form50> {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    ui::seams().decimalSeparator = QChar('.');
  }
  // Visits by their keys: F1 bust, F2 0, F3 25 ... F8 150.
  void Visits(const std::vector<int>& values) {
    static const std::map<int, Qt::Key> keys = {{kBust, Qt::Key_F1}, {0, Qt::Key_F2},  {25, Qt::Key_F3},
                                                {50, Qt::Key_F4},    {75, Qt::Key_F5}, {100, Qt::Key_F6},
                                                {125, Qt::Key_F7},   {150, Qt::Key_F8}};
    for (int v : values) Key(keys.at(v));
  }
  void Open() {
    f->ShowModal();
    Key(Qt::Key_F9);
  }
  QStringList SheetRow(int row) const {
    QStringList out;
    for (int col = 0; col < 5; ++col) out << c->StringGrid1->Cell(col, row);
    return out;
  }
  QStringList LegRow(int row) const {
    QStringList out;
    for (int col = 0; col < 4; ++col) out << c->StringGrid2->Cell(col, row);
    return out;
  }
  // Which of the bust and value buttons 0..150 are enabled, in that order.
  std::vector<bool> VisitButtons() const {
    std::vector<bool> out;
    for (QWidget* b :
         {c->BitBtn8, c->BitBtn9, c->BitBtn10, c->BitBtn11, c->BitBtn12, c->BitBtn13, c->BitBtn14, c->BitBtn15}) {
      out.push_back(ui::Enabled(b));
    }
    return out;
  }
  std::vector<bool> DartButtons() const {
    return {ui::Enabled(c->BitBtn5), ui::Enabled(c->BitBtn6), ui::Enabled(c->BitBtn7)};
  }
};

TEST_F(Game50Test, LegOf150150150And50) {
  Open();
  EXPECT_EQ(VisitButtons(), std::vector<bool>({false, true, true, true, true, true, true, true}));
  Visits({150, 150});
  EXPECT_EQ(VisitButtons(), std::vector<bool>({false, true, true, true, true, true, true, true}));
  Visits({150});
  EXPECT_EQ(VisitButtons(), std::vector<bool>({true, true, true, true, false, false, false, false}));
  Visits({150, 125, 100, 75});  // not offered: nothing happens
  EXPECT_EQ(f->VisitCount, 3);
  Visits({50});
  EXPECT_EQ(QStringList({SheetRow(1)[2], SheetRow(2)[2], SheetRow(3)[2], SheetRow(4)[2]}),
            QStringList({"350", "200", "50", "0"}));
  EXPECT_EQ(DartButtons(), std::vector<bool>({true, true, true}));
  EXPECT_EQ(f->focusWidget(), c->BitBtn5);
  EXPECT_TRUE(ui::Enabled(c->Label12));
  EXPECT_TRUE(SheetRow(4)[3].isEmpty());
  Key(Qt::Key_F1);  // the first dart, not a bust
  EXPECT_EQ(LegRow(0), QStringList({"1", "10", "50.00", "150.00"}));
  EXPECT_EQ(SheetRow(4), QStringList({"4", "50", "0", "50.00", "150.00"}));
  EXPECT_EQ(DartButtons(), std::vector<bool>({false, false, false}));
  EXPECT_EQ(VisitButtons(), std::vector<bool>(8, false));
  EXPECT_FALSE(ui::Enabled(c->Label12));
  EXPECT_EQ(f->focusWidget(), c->BitBtn2);
  EXPECT_TRUE(msg->Texts().isEmpty());
  // The next leg starts from 500 and keeps the table.
  Key(Qt::Key_F9);
  EXPECT_EQ(SheetRow(0), QStringList({"", "", "500", "", ""}));
  EXPECT_TRUE(SheetRow(1).join("").isEmpty());
  EXPECT_EQ(LegRow(0)[1], "10");
}

TEST_F(Game50Test, BustCountsAsAVisit) {
  Open();
  Visits({150, 150, 100, 0, kBust});
  EXPECT_EQ(SheetRow(5), QStringList({"5", "ПБ", "100", "26.67", "80.00"}));
  EXPECT_EQ(QStringList({c->Panel3->text(), c->Panel4->text(), c->Panel5->text()}), QStringList({"0", "400", "100"}));
  Visits({75});
  EXPECT_EQ(SheetRow(6), QStringList({"6", "75", "25", "26.39", "79.17"}));
  Visits({kBust});
  EXPECT_EQ(SheetRow(7), QStringList({"7", "ПБ", "25", "22.62", "67.86"}));
  EXPECT_EQ(f->Remaining, 25);
}

// The finishing dart is asked only where the last visit leaves it in doubt.
TEST_F(Game50Test, FinishingDartByTheLastVisit) {
  struct Case {
    std::vector<int> visits;
    std::vector<bool> offered;
    int recordedDarts;  // 0: still asked
  };
  const Case cases[] = {
      {{150, 150, 50, 150}, {false, false, false}, 12},
      {{150, 150, 75, 125}, {false, false, false}, 12},
      {{150, 150, 100, 100}, {false, true, true}, 0},
      {{150, 150, 150, 25, 25}, {true, true, true}, 0},
  };
  f->ShowModal();
  int legs = 0;
  for (const Case& t : cases) {
    SCOPED_TRACE(t.visits.back());
    Key(Qt::Key_F9);
    Visits(t.visits);
    EXPECT_EQ(DartButtons(), t.offered);
    if (t.recordedDarts) {
      EXPECT_EQ(f->focusWidget(), c->BitBtn2);
    } else {
      Key(Qt::Key_F3);  // the third dart is always offered
    }
    ++legs;
    const int expected = t.recordedDarts ? t.recordedDarts : static_cast<int>(t.visits.size()) * 3;
    EXPECT_EQ(LegRow(legs - 1)[1], QString::number(expected));
    EXPECT_EQ(f->LegCount, legs);
  }
}

TEST_F(Game50Test, StatisticsFileWithTheUsersDecimalSeparator) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("50");
  FixedClock clock(QDateTime(QDate(2012, 5, 10), QTime(14, 35, 20)));
  ui::seams().decimalSeparator = QChar(',');
  Open();
  Visits({150, 150, 150, 50});
  Key(Qt::Key_F1);
  Key(Qt::Key_F9);
  Visits({100, 100, 100, 100, 100});
  Key(Qt::Key_F2);
  Key(Qt::Key_F9);
  Visits({150, 150});  // a leg in play is not written
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  EXPECT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitConfirmText)});
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(ReadAll(dir.File("50/20120510_143520_50.csv")),
            FileBytes({"2012.05.10 - 14:35:20:35", "Лег;Кол-во дротиков;На 1 дротик;Средний набор;",
                       "1;10;50,00;150,00;", "2;14;35,71;107,14;", ";;;;"}));
  EXPECT_TRUE(LegRow(0)[0].isEmpty());
  EXPECT_TRUE(c->Panel5->text().isEmpty());
}

TEST_F(Game50Test, LeavingWithoutALegAsksNothing) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("50");
  for (bool inPlay : {false, true}) {
    SCOPED_TRACE(inPlay);
    Open();
    if (inPlay) Visits({150, 150});
    Key(Qt::Key_F10);
    EXPECT_TRUE(msg->Texts().isEmpty());
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(QDir(dir.File("50")).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(SheetRow(2).join("").isEmpty());
  }
}

// Cancel leaves the leg in play and the table of legs as they were: the next
// leg is recorded after the others.
TEST_F(Game50Test, CancelKeepsTheLegAndTheTable) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("50");
  FixedClock clock(QDateTime(QDate(2012, 5, 10), QTime(18, 45, 2)));
  Open();
  Visits({150, 150, 150, 50});
  Key(Qt::Key_F1);
  Key(Qt::Key_F9);
  Visits({150, 150});
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  EXPECT_TRUE(f->isVisible());
  // The window is activated again as the question closes.
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(f, &activate);
  EXPECT_EQ(f->Remaining, 200);
  EXPECT_EQ(f->LegCount, 1);
  Visits({150, 50});
  Key(Qt::Key_F2);
  EXPECT_EQ(LegRow(0)[1], "10");
  EXPECT_EQ(LegRow(1), QStringList({"2", "11", "45.45", "136.36"}));
  clock.AddSecs(1);
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  EXPECT_EQ(QDir(dir.File("50")).entryList(QDir::Files),
            QStringList({"20120510_184502_50.csv", "20120510_184503_50.csv"}));
  EXPECT_TRUE(ReadAll(dir.File("50/20120510_184503_50.csv")).endsWith("2;11;45.45;136.36;\r\n;;;;\r\n"));
}

// Visits and legs past the grids' 30 rows are kept, shown and written.
TEST_F(Game50Test, RowsPastTheGridsAreKept) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("50");
  FixedClock clock(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)));
  Open();
  Visits(std::vector<int>(40, 0));
  Visits({150, 150, 150, 50});
  Key(Qt::Key_F1);
  EXPECT_EQ(SheetRow(44), QStringList({"44", "50", "0", "3.85", "11.54"}));
  EXPECT_GE(c->StringGrid1->RowCount(), 45);
  EXPECT_EQ(LegRow(0)[1], "130");
  for (int leg = 2; leg <= 32; ++leg) {
    Key(Qt::Key_F9);
    Visits({150, 150, 150, 25, 25});
    Key(Qt::Key_F2);
  }
  EXPECT_EQ(LegRow(31), QStringList({"32", "14", "35.71", "107.14"}));
  EXPECT_GE(c->StringGrid2->RowCount(), 32);
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  const QList<QByteArray> lines = ReadAll(dir.File("50/20200102_030405_50.csv")).split('\n');
  ASSERT_EQ(lines.size(), 2 + 32 + 1 + 1);
  EXPECT_EQ(lines[33], "32;14;35.71;107.14;\r");
  EXPECT_EQ(lines[34], ";;;;\r");
  EXPECT_TRUE(c->StringGrid1->Cell(0, 44).isEmpty());
  EXPECT_TRUE(c->StringGrid2->Cell(0, 31).isEmpty());
  EXPECT_EQ(c->StringGrid2->RowCount(), 30);
}

}  // namespace
