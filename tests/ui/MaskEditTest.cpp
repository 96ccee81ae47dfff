#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QtTest/QTest>
#include <map>

#include "tests/support/TestSupport.h"
#include "ui/Controls.h"

namespace {

class MaskEditTest : public testing_support::SeamsFixture {
 protected:
  // Plays a script on the field: digits, blanks and other characters are typed;
  // capitals are keys: B Backspace, D Delete, H Home, E End, L Left, R Right,
  // S Shift+Right (extends the selection), P Paste.
  void Play(const QString& script) {
    const std::map<char, QKeyCombination> keys = {
        {'B', Qt::Key_Backspace}, {'D', Qt::Key_Delete}, {'H', Qt::Key_Home},
        {'E', Qt::Key_End},       {'L', Qt::Key_Left},   {'R', Qt::Key_Right},
        {'S', Qt::ShiftModifier | Qt::Key_Right}};
    for (QChar c : script) {
      const auto key = keys.find(c.toLatin1());
      if (c == QChar('P'))
        QTest::keySequence(&edit, QKeySequence::Paste);
      else if (key != keys.end())
        QTest::keyClick(&edit, key->second.key(), key->second.keyboardModifiers());
      else
        QTest::keyClick(&edit, c.toLatin1());
    }
  }
  ui::TMaskEdit edit;
};

TEST_F(MaskEditTest, TypingFillsPositionsFromTheCaret) {
  QApplication::clipboard()->setText("a1b8-0 9");
  const std::pair<const char*, const char*> cases[] = {
      {"", "   "},       {"5", "5  "},        {"05", "05 "},
      {" 5", " 5 "},                                             // differs from "05"
      {"5012", "501"},                                           // a fourth character has no place
      {"501H7", "701"},                                          // overwrite at the caret
      {"501HRR ", "50 "},                                        // a typed blank blanks its position
      {"501BB", "5  "},  {"501BBBB", "   "},  {"HB", "   "},     // backspace at the start does nothing
      {"501HD", " 01"},  {"501HRD", "5 1"},   {"501D", "501"},   // delete after the last position does nothing
      {"501LLB9", "901"}, {"5a0", "50 "},     {"5-0", "50 "},    // letters and signs are refused
      {"5.0", "50 "},    {"123EB", "12 "},
      {"501HSSS7", "7  "}, {"501HRSS9", "59 "}, {"501HSSB", "  1"},  // typing over a selection blanks it first
      {"P", "180"},      {"5P", "518"},                            // a paste keeps the digits only
  };
  for (const auto& [script, expected] : cases) {
    edit.Clear();
    edit.setCursorPosition(0);
    Play(script);
    EXPECT_EQ(edit.Text(), QString(expected)) << "script '" << script << "'";
    EXPECT_EQ(edit.text(), QString(expected).replace(' ', '_')) << "blanks show as _";
  }
}

// Texts set by the program, or through the line edit itself (a layout,
// clear()), pass the mask: three positions, digits or blanks.
TEST_F(MaskEditTest, SetTextsPassTheMask) {
  const std::pair<const char*, const char*> cases[] = {{"", "   "}, {"42", "42 "}, {"12345", "123"}, {"9x9z", "9 9"}};
  for (const auto& [given, expected] : cases) {
    edit.SetText(given);
    EXPECT_EQ(edit.Text(), QString(expected)) << given;
    edit.setText(given);
    EXPECT_EQ(edit.Text(), QString(expected)) << given;
  }
}

// Character keys are reported before they are applied, refused ones too; Enter
// is reported (13) and, like the function and arrow keys, left to the window.
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
}

TEST_F(MaskEditTest, ClickPastTheTypedDigitsContinuesAfterThem) {
  edit.resize(80, 24);
  const struct {
    const char* before;
    int x;
    const char* after;  // once 7 is typed
  } cases[] = {{"", 76, "7  "}, {"5", 76, "57 "}, {"50", 76, "507"}, {"501", 76, "501"}, {"501", 2, "701"}};
  for (const auto& c : cases) {
    edit.SetText(c.before);
    QTest::mouseClick(&edit, Qt::LeftButton, Qt::NoModifier, QPoint(c.x, edit.height() / 2));
    Play("7");
    EXPECT_EQ(edit.Text(), QString(c.after)) << "'" << c.before << "' clicked at " << c.x;
  }
}

// A disabled field takes no input; nor does a key whose handler disabled it.
TEST_F(MaskEditTest, DisabledFieldTakesNoInput) {
  int reports = 0;
  QObject::connect(&edit, &ui::TMaskEdit::KeyPress, [&](int) { ++reports; });
  edit.SetText("5");
  edit.setEnabled(false);
  edit.setCursorPosition(1);
  Play("7B");
  EXPECT_EQ(edit.Text(), "5  ");
  EXPECT_EQ(reports, 0);
  edit.setEnabled(true);
  QObject::connect(&edit, &ui::TMaskEdit::KeyPress, [&](int) { edit.setEnabled(false); });
  Play("7");
  EXPECT_EQ(edit.Text(), "5  ");
  EXPECT_EQ(reports, 1);
}

}  // namespace
