#include "games/form_27.h"

TForm27* Form27 = nullptr;

TForm27::TForm27(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}

void TForm27::FormShow() { NoCloseSystemMenu(); }
