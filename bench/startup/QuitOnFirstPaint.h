// Ends the message loop right after the first paint of the window it watches,
// so that a start-up is timed from the program's start to its first picture.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

class QuitOnFirstPaint : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Paint && !done_) {
      done_ = true;
      // Queued, so that the painted picture reaches the screen first.
      QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  bool done_ = false;
};
