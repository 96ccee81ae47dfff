#include "app/form_501double.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <vector>

#include "app/kontrovoi.h"
#include "automation/Excel.h"
#include "darts/DartsRules.h"
#include "gamekit/GameWindow.h"
#include "gamekit/GridExport.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"

TForm_501d* Form_501d = nullptr;

namespace match {
const char* const kBustMark1 = "   ---";
const char* const kBustMark2 = "  ---";
}  // namespace match

namespace {

const char* const kOutOfRange = "Внимание!!! Недопустимое значение. Введите число от 0 до 180 ";
const char* const kImpossible = "Внимание!!! Недопустимое значение в дартс.";
const char* const kBust =
    "Внимание!!! Похоже перебор. Если перебор, то нажмите на кнопку ПЕРЕБОР или F8 иначе введите правильное число.";

const std::vector<double> kSheetWidths = {10, 33, 10, 15, 15, 13, 13, 13, 15, 33};
const char* const kBandTitles[darts::kBandCount] = {"60 +", "80 +", "100 +", "140 +", "180"};
const char* const kTurnArrow = "➤";
constexpr int kNameColour = 33;
constexpr int kClosingRowColour = 36;
// Columns of the record's player-1 and player-2 halves.
constexpr int kStartColumn = 5;

using gamekit::Text;

// Draws a name panel: its frame, and the name as it was typed (never read as
// markup) on one line, the end elided when the name is longer than the panel.
// The panel's text stays the whole name for the record and the export.
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

TForm_501d::TForm_501d(QWidget* parent) : ui::TForm(parent) {
  Q_INIT_RESOURCE(solo);
  setupUi(this);
  Video.SetDisplayParent(this);
  Video.OnFailure = [this](const QString& message) { VideoFailed(message); };
  auto* names = new NamePanels(this);
  for (QLabel* panel : {Panel7, Panel8, Panel36, Panel46}) names->Watch(panel);
  InitForm();
  // A paste that is no visit is refused as a typed one is.
  connect(MaskEdit1, &ui::TMaskEdit::PasteRefused, this, [this] { gamekit::RefuseEntry(MaskEdit1, kOutOfRange); });
  side1_ = Side{Panel9,
                StringGrid1,
                Panel11,
                Panel12,
                {Panel49, Panel47, Panel23, Panel22, Panel21},
                BitBtn7,
                Panel42,
                Text(match::kBustMark1)};
  side2_ = Side{Panel10,
                StringGrid2,
                Panel13,
                Panel14,
                {Panel53, Panel51, Panel26, Panel25, Panel24},
                BitBtn8,
                Panel43,
                Text(match::kBustMark2)};
  // The panels a visit rewrites keep the size of their form: a new text then
  // asks nothing of the window's layout.
  for (QLabel* panel : {Image1, Image2, Panel9, Panel10, Panel11, Panel12, Panel13, Panel14}) {
    panel->setFixedSize(panel->size());
  }
  for (const Side& side : {side1_, side2_}) {
    for (QLabel* band : side.bands) band->setFixedSize(band->size());
  }
  sheetRows_ = StringGrid1->RowCount();
  keys_ = gamekit::FunctionKeyMap{
      {ui::VK_F10, {BitBtn1}}, {ui::VK_F1, {BitBtn3}}, {ui::VK_F2, {BitBtn5}},
      {ui::VK_F3, {BitBtn6}},  {ui::VK_F7, {BitBtn4}}, {ui::VK_F8, {BitBtn9}},
  };
}

// ---------------------------------------------------------------------------
// Set-up, opening, keys

void TForm_501d::ClearSheetRows(ui::TStringGrid* sheet, int first, int last, int lastCol) {
  gamekit::ClearCells(*sheet, first, last, 0, lastCol);
}

// A sheet has rows for every visit of the leg, at least those of its form, and
// shows the newest one.
void TForm_501d::FollowVisits(ui::TStringGrid* sheet, int lastVisit) {
  const int rows = std::max(sheetRows_, lastVisit + 1);
  if (sheet->RowCount() != rows) sheet->setRowCount(rows);
  sheet->ScrollInView(lastVisit);
}

void TForm_501d::PrepareMatch(const match::MatchSetup& setup) {
  const bool firstStarts = setup.starter == 1;
  Panel54->setVisible(firstStarts);
  Panel55->setVisible(!firstStarts);

  DecidingLegDraw = setup.decidingLegDraw;
  DecidingSetDraw = setup.decidingSetDraw;

  const int lastSheetRow = std::max(match::kSheetRows - 1, highestSheetRow_);
  ClearSheetRows(StringGrid1, 0, lastSheetRow, match::kSheetCols - 1);
  ClearSheetRows(StringGrid2, 0, lastSheetRow, match::kSheetCols - 1);
  highestSheetRow_ = 0;
  FollowVisits(StringGrid1, 0);
  FollowVisits(StringGrid2, 0);
  ClearSheetRows(StringGrid3, 0, std::max(match::kRecordRows - 1, highestRecordRow_), match::kRecordCols - 1);
  highestRecordRow_ = 0;

  LegsPlayed = 0;
  BitBtn4->setEnabled(true);
  for (QWidget* w : {static_cast<QWidget*>(BitBtn2), static_cast<QWidget*>(BitBtn3), static_cast<QWidget*>(BitBtn5),
                     static_cast<QWidget*>(BitBtn6), static_cast<QWidget*>(BitBtn7), static_cast<QWidget*>(BitBtn8),
                     static_cast<QWidget*>(BitBtn9)}) {
    w->setEnabled(false);
  }
  for (QLabel* p : {Panel9, Panel11, Panel12, Panel10, Panel13, Panel14, Panel2, Panel3, Panel1}) p->clear();
  for (QLabel* p : {Panel39, Panel40, Panel44, Panel45, Panel42, Panel43}) p->setText(QStringLiteral("0"));
  for (QLabel* p : {Panel21, Panel22, Panel23, Panel47, Panel49, Panel24, Panel25, Panel26, Panel51, Panel53}) {
    p->setText(QStringLiteral("0"));
  }
  MaskEdit1->setEnabled(false);
  MaskEdit1->Clear();
  std::fill(std::begin(ScoreBands), std::end(ScoreBands), 0);
  RecordRow = 0;

  StartScore = setup.startScore;
  SetsToWin = setup.setsToWin;
  LegsToWin = setup.legsToWin;
  SetStarter = setup.starter;
  LegStarter = setup.starter;
  CurrentThrower = SetStarter;
  Player1Name = setup.player1;
  Player2Name = setup.player2;

  Panel1->setText(ui::IntToStr(StartScore));
  Panel2->setText(ui::IntToStr(SetsToWin));
  Panel3->setText(ui::IntToStr(LegsToWin));
  Panel7->setText(Player1Name);
  Panel36->setText(Player1Name);
  Panel8->setText(Player2Name);
  Panel46->setText(Player2Name);
  ShowTurn(SetStarter);
}

void TForm_501d::FormShow() {
  NoCloseSystemMenu();
  RestFocus();
}

void TForm_501d::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);  // the key still reaches the focused control
}

