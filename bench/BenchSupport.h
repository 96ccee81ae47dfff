// What the window benchmarks share: seams that never wait for a person, the
// last export kept to be cleared away, keys sent straight to a widget, timing by
// the median of the samples, the cheapest label update as the baseline, and
// main() with a headless application.
#pragma once

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "automation/Excel.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/Seams.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double MicrosecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// The middle sample; the samples are reordered.
inline double MedianMicroseconds(std::vector<double>& samples) {
  if (samples.empty()) return 0;
  std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
  return samples[samples.size() / 2];
}

// The application object of the last export.
inline std::shared_ptr<automation::Application>& LastExport() {
  static std::shared_ptr<automation::Application> last;
  return last;
}

// Removes the folder of the last export and lets its workbook go; false when
// there was no workbook written.
inline bool DropLastExport() {
  const std::shared_ptr<automation::Application> app = std::exchange(LastExport(), nullptr);
  if (!app || app->WrittenFile().isEmpty()) return false;
  QDir(QFileInfo(app->WrittenFile()).absolutePath()).removeRecursively();
  return true;
}

// Message boxes answer OK, modal windows open without waiting, and an export
// finds a spreadsheet program that starts and is kept as the last export.
inline void QuietSeams() {
  automation::seams().created = [](const std::shared_ptr<automation::Application>& app) { LastExport() = app; };
  ui::seams().messages = [](const ui::ShownMessage&) { return int(ui::mrOk); };
  ui::seams().modalRunner = [](ui::TForm& form) {
    form.show();
    return form.ModalResult();
  };
  ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
  ui::seams().startDetached = [](const QString&, const QStringList&) { return true; };
}

inline void SendKey(QWidget* w, int key, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(w, &press);
  QCoreApplication::sendEvent(w, &release);
}

// The visit's digits, then Enter.
inline void TypeVisit(QWidget* field, int visit) {
  for (QChar digit : QString::number(visit)) SendKey(field, Qt::Key_0 + (digit.unicode() - '0'), digit);
  SendKey(field, Qt::Key_Return, QStringLiteral("\r"));
}

// The least a visit must cost: one label's text set.
inline void BM_LabelSetText(benchmark::State& state) {
  QLabel label;
  label.show();
  const QString texts[] = {QStringLiteral("441"), QStringLiteral("396")};
  int i = 0;
  std::vector<double> samples;
  samples.reserve(static_cast<size_t>(state.max_iterations));
  for (auto _ : state) {
    const auto start = Clock::now();
    label.setText(texts[i++ & 1]);
    samples.push_back(MicrosecondsSince(start));
  }
  state.counters["median_us"] = MedianMicroseconds(samples);
}

// Off screen unless a platform is named.
inline int RunBenchmarks(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ui::TApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench

#define VANTREL_BENCH_MAIN() \
  int main(int argc, char** argv) { return bench::RunBenchmarks(argc, argv); }
