// What the game-window tests share: Windows-1251 bytes of expected files, the
// files of a folder, and an exported workbook read back by an independent reader.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cmath>
#include <optional>

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
