#include "darts/SoloLeg.h"

namespace darts {

SoloLeg::SoloLeg(int startScore) : StartScore_(startScore), Remainder_(startScore) {}

void SoloLeg::AddToBand(int visit, int delta) {
  const Band band = BandOf(visit);
  if (band != Band::None) bands_[static_cast<size_t>(band)] += delta;
}

// The averages over the first `visits` visits, in single precision.
void SoloLeg::Average(int visits) {
  const float scored = static_cast<float>(StartScore_ - Remainder_);
  AvgPerDart_ = scored / (static_cast<float>(visits) * 3);
  AvgPerVisit_ = scored / static_cast<float>(visits);
  averagesShown_ = true;
}

SoloLeg::Entry SoloLeg::Visit(std::optional<int> typed) {
  if (LegDarts_ != 0) return Entry::Ignored;
  if (!typed || *typed > kMaxVisit || *typed < 0) return Entry::OutOfRange;
  const int value = *typed;
  if (IsImpossibleVisit(value)) return Entry::Impossible;
  if (value > Remainder_) return Entry::AboveRemainder;
  if (value == Remainder_ && IsUnfinishable(value)) return Entry::NoFinish;

  VisitScore_ = value;
  Entry entry = Entry::Accepted;
  if (Remainder_ - value == 1) {
    VisitScore_ = 0;
    entry = Entry::BustAtOne;
  } else {
    Remainder_ -= value;
    AddToBand(value, 1);
  }
  visits_.push_back(Row{VisitScore_, Remainder_});
  if (Remainder_ == 0) {
    LegDarts_ = 1;
    return DartsOffered() == FinishingDarts::ThirdOnly ? Entry::Recorded : Entry::Finished;
  }
  Average(VisitCount());
  return entry;
}

FinishingDarts SoloLeg::DartsOffered() const {
  return visits_.empty() ? FinishingDarts::Any : FinishingDartsFor(visits_.back().score);
}

bool SoloLeg::Finish(int dart) {
  if (LegDarts_ != 1 || dart < 1 || dart > 3) return false;
  FinishingDart_ = dart;
  LegDarts_ = (VisitCount() - 1) * 3 + dart;
  AvgPerDart_ = static_cast<float>(StartScore_) / static_cast<float>(LegDarts_);
  AvgPerVisit_ = static_cast<float>(3 * StartScore_) / static_cast<float>(LegDarts_);
  averagesShown_ = true;
  return true;
}

bool SoloLeg::Undo() {
  const int n = VisitCount();
  if (n < 1) return false;
  LegDarts_ = 0;
  FinishingDart_ = 0;
  AddToBand(visits_.back().score, -1);
  visits_.pop_back();
  if (n == 1) {
    Remainder_ = StartScore_;
    AvgPerDart_ = AvgPerVisit_ = 0;
    averagesShown_ = false;
  } else {
    Remainder_ = visits_.back().remainder;
    Average(n - 1);
  }
  return true;
}

QString SoloLeg::VisitCell(int col, int row, QChar separator) const {
  if (row == 0) return col == 2 ? QString::number(StartScore_) : QString();
  if (row < 0 || row > VisitCount()) return {};
  const Row& r = visits_[static_cast<size_t>(row - 1)];
  switch (col) {
    case 0:
      return QString::number(row);
    case 1:
      return QString::number(r.score);
    case 2:
      return QString::number(r.remainder);
    case 3:
      if (row < VisitCount() || InPlay()) {
        const float scored = static_cast<float>(StartScore_ - r.remainder);
        return Decimals(scored / static_cast<float>(row), 2, separator);
      }
      return Over() ? Decimals(AvgPerVisit_, 2, separator) : QString();
    default:
      return {};
  }
}

}  // namespace darts
