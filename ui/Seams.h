// The program's contact points with the outside world, gathered in one place so that
// tests can replace them: message boxes, the modal loop, the clock, the current
// directory, the decimal separator and the spreadsheet program.
#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

namespace ui {

class TForm;

// What a message box showed and how it was answered.
struct ShownMessage {
  enum class Kind { Message, Dialog, ErrorBox, Exception };
  Kind kind = Kind::Message;
  QString caption;
  QString text;     // exactly as given, with its CR or CR LF
  int dlgType = 0;  // TMsgDlgType for Kind::Dialog
  int buttons = 0;  // TMsgDlgButtons bit set
  int answer = 0;   // the modal result returned to the caller
};

// Shows a message box and returns the modal result (mrOk, mrYes, mrNo, mrCancel).
using MessageHandler = std::function<int(const ShownMessage&)>;

// Runs a form modally and returns its modal result. The form is already prepared
// for showing; the runner shows it and returns once it is closed.
using ModalRunner = std::function<int(TForm&)>;

struct Seams {
  MessageHandler messages;              // default: real message boxes
  ModalRunner modalRunner;              // default: the form's own nested event loop
  std::function<QDateTime()> now;       // default: local time
  std::function<QString()> currentDir;  // default: the process's current directory
  std::function<QString()> programDir;  // default: the executable's folder
  QChar decimalSeparator;               // default: the user's locale
  // The spreadsheet program: a command to which a file's path is appended.
  // Empty list: look it up (VANTREL_SPREADSHEET, then the known programs).
  std::function<QStringList()> spreadsheetProgram;
  // Starts a command detached; returns false when it cannot be started or
  // fails at once. Default: empty, the spreadsheet layer's own start.
  std::function<bool(const QString& program, const QStringList& args)> startDetached;
};

// The one set of seams in force. ResetSeams() puts the defaults back.
Seams& seams();
void ResetSeams();

}  // namespace ui
