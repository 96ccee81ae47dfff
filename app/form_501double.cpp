#include "app/form_501double.h"

TForm_501d* Form_501d = nullptr;

TForm_501d::TForm_501d(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}

void TForm_501d::FormShow() { NoCloseSystemMenu(); }
