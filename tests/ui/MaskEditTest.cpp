#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QtTest/QTest>

#include "tests/support/TestSupport.h"
#include "ui/Controls.h"

namespace {

class MaskEditTest : public testing_support::SeamsFixture {
 protected:
  // Plays a script on the field: digits, blanks and other characters are typed;
  // capitals are keys: B Backspace, D Delete, H Home, E End, L Left, R Right,
  // S Shift+Right (extends the selection), P Paste; C a click at the right end,
  // K a click at the left end.
  void Play(const QString& script) {
    const QString names = "BDHELRS";
    const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home, Qt::Key_End,
                            Qt::Key_Left,      Qt::Key_Right,  Qt::Key_Right};
    for (QChar c : script) {
      const auto k = names.indexOf(c);
      if (c == QChar('P'))
        QTest::keySequence(&edit, QKeySequence::Paste);
      else if (c == QChar('C') || c == QChar('K'))
        QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(c == QChar('C') ? 76 : 2, 12));
      else if (k >= 0)
        QTest::keyClick(&edit, keys[k], c == QChar('S') ? Qt::ShiftModifier : Qt::NoModifier);
      else
        QTest::keyClick(&edit, c.toLatin1());
    }
  }
  void SetUp() override {
    SeamsFixture::SetUp();
    edit.resize(80, 24);
  }
  ui::TMaskEdit edit;
};

// Texts set through the line edit itself (a layout, clear()) pass the mask too.
TEST_F(MaskEditTest, TypingFillsPositionsFromTheCaret) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"", "   "}, {"5", "5  "}, {"05", "05 "}, {" 170", "170"},
      {"5H ", "   "}, {"5012", "501"},                          // no blank before a digit; no place for a fourth
      {"501H7", "701"}, {"501HRR ", "50 "},                     // overwrite at the caret; a blank blanks
      {"501BB", "5  "}, {"501BBBB", "   "}, {"HB", "   "},      // backspace at the start does nothing
      {"501HD", " 01"}, {"501HRD", "5 1"}, {"501D", "501"},     // delete after the last does nothing
      {"501LLB9", "901"}, {"123EB", "12 "}, {"501K9", "901"},
      {"5a0", "50 "}, {"5-0", "50 "}, {"5.0", "50 "},           // letters and signs are refused
      {"501HSSS7", "7  "}, {"501HRSS9", "59 "}, {"501HSSB", "  1"},  // a selection is blanked first
      {"C7", "7  "}, {"5HC7", "57 "}, {"50HC1", "501"}, {"501HC7", "501"},  // a click past the digits: after them
      {"=42", "42 "}, {"=12345", "123"}, {"=9x9z", "9 9"}, {"=", "   "}};
  // clang-format on
  for (const auto& [script, expected] : cases) {
    edit.Clear();
    edit.setCursorPosition(0);
    if (script[0] == '=')
      edit.setText(script + 1);
    else
      Play(script);
    EXPECT_EQ(edit.Text(), QString(expected)) << "script '" << script << "'";
    EXPECT_EQ(edit.text(), QString(expected).replace(' ', '_')) << "blanks show as _";
  }
}

// A paste is taken whole when it is a value that fits from the caret, else
// refused whole, the text unchanged, and the window told.
TEST_F(MaskEditTest, APasteIsTakenWholeOrRefused) {
  int refused = 0;
  QObject::connect(&edit, &ui::TMaskEdit::PasteRefused, [&] { ++refused; });
  // clang-format off
  const std::tuple<QString, const char*, const char*, bool> cases[] = {
      {"180", "P", "180", false}, {" 42 ", "P", "42 ", false}, {"7", "5P", "57 ", false},
      {"12", "501HSSP", "121", false},                                  // over a selection
      {"-5", "P", "   ", true}, {"0x10", "P", "   ", true}, {"1e3", "P", "   ", true},
      {"1,5", "P", "   ", true}, {"", "P", "   ", true}, {"1000", "P", "   ", true},
      {"12", "55P", "55 ", true}, {"1", "501P", "501", true},           // no room from the caret
      {QString(10000, QChar('9')), "P", "   ", true}};
  // clang-format on
  for (const auto& [clip, script, expected, isRefused] : cases) {
    SCOPED_TRACE(testing::Message() << "paste '" << clip.left(9).toStdString() << "' in '" << script << "'");
    QApplication::clipboard()->setText(clip);
    edit.Clear();
    edit.setCursorPosition(0);
    refused = 0;
    Play(script);
    EXPECT_EQ(edit.Text(), QString(expected));
    EXPECT_EQ(refused, isRefused ? 1 : 0);
  }
}

