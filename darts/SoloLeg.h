// One leg of solo practice of a countdown game (501, 301, ... 1001): the
// player's visits from the start score down to 0, the visit bands, the running
// averages, and the dart that finished the leg.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "darts/DartsRules.h"
#include "darts/Decimals.h"

namespace darts {

class SoloLeg {
 public:
  // What a typed visit did.
  enum class Entry {
    Ignored,         // the leg has ended: nothing happens
    OutOfRange,      // nothing typed, or not 0..180
    Impossible,      // a total no three darts add up to
    AboveRemainder,  // more than is left
    NoFinish,        // all that is left, which three darts cannot finish: 0 is to be typed
    Accepted,
    BustAtOne,  // it would leave 1: counted as a visit of 0
    Finished,   // nothing left: the finishing dart is asked
    Recorded,   // nothing left, and only the third dart can have done it (the session records it at once)
  };

  explicit SoloLeg(int startScore = 501);

  // A visit; `typed` is empty when nothing was typed.
  Entry Visit(std::optional<int> typed);
  // Which darts can have finished the leg (asked after Finished).
  FinishingDarts DartsOffered() const;
  // The leg was finished with dart 1, 2 or 3: its darts and averages. False
  // unless the finishing dart was asked.
  bool Finish(int dart);
  // Takes back the last visit, a finish and its record included. False when
  // there is none.
  bool Undo();

  bool InPlay() const { return LegDarts_ == 0; }
  bool DartAsked() const { return LegDarts_ == 1; }
  bool Over() const { return LegDarts_ > 1; }  // finished, with its darts known

  int StartScore() const { return StartScore_; }
  int Remainder() const { return Remainder_; }
  // 0 in play, 1 while the finishing dart is asked, then the leg's darts.
  int LegDarts() const { return LegDarts_; }
  int VisitCount() const { return static_cast<int>(visits_.size()); }
  int VisitScore() const { return VisitScore_; }  // the last accepted visit (0 for a bust)
  int FinishingDart() const { return FinishingDart_; }
  // The visits of the leg in the bands 60+, 80+, 100+, 140+ and 180.
  const std::array<int, kBandCount>& Bands() const { return bands_; }
  int Band60() const { return bands_[0]; }
  int Band80() const { return bands_[1]; }
  int Band100() const { return bands_[2]; }
  int Band140() const { return bands_[3]; }
  int Band180() const { return bands_[4]; }
  // The averages last computed: after each visit, at the finish, and back
  // to the last visit kept after an undo.
  float AvgPerDart() const { return AvgPerDart_; }
  float AvgPerVisit() const { return AvgPerVisit_; }
  bool AveragesShown() const { return averagesShown_; }

  // The visit sheet: row 0 holds the start score in column 2; row n is visit
  // n: its number, score, remainder after it and the average per visit (the
  // finishing visit's once the leg is over).
  QString VisitCell(int col, int row, QChar separator) const;

 private:
  struct Row {
    int score;      // 0 for a bust
    int remainder;  // after the visit
  };
  void AddToBand(int visit, int delta);
  void Average(int visits);

  int StartScore_;
  int Remainder_;
  int LegDarts_ = 0;
  int VisitScore_ = 0;
  int FinishingDart_ = 0;
  std::array<int, kBandCount> bands_{};
  float AvgPerDart_ = 0;
  float AvgPerVisit_ = 0;
  bool averagesShown_ = false;
  std::vector<Row> visits_;
};

}  // namespace darts
