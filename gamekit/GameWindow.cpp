#include "gamekit/GameWindow.h"

#include "automation/Excel.h"
#include "darts/Decimals.h"
#include "darts/SheetBlock.h"
#include "gamekit/GameConventions.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/SysUtils.h"

namespace gamekit {

QString TwoDecimals(float value) { return darts::Decimals(value, 2, ui::DecimalSeparator()); }

const char* const kNotInSectorText = "Внимание!!! Недопустимое значение для данного сектора.";

void ClearAndFocus(ui::TMaskEdit* field) {
  field->Clear();
  field->setFocus();
}

void RefuseEntry(ui::TMaskEdit* field, const char* message) {
  ui::ShowMessage(QString::fromUtf8(message));
  ClearAndFocus(field);
}

void TakeEntry(ui::TMaskEdit* field, const std::function<void()>& take) {
  bool done = false;
  ui::RunHandler([&] {
    take();
    done = true;
  });
  if (!done && field->isEnabled()) ClearAndFocus(field);
}

void ClearCells(ui::TStringGrid& grid, int firstRow, int lastRow, int firstCol, int lastCol) {
  for (int r = firstRow; r <= lastRow; ++r) {
    for (int c = firstCol; c <= lastCol; ++c) grid.SetCell(c, r, QString());
  }
}

QString DatedNow() { return ui::FormatDateTime(QStringLiteral("dd.mm.yyyy - hh:mm:ss:nn - dddd"), ui::Now()); }

void InfoBackground(ui::TStringGrid& grid) {
  constexpr ui::TColor kInfoBk = 0xE1FFFF;  // 0x00BBGGRR
  ui::TStringGrid* g = &grid;
  grid.OnDrawCell = [g](int col, int row, const QRect& rect) {
    if (g->RowSelect() && row == g->Row() && row >= g->FixedRows() && col >= g->FixedCols()) return;
    ui::TCanvas& canvas = g->Canvas();
    canvas.brush.Color = kInfoBk;
    canvas.font.Color = 0;
    canvas.TextRect(rect, rect.left() + 2, rect.top() + 2, g->Cell(col, row));
  };
  grid.Repaint();
}

bool OfferFinishingDarts(darts::FinishingDarts which, QAbstractButton* first, QAbstractButton* second,
                         QAbstractButton* third) {
  if (which == darts::FinishingDarts::ThirdOnly) return false;
  const bool any = which == darts::FinishingDarts::Any;
  first->setEnabled(any);
  second->setEnabled(true);
  third->setEnabled(true);
  (any ? first : second)->setFocus();
  return true;
}

namespace {

void Apply(automation::Worksheet& sheet, const darts::SheetBlock::Step& step) {
  using Kind = darts::SheetBlock::Step::Kind;
  automation::Range range = sheet.GetRange(sheet.Cells(step.row1, step.col1), sheet.Cells(step.row2, step.col2));
  switch (step.kind) {
    case Kind::ColumnWidth:
      range.ColumnWidth(step.value);
      break;
    case Kind::Fill:
      range.Interior().ColorIndex(static_cast<int>(step.value));
      break;
    case Kind::Merge:
      range.Merge();
      break;
    case Kind::FontSize:
      range.Font().Size(step.value);
      break;
    case Kind::Bold:
      range.Font().Bold(true);
      break;
    case Kind::Centre:
      range.HorizontalAlignment(automation::xlCenter);
      range.VerticalAlignment(automation::xlCenter);
      break;
  }
}

}  // namespace

bool ExportBlock(const darts::SheetBlock& block) {
  std::shared_ptr<automation::Application> excel = StartSpreadsheet();
  if (!excel) return false;

  automation::VariantArray data(block.HighRow(), block.HighCol());
  for (int r = 0; r <= block.HighRow(); ++r) {
    for (int c = 0; c <= block.HighCol(); ++c) {
      if (const std::optional<QString>& text = block.At(r, c)) data.Set(r, c, *text);
    }
  }

  excel->Workbooks().Add();
  automation::Worksheet sheet = excel->WorkSheets(1);
  automation::Range range = sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(block.LastRow(), block.LastCol()));
  for (const darts::SheetBlock::Step& step : block.Steps()) Apply(sheet, step);
  GridBorders(range);
  range.Value(data);
  return ShowSpreadsheet(*excel);
}

}  // namespace gamekit
