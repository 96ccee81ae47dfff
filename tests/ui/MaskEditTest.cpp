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
  // capitals are keys: B Backspace, D Delete, H Home, E End, L Left, R Right.
  void Play(const QString& script) {
    const std::map<char, Qt::Key> keys = {{'B', Qt::Key_Backspace}, {'D', Qt::Key_Delete}, {'H', Qt::Key_Home},
                                          {'E', Qt::Key_End},       {'L', Qt::Key_Left},   {'R', Qt::Key_Right}};
    for (QChar c : script) {
      const auto key = keys.find(c.toLatin1());
      if (key != keys.end())
        QTest::keyClick(&edit, key->second);
      else
        QTest::keyClick(&edit, c.toLatin1());
    }
  }
  ui::TMaskEdit edit;
};

TEST_F(MaskEditTest, TypingFillsPositionsFromTheCaret) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "   "},       {"5", "5  "},       {"05", "05 "},
      {" 5", " 5 "},                                              // differs from "05"
      {"501", "501"},    {"5012", "501"},                         // a fourth character has no place
      {"501H7", "701"},                                           // overwrite at the caret
      {"501HRR ", "50 "},  // a typed blank blanks its position
      {"501B", "50 "},   {"501BB", "5  "},   {"501BBBB", "   "},  // backspace at the start does nothing
      {"HB", "   "},     {"501HD", " 01"},   {"501HRD", "5 1"},
      {"501D", "501"},                                        // delete after the last position does nothing
      {"501LLB", " 01"}, {"501LLB9", "901"}, {"5a0", "50 "},  // letters are refused
      {"5-0", "50 "},    {"5.0", "50 "},     {"1 5", "1 5"},
      {"12EB", "12 "},  // the last position is blank already
      {"123EB", "12 "},
  };
  for (const auto& [script, expected] : cases) {
    edit.Clear();
    edit.setCursorPosition(0);
    Play(script);
    EXPECT_EQ(edit.Text(), QString(expected)) << "script '" << script << "'";
    EXPECT_EQ(edit.Text().size(), 3);
    // Blanks show as "_".
    EXPECT_EQ(edit.text(), QString(expected).replace(' ', '_')) << "script '" << script << "'";
  }
}

// Texts set by the program, or through the line edit itself (a layout, clear()),
// pass the mask: three positions, digits or blanks.
TEST_F(MaskEditTest, SetTextsPassTheMask) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "   "}, {"7", "7  "}, {"42", "42 "}, {"501", "501"}, {"12345", "123"}, {"a1", " 1 "}, {"9x9z", "9 9"}};
  for (const auto& [given, expected] : cases) {
    edit.SetText(given);
    EXPECT_EQ(edit.Text(), QString(expected)) << given;
    edit.setText(given);
    EXPECT_EQ(edit.Text(), QString(expected)) << given;
    EXPECT_EQ(edit.text(), QString(expected).replace(' ', '_'));
  }
}

TEST_F(MaskEditTest, TypingOverASelectionBlanksItFirst) {
  edit.SetText("501");
  edit.selectAll();
  Play("7");
  EXPECT_EQ(edit.Text(), "7  ");

  edit.SetText("501");
  edit.setSelection(1, 2);
  Play("9");
  EXPECT_EQ(edit.Text(), "59 ");

  edit.SetText("501");
  edit.setSelection(0, 2);
  Play("B");
  EXPECT_EQ(edit.Text(), "  1");
}

TEST_F(MaskEditTest, PasteKeepsDigitsOnly) {
  QApplication::clipboard()->setText("a1b8-0 9");
  edit.Clear();
  edit.setCursorPosition(0);
  QTest::keySequence(&edit, QKeySequence::Paste);
  EXPECT_EQ(edit.Text(), "180");

  QApplication::clipboard()->setText("no digits");
  edit.SetText("12");
  edit.setCursorPosition(0);
  QTest::keySequence(&edit, QKeySequence::Paste);
  EXPECT_EQ(edit.Text(), "12 ");
}

TEST_F(MaskEditTest, KeyPressIsReportedBeforeTheKeyIsApplied) {
  std::vector<std::pair<int, QString>> seen;
  QObject::connect(&edit, &ui::TMaskEdit::KeyPress, [&](int key) { seen.emplace_back(key, edit.Text()); });
  edit.Clear();
  edit.setCursorPosition(0);
  Play("6a");
  QTest::keyClick(&edit, Qt::Key_Backspace);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], std::make_pair(int('6'), QString("   ")));
  EXPECT_EQ(seen[1], std::make_pair(int('a'), QString("6  ")));  // refused, but reported
  EXPECT_EQ(seen[2], std::make_pair(8, QString("6  ")));
  EXPECT_EQ(edit.Text(), "   ");
}

// Enter is reported (13) and, like the function and arrow keys, left to the window.
TEST_F(MaskEditTest, WindowKeysAreLeftToTheWindow) {
  const std::pair<int, std::vector<int>> cases[] = {
      {Qt::Key_Return, {13}}, {Qt::Key_Enter, {13}}, {Qt::Key_F1, {}},
      {Qt::Key_F10, {}},      {Qt::Key_Up, {}},      {Qt::Key_Down, {}}};
  for (const auto& [key, reported] : cases) {
    std::vector<int> seen;
    auto c = QObject::connect(&edit, &ui::TMaskEdit::KeyPress, [&](int k) { seen.push_back(k); });
    edit.SetText("60");
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Return ? "\r" : "");
    QApplication::sendEvent(&edit, &press);
    EXPECT_FALSE(press.isAccepted()) << key;
    EXPECT_EQ(seen, reported) << key;
    EXPECT_EQ(edit.Text(), "60 ");
    QObject::disconnect(c);
  }
}

TEST_F(MaskEditTest, ClickPastTheTypedDigitsContinuesAfterThem) {
  edit.resize(80, 24);
  const struct {
    const char* before;
    const char* typed;
    const char* after;
  } cases[] = {{"", "5", "5  "}, {"5", "0", "50 "}, {"50", "1", "501"}, {"501", "7", "501"}};
  for (const auto& c : cases) {
    edit.SetText(c.before);
    QTest::mouseClick(&edit, Qt::LeftButton, Qt::NoModifier, QPoint(edit.width() - 4, edit.height() / 2));
    Play(c.typed);
    EXPECT_EQ(edit.Text(), QString(c.after)) << "'" << c.before << "' + " << c.typed;
  }
  // A click on a typed digit puts the caret there.
  edit.SetText("501");
  QTest::mouseClick(&edit, Qt::LeftButton, Qt::NoModifier, QPoint(2, edit.height() / 2));
  Play("9");
  EXPECT_EQ(edit.Text(), "901");
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
  edit.setCursorPosition(1);
  Play("7");
  EXPECT_EQ(edit.Text(), "5  ");
  EXPECT_EQ(reports, 1);
}

}  // namespace
