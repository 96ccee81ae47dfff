#include "games/sector.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QPushButton>
#include <algorithm>

#include "automation/Excel.h"
#include "darts/SectorVisits.h"
#include "gamekit/GameWindow.h"
#include "gamekit/GridExport.h"
#include "games/GameFocus.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"

TFormsector* Formsector = nullptr;

namespace {

const char* const kEmpty = "Внимание!!! Недопустимое значение.";
const char* const kListOpen = "Выберите сектор и нажмите Ok !";
const char* const kFileHeader = "Сектор;Сумма;Средний на 1 дротик;Средний набор;";

constexpr int kVisits = 10;
constexpr int kSheetCols = 5;
constexpr int kSummaryCols = 4;
constexpr int kSummaryRowsCleared = 100;

using gamekit::Text;

}  // namespace

TFormsector::TFormsector(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
  games::TabFocusButtons(*this);
  keys_ = gamekit::FunctionKeyMap{{ui::VK_F10, {BitBtn2}}, {ui::VK_F4, {BitBtn1}}};
  connect(MaskEdit1, &ui::TMaskEdit::PasteRefused, this, [this] { gamekit::RefuseEntry(MaskEdit1, kEmpty); });
  // The dropped-down list has the keyboard in a window of its own; its keys
  // come here first, so that the function keys act there too.
  ComboBox1->view()->installEventFilter(this);
}

bool TFormsector::eventFilter(QObject* watched, QEvent* e) {
  const QEvent::Type type = e->type();
  if ((type == QEvent::KeyPress || type == QEvent::ShortcutOverride) && watched == ComboBox1->view()) {
    auto* ke = static_cast<QKeyEvent*>(e);
    const int key = ui::VirtualKeyOf(*ke);
    if (key >= ui::VK_F1 && key <= ui::VK_F12) {
      // F4 would close the list before it is pressed: it is let through as
      // a key, which the window's keys act on.
      if (type == QEvent::ShortcutOverride) return ke->accept(), true;
      if (keys_.Handle(key)) return true;
    }
  }
  return ui::TForm::eventFilter(watched, e);
}

void TFormsector::FormShow() {
  NoCloseSystemMenu();
  MaskEdit1->setEnabled(false);
  BitBtn3->setEnabled(false);
  BitBtn1->setEnabled(true);
  ComboBox1->setEnabled(true);
  ComboBox1->setCurrentIndex(0);
  BitBtn1->setFocus();
}

void TFormsector::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);
}

void TFormsector::ComboBox1Select() {
  BitBtn3->setEnabled(false);
  MaskEdit1->setEnabled(false);
  BitBtn1->setEnabled(true);
  BitBtn1->setFocus();
}

void TFormsector::BitBtn1Click() {
  ui::RunHandler([&] {
    if (ComboBox1->view() && ComboBox1->view()->isVisible()) {
      ui::ShowMessage(Text(kListOpen));
      return;
    }
    const QString chosen = ComboBox1->currentText().trimmed();
    if (chosen == QStringLiteral("Булл")) {
      SectorName = QStringLiteral("BULL");
      SectorValue = darts::kBullSector;
    } else {
      SectorName = chosen;
      SectorValue = ui::StrToInt(chosen);
    }
    BitBtn1->setEnabled(false);
    BitBtn4->setEnabled(false);
    VisitCounter = 1;
    SectorSum = 0;
    DartAverage = 0;
    VisitAverage = 0;
    Panel1->setText(QStringLiteral("1"));
    Panel2->setText(QStringLiteral("0"));
    Label13->setEnabled(true);
    MaskEdit1->setEnabled(true);
    BitBtn3->setEnabled(true);
    StringGrid1->SetCell(2, 0, QStringLiteral("Сектор"));
    StringGrid1->SetCell(3, 0, SectorName);
    ComboBox1->setEnabled(false);
    gamekit::ClearCells(*StringGrid1, 1, kVisits, 0, kSheetCols - 1);
    gamekit::ClearAndFocus(MaskEdit1);
  });
}

void TFormsector::MaskEdit1KeyPress(int key) {
  if (key == ui::VK_RETURN) BitBtn3Click();
}

void TFormsector::BitBtn3Click() {
  gamekit::TakeEntry(MaskEdit1, [this] { TakeVisit(); });
}