// ---------------------------------------------------------------------------
// Small pieces shared by the actions

void TForm_501d::FocusScoreField() { gamekit::ClearAndFocus(MaskEdit1); }

void TForm_501d::RestFocus() {
  if (MaskEdit1->isEnabled()) {
    MaskEdit1->setFocus();
  } else if (Label4->isEnabled()) {
    (BitBtn3->isEnabled() ? BitBtn3 : BitBtn5->isEnabled() ? BitBtn5 : BitBtn6)->setFocus();
  } else {
    setFocus();
  }
}

void TForm_501d::SetEntryEnabled(bool on) {
  MaskEdit1->setEnabled(on);
  BitBtn2->setEnabled(on);
}

void TForm_501d::DisableFinishingDarts() {
  Label4->setEnabled(false);
  BitBtn3->setEnabled(false);
  BitBtn5->setEnabled(false);
  BitBtn6->setEnabled(false);
}

// The turn marker is the arrow in the player's picture; the other picture is
// blank. Showing and hiding the control instead would post a repaint request
// that wakes the event loop at every visit.
void TForm_501d::ShowTurn(int player) {
  static const QString arrow = QString::fromUtf8(kTurnArrow);
  Image1->setText(player == 1 ? arrow : QString());
  Image2->setText(player != 1 ? arrow : QString());
}

