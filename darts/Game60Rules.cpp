#include "darts/Game60Rules.h"

#include <iterator>

namespace darts {

namespace {

// Routes of the targets 41..130, in order.
const char* const kRoutes[] = {
    "1 - D20",        "2 - D20",        "3 - D20",         "4 - D20",        "5 - D20",
    "6 - D20",        "7 - D20",        "8 - D20",         "9 - D20",        "50",
    "11 - D20",       "12 - D20",       "13 - D20",        "14 - D20",       "15 - D20",
    "16 - D20",       "17 - D20",       "18 - D20",        "19 - D20",       "20 - D20",
    "T15 - D8",       "T10 - D16",      "T17 - D6",        "T16 - D8",       "25 - D20",
    "50 - D8",        "T17 - D8",       "T20 - D4",        "T11 - D18",      "T18 - D8",
    "T13 - D16",      "T20 - D6",       "T19 - D8",        "T14 - D16",      "T17 - D12",
    "T20 - D8",       "T15 - D16",      "T18 - D12",       "T19 - D11",      "T16 - D16",
    "T15 - D18",      "50 - D16",       "T17 - D16",       "T20 - D12",      "T19 - D14",
    "T18 - D16",      "T17 - D18",      "T20 - D14",       "T19 - D16",      "T20 - D15",
    "T17 - D20",      "T20 - D16",      "T19 - D18",       "T18 - D20",      "T20 - 3 - D16",
    "T20 - D18",      "T19 - D20",      "T18 - 12 - D16",  "T19 - 10 - D16", "T20 - D20",
    "T19 - 12 - D16", "T20 - 10 - D16", "T20 - 11 - D16",  "T20 - 12 - D16", "T19 - 16 - D16",
    "T20 - 14 - D16", "T20 - 15 - D16", "T20 - 16 - D16",  "T20 - 17 - D16", "T18 - 16 - D20",
    "T19 - 14 - D20", "T20 - 20 - D16", "T19 - 16 - D20",  "T20 - 14 - D20", "T19 - 20 - D19",
    "T20 - 20 - D18", "T20 - 17 - D20", "T20 - 18 - D20",  "T20 - 19 - D20", "T20 - 20 - D20",
    "T17 - T18 - D8", "T18 - 18 - 50",  "T19 - 16 - 50",   "T20 - 14 - 50",  "50 - 25 - 50",
    "T19 - T19 - D6", "T20 - T17 - D8", "T18 - T18 - D10", "T19 - T20 - D6", "20 - T20 - 50",
};
static_assert(std::size(kRoutes) == kGame60LastRoute - kGame60FirstRoute + 1);

}  // namespace

bool Game60FirstDartOffered(int target) { return target == 50 || (target < 41 && target % 2 == 0); }

bool Game60SecondDartOffered(int target) {
  return target < 99 || target == 100 || target == 101 || target == 104 || target == 107 || target == 110;
}

QString Game60Route(int target) {
  if (target < kGame60FirstRoute || target > kGame60LastRoute) return QString();
  return QString::fromUtf8(kRoutes[target - kGame60FirstRoute]);
}

bool Game60LimitAccepted(int limit) { return limit >= kGame60MinLimit && limit <= kGame60MaxLimit; }

}  // namespace darts
