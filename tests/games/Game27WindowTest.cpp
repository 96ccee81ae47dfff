// The doubles practice window played through its keys and buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTest>
#include <memory>
#include <vector>

#include "games/form_27.h"
#include "tests/games/PracticeGamesSupport.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"

namespace {

using practice_tests::FileBytes;
using practice_tests::ReadAll;
using testing_support::FixedClock;
using testing_support::TempCurrentDir;

class Game27Test : public practice_tests::WindowFixture<TForm27, Form27> {
 protected:
  // Opens the window, ticks the Bull box when asked, starts a game (F7).
  void Start(bool bull = false) {
    f->ShowModal();
    c->CheckBox1->setChecked(bull);
    Key(Qt::Key_F7);
  }
  // Hits per visit through the keys F4 (0), F1 (1), F2 (2), F3 (3).
  void Play(const std::vector<int>& hits) {
    const Qt::Key keys[] = {Qt::Key_F4, Qt::Key_F1, Qt::Key_F2, Qt::Key_F3};
    for (int h : hits) Key(keys[h]);
  }
  bool HitButtons() const {
    return ui::Enabled(c->BitBtn3) || ui::Enabled(c->BitBtn4) || ui::Enabled(c->BitBtn5) || ui::Enabled(c->BitBtn6);
  }
  QStringList HistoryRow(int row) const {
    QStringList out;
    for (int col = 0; col < 4; ++col) out << c->StringGrid2->Cell(col, row);
    return out;
  }
};

// Whole games: the message at the end, the total, and the block in the history.
TEST_F(Game27Test, GamesToTheirEnd) {
  struct Case {
    const char* name;
    bool bull;
    std::vector<int> hits;
    QString message;
    int total;
    int blockRows;  // rows of the block after its header
  };
  const std::vector<int> ones(20, 1), threes(21, 3);
  std::vector<int> lowThenZero = {0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1, 0, 0};
  const Case cases[] = {
      {"one hit on each sector", false, ones, "Игра окончена 3.", 447, 20},
      {"three hits everywhere with the Bull", true, threes, "Игра окончена.", 1437, 21},
      {"a zero on the last sector below zero", false, lowThenZero, "Игра окончена 1.", -25, 20},
      {"early end at sector 5", false, {0, 0, 0, 0, 0}, "Игра окончена 2.", -3, 5},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    msg->Clear();
    Start(t.bull);
    Play(t.hits);
    // Keys after the end change nothing.
    Play({3, 0});
    EXPECT_EQ(msg->Texts(), QStringList{t.message});
    EXPECT_EQ(f->Total, t.total);
    EXPECT_EQ(f->GamesPlayed, 1);
    EXPECT_EQ(HistoryRow(1), QStringList({"", "Игра - 1", "", ""}));
    EXPECT_FALSE(c->StringGrid2->Cell(0, 1 + t.blockRows).isEmpty());
    EXPECT_TRUE(HistoryRow(2 + t.blockRows).join("").isEmpty());
    EXPECT_EQ(f->HistoryRow, 1 + static_cast<int>(t.hits.size()) + 2);
    // The last copied row carries the final total.
    EXPECT_EQ(c->StringGrid2->Cell(3, 1 + t.blockRows), QString::number(t.total));
    EXPECT_FALSE(HitButtons());
    EXPECT_TRUE(ui::Enabled(c->BitBtn1));
    EXPECT_EQ(f->focusWidget(), c->BitBtn1);
    f->Close();
  }
}

TEST_F(Game27Test, EarlyEndCopiesOnlyThePlayedRows) {
  Start();
  Play({0, 0, 0, 0, 0});
  EXPECT_EQ(c->Panel2->text(), "6");  // the sector after the one that ended it
  const QStringList rows[] = {{"1", "0", "-2", "25"},
                              {"2", "0", "-4", "21"},
                              {"3", "0", "-6", "15"},
                              {"4", "0", "-8", "7"},
                              {"5", "0", "-10", "-3"}};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(HistoryRow(2 + i), rows[i]) << i;
  EXPECT_TRUE(HistoryRow(7).join("").isEmpty());
  EXPECT_EQ(f->HistoryRow, 8);
  // The next game's block follows after one empty row, the Bull box stays as chosen.
  EXPECT_FALSE(ui::Enabled(c->CheckBox1));
  Key(Qt::Key_F7);
  Play({0, 0, 0, 0, 0});
  EXPECT_EQ(HistoryRow(8), QStringList({"", "Игра - 2", "", ""}));
  EXPECT_EQ(HistoryRow(13), rows[4]);
}

TEST_F(Game27Test, EarlyEndOnTheRightHalf) {
  Start(true);
  // Ten hits on 1..10 (137), then zeros from 11: 115, 91, 65, 37, 7, -25.
  std::vector<int> hits(10, 1);
  hits.insert(hits.end(), 6, 0);
  Play(hits);
  EXPECT_EQ(msg->Texts(), QStringList{"Игра окончена 2."});
  for (int i = 0; i < 10; ++i) EXPECT_EQ(c->StringGrid2->Cell(0, 2 + i), QString::number(i + 1));
  EXPECT_EQ(HistoryRow(17), QStringList({"16", "0", "-32", "-25"}));
  EXPECT_TRUE(HistoryRow(18).join("").isEmpty());
  EXPECT_EQ(f->HistoryRow, 1 + 17 + 1);
}

TEST_F(Game27Test, StatisticsFileOfAnEarlyEnd) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("27");
  FixedClock clock(QDateTime(QDate(2012, 5, 10), QTime(9, 5, 7)));
  Start();
  Play({0, 0, 0, 0, 0});
  msg->Clear();
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  EXPECT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitConfirmText)});
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(
      ReadAll(dir.File("27/20120510_090507_27.csv")),
      FileBytes({"2012.05.10 - 09:05:07:05", "Сектор;Попаданий в сектор;Очки в секторе;Сумма очков;", ";Игра - 1;;;",
                 "1;0;-2;25;", "2;0;-4;21;", "3;0;-6;15;", "4;0;-8;7;", "5;0;-10;-3;", ";;;;", ";;;;"}));
  // Leaving resets the window and frees the Bull choice.
  EXPECT_TRUE(ui::Enabled(c->CheckBox1) && !c->CheckBox1->isChecked());
  EXPECT_TRUE(c->Panel2->text().isEmpty());
  EXPECT_TRUE(c->StringGrid2->Cell(1, 1).isEmpty());
}

