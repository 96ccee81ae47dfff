#include "app/history.h"

TForm_history* Form_history = nullptr;

TForm_history::TForm_history(QWidget* parent) : ui::TForm(parent) {
  Q_INIT_RESOURCE(info);
  setupUi(this);
  keys_.Add(ui::VK_F10, {BitBtn1});
  InitForm();
}

void TForm_history::BitBtn1Click() { Close(); }

void TForm_history::FormKeyDown(int& key, Qt::KeyboardModifiers) { keys_.Handle(key); }
