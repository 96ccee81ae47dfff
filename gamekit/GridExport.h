// What every game window repeats around its grids when it is left: the test
// whether anything was recorded, the grid rows written to the statistics file,
// and a grid block copied into the export array with the block's widths,
// colours and borders.
#pragma once

#include <QString>
#include <vector>

#include "gamekit/GameConventions.h"

namespace ui {
class TStringGrid;
}
namespace automation {
class VariantArray;
class Worksheet;
}  // namespace automation

namespace gamekit {

// True when the cell (col, row) of the grid, the first row a game records,
// is empty or lies beyond the grid's row count: nothing was played.
bool NothingRecorded(const ui::TStringGrid& grid, int col = 0, int row = 1);

// Adds one line per grid row firstRow..lastRow, each with the cells of the
// columns firstCol..lastCol, every cell followed by ";".
void AddGridRows(StatisticsFile& file, const ui::TStringGrid& grid, int firstRow, int lastRow, int firstCol,
                 int lastCol);

// A window's statistics file, written whole: the stamp line when asked for,
// the header literal when one is given (it already ends with ";"), then the
// grid rows firstRow..lastRow with the columns 0..lastCol. Returns false when
// it could not be written (reported by StatisticsFile::Write).
bool WriteGridFile(const QString& folder, bool stampLine, const char* header, const ui::TStringGrid& grid, int firstRow,
                   int lastRow, int lastCol);

// Copies grid rows firstRow..lastRow, columns firstCol..lastCol into the
// export array at (atRow, atCol) onwards. An element past the array's bounds
// raises the array's index error.
void CopyGridBlock(automation::VariantArray& data, int atRow, int atCol, const ui::TStringGrid& grid, int firstRow,
                   int lastRow, int firstCol, int lastCol);

// Column widths of a sheet from column firstCol (counted from 1) onwards, each
// set on the one-cell range of the column's first row.
void ColumnWidths(automation::Worksheet& sheet, int firstCol, const std::vector<double>& widths);

// Interior colour of the cells (row1, col1)..(row2, col2), counted from 1.
void FillColour(automation::Worksheet& sheet, int row1, int col1, int row2, int col2, int colorIndex);

}  // namespace gamekit
