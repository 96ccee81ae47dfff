#include "games/ddv.h"

TForm_ddv* Form_ddv = nullptr;

TForm_ddv::TForm_ddv(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}
