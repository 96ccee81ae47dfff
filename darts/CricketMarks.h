// Closing rules of American cricket: the seven targets 20 down to 15 and the
// Bull each close with three marks; a single gives one mark, a double two, a
// treble three; the outer bull ("25") one and the Bull ("50") two.
#pragma once

#include <QString>
#include <array>
#include <optional>

namespace darts {

constexpr int kCricketTargets = 7;  // 20, 19, 18, 17, 16, 15, Bull
constexpr int kCricketBull = 6;     // index of the Bull among the targets
constexpr int kMarksToClose = 3;

enum class DartKind { Miss, Single, Double, Treble };

struct CricketDart {
  int target = -1;  // 0 for 20 ... 5 for 15, 6 for the Bull; -1 for a miss
  int marks = 0;
  DartKind kind = DartKind::Miss;
};

// The dart of a segment caption: "20", "D20", "T20", ... "15", "D15", "T15",
// "25", "50" or "0". Anything else gives no dart.
std::optional<CricketDart> CricketDartOf(const QString& caption);

// The target number of a target index: 20 .. 15, and 25 for the Bull.
int CricketTargetNumber(int target);

// What a dart scores in a visit's sum, whatever the marks of its target: a
// cell of three characters starting with "D" twice, with "T" three times the
// number that follows; any other cell scores its own number ("0", "25", "50").
int CricketDartScore(const QString& cell);

inline bool IsClosed(int marks) { return marks >= kMarksToClose; }
bool AllClosed(const std::array<int, kCricketTargets>& marks);

// Which of a target's four pictures shows its marks: 0 plain, 1 and 2 marks,
// 3 closed.
inline int MarkPicture(int marks) { return marks <= 0 ? 0 : marks >= kMarksToClose ? 3 : marks; }

}  // namespace darts
