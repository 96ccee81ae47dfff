// The yardstick of the start-up benchmark: a Qt program that shows one empty
// window and, like the program with VANTREL_QUIT_WHEN_SHOWN=1, ends right after
// the window's first paint.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class QuitOnFirstPaint : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Paint && !done_) {
      done_ = true;
      QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  bool done_ = false;
};

}  // namespace

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
