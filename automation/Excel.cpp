#include "automation/Excel.h"

#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <compare>
#include <unordered_map>

#include "ui/Seams.h"

namespace automation {

namespace {

constexpr int kMaxRow = 1048576;
constexpr int kMaxCol = 16384;
// Formatting is kept per cell; a range beyond this many cells is refused rather
// than letting the program run out of memory.
constexpr long long kMaxCells = 4'000'000;

// Automation constants.
constexpr int xlNone = -4142;
constexpr int xlAutomatic = -4105;
constexpr int xlLeft = -4131;
constexpr int xlRight = -4152;
constexpr int xlTop = -4160;
constexpr int xlBottom = -4107;
constexpr int xlJustify = -4130;
constexpr int xlDistributed = -4117;
constexpr int xlGeneral = 1;
constexpr int xlFill = 5;
constexpr int xlCenterAcrossSelection = 7;
constexpr int xlContinuous = 1;
constexpr int xlDash = -4115;
constexpr int xlDashDot = 4;
constexpr int xlDashDotDot = 5;
constexpr int xlDot = -4118;
constexpr int xlDouble = -4119;
constexpr int xlSlantDashDot = 13;
constexpr int xlHairline = 1;
constexpr int xlThin = 2;
constexpr int xlMedium = -4138;
constexpr int xlThick = 4;

// The spreadsheet program's default palette, ColorIndex 1 to 56.
constexpr lxw_color_t kPalette[56] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
                                      0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
                                      0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
                                      0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
                                      0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
                                      0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
                                      0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

// The colour of a palette index as libxlsxwriter takes it: there 0x000000
// means "no colour", so black has a value of its own.
lxw_color_t PaletteColor(int index) {
  const lxw_color_t rgb = kPalette[index - 1];
  return rgb == 0x000000 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rgb;
}

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

QString ColumnName(int col) {
  QString name;
  while (col > 0) {
    int d = (col - 1) % 26;
    name.prepend(QChar('A' + d));
    col = (col - 1) / 26;
  }
  return name;
}

QString CellName(int row, int col) { return ColumnName(col) + QString::number(row); }

void CheckCell(int row, int col) {
  if (row < 1 || row > kMaxRow || col < 1 || col > kMaxCol)
    throw EOleError(QStringLiteral("Недопустимая ячейка (%1, %2)").arg(row).arg(col));
}

ProgramFinder& Finder() {
  static ProgramFinder finder;
  return finder;
}

QString FindProgram(const QString& name) {
  if (Finder()) return Finder()(name);
  return QStandardPaths::findExecutable(name);
}

std::shared_ptr<Application>& LastApp() {
  static std::shared_ptr<Application> last;
  return last;
}

}  // namespace

// The workbook behind the automation objects: the calls made, the cells of the
// first worksheet and, once shown, the file written.
class Workbook {
 public:
  explicit Workbook(QStringList command) : command_(std::move(command)) {}

  void Record(const QString& object, const QString& member, QVariantList args = {}, QVariant value = {}) {
    calls_.push_back(Call{object, member, std::move(args), std::move(value)});
  }

  void Add() {
    if (added_) throw EOleError(QStringLiteral("Книга уже создана"));
    added_ = true;
  }
  void RequireWorkbook() const {
    if (!added_) throw EOleError(QStringLiteral("Нет открытой книги: сначала Workbooks.Add"));
  }

  // Runs f on every cell of the rectangle, creating the cells as needed.
  template <class F>
  void ForEach(const Rect& r, F&& f) {
    RequireWorkbook();
    const long long count = static_cast<long long>(r.r2 - r.r1 + 1) * (r.c2 - r.c1 + 1);
    if (count > kMaxCells) throw EOleError(QStringLiteral("Слишком большой диапазон"));
    for (int row = r.r1; row <= r.r2; ++row)
      for (int col = r.c1; col <= r.c2; ++col) f(row, col, cells_[Key(row, col)]);
  }

  void SetColumnWidth(int c1, int c2, double width) {
    RequireWorkbook();
    if (!(width >= 0 && width <= 255)) throw EOleError(QStringLiteral("Недопустимая ширина столбца"));
    for (int c = c1; c <= c2; ++c) widths_[c] = width;
  }

