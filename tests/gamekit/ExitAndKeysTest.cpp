// The exit question's steps and the function-key map of the game windows.
#include <QDir>
#include <QPushButton>

#include "automation/Excel.h"
#include "gamekit/GameConventions.h"
#include "tests/automation/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"

namespace {

// A Yes whose export did not happen keeps the window only when no file holds
// the record; an automation error always keeps it.
TEST(ExitTest, AnswersRunTheirStepsInOrder) {
  enum Export { kDone, kNotStarted, kRaises };
  struct Case {
    const char* name;
    int scripted;  // 0: the box is closed (Esc)
    bool fileWritten;
    Export exported;
    QStringList steps;
    int answer;
  };
  const QStringList all{"file", "question", "export", "reset", "close"};
  const Case cases[] = {
      {"yes", ui::mrYes, true, kDone, all, ui::mrYes},
      {"no", ui::mrNo, true, kDone, {"file", "question", "reset", "close"}, ui::mrNo},
      {"no, the file failed", ui::mrNo, false, kDone, {"file", "question", "reset", "close"}, ui::mrNo},
      {"cancel", ui::mrCancel, true, kDone, {"file", "question"}, ui::mrCancel},
      {"esc", 0, true, kDone, {"file", "question"}, ui::mrCancel},
      {"yes, the file failed, exported", ui::mrYes, false, kDone, all, ui::mrYes},
      {"yes, not exported but the file holds the record", ui::mrYes, true, kNotStarted, all, ui::mrYes},
      {"yes, neither file nor export: the window stays", ui::mrYes, false, kNotStarted, all.mid(0, 3), ui::mrCancel},
      {"yes, the export raises", ui::mrYes, true, kRaises, all.mid(0, 3), -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QStringList steps;
    testing_support::ScriptedMessages messages;
    if (c.scripted) messages.Answer(c.scripted);
    messages.onShow = [&](const ui::ShownMessage& m) {
      if (m.kind != ui::ShownMessage::Kind::Exception) steps << "question";
    };
    const gamekit::ExitSteps exit{[&] { return steps << "file", c.fileWritten; },
                                  [&] {
                                    steps << "export";
                                    if (c.exported == kRaises)
                                      throw automation::EOleError("Недопустимое значение ColorIndex: 99");
                                    return c.exported == kDone;
                                  },
                                  [&] { steps << "reset"; }, [&] { steps << "close"; }};
    int answer = -1;
    ui::RunHandler([&] { answer = gamekit::ExitWithQuestion(exit); });
    EXPECT_EQ(steps, c.steps);
    EXPECT_EQ(messages.Log()[0].buttons, ui::mbYes | ui::mbNo | ui::mbCancel);
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(messages.Texts().last().contains("ColorIndex: 99"), c.exported == kRaises);
  }
}

// The file is complete on disk before every question; a missing folder is
// made again, and a second exit in the same second gets a name of its own.
TEST(ExitTest, EveryAttemptWritesItsOwnCompleteFile) {
  testing_support::TempCurrentDir dir;
  testing_support::FixedClock clock(QDateTime(QDate(2012, 5, 10), QTime(14, 35, 20)));
  testing_support::ScriptedMessages messages;
  for (int answer : {ui::mrCancel, ui::mrCancel, ui::mrNo}) messages.Answer(answer);
  int attempt = 0;
  QString lastFile;
  QStringList seenAtQuestion;
  messages.onShow = [&](const ui::ShownMessage&) {
    seenAtQuestion << QString::fromLatin1(testing_support::ReadAll(lastFile));
  };
  int resets = 0;
  const gamekit::ExitSteps exit{[&] {
                                  gamekit::StatisticsFile file("27");
                                  file.AddCells({QString::number(++attempt), "x"});
                                  const bool written = file.Write();
                                  lastFile = file.WrittenName();
                                  return written;
                                },
                                [] { return true; }, [&] { ++resets; }, [] {}};
  for (int answer : {ui::mrCancel, ui::mrCancel, ui::mrNo}) {
    EXPECT_EQ(gamekit::ExitWithQuestion(exit), answer);
    if (attempt == 2) clock.AddSecs(1);
  }
  EXPECT_EQ(resets, 1);
  EXPECT_EQ(seenAtQuestion, (QStringList{"1;x;\r\n", "2;x;\r\n", "3;x;\r\n"}));
  EXPECT_EQ(QDir(dir.File("27")).entryList(QDir::Files | QDir::Hidden),
            (QStringList{"20120510_143520_27.csv", "20120510_143520_27_2.csv", "20120510_143521_27.csv"}));
}

// A key runs the first enabled button of its entries (a button counts its own
// enabled state, not its parent's); F10 is tested even when declared last.
TEST(KeyMapTest, FirstEnabledButtonOfTheKeyWins) {
  QWidget window;
  QWidget panel(&window);
  QPushButton a("a", &window), b("b", &window), exit("exit", &window), inPanel("panel", &panel);
  panel.setEnabled(false);
  gamekit::FunctionKeyMap keys{{ui::VK_F1, {&a, &b}}, {ui::VK_F2, {&b}}, {ui::VK_F3, {&inPanel, &a}}};
  keys.Add(ui::VK_F10, {&exit});
  keys.Add(ui::VK_F10, {&a});
  struct Case {
    const char* name;
    int key;
    QStringList disabled;
    QString clicked;  // empty: the key is not handled
  };
  const Case cases[] = {
      {"first of the list", ui::VK_F1, {}, "a"},
      {"first disabled: the second", ui::VK_F1, {"a"}, "b"},
      {"all disabled: nothing", ui::VK_F1, {"a", "b"}, ""},
      {"second key", ui::VK_F2, {}, "b"},
      {"exit key", ui::VK_F10, {"b"}, "exit"},
      {"exit disabled: a later entry of the key", ui::VK_F10, {"exit"}, "a"},
      {"every entry of the key disabled", ui::VK_F10, {"exit", "a"}, ""},
      {"in a disabled panel", ui::VK_F3, {}, "panel"},
      {"itself disabled", ui::VK_F3, {"panel"}, "a"},
      {"key without an entry", ui::VK_F5, {}, ""},
      {"Enter is not in the map", ui::VK_RETURN, {}, ""},
  };
  QStringList clicked;
  for (QPushButton* button : {&a, &b, &exit, &inPanel})
    QObject::connect(button, &QPushButton::clicked, [&clicked, button] { clicked << button->text(); });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clicked.clear();
    for (QPushButton* button : {&a, &b, &exit, &inPanel}) button->setEnabled(!c.disabled.contains(button->text()));
    EXPECT_EQ(keys.Handle(c.key), !c.clicked.isEmpty());
    EXPECT_EQ(clicked, c.clicked.isEmpty() ? QStringList() : QStringList{c.clicked});
  }
}

}  // namespace
