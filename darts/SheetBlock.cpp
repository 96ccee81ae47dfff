#include "darts/SheetBlock.h"

#include <stdexcept>

namespace darts {

SheetBlock::SheetBlock(int lastRow, int lastCol, int highRow, int highCol)
    : lastRow_(lastRow), lastCol_(lastCol), highRow_(highRow), highCol_(highCol) {
  if (lastRow < 1 || lastCol < 1 || highRow < 0 || highCol < 0) throw std::out_of_range("sheet block bounds");
  texts_.resize(static_cast<size_t>(highRow + 1) * static_cast<size_t>(highCol + 1));
}

void SheetBlock::Set(int row, int col, const QString& text) {
  if (row < 0 || row > highRow_ || col < 0 || col > highCol_) throw std::out_of_range("sheet block index");
  texts_[static_cast<size_t>(row) * (highCol_ + 1) + col] = text;
}

void SheetBlock::SetRow(int row, int col, const std::vector<QString>& texts) {
  for (const QString& t : texts) Set(row, col++, t);
}

const std::optional<QString>& SheetBlock::At(int row, int col) const {
  if (row < 0 || row > highRow_ || col < 0 || col > highCol_) throw std::out_of_range("sheet block index");
  return texts_[static_cast<size_t>(row) * (highCol_ + 1) + col];
}

void SheetBlock::Add(Step::Kind kind, int row1, int col1, int row2, int col2, double value) {
  steps_.push_back(Step{kind, row1, col1, row2, col2, value});
}

void SheetBlock::ColumnWidths(int firstCol, const std::vector<double>& widths, int throughRow) {
  for (double w : widths) {
    Add(Step::Kind::ColumnWidth, throughRow, firstCol, throughRow, firstCol, w);
    ++firstCol;
  }
}

void SheetBlock::Fill(int row1, int col1, int row2, int col2, int colourIndex) {
  Add(Step::Kind::Fill, row1, col1, row2, col2, colourIndex);
}
void SheetBlock::Merge(int row1, int col1, int row2, int col2) { Add(Step::Kind::Merge, row1, col1, row2, col2); }
void SheetBlock::FontSize(int row1, int col1, int row2, int col2, double size) {
  Add(Step::Kind::FontSize, row1, col1, row2, col2, size);
}
void SheetBlock::Bold(int row1, int col1, int row2, int col2) { Add(Step::Kind::Bold, row1, col1, row2, col2); }
void SheetBlock::Centre(int row1, int col1, int row2, int col2) { Add(Step::Kind::Centre, row1, col1, row2, col2); }

}  // namespace darts
