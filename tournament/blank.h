// Печать пустых бланков: empty tournament sheets, a round-robin group table or
// a knock-out bracket, laid into a new workbook of the spreadsheet program.
#pragma once

#include <memory>

#include "ui/Forms.h"

namespace Ui {
class TForm_blank;
}

class TForm_blank : public ui::TForm {
  Q_OBJECT

 public:
  explicit TForm_blank(QWidget* parent = nullptr);
  ~TForm_blank() override;

  Ui::TForm_blank& Controls();

  int GroupSize() const { return groupSize_; }            // participants of the round-robin table: 4, 6, 8
  int BracketSize() const { return bracketSize_; }        // participants of the bracket: 8, 16, 32, 64
  int BracketColumns() const { return bracketColumns_; }  // columns of the bracket sheet: 5, 6, 7, 8

 public slots:
  void RadioGroup1Click();
  void ComboBox1Select();
  void ComboBox2Select();
  void BitBtn1Click();  // exit
  void BitBtn2Click();  // round-robin sheet
  void BitBtn3Click();  // knock-out sheet

 protected:
  void BuildForm() override;
  void FormShow() override;

 private:
  std::unique_ptr<Ui::TForm_blank> ui_;
  int groupSize_ = 0;
  int bracketSize_ = 0;
  int bracketColumns_ = 0;
};

extern TForm_blank* Form_blank;
