// Sector practice "Сектора": the player chooses a sector (20 down to 1, or the
// Bull) and throws a series of ten visits of three darts at it, typing the
// score of each; a visit takes only what three darts in that sector can make.
// Every finished series adds a summary row with its sum and averages; the
// summary rows make the statistics file and the export.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "darts/Decimals.h"
#include "darts/SheetBlock.h"

namespace darts {

class SectorPractice {
 public:
  static constexpr int kVisits = 10;
  static constexpr int kSheetCols = 5;
  static constexpr int kSheetRows = kVisits + 1;
  static constexpr int kSummaryCols = 4;

  // How an average is written where it is shown: two decimals.
  using Decimals = DecimalsText;
  explicit SectorPractice(Decimals twoDecimals);

  // What a typed visit leaves the window to do.
  enum class Visited {
    Ignored,      // no series in play
    Empty,        // nothing typed
    NotANumber,   // digits split by a blank
    NotInSector,  // three darts in the sector cannot make it
    Next,         // taken; the next visit waits
    SeriesDone,   // the tenth visit: the series is in the summary
  };

  // A new series at the sector 1..20, or kBullSector.
  void ChooseSector(int sector);
  // The score field's text, as typed.
  Visited Visit(const QString& typed);
  // The window is left: the sheet and the summary are emptied.
  void Clear();

  const QString& SectorName() const { return SectorName_; }
  int SectorValue() const { return SectorValue_; }
  int VisitCounter() const { return VisitCounter_; }  // 11 once the tenth visit is in
  int SectorSum() const { return SectorSum_; }
  float DartAverage() const { return DartAverage_; }
  float VisitAverage() const { return VisitAverage_; }
  int SummaryRow() const { return static_cast<int>(summary_.size()); }  // series finished
  // Visits are taken.
  bool Running() const { return chosen_ && VisitCounter_ <= kVisits; }

  // The number of the visit to enter; empty once the series is done.
  QString VisitText() const;
  // The sheet of the series: row 0 names the sector, row n visit n (its
  // number, score, the sum after it and the two averages).
  QString SheetCell(int col, int row) const;
  // The summary: a row per finished series, its sector, sum and averages.
  QString SummaryCell(int col, int row) const;

  // The statistics file: the stamp, the headings, the summary rows and an
  // empty row.
  QStringList FileLines(const QString& stamp) const;
  // The export: the summary under coloured headings.
  SheetBlock Sheet() const;

 private:
  struct Row {
    int score, sum;  // the visit's score (none in a summary row), the sum after it
    float perDart, perVisit;
    QString name;  // of a summary row
  };
  QStringList SummaryLine(int row) const;

  Decimals twoDecimals_;
  bool chosen_ = false;  // a sector was chosen since the window was left
  QString SectorName_;
  int SectorValue_ = 0;
  int VisitCounter_ = 1;
  int SectorSum_ = 0;
  float DartAverage_ = 0;
  float VisitAverage_ = 0;
  std::vector<Row> visits_;  // of the series
  std::vector<Row> summary_;
};

}  // namespace darts
