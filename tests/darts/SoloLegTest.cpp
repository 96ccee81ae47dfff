// Solo practice played visit by visit: refused visits and the bust at 1, the
// finishing dart, undo from every state, the averages of the recorded legs,
// and the statistics file made of the record.
#include <gtest/gtest.h>

#include "darts/SoloSession.h"

namespace {

using darts::SoloSession;
using Entry = darts::SoloLeg::Entry;

enum Game { k501 = 0, k301 = 1, k201 = 2, k170 = 3 };
// In a list of visits: the next leg, and the dart that finished the leg.
constexpr int kNewLeg = -1, kDart1 = -11, kDart2 = -12;

// An opening of the game with its first leg started and the visits played.
void Play(SoloSession& s, Game game, std::initializer_list<int> visits, QChar separator = '.') {
  s.Open(separator);
  s.ChooseGame(game);
  s.NewLeg(game);
  for (int v : visits)
    EXPECT_TRUE(v == kNewLeg ? s.NewLeg(game)
                : v < 0      ? s.FinishingDart(kDart1 + 1 - v)
                             : s.Visit(v) >= Entry::Accepted);
}

// The panels, the suggestion, the last visit's row and the leg's bands.
QString Shown(const SoloSession& s) {
  QStringList out{s.RemainderText(), s.AvgPerDartText(), s.AvgPerVisitText(), s.Suggestion()};
  for (int col = 0; col < 4; ++col) out << s.VisitCell(col, s.VisitCount());
  for (int b : s.Leg().Bands()) out << QString::number(b);
  return out.join("|");
}

// Everything the window shows of the session, as one text.
std::string State(const SoloSession& s) {
  QStringList out{Shown(s)};
  for (int v : {s.Leg().LegDarts(), int(s.DartAsked()), int(s.TakesVisits())}) out << QString::number(v);
  for (int row = 0; row <= 5; ++row)
    for (int col = 0; col < 4; ++col) out << s.VisitCell(col, row);
  for (int row = 0; row <= 2; ++row) out << s.RecordRow(row);
  return out.join("|").toStdString();
}

// A refused visit changes nothing; a visit leaving 1 counts as a visit of 0
// in no band. An average below 1 has no units digit on the panels.
TEST(SoloLeg, VisitsRefusedAndTaken) {
  const struct {
    Game game;
    std::initializer_list<int> before;
    std::optional<int> typed;
    Entry entry;
    QString shown;  // after a visit taken
  } cases[] = {
      // 173 is no total even below the remainder; 180 is one, but above 179 left
      // clang-format off
      {k501, {}, std::nullopt, Entry::OutOfRange, ""}, {k501, {}, 181, Entry::OutOfRange, ""},
      {k501, {}, 173, Entry::Impossible, ""},          {k301, {122}, 180, Entry::AboveRemainder, ""},
      {k301, {133}, 168, Entry::NoFinish, ""},         {k301, {142}, 159, Entry::NoFinish, ""},
      {k201, {30}, 171, Entry::NoFinish, ""},
      // clang-format on
      {k201, {180, 19}, 1, Entry::BustAtOne, "2|22.11|66.33||3|0|2|66.33|0|0|0|0|1"},
      {k501, {}, 0, Entry::Accepted, "501|.00|.00||1|0|501|0.00|0|0|0|0|0"},
      {k170, {0}, 69, Entry::Accepted, "101|11.50|34.50|T19 12 D16|2|69|101|34.50|1|0|0|0|0"},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(testing::Message() << t.typed.value_or(-1) << " after " << t.before.size());
    SoloSession s;
    Play(s, t.game, t.before);
    const std::string before = State(s);
    EXPECT_EQ(s.Visit(t.typed), t.entry);
    EXPECT_EQ(t.shown.isEmpty() ? State(s) : Shown(s).toStdString(),
              t.shown.isEmpty() ? before : t.shown.toStdString());
  }
}

TEST(SoloLeg, AveragesOfRecordedLegs) {
  const struct {
    Game game;
    std::initializer_list<int> visits;
    QString row;         // the last leg's row, with the decimal separator the session is given
    QStringList totals;  // averages over the legs in row 0
  } cases[] = {
      {k501, {180, 180, 141}, "1 9 55.67 167.00 141 3 0 0 0 1 2", {"55.67", "167.00"}},
      {k501, {100, 100, 100, 100, 41, 20, 40, kDart2}, "1 20 25,05 75,15 40 2 0 0 4 0 0", {"25,05", "75,15"}},
      // Single precision: (56.67 + 42.50) / 2 is just below 49.585 as a float.
      {k170, {170, kNewLeg, 130, 40, kDart1}, "2 4 42.50 127.50 40 1 0 0 1 0 0", {"49.58", "148.75"}},
      // From the rows as shown: (42.50 + 24.29) / 2, not (42.5 + 24.285715) / 2.
      {k170, {130, 40, kDart1, kNewLeg, 100, 30, 40, kDart1}, "2 7 24.29 72.86 40 1 0 0 1 0 0", {"33.40", "100.18"}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.row.toStdString());
    SoloSession s;
    Play(s, t.game, t.visits, t.row.contains(',') ? ',' : '.');
    const QStringList row = t.row.split(' ');
    EXPECT_EQ(s.RecordRow(s.LegNumber()), row);
    EXPECT_EQ(QStringList({s.AvgPerDartText(), s.AvgPerVisitText(), s.VisitCell(3, s.VisitCount())}) + t.totals,
              row.mid(2, 2) + row.mid(3, 1) + s.RecordRow(0).mid(2, 2));
  }
}

// Each action is taken only in the state where the window offers it.
TEST(SoloLeg, FromOpeningToClosing) {
  SoloSession s;
  s.Open('.');
  s.ChooseGame(k170);
  EXPECT_EQ(Shown(s) + s.RecordRow(0).join(";"), "0|0|0|T20 T20 50|||170||0|0|0|0|0;Средн.;;;;Сумма;0;0;0;0;0");
  EXPECT_TRUE(s.NewLeg(k170) && !s.NewLeg(k170) && !s.FinishingDart(3) && !s.Undo());
  EXPECT_TRUE(s.Visit(69) == Entry::Accepted && s.Visit(101) == Entry::Finished);  // dart 2 or 3: asked
  EXPECT_TRUE(s.Visit(0) == Entry::Ignored && !s.NewLeg(k170) && s.RecordedLegs() == 0);
  EXPECT_EQ(Shown(s), "0|23.00|69.00||2|101|0||1|0|1|0|0");  // no average until the dart is known
  EXPECT_TRUE(s.FinishingDart(2) && s.Leg().LegDarts() == 5 && s.RecordedLegs() == 1);
  EXPECT_TRUE(s.NewLeg(k170) && s.LegNumber() == 2 && s.TakesVisits());
  s.Clear();
  EXPECT_EQ(Shown(s) + s.RecordRow(0).join(""), "0|0|0|T20 T20 50|||||0|0|0|0|0");
  EXPECT_TRUE(s.LegNumber() == 1 && !s.NewLeg(k170) && s.Visit(0) == Entry::Ignored);
}

// Undo from every state puts the session back exactly as it was before the
// undone visit, and the same visit again gives the same state again.
TEST(SoloLeg, UndoRestoresTheStateBeforeTheVisit) {
  const struct {
    Game game;
    std::initializer_list<int> before;
    int visit, dart;  // the finishing dart given after the visit, 0 for none
  } cases[] = {
      // In play, the only visit, the finishing dart asked, the bust at 1, a
      // finish recorded at once or after its dart, the second leg's finish.
      // clang-format off
      {k501, {85}, 100, 0}, {k501, {}, 85, 0}, {k170, {130}, 40, 0}, {k201, {180, 19}, 1, 0},
      {k170, {}, 170, 0},   {k170, {69}, 101, 2}, {k301, {180, 121, kNewLeg, 85, 100}, 116, 0},
      // clang-format on
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.visit);
    SoloSession s;
    Play(s, t.game, t.before);
    const std::string before = State(s);
    auto visit = [&] { return s.Visit(t.visit), !t.dart || s.FinishingDart(t.dart); };
    EXPECT_TRUE(visit());
    const std::string after = State(s);
    EXPECT_TRUE(s.Undo());
    EXPECT_EQ(State(s), before);
    EXPECT_TRUE(visit());
    EXPECT_EQ(State(s), after);
  }
}

// Legs past the window's display rows are kept like the others.
TEST(SoloLeg, LegsPastTheDisplayRows) {
  SoloSession s;
  Play(s, k170, {170});
  for (int leg = 2; leg <= 101; ++leg) s.NewLeg(k170), s.Visit(170);
  const QStringList lines = s.FileLines("x");
  ASSERT_EQ(lines.size(), 105);
  EXPECT_EQ(QStringList({lines[2], lines[103]}),
            QStringList({";Средн.;56.67;170.00;;Сумма;0;0;0;101;0;", "101;3;56.67;170.00;170;3;0;0;0;1;0;"}));
}

}  // namespace
