// The doubles practice window played through its keys.
#include <array>

#include "games/form_27.h"
#include "ui_form_27.h"
#include "tests/games/GamesTestSupport.h"

namespace {

class Game27Test : public games_test::WindowTest<TForm27> {
 protected:
  Game27Test() : WindowTest(Form27, "27") {}
  // Opens the window, ticks the Bull box when asked, starts a game (F7).
  void Start(bool bull = false) {
    f->ShowModal();
    c->CheckBox1->setChecked(bull);
    Key(Qt::Key_F7);
  }
  // Hits per visit through the keys F4 (0), F1 (1), F2 (2), F3 (3).
  void Play(const std::vector<int>& hits) {
    for (int h : hits) Key(std::array{Qt::Key_F4, Qt::Key_F1, Qt::Key_F2, Qt::Key_F3}[h]);
  }
  bool HitButtons() const {
    return ui::Enabled(c->BitBtn3) || ui::Enabled(c->BitBtn4) || ui::Enabled(c->BitBtn5) || ui::Enabled(c->BitBtn6);
  }
};

// The early end shows the sector after the one that ended it; leaving with Yes
// writes the file, exports it and resets the window.
TEST_F(Game27Test, FileAndExportOfAnEarlyEnd) {
  Start();
  Play({0, 0, 0, 0, 0});
  EXPECT_EQ(c->Panel2->text(), "6");
  EXPECT_FALSE(ui::Enabled(c->CheckBox1));
  msg->Clear();
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitConfirmText)});
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(FileData("20261205_161409_27.csv"),
            games_test::FileBytes({"2026.12.05 - 16:14:09:14", "Сектор;Попаданий в сектор;Очки в секторе;Сумма очков;",
                                   ";Игра - 1;;;", "1;0;-2;25;", "2;0;-4;21;", "3;0;-6;15;", "4;0;-8;7;", "5;0;-10;-3;",
                                   ";;;;", ";;;;"}));
  EXPECT_TRUE(ui::Enabled(c->CheckBox1) && !c->CheckBox1->isChecked());
  EXPECT_TRUE(c->Panel2->text().isEmpty() && c->StringGrid1->Cell(0, 0).isEmpty());
  EXPECT_EQ(Cells({"A1", "D1", "B2", "C6", "D7", "D8", "A9"}),
            QStringList({"Сектор|FFCCFFCC|b", "Сумма очков|FFCCFFCC|b", "Игра - 1||b", "-8||b", "-3||b", "||b", "|"}));
  EXPECT_TRUE(merges.isEmpty());
}

// Cancel keeps the game as it was, also with sector 20 or the Bull still to
// throw; every further attempt writes a further file.
TEST_F(Game27Test, CancelKeepsTheGameInPlay) {
  Start(true);
  Play(std::vector<int>(21, 1));  // one finished game
  Key(Qt::Key_F7);
  Play(std::vector<int>(19, 2));  // sector 20 to throw
  msg->Clear();
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(c->Panel2->text(), "20");
  EXPECT_TRUE(HitButtons() && !ui::Enabled(c->BitBtn1));
  Keys({Qt::Key_Return, Qt::Key_Space});  // nothing focused that scores
  Play({2, 2});                           // sector 20 and the Bull
  EXPECT_EQ(f->Game().Total(), 27 + 4 * 210 + 100);
  EXPECT_EQ(f->Game().GamesPlayed(), 2);
  clock->AddSecs(1);
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  // After a finished game, Cancel offers a new game only.
  EXPECT_TRUE(!HitButtons() && ui::Enabled(c->BitBtn1));
  EXPECT_EQ(Files(), QStringList({"20261205_161409_27.csv", "20261205_161410_27.csv"}));
  EXPECT_EQ(msg->Texts().size(), 3);  // question, game end, question
}

// Tab reaches the Bull box; Space ticks it; function keys act from any control;
// after a new game and a visit Enter and Space press nothing. Leaving with no
// finished game closes without a question or a file.
TEST_F(Game27Test, KeyboardAlone) {
  f->ShowModal();
  EXPECT_EQ(f->focusWidget(), c->BitBtn1);
  Repeat(Qt::Key_Tab, 2);
  ASSERT_EQ(f->focusWidget(), c->CheckBox1);
  Keys({Qt::Key_Space, Qt::Key_F7, Qt::Key_Return, Qt::Key_Space, Qt::Key_F3, Qt::Key_F1, Qt::Key_Return,
        Qt::Key_F7});  // F7 does nothing while a game runs
  EXPECT_EQ(c->StringGrid1->Cell(5, 10), "Булл");
  EXPECT_EQ(QList<int>({f->Game().Total(), f->Game().CurrentSector()}), QList<int>({27 + 6 + 4, 3}));
  Key(Qt::Key_F10);
  EXPECT_TRUE(msg->Texts().isEmpty() && Files().isEmpty() && !f->isVisible());
  // At a game's end the hit buttons are off and "- Новая игра" has the focus.
  Start();
  Play({0, 0, 0, 0, 0});
  EXPECT_EQ(msg->Texts(), QStringList{"Игра окончена 2."});
  EXPECT_TRUE(!HitButtons() && f->focusWidget() == c->BitBtn1);
}

}  // namespace
