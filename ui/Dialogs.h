// Message boxes with the class library's behaviour.
#pragma once

#include <QString>
#include <exception>

namespace ui {

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

enum TMsgDlgType { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

enum TMsgDlgBtn { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };
using TMsgDlgButtons = int;

// The application's title, the caption of plain message boxes.
QString ApplicationTitle();

// Plain box: OK button, no icon, the application's title as caption.
void ShowMessage(const QString& text);

// Question box of the given type. Confirmation: question icon, caption "Confirm".
// Returns mrYes, mrNo, mrOk or mrCancel; Esc or closing the box answers Cancel,
// or No where there is no Cancel.
int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);

// Plain system box without owner: error icon, OK button, the given caption.
void ErrorBox(const QString& text, const QString& caption);

// The application's default error report for an exception that reached an event
// handler: its text in a box with an error icon; the program goes on.
void ShowException(const std::exception& e);

// Runs a handler the way the event loop does: an exception is reported by
// ShowException and does not travel further.
template <class F>
void RunHandler(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    ShowException(e);
  }
}

}  // namespace ui
