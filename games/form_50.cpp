#include "games/form_50.h"

#include <algorithm>
#include <memory>

#include "automation/Excel.h"
#include "darts/Game50Rules.h"
#include "gamekit/GameWindow.h"
#include "gamekit/GridExport.h"
#include "games/GameFocus.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"

TForm50* Form50 = nullptr;

namespace {

const char* const kFileHeader = "Лег;Кол-во дротиков;На 1 дротик;Средний набор;";
const char* const kSheetHeadings[] = {"Лег", "Кол-во дротиков", "На 1 дротик", "Средний набор"};
const std::vector<double> kSheetWidths = {4, 16, 12, 14};

constexpr int kVisitCols = 5;
constexpr int kLegCols = 4;
constexpr int kGridRows = 30;  // the grids' own rows; later rows are added as they come
constexpr float kBust = 550;   // above any remaining: always the bust branch

using gamekit::Text;

// Grows a grid so that the row can be seen, and brings it into view.
void ShowRow(ui::TStringGrid& grid, int row) {
  if (row < grid.RowCount()) return;
  grid.setRowCount(row + 1);
  grid.SetRow(row);
}

}  // namespace

TForm50::TForm50(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
  gamekit::InfoBackground(*StringGrid1);
  games::TabFocusButtons(*this);
  // The finishing-dart question takes F1-F3 first; the two sets of buttons
  // are never enabled together.
  keys_ = gamekit::FunctionKeyMap{
      {ui::VK_F10, {BitBtn3}},          {ui::VK_F1, {BitBtn5, BitBtn8}}, {ui::VK_F2, {BitBtn6, BitBtn9}},
      {ui::VK_F3, {BitBtn7, BitBtn10}}, {ui::VK_F9, {BitBtn2}},          {ui::VK_F4, {BitBtn11}},
      {ui::VK_F5, {BitBtn12}},          {ui::VK_F6, {BitBtn13}},         {ui::VK_F7, {BitBtn14}},
      {ui::VK_F8, {BitBtn15}},
  };
}

void TForm50::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);  // the key still reaches the focused control
}

void TForm50::SetVisitButtons(bool on) {
  for (QAbstractButton* b : {BitBtn8, BitBtn9, BitBtn10, BitBtn11, BitBtn12, BitBtn13, BitBtn14, BitBtn15}) {
    b->setEnabled(on);
  }
}

void TForm50::SetDartButtons(bool on) {
  for (QAbstractButton* b : {BitBtn5, BitBtn6, BitBtn7}) b->setEnabled(on);
}

// ---------------------------------------------------------------------------
// Opening, activation, closing

void TForm50::FormShow() {
  NoCloseSystemMenu();
  VisitCount = 0;
  Remaining = 0;
  LegScored = 0;
  LegCount = 0;
  legRunning_ = false;
  openingActivation_ = true;
  BitBtn2->setEnabled(true);
  BitBtn2->setFocus();
  SetVisitButtons(false);
}

// Only the activation that follows the opening starts afresh: a window
// activated again after a question keeps its leg and its table of legs. Were
// the count of legs set back under a table that keeps them, the next leg would
// be written over the first, and a leg in play could not be finished.
void TForm50::FormActivate() {
  if (!openingActivation_) return;
  openingActivation_ = false;
  VisitCount = 0;
  Remaining = 0;
  LegScored = 0;
  LegCount = 0;
  SetVisitButtons(false);
}

void TForm50::ClearGrids() {
  gamekit::ClearCells(*StringGrid1, 0, std::max(kGridRows, highestVisitRow_), 0, kVisitCols - 1);
  gamekit::ClearCells(*StringGrid2, 0, std::max(kGridRows, highestLegRow_), 0, kLegCols - 1);
  highestVisitRow_ = highestLegRow_ = 0;
  StringGrid1->setRowCount(kGridRows);
  StringGrid2->setRowCount(kGridRows);
}