void TFormsector::TakeVisit() {
  if (VisitCounter > kVisits) return;  // the series is complete
  const QString typed = MaskEdit1->Text().trimmed();
  if (typed.isEmpty()) return gamekit::RefuseEntry(MaskEdit1, kEmpty);
  const int score = ui::StrToInt(typed);  // "1 2" raises the conversion error
  if (!darts::IsSectorVisit(SectorValue, score)) return gamekit::RefuseEntry(MaskEdit1, gamekit::kNotInSectorText);

  VisitScore = static_cast<float>(score);
  SectorSum += score;
  gamekit::ClearAndFocus(MaskEdit1);
  const int row = static_cast<int>(VisitCounter);
  StringGrid1->SetCell(0, row, ui::FloatToStr(VisitCounter));
  StringGrid1->SetCell(1, row, ui::FloatToStr(VisitScore));
  StringGrid1->SetCell(2, row, ui::IntToStr(SectorSum));
  DartAverage = static_cast<float>(SectorSum) / (VisitCounter * 3);
  VisitAverage = static_cast<float>(SectorSum) / VisitCounter;
  StringGrid1->SetCell(3, row, gamekit::TwoDecimals(DartAverage));
  StringGrid1->SetCell(4, row, gamekit::TwoDecimals(VisitAverage));
  Panel2->setText(ui::IntToStr(SectorSum));
  VisitCounter += 1;
  Panel1->setText(ui::FloatToStr(VisitCounter));

  if (static_cast<int>(VisitCounter) == kVisits + 1) {
    Panel1->clear();
    Label13->setEnabled(false);
    MaskEdit1->setEnabled(false);
    BitBtn3->setEnabled(false);
    BitBtn4->setEnabled(true);
    BitBtn1->setEnabled(true);
    StringGrid2->SetCell(0, SummaryRow, SectorName);
    StringGrid2->SetCell(1, SummaryRow, ui::IntToStr(SectorSum));
    StringGrid2->SetCell(2, SummaryRow, gamekit::TwoDecimals(DartAverage));
    StringGrid2->SetCell(3, SummaryRow, gamekit::TwoDecimals(VisitAverage));
    ComboBox1->setCurrentIndex(0);
    ComboBox1->setEnabled(true);
    BitBtn1->setFocus();
    SummaryRow += 1;
  }
}

// ---------------------------------------------------------------------------
// Leaving: statistics file, exit question, export

bool TFormsector::WriteStatisticsFile() {
  return gamekit::WriteGridFile(QStringLiteral("10"), true, kFileHeader, *StringGrid2, 0, SummaryRow, kSummaryCols - 1);
}

void TFormsector::ResetAndClose() {
  gamekit::ClearCells(*StringGrid1, 0, kVisits, 0, kSheetCols - 1);
  gamekit::ClearCells(*StringGrid2, 0, std::max(kSummaryRowsCleared - 1, SummaryRow), 0, kSummaryCols - 1);
  Panel1->setText(QStringLiteral("1"));
  Panel2->setText(QStringLiteral("0"));
  MaskEdit1->Clear();
  SummaryRow = 0;
  ComboBox1->setCurrentIndex(0);
  Close();
}

void TFormsector::BitBtn2Click() {
  ui::RunHandler([&] {
    if (gamekit::NothingRecorded(*StringGrid2, 0, 0)) {  // no series finished
      ResetAndClose();
      return;
    }
    gamekit::ExitSteps steps;
    steps.writeFile = [this] { return WriteStatisticsFile(); };
    steps.exportToSpreadsheet = [this] { return BitBtn4Click(); };
    steps.close = [this] { ResetAndClose(); };
    gamekit::ExitWithQuestion(steps);
  });
}

bool TFormsector::BitBtn4Click() {
  gamekit::SheetBlock block;
  block.lastRow = SummaryRow + 1;
  block.lastCol = kSummaryCols;
  block.highRow = SummaryRow + 1;
  block.highCol = kSummaryCols;
  block.fill = [this](automation::VariantArray& data) {
    const char* const headings[] = {"Сектор", "Сумма", "Средний на 1 дротик", "Средний набор"};
    for (int c = 0; c < kSummaryCols; ++c) data.Set(0, c, Text(headings[c]));
    gamekit::CopyGridBlock(data, 1, 0, *StringGrid2, 0, SummaryRow - 1, 0, kSummaryCols);
  };
  block.format = [](automation::Worksheet& sheet) {
    gamekit::ColumnWidths(sheet, 1, {8, 8, 20, 14});
    gamekit::FillColour(sheet, 1, 1, 1, kSummaryCols, 35);
  };
  return gamekit::ExportBlock(block);
}
