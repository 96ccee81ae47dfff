// Checkout ladder "60": a target to check out, +10 when closed with one of the
// three darts, +1 when closed through the Bull, -1 when not closed.
#pragma once

#include <QString>

namespace darts {

constexpr int kGame60Start = 60;
constexpr int kGame60Lowest = 1;     // falling to this target ends the game
constexpr int kGame60Highest = 131;  // reaching this target or more ends it
constexpr int kGame60FirstRoute = 41;
constexpr int kGame60LastRoute = 130;
constexpr int kGame60MinLimit = 8;
constexpr int kGame60MaxLimit = 999;

// "1": a target one dart can close (the Bull, or an even number up to D20).
bool Game60FirstDartOffered(int target);
// "2": a target two darts can close.
bool Game60SecondDartOffered(int target);

// The suggested route for targets 41..130 ("T20 - 20 - D20"), empty elsewhere.
QString Game60Route(int target);

// Whether a visit limit lies in 8..999.
bool Game60LimitAccepted(int limit);

}  // namespace darts
