#include "app/Form_501s.h"

#include <algorithm>

#include "app/Kalvern.h"
#include "gamekit/GameWindow.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"
#include "ui_Form_501s.h"

TForm_501_s* Form_501_s = nullptr;

namespace {

using Entry = darts::SoloLeg::Entry;

const char* const kOutOfRange = "Внимание!!! Недопустимое значение. Введите число от 0 до 180 ";
const char* const kImpossible = "Внимание!!! Недопустимое значение в дартс.";
const char* const kAboveRemainder = "Внимание!!! Недопустимое значение. Введеное число больше остатка.";
const char* const kNoFinish = "Перебор! Надо вводит значение 0. Будте внимательным.";
const char* const kBustAtOne = "Перебор однако!!!";
const char* const kLegOver = "Игра окончена.";

constexpr int kVisitCols = 4;

void SetText(QLineEdit* edit, const QString& text) {
  if (edit->text() != text) edit->setText(text);
}

}  // namespace

TForm_501_s::TForm_501_s(QWidget* parent) : gamekit::TGameWindow(parent) {}
TForm_501_s::~TForm_501_s() = default;

Ui::TForm_501_s& TForm_501_s::Controls() {
  EnsureForm();
  return *ui_;
}

void TForm_501_s::BuildForm() {
  ui_ = std::make_unique<Ui::TForm_501_s>();
  Ui::TForm_501_s& c = *ui_;
  c.setupUi(this);
  InitForm();
  // A paste that is no visit is refused as a typed one is.
  connect(c.MaskEdit1, &ui::TMaskEdit::PasteRefused, this,
          [this] { gamekit::RefuseEntry(ui_->MaskEdit1, kOutOfRange); });
  sheetRows_ = c.StringGrid1->RowCount();
  keys_ = gamekit::FunctionKeyMap{
      {ui::VK_F10, {c.BitBtn3}}, {ui::VK_F1, {c.BitBtn5}}, {ui::VK_F2, {c.BitBtn6}},
      {ui::VK_F3, {c.BitBtn7}},  {ui::VK_F5, {c.BitBtn8}}, {ui::VK_F7, {c.BitBtn2}},
  };
}

// The sheets, the edits and the panels as the game has them; rows before the
// fewer of those drawn and those there are now have not changed. The record
// changes with the number of its legs, and at opening and closing.
void TForm_501_s::ShowGame(bool wholeRecord) {
  Ui::TForm_501_s& c = *ui_;
  SetText(c.Edit2, QString::number(game_.StartScore()));
  SetText(c.Edit3, QString::number(game_.LegNumber()));
  c.Panel6->setText(game_.RemainderText());
  c.Panel3->setText(game_.AvgPerDartText());
  c.Panel4->setText(game_.AvgPerVisitText());

  const int visits = game_.VisitCount();
  for (int r = std::min(shownVisits_, visits); r <= std::max(shownVisits_, visits); ++r) {
    for (int col = 0; col < kVisitCols; ++col) c.StringGrid1->SetCell(col, r, game_.VisitCell(col, r));
  }
  shownVisits_ = visits;
  // The visit sheet has rows for every visit of the leg, at least those of its
  // form, and shows the newest one.
  const int rows = std::max(sheetRows_, visits + 1);
  if (c.StringGrid1->RowCount() != rows) c.StringGrid1->setRowCount(rows);
  c.StringGrid1->ScrollInView(visits);

  auto showRecordRow = [&](int r) {
    const QStringList cells = game_.RecordRow(r);
    for (int col = 0; col < darts::SoloSession::kLegCols; ++col) c.StringGrid2->SetCell(col, r, cells[col]);
  };
  const int legs = game_.RecordedLegs();
  if (legs == shownLegs_ && !wholeRecord) return;
  showRecordRow(0);  // the totals
  for (int r = std::min(shownLegs_, legs) + 1; r <= std::max(shownLegs_, legs); ++r) showRecordRow(r);
  shownLegs_ = legs;
}

