// A match of two players in legs and, when chosen, sets. Every leg starts from
// the start score; the players take turns, each visit typed as its total. The
// match keeps both visit sheets, the visit bands, the running and leg
// averages, legs, sets and best legs, who starts each leg and set (asking the
// players for a deciding leg or set when they play for its start), and a
// record of every finished leg that the export is made of.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "darts/DartsRules.h"
#include "darts/Decimals.h"
#include "darts/SheetBlock.h"

namespace darts {

// A match as the players set it up.
struct MatchSetup {
  int startScore = 501;
  int setsToWin = 0;             // 0: a match of legs only
  int legsToWin = 1;             // legs that win a set, or the match without sets
  int starter = 1;               // who throws first
  bool decidingLegDraw = false;  // legs only: the players choose who starts the deciding leg
  bool decidingSetDraw = false;  // with sets: the same for the deciding set
  QString player1, player2;
};

class Match {
 public:
  static constexpr int kRecordCols = 10;
  using RecordLine = std::array<QString, kRecordCols>;

  // How an average is written where players read it (two decimals, their
  // separator); the texts are taken when the average is computed.
  using AverageText = DecimalsText;
  explicit Match(AverageText averageText);

  // What became of a typed visit.
  enum class Taken {
    Ignored,        // no leg takes visits now
    OutOfRange,     // nothing typed, or not 0..180
    NotScorable,    // a total three darts cannot make
    LooksLikeBust,  // would leave 1 or less than 0, or a finish three darts cannot make
    Counted,
    LegFinished,  // the remainder is 0: which dart finished it is asked
  };
  enum class LegEnd { LegWon, SetWon, MatchWon };

  // A new match: nothing played, between legs, the starter to throw.
  void Prepare(const MatchSetup& setup);
  // The next leg from the start score; only between legs of a match not won.
  void NewLeg();
  // A visit of the player whose turn it is; nullopt when nothing was typed.
  Taken Visit(std::optional<int> typed);
  // A visit of no score for the player whose turn it is.
  void Bust();
  // Takes back the player's last visit, a finishing one too.
  void Undo(int player);
  // The leg's finishing visit was finished with this dart (1..3): the leg is
  // counted and recorded and the next starter chosen, unless the players are
  // to choose (StarterToChoose) or the match is won.
  LegEnd Finish(int dart);
  // The players' choice of who starts the deciding leg or set.
  void ChooseStarter(int player);

  // Settings.
  int StartScore() const { return StartScore_; }
  int SetsToWin() const { return SetsToWin_; }
  int LegsToWin() const { return LegsToWin_; }
  bool DecidingLegDraw() const { return DecidingLegDraw_; }
  bool DecidingSetDraw() const { return DecidingSetDraw_; }
  const QString& Player1Name() const { return Player1Name_; }
  const QString& Player2Name() const { return Player2Name_; }

  // The match and the leg in play (players 1 and 2).
  int SetStarter() const { return SetStarter_; }
  int LegStarter() const { return LegStarter_; }
  // Whose visit is next; at the end of a leg, until the next starter is
  // known, the player who finished it.
  int CurrentThrower() const { return CurrentThrower_; }
  int LegsPlayed() const { return LegsPlayed_; }
  int RecordRow() const { return static_cast<int>(record_.size()); }
  bool LegOver() const { return phase_ != Phase::InPlay; }
  bool MatchOver() const { return MatchOver_; }
  int FinishingDart() const { return FinishingDart_; }
  int Remainder(int player) const { return Of(player).Remainder; }
  int VisitCount(int player) const { return Of(player).VisitCount; }
  float AvgPerDart(int player) const { return Of(player).AvgPerDart; }
  float AvgPerVisit(int player) const { return Of(player).AvgPerVisit; }
  int ScoreBand(int player, Band band) const { return Of(player).ScoreBands[static_cast<int>(band)]; }
  int Sets(int player) const { return Of(player).sets; }
  int Legs(int player) const { return Of(player).legs; }
  int BestLeg(int player) const { return Of(player).best; }

  // What makes sense now.
  bool TakesVisits() const { return phase_ == Phase::InPlay; }
  bool NewLegAllowed() const { return phase_ == Phase::Between && !MatchOver_; }
  bool BustAllowed() const;
  bool UndoAllowed(int player) const { return undoBy_ == player; }
  // The darts that can have finished the leg, while that is asked.
  std::optional<FinishingDarts> DartsOffered() const;
  bool StarterToChoose() const { return starterToChoose_; }

  // As shown: the arrow at the player to throw (it stays at the leg's winner
  // until the next leg), the mark at the starter of the leg in play or last
  // played, the remainders (empty before the first leg) and the averages
  // ("0" at a new leg, empty before the first).
  int TurnMarker() const { return TurnMarker_; }
  int StarterMark() const { return StarterMark_; }
  QString RemainderText(int player) const;
  const QString& AvgPerDartText(int player) const { return Of(player).perDartText; }
  const QString& AvgPerVisitText(int player) const { return Of(player).perVisitText; }
  // A visit sheet: row 0 the start score, row n the player's n-th visit of the
  // leg (number, score or bust mark, remainder, averages per dart and visit).
  QString SheetCell(int player, int col, int row) const;
  // The record of the finished legs, a block per leg.
  QString RecordCell(int col, int row) const;

  // The record with the visit bands under it, for a new workbook.
  SheetBlock Sheet() const;

 private:
  enum class Phase { Between, InPlay, DartAsked };
  struct Row {
    int score;  // < 0: a bust
    int remainder;
    QString perDart, perVisit;  // empty for the finishing visit
  };
  struct Side {
    int Remainder = 0;
    int VisitCount = 0;
    float AvgPerDart = 0, AvgPerVisit = 0;
    QString perDartText, perVisitText;
    std::vector<Row> rows;
    std::array<int, kBandCount> ScoreBands{};
    int sets = 0, legs = 0, best = 0;
  };
  Side& Of(int player) { return sides_[player == 1 ? 0 : 1]; }
  const Side& Of(int player) const { return sides_[player == 1 ? 0 : 1]; }
  void CountBand(Side& s, int visit, int delta);
  void RunningAverages(Side& s);
  void ShowAverages(Side& s);
  LegEnd CountLeg(int winner);
  void AppendRecord(int winner, int legDarts);
  void NextStarter(LegEnd end);

  AverageText averageText_;
  int StartScore_ = 501, SetsToWin_ = 0, LegsToWin_ = 1;
  bool DecidingLegDraw_ = false, DecidingSetDraw_ = false;
  QString Player1Name_, Player2Name_;
  int SetStarter_ = 1, LegStarter_ = 1, CurrentThrower_ = 1;
  int LegsPlayed_ = 0;
  int FinishingDart_ = 0;
  bool MatchOver_ = false;
  Phase phase_ = Phase::Between;
  bool legShown_ = false;  // a leg has been started in this match
  bool acted_ = false;     // a visit, bust or undo in this leg
  int undoBy_ = 0;         // the player whose last visit can be taken back
  FinishingDarts offer_ = FinishingDarts::Any;
  bool starterToChoose_ = false;
  int TurnMarker_ = 1, StarterMark_ = 1;
  std::array<Side, 2> sides_;
  std::vector<RecordLine> record_;
};

}  // namespace darts
