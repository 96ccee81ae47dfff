// The checkout ladder window played through its keys and its limit field.
#include "games/form_60.h"
#include "tests/games/GamesTestSupport.h"
#include "ui_form_60.h"

namespace {

class Game60Test : public games_test::WindowTest<TForm60> {
 protected:
  Game60Test() : WindowTest(Form60, "60") {}
  bool Scoring() const { return ui::Enabled(c->BitBtn2) || ui::Enabled(c->BitBtn5) || ui::Enabled(c->BitBtn7); }
};

// With nothing finished leaving asks Yes/No (No plays on; Yes closes, writing
// nothing). A lost game is told while its end target is still shown; then only
// a new game starts. Enter and Space press nothing after a new game or a visit.
TEST_F(Game60Test, LostGameThenANewOne) {
  f->ShowModal();
  Keys({Qt::Key_F8, Qt::Key_F10});
  ASSERT_EQ(msg->Log().size(), 1u);
  EXPECT_TRUE(msg->Log()[0].text == gamekit::kExitYesNoText && msg->Log()[0].buttons == (ui::mbYes | ui::mbNo));
  Repeat(Qt::Key_F8, 56);
  c->CheckBox1->click(), c->CheckBox1->click();  // unticked, the game goes on
  msg->Clear();
  QString shown;
  msg->onShow = [&](const ui::ShownMessage&) { shown = c->Panel1->text() + (Scoring() ? "+" : ""); };
  Keys({Qt::Key_F8, Qt::Key_F8, Qt::Key_F2, Qt::Key_F8});
  EXPECT_EQ(msg->Texts() << shown, QStringList({"Игра окончена! Да... надо что-то менять!!!", "1"}));
  EXPECT_TRUE(c->Panel1->text() == "60" && !ui::Enabled(c->Panel1) && f->focusWidget() == c->BitBtn1);
  c->CheckBox1->click(), c->CheckBox1->click();
  EXPECT_TRUE(!Scoring() && c->StringGrid1->Cell(1, 58) == "2");
  Keys({Qt::Key_F7, Qt::Key_Return, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Space, Qt::Key_F3, Qt::Key_F3, Qt::Key_F3,
        Qt::Key_F8, Qt::Key_F8, Qt::Key_F4, Qt::Key_Return, Qt::Key_Space});
  EXPECT_EQ(QList<int>({f->Game().VisitNumber(), c->Panel1->text().toInt(), f->Game().GamesPlayed()}),
            QList<int>({8, 99, 1}));
  EXPECT_TRUE(!ui::Enabled(c->BitBtn4) && ui::Enabled(c->BitBtn5) && c->Panel2->text() == "T19 - 10 - D16" &&
              c->StringGrid1->Cell(0, 7).isEmpty() && msg->Texts().size() == 1);
  f->Close(), f->ShowModal();
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_TRUE(!f->isVisible() && Files().isEmpty());
}

// Tab reaches the limit box, Space ticks it; no key scores while the limit
// waits; a refused limit, typed or pasted, is replaced by typing. Leaving with
// Yes writes the file and exports the log.
TEST_F(Game60Test, KeyboardAloneToTheFileAndExport) {
  f->ShowModal();
  Keys({Qt::Key_Return, Qt::Key_Space});
  Repeat(Qt::Key_Tab, 6);  // "2", "3", "Bull", "Не закрыл", "- Выход", the box
  ASSERT_EQ(f->focusWidget(), c->CheckBox1);
  Keys({Qt::Key_Space, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F8, Qt::Key_7, Qt::Key_Return});
  Paste(c->MaskEdit1, "0x10");
  EXPECT_TRUE(f->focusWidget() == c->MaskEdit1 && c->MaskEdit1->selectedText() == "50_" &&
              f->Game().VisitNumber() == 1);
  Keys({Qt::Key_8, Qt::Key_Return, Qt::Key_Return, Qt::Key_Space});
  EXPECT_EQ(msg->Texts(), QStringList(2, "Внимание!!! Недопустимое значение. Введите число от 8 до 999 "));
  EXPECT_TRUE(!ui::Enabled(c->MaskEdit1) && !ui::Enabled(c->CheckBox1) && Scoring() && f->Game().VisitNumber() == 1);
  Keys({Qt::Key_F3, Qt::Key_F2, Qt::Key_F8, Qt::Key_F4, Qt::Key_F3, Qt::Key_F8, Qt::Key_F2, Qt::Key_F3});
  EXPECT_TRUE(!Scoring() && f->focusWidget() == c->BitBtn1);
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_TRUE(msg->Texts().mid(2) == QStringList{QString::fromUtf8(gamekit::kExitConfirmText)} && !f->isVisible());
  EXPECT_EQ(FileData("20261205_161409_60.csv"),
            games_test::FileBytes({"2026.12.05 - 16:14:09:14", "Подход;Очки;Закрыл;Каким дротиком;", ";;;Игра - 1;",
                                   "1;60;Да;3;", "2;70;Да;2;", "3;80;Нет;0;", "4;79;Да;3;", "5;80;Да;3;", "6;90;Нет;0;",
                                   "7;89;Да;2;", "8;99;Да;3;", ";;;;"}));
  EXPECT_EQ(Cells({"A1", "D1", "D2", "B9", "B10", "C10", "D10", "A11", "E1"}),
            QStringList({"Подход|FFCCFFCC|b", "Каким дротиком|FFCCFFCC|b", "Игра - 1||b", "89||b", "99||b", "Да||b",
                         "3||b", "|", "|"}));
}

}  // namespace
