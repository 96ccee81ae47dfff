// American cricket for one player: a leg closes the seven targets 20 down to 15
// and the Bull with three marks each, dart by dart. A single gives one mark, a
// double two, a treble three; the outer bull ("25") one mark and the Bull
// ("50") two. Every dart also scores in full in its visit's sum, whatever the
// marks of its target. Finished legs go into the record that the statistics
// file and the export are made of.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "darts/SheetBlock.h"

namespace darts {

class Cricket {
 public:
  static constexpr int kTargets = 7;  // 20, 19, 18, 17, 16, 15 and the Bull, in this order
  static constexpr int kBull = 6;
  static constexpr int kMarksToClose = 3;
  static constexpr int kCols = 5;  // darts of the leg, the three darts, the visit's sum
  static constexpr int kFollowFromRow = 15;

  // A segment as its button is named: s from 20 down to 15 with m 1, 2, 3 for
  // the single, double and treble; s 21 the Bull row, with m 1 the miss "0",
  // 2 the outer bull "25" and 3 the Bull "50".
  struct Segment {
    int s = 21;
    int m = 1;
  };
  enum class Kind { Miss, Single, Double, Treble };

  static bool Valid(Segment seg) { return seg.s >= 15 && seg.s <= 21 && seg.m >= 1 && seg.m <= 3; }
  // "20", "D20", "T20", ... "15", "D15", "T15", "0", "25", "50"; empty for no segment.
  static QString Caption(Segment seg);
  static Kind KindOf(Segment seg);
  // The target a segment marks (0 for 20 ... 6 for the Bull), -1 for the miss.
  static int TargetOf(Segment seg);
  static int MarksOf(Segment seg);
  static int Score(Segment seg);

  // The window is shown at `shownAt`: no leg, an empty record under that date.
  void Open(const QString& shownAt);
  // A new leg; an unfinished one is dropped, its darts staying in the totals.
  void NewLeg();
  // A dart on a segment; false, with nothing changed, when the segment takes no
  // dart (no leg, or its target closed).
  bool Throw(Segment seg);
  // Leaving is asked for: a new leg can be started afterwards in any case.
  void Leaving() { NewLegOffered_ = true; }

  int Marks(int target) const { return marks_[target]; }
  int Marks20() const { return marks_[0]; }
  int Marks19() const { return marks_[1]; }
  int Marks18() const { return marks_[2]; }
  int Marks17() const { return marks_[3]; }
  int Marks16() const { return marks_[4]; }
  int Marks15() const { return marks_[5]; }
  int MarksBull() const { return marks_[kBull]; }
  int LegDarts() const { return LegDarts_; }
  int VisitRow() const { return VisitRow_; }
  int DartInVisit() const { return DartInVisit_; }
  int LegNumber() const { return LegNumber_; }
  int LegsPlayed() const { return static_cast<int>(legs_.size()); }
  int HistoryRow() const { return HistoryRow_; }
  int LegMisses() const { return leg_[0]; }
  int LegSingles() const { return leg_[1]; }
  int LegDoubles() const { return leg_[2]; }
  int LegTrebles() const { return leg_[3]; }
  int TotalMisses() const { return total_[0]; }
  int TotalSingles() const { return total_[1]; }
  int TotalDoubles() const { return total_[2]; }
  int TotalTrebles() const { return total_[3]; }

  bool InLeg() const { return inLeg_; }
  // Whether the segment's button takes a dart now.
  bool Takes(Segment seg) const;
  bool NewLegOffered() const { return NewLegOffered_; }
  // Which of a target's pictures shows: 0 plain, 1 and 2 marks, 3 closed.
  int MarkPicture(int target) const;
  // The visit sheet: row 0 the leg's number, then a row per visit.
  QString VisitCell(int col, int row) const;
  int VisitRows() const { return static_cast<int>(visits_.size()); }
  // The visit row the sheet keeps selected and in view after a dart: the
  // current one from the 15th visit on, 0 before.
  int FollowedRow() const { return VisitRow_ >= kFollowFromRow ? VisitRow_ : 0; }
  const QString& ShownAt() const { return shownAt_; }

  // The statistics file (it has no stamp line of its own): the record's rows up
  // to the all-legs totals and two empty rows after them.
  QStringList FileLines() const;
  // The export: the record up to the totals, the date row merged.
  SheetBlock Sheet() const;

 private:
  struct Visit {
    int legDarts = 0;
    std::vector<Segment> darts;
    bool ended = false;
  };
  struct Leg {
    int number;
    std::vector<Visit> visits;
    std::array<int, 4> counts;
  };
  using Row = std::array<QString, kCols>;
  static Row VisitCells(const Visit& v);
  std::vector<Row> RecordRows() const;  // rows 0..HistoryRow + 3, the totals among them

  QString shownAt_;
  std::array<int, kTargets> marks_{};
  std::array<int, 4> leg_{}, total_{};  // darts by kind, in the order of Kind
  int LegDarts_ = 0;
  int VisitRow_ = 1;
  int DartInVisit_ = 0;
  int LegNumber_ = 0;
  int HistoryRow_ = 2;
  bool inLeg_ = false;
  bool NewLegOffered_ = true;
  std::vector<Visit> visits_;  // the current leg's
  std::vector<Leg> legs_;      // finished since the window was shown
};

}  // namespace darts
