// Tournament rules that stand alone: who meets whom in each round of a
// round-robin group, where each seed stands in a knock-out draw, and where the
// lines of a knock-out bracket sheet lie.
#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace darts {

// ---------------------------------------------------------------------------
// Round robin

// Group sizes with a sheet of their own: 4, 6 and 8.
bool IsRoundRobinSize(int participants);

// One match: the lower number first.
using Pairing = std::pair<int, int>;

// The N - 1 rounds of a group of N (even, at least 2), each with its N / 2
// matches top to bottom. Participant 1 stays put and meets N - k + 1 in round
// k; the others turn around a ring 2..N: the participant m that meets 1 has
// m - d meet m + d (d = 1, 2, ...), counted around the ring. Every round pairs
// everyone once, and every two participants meet exactly once.
std::vector<std::vector<Pairing>> RoundRobinRounds(int participants);

// "2 -- 3": the first number, a blank, two hyphens, a blank, the second.
QString PairingText(const Pairing& p);

// ---------------------------------------------------------------------------
// Knock-out

// Bracket sizes with a sheet of their own: 8, 16, 32 and 64.
bool IsBracketSize(int participants);
// Rounds of a bracket of S: 3, 4, 5, 6 for 8, 16, 32, 64.
int BracketRounds(int participants);

// Seeds of the draw's slots, top to bottom. From (1, 2), a list of m seeds
// doubles into one of 2m by replacing the seed s at position p (from 0) with
// (s, 2m + 1 - s) when p is even and (2m + 1 - s, s) when p is odd. Defined
// for every power of two from 2 on; empty otherwise.
std::vector<int> SeedOrder(int participants);

// ---------------------------------------------------------------------------
// Knock-out bracket sheet. Rows count from 1; column 1 holds the seeds, the
// rounds follow from column 2 and the winner's column closes the sheet. A
// sheet for S has the columns of its rounds plus the seed and winner columns,
// and 2S + 2 rows.

int BracketSheetColumns(int participants);  // 5, 6, 7, 8
int BracketSheetRows(int participants);     // 2S + 2

// Row of first-round slot k (1..S): its seed in column 1, the name above the
// slot's line in column 2.
int SlotRow(int slot);

// Rows whose top edge carries a line in the column of round r (1 .. rounds + 1,
// the last one the winner's): one line per participant still in, top to
// bottom.
std::vector<int> SlotLineRows(int participants, int round);

// Rows whose right edge carries a connector in the column of round r
// (1 .. rounds): for each pair of lines, from the upper line down to the row
// above the lower one, top to bottom.
std::vector<int> ConnectorRows(int participants, int round);

// Title of the column of round r (1 .. rounds + 1): " 1/n " while n pairs are
// left to play (n >= 2), "Финал", then "Победитель".
QString RoundTitle(int participants, int round);

}  // namespace darts
