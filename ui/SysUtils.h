// Number and date texts with the class library's behaviour.
#pragma once

#include <QDateTime>
#include <QString>
#include <stdexcept>
#include <string>

namespace ui {

// A text that is no number.
class EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(const QString& msg) : std::runtime_error(msg.toStdString()) {}
};

// The decimal separator of the user's regional settings (a seam for tests).
QChar DecimalSeparator();

// Shortest text of a value: 15 significant digits, no trailing zeros.
QString FloatToStr(double value);

// Whole numbers as plain decimal text.
QString IntToStr(long long value);

// Reads an integer; surrounding blanks are not allowed inside the number.
// Raises EConvertError "'<text>' is not a valid integer value".
int StrToInt(const QString& text);

// Reads a real number with the locale's decimal separator.
// Raises EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(const QString& text);

// "yyyy" year ("yy" two digits), "mm"/"m" month or, right after an hour,
// minutes, "dd"/"d" day, "dddd"/"ddd" the weekday's full/short name in the
// user's language, "hh"/"h" hour, "nn"/"n" minutes, "ss"/"s" seconds; any other
// character copied.
QString FormatDateTime(const QString& format, const QDateTime& dt);

// The default date-time text (short date, blank, long time).
QString DateTimeToStr(const QDateTime& dt);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(const QDate& d);

// The local time now (through the clock seam).
QDateTime Now();

// The current directory (through the seam), without a trailing separator.
QString GetCurrentDir();

// Creates one folder level; false when it cannot be created or exists.
bool CreateDir(const QString& path);

}  // namespace ui