bool TForm_501d::TurnMarkerShown(int player) const { return !(player == 1 ? Image1 : Image2)->text().isEmpty(); }

void TForm_501d::UpdateBustButton(int nextThrower) { BitBtn9->setEnabled(Remainder(nextThrower) < 182); }

void TForm_501d::AddToBand(int player, int visit, int delta) {
  const darts::Band band = darts::BandOf(visit);
  if (band == darts::Band::None) return;
  const int b = static_cast<int>(band);
  int& count = ScoreBands[(player == 1 ? 0 : darts::kBandCount) + b];
  count += delta;
  SideOf(player).bands[b]->setText(ui::IntToStr(count));
}

// Single precision: what the player scored so far over the visits and darts.
void TForm_501d::RunningAverages(int player) {
  const float scored = static_cast<float>(StartScore) - Remainder(player);
  AvgPerDart(player) = scored / (VisitCount(player) * 3);
  AvgPerVisit(player) = scored / VisitCount(player);
}

void TForm_501d::ShowAverages(int player, int row) {
  Side& s = SideOf(player);
  const QString perDart = gamekit::TwoDecimals(AvgPerDart(player));
  const QString perVisit = gamekit::TwoDecimals(AvgPerVisit(player));
  s.sheet->SetCell(3, row, perDart);
  s.perDart->setText(perDart);
  s.sheet->SetCell(4, row, perVisit);
  s.perVisit->setText(perVisit);
}

int TForm_501d::PanelNumber(const QLabel* panel) const { return ui::StrToInt(panel->text().trimmed()); }

darts::MatchSettings TForm_501d::Settings() const {
  darts::MatchSettings s;
  s.setsToWin = SetsToWin;
  s.legsToWin = LegsToWin;
  s.decidingLegDraw = DecidingLegDraw != 0;
  s.decidingSetDraw = DecidingSetDraw != 0;
  return s;
}

// ---------------------------------------------------------------------------
// Visits

void TForm_501d::BitBtn2Click() { VisitAction(); }

void TForm_501d::MaskEdit1KeyPress(int key) {
  if (key == ui::VK_RETURN) VisitAction();
}

// A text that is no number is refused by the conversion error; nothing is
// counted and the field takes the next entry.
void TForm_501d::VisitAction() {
  gamekit::TakeEntry(MaskEdit1, [this] { TryVisit(); });
}

