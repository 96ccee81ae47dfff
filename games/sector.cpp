#include "games/sector.h"

TFormsector* Formsector = nullptr;

TFormsector::TFormsector(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}

void TFormsector::FormShow() { NoCloseSystemMenu(); }
