#include "games/kriket.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <algorithm>

#include "automation/Excel.h"
#include "darts/CricketMarks.h"
#include "gamekit/GameWindow.h"
#include "gamekit/GridExport.h"
#include "games/GameFocus.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"

TForm_k* Form_k = nullptr;

namespace {

constexpr int kVisitCols = 5;
constexpr int kVisitRows = 150;
constexpr int kRecordRows = 2000;
constexpr int kScrollFromRow = 14;  // from the 15th visit the grid follows the current row
constexpr int kTargets[darts::kCricketTargets] = {20, 19, 18, 17, 16, 15, 21};  // button rows, panels 1..7

const QStringList& RecordTitles() {
  static const QStringList t = {"Кол-во дротиков", "Первый дротик", "Второй дротик", "Третий дротик",
                                "Сумма за подход"};
  return t;
}

// One of a target's four pictures: its number, one mark ("/"), two marks
// ("X") and closed (a ringed "X" on a lit field).
QPixmap MarkPixmap(const QString& number, int marks) {
  QPixmap pix(60, 64);
  pix.fill(marks >= 3 ? QColor(0x1b, 0x6e, 0x20) : QColor(0x10, 0x10, 0x10));
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  QFont f(QStringLiteral("Arial"));
  f.setBold(true);
  if (marks == 0) {
    f.setPixelSize(number.size() > 2 ? 22 : 30);
    p.setFont(f);
    p.setPen(QColor(0xf5, 0xf5, 0xf5));
    p.drawText(pix.rect(), Qt::AlignCenter, number);
    return pix;
  }
  f.setPixelSize(11);
  p.setFont(f);
  p.setPen(QColor(0xc8, 0xc8, 0xc8));
  p.drawText(QRect(0, 0, 58, 13), Qt::AlignRight | Qt::AlignTop, number);
  QPen pen(QColor(0xff, 0xd7, 0x00), 6, Qt::SolidLine, Qt::RoundCap);
  p.setPen(pen);
  const QRectF box(14, 16, 32, 38);
  p.drawLine(box.bottomLeft(), box.topRight());
  if (marks >= 2) p.drawLine(box.topLeft(), box.bottomRight());
  if (marks >= 3) {
    pen.setWidth(4);
    p.setPen(pen);
    p.drawEllipse(QRectF(6, 11, 48, 48));
  }
  return pix;
}

QString Num(int v) { return ui::IntToStr(v); }

}  // namespace

TForm_k::TForm_k(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
  for (int s = 15; s <= 21; ++s) {
    for (int m = 1; m <= 3; ++m) {
      QPushButton* b = findChild<QPushButton*>(QStringLiteral("SpeedButton%1_%2").arg(s).arg(m));
      segments_[SegmentIndex(s, m)] = b;
      if (!b) continue;
      b->setMouseTracking(true);
      b->installEventFilter(this);
    }
  }
  for (int panel = 1; panel <= darts::kCricketTargets; ++panel) {
    const int t = panel - 1;
    const QString number = t == darts::kCricketBull ? QStringLiteral("Bull") : Num(darts::CricketTargetNumber(t));
    for (int k = 0; k < 4; ++k) {
      if (QLabel* img = MarkImage(panel, k)) img->setPixmap(MarkPixmap(number, k));
    }
  }
  gamekit::InfoBackground(*StringGrid1);
  games::TabFocusButtons(*this);
  keys_ = gamekit::FunctionKeyMap{
      {ui::VK_F10, {BitBtn2}},
      {ui::VK_F7, {BitBtn1}},
      {'0', {SpeedButton21_1}},
      {96, {SpeedButton21_1}},  // 0 of the numeric pad
  };
}

QPushButton* TForm_k::SegmentButton(int s, int m) const {
  if (s < 15 || s > 21 || m < 1 || m > 3) return nullptr;
  return segments_[SegmentIndex(s, m)];
}

