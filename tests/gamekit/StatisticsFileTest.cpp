#include <unistd.h>

#include <QDir>
#include <QFile>
#include <optional>

#include "gamekit/GameConventions.h"
#include "tests/automation/QtPrinters.h"
#include "tests/support/TestSupport.h"

namespace {

using gamekit::StatisticsFile;
using testing_support::FixedClock;
using testing_support::SeamsFixture;
using testing_support::TempCurrentDir;

QDateTime At(int y, int mo, int d, int h, int mi, int s) { return QDateTime(QDate(y, mo, d), QTime(h, mi, s)); }

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
  return f.readAll();
}

class StatisticsFileTest : public SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    current_.emplace();
  }
  void TearDown() override {
    current_.reset();
    SeamsFixture::TearDown();
  }
  std::optional<TempCurrentDir> current_;
};

struct StampCase {
  QDateTime when;
  const char* folder;
  const char* stamp;
  const char* fileName;  // relative to the current directory
};

TEST_F(StatisticsFileTest, StampAndNameAreCutFromTheClock) {
  const StampCase cases[] = {
      {At(2012, 5, 10, 14, 35, 20), "27", "2012.05.10 - 14:35:20:35", "27/20120510_143520_27.csv"},
      // Minutes repeated at the end, not hundredths; leading zeros everywhere.
      {At(2026, 1, 2, 9, 5, 7), "501", "2026.01.02 - 09:05:07:05", "501/20260102_090507_501.csv"},
      {At(2024, 2, 29, 0, 0, 0), "ddv", "2024.02.29 - 00:00:00:00", "ddv/20240229_000000_ddv.csv"},
  };
  for (const StampCase& c : cases) {
    SCOPED_TRACE(c.stamp);
    FixedClock clock(c.when);
    EXPECT_EQ(gamekit::StampText(), QString::fromUtf8(c.stamp));
    StatisticsFile file(QString::fromUtf8(c.folder));
    EXPECT_EQ(file.Stamp(), QString::fromUtf8(c.stamp));
    EXPECT_EQ(file.FileName(), current_->File(QString::fromUtf8(c.fileName)));
    EXPECT_EQ(gamekit::StatisticsFileName(file.Stamp(), QString::fromUtf8(c.folder)), file.FileName());
  }
}

struct BytesCase {
  const char* name;
  bool stampLine;
  const char* header;  // nullptr: none
  std::vector<QStringList> rows;
  QByteArray expected;
};

TEST_F(StatisticsFileTest, LinesAreWindows1251WithSemicolonsAndCrLf) {
  FixedClock clock(At(2012, 5, 10, 14, 35, 20));
  const BytesCase cases[] = {
      {"stamp, Cyrillic header and cells",
       true,
       "Дата;Очки;",
       {{"1", "Ёж"}, {"2", "180"}},
       QByteArray("2012.05.10 - 14:35:20:35\r\n"
                  "\xC4\xE0\xF2\xE0;\xCE\xF7\xEA\xE8;\r\n"
                  "1;\xA8\xE6;\r\n"
                  "2;180;\r\n")},
      {"a cell holding a semicolon is not escaped",
       false,
       nullptr,
       {{"a;b", "\"q\"", ""}},
       QByteArray("a;b;\"q\";;\r\n")},
      {"no lines at all gives an empty file", false, nullptr, {}, QByteArray()},
      {"characters without a Windows-1251 form become question marks",
       false,
       nullptr,
       {{QString::fromUtf8("漢") + QString::fromUtf8("🎯") + QChar(0xD800) + "x", "№"}},
       QByteArray("???x;\xB9;\r\n")},
      {"an empty row is a bare line end", false, "H;", {{}}, QByteArray("H;\r\n\r\n")},
  };
  for (const BytesCase& c : cases) {
    SCOPED_TRACE(c.name);
    StatisticsFile file("27");
    if (c.stampLine) file.AddStampLine();
    if (c.header) file.AddRawLine(QString::fromUtf8(c.header));
    for (const QStringList& row : c.rows) file.AddCells(row);
    EXPECT_EQ(file.Bytes(), c.expected);
    ASSERT_TRUE(QDir(current_->Path()).mkpath("27"));
    EXPECT_TRUE(file.Write());
    EXPECT_EQ(ReadAll(file.FileName()), c.expected);
  }
}

TEST_F(StatisticsFileTest, SameSecondReplacesTheEarlierFileWhole) {
  FixedClock clock(At(2012, 5, 10, 14, 35, 20));
  ASSERT_TRUE(QDir(current_->Path()).mkpath("50"));
  StatisticsFile first("50");
  for (int i = 0; i < 50; ++i) first.AddCells({QString::number(i), "long row of the first exit"});
  ASSERT_TRUE(first.Write());

  StatisticsFile second("50");
  second.AddCells({"short"});
  ASSERT_EQ(second.FileName(), first.FileName());
  ASSERT_TRUE(second.Write());
  EXPECT_EQ(ReadAll(second.FileName()), QByteArray("short;\r\n"));
  // Nothing else is left in the folder (no temporary files).
  EXPECT_EQ(QDir(current_->File("50")).entryList(QDir::Files | QDir::Hidden), QStringList{"20120510_143520_50.csv"});
}

TEST_F(StatisticsFileTest, UnwritablePlacesFailSilently) {
  FixedClock clock(At(2012, 5, 10, 14, 35, 20));
  {
    SCOPED_TRACE("missing folder");
    StatisticsFile file("60");
    file.AddCells({"1", "2"});
    EXPECT_FALSE(file.Write());
    EXPECT_FALSE(QFileInfo::exists(current_->File("60")));
    EXPECT_TRUE(QDir(current_->Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
  }
  {
    SCOPED_TRACE("a folder where the file should be");
    ASSERT_TRUE(QDir(current_->Path()).mkpath("br/20120510_143520_br.csv"));
    StatisticsFile file("br");
    file.AddCells({"1"});
    EXPECT_FALSE(file.Write());
    EXPECT_TRUE(QFileInfo(file.FileName()).isDir());
  }
  if (geteuid() != 0) {
    SCOPED_TRACE("a read-only file of the same name stays as it is");
    ASSERT_TRUE(QDir(current_->Path()).mkpath("10"));
    const QString name = current_->File("10/20120510_143520_10.csv");
    {
      QFile old(name);
      ASSERT_TRUE(old.open(QIODevice::WriteOnly));
      old.write("old;\r\n");
    }
    QFile::setPermissions(name, QFile::ReadOwner);
    StatisticsFile file("10");
    file.AddCells({"new"});
    EXPECT_FALSE(file.Write());
    QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(ReadAll(name), QByteArray("old;\r\n"));
  }
}

TEST_F(StatisticsFileTest, LargeFileIsWrittenCompletely) {
  FixedClock clock(At(2012, 5, 10, 14, 35, 20));
  ASSERT_TRUE(QDir(current_->Path()).mkpath("501"));
  StatisticsFile file("501");
  file.AddStampLine();
  for (int i = 0; i < 1500; ++i) file.AddCells({QString::number(i), "Сет", "60,00"});
  ASSERT_TRUE(file.Write());
  const QByteArray bytes = ReadAll(file.FileName());
  EXPECT_EQ(bytes, file.Bytes());
  EXPECT_EQ(bytes.count("\r\n"), 1501);
  EXPECT_TRUE(bytes.endsWith("1499;\xD1\xE5\xF2;60,00;\r\n"));
}

}  // namespace
