#include "app/history.h"

TForm_history* Form_history = nullptr;

TForm_history::TForm_history(QWidget* parent) : ui::TForm(parent) {
  Q_INIT_RESOURCE(info);
  setupUi(this);
  keys_.Add(ui::VK_F10, {BitBtn1});
  InitForm();
}

// The text has the focus (it is the window's one entry); a stray Enter never
// lands on "- Выход".
void TForm_history::FormShow() { Memo1->setFocus(); }

void TForm_history::BitBtn1Click() { Close(); }

void TForm_history::FormKeyDown(int& key, Qt::KeyboardModifiers) { keys_.Handle(key); }
