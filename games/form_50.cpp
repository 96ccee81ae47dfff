#include "games/form_50.h"

#include <algorithm>
#include <functional>

#include "gamekit/GameWindow.h"
#include "games/GameFocus.h"
#include "ui_form_50.h"

TForm50* Form50 = nullptr;

namespace {

using darts::Game50;

constexpr int kGridRows = 30;  // the grids' own rows; later rows are added as they come

// Writes a sheet's rows into its grid. The grid keeps its own rows at least,
// grows to show a later row and brings that row into view.
void ShowRows(ui::TStringGrid& grid, int rows, int cols, const std::function<QString(int, int)>& cell) {
  const int before = grid.RowCount();
  const int needed = std::max(kGridRows, rows);
  if (needed > before) {
    grid.setRowCount(needed);
    grid.SetRow(needed - 1);
  }
  for (int r = 0; r < std::max(before, needed); ++r)
    for (int c = 0; c < cols; ++c) grid.SetCell(c, r, cell(c, r));
  if (needed < before) grid.setRowCount(needed);
}

}  // namespace

TForm50::TForm50(QWidget* parent) : gamekit::TGameWindow(parent), game_(gamekit::TwoDecimals) {}
TForm50::~TForm50() = default;

Ui::TForm50& TForm50::Controls() {
  EnsureForm();
  return *ui_;
}

void TForm50::BuildForm() {
  ui_ = std::make_unique<Ui::TForm50>();
  ui_->setupUi(this);
  InitForm();
  gamekit::InfoBackground(*ui_->StringGrid1);
  games::TabFocusButtons(*this);
  Ui::TForm50& c = *ui_;
  // The finishing-dart question takes F1-F3 first; the two sets of buttons
  // are never enabled together.
  keys_ = gamekit::FunctionKeyMap{
      {ui::VK_F10, {c.BitBtn3}},
      {ui::VK_F1, {c.BitBtn5, c.BitBtn8}},
      {ui::VK_F2, {c.BitBtn6, c.BitBtn9}},
      {ui::VK_F3, {c.BitBtn7, c.BitBtn10}},
      {ui::VK_F9, {c.BitBtn2}},
      {ui::VK_F4, {c.BitBtn11}},
      {ui::VK_F5, {c.BitBtn12}},
      {ui::VK_F6, {c.BitBtn13}},
      {ui::VK_F7, {c.BitBtn14}},
      {ui::VK_F8, {c.BitBtn15}},
  };
}

void TForm50::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);  // the key still reaches the focused control
}

void TForm50::ShowButtons() {
  Ui::TForm50& c = *ui_;
  const std::pair<QAbstractButton*, int> visits[] = {
      {c.BitBtn8, Game50::kBust}, {c.BitBtn9, 0},    {c.BitBtn10, 25},  {c.BitBtn11, 50},
      {c.BitBtn12, 75},           {c.BitBtn13, 100}, {c.BitBtn14, 125}, {c.BitBtn15, 150},
  };
  for (const auto& [button, value] : visits) button->setEnabled(game_.ValueOffered(value));
  c.BitBtn5->setEnabled(game_.DartOffered(1));
  c.BitBtn6->setEnabled(game_.DartOffered(2));
  c.BitBtn7->setEnabled(game_.DartOffered(3));
  c.Label12->setEnabled(game_.DartAsked());
  c.BitBtn2->setEnabled(game_.NewLegOffered());
  c.BitBtn1->setEnabled(game_.NewLegOffered() && game_.LegCount() > 0);
  c.StringGrid1->setEnabled(game_.Started());
  c.StringGrid2->setEnabled(game_.Started());
}

void TForm50::ShowGame() {
  Ui::TForm50& c = *ui_;
  ShowButtons();
  c.Panel3->setText(game_.LastVisitText());
  c.Panel4->setText(game_.ScoredText());
  c.Panel5->setText(game_.RemainingText());
  ShowRows(*c.StringGrid1, game_.SheetRows(), Game50::kSheetCols,
           [this](int col, int row) { return game_.SheetCell(col, row); });
  ShowRows(*c.StringGrid2, game_.LegCount(), Game50::kLegCols,
           [this](int col, int row) { return game_.LegCell(col, row); });
}

// ---------------------------------------------------------------------------
// Opening and closing

// The panels keep what the last closing left (the form's own texts at the
// first opening).
void TForm50::FormShow() {
  NoCloseSystemMenu();
  game_.Open();
  ShowButtons();
  ui_->BitBtn2->setFocus();
}

void TForm50::FormClose() { ClearWindow(); }

void TForm50::ResetGame() { ClearWindow(); }

void TForm50::ClearWindow() {
  game_.Clear();
  ShowGame();
  ui_->BitBtn4->setEnabled(false);
}

// ---------------------------------------------------------------------------
// Play

void TForm50::BitBtn2Click() {
  game_.NewLeg();
  ShowGame();
  games::RestFocus(*this);
}

void TForm50::BitBtn8Click() { EnterVisit(Game50::kBust); }
void TForm50::BitBtn9Click() { EnterVisit(0); }
void TForm50::BitBtn10Click() { EnterVisit(25); }
void TForm50::BitBtn11Click() { EnterVisit(50); }
void TForm50::BitBtn12Click() { EnterVisit(75); }
void TForm50::BitBtn13Click() { EnterVisit(100); }
void TForm50::BitBtn14Click() { EnterVisit(125); }
void TForm50::BitBtn15Click() { EnterVisit(150); }

void TForm50::EnterVisit(int value) {
  visitValue_ = value;
  BitBtn4Click();
}

void TForm50::BitBtn4Click() {
  const Game50::Visited visited = game_.Visit(visitValue_);
  if (visited == Game50::Visited::Ignored) return;
  ShowGame();
  switch (visited) {
    case Game50::Visited::DartAsked:
      (game_.DartOffered(1) ? ui_->BitBtn5 : ui_->BitBtn6)->setFocus();
      break;
    case Game50::Visited::LegRecorded:
      ui_->BitBtn2->setFocus();
      break;
    default:
      games::RestFocus(*this);
  }
}

void TForm50::BitBtn5Click() { FinishingDart(1); }
void TForm50::BitBtn6Click() { FinishingDart(2); }
void TForm50::BitBtn7Click() { FinishingDart(3); }

void TForm50::FinishingDart(int dart) {
  if (!game_.FinishingDart(dart)) return;
  ShowGame();
  ui_->BitBtn2->setFocus();
}

// ---------------------------------------------------------------------------
// Leaving: with no finished leg the window closes without a file or a
// question; Cancel leaves the leg in play and the table of legs as they were.

gamekit::TGameWindow::Played TForm50::WhatWasPlayed() const {
  return game_.LegCount() < 1 ? Played::Nothing : Played::Record;
}

void TForm50::BitBtn3Click() { Leave(); }

void TForm50::BitBtn1Click() { ExportSheet(); }