TEST_F(Game27Test, LeavingWithoutAFinishedGameAsksNothing) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("27");
  for (int visits : {0, 3}) {
    SCOPED_TRACE(visits);
    Start();
    Play(std::vector<int>(visits, 2));
    Key(Qt::Key_F10);
    EXPECT_TRUE(msg->Texts().isEmpty());
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(QDir(dir.File("27")).entryList(QDir::Files).isEmpty());
  }
}

// Cancel keeps the game as it was, also with sector 20 or the Bull still to
// throw; every further attempt writes a further file.
TEST_F(Game27Test, CancelKeepsTheGameInPlay) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("27");
  FixedClock clock(QDateTime(QDate(2012, 5, 10), QTime(18, 45, 2)));
  Start(true);
  Play(std::vector<int>(21, 1));  // one finished game
  Key(Qt::Key_F7);
  Play(std::vector<int>(19, 2));  // sector 20 to throw
  msg->Clear();
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(c->Panel2->text(), "20");
  EXPECT_TRUE(HitButtons());
  EXPECT_FALSE(ui::Enabled(c->BitBtn1));
  Play({2, 2});  // sector 20 and the Bull
  EXPECT_EQ(f->Total, 27 + 4 * 210 + 100);
  EXPECT_EQ(f->GamesPlayed, 2);
  clock.AddSecs(1);
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  // After a finished game, Cancel offers a new game only.
  EXPECT_FALSE(HitButtons());
  EXPECT_TRUE(ui::Enabled(c->BitBtn1));
  EXPECT_EQ(c->Panel2->text(), "Булл");
  EXPECT_EQ(QDir(dir.File("27")).entryList(QDir::Files),
            QStringList({"20120510_184502_27.csv", "20120510_184503_27.csv"}));
  EXPECT_EQ(msg->Texts().size(), 3);  // question, game end, question
}

// Games past the history's own 500 rows are kept and written, and the close
// clears them all.
TEST_F(Game27Test, HistoryPastItsRowsIsWritten) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("27");
  FixedClock clock(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)));
  Start(true);
  for (int game = 1; game <= 25; ++game) {
    if (game > 1) Key(Qt::Key_F7);
    Play(std::vector<int>(21, game % 3 + 1));
  }
  EXPECT_EQ(f->HistoryRow, 1 + 25 * 23);
  EXPECT_EQ(HistoryRow(1 + 24 * 23), QStringList({"", "Игра - 25", "", ""}));
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  const QList<QByteArray> lines = ReadAll(dir.File("27/20200102_030405_27.csv")).split('\n');
  ASSERT_EQ(lines.size(), 1 + 577 + 1);  // stamp, rows 0..576, after the last CR LF
  EXPECT_EQ(lines[1 + 1 + 24 * 23], practice_tests::Cp1251(";Игра - 25;;;\r"));
  EXPECT_EQ(lines[1 + 1 + 24 * 23 + 21],
            practice_tests::Cp1251("Булл;2;100;") + QByteArray::number(27 + 4 * 210 + 100) + ";\r");
  EXPECT_TRUE(c->StringGrid2->Cell(0, 560).isEmpty());
}

// Tab reaches the Bull box; Space ticks it; function keys act from any control.
TEST_F(Game27Test, KeyboardAlone) {
  f->ShowModal();
  EXPECT_EQ(f->focusWidget(), c->BitBtn1);
  EXPECT_FALSE(f->HasCloseCommand());
  Key(Qt::Key_Tab);
  Key(Qt::Key_Tab);
  ASSERT_EQ(f->focusWidget(), c->CheckBox1);
  Key(Qt::Key_Space);
  EXPECT_TRUE(c->CheckBox1->isChecked());
  Key(Qt::Key_F7);
  EXPECT_EQ(c->StringGrid1->Cell(5, 10), "Булл");
  Key(Qt::Key_F3);
  Key(Qt::Key_F1);
  EXPECT_EQ(f->Total, 27 + 6 + 4);
  EXPECT_EQ(c->Panel2->text(), "3");
  Key(Qt::Key_F7);  // disabled while a game runs
  EXPECT_EQ(f->CurrentSector, 3);
}

}  // namespace
