#include "games/kriket.h"

TForm_k* Form_k = nullptr;

TForm_k::TForm_k(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}
