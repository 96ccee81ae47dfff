#include "gamekit/GameWindow.h"

#include "automation/Excel.h"
#include "gamekit/GameConventions.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"

namespace gamekit {

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

void PaintOnTooltipColour(ui::TStringGrid* grid) {
  grid->OnDrawCell = [grid](int col, int row, const QRect& rect) {
    if (grid->RowSelect() && row == grid->Row()) return;
    ui::TCanvas& canvas = grid->Canvas();
    canvas.brush.Color = 0xE1FFFF;  // the class library's clInfoBk
    canvas.font.Color = 0;
    canvas.TextRect(rect, rect.left() + 2, rect.top() + 2, grid->Cell(col, row));
  };
}

QString DatedNow() { return ui::FormatDateTime(QStringLiteral("dd.mm.yyyy - hh:mm:ss:nn - dddd"), ui::Now()); }

void ExportBlock(const automation::VariantArray& data, int lastRow, int lastCol,
                 const std::function<void(automation::Worksheet&)>& format) {
  std::shared_ptr<automation::Application> excel = StartSpreadsheet();
  if (!excel) return;
  excel->Workbooks().Add();
  automation::Worksheet sheet = excel->WorkSheets(1);
  automation::Range block = sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(lastRow, lastCol));
  format(sheet);
  GridBorders(block);
  block.Value(data);
  excel->Visible(true);
}

}  // namespace gamekit
