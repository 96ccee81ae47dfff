// One visit of solo practice: the score typed into the field, Enter, and every
// panel, sheet cell and suggestion brought up to date; beside it the cheapest
// thing the window must do anyway, setting one label's text.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "app/Form_501s.h"
#include "bench/BenchSupport.h"
#include "darts/DartsRules.h"
#include "ui_Form_501s.h"

namespace {

using namespace bench;

void BM_SoloVisit(benchmark::State& state) {
  QuietSeams();
  TForm_501_s form;
  Ui::TForm_501_s& c = form.Controls();
  form.ShowModal();
  c.ComboBox1->setCurrentIndex(6);  // 1001: long legs
  emit c.ComboBox1->activated(6);
  SendKey(&form, Qt::Key_F7);

  const int cycle[] = {60, 45, 100, 26, 81, 140, 0, 85, 180, 57};
  size_t next = 0;
  std::vector<double> samples;
  samples.reserve(static_cast<size_t>(state.max_iterations));
  for (auto _ : state) {
    const int remainder = form.Game().Remainder();
    const bool finish = remainder <= 170 && !darts::IsUnfinishable(remainder) && !darts::IsImpossibleVisit(remainder);
    const int visit = finish ? remainder : cycle[next++ % std::size(cycle)];
    const auto start = Clock::now();
    TypeVisit(c.MaskEdit1, visit);
    samples.push_back(MicrosecondsSince(start));
    if (form.Game().Remainder() == 0) {
      state.PauseTiming();
      if (form.Game().DartAsked()) SendKey(&form, Qt::Key_F3);  // the finishing dart, when asked
      SendKey(&form, Qt::Key_F7);
      state.ResumeTiming();
    }
  }
  state.counters["median_us"] = MedianMicroseconds(samples);
  state.counters["legs"] = form.Game().LegNumber();
  form.Close();
  ui::ResetSeams();
}
BENCHMARK(BM_SoloVisit)->Iterations(10000)->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_LabelSetText)->Iterations(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

VANTREL_BENCH_MAIN()
