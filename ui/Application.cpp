#include "ui/Application.h"

#include <QKeyEvent>
#include <QPointer>

#include "ui/Dialogs.h"
#include "ui/Forms.h"

namespace ui {

namespace {
QPointer<QWidget>& MainFormRef() {
  static QPointer<QWidget> w;
  return w;
}

}  // namespace

void SetMainForm(QWidget* w) { MainFormRef() = w; }
QWidget* MainForm() { return MainFormRef().data(); }

QWidget* RaisingWindow() {
  // The active window is empty for a moment after a box closes (the manager
  // has not yet handed the keyboard back), the top modal window is not.
  for (QWidget* w : {QApplication::activeModalWidget(), QApplication::activeWindow(), MainForm()}) {
    if (w && w->window()->isVisible()) return w->window();
  }
  return nullptr;
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("vantrel"));
}

bool TApplication::notify(QObject* receiver, QEvent* e) {
  try {
    // Key preview: a form sees the key before its focused control. Qt hands a
    // key event to notify once; it travels up to the parents inside.
    if (e->type() == QEvent::KeyPress && receiver->isWidgetType()) {
      auto* w = static_cast<QWidget*>(receiver);
      if (auto* form = qobject_cast<TForm*>(w->window())) {
        if (form->PreviewKey(*static_cast<QKeyEvent*>(e))) return true;
      }
    }
    return QApplication::notify(receiver, e);
  } catch (const std::exception& ex) {
    ShowException(ex);
    return true;
  }
}

}  // namespace ui
