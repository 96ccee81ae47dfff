// One block of cells as a game hands it to a new workbook: the texts of its
// cells from A1 on, and the formatting steps in the order they are applied.
// The game windows' export draws the block's thin grid after the steps and
// assigns the texts in one piece.
#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace darts {

class SheetBlock {
 public:
  // The block is A1:(lastRow, lastCol), counted from 1. Its texts lie in an
  // array with the bounds 0..highRow, 0..highCol, element [r, c] landing in
  // row r + 1 and column c + 1; the array may reach beyond the block (that
  // part is not written) or stop short of it (those cells stay empty).
  SheetBlock(int lastRow, int lastCol, int highRow, int highCol);

  // A text of the array; outside its bounds, std::out_of_range.
  void Set(int row, int col, const QString& text);
  // A row of texts from column `col` on.
  void SetRow(int row, int col, const std::vector<QString>& texts);
  const std::optional<QString>& At(int row, int col) const;

  struct Step {
    enum class Kind { ColumnWidth, Fill, Merge, FontSize, Bold, Centre };
    Kind kind;
    int row1, col1, row2, col2;  // counted from 1
    double value = 0;            // width, colour index or font size
  };
  // Widths of the columns from `firstCol` on, each set through the column's
  // cell in row `throughRow`.
  void ColumnWidths(int firstCol, const std::vector<double>& widths, int throughRow = 1);
  // Interior colour (palette index) of the cells (row1, col1)..(row2, col2).
  void Fill(int row1, int col1, int row2, int col2, int colourIndex);
  void Merge(int row1, int col1, int row2, int col2);
  // Font size, bold, and centred both ways, of the cells.
  void FontSize(int row1, int col1, int row2, int col2, double size);
  void Bold(int row1, int col1, int row2, int col2);
  void Centre(int row1, int col1, int row2, int col2);

  int LastRow() const { return lastRow_; }
  int LastCol() const { return lastCol_; }
  int HighRow() const { return highRow_; }
  int HighCol() const { return highCol_; }
  const std::vector<Step>& Steps() const { return steps_; }

 private:
  void Add(Step::Kind kind, int row1, int col1, int row2, int col2, double value = 0);
  int lastRow_, lastCol_, highRow_, highCol_;
  std::vector<std::optional<QString>> texts_;
  std::vector<Step> steps_;
};

}  // namespace darts
