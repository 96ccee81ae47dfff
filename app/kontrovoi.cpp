#include "app/kontrovoi.h"

#include <QRadioButton>

#include "ui_kontrovoi.h"

TForm_kontr* Form_kontr = nullptr;

TForm_kontr::TForm_kontr(QWidget* parent) : ui::TForm(parent) {}
TForm_kontr::~TForm_kontr() = default;

Ui::TForm_kontr& TForm_kontr::Controls() {
  EnsureForm();
  return *ui_;
}

void TForm_kontr::BuildForm() {
  ui_ = std::make_unique<Ui::TForm_kontr>();
  ui_->setupUi(this);
  InitForm();
}

void TForm_kontr::FormShow() {
  NoCloseSystemMenu();
  // The focus on the chosen item: arrows move the choice, Tab reaches the button.
  ui_->RadioGroup1->Button(ui_->RadioGroup1->ItemIndex() == 1 ? 1 : 0)->setFocus();
}

int TForm_kontr::Choose(const QString& first, const QString& second) {
  ui::TRadioGroup* group = Controls().RadioGroup1;
  group->setItems({first, second});
  group->setItemIndex(0);
  ShowModal();
  return group->ItemIndex() == 0 ? 1 : 2;
}

void TForm_kontr::BitBtn1Click() { Close(); }