void TForm_501d::TryVisit() {
  if (LegOver != 0) return;
  const int p = CurrentThrower == 1 ? 1 : 2;
  const int q = darts::Toggled(p);
  Side& s = SideOf(p);

  auto refuse = [this](const char* message) { gamekit::RefuseEntry(MaskEdit1, message); };
  const QString typed = MaskEdit1->Text().trimmed();
  if (typed.isEmpty()) return refuse(kOutOfRange);
  const int v = ui::StrToInt(typed);  // "1 2" raises the conversion error
  if (v > darts::kMaxVisit || v < 0) return refuse(kOutOfRange);
  if (darts::IsImpossibleVisit(v)) return refuse(kImpossible);
  const int before = static_cast<int>(Remainder(p));
  if (before - v == 1 || v > before || (v == before && darts::IsUnfinishable(v))) return refuse(kBust);

  s.undo->setEnabled(true);
  SideOf(q).undo->setEnabled(false);
  VisitCount(p) += 1;
  const int n = static_cast<int>(VisitCount(p));
  highestSheetRow_ = std::max(highestSheetRow_, n);
  Remainder(p) -= static_cast<float>(v);
  AddToBand(p, v, 1);  // a finishing visit counts too

  // Remainders and visit numbers hold whole numbers: written without decimals.
  const QString left = ui::IntToStr(static_cast<int>(Remainder(p)));
  s.remainder->setText(left);
  s.sheet->SetCell(0, n, ui::IntToStr(n));
  s.sheet->SetCell(1, n, ui::IntToStr(v));
  s.sheet->SetCell(2, n, left);
  FollowVisits(s.sheet, n);

  if (Remainder(p) == 0) {
    LegOver = 1;
    SetEntryEnabled(false);
    Label4->setEnabled(true);
    BitBtn9->setEnabled(false);
    // The dart buttons that can have finished a visit of v; the focus on the first.
    const darts::FinishingDarts offer = darts::FinishingDartsFor(v);
    BitBtn3->setEnabled(offer == darts::FinishingDarts::Any);
    BitBtn5->setEnabled(offer != darts::FinishingDarts::ThirdOnly);
    BitBtn6->setEnabled(true);
    (BitBtn3->isEnabled() ? BitBtn3 : BitBtn5->isEnabled() ? BitBtn5 : BitBtn6)->setFocus();
    return;  // the finisher stays CurrentThrower: the leg's winner
  }

  FocusScoreField();
  BitBtn2->setEnabled(true);
  RunningAverages(p);
  ShowAverages(p, n);

  CurrentThrower = q;
  ShowTurn(q);
  UpdateBustButton(q);
}

// ---------------------------------------------------------------------------
// New leg, bust and undo

void TForm_501d::BitBtn4Click() {
  Remainder1 = Remainder2 = static_cast<float>(StartScore);
  VisitCount1 = VisitCount2 = 0;
  LegOver = MatchOver = SetWon = 0;
  AvgPerDart1 = AvgPerVisit1 = AvgPerDart2 = AvgPerVisit2 = 0;

  DisableFinishingDarts();
  BitBtn4->setEnabled(false);
  BitBtn2->setEnabled(true);
  BitBtn7->setEnabled(false);
  BitBtn8->setEnabled(false);
  BitBtn9->setEnabled(false);

  const QString start = ui::IntToStr(StartScore);
  Panel9->setText(start);
  Panel10->setText(start);
  for (QLabel* p : {Panel11, Panel12, Panel13, Panel14}) p->setText(QStringLiteral("0"));

  const bool first = CurrentThrower == 1;
  ShowTurn(CurrentThrower);
  Panel54->setVisible(first);
  Panel55->setVisible(!first);

  const int last = std::max(match::kSheetRows - 1, highestSheetRow_);
  for (ui::TStringGrid* sheet : {StringGrid1, StringGrid2}) {
    sheet->SetCell(2, 0, start);
    ClearSheetRows(sheet, 1, last, match::kSheetCols - 1);
    FollowVisits(sheet, 0);
  }
  highestSheetRow_ = 0;

  MaskEdit1->setEnabled(true);
  FocusScoreField();
  BitBtn2->setEnabled(true);
}

void TForm_501d::BitBtn9Click() {
  const int p = CurrentThrower == 1 ? 1 : 2;
  const int q = darts::Toggled(p);
  Side& s = SideOf(p);

  DisableFinishingDarts();
  LegOver = 0;
  ShowTurn(q);
  s.undo->setEnabled(true);
  SideOf(q).undo->setEnabled(false);

  VisitCount(p) += 1;
  const int n = static_cast<int>(VisitCount(p));
  highestSheetRow_ = std::max(highestSheetRow_, n);
  CurrentThrower = q;
  s.sheet->SetCell(0, n, ui::FloatToStr(VisitCount(p)));
  s.sheet->SetCell(1, n, s.bustMark);
  s.sheet->SetCell(2, n, ui::FloatToStr(Remainder(p)));
  FollowVisits(s.sheet, n);

  RunningAverages(p);
  ShowAverages(p, n);

  UpdateBustButton(q);
  SetEntryEnabled(true);
  FocusScoreField();
}

