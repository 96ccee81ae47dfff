#include "app/kontrovoi.h"

#include <QRadioButton>
#include <QSignalBlocker>

#include "app/form_501double.h"

TForm_kontr* Form_kontr = nullptr;

TForm_kontr::TForm_kontr(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  InitForm();
}

void TForm_kontr::FormShow() {
  NoCloseSystemMenu();
  // The focus on the chosen item: arrows move the choice, Tab reaches the button.
  RadioGroup1->Button(RadioGroup1->ItemIndex() == 1 ? 1 : 0)->setFocus();
}

// Naming the players chooses nobody yet: the match window's starter stays
// until a player touches the group or accepts.
void TForm_kontr::SetItems(const QString& first, const QString& second) {
  const QSignalBlocker quiet(RadioGroup1);
  RadioGroup1->setItems({first, second});
  RadioGroup1->setItemIndex(0);
}

void TForm_kontr::RadioGroup1Click() {
  if (!Form_501d) return;
  const int i = RadioGroup1->ItemIndex();
  if (i == 0 || i == 1) {
    Form_501d->LegStarter = i + 1;
    Form_501d->CurrentThrower = i + 1;
  }
}

void TForm_kontr::BitBtn1Click() {
  if (Form_501d) {
    const int starter = RadioGroup1->ItemIndex() == 0 ? 1 : 2;
    Form_501d->LegStarter = starter;
    Form_501d->CurrentThrower = starter;
  }
  Close();
}
