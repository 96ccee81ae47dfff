#include "darts/MatchRules.h"

namespace darts {

int LegDarts(int visits, int finishingDart) { return (visits - 1) * 3 + finishingDart; }

int BestLeg(int best, int darts) { return (best == 0 || darts < best) ? darts : best; }

float LegAveragePerDart(int startScore, int darts) {
  return static_cast<float>(startScore) / static_cast<float>(darts);
}

float LegAveragePerVisit(int startScore, int darts) { return LegAveragePerDart(startScore, darts) * 3; }

LegOutcome CountLeg(const MatchSettings& settings, MatchScore& score, int winner) {
  const int w = winner == 1 ? 0 : 1;
  if (settings.setsToWin <= 0) {
    score.legs[w] += 1;
    return score.legs[w] == settings.legsToWin ? LegOutcome::MatchWon : LegOutcome::LegWon;
  }
  if (score.legs[w] + 1 == settings.legsToWin) {
    score.sets[w] += 1;
    score.legs[0] = score.legs[1] = 0;
    return score.sets[w] == settings.setsToWin ? LegOutcome::MatchWon : LegOutcome::SetWon;
  }
  score.legs[w] += 1;
  return LegOutcome::LegWon;
}

int Toggled(int player) { return player == 1 ? 2 : 1; }

Starters NextStarters(const MatchSettings& settings, LegOutcome outcome, const MatchScore& after, int setStarter,
                      int legStarter) {
  Starters next{setStarter, legStarter, false};
  if (settings.setsToWin <= 0) {
    const int deciding = settings.legsToWin - 1;
    if (settings.decidingLegDraw && after.legs[0] == deciding && after.legs[1] == deciding) {
      next.askChooser = true;
    } else {
      next.legStarter = Toggled(legStarter);
    }
    return next;
  }
  if (outcome == LegOutcome::SetWon) {
    const int deciding = settings.setsToWin - 1;
    if (settings.decidingSetDraw && after.sets[0] == deciding && after.sets[1] == deciding) {
      next.askChooser = true;
    } else {
      next.setStarter = Toggled(setStarter);
      next.legStarter = next.setStarter;
    }
    return next;
  }
  next.legStarter = Toggled(legStarter);
  return next;
}

}  // namespace darts
