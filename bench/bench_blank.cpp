// The 64-participant bracket from the press of its "Печать" button to the
// workbook written, beside libxlsxwriter writing the same cells directly.
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <vector>

#include "automation/Excel.h"
#include "bench/BenchSupport.h"
#include "darts/TournamentRules.h"
#include "tournament/blank.h"
#include "ui_blank.h"

namespace {

constexpr int kSize = 64;

void BM_BracketFromButton(benchmark::State& state) {
  bench::QuietSeams();
  TForm_blank form;
  Ui::TForm_blank& c = form.Controls();
  form.ShowModal();
  c.RadioGroup1->setItemIndex(1);
  c.ComboBox2->setCurrentIndex(3);
  emit c.ComboBox2->activated(3);
  if (form.BracketSize() != kSize) state.SkipWithError("the bracket of 64 was not chosen");
  for (auto _ : state) {
    c.BitBtn3->click();
    state.PauseTiming();
    if (!bench::DropLastExport()) {
      state.SkipWithError("no workbook written");
      break;
    }
    state.ResumeTiming();
  }
  form.Close();
  ui::ResetSeams();
}
BENCHMARK(BM_BracketFromButton)->Unit(benchmark::kMillisecond);

// The same sheet straight into the writer: every cell of the block centred in
// bold 16, lines and connectors as cell edges, titles as texts and seeds as
// numbers, everything converted before the clock starts.
void BM_BracketDirect(benchmark::State& state) {
  const int rows = darts::BracketSheetRows(kSize), cols = darts::BracketSheetColumns(kSize);
  const int rounds = darts::BracketRounds(kSize);
  std::vector<std::vector<int>> edges(static_cast<size_t>(rows + 1), std::vector<int>(static_cast<size_t>(cols + 1)));
  for (int r = 1; r <= rounds + 1; ++r)
    for (int row : darts::SlotLineRows(kSize, r)) edges[row][r + 1] |= 1;
  for (int r = 1; r <= rounds; ++r)
    for (int row : darts::ConnectorRows(kSize, r)) edges[row][r + 1] |= 2;
  std::vector<std::vector<QByteArray>> texts(static_cast<size_t>(rows + 1), std::vector<QByteArray>(cols + 1));
  std::vector<std::vector<int>> numbers(static_cast<size_t>(rows + 1), std::vector<int>(cols + 1, 0));
  for (int r = 1; r <= rounds + 1; ++r) texts[1][r + 1] = darts::RoundTitle(kSize, r).toUtf8();
  const std::vector<int> seeds = darts::SeedOrder(kSize);
  for (int slot = 1; slot <= kSize; ++slot) numbers[darts::SlotRow(slot)][1] = seeds[slot - 1];

  QTemporaryDir dir(QDir::tempPath() + "/vantrel-bench-XXXXXX");
  const QByteArray path = QFile::encodeName(dir.filePath("direct.xlsx"));
  for (auto _ : state) {
    lxw_workbook* wb = workbook_new(path.constData());
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    lxw_format* formats[4] = {};
    lxw_format* numberFormats[4] = {};
    auto makeFormat = [wb](int e, bool number) {
      lxw_format* f = workbook_add_format(wb);
      format_set_font_size(f, 16);
      format_set_bold(f);
      format_set_align(f, LXW_ALIGN_CENTER);
      format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
      if (e & 1) format_set_top(f, LXW_BORDER_THIN);
      if (e & 2) format_set_right(f, LXW_BORDER_THIN);
      if (number) format_set_num_format(f, "0");
      return f;
    };
    worksheet_set_column(ws, 0, 0, 4, nullptr);
    worksheet_set_column(ws, 1, static_cast<lxw_col_t>(cols), 25, nullptr);
    for (int row = 1; row <= rows; ++row)
      for (int col = 1; col <= cols; ++col) {
        const int e = edges[row][col];
        if (const int n = numbers[row][col]) {
          if (!numberFormats[e]) numberFormats[e] = makeFormat(e, true);
          worksheet_write_number(ws, row - 1, col - 1, n, numberFormats[e]);
          continue;
        }
        if (!formats[e]) formats[e] = makeFormat(e, false);
        if (texts[row][col].isEmpty())
          worksheet_write_blank(ws, row - 1, col - 1, formats[e]);
        else
          worksheet_write_string(ws, row - 1, col - 1, texts[row][col].constData(), formats[e]);
      }
    if (workbook_close(wb) != LXW_NO_ERROR) state.SkipWithError("workbook_close failed");
  }
}
BENCHMARK(BM_BracketDirect)->Unit(benchmark::kMillisecond);

}  // namespace

VANTREL_BENCH_MAIN()
