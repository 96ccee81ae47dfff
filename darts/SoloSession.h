// One opening of the solo practice window: the game chosen, the leg in play,
// and the record of the finished legs with its totals row, from which the
// statistics file and the export are made.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "darts/SheetBlock.h"
#include "darts/SoloLeg.h"

namespace darts {

class SoloSession {
 public:
  static constexpr int kLegCols = 11;  // leg, darts, two averages, finish, dart, five bands

  // The start score of an item of the game list (501 for anything else).
  static int StartScoreOf(int gameIndex);

  // The window is shown: game 501, leg 0, a record of its totals row alone.
  // Averages are written with the user's decimal separator.
  void Open(QChar decimalSeparator);
  // Another game before the first leg: its start score, leg 0 again.
  void ChooseGame(int gameIndex);
  // A new leg of the game chosen; possible only before the first leg and
  // after a recorded one (false otherwise).
  bool NewLeg(int gameIndex);
  // A visit of the leg in play. A finish that only the third dart can have
  // made is recorded at once (Entry::Recorded).
  SoloLeg::Entry Visit(std::optional<int> typed);
  // The leg was finished with dart 1, 2 or 3: its row goes into the record.
  bool FinishingDart(int dart);
  // Takes back the last visit; after a recorded finish, the leg's row too.
  bool Undo();
  // The window is closed: both sheets are emptied, the panels show 0, the
  // leg number is 1.
  void Clear();

  // A leg was started in this opening and the window is open.
  bool Playing() const { return phase_ == Phase::Playing; }
  // Visits are taken: a leg in play whose remainder is not 0 yet.
  bool TakesVisits() const { return Playing() && leg_.InPlay(); }
  bool DartAsked() const { return Playing() && leg_.DartAsked(); }
  bool LegRecorded() const { return Playing() && leg_.Over(); }
  // The legs standing in the record (rows 1..); with none, leaving writes no file.
  int RecordedLegs() const { return static_cast<int>(legs_.size()); }

  const SoloLeg& Leg() const { return leg_; }
  int StartScore() const { return leg_.StartScore(); }
  int Remainder() const { return leg_.Remainder(); }
  int VisitCount() const { return leg_.VisitCount(); }
  int LegNumber() const { return LegNumber_; }

  // What the window shows: the remainder and the averages (".00"), "0" before
  // the first leg and once closed; the checkout suggestion for the remainder.
  QString RemainderText() const;
  QString AvgPerDartText() const;
  QString AvgPerVisitText() const;
  QString Suggestion() const;
  QString VisitCell(int col, int row) const;
  // A row of the leg record, its 11 cells: row 0 the totals (the averages over
  // the legs as their rows show them, the band sums), row L leg L.
  QStringList RecordRow(int row) const;

  // The statistics file: the stamp, the heading line, then record rows 0 to
  // LegNumber() + 1.
  QStringList FileLines(const QString& stamp) const;
  // The export: headings over record rows 0 to LegNumber().
  SheetBlock Sheet() const;

 private:
  enum class Phase { Closed, Idle, Playing };
  struct LegRow {
    int darts, finish, dart;
    float perDart, perVisit;
    std::array<int, kBandCount> bands;
  };
  QString Decimals(float value, bool unitsDigit = true) const { return darts::Decimals(value, 2, separator_, unitsDigit); }

  Phase phase_ = Phase::Closed;
  QChar separator_ = QLatin1Char('.');
  int LegNumber_ = 1;
  SoloLeg leg_;
  std::vector<LegRow> legs_;  // rows 1.. of the record
};

}  // namespace darts
