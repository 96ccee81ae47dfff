#include "app/f501.h"

#include <QKeyEvent>
#include <iterator>

#include "app/form_501double.h"
#include "ui_f501.h"

TForm_501* Form_501 = nullptr;

namespace {

// The start score of an item of the game list; 501 for none.
int ScoreOfItem(int index) {
  static const int kScores[] = {501, 301, 201, 170, 601, 701, 1001};
  return index >= 0 && index < static_cast<int>(std::size(kScores)) ? kScores[index] : 501;
}

}  // namespace

TForm_501::TForm_501(QWidget* parent) : ui::TForm(parent) {}
TForm_501::~TForm_501() = default;

Ui::TForm_501& TForm_501::Controls() {
  EnsureForm();
  return *ui_;
}

void TForm_501::BuildForm() {
  ui_ = std::make_unique<Ui::TForm_501>();
  ui_->setupUi(this);
  ui_->ComboBox1->setCurrentIndex(-1);  // no game chosen, empty text
  InitForm();
}

void TForm_501::FormCreate() { StartScore_ = 501; }

void TForm_501::FormShow() {
  NoCloseSystemMenu();
  StartScore_ = 501;
  ui_->ComboBox1->setFocus();
}

void TForm_501::ComboBox1Select() {
  const int i = ui_->ComboBox1->currentIndex();
  if (i >= 0) StartScore_ = ScoreOfItem(i);
}

// Enter in the starter group accepts the settings, as a default button would.
void TForm_501::keyPressEvent(QKeyEvent* e) {
  const bool enter = ui::VirtualKeyOf(*e) == ui::VK_RETURN && !(e->modifiers() & ~Qt::KeypadModifier);
  if (enter && ui_->RadioGroup1->isAncestorOf(focusWidget())) {
    ui_->BitBtn2->click();
    return;
  }
  ui::TForm::keyPressEvent(e);
}

// A box that gets disabled keeps its check mark, and it still counts.
void TForm_501::ComboBox2Select() {
  const int sets = ui_->ComboBox2->currentIndex();
  ui_->CheckBox2->setEnabled(sets > 0);
  ui_->CheckBox1->setEnabled(sets <= 0);
}

void TForm_501::FormClose() {
  ui_->RadioGroup1->setItemIndex(1);
  ui_->Edit3->clear();
  ui_->Edit4->clear();
}

void TForm_501::BitBtn1Click() {
  FormClose();
  Close();
}

void TForm_501::BitBtn2Click() {
  if (!Form_501d) return;
  Ui::TForm_501& c = *ui_;
  // What the list shows is what is played, also when it was chosen at an
  // earlier opening.
  StartScore_ = ScoreOfItem(c.ComboBox1->currentIndex());
  darts::MatchSetup setup;
  setup.startScore = StartScore_;
  setup.setsToWin = c.ComboBox2->currentIndex();
  setup.legsToWin = c.ComboBox3->currentIndex() + 1;
  setup.starter = c.RadioGroup1->ItemIndex() == 0 ? 1 : 2;
  setup.decidingLegDraw = c.CheckBox1->isChecked();
  setup.decidingSetDraw = c.CheckBox2->isChecked();
  setup.player1 = c.Edit3->text();
  setup.player2 = c.Edit4->text();
  Form_501d->PrepareMatch(setup);
  Form_501d->ShowModal();
  // Back from the match: the dialog is ready for the next one, from its first
  // list (never on a button that starts or leaves).
  c.ComboBox1->setFocus();
}
