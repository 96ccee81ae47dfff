#include "ui/SysUtils.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "ui/Seams.h"

namespace ui {

namespace {

// A finite non-negative value as its decimal digits: value = 0.d1d2d3... x 10^exponent.
// The digits are the value's exact expansion (to 60 significant digits), so that
// rounding decides on what the binary value really is.
struct Decimal {
  std::string digits;  // no leading zeros; empty for zero
  int exponent = 0;
};

Decimal ToDecimal(double magnitude) {
  Decimal d;
  if (magnitude == 0.0) return d;
  char buf[128];
  std::snprintf(buf, sizeof buf, "%.60e", magnitude);
  std::string s(buf);
  const auto e = s.find('e');
  std::string mant = s.substr(0, e);
  const int exp10 = std::stoi(s.substr(e + 1));
  for (char c : mant)
    if (c >= '0' && c <= '9') d.digits.push_back(c);
  d.exponent = exp10 + 1;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

// Keeps `keep` digits (counted from the first significant one), halves away from
// zero. `keep` may be 0 or negative: then the value rounds to 0 or to one unit of
// the first kept place.
Decimal RoundDigits(Decimal d, int keep) {
  if (d.digits.empty()) return d;
  if (keep < 0) return Decimal{};
  if (static_cast<int>(d.digits.size()) <= keep) return d;
  const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
  d.digits.resize(static_cast<size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') {
      d.digits[static_cast<size_t>(i)] = '0';
      --i;
    }
    if (i < 0) {
      d.digits.insert(d.digits.begin(), '1');
      d.exponent += 1;
    } else {
      d.digits[static_cast<size_t>(i)] += 1;
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.exponent = 0;
  return d;
}

// The digit at decimal place `pos` (pos 1 = units, 2 = tens, 0 = tenths, -1 =
// hundredths ... counted like the exponent).
char DigitAt(const Decimal& d, int pos) {
  const int index = d.exponent - pos;
  if (index < 0 || index >= static_cast<int>(d.digits.size())) return '0';
  return d.digits[static_cast<size_t>(index)];
}

QString NonFinite(double value) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

QString QuotedError(const QString& text, const char* what) {
  return QStringLiteral("'%1' is not a valid %2").arg(text, QString::fromLatin1(what));
}

bool IsBlank(QChar c) { return c == QChar(' ') || c == QChar('\t'); }

}  // namespace

QChar DecimalSeparator() {
  const QChar sep = seams().decimalSeparator;
  return sep.isNull() ? QChar('.') : sep;
}

QString FloatToStr(double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  constexpr int kPrecision = 15;
  const bool negative = value < 0;
  Decimal d = RoundDigits(ToDecimal(std::fabs(value)), kPrecision);
  if (d.digits.empty()) return QStringLiteral("0");
  QString out;
  if (d.exponent > kPrecision || d.exponent < -3) {
    // Scientific form: "1E20", "1.5E-5".
    out += QChar(d.digits[0]);
    if (d.digits.size() > 1) {
      out += DecimalSeparator();
      out += QString::fromStdString(d.digits.substr(1));
    }
    out += QChar('E') + QString::number(d.exponent - 1);
  } else {
    if (d.exponent <= 0) {
      out = QStringLiteral("0") + DecimalSeparator() + QString(-d.exponent, QChar('0')) +
            QString::fromStdString(d.digits);
    } else {
      for (int pos = d.exponent; pos >= 1; --pos) out += QChar(DigitAt(d, pos));
      if (static_cast<int>(d.digits.size()) > d.exponent)
        out += DecimalSeparator() + QString::fromStdString(d.digits.substr(static_cast<size_t>(d.exponent)));
    }
  }
  if (negative) out.prepend(QChar('-'));
  return out;
}

QString IntToStr(long long value) { return QString::number(value); }

int StrToInt(const QString& text) {
  int i = 0;
  const int n = static_cast<int>(text.size());
  while (i < n && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == QChar('-') || text[i] == QChar('+'))) {
    negative = text[i] == QChar('-');
    ++i;
  }
  if (i >= n) throw EConvertError(QuotedError(text, "integer value"));
  long long v = 0;
  for (; i < n; ++i) {
    const QChar c = text[i];
    if (c < QChar('0') || c > QChar('9')) throw EConvertError(QuotedError(text, "integer value"));
    v = v * 10 + (c.unicode() - '0');
    if (v > 2147483648LL) throw EConvertError(QuotedError(text, "integer value"));
  }
  if (negative) v = -v;
  if (v > 2147483647LL || v < -2147483648LL) throw EConvertError(QuotedError(text, "integer value"));
  return static_cast<int>(v);
}

double StrToFloat(const QString& text) {
  // Blanks around the number are allowed; inside it they are not.
  const QStringView t = QStringView(text).trimmed();
  const QChar sep = DecimalSeparator();
  std::string plain;
  plain.reserve(static_cast<size_t>(t.size()));
  int i = 0;
  const int n = static_cast<int>(t.size());
  auto fail = [&]() { return EConvertError(QuotedError(text, "floating point value")); };
  auto digitAt = [&](int k) { return k < n && t[k] >= QChar('0') && t[k] <= QChar('9'); };
  if (i < n && (t[i] == QChar('-') || t[i] == QChar('+'))) plain.push_back(static_cast<char>(t[i++].unicode()));
  int mantissaDigits = 0;
  while (digitAt(i)) {
    plain.push_back(static_cast<char>(t[i++].unicode()));
    ++mantissaDigits;
  }
  if (i < n && t[i] == sep) {
    plain.push_back('.');
    ++i;
    while (digitAt(i)) {
      plain.push_back(static_cast<char>(t[i++].unicode()));
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) throw fail();
  if (i < n && (t[i] == QChar('e') || t[i] == QChar('E'))) {
    plain.push_back('e');
    ++i;
    if (i < n && (t[i] == QChar('-') || t[i] == QChar('+'))) plain.push_back(static_cast<char>(t[i++].unicode()));
    int expDigits = 0;
    while (digitAt(i)) {
      plain.push_back(static_cast<char>(t[i++].unicode()));
      ++expDigits;
    }
    if (expDigits == 0) throw fail();
  }
  if (i != n) throw fail();
  // The plain text is checked above; from_chars reads it exactly (no locale, and
  // out of range both ways is refused).
  const char* first = plain.data();
  const char* last = first + plain.size();
  if (*first == '+') ++first;
  double v = 0;
  const auto [end, error] = std::from_chars(first, last, v);
  if (error != std::errc() || end != last || !std::isfinite(v)) throw fail();
  return v;
}

QString FormatDateTime(const QString& format, const QDateTime& dt) {
  const QDate date = dt.date();
  const QTime time = dt.time();
  QString out;
  bool afterHour = false;  // "mm" right after an hour (across separators) means minutes
  const int n = static_cast<int>(format.size());
  for (int i = 0; i < n;) {
    const QChar c = format[i].toLower();
    int len = 1;
    while (i + len < n && format[i + len].toLower() == c) ++len;
    auto num = [len](int v) { return len == 1 ? QString::number(v) : QStringLiteral("%1").arg(v, 2, 10, QChar('0')); };
    const char token = c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\0';
    switch (token) {
      case 'y':
        out += len <= 2 ? num(date.year() % 100) : QStringLiteral("%1").arg(date.year(), 4, 10, QChar('0'));
        break;
      case 'm':
        out += num(afterHour ? time.minute() : date.month());
        break;
      case 'd':
        out += len <= 2
                   ? num(date.day())
                   : QLocale::system().dayName(date.dayOfWeek(), len == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
        break;
      case 'h':
        out += num(time.hour());
        break;
      case 'n':
        out += num(time.minute());
        break;
      case 's':
        out += num(time.second());
        break;
      default:
        out += format.mid(i, len);
        if (!c.isLetter()) {
          i += len;
          continue;  // separators keep an hour's hold on "mm"
        }
    }
    afterHour = token == 'h';
    i += len;
  }
  return out;
}

QString DateTimeToStr(const QDateTime& dt) {
  // Midnight exactly is written as the date alone.
  const QString date = QLocale::system().toString(dt.date(), QLocale::ShortFormat);
  if (dt.time() == QTime(0, 0)) return date;
  return date + QChar(' ') + FormatDateTime(QStringLiteral("hh:nn:ss"), dt);
}

int DayOfWeek(const QDate& d) { return d.dayOfWeek() % 7 + 1; }

QDateTime Now() { return seams().now ? seams().now() : QDateTime::currentDateTime(); }

QString GetCurrentDir() {
  QString dir = seams().currentDir ? seams().currentDir() : QDir::currentPath();
  while (dir.size() > 1 && (dir.endsWith(QChar('/')) || dir.endsWith(QChar('\\')))) dir.chop(1);
  return dir;
}

bool CreateDir(const QString& path) {
  if (path.isEmpty()) return false;
  const QFileInfo info(path);
  if (info.exists()) return false;
  const QDir parent = info.absoluteDir();
  if (!parent.exists()) return false;
  return parent.mkdir(info.fileName());
}

}  // namespace ui
