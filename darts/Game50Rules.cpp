#include "darts/Game50Rules.h"

namespace darts {

bool Game50ValueOffered(int value, int remaining) { return value <= 25 || value <= remaining; }

bool Game50BustOffered(int remaining) { return remaining < kGame50MaxVisit; }

FinishingDarts Game50FinishingDarts(int lastVisit) {
  if (lastVisit > 100) return FinishingDarts::ThirdOnly;
  if (lastVisit > 50) return FinishingDarts::SecondOrThird;
  return FinishingDarts::Any;
}

int Game50LegDarts(int visits, int dart) { return (visits - 1) * 3 + dart; }

}  // namespace darts
