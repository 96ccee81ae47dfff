// What the game windows share: the statistics file (its stamp and name from the
// clock, its bytes, written whole or not at all, never over another), leaving a
// game window, and the function-key map.
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <atomic>
#include <csignal>
#include <thread>

#include "darts/FileLine.h"
#include "gamekit/GameConventions.h"
#include "gamekit/TGameWindow.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"

namespace {

using gamekit::StatisticsFile;
using testing_support::ReadAll;

class StatisticsFileTest : public testing::Test {
 protected:
  testing_support::TempCurrentDir current;
  testing_support::FixedClock clock{QDateTime(QDate(2012, 5, 10), QTime(14, 35, 20))};
};

// Minutes repeated at the end, not hundredths; leading zeros everywhere.
TEST_F(StatisticsFileTest, StampAndNameAreCutFromTheClock) {
  clock.Set(QDateTime(QDate(2026, 1, 2), QTime(9, 5, 7, 990)));
  const StatisticsFile file("501");
  EXPECT_EQ(file.Stamp(), "2026.01.02 - 09:05:07:05");
  EXPECT_EQ(file.FileName(), current.File("501/20260102_090507_501.csv"));
}

TEST_F(StatisticsFileTest, LinesAreWindows1251WithSemicolonsAndCrLf) {
  // clang-format off
  const struct { const char* name; bool stampLine; QString header; std::vector<QStringList> rows; QByteArray expected; }
  cases[] = {
      {"stamp, Cyrillic header and cells", true, "Дата;Очки;", {{"1", "Ёж"}, {"2", "180"}},
       "2012.05.10 - 14:35:20:35\r\n\xC4\xE0\xF2\xE0;\xCE\xF7\xEA\xE8;\r\n1;\xA8\xE6;\r\n2;180;\r\n"},
      {"a semicolon in a cell is not escaped; empty cells", false, "", {{"", "a;b", "\"q\"", ""}}, ";a;b;\"q\";;\r\n"},
      {"no lines at all gives an empty file", false, "", {}, ""},
      {"characters without a Windows-1251 form become question marks", false, "",
       {{QString::fromUtf8("漢🎯") + QChar(0xD800) + "x", "№"}}, "???x;\xB9;\r\n"},
      {"an empty row is a bare line end", false, "H;", {{}}, "H;\r\n\r\n"}};
  // clang-format on
  ASSERT_TRUE(QDir(current.Path()).mkpath("27"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StatisticsFile file("27");
    if (c.stampLine) file.AddRawLine(file.Stamp());
    if (!c.header.isEmpty()) file.AddRawLine(c.header);
    for (const QStringList& row : c.rows) file.AddRawLine(darts::FileLine(row));
    EXPECT_EQ(file.Bytes(), c.expected);
    EXPECT_TRUE(file.Write());
    EXPECT_EQ(ReadAll(file.WrittenName()), c.expected);
  }
}

// Exits in the same second, one after the other and several at once (two
// copies of the program), never replace a file: each gets a name of its own.
TEST_F(StatisticsFileTest, SameSecondGetsANameOfItsOwn) {
  ASSERT_TRUE(QDir(current.Path()).mkpath("50"));
  std::vector<StatisticsFile> files;
  for (int i = 0; i < 12; ++i) {
    files.emplace_back("50");
    for (int row = 0; row <= i * 50; ++row) files.back().AddRawLine(QString::number(i) + ";row of exit;");
  }
  ASSERT_TRUE(files[0].Write() && files[1].Write());
  std::vector<std::thread> together;
  std::atomic<int> written{0};
  for (size_t i = 2; i < files.size(); ++i) together.emplace_back([&, i] { written += files[i].Write(); });
  for (std::thread& t : together) t.join();
  EXPECT_EQ(written, 10);
  QStringList names;
  for (const StatisticsFile& file : files) {
    names << QFileInfo(file.WrittenName()).fileName();
    EXPECT_EQ(ReadAll(file.WrittenName()), file.Bytes());
  }
  EXPECT_EQ(names.mid(0, 2), QStringList({"20120510_143520_50.csv", "20120510_143520_50_2.csv"}));
  names.sort();
  // Nothing else is left in the folder (no temporary files).
  EXPECT_EQ(QDir(current.File("50")).entryList(QDir::Files | QDir::Hidden), names);
  EXPECT_TRUE(names.contains("20120510_143520_50_12.csv"));
}

// A missing folder is made again. A file in the folder's place or a full disk
// (here a file size limit) is reported with the file and the reason, and
// leaves nothing behind, also no empty file under the name.
TEST_F(StatisticsFileTest, UnwritablePlacesAreReportedAndLeaveNothing) {
  testing_support::ScriptedMessages messages;
  ASSERT_TRUE(QFile(current.File("br")).open(QIODevice::WriteOnly));
  ASSERT_TRUE(QDir(current.Path()).mkpath("10"));
  const struct { const char* folder; rlim_t sizeLimit; /* 0: none */ const char* reason; } cases[] = {
      {"60", 0, nullptr}, {"br", 0, "на месте папки находится файл"}, {"10", 100, "превышен допустимый размер файла"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    messages.Clear();
    StatisticsFile file(c.folder);
    for (int row = 0; row < 100; ++row) file.AddRawLine("a row longer than the limit;");
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old;
    if (c.sizeLimit) limit.rlim_cur = c.sizeLimit;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool written = file.Write();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_EQ(written, c.reason == nullptr);
    if (c.reason) {
      ASSERT_EQ(messages.Log().size(), 1u);
      EXPECT_EQ(messages.Log()[0].kind, ui::ShownMessage::Kind::ErrorBox);
      EXPECT_TRUE(messages.Log()[0].text.contains(file.FileName()));
      EXPECT_TRUE(messages.Log()[0].text.contains(c.reason)) << messages.Log()[0].text.toStdString();
      EXPECT_TRUE(file.WrittenName().isEmpty());
    } else {
      EXPECT_TRUE(messages.Log().empty());
      EXPECT_EQ(ReadAll(file.FileName()), file.Bytes());
    }
  }
  EXPECT_TRUE(QFileInfo(current.File("br")).isFile());
  EXPECT_TRUE(QDir(current.File("10")).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

// A game window that tells what leaving does to it.
class ExitProbe : public gamekit::TGameWindow {
 public:
  using TGameWindow::Played;
  QStringList steps;
  Played played = Played::Record;
  std::optional<darts::SheetBlock> sheet;
  void ExitButton() { Leave(); }

 protected:
  Played WhatWasPlayed() const override { return played; }
  QString StatisticsFolder() const override { return "27"; }
  QStringList StatisticsLines(const QString&) const override { return {QString::number(++attempt_) + ";x;"}; }
  std::optional<darts::SheetBlock> Sheet() const override { return sheet; }
  void ResetGame() override { steps << "reset"; }
  void StayInGame() override { steps << "stay"; }
  void FormClose() override { steps << "close"; }

 private:
  mutable int attempt_ = 0;
};

class ExitTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    dir.emplace();
    clock.emplace(QDateTime(QDate(2012, 5, 10), QTime(14, 35, 20)));
    messages.emplace();
    ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
    ui::seams().startDetached = [this](const QString&, const QStringList&) { return started; };
    messages->onShow = [this](const ui::ShownMessage& m) {
      probe.steps << (m.kind == ui::ShownMessage::Kind::Dialog     ? (m.buttons & ui::mbCancel ? "question" : "yes/no")
                      : m.kind == ui::ShownMessage::Kind::ErrorBox ? "box: " + m.text.section('\n', 0, 0)
                                                                   : QString("error"));
    };
  }
  std::optional<testing_support::TempCurrentDir> dir;
  std::optional<testing_support::FixedClock> clock;
  std::optional<testing_support::ScriptedMessages> messages;
  ExitProbe probe;
  bool started = true;
};

// The file, the question and what each answer does; a Yes whose export did
// not happen keeps the game only when no file holds the record; an error on
// the way keeps it too.
TEST_F(ExitTest, AnswersRunTheirSteps) {
  enum Export { kNone, kDone, kNotStarted, kRaises };
  using P = ExitProbe::Played;
  const QString fileBox = "box: Не удалось записать файл статистики", excelBox = "box: Невозможно запустить Excel";
  // answer: 0 when the box is closed (Esc).
  // clang-format off
  const struct { const char* name; P played; bool fileFails; Export exported; int answer; QStringList steps; }
  cases[] = {
      {"yes", P::Record, false, kDone, ui::mrYes, {"question", "reset", "close"}},
      {"no", P::Record, false, kDone, ui::mrNo, {"question", "reset", "close"}},
      {"cancel", P::Record, false, kDone, ui::mrCancel, {"question", "stay"}},
      {"esc", P::Record, false, kDone, 0, {"question", "stay"}},
      {"no, the file failed", P::Record, true, kDone, ui::mrNo, {fileBox, "question", "reset", "close"}},
      {"yes, the file failed, exported", P::Record, true, kDone, ui::mrYes, {fileBox, "question", "reset", "close"}},
      {"yes, not exported, the file holds the record", P::Record, false, kNotStarted, ui::mrYes,
       {"question", excelBox, "reset", "close"}},
      {"yes, neither file nor export", P::Record, true, kNotStarted, ui::mrYes,
       {fileBox, "question", excelBox, "stay"}},
      {"yes, nothing to export", P::Record, true, kNone, ui::mrYes, {fileBox, "question", "reset", "close"}},
      {"yes, the export raises", P::Record, false, kRaises, ui::mrYes, {"question", "error", "stay"}},
      {"nothing played", P::Nothing, false, kDone, 0, {"reset", "close"}},
      {"nothing to save, yes", P::AskFirst, false, kDone, ui::mrYes, {"yes/no", "close"}},
      {"nothing to save, no", P::AskFirst, false, kDone, ui::mrNo, {"yes/no", "stay"}}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QDir(dir->Path()).removeRecursively();
    QDir().mkpath(dir->Path());
    if (c.fileFails) QFile(dir->File("27")).open(QIODevice::WriteOnly);  // a file in the folder's place
    started = c.exported != kNotStarted;
    probe.played = c.played;
    probe.sheet.reset();
    if (c.exported != kNone) probe.sheet.emplace(1, 1, 0, 0);
    if (c.exported == kRaises) probe.sheet->Fill(1, 1, 1, 1, 99);
    probe.ShowModal();
    probe.steps.clear();
    messages->Clear();
    if (c.fileFails) messages->Answer(ui::mrOk);
    if (c.answer) messages->Answer(c.answer);
    probe.ExitButton();
    EXPECT_EQ(probe.steps, c.steps);
    EXPECT_EQ(probe.isVisible(), c.steps.last() == "stay");
    EXPECT_EQ(QDir(dir->File("27")).entryList(QDir::Files | QDir::Hidden).size(),
              c.played == P::Record && !c.fileFails ? 1 : 0);
    probe.Close();
  }
}

// The file is complete on disk before every question; a missing folder is
// made again, and a second exit in the same second gets a name of its own.
TEST_F(ExitTest, EveryAttemptWritesItsOwnCompleteFile) {
  QStringList seenAtQuestion;
  messages->onShow = [&](const ui::ShownMessage&) {
    const QStringList files = QDir(dir->File("27")).entryList(QDir::Files, QDir::Time);
    seenAtQuestion << QString::fromLatin1(ReadAll(dir->File("27/" + files.value(0))));
  };
  probe.ShowModal();
  for (int answer : {ui::mrCancel, ui::mrCancel, ui::mrNo}) {
    messages->Answer(answer);
    probe.ExitButton();
    if (seenAtQuestion.size() == 2) clock->AddSecs(1);
  }
  EXPECT_EQ(probe.steps, (QStringList{"stay", "stay", "reset", "close"}));
  EXPECT_EQ(seenAtQuestion.size(), 3);
  for (const QString& text : seenAtQuestion) EXPECT_TRUE(text.endsWith(";x;\r\n")) << text.toStdString();
  EXPECT_EQ(QDir(dir->File("27")).entryList(QDir::Files | QDir::Hidden, QDir::Name),
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
  // clang-format off
  // clicked: empty when the key is not handled.
  const struct { const char* name; int key; QStringList disabled; QString clicked; } cases[] = {
      {"first of the list", ui::VK_F1, {}, "a"}, {"first disabled: the second", ui::VK_F1, {"a"}, "b"},
      {"all disabled: nothing", ui::VK_F1, {"a", "b"}, ""}, {"second key", ui::VK_F2, {}, "b"},
      {"exit key", ui::VK_F10, {"b"}, "exit"}, {"exit disabled: a later entry of the key", ui::VK_F10, {"exit"}, "a"},
      {"every entry of the key disabled", ui::VK_F10, {"exit", "a"}, ""},
      {"in a disabled panel", ui::VK_F3, {}, "panel"}, {"itself disabled", ui::VK_F3, {"panel"}, "a"},
      {"key without an entry", ui::VK_F5, {}, ""}, {"Enter is not in the map", ui::VK_RETURN, {}, ""}};
  // clang-format on
  QStringList clicked;
  for (QPushButton* button : {&a, &b, &exit, &inPanel})
    QObject::connect(button, &QPushButton::clicked, [&clicked, button] { clicked << button->text(); });
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    clicked.clear();
    for (QPushButton* button : {&a, &b, &exit, &inPanel}) button->setEnabled(!c.disabled.contains(button->text()));
    EXPECT_EQ(keys.Handle(c.key), !c.clicked.isEmpty());
    EXPECT_EQ(clicked, c.clicked.isEmpty() ? QStringList() : QStringList{c.clicked});
  }
}

}  // namespace
