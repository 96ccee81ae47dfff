// Export of a score sheet through the automation model beside libxlsxwriter
// writing the same cells directly.
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include "automation/Excel.h"
#include "bench/BenchSupport.h"

namespace {

constexpr int kRows = 1510;
constexpr int kCols = 11;

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
  host.decimalSeparator = QChar(',');
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

void BM_LibxlsxwriterDirect(benchmark::State& state) {
  const auto& sheet = Sheet();
  QTemporaryDir dir(QDir::tempPath() + "/vantrel-bench-XXXXXX");
  const QByteArray path = QFile::encodeName(dir.filePath("direct.xlsx"));
  for (auto _ : state) {
    lxw_workbook* wb = workbook_new(path.constData());
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    lxw_format* format = workbook_add_format(wb);
    format_set_border(format, LXW_BORDER_THIN);
    const double widths[kCols] = {5, 17, 12, 14, 13, 17, 5, 5, 5, 5, 5};
    for (int c = 0; c < kCols; ++c) worksheet_set_column(ws, c, c, widths[c], nullptr);
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) {
        const QByteArray text = sheet[r][c].toUtf8();
        worksheet_write_string(ws, r, c, text.constData(), format);
      }
    if (workbook_close(wb) != LXW_NO_ERROR) state.SkipWithError("workbook_close failed");
  }
}
BENCHMARK(BM_LibxlsxwriterDirect)->Unit(benchmark::kMillisecond);

}  // namespace

VANTREL_BENCH_MAIN()
