// A line of a statistics file: every cell followed by ";".
#pragma once

#include <QString>
#include <QStringList>

namespace darts {

inline QString FileLine(const QStringList& cells) {
  QString line;
  for (const QString& c : cells) line += c + QLatin1Char(';');
  return line;
}

}  // namespace darts
