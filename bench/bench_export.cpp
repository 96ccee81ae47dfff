// Export of a score sheet through the automation model beside libxlsxwriter
// writing the same cells directly.
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

#include "automation/Excel.h"
#include "automation/NumberText.h"
#include "bench/BenchSupport.h"

namespace {

constexpr int kRows = 1510;
constexpr int kCols = 11;
const QChar kSeparator(',');

QString CellText(int r, int c) {
  static const char* const samples[] = {"60,00", "180", "Сумма", "23", "Средн.", "100 +", "7", "D16"};
  return QString::fromUtf8(samples[(r * kCols + c) % 8]) + QString::number(r % 10);
}

const std::vector<QStringList>& Sheet() {
  static const std::vector<QStringList> rows = [] {
    std::vector<QStringList> out;
    for (int r = 0; r < kRows; ++r) {
      QStringList row;
      for (int c = 0; c < kCols; ++c) row << CellText(r, c);
      out.push_back(row);
    }
    return out;
  }();
  return rows;
}

void BM_AutomationModelExport(benchmark::State& state) {
  const auto& sheet = Sheet();
  automation::Host host;
  host.decimalSeparator = kSeparator;
  host.spreadsheetProgram = [] { return QStringList{"true"}; };
  host.startDetached = [](const QString&, const QStringList&) { return true; };
  for (auto _ : state) {
    auto app = automation::CreateOleObject("Excel.Application", host);
    automation::VariantArray array(kRows - 1, kCols);
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) array.Set(r, c, sheet[r][c]);
    app->Workbooks().Add();
    automation::Worksheet ws = app->WorkSheets(1);
    const double widths[kCols] = {5, 17, 12, 14, 13, 17, 5, 5, 5, 5, 5};
    for (int c = 1; c <= kCols; ++c) ws.GetRange(ws.Cells(1, c), ws.Cells(1, c)).ColumnWidth(widths[c - 1]);
    ws.GetRange("A1:K1").Interior().ColorIndex(35);
    ws.GetRange("A2:K2").Interior().ColorIndex(33);
    automation::Range block = ws.GetRange(ws.Cells(1, 1), ws.Cells(kRows, kCols));
    for (int i = 1; i <= 4; ++i) {
      block.Borders(i).LineStyle(1);
      block.Borders(i).Weight(2);
      block.Borders(i).ColorIndex(0);
    }
    block.Value(array);
    app->Visible(true);
    state.PauseTiming();
    QDir(QFileInfo(app->WrittenFile()).absolutePath()).removeRecursively();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AutomationModelExport)->Unit(benchmark::kMillisecond);

// The same cells written by the library alone: numbers where the texts read as
// numbers under the separator (with their decimals), the two coloured rows,
// thin edges everywhere; texts converted before the clock starts.
void BM_LibxlsxwriterDirect(benchmark::State& state) {
  const auto& sheet = Sheet();
  struct DirectCell {
    QByteArray text;
    double number = 0;
    int decimals = -1;  // >= 0: a number shown with that many decimals
  };
  std::vector<std::vector<DirectCell>> cells(kRows, std::vector<DirectCell>(kCols));
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) {
      DirectCell& cell = cells[r][c];
      if (const auto number = automation::ReadsAsNumber(sheet[r][c], kSeparator)) {
        cell.number = number->value;
        cell.decimals = number->decimals;
      } else {
        cell.text = sheet[r][c].toUtf8();
      }
    }
  std::vector<QByteArray> codes{"0"};
  for (int d = 1; d <= 15; ++d) codes.push_back("0." + QByteArray(d, '0'));
  const lxw_color_t rowFills[] = {0xCCFFCC, 0x00CCFF};  // palette 35 and 33
  QTemporaryDir dir(QDir::tempPath() + "/vantrel-bench-XXXXXX");
  const QByteArray path = QFile::encodeName(dir.filePath("direct.xlsx"));
  for (auto _ : state) {
    lxw_workbook* wb = workbook_new(path.constData());
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    lxw_format* formats[3][17] = {};  // by fill (none, first row, second row) and decimals
    auto formatOf = [&](int fill, int decimals) {
      lxw_format*& slot = formats[fill][decimals + 1];
      if (slot) return slot;
      slot = workbook_add_format(wb);
      format_set_border(slot, LXW_BORDER_THIN);
      if (fill > 0) format_set_bg_color(slot, rowFills[fill - 1]);
      if (decimals >= 0) format_set_num_format(slot, codes[static_cast<size_t>(decimals)].constData());
      return slot;
    };
    const double widths[kCols] = {5, 17, 12, 14, 13, 17, 5, 5, 5, 5, 5};
    for (int c = 0; c < kCols; ++c) worksheet_set_column(ws, c, c, widths[c], nullptr);
    for (int r = 0; r < kRows; ++r) {
      const int fill = r < 2 ? r + 1 : 0;
      for (int c = 0; c < kCols; ++c) {
        const DirectCell& cell = cells[r][c];
        if (cell.decimals >= 0)
          worksheet_write_number(ws, r, c, cell.number, formatOf(fill, cell.decimals));
        else
          worksheet_write_string(ws, r, c, cell.text.constData(), formatOf(fill, -1));
      }
    }
    if (workbook_close(wb) != LXW_NO_ERROR) state.SkipWithError("workbook_close failed");
  }
}
BENCHMARK(BM_LibxlsxwriterDirect)->Unit(benchmark::kMillisecond);

}  // namespace

VANTREL_BENCH_MAIN()
