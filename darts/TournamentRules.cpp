#include "darts/TournamentRules.h"

#include <algorithm>

namespace darts {

namespace {

bool IsPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// The first row that carries a line in the column of round r: the lines of
// round r + 1 lie halfway between those of round r, so the first one moves
// down by half the step of round r each round.
int FirstLineRow(int round) { return 3 + (1 << (round - 1)); }

}  // namespace

bool IsRoundRobinSize(int participants) { return participants == 4 || participants == 6 || participants == 8; }

std::vector<std::vector<Pairing>> RoundRobinRounds(int participants) {
  const int n = participants;
  if (n < 2 || n % 2 != 0) return {};
  const int ring = n - 1;  // participants 2..n
  auto onRing = [ring](int x) { return ((x - 2) % ring + ring) % ring + 2; };
  std::vector<std::vector<Pairing>> rounds;
  for (int k = 1; k <= n - 1; ++k) {
    const int m = n - k + 1;
    std::vector<Pairing> round{{1, m}};
    for (int d = 1; d < n / 2; ++d) {
      const int a = onRing(m - d), b = onRing(m + d);
      round.emplace_back(std::min(a, b), std::max(a, b));
    }
    rounds.push_back(std::move(round));
  }
  return rounds;
}

QString PairingText(const Pairing& p) {
  return QString::number(p.first) + QStringLiteral(" -- ") + QString::number(p.second);
}

bool IsBracketSize(int participants) {
  return participants == 8 || participants == 16 || participants == 32 || participants == 64;
}

int BracketRounds(int participants) {
  if (!IsPowerOfTwo(participants) || participants < 2) return 0;
  int rounds = 0;
  while ((1 << rounds) < participants) ++rounds;
  return rounds;
}

std::vector<int> SeedOrder(int participants) {
  if (!IsPowerOfTwo(participants) || participants < 2) return {};
  std::vector<int> seeds{1, 2};
  while (static_cast<int>(seeds.size()) < participants) {
    const int m = static_cast<int>(seeds.size());
    std::vector<int> doubled;
    doubled.reserve(2 * m);
    for (int p = 0; p < m; ++p) {
      const int s = seeds[p], partner = 2 * m + 1 - s;
      if (p % 2 == 0) {
        doubled.insert(doubled.end(), {s, partner});
      } else {
        doubled.insert(doubled.end(), {partner, s});
      }
    }
    seeds = std::move(doubled);
  }
  return seeds;
}

int BracketSheetColumns(int participants) {
  const int rounds = BracketRounds(participants);
  return rounds == 0 ? 0 : rounds + 2;
}

int BracketSheetRows(int participants) { return BracketRounds(participants) == 0 ? 0 : 2 * participants + 2; }

int SlotRow(int slot) { return 2 * slot + 1; }

std::vector<int> SlotLineRows(int participants, int round) {
  const int rounds = BracketRounds(participants);
  if (rounds == 0 || round < 1 || round > rounds + 1) return {};
  const int first = FirstLineRow(round), step = 1 << round;
  const int lines = participants >> (round - 1);
  std::vector<int> rows;
  rows.reserve(lines);
  for (int j = 0; j < lines; ++j) rows.push_back(first + j * step);
  return rows;
}

std::vector<int> ConnectorRows(int participants, int round) {
  const int rounds = BracketRounds(participants);
  if (rounds == 0 || round < 1 || round > rounds) return {};
  const int first = FirstLineRow(round), height = 1 << round;
  const int pairs = participants >> round;
  std::vector<int> rows;
  rows.reserve(participants);
  for (int j = 0; j < pairs; ++j) {
    const int top = first + j * 2 * height;
    for (int row = top; row < top + height; ++row) rows.push_back(row);
  }
  return rows;
}

QString RoundTitle(int participants, int round) {
  const int rounds = BracketRounds(participants);
  if (rounds == 0 || round < 1 || round > rounds + 1) return {};
  if (round == rounds + 1) return QStringLiteral("Победитель");
  const int pairsLeft = participants >> round;
  if (pairsLeft == 1) return QStringLiteral("Финал");
  return QStringLiteral(" 1/") + QString::number(pairsLeft) + QChar(' ');
}

}  // namespace darts
