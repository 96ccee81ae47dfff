// The about box at every showing, how every text window is left, and the
// colours of the checkout-variant table.
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <memory>
#include <tuple>

#include "app/ABOUT.h"
#include "app/Kalvern.h"
#include "app/help_pravilo.h"
#include "app/history.h"
#include "tests/support/TestSupport.h"
#include "ui/Controls.h"
#include "ui/SysUtils.h"

namespace {

const QColor kTeal(0, 128, 128), kSkyBlue(166, 202, 240);

bool Near(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 && std::abs(a.blue() - b.blue()) <= 8;
}
// How many pixels of the cell are light (above 200) or dark (below 80) in every channel.
int Count(const QImage& img, const QRect& r, bool light) {
  const QImage cell = img.copy(r);
  const QRgb* px = reinterpret_cast<const QRgb*>(cell.constBits());
  return int(std::count_if(px, px + cell.width() * cell.height(), [&](QRgb c) {
    return light ? std::min({qRed(c), qGreen(c), qBlue(c)}) > 200 : std::max({qRed(c), qGreen(c), qBlue(c)}) < 80;
  }));
}

template <class Form>
std::unique_ptr<ui::TForm> Make() {
  return std::make_unique<Form>();
}

class InfoWindowsTest : public testing_support::SeamsFixture {};

// At every showing the hidden label gets the program's folder and the time, and
// the Test folder is made there; Enter (also the keypad's) closes the window.
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
    EXPECT_TRUE(about.findChildren<QWidget*>().isEmpty()) << "built before its first showing";
    for (int showing = 0; showing < 2; ++showing) {
      about.ShowModal();
      auto* label2 = about.findChild<QLabel*>("Label2");
      // The folder and the date-time text follow each other without a separator.
      EXPECT_EQ(label2->text(), folder + ui::DateTimeToStr(when.addSecs(3600 * showing)));
      EXPECT_EQ(QFileInfo(folder + "/Test").isDir(), !given.endsWith(".txt"));
      ASSERT_EQ(about.focusWidget(), about.findChild<QPushButton*>("OKButton"));
      QTest::keyClick(about.focusWidget(), showing ? Qt::Key_Enter : Qt::Key_Return,
                      showing ? Qt::KeypadModifier : Qt::NoModifier);
      EXPECT_FALSE(about.isVisible());
      // Shown again an hour later, after the folder was removed: made anew.
      QDir(folder).rmdir("Test");
      clock.AddSecs(3600);
    }
    EXPECT_TRUE(msgs.Log().empty());
  }
}

// The rules, the history and the checkout table are left by their exit button:
// a click, or F10 while the button is enabled; no other key leaves. The rules
// and the history open with the focus on their text, where Enter leaves
// nothing; the table gives it to the button. None of them (nor the about box)
// holds a control before its first showing: the start pays nothing for them.
TEST_F(InfoWindowsTest, ClosingKeysAndButtons) {
  QTemporaryDir dir;
  ui::seams().programDir = [&] { return dir.path(); };
  for (auto make : {Make<TForm_pravilo>, Make<TForm_history>, Make<TForm_kv>}) {
    std::unique_ptr<ui::TForm> form = make();
    SCOPED_TRACE(form->metaObject()->className());
    EXPECT_TRUE(form->findChildren<QWidget*>().isEmpty());
    form->ShowModal();
    auto* button = form->findChild<QPushButton*>("BitBtn1");
    QWidget* const text = form->findChild<QWidget*>("Memo1");
    EXPECT_EQ(form->focusWidget(), text ? text : button);
    for (Qt::Key key : {Qt::Key_F1, Qt::Key_Escape, text ? Qt::Key_Return : Qt::Key_F1}) {
      QTest::keyClick(form->focusWidget(), key);
      EXPECT_TRUE(form->isVisible()) << key;
    }
    button->setEnabled(false);
    QTest::keyClick(form->focusWidget(), Qt::Key_F10);
    EXPECT_TRUE(form->isVisible()) << "F10 while the button is disabled";
    button->setEnabled(true);
    QTest::keyClick(form->focusWidget(), Qt::Key_F10);
    EXPECT_FALSE(form->isVisible());
    form->ShowModal();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
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
  // A cell and the colour of its bottom-right corner, away from the text.
  const std::tuple<int, int, QColor> cases[] = {{0, 0, kTeal},      {1, 10, kTeal},     {10, 20, kTeal},
                                                {2, 5, kSkyBlue},   {8, 1, kSkyBlue},   {4, 5, Qt::white},
                                                {1, 11, Qt::white}, {9, 11, Qt::white}, {0, 9, Qt::white}};
  for (const auto& [col, row, corner] : cases) {
    SCOPED_TRACE(testing::Message() << col << "," << row);
    const QRect cell = grid->CellRect(col, row);
    EXPECT_TRUE(Near(whole.pixelColor(cell.right() - 1, cell.bottom() - 1), corner));
    const bool band = corner == kTeal;
    if (corner != kSkyBlue) {  // the sky-blue cells hold no text
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
    for (int r : {0, 10, 20}) EXPECT_EQ(img.copy(grid->CellRect(1, r)), whole.copy(grid->CellRect(1, r)));
  }
}

}  // namespace
