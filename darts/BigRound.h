// Big round "Набор": a game of 21 rounds, one visit of three darts at each
// sector from 1 to 20 and then at the Bull. The player types the score of each
// visit; a round takes only what three darts at its sector can make. Every
// finished game is dated and recorded with its sum and averages; the games
// since the window was shown, with their sums and averages per sector, make the
// statistics file and the export.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "darts/Decimals.h"
#include "darts/SheetBlock.h"

namespace darts {

class BigRound {
 public:
  static constexpr int kRounds = 21;     // sectors 1..20, then the Bull
  static constexpr int kMaxVisit = 180;  // what a score field takes at all
  static constexpr int kTableCols = 28;  // date, game, 21 rounds, sum, 3 averages, an empty cell
  static constexpr int kResultCols = 4;

  // How an average is written where it is shown: two decimals.
  using Decimals = DecimalsText;
  // Now, as the end of a game is dated.
  using Dated = QString (*)();
  BigRound(Decimals twoDecimals, Dated now);

  // What a typed visit leaves the window to do.
  enum class Visited {
    Ignored,      // no game in play
    OutOfRange,   // empty, or not from 0 to 180
    NotANumber,   // digits split by a blank
    NotInSector,  // three darts at the round's sector cannot make it
    Next,         // taken; the next round waits
    GameOver,     // taken at the Bull: the game is recorded
  };

  // The window is shown: no games since.
  void Open();
  // The window is left or closed: a game in play is dropped, the rounds
  // cleared; the games stay until the next showing.
  void Clear();
  // A new game from sector 1, at any moment.
  void NewGame();
  // The score field's text, its three positions as typed (a blank where
  // nothing was typed). A score typed from the first position with a leading
  // zero counts 0.
  Visited Visit(const QString& typed);
  // Takes back the last round of the game in play; false when there is none.
  bool Undo();

  int RoundsPlayed() const { return RoundsPlayed_; }
  int GamesPlayed() const { return static_cast<int>(games_.size()); }
  float AllGamesSum() const { return AllGamesSum_; }
  // The running total of the game in play.
  int Sum() const { return sum_; }
  // A game was started since the window was closed: its rounds are shown.
  bool Started() const { return started_; }
  // Visits are taken.
  bool Running() const { return started_ && RoundsPlayed_ < kRounds; }
  // The undo button is in use: from a taken visit to the game's end.
  bool UndoOffered() const { return undoOffered_; }
  // The titles over sectors 11 to 20: from the tenth round of the game on.
  bool SecondColumn() const { return secondColumn_; }
  // The score of round 1..21 as it is shown; "0" before it is played.
  QString ScoreText(int round) const;
  // The results: row 0 the averages over the games, row g game g.
  QString ResultCell(int col, int row) const;

  // The table of games: row 0 the headings, a row per game, then the sums and
  // the averages per sector; every row kTableCols cells.
  QStringList TableRow(int row) const;
  // The statistics file: the table's rows.
  QStringList FileLines(const QString& stamp) const;
  // The export: the table under coloured headings, its first column coloured.
  SheetBlock Sheet() const;

 private:
  struct Game {
    QString dated;
    std::array<QString, kRounds> scores;
    float sum, perDart, perVisit, running;
  };
  static float AsShown(float value);
  void RecordGame();

  Decimals twoDecimals_;
  Dated now_;
  bool started_ = false;
  bool undoOffered_ = false;
  bool secondColumn_ = false;
  int RoundsPlayed_ = 0;
  int sum_ = 0;
  float AllGamesSum_ = 0;
  std::array<QString, kRounds> scores_;  // as shown
  std::array<int, kRounds> values_{};
  std::vector<Game> games_;
  // Over the games: every round, the sum and the two averages as shown.
  std::array<float, kRounds + 3> totals_{};
};

}  // namespace darts
