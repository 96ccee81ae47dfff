#include "app/form_501double.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <array>

#include "app/kontrovoi.h"
#include "gamekit/GameWindow.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"
#include "ui_form_501double.h"

TForm_501d* Form_501d = nullptr;

namespace {

const char* const kOutOfRange = "Внимание!!! Недопустимое значение. Введите число от 0 до 180 ";
const char* const kImpossible = "Внимание!!! Недопустимое значение в дартс.";
const char* const kBust =
    "Внимание!!! Похоже перебор. Если перебор, то нажмите на кнопку ПЕРЕБОР или F8 иначе введите правильное число.";
const char* const kTurnArrow = "➤";

// The controls of one player.
struct Side {
  QLabel *remainder, *perDart, *perVisit, *sets, *legs, *best;
  std::array<QLabel*, darts::kBandCount> bands;  // 60+, 80+, 100+, 140+, 180
  QAbstractButton* undo;
  ui::TStringGrid* sheet;
};

Side SideOf(Ui::TForm_501d& c, int player) {
  if (player == 1) {
    return Side{c.Panel9,
                c.Panel11,
                c.Panel12,
                c.Panel39,
                c.Panel40,
                c.Panel42,
                {c.Panel49, c.Panel47, c.Panel23, c.Panel22, c.Panel21},
                c.BitBtn7,
                c.StringGrid1};
  }
  return Side{c.Panel10,
              c.Panel13,
              c.Panel14,
              c.Panel44,
              c.Panel45,
              c.Panel43,
              {c.Panel53, c.Panel51, c.Panel26, c.Panel25, c.Panel24},
              c.BitBtn8,
              c.StringGrid2};
}

// Draws a name panel: its frame, and the name as it was typed (never read as
// markup) on one line, the end elided when the name is longer than the panel.
class NamePanels : public QObject {
 public:
  using QObject::QObject;
  void Watch(QLabel* panel) {
    panel->setTextFormat(Qt::PlainText);
    panel->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::Paint) return false;
    auto* panel = static_cast<QLabel*>(watched);
    QPainter p(panel);
    QStyleOptionFrame frame;
    frame.initFrom(panel);
    frame.rect = panel->frameRect();
    frame.frameShape = panel->frameShape();
    frame.lineWidth = panel->lineWidth();
    frame.midLineWidth = panel->midLineWidth();
    if (panel->frameShadow() == QFrame::Sunken) frame.state |= QStyle::State_Sunken;
    if (panel->frameShadow() == QFrame::Raised) frame.state |= QStyle::State_Raised;
    panel->style()->drawControl(QStyle::CE_ShapedFrame, &frame, &p, panel);
    const QRect room = panel->contentsRect().adjusted(2, 0, -2, 0);
    const QString shown = panel->fontMetrics().elidedText(panel->text(), Qt::ElideRight, room.width());
    panel->style()->drawItemText(&p, room, int(panel->alignment()), panel->palette(), panel->isEnabled(), shown,
                                 panel->foregroundRole());
    return true;
  }
};

}  // namespace

TForm_501d::TForm_501d(QWidget* parent) : gamekit::TGameWindow(parent), game_(gamekit::TwoDecimals) {}
TForm_501d::~TForm_501d() = default;

Ui::TForm_501d& TForm_501d::Controls() {
  EnsureForm();
  return *ui_;
}

void TForm_501d::BuildForm() {
  ui_ = std::make_unique<Ui::TForm_501d>();
  Ui::TForm_501d& c = *ui_;
  c.setupUi(this);
  video_.SetDisplayParent(this);
  video_.OnFailure = [this](const QString& message) { VideoFailed(message); };
  auto* names = new NamePanels(this);
  for (QLabel* panel : {c.Panel7, c.Panel8, c.Panel36, c.Panel46}) names->Watch(panel);
  InitForm();
  // A paste that is no visit is refused as a typed one is.
  connect(c.MaskEdit1, &ui::TMaskEdit::PasteRefused, this,
          [this] { gamekit::RefuseEntry(ui_->MaskEdit1, kOutOfRange); });
  // The panels a visit rewrites keep the size of their form: a new text then
  // asks nothing of the window's layout.
  for (QLabel* panel : {c.Image1, c.Image2}) panel->setFixedSize(panel->size());
  for (int p : {1, 2}) {
    const Side s = SideOf(c, p);
    for (QLabel* panel : {s.remainder, s.perDart, s.perVisit}) panel->setFixedSize(panel->size());
    for (QLabel* band : s.bands) band->setFixedSize(band->size());
  }
  formSheetRows_ = c.StringGrid1->RowCount();
  keys_ = gamekit::FunctionKeyMap{
      {ui::VK_F10, {c.BitBtn1}}, {ui::VK_F1, {c.BitBtn3}}, {ui::VK_F2, {c.BitBtn5}},
      {ui::VK_F3, {c.BitBtn6}},  {ui::VK_F7, {c.BitBtn4}}, {ui::VK_F8, {c.BitBtn9}},
  };
}

