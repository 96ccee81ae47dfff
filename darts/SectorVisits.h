// Visits of three darts thrown at one sector (Big round, sector practice).
#pragma once

#include <QString>

namespace darts {

constexpr int kBullSector = 0;  // the Bull as a sector number

// True when three darts at the sector can total the score: for a numbered
// sector s a multiple of s from 0 to 9 s (each dart a miss, single, double or
// treble of s); for the Bull 0 to 150 in steps of 25.
bool IsSectorVisit(int sector, int score);

// A visit typed from the first position with a leading zero ("05", "012")
// counts as 0: the text to read the score from. Other texts stay as they are.
QString LeadingZeroRule(const QString& typed);

}  // namespace darts
