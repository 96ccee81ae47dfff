#include "games/form_60.h"

#include <algorithm>
#include <memory>

#include "automation/Excel.h"
#include "darts/Game60Rules.h"
#include "gamekit/GameWindow.h"
#include "gamekit/GridExport.h"
#include "games/GameFocus.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"

TForm60* Form60 = nullptr;

namespace {

const char* const kLogTitles[] = {"Подход", "Очки", "Закрыл", "Каким дротиком"};
const char* const kBadLimit = "Внимание!!! Недопустимое значение. Введите число от 8 до 999 ";
const char* const kLost = "Игра окончена! Да... надо что-то менять!!!";
const char* const kFirstRoute = "20 D20";
const std::vector<double> kSheetWidths = {8, 8, 8, 16};

constexpr int kCols = 4;
constexpr int kSheetRows = 200;  // the grids' own rows; later rows are kept too
constexpr int kLogRows = 2000;

using gamekit::Text;

}  // namespace

TForm60::TForm60(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
  gamekit::InfoBackground(*StringGrid1);
  games::TabFocusButtons(*this);
  keys_ = gamekit::FunctionKeyMap{
      {ui::VK_F10, {BitBtn6}}, {ui::VK_F1, {BitBtn3}}, {ui::VK_F2, {BitBtn4}}, {ui::VK_F3, {BitBtn5}},
      {ui::VK_F4, {BitBtn7}},  {ui::VK_F7, {BitBtn1}}, {ui::VK_F8, {BitBtn2}},
  };
  connect(MaskEdit1, &ui::TMaskEdit::PasteRefused, this, [this] { RefuseLimit(); });
}

void TForm60::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);  // the key still reaches the focused control
}

// ---------------------------------------------------------------------------
// The target panel, the route and the button rules

int TForm60::Target() const { return ui::StrToInt(Panel1->text()); }

void TForm60::SetTarget(int target) { Panel1->setText(ui::IntToStr(target)); }

void TForm60::ShowRoute() { Panel2->setText(StringGrid2->Cell(1, Target())); }

void TForm60::ApplyFirstDartRule() { BitBtn3->setEnabled(darts::Game60FirstDartOffered(Target())); }

void TForm60::ApplySecondDartRule() { BitBtn4->setEnabled(darts::Game60SecondDartOffered(Target())); }

void TForm60::FillCheckoutTable() {
  for (int t = darts::kGame60FirstRoute; t <= darts::kGame60LastRoute; ++t) {
    StringGrid2->SetCell(0, t, ui::IntToStr(t));
    StringGrid2->SetCell(1, t, darts::Game60Route(t));
  }
}

// ---------------------------------------------------------------------------
// Visit limit

bool TForm60::LimitPending() const { return CheckBox1->isChecked() && !limitAccepted_; }

// Only a limit that was accepted counts; one still being typed does not.
bool TForm60::LimitReached(int visits) const {
  if (!CheckBox1->isChecked() || !limitAccepted_) return false;
  bool ok = false;
  const int limit = MaskEdit1->Text().trimmed().toInt(&ok);
  return ok && limit <= visits;
}

// The scoring buttons: usable while a game runs and no limit waits to be
// accepted; "1" and "2" also follow their rules.
void TForm60::SetScoringButtons(bool on) {
  const bool usable = on && gameRunning_;
  BitBtn2->setEnabled(usable);
  BitBtn5->setEnabled(usable);
  BitBtn7->setEnabled(usable);
  if (usable) {
    ApplyFirstDartRule();
    ApplySecondDartRule();
  } else {
    BitBtn3->setEnabled(false);
    BitBtn4->setEnabled(false);
  }
}

void TForm60::CheckBox1Click() {
  const bool on = CheckBox1->isChecked();
  Label3->setVisible(on);
  MaskEdit1->setVisible(on);
  BitBtn9->setVisible(on);
  if (on) {
    Label3->setEnabled(true);
    MaskEdit1->setEnabled(true);
    BitBtn9->setEnabled(true);
    SetScoringButtons(false);
    MaskEdit1->setFocus();
    MaskEdit1->selectAll();  // typing replaces the text
  } else {
    SetScoringButtons(true);
  }
}

