// Readable gtest output for Qt values.
#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
  *os << '[' << l.join(QStringLiteral("|")).toStdString() << ']';
}
inline void PrintTo(const QJsonArray& a, std::ostream* os) {
  *os << QJsonDocument(a).toJson(QJsonDocument::Compact).toStdString();
}
