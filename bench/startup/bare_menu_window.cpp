// The yardstick of the start-up benchmark: a bare Qt main window of the main
// window's size with the same menu bar and status text, and nothing behind
// them; it ends right after its first paint, as the measured program does.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

#include "bench/startup/QuitOnFirstPaint.h"

namespace {

struct MenuEntry {
  const char* title;
  std::initializer_list<const char*> items;  // "-" is a separator
};

const MenuEntry kMenus[] = {
    {"&Файл", {"-", "Выход"}},
    {"&Тренировка",
     {"Классический 501, 301,201 и т.д.", "Большой раунд", "По удвоениям (27)", "60", "Сектор - 10 подходов",
      "50 Bull", "Американский Крикет", "DDV"}},
    {"Турнир", {"Классический на двоих", "-", "Формирование пустых бланков"}},
    {"&Сервис", {"-", "Калькулятор Калверн"}},
    {"Правила игр", {}},
    {"&Помощь", {"О программе", "-", "История версий"}},
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QString::fromUtf8("Вантрел.   2011 - 2012   2.0"));
  QMenuBar* bar = window.menuBar();
  bar->setNativeMenuBar(false);
  for (const MenuEntry& m : kMenus) {
    if (m.items.size() == 0) {
      bar->addAction(QString::fromUtf8(m.title));
      continue;
    }
    QMenu* menu = bar->addMenu(QString::fromUtf8(m.title));
    menu->setSeparatorsCollapsible(false);
    for (const char* item : m.items) {
      if (item[0] == '-')
        menu->addSeparator();
      else
        menu->addAction(QString::fromUtf8(item));
    }
  }
  auto* status = new QLabel(QString::fromUtf8(
      "    Alt+Ф - Файл;              Alt+Т (русская) - Тренировка;                Alt+С (русская) - Сервис"));
  window.statusBar()->addWidget(status, 1);
  window.setCentralWidget(new QWidget);
  window.setFixedSize(957, 986 + bar->sizeHint().height() + window.statusBar()->sizeHint().height());
  QuitOnFirstPaint quit;
  window.installEventFilter(&quit);
  window.show();
  QApplication::exec();
  return 0;
}
