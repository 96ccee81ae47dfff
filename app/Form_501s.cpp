#include "app/Form_501s.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "app/Kalvern.h"
#include "automation/Excel.h"
#include "darts/DartsRules.h"
#include "darts/SoloSuggestions.h"
#include "gamekit/GameWindow.h"
#include "gamekit/GridExport.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"

TForm_501_s* Form_501_s = nullptr;

namespace {

const char* const kOutOfRange = "Внимание!!! Недопустимое значение. Введите число от 0 до 180 ";
const char* const kImpossible = "Внимание!!! Недопустимое значение в дартс.";
const char* const kAboveRemainder = "Внимание!!! Недопустимое значение. Введеное число больше остатка.";
const char* const kNoFinish = "Перебор! Надо вводит значение 0. Будте внимательным.";
const char* const kBustAtOne = "Перебор однако!!!";
const char* const kLegOver = "Игра окончена.";

const char* const kFileHeader =
    "Лег;Кол-во дротиков;На 1 дротик;Средний набор;Закрыл число;Каким дротиком;60 +;80 +;100 +;140 +;180;";

const char* const kSheetHeadings[] = {"Лег",          "Кол-во дротиков", "На 1 дротик", "Средний набор",
                                      "Закрыл число", "Каким дротиком",  "60 +",        "80 +",
                                      "100 +",        "140 +",           "180"};
const std::vector<double> kSheetWidths = {5, 17, 12, 14, 13, 17, 5, 5, 5, 5, 5};

// Visit sheet: 4 columns, rows 0..99 shown. Leg record: 11 columns.
constexpr int kVisitCols = 4;
constexpr int kLegCols = 11;
constexpr int kDisplayRows = 100;
constexpr int kSuggestionCols = 4;
// Leg record columns of the band counts: 60+, 80+, 100+, 140+, 180.
constexpr int kFirstBandCol = 6;

using gamekit::Text;

}  // namespace

TForm_501_s::TForm_501_s(QWidget* parent) : ui::TForm(parent) {
  Q_INIT_RESOURCE(solo);
  setupUi(this);
  InitForm();
  // A paste that is no visit is refused as a typed one is.
  connect(MaskEdit1, &ui::TMaskEdit::PasteRefused, this, [this] { gamekit::RefuseEntry(MaskEdit1, kOutOfRange); });
  sheetRows_ = StringGrid1->RowCount();
  keys_ = gamekit::FunctionKeyMap{
      {ui::VK_F10, {BitBtn3}}, {ui::VK_F1, {BitBtn5}}, {ui::VK_F2, {BitBtn6}},
      {ui::VK_F3, {BitBtn7}},  {ui::VK_F5, {BitBtn8}}, {ui::VK_F7, {BitBtn2}},
  };
}

int TForm_501_s::StartScoreOf(int itemIndex) {
  static const int kScores[] = {501, 301, 201, 170, 601, 701, 1001};
  if (itemIndex < 0 || itemIndex >= static_cast<int>(std::size(kScores))) return kScores[0];
  return kScores[itemIndex];
}

// ---------------------------------------------------------------------------
// Opening, game choice, keys

void TForm_501_s::FormShow() {
  NoCloseSystemMenu();

  ComboBox1->setEnabled(true);
  ComboBox1->setCurrentIndex(0);
  StartScore = 501;

  MaskEdit1->setEnabled(false);
  MaskEdit1->Clear();
  Band60 = Band80 = Band100 = Band140 = Band180 = 0;

  Panel8->setEnabled(true);
  Label27->setEnabled(true);
  Label21->setEnabled(false);
  BitBtn1->setEnabled(false);
  BitBtn2->setEnabled(true);
  BitBtn5->setEnabled(false);
  BitBtn6->setEnabled(false);
  BitBtn7->setEnabled(false);

  Edit2->setText(QStringLiteral("501"));
  Remainder = 501;
  LegNumber = 0;
  LegDarts = 0;
  Edit3->setText(QStringLiteral("0"));
  StringGrid1->SetCell(2, 0, QStringLiteral("501"));

  const QString totals[kLegCols] = {"", "Средн.", "", "", "", "Сумма", "0", "0", "0", "0", "0"};
  for (int c = 0; c < kLegCols; ++c) StringGrid2->SetCell(c, 0, totals[c]);

  const int lastRow = solo::kSuggestionRows - 1;  // 109
  for (int r = 1; r <= std::max(lastRow, highestVisitRow_); ++r) {
    for (int c = 0; c < kVisitCols; ++c) StringGrid1->SetCell(c, r, QString());
  }
  highestVisitRow_ = 0;
  FollowVisits(0);
  ClearLegRows(1);
  for (int r = 1; r <= lastRow; ++r) {
    for (int c = 0; c < kSuggestionCols; ++c) StringGrid3->SetCell(c, r, QString());
  }
  FillSuggestionTable();

  StringGrid1->Repaint();
  VisitCount = 0;
  // The last closing focused the score field, which is disabled now.
  ComboBox1->setFocus();
}

