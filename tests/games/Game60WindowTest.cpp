// The checkout ladder window played through its keys and its limit field.
#include "games/form_60.h"
#include "tests/games/GamesTestSupport.h"

namespace {

const QString kLost = "Игра окончена! Да... надо что-то менять!!!";
const QString kBadLimit = "Внимание!!! Недопустимое значение. Введите число от 8 до 999 ";

class Game60Test : public games_test::WindowTest<TForm60> {
 protected:
  Game60Test() : WindowTest(Form60, "60") {}
  // From a new game at 60, to the target with "3" (+10) and "Не закрыл" (-1).
  void Reach(int target) {
    if (!ui::Enabled(c->BitBtn1))
      f->Close(), f->ShowModal();
    else
      Key(Qt::Key_F7);
    int at = 60;
    for (; at < target; at += 10) Key(Qt::Key_F3);
    Repeat(Qt::Key_F8, at - target);
  }
  // Ticks the limit box, types the limit and confirms it with Enter.
  void Limit(const QString& text) {
    if (!c->CheckBox1->isChecked()) c->CheckBox1->click();
    c->MaskEdit1->SetText(text);
    QTest::keyClick(c->MaskEdit1, Qt::Key_Return);
  }
  int Target() const { return c->Panel1->text().toInt(); }
  bool Scoring() const {
    return ui::Enabled(c->BitBtn2) || ui::Enabled(c->BitBtn3) || ui::Enabled(c->BitBtn4) || ui::Enabled(c->BitBtn5) ||
           ui::Enabled(c->BitBtn7);
  }
};

TEST_F(Game60Test, ButtonsOneAndTwoByTheTarget) {
  struct Case {
    std::vector<int> targets;
    bool one, two;
  };
  const Case cases[] = {{{50, 40, 38, 2}, true, true},
                        {{41, 39, 60, 98, 100, 101, 104, 107, 110}, false, true},
                        {{99, 102, 103, 105, 106, 108, 109, 111, 120, 130}, false, false}};
  f->ShowModal();
  EXPECT_FALSE(ui::Enabled(c->BitBtn3));  // at 60 before the first step
  for (const Case& t : cases) {
    for (int target : t.targets) {
      SCOPED_TRACE(target);
      Reach(target);
      ASSERT_EQ(Target(), target);
      EXPECT_EQ(std::pair(ui::Enabled(c->BitBtn3), ui::Enabled(c->BitBtn4)), std::pair(t.one, t.two));
      EXPECT_TRUE(ui::Enabled(c->BitBtn5) && ui::Enabled(c->BitBtn7) && ui::Enabled(c->BitBtn2));
    }
  }
}

TEST_F(Game60Test, BullAddsOneAndRoutesFollowTheTarget) {
  f->ShowModal();
  Reach(98);
  Key(Qt::Key_F4);
  EXPECT_EQ(Target(), 99);
  EXPECT_FALSE(ui::Enabled(c->BitBtn4));
  EXPECT_EQ(c->Panel2->text(), "T19 - 10 - D16");
  Reach(49);
  Key(Qt::Key_F4);
  EXPECT_TRUE(ui::Enabled(c->BitBtn3));
  Key(Qt::Key_F1);  // 50 closed with the first dart
  EXPECT_EQ(Target(), 60);
  // Eleven misses, the Bull at 49, the first dart at 50.
  EXPECT_EQ(Row(c->StringGrid1, 11, 4) + Row(c->StringGrid1, 12, 4),
            QStringList({"12", "49", "Да", "3", "13", "50", "Да", "1"}));
  Reach(40);
  EXPECT_TRUE(c->Panel2->text().isEmpty() && msg->Texts().isEmpty());
}

// The lost game is told while the target it ended on is still shown.
TEST_F(Game60Test, GameEnds) {
  struct Case {
    const char* name;
    int target;
    Qt::Key last;
    QString lostAt;  // the target shown under the message of a lost game
  };
  const Case cases[] = {{"2 not closed", 2, Qt::Key_F8, "1"},
                        {"130 closed with the third dart", 130, Qt::Key_F3, ""},
                        {"Bull at 130", 130, Qt::Key_F4, ""}};
  f->ShowModal();
  int games = 0;
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    Reach(t.target);
    const int visits = f->VisitNumber;  // this one included
    const int block = f->HistoryRow;
    msg->Clear();
    QString shown;
    msg->onShow = [&](const ui::ShownMessage&) { shown = c->Panel1->text(); };
    Key(t.last);
    EXPECT_EQ(msg->Texts(), t.lostAt.isEmpty() ? QStringList() : QStringList{kLost});
    EXPECT_EQ(shown, t.lostAt);
    EXPECT_EQ(Target(), 60);
    EXPECT_FALSE(Scoring() || ui::Enabled(c->Panel1));
    EXPECT_EQ(f->focusWidget(), c->BitBtn1);
    EXPECT_EQ(Row(c->StringGrid3, block, 4), QStringList({"", "", "", "Игра - " + QString::number(++games)}));
    EXPECT_EQ(c->StringGrid3->Cell(1, block + visits), QString::number(t.target));
    EXPECT_EQ(f->HistoryRow, block + visits + 1);
    // The sheet keeps the finished game; keys do nothing until a new game,
    // nor does ticking and unticking the limit box bring them back.
    EXPECT_EQ(c->StringGrid1->Cell(1, visits - 1), QString::number(t.target));
    Keys({Qt::Key_F2, Qt::Key_F3, Qt::Key_F8});
    c->CheckBox1->click(), c->CheckBox1->click();
    EXPECT_EQ(f->HistoryRow, block + visits + 1);
    EXPECT_FALSE(Scoring());
  }
}

