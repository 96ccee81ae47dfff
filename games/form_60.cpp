#include "games/form_60.h"

#include <algorithm>
#include <initializer_list>

#include "gamekit/GameWindow.h"
#include "games/GameFocus.h"
#include "ui/Dialogs.h"
#include "ui_form_60.h"

TForm60* Form60 = nullptr;

namespace {

using Dart = darts::Game60::Dart;
using Visit = darts::Game60::Visit;
using Widgets = std::initializer_list<QWidget*>;

const char* const kBadLimit = "Внимание!!! Недопустимое значение. Введите число от 8 до 999 ";
const char* const kLost = "Игра окончена! Да... надо что-то менять!!!";

constexpr int kSheetRows = 200;  // the sheet's own rows; a longer game adds rows

}  // namespace

TForm60::TForm60(QWidget* parent) : gamekit::TGameWindow(parent) {}
TForm60::~TForm60() = default;

Ui::TForm60& TForm60::Controls() {
  EnsureForm();
  return *ui_;
}

void TForm60::BuildForm() {
  ui_ = std::make_unique<Ui::TForm60>();
  ui_->setupUi(this);
  InitForm();
  gamekit::InfoBackground(*ui_->StringGrid1);
  games::TabFocusButtons(*this);
  Ui::TForm60& c = *ui_;
  keys_ = gamekit::FunctionKeyMap{
      {ui::VK_F10, {c.BitBtn6}}, {ui::VK_F1, {c.BitBtn3}}, {ui::VK_F2, {c.BitBtn4}}, {ui::VK_F3, {c.BitBtn5}},
      {ui::VK_F4, {c.BitBtn7}},  {ui::VK_F7, {c.BitBtn1}}, {ui::VK_F8, {c.BitBtn2}},
  };
  connect(c.MaskEdit1, &ui::TMaskEdit::PasteRefused, this, [this] { RefuseLimit(); });
}

void TForm60::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);  // the key still reaches the focused control
}

// The target, its route, and the buttons that make sense for it.
void TForm60::ShowGame() {
  Ui::TForm60& c = *ui_;
  c.Panel1->setText(QString::number(game_.Target()));
  c.Panel1->setEnabled(game_.Running());
  c.Panel2->setText(game_.Suggestion());
  c.BitBtn1->setEnabled(!game_.Running());
  c.BitBtn2->setEnabled(game_.Scoring());
  c.BitBtn3->setEnabled(game_.Offered(Dart::First));
  c.BitBtn4->setEnabled(game_.Offered(Dart::Second));
  c.BitBtn5->setEnabled(game_.Offered(Dart::Third));
  c.BitBtn7->setEnabled(game_.Offered(Dart::Bull));
}

void TForm60::ShowLastVisit() {
  ui::TStringGrid& sheet = *ui_->StringGrid1;
  const int row = game_.VisitNumber() - 2;
  if (row >= sheet.RowCount()) sheet.setRowCount(row + 1);
  const darts::Game60::Row cells = game_.SheetRow(row);
  for (int col = 0; col < 4; ++col) sheet.SetCell(col, row, cells[col]);
  sheet.SetRow(row);
}

void TForm60::ClearSheet() {
  ui::TStringGrid& sheet = *ui_->StringGrid1;
  gamekit::ClearCells(sheet, 0, std::max(kSheetRows, sheet.RowCount()) - 1, 0, 3);
  sheet.setRowCount(kSheetRows);
}

// ---------------------------------------------------------------------------
// Creation, showing, closing, new game

// Every opening starts with the limit free to be chosen again and a new game
// at 60 on an empty sheet.
void TForm60::FreshWindow() {
  Ui::TForm60& c = *ui_;
  c.CheckBox1->setEnabled(true);
  c.CheckBox1->setChecked(false);  // hides the limit entry when it was shown
  c.Label10->setEnabled(true);
  for (QWidget* w : Widgets{c.Label3, c.MaskEdit1, c.BitBtn9}) w->setVisible(false);
  ShowGame();
  ClearSheet();
}

