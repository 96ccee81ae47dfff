#include "darts/Game27.h"

#include "darts/FileLine.h"

namespace darts {

namespace {

const char* const kHeadings[] = {"Сектор", "Попаданий в сектор", "Очки в секторе", "Сумма очков"};

QString SectorName(int sector) {
  return sector == Game27::kBull ? QStringLiteral("Булл") : QString::number(sector);
}

}  // namespace

int Game27::Points(int sector, int hits) {
  const int target = sector == kBull ? 50 : 2 * sector;
  return hits == 0 ? -target : target * hits;
}

void Game27::Open() {
  Clear();
  GameRows_ = 1;
  GamesPlayed_ = 0;
  HistoryRow_ = 1;
}

void Game27::Clear() {
  running_ = false;
  shown_ = false;
  sheet_ = {};
  history_.clear();
}

void Game27::NewGame(bool withBull) {
  running_ = true;
  shown_ = true;
  withBull_ = withBull;
  sheet_ = {};
  GameRows_ = 1;
  CurrentSector_ = 1;
  Total_ = kStart;
}

QString Game27::SheetCell(int col, int row) const {
  if (!shown_ || col < 0 || col >= kSheetCols || col == 4 || row < 0 || row >= kSheetRows) return {};
  const bool right = col > 4;
  if (!right && row == kSheetRows - 1) return {};
  const int sector = right ? row + 11 : row + 1;
  if (sector == kBull && !withBull_) return {};
  const int field = right ? col - 5 : col;
  if (field == 0) return SectorName(sector);
  const std::optional<Played>& p = sheet_[sector];
  if (!p) return {};
  return QString::number(field == 1 ? p->hits : field == 2 ? p->points : p->total);
}

Game27::End Game27::Visit(int hits) {
  if (!running_) return End::None;
  GameRows_ += 1;
  if (hits == 0) GameFinishedByLastSector_ = false;
  const int points = Points(CurrentSector_, hits);
  Total_ += points;
  sheet_[CurrentSector_] = Played{hits, points, Total_};

  LastSector_ = LastSector(withBull_);
  if (CurrentSector_ < LastSector_) {
    CurrentSector_ += 1;
  } else {
    // The whole sheet goes into the history, the Bull row when it is played.
    EndGame();
    for (int s = 1; s <= LastSector_; ++s) CopyRow(s, s);
    HistoryRow_ += GameRows_ + 1;
    GameFinishedByLastSector_ = hits == 0;
    return hits == 0 ? End::LastSectorMissed : hits == 1 ? End::LastSectorOneHit : End::LastSector;
  }
  if (hits == 0 && Total_ < 0 && !GameFinishedByLastSector_) {
    // Below zero: the block holds the rows up to the visit that ended it (at
    // sector 20 the Bull row too, with its name alone).
    EndGame();
    for (int s = 1; s <= 20; ++s) {
      CopyRow(s, s);
      if (s == 20 && withBull_) CopyRow(kBull, kBull);
      if (s == CurrentSector_ - 1) break;
    }
    HistoryRow_ += GameRows_ + 1;
    return End::BelowZero;
  }
  return End::None;
}

void Game27::EndGame() {
  running_ = false;
  GamesPlayed_ += 1;
  history_.resize(HistoryRow_ + kBull + 1);
  history_[HistoryRow_ - 1][1] = QStringLiteral("Игра - ") + QString::number(GamesPlayed_);
}

void Game27::CopyRow(int sector, int blockRow) {
  const int row = sector <= 10 ? sector - 1 : sector - 11;
  const int col = sector <= 10 ? 0 : 5;
  std::array<QString, 4>& target = history_[HistoryRow_ - 1 + blockRow];
  for (int c = 0; c < 4; ++c) target[c] = SheetCell(col + c, row);
}

std::vector<std::array<QString, 4>> Game27::HistoryRows() const {
  std::vector<std::array<QString, 4>> rows(HistoryRow_ + 1);
  for (int c = 0; c < 4; ++c) rows[0][c] = QString::fromUtf8(kHeadings[c]);
  for (int r = 1; r <= HistoryRow_ && r - 1 < static_cast<int>(history_.size()); ++r) rows[r] = history_[r - 1];
  return rows;
}

QStringList Game27::FileLines(const QString& stamp) const {
  QStringList lines{stamp};
  for (const std::array<QString, 4>& row : HistoryRows()) lines << FileLine({row.begin(), row.end()});
  return lines;
}

SheetBlock Game27::Sheet() const {
  // The array reaches one row and one column past the block; they stay empty.
  SheetBlock block(HistoryRow_, 4, HistoryRow_, 4);
  const std::vector<std::array<QString, 4>> rows = HistoryRows();
  for (int r = 0; r < HistoryRow_; ++r) block.SetRow(r, 0, {rows[r].begin(), rows[r].end()});
  block.ColumnWidths(1, {8, 19, 15, 13});
  block.Fill(1, 1, 1, 4, 35);
  return block;
}

}  // namespace darts
