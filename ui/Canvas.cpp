#include "ui/Canvas.h"

#include <QFontMetrics>
#include <algorithm>
#include <utility>

namespace ui {

QColor ToQColor(TColor c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

QFont TCanvas::QtFont() const {
  QFont f(font.Name);
  if (font.Height != 0) {
    f.setPixelSize(std::abs(font.Height));
  } else {
    f.setPointSize(font.Size > 0 ? font.Size : 8);
  }
  f.setBold(font.Bold);
  f.setItalic(font.Italic);
  return f;
}

void TCanvas::Prepare(QPainter& p) const {
  QPen qpen(ToQColor(pen.Color));
  qpen.setWidth(std::max(1, pen.Width));
  qpen.setJoinStyle(Qt::MiterJoin);
  p.setPen(qpen);
  p.setBrush(ToQColor(brush.Color));
  p.setFont(QtFont());
  p.setRenderHint(QPainter::Antialiasing, false);
}

void TCanvas::Draw(const std::function<void(QPainter&)>& op) {
  if (painter_ && painter_->isActive()) {
    painter_->save();
    Prepare(*painter_);
    op(*painter_);
    painter_->restore();
  } else if (image_ && !image_->isNull()) {
    QPainter p(image_);
    Prepare(p);
    op(p);
  } else {
    return;
  }
  if (onChange_) onChange_();
}

void TCanvas::FillRect(const QRect& r) {
  const QColor c = ToQColor(brush.Color);
  Draw([&](QPainter& p) { p.fillRect(r, c); });
}

void TCanvas::TextOut(int x, int y, const QString& text) {
  const QFont f = QtFont();
  const QFontMetrics fm(f);
  const QRect box(x, y, fm.horizontalAdvance(text), fm.height());
  const QColor back = ToQColor(brush.Color);
  const QColor fore = ToQColor(font.Color);
  Draw([&](QPainter& p) {
    p.fillRect(box, back);
    p.setPen(fore);
    p.drawText(QPoint(x, y + fm.ascent()), text);
  });
  penPos_ = QPoint(x + box.width(), y);
}

void TCanvas::TextRect(const QRect& rect, int x, int y, const QString& text) {
  const QFont f = QtFont();
  const QFontMetrics fm(f);
  const QColor back = ToQColor(brush.Color);
  const QColor fore = ToQColor(font.Color);
  Draw([&](QPainter& p) {
    p.fillRect(rect, back);
    p.setClipRect(rect, Qt::IntersectClip);
    p.setPen(fore);
    p.drawText(QPoint(x, y + fm.ascent()), text);
  });
}

void TCanvas::MoveTo(int x, int y) { penPos_ = QPoint(x, y); }

void TCanvas::LineTo(int x, int y) {
  const QPoint from = penPos_, to(x, y);
  Draw([&](QPainter& p) { p.drawLine(from, to); });
  penPos_ = to;
}

int TCanvas::TextWidth(const QString& text) const { return QFontMetrics(QtFont()).horizontalAdvance(text); }

int TCanvas::TextHeight(const QString&) const { return QFontMetrics(QtFont()).height(); }

void TCanvas::FloodFill(int x, int y, TColor color, FillStyle style) {
  // Filling needs the pixels, so it works on the paint box's image only.
  if (!image_ || image_->isNull() || (painter_ && painter_->isActive() && painter_->device() != image_)) return;
  if (!image_->rect().contains(x, y)) return;
  if (image_->format() != QImage::Format_RGB32 && image_->format() != QImage::Format_ARGB32)
    *image_ = image_->convertToFormat(QImage::Format_RGB32);
  const QRgb boundary = ToQColor(color).rgb() & 0xFFFFFF;
  const QRgb fill = ToQColor(brush.Color).rgb();
  const int w = image_->width(), h = image_->height();
  auto colourAt = [&](int px, int py) {
    return reinterpret_cast<const QRgb*>(image_->constScanLine(py))[px] & 0xFFFFFF;
  };
  // fsSurface: the area of `color` around the point; fsBorder: everything up to `color`.
  auto inside = [&](int px, int py) {
    const QRgb c = colourAt(px, py);
    return style == fsSurface ? c == boundary : c != boundary;
  };
  if (!inside(x, y)) return;
  if (style == fsSurface && (fill & 0xFFFFFF) == boundary) return;  // nothing would change

  std::vector<unsigned char> done(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
  std::vector<QPoint> stack{QPoint(x, y)};
  while (!stack.empty()) {
    const QPoint pt = stack.back();
    stack.pop_back();
    int lx = pt.x();
    const int py = pt.y();
    if (done[static_cast<size_t>(py) * w + lx] || !inside(lx, py)) continue;
    while (lx > 0 && !done[static_cast<size_t>(py) * w + lx - 1] && inside(lx - 1, py)) --lx;
    int rx = pt.x();
    while (rx + 1 < w && !done[static_cast<size_t>(py) * w + rx + 1] && inside(rx + 1, py)) ++rx;
    QRgb* line = reinterpret_cast<QRgb*>(image_->scanLine(py));
    for (int i = lx; i <= rx; ++i) {
      line[i] = fill;
      done[static_cast<size_t>(py) * w + i] = 1;
    }
    for (int ny : {py - 1, py + 1}) {
      if (ny < 0 || ny >= h) continue;
      bool inRun = false;
      for (int i = lx; i <= rx; ++i) {
        const bool ok = !done[static_cast<size_t>(ny) * w + i] && inside(i, ny);
        if (ok && !inRun) stack.emplace_back(i, ny);
        inRun = ok;
      }
    }
  }
  if (onChange_) onChange_();
}

}  // namespace ui
