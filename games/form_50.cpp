#include "games/form_50.h"

TForm50* Form50 = nullptr;

TForm50::TForm50(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}

void TForm50::FormShow() { NoCloseSystemMenu(); }