TEST_F(Game60Test, VisitLimitIsRefusedOutside8To999) {
  // A refused text is set to "50" and keeps the focus; the buttons wait for a
  // limit. An accepted one locks the limit controls and gives the buttons.
  for (const char* text : {"7", "", "  7", "5 0", "0", "8", "999"}) {
    SCOPED_TRACE(text);
    const bool accepted = QString(text).toInt() >= 8;
    f->ShowModal();
    msg->Clear();
    Limit(text);
    EXPECT_EQ(msg->Texts(), accepted ? QStringList() : QStringList{kBadLimit});
    EXPECT_EQ(ui::Enabled(c->MaskEdit1) || ui::Enabled(c->CheckBox1) || ui::Enabled(c->BitBtn9), !accepted);
    EXPECT_EQ(ui::Enabled(c->BitBtn2) && ui::Enabled(c->BitBtn4) && ui::Enabled(c->BitBtn5), accepted);
    EXPECT_EQ(c->MaskEdit1->Text().trimmed(), accepted ? text : "50");
    EXPECT_EQ(f->focusWidget() == c->MaskEdit1, !accepted);
    f->Close();
  }
  f->ShowModal();  // unticking gives the buttons back without a limit
  c->CheckBox1->click(), c->CheckBox1->click();
  EXPECT_TRUE(ui::Enabled(c->BitBtn5) && !ui::Visible(c->MaskEdit1));
}

// With the limit 8 the game ends right after the 8th visit, whatever it was,
// and the limit holds for the next game.
TEST_F(Game60Test, LimitEndsTheGame) {
  f->ShowModal();
  Limit("8");
  for (Qt::Key eighth : {Qt::Key_F3, Qt::Key_F8, Qt::Key_F4, Qt::Key_F2}) {
    msg->Clear();
    const int block = f->HistoryRow;
    Repeat(Qt::Key_F8, 7);
    EXPECT_TRUE(Scoring());
    Key(eighth);
    EXPECT_EQ(msg->Texts(), eighth == Qt::Key_F8 ? QStringList{kLost} : QStringList());  // lost only when not closed
    EXPECT_FALSE(Scoring());
    EXPECT_EQ(f->HistoryRow, block + 9);
    Key(Qt::Key_F7);
  }
  EXPECT_EQ(f->GamesPlayed, 4);
}

