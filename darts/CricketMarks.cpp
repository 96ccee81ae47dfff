#include "darts/CricketMarks.h"

namespace darts {

int CricketTargetNumber(int target) { return target == kCricketBull ? 25 : 20 - target; }

std::optional<CricketDart> CricketDartOf(const QString& caption) {
  if (caption == QLatin1String("0")) return CricketDart{};
  if (caption == QLatin1String("25")) return CricketDart{kCricketBull, 1, DartKind::Single};
  if (caption == QLatin1String("50")) return CricketDart{kCricketBull, 2, DartKind::Double};
  QString number = caption;
  int marks = 1;
  DartKind kind = DartKind::Single;
  if (caption.startsWith(QLatin1Char('D'))) {
    marks = 2;
    kind = DartKind::Double;
    number = caption.mid(1);
  } else if (caption.startsWith(QLatin1Char('T'))) {
    marks = 3;
    kind = DartKind::Treble;
    number = caption.mid(1);
  }
  bool ok = false;
  const int n = number.toInt(&ok);
  if (!ok || number.size() != 2 || n < 15 || n > 20) return std::nullopt;
  return CricketDart{20 - n, marks, kind};
}

int CricketDartScore(const QString& cell) {
  const QString t = cell.trimmed();
  if (t.size() == 3 && t[0] == QLatin1Char('D')) return 2 * t.mid(1).toInt();
  if (t.size() == 3 && t[0] == QLatin1Char('T')) return 3 * t.mid(1).toInt();
  return t.toInt();  // an empty or unreadable cell scores nothing
}

bool AllClosed(const std::array<int, kCricketTargets>& marks) {
  for (int m : marks) {
    if (!IsClosed(m)) return false;
  }
  return true;
}

}  // namespace darts