// Focused by Tab or by the window the field selects its text, so that typing
// replaces it; a click or the window coming back leaves the caret where it was.
TEST_F(MaskEditTest, FocusFromTheKeyboardSelectsTheText) {
  QWidget window;
  QLineEdit other(&window);
  edit.setParent(&window);
  window.show();
  for (const Qt::FocusReason why : {Qt::TabFocusReason, Qt::OtherFocusReason, Qt::MouseFocusReason,
                                    Qt::ActiveWindowFocusReason}) {
    other.setFocus();
    edit.SetText(" 50");
    edit.setCursorPosition(3);
    QFocusEvent in(QEvent::FocusIn, why);
    QApplication::sendEvent(&edit, &in);
    QTest::keyClick(&edit, '8');
    const bool replaces = why == Qt::TabFocusReason || why == Qt::OtherFocusReason;
    EXPECT_EQ(edit.Text(), replaces ? "8  " : " 50") << why;
  }
  edit.setParent(nullptr);
}

// Character keys are reported before they are applied, refused ones too; Enter
// is reported (13) and, like the function and arrow keys, left to the window. A
// disabled field takes no input; nor does a key whose handler disabled it.
TEST_F(MaskEditTest, KeysAreReportedBeforeTheyAreApplied) {
  std::vector<std::pair<int, QString>> seen;
  QObject::connect(&edit, &ui::TMaskEdit::KeyPress, [&](int key) { seen.emplace_back(key, edit.Text()); });
  edit.setCursorPosition(0);
  Play("6aB");
  EXPECT_EQ(seen, (std::vector<std::pair<int, QString>>{{'6', "   "}, {'a', "6  "}, {8, "6  "}}));
  for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_F1, Qt::Key_F10, Qt::Key_Up, Qt::Key_Down}) {
    seen.clear();
    edit.SetText("60");
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Return ? "\r" : "");
    QApplication::sendEvent(&edit, &press);
    EXPECT_FALSE(press.isAccepted()) << key;
    EXPECT_EQ(seen.size(), key == Qt::Key_Return || key == Qt::Key_Enter ? 1u : 0u) << key;
    EXPECT_EQ(edit.Text(), "60 ");
  }
  seen.clear();
  edit.setEnabled(false);
  Play("7B");
  EXPECT_EQ(edit.Text(), "60 ");
  EXPECT_TRUE(seen.empty());
  edit.setEnabled(true);
  QObject::connect(&edit, &ui::TMaskEdit::KeyPress, [&](int) { edit.setEnabled(false); });
  Play("7");
  EXPECT_EQ(edit.Text(), "60 ");
  EXPECT_EQ(seen.size(), 1u);
}

// Window shortcuts take exactly the keys a line edit leaves them, editable or not.
TEST_F(MaskEditTest, ShortcutOverridesAsAnyLineEdit) {
  QLineEdit plain;
  const Qt::KeyboardModifiers no, shift = Qt::ShiftModifier, pad = Qt::KeypadModifier, ctrl = Qt::ControlModifier;
  // clang-format off
  const std::pair<int, Qt::KeyboardModifiers> keys[] = {{'5', no}, {'A', shift}, {'5', pad}, {' ', no},
      {Qt::Key_Return, no}, {Qt::Key_Enter, pad}, {Qt::Key_Return, shift}, {'V', ctrl}, {'5', Qt::AltModifier},
      {Qt::Key_Backspace, no}, {Qt::Key_Insert, shift}, {Qt::Key_F5, no}};
  // clang-format on
  for (const bool readOnly : {false, true}) {
    edit.setReadOnly(readOnly);
    plain.setReadOnly(readOnly);
    for (const auto& [key, mods] : keys) {
      QKeyEvent mine(QEvent::ShortcutOverride, key, mods), theirs(QEvent::ShortcutOverride, key, mods);
      QApplication::sendEvent(&edit, &mine);
      QApplication::sendEvent(&plain, &theirs);
      EXPECT_EQ(mine.isAccepted(), theirs.isAccepted()) << key << " " << mods << " read-only " << readOnly;
    }
  }
}

}  // namespace
