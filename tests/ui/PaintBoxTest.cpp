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
  // A closed black outline from (10,10) to (49,49) and a blue mark inside it.
  void DrawOutlineWithMark() {
    auto& c = box.Canvas();
    c.pen.Color = 0;
    c.MoveTo(10, 10);
    for (const QPoint p : {QPoint(49, 10), QPoint(49, 49), QPoint(10, 49), QPoint(10, 10)}) c.LineTo(p.x(), p.y());
    c.pen.Color = 0xFF0000;
    c.MoveTo(20, 30);
    c.LineTo(40, 30);
  }
  ui::TPaintBox box;
};

// Colours are the class library's values: red in the low byte.
const QColor kWhite(255, 255, 255), kBlack(0, 0, 0), kRed(255, 0, 0), kBlue(0, 0, 255);

TEST_F(PaintBoxTest, KeepsDrawingsAcrossRepaintsAndResizes) {
  EXPECT_EQ(At(99, 79), kWhite);
  auto& c = box.Canvas();
  c.pen.Color = 0x0000FF;
  c.MoveTo(10, 40);
  c.LineTo(90, 40);
  EXPECT_EQ(At(50, 40), kRed);
  EXPECT_EQ(At(50, 41), kWhite);
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  box.resize(150, 120);
  QApplication::processEvents();
  EXPECT_EQ(box.Image().size(), QSize(150, 120));
  EXPECT_EQ(At(50, 40), kRed);
  EXPECT_EQ(At(140, 110), kWhite);
  EXPECT_EQ(box.grab().toImage().pixelColor(50, 40), kRed);
}

// A surface fill covers the white around the mark; a border fill runs over
// everything but the black outline.
TEST_F(PaintBoxTest, FloodFillStopsAtTheBorder) {
  for (const auto& [style, colour, fillsMark] :
       {std::tuple{ui::TCanvas::fsSurface, 0xFFFFFFu, false}, std::tuple{ui::TCanvas::fsBorder, 0x000000u, true}}) {
    SCOPED_TRACE(style);
    box.Clear();
    DrawOutlineWithMark();
    box.Canvas().brush.Color = 0x0000FF;
    box.Canvas().FloodFill(15, 15, colour, style);
    for (const QPoint in : {QPoint(15, 15), QPoint(48, 48), QPoint(25, 35)}) EXPECT_EQ(At(in.x(), in.y()), kRed);
    for (const QPoint edge : {QPoint(10, 10), QPoint(49, 30)}) EXPECT_EQ(At(edge.x(), edge.y()), kBlack);
    for (const QPoint out : {QPoint(5, 5), QPoint(60, 30)}) EXPECT_EQ(At(out.x(), out.y()), kWhite);
    EXPECT_EQ(At(30, 30), fillsMark ? kRed : kBlue);
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

}  // namespace
