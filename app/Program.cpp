#include "app/Program.h"

#include <QApplication>

void CreateForms() {}

int RunApplication() { return QApplication::exec(); }
