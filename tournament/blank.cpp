#include "tournament/blank.h"

TForm_blank* Form_blank = nullptr;

TForm_blank::TForm_blank(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}
