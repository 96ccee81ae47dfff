// The bull practice window played through its function keys.
#include <QApplication>
#include <map>

#include "games/form_50.h"
#include "tests/games/GamesTestSupport.h"

namespace {

constexpr int kBust = -1;

class Game50Test : public games_test::WindowTest<TForm50> {
 protected:
  Game50Test() : WindowTest(Form50, "50") {}
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
  // The enabled buttons: bust, values 0..150, "|", finishing darts 1..3.
  QString Buttons() const {
    QString out;
    for (QWidget* b :
         std::initializer_list<QWidget*>{c->BitBtn8, c->BitBtn9, c->BitBtn10, c->BitBtn11, c->BitBtn12, c->BitBtn13,
                                         c->BitBtn14, c->BitBtn15, nullptr, c->BitBtn5, c->BitBtn6, c->BitBtn7})
      out += !b ? '|' : ui::Enabled(b) ? '1' : '0';
    return out;
  }
};

TEST_F(Game50Test, LegOf150150150And50) {
  Open();
  EXPECT_EQ(Buttons(), "01111111|000");
  Keys({Qt::Key_Return, Qt::Key_Space});  // no visit button has the focus
  Visits({150, 150});
  Keys({Qt::Key_Return, Qt::Key_Space});
  EXPECT_EQ(Buttons(), "01111111|000");
  Visits({150});
  EXPECT_EQ(Buttons(), "11110000|000");
  Visits({150, 125, 100, 75});  // not offered: nothing happens
  EXPECT_EQ(f->VisitCount, 3);
  Visits({50});
  EXPECT_EQ(Buttons(), "00000000|111");
  EXPECT_EQ(f->focusWidget(), c->BitBtn5);
  Key(Qt::Key_F1);  // the first dart, not a bust
  EXPECT_EQ(Row(c->StringGrid2, 0, 4), QStringList({"1", "10", "50,00", "150,00"}));
  EXPECT_EQ(Row(c->StringGrid1, 4, 5), QStringList({"4", "50", "0", "50,00", "150,00"}));
  EXPECT_EQ(Buttons(), "00000000|000");
  EXPECT_EQ(f->focusWidget(), c->BitBtn2);
  EXPECT_TRUE(msg->Texts().isEmpty());
  // The next leg starts from 500 and keeps the table.
  Key(Qt::Key_F9);
  EXPECT_EQ(Row(c->StringGrid1, 0, 5), QStringList({"", "", "500", "", ""}));
  EXPECT_TRUE(Row(c->StringGrid1, 1, 5).join("").isEmpty());
  EXPECT_EQ(c->StringGrid2->Cell(1, 0), "10");
}

TEST_F(Game50Test, BustCountsAsAVisit) {
  Open();
  Visits({150, 150, 100, 0, kBust});
  EXPECT_EQ(Row(c->StringGrid1, 5, 5), QStringList({"5", "ПБ", "100", "26,67", "80,00"}));
  EXPECT_EQ(QStringList({c->Panel3->text(), c->Panel4->text(), c->Panel5->text()}), QStringList({"0", "400", "100"}));
  Visits({75, kBust});
  EXPECT_EQ(Row(c->StringGrid1, 6, 5), QStringList({"6", "75", "25", "26,39", "79,17"}));
  EXPECT_EQ(Row(c->StringGrid1, 7, 5), QStringList({"7", "ПБ", "25", "22,62", "67,86"}));
  EXPECT_EQ(f->Remaining, 25);
  Key(Qt::Key_F10);  // no finished leg: closes without a question or a file
  EXPECT_TRUE(msg->Texts().isEmpty() && Files().isEmpty() && !f->isVisible());
  EXPECT_TRUE(Row(c->StringGrid1, 2, 5).join("").isEmpty());
}

// The finishing dart is asked only where the last visit leaves it in doubt.
TEST_F(Game50Test, FinishingDartByTheLastVisit) {
  struct Case {
    std::vector<int> visits;
    QString offered;    // the finishing darts
    int recordedDarts;  // 0: still asked
  };
  const Case cases[] = {
      {{150, 150, 50, 150}, "000", 12},
      {{150, 150, 75, 125}, "000", 12},
      {{150, 150, 100, 100}, "011", 0},
      {{150, 150, 150, 25, 25}, "111", 0},
  };
  f->ShowModal();
  int legs = 0;
  for (const Case& t : cases) {
    SCOPED_TRACE(t.visits.back());
    Key(Qt::Key_F9);
    Visits(t.visits);
    EXPECT_EQ(Buttons().right(3), t.offered);
    if (!t.recordedDarts) Key(Qt::Key_F3);  // the third dart is always offered
    const int expected = t.recordedDarts ? t.recordedDarts : static_cast<int>(t.visits.size()) * 3;
    EXPECT_EQ(c->StringGrid2->Cell(1, legs++), QString::number(expected));
    EXPECT_EQ(f->LegCount, legs);
    EXPECT_EQ(f->focusWidget(), c->BitBtn2);
  }
}

// Only finished legs are written and exported; a leg in play is not.
TEST_F(Game50Test, FileAndExport) {
  Open();
  Visits({150, 150, 150, 50});
  Keys({Qt::Key_F1, Qt::Key_F9});
  Visits({100, 100, 100, 100, 100});
  Keys({Qt::Key_F2, Qt::Key_F9});
  Visits({150, 150});
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitConfirmText)});
  EXPECT_EQ(FileData("20261205_161409_50.csv"),
            games_test::FileBytes({"2026.12.05 - 16:14:09:14", "Лег;Кол-во дротиков;На 1 дротик;Средний набор;",
                                   "1;10;50,00;150,00;", "2;14;35,71;107,14;", ";;;;"}));
  EXPECT_TRUE(c->StringGrid2->Cell(0, 0).isEmpty() && c->Panel5->text().isEmpty());
  EXPECT_EQ(Cells({"A1", "D1", "B2", "C2", "A3", "B3", "D3", "A4", "E1"}),
            QStringList({"Лег|FFCCFFCC|b", "Средний набор|FFCCFFCC|b", "10||b", "50||b", "2||b", "14||b", "107.14||b",
                         "|", "|"}));
}

