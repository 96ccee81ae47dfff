// The about box at every showing, how every text window is left, and the
// colours of the checkout-variant table.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "app/ABOUT.h"
#include "app/Kalvern.h"
#include "app/help_pravilo.h"
#include "app/history.h"
#include "tests/support/TestSupport.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"

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

class InfoWindowsTest : public testing_support::SeamsFixture {};

TEST_F(InfoWindowsTest, EveryShowingStampsTheHiddenLabelAndMakesTheTestFolder) {
  QTemporaryDir dir;
  const QString base = QDir(dir.path()).absolutePath();
  ASSERT_TRUE(QFile(base + "/plain.txt").open(QIODevice::WriteOnly));
  ASSERT_TRUE(QDir(base).mkdir("slash") && QDir(base).mkpath("tested/Test"));
  // The program's folder as the system gives it: with a trailing separator,
  // holding Test already, or a file.
  const QDateTime when(QDate(2012, 5, 10), QTime(14, 35, 20));
  for (const QString& given : {base + "/slash/", base + "/tested", base + "/plain.txt"}) {
    SCOPED_TRACE(given.toStdString());
    ui::seams().programDir = [&] { return given; };
    const QString folder = QDir::cleanPath(given);
    testing_support::FixedClock clock(when);
    testing_support::ScriptedMessages msgs;  // the window shows without any message
    TAboutBox about;
    auto* label2 = about.findChild<QLabel*>("Label2");
    ASSERT_NE(label2, nullptr);
    for (int showing = 0; showing < 2; ++showing) {
      about.ShowModal();
      // The folder and the date-time text follow each other without a separator.
      EXPECT_EQ(label2->text(), folder + ui::DateTimeToStr(when.addSecs(3600 * showing)));
      EXPECT_EQ(QFileInfo(folder + "/Test").isDir(), !given.endsWith(".txt"));
      EXPECT_FALSE(ui::Visible(label2));
      EXPECT_EQ(about.focusWidget(), about.findChild<QPushButton*>("OKButton"));
      about.Close();
      // Shown again an hour later, after the folder was removed: made anew.
      QDir(folder).rmdir("Test");
      clock.AddSecs(3600);
    }
    EXPECT_TRUE(msgs.Log().empty());
  }
}

// Each text window is left by its exit button (click, or Enter where the
// button has the focus, as the about box and the checkout table give it) or by
// F10 while that button is enabled; no other key closes it. The rules and the
// history open with the focus on their text, where Enter leaves nothing.
TEST_F(InfoWindowsTest, ClosingKeysAndButtons) {
  QTemporaryDir dir;
  ui::seams().programDir = [&] { return dir.path(); };
  using Make = std::function<std::unique_ptr<ui::TForm>()>;
  const Make about = [] { return std::make_unique<TAboutBox>(); };
  const Make rules = [] { return std::make_unique<TForm_pravilo>(); };
  const Make history = [] { return std::make_unique<TForm_history>(); };
  const Make table = [] { return std::make_unique<TForm_kv>(); };
  struct Case {
    const char* what;
    Make make;
    bool enabled;
    Qt::Key key;  // pressed on the focused control; 0: the button is clicked
    bool closes;
  };
  const Case cases[] = {
      {"about: Enter", about, true, Qt::Key_Return, true},
      {"about: keypad Enter", about, true, Qt::Key_Enter, true},
      {"rules: F10", rules, true, Qt::Key_F10, true},
      {"rules: Enter", rules, true, Qt::Key_Return, false},
      {"rules: F10, button disabled", rules, false, Qt::Key_F10, false},
      {"rules: Esc", rules, true, Qt::Key_Escape, false},
      {"history: click", history, true, Qt::Key(0), true},
      {"history: F10", history, true, Qt::Key_F10, true},
      {"history: Enter", history, true, Qt::Key_Return, false},
      {"history: F10, button disabled", history, false, Qt::Key_F10, false},
      {"checkout table: F10", table, true, Qt::Key_F10, true},
      {"checkout table: F1", table, true, Qt::Key_F1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto form = c.make();
    auto* button = form->findChild<QPushButton*>("OKButton");
    if (!button) button = form->findChild<QPushButton*>("BitBtn1");
    ASSERT_NE(button, nullptr);
    button->setEnabled(c.enabled);
    form->ShowModal();
    QWidget* focus = form->focusWidget() ? form->focusWidget() : form.get();
    QWidget* const text = form->findChild<QWidget*>("Memo1");
    EXPECT_EQ(focus, text ? text : button);
    if (c.key == Qt::Key(0)) {
      QTest::mouseClick(button, Qt::LeftButton);
    } else {
      QTest::keyClick(focus, c.key, c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    }
    EXPECT_EQ(form->isVisible(), !c.closes);
    form->Close();
  }
}

// Band rows are white text on teal, the score columns sky blue, the rest black
// on white; repainting one cell alone, as the grid does for a changed cell,
// gives that cell and the band rows as the whole picture has them.
TEST_F(InfoWindowsTest, CheckoutTableColoursSurviveRepaintingSingleCells) {
  TForm_kv form;
  form.ShowModal();
  auto* grid = form.findChild<ui::TStringGrid*>("StringGrid1");
  grid->SetCell(4, 5, "  changed");
  grid->SetRow(7);
  grid->Repaint();
  QApplication::processEvents();
  const QImage whole = grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
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
