#include "darts/DartsRules.h"

namespace darts {

bool IsImpossibleVisit(int total) {
  switch (total) {
    case 163:
    case 166:
    case 169:
    case 172:
    case 173:
    case 175:
    case 176:
    case 178:
    case 179:
      return true;
    default:
      return false;
  }
}

bool IsUnfinishable(int remainder) {
  return remainder == 159 || remainder == 162 || remainder == 165 || remainder == 168 || remainder > 170;
}

FinishingDarts FinishingDartsFor(int visit) {
  switch (visit) {
    case 99:
    case 102:
    case 103:
    case 105:
    case 106:
    case 108:
    case 109:
      return FinishingDarts::ThirdOnly;
    default:
      break;
  }
  if (visit > 110) return FinishingDarts::ThirdOnly;
  // One dart finishes only on a double (even, at most 40) or the bull.
  if (visit % 2 != 0 || (visit > 40 && visit != 50)) return FinishingDarts::SecondOrThird;
  return FinishingDarts::Any;
}

Band BandOf(int visit) {
  if (visit == 180) return Band::Max180;
  if (visit >= 140 && visit < 180) return Band::From140;
  if (visit >= 100 && visit < 140) return Band::From100;
  if (visit >= 80 && visit < 100) return Band::From80;
  if (visit >= 60 && visit < 80) return Band::From60;
  return Band::None;
}

namespace {

// A plain decimal number without sign or blanks; -1 otherwise.
int Number(const QString& s) {
  if (s.isEmpty() || s.size() > 2) return -1;
  int n = 0;
  for (QChar c : s) {
    if (c < QChar('0') || c > QChar('9')) return -1;
    n = n * 10 + (c.unicode() - '0');
  }
  if (s.size() == 2 && s[0] == QChar('0')) return -1;
  return n;
}

}  // namespace

int DartValue(const QString& dart) {
  if (dart.isEmpty()) return -1;
  const QChar kind = dart[0];
  if (kind == QChar('T') || kind == QChar('D')) {
    const int n = Number(dart.mid(1));
    if (n < 1 || n > 20) return -1;
    return kind == QChar('T') ? 3 * n : 2 * n;
  }
  const int n = Number(dart);
  if ((n >= 1 && n <= 20) || n == 25 || n == 50) return n;
  return -1;
}

bool IsFinishingDart(const QString& dart) {
  return dart == QStringLiteral("50") || (dart.startsWith(QChar('D')) && DartValue(dart) > 0);
}

}  // namespace darts