void TForm_501_s::FillSuggestionTable() {
  for (int i = 0; i < solo::kSuggestionRows; ++i) {
    StringGrid3->SetCell(0, i, ui::IntToStr(solo::kHighestSuggestion - i));
    StringGrid3->SetCell(1, i, solo::SuggestionRow(i));
  }
}

void TForm_501_s::ShowSuggestion(int remainder) {
  if (remainder >= solo::kLowestSuggestion && remainder <= solo::kHighestSuggestion) {
    Panel8->setText(StringGrid3->Cell(1, solo::kHighestSuggestion - remainder));
  } else {
    Panel8->clear();
  }
}

void TForm_501_s::ComboBox1Select() {
  StartScore = StartScoreOf(ComboBox1->currentIndex());
  Edit2->setText(ui::IntToStr(StartScore));
  Remainder = StartScore;
  LegNumber = 0;
  LegDarts = 0;
  StringGrid1->SetCell(2, 0, ui::IntToStr(StartScore));
}

void TForm_501_s::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);  // the key still reaches the focused control
}

void TForm_501_s::BitBtn4Click() {
  if (Form_kv) Form_kv->ShowModal();
  RestFocus();
}

void TForm_501_s::FocusScoreField() { gamekit::ClearAndFocus(MaskEdit1); }

void TForm_501_s::RestFocus() {
  if (MaskEdit1->isEnabled()) {
    MaskEdit1->setFocus();
  } else if (Label21->isEnabled()) {
    (BitBtn5->isEnabled() ? BitBtn5 : BitBtn6)->setFocus();
  } else if (ComboBox1->isEnabled()) {
    ComboBox1->setFocus();
  } else {
    setFocus();
  }
}

// ---------------------------------------------------------------------------
// Visits

void TForm_501_s::BitBtn1Click() { VisitAction(); }

void TForm_501_s::MaskEdit1KeyPress(int key) {
  if (key == ui::VK_RETURN) VisitAction();
}

void TForm_501_s::VisitAction() {
  // A text that is no number is refused by the conversion error; nothing is
  // counted and the field takes the next entry.
  gamekit::TakeEntry(MaskEdit1, [this] { TryVisit(); });
}

int TForm_501_s::BandCount(int band) const {
  switch (static_cast<darts::Band>(band)) {
    case darts::Band::From60:
      return Band60;
    case darts::Band::From80:
      return Band80;
    case darts::Band::From100:
      return Band100;
    case darts::Band::From140:
      return Band140;
    case darts::Band::Max180:
      return Band180;
    default:
      return 0;
  }
}

void TForm_501_s::AddToBand(int visit, int delta) {
  switch (darts::BandOf(visit)) {
    case darts::Band::From60:
      Band60 += delta;
      break;
    case darts::Band::From80:
      Band80 += delta;
      break;
    case darts::Band::From100:
      Band100 += delta;
      break;
    case darts::Band::From140:
      Band140 += delta;
      break;
    case darts::Band::Max180:
      Band180 += delta;
      break;
    case darts::Band::None:
      break;
  }
}

