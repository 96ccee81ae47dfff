#include "games/form_27.h"

#include <algorithm>
#include <memory>

#include "automation/Excel.h"
#include "darts/Game27Rules.h"
#include "gamekit/GameWindow.h"
#include "gamekit/GridExport.h"
#include "games/GameFocus.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"

TForm27* Form27 = nullptr;

namespace {

const char* const kHistoryHeaders[] = {"Сектор", "Попаданий в сектор", "Очки в секторе", "Сумма очков"};
const std::vector<double> kSheetWidths = {8, 19, 15, 13};

constexpr int kSheetRows = 11;  // sectors 1..10 beside 11..20, and the Bull row
constexpr int kRightHalf = 5;   // first column of sectors 11..21
constexpr int kBullRow = 10;
constexpr int kHistoryCols = 4;
constexpr int kHistoryRows = 500;  // the grid's own rows; later games are kept past them

using gamekit::Text;

}  // namespace

TForm27::TForm27(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
  gamekit::InfoBackground(*StringGrid1);
  games::TabFocusButtons(*this);
  keys_ = gamekit::FunctionKeyMap{
      {ui::VK_F10, {BitBtn2}}, {ui::VK_F1, {BitBtn4}}, {ui::VK_F2, {BitBtn5}},
      {ui::VK_F3, {BitBtn6}},  {ui::VK_F4, {BitBtn3}}, {ui::VK_F7, {BitBtn1}},
  };
}

void TForm27::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);  // the key still reaches the focused control
}

// ---------------------------------------------------------------------------
// Opening and closing

void TForm27::FormShow() {
  NoCloseSystemMenu();
  ClearHistory();
  for (int c = 0; c < kHistoryCols; ++c) StringGrid2->SetCell(c, 0, Text(kHistoryHeaders[c]));
  CheckBox1->setEnabled(true);
  CheckBox1->setChecked(false);
  Label9->setEnabled(true);
  GameRows = 1;
  GamesPlayed = 0;
  HistoryRow = 1;
  gameRunning_ = false;
  BitBtn1->setEnabled(true);
  BitBtn1->setFocus();
}

void TForm27::FormClose() {
  CheckBox1->setEnabled(true);
  CheckBox1->setChecked(false);
  Label9->setEnabled(true);
  BitBtn1->setEnabled(true);
  SetHitButtons(false);
  ClearSheet();
  ClearHistory();
  Panel2->clear();
  gameRunning_ = false;
}

void TForm27::ClearSheet() {
  gamekit::ClearCells(*StringGrid1, 0, kSheetRows - 1, 0, kHistoryCols - 1);
  gamekit::ClearCells(*StringGrid1, 0, kSheetRows - 1, kRightHalf, kRightHalf + kHistoryCols - 1);
}

void TForm27::ClearHistory() {
  const int last = std::max(kHistoryRows - 1, highestHistoryRow_);
  gamekit::ClearCells(*StringGrid2, 0, last, 0, kHistoryCols - 1);
  highestHistoryRow_ = 0;
}

void TForm27::SetHitButtons(bool on) {
  for (QAbstractButton* b : {BitBtn3, BitBtn4, BitBtn5, BitBtn6}) b->setEnabled(on);
}

void TForm27::ShowSector() {
  Panel2->setText(CurrentSector == darts::kGame27BullSector ? QStringLiteral("Булл") : ui::IntToStr(CurrentSector));
}

// ---------------------------------------------------------------------------
// Play

void TForm27::BitBtn1Click() {
  CheckBox1->setEnabled(false);  // the Bull choice holds for this opening
  Label9->setEnabled(false);
  BitBtn1->setEnabled(false);
  SetHitButtons(true);
  BitBtn2->setEnabled(true);
  BitBtn7->setEnabled(false);

  for (int r = 0; r < kBullRow; ++r) {
    StringGrid1->SetCell(0, r, ui::IntToStr(r + 1));
    StringGrid1->SetCell(kRightHalf, r, ui::IntToStr(r + 11));
  }
  StringGrid1->SetCell(kRightHalf, kBullRow, CheckBox1->isChecked() ? QStringLiteral("Булл") : QString());
  gamekit::ClearCells(*StringGrid1, 0, kBullRow - 1, 1, kHistoryCols - 1);
  gamekit::ClearCells(*StringGrid1, 0, kBullRow, kRightHalf + 1, kRightHalf + kHistoryCols - 1);

  GameRows = 1;
  CurrentSector = 1;
  Total = darts::kGame27Start;
  ShowSector();
  gameRunning_ = true;
  games::RestFocus(*this);
}

void TForm27::BitBtn3Click() { Visit(0); }
void TForm27::BitBtn4Click() { Visit(1); }
void TForm27::BitBtn5Click() { Visit(2); }
void TForm27::BitBtn6Click() { Visit(3); }