void TForm60::BitBtn9Click() {
  const QString typed = MaskEdit1->Text().trimmed();
  bool ok = false;
  const int limit = typed.toInt(&ok);  // blanks between the digits do not read as a number
  if (typed.isEmpty() || !ok || !darts::Game60LimitAccepted(limit)) return RefuseLimit();
  limitAccepted_ = true;
  for (QWidget* w : {static_cast<QWidget*>(Label3), static_cast<QWidget*>(MaskEdit1), static_cast<QWidget*>(BitBtn9),
                     static_cast<QWidget*>(CheckBox1), static_cast<QWidget*>(Label10)}) {
    w->setEnabled(false);
  }
  SetScoringButtons(true);
  games::RestFocus(*this);
}

// A refused limit: the message, then the field reads "50", selected, so that
// typing replaces it.
void TForm60::RefuseLimit() {
  ui::ShowMessage(Text(kBadLimit));
  MaskEdit1->SetText(QStringLiteral("50"));
  MaskEdit1->setFocus();
  MaskEdit1->selectAll();
}

void TForm60::MaskEdit1KeyPress(int key) {
  if (key == ui::VK_RETURN) BitBtn9Click();
}

// ---------------------------------------------------------------------------
// Creation, showing, closing, new game

void TForm60::FreshGame() {
  VisitNumber = 1;
  SetTarget(darts::kGame60Start);
  Panel2->setText(Text(kFirstRoute));
  Panel1->setEnabled(true);
  BitBtn1->setEnabled(false);
  BitBtn3->setEnabled(false);
  gameRunning_ = true;
  SetScoringButtons(!LimitPending());
}

// The state every opening starts from: the limit free to be chosen again and
// a new game at 60 with an empty sheet.
void TForm60::FreshOpening() {
  CheckBox1->setEnabled(true);
  CheckBox1->setChecked(false);  // hides the limit entry when it was shown
  Label10->setEnabled(true);
  Label3->setVisible(false);
  MaskEdit1->setVisible(false);
  BitBtn9->setVisible(false);
  FreshGame();
  ClearSheet();
}

void TForm60::FormCreate() { FreshOpening(); }

void TForm60::FormShow() {
  NoCloseSystemMenu();
  limitAccepted_ = false;
  FreshOpening();
  ClearLog();
  for (int c = 0; c < kCols; ++c) StringGrid3->SetCell(c, 0, Text(kLogTitles[c]));
  GamesPlayed = 0;
  HistoryRow = 1;
  FillCheckoutTable();
  games::RestFocus(*this);
}

void TForm60::FormClose() {
  SetTarget(darts::kGame60Start);
  Panel1->setEnabled(true);
  BitBtn2->setEnabled(true);
  BitBtn4->setEnabled(true);
  BitBtn5->setEnabled(true);
  ClearSheet();
}

void TForm60::ClearSheet() {
  gamekit::ClearCells(*StringGrid1, 0, std::max(kSheetRows - 1, highestVisitRow_), 0, kCols - 1);
  highestVisitRow_ = 0;
  StringGrid1->setRowCount(kSheetRows);
}

void TForm60::ClearLog() {
  gamekit::ClearCells(*StringGrid3, 0, std::max(kLogRows - 1, highestLogRow_), 0, kCols - 1);
  highestLogRow_ = 0;
}

void TForm60::BitBtn1Click() {
  FreshGame();
  BitBtn8->setEnabled(false);
  ClearSheet();
  if (LimitPending()) {
    MaskEdit1->setFocus();
  } else {
    games::RestFocus(*this);
  }
}

// ---------------------------------------------------------------------------
// Visits

void TForm60::BitBtn3Click() { Closed(QStringLiteral("1"), 10); }
void TForm60::BitBtn4Click() { Closed(QStringLiteral("2"), 10); }
void TForm60::BitBtn5Click() { Closed(QStringLiteral("3"), 10); }
void TForm60::BitBtn7Click() { Closed(QStringLiteral("3"), 1); }

