#include "app/f501.h"

TForm_501* Form_501 = nullptr;

TForm_501::TForm_501(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}

void TForm_501::FormShow() { NoCloseSystemMenu(); }
