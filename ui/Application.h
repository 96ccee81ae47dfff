// The application object: the main form, and the default error report for an
// exception that reaches the event loop.
#pragma once

#include <QApplication>

namespace ui {

class TApplication : public QApplication {
  Q_OBJECT
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* e) override;
};

// The main form: the first window created; forms are centred on it.
void SetMainForm(QWidget* w);
QWidget* MainForm();

// The window a box or a modal form opened now belongs to: the top modal window
// showing, else the active window, else the main form (null when none of them
// is shown). A box stands above it and stays on top with it.
QWidget* RaisingWindow();

}  // namespace ui
