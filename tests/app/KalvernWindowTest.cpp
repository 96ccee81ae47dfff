#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include "app/Kalvern.h"
#include "darts/KalvernTable.h"
#include "tests/support/TestSupport.h"
#include "ui/Controls.h"

namespace {

const QColor kTeal(0, 128, 128);
const QColor kSkyBlue(166, 202, 240);

bool Near(const QColor& a, const QColor& b, int tolerance = 8) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}
bool IsLight(const QColor& c) { return c.red() > 200 && c.green() > 200 && c.blue() > 200; }
bool IsDark(const QColor& c) { return c.red() < 80 && c.green() < 80 && c.blue() < 80; }

int CountPixels(const QImage& img, const QRect& r, bool (*pred)(const QColor&)) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) {
      if (pred(img.pixelColor(x, y))) ++n;
    }
  }
  return n;
}

class KalvernWindowTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    form_ = std::make_unique<TForm_kv>();
    grid_ = form_->findChild<ui::TStringGrid*>("StringGrid1");
    button_ = form_->findChild<QPushButton*>("BitBtn1");
    ASSERT_NE(grid_, nullptr);
    ASSERT_NE(button_, nullptr);
  }
  void TearDown() override {
    form_->Close();
    form_.reset();
    SeamsFixture::TearDown();
  }
  void Show() {
    form_->ShowModal();
    ASSERT_TRUE(form_->isVisible());
    QApplication::processEvents();
  }
  // The grid's viewport as it is painted now.
  QImage GridImage() const { return grid_->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  std::unique_ptr<TForm_kv> form_;
  ui::TStringGrid* grid_ = nullptr;
  QPushButton* button_ = nullptr;
};

TEST_F(KalvernWindowTest, ShowingWritesEveryTextAndFocusesTheButton) {
  // Texts scribbled over between two showings come back at the next one.
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass);
    Show();
    int texts = 0;
    for (int row = 0; row < 30; ++row) {
      for (int col = 0; col < 11; ++col) {
        EXPECT_EQ(grid_->Cell(col, row), rules::KalvernCellText(col, row)) << col << "," << row;
        if (!grid_->Cell(col, row).isEmpty()) ++texts;
      }
    }
    EXPECT_EQ(texts, 240);
    EXPECT_EQ(form_->focusWidget(), button_);
    button_->click();
    EXPECT_FALSE(form_->isVisible());
    grid_->SetCell(0, 0, "x");
    grid_->SetCell(10, 29, "");
  }
}

TEST_F(KalvernWindowTest, CellColours) {
  Show();
  const QImage img = GridImage();
  struct Case {
    int col, row;
    QColor corner;  // colour of the cell's bottom-right corner, away from the text
  };
  const Case cases[] = {
      {0, 0, kTeal},     {1, 10, kTeal},   {2, 20, kTeal},    {10, 20, kTeal},    {2, 5, kSkyBlue},
      {5, 29, kSkyBlue}, {8, 1, kSkyBlue}, {1, 5, Qt::white}, {9, 11, Qt::white}, {4, 19, Qt::white},
  };
  for (const Case& c : cases) {
    const QRect r = grid_->CellRect(c.col, c.row);
    const QColor got = img.pixelColor(r.right() - 1, r.bottom() - 1);
    EXPECT_TRUE(Near(got, c.corner)) << c.col << "," << c.row << " " << got.name().toStdString();
  }
  // Plain rows: black text on white; band rows: white text on teal, no black left.
  for (int row : {1, 9, 11, 29}) {
    EXPECT_GT(CountPixels(img, grid_->CellRect(1, row), IsDark), 10) << row;
  }
  for (int row : {0, 10, 20}) {
    for (int col : {0, 1, 3, 4, 6, 7, 9, 10}) {
      const QRect r = grid_->CellRect(col, row);
      EXPECT_GT(CountPixels(img, r, IsLight), 10) << col << "," << row;
      EXPECT_EQ(CountPixels(img, r, IsDark), 0) << col << "," << row;
    }
  }
}

TEST_F(KalvernWindowTest, BandTextsStayWhiteOnTealAfterOtherCellsRepaint) {
  Show();
  grid_->SetCell(4, 5, "  changed");
  grid_->SetRow(7);
  grid_->Repaint();
  QApplication::processEvents();
  const QImage whole = GridImage();

  // Paint single cells again over a marked picture, as the grid does for a
  // changed cell: a band cell repainted alone still shows its white text, and
  // repainting a plain cell leaves the band rows as they were.
  struct Case {
    int col, row;
  };
  const Case cases[] = {{1, 10}, {0, 0}, {10, 20}, {4, 5}, {2, 9}, {1, 11}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.col << "," << c.row);
    QImage img = whole;
    const QRect cell = grid_->CellRect(c.col, c.row);
    {
      QPainter p(&img);
      p.fillRect(cell, Qt::magenta);
      grid_->viewport()->render(&p, cell.topLeft(), QRegion(cell), QWidget::RenderFlags());
    }
    EXPECT_EQ(img.copy(cell), whole.copy(cell));
    for (int band : {0, 10, 20}) {
      const QRect r = grid_->CellRect(1, band);
      EXPECT_EQ(img.copy(r), whole.copy(r));
    }
  }
  const QRect band = grid_->CellRect(1, 10);
  EXPECT_GT(CountPixels(whole, band, IsLight), 10);
  EXPECT_EQ(CountPixels(whole, band, IsDark), 0);
  EXPECT_TRUE(Near(whole.pixelColor(band.right() - 1, band.bottom() - 1), kTeal));
}

}  // namespace
