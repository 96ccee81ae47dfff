#include "games/form_60.h"

TForm60* Form60 = nullptr;

TForm60::TForm60(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}

void TForm60::FormShow() { NoCloseSystemMenu(); }
