// The two-player match: one visit typed into the match window and confirmed,
// beside setting one label's text; and the export of the longest match the
// settings allow (first to 9 sets of first to 20 legs: 663 legs), beside the
// spreadsheet writer library writing the same cells alone.
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "app/form_501double.h"
#include "app/kontrovoi.h"
#include "automation/Excel.h"
#include "automation/NumberText.h"
#include "bench/BenchSupport.h"
#include "darts/DartsRules.h"
#include "ui_form_501double.h"

namespace {

using namespace bench;

darts::MatchSetup Longest(int startScore) {
  darts::MatchSetup setup;
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
  const darts::Match& match = form.Game();
  const int remainder = match.Remainder(match.CurrentThrower());
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
    if (form.Game().LegOver()) {
      state.PauseTiming();
      SendKey(&form, Qt::Key_F3);  // always offered
      if (form.Game().MatchOver()) form.PrepareMatch(Longest(1001));
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
    const darts::Match& match = f->Game();
    int winner = 1;
    size_t next = 0;
    while (!match.MatchOver()) {
      SendKey(f, Qt::Key_F7);
      while (!match.LegOver()) {
        const bool winnerThrows = match.CurrentThrower() == winner;
        TypeVisit(f->Controls().MaskEdit1, winnerThrows ? NextVisit(*f, next) : 41);
      }
      SendKey(f, Qt::Key_F3);
      const bool legsLevel = match.Legs(1) == match.Legs(2);
      if (legsLevel && match.Sets(1) == match.Sets(2)) {
        winner = 1;
      } else if (legsLevel) {
        winner = match.Sets(1) > match.Sets(2) ? 2 : 1;
      } else {
        winner = match.Legs(1) > match.Legs(2) ? 2 : 1;
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
    DropLastExport();
    state.ResumeTiming();
  }
  state.counters["legs"] = form.Game().LegsPlayed();
  state.counters["rows"] = form.Game().RecordRow() + 8;
  ui::ResetSeams();
}
BENCHMARK(BM_LongestMatchExport)->Unit(benchmark::kMillisecond);

// The same cells with the same looks, written by the library directly: the
// texts the export hands over, numbers where they read as numbers (with their
// decimals), everything converted before the clock starts.
void BM_LongestMatchLibxlsxwriter(benchmark::State& state) {
  TForm_501d& form = LongestMatchPlayed();
  QuietSeams();
  QVariantList values;
  automation::seams().called = [&values](const automation::Call& call) {
    if (call.member == "Value") values = call.value.toList();
  };
  form.BitBtn12Click();
  DropLastExport();
  automation::seams() = {};
  ui::ResetSeams();
  QChar separator = ui::seams().decimalSeparator;
  if (separator.isNull()) separator = QLocale::system().decimalPoint().at(0);

  const darts::Match& match = form.Game();
  const int rows = match.RecordRow();
  const int sheetRows = static_cast<int>(values.size());
  const int cols = 10;
  const QString name1 = match.Player1Name().trimmed();
  struct DirectCell {
    QByteArray text;  // a text cell; empty with decimals < 0 for a blank
    double number = 0;
    int decimals = -1;  // >= 0: a number shown with that many decimals
  };
  std::vector<std::vector<DirectCell>> cells(static_cast<size_t>(sheetRows));
  std::vector<int> fills(static_cast<size_t>(sheetRows), 0);
  for (int r = 0; r < sheetRows; ++r) {
    const QVariantList row = values[r].toList();
    for (int c = 0; c < cols; ++c) {
      DirectCell cell;
      const QString text = row.value(c).toString();
      if (const auto number = automation::ReadsAsNumber(text, separator)) {
        cell.number = number->value;
        cell.decimals = number->decimals;
      } else {
        cell.text = text.toUtf8();
      }
      cells[static_cast<size_t>(r)].push_back(cell);
    }
  }
  for (int k = 0; k <= rows + 1; ++k) {
    if (k >= 1 && match.RecordCell(1, k - 1).trimmed() == name1) fills[static_cast<size_t>(k)] = 0x00CCFF;
    if (k + 1 == rows) fills[static_cast<size_t>(rows)] = 0xFFFF99;
  }
  std::vector<QByteArray> codes{"0"};
  for (int d = 1; d <= 15; ++d) codes.push_back("0." + QByteArray(d, '0'));
  QTemporaryDir dir(QDir::tempPath() + "/vantrel-bench-XXXXXX");
  const QByteArray path = QFile::encodeName(dir.filePath("direct.xlsx"));
  const double widths[] = {10, 33, 10, 15, 15, 13, 13, 13, 15, 33};
  for (auto _ : state) {
    lxw_workbook* wb = workbook_new(path.constData());
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    // One format per fill and number of decimals.
    lxw_format* formats[3][17] = {};
    auto formatOf = [&](int fill, int decimals) {
      const int f = fill == 0 ? 0 : fill == 0x00CCFF ? 1 : 2;
      lxw_format*& slot = formats[f][decimals + 1];
      if (slot) return slot;
      slot = workbook_add_format(wb);
      format_set_border(slot, LXW_BORDER_THIN);
      format_set_font_size(slot, 16);
      format_set_bold(slot);
      format_set_align(slot, LXW_ALIGN_CENTER);
      format_set_align(slot, LXW_ALIGN_VERTICAL_CENTER);
      if (fill != 0) format_set_bg_color(slot, static_cast<lxw_color_t>(fill));
      if (decimals >= 0) format_set_num_format(slot, codes[static_cast<size_t>(decimals)].constData());
      return slot;
    };
    for (int c = 0; c < cols; ++c) worksheet_set_column(ws, c, c, widths[c], nullptr);
    for (int r = 0; r < sheetRows; ++r) {
      const int fill = fills[static_cast<size_t>(r)];
      for (int c = 0; c < cols; ++c) {
        const DirectCell& cell = cells[static_cast<size_t>(r)][static_cast<size_t>(c)];
        if (cell.decimals >= 0)
          worksheet_write_number(ws, r, c, cell.number, formatOf(fill, cell.decimals));
        else if (!cell.text.isEmpty())
          worksheet_write_string(ws, r, c, cell.text.constData(), formatOf(fill, -1));
        else
          worksheet_write_blank(ws, r, c, formatOf(fill, -1));
      }
    }
    if (workbook_close(wb) != LXW_NO_ERROR) state.SkipWithError("workbook_close failed");
  }
  state.counters["rows"] = sheetRows;
}
BENCHMARK(BM_LongestMatchLibxlsxwriter)->Unit(benchmark::kMillisecond);

}  // namespace

VANTREL_BENCH_MAIN()
