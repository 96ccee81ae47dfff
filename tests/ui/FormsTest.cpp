#include <gtest/gtest.h>
#include <QApplication>
#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <functional>

#include "tests/support/TestSupport.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/Seams.h"
#include "ui/SysUtils.h"

namespace {

// A small window built the way every window is: properties on the top widget,
// then InitForm. It notes the keys its key preview sees and the buttons clicked.
class ProbeForm : public ui::TForm {
 public:
  explicit ProbeForm(bool keyPreview, bool noClose = false, bool okIsDefault = false, bool onTop = true)
      : noClose_(noClose) {
    setProperty("BorderStyle", "bsToolWindow");
    setProperty("KeyPreview", keyPreview);
    setProperty("ClientWidth", 300);
    setProperty("ClientHeight", 200);
    if (onTop) setProperty("FormStyle", "fsStayOnTop");
    auto* layout = new QVBoxLayout(this);
    edit = new QLineEdit(this);
    plain = new QPushButton("plain", this);
    ok = new QPushButton("OK", this);
    ok->setProperty("ModalResult", int(ui::mrOk));
    ok->setProperty("Default", okIsDefault);
    combo = new QComboBox(this);
    combo->addItems({"501", "301"});
    for (QWidget* w : std::initializer_list<QWidget*>{edit, plain, ok, combo}) layout->addWidget(w);
    connect(plain, &QPushButton::clicked, this, [this] { clicks.push_back("plain"); });
    connect(ok, &QPushButton::clicked, this, [this] { clicks.push_back("ok"); });
    connect(combo, &QComboBox::activated, this, [this](int i) { clicks.push_back("select " + std::to_string(i)); });
    InitForm();
  }
  QLineEdit* edit;
  QPushButton* plain;
  QPushButton* ok;
  QComboBox* combo;
  int created = 0, shown = 0, closed = 0;
  std::vector<int> keys;
  std::vector<std::string> clicks;
  int swallow = 0;
  bool noClose_;
  std::function<void()> onShow;
  std::function<void(int)> onKey;

 protected:
  void FormCreate() override { ++created; }
  void FormShow() override {
    ++shown;
    if (noClose_) NoCloseSystemMenu();
    if (onShow) onShow();
  }
  void FormClose() override { ++closed; }
  void FormKeyDown(int& key, Qt::KeyboardModifiers) override {
    keys.push_back(key);
    if (onKey) onKey(key);
    if (key == swallow) key = 0;
  }
};

class FormsTest : public testing_support::SeamsFixture {};

TEST_F(FormsTest, ShowModalRunsShowHandlerEachTimeAndCloseHides) {
  ProbeForm f(false);
  f.edit->setText("kept");
  for (int i = 1; i <= 3; ++i) {
    f.ShowModal();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.shown, i);
    f.Close();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.closed, i);
    EXPECT_EQ(f.ModalResult(), ui::mrCancel);
  }
  EXPECT_EQ(f.edit->text(), "kept");  // controls keep their contents
  EXPECT_EQ(f.created, 1);
}

// A button with a modal result closes the form with it, in a scripted modal
// runner and in the real nested loop.
TEST_F(FormsTest, ModalResultButtonEndsTheModalLoop) {
  const std::function<int(ui::TForm&)> runners[] = {
      [](ui::TForm& form) {
        form.show();
        static_cast<ProbeForm&>(form).ok->click();
        return form.ModalResult();
      },
      [](ui::TForm& form) {
        QTimer::singleShot(0, &form, [&form] { static_cast<ProbeForm&>(form).ok->click(); });
        return form.RunModalLoop();
      }};
  for (const auto& runner : runners) {
    ProbeForm f(false);
    ui::seams().modalRunner = runner;
    EXPECT_EQ(f.ShowModal(), ui::mrOk);
    EXPECT_FALSE(f.isVisible());
  }
}

TEST_F(FormsTest, WindowSystemCloseIsIgnoredOnceCloseIsRemoved) {
  struct Case {
    bool noClose;
    bool stillVisible;
  };
  for (const Case c : {Case{false, false}, Case{true, true}}) {
    ProbeForm f(false, c.noClose);
    f.ShowModal();
    EXPECT_EQ(f.HasCloseCommand(), !c.noClose);
    EXPECT_EQ(bool(f.windowFlags() & Qt::WindowCloseButtonHint), !c.noClose);
    // What the close box and Alt+F4 send: a close event from the window system.
    QCloseEvent fromWindowSystem;
    QSpontaneKeyEvent::setSpontaneous(&fromWindowSystem);
    qApp->notify(&f, &fromWindowSystem);
    EXPECT_EQ(f.isVisible(), c.stillVisible) << "noClose=" << c.noClose;
    f.Close();  // the program's own Close always works
    EXPECT_FALSE(f.isVisible());
    // shown again: still without Close
    f.ShowModal();
    EXPECT_EQ(f.HasCloseCommand(), !c.noClose);
    f.Close();
  }
}

