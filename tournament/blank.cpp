#include "tournament/blank.h"

#include <QRadioButton>
#include <iterator>
#include <memory>

#include "automation/Excel.h"
#include "darts/TournamentRules.h"
#include "gamekit/GameConventions.h"
#include "tournament/TournamentSheets.h"
#include "ui/Dialogs.h"

TForm_blank* Form_blank = nullptr;

namespace {

// The round-robin sizes of ComboBox1's items, and the bracket sizes and sheet
// columns of ComboBox2's. A group of 3, 5 or 7 uses the next even table.
constexpr int kGroupSizes[] = {4, 6, 8};
constexpr int kBracketSizes[] = {8, 16, 32, 64};

}  // namespace

TForm_blank::TForm_blank(QWidget* parent) : ui::TForm(parent) {
  Q_INIT_RESOURCE(blank);
  setupUi(this);
  InitForm();
}

void TForm_blank::FormShow() {
  // The focus starts in the system choice, on the chosen item if there is one.
  const int item = RadioGroup1->ItemIndex();
  if (QRadioButton* b = RadioGroup1->Button(item >= 0 ? item : 0)) b->setFocus();
}

void TForm_blank::RadioGroup1Click() {
  switch (RadioGroup1->ItemIndex()) {
    case 0:
      GroupSize = 4;
      ComboBox1->setEnabled(true);
      ComboBox1->setCurrentIndex(0);
      Label1->setEnabled(true);
      BitBtn2->setEnabled(true);
      ComboBox2->setEnabled(false);
      Label2->setEnabled(false);
      BitBtn3->setEnabled(false);
      break;
    case 1:
      ComboBox1->setEnabled(false);
      Label1->setEnabled(false);
      BitBtn2->setEnabled(false);
      ComboBox2->setEnabled(true);
      ComboBox2->setCurrentIndex(0);
      Label2->setEnabled(true);
      BitBtn3->setEnabled(true);
      BracketSize = 8;
      BracketColumns = 5;
      break;
    default:
      break;
  }
}

void TForm_blank::ComboBox1Select() {
  const int i = ComboBox1->currentIndex();
  if (i >= 0 && i < static_cast<int>(std::size(kGroupSizes))) GroupSize = kGroupSizes[i];
}

void TForm_blank::ComboBox2Select() {
  const int i = ComboBox2->currentIndex();
  if (i >= 0 && i < static_cast<int>(std::size(kBracketSizes))) {
    BracketSize = kBracketSizes[i];
    BracketColumns = darts::BracketSheetColumns(BracketSize);
  }
}

void TForm_blank::BitBtn1Click() { Close(); }

// After a sheet (or its failure message) the focus goes back to the size list,
// where the next choice is made, not to a button that would print again.
void TForm_blank::BitBtn2Click() {
  // Sizes only ever come from the list; anything else would draw a broken table.
  if (!darts::IsRoundRobinSize(GroupSize)) return;
  if (std::shared_ptr<automation::Application> excel = gamekit::StartSpreadsheet())
    ui::RunHandler([&] { tournament::WriteRoundRobinSheet(*excel, GroupSize); });
  ComboBox1->setFocus();
}

void TForm_blank::BitBtn3Click() {
  if (!darts::IsBracketSize(BracketSize) || BracketColumns != darts::BracketSheetColumns(BracketSize)) return;
  if (std::shared_ptr<automation::Application> excel = gamekit::StartSpreadsheet())
    ui::RunHandler([&] { tournament::WriteBracketSheet(*excel, BracketSize, BracketColumns); });
  ComboBox2->setFocus();
}