void TForm_501d::BitBtn7Click() {
  ui::RunHandler([&] { Undo(1); });
}

void TForm_501d::BitBtn8Click() {
  ui::RunHandler([&] { Undo(2); });
}

void TForm_501d::Undo(int p) {
  const int q = darts::Toggled(p);
  Side& s = SideOf(p);
  const int n = static_cast<int>(VisitCount(p));
  if (n < 1) return;  // nothing of this player's to take back

  DisableFinishingDarts();
  ShowTurn(p);
  SideOf(q).undo->setEnabled(true);
  s.undo->setEnabled(false);
  CurrentThrower = p;

  Remainder(p) = static_cast<float>(ui::StrToInt(s.sheet->Cell(2, n - 1)));
  const QString score = s.sheet->Cell(1, n);
  if (score != s.bustMark) AddToBand(p, ui::StrToInt(score), -1);
  s.remainder->setText(ui::FloatToStr(Remainder(p)));
  // The whole row goes, the per-visit average as well: a finishing visit typed
  // into this row later writes no averages and must not show the old one.
  gamekit::ClearCells(*s.sheet, n, n, 0, match::kSheetCols - 1);
  FollowVisits(s.sheet, n - 1);

  VisitCount(p) -= 1;
  if (VisitCount(p) <= 0) {
    AvgPerDart(p) = 0;
    AvgPerVisit(p) = 0;
  } else {
    RunningAverages(p);
  }
  s.perDart->setText(gamekit::TwoDecimals(AvgPerDart(p)));
  s.perVisit->setText(gamekit::TwoDecimals(AvgPerVisit(p)));

  if (VisitCount(q) == 0) SideOf(q).undo->setEnabled(false);
  UpdateBustButton(p);
  LegOver = 0;
  SetEntryEnabled(true);
  FocusScoreField();
}

// ---------------------------------------------------------------------------
// End of a leg, the match record and the next starter

void TForm_501d::FinishWith(int dart) {
  FinishingDart = dart;
  BitBtn10Click();
}

void TForm_501d::BitBtn3Click() { FinishWith(1); }
void TForm_501d::BitBtn5Click() { FinishWith(2); }
void TForm_501d::BitBtn6Click() { FinishWith(3); }

void TForm_501d::BitBtn10Click() {
  ui::RunHandler([&] {
    const int w = CurrentThrower == 1 ? 1 : 2;
    Side& s = SideOf(w);

    LegOver = 1;
    LegsPlayed += 1;
    BitBtn4->setEnabled(true);
    SetEntryEnabled(false);
    MaskEdit1->Clear();
    DisableFinishingDarts();
    BitBtn7->setEnabled(false);
    BitBtn8->setEnabled(false);
    BitBtn9->setEnabled(false);

    const int legDarts = darts::LegDarts(static_cast<int>(VisitCount(w)), FinishingDart);
    s.best->setText(ui::IntToStr(darts::BestLeg(PanelNumber(s.best), legDarts)));
    AvgPerDart(w) = darts::LegAveragePerDart(StartScore, legDarts);
    AvgPerVisit(w) = darts::LegAveragePerVisit(StartScore, legDarts);
    s.perDart->setText(gamekit::TwoDecimals(AvgPerDart(w)));
    s.perVisit->setText(gamekit::TwoDecimals(AvgPerVisit(w)));

    darts::MatchScore score;
    score.sets[0] = PanelNumber(Panel39);
    score.sets[1] = PanelNumber(Panel44);
    score.legs[0] = PanelNumber(Panel40);
    score.legs[1] = PanelNumber(Panel45);
    const darts::LegOutcome outcome = darts::CountLeg(Settings(), score, w);
    Panel39->setText(ui::IntToStr(score.sets[0]));
    Panel44->setText(ui::IntToStr(score.sets[1]));
    Panel40->setText(ui::IntToStr(score.legs[0]));
    Panel45->setText(ui::IntToStr(score.legs[1]));

    if (outcome == darts::LegOutcome::MatchWon) {
      if (SetsToWin > 0) {
        MatchOver = 1;
        BitBtn11Click();  // no starter to choose any more
      } else {
        BitBtn11Click();  // the starter step still runs in a match of legs
        MatchOver = 1;
      }
      BitBtn4->setEnabled(false);
      RestFocus();  // nothing is left to start: the focus leaves the buttons
      return;
    }
    SetWon = outcome == darts::LegOutcome::SetWon ? 1 : 0;
    MatchOver = 0;
    BitBtn11Click();
    BitBtn4->setFocus();
    SetWon = 0;
  });
}

