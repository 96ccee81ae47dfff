#include "darts/Match.h"

namespace darts {

namespace {

// The bust marks of player 1's and player 2's sheets.
const char* const kBustMark[2] = {"   ---", "  ---"};
const char* const kBandTitles[kBandCount] = {"60 +", "80 +", "100 +", "140 +", "180"};
const char* const kSheetHeads[5] = {"Подход", "Набор", "Остаток", "Ср. на 1 др.", "Ср. на 3 др."};
constexpr int kLastBustable = 181;  // the bust button serves remainders up to this

int Other(int player) { return player == 1 ? 2 : 1; }
QString Num(int n) { return QString::number(n); }
QString Text(const char* s) { return QString::fromUtf8(s); }

}  // namespace

Match::Match(AverageText averageText) : averageText_(averageText) { Prepare(MatchSetup{}); }

void Match::Prepare(const MatchSetup& setup) {
  StartScore_ = setup.startScore;
  SetsToWin_ = setup.setsToWin;
  LegsToWin_ = setup.legsToWin;
  DecidingLegDraw_ = setup.decidingLegDraw;
  DecidingSetDraw_ = setup.decidingSetDraw;
  Player1Name_ = setup.player1;
  Player2Name_ = setup.player2;
  const int starter = setup.starter == 1 ? 1 : 2;
  SetStarter_ = LegStarter_ = CurrentThrower_ = TurnMarker_ = StarterMark_ = starter;
  LegsPlayed_ = 0;
  MatchOver_ = false;
  phase_ = Phase::Between;
  legShown_ = acted_ = starterToChoose_ = false;
  undoBy_ = 0;
  sides_ = {};
  record_.clear();
}

void Match::NewLeg() {
  if (!NewLegAllowed()) return;
  for (Side& s : sides_) {
    s.Remainder = StartScore_;
    s.VisitCount = 0;
    s.AvgPerDart = s.AvgPerVisit = 0;
    s.perDartText = s.perVisitText = QStringLiteral("0");
    s.rows.clear();
  }
  phase_ = Phase::InPlay;
  legShown_ = true;
  acted_ = starterToChoose_ = false;
  undoBy_ = 0;
  TurnMarker_ = StarterMark_ = CurrentThrower_;
}

void Match::CountBand(Side& s, int visit, int delta) {
  const Band band = BandOf(visit);
  if (band != Band::None) s.ScoreBands[static_cast<int>(band)] += delta;
}

// Single precision: what the player scored so far over the visits and darts.
void Match::RunningAverages(Side& s) {
  const float scored = static_cast<float>(StartScore_ - s.Remainder);
  s.AvgPerDart = scored / static_cast<float>(s.VisitCount * 3);
  s.AvgPerVisit = scored / static_cast<float>(s.VisitCount);
}

void Match::ShowAverages(Side& s) {
  s.perDartText = averageText_(s.AvgPerDart);
  s.perVisitText = averageText_(s.AvgPerVisit);
}

Match::Taken Match::Visit(std::optional<int> typed) {
  if (phase_ != Phase::InPlay) return Taken::Ignored;
  if (!typed || *typed > kMaxVisit || *typed < 0) return Taken::OutOfRange;
  const int v = *typed;
  if (IsImpossibleVisit(v)) return Taken::NotScorable;
  const int p = CurrentThrower_;
  Side& s = Of(p);
  if (s.Remainder - v == 1 || v > s.Remainder || (v == s.Remainder && IsUnfinishable(v))) return Taken::LooksLikeBust;

  undoBy_ = p;
  acted_ = true;
  s.VisitCount += 1;
  s.Remainder -= v;
  CountBand(s, v, 1);  // a finishing visit counts too
  if (s.Remainder == 0) {
    // The finisher stays the thrower: the leg's winner.
    s.rows.push_back(Row{v, 0, {}, {}});
    phase_ = Phase::DartAsked;
    offer_ = FinishingDartsFor(v);
    return Taken::LegFinished;
  }
  RunningAverages(s);
  ShowAverages(s);
  s.rows.push_back(Row{v, s.Remainder, s.perDartText, s.perVisitText});
  CurrentThrower_ = TurnMarker_ = Other(p);
  return Taken::Counted;
}

void Match::Bust() {
  if (!BustAllowed()) return;
  const int p = CurrentThrower_;
  Side& s = Of(p);
  undoBy_ = p;
  s.VisitCount += 1;
  RunningAverages(s);
  ShowAverages(s);
  s.rows.push_back(Row{-1, s.Remainder, s.perDartText, s.perVisitText});
  CurrentThrower_ = TurnMarker_ = Other(p);
}

void Match::Undo(int player) {
  Side& s = Of(player);
  if (!UndoAllowed(player) || s.rows.empty()) return;
  const int q = Other(player);
  phase_ = Phase::InPlay;
  CurrentThrower_ = TurnMarker_ = player;
  undoBy_ = Of(q).VisitCount > 0 ? q : 0;

  const Row last = s.rows.back();
  s.rows.pop_back();
  s.Remainder = s.rows.empty() ? StartScore_ : s.rows.back().remainder;
  if (last.score >= 0) CountBand(s, last.score, -1);
  s.VisitCount -= 1;
  if (s.VisitCount <= 0) {
    s.AvgPerDart = s.AvgPerVisit = 0;
  } else {
    RunningAverages(s);
  }
  ShowAverages(s);
}

bool Match::BustAllowed() const {
  return phase_ == Phase::InPlay && acted_ && Of(CurrentThrower_).Remainder <= kLastBustable;
}

std::optional<FinishingDarts> Match::DartsOffered() const {
  if (phase_ != Phase::DartAsked) return std::nullopt;
  return offer_;
}

Match::LegEnd Match::Finish(int dart) {
  if (phase_ != Phase::DartAsked) return LegEnd::LegWon;
  const int w = CurrentThrower_;
  Side& s = Of(w);
  FinishingDart_ = dart;
  phase_ = Phase::Between;
  LegsPlayed_ += 1;
  undoBy_ = 0;

  const int legDarts = (s.VisitCount - 1) * 3 + dart;
  if (s.best == 0 || legDarts < s.best) s.best = legDarts;  // a tie keeps the old best
  s.AvgPerDart = static_cast<float>(StartScore_) / static_cast<float>(legDarts);
  s.AvgPerVisit = s.AvgPerDart * 3;
  ShowAverages(s);

  const LegEnd end = CountLeg(w);
  AppendRecord(w, legDarts);
  if (end == LegEnd::MatchWon) {
    // In a match of legs the starters still move on; with sets they stay.
    if (SetsToWin_ <= 0) NextStarter(LegEnd::LegWon);
    MatchOver_ = true;
    return end;
  }
  NextStarter(end);
  return end;
}

Match::LegEnd Match::CountLeg(int winner) {
  Side& w = Of(winner);
  if (SetsToWin_ <= 0) {
    w.legs += 1;
    return w.legs == LegsToWin_ ? LegEnd::MatchWon : LegEnd::LegWon;
  }
  if (w.legs + 1 == LegsToWin_) {
    w.sets += 1;
    sides_[0].legs = sides_[1].legs = 0;
    return w.sets == SetsToWin_ ? LegEnd::MatchWon : LegEnd::SetWon;
  }
  w.legs += 1;
  return LegEnd::LegWon;
}

// Legs alternate their starter; a new set is started by the player who did not
// start the last one; a deciding leg (without sets) or deciding set is started
// by the players' choice when they play for it.
void Match::NextStarter(LegEnd end) {
  const Side &a = sides_[0], &b = sides_[1];
  if (SetsToWin_ <= 0) {
    if (DecidingLegDraw_ && a.legs == LegsToWin_ - 1 && b.legs == LegsToWin_ - 1) {
      starterToChoose_ = true;
      return;
    }
  } else if (end == LegEnd::SetWon) {
    if (DecidingSetDraw_ && a.sets == SetsToWin_ - 1 && b.sets == SetsToWin_ - 1) {
      starterToChoose_ = true;
      return;
    }
    SetStarter_ = Other(SetStarter_);
    LegStarter_ = CurrentThrower_ = SetStarter_;
    return;
  }
  LegStarter_ = CurrentThrower_ = Other(LegStarter_);
}

void Match::ChooseStarter(int player) {
  starterToChoose_ = false;
  LegStarter_ = CurrentThrower_ = player == 1 ? 1 : 2;
}

// The block of a leg: names, the score after it and who started it, the
// headings, both sheets side by side (player 2's without visit numbers), who
// finished it with which dart in how many darts, and an empty row.
void Match::AppendRecord(int winner, int legDarts) {
  const int n = Of(winner).VisitCount;
  const size_t r = record_.size();
  record_.resize(r + n + 6);
  RecordLine* row = &record_[r];
  row[0][1] = Player1Name_;
  row[0][2] = row[0][7] = QStringLiteral("Сет");
  row[0][3] = row[0][8] = QStringLiteral("Лег");
  row[0][9] = Player2Name_;

  const QString x = QStringLiteral("    X");
  row[1][2] = Num(sides_[0].sets);
  row[1][3] = Num(sides_[0].legs);
  row[1][LegStarter_ == 1 ? 4 : 6] = x;
  row[1][5] = QStringLiteral("Начало");
  row[1][7] = Num(sides_[1].sets);
  row[1][8] = Num(sides_[1].legs);

  for (int c = 0; c < 5; ++c) row[2][c] = Text(kSheetHeads[c]);
  for (int c = 1; c < 5; ++c) row[2][5 + c] = Text(kSheetHeads[c]);
  row[3][2] = SheetCell(1, 2, 0);
  row[3][7] = SheetCell(2, 2, 0);
  for (int i = 1; i <= n; ++i) {
    for (int c = 0; c < 5; ++c) row[3 + i][c] = SheetCell(1, c, i);
    for (int c = 1; c < 5; ++c) row[3 + i][5 + c] = SheetCell(2, c, i);
  }
  RecordLine& closing = row[3 + n + 1];
  const int at = winner == 1 ? 1 : 6;
  closing[at] = QStringLiteral("Закрыл");
  closing[at + 1] = QStringLiteral("Х(%1)").arg(FinishingDart_);
  closing[at + 2] = QStringLiteral("Сиграл за");
  closing[at + 3] = Num(legDarts);
}

QString Match::RemainderText(int player) const { return legShown_ ? Num(Of(player).Remainder) : QString(); }

QString Match::SheetCell(int player, int col, int row) const {
  if (row == 0) return col == 2 && legShown_ ? Num(StartScore_) : QString();
  const std::vector<Row>& rows = Of(player).rows;
  if (row < 0 || row > static_cast<int>(rows.size())) return {};
  const Row& v = rows[row - 1];
  switch (col) {
    case 0:
      return Num(row);
    case 1:
      return v.score < 0 ? Text(kBustMark[player == 1 ? 0 : 1]) : Num(v.score);
    case 2:
      return Num(v.remainder);
    case 3:
      return v.perDart;
    case 4:
      return v.perVisit;
  }
  return {};
}

QString Match::RecordCell(int col, int row) const {
  if (row < 0 || row >= RecordRow() || col < 0 || col >= kRecordCols) return {};
  return record_[row][col];
}

// Record row k in sheet row k + 2, up to the two empty rows after the record;
// the row above each leg's first, which names player 1, and the row closing
// the last block coloured; the visit bands below the record.
SheetBlock Match::Sheet() const {
  const int rows = RecordRow();
  SheetBlock block(rows + 8, kRecordCols, rows + 7, kRecordCols);
  for (int k = 0; k <= rows + 1; ++k) {
    std::vector<QString> line(kRecordCols + 1);
    for (int c = 0; c < kRecordCols; ++c) line[c] = RecordCell(c, k);
    block.SetRow(k + 1, 0, line);
  }
  block.ColumnWidths(1, {10, 33, 10, 15, 15, 13, 13, 13, 15, 33});
  const QString name1 = Player1Name_.trimmed();
  for (int k = 0; k <= rows + 1; ++k) {
    if (k >= 1 && RecordCell(1, k - 1).trimmed() == name1) block.Fill(k + 1, 1, k + 1, kRecordCols, 33);
    if (k + 1 == rows) block.Fill(rows + 1, 1, rows + 1, kRecordCols, 36);
  }
  block.FontSize(1, 1, rows + 8, kRecordCols, 16);
  block.Bold(1, 1, rows + 8, kRecordCols);
  block.Centre(1, 1, rows + 8, kRecordCols);
  for (int b = 0; b < kBandCount; ++b) {
    const QString title = Text(kBandTitles[b]);
    block.SetRow(rows + 1 + b, 0, {title, Num(sides_[0].ScoreBands[b])});
    block.SetRow(rows + 1 + b, 8, {title, Num(sides_[1].ScoreBands[b])});
  }
  return block;
}

}  // namespace darts
