// The statistics file: its stamp and name from the clock, its bytes, and how it
// is written whole or not at all.
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "gamekit/GameConventions.h"
#include "tests/automation/QtPrinters.h"
#include "tests/support/TestSupport.h"

namespace {

using gamekit::StatisticsFile;
using testing_support::ReadAll;

class StatisticsFileTest : public testing::Test {
 protected:
  testing_support::TempCurrentDir current;
  testing_support::FixedClock clock{QDateTime(QDate(2012, 5, 10), QTime(14, 35, 20))};
};

TEST_F(StatisticsFileTest, StampAndNameAreCutFromTheClock) {
  struct Case {
    QDateTime when;
    QString folder, stamp, fileName;
  };
  const Case cases[] = {
      {QDateTime(QDate(2012, 5, 10), QTime(14, 35, 20)), "27", "2012.05.10 - 14:35:20:35", "27/20120510_143520_27.csv"},
      // Minutes repeated at the end, not hundredths; leading zeros everywhere.
      {QDateTime(QDate(2026, 1, 2), QTime(9, 5, 7)), "501", "2026.01.02 - 09:05:07:05", "501/20260102_090507_501.csv"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stamp.toStdString());
    clock.Set(c.when);
    EXPECT_EQ(gamekit::StampText(), c.stamp);
    StatisticsFile file(c.folder);
    EXPECT_EQ(file.Stamp(), c.stamp);
    EXPECT_EQ(file.FileName(), current.File(c.fileName));
  }
}

TEST_F(StatisticsFileTest, LinesAreWindows1251WithSemicolonsAndCrLf) {
  struct Case {
    const char* name;
    bool stampLine;
    QString header;  // empty: none
    std::vector<QStringList> rows;
    QByteArray expected;
  };
  const Case cases[] = {
      {"stamp, Cyrillic header and cells",
       true,
       "Дата;Очки;",
       {{"1", "Ёж"}, {"2", "180"}},
       "2012.05.10 - 14:35:20:35\r\n\xC4\xE0\xF2\xE0;\xCE\xF7\xEA\xE8;\r\n1;\xA8\xE6;\r\n2;180;\r\n"},
      {"a semicolon in a cell is not escaped; empty cells", false, "", {{"", "a;b", "\"q\"", ""}}, ";a;b;\"q\";;\r\n"},
      {"no lines at all gives an empty file", false, "", {}, ""},
      {"characters without a Windows-1251 form become question marks",
       false,
       "",
       {{QString::fromUtf8("漢🎯") + QChar(0xD800) + "x", "№"}},
       "???x;\xB9;\r\n"},
      {"an empty row is a bare line end", false, "H;", {{}}, "H;\r\n\r\n"},
  };
  ASSERT_TRUE(QDir(current.Path()).mkpath("27"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StatisticsFile file("27");
    if (c.stampLine) file.AddStampLine();
    if (!c.header.isEmpty()) file.AddRawLine(c.header);
    for (const QStringList& row : c.rows) file.AddCells(row);
    EXPECT_EQ(file.Bytes(), c.expected);
    EXPECT_TRUE(file.Write());
    EXPECT_EQ(ReadAll(file.FileName()), c.expected);
  }
}

TEST_F(StatisticsFileTest, SameSecondReplacesTheEarlierFileWhole) {
  ASSERT_TRUE(QDir(current.Path()).mkpath("50"));
  StatisticsFile first("50");
  for (int i = 0; i < 50; ++i) first.AddCells({QString::number(i), "long row of the first exit"});
  ASSERT_TRUE(first.Write());
  StatisticsFile second("50");
  second.AddCells({"short"});
  ASSERT_EQ(second.FileName(), first.FileName());
  ASSERT_TRUE(second.Write());
  EXPECT_EQ(ReadAll(second.FileName()), QByteArray("short;\r\n"));
  // Nothing else is left in the folder (no temporary files).
  EXPECT_EQ(QDir(current.File("50")).entryList(QDir::Files | QDir::Hidden), QStringList{"20120510_143520_50.csv"});
}

// A missing folder, a folder where the file should be, a read-only file of the
// same name: nothing is written, nothing is changed, nothing is said.
TEST_F(StatisticsFileTest, UnwritablePlacesFailSilently) {
  ASSERT_TRUE(QDir(current.Path()).mkpath("br/20120510_143520_br.csv"));
  ASSERT_TRUE(QDir(current.Path()).mkpath("10"));
  const QString readOnly = current.File("10/20120510_143520_10.csv");
  {
    QFile old(readOnly);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old;\r\n");
  }
  QFile::setPermissions(readOnly, QFile::ReadOwner);
  for (const char* folder : {"60", "br", "10"}) {
    SCOPED_TRACE(folder);
    if (std::string(folder) == "10" && geteuid() == 0) continue;  // root writes anyway
    StatisticsFile file(folder);
    file.AddCells({"new"});
    EXPECT_FALSE(file.Write());
  }
  QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner);
  EXPECT_FALSE(QFileInfo::exists(current.File("60")));
  EXPECT_TRUE(QFileInfo(current.File("br/20120510_143520_br.csv")).isDir());
  EXPECT_EQ(ReadAll(readOnly), QByteArray("old;\r\n"));
  EXPECT_EQ(QDir(current.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList({"10", "br"}));
}

}  // namespace
