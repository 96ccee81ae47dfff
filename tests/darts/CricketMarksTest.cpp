// Cricket marks and dart scores against the closing rules.
#include <gtest/gtest.h>

#include <QStringList>

#include "darts/CricketMarks.h"

namespace {

// Marks of every target after the darts; target index 20 - n, the Bull 6.
std::array<int, darts::kCricketTargets> MarksAfter(const QStringList& throws) {
  std::array<int, darts::kCricketTargets> marks{};
  for (const QString& d : throws) {
    const auto dart = darts::CricketDartOf(d);
    EXPECT_TRUE(dart.has_value()) << d.toStdString();
    if (dart && dart->target >= 0) marks[dart->target] += dart->marks;
  }
  return marks;
}

TEST(CricketMarks, ClosingRulesAndVisitScores) {
  struct Case {
    QStringList darts;
    int target, picture, score;  // picture 3 is the closed target
  };
  const Case cases[] = {
      {{"T20"}, 0, 3, 60},         {{"20", "20"}, 0, 2, 40},           {{"20", "D20"}, 0, 3, 60},
      {{"20", "20", "20"}, 0, 3, 60}, {{"19"}, 1, 1, 19},              {{"25", "25", "25"}, 6, 3, 75},
      {{"50", "25"}, 6, 3, 75},    {{"50", "50"}, 6, 3, 100},          {{"25", "25"}, 6, 2, 50},
      {{"T20", "0", "50"}, 6, 2, 110}, {{"D17", "25", "19"}, 3, 2, 78}, {{"0", "0", "0"}, 5, 0, 0},
  };
  for (const Case& k : cases) {
    const auto marks = MarksAfter(k.darts);
    int score = 0;
    for (const QString& d : k.darts) score += darts::CricketDartScore(d);
    EXPECT_EQ(darts::MarkPicture(marks[k.target]), k.picture) << k.darts.join(' ').toStdString();
    EXPECT_EQ(darts::IsClosed(marks[k.target]), k.picture == 3) << k.darts.join(' ').toStdString();
    EXPECT_EQ(score, k.score) << k.darts.join(' ').toStdString();
  }
  for (const char* bad : {"", "14", "21", "D14", "T21", "Q20", "T2", "020", "D200", "75"}) {
    EXPECT_FALSE(darts::CricketDartOf(bad).has_value()) << bad;
  }
}

TEST(CricketMarks, TheLegEndsOnlyWhenAllSevenAreClosed) {
  const QStringList fastest = {"T20", "T19", "T18", "T17", "T16", "T15", "50", "25"};
  for (int n = 1; n <= fastest.size(); ++n) EXPECT_EQ(darts::AllClosed(MarksAfter(fastest.mid(0, n))), n == 8) << n;
  EXPECT_FALSE(darts::AllClosed(MarksAfter({"T20", "T19", "T18", "T17", "T16", "D15", "50", "50"})));
}

}  // namespace