void TForm_501_s::TryVisit() {
  LegRecorded = 0;
  if (LegDarts != 0) return;  // the leg has ended

  auto refuse = [this](const char* message) { gamekit::RefuseEntry(MaskEdit1, message); };

  const QString typed = MaskEdit1->Text().trimmed();
  if (typed.isEmpty()) return refuse(kOutOfRange);
  const int value = ui::StrToInt(typed);  // "1 2" raises the conversion error
  if (value > darts::kMaxVisit || value < 0) return refuse(kOutOfRange);
  if (darts::IsImpossibleVisit(value)) return refuse(kImpossible);
  if (value > Remainder) return refuse(kAboveRemainder);

  VisitScore = static_cast<float>(value);
  const int lastRow = static_cast<int>(VisitCount);
  if (value == ui::StrToInt(StringGrid1->Cell(2, lastRow)) && darts::IsUnfinishable(value)) {
    FocusScoreField();
    ui::ShowMessage(Text(kNoFinish));
    return;
  }

  BitBtn8->setEnabled(true);
  VisitCount += 1;
  const int n = static_cast<int>(VisitCount);
  highestVisitRow_ = std::max(highestVisitRow_, n);
  Remainder -= value;
  StringGrid1->SetCell(0, n, ui::FloatToStr(VisitCount));

  if (Remainder == 1) {
    // A visit that leaves 1 is a bust: it counts as a visit of 0.
    ui::ShowMessage(Text(kBustAtOne));
    Remainder += value;
    VisitScore = 0;
    StringGrid1->SetCell(1, n, QStringLiteral("0"));
    const QString before = StringGrid1->Cell(2, n - 1);
    StringGrid1->SetCell(2, n, before);
    Panel6->setText(before);
  } else {
    StringGrid1->SetCell(1, n, ui::FloatToStr(VisitScore));
    const QString left = ui::IntToStr(Remainder);
    StringGrid1->SetCell(2, n, left);
    Panel6->setText(left);
    AddToBand(value, 1);
  }
  FollowVisits(n);

  FocusScoreField();

  if (Panel6->text() == QStringLiteral("0")) {
    LegEnd();
    return;
  }

  const float scored = static_cast<float>(StartScore - Remainder);
  AvgPerDart = scored / (VisitCount * 3);
  AvgPerVisit = scored / VisitCount;
  StringGrid1->SetCell(3, n, ui::FormatFloat(QStringLiteral("0.00"), AvgPerVisit));
  Panel3->setText(ui::FormatFloat(QStringLiteral(".00"), AvgPerDart));
  Panel4->setText(ui::FormatFloat(QStringLiteral(".00"), AvgPerVisit));
  ShowSuggestion(Remainder);
}

// ---------------------------------------------------------------------------
// Leg end and record

void TForm_501_s::LegEnd() {
  const int finish = static_cast<int>(VisitScore);
  Panel8->clear();
  LegDarts = 1;
  MaskEdit1->setEnabled(false);
  BitBtn1->setEnabled(false);
  Label21->setEnabled(true);

  Remainder = 0;
  if (!gamekit::OfferFinishingDarts(darts::FinishingDartsFor(finish), BitBtn5, BitBtn6, BitBtn7)) RecordLeg(3);
}

void TForm_501_s::BitBtn5Click() {
  ui::RunHandler([&] { RecordLeg(1); });
}
void TForm_501_s::BitBtn6Click() {
  ui::RunHandler([&] { RecordLeg(2); });
}
void TForm_501_s::BitBtn7Click() {
  ui::RunHandler([&] { RecordLeg(3); });
}

void TForm_501_s::RecomputeLegAverages(int lastLeg) {
  if (lastLeg < 1) {
    StringGrid2->SetCell(2, 0, QString());
    StringGrid2->SetCell(3, 0, QString());
    return;
  }
  SumPerDart = 0;
  SumPerVisit = 0;
  for (int r = 1; r <= lastLeg; ++r) {
    SumPerDart += static_cast<float>(ui::StrToFloat(StringGrid2->Cell(2, r)));
    SumPerVisit += static_cast<float>(ui::StrToFloat(StringGrid2->Cell(3, r)));
  }
  StringGrid2->SetCell(2, 0, ui::FormatFloat(QStringLiteral("0.00"), SumPerDart / static_cast<float>(lastLeg)));
  StringGrid2->SetCell(3, 0, ui::FormatFloat(QStringLiteral("0.00"), SumPerVisit / static_cast<float>(lastLeg)));
}

void TForm_501_s::RecordLeg(int dart) {
  BitBtn5->setEnabled(false);
  BitBtn6->setEnabled(false);
  BitBtn7->setEnabled(false);
  BitBtn9->setEnabled(true);
  Label21->setEnabled(false);

  LegDarts = static_cast<int>((VisitCount - 1) * 3) + dart;
  BitBtn2->setEnabled(true);

  AvgPerDart = static_cast<float>(StartScore) / static_cast<float>(LegDarts);
  AvgPerVisit = static_cast<float>(3 * StartScore) / static_cast<float>(LegDarts);

  StringGrid1->SetCell(3, static_cast<int>(VisitCount), ui::FormatFloat(QStringLiteral("0.00"), AvgPerVisit));

  const int row = LegNumber;
  highestLegRow_ = std::max(highestLegRow_, row + 1);
  StringGrid2->SetCell(0, row, ui::IntToStr(LegNumber));
  StringGrid2->SetCell(1, row, ui::IntToStr(LegDarts));
  StringGrid2->SetCell(2, row, ui::FormatFloat(QStringLiteral("0.00"), AvgPerDart));
  StringGrid2->SetCell(3, row, ui::FormatFloat(QStringLiteral("0.00"), AvgPerVisit));
  StringGrid2->SetCell(4, row, ui::FloatToStr(VisitScore));
  StringGrid2->SetCell(5, row, ui::IntToStr(dart));
  for (int b = 0; b < darts::kBandCount; ++b) {
    StringGrid2->SetCell(kFirstBandCol + b, row, ui::IntToStr(BandCount(b)));
  }

  for (int b = 0; b < darts::kBandCount; ++b) {
    const int total = ui::StrToInt(StringGrid2->Cell(kFirstBandCol + b, 0)) + BandCount(b);
    StringGrid2->SetCell(kFirstBandCol + b, 0, ui::IntToStr(total));
  }

  Panel3->setText(ui::FormatFloat(QStringLiteral(".00"), AvgPerDart));
  Panel4->setText(ui::FormatFloat(QStringLiteral(".00"), AvgPerVisit));

  RecomputeLegAverages(LegNumber);

  LegRecorded = 1;
  ui::ShowMessage(Text(kLegOver));
  BitBtn2->setFocus();
}