// The keys of a form: its key preview sees a key once before the focused
// control, which still gets it unless the handler swallowed it; Enter goes to a
// focused button or else to the default button; Esc closes nothing; Down and Up
// in a closed combo box choose the next or previous item and run its select
// handler.
TEST_F(FormsTest, KeysReachPreviewButtonsAndComboBoxes) {
  enum Focus { kEdit, kPlain, kCombo };
  struct Case {
    const char* name;
    bool preview, okIsDefault;
    int swallow;
    Focus focus;
    int startIndex;
    std::vector<Qt::Key> keys;
    Qt::KeyboardModifiers mods;
    std::vector<int> seen;  // by the key preview
    std::vector<std::string> clicks;
    QString text;  // of the edit
    int endIndex;
    bool visible;
  };
  const Case cases[] = {
      {"F10 seen once", true, false, 0, kEdit, 0, {Qt::Key_F10}, {}, {121}, {}, "", 0, true},
      {"F1 and F5", true, false, 0, kEdit, 0, {Qt::Key_F1, Qt::Key_F5}, {}, {112, 116}, {}, "", 0, true},
      {"digit seen and typed", true, false, 0, kEdit, 0, {Qt::Key_7}, {}, {'7'}, {}, "7", 0, true},
      {"digit swallowed", true, false, '6', kEdit, 0, {Qt::Key_5, Qt::Key_6}, {}, {'5', '6'}, {}, "5", 0, true},
      {"no preview", false, false, 0, kEdit, 0, {Qt::Key_F10, Qt::Key_4}, {}, {}, {}, "4", 0, true},
      {"Enter and Esc without default", true, false, 0, kEdit, 0, {Qt::Key_Return, Qt::Key_Escape}, {}, {13, 27},
       {}, "", 0, true},
      {"Enter: the default button", false, true, 0, kEdit, 0, {Qt::Key_Return}, {}, {}, {"ok"}, "", 0, false},
      {"Enter on a focused button", true, true, 0, kPlain, 0, {Qt::Key_Return}, {}, {13}, {"plain"}, "", 0, true},
      {"keypad Enter on it", false, false, 0, kPlain, 0, {Qt::Key_Enter}, Qt::KeypadModifier, {}, {"plain"}, "", 0,
       true},
      {"Space on it", false, false, 0, kPlain, 0, {Qt::Key_Space}, {}, {}, {"plain"}, "", 0, true},
      {"two Enters, two clicks", false, false, 0, kPlain, 0, {Qt::Key_Return, Qt::Key_Return}, {}, {},
       {"plain", "plain"}, "", 0, true},
      {"Down: next item", true, false, 0, kCombo, 0, {Qt::Key_Down}, {}, {40}, {"select 1"}, "", 1, true},
      {"Up: previous item", false, false, 0, kCombo, 1, {Qt::Key_Up}, {}, {}, {"select 0"}, "", 0, true},
      {"Down past the last", false, false, 0, kCombo, 1, {Qt::Key_Down}, {}, {}, {}, "", 1, true},
      {"Up past the first", false, false, 0, kCombo, 0, {Qt::Key_Up}, {}, {}, {}, "", 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProbeForm f(c.preview, false, c.okIsDefault);
    f.swallow = c.swallow;
    f.ShowModal();
    f.combo->setCurrentIndex(c.startIndex);
    QWidget* const targets[] = {f.edit, f.plain, f.combo};
    QWidget* target = targets[c.focus];
    target->setFocus();
    for (Qt::Key k : c.keys) QTest::keyClick(target, k, c.mods);
    EXPECT_EQ(f.keys, c.seen);
    EXPECT_EQ(f.clicks, c.clicks);
    EXPECT_EQ(f.edit->text(), c.text);
    EXPECT_EQ(f.combo->currentIndex(), c.endIndex);
    EXPECT_FALSE(f.combo->view()->isVisible());  // no list popped up
    EXPECT_EQ(f.isVisible(), c.visible);
    f.Close();
  }
}

// A modal form belongs to the window it is opened from: that window is its
// transient owner, and it stays on top while its owner does.
TEST_F(FormsTest, ModalFormComesUpOverTheWindowItIsOpenedFrom) {
  struct Case {
    const char* name;
    bool ownerShown, ownerOnTop, ownOnTop;
    bool tied, onTop;
  };
  const Case cases[] = {
      {"owner on top", true, true, false, true, true},
      {"plain owner", true, false, false, true, false},
      {"no owner", false, false, false, false, false},
      {"on top of its own", false, false, true, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProbeForm owner(false, false, false, c.ownerOnTop);
    ProbeForm form(false, false, false, c.ownOnTop);
    if (c.ownerShown) owner.ShowModal();
    form.ShowModal();
    ASSERT_NE(form.windowHandle(), nullptr);
    EXPECT_EQ(form.windowHandle()->transientParent(), c.tied ? owner.windowHandle() : nullptr);
    EXPECT_EQ(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.onTop);
    form.Close();
    // Opened again with no window beneath, it keeps only its own stay-on-top.
    owner.Close();
    form.ShowModal();
    EXPECT_EQ(form.windowHandle()->transientParent(), nullptr);
    EXPECT_EQ(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.ownOnTop);
    form.Close();
  }
}

// What the program's handlers may raise (a failed number conversion) is
// reported, and the window stays and takes input.
TEST_F(FormsTest, ExceptionInAHandlerIsReportedAndPlayGoesOn) {
  struct Case {
    const char* name;
    std::function<void(ProbeForm&)> arm, act;
    QString report;
  };
  const Case cases[] = {
      {"show handler", [](ProbeForm& f) { f.onShow = [] { ui::StrToInt("x"); }; }, [](ProbeForm&) {},
       "'x' is not a valid integer value."},
      {"key handler",
       [](ProbeForm& f) {
         f.onKey = [](int key) {
           if (key == ui::VK_F2) throw std::runtime_error("boom");
         };
       },
       [](ProbeForm& f) { QTest::keyClick(f.edit, Qt::Key_F2); }, "boom."},
      {"click handler",
       [](ProbeForm& f) { QObject::connect(f.plain, &QPushButton::clicked, [] { ui::StrToInt("1 5"); }); },
       [](ProbeForm& f) { QTest::mouseClick(f.plain, Qt::LeftButton); }, "'1 5' is not a valid integer value."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProbeForm f(true);
    c.arm(f);
    ui::ScriptedMessages msgs;
    f.ShowModal();
    c.act(f);
    ASSERT_EQ(msgs.Log().size(), 1u);
    EXPECT_EQ(msgs.Log()[0].kind, ui::ShownMessage::Kind::Exception);
    EXPECT_EQ(msgs.Log()[0].text, c.report);
    EXPECT_TRUE(f.isVisible());
    QTest::keyClick(f.edit, Qt::Key_7);
    EXPECT_EQ(f.edit->text(), "7");
    f.Close();
  }
}

TEST_F(FormsTest, OwnEnabledAndVisibleIgnoreTheParents) {
  QWidget parent;
  auto* child = new QPushButton(&parent);
  parent.setEnabled(false);
  EXPECT_TRUE(ui::Enabled(child));
  EXPECT_FALSE(child->isEnabled());
  child->setEnabled(false);
  parent.setEnabled(true);
  EXPECT_FALSE(ui::Enabled(child));
  EXPECT_TRUE(ui::Visible(child));  // parent never shown
  child->hide();
  EXPECT_FALSE(ui::Visible(child));
}

}  // namespace

namespace {

class PlacedForm : public ui::TForm {
 public:
  PlacedForm(const char* position, int w, int h) {
    setProperty("Position", position);
    setProperty("BorderStyle", "bsToolWindow");
    setProperty("ClientWidth", w);
    setProperty("ClientHeight", h);
    InitForm();
  }
};

class PlacementTest : public testing_support::SeamsFixture {};

// Centres are compared within the frame the window system adds after showing.
TEST_F(PlacementTest, CentredOnTheMainFormAndKeptOnTheScreen) {
  QWidget main;
  main.setGeometry(100, 100, 400, 300);
  main.show();
  ui::SetMainForm(&main);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();

  PlacedForm small("poMainFormCenter", 200, 100);
  small.ShowModal();
  EXPECT_LE(std::abs(small.frameGeometry().center().x() - main.frameGeometry().center().x()), 3);
  EXPECT_LE(std::abs(small.frameGeometry().center().y() - main.frameGeometry().center().y()), 3);
  small.Close();

  // Wider than the main window and placed near the screen's edge: it starts on the screen.
  main.move(screen.left(), screen.top());
  PlacedForm wide("poMainFormCenter", 700, 200);
  wide.ShowModal();
  EXPECT_GE(wide.frameGeometry().left(), screen.left());
  EXPECT_GE(wide.frameGeometry().top(), screen.top());
  wide.Close();

  PlacedForm centred("poScreenCenter", 200, 100);
  centred.ShowModal();
  EXPECT_LE(std::abs(centred.frameGeometry().center().x() - screen.center().x()), 3);
  centred.Close();
  ui::SetMainForm(nullptr);
}

}  // namespace