  void Merge(Rect r) {
    RequireWorkbook();
    if (r.r1 == r.r2 && r.c1 == r.c2) return;
    // A merge over merged cells takes them in.
    bool grown = true;
    while (grown) {
      grown = false;
      for (auto it = merges_.begin(); it != merges_.end(); ++it) {
        if (it->Overlaps(r)) {
          r = Rect{std::min(r.r1, it->r1), std::min(r.c1, it->c1), std::max(r.r2, it->r2), std::max(r.c2, it->c2)};
          merges_.erase(it);
          grown = true;
          break;
        }
      }
    }
    merges_.push_back(r);
  }

  void Show();
  QString File() const { return file_; }
  const std::vector<Call>& Calls() const { return calls_; }

 private:
  static uint64_t Key(int row, int col) { return (static_cast<uint64_t>(row) << 16) | static_cast<uint64_t>(col); }
  static int RowOf(uint64_t key) { return static_cast<int>(key >> 16); }
  static int ColOf(uint64_t key) { return static_cast<int>(key & 0xFFFF); }

  void WriteXlsx(const QString& path);

  QStringList command_;
  std::vector<Call> calls_;
  bool added_ = false;
  bool shown_ = false;
  std::unordered_map<uint64_t, Cell> cells_;
  std::map<int, double> widths_;
  std::vector<Rect> merges_;
  QString file_;
};

namespace {

lxw_format* MakeFormat(lxw_workbook* wb, const CellFormat& f) {
  lxw_format* fmt = workbook_add_format(wb);
  if (f.fill > 0) {
    format_set_pattern(fmt, LXW_PATTERN_SOLID);
    format_set_fg_color(fmt, PaletteColor(f.fill));
  }
  if (f.fontSize > 0) format_set_font_size(fmt, f.fontSize);
  if (f.bold) format_set_bold(fmt);
  switch (f.hAlign) {
    case xlCenter:
      format_set_align(fmt, LXW_ALIGN_CENTER);
      break;
    case xlLeft:
      format_set_align(fmt, LXW_ALIGN_LEFT);
      break;
    case xlRight:
      format_set_align(fmt, LXW_ALIGN_RIGHT);
      break;
    case xlFill:
      format_set_align(fmt, LXW_ALIGN_FILL);
      break;
    case xlJustify:
      format_set_align(fmt, LXW_ALIGN_JUSTIFY);
      break;
    case xlCenterAcrossSelection:
      format_set_align(fmt, LXW_ALIGN_CENTER_ACROSS);
      break;
    case xlDistributed:
      format_set_align(fmt, LXW_ALIGN_DISTRIBUTED);
      break;
    default:
      break;
  }
  switch (f.vAlign) {
    case xlCenter:
      format_set_align(fmt, LXW_ALIGN_VERTICAL_CENTER);
      break;
    case xlTop:
      format_set_align(fmt, LXW_ALIGN_VERTICAL_TOP);
      break;
    case xlBottom:
      format_set_align(fmt, LXW_ALIGN_VERTICAL_BOTTOM);
      break;
    case xlJustify:
      format_set_align(fmt, LXW_ALIGN_VERTICAL_JUSTIFY);
      break;
    case xlDistributed:
      format_set_align(fmt, LXW_ALIGN_VERTICAL_DISTRIBUTED);
      break;
    default:
      break;
  }
  using StyleSetter = void (*)(lxw_format*, uint8_t);
  using ColorSetter = void (*)(lxw_format*, lxw_color_t);
  static const StyleSetter styles[4] = {format_set_left, format_set_right, format_set_top, format_set_bottom};
  static const ColorSetter colors[4] = {format_set_left_color, format_set_right_color, format_set_top_color,
                                        format_set_bottom_color};
  for (int e = 0; e < 4; ++e) {
    const BorderState& b = f.borders[e];
    if (b.lineStyle == 0) continue;
    const bool medium = b.weight == xlMedium || b.weight == xlThick;
    uint8_t style = LXW_BORDER_THIN;
    switch (b.lineStyle) {
      case xlContinuous:
        style = b.weight == xlHairline ? LXW_BORDER_HAIR
                : b.weight == xlThick  ? LXW_BORDER_THICK
                : b.weight == xlMedium ? LXW_BORDER_MEDIUM
                                       : LXW_BORDER_THIN;
        break;
      case xlDash:
        style = medium ? LXW_BORDER_MEDIUM_DASHED : LXW_BORDER_DASHED;
        break;
      case xlDot:
        style = LXW_BORDER_DOTTED;
        break;
      case xlDouble:
        style = LXW_BORDER_DOUBLE;
        break;
      case xlDashDot:
        style = medium ? LXW_BORDER_MEDIUM_DASH_DOT : LXW_BORDER_DASH_DOT;
        break;
      case xlDashDotDot:
        style = medium ? LXW_BORDER_MEDIUM_DASH_DOT_DOT : LXW_BORDER_DASH_DOT_DOT;
        break;
      case xlSlantDashDot:
        style = LXW_BORDER_SLANT_DASH_DOT;
        break;
      default:
        break;
    }
    styles[e](fmt, style);
    if (b.colorIndex > 0) colors[e](fmt, PaletteColor(b.colorIndex));
  }
  return fmt;
}

}  // namespace

void Workbook::WriteXlsx(const QString& path) {
  const QByteArray encoded = QFile::encodeName(path);
  lxw_workbook* wb = workbook_new(encoded.constData());
  if (!wb) throw EOleError(QStringLiteral("Не удалось создать книгу ") + path);
  lxw_worksheet* ws = workbook_add_worksheet(wb, "Лист1");
  std::map<CellFormat, lxw_format*> formats;
  const CellFormat plain;
  auto formatOf = [&](const CellFormat& f) -> lxw_format* {
    if (f == plain) return nullptr;
    auto it = formats.find(f);
    if (it != formats.end()) return it->second;
    lxw_format* fmt = MakeFormat(wb, f);
    formats.emplace(f, fmt);
    return fmt;
  };
  for (const auto& [col, width] : widths_) worksheet_set_column(ws, col - 1, col - 1, width, nullptr);
  lxw_error err = LXW_NO_ERROR;
  QByteArray utf8;
  for (const auto& [key, cell] : cells_) {
    const lxw_row_t row = static_cast<lxw_row_t>(RowOf(key) - 1);
    const lxw_col_t col = static_cast<lxw_col_t>(ColOf(key) - 1);
    lxw_format* fmt = formatOf(cell.format);
    lxw_error e = LXW_NO_ERROR;
    if (cell.value && !cell.value->isEmpty()) {
      utf8 = cell.value->toUtf8();
      e = worksheet_write_string(ws, row, col, utf8.constData(), fmt);
    } else if (fmt) {
      e = worksheet_write_blank(ws, row, col, fmt);
    }
    if (e != LXW_NO_ERROR && err == LXW_NO_ERROR) err = e;
  }
  lxw_format* plainFormat = nullptr;  // stands for the default look where one must be written
  for (const Rect& m : merges_) {
    auto topLeft = cells_.find(Key(m.r1, m.c1));
    QByteArray text;
    CellFormat anchor;
    if (topLeft != cells_.end()) {
      if (topLeft->second.value) text = topLeft->second.value->toUtf8();
      anchor = topLeft->second.format;
    }
    lxw_error e = worksheet_merge_range(ws, m.r1 - 1, m.c1 - 1, m.r2 - 1, m.c2 - 1, text.constData(), formatOf(anchor));
    if (e != LXW_NO_ERROR && err == LXW_NO_ERROR) err = e;
    // A covered cell keeps its own borders and takes the fill of the merged
    // cell, which is coloured as a whole.
    for (int r = m.r1; r <= m.r2; ++r)
      for (int c = m.c1; c <= m.c2; ++c) {
        if (r == m.r1 && c == m.c1) continue;
        auto it = cells_.find(Key(r, c));
        CellFormat covered = it == cells_.end() ? CellFormat{} : it->second.format;
        covered.fill = anchor.fill;
        lxw_format* fmt = formatOf(covered);
        if (!fmt) {
          if (!plainFormat) plainFormat = workbook_add_format(wb);
          fmt = plainFormat;
        }
        worksheet_write_blank(ws, r - 1, c - 1, fmt);
      }
  }
  lxw_error closed = workbook_close(wb);
  if (err == LXW_NO_ERROR) err = closed;
  if (err != LXW_NO_ERROR)
    throw EOleError(QStringLiteral("Не удалось записать книгу: ") + QString::fromUtf8(lxw_strerror(err)));
}

void Workbook::Show() {
  if (shown_ || !added_) return;
  QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/vantrel-XXXXXX"));
  if (!dir.isValid()) throw EOleError(QStringLiteral("Не удалось создать временную папку"));
  dir.setAutoRemove(false);
  const QString path = dir.filePath(QStringLiteral("Книга1.xlsx"));
  auto removeAll = [&] { QDir(dir.path()).removeRecursively(); };
  try {
    WriteXlsx(path);
  } catch (...) {
    removeAll();
    throw;
  }
  QStringList args = command_.mid(1);
  args << path;
  const bool started =
      !command_.isEmpty() && ui::seams().startDetached && ui::seams().startDetached(command_.first(), args);
  if (!started) {
    removeAll();
    throw EOleError(QStringLiteral("Не удалось запустить ") + command_.value(0));
  }
  shown_ = true;
  file_ = path;
}

// ---------------------------------------------------------------------------

VariantArray::VariantArray(int highRow, int highCol) : highRow_(highRow), highCol_(highCol) {
  if (highRow < 0 || highCol < 0 ||
      (static_cast<long long>(highRow) + 1) * (static_cast<long long>(highCol) + 1) > kMaxCells)
    throw EOleError(QStringLiteral("Недопустимые границы массива"));
  items_.resize(static_cast<size_t>(highRow + 1) * static_cast<size_t>(highCol + 1));
}

void VariantArray::Set(int row, int col, const QString& text) {
  if (row < 0 || row > highRow_ || col < 0 || col > highCol_)
    throw EOleError(QStringLiteral("Variant or safe array index out of bounds"));
  items_[static_cast<size_t>(row) * static_cast<size_t>(highCol_ + 1) + static_cast<size_t>(col)] = text;
}

const std::optional<QString>& VariantArray::At(int row, int col) const {
  if (row < 0 || row > highRow_ || col < 0 || col > highCol_)
    throw EOleError(QStringLiteral("Variant or safe array index out of bounds"));
  return items_[static_cast<size_t>(row) * static_cast<size_t>(highCol_ + 1) + static_cast<size_t>(col)];
}

QString Call::Describe() const {
  QString out = object.isEmpty() ? member : object + QChar('.') + member;
  if (!args.isEmpty()) {
    QStringList parts;
    for (const QVariant& a : args) parts << a.toString();
    out += QChar('(') + parts.join(QStringLiteral(", ")) + QChar(')');
  }
  if (value.isValid()) {
    QString v;
    if (value.typeId() == QMetaType::QVariantList) {
      const QVariantList rows = value.toList();
      v = QStringLiteral("[%1x%2]").arg(rows.size()).arg(rows.isEmpty() ? 0 : rows.first().toList().size());
    } else if (value.typeId() == QMetaType::Bool) {
      v = value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    } else {
      v = value.toString();
    }
    out += QStringLiteral(" = ") + v;
  }
  return out;
}

// ---------------------------------------------------------------------------

Range::Range(std::shared_ptr<Workbook> wb, int row1, int col1, int row2, int col2)
    : wb_(std::move(wb)),
      r1_(std::min(row1, row2)),
      c1_(std::min(col1, col2)),
      r2_(std::max(row1, row2)),
      c2_(std::max(col1, col2)) {
  CheckCell(r1_, c1_);
  CheckCell(r2_, c2_);
}

QString Range::Address() const { return CellName(r1_, c1_) + QChar(':') + CellName(r2_, c2_); }

QString Range::Path() const { return QStringLiteral("Range(") + Address() + QChar(')'); }

void Range::ColumnWidth(double characters) {
  wb_->Record(Path(), QStringLiteral("ColumnWidth"), {}, characters);
  wb_->SetColumnWidth(c1_, c2_, characters);
}

automation::Interior Range::Interior() { return automation::Interior(*this); }

automation::Font Range::Font() { return automation::Font(*this); }

automation::Border Range::Borders(int index) {
  wb_->Record(Path(), QStringLiteral("Borders"), {index});
  if (!((index >= 1 && index <= 4) || (index >= 7 && index <= 12)))
    throw EOleError(QStringLiteral("Недопустимый индекс Borders: %1").arg(index));
  return automation::Border(*this, index);
}

void Range::HorizontalAlignment(int xl) {
  wb_->Record(Path(), QStringLiteral("HorizontalAlignment"), {}, xl);
  static const int known[] = {xlCenter,     xlLeft, xlRight, xlGeneral, xlFill, xlJustify, xlCenterAcrossSelection,
                              xlDistributed};
  if (std::find(std::begin(known), std::end(known), xl) == std::end(known))
    throw EOleError(QStringLiteral("Недопустимое значение HorizontalAlignment: %1").arg(xl));
  const int value = xl == xlGeneral ? 0 : xl;
  wb_->ForEach(Rect{r1_, c1_, r2_, c2_}, [value](int, int, Cell& cell) { cell.format.hAlign = value; });
}

void Range::VerticalAlignment(int xl) {
  wb_->Record(Path(), QStringLiteral("VerticalAlignment"), {}, xl);
  static const int known[] = {xlCenter, xlTop, xlBottom, xlJustify, xlDistributed};
  if (std::find(std::begin(known), std::end(known), xl) == std::end(known))
    throw EOleError(QStringLiteral("Недопустимое значение VerticalAlignment: %1").arg(xl));
  const int value = xl == xlBottom ? 0 : xl;
  wb_->ForEach(Rect{r1_, c1_, r2_, c2_}, [value](int, int, Cell& cell) { cell.format.vAlign = value; });
}

void Range::Merge() {
  wb_->Record(Path(), QStringLiteral("Merge"));
  wb_->Merge(Rect{r1_, c1_, r2_, c2_});
}

void Range::Value(const VariantArray& array) {
  // The array as rows of elements; an element left empty is an invalid variant.
  QVariantList rows;
  for (int r = 0; r <= array.HighRow(); ++r) {
    QVariantList row;
    for (int c = 0; c <= array.HighCol(); ++c) {
      const auto& item = array.At(r, c);
      row << (item ? QVariant(*item) : QVariant());
    }
    rows << QVariant(row);
  }
  wb_->Record(Path(), QStringLiteral("Value"), {}, QVariant(rows));
  // The range takes the array from its top-left element; what lies outside the
  // range is ignored, and cells beyond the array stay empty.
  const int top = r1_, left = c1_;
  wb_->ForEach(Rect{r1_, c1_, r2_, c2_}, [&](int row, int col, Cell& cell) {
    const int r = row - top, c = col - left;
    if (r <= array.HighRow() && c <= array.HighCol())
      cell.value = array.At(r, c);
    else
      cell.value.reset();
  });
}

void Range::Value(const QString& text) {
  wb_->Record(Path(), QStringLiteral("Value"), {}, text);
  wb_->ForEach(Rect{r1_, c1_, r2_, c2_}, [&](int, int, Cell& cell) { cell.value = text; });
}

void Interior::ColorIndex(int index) {
  range_.wb_->Record(range_.Path() + QStringLiteral(".Interior"), QStringLiteral("ColorIndex"), {}, index);
  if (!((index >= 1 && index <= 56) || index == xlNone || index == xlAutomatic))
    throw EOleError(QStringLiteral("Недопустимое значение ColorIndex: %1").arg(index));
  const int fill = index > 0 ? index : 0;
  range_.wb_->ForEach(Rect{range_.r1_, range_.c1_, range_.r2_, range_.c2_},
                      [fill](int, int, Cell& cell) { cell.format.fill = fill; });
}

void Font::Size(double points) {
  range_.wb_->Record(range_.Path() + QStringLiteral(".Font"), QStringLiteral("Size"), {}, points);
  if (!(points >= 1 && points <= 409)) throw EOleError(QStringLiteral("Недопустимый размер шрифта"));
  range_.wb_->ForEach(Rect{range_.r1_, range_.c1_, range_.r2_, range_.c2_},
                      [points](int, int, Cell& cell) { cell.format.fontSize = points; });
}

void Font::Bold(bool on) {
  range_.wb_->Record(range_.Path() + QStringLiteral(".Font"), QStringLiteral("Bold"), {}, on);
  range_.wb_->ForEach(Rect{range_.r1_, range_.c1_, range_.r2_, range_.c2_},
                      [on](int, int, Cell& cell) { cell.format.bold = on; });
}

namespace {

// The cells and edges a Borders index stands for: 1 to 4 every cell's left,
// right, top or bottom edge; 7 to 10 the outer edges of the range; 11 and 12
// the lines inside it.
template <class F>
void ForBorder(const Rect& r, int index, Workbook& wb, F&& apply) {
  wb.ForEach(r, [&](int row, int col, Cell& cell) {
    switch (index) {
      case 1:
        apply(cell.format.borders[kLeft]);
        break;
      case 2:
        apply(cell.format.borders[kRight]);
        break;
      case 3:
        apply(cell.format.borders[kTop]);
        break;
      case 4:
        apply(cell.format.borders[kBottom]);
        break;
      case 7:
        if (col == r.c1) apply(cell.format.borders[kLeft]);
        break;
      case 8:
        if (row == r.r1) apply(cell.format.borders[kTop]);
        break;
      case 9:
        if (row == r.r2) apply(cell.format.borders[kBottom]);
        break;
      case 10:
        if (col == r.c2) apply(cell.format.borders[kRight]);
        break;
      case 11:
        if (col < r.c2) apply(cell.format.borders[kRight]);
        if (col > r.c1) apply(cell.format.borders[kLeft]);
        break;
      case 12:
        if (row < r.r2) apply(cell.format.borders[kBottom]);
        if (row > r.r1) apply(cell.format.borders[kTop]);
        break;
      default:
        break;
    }
  });
}

QString BorderPath(const Range& range, int index) {
  return QStringLiteral("Range(") + range.Address() + QStringLiteral(").Borders(") + QString::number(index) +
         QChar(')');
}

}  // namespace

void Border::LineStyle(int style) {
  range_.wb_->Record(BorderPath(range_, index_), QStringLiteral("LineStyle"), {}, style);
  static const int known[] = {xlContinuous, xlDash, xlDashDot, xlDashDotDot, xlDot, xlDouble, xlSlantDashDot, xlNone};
  if (std::find(std::begin(known), std::end(known), style) == std::end(known))
    throw EOleError(QStringLiteral("Недопустимое значение LineStyle: %1").arg(style));
  ForBorder(Rect{range_.r1_, range_.c1_, range_.r2_, range_.c2_}, index_, *range_.wb_, [style](BorderState& b) {
    if (style == xlNone) {
      b = BorderState{};
    } else {
      b.lineStyle = style;
    }
  });
}

void Border::Weight(int weight) {
  range_.wb_->Record(BorderPath(range_, index_), QStringLiteral("Weight"), {}, weight);
  if (weight != xlHairline && weight != xlThin && weight != xlMedium && weight != xlThick)
    throw EOleError(QStringLiteral("Недопустимое значение Weight: %1").arg(weight));
  ForBorder(Rect{range_.r1_, range_.c1_, range_.r2_, range_.c2_}, index_, *range_.wb_, [weight](BorderState& b) {
    b.weight = weight;
    if (b.lineStyle == 0) b.lineStyle = xlContinuous;
  });
}

void Border::ColorIndex(int index) {
  range_.wb_->Record(BorderPath(range_, index_), QStringLiteral("ColorIndex"), {}, index);
  if (!((index >= 0 && index <= 56) || index == xlAutomatic))
    throw EOleError(QStringLiteral("Недопустимое значение ColorIndex: %1").arg(index));
  const int color = index > 0 ? index : 0;
  ForBorder(Rect{range_.r1_, range_.c1_, range_.r2_, range_.c2_}, index_, *range_.wb_, [color](BorderState& b) {
    b.colorIndex = color;
    if (b.lineStyle == 0) b.lineStyle = xlContinuous;
  });
}

// ---------------------------------------------------------------------------

// A corner cell is recorded with the range it addresses, so the record does not
// depend on the order in which the two corners were evaluated.
CellRef Worksheet::Cells(int row, int col) {
  CheckCell(row, col);
  return CellRef{row, col};
}

Range Worksheet::GetRange(CellRef a, CellRef b) {
  auto cells = [](CellRef c) { return QStringLiteral("Cells(%1, %2)").arg(c.row).arg(c.col); };
  wb_->Record(QStringLiteral("WorkSheets(1)"), QStringLiteral("Range"), {cells(a), cells(b)});
  return Range(wb_, a.row, a.col, b.row, b.col);
}

Range Worksheet::GetRange(const QString& a1) {
  wb_->Record(QStringLiteral("WorkSheets(1)"), QStringLiteral("Range"), {a1});
  auto bad = [&a1] { return EOleError(QStringLiteral("Недопустимый адрес диапазона: ") + a1); };
  auto parseCell = [&](const QString& text) {
    int i = 0, col = 0, row = 0;
    const QString t = text.trimmed().toUpper();
    while (i < t.size() && t[i] >= QChar('A') && t[i] <= QChar('Z')) {
      col = col * 26 + (t[i].unicode() - 'A' + 1);
      if (col > kMaxCol) throw bad();
      ++i;
    }
    const int digitsFrom = i;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
      row = row * 10 + (t[i].unicode() - '0');
      if (row > kMaxRow) throw bad();
      ++i;
    }
    if (col == 0 || i == digitsFrom || i != t.size() || row == 0) throw bad();
    return CellRef{row, col};
  };
  const QStringList parts = a1.split(QChar(':'));
  if (parts.size() < 1 || parts.size() > 2) throw bad();
  const CellRef a = parseCell(parts[0]);
  const CellRef b = parts.size() == 2 ? parseCell(parts[1]) : a;
  return Range(wb_, a.row, a.col, b.row, b.col);
}

