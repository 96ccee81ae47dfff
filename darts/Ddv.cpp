#include "darts/Ddv.h"

#include "darts/FileLine.h"

namespace darts {

namespace {

// The fewest hits of each DDV value, from the best value down.
struct Band {
  int fewestHits;
  const char* text;
};
constexpr Band kBands[] = {
    {200, "0,1"}, {198, "0,2"}, {180, "0,3"}, {158, "0,4"}, {136, "0,5"}, {118, "0,6"}, {102, "0,7"}, {90, "0,8"},
    {78, "0,9"},  {68, "1,0"},  {60, "1,1"},  {53, "1,2"},  {47, "1,3"},  {42, "1,4"},  {37, "1,5"},  {35, "1,6"},
    {32, "1,7"},  {29, "1,8"},  {27, "1,9"},  {24, "2,0"},  {23, "2,1"},  {21, "2,2"},  {20, "2,3"},  {18, "2,4"},
    {17, "2,5"},  {16, "2,6"},  {15, "2,7"},  {14, "2,8"},  {13, "2,9"},  {12, "3,0"},
};

// Results table rows.
enum Row {
  kStampRow = 0,
  kGameRow,
  kPercentRow,
  kDdvRow,
  kHitsRow,
  kOneHitRow = 6,
  kTwoHitRow = 10,
  kThreeHitRow = 14
};
const char* const kTitles[] = {
    "Процент",
    "DDV",
    "Всего попал в утроение",
    "Из них за подход:",
    "Один дротик(60)",
    "      Первым дротиком",
    "      Вторым дротиком",
    "      Третьим дротиком",
    "Два дротика(120)",
    "      Первым и Вторым",
    "      Первым и третьим",
    "      Вторым и третьим",
    "Три дротика(180)",
};
// The rows counting visits by the darts that hit, and the darts of each (bits:
// 4 the first, 2 the second, 1 the third).
constexpr int kByDartsRows[6] = {7, 8, 9, 11, 12, 13};
constexpr int kByDartsMasks[6] = {4, 2, 1, 6, 5, 3};

// A guide line follows the 10th, 20th, ..., 60th visit: the visit number has
// just become 11, 21, ..., 61. Never the 66th.
bool IsTenth(int visitNumber) { return visitNumber > 1 && visitNumber <= 61 && (visitNumber - 1) % 10 == 0; }

// A count and its points in parentheses: "3(6)".
QString WithPoints(int count, int perVisit) { return QStringLiteral("%1(%2)").arg(count).arg(count * perVisit); }

// A DDV text read whatever the user's decimal separator: a comma or a point
// before the tenths, blanks around it allowed.
std::optional<float> ValueOf(const QString& text) {
  QString t = text.trimmed();
  if (t.isEmpty()) return std::nullopt;
  t.replace(QChar(','), QChar('.'));
  for (QChar c : t) {
    if (!c.isDigit() && c != QChar('.') && c != QChar('-') && c != QChar('+')) return std::nullopt;
  }
  bool ok = false;
  const double v = t.toDouble(&ok);  // QString::toDouble reads the C locale
  if (!ok) return std::nullopt;
  return static_cast<float>(v);
}

}  // namespace

Ddv::Ddv(Format oneDecimal, Format shortest) : oneDecimal_(oneDecimal), shortest_(shortest) {}

float Ddv::Percent(int hits) {
  // Worked in double and kept in single precision: an exact multiple of 0.5.
  return static_cast<float>(static_cast<double>(hits) / kDarts * 100.0);
}

QString Ddv::DdvText(int hits) {
  if (hits < kFewestHits || hits > kDarts) return QString();
  for (const Band& b : kBands) {
    if (hits >= b.fewestHits) return QString::fromLatin1(b.text);
  }
  return QString();
}

QString Ddv::Recommendation(const QString& ddvText, const QString& previous) {
  if (ddvText.trimmed().isEmpty()) return QStringLiteral("???");
  const std::optional<float> value = ValueOf(ddvText);
  if (!value) return previous;
  // The value in single precision against the double bounds: "1,7" is just
  // above 1.7 and so already a T19 value.
  const double v = *value;
  if (v >= 0.1 && v < 1.7) return QStringLiteral("T20");
  if (v >= 1.7 && v <= 3.0) return QStringLiteral("T19");
  if (v > 3.0) return QStringLiteral("T7");
  return previous;
}

void Ddv::Clear() {
  running_ = newGameFreed_ = UnsavedGame_ = false;
  DartsThrown_ = Hits_ = VisitHits_ = visitMask_ = 0;
  games_.clear();
}

void Ddv::NewGame(const QString& tableStamp) {
  if (!NewGameOffered()) return;
  if (games_.empty()) tableStamp_ = tableStamp;
  games_.emplace_back();  // a game replaced unfinished keeps only its header
  running_ = true;
  newGameFreed_ = false;
  DartsThrown_ = Hits_ = VisitHits_ = visitMask_ = 0;
  OneHitVisits_ = TwoHitVisits_ = ThreeHitVisits_ = 0;
  byDarts_ = {};
  HitPercent_ = 0;
  VisitNumber_ = 1;
  GraphX_ = kHitAxisX;
  GraphY_ = kVisitAxisY;
}

Ddv::Thrown Ddv::Dart(int dart, bool hit) {
  Thrown t;
  if (dart != CurrentDart() || dart == 0) return t;
  t.taken = true;
  DartsThrown_ += 1;
  if (hit) {
    VisitHits_ += 1;
    visitMask_ |= 4 >> (dart - 1);
    Hits_ += 1;
  }
  if (Hits_ > 0) HitPercent_ = Percent(Hits_);
  if (dart == kVisitDarts) {
    VisitNumber_ += 1;
    t.column = EndVisit(kVisitWidth, IsTenth(VisitNumber_) ? Column::Label::Tenth : Column::Label::None);
  }
  if (DartsThrown_ == kDarts) {  // the second dart of the last visit
    t.column = EndVisit(kLastVisitWidth, Column::Label::Last);
    t.gameOver = true;
    running_ = false;
    UnsavedGame_ = true;
    games_.back() = Result{HitPercent_, DdvText(), Hits_, OneHitVisits_, TwoHitVisits_, ThreeHitVisits_, byDarts_};
  }
  return t;
}

Ddv::Column Ddv::EndVisit(int width, Column::Label label) {
  const int h = VisitHits_;
  StepWidth_ = width;
  const Column column{GraphX_, GraphY_, width, h, h > 0 || Hits_ > 0, label};
  GraphX_ += kVisitWidth;
  GraphY_ -= kHitHeight * h;
  if (h == 1) OneHitVisits_ += 1;
  if (h == 2) TwoHitVisits_ += 1;
  if (h == 3) ThreeHitVisits_ += 1;
  for (int i = 0; i < 6; ++i) byDarts_[i] += visitMask_ == kByDartsMasks[i];
  VisitHits_ = visitMask_ = 0;
  return column;
}

QString Ddv::PercentText() const { return Hits_ > 0 ? oneDecimal_(HitPercent_) : QStringLiteral("0,00"); }

QString Ddv::ResultCell(int col, int row) const {
  if (games_.empty() || col < 0 || col > GameNumber() || row < 0 || row >= kResultRows) return {};
  if (col == 0) {
    if (row == kStampRow) return tableStamp_;
    return row >= kPercentRow && row <= kThreeHitRow ? QString::fromUtf8(kTitles[row - kPercentRow]) : QString();
  }
  if (row == kGameRow) return QStringLiteral("Игра - ") + QString::number(col);
  const std::optional<Result>& r = games_[col - 1];
  if (!r) return {};
  switch (row) {
    case kPercentRow:
      return shortest_(r->percent);
    case kDdvRow:
      return r->ddv;
    case kHitsRow:
      return QString::number(r->hits);
    case kOneHitRow:
      return WithPoints(r->one, 1);
    case kTwoHitRow:
      return WithPoints(r->two, 2);
    case kThreeHitRow:
      return WithPoints(r->three, 3);
    default:
      break;
  }
  for (int i = 0; i < 6; ++i) {
    if (row == kByDartsRows[i]) return QString::number(r->byDarts[i]);
  }
  return {};
}

QStringList Ddv::FileLines(const QString& stamp) const {
  (void)stamp;  // the table's own stamp heads it
  QStringList lines;
  for (int r = 0; r < kResultRows; ++r) {
    QStringList cells;
    for (int c = 0; c < ResultCols(); ++c) cells << ResultCell(c, r);
    lines << FileLine(cells);
  }
  return lines;
}

SheetBlock Ddv::Sheet() const {
  // The array reaches the empty column after the last game, beyond the block.
  const int lastCol = GameNumber() + 1;
  SheetBlock block(kThreeHitRow + 1, lastCol, kThreeHitRow + 1, lastCol);
  for (int r = 0; r <= kThreeHitRow; ++r) {
    for (int c = 0; c <= lastCol; ++c) block.Set(r, c, ResultCell(c, r));
  }
  block.Merge(1, 1, 1, 2);
  std::vector<double> widths(static_cast<size_t>(lastCol), 10);
  widths[0] = 30;
  block.ColumnWidths(1, widths, 2);
  block.Fill(1, 1, 2, lastCol, 35);
  return block;
}

}  // namespace darts
