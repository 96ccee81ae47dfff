// The controls: the mask edit, the string grid and the paint box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
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
  MaskEditTest() { edit.resize(80, 24); }
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
  EXPECT_TRUE(edit.Text() == "60 " && seen.empty());
  edit.setEnabled(true);
  QObject::connect(&edit, &ui::TMaskEdit::KeyPress, [&](int) { edit.setEnabled(false); });
  Play("7");
  EXPECT_TRUE(edit.Text() == "60 " && seen.size() == 1u);
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

class StringGridTest : public testing_support::SeamsFixture {
 protected:
  // A grid as the windows configure theirs: no fixed rows or columns.
  void Configure(int cols, int rows, int rowHeight, const QString& widths, QSize size) {
    grid.setColCount(cols);
    grid.setRowCount(rows);
    grid.setFixedRows(0);
    grid.setFixedCols(0);
    grid.setDefaultRowHeight(rowHeight);
    grid.setColWidths(widths);
    grid.resize(size);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    QApplication::processEvents();
  }
  ui::TStringGrid grid;
};

const QString kSheetWidths = "55,55,63,72", kCheckoutWidths = "46,109,7,48,113,7,49,114,8,44,95";

TEST_F(StringGridTest, CellsAreStoredPastTheRowAndColumnCounts) {
  Configure(4, 100, 24, kSheetWidths, {300, 200});
  const std::tuple<int, int, const char*, QString> cases[] = {{0, 0, "501", "501"}, {1, 105, "T20 D20", "T20 D20"},
      {12, 3, "right", "right"}, {5, 2000000000, "far", "far"}, {-1, -1, "ignored", ""}, {2, 105, "", ""}};
  for (const auto& [col, row, text, read] : cases) grid.SetCell(col, row, text);
  for (const auto& [col, row, text, read] : cases) EXPECT_EQ(grid.Cells(col, row), read) << col << "," << row;
  grid.SetCell(1, 105, "");
  EXPECT_EQ(grid.Cell(1, 105), "");
}

TEST_F(StringGridTest, ScrollBarsOnlyWhenTheCellsDoNotFitAndTheStyleAllowsThem) {
  using G = ui::TStringGrid;
  const struct { const char* name; int cols, rows, rowHeight; QString widths; QSize size; G::TScrollStyle style;
                 bool vertical, horizontal; } cases[] = {
               {"checkout table fits exactly", 11, 30, 15, kCheckoutWidths, {680, 484}, G::ssBoth, false, false},
               {"one row more", 11, 31, 15, kCheckoutWidths, {680, 484}, G::ssBoth, true, false},
               {"one pixel less", 11, 30, 15, kCheckoutWidths, {680, 483}, G::ssBoth, true, false},
               {"too narrow", 4, 3, 24, kSheetWidths, {150, 200}, G::ssBoth, false, true},
               {"both", 4, 100, 24, kSheetWidths, {150, 200}, G::ssBoth, true, true},
               {"vertical only", 4, 100, 24, kSheetWidths, {150, 200}, G::ssVertical, true, false},
               {"horizontal only", 4, 100, 24, kSheetWidths, {150, 200}, G::ssHorizontal, false, true},
               {"none", 4, 100, 24, kSheetWidths, {150, 200}, G::ssNone, false, false}};
  for (const auto& c : cases) {
    grid.setScrollBars(c.style);
    Configure(c.cols, c.rows, c.rowHeight, c.widths, c.size);
    EXPECT_EQ(grid.verticalScrollBar()->isVisible(), c.vertical) << c.name;
    EXPECT_EQ(grid.horizontalScrollBar()->isVisible(), c.horizontal) << c.name;
    // With or without a bar, the last row can still be brought into view.
    grid.SetRow(c.rows - 1);
    EXPECT_TRUE(grid.viewport()->rect().intersects(grid.CellRect(0, c.rows - 1))) << c.name;
    grid.hide();
  }
}

TEST_F(StringGridTest, RowSelectionByKeysAndMouseKeepsTheRowInView) {
  grid.setRowSelect(true);
  Configure(4, 100, 24, kSheetWidths, {290, 260});  // ten rows in view
  const struct { Qt::Key key; int row; } steps[] = {{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Up, 1},
      {Qt::Key_Up, 0}, {Qt::Key_Up, 0}, {Qt::Key_End, 99}, {Qt::Key_PageUp, 89}, {Qt::Key_Home, 0},
      {Qt::Key_PageDown, 10}};
  for (const auto& s : steps) {
    QTest::keyClick(&grid, s.key);
    EXPECT_EQ(grid.Row(), s.row) << "after key " << s.key;
    EXPECT_TRUE(grid.viewport()->rect().contains(grid.CellRect(0, s.row))) << "row " << s.row << " in view";
  }
  QTest::keyClick(&grid, Qt::Key_Home);
  EXPECT_FALSE(grid.viewport()->rect().contains(grid.CellRect(0, 99)));
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, grid.CellRect(2, 3).center());
  EXPECT_EQ(grid.Row(), 3);
}