void Workbooks::Add() {
  wb_->Record(QStringLiteral("Workbooks"), QStringLiteral("Add"));
  wb_->Add();
}

automation::Workbooks Application::Workbooks() {
  wb_->Record(QString(), QStringLiteral("Workbooks"));
  return automation::Workbooks(wb_);
}

Worksheet Application::WorkSheets(int index) {
  wb_->Record(QString(), QStringLiteral("WorkSheets"), {index});
  wb_->RequireWorkbook();
  if (index != 1) throw EOleError(QStringLiteral("Недопустимый индекс листа: %1").arg(index));
  return Worksheet(wb_);
}

void Application::Visible(bool on) {
  wb_->Record(QString(), QStringLiteral("Visible"), {}, on);
  if (on) wb_->Show();
}

const std::vector<Call>& Application::Calls() const { return wb_->Calls(); }

QString Application::WrittenFile() const { return wb_->File(); }

// ---------------------------------------------------------------------------

void SetProgramFinder(ProgramFinder finder) { Finder() = std::move(finder); }

QStringList SpreadsheetCommand() {
  if (ui::seams().spreadsheetProgram) {
    QStringList fromSeam = ui::seams().spreadsheetProgram();
    if (!fromSeam.isEmpty()) return fromSeam;
  }
  const QString env = qEnvironmentVariable("VANTREL_SPREADSHEET").trimmed();
  if (!env.isEmpty()) {
    QStringList words = QProcess::splitCommand(env);
    // The program the user named, or none: a command that cannot be started
    // makes the start fail now, before anything is written.
    if (!words.isEmpty()) return FindProgram(words.first()).isEmpty() ? QStringList() : words;
  }
  // A new untitled document from the file as template, so closing asks to save.
  struct Known {
    const char* program;
    QStringList args;
  };
  const Known known[] = {
      {"libreoffice", {QStringLiteral("--calc"), QStringLiteral("-n")}},
      {"localc", {QStringLiteral("-n")}},
      {"soffice", {QStringLiteral("--calc"), QStringLiteral("-n")}},
      {"xdg-open", {}},
  };
  for (const Known& k : known) {
    const QString path = FindProgram(QString::fromLatin1(k.program));
    if (!path.isEmpty()) return QStringList{path} + k.args;
  }
  return {};
}

std::shared_ptr<Application> CreateOleObject(const QString& progId) {
  if (progId.compare(QStringLiteral("Excel.Application"), Qt::CaseInsensitive) != 0)
    throw EOleError(QStringLiteral("Invalid class string"));
  QStringList command = SpreadsheetCommand();
  if (command.isEmpty()) throw EOleError(QStringLiteral("Не найдена программа электронных таблиц"));
  auto app = std::make_shared<Application>(std::make_shared<Workbook>(std::move(command)));
  LastApp() = app;
  return app;
}

std::shared_ptr<Application> LastApplication() { return LastApp(); }

}  // namespace automation
