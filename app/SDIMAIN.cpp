#include "app/SDIMAIN.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QIcon>
#include <QShowEvent>
#include <QTextBlock>
#include <QTimer>

#include "app/ABOUT.h"
#include "app/Form_501s.h"
#include "app/JpegImage.h"
#include "app/Kalvern.h"
#include "app/f501.h"
#include "app/help_pravilo.h"
#include "app/history.h"
#include "games/ddv.h"
#include "games/form_27.h"
#include "games/form_50.h"
#include "games/form_60.h"
#include "games/kriket.h"
#include "games/nabor.h"
#include "games/sector.h"
#include "tournament/blank.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"
#include "ui_SDIMAIN.h"

TSDIAppForm* SDIAppForm = nullptr;

namespace {

constexpr int kClientWidth = 957;
constexpr int kClientHeight = 986;
constexpr int kBorderWidth = 3;
constexpr int kPictureIntervalMs = 600000;

// Any entry of that name, even a dangling link, counts as found.
bool EntryExists(const QString& path) {
  struct stat st;
  return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// Opens a window modally and ignores its result; a window that is not there
// (only in a program that never created it) is skipped.
template <class Form>
void OpenModal(Form* form) {
  ui::RunHandler([form] {
    if (form) form->ShowModal();
  });
}

}  // namespace

QStringList EnsureDataFolders(const QString& root, int listStep, const std::function<void()>& atStep) {
  QStringList made;
  for (int i = 1; i <= kDataFolderCount; ++i) {
    if (i == listStep && atStep) atStep();
    const QString folder = QString::fromLatin1(kDataFolders[i - 1]);
    const QString path = root + QLatin1Char('/') + folder;
    if (EntryExists(path)) continue;
    if (ui::CreateDir(path)) made << folder;
  }
  return made;
}

QStringList ListPictures(const QString& folder) {
  QStringList names;
  DIR* dir = ::opendir(QFile::encodeName(folder).constData());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const QString name = QFile::decodeName(entry->d_name);
    if (name == QLatin1String(".") || name == QLatin1String("..")) continue;
    if (!name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive)) continue;
    if (name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r'))) continue;
    names << name;
  }
  ::closedir(dir);
  return names;
}

TSDIAppForm::TSDIAppForm(QWidget* parent) : QMainWindow(parent), ui_(std::make_unique<Ui::TSDIAppForm>()) {
  Q_INIT_RESOURCE(main);
  Ui::TSDIAppForm& c = *ui_;
  c.setupUi(this);

  setWindowIcon(QIcon(QStringLiteral(":/main/pictures/main_icon.png")));
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(13);
  c.ClientArea->setFont(font);
  c.StatusBar1->setFont(font);

  // One panel across the whole status bar; menu hints never replace its text.
  auto* panel = new QLabel(
      QStringLiteral(
          "    Alt+Ф - Файл;              Alt+Т (русская) - Тренировка;                Alt+С (русская) - Сервис"),
      c.StatusBar1);
  panel->setObjectName(QStringLiteral("StatusPanel1"));
  c.StatusBar1->addWidget(panel, 1);

  for (QAction* a : findChildren<QAction*>()) a->setShortcut(QKeySequence());

  // A single fixed border: the client area below the menu bar is exactly
  // 957 x 986 inside a border 3 pixels wide, and the window cannot be resized.
  setContentsMargins(kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth);
  const int statusHeight = c.StatusBar1->sizeHint().height();
  const int menuForWidth = c.MainMenu1->heightForWidth(kClientWidth + 2 * kBorderWidth);
  const int menuHeight = menuForWidth > 0 ? menuForWidth : c.MainMenu1->sizeHint().height();
  setFixedSize(kClientWidth + 2 * kBorderWidth, menuHeight + kClientHeight + 2 * kBorderWidth);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  c.Image1->setGeometry(0, 0, kClientWidth, kClientHeight - statusHeight);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(kPictureIntervalMs);
  connect(Timer1, &QTimer::timeout, this, &TSDIAppForm::Timer1Timer);
  Timer1->start();
}

TSDIAppForm::~TSDIAppForm() = default;

void TSDIAppForm::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!e->spontaneous()) ui::RunHandler([this] { FormShow(); });
}

void TSDIAppForm::closeEvent(QCloseEvent* e) {
  QMainWindow::closeEvent(e);
  if (e->isAccepted() && ui::MainForm() == this) QCoreApplication::quit();
}

int TSDIAppForm::MemoLineCount() const {
  const QTextDocument* doc = ui_->Memo1->document();
  if (doc->isEmpty()) return 0;
  return doc->blockCount();
}

void TSDIAppForm::ListPicturesIntoMemo(const QString& cwd) {
  // One line per name, added in one piece (a folder may hold many thousands).
  const QStringList names = ListPictures(cwd + QStringLiteral("/img"));
  if (!names.isEmpty()) ui_->Memo1->appendPlainText(names.join(QLatin1Char('\n')));
}

void TSDIAppForm::PickPicture(const QString& cwd) {
  const int n = MemoLineCount();
  if (n < 1) return;  // the picture shown before stays
  const int k = random_.Next() % n;
  Ui::TSDIAppForm& c = *ui_;
  c.Edit1->setText(c.Memo1->document()->findBlockByNumber(k).text());
  // A file that is no readable JPEG picture leaves the last picture shown.
  const QImage picture = jpeg::Decode(cwd + QStringLiteral("/img/") + c.Edit1->text(), c.Image1->size());
  if (!picture.isNull()) c.Image1->setPixmap(QPixmap::fromImage(picture));
}

void TSDIAppForm::FormShow() {
  ui_->Memo1->clear();
  const int day = ui::DayOfWeek(ui::Now().date());
  QString cwd;
  // The pictures are listed at the step of the day of the week, before the
  // folder of that step is looked at.
  EnsureDataFolders(ui::GetCurrentDir(), day, [this, &cwd] {
    cwd = ui::GetCurrentDir();
    ListPicturesIntoMemo(cwd);
  });
  PickPicture(cwd);
}

void TSDIAppForm::Timer1Timer() {
  ui_->Memo1->clear();
  const QString cwd = ui::GetCurrentDir();
  ListPicturesIntoMemo(cwd);
  PickPicture(cwd);
}

void TSDIAppForm::FileExit1Execute() { close(); }
void TSDIAppForm::N5011Click() { OpenModal(Form_501_s); }
void TSDIAppForm::N7Click() { OpenModal(Form_n); }
void TSDIAppForm::N271Click() { OpenModal(Form27); }
void TSDIAppForm::N601Click() { OpenModal(Form60); }
void TSDIAppForm::N101Click() { OpenModal(Formsector); }
void TSDIAppForm::N50Bull1Click() { OpenModal(Form50); }
void TSDIAppForm::N8Click() { OpenModal(Form_k); }
void TSDIAppForm::DDV1Click() { OpenModal(Form_ddv); }
void TSDIAppForm::N13Click() { OpenModal(Form_501); }
void TSDIAppForm::N11Click() { OpenModal(Form_blank); }
void TSDIAppForm::N4Click() { OpenModal(Form_kv); }
void TSDIAppForm::N9Click() { OpenModal(Form_pravilo); }
void TSDIAppForm::HelpAbout1Execute() { OpenModal(AboutBox); }
void TSDIAppForm::N14Click() { OpenModal(Form_history); }
