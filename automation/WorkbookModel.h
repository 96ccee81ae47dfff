// The workbook behind the automation objects: the cells of the first worksheet
// with their formatting and, once shown, the file written.
#pragma once

#include <QString>
#include <QStringList>
#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "automation/Excel.h"

namespace automation {

constexpr int kMaxRow = 1048576;
constexpr int kMaxCol = 16384;
// Formatting is kept per cell; a range beyond this many cells is refused rather
// than letting the program run out of memory.
constexpr long long kMaxCells = 4'000'000;
// A sheet keeps its cells in rows from the first to the last column used; it
// holds at most this many, empty ones between used ones included.
constexpr long long kMaxSheetCells = 2 * kMaxCells;

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

// The cells of a sheet, row by row in ascending order. A row keeps its cells in
// one block from its first to its last column used, so a pass over a range
// finds each row once and its cells by index. Cells never set stay default and
// write nothing.
class CellStore {
 public:
  struct Row {
    int firstCol = 0;
    std::vector<Cell> cells;
  };

  CellStore() = default;
  CellStore(const CellStore&) = delete;  // it keeps its place in its own rows
  CellStore& operator=(const CellStore&) = delete;

  // The cells c1..c2 of a row, created as needed; EOleError when the sheet
  // would hold too many cells.
  Cell* Span(int row, int c1, int c2);
  const Cell* Find(int row, int col) const;
  const std::map<int, Row>& Rows() const { return rows_; }

 private:
  std::map<int, Row> rows_;
  std::map<int, Row>::iterator last_ = rows_.end();
  long long slots_ = 0;
};

// How the sheet is printed.
struct PrintSetup {
  int orientation = xlPortrait;
  int zoom = 100;  // 0: fitted to fitWide x fitTall pages
  int fitWide = 1;
  int fitTall = 1;
};

// What the writer needs of a workbook.
struct SheetContents {
  CellStore cells;
  std::map<int, double> widths;  // column (from 1) -> width in characters
  std::vector<Rect> merges;
  PrintSetup print;
};

QString CellName(int row, int col);  // "AB12"
void CheckCell(int row, int col);    // EOleError outside the sheet

// What a call was made on, spelled out only for seams().called, which the
// program leaves empty.
struct CallTarget {
  enum Kind : uint8_t {
    kRange,     // "Range(A1:K3)"
    kInterior,  // "Range(A1:K3).Interior"
    kFont,      // "Range(A1:K3).Font"
    kBorder,    // "Range(A1:K3).Borders(1)"
    kBorders,   // "Range(A1:K3)" with the argument (1)
    kCells,     // "WorkSheets(1)" with the arguments Cells(1, 1), Cells(3, 11)
  };
  Kind kind;
  Rect rect;  // for kCells the two corners as given
  int index = 0;
};

class Workbook {
 public:
  Workbook(QStringList command, Host host) : command_(std::move(command)), host_(std::move(host)) {}

  // Tell seams().called of a call; with no one listening they do nothing. An
  // invalid arg stands for none.
  static void Record(const QString& object, const QString& member, const QVariant& arg = {},
                     const QVariant& value = {});
  static void Record(const CallTarget& target, const QString& member, const QVariant& value = {});
  // An array assigned as a value, told as rows of variants.
  static void RecordArray(const CallTarget& target, const QString& member, const VariantArray& array);
  void Add();
  void RequireWorkbook() const;

  // Runs f on every cell of the rectangle, creating the cells as needed.
  template <class F>
  void ForEach(const Rect& r, F&& f) {
    RequireWorkbook();
    const long long count = static_cast<long long>(r.r2 - r.r1 + 1) * (r.c2 - r.c1 + 1);
    if (count > kMaxCells) throw EOleError(QStringLiteral("Слишком большой диапазон"));
    for (int row = r.r1; row <= r.r2; ++row) {
      Cell* cells = sheet_.cells.Span(row, r.c1, r.c2);
      for (int col = r.c1; col <= r.c2; ++col) f(row, col, cells[col - r.c1]);
    }
  }

  void SetColumnWidth(int c1, int c2, double width);
  PrintSetup& Print() {
    RequireWorkbook();
    return sheet_.print;
  }
  void Merge(Rect r);

  // Writes the workbook into a new export folder and starts the spreadsheet
  // program with it; once only.
  void Show();
  QString File() const { return file_; }

 private:
  QStringList command_;
  Host host_;
  bool added_ = false;
  bool shown_ = false;
  SheetContents sheet_;
  QString file_;
};

}  // namespace automation
