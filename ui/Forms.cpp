#include "ui/Forms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

#include "ui/Application.h"
#include "ui/CaptionStrip.h"
#include "ui/Dialogs.h"
#include "ui/Seams.h"
#include "ui/WindowButtons.h"

namespace ui {

namespace {

// A button whose layout gives its caption a colour keeps that colour only while
// enabled; disabled, it is drawn grey like every other disabled button, so a
// player sees which buttons take a press.
void GreyWhenDisabled(QPushButton& b) {
  const QString sheet = b.styleSheet().trimmed();
  if (sheet.isEmpty() || sheet.contains(QLatin1Char('{')) || !sheet.contains(QLatin1String("color"))) return;
  const QString grey = b.palette().color(QPalette::Disabled, QPalette::ButtonText).name();
  b.setStyleSheet(QStringLiteral("QPushButton { %1 } QPushButton:disabled { color: %2; }").arg(sheet, grey));
}

}  // namespace

int VirtualKeyOf(const QKeyEvent& e) {
  const int k = e.key();
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return VK_F1 + (k - Qt::Key_F1);
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
  switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return VK_TAB;
    case Qt::Key_Space:
      return VK_SPACE;
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Delete:
      return VK_DELETE;
    default:
      return 0;
  }
}

bool Enabled(const QWidget* w) { return w && !w->testAttribute(Qt::WA_ForceDisabled); }

bool Visible(const QWidget* w) {
  if (!w) return false;
  if (w->isWindow()) return w->isVisible();
  if (w->testAttribute(Qt::WA_WState_ExplicitShowHide)) return !w->testAttribute(Qt::WA_WState_Hidden);
  return true;
}

TForm::TForm(QWidget* parent) : QDialog(parent) {}

void TForm::InitForm() {
  const QString border = property("BorderStyle").toString();
  if (border == "bsToolWindow")
    border_ = Border::ToolWindow;
  else if (border == "bsSingle")
    border_ = Border::Single;
  else if (border == "bsDialog")
    border_ = Border::Dialog;
  else if (border == "bsSizeToolWin")
    border_ = Border::SizeToolWin;
  else if (border == "bsNone")
    border_ = Border::None;
  else
    border_ = Border::Sizeable;

  const QString pos = property("Position").toString();
  if (pos == "poMainFormCenter")
    placement_ = Placement::MainFormCenter;
  else if (pos == "poScreenCenter")
    placement_ = Placement::ScreenCenter;
  else
    placement_ = Placement::Designed;

  keyPreview_ = property("KeyPreview").toBool();
  stayOnTop_ = property("FormStyle").toString() == "fsStayOnTop";
  if (property("AlphaBlendValue").isValid()) alpha_ = property("AlphaBlendValue").toInt();

  const int cw = property("ClientWidth").isValid() ? property("ClientWidth").toInt() : width();
  const int ch = property("ClientHeight").isValid() ? property("ClientHeight").toInt() : height();
  clientSize_ = QSize(cw, ch);
  if (border_ == Border::Sizeable || border_ == Border::SizeToolWin)
    resize(clientSize_);
  else
    setFixedSize(clientSize_);
  if (alpha_ < 255) setWindowOpacity(alpha_ / 255.0);

  // Labels and panels show their texts as typed, never as markup (the
  // application does the same for labels made later).
  for (QLabel* l : findChildren<QLabel*>()) l->setTextFormat(Qt::PlainText);

  // Buttons take Enter only when the layout makes them the default button; a
  // button with a modal result closes the form with it.
  for (QPushButton* b : findChildren<QPushButton*>()) {
    const bool isDefault = b->property("Default").toBool();
    b->setAutoDefault(false);
    b->setDefault(false);
    if (isDefault) defaultButton_ = b;
    b->installEventFilter(this);
    GreyWhenDisabled(*b);
    if (b->property("Cancel").toBool()) cancelButton_ = b;
    const int mr = b->property("ModalResult").toInt();
    if (mr != mrNone) {
      connect(b, &QAbstractButton::clicked, this, [this, mr] { SetModalResult(mr); });
    }
  }
  ApplyWindowFlags();
  FormCreate();
}

void TForm::ApplyWindowFlags() {
  Qt::WindowFlags f = (border_ == Border::ToolWindow || border_ == Border::SizeToolWin) ? Qt::Tool : Qt::Dialog;
  f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
  if (!closeRemoved_) f |= Qt::WindowCloseButtonHint;
  if (stayOnTop_ || ownerOnTop_) f |= Qt::WindowStaysOnTopHint;
  if (border_ == Border::None) f |= Qt::FramelessWindowHint;
  if (isVisible() || testAttribute(Qt::WA_WState_Created)) {
    overrideWindowFlags(f);
    if (windowHandle()) windowHandle()->setFlags(f);
    OfferNoMinimise(this);  // the new flags gave the window its type and hints again
    // Where the manager would keep a close button that does nothing, the
    // window has no title bar and shows its caption itself.
    ShowCaptionStrip(closeRemoved_ && border_ != Border::None && OfferNoTitleBar(this));
  } else {
    setWindowFlags(f);
  }
}

// The strip lies above the client area: the window grows by its height and
// every control keeps its place in the client area.
void TForm::ShowCaptionStrip(bool on) {
  if (on && !captionStrip_) captionStrip_ = new CaptionStrip(this);
  const int strip = on ? captionStrip_->height() : 0;
  const int dy = strip - stripHeight_;
  if (dy == 0) return;
  for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w != captionStrip_ && !w->isWindow()) w->move(w->x(), w->y() + dy);
  }
  stripHeight_ = strip;
  if (border_ == Border::Sizeable || border_ == Border::SizeToolWin)
    resize(width(), height() + dy);
  else
    setFixedSize(clientSize_.width(), clientSize_.height() + strip);
  captionStrip_->setVisible(on);
  captionStrip_->raise();
  if (inModal_) PlaceWindow();  // opening: placed by its new size
}

