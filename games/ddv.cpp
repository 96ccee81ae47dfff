#include "games/ddv.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <algorithm>
#include <memory>

#include "automation/Excel.h"
#include "darts/DdvRules.h"
#include "gamekit/GameWindow.h"
#include "gamekit/GridExport.h"
#include "games/Form_ddv_r.h"
#include "games/GameFocus.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"

TForm_ddv* Form_ddv = nullptr;

namespace {

// Value table columns: hits, percentage, DDV text, then the marks of a dart
// thrown first, second or third in its visit.
constexpr int kPercentCol = 1;
constexpr int kDdvCol = 2;
constexpr int kMarkCol = 3;
// The value table is searched from this row on.
constexpr int kFirstSearchRow = 5;

// Results table rows.
enum ResultRow {
  kStampRow = 0,
  kGameRow = 1,
  kPercentRow = 2,
  kDdvRow = 3,
  kHitsRow = 4,
  kOneHitRow = 6,
  kFirstOnlyRow = 7,
  kSecondOnlyRow = 8,
  kThirdOnlyRow = 9,
  kTwoHitRow = 10,
  kFirstSecondRow = 11,
  kFirstThirdRow = 12,
  kSecondThirdRow = 13,
  kThreeHitRow = 14,
  kLastResultRow = 15,
};
// Columns emptied at the first game of an opening (at least).
constexpr int kClearedColumns = 50;

const char* const kRowTitles[] = {
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

// The last visit of a game has two darts: 66 full visits and one more.
constexpr int kVisits = darts::kDdvDarts / darts::kDdvVisitDarts + 1;
constexpr int kLastFullVisitDart = (kVisits - 1) * darts::kDdvVisitDarts;

// A guide line and the hits so far follow the 10th, 20th, ..., 60th visit,
// when the visit number has just become 11, 21, ..., 61; never the 66th.
bool IsGuideVisit(int visitNumber) { return visitNumber > 1 && visitNumber <= 61 && (visitNumber - 1) % 10 == 0; }

using gamekit::Text;

}  // namespace

TForm_ddv::TForm_ddv(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  StatusBar1->addWidget(StatusPanel, 1);
  InitForm();
  games::TabFocusButtons(*this);
  keys_ = gamekit::FunctionKeyMap{
      {ui::VK_F10, {BitBtn2}},
      {ui::VK_F7, {BitBtn1}},
      {ui::VK_F1, {BitBtn4, BitBtn6, BitBtn8}},
      {ui::VK_F4, {BitBtn5, BitBtn7, BitBtn9}},
  };
  PaintBox1->Clear(clBtnFace);
}

// ---------------------------------------------------------------------------
// Opening, closing, keys

void TForm_ddv::FillValueTable() {
  for (int r = 1; r <= darts::kDdvDarts; ++r) {
    StringGrid1->SetCell(0, r, ui::IntToStr(r));
    StringGrid1->SetCell(kPercentCol, r, ui::FormatFloat(QStringLiteral("0.0"), darts::DdvPercent(r)));
    StringGrid1->SetCell(kDdvCol, r, darts::DdvText(r));
    for (int c = kMarkCol; c < kMarkCol + darts::kDdvVisitDarts; ++c) StringGrid1->SetCell(c, r, QStringLiteral("0"));
  }
}

void TForm_ddv::FormShow() {
  FillValueTable();
  Label2->setVisible(false);
  Label3->setVisible(false);
  Label4->setVisible(false);
  Label4->clear();
  Panel3->setText(QStringLiteral("0"));
  Panel4->setText(QStringLiteral("200"));
  Panel5->setText(QStringLiteral("0"));
  Panel6->setText(QStringLiteral("0,00"));
  SetDartButtons(0);
  Hits = DartsThrown = 0;
  Dart1Hit = Dart2Hit = Dart3Hit = Dart1Missed = Dart2Missed = Dart3Missed = 0;
  VisitHits = 0;
  GameNumber = 0;
  UnsavedGame = 0;
  // A window shown again starts with an empty graph area.
  PaintBox1->Clear(clBtnFace);
  games::RestFocus(*this);
}

void TForm_ddv::FormClose() {
  BitBtn1->setEnabled(true);
  Label1->setVisible(false);
  Label4->setVisible(false);
  Label4->clear();
  UnsavedGame = 0;
  GameNumber = 0;
}

void TForm_ddv::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  // One press enters at most one dart: the map runs one button and stops, so
  // the pair the dart has just enabled waits for the next press.
  keys_.Handle(key);  // the key still reaches the focused control
}

void TForm_ddv::SetDartButtons(int dart) {
  BitBtn4->setEnabled(dart == 1);
  BitBtn5->setEnabled(dart == 1);
  BitBtn6->setEnabled(dart == 2);
  BitBtn7->setEnabled(dart == 2);
  BitBtn8->setEnabled(dart == 3);
  BitBtn9->setEnabled(dart == 3);
}

