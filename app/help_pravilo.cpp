#include "app/help_pravilo.h"

#include "ui_help_pravilo.h"

TForm_pravilo* Form_pravilo = nullptr;

TForm_pravilo::TForm_pravilo(QWidget* parent) : ui::TForm(parent) {}
TForm_pravilo::~TForm_pravilo() = default;

Ui::TForm_pravilo& TForm_pravilo::Controls() {
  EnsureForm();
  return *ui_;
}

void TForm_pravilo::BuildForm() {
  Q_INIT_RESOURCE(info);
  ui_ = std::make_unique<Ui::TForm_pravilo>();
  ui_->setupUi(this);
  keys_.Add(ui::VK_F10, {ui_->BitBtn1});
  InitForm();
}

// The text has the focus, so that the arrow and page keys scroll it; a stray
// Enter never lands on "Выход".
void TForm_pravilo::FormShow() { ui_->Memo1->setFocus(); }

void TForm_pravilo::BitBtn1Click() { Close(); }

void TForm_pravilo::FormKeyDown(int& key, Qt::KeyboardModifiers) { keys_.Handle(key); }
