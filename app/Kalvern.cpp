#include "app/Kalvern.h"

TForm_kv* Form_kv = nullptr;

TForm_kv::TForm_kv(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}