// What the close and the reset before it both clear: the leg, the counters,
// both grids and the buttons but "new leg".
void TForm50::ClearWindow() {
  SetVisitButtons(false);
  VisitCount = 0;
  Remaining = 0;
  LegScored = 0;
  LegCount = 0;
  legRunning_ = false;
  Panel3->clear();
  Panel4->clear();
  Panel5->clear();
  BitBtn2->setEnabled(true);
  BitBtn4->setEnabled(false);
  Label12->setEnabled(false);
  SetDartButtons(false);
  ClearGrids();
  StringGrid1->setEnabled(false);
  StringGrid2->setEnabled(false);
}

void TForm50::FormClose() {
  openingActivation_ = false;
  ClearWindow();
}

// ---------------------------------------------------------------------------
// Play

void TForm50::BitBtn2Click() {
  openingActivation_ = false;
  VisitCount = 0;
  Remaining = darts::kGame50Start;
  LegScored = 0;
  DartAverage = 0;
  VisitAverage = 0;

  BitBtn1->setEnabled(false);
  BitBtn2->setEnabled(false);
  Panel3->clear();
  Panel4->clear();
  Panel5->clear();
  Label12->setEnabled(false);
  SetDartButtons(false);
  SetVisitButtons(true);
  BitBtn8->setEnabled(false);  // a bust is possible only below a full visit

  gamekit::ClearCells(*StringGrid1, 0, std::max(kGridRows, highestVisitRow_), 0, kVisitCols - 1);
  highestVisitRow_ = 0;
  StringGrid1->setRowCount(kGridRows);
  StringGrid1->SetCell(2, 0, ui::IntToStr(darts::kGame50Start));
  StringGrid1->setEnabled(true);
  StringGrid2->setEnabled(true);
  legRunning_ = true;
  games::RestFocus(*this);
}

void TForm50::BitBtn8Click() { EnterVisit(kBust); }
void TForm50::BitBtn9Click() { EnterVisit(0); }
void TForm50::BitBtn10Click() { EnterVisit(25); }
void TForm50::BitBtn11Click() { EnterVisit(50); }
void TForm50::BitBtn12Click() { EnterVisit(75); }
void TForm50::BitBtn13Click() { EnterVisit(100); }
void TForm50::BitBtn14Click() { EnterVisit(125); }
void TForm50::BitBtn15Click() { EnterVisit(150); }

void TForm50::EnterVisit(float value) {
  VisitValue = value;
  BitBtn4Click();
}

void TForm50::BitBtn4Click() {
  if (!legRunning_ || Remaining <= 0) return;
  VisitCount += 1;
  const int r = static_cast<int>(VisitCount);
  highestVisitRow_ = std::max(highestVisitRow_, r);
  ShowRow(*StringGrid1, r);

  const int value = static_cast<int>(VisitValue);
  StringGrid1->SetCell(0, r, ui::IntToStr(r));
  if (static_cast<float>(Remaining) < VisitValue) {
    StringGrid1->SetCell(1, r, QStringLiteral("ПБ"));
    Panel3->setText(QStringLiteral("0"));
  } else {
    LegScored += value;
    Remaining -= value;
    // A value above the remaining is never offered again in this leg.
    if (darts::Game50BustOffered(Remaining)) BitBtn8->setEnabled(true);
    const struct {
      QAbstractButton* button;
      int value;
    } limited[] = {{BitBtn15, 150}, {BitBtn14, 125}, {BitBtn13, 100}, {BitBtn12, 75}, {BitBtn11, 50}};
    for (const auto& b : limited) {
      if (!darts::Game50ValueOffered(b.value, Remaining)) b.button->setEnabled(false);
    }
    StringGrid1->SetCell(1, r, ui::IntToStr(value));
    Panel3->setText(ui::IntToStr(value));
  }
  StringGrid1->SetCell(2, r, ui::IntToStr(Remaining));
  DartAverage = static_cast<float>(LegScored) / (VisitCount * 3);
  VisitAverage = static_cast<float>(LegScored) / VisitCount;
  StringGrid1->SetCell(3, r, gamekit::TwoDecimals(DartAverage));
  StringGrid1->SetCell(4, r, gamekit::TwoDecimals(VisitAverage));
  Panel4->setText(ui::IntToStr(LegScored));
  Panel5->setText(ui::IntToStr(Remaining));

  if (Remaining == 0) {
    LegFinished(value);
  } else {
    games::RestFocus(*this);
  }
}

