#include "automation/XlsxWriter.h"

#include <xlsxwriter.h>

#include <locale.h>
#include <QFile>
#include <clocale>

#include "automation/NumberText.h"

namespace automation {

namespace {

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

// The writer formats its numbers (widths, margins, values) with printf, which
// follows the thread's LC_NUMERIC: under a Russian locale it would write "5,7"
// into the XML. While this lives the thread uses the C notation for numbers
// and keeps the rest of its locale.
class CNumericLocale {
 public:
  CNumericLocale() {
    locale_t base = duplocale(LC_GLOBAL_LOCALE);
    if (base == static_cast<locale_t>(0)) return;
    c_ = newlocale(LC_NUMERIC_MASK, "C", base);
    if (c_ == static_cast<locale_t>(0)) {
      freelocale(base);
      return;
    }
    previous_ = uselocale(c_);
  }
  ~CNumericLocale() {
    if (c_ == static_cast<locale_t>(0)) return;
    uselocale(previous_);
    freelocale(c_);
  }
  CNumericLocale(const CNumericLocale&) = delete;
  CNumericLocale& operator=(const CNumericLocale&) = delete;

 private:
  locale_t c_ = static_cast<locale_t>(0);
  locale_t previous_ = static_cast<locale_t>(0);
};

// Automation alignments and what the writer calls them.
struct Alignment {
  int xl;
  uint8_t lxw;
};
constexpr Alignment kHorizontal[] = {{xlCenter, LXW_ALIGN_CENTER},
                                     {xlLeft, LXW_ALIGN_LEFT},
                                     {xlRight, LXW_ALIGN_RIGHT},
                                     {xlFill, LXW_ALIGN_FILL},
                                     {xlJustify, LXW_ALIGN_JUSTIFY},
                                     {xlCenterAcrossSelection, LXW_ALIGN_CENTER_ACROSS},
                                     {xlDistributed, LXW_ALIGN_DISTRIBUTED}};
constexpr Alignment kVertical[] = {{xlCenter, LXW_ALIGN_VERTICAL_CENTER},
                                   {xlTop, LXW_ALIGN_VERTICAL_TOP},
                                   {xlBottom, LXW_ALIGN_VERTICAL_BOTTOM},
                                   {xlJustify, LXW_ALIGN_VERTICAL_JUSTIFY},
                                   {xlDistributed, LXW_ALIGN_VERTICAL_DISTRIBUTED}};

template <size_t N>
uint8_t AlignmentOf(const Alignment (&table)[N], int xl) {
  for (const Alignment& a : table)
    if (a.xl == xl) return a.lxw;
  return LXW_ALIGN_NONE;
}

uint8_t BorderStyle(const BorderState& b) {
  const bool medium = b.weight == xlMedium || b.weight == xlThick;
  switch (b.lineStyle) {
    case xlContinuous:
      return b.weight == xlHairline ? LXW_BORDER_HAIR
             : b.weight == xlThick  ? LXW_BORDER_THICK
             : b.weight == xlMedium ? LXW_BORDER_MEDIUM
                                    : LXW_BORDER_THIN;
    case xlDash:
      return medium ? LXW_BORDER_MEDIUM_DASHED : LXW_BORDER_DASHED;
    case xlDot:
      return LXW_BORDER_DOTTED;
    case xlDouble:
      return LXW_BORDER_DOUBLE;
    case xlDashDot:
      return medium ? LXW_BORDER_MEDIUM_DASH_DOT : LXW_BORDER_DASH_DOT;
    case xlDashDotDot:
      return medium ? LXW_BORDER_MEDIUM_DASH_DOT_DOT : LXW_BORDER_DASH_DOT_DOT;
    case xlSlantDashDot:
      return LXW_BORDER_SLANT_DASH_DOT;
    default:
      return LXW_BORDER_THIN;
  }
}

// A cell's look in the file: its formatting and, for a number, its decimals.
struct FileFormat {
  CellFormat format;
  int decimals = -1;  // -1: not a number
  auto operator<=>(const FileFormat&) const = default;
};

lxw_format* MakeFormat(lxw_workbook* wb, const FileFormat& ff) {
  const CellFormat& f = ff.format;
  lxw_format* fmt = workbook_add_format(wb);
  if (f.fill > 0) {
    format_set_pattern(fmt, LXW_PATTERN_SOLID);
    format_set_fg_color(fmt, PaletteColor(f.fill));
  }
  if (f.fontSize > 0) format_set_font_size(fmt, f.fontSize);
  if (f.bold) format_set_bold(fmt);
  if (const uint8_t h = AlignmentOf(kHorizontal, f.hAlign); h != LXW_ALIGN_NONE) format_set_align(fmt, h);
  if (const uint8_t v = AlignmentOf(kVertical, f.vAlign); v != LXW_ALIGN_NONE) format_set_align(fmt, v);
  using StyleSetter = void (*)(lxw_format*, uint8_t);
  using ColorSetter = void (*)(lxw_format*, lxw_color_t);
  static const StyleSetter styles[4] = {format_set_left, format_set_right, format_set_top, format_set_bottom};
  static const ColorSetter colors[4] = {format_set_left_color, format_set_right_color, format_set_top_color,
                                        format_set_bottom_color};
  for (int e = 0; e < 4; ++e) {
    const BorderState& b = f.borders[e];
    if (b.lineStyle == 0) continue;
    styles[e](fmt, BorderStyle(b));
    if (b.colorIndex > 0) colors[e](fmt, PaletteColor(b.colorIndex));
  }
  if (ff.decimals >= 0) {
    const QByteArray code = ff.decimals == 0 ? QByteArray("0") : "0." + QByteArray(ff.decimals, '0');
    format_set_num_format(fmt, code.constData());
  }
  return fmt;
}

// One pass of writing: the open file, its formats and the first error met.
class SheetWriter {
 public:
  SheetWriter(lxw_workbook* wb, lxw_worksheet* ws, QChar separator) : wb_(wb), ws_(ws), separator_(separator) {}

