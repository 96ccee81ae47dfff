#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QWidget>

#include "gamekit/GameConventions.h"
#include "automation/Excel.h"
#include "tests/automation/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"

namespace {

using testing_support::FixedClock;
using testing_support::SeamsFixture;
using testing_support::TempCurrentDir;

class ExitTest : public SeamsFixture {};

TEST_F(ExitTest, AnswersRunTheirStepsInOrder) {
  struct Case {
    const char* name;
    int scripted;  // 0: the box is closed (Esc)
    QStringList steps;
  };
  const Case cases[] = {
      {"yes", ui::mrYes, {"file", "question", "export", "reset", "close"}},
      {"no", ui::mrNo, {"file", "question", "reset", "close"}},
      {"cancel", ui::mrCancel, {"file", "question"}},
      {"esc", 0, {"file", "question"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QStringList steps;
    ui::ScriptedMessages messages;
    if (c.scripted) messages.Answer(c.scripted);
    messages.onShow = [&](const ui::ShownMessage&) { steps << "question"; };
    gamekit::ExitSteps exit{[&] { steps << "file"; }, [&] { steps << "export"; }, [&] { steps << "reset"; },
                                [&] { steps << "close"; }};
    const int answer = gamekit::ExitWithQuestion(exit);
    EXPECT_EQ(answer, c.scripted ? c.scripted : int(ui::mrCancel));
    EXPECT_EQ(steps, c.steps);
  }
}

TEST_F(ExitTest, FailedExportLeavesTheWindowAsItIs) {
  QStringList steps;
  ui::ScriptedMessages messages;
  messages.Answer(ui::mrYes);
  gamekit::ExitSteps exit{[&] { steps << "file"; },
                              [&] {
                                steps << "export";
                                throw automation::EOleError("Недопустимое значение ColorIndex: 99");
                              },
                              [&] { steps << "reset"; }, [&] { steps << "close"; }};
  ui::RunHandler([&] { gamekit::ExitWithQuestion(exit); });
  EXPECT_EQ(steps, (QStringList{"file", "export"}));
  ASSERT_EQ(messages.Log().size(), 2u);
  EXPECT_EQ(messages.Log()[1].kind, ui::ShownMessage::Kind::Exception);
  EXPECT_TRUE(messages.Log()[1].text.contains("ColorIndex: 99"));
}

TEST_F(ExitTest, EveryAttemptWritesItsOwnCompleteFile) {
  TempCurrentDir dir;
  FixedClock clock(QDateTime(QDate(2012, 5, 10), QTime(14, 35, 20)));
  ASSERT_TRUE(QDir(dir.Path()).mkpath("27"));
  ui::ScriptedMessages messages;
  messages.Answer(ui::mrCancel);
  messages.Answer(ui::mrCancel);
  messages.Answer(ui::mrNo);
  int attempt = 0;
  QString lastFile;
  QStringList seenAtQuestion;
  messages.onShow = [&](const ui::ShownMessage&) {
    // The file is complete on disk before the question is asked.
    QFile f(lastFile);
    seenAtQuestion << (f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString("<missing>"));
  };
  int resets = 0;
  gamekit::ExitSteps exit{[&] {
                                gamekit::StatisticsFile file("27");
                                file.AddCells({QString::number(++attempt), "x"});
                                file.Write();
                                lastFile = file.FileName();
                              },
                              [] {}, [&] { ++resets; }, [] {}};
  EXPECT_EQ(gamekit::ExitWithQuestion(exit), int(ui::mrCancel));
  clock.AddSecs(1);
  EXPECT_EQ(gamekit::ExitWithQuestion(exit), int(ui::mrCancel));
  clock.AddSecs(1);
  EXPECT_EQ(gamekit::ExitWithQuestion(exit), int(ui::mrNo));
  EXPECT_EQ(resets, 1);
  EXPECT_EQ(seenAtQuestion, (QStringList{"1;x;\r\n", "2;x;\r\n", "3;x;\r\n"}));
  EXPECT_EQ(QDir(dir.File("27")).entryList(QDir::Files),
            (QStringList{"20120510_143520_27.csv", "20120510_143521_27.csv", "20120510_143522_27.csv"}));
}

TEST_F(ExitTest, MissingFolderStillAsksTheQuestion) {
  TempCurrentDir dir;
  ui::ScriptedMessages messages;
  messages.Answer(ui::mrNo);
  bool written = true;
  bool closed = false;
  gamekit::ExitSteps exit{[&] {
                                gamekit::StatisticsFile file("kriket");
                                file.AddCells({"1"});
                                written = file.Write();
                              },
                              [] {}, [] {}, [&] { closed = true; }};
  EXPECT_EQ(gamekit::ExitWithQuestion(exit), int(ui::mrNo));
  EXPECT_FALSE(written);
  EXPECT_TRUE(closed);
  ASSERT_EQ(messages.Log().size(), 1u);
  EXPECT_EQ(messages.Log()[0].buttons, ui::mbYes | ui::mbNo | ui::mbCancel);
}

// ---------------------------------------------------------------------------

class KeyMapTest : public SeamsFixture {
 protected:
  QWidget window_;
  QWidget panel_{&window_};
  QPushButton a_{"a", &window_};
  QPushButton b_{"b", &window_};
  QPushButton exit_{"exit", &window_};
  QPushButton inPanel_{"in panel", &panel_};
};

TEST_F(KeyMapTest, FirstEnabledButtonOfTheKeyWins) {
  struct Case {
    const char* name;
    int key;
    bool aOn, bOn, exitOn;
    bool handled;
    int aClicks, bClicks, exitClicks;
  };
  const Case cases[] = {
      {"first of the list", ui::VK_F1, true, true, true, true, 1, 0, 0},
      {"first disabled: the second", ui::VK_F1, false, true, true, true, 0, 1, 0},
      {"all disabled: nothing", ui::VK_F1, false, false, true, false, 0, 0, 0},
      {"second key reaches b", ui::VK_F2, true, true, true, true, 0, 1, 0},
      {"exit key", ui::VK_F10, false, false, true, true, 0, 0, 1},
      {"exit key while its button is disabled", ui::VK_F10, true, true, false, false, 0, 0, 0},
      {"key without an entry", ui::VK_F5, true, true, true, false, 0, 0, 0},
      {"Enter is not in the map", ui::VK_RETURN, true, true, true, false, 0, 0, 0},
  };
  // F10 is declared last; it is still tested.
  gamekit::FunctionKeyMap keys{{ui::VK_F1, {&a_, &b_}}, {ui::VK_F2, {&b_}}};
  keys.Add(ui::VK_F10, {&exit_});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    a_.setEnabled(c.aOn);
    b_.setEnabled(c.bOn);
    exit_.setEnabled(c.exitOn);
    QSignalSpy aSpy(&a_, &QPushButton::clicked), bSpy(&b_, &QPushButton::clicked),
        exitSpy(&exit_, &QPushButton::clicked);
    EXPECT_EQ(keys.Handle(c.key), c.handled);
    EXPECT_EQ(aSpy.count(), c.aClicks);
    EXPECT_EQ(bSpy.count(), c.bClicks);
    EXPECT_EQ(exitSpy.count(), c.exitClicks);
  }
}

TEST_F(KeyMapTest, ButtonsCountTheirOwnEnabledState) {
  gamekit::FunctionKeyMap keys{{ui::VK_F3, {&inPanel_, &a_}}};
  panel_.setEnabled(false);
  QSignalSpy panelSpy(&inPanel_, &QPushButton::clicked), aSpy(&a_, &QPushButton::clicked);
  EXPECT_TRUE(keys.Handle(ui::VK_F3));
  EXPECT_EQ(panelSpy.count(), 1);
  EXPECT_EQ(aSpy.count(), 0);

  inPanel_.setEnabled(false);
  panel_.setEnabled(true);
  EXPECT_TRUE(keys.Handle(ui::VK_F3));
  EXPECT_EQ(panelSpy.count(), 1);
  EXPECT_EQ(aSpy.count(), 1);
}

TEST_F(KeyMapTest, EveryPressClicksAgain) {
  gamekit::FunctionKeyMap keys{{ui::VK_F10, {&exit_}}, {ui::VK_F10, {&a_}}};
  QSignalSpy exitSpy(&exit_, &QPushButton::clicked), aSpy(&a_, &QPushButton::clicked);
  for (int i = 0; i < 3; ++i) keys.Handle(ui::VK_F10);
  EXPECT_EQ(exitSpy.count(), 3);
  EXPECT_EQ(aSpy.count(), 0);  // the test ends at the first button run
  exit_.setEnabled(false);
  keys.Handle(ui::VK_F10);
  EXPECT_EQ(aSpy.count(), 1);  // a later entry of the same key is tried
}

}  // namespace
