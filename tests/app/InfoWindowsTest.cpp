#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
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

using testing_support::FixedClock;

class InfoWindowsTest : public testing_support::SeamsFixture {};

template <class T>
T* Child(QWidget& form, const char* name) {
  T* w = form.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

TEST_F(InfoWindowsTest, EveryShowingStampsTheHiddenLabelAndMakesTheTestFolder) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString base = QDir(dir.path()).absolutePath();
  QFile file(base + "/plain.txt");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  for (const char* sub : {"slash", "tested"}) ASSERT_TRUE(QDir(base).mkdir(sub));
  ASSERT_TRUE(QDir(base + "/tested").mkdir("Test"));

  struct Case {
    const char* what;
    QString given;   // the program's folder as the system gives it
    QString folder;  // as the window uses it
    bool testFolderAppears;
  };
  const Case cases[] = {
      {"folder given with a trailing separator", base + "/slash/", base + "/slash", true},
      {"Test already there", base + "/tested", base + "/tested", true},
      {"program folder that is gone", base + "/missing", base + "/missing", false},
      {"program folder that is a file", base + "/plain.txt", base + "/plain.txt", false},
  };
  const QDateTime when(QDate(2012, 5, 10), QTime(14, 35, 20));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui::seams().programDir = [&] { return c.given; };
    FixedClock clock(when);
    ui::ScriptedMessages msgs;  // the window shows as usual, without any message
    TAboutBox about;
    auto* label2 = Child<QLabel>(about, "Label2");
    ASSERT_NE(label2, nullptr);
    for (int showing = 0; showing < 2; ++showing) {
      about.ShowModal();
      EXPECT_TRUE(about.isVisible());
      // The folder and the date-time text follow each other without a separator.
      EXPECT_EQ(label2->text(), c.folder + ui::DateTimeToStr(when.addSecs(3600 * showing)));
      EXPECT_EQ(QFileInfo(c.folder + "/Test").isDir(), c.testFolderAppears);
      EXPECT_FALSE(ui::Visible(label2));
      EXPECT_FALSE(ui::Enabled(label2));
      EXPECT_EQ(about.focusWidget(), Child<QPushButton>(about, "OKButton"));
      about.Close();
      // Shown again an hour later, after the folder was removed: made anew.
      QDir(c.folder).rmdir("Test");
      clock.AddSecs(3600);
    }
    EXPECT_TRUE(msgs.Log().empty());
  }
}

// How each text window is left: its exit button by click or Enter, or F10 while
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
    const char* button;
    bool enabled;
    Qt::Key key;  // pressed on the focused control; 0: the button is clicked
    bool closes;
  };
  const Case cases[] = {
      {"about: Enter on OK", about, "OKButton", true, Qt::Key_Return, true},
      {"about: keypad Enter on OK", about, "OKButton", true, Qt::Key_Enter, true},
      {"about: click on OK", about, "OKButton", true, Qt::Key(0), true},
      {"rules: F10", rules, "BitBtn1", true, Qt::Key_F10, true},
      {"rules: F10, button disabled", rules, "BitBtn1", false, Qt::Key_F10, false},
      {"rules: Esc", rules, "BitBtn1", true, Qt::Key_Escape, false},
      {"rules: click", rules, "BitBtn1", true, Qt::Key(0), true},
      {"history: F10", history, "BitBtn1", true, Qt::Key_F10, true},
      {"history: F10, button disabled", history, "BitBtn1", false, Qt::Key_F10, false},
      {"history: F9", history, "BitBtn1", true, Qt::Key_F9, false},
      {"checkout table: F10", table, "BitBtn1", true, Qt::Key_F10, true},
      {"checkout table: F10, button disabled", table, "BitBtn1", false, Qt::Key_F10, false},
      {"checkout table: F1", table, "BitBtn1", true, Qt::Key_F1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto form = c.make();
    auto* button = Child<QPushButton>(*form, c.button);
    ASSERT_NE(button, nullptr);
    button->setEnabled(c.enabled);
    form->ShowModal();
    if (c.key == Qt::Key(0)) {
      QTest::mouseClick(button, Qt::LeftButton);
    } else {
      QWidget* focus = form->focusWidget() ? form->focusWidget() : form.get();
      if (c.key == Qt::Key_Return || c.key == Qt::Key_Enter) {
        EXPECT_EQ(focus, button) << "the button has the focus";
      }
      QTest::keyClick(focus, c.key, c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    }
    EXPECT_EQ(form->isVisible(), !c.closes);
    if (c.closes && std::string(c.button) == "OKButton") {
      EXPECT_EQ(form->ModalResult(), ui::mrOk);
    }
    form->Close();
  }
}

TEST_F(InfoWindowsTest, HistoryEditsAreNotKept) {
  QString original;
  {
    TForm_history first;
    first.ShowModal();
    auto* memo = Child<QPlainTextEdit>(first, "Memo1");
    original = memo->toPlainText();
    QTest::keyClicks(memo, "xyz");
    EXPECT_NE(memo->toPlainText(), original);
    first.Close();
  }
  TForm_history next;
  EXPECT_EQ(Child<QPlainTextEdit>(next, "Memo1")->toPlainText(), original);
}

}  // namespace