class PaintBoxTest : public testing_support::SeamsFixture {
 protected:
  PaintBoxTest() { box.resize(100, 80); }
  QColor At(int x, int y) const { return box.Image().pixelColor(x, y); }
  // A closed black outline from (10,10) to (49,49) and a blue mark inside it.
  void DrawOutlineWithMark() {
    auto& c = box.Canvas();
    c.pen.Color = 0;
    c.MoveTo(10, 10);
    for (const QPoint p : {QPoint(49, 10), QPoint(49, 49), QPoint(10, 49), QPoint(10, 10)}) c.LineTo(p.x(), p.y());
    c.pen.Color = 0xFF0000;
    c.MoveTo(20, 30);
    c.LineTo(40, 30);
  }
  ui::TPaintBox box;
};

// Colours are the class library's values: red in the low byte.
const QColor kWhite(255, 255, 255), kBlack(0, 0, 0), kRed(255, 0, 0), kBlue(0, 0, 255);

TEST_F(PaintBoxTest, KeepsDrawingsAcrossRepaintsAndResizes) {
  EXPECT_EQ(At(99, 79), kWhite);
  auto& c = box.Canvas();
  c.pen.Color = 0x0000FF;
  c.MoveTo(10, 40);
  c.LineTo(90, 40);
  EXPECT_EQ(At(50, 40), kRed);
  EXPECT_EQ(At(50, 41), kWhite);
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  box.resize(150, 120);
  QApplication::processEvents();
  EXPECT_EQ(box.Image().size(), QSize(150, 120));
  EXPECT_EQ(At(50, 40), kRed);
  EXPECT_EQ(At(140, 110), kWhite);
  EXPECT_EQ(box.grab().toImage().pixelColor(50, 40), kRed);
}

// A surface fill covers the white around the mark; a border fill runs over
// everything but the black outline.
TEST_F(PaintBoxTest, FloodFillStopsAtTheBorder) {
  for (const auto& [style, colour, fillsMark] :
       {std::tuple{ui::TCanvas::fsSurface, 0xFFFFFFu, false}, std::tuple{ui::TCanvas::fsBorder, 0x000000u, true}}) {
    SCOPED_TRACE(style);
    box.Clear();
    DrawOutlineWithMark();
    box.Canvas().brush.Color = 0x0000FF;
    box.Canvas().FloodFill(15, 15, colour, style);
    for (const QPoint in : {QPoint(15, 15), QPoint(48, 48), QPoint(25, 35)}) EXPECT_EQ(At(in.x(), in.y()), kRed);
    for (const QPoint edge : {QPoint(10, 10), QPoint(49, 30)}) EXPECT_EQ(At(edge.x(), edge.y()), kBlack);
    for (const QPoint out : {QPoint(5, 5), QPoint(60, 30)}) EXPECT_EQ(At(out.x(), out.y()), kWhite);
    EXPECT_EQ(At(30, 30), fillsMark ? kRed : kBlue);
  }
}

TEST_F(PaintBoxTest, FloodFillOutsideTheSurfaceColourOrImageChangesNothing) {
  auto& c = box.Canvas();
  c.brush.Color = 0x0000FF;
  c.FloodFill(10, 10, 0x000000, ui::TCanvas::fsSurface);  // the point is not black
  c.FloodFill(-1, 10, 0xFFFFFF, ui::TCanvas::fsSurface);
  c.FloodFill(10, 500, 0xFFFFFF, ui::TCanvas::fsSurface);
  c.FloodFill(10, 10, 0xFFFFFF, ui::TCanvas::fsBorder);  // the point is on the border colour
  for (int y = 0; y < 80; y += 7)
    for (int x = 0; x < 100; x += 7) ASSERT_EQ(At(x, y), kWhite) << x << "," << y;
  // An open shape lets the fill run everywhere.
  c.FloodFill(50, 50, 0xFFFFFF, ui::TCanvas::fsSurface);
  EXPECT_EQ(At(0, 0), kRed);
  EXPECT_EQ(At(99, 79), kRed);
}

}  // namespace
