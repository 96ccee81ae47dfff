#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <stdexcept>

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
  explicit ProbeForm(bool keyPreview, bool okIsDefault = false, bool onTop = true) {
    setProperty("BorderStyle", "bsToolWindow");
    setProperty("KeyPreview", keyPreview);
    setProperty("ClientWidth", 300);
    setProperty("ClientHeight", 200);
    if (onTop) setProperty("FormStyle", "fsStayOnTop");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit = new QLineEdit(this));
    layout->addWidget(plain = new QPushButton("plain", this));
    layout->addWidget(ok = new QPushButton("OK", this));
    layout->addWidget(combo = new QComboBox(this));
    layout->addWidget(panel = new QLabel(this));
    plain->setStyleSheet("color: #008000;");  // a caption coloured by the layout
    ok->setProperty("ModalResult", int(ui::mrOk));
    ok->setProperty("Default", okIsDefault);
    combo->addItems({"501", "301"});
    connect(plain, &QPushButton::clicked, this, [this] { clicks.push_back("plain"); });
    connect(ok, &QPushButton::clicked, this, [this] { clicks.push_back("ok"); });
    connect(combo, &QComboBox::activated, this, [this](int i) { clicks.push_back("select " + std::to_string(i)); });
    InitForm();
  }
  QLineEdit* edit;
  QPushButton *plain, *ok;
  QComboBox* combo;
  QLabel* panel;
  int created = 0, shown = 0, closed = 0, swallow = 0;
  std::vector<int> keys;
  std::vector<std::string> clicks;
  std::function<void()> onShow;
  std::function<void(int)> onKey;

 protected:
  void FormCreate() override { ++created; }
  void FormShow() override {
    ++shown;
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

// Each showing runs the show handler; the program's Close hides the form, the
// window system's close (close box, Alt+F4) only while Close is in the menu.
TEST_F(FormsTest, ShowAndCloseAcrossShowings) {
  for (const bool noClose : {false, true}) {
    SCOPED_TRACE(noClose);
    ProbeForm f(false);
    if (noClose) f.onShow = [&f] { f.NoCloseSystemMenu(); };  // as the windows do at every showing
    f.edit->setText("kept");
    for (int i = 1; i <= 2; ++i) {
      f.ShowModal();
      EXPECT_EQ(f.shown, i);
      EXPECT_EQ(f.HasCloseCommand(), !noClose);
      QCloseEvent fromWindowSystem;
      QSpontaneKeyEvent::setSpontaneous(&fromWindowSystem);
      qApp->notify(&f, &fromWindowSystem);
      EXPECT_EQ(f.isVisible(), noClose);
      f.Close();
      EXPECT_FALSE(f.isVisible());
      EXPECT_EQ(f.closed, i);
      EXPECT_EQ(f.ModalResult(), ui::mrCancel);
    }
    EXPECT_EQ(f.edit->text(), "kept");  // controls keep their contents
    EXPECT_EQ(f.created, 1);
  }
}

// A button with a modal result ends the real nested loop with it.
TEST_F(FormsTest, ModalResultButtonEndsTheModalLoop) {
  ProbeForm f(false);
  ui::seams().modalRunner = [&f](ui::TForm& form) {
    QTimer::singleShot(0, &form, [&f] { f.ok->click(); });
    return form.RunModalLoop();
  };
  EXPECT_TRUE(f.ShowModal() == ui::mrOk && !f.isVisible());
}

// The key preview sees a key once before the focused control, which still gets
// it unless the handler swallowed it; Enter goes to a focused button or else to
// the default button; Esc closes nothing; Down and Up in a closed combo box
// choose the next or previous item and run its select handler.
TEST_F(FormsTest, KeysReachPreviewButtonsAndComboBoxes) {
  enum Focus { kEdit, kPlain, kCombo };
  // seen: by the key preview; text: of the edit; item: of the combo box.
  // clang-format off
  const struct { const char* name; bool preview, okIsDefault; int swallow; Focus focus; std::vector<Qt::Key> keys;
                 std::vector<int> seen; std::vector<std::string> clicks; QString text; int item; bool visible; }
  cases[] = {
      {"F10 seen once", true, false, 0, kEdit, {Qt::Key_F10}, {121}, {}, "", 0, true},
      {"digit seen and typed", true, false, 0, kEdit, {Qt::Key_7}, {'7'}, {}, "7", 0, true},
      {"digit swallowed", true, false, '6', kEdit, {Qt::Key_5, Qt::Key_6}, {'5', '6'}, {}, "5", 0, true},
      {"no preview", false, false, 0, kEdit, {Qt::Key_F10, Qt::Key_4}, {}, {}, "4", 0, true},
      {"Enter, Esc, no default", true, false, 0, kEdit, {Qt::Key_Return, Qt::Key_Escape}, {13, 27}, {}, "", 0, true},
      {"Enter: the default button", false, true, 0, kEdit, {Qt::Key_Return}, {}, {"ok"}, "", 0, false},
      {"Enter on a focused button", true, true, 0, kPlain, {Qt::Key_Return}, {13}, {"plain"}, "", 0, true},
      {"keypad Enter, Space", false, false, 0, kPlain, {Qt::Key_Enter, Qt::Key_Space}, {}, {"plain", "plain"}, "", 0,
       true},
      {"Down, Up", true, false, 0, kCombo, {Qt::Key_Down, Qt::Key_Up}, {40, 38}, {"select 1", "select 0"}, "", 0, true},
      {"Down past the last", false, false, 0, kCombo, {Qt::Key_Down, Qt::Key_Down}, {}, {"select 1"}, "", 1, true}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ProbeForm f(c.preview, c.okIsDefault);
    f.swallow = c.swallow;
    f.ShowModal();
    QWidget* const target = std::vector<QWidget*>{f.edit, f.plain, f.combo}[c.focus];
    target->setFocus();
    for (Qt::Key k : c.keys) QTest::keyClick(target, k, k == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    EXPECT_EQ(f.keys, c.seen);
    EXPECT_EQ(f.clicks, c.clicks);
    EXPECT_EQ(f.edit->text(), c.text);
    EXPECT_EQ(f.combo->currentIndex(), c.item);
    EXPECT_FALSE(f.combo->view()->isVisible());  // no list popped up
    EXPECT_EQ(f.isVisible(), c.visible);
    f.Close();
  }
}

// A modal form belongs to the window it is opened from (the top modal window,
// else the active one, else the main form): that window is its transient
// owner, and it stays on top while its owner does.
TEST_F(FormsTest, ModalFormComesUpOverTheWindowItIsOpenedFrom) {
  enum Owner { kModal, kMain, kNone };
  const struct { const char* name; Owner owner; bool ownerOnTop, ownOnTop, tied, onTop; } cases[] = {
               {"owner on top", kModal, true, false, true, true},
               {"plain owner", kModal, false, false, true, false},
               {"no window active: the main form", kMain, false, false, true, false},
               {"no owner", kNone, false, false, false, false},
               {"on top of its own", kNone, false, true, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ProbeForm owner(false, false, c.ownerOnTop);
    ProbeForm form(false, false, c.ownOnTop);
    if (c.owner == kModal) owner.ShowModal();
    if (c.owner == kMain) {
      ui::SetMainForm(&owner);
      owner.show();
      QApplication::setActiveWindow(nullptr);
    }
    form.ShowModal();
    ASSERT_NE(form.windowHandle(), nullptr);
    EXPECT_EQ(form.windowHandle()->transientParent(), c.tied ? owner.windowHandle() : nullptr);
    EXPECT_EQ(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.onTop);
    form.Close();
    // Opened again with no window beneath, it keeps only its own stay-on-top.
    owner.Close();
    owner.hide();
    form.ShowModal();
    EXPECT_EQ(form.windowHandle()->transientParent(), nullptr);
    EXPECT_EQ(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.ownOnTop);
    form.Close();
    ui::SetMainForm(nullptr);
  }
}

// What the handlers may raise (a failed number conversion) is reported, and
// the window stays and takes input.
TEST_F(FormsTest, ExceptionInAHandlerIsReportedAndPlayGoesOn) {
  enum Handler { kShow, kKey, kClick };
  for (const Handler h : {kShow, kKey, kClick}) {
    SCOPED_TRACE(h);
    ProbeForm f(true);
    const auto raise = [] { ui::StrToInt("1 5"); };
    if (h == kShow) f.onShow = raise;
    if (h == kKey) f.onKey = [&](int) { raise(); };
    if (h == kClick) QObject::connect(f.plain, &QPushButton::clicked, raise);
    testing_support::ScriptedMessages msgs;
    f.ShowModal();
    if (h == kKey) QTest::keyClick(f.edit, Qt::Key_F2);
    if (h == kClick) QTest::mouseClick(f.plain, Qt::LeftButton);
    f.onKey = nullptr;
    EXPECT_EQ(msgs.Texts(), QStringList{"'1 5' is not a valid integer value."});
    EXPECT_EQ(msgs.Log().at(0).kind, ui::ShownMessage::Kind::Exception);
    QTest::keyClick(f.edit, Qt::Key_7);
    EXPECT_EQ(f.edit->text(), "7");
  }
}

// (Own Enabled is read by the key map: its test presses a button in a disabled panel.)
TEST_F(FormsTest, OwnVisibleIgnoresTheParents) {
  QWidget parent;
  auto* child = new QPushButton(&parent);
  EXPECT_TRUE(ui::Visible(child));  // the parent is never shown
  child->hide();
  EXPECT_FALSE(ui::Visible(child));
}

// A caption coloured by the layout is drawn in its colour while the button takes
// presses, and grey once it is disabled.
TEST_F(FormsTest, ColouredCaptionTurnsGreyWhenDisabled) {
  ProbeForm f(false);
  f.show();
  auto greenPixels = [&f] {
    const QImage image = f.plain->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == QColor(0, 128, 0);
    return n;
  };
  EXPECT_GT(greenPixels(), 0);
  f.plain->setEnabled(false);
  EXPECT_EQ(greenPixels(), 0);
}

// A control that the window gives the focus (not the Tab key) shows its focus
// frame; once the focus has gone, it looks as before, as the style beneath
// draws it.
TEST_F(FormsTest, FocusedControlsShowTheirFrame) {
  ProbeForm f(false);
  auto* radio = new QRadioButton(QStringLiteral("Круговая система"), &f);
  auto* check = new QCheckBox(QStringLiteral("Видео"), &f);
  f.layout()->addWidget(radio);
  f.layout()->addWidget(check);
  f.ShowModal();
  QApplication::setActiveWindow(&f);
  QStyle* beneath = static_cast<QProxyStyle*>(QApplication::style())->baseStyle();
  const std::pair<const char*, QWidget*> cases[] = {
      {"button", f.ok}, {"button coloured by the layout", f.plain}, {"radio item", radio}, {"check box", check}};
  for (const auto& [name, control] : cases) {
    SCOPED_TRACE(name);
    f.edit->setFocus();
    const QImage unfocused = control->grab().toImage();
    control->setFocus();
    ASSERT_TRUE(control->hasFocus());
    EXPECT_NE(control->grab().toImage(), unfocused);
    f.edit->setFocus();
    EXPECT_EQ(control->grab().toImage(), unfocused);
    control->setStyle(beneath);
    EXPECT_EQ(control->grab().toImage(), unfocused);
    control->setStyle(nullptr);
  }
}

// Texts a player typed or a file supplied are shown as typed, never read as
// markup: in a form's label filled before its first showing, in a label made
// later, and in a window that is no form.
TEST_F(FormsTest, LabelsShowMarkupAsTyped) {
  enum Where { kFormLabel, kMadeLater, kOtherWindow };
  const QString text = QStringLiteral("<b>Анна</b> &amp; <img src=\"/nonexistent/picture.png\" width=1 height=1>");
  for (const Where where : {kFormLabel, kMadeLater, kOtherWindow}) {
    SCOPED_TRACE(where);
    ProbeForm f(false);
    QWidget other;
    QLabel* label = where == kFormLabel ? f.panel : where == kMadeLater ? new QLabel(&f) : new QLabel(&other);
    label->setText(text);
    f.ShowModal();
    other.show();
    // Drawn as characters, the text is as wide as its characters.
    EXPECT_GE(label->sizeHint().width(), label->fontMetrics().horizontalAdvance(text));
  }
}

class DialogsTest : public testing_support::SeamsFixture {};

// Boxes that return nothing.
int Message() { return ui::ShowMessage("a\rb"), -1; }
int Error() { return ui::ErrorBox("e", "E"), -1; }
int Report() {
  return ui::RunHandler([] { throw std::runtime_error("'1 5' is not a valid integer value"); }), -1;
}

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
    ProbeForm game(false, false, c.onTop);  // a game window
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
