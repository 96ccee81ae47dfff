#include "tournament/blank.h"

#include <QRadioButton>
#include <initializer_list>
#include <iterator>
#include <memory>

#include "automation/Excel.h"
#include "darts/TournamentRules.h"
#include "gamekit/GameConventions.h"
#include "tournament/TournamentSheets.h"
#include "ui/Dialogs.h"
#include "ui_blank.h"

TForm_blank* Form_blank = nullptr;

namespace {

// The round-robin sizes of ComboBox1's items, and the bracket sizes and sheet
// columns of ComboBox2's. A group of 3, 5 or 7 uses the next even table.
constexpr int kGroupSizes[] = {4, 6, 8};
constexpr int kBracketSizes[] = {8, 16, 32, 64};

}  // namespace

TForm_blank::TForm_blank(QWidget* parent) : ui::TForm(parent) {}
TForm_blank::~TForm_blank() = default;

Ui::TForm_blank& TForm_blank::Controls() {
  EnsureForm();
  return *ui_;
}

void TForm_blank::BuildForm() {
  Q_INIT_RESOURCE(blank);
  ui_ = std::make_unique<Ui::TForm_blank>();
  ui_->setupUi(this);
  InitForm();
}

void TForm_blank::FormShow() {
  // The focus starts in the system choice, on the chosen item if there is one.
  const int item = ui_->RadioGroup1->ItemIndex();
  if (QRadioButton* b = ui_->RadioGroup1->Button(item >= 0 ? item : 0)) b->setFocus();
}

void TForm_blank::RadioGroup1Click() {
  Ui::TForm_blank& c = *ui_;
  const int item = c.RadioGroup1->ItemIndex();
  if (item != 0 && item != 1) return;
  // The chosen system's label, list and button come on, the other's go off;
  // the chosen list starts again at its first size.
  const bool roundRobin = item == 0;
  for (QWidget* w : std::initializer_list<QWidget*>{c.Label1, c.ComboBox1, c.BitBtn2}) w->setEnabled(roundRobin);
  for (QWidget* w : std::initializer_list<QWidget*>{c.Label2, c.ComboBox2, c.BitBtn3}) w->setEnabled(!roundRobin);
  if (roundRobin) {
    groupSize_ = kGroupSizes[0];
    c.ComboBox1->setCurrentIndex(0);
  } else {
    c.ComboBox2->setCurrentIndex(0);
    bracketSize_ = kBracketSizes[0];
    bracketColumns_ = darts::BracketSheetColumns(bracketSize_);
  }
}

void TForm_blank::ComboBox1Select() {
  const int i = ui_->ComboBox1->currentIndex();
  if (i >= 0 && i < static_cast<int>(std::size(kGroupSizes))) groupSize_ = kGroupSizes[i];
}

void TForm_blank::ComboBox2Select() {
  const int i = ui_->ComboBox2->currentIndex();
  if (i >= 0 && i < static_cast<int>(std::size(kBracketSizes))) {
    bracketSize_ = kBracketSizes[i];
    bracketColumns_ = darts::BracketSheetColumns(bracketSize_);
  }
}

void TForm_blank::BitBtn1Click() { Close(); }

// After a sheet (or its failure message) the focus goes back to the size list,
// where the next choice is made, not to a button that would print again.
void TForm_blank::BitBtn2Click() {
  // Sizes only ever come from the list; anything else would draw a broken table.
  if (!darts::IsRoundRobinSize(groupSize_)) return;
  if (std::shared_ptr<automation::Application> excel = gamekit::StartSpreadsheet())
    ui::RunHandler([&] { tournament::WriteRoundRobinSheet(*excel, groupSize_); });
  ui_->ComboBox1->setFocus();
}

void TForm_blank::BitBtn3Click() {
  if (!darts::IsBracketSize(bracketSize_) || bracketColumns_ != darts::BracketSheetColumns(bracketSize_)) return;
  if (std::shared_ptr<automation::Application> excel = gamekit::StartSpreadsheet())
    ui::RunHandler([&] { tournament::WriteBracketSheet(*excel, bracketSize_, bracketColumns_); });
  ui_->ComboBox2->setFocus();
}
