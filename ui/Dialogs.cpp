#include "ui/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "ui/Application.h"
#include "ui/Seams.h"
#include "ui/WindowButtons.h"

namespace ui {

QString ApplicationTitle() {
  QString name = QCoreApplication::applicationName();
  return name.isEmpty() ? QStringLiteral("vantrel") : name;
}

namespace {

// Message texts keep their CR or CR LF; on screen both break the line.
QString DisplayText(const QString& text) {
  QString out = text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(QChar('\r'), QChar('\n'));
  return out;
}

QMessageBox::Icon IconOf(const ShownMessage& m) {
  switch (m.kind) {
    case ShownMessage::Kind::Message:
      return QMessageBox::NoIcon;
    case ShownMessage::Kind::ErrorBox:
    case ShownMessage::Kind::Exception:
      return QMessageBox::Critical;
    case ShownMessage::Kind::Dialog:
      switch (m.dlgType) {
        case mtWarning:
          return QMessageBox::Warning;
        case mtError:
          return QMessageBox::Critical;
        case mtInformation:
          return QMessageBox::Information;
        case mtConfirmation:
          return QMessageBox::Question;
        default:
          return QMessageBox::NoIcon;
      }
  }
  return QMessageBox::NoIcon;
}

QString Append(const QString& msg) {
  // The class library ends an exception's text with a full stop.
  if (!msg.isEmpty() && msg.back() > QChar('.')) return msg + QChar('.');
  return msg;
}

// A box stands above the window that raised it: that window owns it (the
// system's error box has no owner), and the box stays on top with a window
// that does, so that it never opens hidden behind the window it holds up.
void PlaceAbove(QMessageBox& box, QWidget* raiser) {
  if (raiser && raiser->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.winId();
  OfferNoMinimise(&box);
}

// Wide enough for its caption beside the window manager's icon and buttons
// (the box measures its caption in a font of its own, too small for them).
void FitCaption(QMessageBox& box) {
  QFont font = box.font();
  font.setBold(true);
  const int width = QFontMetrics(font).horizontalAdvance(box.windowTitle()) * 5 / 4 + 160;
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid)
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

int ShowRealMessageBox(const ShownMessage& m) {
  QWidget* raiser = RaisingWindow();
  QMessageBox box(IconOf(m), m.caption, DisplayText(m.text), QMessageBox::NoButton,
                  m.kind == ShownMessage::Kind::ErrorBox ? nullptr : raiser);
  box.setTextFormat(Qt::PlainText);
  PlaceAbove(box, raiser);
  FitCaption(box);
  struct Choice {
    int bit;
    const char* caption;
    QMessageBox::ButtonRole role;
    int result;
  };
  const Choice choices[] = {
      {mbYes, "&Yes", QMessageBox::YesRole, mrYes},
      {mbNo, "&No", QMessageBox::NoRole, mrNo},
      {mbOK, "OK", QMessageBox::AcceptRole, mrOk},
      {mbCancel, "Cancel", QMessageBox::RejectRole, mrCancel},
  };
  int buttons = m.kind == ShownMessage::Kind::Dialog ? m.buttons : mbOK;
  QAbstractButton* first = nullptr;
  QAbstractButton* escape = nullptr;
  QAbstractButton* no = nullptr;
  std::vector<std::pair<QAbstractButton*, int>> results;
  for (const Choice& c : choices) {
    if (!(buttons & c.bit)) continue;
    QPushButton* b = box.addButton(QString::fromUtf8(c.caption), c.role);
    results.emplace_back(b, c.result);
    if (!first) first = b;
    if (c.bit == mbCancel || c.bit == mbOK) escape = b;
    if (c.bit == mbNo) no = b;
  }
  if (buttons & mbCancel) {
    for (auto& [b, r] : results)
      if (r == mrCancel) escape = b;
  } else if (no) {
    escape = no;
  }
  if (first) box.setDefaultButton(static_cast<QPushButton*>(first));
  if (escape) box.setEscapeButton(escape);
  // The box takes the keyboard as soon as it shows.
  QTimer::singleShot(0, &box, [&box] {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) box.raise();
    box.activateWindow();
  });
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (auto& [b, r] : results)
    if (b == clicked) return r;
  // Closed without a button: Cancel where there is one, else No, else OK.
  if (buttons & mbCancel) return mrCancel;
  if (buttons & mbNo) return mrNo;
  return mrOk;
}

void ShowMessage(const QString& text) {
  ShownMessage m;
  m.kind = ShownMessage::Kind::Message;
  m.caption = ApplicationTitle();
  m.text = text;
  m.buttons = mbOK;
  seams().messages(m);
}

int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int /*helpContext*/) {
  static const char* const captions[] = {"Warning", "Error", "Information", "Confirm", ""};
  ShownMessage m;
  m.kind = ShownMessage::Kind::Dialog;
  m.dlgType = type;
  m.caption = type == mtCustom ? ApplicationTitle() : QString::fromUtf8(captions[type]);
  m.text = text;
  m.buttons = buttons;
  return seams().messages(m);
}

void ErrorBox(const QString& text, const QString& caption) {
  ShownMessage m;
  m.kind = ShownMessage::Kind::ErrorBox;
  m.caption = caption;
  m.text = text;
  m.buttons = mbOK;
  seams().messages(m);
}

void ShowException(const std::exception& e) {
  ShownMessage m;
  m.kind = ShownMessage::Kind::Exception;
  m.caption = ApplicationTitle();
  m.text = Append(QString::fromUtf8(e.what()));
  m.buttons = mbOK;
  seams().messages(m);
}

}  // namespace ui
