// The sector practice window played from the keyboard, its file and workbook.
#include <QAbstractItemView>

#include "games/sector.h"
#include "tests/games/GamesTestSupport.h"
#include "ui_sector.h"

namespace {

class SectorWindowTest : public games_test::WindowTest<TFormsector> {
 protected:
  SectorWindowTest() : WindowTest(Formsector, "10") {}
  void Series(int item, const QList<int>& visits) {  // items 20 down to 1, then the Bull
    c->ComboBox1->setCurrentIndex(item), emit c->ComboBox1->activated(item), Key(Qt::Key_F4);
    for (int v : visits) Type(c->MaskEdit1, QString::number(v));
  }
};

// F4 answers in the open list; refused entries keep the field's focus, the tenth visit gives it to "- Ok".
// Cancel writes the file and the series goes on; Yes exports it and clears the window.
TEST_F(SectorWindowTest, SeriesFocusFileAndExport) {
  f->ShowModal(), Key(Qt::Key_Backtab, Qt::ShiftModifier);  // from "- Ok" at the opening
  EXPECT_EQ(f->focusWidget(), c->ComboBox1);
  c->ComboBox1->showPopup(), QTest::keyClick(c->ComboBox1->view(), Qt::Key_F4), c->ComboBox1->hidePopup();
  Series(3, {}), Type(c->MaskEdit1, "2 0"), Paste(c->MaskEdit1, "-5");  // a conversion error, a refused paste
  EXPECT_EQ(msg->Texts().first() + msg->Texts().last(),
            "Выберите сектор и нажмите Ok !Внимание!!! Недопустимое значение.");
  EXPECT_TRUE(f->focusWidget() == c->MaskEdit1 && c->StringGrid1->Cell(3, 0) == "17" && c->Panel1->text() == "1");
  Series(0, QList<int>(10, 60));
  EXPECT_EQ(Row(c->StringGrid1, 10, 5) << c->Panel1->text(), QStringList({"10", "60", "600", "20,00", "60,00", ""}));
  EXPECT_TRUE(f->focusWidget() == c->BitBtn1 && !ui::Enabled(c->MaskEdit1));
  Series(2, {54});
  msg->Answer(ui::mrCancel), Key(Qt::Key_F10), Type(c->MaskEdit1, "18");
  EXPECT_EQ(c->Panel1->text() + " " + c->Panel2->text(), "3 72");
  EXPECT_EQ(FileData("20261205_161409_10.csv"),
            games_test::FileBytes({"2026.12.05 - 16:14:09:14", "Сектор;Сумма;Средний на 1 дротик;Средний набор;",
                                   "20;600;20,00;60,00;", ";;;;"}));
  msg->Answer(ui::mrYes), Key(Qt::Key_F10);
  EXPECT_EQ(Cells({"A1", "D1", "E1", "A2", "C2", "A3"}),
            QStringList({"Сектор|FFCCFFCC|b", "Средний набор|FFCCFFCC|b", "|", "20||b", "20||b", "|"}));
  EXPECT_TRUE(widths["C"].toDouble() - widths["A"].toDouble() == 12 && c->StringGrid2->Cell(0, 0).isEmpty() &&
              c->Panel1->text() + c->Panel2->text() == "10");
}

}  // namespace
