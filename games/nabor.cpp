#include "games/nabor.h"

TForm_n* Form_n = nullptr;

TForm_n::TForm_n(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}

void TForm_n::FormShow() { NoCloseSystemMenu(); }
