#include "games/nabor.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "automation/Excel.h"
#include "darts/SectorVisits.h"
#include "gamekit/GameWindow.h"
#include "gamekit/GridExport.h"
#include "games/GameFocus.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"

TForm_n* Form_n = nullptr;

namespace {

const char* const kOutOfRange = "Внимание!!! Недопустимое значение. Введите число от 0 до 180 ";
const char* const kNothingToUndo = "НУ ПИПЕЦ... Тогда начинай новую игру!!!";

constexpr int kRounds = 21;      // sectors 1..20 and the Bull
constexpr int kScorePanel = 21;  // the score of round n is panel n + 21
constexpr int kSumPanel = 44;
constexpr int kGameCols = 27;  // per-game table: date, game, 21 rounds, sum, 3 averages
constexpr int kFileCols = 28;  // one empty cell past the table on every line
constexpr int kSumCol = 23;
constexpr int kRunningCol = 26;
constexpr int kResultRows = 120;
const QColor kLime(0, 255, 0);
const QColor kBlack(0, 0, 0);

QStringList GameHeaders() {
  QStringList h = {"Дата и Время", "Игра"};
  for (int s = 1; s <= 20; ++s) h << QString::number(s);
  h << "Bull"
    << "Сумма"
    << "Ср. на 1"
    << "Ср. на 3"
    << "Ср. набор(нарастающий)";
  return h;
}

}  // namespace

TForm_n::TForm_n(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  for (int n = 1; n <= kPanels; ++n) {
    panels_[n] = findChild<QLabel*>(QStringLiteral("Panel%1").arg(n));
    if (panels_[n] && panels_[n]->property("Color").isValid()) {
      SetPanelColor(n, QColor(panels_[n]->property("Color").toString()));
    }
  }
  InitForm();
  gamekit::InfoBackground(*StringGrid2);
  games::TabFocusButtons(*this);
  keys_ = gamekit::FunctionKeyMap{{ui::VK_F10, {BitBtn4}}, {ui::VK_F5, {BitBtn3}}, {ui::VK_F7, {BitBtn1}}};
  connect(Edit1, &ui::TMaskEdit::PasteRefused, this, [this] { gamekit::RefuseEntry(Edit1, kOutOfRange); });
}

QLabel* TForm_n::Panel(int n) const { return n >= 1 && n <= kPanels ? panels_[n] : nullptr; }

QColor TForm_n::PanelColor(int n) const {
  QLabel* p = Panel(n);
  return p ? QColor(p->property("Color").toString()) : QColor();
}

void TForm_n::SetPanelColor(int n, const QColor& colour) {
  QLabel* p = Panel(n);
  if (!p) return;
  p->setProperty("Color", colour.name());
  p->setStyleSheet(
      QStringLiteral("background-color: %1; color: %2;").arg(colour.name(), p->property("FontColor").toString()));
}

// ---------------------------------------------------------------------------
// Opening, keys, new game

void TForm_n::FormCreate() {
  GroupBox2->setVisible(true);
  GroupBox1->setVisible(true);
  AllGamesSum = 0;
}

void TForm_n::FormShow() {
  NoCloseSystemMenu();
  const int last = std::max(kResultRows, highestResultRow_);
  gamekit::ClearCells(*StringGrid2, 0, last, 0, 3);
  highestResultRow_ = 0;
  BitBtn1->setEnabled(true);
  GamesPlayed = 0;
  BitBtn1->setFocus();
  AllGamesSum = 0;
  GroupBox2->setVisible(true);
  GroupBox1->setVisible(true);
}

void TForm_n::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);
}

void TForm_n::BitBtn1Click() {
  RoundsPlayed = 0;
  GroupBox2->setEnabled(true);
  GroupBox2->setVisible(true);
  GroupBox1->setEnabled(true);
  BitBtn5->setEnabled(false);
  Panel(kSumPanel)->setText(QStringLiteral("0"));
  gamekit::ClearAndFocus(Edit1);
  SetPanelColor(1, kLime);
  Panel(1)->setVisible(true);
  Panel(43)->setVisible(true);
  Panel(45)->setVisible(true);
  Panel(48)->setVisible(false);
  Panel(49)->setVisible(false);
  for (int n = 2; n <= 42; ++n) Panel(n)->setVisible(false);
}

// ---------------------------------------------------------------------------
// Visits and undo

void TForm_n::Edit1KeyPress(int key) {
  if (key == ui::VK_RETURN) BitBtn2Click();
}