// Cancel leaves the leg in play and the table of legs as they were: the next
// leg is recorded after the others, under the user's decimal point.
TEST_F(Game50Test, CancelKeepsTheLegAndTheTable) {
  ui::seams().decimalSeparator = QChar('.');
  Open();
  Visits({150, 150, 150, 50});
  Keys({Qt::Key_F1, Qt::Key_F9});
  Visits({150, 150});
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  EXPECT_TRUE(f->isVisible());
  QEvent activate(QEvent::WindowActivate);  // the window is activated again as the question closes
  QApplication::sendEvent(f, &activate);
  EXPECT_EQ(f->Remaining, 200);
  Visits({150, 50});
  Key(Qt::Key_F2);
  EXPECT_EQ(Row(c->StringGrid2, 1, 4), QStringList({"2", "11", "45.45", "136.36"}));
  clock->AddSecs(1);
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  ASSERT_EQ(Files().size(), 2);
  const QList<QByteArray> lines = FileLines(Files()[1]);
  EXPECT_EQ(lines.mid(2), QList<QByteArray>({"1;10;50.00;150.00;", "2;11;45.45;136.36;", ";;;;"}));
}

// Visits and legs past the grids' 30 rows are kept, shown and written.
TEST_F(Game50Test, RowsPastTheGridsAreKept) {
  Open();
  Visits(std::vector<int>(40, 0));
  Visits({150, 150, 150, 50});
  Key(Qt::Key_F1);
  EXPECT_EQ(Row(c->StringGrid1, 44, 5), QStringList({"44", "50", "0", "3,85", "11,54"}));
  EXPECT_EQ(c->StringGrid2->Cell(1, 0), "130");
  for (int leg = 2; leg <= 32; ++leg) {
    Key(Qt::Key_F9);
    Visits({150, 150, 150, 25, 25});
    Key(Qt::Key_F2);
  }
  EXPECT_EQ(Row(c->StringGrid2, 31, 4), QStringList({"32", "14", "35,71", "107,14"}));
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  const QList<QByteArray> lines = FileLines("20261205_161409_50.csv");
  ASSERT_EQ(lines.size(), 2 + 32 + 1);
  EXPECT_EQ(lines[33], "32;14;35,71;107,14;");
  EXPECT_TRUE(c->StringGrid1->Cell(0, 44).isEmpty() && c->StringGrid2->Cell(0, 31).isEmpty());
  EXPECT_EQ(c->StringGrid2->RowCount(), 30);
}

}  // namespace
