// Visits of three darts thrown at one sector (Big round, sector practice).
#pragma once

namespace darts {

constexpr int kBullSector = 0;  // the Bull as a sector number

// True when three darts at the sector can total the score: for a numbered
// sector s a multiple of s from 0 to 9 s (each dart a miss, single, double or
// treble of s); for the Bull 0 to 150 in steps of 25.
bool IsSectorVisit(int sector, int score);

}  // namespace darts
