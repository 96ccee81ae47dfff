#include "ui/Seams.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

#include "ui/Dialogs.h"
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

ScriptedMessages::ScriptedMessages() : previous_(seams().messages) {
  seams().messages = [this](const ShownMessage& shown) {
    ShownMessage m = shown;
    if (next_ < answers_.size()) {
      m.answer = answers_[next_++];
    } else if (m.kind == ShownMessage::Kind::Dialog) {
      m.answer = (m.buttons & mbCancel) ? mrCancel : (m.buttons & mbNo) ? mrNo : mrOk;
    } else {
      m.answer = mrOk;
    }
    log_.push_back(m);
    if (onShow) onShow(m);
    return m.answer;
  };
}

ScriptedMessages::~ScriptedMessages() { seams().messages = previous_; }

QStringList ScriptedMessages::Texts() const {
  QStringList out;
  for (const auto& m : log_) out << m.text;
  return out;
}

}  // namespace ui
