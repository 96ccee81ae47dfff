// Rules of three-dart visits that do not depend on any window: which totals
// three darts can make, which remainders three darts can finish, with which
// dart a finish can have been thrown, and the visit bands of the statistics.
#pragma once

#include <QString>

namespace darts {

// The most three darts can score.
constexpr int kMaxVisit = 180;

// Totals between 0 and 180 that no three darts add up to.
bool IsImpossibleVisit(int total);

// Remainders that three darts cannot finish ending on a double or the bull and
// that a visit can still total: 159, 162, 165, 168 and everything above 170
// (163, 166 and 169 are impossible visits already).
bool IsUnfinishable(int remainder);

// Which dart of a finishing visit can have been the last one.
enum class FinishingDarts {
  ThirdOnly,      // the visit needs all three darts
  SecondOrThird,  // one dart cannot make it, two can
  Any,            // a single double (or the bull) makes it
};
FinishingDarts FinishingDartsFor(int visit);

// Visit bands: 60-79, 80-99, 100-139, 140-179 and exactly 180.
enum class Band { None = -1, From60 = 0, From80, From100, From140, Max180 };
constexpr int kBandCount = 5;
Band BandOf(int visit);

// Value of one dart in checkout notation: "T20" treble, "D16" double, "19"
// single, "25" outer bull, "50" bull. Returns -1 for anything else.
int DartValue(const QString& dart);
// True when the dart is a double or the bull (a finishing dart).
bool IsFinishingDart(const QString& dart);

}  // namespace darts
