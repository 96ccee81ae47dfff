// A yardstick of the start-up benchmark: a Qt program that shows one empty
// window of the main window's size and ends right after its first paint.
#include <QApplication>
#include <QWidget>

#include "bench/startup/QuitOnFirstPaint.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(963, 1011);
  QuitOnFirstPaint quit;
  window.installEventFilter(&quit);
  window.show();
  QApplication::exec();
  return 0;
}
