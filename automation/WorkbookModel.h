// The workbook behind the automation objects: the calls made, the cells of the
// first worksheet with their formatting and, once shown, the file written.
#pragma once

#include <QString>
#include <QStringList>
#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

#include "automation/Excel.h"

namespace automation {

constexpr int kMaxRow = 1048576;
constexpr int kMaxCol = 16384;
// Formatting is kept per cell; a range beyond this many cells is refused rather
// than letting the program run out of memory.
constexpr long long kMaxCells = 4'000'000;

struct BorderState {
  int lineStyle = 0;  // 0: no line
  int weight = xlThin;
  int colorIndex = 0;  // 0: automatic
  auto operator<=>(const BorderState&) const = default;
};

enum Edge { kLeft = 0, kRight = 1, kTop = 2, kBottom = 3 };

struct CellFormat {
  int fill = 0;         // 0: no fill, else the palette index
  double fontSize = 0;  // 0: the default size
  bool bold = false;
  int hAlign = 0;  // 0: general
  int vAlign = 0;  // 0: the default (bottom)
  BorderState borders[4];
  auto operator<=>(const CellFormat&) const = default;
};

struct Cell {
  std::optional<QString> value;
  CellFormat format;
};

struct Rect {
  int r1, c1, r2, c2;
  bool Overlaps(const Rect& o) const { return r1 <= o.r2 && o.r1 <= r2 && c1 <= o.c2 && o.c1 <= c2; }
};

// What the writer needs of a workbook.
struct SheetContents {
  std::unordered_map<uint64_t, Cell> cells;  // by CellKey
  std::map<int, double> widths;              // column (from 1) -> width in characters
  std::vector<Rect> merges;
};

inline uint64_t CellKey(int row, int col) { return (static_cast<uint64_t>(row) << 16) | static_cast<uint64_t>(col); }
inline int RowOfKey(uint64_t key) { return static_cast<int>(key >> 16); }
inline int ColOfKey(uint64_t key) { return static_cast<int>(key & 0xFFFF); }

QString CellName(int row, int col);  // "AB12"
void CheckCell(int row, int col);    // EOleError outside the sheet

class Workbook {
 public:
  Workbook(QStringList command, Host host) : command_(std::move(command)), host_(std::move(host)) {}

  void Record(const QString& object, const QString& member, QVariantList args = {}, QVariant value = {});
  void Add();
  void RequireWorkbook() const;

  // Runs f on every cell of the rectangle, creating the cells as needed.
  template <class F>
  void ForEach(const Rect& r, F&& f) {
    RequireWorkbook();
    const long long count = static_cast<long long>(r.r2 - r.r1 + 1) * (r.c2 - r.c1 + 1);
    if (count > kMaxCells) throw EOleError(QStringLiteral("Слишком большой диапазон"));
    for (int row = r.r1; row <= r.r2; ++row)
      for (int col = r.c1; col <= r.c2; ++col) f(row, col, sheet_.cells[CellKey(row, col)]);
  }

  void SetColumnWidth(int c1, int c2, double width);
  void Merge(Rect r);

  // Writes the workbook into a new export folder and starts the spreadsheet
  // program with it; once only.
  void Show();
  QString File() const { return file_; }
  const std::vector<Call>& Calls() const { return calls_; }

 private:
  QStringList command_;
  Host host_;
  std::vector<Call> calls_;
  bool added_ = false;
  bool shown_ = false;
  SheetContents sheet_;
  QString file_;
};

}  // namespace automation
