#include "darts/BigRound.h"

#include <cmath>

#include "darts/FileLine.h"
#include "darts/SectorVisits.h"

namespace darts {

namespace {

constexpr int kDarts = 3 * BigRound::kRounds;

QStringList Headings() {
  QStringList h{QStringLiteral("Дата и Время"), QStringLiteral("Игра")};
  for (int s = 1; s <= 20; ++s) h << QString::number(s);
  h << QStringLiteral("Bull") << QStringLiteral("Сумма") << QStringLiteral("Ср. на 1") << QStringLiteral("Ср. на 3")
    << QStringLiteral("Ср. набор(нарастающий)") << QString();
  return h;
}

// A sum of whole scores, kept in single precision.
QString Whole(float value) { return QString::number(static_cast<qlonglong>(value)); }

}  // namespace

BigRound::BigRound(Decimals twoDecimals, Dated now) : twoDecimals_(twoDecimals), now_(now) {}

// An average as its two decimals show it; the sums per sector add these.
float BigRound::AsShown(float value) { return static_cast<float>(std::round(static_cast<double>(value) * 100) / 100); }

void BigRound::Open() {
  games_.clear();
  AllGamesSum_ = 0;
  totals_ = {};
}

void BigRound::Clear() {
  started_ = undoOffered_ = secondColumn_ = false;
  RoundsPlayed_ = 0;
  sum_ = 0;
}

void BigRound::NewGame() {
  started_ = true;
  secondColumn_ = false;
  RoundsPlayed_ = 0;
  sum_ = 0;
}

BigRound::Visited BigRound::Visit(const QString& typed) {
  if (!Running()) return Visited::Ignored;
  const QString trimmed = typed.trimmed();
  if (trimmed.isEmpty()) return Visited::OutOfRange;
  bool number = false;
  const int entered = trimmed.toInt(&number);
  if (!number) return Visited::NotANumber;
  if (entered > kMaxVisit || entered < 0) return Visited::OutOfRange;
  const bool leadingZero = typed.startsWith(QLatin1Char('0'));
  const int value = leadingZero ? 0 : entered;
  const int round = RoundsPlayed_ + 1;
  if (!IsSectorVisit(round == kRounds ? kBullSector : round, value)) return Visited::NotInSector;

  RoundsPlayed_ = round;
  if (round == 10) secondColumn_ = true;
  undoOffered_ = true;
  sum_ += value;
  scores_[round - 1] = leadingZero ? QStringLiteral("0") : trimmed;
  values_[round - 1] = value;
  if (round < kRounds) return Visited::Next;
  RecordGame();
  return Visited::GameOver;
}

void BigRound::RecordGame() {
  undoOffered_ = false;
  float sum = 0;
  for (int s = 0; s < kRounds; ++s) {
    sum += static_cast<float>(values_[s]);
    totals_[s] += static_cast<float>(values_[s]);
  }
  AllGamesSum_ += sum;
  const Game game{now_(),       scores_,       sum,
                  sum / kDarts, sum / kRounds, AllGamesSum_ / static_cast<float>(GamesPlayed() + 1)};
  totals_[kRounds] += game.sum;
  totals_[kRounds + 1] += AsShown(game.perDart);
  totals_[kRounds + 2] += AsShown(game.perVisit);
  games_.push_back(game);
}

bool BigRound::Undo() {
  if (!Running() || RoundsPlayed_ < 1) return false;
  sum_ -= values_[RoundsPlayed_ - 1];
  RoundsPlayed_ -= 1;
  return true;
}

QString BigRound::ScoreText(int round) const {
  return round >= 1 && round <= RoundsPlayed_ ? scores_[round - 1] : QStringLiteral("0");
}

QString BigRound::ResultCell(int col, int row) const {
  const int g = GamesPlayed();
  if (row == 0 && g > 0) {
    const float games = static_cast<float>(g);
    switch (col) {
      case 1:
        return twoDecimals_(AllGamesSum_ / games);
      case 2:
        return twoDecimals_(AllGamesSum_ / (kDarts * games));
      case 3:
        return twoDecimals_(AllGamesSum_ / (kRounds * games));
    }
  }
  if (row < 1 || row > g) return {};
  const Game& game = games_[row - 1];
  switch (col) {
    case 0:
      return QString::number(row);
    case 1:
      return Whole(game.sum);
    case 2:
      return twoDecimals_(game.perDart);
    case 3:
      return twoDecimals_(game.perVisit);
  }
  return {};
}

QStringList BigRound::TableRow(int row) const {
  const int g = GamesPlayed();
  if (row == 0) return Headings();
  QStringList cells;
  if (row >= 1 && row <= g) {
    const Game& game = games_[row - 1];
    cells << game.dated << QString::number(row);
    for (const QString& score : game.scores) cells << score;
    cells << Whole(game.sum) << twoDecimals_(game.perDart) << twoDecimals_(game.perVisit) << twoDecimals_(game.running);
  } else if (row == g + 1) {
    cells << QStringLiteral("Сумма по сектору") << QString();
    for (int s = 0; s <= kRounds; ++s) cells << Whole(totals_[s]);  // the rounds and the sum
  } else if (row == g + 2) {
    cells << QStringLiteral("Средняя по секторам и набору") << QString();
    for (int s = 0; s <= kRounds + 2; ++s) cells << twoDecimals_(totals_[s] / static_cast<float>(g));
  }
  while (cells.size() < kTableCols) cells << QString();
  return cells;
}

QStringList BigRound::FileLines(const QString& stamp) const {
  (void)stamp;  // the file has no stamp line
  QStringList lines;
  for (int r = 0; r <= GamesPlayed() + 2; ++r) lines << FileLine(TableRow(r));
  return lines;
}

SheetBlock BigRound::Sheet() const {
  // The array reaches a row and a column past the table; they stay empty.
  const int rows = GamesPlayed() + 3;
  SheetBlock block(rows, kTableCols - 1, rows, kTableCols - 1);
  for (int r = 0; r < rows; ++r) {
    const QStringList row = TableRow(r);
    block.SetRow(r, 0, {row.begin(), row.end()});
  }
  std::vector<double> widths{35, 5};   // date and time, game
  widths.insert(widths.end(), 20, 4);  // sectors 1..20
  widths.insert(widths.end(), 4, 8);   // Bull, sum, the two averages
  widths.push_back(24);                // running average
  block.ColumnWidths(1, widths);
  block.Fill(1, 1, 1, kTableCols - 1, 35);
  block.Fill(2, 1, rows, 1, 33);
  return block;
}

}  // namespace darts