// Row VisitNumber - 1 of the visit sheet: the visit, the target before it,
// closed or not, and the dart that closed it ("0" when not closed).
void TForm60::WriteVisitRow(const QString& closed, const QString& dart) {
  const int row = VisitNumber - 1;
  highestVisitRow_ = std::max(highestVisitRow_, row);
  if (row >= StringGrid1->RowCount()) StringGrid1->setRowCount(row + 1);
  StringGrid1->SetCell(0, row, ui::IntToStr(VisitNumber));
  StringGrid1->SetCell(1, row, Panel1->text());
  StringGrid1->SetCell(2, row, closed);
  StringGrid1->SetCell(3, row, dart);
  StringGrid1->SetRow(row);
}

void TForm60::Closed(const QString& dart, int step) {
  if (!gameRunning_) return;
  WriteVisitRow(QStringLiteral("Да"), dart);

  const bool firstDart = dart == QStringLiteral("1");
  SetTarget(Target() + step);
  VisitNumber += 1;
  ApplyFirstDartRule();
  if (!firstDart) ApplySecondDartRule();  // after "1" the target is at most 60

  const bool canPassTheTop = step == 1 || dart == QStringLiteral("3");
  if ((canPassTheTop && Target() >= darts::kGame60Highest) || LimitReached(VisitNumber - 1)) EndGame(VisitNumber - 1);
  ShowRoute();
  if (gameRunning_) games::RestFocus(*this);
}

void TForm60::BitBtn2Click() {
  if (!gameRunning_) return;
  WriteVisitRow(QStringLiteral("Нет"), QStringLiteral("0"));

  SetTarget(Target() - 1);
  ApplySecondDartRule();
  ApplyFirstDartRule();
  if (Target() == darts::kGame60Lowest || LimitReached(VisitNumber)) EndGame(VisitNumber, true);
  ShowRoute();
  VisitNumber += 1;
  if (gameRunning_) games::RestFocus(*this);
}

// The game's block goes into the log; a lost game is told while the target
// it ended on is still shown; then the window waits for a new game.
void TForm60::EndGame(int visits, bool lost) {
  GamesPlayed += 1;
  StringGrid3->SetCell(3, HistoryRow, QStringLiteral("Игра - ") + ui::IntToStr(GamesPlayed));
  for (int r = 0; r < visits; ++r) {
    for (int c = 0; c < kCols; ++c) StringGrid3->SetCell(c, HistoryRow + 1 + r, StringGrid1->Cell(c, r));
  }
  HistoryRow += visits + 1;
  highestLogRow_ = std::max(highestLogRow_, HistoryRow);
  gameRunning_ = false;
  for (QWidget* b : {BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn7}) b->setEnabled(false);
  if (lost) ui::ShowMessage(Text(kLost));

  SetTarget(darts::kGame60Start);
  Panel1->setEnabled(false);
  BitBtn1->setEnabled(true);
  BitBtn8->setEnabled(true);
  BitBtn1->setFocus();
}

// ---------------------------------------------------------------------------
// Leaving

void TForm60::ExitReset() {
  SetTarget(darts::kGame60Start);
  Panel1->setEnabled(true);
  for (QWidget* b : {BitBtn2, BitBtn4, BitBtn5, BitBtn7}) b->setEnabled(true);
  ClearSheet();
  ClearLog();
}

bool TForm60::WriteStatisticsFile() {
  return gamekit::WriteGridFile(QStringLiteral("60"), true, nullptr, *StringGrid3, 0, HistoryRow, kCols - 1);
}

void TForm60::BitBtn6Click() {
  if (GamesPlayed < 1) {  // no game finished since the window was shown
    if (gamekit::ExitYesNoDialog() == ui::mrYes) Close();
    return;
  }
  gamekit::LeaveWithQuestion(
      *this, [this] { return WriteStatisticsFile(); }, [this] { return BitBtn8Click(); }, [this] { ExitReset(); });
}

bool TForm60::BitBtn8Click() {
  // Log rows 0..HistoryRow - 1, the column titles in row 1 of the sheet.
  gamekit::SheetBlock block;
  block.lastRow = HistoryRow;
  block.lastCol = kCols;
  block.highRow = HistoryRow - 1;
  block.highCol = kCols - 1;
  block.fill = [this](automation::VariantArray& data) {
    gamekit::CopyGridBlock(data, 0, 0, *StringGrid3, 0, HistoryRow - 1, 0, kCols - 1);
  };
  block.format = gamekit::HeadedTable(kSheetWidths, kCols);
  return gamekit::ExportBlock(block);
}
