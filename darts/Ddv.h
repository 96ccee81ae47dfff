// Treble practice "DDV": a game is 200 darts at the treble, entered one at a
// time as hit or missed, in visits of three (the last visit has two). The hits
// give the hit percentage and the game's DDV value, from "3,0" (12 hits) down
// to "0,1" (every dart). Each visit adds a column to a stepped graph of the
// hits so far. Every finished game fills a column of the results table of the
// opening; the statistics file and the export are made of that table.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "darts/Decimals.h"
#include "darts/SheetBlock.h"

namespace darts {

class Ddv {
 public:
  static constexpr int kDarts = 200;
  static constexpr int kVisitDarts = 3;
  static constexpr int kFewestHits = 12;  // 6 % of the darts: the lowest value, "3,0"
  static constexpr int kResultRows = 16;
  // The graph in pixels: the visit axis, the hit axis, a visit's width (the
  // last visit's) and a hit's height.
  static constexpr int kVisitAxisY = 400;
  static constexpr int kHitAxisX = 20;
  static constexpr int kVisitWidth = 6;
  static constexpr int kLastVisitWidth = 4;
  static constexpr int kHitHeight = 2;

  // How the percentage is written where it is shown: with one decimal (the
  // panel) and in its shortest form (the results table).
  using Format = DecimalsText;
  Ddv(Format oneDecimal, Format shortest);

  // The graph's column of a visit, drawn after its last dart.
  struct Column {
    enum class Label {
      None,
      Tenth,  // after the 10th, 20th, ..., 60th visit: a guide line and the hits so far
      Last,   // after the last dart: the same, the hits written closer to the column
    };
    int x, y;     // the graph's end before the visit: left edge, level of the hits before it
    int width;    // kVisitWidth, kLastVisitWidth for the last visit
    int hits;     // of the visit
    bool filled;  // a visit without a hit is filled only once the game has a hit
    Label label;
  };
  // What a dart leaves the window to do.
  struct Thrown {
    bool taken = false;  // false: not the dart of the moment, nothing changed
    std::optional<Column> column;
    bool gameOver = false;  // the 200th dart: the game's column of results is written
  };

  // The window is shown or closed: no game, no results, nothing unsaved.
  void Clear();
  // A new game (when offered); `tableStamp` heads the results table when this
  // is the first game since the window was shown.
  void NewGame(const QString& tableStamp);
  // Dart 1..3 of the visit hit or missed; only the current dart is taken.
  Thrown Dart(int dart, bool hit);
  // The player asked to leave and stays: a new game is offered from now on,
  // also while this one runs (a new game then replaces it).
  void LeaveAsked() { newGameFreed_ = true; }
  // The statistics file holds the finished games: nothing unsaved any more.
  void FileWritten() { UnsavedGame_ = false; }

  int DartsThrown() const { return DartsThrown_; }
  int Hits() const { return Hits_; }
  float HitPercent() const { return HitPercent_; }
  int VisitHits() const { return VisitHits_; }
  int VisitNumber() const { return VisitNumber_; }
  int OneHitVisits() const { return OneHitVisits_; }
  int TwoHitVisits() const { return TwoHitVisits_; }
  int ThreeHitVisits() const { return ThreeHitVisits_; }
  int GraphX() const { return GraphX_; }
  int GraphY() const { return GraphY_; }
  int StepWidth() const { return StepWidth_; }
  int GameNumber() const { return static_cast<int>(games_.size()); }
  bool UnsavedGame() const { return UnsavedGame_; }

  bool Running() const { return running_; }
  // The dart (1..3) of the visit whose buttons are offered; 0 outside a game.
  int CurrentDart() const { return running_ ? DartsThrown_ % kVisitDarts + 1 : 0; }
  bool NewGameOffered() const { return !running_ || newGameFreed_; }
  // The panels: "0,00" until the game's first hit.
  QString PercentText() const;
  // The game's DDV value, always with a decimal comma; empty below 12 hits.
  QString DdvText() const { return DdvText(Hits_); }
  static QString DdvText(int hits);
  // Hits of 200 darts as a percentage, in single precision.
  static float Percent(int hits);
  // The treble recommended for a DDV text: "???" for an empty text, "T20" for
  // 0.1 <= v < 1.7, "T19" for 1.7 <= v <= 3.0, "T7" above. The value is read
  // in single precision whatever the user's decimal separator; a value below
  // 0.1 or a text that is no number leaves the previous recommendation.
  static QString Recommendation(const QString& ddvText, const QString& previous);

  // The results table: column 0 the stamp and the row titles, column k game k,
  // one empty column after the last game.
  int ResultCols() const { return GameNumber() + 2; }
  QString ResultCell(int col, int row) const;

  // The statistics file: the 16 rows of the results table.
  QStringList FileLines(const QString& stamp) const;
  // The export: rows 0..14 of the results table, the stamp over A1:B1, the
  // stamp and game headers coloured.
  SheetBlock Sheet() const;

 private:
  // A game's column of results, written at its end.
  struct Result {
    float percent;
    QString ddv;
    int hits, one, two, three;
    std::array<int, 6> byDarts;  // one hit: first, second, third dart; two: 1+2, 1+3, 2+3
  };
  Column EndVisit(int width, Column::Label label);

  Format oneDecimal_, shortest_;
  bool running_ = false;
  bool newGameFreed_ = false;
  int DartsThrown_ = 0;
  int Hits_ = 0;
  float HitPercent_ = 0;
  int VisitHits_ = 0;
  int visitMask_ = 0;  // darts of the visit that hit: 4 the first, 2 the second, 1 the third
  int VisitNumber_ = 1;
  int OneHitVisits_ = 0;
  int TwoHitVisits_ = 0;
  int ThreeHitVisits_ = 0;
  std::array<int, 6> byDarts_{};
  int GraphX_ = kHitAxisX;
  int GraphY_ = kVisitAxisY;
  int StepWidth_ = kVisitWidth;
  bool UnsavedGame_ = false;
  QString tableStamp_;
  std::vector<std::optional<Result>> games_;  // game k in games_[k - 1]
};

}  // namespace darts
