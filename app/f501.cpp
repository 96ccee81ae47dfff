#include "app/f501.h"

#include <QKeyEvent>
#include <iterator>

#include "app/form_501double.h"

TForm_501* Form_501 = nullptr;

namespace {

// The start score of an item of the game list; 501 for none.
int ScoreOfItem(int index) {
  static const int kScores[] = {501, 301, 201, 170, 601, 701, 1001};
  return index >= 0 && index < static_cast<int>(std::size(kScores)) ? kScores[index] : 501;
}

}  // namespace

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
  const int i = ComboBox1->currentIndex();
  if (i >= 0) StartScore = ScoreOfItem(i);
}

// Enter in the starter group accepts the settings, as a default button would.
void TForm_501::keyPressEvent(QKeyEvent* e) {
  const bool enter = ui::VirtualKeyOf(*e) == ui::VK_RETURN && !(e->modifiers() & ~Qt::KeypadModifier);
  if (enter && RadioGroup1->isAncestorOf(focusWidget())) {
    BitBtn2->click();
    return;
  }
  ui::TForm::keyPressEvent(e);
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
  // What the list shows is what is played, also when it was chosen at an
  // earlier opening.
  StartScore = ScoreOfItem(ComboBox1->currentIndex());
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
  // Back from the match: the dialog is ready for the next one, from its first
  // list (never on a button that starts or leaves).
  ComboBox1->setFocus();
}