QLabel* TForm_k::MarkImage(int panel, int k) const {
  if (panel < 1 || panel > darts::kCricketTargets) return nullptr;
  return findChild<QLabel*>(QStringLiteral("Image%1_%2").arg(kTargets[panel - 1]).arg(k));
}

std::int32_t& TForm_k::MarksOf(int target) {
  std::int32_t* const marks[darts::kCricketTargets] = {&Marks20, &Marks19, &Marks18,  &Marks17,
                                                       &Marks16, &Marks15, &MarksBull};
  return *marks[target];
}

std::array<int, 7> TForm_k::AllMarks() const {
  return {Marks20, Marks19, Marks18, Marks17, Marks16, Marks15, MarksBull};
}

// ---------------------------------------------------------------------------
// Opening, keys, hover

void TForm_k::FormShow() {
  Marks20 = Marks19 = Marks18 = Marks17 = Marks16 = Marks15 = MarksBull = 0;
  LegsPlayed = 0;
  LegMisses = LegSingles = LegDoubles = LegTrebles = 0;
  TotalMisses = TotalSingles = TotalDoubles = TotalTrebles = 0;
  LegDarts = 0;
  LegNumber = 0;
  VisitRow = 1;
  DartInVisit = 0;
  HistoryRow = 2;
  flags_.fill(false);
  StringGrid1->SetCell(0, 0, QStringLiteral("Лег №"));
  StringGrid1->SetCell(1, 0, QStringLiteral("0"));
  ClearVisitRows();
  ClearRecordRows();
  StringGrid2->SetCell(0, 0, gamekit::DatedNow());
  SetRecordRow(1, RecordTitles());
  ShowPlainPictures();
  SetAllSegments(false);
  // A leg starts only with "- Новый лег"; it keeps its state from the last closing.
  games::RestFocus(*this);
}

void TForm_k::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  int k = key;
  if (k == '0' && (shift & Qt::KeypadModifier)) k = 96;
  keys_.Handle(k);
}

bool TForm_k::eventFilter(QObject* watched, QEvent* e) {
  auto* b = qobject_cast<QPushButton*>(watched);
  if (b && (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter || e->type() == QEvent::Leave)) {
    // Red while the mouse is over a segment button, black once it leaves.
    QPalette pal = b->palette();
    const QColor colour = e->type() == QEvent::Leave ? ui::ToQColor(0) : ui::ToQColor(255);
    // A closed target keeps the grey text of a disabled button.
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) pal.setColor(g, QPalette::ButtonText, colour);
    b->setPalette(pal);
  }
  return ui::TForm::eventFilter(watched, e);
}

// ---------------------------------------------------------------------------
// Darts

#define SEGMENT_HANDLER(s, m) \
  void TForm_k::SpeedButton##s##_##m##Click() { SegmentClick(s, m); }
SEGMENT_HANDLER(20, 1)
SEGMENT_HANDLER(20, 2)
SEGMENT_HANDLER(20, 3)
SEGMENT_HANDLER(19, 1)
SEGMENT_HANDLER(19, 2)
SEGMENT_HANDLER(19, 3)
SEGMENT_HANDLER(18, 1)
SEGMENT_HANDLER(18, 2)
SEGMENT_HANDLER(18, 3)
SEGMENT_HANDLER(17, 1)
SEGMENT_HANDLER(17, 2)
SEGMENT_HANDLER(17, 3)
SEGMENT_HANDLER(16, 1)
SEGMENT_HANDLER(16, 2)
SEGMENT_HANDLER(16, 3)
SEGMENT_HANDLER(15, 1)
SEGMENT_HANDLER(15, 2)
SEGMENT_HANDLER(15, 3)
SEGMENT_HANDLER(21, 1)
SEGMENT_HANDLER(21, 2)
SEGMENT_HANDLER(21, 3)
#undef SEGMENT_HANDLER

