#include "app/ABOUT.h"

#include "ui/Seams.h"
#include "ui/SysUtils.h"
#include "ui_ABOUT.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent) : ui::TForm(parent) {}
TAboutBox::~TAboutBox() = default;

Ui::TAboutBox& TAboutBox::Controls() {
  EnsureForm();
  return *ui_;
}

void TAboutBox::BuildForm() {
  Q_INIT_RESOURCE(info);
  ui_ = std::make_unique<Ui::TAboutBox>();
  ui_->setupUi(this);
  InitForm();
}

QString TAboutBox::ProgramFolder() {
  QString folder = ui::seams().programDir ? ui::seams().programDir() : QString();
  while (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))) folder.chop(1);
  return folder;
}

void TAboutBox::FormShow() {
  const QString folder = ProgramFolder();
  ui_->Label2->setText(folder + ui::DateTimeToStr(ui::Now()));
  // The folder may exist already or the program's folder may be read-only:
  // either way the window shows as usual.
  ui::CreateDir(folder + QStringLiteral("/Test"));
  ui_->OKButton->setFocus();
}
