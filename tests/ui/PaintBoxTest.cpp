#include <gtest/gtest.h>

#include <QApplication>
#include <QtTest/QTest>

#include "tests/support/TestSupport.h"
#include "ui/Controls.h"

namespace {

class PaintBoxTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    box.resize(100, 80);
  }
  QColor At(int x, int y) const { return box.Image().pixelColor(x, y); }
  ui::TPaintBox box;
};

const QColor kWhite(255, 255, 255), kBlack(0, 0, 0), kRed(255, 0, 0), kBlue(0, 0, 255);

TEST(ColourTest, ClassLibraryValuesHoldBlueInTheHighByte) {
  const std::pair<ui::TColor, QColor> cases[] = {
      {0xF0CAA6, QColor(166, 202, 240)}, {0x0000FF, QColor(255, 0, 0)}, {0xFF0000, QColor(0, 0, 255)}};
  for (const auto& [value, colour] : cases) EXPECT_EQ(ui::ToQColor(value), colour) << std::hex << value;
}

TEST_F(PaintBoxTest, StartsWhiteAndKeepsDrawingsAcrossRepaintsAndResizes) {
  EXPECT_EQ(box.Image().size(), QSize(100, 80));
  EXPECT_EQ(At(0, 0), kWhite);
  EXPECT_EQ(At(99, 79), kWhite);
  auto& c = box.Canvas();
  c.pen.Color = 0x0000FF;
  c.MoveTo(10, 40);
  c.LineTo(90, 40);
  EXPECT_EQ(c.PenPos(), QPoint(90, 40));
  EXPECT_EQ(At(50, 40), kRed);
  EXPECT_EQ(At(50, 41), kWhite);

  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  box.repaint();
  EXPECT_EQ(box.grab().toImage().pixelColor(50, 40), kRed);

  box.resize(150, 120);
  QApplication::processEvents();
  EXPECT_EQ(box.Image().size(), QSize(150, 120));
  EXPECT_EQ(At(50, 40), kRed);
  EXPECT_EQ(At(140, 110), kWhite);
  EXPECT_EQ(box.grab().toImage().pixelColor(50, 40), kRed);
}

TEST_F(PaintBoxTest, ShapesUsePenAndBrush) {
  auto& c = box.Canvas();
  c.pen.Color = 0;
  c.brush.Color = 0xFF0000;  // blue
  c.Rectangle(QRect(10, 10, 20, 20));
  EXPECT_EQ(At(10, 10), kBlack);  // outline on the first and last pixels
  EXPECT_EQ(At(29, 29), kBlack);
  EXPECT_EQ(At(30, 30), kWhite);
  EXPECT_EQ(At(20, 20), kBlue);
  c.brush.Color = 0x0000FF;
  c.FillRect(QRect(50, 10, 10, 10));
  EXPECT_EQ(At(59, 19), kRed);
  EXPECT_EQ(At(60, 20), kWhite);
}

TEST_F(PaintBoxTest, TextOutDrawsOnTheBrushInTheFontColour) {
  auto& c = box.Canvas();
  c.brush.Color = 0x00FFFF;  // yellow background
  c.font.Color = 0;
  c.font.Height = 14;
  c.TextOut(5, 5, "180");
  const int w = c.TextWidth("180");
  ASSERT_GT(w, 0);
  EXPECT_EQ(c.PenPos(), QPoint(5 + w, 5));
  int ink = 0, background = 0;
  for (int y = 5; y < 5 + c.TextHeight("180"); ++y)
    for (int x = 5; x < 5 + w; ++x) {
      const QColor p = At(x, y);
      if (p == QColor(255, 255, 0)) ++background;
      if (p.red() < 128 && p.green() < 128) ++ink;
    }
  EXPECT_GT(ink, 5);
  EXPECT_GT(background, ink);
  EXPECT_EQ(At(5 + w + 2, 8), kWhite);
}

TEST_F(PaintBoxTest, FloodFillStopsAtTheBorder) {
  const struct {
    const char* name;
    ui::TCanvas::FillStyle style;
    ui::TColor colour;  // surface colour or border colour
    bool fillsInnerMark;
  } cases[] = {
      {"surface", ui::TCanvas::fsSurface, 0xFFFFFF, false},
      {"border", ui::TCanvas::fsBorder, 0x000000, true},
  };
  for (const auto& k : cases) {
    box.Clear();
    auto& c = box.Canvas();
    c.pen.Color = 0;
    c.brush.Color = 0xFFFFFF;
    c.Rectangle(QRect(10, 10, 40, 40));  // closed black outline, 10..49
    c.pen.Color = 0xFF0000;              // a blue mark inside
    c.MoveTo(20, 30);
    c.LineTo(40, 30);
    c.brush.Color = 0x0000FF;
    c.FloodFill(15, 15, k.colour, k.style);
    EXPECT_EQ(At(15, 15), kRed) << k.name;
    EXPECT_EQ(At(48, 48), kRed) << k.name;
    EXPECT_EQ(At(25, 35), kRed) << k.name << ": below the mark";
    EXPECT_EQ(At(10, 10), kBlack) << k.name << ": the border stays";
    EXPECT_EQ(At(49, 30), kBlack) << k.name;
    EXPECT_EQ(At(5, 5), kWhite) << k.name << ": outside stays";
    EXPECT_EQ(At(60, 30), kWhite) << k.name;
    EXPECT_EQ(At(30, 30), k.fillsInnerMark ? kRed : kBlue) << k.name;
  }
}

TEST_F(PaintBoxTest, FloodFillOutsideTheSurfaceColourOrImageChangesNothing) {
  auto& c = box.Canvas();
  c.brush.Color = 0x0000FF;
  c.FloodFill(10, 10, 0x000000, ui::TCanvas::fsSurface);  // the point is not black
  c.FloodFill(-1, 10, 0xFFFFFF, ui::TCanvas::fsSurface);
  c.FloodFill(10, 500, 0xFFFFFF, ui::TCanvas::fsSurface);
  c.FloodFill(10, 10, 0xFFFFFF, ui::TCanvas::fsBorder);  // the point is on the border colour
  for (int y = 0; y < 80; y += 7)
    for (int x = 0; x < 100; x += 7) ASSERT_EQ(At(x, y), kWhite) << x << "," << y;

  // An open shape lets the fill run everywhere.
  c.FloodFill(50, 50, 0xFFFFFF, ui::TCanvas::fsSurface);
  EXPECT_EQ(At(0, 0), kRed);
  EXPECT_EQ(At(99, 79), kRed);
}

TEST_F(PaintBoxTest, CanvasWithoutSurfaceIgnoresDrawing) {
  ui::TCanvas nothing;
  nothing.LineTo(5, 5);
  nothing.FloodFill(0, 0, 0, ui::TCanvas::fsSurface);
  EXPECT_EQ(nothing.PenPos(), QPoint(5, 5));

  // On a painter (a grid cell) flood fill does nothing and does not crash.
  QImage target(20, 20, QImage::Format_RGB32);
  target.fill(Qt::white);
  QPainter p(&target);
  ui::TCanvas onPainter(&p);
  onPainter.brush.Color = 0x0000FF;
  onPainter.FloodFill(5, 5, 0xFFFFFF, ui::TCanvas::fsSurface);
  onPainter.FillRect(QRect(0, 0, 2, 2));
  p.end();
  EXPECT_EQ(target.pixelColor(5, 5), kWhite);
  EXPECT_EQ(target.pixelColor(1, 1), kRed);
}

}  // namespace
