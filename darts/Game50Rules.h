// Bull practice "50 до 500 очков": every visit at the bull scores a multiple of
// 25 up to 150, counted down from 500 to exactly 0.
#pragma once

#include "darts/DartsRules.h"

namespace darts {

constexpr int kGame50Start = 500;
constexpr int kGame50MaxVisit = 150;

// Whether a visit value can still be entered with `remaining` left: 0 and 25
// always, the others while they do not pass the remaining.
bool Game50ValueOffered(int value, int remaining);
// The bust button is offered once the remaining is below a full visit.
bool Game50BustOffered(int remaining);
// Which dart may have finished a leg whose last visit scored `lastVisit`:
// 25 and 50 any dart, 75 and 100 the second or third, 125 and 150 the third.
FinishingDarts Game50FinishingDarts(int lastVisit);
// Darts of a leg of `visits` visits finished with dart `dart` of the last.
int Game50LegDarts(int visits, int dart);

}  // namespace darts
