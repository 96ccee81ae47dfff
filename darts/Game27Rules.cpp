#include "darts/Game27Rules.h"

namespace darts {

int Game27LastSector(bool withBull) { return withBull ? kGame27BullSector : 20; }

int Game27Points(int sector, int hits) {
  const int target = sector == kGame27BullSector ? 50 : 2 * sector;
  return hits == 0 ? -target : target * hits;
}

}  // namespace darts
