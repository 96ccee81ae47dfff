#include "app/f501.h"

#include <iterator>

#include "app/form_501double.h"

TForm_501* Form_501 = nullptr;

TForm_501::TForm_501(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  ComboBox1->setCurrentIndex(-1);  // no game chosen, empty text
  InitForm();
}

void TForm_501::FormCreate() { StartScore = 501; }

void TForm_501::FormShow() {
  NoCloseSystemMenu();
  StartScore = 501;
  ComboBox1->setFocus();
}

void TForm_501::ComboBox1Select() {
  static const int kScores[] = {501, 301, 201, 170, 601, 701, 1001};
  const int i = ComboBox1->currentIndex();
  if (i >= 0 && i < static_cast<int>(std::size(kScores))) StartScore = kScores[i];
}

void TForm_501::ComboBox2Select() {
  const int sets = ComboBox2->currentIndex();
  if (Form_501d) Form_501d->SetsToWin = sets;
  // A box that gets disabled keeps its check mark, and it still counts.
  CheckBox2->setEnabled(sets > 0);
  CheckBox1->setEnabled(sets <= 0);
}

void TForm_501::ComboBox3Select() {
  if (Form_501d) Form_501d->LegsToWin = ComboBox3->currentIndex() + 1;
}

void TForm_501::FormClose() {
  RadioGroup1->setItemIndex(1);
  Edit3->clear();
  Edit4->clear();
}

void TForm_501::BitBtn1Click() {
  RadioGroup1->setItemIndex(1);
  Edit3->clear();
  Edit4->clear();
  Close();
}

void TForm_501::BitBtn2Click() {
  TForm_501d* m = Form_501d;
  if (!m) return;
  match::MatchSetup setup;
  setup.startScore = StartScore;
  setup.setsToWin = ComboBox2->currentIndex();
  setup.legsToWin = ComboBox3->currentIndex() + 1;
  setup.starter = RadioGroup1->ItemIndex() == 0 ? 1 : 2;
  setup.decidingLegDraw = CheckBox1->isChecked() ? 1 : 0;
  setup.decidingSetDraw = CheckBox2->isChecked() ? 1 : 0;
  setup.player1 = Edit3->text();
  setup.player2 = Edit4->text();
  m->PrepareMatch(setup);
  m->ShowModal();
  // Back from the match: the dialog is ready for the next one.
  BitBtn2->setFocus();
}
