// American cricket dart by dart: marks, visit sums, the record and its file.
#include <gtest/gtest.h>

#include "darts/Cricket.h"

namespace {

using darts::Cricket;

// Throws darts by their captions; returns the targets' pictures, the darts refused, the last visit row.
QString Throw(Cricket& g, const QString& darts) {
  QString out;
  for (const QString& d : darts.split(' '))
    for (int i = 0; i < 21; ++i)
      if (const Cricket::Segment s{15 + i / 3, 1 + i % 3}; Cricket::Caption(s) == d && !g.Throw(s)) out += " " + d;
  for (int t = Cricket::kTargets - 1; t >= 0; --t) out.prepend(QString::number(g.MarkPicture(t)));
  for (int c = 0; c < Cricket::kCols; ++c) out += (c ? "|" : " = ") + g.VisitCell(c, g.VisitRows());
  return out;
}

// Every dart scores in full in its visit, whatever its target's marks; the
// fastest leg ends on a visit's second dart, and nothing takes a dart after it.
TEST(Cricket, MarksClosedTargetsAndVisitSums) {
  const std::pair<const char*, const char*> cases[] = {
      {"20 20 D20 T20 D19", "3200000 T20 = 4|D19|||"},
      {"50 19 25 25", "0100003 25 = 3|50|19|25|94"},
      {"T20 0 50 D17 25 19", "3102003 = 6|D17|25|19|78"},
      {"T20 T19 T18 T17 T16 T15 50 25 0 D16", "3333333 0 D16 = 8|50|25||75"},
  };
  for (const auto& [darts, state] : cases) {
    Cricket g;
    g.NewLeg();
    EXPECT_EQ(Throw(g, darts), state);
  }
}

// Two legs around one that a new leg dropped (its darts stay in the totals); a new showing starts afresh.
TEST(Cricket, RecordAndFile) {
  Cricket g;
  g.Open("05.12.2026 - 16:14:09:14 - суббота");
  for (const char* leg :
       {"0 0 0 0 0 0 T20 T19 T18 T17 T16 T15 50 50", "T20 0", "0 0 0 T20 T19 T18 T17 T16 T15 25 25 25"})
    g.NewLeg(), Throw(g, leg);
  EXPECT_EQ(g.FileLines().join('|'),  // the lines joined by "|"
            "05.12.2026 - 16:14:09:14 - суббота;;;;;|Кол-во дротиков;Первый дротик;Второй дротик;Третий дротик;"
            "Сумма за подход;|Лег № 1;;;;;|3;0;0;0;0;|6;0;0;0;0;|9;T20;T19;T18;171;|12;T17;T16;T15;144;|"
            "14;50;50;;100;|;Мимо сектора;Сектор;Удвоение;Утроение;|Итого по легу;6;0;2;6;|Лег № 3;;;;;|3;0;0;0;0;|"
            "6;T20;T19;T18;171;|9;T17;T16;T15;144;|12;25;25;25;75;|;Мимо сектора;Сектор;Удвоение;Утроение;|"
            "Итого по легу;3;3;0;6;|;;;;;|Итого по всем легам;10;3;2;13;|;;;;;|;;;;;");
  g.Open("again");
  EXPECT_EQ(g.FileLines().mid(2).join('|'), ";;;;;|Итого по всем легам;0;0;0;0;|;;;;;|;;;;;");
}

}  // namespace
