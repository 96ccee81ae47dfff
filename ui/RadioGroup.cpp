#include "ui/RadioGroup.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>

namespace ui {

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent) {}

QStringList TRadioGroup::Items() const { return items_; }

// Items replaced in place keep their buttons, and with them the buttons' place
// in the tab order; the choice is cleared, as for a new list.
void TRadioGroup::setItems(const QStringList& items) {
  setItemIndex(-1);
  items_ = items;
  while (buttons_.size() > static_cast<size_t>(items.size())) {
    delete buttons_.back();
    buttons_.pop_back();
  }
  for (int i = 0; i < items.size(); ++i) {
    if (static_cast<size_t>(i) < buttons_.size()) continue;
    auto* b = new QRadioButton(this);
    b->setObjectName(objectName() + QStringLiteral("Item") + QString::number(i));
    b->installEventFilter(this);
    connect(b, &QAbstractButton::toggled, this, [this](bool on) {
      FollowChoice();
      if (on) emit Click();
    });
    buttons_.push_back(b);
  }
  // Focus given to the group goes to its first item, and the group's place in
  // the tab order is that of its items.
  setFocusProxy(buttons_.empty() ? nullptr : buttons_.front());
  FollowChoice();
  Arrange();
}

void TRadioGroup::setColumns(int columns) {
  columns_ = std::max(1, columns);
  Arrange();
}

int TRadioGroup::ItemIndex() const {
  for (size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i]->isChecked()) return static_cast<int>(i);
  return -1;
}

void TRadioGroup::setItemIndex(int index) {
  if (index == ItemIndex()) return;
  if (index < 0 || index >= static_cast<int>(buttons_.size())) {
    // Exclusive buttons cannot all be cleared while they hold each other.
    for (QRadioButton* b : buttons_) {
      b->setAutoExclusive(false);
      b->setChecked(false);
      b->setAutoExclusive(true);
    }
    return;
  }
  buttons_[static_cast<size_t>(index)]->setChecked(true);
}

QRadioButton* TRadioGroup::Button(int index) const {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return nullptr;
  return buttons_[static_cast<size_t>(index)];
}

// Only the chosen item (the first while none is) takes the focus by Tab; the
// others take it by click or arrow.
void TRadioGroup::FollowChoice() {
  const int stop = std::max(0, ItemIndex());
  for (size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->setFocusPolicy(static_cast<int>(i) == stop ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

// Right and Down choose the next item, Left and Up the previous one; at either
// end the key does nothing.
bool TRadioGroup::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() != QEvent::KeyPress) return QGroupBox::eventFilter(watched, e);
  const auto* key = static_cast<QKeyEvent*>(e);
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  int step = 0;
  if (key->key() == Qt::Key_Right || key->key() == Qt::Key_Down) step = 1;
  if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Up) step = -1;
  if (step == 0) return false;
  const auto at = std::find(buttons_.begin(), buttons_.end(), watched);
  if (at == buttons_.end()) return false;
  const long next = (at - buttons_.begin()) + step;
  if (next >= 0 && next < static_cast<long>(buttons_.size())) {
    QRadioButton* b = buttons_[static_cast<size_t>(next)];
    b->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    b->click();
  }
  return true;
}

void TRadioGroup::resizeEvent(QResizeEvent* e) {
  QGroupBox::resizeEvent(e);
  Arrange();
}

void TRadioGroup::changeEvent(QEvent* e) {
  QGroupBox::changeEvent(e);
  if (e->type() == QEvent::FontChange) Arrange();
}

// Items fill the columns top to bottom, each column an equal share of the
// width and each row an equal share of the height below the caption.
void TRadioGroup::Arrange() {
  if (buttons_.empty()) return;
  const int count = static_cast<int>(buttons_.size());
  const int perColumn = (count + columns_ - 1) / columns_;
  const int textHeight = QFontMetrics(font()).height();
  const int room = std::max(0, height() - textHeight - 5);
  const int buttonWidth = std::max(1, (width() - 10) / columns_);
  const int buttonHeight = std::max(1, room / perColumn);
  const int topMargin = textHeight + 1 + (room % perColumn) / 2;
  for (int i = 0; i < count; ++i) {
    QRadioButton* b = buttons_[static_cast<size_t>(i)];
    b->setGeometry((i / perColumn) * buttonWidth + 8, (i % perColumn) * buttonHeight + topMargin, buttonWidth,
                   buttonHeight);
    // The text beside the indicator, within the button's column; a doubled
    // "&" shows one "&".
    const int indicator = b->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, b) +
                          b->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, b);
    const int room = std::max(0, buttonWidth - indicator - 4);
    const QString shown = b->fontMetrics().elidedText(items_.value(i), Qt::ElideRight, room);
    b->setText(QString(shown).replace(QLatin1Char('&'), QStringLiteral("&&")));
  }
}

}  // namespace ui
