// The caption a window draws at its top when the window manager draws it no
// title bar: the window's icon and title in the colours of the manager's own
// title bars, and a handle to move the window by.
#pragma once

#include <QWidget>

namespace ui {

class CaptionStrip : public QWidget {
 public:
  // Lies across the top of `window` (a top-level widget) and follows its
  // width, title, icon and active state, as high as the manager's title bar
  // with the line beneath it. Takes no focus and no keys.
  explicit CaptionStrip(QWidget* window);

 protected:
  void paintEvent(QPaintEvent* e) override;
  // Dragging with the left button moves the window, as the manager's title
  // bar does; a click does nothing (the manager is asked to move the window
  // only while the button is still down, so that it sees the button let go).
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QPointF pressedAt_;
  bool pressed_ = false;
  bool moving_ = false;  // the manager was asked to move the window
};

}  // namespace ui