// ---------------------------------------------------------------------------
// New game

void TForm_ddv::DrawAxes() {
  ui::TCanvas& canvas = PaintBox1->Canvas();
  canvas.pen.Width = 1;
  // Repainting erases the graph to the window's colour and gives the canvas
  // the paint box's font and colour back.
  PaintBox1->Clear(clBtnFace);
  canvas.brush.Color = clBtnFace;
  canvas.font = ui::TCanvas::Font{};
  canvas.font.Name = font().family();
  canvas.font.Color = clBlack;
  canvas.font.Size = 7;

  canvas.MoveTo(0, kVisitAxisY);
  canvas.LineTo(420, kVisitAxisY);
  canvas.MoveTo(kHitAxisX, 420);
  canvas.LineTo(kHitAxisX, 0);

  // Ticks and labels; those that would fall outside the paint box are left out.
  const int width = PaintBox1->width();
  for (int i = 1; i <= 420; ++i) {
    const int x = kHitAxisX + kVisitWidth * i;
    if (x - 5 >= width) break;
    if (i % 10 == 0) {
      canvas.MoveTo(x, kVisitAxisY - 5);
      canvas.LineTo(x, kVisitAxisY);
      canvas.TextOut(x - 5, kVisitAxisY + 1, ui::IntToStr(i));
    } else {
      canvas.MoveTo(x, kVisitAxisY - 2);
      canvas.LineTo(x, kVisitAxisY);
    }
  }
  const int labelHeight = canvas.TextHeight(QStringLiteral("0"));
  for (int j = 1; j <= 410; ++j) {
    const int y = kVisitAxisY - kHitHeight * j;
    if (y + labelHeight < 0) break;
    if (j % 10 == 0) {
      canvas.MoveTo(kHitAxisX, y);
      canvas.LineTo(kHitAxisX + 5, y);
      canvas.TextOut(1, y, ui::IntToStr(j));
    } else {
      canvas.MoveTo(kHitAxisX, y);
      canvas.LineTo(kHitAxisX + 2, y);
    }
  }
}

void TForm_ddv::StartResultsTable() {
  const int last = std::max(kClearedColumns - 1, highestColumn_);
  gamekit::ClearCells(*StringGrid2, kStampRow, kThreeHitRow, 0, last);
  highestColumn_ = 0;
  StringGrid2->SetCell(0, kStampRow, ui::FormatDateTime(QStringLiteral("dd.mm.yyyy - hh:mm:ss:nn - dddd"), ui::Now()));
  for (int r = kPercentRow; r <= kThreeHitRow; ++r) StringGrid2->SetCell(0, r, Text(kRowTitles[r - kPercentRow]));
}

void TForm_ddv::BitBtn1Click() {
  DrawAxes();
  GraphX = kHitAxisX;
  GraphY = kVisitAxisY;

  GameNumber += 1;
  if (GameNumber == 1) StartResultsTable();
  StringGrid2->SetCell(GameNumber, kGameRow, QStringLiteral("Игра - ") + ui::IntToStr(GameNumber));
  highestColumn_ = std::max(highestColumn_, GameNumber);

  Hits = DartsThrown = 0;
  Dart1Hit = Dart2Hit = Dart3Hit = Dart1Missed = Dart2Missed = Dart3Missed = 0;
  VisitHits = OneHitVisits = TwoHitVisits = ThreeHitVisits = 0;
  HitPercent = 0;
  VisitNumber = 1;

  Label2->setVisible(true);
  Label3->setVisible(true);
  Label1->setVisible(true);
  Label4->setVisible(true);
  Label4->clear();
  Panel3->setText(QStringLiteral("0"));
  Panel4->setText(QStringLiteral("200"));
  Panel5->setText(QStringLiteral("0"));
  Panel6->setText(QStringLiteral("0,00"));

  SetDartButtons(1);
  BitBtn1->setEnabled(false);
  games::RestFocus(*this);
  for (int r = 1; r <= darts::kDdvDarts; ++r) {
    for (int c = kMarkCol; c < kMarkCol + darts::kDdvVisitDarts; ++c) StringGrid1->SetCell(c, r, QStringLiteral("0"));
  }
}

// ---------------------------------------------------------------------------
// Darts

void TForm_ddv::Dart(std::int32_t& flag, bool hit) {
  if (hit) VisitHits += 1;
  flag = 1;
  BitBtn10Click();
  flag = 0;
}

