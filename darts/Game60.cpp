#include "darts/Game60.h"

#include <algorithm>
#include <iterator>

#include "darts/FileLine.h"

namespace darts {

namespace {

const char* const kTitles[] = {"Подход", "Очки", "Закрыл", "Каким дротиком"};

constexpr int kFirstRoute = 41;
constexpr int kLastRoute = 130;

// Routes of the targets 41..130, in order.
const char* const kRoutes[] = {
    "1 - D20",        "2 - D20",        "3 - D20",         "4 - D20",        "5 - D20",
    "6 - D20",        "7 - D20",        "8 - D20",         "9 - D20",        "50",
    "11 - D20",       "12 - D20",       "13 - D20",        "14 - D20",       "15 - D20",
    "16 - D20",       "17 - D20",       "18 - D20",        "19 - D20",       "20 - D20",
    "T15 - D8",       "T10 - D16",      "T17 - D6",        "T16 - D8",       "25 - D20",
    "50 - D8",        "T17 - D8",       "T20 - D4",        "T11 - D18",      "T18 - D8",
    "T13 - D16",      "T20 - D6",       "T19 - D8",        "T14 - D16",      "T17 - D12",
    "T20 - D8",       "T15 - D16",      "T18 - D12",       "T19 - D11",      "T16 - D16",
    "T15 - D18",      "50 - D16",       "T17 - D16",       "T20 - D12",      "T19 - D14",
    "T18 - D16",      "T17 - D18",      "T20 - D14",       "T19 - D16",      "T20 - D15",
    "T17 - D20",      "T20 - D16",      "T19 - D18",       "T18 - D20",      "T20 - 3 - D16",
    "T20 - D18",      "T19 - D20",      "T18 - 12 - D16",  "T19 - 10 - D16", "T20 - D20",
    "T19 - 12 - D16", "T20 - 10 - D16", "T20 - 11 - D16",  "T20 - 12 - D16", "T19 - 16 - D16",
    "T20 - 14 - D16", "T20 - 15 - D16", "T20 - 16 - D16",  "T20 - 17 - D16", "T18 - 16 - D20",
    "T19 - 14 - D20", "T20 - 20 - D16", "T19 - 16 - D20",  "T20 - 14 - D20", "T19 - 20 - D19",
    "T20 - 20 - D18", "T20 - 17 - D20", "T20 - 18 - D20",  "T20 - 19 - D20", "T20 - 20 - D20",
    "T17 - T18 - D8", "T18 - 18 - 50",  "T19 - 16 - 50",   "T20 - 14 - 50",  "50 - 25 - 50",
    "T19 - T19 - D6", "T20 - T17 - D8", "T18 - T18 - D10", "T19 - T20 - D6", "20 - T20 - 50",
};
static_assert(std::size(kRoutes) == kLastRoute - kFirstRoute + 1);

}  // namespace

QString Game60::Route(int target) {
  if (target < kFirstRoute || target > kLastRoute) return QString();
  return QString::fromUtf8(kRoutes[target - kFirstRoute]);
}

bool Game60::OneDartCloses(int target) { return target == 50 || (target < 41 && target % 2 == 0); }

bool Game60::TwoDartsClose(int target) {
  return target < 99 || target == 100 || target == 101 || target == 104 || target == 107 || target == 110;
}

void Game60::Open() {
  LimitBox(false);
  GamesPlayed_ = 0;
  HistoryRow_ = 1;
  history_.clear();
  NewGame();
}

void Game60::NewGame() {
  running_ = true;
  Target_ = kStart;
  visits_.clear();
}

void Game60::Clear() {
  Target_ = kStart;
  visits_.clear();
}

void Game60::LimitBox(bool ticked) {
  limitBox_ = ticked;
  limitAccepted_ = false;
}

bool Game60::AcceptLimit(const QString& typed) {
  // A text that is no number (blanks between the digits) reads as 0.
  const int limit = typed.trimmed().toInt();
  if (limit < kMinLimit || limit > kMaxLimit) return false;
  limit_ = limit;
  limitAccepted_ = true;
  return true;
}

// Only a limit that was accepted counts; one still being typed does not.
bool Game60::LimitReached() const { return limitBox_ && limitAccepted_ && limit_ <= static_cast<int>(visits_.size()); }

bool Game60::Offered(Dart dart) const {
  if (!Scoring()) return false;
  if (dart == Dart::First) return OneDartCloses(Target_);
  if (dart == Dart::Second) return TwoDartsClose(Target_);
  return true;
}

Game60::Visit Game60::Closed(Dart dart) {
  if (!Offered(dart)) return Visit::Ignored;
  return Add({Target_, true, dart}, Target_ + (dart == Dart::Bull ? 1 : 10));
}

Game60::Visit Game60::NotClosed() {
  if (!Scoring()) return Visit::Ignored;
  return Add({Target_, false, Dart::First}, Target_ - 1);
}

// The visit goes on the sheet; a game that ends puts its block into the log
// and waits at 60 for a new game.
Game60::Visit Game60::Add(Played visit, int newTarget) {
  visits_.push_back(visit);
  Target_ = newTarget;
  if (Target_ > kLowest && Target_ < kHighest && !LimitReached()) return Visit::Played;

  running_ = false;
  GamesPlayed_ += 1;
  history_.push_back({QString(), QString(), QString(), QStringLiteral("Игра - ") + QString::number(GamesPlayed_)});
  for (int r = 0; r < static_cast<int>(visits_.size()); ++r) history_.push_back(SheetRow(r));
  HistoryRow_ += static_cast<int>(visits_.size()) + 1;
  EndTarget_ = Target_;
  Target_ = kStart;
  return visit.closed ? Visit::Ended : Visit::Lost;
}

QString Game60::Suggestion() const { return visits_.empty() ? QStringLiteral("20 D20") : Route(Target_); }

Game60::Row Game60::SheetRow(int row) const {
  if (row < 0 || row >= static_cast<int>(visits_.size())) return {};
  const Played& v = visits_[row];
  const char* dart = !v.closed ? "0" : v.dart == Dart::First ? "1" : v.dart == Dart::Second ? "2" : "3";
  return {QString::number(row + 1), QString::number(v.target), v.closed ? QStringLiteral("Да") : QStringLiteral("Нет"),
          QString::fromLatin1(dart)};
}

std::vector<Game60::Row> Game60::LogRows() const {
  std::vector<Row> rows(HistoryRow_ + 1);
  for (int c = 0; c < 4; ++c) rows[0][c] = QString::fromUtf8(kTitles[c]);
  std::copy(history_.begin(), history_.end(), rows.begin() + 1);
  return rows;
}

QStringList Game60::FileLines(const QString& stamp) const {
  QStringList lines{stamp};
  for (const Row& row : LogRows()) lines << FileLine({row.begin(), row.end()});
  return lines;
}

SheetBlock Game60::Sheet() const {
  SheetBlock block(HistoryRow_, 4, HistoryRow_ - 1, 3);
  const std::vector<Row> rows = LogRows();
  for (int r = 0; r < HistoryRow_; ++r) block.SetRow(r, 0, {rows[r].begin(), rows[r].end()});
  block.ColumnWidths(1, {8, 8, 8, 16});
  block.Fill(1, 1, 1, 4, 35);
  return block;
}

}  // namespace darts
