// The statistics file: its stamp and name from the clock, its bytes, and how it
// is written whole or not at all, never over another.
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <atomic>
#include <csignal>
#include <thread>

#include "darts/FileLine.h"
#include "gamekit/GameConventions.h"
#include "tests/support/TestSupport.h"

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
  EXPECT_EQ(names.size(), 12);
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

}  // namespace