// ---------------------------------------------------------------------------
// New leg and undo

void TForm_501_s::BitBtn2Click() {
  StartScore = StartScoreOf(ComboBox1->currentIndex());
  ComboBox1->setEnabled(false);

  Band60 = Band80 = Band100 = Band140 = Band180 = 0;
  LegRecorded = 0;

  MaskEdit1->setEnabled(true);
  FocusScoreField();
  BitBtn1->setEnabled(true);
  BitBtn2->setEnabled(false);
  BitBtn8->setEnabled(false);
  BitBtn9->setEnabled(false);

  LegNumber += 1;
  LegDarts = 0;
  VisitCount = 0;
  Remainder = StartScore;

  Edit3->setText(ui::IntToStr(LegNumber));
  Edit2->setText(ui::IntToStr(StartScore));
  StringGrid1->SetCell(2, 0, ui::IntToStr(StartScore));

  ClearVisitRows(1);
  FollowVisits(0);

  Panel3->clear();
  Panel4->clear();
  Panel6->setText(ui::IntToStr(StartScore));
  Panel8->clear();

  AvgPerDart = 0;
  AvgPerVisit = 0;
}

void TForm_501_s::BitBtn8Click() {
  ui::RunHandler([&] {
    const int n = static_cast<int>(VisitCount);
    const int p = n - 1;
    if (n < 1) return;  // no visit to take back

    ShowSuggestion(ui::StrToInt(StringGrid1->Cell(2, p)));

    LegDarts = 0;
    BitBtn5->setEnabled(false);
    BitBtn6->setEnabled(false);
    BitBtn7->setEnabled(false);
    Label21->setEnabled(false);
    BitBtn2->setEnabled(false);
    BitBtn1->setEnabled(true);
    BitBtn9->setEnabled(false);

    if (LegRecorded == 1) {
      BitBtn8->setEnabled(true);
      for (int c = 0; c <= 5; ++c) StringGrid2->SetCell(c, LegNumber, QString());
      for (int b = 0; b < darts::kBandCount; ++b) {
        const int total = ui::StrToInt(StringGrid2->Cell(kFirstBandCol + b, 0)) - BandCount(b);
        StringGrid2->SetCell(kFirstBandCol + b, 0, ui::IntToStr(total));
        StringGrid2->SetCell(kFirstBandCol + b, LegNumber, QString());
      }
      // The averages over legs follow the legs that stay recorded, so that a
      // file or export made before the next finish agrees with the rows.
      RecomputeLegAverages(LegNumber - 1);
      LegRecorded = 0;
    }

    if (StringGrid1->Cell(0, n).trimmed() == QStringLiteral("1")) {
      Band60 = Band80 = Band100 = Band140 = Band180 = 0;
      BitBtn8->setEnabled(false);
      AvgPerDart = 0;
      AvgPerVisit = 0;
      Remainder = StartScore;
      Panel6->setText(ui::IntToStr(Remainder));
      Panel3->clear();
      Panel4->clear();
      for (int c = 0; c < kVisitCols; ++c) StringGrid1->SetCell(c, n, QString());
      VisitCount = 0;
      LegRecorded = 0;
    } else {
      BitBtn8->setEnabled(true);
      Remainder = ui::StrToInt(StringGrid1->Cell(2, p));
      Panel6->setText(ui::IntToStr(Remainder));
      const float scored = static_cast<float>(StartScore - Remainder);
      const float visits = static_cast<float>(p);
      AvgPerDart = scored / (visits * 3);
      AvgPerVisit = scored / visits;
      Panel3->setText(ui::FormatFloat(QStringLiteral(".00"), AvgPerDart));
      Panel4->setText(ui::FormatFloat(QStringLiteral(".00"), AvgPerVisit));
      AddToBand(ui::StrToInt(StringGrid1->Cell(1, n)), -1);
      for (int c = 0; c < kVisitCols; ++c) StringGrid1->SetCell(c, n, QString());
      LegRecorded = 0;
      VisitCount -= 1;
    }

    FollowVisits(static_cast<int>(VisitCount));
    MaskEdit1->setEnabled(true);
    FocusScoreField();
  });
}

