#include "games/form_27.h"

#include "gamekit/GameWindow.h"
#include "games/GameFocus.h"
#include "ui/Dialogs.h"
#include "ui_form_27.h"

TForm27* Form27 = nullptr;

namespace {

QString EndText(darts::Game27::End end) {
  switch (end) {
    case darts::Game27::End::LastSectorMissed:
      return QStringLiteral("Игра окончена 1.");
    case darts::Game27::End::LastSectorOneHit:
      return QStringLiteral("Игра окончена 3.");
    case darts::Game27::End::LastSector:
      return QStringLiteral("Игра окончена.");
    case darts::Game27::End::BelowZero:
      return QStringLiteral("Игра окончена 2.");
    case darts::Game27::End::None:
      break;
  }
  return {};
}

}  // namespace

TForm27::TForm27(QWidget* parent) : gamekit::TGameWindow(parent) {}
TForm27::~TForm27() = default;

Ui::TForm27& TForm27::Controls() {
  EnsureForm();
  return *ui_;
}

void TForm27::BuildForm() {
  ui_ = std::make_unique<Ui::TForm27>();
  ui_->setupUi(this);
  InitForm();
  gamekit::InfoBackground(*ui_->StringGrid1);
  games::TabFocusButtons(*this);
  keys_ = gamekit::FunctionKeyMap{
      {ui::VK_F10, {ui_->BitBtn2}}, {ui::VK_F1, {ui_->BitBtn4}}, {ui::VK_F2, {ui_->BitBtn5}},
      {ui::VK_F3, {ui_->BitBtn6}},  {ui::VK_F4, {ui_->BitBtn3}}, {ui::VK_F7, {ui_->BitBtn1}},
  };
}

void TForm27::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);  // the key still reaches the focused control
}

void TForm27::ShowGame() {
  Ui::TForm27& c = *ui_;
  for (int r = 0; r < darts::Game27::kSheetRows; ++r)
    for (int col = 0; col < darts::Game27::kSheetCols; ++col) c.StringGrid1->SetCell(col, r, game_.SheetCell(col, r));
  c.Panel2->setText(game_.SheetCell(0, 0).isEmpty() ? QString()
                    : game_.CurrentSector() == darts::Game27::kBull
                        ? QStringLiteral("Булл")
                        : QString::number(game_.CurrentSector()));
}

void TForm27::SetHitButtons(bool on) {
  for (QAbstractButton* b : {ui_->BitBtn3, ui_->BitBtn4, ui_->BitBtn5, ui_->BitBtn6}) b->setEnabled(on);
}

// ---------------------------------------------------------------------------
// Opening and closing

void TForm27::FormShow() {
  NoCloseSystemMenu();
  game_.Open();
  ShowGame();
  ui_->CheckBox1->setEnabled(true);
  ui_->CheckBox1->setChecked(false);
  ui_->Label9->setEnabled(true);
  ui_->BitBtn1->setEnabled(true);
  ui_->BitBtn1->setFocus();
}

void TForm27::FormClose() { ClearWindow(); }

void TForm27::ResetGame() {
  ClearWindow();
  ui_->BitBtn7->setEnabled(false);
}

void TForm27::ClearWindow() {
  game_.Clear();
  ShowGame();
  ui_->CheckBox1->setEnabled(true);
  ui_->CheckBox1->setChecked(false);
  ui_->Label9->setEnabled(true);
  ui_->BitBtn1->setEnabled(true);
  SetHitButtons(false);
}

// ---------------------------------------------------------------------------
// Play

void TForm27::BitBtn1Click() {
  Ui::TForm27& c = *ui_;
  c.CheckBox1->setEnabled(false);  // the Bull choice holds for this opening
  c.Label9->setEnabled(false);
  c.BitBtn1->setEnabled(false);
  SetHitButtons(true);
  c.BitBtn2->setEnabled(true);
  c.BitBtn7->setEnabled(false);
  game_.NewGame(c.CheckBox1->isChecked());
  ShowGame();
  games::RestFocus(*this);
}

void TForm27::BitBtn3Click() { Visit(0); }
void TForm27::BitBtn4Click() { Visit(1); }
void TForm27::BitBtn5Click() { Visit(2); }
void TForm27::BitBtn6Click() { Visit(3); }

void TForm27::Visit(int hits) {
  if (!game_.Running()) return;
  const darts::Game27::End end = game_.Visit(hits);
  ShowGame();
  if (end == darts::Game27::End::None) {
    games::RestFocus(*this);
    return;
  }
  AfterGame();
  ui::ShowMessage(EndText(end));
}

void TForm27::AfterGame() {
  ui_->BitBtn1->setEnabled(true);
  ui_->BitBtn7->setEnabled(true);
  SetHitButtons(false);
  ui_->BitBtn1->setFocus();
}

// ---------------------------------------------------------------------------
// Leaving

gamekit::TGameWindow::Played TForm27::WhatWasPlayed() const {
  return game_.GamesPlayed() < 1 ? Played::Nothing : Played::Record;
}

void TForm27::BitBtn2Click() {
  ui_->BitBtn1->setEnabled(false);
  SetHitButtons(false);
  Leave();
}

// Staying: a game in play goes on where it was, also with sector 20 or the
// Bull still to throw; after a finished game only a new one can start.
void TForm27::StayInGame() {
  const bool running = game_.Running();
  ShowGame();
  ui_->BitBtn1->setEnabled(!running);
  ui_->BitBtn7->setEnabled(!running);
  SetHitButtons(running);
  ui_->BitBtn2->setEnabled(true);
  games::RestFocus(*this);
}

void TForm27::BitBtn7Click() { ExportSheet(); }
