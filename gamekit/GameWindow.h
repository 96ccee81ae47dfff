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

// Leaving a window after play: the statistics file, then the exit question.
// Yes: export, reset, close; No: reset, close; Cancel: nothing more. writeFile
// tells whether the file was written, exportToSheet whether the export
// happened: a Yes without either keeps the window as it is. An error raised on
// the way is reported and ends the exit there, the window staying as it is.
// Returns the answer, ui::mrCancel also when the window stays.
int LeaveWithQuestion(ui::TForm& window, const std::function<bool()>& writeFile,
                      const std::function<bool()>& exportToSheet, const std::function<void()>& reset = {});

// One block of a new workbook's first worksheet, from A1 to (lastRow, lastCol).
struct SheetBlock {
  int lastRow = 1;
  int lastCol = 1;
  // Upper bounds of the value array (from 0); it may reach beyond the block.
  int highRow = 0;
  int highCol = 0;
  std::function<void(automation::VariantArray&)> fill;
  // Widths, colours and merges, applied before the borders.
  std::function<void(automation::Worksheet&)> format;
};

// The export sequence: starts the spreadsheet program (a failure shows its box
// and ends the export), fills the value array, adds a workbook, addresses the
// block on worksheet 1, formats it, draws its thin borders, assigns the values
// in one piece and makes the program visible. The workbook is left unsaved.
// Returns false when the program could not be started or failed at once (its
// box shown); other automation errors travel on to the caller.
bool ExportBlock(const SheetBlock& block);

// The same sequence for a block a game handed over: its texts into the array,
// its formatting steps in order, then the borders and the values.
bool ExportBlock(const darts::SheetBlock& block);

// The format of a table under one heading row: the column widths from column A
// on, set through the cells of row 1, then the heading row A1..(1, lastCol) in
// colour 35.
std::function<void(automation::Worksheet&)> HeadedTable(std::vector<double> widths, int lastCol);

}  // namespace gamekit
