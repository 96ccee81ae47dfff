// What the game-window tests share: a fresh window in a fresh current folder,
// expected files in Windows-1251, and exported workbooks read back by an
// independent reader (tests/automation/read_xlsx.py).
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QJsonObject>
#include <QTest>
#include <vector>

#include "gamekit/GameConventions.h"
#include "tests/support/Exports.h"
#include "tests/support/TestSupport.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"

namespace games_test {

// Lines ended by CR LF, in Windows-1251 (the encoding itself is checked with
// the statistics file).
inline QByteArray FileBytes(const QStringList& lines) { return gamekit::ToCp1251(lines.join("\r\n") + "\r\n"); }

// A fresh window W in a fresh current folder holding its data folder; the clock
// at 5 December 2026, 16:14:09; a decimal comma; scripted message boxes; the
// spreadsheet program a stand-in that collects the workbooks.
template <class W>
class WindowTest : public testing_support::SeamsFixture {
 protected:
  WindowTest(W*& global, const QString& folder) : global_(global), folder_(folder) {}
  void SetUp() override {
    SeamsFixture::SetUp();
    msg = std::make_unique<testing_support::ScriptedMessages>();
    dir = std::make_unique<testing_support::TempCurrentDir>();
    QDir(dir->Path()).mkdir(folder_);
    clock = std::make_unique<testing_support::FixedClock>(QDateTime(QDate(2026, 12, 5), QTime(16, 14, 9)));
    ui::seams().decimalSeparator = QChar(',');
    ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
    ui::seams().startDetached = [this](const QString&, const QStringList& args) {
      return exported << args.last(), true;
    };
    delete global_;
    c = &(global_ = f = new W)->Controls();
  }
  void TearDown() override {
    f->Close();
    delete std::exchange(global_, nullptr);
    clock.reset(), dir.reset(), msg.reset();
    SeamsFixture::TearDown();
  }
  // Keys go to the window's focused control, else to the window.
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(f->focusWidget() ? f->focusWidget() : static_cast<QWidget*>(f), key, mods);
  }
  void Keys(const std::vector<Qt::Key>& keys) {
    for (Qt::Key k : keys) Key(k);
  }
  void Repeat(Qt::Key key, int n) { Keys(std::vector<Qt::Key>(n, key)); }
  // Types into the emptied field from its first position and confirms with Enter.
  // Leading blanks leave their positions empty: the caret is moved past them,
  // as a typed blank in an empty field is passed over.
  static void Type(ui::TMaskEdit* field, const QString& text) {
    field->Clear();
    field->setCursorPosition(0);
    int skip = 0;
    while (skip < text.size() && text[skip] == QChar(' ')) QTest::keyClick(field, Qt::Key_Right), ++skip;
    QTest::keyClicks(field, text.mid(skip));
    QTest::keyClick(field, Qt::Key_Return);
  }
  // Pastes the text into the field (Ctrl+V).
  static void Paste(ui::TMaskEdit* field, const QString& clip) {
    QApplication::clipboard()->setText(clip);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
  }
  static QStringList Row(const ui::TStringGrid* grid, int row, int cols) {
    QStringList out;
    for (int col = 0; col < cols; ++col) out << grid->Cell(col, row);
    return out;
  }
  QStringList Files() const { return QDir(dir->File(folder_)).entryList(QDir::Files, QDir::Name); }
  QByteArray FileData(const QString& name) const {
    QFile file(dir->File(folder_ + "/" + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  // The file's lines without their CR LF; a line without its CR fails the test.
  QList<QByteArray> FileLines(const QString& name) const {
    QByteArray data = FileData(name);
    EXPECT_TRUE(data.endsWith("\r\n") && data.count("\r\n") == data.count('\n'));
    return data.replace("\r\n", "\n").chopped(1).split('\n');
  }
  // The one exported workbook as the reader sees it, a text per cell: its
  // value, "|" and its fill, and "|b" where it has a bottom border. Column
  // widths and merged ranges are kept in widths and merges.
  QStringList Cells(const QStringList& refs) {
    EXPECT_EQ(exported.size(), 1);
    const QJsonObject book = testing_support::ReadWorkbook(exported.value(0));
    widths = book["widths"].toObject().toVariantMap();
    merges = book["merges"].toVariant().toStringList();
    QStringList out;
    for (const QString& ref : refs) {
      const QJsonObject cell = book["cells"].toObject()[ref].toObject();
      out << cell["value"].toVariant().toString() + "|" + cell["fill"].toString() +
                 (cell["bottom"].isArray() ? "|b" : "");
    }
    return out;
  }

  W* f = nullptr;
  std::remove_reference_t<decltype(std::declval<W&>().Controls())>* c = nullptr;
  std::unique_ptr<testing_support::ScriptedMessages> msg;
  std::unique_ptr<testing_support::TempCurrentDir> dir;
  std::unique_ptr<testing_support::FixedClock> clock;
  QStringList exported;
  QVariantMap widths;  // column letter -> width, read by Cells
  QStringList merges;  // merged ranges, read by Cells

 private:
  W*& global_;
  QString folder_;
};

}  // namespace games_test
