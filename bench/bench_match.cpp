// The two-player match: one visit typed into the match window and confirmed,
// beside setting one label's text; and the export of the longest match the
// settings allow (first to 9 sets of first to 20 legs: 663 legs), beside the
// spreadsheet writer library writing the same cells alone.
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "app/form_501double.h"
#include "app/kontrovoi.h"
#include "automation/Excel.h"
#include "bench/BenchSupport.h"
#include "darts/DartsRules.h"
#include "darts/MatchRules.h"

namespace {

using namespace bench;

match::MatchSetup Longest(int startScore) {
  match::MatchSetup setup;
  setup.startScore = startScore;
  setup.setsToWin = 9;
  setup.legsToWin = 20;
  setup.player1 = QStringLiteral("Анна");
  setup.player2 = QStringLiteral("Борис");
  return setup;
}

// The visit the current thrower types: the finish when three darts can make
// it, otherwise the next score of a cycle that does not bust.
int NextVisit(const TForm_501d& form, size_t& next) {
  static const int cycle[] = {60, 45, 100, 26, 81, 140, 0, 85, 180, 57};
  const int remainder = static_cast<int>(form.CurrentThrower == 1 ? form.Remainder1 : form.Remainder2);
  if (remainder <= 170 && !darts::IsUnfinishable(remainder) && !darts::IsImpossibleVisit(remainder)) return remainder;
  for (;;) {
    const int v = cycle[next++ % std::size(cycle)];
    if (v <= remainder - 2) return v;
  }
}

void BM_MatchVisit(benchmark::State& state) {
  QuietSeams();
  TForm_501d form;
  Ui::TForm_501d& c = form.Controls();
  form.PrepareMatch(Longest(1001));
  form.ShowModal();
  SendKey(&form, Qt::Key_F7);
  size_t next = 0;
  std::vector<double> samples;
  samples.reserve(static_cast<size_t>(state.max_iterations));
  for (auto _ : state) {
    const int visit = NextVisit(form, next);
    const auto start = Clock::now();
    TypeVisit(c.MaskEdit1, visit);
    samples.push_back(MicrosecondsSince(start));
    if (form.LegOver != 0) {
      state.PauseTiming();
      SendKey(&form, Qt::Key_F3);  // always offered
      if (form.MatchOver != 0) form.PrepareMatch(Longest(1001));
      SendKey(&form, Qt::Key_F7);
      state.ResumeTiming();
    }
  }
  state.counters["median_us"] = MedianMicroseconds(samples);
  form.Close();
  ui::ResetSeams();
}
BENCHMARK(BM_MatchVisit)->Iterations(10000)->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_LabelSetText)->Iterations(10000)->Unit(benchmark::kMicrosecond);

// Plays the longest match through the window: every set and the match go to
// their deciding leg; legs of 5 or 6 visits from 501.
TForm_501d& LongestMatchPlayed() {
  static TForm_501d* form = [] {
    QuietSeams();
    auto* f = new TForm_501d;
    f->PrepareMatch(Longest(501));
    f->ShowModal();
    darts::MatchScore score;
    const darts::MatchSettings settings{9, 20, false, false};
    int winner = 1;
    size_t next = 0;
    while (f->MatchOver == 0) {
      SendKey(f, Qt::Key_F7);
      while (f->LegOver == 0) {
        const bool winnerThrows = f->CurrentThrower == winner;
        TypeVisit(f->Controls().MaskEdit1, winnerThrows ? NextVisit(*f, next) : 41);
      }
      SendKey(f, Qt::Key_F3);
      darts::CountLeg(settings, score, winner);
      const bool legsLevel = score.legs[0] == score.legs[1];
      if (legsLevel && score.sets[0] == score.sets[1]) {
        winner = 1;
      } else if (legsLevel) {
        winner = score.sets[0] > score.sets[1] ? 2 : 1;
      } else {
        winner = score.legs[0] > score.legs[1] ? 2 : 1;
      }
    }
    return f;
  }();
  return *form;
}

void BM_LongestMatchExport(benchmark::State& state) {
  TForm_501d& form = LongestMatchPlayed();
  QuietSeams();
  for (auto _ : state) {
    form.BitBtn12Click();
    state.PauseTiming();
    QDir(QFileInfo(automation::LastApplication()->WrittenFile()).absolutePath()).removeRecursively();
    state.ResumeTiming();
  }
  state.counters["legs"] = form.LegsPlayed;
  state.counters["rows"] = form.RecordRow + 8;
  ui::ResetSeams();
}
BENCHMARK(BM_LongestMatchExport)->Unit(benchmark::kMillisecond);

// The same cells with the same looks, written by the library directly.
void BM_LongestMatchLibxlsxwriter(benchmark::State& state) {
  TForm_501d& form = LongestMatchPlayed();
  ui::TStringGrid& record = *form.Controls().StringGrid3;
  const int rows = form.RecordRow;
  const QString name1 = form.Controls().Panel7->text().trimmed();
  std::vector<std::vector<QByteArray>> cells(static_cast<size_t>(rows + 2));
  std::vector<int> fills(static_cast<size_t>(rows + 8), 0);
  for (int k = 0; k <= rows + 1; ++k) {
    for (int col = 0; col < 10; ++col) cells[static_cast<size_t>(k)].push_back(record.Cell(col, k).toUtf8());
    if (k >= 1 && record.Cell(1, k - 1).trimmed() == name1) fills[static_cast<size_t>(k)] = 0x00CCFF;
    if (k + 1 == rows) fills[static_cast<size_t>(rows)] = 0xFFFF99;
  }
  QTemporaryDir dir(QDir::tempPath() + "/vantrel-bench-XXXXXX");
  const QByteArray path = QFile::encodeName(dir.filePath("direct.xlsx"));
  const double widths[] = {10, 33, 10, 15, 15, 13, 13, 13, 15, 33};
  for (auto _ : state) {
    lxw_workbook* wb = workbook_new(path.constData());
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    auto makeFormat = [wb](int fill) {
      lxw_format* f = workbook_add_format(wb);
      format_set_border(f, LXW_BORDER_THIN);
      format_set_font_size(f, 16);
      format_set_bold(f);
      format_set_align(f, LXW_ALIGN_CENTER);
      format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
      if (fill != 0) format_set_bg_color(f, static_cast<lxw_color_t>(fill));
      return f;
    };
    lxw_format* plain = makeFormat(0);
    lxw_format* named = makeFormat(0x00CCFF);
    lxw_format* closing = makeFormat(0xFFFF99);
    for (int c = 0; c < 10; ++c) worksheet_set_column(ws, c, c, widths[c], nullptr);
    for (int r = 0; r < rows + 8; ++r) {
      const int fill = fills[static_cast<size_t>(r)];
      lxw_format* f = fill == 0 ? plain : fill == 0x00CCFF ? named : closing;
      for (int c = 0; c < 10; ++c) {
        if (r >= 1 && r <= rows + 2) {
          const QByteArray& text = cells[static_cast<size_t>(r - 1)][static_cast<size_t>(c)];
          if (!text.isEmpty()) {
            worksheet_write_string(ws, r, c, text.constData(), f);
            continue;
          }
        }
        worksheet_write_blank(ws, r, c, f);
      }
    }
    if (workbook_close(wb) != LXW_NO_ERROR) state.SkipWithError("workbook_close failed");
  }
  state.counters["rows"] = rows + 8;
}
BENCHMARK(BM_LongestMatchLibxlsxwriter)->Unit(benchmark::kMillisecond);

}  // namespace

VANTREL_BENCH_MAIN()
