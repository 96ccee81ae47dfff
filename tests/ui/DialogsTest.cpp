#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <stdexcept>

#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"
#include "ui/Seams.h"

namespace {

class DialogsTest : public testing_support::SeamsFixture {};

// What the real box showed.
struct Seen {
  bool shown = false;
  QString caption, text, defaultButton;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
};

// Waits for the next real message box, notes what it shows and acts on it like
// a user; a box that the action leaves open is closed after a while so that a
// fault cannot hang the test.
class BoxDriver {
 public:
  explicit BoxDriver(std::function<void(QMessageBox&)> act) {
    poll_.setInterval(5);
    QObject::connect(&poll_, &QTimer::timeout, [this, act] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      poll_.stop();
      seen.shown = true;
      seen.caption = box->windowTitle();
      seen.text = box->text();
      seen.icon = box->icon();
      // The buttons from left to right as they stand on the screen.
      QList<QAbstractButton*> buttons = box->buttons();
      std::sort(buttons.begin(), buttons.end(), [box](QAbstractButton* a, QAbstractButton* b) {
        return a->mapTo(box, QPoint(0, 0)).x() < b->mapTo(box, QPoint(0, 0)).x();
      });
      for (QAbstractButton* b : buttons) seen.buttons << b->text();
      if (box->defaultButton()) seen.defaultButton = box->defaultButton()->text();
      QPointer<QMessageBox> guard(box);
      act(*box);
      QTimer::singleShot(3000, [guard] {
        if (guard) guard->done(0);
      });
    });
    poll_.start();
  }
  Seen seen;

 private:
  QTimer poll_;
};

void Press(QMessageBox& box, Qt::Key key) { QTest::keyClick(&box, key); }
void Click(QMessageBox& box, const QString& caption) {
  for (QAbstractButton* b : box.buttons())
    if (b->text() == caption) b->click();
}

// The real boxes answer keys and clicks like the class library's: Esc or the
// close box is Cancel, or No where there is no Cancel; Enter takes the first
// button; a lone CR and CR LF both break the line.
TEST_F(DialogsTest, RealBoxesAnswerLikeTheClassLibrary) {
  const QStringList yesNoCancel{"&Yes", "&No", "Cancel"}, yesNo{"&Yes", "&No"}, ok{"OK"};
  auto ask = [](int buttons, const char* text = "q") {
    return [=] { return ui::MessageDlg(text, ui::mtConfirmation, buttons); };
  };
  const int ync = ui::mbYes | ui::mbNo | ui::mbCancel, yn = ui::mbYes | ui::mbNo;
  auto press = [](Qt::Key key) { return [=](QMessageBox& b) { Press(b, key); }; };
  auto click = [](const char* button) { return [=](QMessageBox& b) { Click(b, button); }; };
  auto close = [](QMessageBox& b) { b.close(); };
  struct Case {
    const char* name;
    std::function<int()> show;  // -1 where the box returns nothing
    std::function<void(QMessageBox&)> act;
    int answer;
    QString text;
    QStringList buttons;
    QMessageBox::Icon icon;
    QString caption = "Confirm";
  };
  const Case cases[] = {
      {"message, Enter", [] { ui::ShowMessage("a\rb"); return -1; }, press(Qt::Key_Return), -1, "a\nb", ok,
       QMessageBox::NoIcon, ui::ApplicationTitle()},
      {"question, Esc", ask(ync, "a\rb\r\nc"), press(Qt::Key_Escape), ui::mrCancel, "a\nb\nc", yesNoCancel,
       QMessageBox::Question},
      {"question, closed", ask(ync), close, ui::mrCancel, "q", yesNoCancel, QMessageBox::Question},
      {"question, Enter takes Yes", ask(ync), press(Qt::Key_Return), ui::mrYes, "q", yesNoCancel,
       QMessageBox::Question},
      {"question, No clicked", ask(ync), click("&No"), ui::mrNo, "q", yesNoCancel, QMessageBox::Question},
      {"yes/no, Esc answers No", ask(yn), press(Qt::Key_Escape), ui::mrNo, "q", yesNo, QMessageBox::Question},
      {"yes/no, closed answers No", ask(yn), close, ui::mrNo, "q", yesNo, QMessageBox::Question},
      {"error box", [] { ui::ErrorBox("e", "E"); return -1; }, click("OK"), -1, "e", ok, QMessageBox::Critical, "E"},
      {"exception report",
       [] {
         ui::RunHandler([] { throw std::runtime_error("'1 5' is not a valid integer value"); });
         return -1;
       },
       press(Qt::Key_Escape), -1, "'1 5' is not a valid integer value.", ok, QMessageBox::Critical,
       ui::ApplicationTitle()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ui::ResetSeams();  // the real boxes
    BoxDriver driver(c.act);
    EXPECT_EQ(c.show(), c.answer);
    testing_support::InstallTestDefaults();
    ASSERT_TRUE(driver.seen.shown);
    EXPECT_EQ(driver.seen.caption, c.caption);
    EXPECT_EQ(driver.seen.text, c.text);
    EXPECT_EQ(driver.seen.buttons, c.buttons);
    EXPECT_EQ(driver.seen.icon, c.icon);
    EXPECT_EQ(driver.seen.defaultButton, c.buttons.first());
  }
}

TEST_F(DialogsTest, ScriptedBoxesKeepTheTextAsGiven) {
  ui::ScriptedMessages msgs;
  msgs.Answer(ui::mrNo);
  const QString text = QString::fromUtf8("a\rb\r\nc");
  EXPECT_EQ(ui::MessageDlg(text, ui::mtConfirmation, ui::mbYes | ui::mbNo | ui::mbCancel), ui::mrNo);
  ASSERT_EQ(msgs.Log().size(), 1u);
  EXPECT_EQ(msgs.Log()[0].kind, ui::ShownMessage::Kind::Dialog);
  EXPECT_EQ(msgs.Log()[0].caption, "Confirm");
  EXPECT_EQ(msgs.Log()[0].text, text);
}

}  // namespace