void TForm50::LegFinished(int lastVisit) {
  legRunning_ = false;
  SetVisitButtons(false);
  const int r = static_cast<int>(VisitCount);
  StringGrid1->SetCell(3, r, QString());
  StringGrid1->SetCell(4, r, QString());
  Label12->setEnabled(true);
  if (!gamekit::OfferFinishingDarts(darts::Game50FinishingDarts(lastVisit), BitBtn5, BitBtn6, BitBtn7)) {
    RecordLeg(3);  // 125 or 150 take all three darts
  }
}

void TForm50::BitBtn5Click() { RecordLeg(1); }
void TForm50::BitBtn6Click() { RecordLeg(2); }
void TForm50::BitBtn7Click() { RecordLeg(3); }

void TForm50::RecordLeg(int dart) {
  LegCount += 1;
  BitBtn1->setEnabled(true);
  BitBtn2->setEnabled(true);
  Label12->setEnabled(false);
  SetDartButtons(false);
  SetVisitButtons(false);

  const int visits = static_cast<int>(VisitCount);
  const int legDarts = darts::Game50LegDarts(visits, dart);
  const float perDart = static_cast<float>(darts::kGame50Start) / static_cast<float>(legDarts);
  const int row = LegCount - 1;
  highestLegRow_ = std::max(highestLegRow_, row);
  ShowRow(*StringGrid2, row);
  StringGrid2->SetCell(0, row, ui::IntToStr(LegCount));
  StringGrid2->SetCell(1, row, ui::IntToStr(legDarts));
  StringGrid2->SetCell(2, row, gamekit::TwoDecimals(perDart));
  StringGrid2->SetCell(3, row, gamekit::TwoDecimals(3 * perDart));
  StringGrid1->SetCell(3, visits, gamekit::TwoDecimals(perDart));
  StringGrid1->SetCell(4, visits, gamekit::TwoDecimals(3 * perDart));
  BitBtn2->setFocus();
}

// ---------------------------------------------------------------------------
// Leaving

void TForm50::ExitReset() {
  ClearWindow();
  BitBtn1->setEnabled(false);
}

bool TForm50::WriteStatisticsFile() {
  return gamekit::WriteGridFile(QStringLiteral("50"), true, kFileHeader, *StringGrid2, 0, LegCount, kLegCols - 1);
}

// Cancel in the question leaves the leg and the table of legs as they were.
void TForm50::BitBtn3Click() {
  openingActivation_ = false;
  if (gamekit::NothingRecorded(*StringGrid2, 0, 0)) {
    ExitReset();
    Close();
    return;
  }
  gamekit::LeaveWithQuestion(
      *this, [this] { return WriteStatisticsFile(); }, [this] { return BitBtn1Click(); }, [this] { ExitReset(); });
}

bool TForm50::BitBtn1Click() {
  // The headings above the legs; the array's last column stays empty.
  gamekit::SheetBlock block;
  block.lastRow = LegCount + 1;
  block.lastCol = kLegCols;
  block.highRow = LegCount + 1;
  block.highCol = kLegCols;
  block.fill = [this](automation::VariantArray& data) {
    for (int c = 0; c < kLegCols; ++c) data.Set(0, c, Text(kSheetHeadings[c]));
    gamekit::CopyGridBlock(data, 1, 0, *StringGrid2, 0, LegCount - 1, 0, kLegCols);
  };
  block.format = gamekit::HeadedTable(kSheetWidths, kLegCols);
  return gamekit::ExportBlock(block);
}
