// What the practice windows repeat around their score fields and sheets: the
// refusal of an entry, the entry run as an event handler, the sheet on the
// tooltip colour, the dated record line and the export of one block.
#pragma once

#include <QString>
#include <functional>

namespace ui {
class TMaskEdit;
class TStringGrid;
}  // namespace ui
namespace automation {
class VariantArray;
class Worksheet;
}  // namespace automation

namespace gamekit {

// The message for a visit three darts at the round's sector cannot make.
extern const char* const kNotInSectorText;

// Empties the field and gives it the focus for the next entry.
void ClearAndFocus(ui::TMaskEdit* field);
// A refused entry: the message, then the field emptied and focused.
void RefuseEntry(ui::TMaskEdit* field, const char* message);

// Runs the taking of an entry as an event handler. A text that is no number
// raises the conversion error, which is shown; the field, still usable, is
// then emptied for the next entry.
void TakeEntry(ui::TMaskEdit* field, const std::function<void()>& take);

// Empties the cells of rows firstRow..lastRow, columns firstCol..lastCol.
void ClearCells(ui::TStringGrid& grid, int firstRow, int lastRow, int firstCol, int lastCol);

// The sheet stands on the tooltip colour; the selected row keeps the
// selection's colours.
void PaintOnTooltipColour(ui::TStringGrid* grid);

// Now as "dd.mm.yyyy - hh:mm:ss:nn - dddd", with the weekday's full name.
QString DatedNow();

// The export of one block A1:(lastRow, lastCol) of a new workbook: the
// spreadsheet program started (its failure message ends the export), a
// workbook added, worksheet 1, format(sheet) for the widths, colours and
// merges, then the block's borders, its values and the application shown.
void ExportBlock(const automation::VariantArray& data, int lastRow, int lastCol,
                 const std::function<void(automation::Worksheet&)>& format);

}  // namespace gamekit