  void Widths(const std::map<int, double>& widths) {
    for (const auto& [col, width] : widths) Check(worksheet_set_column(ws_, col - 1, col - 1, width, nullptr));
  }

  void Value(int row, int col, const std::optional<QString>& value, const CellFormat& format) {
    const lxw_row_t r = static_cast<lxw_row_t>(row - 1);
    const lxw_col_t c = static_cast<lxw_col_t>(col - 1);
    if (!value || value->isEmpty()) {
      if (lxw_format* fmt = FormatOf(FileFormat{format})) Check(worksheet_write_blank(ws_, r, c, fmt));
    } else if (const auto number = ReadsAsNumber(*value, separator_)) {
      Check(worksheet_write_number(ws_, r, c, number->value, FormatOf(FileFormat{format, number->decimals})));
    } else {
      const QByteArray utf8 = value->toUtf8();
      Check(worksheet_write_string(ws_, r, c, utf8.constData(), FormatOf(FileFormat{format})));
    }
  }

  // The merged cell shows the value of its top-left cell; a covered cell keeps
  // its own borders and takes the fill of the merged cell, coloured as a whole.
  void Merge(const Rect& m, const SheetContents& sheet) {
    const Cell* topLeft = sheet.cells.Find(m.r1, m.c1);
    const Cell anchor = topLeft ? *topLeft : Cell{};
    Check(worksheet_merge_range(ws_, m.r1 - 1, m.c1 - 1, m.r2 - 1, m.c2 - 1, "", FormatOf(FileFormat{anchor.format})));
    Value(m.r1, m.c1, anchor.value, anchor.format);
    for (int r = m.r1; r <= m.r2; ++r)
      for (int c = m.c1; c <= m.c2; ++c) {
        if (r == m.r1 && c == m.c1) continue;
        const Cell* cell = sheet.cells.Find(r, c);
        CellFormat covered = cell ? cell->format : CellFormat{};
        covered.fill = anchor.format.fill;
        lxw_format* fmt = FormatOf(FileFormat{covered});
        Check(worksheet_write_blank(ws_, r - 1, c - 1, fmt ? fmt : PlainFormat()));
      }
  }

  lxw_error Error() const { return error_; }

 private:
  void Check(lxw_error e) {
    if (e != LXW_NO_ERROR && error_ == LXW_NO_ERROR) error_ = e;
  }
  // Neighbouring cells mostly look alike: the last look found is tried first.
  lxw_format* FormatOf(const FileFormat& f) {
    if (last_ && last_->first == f) return last_->second;
    if (f == FileFormat{}) return nullptr;
    auto it = formats_.find(f);
    if (it == formats_.end()) it = formats_.emplace(f, MakeFormat(wb_, f)).first;
    last_ = &*it;
    return it->second;
  }
  // Stands for the default look where a blank must be written.
  lxw_format* PlainFormat() {
    if (!plain_) plain_ = workbook_add_format(wb_);
    return plain_;
  }

  lxw_workbook* wb_;
  lxw_worksheet* ws_;
  QChar separator_;
  std::map<FileFormat, lxw_format*> formats_;
  const std::pair<const FileFormat, lxw_format*>* last_ = nullptr;
  lxw_format* plain_ = nullptr;
  lxw_error error_ = LXW_NO_ERROR;
};

}  // namespace

void WriteXlsx(const QString& path, const SheetContents& sheet, QChar decimalSeparator) {
  const CNumericLocale cNumbers;
  const QByteArray encoded = QFile::encodeName(path);
  lxw_workbook* wb = workbook_new(encoded.constData());
  if (!wb) throw EOleError(QStringLiteral("Не удалось создать книгу ") + path);
  lxw_worksheet* ws = workbook_add_worksheet(wb, "Лист1");
  SheetWriter writer(wb, ws, decimalSeparator);
  writer.Widths(sheet.widths);
  for (const auto& [row, cells] : sheet.cells.Rows()) {
    int col = cells.firstCol;
    for (const Cell& cell : cells.cells) writer.Value(row, col++, cell.value, cell.format);
  }
  for (const Rect& m : sheet.merges) writer.Merge(m, sheet);
  if (sheet.print.orientation == xlLandscape) worksheet_set_landscape(ws);
  if (sheet.print.zoom == 0)
    worksheet_fit_to_pages(ws, static_cast<uint16_t>(sheet.print.fitWide), static_cast<uint16_t>(sheet.print.fitTall));
  else if (sheet.print.zoom != 100)
    worksheet_set_print_scale(ws, static_cast<uint16_t>(sheet.print.zoom));
  lxw_error err = writer.Error();
  const lxw_error closed = workbook_close(wb);
  if (err == LXW_NO_ERROR) err = closed;
  if (err != LXW_NO_ERROR)
    throw EOleError(QStringLiteral("Не удалось записать книгу: ") + QString::fromUtf8(lxw_strerror(err)));
}

}  // namespace automation
