#include "app/kontrovoi.h"

#include "app/f501.h"
#include "app/form_501double.h"

TForm_kontr* Form_kontr = nullptr;

TForm_kontr::TForm_kontr(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  choice_ = new match::RadioGroupKeys(RadioGroup1);
  InitForm();
}

void TForm_kontr::FormShow() {
  NoCloseSystemMenu();
  // The focus on the chosen item: arrows move the choice, Tab reaches the button.
  (choice_->ItemIndex() == 1 ? RadioGroup1Item1 : RadioGroup1Item0)->setFocus();
}

void TForm_kontr::SetItems(const QString& first, const QString& second) {
  RadioGroup1Item0->setText(first);
  RadioGroup1Item1->setText(second);
  choice_->SetItemIndex(0);
}

void TForm_kontr::RadioGroup1Click() {
  if (!Form_501d) return;
  const int i = choice_->ItemIndex();
  if (i == 0 || i == 1) {
    Form_501d->LegStarter = i + 1;
    Form_501d->CurrentThrower = i + 1;
  }
}

void TForm_kontr::BitBtn1Click() {
  if (Form_501d) {
    const int starter = choice_->ItemIndex() == 0 ? 1 : 2;
    Form_501d->LegStarter = starter;
    Form_501d->CurrentThrower = starter;
  }
  Close();
}
