// Writing a statistics file of 1500 lines.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "darts/FileLine.h"
#include "gamekit/GameConventions.h"
#include "ui/Seams.h"

namespace {

void BM_StatisticsFile1500Lines(benchmark::State& state) {
  QTemporaryDir dir;
  QDir(dir.path()).mkpath("501");
  ui::seams().currentDir = [p = dir.path()] { return p; };
  QStringList cells{"12", "Средн.", "45,67", "60,50", "", "Сумма", "3", "2", "1", "0", "0"};
  for (auto _ : state) {
    gamekit::StatisticsFile file("501");
    file.AddRawLine(file.Stamp());
    file.AddRawLine(
        "Лег;Кол-во дротиков;На 1 дротик;Средний набор;Закрыл число;Каким дротиком;60 +;80 +;100 +;140 +;180;");
    for (int i = 0; i < 1500; ++i) {
      cells[0] = QString::number(i);
      file.AddRawLine(darts::FileLine(cells));
    }
    if (!file.Write()) state.SkipWithError("write failed");
  }
  ui::ResetSeams();
}
BENCHMARK(BM_StatisticsFile1500Lines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