void TForm_501d::BitBtn11Click() {
  AppendLegRecord();
  if (MatchOver != 0) return;
  darts::MatchScore after;
  after.sets[0] = PanelNumber(Panel39);
  after.sets[1] = PanelNumber(Panel44);
  after.legs[0] = PanelNumber(Panel40);
  after.legs[1] = PanelNumber(Panel45);
  const darts::LegOutcome outcome = SetWon != 0 ? darts::LegOutcome::SetWon : darts::LegOutcome::LegWon;
  const darts::Starters next = darts::NextStarters(Settings(), outcome, after, SetStarter, LegStarter);
  if (next.askChooser) {
    AskChooser();
    return;
  }
  SetStarter = next.setStarter;
  LegStarter = next.legStarter;
  CurrentThrower = LegStarter;
}

void TForm_501d::AppendLegRecord() {
  ui::TStringGrid* g = StringGrid3;
  const int w = CurrentThrower == 1 ? 1 : 2;
  const int r = RecordRow;
  const int n = static_cast<int>(VisitCount(w));

  g->SetCell(1, r, Panel7->text());
  g->SetCell(2, r, QStringLiteral("Сет"));
  g->SetCell(3, r, QStringLiteral("Лег"));
  g->SetCell(7, r, QStringLiteral("Сет"));
  g->SetCell(8, r, QStringLiteral("Лег"));
  g->SetCell(9, r, Panel8->text());

  const QString x = QStringLiteral("    X");
  g->SetCell(2, r + 1, Panel39->text());
  g->SetCell(3, r + 1, Panel40->text());
  if (LegStarter == 1) g->SetCell(4, r + 1, x);
  g->SetCell(kStartColumn, r + 1, QStringLiteral("Начало"));
  if (LegStarter != 1) g->SetCell(6, r + 1, x);
  g->SetCell(7, r + 1, Panel44->text());
  g->SetCell(8, r + 1, Panel45->text());

  const QString heads[] = {"Подход", "Набор", "Остаток", "Ср. на 1 др.", "Ср. на 3 др."};
  for (int c = 0; c < 5; ++c) g->SetCell(c, r + 2, heads[c]);
  for (int c = 1; c < 5; ++c) g->SetCell(5 + c, r + 2, heads[c]);

  g->SetCell(2, r + 3, StringGrid1->Cell(2, 0));
  g->SetCell(7, r + 3, StringGrid2->Cell(2, 0));
  for (int i = 1; i <= n; ++i) {
    for (int c = 0; c < 5; ++c) g->SetCell(c, r + 3 + i, StringGrid1->Cell(c, i));
    for (int c = 1; c < 5; ++c) g->SetCell(5 + c, r + 3 + i, StringGrid2->Cell(c, i));
  }

  const int legDarts = darts::LegDarts(n, FinishingDart);
  const int at = w == 1 ? 1 : 6;
  const int closing = r + 3 + n + 1;
  g->SetCell(at, closing, QStringLiteral("Закрыл"));
  g->SetCell(at + 1, closing, QStringLiteral("Х(%1)").arg(FinishingDart));
  g->SetCell(at + 2, closing, QStringLiteral("Сиграл за"));
  g->SetCell(at + 3, closing, ui::IntToStr(legDarts));

  RecordRow = r + n + 6;
  highestRecordRow_ = std::max(highestRecordRow_, RecordRow);
}

