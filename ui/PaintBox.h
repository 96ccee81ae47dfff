#pragma once

#include <QImage>
#include <QWidget>
#include "ui/Canvas.h"

namespace ui {

// Paint box: a canvas that keeps what is drawn on it (pen, brush, font, MoveTo,
// LineTo, TextOut, FloodFill) and shows it.
class TPaintBox : public QWidget {
  Q_OBJECT
 public:
  explicit TPaintBox(QWidget* parent = nullptr);
  TCanvas& Canvas();
  const QImage& Image() const;
  void Clear(TColor color = 0xFFFFFF);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  // The image follows the widget's size (also before the widget is first shown).
  void SyncSize();
  QImage image_;
  TCanvas canvas_;
};

}  // namespace ui
