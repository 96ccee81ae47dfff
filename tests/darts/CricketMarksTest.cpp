// Cricket marks and dart scores checked against the closing rules.
#include <gtest/gtest.h>

#include <QStringList>
#include <array>

#include "darts/CricketMarks.h"

namespace {

using darts::CricketDartOf;
using darts::DartKind;

// Marks of every target after the darts, as a player counts them.
std::array<int, darts::kCricketTargets> MarksAfter(const QStringList& darts) {
  std::array<int, darts::kCricketTargets> marks{};
  for (const QString& d : darts) {
    const auto dart = CricketDartOf(d);
    EXPECT_TRUE(dart.has_value()) << d.toStdString();
    if (dart && dart->target >= 0) marks[dart->target] += dart->marks;
  }
  return marks;
}

TEST(CricketMarks, EverySegmentCaptionNamesItsTargetAndMarks) {
  // Built from the board, not from the reader: number n is target 20 - n.
  for (int n = 15; n <= 20; ++n) {
    const struct {
      QString caption;
      int marks;
      DartKind kind;
    } segs[] = {{QString::number(n), 1, DartKind::Single},
                {"D" + QString::number(n), 2, DartKind::Double},
                {"T" + QString::number(n), 3, DartKind::Treble}};
    for (const auto& s : segs) {
      SCOPED_TRACE(s.caption.toStdString());
      const auto dart = CricketDartOf(s.caption);
      ASSERT_TRUE(dart.has_value());
      EXPECT_EQ(darts::CricketTargetNumber(dart->target), n);
      EXPECT_EQ(dart->marks, s.marks);
      EXPECT_EQ(dart->kind, s.kind);
      EXPECT_EQ(darts::CricketDartScore(s.caption), n * s.marks);
    }
  }
  const auto miss = CricketDartOf("0");
  ASSERT_TRUE(miss.has_value());
  EXPECT_EQ(miss->target, -1);
  EXPECT_EQ(miss->marks, 0);
  EXPECT_EQ(miss->kind, DartKind::Miss);
}

TEST(CricketMarks, CaptionsOffTheBoardGiveNoDart) {
  for (const char* bad : {"", "14", "21", "D14", "T21", "Q20", "D", "T2", "020", "D200", "-20", "B", "75"}) {
    EXPECT_FALSE(CricketDartOf(bad).has_value()) << bad;
  }
}

TEST(CricketMarks, ClosingSequences) {
  struct Case {
    QStringList darts;
    int target;
    bool closed;
    int picture;
  };
  const Case cases[] = {
      {{"T20"}, 0, true, 3},
      {{"20", "20"}, 0, false, 2},
      {{"20", "20", "20"}, 0, true, 3},
      {{"20", "D20"}, 0, true, 3},
      {{"D20", "D20"}, 0, true, 3},
      {{"D20"}, 0, false, 2},
      {{"19"}, 1, false, 1},
      {{"25", "25", "25"}, 6, true, 3},
      {{"50", "25"}, 6, true, 3},
      {{"50", "50"}, 6, true, 3},
      {{"50"}, 6, false, 2},
      {{"25", "25"}, 6, false, 2},
      {{"0", "0", "0"}, 0, false, 0},
      {{"T15", "0"}, 5, true, 3},
      {{"T16", "T17"}, 4, true, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.darts.join(" ").toStdString());
    const auto marks = MarksAfter(c.darts);
    EXPECT_EQ(darts::IsClosed(marks[c.target]), c.closed);
    EXPECT_EQ(darts::MarkPicture(marks[c.target]), c.picture);
  }
}

TEST(CricketMarks, LegEndsOnlyWhenAllSevenAreClosed) {
  const QStringList fastest = {"T20", "T19", "T18", "T17", "T16", "T15", "50", "25"};
  for (int n = 0; n < fastest.size(); ++n) {
    EXPECT_EQ(darts::AllClosed(MarksAfter(fastest.mid(0, n + 1))), n == fastest.size() - 1) << n;
  }
  EXPECT_FALSE(darts::AllClosed(MarksAfter({"T20", "T19", "T18", "T17", "T16", "D15", "50", "50"})));
}

}  // namespace
