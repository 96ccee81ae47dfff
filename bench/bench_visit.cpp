// One visit of solo practice: the score typed into the field, Enter, and every
// panel, sheet cell and suggestion brought up to date; beside it the cheapest
// thing the window must do anyway, setting one label's text.
#include <benchmark/benchmark.h>

#include <QKeyEvent>
#include <QLabel>
#include <algorithm>
#include <chrono>
#include <vector>

#include "app/Form_501s.h"
#include "darts/DartsRules.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/Seams.h"

namespace {

using Clock = std::chrono::steady_clock;

void SendKey(QWidget* w, int key, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(w, &press);
  QCoreApplication::sendEvent(w, &release);
}

void TypeVisit(QWidget* field, int visit) {
  for (QChar digit : QString::number(visit)) SendKey(field, Qt::Key_0 + (digit.unicode() - '0'), digit);
  SendKey(field, Qt::Key_Return, QStringLiteral("\r"));
}

double MedianMicroseconds(std::vector<double>& samples) {
  if (samples.empty()) return 0;
  std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
  return samples[samples.size() / 2];
}

void BM_SoloVisit(benchmark::State& state) {
  ui::seams().messages = [](const ui::ShownMessage&) { return int(ui::mrOk); };
  ui::seams().modalRunner = [](ui::TForm& form) {
    form.show();
    return form.ModalResult();
  };
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
    const int remainder = form.Remainder;
    const bool finish = remainder <= 170 && !darts::IsUnfinishable(remainder) && !darts::IsImpossibleVisit(remainder);
    const int visit = finish ? remainder : cycle[next++ % std::size(cycle)];
    const auto start = Clock::now();
    TypeVisit(c.MaskEdit1, visit);
    samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    if (form.Remainder == 0) {
      state.PauseTiming();
      if (form.LegDarts == 1) SendKey(&form, Qt::Key_F3);  // the finishing dart, when asked
      SendKey(&form, Qt::Key_F7);
      state.ResumeTiming();
    }
  }
  state.counters["median_us"] = MedianMicroseconds(samples);
  state.counters["legs"] = form.LegNumber;
  form.Close();
  ui::ResetSeams();
}
BENCHMARK(BM_SoloVisit)->Iterations(10000)->Unit(benchmark::kMicrosecond);

void BM_LabelSetText(benchmark::State& state) {
  QLabel label;
  label.show();
  const QString texts[] = {QStringLiteral("441"), QStringLiteral("396")};
  int i = 0;
  std::vector<double> samples;
  samples.reserve(static_cast<size_t>(state.max_iterations));
  for (auto _ : state) {
    const auto start = Clock::now();
    label.setText(texts[i++ & 1]);
    samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  state.counters["median_us"] = MedianMicroseconds(samples);
}
BENCHMARK(BM_LabelSetText)->Iterations(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ui::TApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
