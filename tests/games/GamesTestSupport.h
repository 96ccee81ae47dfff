// What the game-window tests share: a fresh window in a fresh current folder,
// Windows-1251 bytes of expected files, and exported workbooks read back by an
// independent reader.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>
#include <cmath>
#include <memory>
#include <optional>
#include <type_traits>

#include "tests/support/TestSupport.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"

namespace games_test {

// Windows-1251 of ASCII, the Cyrillic letters and "№".
inline QByteArray Cp1251(const QString& s) {
  QByteArray out;
  for (QChar c : s) {
    const ushort u = c.unicode();
    if (u < 0x80) {
      out.append(char(u));
    } else if (u >= 0x410 && u <= 0x44F) {
      out.append(char(0xC0 + (u - 0x410)));
    } else if (u == 0x401) {
      out.append(char(0xA8));
    } else if (u == 0x451) {
      out.append(char(0xB8));
    } else if (u == 0x2116) {
      out.append(char(0xB9));
    } else {
      out.append('?');
    }
  }
  return out;
}

// The expected bytes of a file of these lines, each ended by CR LF.
inline QByteArray FileBytes(const QStringList& lines) {
  QByteArray out;
  for (const QString& l : lines) out += Cp1251(l) + "\r\n";
  return out;
}

inline QStringList FilesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

inline QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The first worksheet of a workbook as tests/automation/read_xlsx.py reads it.
inline std::optional<QJsonObject> ReadWorkbook(const QString& xlsx) {
  const QString script = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../automation/read_xlsx.py";
  QProcess reader;
  reader.start(QStringLiteral("/usr/bin/python3"), {script, xlsx});
  if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
    ADD_FAILURE() << "reading " << xlsx.toStdString() << ": " << reader.readAllStandardError().toStdString();
    return std::nullopt;
  }
  return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

// A cell's value as text, whether the workbook holds it as text or as number
// ("3" and 3 both read "3"; "20,00" stays as it is, 20.5 reads "20.5").
inline QString CellText(const QJsonObject& book, const QString& cell) {
  const QJsonValue v = book["cells"].toObject()[cell].toObject()["value"];
  if (v.isDouble()) return QString::number(v.toDouble(), 'g', 15);
  return v.toString();
}

inline QString CellFill(const QJsonObject& book, const QString& cell) {
  return book["raw"].toObject()[cell].toObject()["fill"].toString();
}

}  // namespace games_test

namespace games_test {

// A cell's value as a number, whether the workbook holds a number or its text
// (with a decimal point or comma); NaN when it is neither.
inline double CellNumber(const QJsonObject& book, const QString& cell) {
  const QJsonValue v = book["cells"].toObject()[cell].toObject()["value"];
  if (v.isDouble()) return v.toDouble();
  bool ok = false;
  const double d = v.toString().replace(',', '.').toDouble(&ok);
  return ok ? d : std::nan("");
}

}  // namespace games_test

namespace games_test {

// Window W (its one global instance made anew) in a fresh current folder that
// holds the game's data folder, with a fixed clock (5 December 2026, 16:14:09),
// a decimal comma and scripted message boxes.
template <class W>
class WindowTest : public testing_support::SeamsFixture {
 protected:
  WindowTest(W*& global, const QString& folder) : global_(global), folder_(folder) {}
  void SetUp() override {
    SeamsFixture::SetUp();
    msg = std::make_unique<ui::ScriptedMessages>();
    dir = std::make_unique<testing_support::TempCurrentDir>();
    QDir(dir->Path()).mkdir(folder_);
    clock = std::make_unique<testing_support::FixedClock>(QDateTime(QDate(2026, 12, 5), QTime(16, 14, 9)));
    ui::seams().decimalSeparator = QChar(',');
    delete global_;
    global_ = f = new W;
    c = &f->Controls();
  }
  void TearDown() override {
    f->Close();
    delete global_;
    global_ = nullptr;
    clock.reset();
    dir.reset();
    msg.reset();
    SeamsFixture::TearDown();
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : f, key, mods);
  }
  // Types into the emptied field from its first position and confirms with Enter.
  static void Type(ui::TMaskEdit* field, const QString& text) {
    field->Clear();
    field->setCursorPosition(0);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
  }
  static QStringList Row(const ui::TStringGrid* grid, int row, int cols) {
    QStringList out;
    for (int col = 0; col < cols; ++col) out << grid->Cell(col, row);
    return out;
  }
  QStringList Files() const { return FilesIn(dir->File(folder_)); }
  QByteArray FileData(const QString& name) const { return ReadAll(dir->File(folder_ + "/" + name)); }
  // Workbooks go to a stand-in spreadsheet program; their paths land in exported.
  void CaptureExports() {
    ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
    ui::seams().startDetached = [this](const QString&, const QStringList& args) {
      exported << args.last();
      return true;
    };
  }
  // The one exported workbook as the reader sees it.
  std::optional<QJsonObject> ExportedBook() const {
    if (exported.size() != 1) {
      ADD_FAILURE() << exported.size() << " workbooks exported";
      return std::nullopt;
    }
    return ReadWorkbook(exported[0]);
  }
  static bool NoBorderBelow(const QJsonObject& book, const QString& cell) {
    const QJsonValue v = book["cells"].toObject()[cell].toObject()["bottom"];
    return v.isNull() || v.isUndefined();
  }

  W* f = nullptr;
  std::remove_reference_t<decltype(std::declval<W&>().Controls())>* c = nullptr;
  std::unique_ptr<ui::ScriptedMessages> msg;
  std::unique_ptr<testing_support::TempCurrentDir> dir;
  std::unique_ptr<testing_support::FixedClock> clock;
  QStringList exported;

 private:
  W*& global_;
  QString folder_;
};

}  // namespace games_test