// ---------------------------------------------------------------------------
// Opening, game choice, keys

void TForm_501_s::FormShow() {
  Ui::TForm_501_s& c = *ui_;
  NoCloseSystemMenu();
  c.ComboBox1->setEnabled(true);
  c.ComboBox1->setCurrentIndex(0);
  game_.Open(ui::DecimalSeparator());

  c.MaskEdit1->setEnabled(false);
  c.MaskEdit1->Clear();
  c.Panel8->setEnabled(true);
  c.Label27->setEnabled(true);
  c.Label21->setEnabled(false);
  c.BitBtn1->setEnabled(false);
  c.BitBtn2->setEnabled(true);
  c.BitBtn5->setEnabled(false);
  c.BitBtn6->setEnabled(false);
  c.BitBtn7->setEnabled(false);

  ShowGame(true);
  c.StringGrid1->Repaint();
  // The last closing focused the score field, which is disabled now.
  c.ComboBox1->setFocus();
}

void TForm_501_s::ComboBox1Select() {
  game_.ChooseGame(ui_->ComboBox1->currentIndex());
  ShowGame();
}

void TForm_501_s::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);  // the key still reaches the focused control
}

void TForm_501_s::BitBtn4Click() {
  if (Form_kv) Form_kv->ShowModal();
  RestFocus();
}

void TForm_501_s::FocusScoreField() { gamekit::ClearAndFocus(ui_->MaskEdit1); }

void TForm_501_s::RestFocus() {
  Ui::TForm_501_s& c = *ui_;
  if (c.MaskEdit1->isEnabled()) {
    c.MaskEdit1->setFocus();
  } else if (c.Label21->isEnabled()) {
    (c.BitBtn5->isEnabled() ? c.BitBtn5 : c.BitBtn6)->setFocus();
  } else if (c.ComboBox1->isEnabled()) {
    c.ComboBox1->setFocus();
  } else {
    setFocus();
  }
}

// ---------------------------------------------------------------------------
// Visits

void TForm_501_s::BitBtn1Click() {
  // A text that is no number is refused by the conversion error; nothing is
  // counted and the field takes the next entry.
  gamekit::TakeEntry(ui_->MaskEdit1, [this] { TryVisit(); });
}

void TForm_501_s::MaskEdit1KeyPress(int key) {
  if (key == ui::VK_RETURN) BitBtn1Click();
}

void TForm_501_s::TryVisit() {
  Ui::TForm_501_s& c = *ui_;
  if (!game_.TakesVisits()) return;  // the leg has ended
  const QString typed = c.MaskEdit1->Text().trimmed();
  // "1 2" raises the conversion error.
  const Entry entry = game_.Visit(typed.isEmpty() ? std::nullopt : std::optional<int>(ui::StrToInt(typed)));
  switch (entry) {
    case Entry::Ignored:
      return;
    case Entry::OutOfRange:
      return gamekit::RefuseEntry(c.MaskEdit1, kOutOfRange);
    case Entry::Impossible:
      return gamekit::RefuseEntry(c.MaskEdit1, kImpossible);
    case Entry::AboveRemainder:
      return gamekit::RefuseEntry(c.MaskEdit1, kAboveRemainder);
    case Entry::NoFinish:
      FocusScoreField();
      ui::ShowMessage(gamekit::Text(kNoFinish));
      return;
    default:
      break;
  }
  c.BitBtn8->setEnabled(true);
  if (entry == Entry::BustAtOne) ui::ShowMessage(gamekit::Text(kBustAtOne));
  ShowGame();
  FocusScoreField();
  if (entry == Entry::Finished || entry == Entry::Recorded) {
    LegEnd(entry == Entry::Recorded);
    return;
  }
  c.Panel8->setText(game_.Suggestion());
}

// ---------------------------------------------------------------------------
// Leg end and record

