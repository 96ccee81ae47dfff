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
  bool hasParent = false;
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
      seen.hasParent = box->parentWidget() != nullptr;
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

TEST_F(DialogsTest, RealBoxesShowTheirKindAndAnswerLikeTheClassLibrary) {
  const int yesNoCancel = ui::mbYes | ui::mbNo | ui::mbCancel;
  const QStringList threeButtons{"&Yes", "&No", "Cancel"};
  struct Case {
    const char* name;
    std::function<int()> show;  // -1 where the box returns nothing
    std::function<void(QMessageBox&)> act;
    int answer;
    QString caption;
    QString text;  // as displayed: a lone CR and CR LF both break the line
    QMessageBox::Icon icon;
    QStringList buttons;
    QString defaultButton;
    bool owned;
  };
  const Case cases[] = {
      {"message closed by Enter",
       [] {
         ui::ShowMessage("a\rb");
         return -1;
       },
       [](QMessageBox& b) { Press(b, Qt::Key_Return); },
       -1,
       ui::ApplicationTitle(),
       "a\nb",
       QMessageBox::NoIcon,
       {"OK"},
       "OK",
       false},
      {"question, Esc", [=] { return ui::MessageDlg("a\rb\r\nc", ui::mtConfirmation, yesNoCancel); },
       [](QMessageBox& b) { Press(b, Qt::Key_Escape); }, ui::mrCancel, "Confirm", "a\nb\nc", QMessageBox::Question,
       threeButtons, "&Yes", false},
      {"question, closed", [=] { return ui::MessageDlg("q", ui::mtConfirmation, yesNoCancel); },
       [](QMessageBox& b) { b.close(); }, ui::mrCancel, "Confirm", "q", QMessageBox::Question, threeButtons, "&Yes",
       false},
      {"question, Enter takes Yes", [=] { return ui::MessageDlg("q", ui::mtConfirmation, yesNoCancel); },
       [](QMessageBox& b) { Press(b, Qt::Key_Return); }, ui::mrYes, "Confirm", "q", QMessageBox::Question, threeButtons,
       "&Yes", false},
      {"question, No clicked", [=] { return ui::MessageDlg("q", ui::mtConfirmation, yesNoCancel); },
       [](QMessageBox& b) { Click(b, "&No"); }, ui::mrNo, "Confirm", "q", QMessageBox::Question, threeButtons, "&Yes",
       false},
      {"yes/no, Esc answers No",
       [] { return ui::MessageDlg("q", ui::mtConfirmation, ui::mbYes | ui::mbNo); },
       [](QMessageBox& b) { Press(b, Qt::Key_Escape); },
       ui::mrNo,
       "Confirm",
       "q",
       QMessageBox::Question,
       {"&Yes", "&No"},
       "&Yes",
       false},
      {"yes/no, closed answers No",
       [] { return ui::MessageDlg("q", ui::mtConfirmation, ui::mbYes | ui::mbNo); },
       [](QMessageBox& b) { b.close(); },
       ui::mrNo,
       "Confirm",
       "q",
       QMessageBox::Question,
       {"&Yes", "&No"},
       "&Yes",
       false},
      {"error box without owner",
       [] {
         ui::ErrorBox(QString::fromUtf8("Невозможно запустить Excel"), QString::fromUtf8("Ошибка"));
         return -1;
       },
       [](QMessageBox& b) { Click(b, "OK"); },
       -1,
       QString::fromUtf8("Ошибка"),
       QString::fromUtf8("Невозможно запустить Excel"),
       QMessageBox::Critical,
       {"OK"},
       "OK",
       false},
      {"exception report",
       [] {
         ui::RunHandler([] { throw std::runtime_error("'1 5' is not a valid integer value"); });
         return -1;
       },
       [](QMessageBox& b) { Press(b, Qt::Key_Escape); },
       -1,
       ui::ApplicationTitle(),
       "'1 5' is not a valid integer value.",
       QMessageBox::Critical,
       {"OK"},
       "OK",
       false},
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
    EXPECT_EQ(driver.seen.icon, c.icon);
    EXPECT_EQ(driver.seen.buttons, c.buttons);
    EXPECT_EQ(driver.seen.defaultButton, c.defaultButton);
    EXPECT_EQ(driver.seen.hasParent, c.owned);
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
