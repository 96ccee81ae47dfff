// The Big round window played from the keyboard, its file and its workbook.
#include "games/nabor.h"
#include "tests/games/GamesTestSupport.h"
#include "ui_nabor.h"

namespace {

const QColor kLime(0, 255, 0), kBlack(0, 0, 0);

class NaborWindowTest : public games_test::WindowTest<TForm_n> {
 protected:
  NaborWindowTest() : WindowTest(Form_n, "br") {}
  void Singles(int from, int to) {  // each sector once, the Bull 25
    for (int n = from; n <= to; ++n) Type(c->Edit1, QString::number(n == 21 ? 25 : n));
  }
  bool Shown(int panel) const { return ui::Visible(f->Panel(panel)); }
};

// The round to throw is lime, the field keeps the focus; after the end Enter, Space, Ok and F5 do nothing.
// Leaving with no finished game closes at once; Cancel writes the file, the game goes on; Yes exports.
TEST_F(NaborWindowTest, RoundsFocusFileAndExport) {
  f->ShowModal(), Key(Qt::Key_F7), Singles(1, 2), Key(Qt::Key_F10);
  EXPECT_TRUE(msg->Log().empty() && Files().isEmpty() && !f->isVisible());
  f->ShowModal();
  EXPECT_EQ(f->focusWidget(), c->BitBtn1);
  Key(Qt::Key_F7), Type(c->Edit1, "70"), Paste(c->Edit1, "1e3"), Singles(1, 2), Repeat(Qt::Key_F5, 3);
  EXPECT_EQ(msg->Texts(), QStringList({"Внимание!!! Недопустимое значение для данного сектора.",
                                       "Внимание!!! Недопустимое значение. Введите число от 0 до 180 ",
                                       "НУ ПИПЕЦ... Тогда начинай новую игру!!!"}));
  EXPECT_TRUE(f->PanelColor(1) == kLime && !Shown(2) && !Shown(22) && f->focusWidget() == c->Edit1);
  Singles(1, 10);
  EXPECT_TRUE(f->PanelColor(10) == kBlack && f->PanelColor(11) == kLime && Shown(31) && Shown(48));
  Singles(11, 21), c->BitBtn2->click(), Keys({Qt::Key_Return, Qt::Key_Space, Qt::Key_F5});
  EXPECT_TRUE(f->focusWidget() == f && f->PanelColor(22) == kBlack && msg->Texts().size() == 3);
  EXPECT_EQ(c->Panel44->text() + "|" + Row(c->StringGrid2, 1, 4).join(";"), "235|1;235;3,73;11,19");
  Key(Qt::Key_F7), Singles(1, 1), msg->Answer(ui::mrCancel), Key(Qt::Key_F10), Type(c->Edit1, "2");
  EXPECT_EQ(FileData("20261205_161409_br.csv"), games_test::FileBytes(f->Game().FileLines({})));
  EXPECT_TRUE(FileLines("20261205_161409_br.csv").value(1).endsWith(";25;235;3,73;11,19;235,00;;") &&
              c->Panel44->text() == "3");
  msg->Answer(ui::mrYes), Key(Qt::Key_F10);
  EXPECT_EQ(Cells({"AA1", "W2", "A3", "Y3", "A4", "Y4", "AA4", "A5"}),
            QStringList({"Ср. набор(нарастающий)|FFCCFFCC|b", "25||b", "Сумма по сектору|FF00CCFF|b", "||b",
                         "Средняя по секторам и набору|FF00CCFF|b", "3.73||b", "||b", "|"}));
  EXPECT_FALSE(f->isVisible() || c->GroupBox1->isEnabled() || Shown(1) || Shown(23) || c->Panel44->text() != "0" ||
               widths["A"].toDouble() - widths["C"].toDouble() != 31);
}

}  // namespace
