// The program's start exactly as its entry runs it (every window created in
// order, the main window shown), ending right after the main window's first
// paint.
#include "app/Program.h"
#include "app/SDIMAIN.h"
#include "bench/startup/QuitOnFirstPaint.h"
#include "ui/Application.h"

int main(int argc, char** argv) {
  ui::TApplication app(argc, argv);
  CreateForms();
  QuitOnFirstPaint quit;
  SDIAppForm->installEventFilter(&quit);
  return RunApplication();
}