void TForm60::FormCreate() { FreshWindow(); }

void TForm60::FormShow() {
  NoCloseSystemMenu();
  game_.Open();
  FreshWindow();
  games::RestFocus(*this);
}

void TForm60::FormClose() {
  game_.Clear();
  ShowGame();
  ClearSheet();
}

void TForm60::BitBtn1Click() {
  game_.NewGame();
  ShowGame();
  ui_->BitBtn8->setEnabled(false);
  ClearSheet();
  if (game_.LimitWaiting())
    ui_->MaskEdit1->setFocus();
  else
    games::RestFocus(*this);
}

// ---------------------------------------------------------------------------
// Visits

void TForm60::BitBtn3Click() { AfterVisit(game_.Closed(Dart::First)); }
void TForm60::BitBtn4Click() { AfterVisit(game_.Closed(Dart::Second)); }
void TForm60::BitBtn5Click() { AfterVisit(game_.Closed(Dart::Third)); }
void TForm60::BitBtn7Click() { AfterVisit(game_.Closed(Dart::Bull)); }
void TForm60::BitBtn2Click() { AfterVisit(game_.NotClosed()); }

// A lost game is told while the target it ended on is still shown; after the
// end the window waits for a new game.
void TForm60::AfterVisit(Visit visit) {
  if (visit == Visit::Ignored) return;
  Ui::TForm60& c = *ui_;
  ShowLastVisit();
  if (visit == Visit::Lost) {
    c.Panel1->setText(QString::number(game_.EndTarget()));
    for (QWidget* b : {c.BitBtn2, c.BitBtn3, c.BitBtn4, c.BitBtn5, c.BitBtn7}) b->setEnabled(false);
    ui::ShowMessage(gamekit::Text(kLost));
  }
  ShowGame();
  if (game_.Running()) return games::RestFocus(*this);
  c.BitBtn8->setEnabled(true);
  c.BitBtn1->setFocus();
}

// ---------------------------------------------------------------------------
// Visit limit

void TForm60::CheckBox1Click() {
  Ui::TForm60& c = *ui_;
  const bool on = c.CheckBox1->isChecked();
  for (QWidget* w : Widgets{c.Label3, c.MaskEdit1, c.BitBtn9}) {
    w->setVisible(on);
    if (on) w->setEnabled(true);
  }
  game_.LimitBox(on);
  ShowGame();
  if (on) {
    c.MaskEdit1->setFocus();
    c.MaskEdit1->selectAll();  // typing replaces the text
  }
}

void TForm60::BitBtn9Click() {
  Ui::TForm60& c = *ui_;
  if (!game_.AcceptLimit(c.MaskEdit1->Text())) return RefuseLimit();
  for (QWidget* w : Widgets{c.Label3, c.MaskEdit1, c.BitBtn9, c.CheckBox1, c.Label10})
    w->setEnabled(false);  // the limit holds until the next opening
  ShowGame();
  games::RestFocus(*this);
}

// A refused limit: the message, then the field reads "50", selected, so that
// typing replaces it.
void TForm60::RefuseLimit() {
  ui::ShowMessage(gamekit::Text(kBadLimit));
  ui_->MaskEdit1->SetText(QStringLiteral("50"));
  ui_->MaskEdit1->setFocus();
  ui_->MaskEdit1->selectAll();
}

void TForm60::MaskEdit1KeyPress(int key) {
  if (key == ui::VK_RETURN) BitBtn9Click();
}

// ---------------------------------------------------------------------------
// Leaving: before any finished game only the Yes/No question; closing empties
// the sheet.

gamekit::TGameWindow::Played TForm60::WhatWasPlayed() const {
  return game_.GamesPlayed() < 1 ? Played::AskFirst : Played::Record;
}

void TForm60::BitBtn6Click() { Leave(); }

void TForm60::BitBtn8Click() { ExportSheet(); }
