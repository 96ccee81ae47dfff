#include "darts/SectorVisits.h"

namespace darts {

bool IsSectorVisit(int sector, int score) {
  if (score < 0) return false;
  const int step = sector == kBullSector ? 25 : sector;
  const int most = sector == kBullSector ? 6 : 9;
  if (step <= 0) return false;
  return score % step == 0 && score / step <= most;
}

}  // namespace darts
