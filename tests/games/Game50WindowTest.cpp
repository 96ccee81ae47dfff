// The bull practice window played through its function keys.
#include <QApplication>

#include "games/form_50.h"
#include "tests/games/GamesTestSupport.h"
#include "ui_form_50.h"

namespace {

constexpr int kBust = darts::Game50::kBust;

class Game50Test : public games_test::WindowTest<TForm50> {
 protected:
  Game50Test() : WindowTest(Form50, "50") {}
  // Visits by their keys: F1 bust, F2 0, F3 25 ... F8 150.
  void Visits(const std::vector<int>& values) {
    for (int v : values) Key(v == kBust ? Qt::Key_F1 : Qt::Key(Qt::Key_F2 + v / 25));
  }
  // The enabled buttons: bust, values 0..150, "|", finishing darts 1..3.
  QString Buttons() const {
    QString out;
    for (int b : {8, 9, 10, 11, 12, 13, 14, 15, 0, 5, 6, 7})
      out += !b ? '|' : ui::Enabled(f->findChild<QWidget*>(QString("BitBtn%1").arg(b))) ? '1' : '0';
    return out;
  }
};

// A stray Enter or Space plays nothing, values above the remaining do nothing,
// F1-F3 answer the question, "- Новая игра" has the focus after each leg.
TEST_F(Game50Test, LegsByTheKeys) {
  f->ShowModal();
  EXPECT_EQ(f->focusWidget(), c->BitBtn2);
  Keys({Qt::Key_F9, Qt::Key_Return, Qt::Key_Space});
  EXPECT_EQ(Buttons(), "01111111|000");
  Visits({150, 150, 150});
  Keys({Qt::Key_Return, Qt::Key_Space});
  EXPECT_EQ(Buttons(), "11110000|000");
  Visits({150, 125, 100, 75, kBust, 50});  // 75..150 not offered: nothing happens
  EXPECT_TRUE(Buttons() == "00000000|111" && ui::Enabled(c->Label12) && !ui::Enabled(c->BitBtn2));
  EXPECT_EQ(f->focusWidget(), c->BitBtn5);
  Key(Qt::Key_F1);  // the first dart, not a bust
  EXPECT_EQ(Row(c->StringGrid2, 0, 4), QStringList({"1", "13", "38,46", "115,38"}));
  EXPECT_EQ(Row(c->StringGrid1, 4, 5) + Row(c->StringGrid1, 5, 5),
            QStringList({"4", "ПБ", "50", "37,50", "112,50", "5", "50", "0", "38,46", "115,38"}));
  EXPECT_EQ(QStringList({c->Panel3->text(), c->Panel4->text(), c->Panel5->text()}), QStringList({"50", "500", "0"}));
  EXPECT_TRUE(Buttons() == "00000000|000" && f->focusWidget() == c->BitBtn2 && !ui::Enabled(c->Label12));
  Keys({Qt::Key_F9, Qt::Key_Return, Qt::Key_Space});
  EXPECT_EQ(Row(c->StringGrid1, 0, 5).join("|") + Row(c->StringGrid1, 1, 5).join("") + c->Panel5->text(), "||500||");
  Visits({150, 150, 75, 125});  // 125 and 150 take the third dart unasked
  EXPECT_TRUE(Buttons() == "00000000|000" && f->focusWidget() == c->BitBtn2 && c->StringGrid2->Cell(1, 1) == "12");
}

// No finished leg: no question, no file. Visits past 30 rows are shown; Cancel
// keeps the leg and the table; Yes writes every leg, exports them and clears.
TEST_F(Game50Test, FileExportAndCancel) {
  f->ShowModal();
  Keys({Qt::Key_F9, Qt::Key_F8, Qt::Key_F10});
  EXPECT_TRUE(msg->Texts().isEmpty() && Files().isEmpty() && !f->isVisible() && c->Panel5->text().isEmpty());
  f->ShowModal();
  Key(Qt::Key_F9);
  Visits(std::vector<int>(40, 0));
  Keys({Qt::Key_F8, Qt::Key_F8, Qt::Key_F8, Qt::Key_F4, Qt::Key_F1});  // 150, 150, 150, 50, the first dart
  EXPECT_EQ(Row(c->StringGrid1, 44, 5), QStringList({"44", "50", "0", "3,85", "11,54"}));
  Keys({Qt::Key_F9, Qt::Key_F8, Qt::Key_F8});
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  QEvent activate(QEvent::WindowActivate);  // the window is activated again as the question closes
  QApplication::sendEvent(f, &activate);
  EXPECT_TRUE(f->isVisible() && !ui::Enabled(c->BitBtn2));
  Keys({Qt::Key_Return, Qt::Key_Space, Qt::Key_F8, Qt::Key_F4, Qt::Key_F2});  // the leg goes on: 11 darts
  clock->AddSecs(1);
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_EQ(msg->Texts(), QStringList(2, QString::fromUtf8(gamekit::kExitConfirmText)));
  ASSERT_EQ(Files(), QStringList({"20261205_161409_50.csv", "20261205_161410_50.csv"}));
  EXPECT_EQ(FileData(Files()[1]),
            games_test::FileBytes({"2026.12.05 - 16:14:10:14", "Лег;Кол-во дротиков;На 1 дротик;Средний набор;",
                                   "1;130;3,85;11,54;", "2;11;45,45;136,36;", ";;;;"}));
  EXPECT_EQ(
      Cells({"A1", "D1", "B2", "C2", "A3", "D3", "A4", "E1"}),
      QStringList({"Лег|FFCCFFCC|b", "Средний набор|FFCCFFCC|b", "130||b", "3.85||b", "2||b", "136.36||b", "|", "|"}));
  EXPECT_TRUE(!f->isVisible() && c->StringGrid1->Cell(0, 44).isEmpty() && c->StringGrid2->Cell(0, 0).isEmpty());
  EXPECT_EQ(c->StringGrid1->RowCount(), 30);
}

}  // namespace