void TForm27::Visit(int hits) {
  if (!gameRunning_) return;
  GameRows += 1;
  if (hits == 0) GameFinishedByLastSector = false;

  Total += darts::Game27Points(CurrentSector, hits);
  const bool left = CurrentSector <= 10;
  const int row = left ? CurrentSector - 1 : CurrentSector - 11;
  const int col = left ? 0 : kRightHalf;
  StringGrid1->SetCell(col + 1, row, ui::IntToStr(hits));
  StringGrid1->SetCell(col + 2, row, ui::IntToStr(darts::Game27Points(CurrentSector, hits)));
  StringGrid1->SetCell(col + 3, row, ui::IntToStr(Total));

  LastSector = darts::Game27LastSector(CheckBox1->isChecked());
  if (CurrentSector < LastSector) {
    CurrentSector += 1;
    ShowSector();
  } else {
    EndAtLastSector(hits);
  }
  if (hits == 0 && Total < 0 && !GameFinishedByLastSector) EndEarly();
  if (gameRunning_) games::RestFocus(*this);
}

void TForm27::CopySheetRow(int sheetRow, int firstCol, int blockRow) {
  const int row = HistoryRow + blockRow;
  highestHistoryRow_ = std::max(highestHistoryRow_, row);
  for (int c = 0; c < kHistoryCols; ++c) StringGrid2->SetCell(c, row, StringGrid1->Cell(firstCol + c, sheetRow));
}

void TForm27::AfterGame() {
  gameRunning_ = false;
  BitBtn1->setEnabled(true);
  BitBtn7->setEnabled(true);
  SetHitButtons(false);
  BitBtn1->setFocus();
}

void TForm27::EndAtLastSector(int hits) {
  GamesPlayed += 1;
  StringGrid2->SetCell(1, HistoryRow, QStringLiteral("Игра - ") + ui::IntToStr(GamesPlayed));
  for (int r = 0; r < kBullRow; ++r) {
    CopySheetRow(r, 0, 1 + r);
    CopySheetRow(r, kRightHalf, 11 + r);
  }
  if (CheckBox1->isChecked()) CopySheetRow(kBullRow, kRightHalf, 21);
  HistoryRow += GameRows + 1;
  GameFinishedByLastSector = hits == 0;
  AfterGame();
  ui::ShowMessage(hits == 0   ? QStringLiteral("Игра окончена 1.")
                  : hits == 1 ? QStringLiteral("Игра окончена 3.")
                              : QStringLiteral("Игра окончена."));
}

// The total fell below zero: the block holds the rows up to the visit that
// ended the game.
void TForm27::EndEarly() {
  GamesPlayed += 1;
  StringGrid2->SetCell(1, HistoryRow, QStringLiteral("Игра - ") + ui::IntToStr(GamesPlayed));
  auto ends = [this](int col, int row) { return StringGrid1->Cell(col, row) < QStringLiteral("0"); };
  bool stopped = false;
  for (int r = 0; r < kBullRow && !stopped; ++r) {
    CopySheetRow(r, 0, 1 + r);
    stopped = ends(3, r);
  }
  for (int r = 0; r < kBullRow && !stopped; ++r) {
    CopySheetRow(r, kRightHalf, 11 + r);
    if (CheckBox1->isChecked() && r == kBullRow - 1) CopySheetRow(kBullRow, kRightHalf, 21);
    stopped = ends(kRightHalf + 3, r);
  }
  HistoryRow += GameRows + 1;
  AfterGame();
  ui::ShowMessage(QStringLiteral("Игра окончена 2."));
}

// ---------------------------------------------------------------------------
// Leaving

void TForm27::ExitReset() {
  BitBtn1->setEnabled(true);
  SetHitButtons(false);
  BitBtn7->setEnabled(false);
  ClearSheet();
  ClearHistory();
  Panel2->clear();
  CheckBox1->setEnabled(true);
  CheckBox1->setChecked(false);
  Label9->setEnabled(true);
  gameRunning_ = false;
}

bool TForm27::WriteStatisticsFile() {
  return gamekit::WriteGridFile(QStringLiteral("27"), true, nullptr, *StringGrid2, 0, HistoryRow, kHistoryCols - 1);
}

void TForm27::BitBtn2Click() {
  BitBtn1->setEnabled(false);
  SetHitButtons(false);
  if (GamesPlayed < 1) {
    ExitReset();
    Close();
    return;
  }
  const int answer = gamekit::LeaveWithQuestion(
      *this, [this] { return WriteStatisticsFile(); }, [this] { return BitBtn7Click(); }, [this] { ExitReset(); });
  if (answer != ui::mrCancel) return;  // reset and closed

  // Staying: a game in play goes on where it was, also with sector 20 or the
  // Bull still to throw (judged by the sector alone such a game could not be
  // finished); after a finished game only a new one can start.
  ShowSector();
  BitBtn1->setEnabled(!gameRunning_);
  BitBtn7->setEnabled(!gameRunning_);
  SetHitButtons(gameRunning_);
  BitBtn2->setEnabled(true);
  games::RestFocus(*this);
}

bool TForm27::BitBtn7Click() {
  // The array reaches one row and one column past the block; they stay empty.
  gamekit::SheetBlock block;
  block.lastRow = HistoryRow;
  block.lastCol = kHistoryCols;
  block.highRow = HistoryRow;
  block.highCol = kHistoryCols;
  block.fill = [this](automation::VariantArray& data) {
    gamekit::CopyGridBlock(data, 0, 0, *StringGrid2, 0, HistoryRow - 1, 0, kHistoryCols);
  };
  block.format = gamekit::HeadedTable(kSheetWidths, kHistoryCols);
  return gamekit::ExportBlock(block);
}
