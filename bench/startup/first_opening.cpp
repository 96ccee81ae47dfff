// The cost of opening each window the first time beside its later openings:
// every window is created as at the program's start, then each is opened (shown,
// exposed and painted) and closed RUNS times. Prints, per window, the first
// opening, the median of the later ones and their difference in milliseconds.
// Run it under a virtual X server (run.sh does) or with QT_QPA_PLATFORM=offscreen.
#include <QElapsedTimer>
#include <QtTest/QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/ABOUT.h"
#include "app/Form_501s.h"
#include "app/Kalvern.h"
#include "app/Program.h"
#include "app/SDIMAIN.h"
#include "app/f501.h"
#include "app/form_501double.h"
#include "app/help_pravilo.h"
#include "app/history.h"
#include "app/kontrovoi.h"
#include "games/Form_ddv_r.h"
#include "games/ddv.h"
#include "games/form_27.h"
#include "games/form_50.h"
#include "games/form_60.h"
#include "games/kriket.h"
#include "games/nabor.h"
#include "games/sector.h"
#include "tournament/blank.h"
#include "ui/Application.h"
#include "ui/Seams.h"

namespace {

double OpenOnce(ui::TForm& form) {
  QElapsedTimer t;
  t.start();
  form.ShowModal();
  (void)QTest::qWaitForWindowExposed(&form, 2000);
  form.repaint();
  const double ms = t.nsecsElapsed() / 1e6;
  form.Close();
  QCoreApplication::processEvents();
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  ui::TApplication app(argc, argv);
  const int runs = std::max(2, qEnvironmentVariableIntValue("RUNS") ? qEnvironmentVariableIntValue("RUNS") : 5);
  CreateForms();
  SDIAppForm->show();
  (void)QTest::qWaitForWindowExposed(SDIAppForm, 2000);
  // Opened without a nested loop: the form is shown and the call returns.
  ui::seams().modalRunner = [](ui::TForm& form) {
    form.show();
    return form.ModalResult();
  };
  const std::pair<const char*, ui::TForm*> windows[] = {
      {"AboutBox", AboutBox},
      {"Form_n", Form_n},
      {"Form_501", Form_501},
      {"Form_501_s", Form_501_s},
      {"Form_kv", Form_kv},
      {"Form60", Form60},
      {"Form50", Form50},
      {"Formsector", Formsector},
      {"Form27", Form27},
      {"Form_k", Form_k},
      {"Form_ddv", Form_ddv},
      {"Form_ddv_raschet", Form_ddv_raschet},
      {"Form_pravilo", Form_pravilo},
      {"Form_501d", Form_501d},
      {"Form_kontr", Form_kontr},
      {"Form_blank", Form_blank},
      {"Form_history", Form_history},
  };
  // As in the program, the hidden windows are made ready while it waits for
  // the player (NOPREPARE=1 leaves it out, to see a first showing's whole cost).
  if (!qEnvironmentVariableIntValue("NOPREPARE")) {
    bool ready = false;
    PrepareWindows([&ready] { ready = true; });
    while (!ready) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  std::printf("%-18s %9s %9s %9s\n", "window", "first", "later", "extra");
  double worst = 0;
  for (const auto& [name, form] : windows) {
    const double first = OpenOnce(*form);
    std::vector<double> later;
    for (int i = 1; i < runs; ++i) later.push_back(OpenOnce(*form));
    std::sort(later.begin(), later.end());
    const double median = later[later.size() / 2];
    worst = std::max(worst, first - median);
    std::printf("%-18s %7.2f ms %6.2f ms %6.2f ms\n", name, first, median, first - median);
  }
  std::printf("largest extra cost of a first opening: %.2f ms (target: under 10 ms)\n", worst);
  SDIAppForm->hide();
  DestroyForms();
  return 0;
}
