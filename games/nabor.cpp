#include "games/nabor.h"

#include <QColor>
#include <QLabel>
#include <algorithm>

#include "gamekit/GameWindow.h"
#include "games/GameFocus.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"
#include "ui_nabor.h"

TForm_n* Form_n = nullptr;

namespace {

using darts::BigRound;

const char* const kOutOfRange = "Внимание!!! Недопустимое значение. Введите число от 0 до 180 ";
const char* const kNothingToUndo = "НУ ПИПЕЦ... Тогда начинай новую игру!!!";

constexpr int kPanels = 49;
constexpr int kScorePanel = 21;   // the score of round n is panel n + 21
constexpr int kResultRows = 120;  // emptied at every showing, and any later row
const QColor kLime(0, 255, 0);
const QColor kBlack(0, 0, 0);

void Paint(QLabel* panel, const QColor& colour) {
  panel->setProperty("Color", colour.name());
  panel->setStyleSheet(
      QStringLiteral("background-color: %1; color: %2;").arg(colour.name(), panel->property("FontColor").toString()));
}

}  // namespace

TForm_n::TForm_n(QWidget* parent) : gamekit::TGameWindow(parent), game_(gamekit::TwoDecimals, gamekit::DatedNow) {}
TForm_n::~TForm_n() = default;

Ui::TForm_n& TForm_n::Controls() {
  EnsureForm();
  return *ui_;
}

QLabel* TForm_n::Panel(int n) const { return n >= 1 && n < static_cast<int>(panels_.size()) ? panels_[n] : nullptr; }

QColor TForm_n::PanelColor(int n) const {
  QLabel* p = Panel(n);
  return p ? QColor(p->property("Color").toString()) : QColor();
}

void TForm_n::SetPanelColor(int n, const QColor& colour) {
  QLabel* p = Panel(n);
  if (p && p->property("Color").toString() != colour.name()) Paint(p, colour);
}

void TForm_n::BuildForm() {
  ui_ = std::make_unique<Ui::TForm_n>();
  ui_->setupUi(this);
  panels_.assign(kPanels + 1, nullptr);
  for (int n = 1; n <= kPanels; ++n) {
    panels_[n] = findChild<QLabel*>(QStringLiteral("Panel%1").arg(n));
    if (panels_[n] && panels_[n]->property("Color").isValid())
      Paint(panels_[n], QColor(panels_[n]->property("Color").toString()));
  }
  InitForm();
  gamekit::InfoBackground(*ui_->StringGrid2);
  games::TabFocusButtons(*this);
  keys_ =
      gamekit::FunctionKeyMap{{ui::VK_F10, {ui_->BitBtn4}}, {ui::VK_F5, {ui_->BitBtn3}}, {ui::VK_F7, {ui_->BitBtn1}}};
  connect(ui_->Edit1, &ui::TMaskEdit::PasteRefused, this, [this] { gamekit::RefuseEntry(ui_->Edit1, kOutOfRange); });
}

void TForm_n::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);  // the key still reaches the focused control
}

// The round to throw is lime, the rounds thrown black with their scores; the
// titles of the second column come with the tenth round.
void TForm_n::ShowRounds() {
  Ui::TForm_n& c = *ui_;
  const bool started = game_.Started();
  const int played = game_.RoundsPlayed();
  c.Panel44->setText(QString::number(game_.Sum()));
  for (int n = 1; n <= BigRound::kRounds; ++n) {
    Panel(n)->setVisible(started && n <= played + 1);
    SetPanelColor(n, n == played + 1 ? kLime : kBlack);
    QLabel* score = Panel(n + kScorePanel);
    score->setText(game_.ScoreText(n));
    score->setVisible(started && n <= played);
  }
  c.Panel43->setVisible(started);
  c.Panel45->setVisible(started);
  c.Panel48->setVisible(started && game_.SecondColumn());
  c.Panel49->setVisible(started && game_.SecondColumn());
  c.GroupBox2->setEnabled(game_.Running());
  c.BitBtn3->setEnabled(game_.UndoOffered());
}

void TForm_n::ShowResults(int rows) {
  for (int r = 0; r <= rows; ++r)
    for (int col = 0; col < BigRound::kResultCols; ++col) ui_->StringGrid2->SetCell(col, r, game_.ResultCell(col, r));
}

// ---------------------------------------------------------------------------
// Opening, closing, new game

void TForm_n::FormShow() {
  NoCloseSystemMenu();
  const int rows = std::max(kResultRows, game_.GamesPlayed());
  game_.Open();
  ShowResults(rows);
  ui_->BitBtn1->setEnabled(true);
  ui_->BitBtn1->setFocus();
}

void TForm_n::FormClose() {
  ClearWindow();
  ui_->GroupBox1->setEnabled(false);
}

void TForm_n::ResetGame() {
  ClearWindow();
  ui_->BitBtn5->setEnabled(false);
}

void TForm_n::ClearWindow() {
  game_.Clear();
  ShowRounds();
  ui_->BitBtn1->setEnabled(true);
}

// A new game starts at any moment; the undo button stays as it was.
void TForm_n::BitBtn1Click() {
  game_.NewGame();
  ui_->GroupBox1->setEnabled(true);
  ui_->BitBtn5->setEnabled(false);
  ShowRounds();
  gamekit::ClearAndFocus(ui_->Edit1);
}

// ---------------------------------------------------------------------------
// Visits and undo

void TForm_n::Edit1KeyPress(int key) {
  if (key == ui::VK_RETURN) BitBtn2Click();
}

void TForm_n::BitBtn2Click() {
  gamekit::TakeEntry(ui_->Edit1, [this] { TakeVisit(); });
}

void TForm_n::TakeVisit() {
  ui::TMaskEdit* edit = ui_->Edit1;
  const QString typed = edit->Text();
  switch (game_.Visit(typed)) {
    case BigRound::Visited::Ignored:
      return;
    case BigRound::Visited::OutOfRange:
      return gamekit::RefuseEntry(edit, kOutOfRange);
    case BigRound::Visited::NotANumber:
      (void)ui::StrToInt(typed.trimmed());  // raises the conversion error
      return;
    case BigRound::Visited::NotInSector:
      return gamekit::RefuseEntry(edit, gamekit::kNotInSectorText);
    case BigRound::Visited::Next:
      ShowRounds();
      edit->setFocus();
      break;
    case BigRound::Visited::GameOver:
      ShowRounds();
      ShowResults(game_.GamesPlayed());
      ui_->BitBtn5->setEnabled(true);
      // Not on "- Новая игра": an Enter or Space after the last visit does nothing.
      games::RestFocus(*this);
      break;
  }
  edit->Clear();
}

void TForm_n::BitBtn3Click() {
  if (!game_.Undo()) {
    gamekit::RefuseEntry(ui_->Edit1, kNothingToUndo);
    return;
  }
  ShowRounds();
  gamekit::ClearAndFocus(ui_->Edit1);
}

// ---------------------------------------------------------------------------
// Leaving: with no finished game the window closes without a file or a
// question; Cancel leaves the game in play as it was.

gamekit::TGameWindow::Played TForm_n::WhatWasPlayed() const {
  return game_.GamesPlayed() < 1 ? Played::Nothing : Played::Record;
}

void TForm_n::BitBtn4Click() { Leave(); }

void TForm_n::BitBtn5Click() { ExportSheet(); }