void TForm_501d::AskChooser() {
  if (Form_kontr) {
    Form_kontr->SetItems(Panel7->text(), Panel8->text());
    Form_kontr->ShowModal();
  }
  BitBtn4->setFocus();
}

// ---------------------------------------------------------------------------
// Leaving and the export

void TForm_501d::BitBtn1Click() {
  ui::RunHandler([&] {
    if (PanelNumber(Panel42) == 0 && PanelNumber(Panel43) == 0) {  // no leg finished yet
      if (gamekit::ExitYesNoDialog() == ui::mrYes) Close();
      if (MaskEdit1->isEnabled()) FocusScoreField();
      return;
    }
    gamekit::ExitSteps steps;  // the match writes no statistics file
    steps.exportToSpreadsheet = [this] { return LegsPlayed <= 0 || BitBtn12Click(); };
    steps.close = [this] { Close(); };
    gamekit::ExitWithQuestion(steps);
  });
}

bool TForm_501d::BitBtn12Click() {
  const int rows = RecordRow;
  const int cols = static_cast<int>(kSheetWidths.size());
  gamekit::SheetBlock block;
  block.lastRow = rows + 8;
  block.lastCol = cols;
  block.highRow = rows + 7;
  block.highCol = cols;
  // Record row k goes to sheet row k + 2, the band summary below the record.
  block.fill = [&](automation::VariantArray& data) {
    gamekit::CopyGridBlock(data, 1, 0, *StringGrid3, 0, rows + 1, 0, cols);
    for (int b = 0; b < darts::kBandCount; ++b) {
      const QString title = Text(kBandTitles[b]);
      data.Set(rows + 1 + b, 0, title);
      data.Set(rows + 1 + b, 1, side1_.bands[b]->text());
      data.Set(rows + 1 + b, 8, title);
      data.Set(rows + 1 + b, 9, side2_.bands[b]->text());
    }
  };
  // The row above the first of each leg block names player 1 and is coloured,
  // and so is the row closing the last block.
  block.format = [&](automation::Worksheet& sheet) {
    gamekit::ColumnWidths(sheet, 1, kSheetWidths);
    const QString name1 = Panel7->text().trimmed();
    for (int k = 0; k <= rows + 1; ++k) {
      if (k >= 1 && StringGrid3->Cell(1, k - 1).trimmed() == name1) {
        gamekit::FillColour(sheet, k + 1, 1, k + 1, cols, kNameColour);
      }
      if (k + 1 == rows) gamekit::FillColour(sheet, rows + 1, 1, rows + 1, cols, kClosingRowColour);
    }
    automation::Range all = sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(block.lastRow, cols));
    all.Font().Size(16);
    all.Font().Bold(true);
    all.HorizontalAlignment(automation::xlCenter);
    all.VerticalAlignment(automation::xlCenter);
  };
  return gamekit::ExportBlock(block);
}

// The box shows whether the camera runs: a camera that cannot start leaves it
// cleared. The keyboard goes back to the game.
void TForm_501d::CheckBox1Click() {
  ui::RunHandler([&] { CheckBox1->setChecked(Video.Switch(CheckBox1->isChecked())); });
  RestFocus();
}

// The chain has switched itself off: the box follows, then the player is told.
void TForm_501d::VideoFailed(const QString& message) {
  CheckBox1->setChecked(false);
  ui::MessageDlg(message, ui::mtError, ui::mbOK);
  RestFocus();
}

// Nothing runs behind the hidden window: leaving it switches the camera off.
void TForm_501d::FormClose() {
  Video.Switch(false);
  CheckBox1->setChecked(false);
}
