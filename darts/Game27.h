// Doubles practice "27": one visit of three darts at the double of each sector
// 1..20 in turn, and, when chosen for the opening, a last visit at the Bull.
// Each hit adds the double (50 at the Bull), a visit without a hit takes it off
// once; the game ends after the last sector, or at once when a visit without a
// hit takes the total below zero. Finished games go into the history that the
// statistics file and the export are made of.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "darts/SheetBlock.h"

namespace darts {

class Game27 {
 public:
  static constexpr int kStart = 27;
  static constexpr int kBull = 21;       // the Bull visit stands after sector 20
  static constexpr int kSheetRows = 11;  // sectors 1..10 beside 11..20, and the Bull row
  static constexpr int kSheetCols = 9;   // four columns a half, an empty one between

  // How a visit ended the game.
  enum class End { None, LastSectorMissed, LastSectorOneHit, LastSector, BelowZero };

  // The window is shown: no game, the history holds its headings alone.
  void Open();
  // A new game, with or without the Bull visit at its end.
  void NewGame(bool withBull);
  // A visit with `hits` (0..3) darts in the double; ignored while no game runs.
  End Visit(int hits);
  // The window is left or closed: the sheet and the history are emptied.
  void Clear();

  bool Running() const { return running_; }
  bool WithBull() const { return withBull_; }
  int CurrentSector() const { return CurrentSector_; }
  int Total() const { return Total_; }
  int GamesPlayed() const { return GamesPlayed_; }
  int HistoryRow() const { return HistoryRow_; }
  // A cell of the score sheet as it is shown: sectors 1..10 in columns 0..3 and
  // 11..20 (and the Bull) in columns 5..8, each row the sector, its hits, its
  // points and the total after it.
  QString SheetCell(int col, int row) const;
  // The history's rows 0..HistoryRow(): the headings, then a block per game.
  std::vector<std::array<QString, 4>> HistoryRows() const;

  // The statistics file: the stamp, then the history rows 0..HistoryRow().
  QStringList FileLines(const QString& stamp) const;
  // The export: the history rows 0..HistoryRow() - 1 under coloured headings.
  SheetBlock Sheet() const;

  // Points of a visit with `hits` darts at `sector`.
  static int Points(int sector, int hits);
  static int LastSector(bool withBull) { return withBull ? kBull : 20; }

 private:
  struct Played {
    int hits, points, total;
  };
  void EndGame();
  void CopyRow(int sector, int blockRow);

  bool running_ = false;
  bool shown_ = false;  // a game was started since the window was shown
  bool withBull_ = false;
  int CurrentSector_ = 1;
  int Total_ = kStart;
  int LastSector_ = 20;
  int GameRows_ = 1;  // 1 plus the visits of the current game
  int GamesPlayed_ = 0;
  int HistoryRow_ = 1;  // where the block of the next finished game begins
  bool GameFinishedByLastSector_ = false;
  std::array<std::optional<Played>, kBull + 1> sheet_{};  // by sector
  std::vector<std::array<QString, 4>> history_;          // rows 1.. of the history
};

}  // namespace darts
