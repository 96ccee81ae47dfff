#include "ui/MaskEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <algorithm>

namespace ui {

namespace {

bool IsMaskChar(QChar c) { return (c >= QChar('0') && c <= QChar('9')) || c == QChar(' '); }

}  // namespace

TMaskEdit::TMaskEdit(QWidget* parent) : QLineEdit(parent) {
  setMaxLength(kLength);
  setContextMenuPolicy(Qt::NoContextMenu);  // its paste would bypass the mask
  setDragEnabled(false);
  setAcceptDrops(false);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  // Texts set through the line edit itself (a form resource, clear()) pass the mask too.
  connect(this, &QLineEdit::textChanged, this, [this](const QString& shown) {
    if (!refreshing_) SyncFromShown(shown);
  });
  Refresh(0);
}

void TMaskEdit::SyncFromShown(const QString& shown) {
  QString t;
  for (QChar c : shown) {
    if (t.size() >= kLength) break;
    if (c == QChar('_')) c = QChar(' ');
    t += IsMaskChar(c) ? c : QChar(' ');
  }
  const int caret = std::min(cursorPosition(), kLength);
  text_ = t.leftJustified(kLength, QChar(' '));
  Refresh(caret);
}

void TMaskEdit::SetText(const QString& t) {
  QString clean;
  for (int i = 0; i < std::min<int>(static_cast<int>(t.size()), kLength); ++i)
    clean += IsMaskChar(t[i]) ? t[i] : QChar(' ');
  text_ = clean.leftJustified(kLength, QChar(' '));
  Refresh(0);
}

void TMaskEdit::Refresh(int caret) {
  QString shown = text_;
  shown.replace(QChar(' '), QChar('_'));
  refreshing_ = true;
  if (QLineEdit::text() != shown) QLineEdit::setText(shown);
  setCursorPosition(std::clamp(caret, 0, kLength));
  refreshing_ = false;
}

void TMaskEdit::BlankSelection(int& caret) {
  if (!hasSelectedText()) return;
  const int start = std::clamp(selectionStart(), 0, kLength);
  const int end = std::clamp(selectionStart() + static_cast<int>(selectedText().size()), 0, kLength);
  for (int i = start; i < end; ++i) text_[i] = QChar(' ');
  caret = start;
}

void TMaskEdit::Put(const QString& chars) {
  int caret = std::min(cursorPosition(), kLength);
  BlankSelection(caret);
  for (QChar c : chars) {
    if (caret >= kLength) break;
    text_[caret++] = c;
  }
  Refresh(caret);
}

// A paste is taken whole or not at all: digits (blanks around them aside) that
// fit from the caret, or from the start of a selection, on.
void TMaskEdit::Paste() {
  const QString clip = QApplication::clipboard()->text().trimmed();
  int caret = std::min(cursorPosition(), kLength);
  if (hasSelectedText()) caret = std::clamp(selectionStart(), 0, kLength);
  const bool digits = std::all_of(clip.begin(), clip.end(), [](QChar c) { return c >= QChar('0') && c <= QChar('9'); });
  if (clip.isEmpty() || !digits || clip.size() > kLength - caret) {
    emit PasteRefused();
    return;
  }
  Put(clip);
}

// Paste, copy, cut and select all; false for other keys.
bool TMaskEdit::ClipboardKey(const QKeyEvent& e) {
  if (e.matches(QKeySequence::Paste)) {
    Paste();
    return true;
  }
  if (e.matches(QKeySequence::Copy) || e.matches(QKeySequence::Cut)) {
    if (hasSelectedText()) {
      QApplication::clipboard()->setText(text_.mid(selectionStart(), selectedText().size()));
      if (e.matches(QKeySequence::Cut)) {
        int caret = cursorPosition();
        BlankSelection(caret);
        Refresh(caret);
      }
    }
    return true;
  }
  if (e.matches(QKeySequence::SelectAll)) {
    selectAll();
    return true;
  }
  return false;
}

// Only blanks are left once the selection, if any, is blanked.
bool TMaskEdit::NothingTyped() const {
  const int from = hasSelectedText() ? std::clamp(selectionStart(), 0, kLength) : kLength;
  const int to = hasSelectedText() ? std::clamp(selectionStart() + int(selectedText().size()), 0, kLength) : kLength;
  for (int i = 0; i < kLength; ++i)
    if ((i < from || i >= to) && text_[i] != QChar(' ')) return false;
  return true;
}

// Backspace blanks the position before the caret, Delete the one at it; either
// blanks a selection.
void TMaskEdit::Erase(bool backwards) {
  int caret = std::min(cursorPosition(), kLength);
  if (hasSelectedText()) {
    BlankSelection(caret);
  } else if (backwards && caret > 0) {
    text_[--caret] = QChar(' ');
  } else if (!backwards && caret < kLength) {
    text_[caret] = QChar(' ');
  }
  Refresh(caret);
}

bool TMaskEdit::event(QEvent* e) {
  // A character key without Ctrl, Alt or Meta belongs to an editable field, not
  // to a shortcut: the line edit would accept the override after matching the
  // key against every editing key binding; answer such keys at once.
  if (e->type() == QEvent::ShortcutOverride && !isReadOnly()) {
    auto* ke = static_cast<QKeyEvent*>(e);
    const Qt::KeyboardModifiers mods = ke->modifiers();
    if (ke->key() < Qt::Key_Escape &&
        (mods == Qt::NoModifier || mods == Qt::ShiftModifier || mods == Qt::KeypadModifier)) {
      ke->accept();
      return QWidget::event(e);
    }
    // Enter is no editing key of a line edit: left to the window's shortcuts.
    if ((ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) &&
        (mods == Qt::NoModifier || mods == Qt::KeypadModifier))
      return QWidget::event(e);
  }
  return QLineEdit::event(e);
}

void TMaskEdit::keyPressEvent(QKeyEvent* e) {
  if (!isEnabled() || isReadOnly()) {
    e->ignore();
    return;
  }
  const int key = e->key();
  const Qt::KeyboardModifiers mods = e->modifiers();
  QPointer<TMaskEdit> self(this);

  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    emit KeyPress(13);
    e->ignore();  // the window may act on Enter too
    return;
  }
  if (key == Qt::Key_Escape) {
    emit KeyPress(27);
    e->ignore();
    return;
  }
  const QString typed = e->text();
  const bool character =
      !typed.isEmpty() && typed[0].isPrint() && !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  // A plain character is never a clipboard key; asking the key bindings costs
  // far more than typing the digit.
  if (!character && ClipboardKey(*e)) return;
  if (key == Qt::Key_Backspace) {
    emit KeyPress(8);
    if (self && isEnabled()) Erase(true);
    return;
  }
  if (key == Qt::Key_Delete) {
    Erase(false);
    return;
  }
  if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End) {
    QLineEdit::keyPressEvent(e);  // caret movement (with Shift: selection)
    return;
  }
  if (character) {
    const QChar c = typed[0];
    emit KeyPress(c.unicode());
    if (!self || !isEnabled()) return;
    // A digit or a blank takes the position at the caret (after the last one
    // there is none); anything else is refused.
    if (c == QChar(' ') && NothingTyped()) return;  // a stray Space would push the digits to come out
    if (IsMaskChar(c) && (hasSelectedText() || cursorPosition() < kLength)) Put(QString(c));
    return;
  }
  // Function keys, Up/Down, Tab and the like belong to the window.
  e->ignore();
}

void TMaskEdit::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  if (cursorPosition() > kLength) setCursorPosition(kLength);
  // Not when the window comes back to the front or a click places the caret:
  // a half-typed entry is then continued, not replaced.
  const Qt::FocusReason why = e->reason();
  if (why == Qt::TabFocusReason || why == Qt::BacktabFocusReason || why == Qt::OtherFocusReason ||
      why == Qt::ShortcutFocusReason)
    selectAll();
}

void TMaskEdit::mousePressEvent(QMouseEvent* e) {
  QLineEdit::mousePressEvent(e);
  // A click past what is typed puts the caret right after it, so that typing
  // goes on from there (in an empty field: from the first position).
  if (!hasSelectedText()) {
    int end = kLength;
    while (end > 0 && text_[end - 1] == QChar(' ')) --end;
    if (cursorPosition() > end) setCursorPosition(end);
  }
}

void TMaskEdit::inputMethodEvent(QInputMethodEvent* e) {
  QString chars;
  for (QChar c : e->commitString())
    if (IsMaskChar(c)) chars += c;
  if (!chars.isEmpty() && isEnabled() && !isReadOnly()) Put(chars);
  e->accept();
}

}  // namespace ui