void TForm::NoCloseSystemMenu() {
  closeRemoved_ = true;
  ApplyWindowFlags();
}

void TForm::SetModalResult(int r) {
  modalResult_ = r;
  if (r != mrNone && isVisible()) Close();
}

void TForm::PlaceWindow() {
  QRect area;
  if (placement_ == Placement::MainFormCenter && MainForm() && MainForm() != this && MainForm()->isVisible()) {
    area = MainForm()->frameGeometry();
  } else if (placement_ != Placement::Designed) {
    QScreen* s = QGuiApplication::primaryScreen();
    if (s) area = s->availableGeometry();
  }
  if (area.isValid()) {
    QRect r(QPoint(0, 0), frameGeometry().size());
    r.moveCenter(area.center());
    // A form wider than the main window still starts on the screen.
    if (QScreen* s = QGuiApplication::primaryScreen()) {
      const QRect screen = s->availableGeometry();
      if (r.right() > screen.right()) r.moveRight(screen.right());
      if (r.bottom() > screen.bottom()) r.moveBottom(screen.bottom());
      if (r.left() < screen.left()) r.moveLeft(screen.left());
      if (r.top() < screen.top()) r.moveTop(screen.top());
    }
    move(r.topLeft());
  }
}

// A modal form belongs to the window it was opened from: the window manager
// keeps it above that window (transient owner), and it stays on top with an
// owner that does, so that it never opens hidden behind the window that now
// waits for it.
void TForm::TieToOwner(QWidget* owner) {
  const bool onTop = owner && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
  if (onTop != ownerOnTop_) {
    ownerOnTop_ = onTop;
    ApplyWindowFlags();
  }
  if (!owner) {
    if (windowHandle()) windowHandle()->setTransientParent(nullptr);
    return;
  }
  winId();  // the native window, to name its owner
  if (QWindow* w = windowHandle()) w->setTransientParent(owner->windowHandle());
}

void TForm::EnsureForm() {
  if (built_) return;
  built_ = true;
  BuildForm();
}

void TForm::Prepare() {
  EnsureForm();
  if (!isVisible()) (void)grab();
}

void TForm::setVisible(bool visible) {
  if (visible) EnsureForm();
  QDialog::setVisible(visible);
}

int TForm::ShowModal() {
  if (isVisible()) return modalResult_;  // already showing
  EnsureForm();
  modalResult_ = mrNone;
  QWidget* owner = RaisingWindow();
  if (owner == this) owner = nullptr;
  TieToOwner(owner);
  setWindowModality(Qt::ApplicationModal);
  winId();
  OfferNoMinimise(this);
  PlaceWindow();
  inModal_ = true;
  int r = mrCancel;
  try {
    r = seams().modalRunner(*this);
  } catch (...) {
    inModal_ = false;
    if (!isVisible()) TieToOwner(nullptr);
    throw;
  }
  inModal_ = false;
  if (!isVisible()) TieToOwner(nullptr);
  return r;
}

int TForm::RunModalLoop() {
  QDialog::exec();
  return modalResult_;
}

void TForm::Close() {
  if (!isVisible()) return;
  if (modalResult_ == mrNone) modalResult_ = mrCancel;
  FormClose();
  hide();  // ends the nested loop of ShowModal
}

void TForm::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) {
    // A modal form comes up in front, with the keyboard (a screen without
    // windows to stack has nothing to raise).
    if (inModal_ && QGuiApplication::platformName() != QLatin1String("offscreen")) {
      raise();
      activateWindow();
    }
    FormShow();
  }
}

void TForm::closeEvent(QCloseEvent* e) {
  // The window system's close (close box, Alt+F4) does nothing once Close is
  // gone from the system menu.
  if (e->spontaneous() && closeRemoved_) {
    e->ignore();
    return;
  }
  e->ignore();  // hiding is ours, the widget is never deleted
  Close();
}

void TForm::keyPressEvent(QKeyEvent* e) {
  // Enter goes to the default button and Esc to the cancel button, where the
  // layout names them; otherwise the form does nothing with them.
  const int vk = VirtualKeyOf(*e);
  if (vk == VK_RETURN && defaultButton_ && defaultButton_->isEnabled() && defaultButton_->isVisible()) {
    defaultButton_->click();
    return;
  }
  if (vk == VK_ESCAPE && cancelButton_ && cancelButton_->isEnabled() && cancelButton_->isVisible()) {
    cancelButton_->click();
    return;
  }
  e->ignore();
}

bool TForm::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* b = qobject_cast<QPushButton*>(watched);
    const auto* k = static_cast<QKeyEvent*>(e);
    const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
    const auto mods = k->modifiers() & ~Qt::KeypadModifier;
    if (b && enter && mods == Qt::NoModifier && b->isEnabled() && b->isVisible()) {
      b->click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, e);
}

bool TForm::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) FormActivate();
  return QDialog::event(e);
}

bool TForm::PreviewKey(QKeyEvent& e) {
  if (!keyPreview_) return false;
  int key = VirtualKeyOf(e);
  if (key == 0) return false;
  try {
    FormKeyDown(key, e.modifiers());
  } catch (const std::exception& ex) {
    ShowException(ex);
  }
  return key == 0;
}

}  // namespace ui
