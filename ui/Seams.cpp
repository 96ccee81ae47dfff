#include "ui/Seams.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

#include "ui/Forms.h"

namespace ui {

int ShowRealMessageBox(const ShownMessage& m);  // Dialogs.cpp

namespace {

Seams MakeDefaults() {
  Seams s;
  s.messages = ShowRealMessageBox;
  s.modalRunner = [](TForm& form) { return form.RunModalLoop(); };
  s.now = [] { return QDateTime::currentDateTime(); };
  s.currentDir = [] { return QDir::currentPath(); };
  s.programDir = [] {
    QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return dir;
  };
  QString sep = QLocale::system().decimalPoint();
  s.decimalSeparator = sep.isEmpty() ? QChar('.') : sep.at(0);
  s.spreadsheetProgram = [] { return QStringList(); };
  // Left empty: the spreadsheet layer starts the program and watches it briefly.
  s.startDetached = {};
  return s;
}

Seams& Instance() {
  static Seams s = MakeDefaults();
  return s;
}

}  // namespace

Seams& seams() { return Instance(); }

void ResetSeams() { Instance() = MakeDefaults(); }

}  // namespace ui
