// What the game windows do alike beyond the shared conventions: the entry of
// a score field run as an event handler, the refusal of an entry, the sheets
// on the tooltip colour, the dated record line, the exit that writes a file and asks the exit question, and
// the export of one block of cells to a new workbook.
#pragma once

#include <QAbstractButton>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "darts/DartsRules.h"

namespace ui {
class TForm;
class TMaskEdit;
class TStringGrid;
}  // namespace ui
namespace automation {
class VariantArray;
class Worksheet;
}  // namespace automation
namespace darts {
class SheetBlock;
}

namespace gamekit {

// A literal of the sources as a text.
inline QString Text(const char* s) { return QString::fromUtf8(s); }
// An average as the windows show it: two decimals, the user's separator.
QString TwoDecimals(float value);

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

// Now as "dd.mm.yyyy - hh:mm:ss:nn - dddd", with the weekday's full name.
QString DatedNow();

// Score sheets drawn on the tooltip background colour (the selected row keeps
// its highlight).
void InfoBackground(ui::TStringGrid& grid);

// The question which dart finished a leg: enables the buttons of the darts
// that can have finished it and focuses the first of them. Returns false, with
// nothing enabled, when only the third dart can have done it: the caller then
// records the third dart without asking.
bool OfferFinishingDarts(darts::FinishingDarts which, QAbstractButton* first, QAbstractButton* second,
                         QAbstractButton* third);

// The export sequence of a block a game handed over: starts the spreadsheet
// program (a failure shows its box and ends the export), puts the block's texts
// into the value array, adds a workbook, addresses the block on worksheet 1,
// applies its formatting steps in order, draws its thin borders, assigns the
// values in one piece and makes the program visible. The workbook is left
// unsaved. Returns false when the program could not be started or failed at
// once (its box shown); other automation errors travel on to the caller.
bool ExportBlock(const darts::SheetBlock& block);

}  // namespace gamekit
