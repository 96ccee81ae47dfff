#include "app/ABOUT.h"

#include "ui/Seams.h"
#include "ui/SysUtils.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent) : ui::TForm(parent) {
  Q_INIT_RESOURCE(info);
  setupUi(this);
  InitForm();
}

QString TAboutBox::ProgramFolder() {
  QString folder = ui::seams().programDir ? ui::seams().programDir() : QString();
  while (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))) folder.chop(1);
  return folder;
}

void TAboutBox::FormShow() {
  const QString folder = ProgramFolder();
  Label2->setText(folder + ui::DateTimeToStr(ui::Now()));
  // The folder may exist already or the program's folder may be read-only:
  // either way the window shows as usual.
  ui::CreateDir(folder + QStringLiteral("/Test"));
  OKButton->setFocus();
}
