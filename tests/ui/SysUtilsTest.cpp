#include <gtest/gtest.h>

#include <QDir>
#include <QLocale>

#include "tests/support/TestSupport.h"
#include "ui/Seams.h"
#include "ui/SysUtils.h"

namespace {

class SysUtilsTest : public testing_support::SeamsFixture {
 protected:
  void UseSeparator(QChar c) { ui::seams().decimalSeparator = c; }
};

struct FormatCase {
  const char* format;
  double value;
  const char* expected;
};

TEST_F(SysUtilsTest, FormatFloatRoundsHalvesAwayFromZeroOnTheDecimalExpansion) {
  UseSeparator('.');
  const FormatCase cases[] = {
      // Averages are single-precision floats.
      {"0.00", float(501) / 14, "35.79"},
      {"0.00", float(501) / 9, "55.67"},
      {"0.00", float(1503) / 9, "167.00"},
      {"0.00", float(501) / 20, "25.05"},
      // Exact halves go away from zero; values just under a half stay down.
      {"0.00", 0.125, "0.13"},
      {"0.00", -0.125, "-0.13"},
      {"0", 2.5, "3"},
      {"0.00", 2.675f, "2.67"},  // 2.67499995...
      {"0.00", 1.005, "1.00"},   // 1.00499999999999989...
      {"0.00", 9.995f, "9.99"},  // 9.99499988...
      {"0.00", 9.999, "10.00"},  // carry into a new digit
      {"0.0", 99.96, "100.0"},
      // ".00" writes no digit before the point below 1; "0.00" always does.
      {".00", 0, ".00"},
      {"0.00", 0, "0.00"},
      {".00", 0.5, ".50"},
      // A value that rounds to zero carries no sign.
      {"0.00", -0.001, "0.00"},
      {"#.##", 2.5, "2.5"},
      {"000", 7, "007"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ui::FormatFloat(c.format, c.value), QString::fromUtf8(c.expected))
        << "format " << c.format << " value " << c.value;
  }
}

TEST_F(SysUtilsTest, FormatFloatWritesTheLocaleSeparator) {
  UseSeparator(',');
  EXPECT_EQ(ui::FormatFloat("0.00", float(501) / 14), "35,79");
  EXPECT_EQ(ui::FormatFloat(".00", 0), ",00");
  EXPECT_EQ(ui::FormatFloat("0.0", 0.5f), "0,5");
  EXPECT_EQ(ui::FormatFloat("0", 12.0), "12");
  EXPECT_EQ(ui::DecimalSeparator(), QChar(','));
}

TEST_F(SysUtilsTest, FormatFloatOfNonFiniteValuesDoesNotCrash) {
  UseSeparator('.');
  EXPECT_EQ(ui::FormatFloat("0.00", std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(ui::FormatFloat("0.00", -std::numeric_limits<double>::infinity()), "-INF");
  EXPECT_EQ(ui::FormatFloat("0.00", std::numeric_limits<double>::quiet_NaN()), "NAN");
  // 0/0 in single precision, as an average of no visits would be.
  const float zero = 0.0f;
  EXPECT_EQ(ui::FormatFloat("0.00", zero / zero), "NAN");
}

struct FloatCase {
  double value;
  const char* dot;
  const char* comma;
};

TEST_F(SysUtilsTest, FloatToStrGivesTheShortestFormWithFifteenDigits) {
  const FloatCase cases[] = {
      {37.5, "37.5", "37,5"},
      {38, "38", "38"},
      {0, "0", "0"},
      {0.5, "0.5", "0,5"},
      {1e20, "1E20", "1E20"},
      {1.5e-5, "1.5E-5", "1,5E-5"},
      {1.0 / 3, "0.333333333333333", "0,333333333333333"},
      {0.1f, "0.100000001490116", "0,100000001490116"},
      {float(100) / 3, "33.3333320617676", "33,3333320617676"},
      {0.1 + 0.2, "0.3", "0,3"},
  };
  for (const auto& c : cases) {
    UseSeparator('.');
    EXPECT_EQ(ui::FloatToStr(c.value), QString::fromUtf8(c.dot)) << c.value;
    UseSeparator(',');
    EXPECT_EQ(ui::FloatToStr(c.value), QString::fromUtf8(c.comma)) << c.value;
  }
}

TEST_F(SysUtilsTest, StrToIntReadsNumbersWithLeadingBlanksAndSign) {
  const std::pair<const char*, int> good[] = {
      {"0", 0},
      {"180", 180},
      {"  7", 7},
      {"-5", -5},
      {"+60", 60},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
  };
  for (const auto& [text, value] : good) EXPECT_EQ(ui::StrToInt(text), value) << text;
}

TEST_F(SysUtilsTest, StrToIntRaisesOnAnythingElse) {
  const char* bad[] = {"",    "   ", "1 5", "5 ",         "abc",         "5a",
                       "-",   "+",   "1.5", "2147483648", "-2147483649", "99999999999999999999",
                       "--5", "1_5"};
  for (const char* text : bad) {
    try {
      ui::StrToInt(text);
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const ui::EConvertError& e) {
      EXPECT_EQ(QString::fromStdString(e.what()), QString("'%1' is not a valid integer value").arg(text));
    }
  }
}

TEST_F(SysUtilsTest, StrToFloatUsesOnlyTheLocaleSeparator) {
  struct Case {
    QChar sep;
    const char* text;
    double value;
  } good[] = {
      {'.', "37.5", 37.5},    {'.', " 2 ", 2},     {'.', "-0.5", -0.5}, {'.', ".5", 0.5},     {'.', "1e3", 1000},
      {'.', "1.5E-2", 0.015}, {',', "37,5", 37.5}, {',', "100", 100},   {',', "+0,25", 0.25},
  };
  for (const auto& c : good) {
    UseSeparator(c.sep);
    EXPECT_DOUBLE_EQ(ui::StrToFloat(c.text), c.value) << c.text;
  }
  struct Bad {
    QChar sep;
    const char* text;
  } bad[] = {{'.', ""},  {'.', "abc"},  {'.', "1 5"},   {'.', "1.2.3"}, {'.', "1e"},
             {'.', "."}, {',', "37.5"}, {',', "1,2,3"}, {'.', "1e999"}, {'.', "-"}};
  for (const auto& c : bad) {
    UseSeparator(c.sep);
    try {
      ui::StrToFloat(c.text);
      ADD_FAILURE() << "no error for '" << c.text << "'";
    } catch (const ui::EConvertError& e) {
      EXPECT_EQ(QString::fromStdString(e.what()), QString("'%1' is not a valid floating point value").arg(c.text));
    }
  }
}

TEST_F(SysUtilsTest, FormatDateTimeTokens) {
  const QDateTime t(QDate(2012, 5, 10), QTime(14, 35, 20, 7));  // a Thursday
  const QLocale loc = QLocale::system();
  const QString thursday = loc.dayName(4, QLocale::LongFormat);
  ASSERT_FALSE(thursday.isEmpty());
  const std::pair<const char*, QString> cases[] = {
      {"yyyy.mm.dd - hh:mm:ss:nn", "2012.05.10 - 14:35:20:35"},
      {"dd.mm.yyyy - hh:mm:ss:nn - dddd", "10.05.2012 - 14:35:20:35 - " + thursday},
      {"h:m", "14:35"},                // "m" right after an hour is minutes
      {"hh:mm dd.mm", "14:35 10.05"},  // and a month again after a day
      {"hh x mm", "14 x 05"},          // any other letter between ends the hour's hold on "m"
      {"yyyy-mm-dd_hh.nn", "2012-05-10_14.35"},
  };
  for (const auto& [format, expected] : cases) EXPECT_EQ(ui::FormatDateTime(format, t), expected) << format;

  const QDateTime early(QDate(2009, 1, 2), QTime(3, 4, 5));
  EXPECT_EQ(ui::FormatDateTime("d.m.yyyy h:n:s", early), "2.1.2009 3:4:5");
  EXPECT_EQ(ui::FormatDateTime("dd.mm.yyyy hh:nn:ss", early), "02.01.2009 03:04:05");
}

TEST_F(SysUtilsTest, DateTimeToStrEndsWithTheLongTime) {
  const QDateTime t(QDate(2012, 5, 10), QTime(9, 5, 3));
  const QString midnight = ui::DateTimeToStr(QDateTime(QDate(2012, 5, 10), QTime(0, 0)));
  EXPECT_FALSE(midnight.isEmpty());
  EXPECT_EQ(ui::DateTimeToStr(t), midnight + " 09:05:03") << "the date part, alone at midnight";
}

TEST_F(SysUtilsTest, DayOfWeekCountsFromSunday) {
  const std::pair<QDate, int> cases[] = {
      {QDate(2012, 5, 13), 1}, {QDate(2012, 5, 14), 2}, {QDate(2012, 5, 10), 5},
      {QDate(2012, 5, 12), 7}, {QDate(2026, 12, 6), 1},
  };
  for (const auto& [date, day] : cases) EXPECT_EQ(ui::DayOfWeek(date), day) << date.toString().toStdString();
}

TEST_F(SysUtilsTest, GetCurrentDirDropsTheTrailingSeparator) {
  const std::pair<QString, QString> cases[] = {{"/tmp/games/", "/tmp/games"}, {"/tmp/games", "/tmp/games"}, {"/", "/"}};
  for (const auto& [given, expected] : cases) {
    ui::seams().currentDir = [g = given] { return g; };
    EXPECT_EQ(ui::GetCurrentDir(), expected);
  }
}

TEST_F(SysUtilsTest, CreateDirMakesOneLevelOnly) {
  testing_support::TempCurrentDir dir;
  const QString base = ui::GetCurrentDir();
  EXPECT_TRUE(ui::CreateDir(base + "/Статистика"));
  EXPECT_TRUE(QDir(base + "/Статистика").exists());
  EXPECT_FALSE(ui::CreateDir(base + "/Статистика"));  // exists already
  EXPECT_FALSE(ui::CreateDir(base + "/missing/child"));
  EXPECT_FALSE(QDir(base + "/missing").exists());
  EXPECT_FALSE(ui::CreateDir(QString()));
}

}  // namespace
