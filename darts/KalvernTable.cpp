#include "darts/KalvernTable.h"

#include <array>

namespace rules {

namespace {

// Indexed by 170 - score. The gaps wider than one blank keep the doubles and the
// bulls of neighbouring rows under each other.
const std::array<const char*, kKalvernHighScore - kKalvernLowScore + 1> kVariants = {
    " T20 T20 50",     // 170
    "          Hет",   // 169
    "          Hет",   // 168
    " T20 T19 50",     // 167
    "          Hет",   // 166
    "          Hет",   // 165
    " T20 T18 50",     // 164
    "          Hет",   // 163
    "          Hет",   // 162
    " T20 T17 50",     // 161
    " T20 T20 D20",    // 160
    "         Hет",    // 159
    " T20 T20 D19",    // 158
    " T20 T19 D20",    // 157
    " T20 T20 D18",    // 156
    " T20 T19 D19",    // 155
    " T20 T18 D20",    // 154
    " T20 T19 D18",    // 153
    " T20 T20 D16",    // 152
    " T20 T17 D20",    // 151
    " T20 T20 D15",    // 150
    " T20 T19 D16",    // 149
    " T20 T20 D14",    // 148
    " T20 T17 D18",    // 147
    " T20 T18 D16",    // 146
    " T20 T19 D14",    // 145
    " T20 T20 D12",    // 144
    " T20 T17 D16",    // 143
    " T20 T16 D17",    // 142
    " T20 T19 D12",    // 141
    " T20 T20 D10",    // 140
    " T20 T19 D11",    // 139
    " T20 T18 D12",    // 138
    " T20 T15 D16",    // 137
    " T20 T20 D8",     // 136
    " 25    T20 50",   // 135
    " T20 T14 D16",    // 134
    " T19 T20 D8",     // 133
    " 25    T19 50",   // 132
    " T20 T13 D16",    // 131
    " 20    T20 50",   // 130
    " T19 T20 D6",     // 129
    " T18 T18 D10",    // 128
    " T20 T17 D8",     // 127
    " T19 T19 D6",     // 126
    " 50    25   50",  // 125
    " T20 14    50",   // 124
    " T19 16    50",   // 123
    " T18 18    50",   // 122
    " T17 T18 D8",     // 121
    " T20 20   D20",   // 120
    " T20 19   D20",   // 119
    " T20 18   D20",   // 118
    " T20 17   D20",   // 117
    " T20 20   D18",   // 116
    " T19 20   D19",   // 115
    " T20 14   D20",   // 114
    " T19 16   D20",   // 113
    " T20 20   D16",   // 112
    " T19 14   D20",   // 111
    " T18 16 D20",     // 110
    " T20 17 D16",     // 109
    " T20 16 D16",     // 108
    " T20 15 D16",     // 107
    " T20 14 D16",     // 106
    " T19 16 D16",     // 105
    " T20 12 D16",     // 104
    " T20 11 D16",     // 103
    " T20 10 D16",     // 102
    " T19 12 D16",     // 101
    " T20 D20",        // 100
    " T19 10 D16",     // 99
    " T18 12 D16",     // 98
    " T19 D20",        // 97
    " T20 D18",        // 96
    " T20 3    D16",   // 95
    " T18 D20",        // 94
    " T19 D18",        // 93
    " T20 D16",        // 92
    " T17 D20",        // 91
    " T20 D15",        // 90
    " T19 D16",        // 89
    " T20 D14",        // 88
    " T17 D18",        // 87
    " T18 D16",        // 86
    " T19 D14",        // 85
    " T20 D12",        // 84
    " T17 D16",        // 83
    "  50   D16",      // 82
    " T15 D18",        // 81
    " T16 D16",        // 80
    " T19 D11",        // 79
    " T18 D12",        // 78
    " T15 D16",        // 77
    " T20 D8",         // 76
    " T17 D12",        // 75
    " T14 D16",        // 74
    " T19 D8",         // 73
    " T20 D6",         // 72
    " T13 D16",        // 71
    " T18 D8",         // 70
    " T11 D18",        // 69
    " T20 D4",         // 68
    " T17 D8",         // 67
    " 50    D8",       // 66
    " 25    D20",      // 65
    " T16 D8",         // 64
    " T17 D6",         // 63
    " T10 D16",        // 62
    " T15 D8",         // 61
    " 20   D20",       // 60
    " 19   D20",       // 59
    " 18   D20",       // 58
    " 17   D20",       // 57
    " 16   D20",       // 56
    " 15   D20",       // 55
    " 14   D20",       // 54
    " 13   D20",       // 53
    " 20   D16",       // 52
    " 19   D16",       // 51
};

bool InTable(int score) { return score >= kKalvernLowScore && score <= kKalvernHighScore; }

}  // namespace

int KalvernScore(int pair, int row) {
  if (pair < 0 || pair >= kKalvernPairs || row < 0 || row >= kKalvernRows) return 0;
  return kKalvernHighScore - kKalvernRows * pair - row;
}

QString KalvernScoreText(int score) {
  if (!InTable(score)) return QString();
  const bool thirdPair = score <= kKalvernHighScore - 2 * kKalvernRows && score > kKalvernHighScore - 3 * kKalvernRows;
  const bool twoDigits = score < 100;
  return QString(thirdPair && twoDigits ? 4 : 2, QLatin1Char(' ')) + QString::number(score);
}

QString KalvernVariantText(int score) {
  if (!InTable(score)) return QString();
  return QString::fromUtf8(kVariants[static_cast<size_t>(kKalvernHighScore - score)]);
}

QString KalvernCellText(int col, int row) {
  if (col < 0 || col >= kKalvernCols) return QString();
  const int pair = col / 3;
  const int score = KalvernScore(pair, row);
  switch (col % 3) {
    case 0:
      return KalvernScoreText(score);
    case 1:
      return KalvernVariantText(score);
    default:
      return QString();
  }
}

}  // namespace rules
