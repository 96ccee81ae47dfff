#include "app/help_pravilo.h"

TForm_pravilo* Form_pravilo = nullptr;

TForm_pravilo::TForm_pravilo(QWidget* parent) : ui::TForm(parent) {
  Q_INIT_RESOURCE(info);
  setupUi(this);
  keys_.Add(ui::VK_F10, {BitBtn1});
  InitForm();
}

void TForm_pravilo::BitBtn1Click() { Close(); }

void TForm_pravilo::FormKeyDown(int& key, Qt::KeyboardModifiers) { keys_.Handle(key); }
