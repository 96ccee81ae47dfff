#include "ui/Application.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>

#include "ui/Dialogs.h"
#include "ui/Forms.h"

namespace ui {

namespace {
QPointer<QWidget>& MainFormRef() {
  static QPointer<QWidget> w;
  return w;
}

// The style draws a focused control's focus frame only after the keyboard has
// moved the focus in its window; a window that gives a control the focus
// itself would leave it looking unfocused. Here every focused control is drawn
// as if the keyboard had brought the focus; unfocused ones are drawn as before.
class FocusFrameStyle : public QProxyStyle {
 public:
  void drawPrimitive(PrimitiveElement pe, const QStyleOption* opt, QPainter* p, const QWidget* w) const override {
    WithFrame(opt, [&](const QStyleOption* o) { QProxyStyle::drawPrimitive(pe, o, p, w); });
  }
  void drawControl(ControlElement ce, const QStyleOption* opt, QPainter* p, const QWidget* w) const override {
    WithFrame(opt, [&](const QStyleOption* o) { QProxyStyle::drawControl(ce, o, p, w); });
  }
  void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* opt, QPainter* p,
                          const QWidget* w) const override {
    WithFrame(opt, [&](const QStyleOption* o) {
      QProxyStyle::drawComplexControl(cc, static_cast<const QStyleOptionComplex*>(o), p, w);
    });
  }

 private:
  template <class Draw>
  static void WithFrame(const QStyleOption* opt, Draw&& draw) {
    if (!opt || !(opt->state & State_HasFocus) || (opt->state & State_KeyboardFocusChange)) return draw(opt);
    // The option's own type is kept: a copy of the base part would lose the
    // button's text or the combo box's state.
    const QStyle::State saved = opt->state;
    auto* o = const_cast<QStyleOption*>(opt);
    o->state |= State_KeyboardFocusChange;
    draw(o);
    o->state = saved;
  }
};

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
  setStyle(new FocusFrameStyle);
}

bool TApplication::notify(QObject* receiver, QEvent* e) {
  try {
    // Every label shows its text as typed: a player's name or a file's line
    // is never read as markup (a picture to load, a font to draw).
    if (e->type() == QEvent::Polish) {
      if (auto* label = qobject_cast<QLabel*>(receiver)) label->setTextFormat(Qt::PlainText);
    }
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
