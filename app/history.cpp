#include "app/history.h"

#include "ui_history.h"

TForm_history* Form_history = nullptr;

TForm_history::TForm_history(QWidget* parent) : ui::TForm(parent) {}
TForm_history::~TForm_history() = default;

Ui::TForm_history& TForm_history::Controls() {
  EnsureForm();
  return *ui_;
}

void TForm_history::BuildForm() {
  Q_INIT_RESOURCE(info);
  ui_ = std::make_unique<Ui::TForm_history>();
  ui_->setupUi(this);
  keys_.Add(ui::VK_F10, {ui_->BitBtn1});
  InitForm();
}

// The text has the focus (it is the window's one entry); a stray Enter never
// lands on "- Выход".
void TForm_history::FormShow() { ui_->Memo1->setFocus(); }

void TForm_history::BitBtn1Click() { Close(); }

void TForm_history::FormKeyDown(int& key, Qt::KeyboardModifiers) { keys_.Handle(key); }