void TForm_501_s::LegEnd(bool recorded) {
  Ui::TForm_501_s& c = *ui_;
  c.Panel8->clear();
  c.MaskEdit1->setEnabled(false);
  c.BitBtn1->setEnabled(false);
  c.Label21->setEnabled(true);
  if (recorded) {
    AfterRecord();
  } else {
    gamekit::OfferFinishingDarts(game_.Leg().DartsOffered(), c.BitBtn5, c.BitBtn6, c.BitBtn7);
  }
}

void TForm_501_s::BitBtn5Click() {
  ui::RunHandler([&] { FinishingDart(1); });
}
void TForm_501_s::BitBtn6Click() {
  ui::RunHandler([&] { FinishingDart(2); });
}
void TForm_501_s::BitBtn7Click() {
  ui::RunHandler([&] { FinishingDart(3); });
}

void TForm_501_s::FinishingDart(int dart) {
  if (game_.FinishingDart(dart)) AfterRecord();
}

void TForm_501_s::AfterRecord() {
  Ui::TForm_501_s& c = *ui_;
  c.BitBtn5->setEnabled(false);
  c.BitBtn6->setEnabled(false);
  c.BitBtn7->setEnabled(false);
  c.BitBtn9->setEnabled(true);
  c.Label21->setEnabled(false);
  c.BitBtn2->setEnabled(true);
  ShowGame();
  ui::ShowMessage(gamekit::Text(kLegOver));
  c.BitBtn2->setFocus();
}

// ---------------------------------------------------------------------------
// New leg and undo

void TForm_501_s::BitBtn2Click() {
  Ui::TForm_501_s& c = *ui_;
  if (!game_.NewLeg(c.ComboBox1->currentIndex())) return;
  c.ComboBox1->setEnabled(false);
  c.MaskEdit1->setEnabled(true);
  FocusScoreField();
  c.BitBtn1->setEnabled(true);
  c.BitBtn2->setEnabled(false);
  c.BitBtn8->setEnabled(false);
  c.BitBtn9->setEnabled(false);
  c.Panel8->clear();
  ShowGame();
}

void TForm_501_s::BitBtn8Click() {
  ui::RunHandler([&] {
    Ui::TForm_501_s& c = *ui_;
    if (!game_.Undo()) return;  // no visit to take back
    c.Panel8->setText(game_.Suggestion());
    c.BitBtn5->setEnabled(false);
    c.BitBtn6->setEnabled(false);
    c.BitBtn7->setEnabled(false);
    c.Label21->setEnabled(false);
    c.BitBtn2->setEnabled(false);
    c.BitBtn1->setEnabled(true);
    c.BitBtn9->setEnabled(false);
    c.BitBtn8->setEnabled(game_.VisitCount() > 0);
    ShowGame();
    c.MaskEdit1->setEnabled(true);
    FocusScoreField();
  });
}

// ---------------------------------------------------------------------------
// Leaving: the statistics file, the exit question, the export, the resets

gamekit::TGameWindow::Played TForm_501_s::WhatWasPlayed() const {
  return game_.RecordedLegs() > 0 ? Played::Record : Played::Nothing;
}

void TForm_501_s::BitBtn3Click() { Leave(); }

void TForm_501_s::BitBtn9Click() { ExportSheet(); }

void TForm_501_s::ResetGame() {
  Ui::TForm_501_s& c = *ui_;
  c.MaskEdit1->setEnabled(false);
  c.MaskEdit1->Clear();
  c.BitBtn1->setEnabled(false);
  c.BitBtn2->setEnabled(false);
  c.BitBtn8->setEnabled(false);
}

void TForm_501_s::FormClose() {
  Ui::TForm_501_s& c = *ui_;
  c.MaskEdit1->setEnabled(true);
  c.BitBtn1->setEnabled(true);
  FocusScoreField();
  c.BitBtn2->setEnabled(false);
  game_.Clear();
  ShowGame(true);
}