void TForm_k::SegmentClick(int s, int m) {
  QPushButton* b = SegmentButton(s, m);
  // A closed target or a finished leg takes no dart, however the click came.
  if (!b || !b->isEnabled()) return;
  flags_[SegmentIndex(s, m)] = true;
  const auto dart = darts::CricketDartOf(b->text());
  switch (dart ? dart->kind : darts::DartKind::Miss) {
    case darts::DartKind::Miss:
      ++LegMisses, ++TotalMisses;
      break;
    case darts::DartKind::Single:
      ++LegSingles, ++TotalSingles;
      break;
    case darts::DartKind::Double:
      ++LegDoubles, ++TotalDoubles;
      break;
    case darts::DartKind::Treble:
      ++LegTrebles, ++TotalTrebles;
      break;
  }
  BitBtn3Click();
}

void TForm_k::BitBtn3Click() {
  LegDarts += 1;
  DartInVisit += 1;
  highestVisitRow_ = std::max(highestVisitRow_, VisitRow);
  StringGrid1->SetCell(0, VisitRow, Num(LegDarts));

  for (int i = 0; i < kSegments; ++i) {
    if (!flags_[i]) continue;
    flags_[i] = false;
    const QString caption = segments_[i] ? segments_[i]->text() : QString();
    if (const auto dart = darts::CricketDartOf(caption); dart && dart->target >= 0) {
      MarksOf(dart->target) += dart->marks;
    }
    StringGrid1->SetCell(DartInVisit, VisitRow, caption);
    break;
  }

  ShowMarks(darts::kCricketBull);
  for (int t = 0; t < darts::kCricketBull; ++t) ShowMarks(t);

  const bool legOver = darts::AllClosed(AllMarks());
  if (LegDarts % 3 == 0 || legOver) {
    int sum = 0;
    for (int c = 1; c <= DartInVisit; ++c) sum += darts::CricketDartScore(StringGrid1->Cell(c, VisitRow));
    StringGrid1->SetCell(4, VisitRow, Num(sum));
    VisitRow += 1;
    DartInVisit = 0;
  }
  if (VisitRow > kScrollFromRow) StringGrid1->SetRow(VisitRow);

  if (legOver) {
    WriteLegBlock();
    HistoryRow += VisitRow + 2;
    SpeedButton21_1->setEnabled(false);
    LegsPlayed += 1;
    BitBtn1->setEnabled(true);
  }
  games::RestFocus(*this);
}

void TForm_k::ShowMarks(int target) {
  const int marks = MarksOf(target);
  if (marks <= 0) return;
  const int shown = darts::MarkPicture(marks);
  for (int k = 0; k < 4; ++k) {
    if (QLabel* img = MarkImage(target + 1, k)) img->setVisible(k == shown);
  }
  if (darts::IsClosed(marks)) {
    const int s = kTargets[target];
    for (int m = (s == 21 ? 2 : 1); m <= 3; ++m) {
      if (QPushButton* b = SegmentButton(s, m)) b->setEnabled(false);
    }
  }
}

void TForm_k::SetAllSegments(bool enabled) {
  for (QPushButton* b : segments_) {
    if (b) b->setEnabled(enabled);
  }
}

void TForm_k::ShowPlainPictures() {
  for (int panel = 1; panel <= darts::kCricketTargets; ++panel) {
    for (int k = 0; k < 4; ++k) {
      if (QLabel* img = MarkImage(panel, k)) img->setVisible(k == 0);
    }
  }
}

// ---------------------------------------------------------------------------
// New leg

void TForm_k::ClearVisitRows() {
  const int last = std::max(kVisitRows, highestVisitRow_);
  gamekit::ClearCells(*StringGrid1, 1, last, 0, kVisitCols - 1);
  highestVisitRow_ = 0;
}

void TForm_k::ClearRecordRows() {
  const int last = std::max(kRecordRows, highestRecordRow_);
  gamekit::ClearCells(*StringGrid2, 2, last, 0, kVisitCols - 1);
  highestRecordRow_ = 1;
}

