#include "app/history.h"

TForm_history* Form_history = nullptr;

TForm_history::TForm_history(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}
