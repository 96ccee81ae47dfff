// The cricket window played with the mouse on its segment buttons and the keys.
#include <QPushButton>
#include <QRegularExpression>

#include "games/kriket.h"
#include "tests/games/GamesTestSupport.h"
#include "ui_kriket.h"

namespace {

class KriketWindowTest : public games_test::WindowTest<TForm_k> {
 protected:
  KriketWindowTest() : WindowTest(Form_k, "kriket") {}
  // Clicks segments by their names; returns the pictures shown, then the disabled segments.
  QString Throw(const QString& darts) {
    const auto segments = f->findChildren<QPushButton*>(QRegularExpression("^SpeedButton"));
    for (const QString& d : darts.split(' ', Qt::SkipEmptyParts))
      for (QPushButton* b : segments) b->accessibleName() == d ? QTest::mouseClick(b, Qt::LeftButton) : void();
    QString out;
    for (int p = 1; p <= 7; ++p)
      for (int k = 0; k < 4; ++k) out += ui::Visible(f->MarkImage(p, k)) ? QString::number(k) : "";
    for (QPushButton* b : segments) out += b->isEnabled() ? "" : " " + b->text();
    return out;
  }
  void CloseBox() {  // as the window system sends it
    QCloseEvent e;
    QSpontaneKeyEvent::setSpontaneous(&e);
    qApp->notify(f, &e);
  }
};

// Segments take no focus; a stray Enter or Space enters nothing. With a finished leg
// the close box leaves as "Выход" does, without one it just closes.
TEST_F(KriketWindowTest, PlayedAndLeft) {
  f->ShowModal();
  Keys({Qt::Key_0, Qt::Key_F7, Qt::Key_Return, Qt::Key_Space});  // no leg before F7
  Throw("D18");
  Keys({Qt::Key_Return, Qt::Key_Space, Qt::Key_0});
  Key(Qt::Key_0, Qt::KeypadModifier);
  EXPECT_EQ(Row(c->StringGrid1, 1, 5), QStringList({"3", "D18", "0", "0", "36"}));
  QString focused;
  for (int i = 0; i < 8; ++i) Key(Qt::Key_Tab), focused += f->focusWidget()->objectName() + " ";
  EXPECT_FALSE(focused.contains("Speed")) << focused.toStdString();
  Repeat(Qt::Key_0, 3 * 13);
  EXPECT_EQ(c->StringGrid1->Row(), 15);  // from the 15th visit the grid follows
  CloseBox();
  f->ShowModal();
  EXPECT_EQ(Throw("").left(8) + QString::number(Throw("").count(' ')) + c->StringGrid1->Cell(0, 1), "0000000 21");
  Keys({Qt::Key_F7, Qt::Key_F10});  // F7 does nothing; F10 enables it and closes
  EXPECT_TRUE(Files().isEmpty() && msg->Log().empty() && !f->isVisible() && c->BitBtn1->isEnabled());
  f->ShowModal();
  Key(Qt::Key_F7);
  EXPECT_EQ(Throw("T20 0 50 D17 25 19"), "3102003 20 D20 T20 25 50");
  EXPECT_EQ(Throw("T19 T18 T17 T16 T15").count(' '), 21);
  Key(Qt::Key_F7);
  Throw("T20 0");
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  EXPECT_TRUE(f->isVisible() && ui::Enabled(c->BitBtn1) && ui::Enabled(c->SpeedButton19_1));
  Key(Qt::Key_F7);
  Throw("0 0 0 T20 T19 T18 T17 T16 T15 25 25 25");
  Key(Qt::Key_F7);
  clock->AddSecs(5);
  msg->Answer(ui::mrYes);
  CloseBox();  // in the middle of a leg
  ASSERT_EQ(Files(), QStringList({"20261205_161409_kriket.csv", "20261205_161414_kriket.csv"}));
  const QString shown = f->Game().ShownAt();  // the date of the showing heads the record
  EXPECT_TRUE(shown.startsWith("05.12.2026 - 16:14:09:14 - ") && !f->isVisible() && c->BitBtn1->isEnabled());
  EXPECT_EQ(FileData(Files()[1]), games_test::FileBytes(f->Game().FileLines()));
  EXPECT_EQ(Cells({"A1", "E2", "E6", "A18", "E18", "E19", "A20"}),
            QStringList({shown + "|FFCCFFCC|b", "Сумма за подход|FFCCFFCC|b", "162||b", "Итого по всем легам||b",
                         "13||b", "||b", "|"}));
  EXPECT_TRUE(merges == QStringList{"A1:E1"} && widths["A"].toDouble() - widths["E"].toDouble() == 4);
}

}  // namespace
