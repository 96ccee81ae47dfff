#include "app/Form_501s.h"

TForm_501_s* Form_501_s = nullptr;

TForm_501_s::TForm_501_s(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}

void TForm_501_s::FormShow() { NoCloseSystemMenu(); }
