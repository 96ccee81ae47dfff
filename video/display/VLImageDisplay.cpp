#include "video/display/VLImageDisplay.h"

#include <QPainter>

namespace video {

TVLImageDisplay::TVLImageDisplay(QWidget* parent)
    : QWidget(parent),
      InputPin(VideoStreamType(), [this](const TVLImageBuffer& f) { handoff_.Post(f); }),
      handoff_(this, kQueueBound, [this](TVLImageBuffer&& f) { Draw(std::move(f)); }) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

TVLImageDisplay::~TVLImageDisplay() {
  // No frame may arrive once the queue is gone.
  if (auto* s = InputPin.Source()) s->Disconnect(InputPin);
}

void TVLImageDisplay::SetAspectRatio(int x, int y) {
  if (x <= 0 || y <= 0) return;
  aspect_ = QSize(x, y);
  update();
}

QRect TVLImageDisplay::PictureRect() const {
  const int w = width(), h = height();
  if (w <= 0 || h <= 0) return {};
  // Widest picture of the ratio that fits.
  int pw = w, ph = int(int64_t(w) * aspect_.height() / aspect_.width());
  if (ph > h) {
    ph = h;
    pw = int(int64_t(h) * aspect_.width() / aspect_.height());
  }
  return QRect((w - pw) / 2, (h - ph) / 2, pw, ph);
}

void TVLImageDisplay::Draw(TVLImageBuffer&& frame) {
  // A frame still on its way when the display was hidden is not kept.
  if (frame.Empty() || isHidden()) return;
  // The picture reads the frame's own pixels, which stay unchanged while shared.
  current_ = std::move(frame);
  picture_ = QImage(current_.Read(), current_.Width(), current_.Height(), current_.LineBytes(), QImage::Format_RGB888);
  ++drawn_;
  lastSequence_ = current_.Sequence();
  update();
}

void TVLImageDisplay::hideEvent(QHideEvent* e) {
  handoff_.Clear();
  picture_ = QImage();
  current_ = TVLImageBuffer();
  QWidget::hideEvent(e);
}

void TVLImageDisplay::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  if (!picture_.isNull()) p.drawImage(PictureRect(), picture_);
}

}  // namespace video
