// Rules of a two-player match in legs and sets that do not depend on any
// window: the darts of a finished leg, the best leg, counting legs and sets,
// and who starts the next leg.
#pragma once

namespace darts {

struct MatchSettings {
  int setsToWin = 0;             // 0: a match of legs only
  int legsToWin = 1;             // legs that win a set (or the match without sets)
  bool decidingLegDraw = false;  // legs only: the players choose who starts the deciding leg
  bool decidingSetDraw = false;  // with sets: the same for the first leg of the deciding set
};

// Sets and legs won by each player (index 0 is player 1).
struct MatchScore {
  int sets[2] = {0, 0};
  int legs[2] = {0, 0};
};

// Darts of a leg finished on its visits-th visit with the given dart (1..3).
int LegDarts(int visits, int finishingDart);

// The best leg after a leg of `darts`: fewer darts is better, a tie keeps the
// old best; 0 stands for no leg yet.
int BestLeg(int best, int darts);

// A finished leg's averages per dart and per visit, in single precision.
float LegAveragePerDart(int startScore, int darts);
float LegAveragePerVisit(int startScore, int darts);

enum class LegOutcome { LegWon, SetWon, MatchWon };

// Counts a leg won by `winner` (1 or 2). Winning a set sets both players' legs
// back to 0.
LegOutcome CountLeg(const MatchSettings& settings, MatchScore& score, int winner);

// Player 2 when it was 1, player 1 otherwise.
int Toggled(int player);

struct Starters {
  int setStarter = 1;
  int legStarter = 1;       // also the next thrower
  bool askChooser = false;  // the players choose the next starter; legStarter is left as it was
};

// Who starts after a leg that did not end the match, from the score after it.
Starters NextStarters(const MatchSettings& settings, LegOutcome outcome, const MatchScore& after, int setStarter,
                      int legStarter);

}  // namespace darts
