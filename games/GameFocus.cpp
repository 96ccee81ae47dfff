#include "games/GameFocus.h"

#include <QPushButton>
#include <QWidget>

namespace games {

void TabFocusButtons(QWidget& window) {
  for (QPushButton* b : window.findChildren<QPushButton*>()) {
    if (b->focusPolicy() != Qt::NoFocus) b->setFocusPolicy(Qt::TabFocus);
  }
}

void RestFocus(QWidget& window) { window.setFocus(Qt::OtherFocusReason); }

}  // namespace games
