#include "app/ABOUT.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}
