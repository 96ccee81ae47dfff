// Shows the real message boxes of the game-window conventions one after the
// other and saves a picture of each: the failed start of the spreadsheet
// program and the two exit questions. Each picture is the whole screen (so a
// window manager's title bar shows the caption) and the box itself.
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" dialog_shots <folder>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "gamekit/GameConventions.h"
#include "ui/Dialogs.h"

namespace {

// Saves the box that is up and then closes it with Esc, like a user would.
void ShootNextBox(const QString& folder, const QString& name) {
  QTimer::singleShot(700, [folder, name] {
    QWidget* box = QApplication::activeModalWidget();
    if (!box) {
      std::fprintf(stderr, "%s: no box shown\n", qPrintable(name));
      return;
    }
    box->grab().save(folder + "/" + name + "_box.png");
    QProcess::execute("import", {"-window", "root", folder + "/" + name + "_screen.png"});
    std::printf("%s: caption \"%s\"\n", qPrintable(name), qPrintable(box->windowTitle()));
    if (auto* mb = qobject_cast<QMessageBox*>(box)) {
      std::printf("  text: \"%s\"\n  buttons:", qPrintable(mb->text()));
      for (QAbstractButton* b : mb->buttons()) std::printf(" [%s]", qPrintable(b->text()));
      std::printf("\n");
    }
    box->close();
  });
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  QDir().mkpath(folder);
  // A window behind the boxes, as in the program.
  QWidget back;
  back.setWindowTitle("Игра");
  back.resize(640, 480);
  back.show();

  ShootNextBox(folder, "error_box");
  ui::ErrorBox(QStringLiteral("Невозможно запустить Excel"), QStringLiteral("Ошибка"));

  ShootNextBox(folder, "exit_confirm");
  const int confirm = gamekit::ExitConfirmDialog();
  std::printf("  closed with Esc -> %d (Cancel is %d)\n", confirm, int(ui::mrCancel));

  ShootNextBox(folder, "exit_yes_no");
  const int yesNo = gamekit::ExitYesNoDialog();
  std::printf("  closed with Esc -> %d (No is %d)\n", yesNo, int(ui::mrNo));
  return 0;
}
