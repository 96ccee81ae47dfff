#include "app/f501.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QRadioButton>

#include "app/form_501double.h"

TForm_501* Form_501 = nullptr;

namespace match {

RadioGroupKeys::RadioGroupKeys(QGroupBox* group) : QObject(group), group_(group) {
  for (QRadioButton* b : group_->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
    b->installEventFilter(this);
    connect(b, &QAbstractButton::toggled, this, [this] { FollowCheck(); });
  }
  FollowCheck();
}

int RadioGroupKeys::ItemIndex() const {
  const auto items = group_->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
  for (int i = 0; i < items.size(); ++i) {
    if (items[i]->isChecked()) return i;
  }
  return -1;
}

void RadioGroupKeys::SetItemIndex(int index) {
  const auto items = group_->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
  if (index >= 0 && index < items.size()) items[index]->setChecked(true);
}

// Only the checked item takes the focus by Tab; the others by click or arrow.
void RadioGroupKeys::FollowCheck() {
  for (QRadioButton* b : group_->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
    b->setFocusPolicy(b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

bool RadioGroupKeys::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(e)->key();
  int step = 0;
  if (key == Qt::Key_Right || key == Qt::Key_Down) step = 1;
  if (key == Qt::Key_Left || key == Qt::Key_Up) step = -1;
  if (step == 0) return false;
  const auto items = group_->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
  const int at = static_cast<int>(items.indexOf(static_cast<QRadioButton*>(watched)));
  const int next = at + step;
  if (at < 0 || next < 0 || next >= items.size()) return true;
  items[next]->setFocus(Qt::TabFocusReason);
  items[next]->click();
  return true;
}

}  // namespace match

TForm_501::TForm_501(QWidget* parent) : ui::TForm(parent) {
  setupUi(this);
  ComboBox1->setCurrentIndex(-1);  // no game chosen, empty text
  starter_ = new match::RadioGroupKeys(RadioGroup1);
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
  starter_->SetItemIndex(1);
  Edit3->clear();
  Edit4->clear();
}

void TForm_501::BitBtn1Click() {
  starter_->SetItemIndex(1);
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
  setup.starter = starter_->ItemIndex() == 0 ? 1 : 2;
  setup.decidingLegDraw = CheckBox1->isChecked() ? 1 : 0;
  setup.decidingSetDraw = CheckBox2->isChecked() ? 1 : 0;
  setup.player1 = Edit3->text();
  setup.player2 = Edit4->text();
  m->PrepareMatch(setup);
  m->ShowModal();
  // Back from the match: the dialog is ready for the next one.
  BitBtn2->setFocus();
}