void TForm_k::BitBtn1Click() {
  StringGrid1->SetRow(0);
  BitBtn1->setEnabled(false);
  LegNumber += 1;
  VisitRow = 1;
  DartInVisit = 0;
  LegDarts = 0;
  LegMisses = LegSingles = LegDoubles = LegTrebles = 0;
  StringGrid1->SetCell(1, 0, Num(LegNumber));
  Marks20 = Marks19 = Marks18 = Marks17 = Marks16 = Marks15 = MarksBull = 0;
  flags_.fill(false);
  ClearVisitRows();
  ShowPlainPictures();
  SetAllSegments(true);
  games::RestFocus(*this);
}

// ---------------------------------------------------------------------------
// Record, leaving, file and export

void TForm_k::SetRecordRow(int row, const QStringList& cells) {
  for (int c = 0; c < kVisitCols; ++c) StringGrid2->SetCell(c, row, c < cells.size() ? cells[c] : QString());
  highestRecordRow_ = std::max(highestRecordRow_, row);
}

void TForm_k::WriteLegBlock() {
  const int h = HistoryRow;
  SetRecordRow(h, {QStringLiteral("Лег №") + " " + StringGrid1->Cell(1, 0)});
  for (int r = 1; r < VisitRow; ++r) {
    QStringList cells;
    for (int c = 0; c < kVisitCols; ++c) cells << StringGrid1->Cell(c, r);
    SetRecordRow(h + r, cells);
  }
  const int v = VisitRow - 1;
  SetRecordRow(h + v + 1, {QString(), "Мимо сектора", "Сектор", "Удвоение", "Утроение"});
  SetRecordRow(h + v + 2, {"Итого по легу", Num(LegMisses), Num(LegSingles), Num(LegDoubles), Num(LegTrebles)});
}

void TForm_k::WriteTotalsRow() {
  SetRecordRow(HistoryRow + 1,
               {"Итого по всем легам", Num(TotalMisses), Num(TotalSingles), Num(TotalDoubles), Num(TotalTrebles)});
}

bool TForm_k::WriteStatisticsFile() {
  return gamekit::WriteGridFile(QStringLiteral("kriket"), false, nullptr, *StringGrid2, 0, HistoryRow + 3,
                                kVisitCols - 1);
}

// The close box and Alt+F4: with legs not yet written they leave as "Выход"
// does, with the file and the question; otherwise the window just closes.
void TForm_k::closeEvent(QCloseEvent* e) {
  if (LegsPlayed == 0) return ui::TForm::closeEvent(e);
  e->ignore();
  BitBtn2Click();
}

void TForm_k::BitBtn2Click() {
  ui::RunHandler([&] {
    BitBtn1->setEnabled(true);
    if (LegsPlayed == 0) {
      Close();
      return;
    }
    WriteTotalsRow();
    // No reset: the next showing resets the window.
    gamekit::LeaveWithQuestion(
        *this, [this] { return WriteStatisticsFile(); }, [this] { return BitBtn4Click(); });
  });
}

bool TForm_k::BitBtn4Click() {
  const int lastRow = HistoryRow + 3;  // sheet rows 1..lastRow
  gamekit::SheetBlock block;
  block.lastRow = lastRow;
  block.lastCol = kVisitCols;
  block.highRow = lastRow - 1;
  block.highCol = kVisitCols - 1;
  block.fill = [this, lastRow](automation::VariantArray& data) {
    gamekit::CopyGridBlock(data, 0, 0, *StringGrid2, 0, lastRow - 1, 0, kVisitCols - 1);
  };
  block.format = [](automation::Worksheet& sheet) {
    sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(1, kVisitCols)).Merge();  // the date row
    gamekit::ColumnWidths(sheet, 1, {20, 16, 16, 16, 16});
    gamekit::FillColour(sheet, 1, 1, 2, kVisitCols, 35);  // the date and the titles
  };
  return gamekit::ExportBlock(block);
}
