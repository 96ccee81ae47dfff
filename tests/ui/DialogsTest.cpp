#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <stdexcept>

#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/Seams.h"

namespace {

class DialogsTest : public testing_support::SeamsFixture {};

// Boxes that return nothing.
int Message() { return ui::ShowMessage("a\rb"), -1; }
int Error() { return ui::ErrorBox("e", "E"), -1; }
int Report() {
  return ui::RunHandler([] { throw std::runtime_error("'1 5' is not a valid integer value"); }), -1;
}

// A game window shown modally, staying on top or not.
class GameForm : public ui::TForm {
 public:
  explicit GameForm(bool onTop) {
    setProperty("BorderStyle", "bsToolWindow");
    if (onTop) setProperty("FormStyle", "fsStayOnTop");
    InitForm();
  }
};

// The real boxes answer keys and clicks like the class library's: Esc or the
// close box is Cancel, or No where there is no Cancel; Enter takes the first
// button, Alt+Y and Alt+N their buttons; a lone CR and CR LF both break the
// line. Each box is raised from a game window while no window is active (as
// just after another box closed): it belongs to that window (the system's
// error box to none) and stays on top with it, so it never opens beneath it.
TEST_F(DialogsTest, RealBoxesAnswerLikeTheClassLibrary) {
  const QStringList yesNoCancel{"&Yes", "&No", "Cancel"}, yesNo{"&Yes", "&No"}, ok{"OK"};
  const int ync = ui::mbYes | ui::mbNo | ui::mbCancel, yn = ui::mbYes | ui::mbNo;
  auto ask = [](int buttons, const char* text = "q") {
    return [=] { return ui::MessageDlg(text, ui::mtConfirmation, buttons); };
  };
  auto press = [](Qt::Key key) { return [=](QMessageBox& b) { QTest::keyClick(&b, key); }; };
  auto close = [](QMessageBox& b) { b.close(); };
  auto alt = [](Qt::Key key) { return [=](QMessageBox& b) { QTest::keyClick(&b, key, Qt::AltModifier); }; };
  // clang-format off
  // answer: -1 where the box returns nothing; onTop: the window that raises the box.
  const struct { const char* name; std::function<int()> show; std::function<void(QMessageBox&)> act; int answer;
                 QString text; QStringList buttons; QString caption = "Confirm"; bool onTop = true; } cases[] = {
      {"message, Enter", Message, press(Qt::Key_Return), -1, "a\nb", ok, ui::ApplicationTitle()},
      {"question, Esc", ask(ync, "a\rb\r\nc"), press(Qt::Key_Escape), ui::mrCancel, "a\nb\nc", yesNoCancel},
      {"question, closed", ask(ync), close, ui::mrCancel, "q", yesNoCancel, "Confirm", false},
      {"question, Enter takes Yes", ask(ync), press(Qt::Key_Return), ui::mrYes, "q", yesNoCancel},
      {"question, Alt+Y", ask(ync), alt(Qt::Key_Y), ui::mrYes, "q", yesNoCancel, "Confirm", false},
      {"question, Alt+N", ask(ync), alt(Qt::Key_N), ui::mrNo, "q", yesNoCancel},
      {"yes/no, Esc answers No", ask(yn), press(Qt::Key_Escape), ui::mrNo, "q", yesNo},
      {"yes/no, closed answers No", ask(yn), close, ui::mrNo, "q", yesNo},
      {"error box", Error, press(Qt::Key_Escape), -1, "e", ok, "E"},
      {"error box, plain window", Error, press(Qt::Key_Return), -1, "e", ok, "E", false},
      {"exception report", Report, press(Qt::Key_Escape), -1, "'1 5' is not a valid integer value.", ok,
       ui::ApplicationTitle()},
      {"exception report, plain window", Report, press(Qt::Key_Return), -1, "'1 5' is not a valid integer value.",
       ok, ui::ApplicationTitle(), false}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    GameForm game(c.onTop);
    game.ShowModal();
    QApplication::setActiveWindow(nullptr);
    ui::ResetSeams();  // the real boxes
    // Waits for the box to have the keyboard, notes what it shows (the buttons
    // from left to right) and acts on it like a user; a box left open is closed
    // after a while so that a fault cannot hang the test.
    QString caption, text;
    QStringList buttons;
    QWidget* owner = nullptr;
    bool onTop = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible() || QApplication::activeWindow() != box) return;
      poll.stop();
      owner = box->parentWidget();
      onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
      caption = box->windowTitle();
      text = box->text();
      QList<QAbstractButton*> shown = box->buttons();
      std::sort(shown.begin(), shown.end(), [](QAbstractButton* a, QAbstractButton* b) { return a->x() < b->x(); });
      for (QAbstractButton* b : shown) buttons << b->text();
      c.act(*box);
    });
    poll.start(5);
    QTimer::singleShot(5000, &game, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->done(0);
    });
    EXPECT_EQ(c.show(), c.answer);
    testing_support::InstallTestDefaults();
    EXPECT_EQ(caption, c.caption);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(buttons, c.buttons);
    EXPECT_EQ(owner, c.caption == "E" ? nullptr : &game);
    EXPECT_EQ(onTop, c.onTop);
    game.Close();
  }
}

}  // namespace
