// The drawing surface of a grid cell or a paint box. Colours are the class
// library's values (0x00BBGGRR).
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <functional>

namespace ui {

using TColor = unsigned int;
QColor ToQColor(TColor c);

// Drawing surface of a grid cell or a paint box.
class TCanvas {
 public:
  struct Brush {
    TColor Color = 0xFFFFFF;
  } brush;
  struct Pen {
    TColor Color = 0;
    int Width = 1;
  } pen;
  struct Font {
    QString Name = QStringLiteral("Arial");
    int Size = 8;    // points
    int Height = 0;  // pixels; used when not 0
    bool Bold = false;
    bool Italic = false;
    TColor Color = 0;
  } font;

  explicit TCanvas(QPainter* p = nullptr) : painter_(p) {}
  void SetPainter(QPainter* p) { painter_ = p; }

  void FillRect(const QRect& r);
  void TextOut(int x, int y, const QString& text);
  // Text clipped to rect, drawn with its top-left at (x, y), on the brush.
  void TextRect(const QRect& rect, int x, int y, const QString& text);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  int TextWidth(const QString& text) const;
  int TextHeight(const QString& text) const;
  QFont QtFont() const;

  // Only where the canvas draws on an image (paint box).
  enum FillStyle { fsSurface, fsBorder };
  void FloodFill(int x, int y, TColor color, FillStyle style);
  void SetImage(QImage* img) { image_ = img; }
  // Called after each drawing operation on the image (the paint box repaints).
  void SetOnChange(std::function<void()> f) { onChange_ = std::move(f); }

 private:
  // Runs a drawing operation on the painter in use or, without one, on a painter
  // opened on the image for this operation only.
  void Draw(const std::function<void(QPainter&)>& op);
  void Prepare(QPainter& p) const;
  QPainter* painter_ = nullptr;
  QImage* image_ = nullptr;
  QPoint penPos_;
  std::function<void()> onChange_;
};

}  // namespace ui
