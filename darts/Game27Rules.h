// Doubles practice "27": one visit of three darts at the double of each sector
// 1..20 in turn, and optionally a last visit at the Bull.
#pragma once

namespace darts {

constexpr int kGame27Start = 27;
constexpr int kGame27BullSector = 21;  // the Bull visit stands after sector 20

// The last sector of a game: the Bull when it is played, else 20.
int Game27LastSector(bool withBull);

// Points of a visit with `hits` darts (0..3) in the double of `sector`: each
// hit adds the double (50 for the Bull), a visit without a hit takes the
// double off once.
int Game27Points(int sector, int hits);

}  // namespace darts
