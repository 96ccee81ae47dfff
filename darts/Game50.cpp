#include "darts/Game50.h"

#include "darts/FileLine.h"

namespace darts {

namespace {

QStringList Headings() {
  return {QStringLiteral("Лег"), QStringLiteral("Кол-во дротиков"), QStringLiteral("На 1 дротик"),
          QStringLiteral("Средний набор")};
}

}  // namespace

Game50::Game50(Decimals twoDecimals) : twoDecimals_(twoDecimals) {}

void Game50::Open() { Clear(); }

void Game50::Clear() {
  started_ = asked_ = false;
  VisitCount_ = Remaining_ = LegScored_ = 0;
  sheet_.clear();
  legs_.clear();
}

void Game50::NewLeg() {
  started_ = true;
  asked_ = false;
  VisitCount_ = 0;
  Remaining_ = kStart;
  LegScored_ = 0;
  DartAverage_ = VisitAverage_ = 0;
  sheet_.clear();
}

bool Game50::ValueOffered(int value) const {
  if (!Running()) return false;
  if (value == kBust) return Remaining_ < kMaxVisit;
  if (value < 0 || value > kMaxVisit || value % 25 != 0) return false;
  return value <= 25 || value <= Remaining_;
}

bool Game50::DartOffered(int dart) const {
  const int fewest = (lastValue_ + 49) / 50;  // bull darts score 25 or 50
  return asked_ && dart >= fewest && dart <= 3;
}

Game50::Visited Game50::Visit(int value) {
  if (!ValueOffered(value)) return Visited::Ignored;
  VisitCount_ += 1;
  const bool bust = Remaining_ < value;
  if (!bust) {
    LegScored_ += value;
    Remaining_ -= value;
    lastValue_ = value;
  }
  DartAverage_ = static_cast<float>(LegScored_) / static_cast<float>(VisitCount_ * 3);
  VisitAverage_ = static_cast<float>(LegScored_) / static_cast<float>(VisitCount_);
  sheet_.push_back(Row{bust ? kBust : value, Remaining_, DartAverage_, VisitAverage_, Remaining_ > 0});
  if (Remaining_ > 0) return Visited::Next;
  if (value > 100) {
    RecordLeg(3);
    return Visited::LegRecorded;
  }
  asked_ = true;
  return Visited::DartAsked;
}

bool Game50::FinishingDart(int dart) {
  if (!DartOffered(dart)) return false;
  RecordLeg(dart);
  return true;
}

void Game50::RecordLeg(int dart) {
  asked_ = false;
  const int darts = (VisitCount_ - 1) * 3 + dart;
  const float perDart = static_cast<float>(kStart) / static_cast<float>(darts);
  legs_.push_back(Leg{darts, perDart});
  Row& last = sheet_.back();
  last.perDart = perDart;
  last.perVisit = 3 * perDart;
  last.averages = true;
}

QString Game50::LastVisitText() const {
  if (sheet_.empty()) return {};
  return sheet_.back().value == kBust ? QStringLiteral("0") : QString::number(sheet_.back().value);
}

QString Game50::ScoredText() const { return sheet_.empty() ? QString() : QString::number(LegScored_); }

QString Game50::RemainingText() const { return sheet_.empty() ? QString() : QString::number(Remaining_); }

QString Game50::SheetCell(int col, int row) const {
  if (row < 0 || row >= SheetRows()) return {};
  if (row == 0) return col == 2 ? QString::number(kStart) : QString();
  const Row& r = sheet_[row - 1];
  switch (col) {
    case 0:
      return QString::number(row);
    case 1:
      return r.value == kBust ? QStringLiteral("ПБ") : QString::number(r.value);
    case 2:
      return QString::number(r.remaining);
    case 3:
      return r.averages ? twoDecimals_(r.perDart) : QString();
    case 4:
      return r.averages ? twoDecimals_(r.perVisit) : QString();
    default:
      return {};
  }
}

QStringList Game50::LegRow(int row) const {
  if (row < 0 || row >= LegCount()) return {QString(), QString(), QString(), QString()};
  const Leg& leg = legs_[row];
  return {QString::number(row + 1), QString::number(leg.darts), twoDecimals_(leg.perDart),
          twoDecimals_(3 * leg.perDart)};
}

QString Game50::LegCell(int col, int row) const { return LegRow(row).value(col); }

QStringList Game50::FileLines(const QString& stamp) const {
  QStringList lines{stamp, FileLine(Headings())};
  for (int r = 0; r <= LegCount(); ++r) lines << FileLine(LegRow(r));  // the last row empty
  return lines;
}

SheetBlock Game50::Sheet() const {
  // The array reaches one column past the block, empty and out of the sheet.
  const int legs = LegCount();
  SheetBlock block(legs + 1, kLegCols, legs + 1, kLegCols);
  const QStringList headings = Headings();
  block.SetRow(0, 0, {headings.begin(), headings.end()});
  for (int r = 0; r < legs; ++r) {
    const QStringList row = LegRow(r) << QString();
    block.SetRow(r + 1, 0, {row.begin(), row.end()});
  }
  block.ColumnWidths(1, {4, 16, 12, 14});
  block.Fill(1, 1, 1, kLegCols, 35);
  return block;
}

}  // namespace darts
