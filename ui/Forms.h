// The form base of every window: created once, hidden when closed, shown modally,
// with the class library's show, close, activate and key events.
#pragma once

#include <QDialog>
#include <QPointer>

class QAbstractButton;
class QKeyEvent;

namespace ui {

class CaptionStrip;

// Virtual key codes as the window handlers see them.
enum VirtualKey {
  VK_BACK = 8,
  VK_TAB = 9,
  VK_RETURN = 13,
  VK_ESCAPE = 27,
  VK_SPACE = 32,
  VK_LEFT = 37,
  VK_UP = 38,
  VK_RIGHT = 39,
  VK_DOWN = 40,
  VK_DELETE = 46,
  VK_F1 = 112,
  VK_F2,
  VK_F3,
  VK_F4,
  VK_F5,
  VK_F6,
  VK_F7,
  VK_F8,
  VK_F9,
  VK_F10,
  VK_F11,
  VK_F12,
};

// The virtual key code of a Qt key event (0 when it has none).
int VirtualKeyOf(const QKeyEvent& e);

// A control's own Enabled and Visible properties, whatever its parents are.
bool Enabled(const QWidget* w);
bool Visible(const QWidget* w);

class TForm : public QDialog {
  Q_OBJECT
 public:
  enum class Border { Sizeable, Single, Dialog, ToolWindow, SizeToolWin, None };
  enum class Placement { Designed, ScreenCenter, MainFormCenter };

  explicit TForm(QWidget* parent = nullptr);

  // Shows the form modally: the show handler runs, the windows beneath take no
  // input until the form closes; returns the modal result.
  int ShowModal();
  // Closes (hides) the form; its fields and controls keep their contents.
  void Close();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int r);

  // Removes Close from the system menu: the close box and Alt+F4 do nothing.
  // Re-applied at every showing by the form's show handler.
  void NoCloseSystemMenu();
  bool HasCloseCommand() const { return !closeRemoved_; }

  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool on) { keyPreview_ = on; }
  QSize ClientSize() const { return clientSize_; }

  // The nested loop of the default modal runner.
  int RunModalLoop();

  // Builds the form from its layout the first time it is needed: at its first
  // showing, or when a caller reaches for its controls before that (a window
  // does its costly preparation there, not at the program's start).
  void EnsureForm();
  // Builds the form and draws it once off the screen, so that its first
  // showing finds its controls, pictures and fonts ready. Nothing is shown
  // and no handler of the form's runs.
  void Prepare();

  // Called by the application for a key pressed in this form while key preview
  // is on, before the focused control sees it. Returns true when the handler
  // swallowed the key (set it to 0).
  bool PreviewKey(QKeyEvent& e);

 protected:
  // Reads the form's properties from its layout (dynamic properties BorderStyle,
  // Position, KeyPreview, FormStyle, AlphaBlendValue, ClientWidth, ClientHeight),
  // prepares its buttons and runs FormCreate. Call once, after setupUi.
  void InitForm();

  // Builds the form once (setupUi, then InitForm, then what the window adds);
  // run by EnsureForm. A window that builds its form in its constructor keeps
  // the empty default.
  virtual void BuildForm() {}

  // The form's events; override the ones a window handles.
  virtual void FormCreate() {}
  virtual void FormShow() {}
  virtual void FormActivate() {}
  virtual void FormClose() {}
  virtual void FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
    (void)key;
    (void)shift;
  }

  void setVisible(bool visible) override;
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool event(QEvent* e) override;
  // A focused push button answers Enter as it answers Space: it is clicked.
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void ApplyWindowFlags();
  // Draws the window's own caption above its client area, or takes it away.
  void ShowCaptionStrip(bool on);
  void PlaceWindow();
  void TieToOwner(QWidget* owner);

  bool built_ = false;
  int modalResult_ = 0;
  bool closeRemoved_ = false;
  bool keyPreview_ = false;
  bool stayOnTop_ = false;
  int alpha_ = 255;
  bool inModal_ = false;
  bool ownerOnTop_ = false;  // stays on top while its owner does
  Border border_ = Border::Sizeable;
  Placement placement_ = Placement::Designed;
  QSize clientSize_;
  QPointer<CaptionStrip> captionStrip_;
  int stripHeight_ = 0;  // how far the client area lies below the window's top
  QPointer<QAbstractButton> defaultButton_;
  QPointer<QAbstractButton> cancelButton_;
};

}  // namespace ui
