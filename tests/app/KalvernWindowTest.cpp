// The checkout-variant table: its colours after any repaint.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QPushButton>

#include "app/Kalvern.h"
#include "tests/support/TestSupport.h"
#include "ui/Controls.h"

namespace {

const QColor kTeal(0, 128, 128);
const QColor kSkyBlue(166, 202, 240);

bool Near(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 && std::abs(a.blue() - b.blue()) <= 8;
}
// How many pixels of the cell are light (above 200) or dark (below 80) in every channel.
int Count(const QImage& img, const QRect& r, bool light) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      const QColor c = img.pixelColor(x, y);
      const int lo = std::min({c.red(), c.green(), c.blue()}), hi = std::max({c.red(), c.green(), c.blue()});
      n += light ? lo > 200 : hi < 80;
    }
  return n;
}

class KalvernWindowTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    form.ShowModal();
    QApplication::processEvents();
    grid = form.findChild<ui::TStringGrid*>("StringGrid1");
    ASSERT_NE(grid, nullptr);
  }
  void TearDown() override {
    form.Close();
    SeamsFixture::TearDown();
  }
  QImage GridImage() const { return grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  TForm_kv form;
  ui::TStringGrid* grid = nullptr;
};

// Band rows are white text on teal, the score columns sky blue, the rest black
// on white; repainting one cell alone, as the grid does for a changed cell,
// gives that cell and the band rows as the whole picture has them.
TEST_F(KalvernWindowTest, CellColoursSurviveRepaintingSingleCells) {
  grid->SetCell(4, 5, "  changed");
  grid->SetRow(7);
  grid->Repaint();
  QApplication::processEvents();
  const QImage whole = GridImage();
  struct Case {
    int col, row;
    QColor corner;  // the cell's bottom-right corner, away from the text
  };
  const Case cases[] = {{0, 0, kTeal},    {1, 10, kTeal},    {10, 20, kTeal},    {2, 5, kSkyBlue},
                        {8, 1, kSkyBlue}, {4, 5, Qt::white}, {1, 11, Qt::white}, {9, 11, Qt::white}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.col << "," << c.row);
    const QRect cell = grid->CellRect(c.col, c.row);
    EXPECT_TRUE(Near(whole.pixelColor(cell.right() - 1, cell.bottom() - 1), c.corner));
    const bool band = c.corner == kTeal;
    if (c.corner != kSkyBlue) {  // the sky-blue cells hold no text
      EXPECT_GT(Count(whole, cell, band), 10) << "the text";
      EXPECT_EQ(band ? Count(whole, cell, false) : 0, 0) << "no black on a band";
    }
    QImage img = whole;
    {
      QPainter p(&img);
      p.fillRect(cell, Qt::magenta);
      grid->viewport()->render(&p, cell.topLeft(), QRegion(cell), QWidget::RenderFlags());
    }
    EXPECT_EQ(img.copy(cell), whole.copy(cell));
    for (int row : {0, 10, 20}) EXPECT_EQ(img.copy(grid->CellRect(1, row)), whole.copy(grid->CellRect(1, row)));
  }
}

}  // namespace
