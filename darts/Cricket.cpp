#include "darts/Cricket.h"

#include <algorithm>

#include "darts/FileLine.h"

namespace darts {

QString Cricket::Caption(Segment seg) {
  if (!Valid(seg)) return {};
  if (seg.s == 21) return QString::number(Score(seg));
  const char* const prefix[] = {"", "D", "T"};
  return QLatin1String(prefix[seg.m - 1]) + QString::number(seg.s);
}

Cricket::Kind Cricket::KindOf(Segment seg) {
  if (seg.s == 21) return static_cast<Kind>(seg.m - 1);  // "0" a miss, "25" a single, "50" a double
  return static_cast<Kind>(seg.m);
}

int Cricket::TargetOf(Segment seg) {
  if (seg.s == 21) return seg.m == 1 ? -1 : kBull;
  return 20 - seg.s;
}

int Cricket::MarksOf(Segment seg) { return seg.s == 21 ? seg.m - 1 : seg.m; }

int Cricket::Score(Segment seg) { return seg.s == 21 ? (seg.m - 1) * 25 : seg.s * seg.m; }

void Cricket::Open(const QString& shownAt) {
  shownAt_ = shownAt;
  marks_ = {};
  leg_ = {};
  total_ = {};
  LegDarts_ = 0;
  LegNumber_ = 0;
  VisitRow_ = 1;
  DartInVisit_ = 0;
  HistoryRow_ = 2;
  inLeg_ = false;
  visits_.clear();
  legs_.clear();
}

void Cricket::NewLeg() {
  NewLegOffered_ = false;
  LegNumber_ += 1;
  VisitRow_ = 1;
  DartInVisit_ = 0;
  LegDarts_ = 0;
  leg_ = {};
  marks_ = {};
  visits_.clear();
  inLeg_ = true;
}

bool Cricket::Takes(Segment seg) const {
  if (!inLeg_ || !Valid(seg)) return false;
  const int target = TargetOf(seg);
  return target < 0 || marks_[target] < kMarksToClose;
}

bool Cricket::Throw(Segment seg) {
  if (!Takes(seg)) return false;
  const auto kind = static_cast<size_t>(KindOf(seg));
  leg_[kind] += 1;
  total_[kind] += 1;
  LegDarts_ += 1;
  DartInVisit_ += 1;
  if (static_cast<int>(visits_.size()) < VisitRow_) visits_.emplace_back();
  Visit& visit = visits_[VisitRow_ - 1];
  visit.legDarts = LegDarts_;
  visit.darts.push_back(seg);
  if (const int target = TargetOf(seg); target >= 0) marks_[target] += MarksOf(seg);

  const bool legOver = std::all_of(marks_.begin(), marks_.end(), [](int m) { return m >= kMarksToClose; });
  if (LegDarts_ % 3 == 0 || legOver) {
    visit.ended = true;
    VisitRow_ += 1;
    DartInVisit_ = 0;
  }
  if (legOver) {
    legs_.push_back(Leg{LegNumber_, visits_, leg_});
    HistoryRow_ += VisitRow_ + 2;
    inLeg_ = false;
    NewLegOffered_ = true;
  }
  return true;
}

int Cricket::MarkPicture(int target) const {
  const int marks = marks_[target];
  return std::min(marks, kMarksToClose);
}

Cricket::Row Cricket::VisitCells(const Visit& v) {
  Row row{QString::number(v.legDarts)};
  int sum = 0;
  for (size_t d = 0; d < v.darts.size(); ++d) {
    row[d + 1] = Caption(v.darts[d]);
    sum += Score(v.darts[d]);
  }
  if (v.ended) row[4] = QString::number(sum);
  return row;
}

QString Cricket::VisitCell(int col, int row) const {
  if (col < 0 || col >= kCols || row < 0 || row > VisitRows()) return {};
  if (row == 0) return col == 0 ? QStringLiteral("Лег №") : col == 1 ? QString::number(LegNumber_) : QString();
  return VisitCells(visits_[row - 1])[col];
}

std::vector<Cricket::Row> Cricket::RecordRows() const {
  const auto counts = [](const char* title, const std::array<int, 4>& n) {
    return Row{QString::fromUtf8(title), QString::number(n[0]), QString::number(n[1]), QString::number(n[2]),
               QString::number(n[3])};
  };
  std::vector<Row> rows{{shownAt_},
                        {"Кол-во дротиков", "Первый дротик", "Второй дротик", "Третий дротик", "Сумма за подход"}};
  for (const Leg& leg : legs_) {
    rows.push_back({QStringLiteral("Лег № ") + QString::number(leg.number)});
    for (const Visit& v : leg.visits) rows.push_back(VisitCells(v));
    rows.push_back({QString(), "Мимо сектора", "Сектор", "Удвоение", "Утроение"});
    rows.push_back(counts("Итого по легу", leg.counts));
  }
  rows.emplace_back();
  rows.push_back(counts("Итого по всем легам", total_));
  rows.resize(rows.size() + 2);
  return rows;
}

QStringList Cricket::FileLines() const {
  QStringList lines;
  for (const Row& row : RecordRows()) lines << FileLine({row.begin(), row.end()});
  return lines;
}

SheetBlock Cricket::Sheet() const {
  const std::vector<Row> rows = RecordRows();
  const int lastRow = HistoryRow_ + 3;
  SheetBlock block(lastRow, kCols, lastRow - 1, kCols - 1);
  for (int r = 0; r < lastRow; ++r) block.SetRow(r, 0, {rows[r].begin(), rows[r].end()});
  block.Merge(1, 1, 1, kCols);  // the date row
  block.ColumnWidths(1, {20, 16, 16, 16, 16});
  block.Fill(1, 1, 2, kCols, 35);  // the date and the titles
  return block;
}

}  // namespace darts