void TForm_n::BitBtn2Click() {
  gamekit::TakeEntry(Edit1, [this] { TakeVisit(); });
}

void TForm_n::TakeVisit() {
  if (RoundsPlayed >= kRounds) return;
  auto refuse = [this](const char* message) { gamekit::RefuseEntry(Edit1, message); };
  const QString typed = Edit1->Text();
  const QString trimmed = typed.trimmed();
  if (trimmed.isEmpty()) return refuse(kOutOfRange);
  const int entered = ui::StrToInt(trimmed);  // "1 2" raises the conversion error
  if (entered > 180 || entered < 0) return refuse(kOutOfRange);
  Edit1->SetText(darts::LeadingZeroRule(typed));
  const QString shown = Edit1->Text().trimmed();
  const int v = ui::StrToInt(shown);
  const int n = RoundsPlayed + 1;
  if (!darts::IsSectorVisit(n == kRounds ? darts::kBullSector : n, v)) return refuse(gamekit::kNotInSectorText);

  RoundsPlayed = n;
  if (n == 10) {
    Panel(48)->setVisible(true);
    Panel(49)->setVisible(true);
  }
  BitBtn3->setEnabled(true);
  Panel(kSumPanel)->setText(ui::IntToStr(ui::StrToInt(Panel(kSumPanel)->text()) + v));
  Edit1->setFocus();
  SetPanelColor(n, kBlack);
  Panel(n + kScorePanel)->setVisible(true);
  Panel(n + kScorePanel)->setText(shown);
  Panel(n + 1)->setVisible(true);
  if (n < kRounds) SetPanelColor(n + 1, kLime);
  if (n == kRounds) GameEnd();
  Edit1->Clear();
}

void TForm_n::GameEnd() {
  GamesPlayed += 1;
  const int g = GamesPlayed;
  GroupBox2->setEnabled(false);
  BitBtn3->setEnabled(false);
  BitBtn5->setEnabled(true);
  BitBtn1->setEnabled(true);
  if (g == 1) {
    const QStringList headers = GameHeaders();
    for (int c = 0; c < kGameCols; ++c) StringGrid1->SetCell(c, 0, headers[c]);
  }
  StringGrid1->SetCell(0, g, gamekit::DatedNow());
  StringGrid1->SetCell(1, g, ui::IntToStr(g));
  float sum = 0;
  for (int s = 1; s <= kRounds; ++s) {
    const QString score = Panel(s + kScorePanel)->text();
    StringGrid1->SetCell(s + 1, g, score);
    sum += static_cast<float>(ui::StrToInt(score));
  }
  AllGamesSum += sum;
  const float games = static_cast<float>(g);
  StringGrid1->SetCell(kSumCol, g, ui::FloatToStr(sum));
  StringGrid1->SetCell(24, g, gamekit::TwoDecimals(sum / 63));
  StringGrid1->SetCell(25, g, gamekit::TwoDecimals(sum / 21));
  StringGrid1->SetCell(kRunningCol, g, gamekit::TwoDecimals(AllGamesSum / games));
  StringGrid2->SetCell(1, 0, gamekit::TwoDecimals(AllGamesSum / games));
  StringGrid2->SetCell(2, 0, gamekit::TwoDecimals(AllGamesSum / (63 * games)));
  StringGrid2->SetCell(3, 0, gamekit::TwoDecimals(AllGamesSum / (21 * games)));
  StringGrid2->SetCell(0, g, ui::IntToStr(g));
  StringGrid2->SetCell(1, g, ui::FloatToStr(sum));
  StringGrid2->SetCell(2, g, gamekit::TwoDecimals(sum / 63));
  StringGrid2->SetCell(3, g, gamekit::TwoDecimals(sum / 21));
  highestResultRow_ = std::max(highestResultRow_, g);
  // Not on "- Новая игра": an Enter or Space after the last visit does nothing.
  games::RestFocus(*this);
}

void TForm_n::BitBtn3Click() {
  ui::RunHandler([&] {
    if (RoundsPlayed < 1) {
      gamekit::RefuseEntry(Edit1, kNothingToUndo);
      return;
    }
    const int n = RoundsPlayed;
    QLabel* score = Panel(n + kScorePanel);
    Panel(kSumPanel)->setText(ui::IntToStr(ui::StrToInt(Panel(kSumPanel)->text()) - ui::StrToInt(score->text())));
    score->setText(QStringLiteral("0"));
    score->setVisible(false);
    SetPanelColor(n + 1, kBlack);
    Panel(n + 1)->setVisible(false);
    SetPanelColor(n, kLime);
    RoundsPlayed = n - 1;
    gamekit::ClearAndFocus(Edit1);
  });
}