TEST_F(Game60Test, FileAndExportOfAGameToItsLimit) {
  f->ShowModal();
  Limit("8");
  Keys({Qt::Key_F3, Qt::Key_F2, Qt::Key_F8, Qt::Key_F4, Qt::Key_F3, Qt::Key_F8, Qt::Key_F2, Qt::Key_F8});
  msg->Clear();
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitConfirmText)});
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(FileData("20261205_161409_60.csv"),
            games_test::FileBytes({"2026.12.05 - 16:14:09:14", "Подход;Очки;Закрыл;Каким дротиком;", ";;;Игра - 1;",
                                   "1;60;Да;3;", "2;70;Да;2;", "3;80;Нет;0;", "4;79;Да;3;", "5;80;Да;3;", "6;90;Нет;0;",
                                   "7;89;Да;2;", "8;99;Нет;0;", ";;;;"}));
  EXPECT_TRUE(Row(c->StringGrid3, 1, 4).join("").isEmpty());
  EXPECT_EQ(Cells({"A1", "D1", "D2", "B9", "B10", "C10", "D10", "A11", "E1"}),
            QStringList({"Подход|FFCCFFCC|b", "Каким дротиком|FFCCFFCC|b", "Игра - 1||b", "89||b", "99||b", "Нет||b",
                         "0||b", "|", "|"}));
}

// Before any finished game the exit asks Yes/No: No plays on, Yes closes.
TEST_F(Game60Test, LeavingBeforeAnyGameAsksYesNo) {
  f->ShowModal();
  Repeat(Qt::Key_F8, 3);
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  ASSERT_EQ(msg->Log().size(), 1u);
  EXPECT_EQ(msg->Log()[0].text, QString::fromUtf8(gamekit::kExitYesNoText));
  EXPECT_EQ(msg->Log()[0].buttons, ui::mbYes | ui::mbNo);
  EXPECT_EQ(Target(), 57);
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_FALSE(f->isVisible());
  EXPECT_TRUE(Files().isEmpty());
}

// The limit field is reached with Tab; everything else by function keys. The
// field's text is replaced by typing, also after a refusal; Enter and Space
// press nothing at opening, after the limit and after a new game.
TEST_F(Game60Test, KeyboardAlone) {
  f->ShowModal();
  Keys({Qt::Key_Return, Qt::Key_Space});
  Repeat(Qt::Key_Tab, 6);  // "2", "3", "Bull", "Не закрыл", "- Выход", the box
  ASSERT_EQ(f->focusWidget(), c->CheckBox1);
  Key(Qt::Key_Space);
  ASSERT_EQ(f->focusWidget(), c->MaskEdit1);
  Keys({Qt::Key_7, Qt::Key_Return, Qt::Key_9, Qt::Key_Return, Qt::Key_Return, Qt::Key_Space});
  EXPECT_EQ(msg->Texts(), QStringList{kBadLimit});
  EXPECT_EQ(c->MaskEdit1->Text().trimmed(), "9");
  EXPECT_TRUE(!ui::Enabled(c->MaskEdit1) && Scoring() && f->VisitNumber == 1);
  Repeat(Qt::Key_F8, 9);  // the 9th visit ends the game
  Keys({Qt::Key_F7, Qt::Key_Return, Qt::Key_Space});
  EXPECT_EQ(QList<int>({f->GamesPlayed, f->VisitNumber}), QList<int>({1, 1}));
}

// A limit typed but not accepted counts for nothing, and while it waits no
// key scores, "1" neither; a paste that is no limit is refused as a typed one.
TEST_F(Game60Test, LimitWaitingToBeAccepted) {
  f->ShowModal();
  Reach(50);
  c->CheckBox1->click();
  c->MaskEdit1->SetText("3");
  Keys({Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F8});
  EXPECT_EQ(QList<int>({f->VisitNumber, f->GamesPlayed, Target()}), QList<int>({11, 0, 50}));
  Paste(c->MaskEdit1, "0x10");
  EXPECT_EQ(msg->Texts(), QStringList{kBadLimit});
  EXPECT_TRUE(f->focusWidget() == c->MaskEdit1 && c->MaskEdit1->selectedText() == "50_");
  c->CheckBox1->click();  // unticked: the game goes on without a limit
  Key(Qt::Key_F1);
  EXPECT_EQ(QList<int>({f->VisitNumber, f->GamesPlayed, Target()}), QList<int>({12, 0, 60}));
}

}  // namespace
