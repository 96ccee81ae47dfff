#include "gamekit/GridExport.h"

#include "automation/Excel.h"
#include "ui/Controls.h"

namespace gamekit {

bool NothingRecorded(const ui::TStringGrid& grid, int col, int row) {
  return row > grid.RowCount() || grid.Cell(col, row).isEmpty();
}

void AddGridRows(StatisticsFile& file, const ui::TStringGrid& grid, int firstRow, int lastRow, int firstCol,
                 int lastCol) {
  for (int r = firstRow; r <= lastRow; ++r) {
    QStringList cells;
    for (int c = firstCol; c <= lastCol; ++c) cells << grid.Cell(c, r);
    file.AddCells(cells);
  }
}

bool WriteGridFile(const QString& folder, bool stampLine, const char* header, const ui::TStringGrid& grid, int firstRow,
                   int lastRow, int lastCol) {
  StatisticsFile file(folder);
  if (stampLine) file.AddStampLine();
  if (header) file.AddRawLine(QString::fromUtf8(header));
  AddGridRows(file, grid, firstRow, lastRow, 0, lastCol);
  return file.Write();
}

void CopyGridBlock(automation::VariantArray& data, int atRow, int atCol, const ui::TStringGrid& grid, int firstRow,
                   int lastRow, int firstCol, int lastCol) {
  for (int r = firstRow; r <= lastRow; ++r) {
    for (int c = firstCol; c <= lastCol; ++c) {
      data.Set(atRow + (r - firstRow), atCol + (c - firstCol), grid.Cell(c, r));
    }
  }
}

void ColumnWidths(automation::Worksheet& sheet, int firstCol, const std::vector<double>& widths) {
  int col = firstCol;
  for (double w : widths) {
    sheet.GetRange(sheet.Cells(1, col), sheet.Cells(1, col)).ColumnWidth(w);
    ++col;
  }
}

void FillColour(automation::Worksheet& sheet, int row1, int col1, int row2, int col2, int colorIndex) {
  sheet.GetRange(sheet.Cells(row1, col1), sheet.Cells(row2, col2)).Interior().ColorIndex(colorIndex);
}

}  // namespace gamekit
