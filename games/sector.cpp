#include "games/sector.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <algorithm>

#include "darts/SectorVisits.h"
#include "gamekit/GameWindow.h"
#include "games/GameFocus.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"
#include "ui_sector.h"

TFormsector* Formsector = nullptr;

namespace {

using darts::SectorPractice;

const char* const kEmpty = "Внимание!!! Недопустимое значение.";
const char* const kListOpen = "Выберите сектор и нажмите Ok !";

constexpr int kSummaryRowsCleared = 100;  // and any later row
constexpr int kBullItem = 20;             // the list holds 20 down to 1, then the Bull

}  // namespace

TFormsector::TFormsector(QWidget* parent) : gamekit::TGameWindow(parent), game_(gamekit::TwoDecimals) {}
TFormsector::~TFormsector() = default;

Ui::TFormsector& TFormsector::Controls() {
  EnsureForm();
  return *ui_;
}

void TFormsector::BuildForm() {
  ui_ = std::make_unique<Ui::TFormsector>();
  ui_->setupUi(this);
  InitForm();
  games::TabFocusButtons(*this);
  keys_ = gamekit::FunctionKeyMap{{ui::VK_F10, {ui_->BitBtn2}}, {ui::VK_F4, {ui_->BitBtn1}}};
  connect(ui_->MaskEdit1, &ui::TMaskEdit::PasteRefused, this, [this] { gamekit::RefuseEntry(ui_->MaskEdit1, kEmpty); });
  // The dropped-down list has the keyboard in a window of its own; its keys
  // come here first, so that the function keys act there too.
  listView_ = ui_->ComboBox1->view();
  listView_->installEventFilter(this);
}

bool TFormsector::eventFilter(QObject* watched, QEvent* e) {
  const QEvent::Type type = e->type();
  if ((type == QEvent::KeyPress || type == QEvent::ShortcutOverride) && watched == listView_) {
    auto* ke = static_cast<QKeyEvent*>(e);
    const int key = ui::VirtualKeyOf(*ke);
    if (key >= ui::VK_F1 && key <= ui::VK_F12) {
      // F4 would close the list before it is pressed: it is let through as
      // a key, which the window's keys act on.
      if (type == QEvent::ShortcutOverride) return ke->accept(), true;
      if (keys_.Handle(key)) return true;
    }
  }
  return gamekit::TGameWindow::eventFilter(watched, e);
}

void TFormsector::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);  // the key still reaches the focused control
}

void TFormsector::ShowSeries() {
  Ui::TFormsector& c = *ui_;
  c.Panel1->setText(game_.VisitText());
  c.Panel2->setText(QString::number(game_.SectorSum()));
  for (int r = 0; r < SectorPractice::kSheetRows; ++r)
    for (int col = 0; col < SectorPractice::kSheetCols; ++col) c.StringGrid1->SetCell(col, r, game_.SheetCell(col, r));
}

void TFormsector::ShowSummary(int rows) {
  for (int r = 0; r <= rows; ++r)
    for (int col = 0; col < SectorPractice::kSummaryCols; ++col)
      ui_->StringGrid2->SetCell(col, r, game_.SummaryCell(col, r));
}

// ---------------------------------------------------------------------------
// Opening and the choice of the sector

void TFormsector::FormShow() {
  Ui::TFormsector& c = *ui_;
  NoCloseSystemMenu();
  c.MaskEdit1->setEnabled(false);
  c.BitBtn3->setEnabled(false);
  c.BitBtn1->setEnabled(true);
  c.ComboBox1->setEnabled(true);
  c.ComboBox1->setCurrentIndex(0);
  c.BitBtn1->setFocus();
}

void TFormsector::ComboBox1Select() {
  Ui::TFormsector& c = *ui_;
  c.BitBtn3->setEnabled(false);
  c.MaskEdit1->setEnabled(false);
  c.BitBtn1->setEnabled(true);
  c.BitBtn1->setFocus();
}

void TFormsector::BitBtn1Click() {
  Ui::TFormsector& c = *ui_;
  if (c.ComboBox1->view() && c.ComboBox1->view()->isVisible()) {
    ui::ShowMessage(gamekit::Text(kListOpen));
    return;
  }
  const int item = c.ComboBox1->currentIndex();
  game_.ChooseSector(item == kBullItem ? darts::kBullSector : 20 - item);
  c.BitBtn1->setEnabled(false);
  c.BitBtn4->setEnabled(false);
  ShowSeries();
  c.Label13->setEnabled(true);
  c.MaskEdit1->setEnabled(true);
  c.BitBtn3->setEnabled(true);
  c.ComboBox1->setEnabled(false);
  gamekit::ClearAndFocus(c.MaskEdit1);
}

// ---------------------------------------------------------------------------
// Visits

void TFormsector::MaskEdit1KeyPress(int key) {
  if (key == ui::VK_RETURN) BitBtn3Click();
}

void TFormsector::BitBtn3Click() {
  gamekit::TakeEntry(ui_->MaskEdit1, [this] { TakeVisit(); });
}

void TFormsector::TakeVisit() {
  Ui::TFormsector& c = *ui_;
  const QString typed = c.MaskEdit1->Text();
  switch (game_.Visit(typed)) {
    case SectorPractice::Visited::Ignored:
      return;
    case SectorPractice::Visited::Empty:
      return gamekit::RefuseEntry(c.MaskEdit1, kEmpty);
    case SectorPractice::Visited::NotANumber:
      (void)ui::StrToInt(typed.trimmed());  // raises the conversion error
      return;
    case SectorPractice::Visited::NotInSector:
      return gamekit::RefuseEntry(c.MaskEdit1, gamekit::kNotInSectorText);
    case SectorPractice::Visited::Next:
      gamekit::ClearAndFocus(c.MaskEdit1);
      ShowSeries();
      return;
    case SectorPractice::Visited::SeriesDone:
      break;
  }
  // The series is in the summary; the next sector is chosen from the top.
  gamekit::ClearAndFocus(c.MaskEdit1);
  ShowSeries();
  c.Label13->setEnabled(false);
  c.MaskEdit1->setEnabled(false);
  c.BitBtn3->setEnabled(false);
  c.BitBtn4->setEnabled(true);
  c.BitBtn1->setEnabled(true);
  ShowSummary(game_.SummaryRow());
  c.ComboBox1->setCurrentIndex(0);
  c.ComboBox1->setEnabled(true);
  c.BitBtn1->setFocus();
}

// ---------------------------------------------------------------------------
// Leaving: with no finished series the window closes without a file or a
// question; Cancel leaves a series in play as it was.

gamekit::TGameWindow::Played TFormsector::WhatWasPlayed() const {
  return game_.SummaryRow() < 1 ? Played::Nothing : Played::Record;
}

void TFormsector::ResetGame() {
  const int rows = std::max(kSummaryRowsCleared - 1, game_.SummaryRow());
  game_.Clear();
  ShowSeries();
  ShowSummary(rows);
  ui_->MaskEdit1->Clear();
  ui_->ComboBox1->setCurrentIndex(0);
}

void TFormsector::BitBtn2Click() { Leave(); }

void TFormsector::BitBtn4Click() { ExportSheet(); }
