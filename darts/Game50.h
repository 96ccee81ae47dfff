// Bull practice "50 до 500 очков": a leg starts at 500 and every visit of three
// darts at the bull scores 0..150 in steps of 25, taken off until exactly 0 is
// left. A visit that would pass below 0 is entered as a bust. At 0 the player
// says which dart of the last visit finished the leg, and the leg goes into
// the table of legs with its darts and averages; the statistics file and the
// export are made of that table.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "darts/Decimals.h"
#include "darts/SheetBlock.h"

namespace darts {

class Game50 {
 public:
  static constexpr int kStart = 500;
  static constexpr int kMaxVisit = 150;
  static constexpr int kBust = 550;  // the bust's visit value: above any remaining
  static constexpr int kSheetCols = 5;
  static constexpr int kLegCols = 4;

  // How an average is written where it is shown: two decimals.
  using Decimals = DecimalsText;
  explicit Game50(Decimals twoDecimals);

  // What a visit leaves the window to do.
  enum class Visited {
    Ignored,      // no leg in play
    Next,         // the leg goes on
    DartAsked,    // at 0: which dart finished it (DartOffered)
    LegRecorded,  // at 0 with 125 or 150: the third dart, recorded at once
  };

  // The window is shown or closed: no leg, an empty sheet and table of legs.
  void Open();
  void Clear();
  // A new leg from 500; the table of legs stays.
  void NewLeg();
  // A visit of a value offered (ValueOffered); any other is ignored.
  Visited Visit(int value);
  // The leg was finished with dart 1..3 of its last visit; false (nothing
  // recorded) when that dart is not offered.
  bool FinishingDart(int dart);

  int VisitCount() const { return VisitCount_; }
  int Remaining() const { return Remaining_; }
  int LegScored() const { return LegScored_; }
  float DartAverage() const { return DartAverage_; }
  float VisitAverage() const { return VisitAverage_; }
  int LegCount() const { return static_cast<int>(legs_.size()); }

  // A leg is in play: visits are taken.
  bool Running() const { return started_ && Remaining_ > 0; }
  // A leg was started since the window was shown: the sheets are in use.
  bool Started() const { return started_; }
  // The visit (kBust too) can be entered now: 0 and 25 always, the others
  // while they do not pass the remaining, the bust once a full visit can.
  bool ValueOffered(int value) const;
  // The dart (1..3) is offered as the one that finished the leg: the fewest
  // bull darts that score the last visit, or more.
  bool DartOffered(int dart) const;
  bool DartAsked() const { return asked_; }
  bool NewLegOffered() const { return !Running() && !asked_; }

  // The panels: the last visit ("0" for a bust), the points of the leg and
  // the remaining; empty before the leg's first visit.
  QString LastVisitText() const;
  QString ScoredText() const;
  QString RemainingText() const;
  // The visit sheet: row 0 the start, row n visit n (its number, its value or
  // "ПБ", the remaining, the running averages; in the finishing row the leg's).
  int SheetRows() const { return started_ ? VisitCount_ + 1 : 0; }
  QString SheetCell(int col, int row) const;
  // The table of legs: row k - 1 leg k, its darts and its averages.
  QString LegCell(int col, int row) const;

  // The statistics file: the stamp, the headings, every leg and an empty row.
  QStringList FileLines(const QString& stamp) const;
  // The export: the legs under coloured headings.
  SheetBlock Sheet() const;

 private:
  struct Row {
    int value, remaining;
    float perDart, perVisit;
    bool averages;
  };
  struct Leg {
    int darts;
    float perDart;
  };
  QStringList LegRow(int row) const;
  void RecordLeg(int dart);

  Decimals twoDecimals_;
  bool started_ = false;
  bool asked_ = false;
  int VisitCount_ = 0;
  int Remaining_ = 0;
  int LegScored_ = 0;
  float DartAverage_ = 0;
  float VisitAverage_ = 0;
  int lastValue_ = 0;  // of the leg's last scoring visit
  std::vector<Row> sheet_;
  std::vector<Leg> legs_;
};

}  // namespace darts
