#pragma once

#include <QLineEdit>
#include <QString>

namespace ui {

// The score field with edit mask "!999;1;_": three positions, each a digit or a
// blank. Its text is always three characters; a typed digit fills the position
// at the caret and moves it on; blanks show as "_". Entered by the keyboard
// (Tab, or focused by the window), the field selects its whole text, so that
// typing replaces it. A blank typed into a field that holds no digit is
// passed over, so that a stray Space leaves room for all three digits.
class TMaskEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(QString Text READ Text WRITE SetText)
 public:
  explicit TMaskEdit(QWidget* parent = nullptr);
  QString Text() const { return text_; }
  void SetText(const QString& t);  // shorter texts are padded with blanks
  void Clear() { SetText(QString()); }

 signals:
  // A character key pressed in the field (13 for Enter), before it is applied.
  void KeyPress(int key);
  // A paste that is no value the field can hold (not only digits, or more of
  // them than there are positions from the caret on); the text is unchanged.
  void PasteRefused();

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;

 private:
  static constexpr int kLength = 3;
  void Refresh(int caret);
  // Puts characters (digits or blanks) in from the caret on, over any selection.
  void Put(const QString& chars);
  void Paste();
  void BlankSelection(int& caret);
  bool NothingTyped() const;
  bool ClipboardKey(const QKeyEvent& e);
  void Erase(bool backwards);
  void SyncFromShown(const QString& shown);
  QString text_ = QString(kLength, QChar(' '));
  bool refreshing_ = false;
};

}  // namespace ui
