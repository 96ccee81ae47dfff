// What the game windows do alike beyond the shared conventions: the exit that writes a file and asks the exit question, and
// the export of one block of cells to a new workbook.
#pragma once

#include <QAbstractButton>
#include <QWidget>
#include <functional>
#include <vector>

#include "darts/DartsRules.h"

namespace ui {
class TForm;
class TStringGrid;
}  // namespace ui
namespace automation {
class VariantArray;
class Worksheet;
}  // namespace automation

namespace gamekit {

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
// Yes: export, reset, close; No: reset, close; Cancel: nothing more. An error
// raised on the way is reported and ends the exit there, the window staying as
// it is. Returns the answer, ui::mrCancel also when an error ended the exit.
int LeaveWithQuestion(ui::TForm& window, const std::function<void()>& writeFile,
                      const std::function<void()>& exportToSheet, const std::function<void()>& reset = {});

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
void ExportBlock(const SheetBlock& block);

// The format of a table under one heading row: the column widths from column A
// on, set through the cells of row 1, then the heading row A1..(1, lastCol) in
// colour 35.
std::function<void(automation::Worksheet&)> HeadedTable(std::vector<double> widths, int lastCol);

}  // namespace gamekit
