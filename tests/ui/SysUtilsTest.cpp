#include <gtest/gtest.h>

#include <QDir>
#include <QLocale>
#include <limits>
#include <optional>

#include "tests/support/TestSupport.h"
#include "ui/Seams.h"
#include "ui/SysUtils.h"

namespace {

class SysUtilsTest : public testing_support::SeamsFixture {};

// The shortest text of a value, with the user's separator.
TEST_F(SysUtilsTest, ShortestTextOfANumber) {
  // clang-format off
  const std::pair<double, const char*> cases[] = {{37.5, "37.5"}, {38, "38"}, {1.5e-5, "1.5E-5"}, {1e20, "1E20"},
      {1.0 / 3, "0.333333333333333"}, {0.1 + 0.2, "0.3"}, {float(100) / 3, "33.3333320617676"},
      {std::numeric_limits<double>::infinity(), "INF"}};
  // clang-format on
  for (const auto& [value, expected] : cases) {
    for (const QChar sep : {QChar('.'), QChar(',')}) {
      ui::seams().decimalSeparator = sep;
      EXPECT_EQ(ui::FloatToStr(value), QString::fromUtf8(expected).replace('.', sep)) << value;
    }
  }
}

// What a player types is read as a number, or raises the error that the
// handlers report.
TEST_F(SysUtilsTest, TextsAreReadAsNumbersOrRaise) {
  // clang-format off
  const struct { bool integer; char sep; const char* text; std::optional<double> value; } cases[] = {
      {true, '.', "180", 180}, {true, '.', "  7", 7}, {true, '.', "-5", -5}, {true, '.', "+60", 60},
      {true, '.', "007", 7},   {true, '.', "2147483647", 2147483647},  {true, '.', "-2147483648", -2147483648.0},
      {true, '.', "", {}},     {true, '.', "   ", {}}, {true, '.', "1 5", {}}, {true, '.', "5 ", {}},
      {true, '.', "5a", {}},   {true, '.', "-", {}},   {true, '.', "1.5", {}}, {true, '.', "--5", {}},
      {true, '.', "2147483648", {}}, {true, '.', "-2147483649", {}}, {true, '.', "99999999999999999999", {}},
      {false, '.', "37.5", 37.5},    {false, '.', " 2 ", 2},         {false, '.', ".5", 0.5},
      {false, ',', "37,5", 37.5},    {false, '.', "1.5E-2", 0.015},  {false, ',', "+0,25", 0.25},
      {false, '.', "", {}},    {false, '.', "1 5", {}}, {false, '.', "1.2.3", {}}, {false, '.', "1e", {}},
      {false, '.', ".", {}},   {false, ',', "37.5", {}}, {false, '.', "1e999", {}}, {false, '.', "-", {}},
      {false, '.', "1e-999", {}}, {false, '.', "4.9e-324", 4.9e-324}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ui::seams().decimalSeparator = QChar(c.sep);
    try {
      const double got = c.integer ? ui::StrToInt(c.text) : ui::StrToFloat(c.text);
      ASSERT_TRUE(c.value) << "no error";
      EXPECT_DOUBLE_EQ(got, *c.value);
    } catch (const ui::EConvertError& e) {
      EXPECT_FALSE(c.value);
      EXPECT_EQ(QString::fromStdString(e.what()),
                QString("'%1' is not a valid %2").arg(c.text, c.integer ? "integer value" : "floating point value"));
    }
  }
}

// (The statistics stamp's pattern is checked with the statistics file.)
TEST_F(SysUtilsTest, DateTexts) {
  const QDate thursday(2012, 5, 10);
  EXPECT_EQ(ui::FormatDateTime("dd.mm.yyyy - hh:mm:ss:nn - dddd", QDateTime(thursday, QTime(14, 35, 20, 7))),
            "10.05.2012 - 14:35:20:35 - " + QLocale::system().dayName(4, QLocale::LongFormat));
  const QString midnight = ui::DateTimeToStr(QDateTime(thursday, QTime(0, 0)));
  EXPECT_EQ(ui::DateTimeToStr(QDateTime(thursday, QTime(9, 5, 3))), midnight + " 09:05:03");
  // Days of the week count from Sunday.
  for (int day = 1; day <= 7; ++day) EXPECT_EQ(ui::DayOfWeek(QDate(2012, 5, 12 + day)), day);
}

TEST_F(SysUtilsTest, FoldersUnderTheCurrentDirectory) {
  ui::seams().currentDir = [] { return QString("/tmp/games/"); };
  EXPECT_EQ(ui::GetCurrentDir(), "/tmp/games");
  ui::seams().currentDir = [] { return QString("/"); };
  EXPECT_EQ(ui::GetCurrentDir(), "/");
  testing_support::TempCurrentDir dir;
  const QString base = ui::GetCurrentDir();
  EXPECT_TRUE(ui::CreateDir(base + "/Статистика"));
  EXPECT_TRUE(QDir(base + "/Статистика").exists());
  EXPECT_FALSE(ui::CreateDir(base + "/Статистика"));     // exists already
  EXPECT_FALSE(ui::CreateDir(base + "/missing/child"));  // one level only
  EXPECT_FALSE(QDir(base + "/missing").exists());
  EXPECT_FALSE(ui::CreateDir(QString()));
}

}  // namespace
