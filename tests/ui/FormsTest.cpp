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
// then InitForm.
class ProbeForm : public ui::TForm {
 public:
  explicit ProbeForm(bool keyPreview, bool noClose = false) : noClose_(noClose) {
    setProperty("BorderStyle", "bsToolWindow");
    setProperty("KeyPreview", keyPreview);
    setProperty("ClientWidth", 300);
    setProperty("ClientHeight", 200);
    setProperty("FormStyle", "fsStayOnTop");
    auto* layout = new QVBoxLayout(this);
    edit = new QLineEdit(this);
    ok = new QPushButton("OK", this);
    ok->setProperty("ModalResult", int(ui::mrOk));
    layout->addWidget(edit);
    layout->addWidget(ok);
    InitForm();
  }
  QLineEdit* edit;
  QPushButton* ok;
  int created = 0, shown = 0, closed = 0;
  std::vector<int> keys;
  int swallow = 0;
  bool noClose_;

 protected:
  void FormCreate() override { ++created; }
  void FormShow() override {
    ++shown;
    if (noClose_) NoCloseSystemMenu();
  }
  void FormClose() override { ++closed; }
  void FormKeyDown(int& key, Qt::KeyboardModifiers) override {
    keys.push_back(key);
    if (key == swallow) key = 0;
  }
};

class FormsTest : public testing_support::SeamsFixture {};