// ---------------------------------------------------------------------------
// Leaving: statistics file, exit question, export, resets

// The visit sheet has rows for every visit of the leg, at least those of its
// form, and shows the newest one.
void TForm_501_s::FollowVisits(int lastVisit) {
  const int rows = std::max(sheetRows_, lastVisit + 1);
  if (StringGrid1->RowCount() != rows) StringGrid1->setRowCount(rows);
  StringGrid1->ScrollInView(lastVisit);
}

void TForm_501_s::ClearVisitRows(int first) {
  const int last = std::max(kDisplayRows - 1, highestVisitRow_);
  for (int r = first; r <= last; ++r) {
    for (int c = 0; c < kVisitCols; ++c) StringGrid1->SetCell(c, r, QString());
  }
  highestVisitRow_ = std::min(highestVisitRow_, first - 1);
}

void TForm_501_s::ClearLegRows(int first) {
  const int last = std::max(solo::kSuggestionRows - 1, highestLegRow_);
  for (int r = first; r <= last; ++r) {
    for (int c = 0; c < kLegCols; ++c) StringGrid2->SetCell(c, r, QString());
  }
  highestLegRow_ = std::min(highestLegRow_, first - 1);
}

void TForm_501_s::ExitReset() {
  MaskEdit1->setEnabled(false);
  MaskEdit1->Clear();
  BitBtn1->setEnabled(false);
  BitBtn2->setEnabled(false);
  BitBtn8->setEnabled(false);
  LegNumber = 1;
  LegDarts = 0;
  VisitCount = 0;
  Edit3->setText(QStringLiteral("1"));
  ClearVisitRows(1);
  Panel3->clear();
  Panel4->clear();
  Panel6->clear();
  AvgPerDart = 0;
  AvgPerVisit = 0;
}

bool TForm_501_s::WriteStatisticsFile() {
  return gamekit::WriteGridFile(ui::IntToStr(StartScore), true, kFileHeader, *StringGrid2, 0, LegNumber + 1,
                                kLegCols - 1);
}

void TForm_501_s::BitBtn3Click() {
  if (gamekit::NothingRecorded(*StringGrid2)) {  // no leg recorded in this opening
    ExitReset();
    Close();
    return;
  }
  gamekit::LeaveWithQuestion(
      *this, [this] { return WriteStatisticsFile(); }, [this] { return BitBtn9Click(); }, [this] { ExitReset(); });
}

bool TForm_501_s::BitBtn9Click() {
  gamekit::SheetBlock block;
  block.lastRow = LegNumber + 2;
  block.lastCol = kLegCols;
  block.highRow = block.lastRow;
  block.highCol = kLegCols;
  block.fill = [this, &block](automation::VariantArray& data) {
    for (int c = 0; c < kLegCols; ++c) data.Set(0, c, Text(kSheetHeadings[c]));
    gamekit::CopyGridBlock(data, 1, 0, *StringGrid2, 0, block.lastRow - 1, 0, kLegCols);
  };
  block.format = [](automation::Worksheet& sheet) {
    gamekit::HeadedTable(kSheetWidths, kLegCols)(sheet);
    gamekit::FillColour(sheet, 2, 1, 2, kLegCols, 33);
  };
  return gamekit::ExportBlock(block);
}

void TForm_501_s::FormClose() {
  MaskEdit1->setEnabled(true);
  BitBtn1->setEnabled(true);
  FocusScoreField();
  BitBtn2->setEnabled(false);
  LegNumber = 1;
  LegDarts = 0;
  VisitCount = 0;
  Edit3->setText(QStringLiteral("1"));
  ClearVisitRows(0);
  FollowVisits(0);
  ClearLegRows(0);
  Panel3->setText(QStringLiteral("0"));
  Panel4->setText(QStringLiteral("0"));
  Panel6->setText(QStringLiteral("0"));
  AvgPerDart = 0;
  AvgPerVisit = 0;
}
