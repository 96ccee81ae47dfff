#include <gtest/gtest.h>

#include <QStringList>
#include <map>

#include "darts/KalvernTable.h"

namespace {

using rules::KalvernCellText;
using rules::KalvernScore;
using rules::KalvernScoreText;
using rules::KalvernVariantText;

// The darts of every score as the table lists them, pair by pair ("none" = no
// three-dart finish). 119 is the table's own: its sum and finish are checked
// with the other checkout table's entries.
const char* const kListedDarts =
    "170 T20 T20 50; 169 none; 168 none; 167 T20 T19 50; 166 none; 165 none; 164 T20 T18 50; 163 none; "
    "162 none; 161 T20 T17 50; 160 T20 T20 D20; 159 none; 158 T20 T20 D19; 157 T20 T19 D20; 156 T20 T20 D18; "
    "155 T20 T19 D19; 154 T20 T18 D20; 153 T20 T19 D18; 152 T20 T20 D16; 151 T20 T17 D20; 150 T20 T20 D15; "
    "149 T20 T19 D16; 148 T20 T20 D14; 147 T20 T17 D18; 146 T20 T18 D16; 145 T20 T19 D14; 144 T20 T20 D12; "
    "143 T20 T17 D16; 142 T20 T16 D17; 141 T20 T19 D12; "
    "140 T20 T20 D10; 139 T20 T19 D11; 138 T20 T18 D12; 137 T20 T15 D16; 136 T20 T20 D8; 135 25 T20 50; "
    "134 T20 T14 D16; 133 T19 T20 D8; 132 25 T19 50; 131 T20 T13 D16; 130 20 T20 50; 129 T19 T20 D6; "
    "128 T18 T18 D10; 127 T20 T17 D8; 126 T19 T19 D6; 125 50 25 50; 124 T20 14 50; 123 T19 16 50; "
    "122 T18 18 50; 121 T17 T18 D8; 120 T20 20 D20; 118 T20 18 D20; 117 T20 17 D20; 116 T20 20 D18; "
    "115 T19 20 D19; 114 T20 14 D20; 113 T19 16 D20; 112 T20 20 D16; 111 T19 14 D20; "
    "110 T18 16 D20; 109 T20 17 D16; 108 T20 16 D16; 107 T20 15 D16; 106 T20 14 D16; 105 T19 16 D16; "
    "104 T20 12 D16; 103 T20 11 D16; 102 T20 10 D16; 101 T19 12 D16; 100 T20 D20; 99 T19 10 D16; "
    "98 T18 12 D16; 97 T19 D20; 96 T20 D18; 95 T20 3 D16; 94 T18 D20; 93 T19 D18; 92 T20 D16; 91 T17 D20; "
    "90 T20 D15; 89 T19 D16; 88 T20 D14; 87 T17 D18; 86 T18 D16; 85 T19 D14; 84 T20 D12; 83 T17 D16; "
    "82 50 D16; 81 T15 D18; "
    "80 T16 D16; 79 T19 D11; 78 T18 D12; 77 T15 D16; 76 T20 D8; 75 T17 D12; 74 T14 D16; 73 T19 D8; "
    "72 T20 D6; 71 T13 D16; 70 T18 D8; 69 T11 D18; 68 T20 D4; 67 T17 D8; 66 50 D8; 65 25 D20; 64 T16 D8; "
    "63 T17 D6; 62 T10 D16; 61 T15 D8; 60 20 D20; 59 19 D20; 58 18 D20; 57 17 D20; 56 16 D20; 55 15 D20; "
    "54 14 D20; 53 13 D20; 52 20 D16; 51 19 D16";

// score -> listed darts ("" for none).
std::map<int, QString> ListedDarts() {
  std::map<int, QString> out;
  for (const QString& entry : QString::fromLatin1(kListedDarts).split(QStringLiteral("; "))) {
    const qsizetype blank = entry.indexOf(QLatin1Char(' '));
    const QString darts = entry.mid(blank + 1);
    out[entry.left(blank).toInt()] = darts == QLatin1String("none") ? QString() : darts;
  }
  return out;
}

// Texts whose gaps are wider than one blank, exactly as the table shows them.
const std::map<int, const char*> kWideGapTexts = {
    {135, " 25    T20 50"}, {132, " 25    T19 50"}, {130, " 20    T20 50"}, {125, " 50    25   50"},
    {124, " T20 14    50"}, {123, " T19 16    50"}, {122, " T18 18    50"}, {120, " T20 20   D20"},
    {118, " T20 18   D20"}, {117, " T20 17   D20"}, {116, " T20 20   D18"}, {115, " T19 20   D19"},
    {114, " T20 14   D20"}, {113, " T19 16   D20"}, {112, " T20 20   D16"}, {111, " T19 14   D20"},
    {95, " T20 3    D16"},  {82, "  50   D16"},     {66, " 50    D8"},      {65, " 25    D20"},
    {60, " 20   D20"},      {59, " 19   D20"},      {58, " 18   D20"},      {57, " 17   D20"},
    {56, " 16   D20"},      {55, " 15   D20"},      {54, " 14   D20"},      {53, " 13   D20"},
    {52, " 20   D16"},      {51, " 19   D16"},
};

// "Hет": a Latin capital H, then Cyrillic letters.
const QString kNone = QStringLiteral("H") + QString::fromUtf8("ет");

TEST(KalvernTable, VariantTextsMatchTheListedDartsAndGaps) {
  const std::map<int, QString> listed = ListedDarts();
  ASSERT_EQ(listed.size(), 119u);
  for (const auto& [score, darts] : listed) {
    SCOPED_TRACE(score);
    const QString text = KalvernVariantText(score);
    if (darts.isEmpty()) {
      const QString blanks(score == 159 ? 9 : 10, QLatin1Char(' '));
      EXPECT_EQ(text, blanks + kNone);
      continue;
    }
    // Same darts in the same order, whatever the gaps.
    EXPECT_EQ(text.split(QLatin1Char(' '), Qt::SkipEmptyParts), darts.split(QLatin1Char(' ')));
    const auto wide = kWideGapTexts.find(score);
    if (wide != kWideGapTexts.end()) {
      EXPECT_EQ(text, QString::fromUtf8(wide->second));
    } else {
      EXPECT_EQ(text, QStringLiteral(" ") + darts);
    }
  }
}

TEST(KalvernTable, OpenEntryLinesUpWithItsNeighbours) {
  // 119 sits between 120 and 118, whose double stands after three blanks.
  const QString text = KalvernVariantText(119);
  const QString above = KalvernVariantText(120);
  const QString below = KalvernVariantText(118);
  EXPECT_EQ(text.size(), above.size());
  EXPECT_EQ(text.lastIndexOf(QLatin1Char('D')), above.lastIndexOf(QLatin1Char('D')));
  EXPECT_EQ(text.lastIndexOf(QLatin1Char('D')), below.lastIndexOf(QLatin1Char('D')));
  EXPECT_TRUE(text.startsWith(QStringLiteral(" T")));
}

TEST(KalvernTable, ScoreTextsAndPlaces) {
  // Two blanks before each number, four before the two-digit ones of the third
  // pair (99 down to 81); pair p, row r holds 170 - 30p - r.
  for (int pair = 0; pair < 4; ++pair) {
    for (int row = 0; row < 30; ++row) {
      const int score = 170 - 30 * pair - row;
      SCOPED_TRACE(score);
      EXPECT_EQ(KalvernScore(pair, row), score);
      const int blanks = (score >= 81 && score <= 99) ? 4 : 2;
      EXPECT_EQ(KalvernScoreText(score), QString(blanks, QLatin1Char(' ')) + QString::number(score));
      EXPECT_EQ(KalvernCellText(3 * pair, row), KalvernScoreText(score));
      EXPECT_EQ(KalvernCellText(3 * pair + 1, row), KalvernVariantText(score));
      if (pair < 3) {
        EXPECT_TRUE(KalvernCellText(3 * pair + 2, row).isEmpty());  // separator
      }
    }
  }
}

TEST(KalvernTable, OutsideTheTableIsEmpty) {
  for (int score : {171, 50, 0, -1, 501}) {
    EXPECT_TRUE(KalvernScoreText(score).isEmpty()) << score;
    EXPECT_TRUE(KalvernVariantText(score).isEmpty()) << score;
  }
  const std::pair<int, int> outside[] = {{-1, 0}, {11, 0}, {0, -1}, {0, 30}, {10, 30}, {100, 100}};
  for (const auto& [col, row] : outside) {
    EXPECT_TRUE(KalvernCellText(col, row).isEmpty()) << col << "," << row;
  }
  EXPECT_EQ(KalvernScore(4, 0), 0);
  EXPECT_EQ(KalvernScore(0, 30), 0);
}

}  // namespace
