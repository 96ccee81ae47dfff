#include "app/help_pravilo.h"

TForm_pravilo* Form_pravilo = nullptr;

TForm_pravilo::TForm_pravilo(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}
