#include "games/Form_ddv_r.h"

TForm_ddv_raschet* Form_ddv_raschet = nullptr;

TForm_ddv_raschet::TForm_ddv_raschet(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}
