#include "darts/SoloSession.h"

#include <iterator>

#include "darts/FileLine.h"
#include "darts/SoloSuggestions.h"

namespace darts {

namespace {

const QStringList kHeadings = {"Лег",          "Кол-во дротиков", "На 1 дротик", "Средний набор",
                               "Закрыл число", "Каким дротиком",  "60 +",        "80 +",
                               "100 +",        "140 +",           "180"};

}  // namespace

int SoloSession::StartScoreOf(int gameIndex) {
  static const int kScores[] = {501, 301, 201, 170, 601, 701, 1001};
  if (gameIndex < 0 || gameIndex >= static_cast<int>(std::size(kScores))) return kScores[0];
  return kScores[gameIndex];
}

void SoloSession::Open(QChar decimalSeparator) {
  phase_ = Phase::Idle;
  separator_ = decimalSeparator;
  LegNumber_ = 0;
  leg_ = SoloLeg(StartScoreOf(0));
  legs_.clear();
}

void SoloSession::ChooseGame(int gameIndex) {
  if (phase_ != Phase::Idle) return;
  LegNumber_ = 0;
  leg_ = SoloLeg(StartScoreOf(gameIndex));
}

bool SoloSession::NewLeg(int gameIndex) {
  if (phase_ == Phase::Closed || (Playing() && !leg_.Over())) return false;
  phase_ = Phase::Playing;
  LegNumber_ += 1;
  leg_ = SoloLeg(StartScoreOf(gameIndex));
  return true;
}

SoloLeg::Entry SoloSession::Visit(std::optional<int> typed) {
  if (!Playing()) return SoloLeg::Entry::Ignored;
  const SoloLeg::Entry entry = leg_.Visit(typed);
  if (entry == SoloLeg::Entry::Recorded) FinishingDart(3);
  return entry;
}

bool SoloSession::FinishingDart(int dart) {
  if (!Playing() || !leg_.Finish(dart)) return false;
  legs_.push_back(
      LegRow{leg_.LegDarts(), leg_.VisitScore(), dart, leg_.AvgPerDart(), leg_.AvgPerVisit(), leg_.Bands()});
  return true;
}

bool SoloSession::Undo() {
  if (!Playing()) return false;
  if (leg_.Over()) legs_.pop_back();
  return leg_.Undo();
}

void SoloSession::Clear() {
  phase_ = Phase::Closed;
  LegNumber_ = 1;
  leg_ = SoloLeg(leg_.StartScore());
  legs_.clear();
}

QString SoloSession::RemainderText() const {
  return Playing() ? QString::number(leg_.Remainder()) : QStringLiteral("0");
}

QString SoloSession::AvgPerDartText() const {
  if (!Playing()) return QStringLiteral("0");
  return leg_.AveragesShown() ? Decimals(leg_.AvgPerDart(), false) : QString();
}

QString SoloSession::AvgPerVisitText() const {
  if (!Playing()) return QStringLiteral("0");
  return leg_.AveragesShown() ? Decimals(leg_.AvgPerVisit(), false) : QString();
}

QString SoloSession::Suggestion() const { return solo::SuggestionFor(leg_.Remainder()); }

QString SoloSession::VisitCell(int col, int row) const {
  return phase_ == Phase::Closed ? QString() : leg_.VisitCell(col, row, separator_);
}

QStringList SoloSession::RecordRow(int row) const {
  QStringList cells;
  if (phase_ == Phase::Closed || row < 0 || row > static_cast<int>(legs_.size())) {
    for (int c = 0; c < kLegCols; ++c) cells << QString();
    return cells;
  }
  if (row == 0) {
    // The averages over the legs are worked out from the two-decimal values
    // their rows show, in single precision.
    QString perDart, perVisit;
    std::array<int, kBandCount> bands{};
    if (!legs_.empty()) {
      float sumPerDart = 0, sumPerVisit = 0;
      for (const LegRow& leg : legs_) {
        sumPerDart += ShownTwoDecimals(leg.perDart);
        sumPerVisit += ShownTwoDecimals(leg.perVisit);
        for (size_t b = 0; b < bands.size(); ++b) bands[b] += leg.bands[b];
      }
      const float legs = static_cast<float>(legs_.size());
      perDart = Decimals(sumPerDart / legs);
      perVisit = Decimals(sumPerVisit / legs);
    }
    cells << QString() << QStringLiteral("Средн.") << perDart << perVisit << QString() << QStringLiteral("Сумма");
    for (int b : bands) cells << QString::number(b);
    return cells;
  }
  const LegRow& leg = legs_[static_cast<size_t>(row - 1)];
  cells << QString::number(row) << QString::number(leg.darts) << Decimals(leg.perDart) << Decimals(leg.perVisit)
        << QString::number(leg.finish) << QString::number(leg.dart);
  for (int b : leg.bands) cells << QString::number(b);
  return cells;
}

QStringList SoloSession::FileLines(const QString& stamp) const {
  QStringList lines{stamp, FileLine(kHeadings)};
  for (int r = 0; r <= LegNumber_ + 1; ++r) lines << FileLine(RecordRow(r));
  return lines;
}

SheetBlock SoloSession::Sheet() const {
  // The array reaches one row and one column past the block; they stay out.
  const int last = LegNumber_ + 2;
  SheetBlock block(last, kLegCols, last, kLegCols);
  block.SetRow(0, 0, {kHeadings.begin(), kHeadings.end()});
  for (int r = 1; r <= last; ++r) {
    const QStringList cells = RecordRow(r - 1) << QString();
    block.SetRow(r, 0, {cells.begin(), cells.end()});
  }
  block.ColumnWidths(1, {5, 17, 12, 14, 13, 17, 5, 5, 5, 5, 5});
  block.Fill(1, 1, 1, kLegCols, 35);
  block.Fill(2, 1, 2, kLegCols, 33);
  return block;
}

}  // namespace darts
