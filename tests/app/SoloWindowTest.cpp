// The solo practice window through its keys, field and buttons: where the
// focus goes after each action, the visit sheet following the leg, and the
// statistics file and the workbook of one opening read back.
#include "app/Form_501s.h"
#include "app/Kalvern.h"
#include "tests/games/GamesTestSupport.h"
#include "ui_Form_501s.h"

namespace {

class SoloWindowTest : public games_test::WindowTest<TForm_501_s> {
 protected:
  SoloWindowTest() : WindowTest(Form_501_s, "301") {}
  // Opens the window, chooses the game by Down in the list (1: 301, 3: 170)
  // and starts the first leg (F7).
  void Start(int game) {
    f->ShowModal();
    Repeat(Qt::Key_Down, game);
    Key(Qt::Key_F7);
  }
  void Play(std::initializer_list<int> visits) {
    for (int v : visits) Type(c->MaskEdit1, QString::number(v));
  }
  // The focused control, then 1 or 0 for the score field, Ok, new leg, undo
  // and the game list enabled.
  QString Where() const {
    QString out = (f->focusWidget() ? f->focusWidget()->objectName() : QString()) + " ";
    for (QWidget* w : std::initializer_list<QWidget*>{c->MaskEdit1, c->BitBtn1, c->BitBtn2, c->BitBtn8, c->ComboBox1})
      out += ui::Enabled(w) ? '1' : '0';
    return out;
  }
};

// After every action the focus is where the next entry is made, so that a stray
// Enter or Space plays nothing; a refused entry or paste leaves it empty.
TEST_F(SoloWindowTest, FocusAfterEachAction) {
  QStringList shown;  // each message with the score field as it stood then
  msg->onShow = [&](const ui::ShownMessage& m) { shown << m.text + "@" + c->MaskEdit1->Text(); };
  f->ShowModal();
  EXPECT_EQ(Where(), "ComboBox1 00101");
  Repeat(Qt::Key_Down, 7);  // the list stops at its last game
  EXPECT_EQ(c->Edit2->text() + " " + c->StringGrid1->Cell(2, 0), "1001 1001");
  Repeat(Qt::Key_Up, 3);  // 170
  Key(Qt::Key_F7);
  EXPECT_EQ(Where() + " " + c->Panel6->text(), "MaskEdit1 11000 170");
  Key(Qt::Key_F1);  // finishing-dart keys do nothing in play
  Type(c->MaskEdit1, "1 2");
  Type(c->MaskEdit1, "   ");
  Paste(c->MaskEdit1, "0x10");
  EXPECT_EQ(Where() + c->MaskEdit1->Text(), "MaskEdit1 11000   ");
  Play({130, 39, 40});  // 39 would leave 1; any dart can have finished 40: dart 1 offered and focused
  EXPECT_EQ(Where(), "BitBtn5 00010");
  Type(c->MaskEdit1, "0");  // the field is disabled
  Key(Qt::Key_F1);
  EXPECT_EQ(Where() + " " + c->StringGrid2->Cell(1, 1) + c->StringGrid2->Cell(5, 1), "BitBtn2 00110 71");
  Key(Qt::Key_Return);  // the focused new leg button
  EXPECT_EQ(Where() + " " + c->Edit3->text(), "MaskEdit1 11000 2");
  Play({2, 168, 67, 101});  // 168 left cannot be finished; dart 2 or 3 for 101: dart 2 offered first
  EXPECT_EQ(Where(), "BitBtn6 00010");
  Key(Qt::Key_F5);
  EXPECT_EQ(Where() + " " + c->Panel8->text(), "MaskEdit1 11010 T19 12 D16");
  Play({101});
  Key(Qt::Key_Return);  // the focused dart 2
  EXPECT_EQ(Where() + " " + c->StringGrid2->Cell(5, 2), "BitBtn2 00110 2");
  Key(Qt::Key_F7);
  if (!Form_kv) Form_kv = new TForm_kv;
  c->BitBtn4->click();  // the checkout-variant table, nothing else
  EXPECT_TRUE(Form_kv->isVisible());
  Form_kv->Close();
  EXPECT_EQ(Where(), "MaskEdit1 11000");
  Play({170});  // only the third dart can have done it: recorded at once
  EXPECT_EQ(Where() + " " + c->StringGrid2->Cell(1, 3), "BitBtn2 00110 3");
  EXPECT_EQ(shown,
            QStringList({"'1 2' is not a valid integer value.@1 2",
                         "Внимание!!! Недопустимое значение. Введите число от 0 до 180 @   ",
                         "Внимание!!! Недопустимое значение. Введите число от 0 до 180 @   ", "Перебор однако!!!@39 ",
                         "Игра окончена.@   ", "Перебор! Надо вводит значение 0. Будте внимательным.@   ",
                         "Игра окончена.@   ", "Игра окончена.@   "}));
  msg->onShow = nullptr;
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  f->ShowModal();
  EXPECT_EQ(Where(), "ComboBox1 00101");
}

// The visit sheet grows with the leg and shows its newest visit, an undo
// included; the closing empties it to the form's rows. Leaving after the
// record was taken back writes and asks nothing.
TEST_F(SoloWindowTest, VisitSheetFollowsTheLeg) {
  auto inView = [&](int row) {
    const QRect r = c->StringGrid1->CellRect(0, row);
    return !r.isEmpty() && r.bottom() < c->StringGrid1->viewport()->height();
  };
  Start(3);
  for (int n = 1; n <= 120; ++n) {
    Play({0});
    ASSERT_TRUE(c->StringGrid1->RowCount() == std::max(100, n + 1) && inView(n)) << n;
  }
  Key(Qt::Key_F5);
  EXPECT_TRUE(inView(119) && c->StringGrid1->RowCount() == 120);
  Play({170});
  EXPECT_EQ(c->StringGrid2->Cell(1, 1), "360");  // 119 visits of 0, then 170 with the third dart
  Key(Qt::Key_F5);
  msg->Clear();
  Key(Qt::Key_F10);
  EXPECT_TRUE(msg->Texts().isEmpty() && !f->isVisible() && QDir(dir->File("170")).entryList(QDir::Files).isEmpty());
  EXPECT_TRUE(c->StringGrid1->RowCount() == 100 && inView(0) && c->StringGrid1->Cell(0, 120).isEmpty());
}

// Every attempt to leave writes a file; Yes exports, resets and closes.
TEST_F(SoloWindowTest, FileAndWorkbookOfAnOpening) {
  Start(1);
  Play({180, 121});
  Key(Qt::Key_F7);
  Play({100});
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);  // a leg in play gives one more empty line
  EXPECT_TRUE(FileData("20261205_161409_301.csv")
                  .endsWith("\r\n1;6;50,17;150,50;121;3;0;0;1;0;1;\r\n;;;;;;;;;;;\r\n;;;;;;;;;;;\r\n"));
  Play({100, 101});
  Key(Qt::Key_F2);
  clock->AddSecs(1);
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_EQ(Files(), QStringList({"20261205_161409_301.csv", "20261205_161410_301.csv"}));
  EXPECT_EQ(FileData("20261205_161410_301.csv"),
            games_test::FileBytes(
                {"2026.12.05 - 16:14:10:14",
                 "Лег;Кол-во дротиков;На 1 дротик;Средний набор;Закрыл число;Каким дротиком;60 +;80 +;100 +;140 +;180;",
                 ";Средн.;43,90;131,69;;Сумма;0;0;4;0;1;", "1;6;50,17;150,50;121;3;0;0;1;0;1;",
                 "2;8;37,63;112,88;101;2;0;0;3;0;0;", ";;;;;;;;;;;"}));
  EXPECT_EQ(Cells({"A1", "K1", "A2", "B2", "D2", "F2", "K2", "A3", "C4", "K4", "A5", "L1"}),
            QStringList({"Лег|FFCCFFCC|b", "180|FFCCFFCC|b", "|FF00CCFF|b", "Средн.|FF00CCFF|b", "131.69|FF00CCFF|b",
                         "Сумма|FF00CCFF|b", "1|FF00CCFF|b", "1||b", "37.63||b", "0||b", "|", "|"}));
  EXPECT_EQ(widths["A"].toString() + " " + widths["B"].toString(), "5.7109375 17.7109375");
  EXPECT_EQ(QString::number(f->isVisible()) + c->Panel6->text() + c->Edit3->text() + c->StringGrid2->Cell(1, 0), "001");
}

}  // namespace