void TForm_ddv::BitBtn4Click() { Dart(Dart1Hit, true); }
void TForm_ddv::BitBtn5Click() { Dart(Dart1Missed, false); }
void TForm_ddv::BitBtn6Click() { Dart(Dart2Hit, true); }
void TForm_ddv::BitBtn7Click() { Dart(Dart2Missed, false); }
void TForm_ddv::BitBtn8Click() { Dart(Dart3Hit, true); }
void TForm_ddv::BitBtn9Click() { Dart(Dart3Missed, false); }

void TForm_ddv::BitBtn10Click() {
  if (DartsThrown >= darts::kDdvDarts) return;  // a game has 200 darts, no more
  DartsThrown += 1;
  Panel3->setText(ui::IntToStr(DartsThrown));
  Panel4->setText(ui::IntToStr(darts::kDdvDarts - DartsThrown));

  const bool hit = Dart1Hit || Dart2Hit || Dart3Hit;
  if (hit) {
    const int markCol = Dart1Hit ? kMarkCol : Dart2Hit ? kMarkCol + 1 : kMarkCol + 2;
    StringGrid1->SetCell(markCol, DartsThrown, QStringLiteral("1"));
    Hits += 1;
    Panel5->setText(ui::IntToStr(Hits));
  }
  if (Hits > 0) {
    HitPercent = darts::DdvPercent(Hits);
    const QString percent = ui::FormatFloat(QStringLiteral("0.0"), HitPercent);
    Panel6->setText(percent);
    for (int r = kFirstSearchRow; r <= darts::kDdvDarts; ++r) {
      if (StringGrid1->Cell(kPercentCol, r).trimmed() == percent) {
        Label4->setText(StringGrid1->Cell(kDdvCol, r));
        break;
      }
    }
  }

  if (Dart1Hit || Dart1Missed) {
    SetDartButtons(2);
  } else if (Dart2Hit || Dart2Missed) {
    SetDartButtons(3);
  } else if (Dart3Hit || Dart3Missed) {
    SetDartButtons(1);
    DrawVisit();
  }

  // The focus leaves the pair just disabled for the window, not for the next
  // button of the Tab chain.
  games::RestFocus(*this);
  if (DartsThrown == darts::kDdvDarts) EndOfGame();
}

// ---------------------------------------------------------------------------
// The graph

void TForm_ddv::DrawColumn(int h, int width) {
  ui::TCanvas& canvas = PaintBox1->Canvas();
  StepWidth = width;
  const int top = GraphY - kHitHeight * h;
  canvas.MoveTo(GraphX, GraphY);
  canvas.LineTo(GraphX + StepWidth, top);
  canvas.LineTo(GraphX + StepWidth, kVisitAxisY);
  ui::TColor colour = clBtnFace;
  switch (h) {
    case 1:
      colour = clPurple;
      break;
    case 2:
      colour = clLime;
      break;
    case 3:
      colour = clHighlight;
      break;
    default:
      if (Hits == 0) return;  // nothing above the axis yet: no fill
      break;
  }
  canvas.brush.Color = colour;
  canvas.FloodFill(GraphX + 3, kVisitAxisY - 1, clBlack, ui::TCanvas::fsBorder);
}

void TForm_ddv::GuideLine(int toX, int y, int textX, int textY) {
  ui::TCanvas& canvas = PaintBox1->Canvas();
  canvas.MoveTo(kHitAxisX, y);
  canvas.LineTo(toX, y);
  canvas.brush.Color = clBtnFace;
  canvas.font.Color = clRed;
  // Near the top of the graph (198 hits and more) the label is kept inside
  // the paint box, just below its upper edge.
  const QString label = ui::IntToStr(Hits);
  textX = std::clamp(textX, 0, std::max(0, PaintBox1->width() - canvas.TextWidth(label)));
  textY = std::clamp(textY, 0, std::max(0, PaintBox1->height() - canvas.TextHeight(label)));
  canvas.TextOut(textX, textY, label);
}

void TForm_ddv::DrawVisit() {
  const int h = VisitHits;
  VisitNumber += 1;
  DrawColumn(h, kVisitWidth);
  const int top = GraphY - kHitHeight * h;
  if (IsGuideVisit(VisitNumber)) GuideLine(GraphX + StepWidth, top, GraphX - 20, top - 7);
  NextColumn(h);
  VisitHits = 0;
}

// The graph's end moves to the next visit's column at the new level, and the
// visit counts by its hits.
void TForm_ddv::NextColumn(int h) {
  GraphX += kVisitWidth;
  GraphY -= kHitHeight * h;
  if (h == 1) OneHitVisits += 1;
  if (h == 2) TwoHitVisits += 1;
  if (h == 3) ThreeHitVisits += 1;
}

// ---------------------------------------------------------------------------
// End of a game

