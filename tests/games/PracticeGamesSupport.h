// What the tests of the practice game windows share: file bytes in
// Windows-1251, the spreadsheet program replaced by a recorder, and a written
// workbook read back by an independent reader.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <memory>
#include <optional>
#include <type_traits>

#include "automation/Excel.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"
#include "ui/Seams.h"

namespace practice_tests {

// Windows-1251 of the texts these files hold: ASCII and the Cyrillic letters.
inline QByteArray Cp1251(const QString& s) {
  QByteArray out;
  for (QChar c : s) {
    const ushort u = c.unicode();
    out.append(u < 0x80 ? char(u) : char(0xC0 + (u - 0x410)));
  }
  return out;
}

// Lines joined and ended by CR LF, in Windows-1251.
inline QByteArray FileBytes(const QStringList& lines) {
  return Cp1251(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

inline QByteArray ReadAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
  return f.readAll();
}

// A game window made afresh for each test, in its global, with scripted
// message boxes; keys go to the control that has the focus.
template <class Form, Form*& Global>
class WindowFixture : public testing_support::SeamsFixture {
 protected:
  using Controls = std::remove_reference_t<decltype(std::declval<Form&>().Controls())>;

  void SetUp() override {
    SeamsFixture::SetUp();
    msg = std::make_unique<ui::ScriptedMessages>();
    delete Global;
    Global = new Form;
    f = Global;
    c = &f->Controls();
  }
  void TearDown() override {
    f->Close();
    delete Global;
    Global = nullptr;
    msg.reset();
    SeamsFixture::TearDown();
  }
  void Key(Qt::Key key) { QTest::keyClick(f->focusWidget() ? f->focusWidget() : f, key); }

  Form* f = nullptr;
  Controls* c = nullptr;
  std::unique_ptr<ui::ScriptedMessages> msg;
};

// Starting the spreadsheet program is recorded instead of done.
class SpreadsheetRecorder {
 public:
  SpreadsheetRecorder() {
    qunsetenv("VANTREL_SPREADSHEET");
    ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
    ui::seams().startDetached = [this](const QString& program, const QStringList& args) {
      started << program + " " + args.join(" ");
      return true;
    };
  }
  ~SpreadsheetRecorder() { automation::SetProgramFinder(nullptr); }
  QStringList started;
};

// The first worksheet as the reader sees it (tests/automation/read_xlsx.py).
inline std::optional<QJsonObject> ReadBack(const QString& xlsx) {
  const QString script =
      QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../automation/read_xlsx.py");
  QProcess reader;
  reader.start(QStringLiteral("/usr/bin/python3"), {script, xlsx});
  if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
    ADD_FAILURE() << reader.readAllStandardError().toStdString();
    return std::nullopt;
  }
  return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

// A cell's value as text, whether the writer stored it as text or as a number.
inline QString CellText(const QJsonObject& book, const QString& cell) {
  const QJsonValue v = book["cells"].toObject()[cell].toObject()["value"];
  if (v.isDouble()) return QString::number(v.toDouble(), 'g', 15);
  return v.toString();
}
inline QString CellFill(const QJsonObject& book, const QString& cell) {
  return book["cells"].toObject()[cell].toObject()["fill"].toString();
}
inline bool HasThinBorders(const QJsonObject& book, const QString& cell) {
  const QJsonObject c = book["cells"].toObject()[cell].toObject();
  for (const char* edge : {"left", "right", "top", "bottom"}) {
    if (c[edge].toArray().isEmpty() || c[edge].toArray()[0].toString() != QStringLiteral("thin")) return false;
  }
  return true;
}
inline double ColumnWidth(const QJsonObject& book, const QString& letter) {
  return book["widths"].toObject()[letter].toDouble();
}

}  // namespace practice_tests
