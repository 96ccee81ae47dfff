#include "app/Program.h"
#include "ui/Application.h"

int main(int argc, char** argv) {
  ui::TApplication app(argc, argv);
  CreateForms();
  return RunApplication();
}
