#include "ui/PaintBox.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

namespace ui {

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
  image_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
  image_.fill(Qt::white);
  canvas_.SetImage(&image_);
  canvas_.SetOnChange([this] { update(); });
}

TCanvas& TPaintBox::Canvas() {
  SyncSize();
  return canvas_;
}

const QImage& TPaintBox::Image() const {
  const_cast<TPaintBox*>(this)->SyncSize();
  return image_;
}

void TPaintBox::Clear(TColor color) {
  SyncSize();
  image_.fill(ToQColor(color));
  update();
}

void TPaintBox::paintEvent(QPaintEvent* e) {
  SyncSize();
  QPainter p(this);
  p.drawImage(e->rect(), image_, e->rect());
}

void TPaintBox::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  SyncSize();
}

void TPaintBox::SyncSize() {
  const QSize size(std::max(1, width()), std::max(1, height()));
  if (size == image_.size()) return;
  // Keep what is drawn; new area is white.
  QImage grown(size, QImage::Format_RGB32);
  grown.fill(Qt::white);
  {
    QPainter p(&grown);
    p.drawImage(0, 0, image_);
  }
  image_ = grown;
}

}  // namespace ui