// ---------------------------------------------------------------------------
// Leaving: summary, statistics file, exit question, export

void TForm_n::FillSummary() {
  const int g = GamesPlayed;
  gamekit::ClearCells(*StringGrid3, 0, 1, 0, kFileCols - 1);
  StringGrid3->SetCell(0, 0, QStringLiteral("Сумма по сектору"));
  StringGrid3->SetCell(0, 1, QStringLiteral("Средняя по секторам и набору"));
  for (int c = 2; c <= kRunningCol; ++c) {
    float total = 0;
    for (int r = 1; r <= g; ++r) total += static_cast<float>(ui::StrToFloat(StringGrid1->Cell(c, r)));
    if (c <= kSumCol) StringGrid3->SetCell(c, 0, ui::FloatToStr(total));
    if (c < kRunningCol) StringGrid3->SetCell(c, 1, gamekit::TwoDecimals(total / static_cast<float>(g)));
  }
}

bool TForm_n::WriteStatisticsFile() {
  gamekit::StatisticsFile file(QStringLiteral("br"));
  gamekit::AddGridRows(file, *StringGrid1, 0, GamesPlayed, 0, kFileCols - 1);
  gamekit::AddGridRows(file, *StringGrid3, 0, 1, 0, kFileCols - 1);
  return file.Write();
}

void TForm_n::HideRoundPanels() {
  for (int n = 1; n <= 42; ++n) Panel(n)->setVisible(false);
  for (int n : {43, 45, 48, 49}) Panel(n)->setVisible(false);
  for (int n = 22; n <= 42; ++n) Panel(n)->setText(QStringLiteral("0"));
}

void TForm_n::ResetAndClose() {
  Panel(kSumPanel)->setText(QStringLiteral("0"));
  GroupBox2->setEnabled(false);
  BitBtn5->setEnabled(false);
  BitBtn3->setEnabled(false);
  BitBtn1->setEnabled(true);
  HideRoundPanels();
  Close();
}

void TForm_n::BitBtn4Click() {
  ui::RunHandler([&] {
    const int g = GamesPlayed;
    if (g <= 0) {
      ResetAndClose();
      return;
    }
    FillSummary();
    gamekit::ExitSteps steps;
    steps.writeFile = [this] { return WriteStatisticsFile(); };
    steps.exportToSpreadsheet = [this, g] {
      // The summary rows follow the games in the exported table; the game
      // number column stays empty there, whatever an earlier showing left.
      for (int r = 0; r <= 1; ++r) {
        for (int c = 0; c < kFileCols; ++c) StringGrid1->SetCell(c, g + 1 + r, StringGrid3->Cell(c, r));
      }
      return BitBtn5Click();
    };
    steps.close = [this] { ResetAndClose(); };
    gamekit::ExitWithQuestion(steps);
  });
}

bool TForm_n::BitBtn5Click() {
  const int g = GamesPlayed;
  gamekit::SheetBlock block;
  block.lastRow = g + 3;
  block.lastCol = kGameCols;
  block.highRow = g + 3;
  block.highCol = kFileCols - 1;
  block.fill = [this, g](automation::VariantArray& data) {
    gamekit::CopyGridBlock(data, 0, 0, *StringGrid1, 0, g + 2, 0, kFileCols - 1);
  };
  block.format = [g](automation::Worksheet& sheet) {
    std::vector<double> widths = {35, 5};  // A date and time, B game
    widths.insert(widths.end(), 20, 4);    // C..V the sectors 1..20
    widths.insert(widths.end(), 4, 8);     // W Bull, X sum, Y, Z averages
    widths.push_back(24);                  // AA running average
    gamekit::ColumnWidths(sheet, 1, widths);
    gamekit::FillColour(sheet, 1, 1, 1, kGameCols, 35);  // the headers
    gamekit::FillColour(sheet, 2, 1, g + 3, 1, 33);      // the first column below
  };
  return gamekit::ExportBlock(block);
}

void TForm_n::FormClose() {
  Panel(kSumPanel)->setText(QStringLiteral("0"));
  GroupBox2->setEnabled(false);
  GroupBox1->setEnabled(false);
  Panel(1)->setVisible(false);
  BitBtn1->setEnabled(true);
  BitBtn3->setEnabled(false);
  HideRoundPanels();
}
