// The about box at every showing, and how every text window is left.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "app/ABOUT.h"
#include "app/Kalvern.h"
#include "app/help_pravilo.h"
#include "app/history.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"

namespace {

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
    ui::ScriptedMessages msgs;  // the window shows without any message
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

// Each text window is left by its exit button (click or Enter) or by F10 while
// that button is enabled; no other key closes it.
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
      {"rules: F10, button disabled", rules, false, Qt::Key_F10, false},
      {"rules: Esc", rules, true, Qt::Key_Escape, false},
      {"history: click", history, true, Qt::Key(0), true},
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
    if (c.key == Qt::Key(0)) {
      QTest::mouseClick(button, Qt::LeftButton);
    } else {
      QWidget* focus = form->focusWidget() ? form->focusWidget() : form.get();
      if (c.key == Qt::Key_Return || c.key == Qt::Key_Enter) {
        EXPECT_EQ(focus, button);
      }
      QTest::keyClick(focus, c.key, c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    }
    EXPECT_EQ(form->isVisible(), !c.closes);
    form->Close();
  }
}

}  // namespace
