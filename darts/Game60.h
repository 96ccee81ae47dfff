// Checkout ladder "60": one target to check out, starting at 60. A visit that
// closes it with one of the three darts adds 10, one that closes it through the
// Bull after two darts adds 1, one that does not close it takes 1 off. The game
// ends at 1, at 131 or more, or after the visits of an accepted limit. Finished
// games go into the log that the statistics file and the export are made of.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "darts/SheetBlock.h"

namespace darts {

class Game60 {
 public:
  static constexpr int kStart = 60;
  static constexpr int kLowest = 1;     // falling to this target ends the game
  static constexpr int kHighest = 131;  // reaching this target or more ends it
  static constexpr int kMinLimit = 8;
  static constexpr int kMaxLimit = 999;

  // How a visit closed the target.
  enum class Dart { First, Second, Third, Bull };
  // What a visit did: nothing (no game, a limit waiting to be accepted, a dart
  // that cannot close the target), the game goes on, it ended, or it ended on
  // a visit that did not close (the one end the player is told of).
  enum class Visit { Ignored, Played, Ended, Lost };

  using Row = std::array<QString, 4>;

  // The window is shown: no limit, an empty log, a new game.
  void Open();
  // A new game at 60; the log and the limit stay.
  void NewGame();
  Visit Closed(Dart dart);
  Visit NotClosed();
  // The window is closed: the target back at 60 and the sheet emptied.
  void Clear();

  // The limit box: ticked, no visit counts until a limit is accepted;
  // unticked, there is no limit.
  void LimitBox(bool ticked);
  // The typed limit (blanks around it are ignored): accepted when it reads as
  // a whole number from 8 to 999; it then holds until the next opening.
  bool AcceptLimit(const QString& typed);

  bool Running() const { return running_; }
  bool LimitWaiting() const { return limitBox_ && !limitAccepted_; }
  // A visit may be reported: a game runs and no limit waits.
  bool Scoring() const { return running_ && !LimitWaiting(); }
  // While scoring: "1" and "2" where so few darts can close the target, "3"
  // and the Bull always.
  bool Offered(Dart dart) const;
  int Target() const { return Target_; }
  // The target the last finished game ended on.
  int EndTarget() const { return EndTarget_; }
  int VisitNumber() const { return static_cast<int>(visits_.size()) + 1; }
  int GamesPlayed() const { return GamesPlayed_; }
  int HistoryRow() const { return HistoryRow_; }
  // The suggested route: "20 D20" before the first visit, then the table's.
  QString Suggestion() const;
  // A row of the visit sheet: the visit, the target before it, "Да" or "Нет",
  // the dart that closed it ("0" when not closed).
  Row SheetRow(int row) const;
  // The log's rows 0..HistoryRow(): the column titles, then a block per game.
  std::vector<Row> LogRows() const;

  // The statistics file: the stamp, then the log rows 0..HistoryRow().
  QStringList FileLines(const QString& stamp) const;
  // The export: the log rows 0..HistoryRow() - 1 under coloured titles.
  SheetBlock Sheet() const;

  // The checkout route of targets 41..130 ("T20 - 20 - D20"), empty elsewhere.
  static QString Route(int target);
  // Whether one dart can close the target (the Bull, or an even number up to
  // D20), and whether two can.
  static bool OneDartCloses(int target);
  static bool TwoDartsClose(int target);

 private:
  struct Played {
    int target;
    bool closed;
    Dart dart;
  };
  Visit Add(Played visit, int newTarget);
  bool LimitReached() const;

  bool running_ = true;
  bool limitBox_ = false;
  bool limitAccepted_ = false;
  int limit_ = 0;
  int Target_ = kStart;
  int EndTarget_ = kStart;
  int GamesPlayed_ = 0;
  int HistoryRow_ = 1;          // where the block of the next finished game begins
  std::vector<Played> visits_;  // of the current (or just finished) game
  std::vector<Row> history_;    // log rows 1..HistoryRow_ - 1
};

}  // namespace darts