// ---------------------------------------------------------------------------
// Set-up, opening, keys

void TForm_501d::PrepareMatch(const darts::MatchSetup& setup) {
  Ui::TForm_501d& c = Controls();
  game_.Prepare(setup);
  c.Panel1->setText(QString::number(game_.StartScore()));
  c.Panel2->setText(QString::number(game_.SetsToWin()));
  c.Panel3->setText(QString::number(game_.LegsToWin()));
  for (QLabel* panel : {c.Panel7, c.Panel36}) panel->setText(game_.Player1Name());
  for (QLabel* panel : {c.Panel8, c.Panel46}) panel->setText(game_.Player2Name());
  c.MaskEdit1->Clear();
  ShowMatch(true);
}

void TForm_501d::FormShow() {
  NoCloseSystemMenu();
  RestFocus();
}

void TForm_501d::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);  // the key still reaches the focused control
}

void TForm_501d::RestFocus() {
  Ui::TForm_501d& c = *ui_;
  if (c.MaskEdit1->isEnabled()) {
    c.MaskEdit1->setFocus();
  } else if (c.Label4->isEnabled()) {
    (c.BitBtn3->isEnabled() ? c.BitBtn3 : c.BitBtn5->isEnabled() ? c.BitBtn5 : c.BitBtn6)->setFocus();
  } else {
    setFocus();
  }
}

// ---------------------------------------------------------------------------
// Drawing the match

void TForm_501d::ShowMatch(bool newLeg) {
  Ui::TForm_501d& c = *ui_;
  const darts::Match& g = game_;
  // The turn marker is the arrow in the player's picture; the other picture is
  // blank. Showing and hiding the control instead would post a repaint request
  // that wakes the event loop at every visit.
  static const QString arrow = QString::fromUtf8(kTurnArrow);
  c.Image1->setText(g.TurnMarker() == 1 ? arrow : QString());
  c.Image2->setText(g.TurnMarker() == 2 ? arrow : QString());
  c.Panel54->setVisible(g.StarterMark() == 1);
  c.Panel55->setVisible(g.StarterMark() == 2);
  for (int p : {1, 2}) {
    const Side s = SideOf(c, p);
    s.remainder->setText(g.RemainderText(p));
    s.perDart->setText(g.AvgPerDartText(p));
    s.perVisit->setText(g.AvgPerVisitText(p));
    for (int b = 0; b < darts::kBandCount; ++b)
      s.bands[b]->setText(QString::number(g.ScoreBand(p, static_cast<darts::Band>(b))));
    s.sets->setText(QString::number(g.Sets(p)));
    s.legs->setText(QString::number(g.Legs(p)));
    s.best->setText(QString::number(g.BestLeg(p)));
    s.undo->setEnabled(g.UndoAllowed(p));
    ShowSheet(p, newLeg);
  }
  c.MaskEdit1->setEnabled(g.TakesVisits());
  c.BitBtn2->setEnabled(g.TakesVisits());
  const std::optional<darts::FinishingDarts> offer = g.DartsOffered();
  c.Label4->setEnabled(offer.has_value());
  c.BitBtn3->setEnabled(offer == darts::FinishingDarts::Any);
  c.BitBtn5->setEnabled(offer.has_value() && offer != darts::FinishingDarts::ThirdOnly);
  c.BitBtn6->setEnabled(offer.has_value());
  c.BitBtn9->setEnabled(g.BustAllowed());
  c.BitBtn4->setEnabled(g.NewLegAllowed());
  ShowRecord();
}

// A sheet holds the rows of its player's visits in this leg, has rows for
// every one of them (at least those of its form) and shows the newest.
void TForm_501d::ShowSheet(int player, bool whole) {
  ui::TStringGrid* sheet = player == 1 ? ui_->StringGrid1 : ui_->StringGrid2;
  int& drawn = sheetRowsDrawn_[player - 1];
  const int n = game_.VisitCount(player);
  if (!whole && n == drawn) return;
  for (int r = whole ? 0 : std::min(n, drawn) + 1; r <= std::max(n, drawn); ++r) {
    for (int col = 0; col < 5; ++col) sheet->SetCell(col, r, game_.SheetCell(player, col, r));
  }
  drawn = n;
  const int rows = std::max(formSheetRows_, n + 1);
  if (sheet->RowCount() != rows) sheet->setRowCount(rows);
  sheet->ScrollInView(n);
}

// The hidden record grid holds the record's rows.
void TForm_501d::ShowRecord() {
  const int rows = game_.RecordRow();
  for (int r = rows < recordRowsDrawn_ ? 0 : recordRowsDrawn_; r < std::max(rows, recordRowsDrawn_); ++r) {
    for (int col = 0; col < darts::Match::kRecordCols; ++col)
      ui_->StringGrid3->SetCell(col, r, game_.RecordCell(col, r));
  }
  recordRowsDrawn_ = rows;
}