void TForm_ddv::EndOfGame() {
  SetDartButtons(0);
  const int h = VisitHits;
  DrawColumn(h, kLastVisitWidth);
  const int top = GraphY - kHitHeight * h;
  if (h == 0) {
    GuideLine(GraphX + StepWidth, top, GraphX - 20, GraphY - 7);
  } else {
    GuideLine(GraphX + StepWidth, top, GraphX - 15, top - 7);
  }
  NextColumn(h);  // the last visit has two darts: never three hits

  WriteResults();
  UnsavedGame = 1;
  BitBtn1->setEnabled(true);
  if (Form_ddv_raschet) Form_ddv_raschet->ShowModal();
  VisitHits = 0;
}

void TForm_ddv::WriteResults() {
  const int k = GameNumber;
  auto put = [&](int row, const QString& text) { StringGrid2->SetCell(k, row, text); };
  put(kPercentRow, ui::FloatToStr(HitPercent));
  put(kDdvRow, Label4->text());
  put(kHitsRow, ui::IntToStr(Hits));
  put(kOneHitRow, ui::IntToStr(OneHitVisits) + "(" + ui::IntToStr(OneHitVisits) + ")");
  put(kTwoHitRow, ui::IntToStr(TwoHitVisits) + "(" + ui::IntToStr(2 * TwoHitVisits) + ")");
  put(kThreeHitRow, ui::IntToStr(ThreeHitVisits) + "(" + ui::IntToStr(3 * ThreeHitVisits) + ")");

  // Which darts of each visit hit, from the marks of the value table.
  int counts[kThreeHitRow + 1] = {};
  auto mark = [&](int col, int row) { return ui::StrToInt(StringGrid1->Cell(col, row).trimmed()); };
  for (int v = 0; v < kVisits; ++v) {
    const int d = darts::kDdvVisitDarts * v + 1;
    const int a = mark(kMarkCol, d);
    const int b = mark(kMarkCol + 1, d + 1);
    const int c = d + 2 <= kLastFullVisitDart ? mark(kMarkCol + 2, d + 2) : 0;
    const int pattern = a * 4 + b * 2 + c;
    switch (pattern) {
      case 4:
        ++counts[kFirstOnlyRow];
        break;
      case 2:
        ++counts[kSecondOnlyRow];
        break;
      case 1:
        ++counts[kThirdOnlyRow];
        break;
      case 6:
        ++counts[kFirstSecondRow];
        break;
      case 5:
        ++counts[kFirstThirdRow];
        break;
      case 3:
        ++counts[kSecondThirdRow];
        break;
      default:
        break;  // no hit or three hits
    }
  }
  for (int row : {kFirstOnlyRow, kSecondOnlyRow, kThirdOnlyRow, kFirstSecondRow, kFirstThirdRow, kSecondThirdRow})
    put(row, ui::IntToStr(counts[row]));
}

// ---------------------------------------------------------------------------
// Leaving: statistics file, exit question, export

bool TForm_ddv::WriteStatisticsFile() {
  return gamekit::WriteGridFile(QStringLiteral("ddv"), false, nullptr, *StringGrid2, kStampRow, kLastResultRow,
                                GameNumber + 1);
}

// The close box and Alt+F4 leave as " - Выход" does: finished games are
// written and the question is asked.
void TForm_ddv::closeEvent(QCloseEvent* e) {
  e->ignore();
  BitBtn2Click();
}

void TForm_ddv::BitBtn2Click() {
  BitBtn1->setEnabled(true);
  if (UnsavedGame < 1) {  // no game finished since the last file
    UnsavedGame = 0;
    Close();
    return;
  }
  auto writeFile = [this] {
    if (!WriteStatisticsFile()) return false;  // the games stay unsaved
    UnsavedGame = 0;
    return true;
  };
  gamekit::LeaveWithQuestion(*this, writeFile, [this] { return BitBtn3Click(); });
}

bool TForm_ddv::BitBtn3Click() {
  // Rows 0..14 and the empty column after the last game; the stamp spans A1:B1.
  const int lastCol = GameNumber + 1;
  gamekit::SheetBlock block;
  block.lastRow = kThreeHitRow + 1;
  block.lastCol = lastCol;
  block.highRow = kLastResultRow;
  block.highCol = lastCol;
  block.fill = [this, lastCol](automation::VariantArray& data) {
    gamekit::CopyGridBlock(data, 0, 0, *StringGrid2, kStampRow, kThreeHitRow, 0, lastCol);
  };
  block.format = [lastCol](automation::Worksheet& sheet) {
    sheet.GetRange(QStringLiteral("A1:B1")).Merge();
    for (int col = 1; col <= lastCol; ++col) {
      sheet.GetRange(sheet.Cells(2, col), sheet.Cells(2, col)).ColumnWidth(col == 1 ? 30 : 10);
    }
    gamekit::FillColour(sheet, 1, 1, 2, lastCol, 35);
  };
  return gamekit::ExportBlock(block);
}