TEST_F(FormsTest, PropertiesFromTheLayout) {
  ProbeForm f(true);
  EXPECT_EQ(f.created, 1);
  EXPECT_EQ(f.size(), QSize(300, 200));
  EXPECT_TRUE(f.KeyPreview());
  EXPECT_TRUE(f.StayOnTop());
  EXPECT_EQ(f.BorderStyle(), ui::TForm::Border::ToolWindow);
  EXPECT_TRUE(f.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(f.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_FALSE(f.ok->autoDefault());
}

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

TEST_F(FormsTest, ModalRunnerSeamScriptsTheModalLoop) {
  ProbeForm f(false);
  ui::seams().modalRunner = [](ui::TForm& form) {
    form.show();
    static_cast<ProbeForm&>(form).ok->click();  // a button with a modal result closes
    return form.ModalResult();
  };
  EXPECT_EQ(f.ShowModal(), ui::mrOk);
  EXPECT_FALSE(f.isVisible());
}

TEST_F(FormsTest, RealModalLoopEndsWhenClosed) {
  ProbeForm f(false);
  ui::ResetSeams();  // the real nested loop
  testing_support::InstallTestDefaults();
  ui::seams().modalRunner = [](ui::TForm& form) { return form.RunModalLoop(); };
  QTimer::singleShot(0, &f, [&f] { f.ok->click(); });
  EXPECT_EQ(f.ShowModal(), ui::mrOk);
  EXPECT_FALSE(f.isVisible());
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

TEST_F(FormsTest, KeyPreviewSeesKeysBeforeTheFocusedControl) {
  struct Case {
    Qt::Key key;
    int vk;
  };
  const Case cases[] = {{Qt::Key_F1, 112},    {Qt::Key_F5, 116},   {Qt::Key_F10, 121},
                        {Qt::Key_Return, 13}, {Qt::Key_Enter, 13}, {Qt::Key_7, '7'}};
  for (const Case& c : cases) {
    ProbeForm f(true);
    f.ShowModal();
    QTest::keyClick(f.edit, c.key);
    ASSERT_EQ(f.keys.size(), 1u) << c.vk;  // seen once, not again on the way to the parents
    EXPECT_EQ(f.keys[0], c.vk);
    f.Close();
  }
}

TEST_F(FormsTest, KeyStillReachesTheControlUnlessSwallowed) {
  ProbeForm f(true);
  f.ShowModal();
  QTest::keyClick(f.edit, Qt::Key_5);
  EXPECT_EQ(f.edit->text(), "5");
  f.swallow = '6';
  QTest::keyClick(f.edit, Qt::Key_6);
  EXPECT_EQ(f.edit->text(), "5");
  f.Close();
}

TEST_F(FormsTest, WithoutKeyPreviewTheFormSeesNothing) {
  ProbeForm f(false);
  f.ShowModal();
  QTest::keyClick(f.edit, Qt::Key_F10);
  EXPECT_TRUE(f.keys.empty());
  f.Close();
}

TEST_F(FormsTest, EnterAndEscapeDoNotCloseAFormWithoutDefaultButton) {
  ProbeForm f(true);
  f.ShowModal();
  QTest::keyClick(f.edit, Qt::Key_Return);
  QTest::keyClick(f.edit, Qt::Key_Escape);
  EXPECT_TRUE(f.isVisible());
  f.Close();
}

TEST_F(FormsTest, EnterClicksTheDefaultButton) {
  class DefaultForm : public ui::TForm {
   public:
    DefaultForm() {
      auto* layout = new QVBoxLayout(this);
      edit = new QLineEdit(this);
      button = new QPushButton("OK", this);
      button->setProperty("Default", true);
      button->setProperty("ModalResult", int(ui::mrOk));
      layout->addWidget(edit);
      layout->addWidget(button);
      InitForm();
    }
    QLineEdit* edit;
    QPushButton* button;
  } d;
  d.ShowModal();
  QTest::keyClick(d.edit, Qt::Key_Return);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.ModalResult(), ui::mrOk);
}

// A focused push button answers Enter and Space; Down and Up in a closed combo
// box choose the next or previous item and run its select handler.
class KeyForm : public ui::TForm {
 public:
  KeyForm() {
    auto* layout = new QVBoxLayout(this);
    edit = new QLineEdit(this);
    plain = new QPushButton("plain", this);
    byDefault = new QPushButton("default", this);
    byDefault->setProperty("Default", true);
    combo = new QComboBox(this);
    combo->addItems({"501", "301"});
    for (QWidget* w : std::initializer_list<QWidget*>{edit, plain, byDefault, combo}) layout->addWidget(w);
    connect(plain, &QPushButton::clicked, this, [this] { clicks.push_back("plain"); });
    connect(byDefault, &QPushButton::clicked, this, [this] { clicks.push_back("default"); });
    connect(combo, &QComboBox::activated, this, [this](int i) { clicks.push_back("select " + std::to_string(i)); });
    InitForm();
  }
  QLineEdit* edit;
  QPushButton* plain;
  QPushButton* byDefault;
  QComboBox* combo;
  std::vector<std::string> clicks;
};

TEST_F(FormsTest, KeysOnFocusedButtonsAndComboBoxes) {
  struct Case {
    const char* name;
    std::function<QWidget*(KeyForm&)> focus;
    int startIndex;
    std::vector<Qt::Key> keys;
    Qt::KeyboardModifiers mods;
    std::vector<std::string> clicks;
    int endIndex;
  };
  auto plain = [](KeyForm& f) -> QWidget* { return f.plain; };
  auto edit = [](KeyForm& f) -> QWidget* { return f.edit; };
  auto combo = [](KeyForm& f) -> QWidget* { return f.combo; };
  const Case cases[] = {
      {"Enter on a plain button", plain, 0, {Qt::Key_Return}, {}, {"plain"}, 0},
      {"keypad Enter on a plain button", plain, 0, {Qt::Key_Enter}, Qt::KeypadModifier, {"plain"}, 0},
      {"Space on a plain button", plain, 0, {Qt::Key_Space}, {}, {"plain"}, 0},
      {"two Enters, two clicks", plain, 0, {Qt::Key_Return, Qt::Key_Return}, {}, {"plain", "plain"}, 0},
      {"Enter in an edit: the default button", edit, 0, {Qt::Key_Return}, {}, {"default"}, 0},
      {"Down chooses the next item", combo, 0, {Qt::Key_Down}, {}, {"select 1"}, 1},
      {"Up chooses the previous item", combo, 1, {Qt::Key_Up}, {}, {"select 0"}, 0},
      {"Down past the last item does nothing", combo, 1, {Qt::Key_Down}, {}, {}, 1},
      {"Up past the first item does nothing", combo, 0, {Qt::Key_Up}, {}, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KeyForm f;
    f.ShowModal();
    f.combo->setCurrentIndex(c.startIndex);
    QWidget* target = c.focus(f);
    target->setFocus();
    for (Qt::Key k : c.keys) QTest::keyClick(target, k, c.mods);
    EXPECT_EQ(f.clicks, c.clicks);
    EXPECT_EQ(f.combo->currentIndex(), c.endIndex);
    EXPECT_FALSE(f.combo->view()->isVisible());  // no popup opened
    f.Close();
  }
}

TEST_F(FormsTest, ExceptionInAHandlerIsReportedAndPlayGoesOn) {
  // A window whose show, key and click handlers raise what the program's
  // handlers may raise: a failed number conversion.
  class Throwing : public ui::TForm {
   public:
    explicit Throwing(bool throwOnShow) : throwOnShow_(throwOnShow) {
      setProperty("KeyPreview", true);
      auto* layout = new QVBoxLayout(this);
      edit = new QLineEdit(this);
      button = new QPushButton("go", this);
      layout->addWidget(edit);
      layout->addWidget(button);
      connect(button, &QPushButton::clicked, this, [] { ui::StrToInt("1 5"); });
      InitForm();
    }
    QLineEdit* edit;
    QPushButton* button;

   protected:
    void FormShow() override {
      if (throwOnShow_) ui::StrToInt("x");
    }
    void FormKeyDown(int& key, Qt::KeyboardModifiers) override {
      if (key == ui::VK_F2) throw std::runtime_error("boom");
    }

   private:
    bool throwOnShow_;
  };
  struct Case {
    const char* name;
    bool throwOnShow;
    std::function<void(Throwing&)> act;
    QString report;
  };
  const Case cases[] = {
      {"show handler", true, [](Throwing&) {}, "'x' is not a valid integer value."},
      {"key handler", false, [](Throwing& f) { QTest::keyClick(f.edit, Qt::Key_F2); }, "boom."},
      {"click handler", false, [](Throwing& f) { QTest::mouseClick(f.button, Qt::LeftButton); },
       "'1 5' is not a valid integer value."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Throwing f(c.throwOnShow);
    ui::ScriptedMessages msgs;
    f.ShowModal();
    c.act(f);
    ASSERT_EQ(msgs.Log().size(), 1u);
    EXPECT_EQ(msgs.Log()[0].kind, ui::ShownMessage::Kind::Exception);
    EXPECT_EQ(msgs.Log()[0].text, c.report);
    // The window stays and still takes input.
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
