// Shows the real message boxes from a game window, once from a window that
// stays on top and once from a plain one, answers each from the keyboard as a
// player would (through xdotool, so the keys take the way real keys take) and
// checks under the window manager that each box came up above its window (the
// manager's stacking list) with the keyboard. The boxes: a plain message, the
// failed start of the spreadsheet program, the two exit questions, and an
// error report raised right after the exit question closed. Saves a picture of
// the screen and of each box into the folder given.
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" dialog_shots [--wm <window manager>] <folder>
//
// With --wm it starts that window manager first (and ends it after); without,
// one must run already. Prints one line per box and ends with 1 when a box was
// stacked below its window or did not get the keyboard.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <deque>
#include <functional>
#include <stdexcept>

#include "gamekit/GameConventions.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"

namespace {

// A game window as the layouts make them: fixed tool window, modal, on top or
// not; the one on top has no Close, as the solo and match windows (under this
// manager it has no title bar and draws its own caption).
class GameWindow : public ui::TForm {
 public:
  explicit GameWindow(bool onTop) : noClose_(onTop) {
    setWindowTitle(onTop ? "Игра поверх всех" : "Игра");
    setProperty("BorderStyle", "bsToolWindow");
    setProperty("Position", "poMainFormCenter");
    if (onTop) setProperty("FormStyle", "fsStayOnTop");
    setProperty("ClientWidth", 700);
    setProperty("ClientHeight", 500);
    new QPushButton("- Выход", this);
    InitForm();
  }

 protected:
  void FormShow() override {
    if (noClose_) NoCloseSystemMenu();
  }

 private:
  bool noClose_;
};

QString Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(5000);
  return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

// The managed windows from the bottom to the top.
QList<WId> Stacking() {
  QList<WId> ids;
  const QString list = Run("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"}).section('#', 1);
  for (const QString& id : list.split(',', Qt::SkipEmptyParts)) ids << id.trimmed().toULongLong(nullptr, 16);
  return ids;
}

struct Expected {
  QString name;
  QString keys;  // the player's answer
};

class Checker {
 public:
  explicit Checker(const QString& folder) : folder_(folder) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { Look(); });
    poll_.start(50);
  }
  void Expect(QWidget* window, const QString& name, const QString& keys) {
    window_ = window;
    queue_.push_back({name, keys});
  }
  int failures = 0;

 private:
  void Look() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || box->winId() == seen_ || queue_.empty()) return;
    seen_ = box->winId();
    const Expected e = queue_.front();
    queue_.pop_front();
    poll_.stop();
    // The manager has a moment to map the box and hand it the keyboard.
    QString active;
    for (int i = 0; i < 40 && active.toULongLong() != box->winId(); ++i) {
      QProcess::execute("sleep", {"0.05"});
      QApplication::processEvents();
      active = Run("xdotool", {"getactivewindow"});
    }
    const QList<WId> stack = Stacking();
    const bool above =
        stack.indexOf(box->winId()) > stack.indexOf(window_->winId()) && stack.contains(window_->winId());
    const bool keyboard = active.toULongLong() == box->winId();
    box->grab().save(folder_ + "/" + e.name + "_box.png");
    QProcess::execute("import", {"-window", "root", folder_ + "/" + e.name + "_screen.png"});
    std::printf("%-40s caption \"%s\" %s, %s\n", qPrintable(e.name), qPrintable(box->windowTitle()),
                above ? "above its window" : "BELOW ITS WINDOW", keyboard ? "has the keyboard" : "HAS NO KEYBOARD");
    std::fflush(stdout);
    if (!above || !keyboard) ++failures;
    QProcess::execute("xdotool", {"key", "--clearmodifiers", e.keys});
    poll_.start(50);
  }

  QString folder_;
  QTimer poll_;
  QWidget* window_ = nullptr;
  WId seen_ = 0;  // a box in the same place may follow a closed one
  std::deque<Expected> queue_;
};

}  // namespace

bool ManagerRuns() { return Run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"); }

int main(int argc, char** argv) {
  ui::TApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  QProcess manager;
  if (args.size() >= 2 && args[0] == "--wm") {
    manager.start(args[1], {});
    for (int i = 0; i < 100 && !ManagerRuns(); ++i) QProcess::execute("sleep", {"0.1"});
    args = args.mid(2);
  }
  const QString folder = args.isEmpty() ? QDir::currentPath() : args[0];
  QDir().mkpath(folder);
  if (!ManagerRuns()) {
    std::fprintf(stderr, "no window manager runs: nothing to stack\n");
    return 2;
  }
  // The main window beneath, as in the program.
  QWidget main;
  main.setWindowTitle("Главное окно");
  main.resize(900, 800);
  ui::SetMainForm(&main);
  main.show();

  Checker checker(folder);
  for (const bool onTop : {true, false}) {
    GameWindow game(onTop);
    const QString where = onTop ? "on_top_" : "plain_";
    QTimer::singleShot(500, &game, [&] {
      checker.Expect(&game, where + "message", "Return");
      ui::ShowMessage(QStringLiteral("Внимание!!! Такой набор невозможен."));
      checker.Expect(&game, where + "spreadsheet_error", "Return");
      ui::ErrorBox(QStringLiteral("Невозможно запустить Excel"), QStringLiteral("Ошибка"));
      checker.Expect(&game, where + "exit_yes_no", "alt+n");
      if (gamekit::ExitYesNoDialog() != ui::mrNo) ++checker.failures;
      checker.Expect(&game, where + "exit_question", "alt+y");
      checker.Expect(&game, where + "error_after_the_question", "Escape");
      // The report comes at once, while no window of the program is active yet.
      if (gamekit::ExitConfirmDialog() != ui::mrYes) ++checker.failures;
      ui::RunHandler([] { throw std::runtime_error("Не удалось записать книгу"); });
      game.Close();
    });
    game.ShowModal();
  }
  std::printf("%s\n", checker.failures ? "FAILED" : "every box above its window, with the keyboard");
  if (manager.state() != QProcess::NotRunning) {
    manager.terminate();
    manager.waitForFinished(3000);
  }
  return checker.failures ? 1 : 0;
}
