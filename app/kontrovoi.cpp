#include "app/kontrovoi.h"

TForm_kontr* Form_kontr = nullptr;

TForm_kontr::TForm_kontr(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}

void TForm_kontr::FormShow() { NoCloseSystemMenu(); }