// ---------------------------------------------------------------------------
// Visits, new leg, bust and undo

void TForm_501d::BitBtn2Click() { VisitAction(); }

void TForm_501d::MaskEdit1KeyPress(int key) {
  if (key == ui::VK_RETURN) VisitAction();
}

// A text that is no number is refused by the conversion error; nothing is
// counted and the field takes the next entry.
void TForm_501d::VisitAction() {
  gamekit::TakeEntry(ui_->MaskEdit1, [this] { TryVisit(); });
}

void TForm_501d::TryVisit() {
  if (!game_.TakesVisits()) return;
  ui::TMaskEdit* field = ui_->MaskEdit1;
  const QString typed = field->Text().trimmed();
  std::optional<int> visit;
  if (!typed.isEmpty()) visit = ui::StrToInt(typed);  // "1 2" raises the conversion error
  switch (game_.Visit(visit)) {
    case darts::Match::Taken::Ignored:
      return;
    case darts::Match::Taken::OutOfRange:
      return gamekit::RefuseEntry(field, kOutOfRange);
    case darts::Match::Taken::NotScorable:
      return gamekit::RefuseEntry(field, kImpossible);
    case darts::Match::Taken::LooksLikeBust:
      return gamekit::RefuseEntry(field, kBust);
    case darts::Match::Taken::LegFinished:
      ShowMatch();
      RestFocus();  // on the first dart that can have finished it
      return;
    case darts::Match::Taken::Counted:
      ShowMatch();
      gamekit::ClearAndFocus(field);
      return;
  }
}

void TForm_501d::BitBtn4Click() {
  game_.NewLeg();
  ShowMatch(true);
  gamekit::ClearAndFocus(ui_->MaskEdit1);
}

void TForm_501d::BitBtn9Click() {
  game_.Bust();
  ShowMatch();
  gamekit::ClearAndFocus(ui_->MaskEdit1);
}

void TForm_501d::BitBtn7Click() { Undo(1); }
void TForm_501d::BitBtn8Click() { Undo(2); }

void TForm_501d::Undo(int player) {
  if (!game_.UndoAllowed(player)) return;
  game_.Undo(player);
  ShowMatch();
  gamekit::ClearAndFocus(ui_->MaskEdit1);
}

// ---------------------------------------------------------------------------
// End of a leg and the next starter

void TForm_501d::BitBtn3Click() { FinishWith(1); }
void TForm_501d::BitBtn5Click() { FinishWith(2); }
void TForm_501d::BitBtn6Click() { FinishWith(3); }

void TForm_501d::FinishWith(int dart) {
  game_.Finish(dart);
  BitBtn10Click();
}

void TForm_501d::BitBtn10Click() {
  ui_->MaskEdit1->Clear();
  ShowMatch();
  if (game_.MatchOver()) {
    RestFocus();  // nothing is left to start: the focus leaves the buttons
    return;
  }
  BitBtn11Click();
  ui_->BitBtn4->setFocus();
}

void TForm_501d::BitBtn11Click() {
  if (game_.StarterToChoose() && Form_kontr)
    game_.ChooseStarter(Form_kontr->Choose(game_.Player1Name(), game_.Player2Name()));
}

// ---------------------------------------------------------------------------
// Leaving, the export and the camera

void TForm_501d::BitBtn1Click() { Leave(); }

// Before a leg is finished there is nothing to export: the Yes/No question.
gamekit::TGameWindow::Played TForm_501d::WhatWasPlayed() const {
  return game_.LegsPlayed() == 0 ? Played::AskFirst : Played::Record;
}

std::optional<darts::SheetBlock> TForm_501d::Sheet() const {
  if (game_.LegsPlayed() <= 0) return std::nullopt;
  return game_.Sheet();
}

// Staying after the Yes/No question takes the next visit afresh; after the
// exit question the match goes on as it was.
void TForm_501d::StayInGame() {
  if (game_.LegsPlayed() == 0 && ui_->MaskEdit1->isEnabled()) gamekit::ClearAndFocus(ui_->MaskEdit1);
}

bool TForm_501d::BitBtn12Click() { return ExportSheet(); }

// The box shows whether the camera runs: a camera that cannot start leaves it
// cleared. The keyboard goes back to the game.
void TForm_501d::CheckBox1Click() {
  ui::RunHandler([&] { ui_->CheckBox1->setChecked(video_.Switch(ui_->CheckBox1->isChecked())); });
  RestFocus();
}

// The chain has switched itself off: the box follows, then the player is told.
void TForm_501d::VideoFailed(const QString& message) {
  ui_->CheckBox1->setChecked(false);
  ui::MessageDlg(message, ui::mtError, ui::mbOK);
  RestFocus();
}

// Nothing runs behind the hidden window: leaving it switches the camera off.
void TForm_501d::FormClose() {
  video_.Switch(false);
  ui_->CheckBox1->setChecked(false);
}
