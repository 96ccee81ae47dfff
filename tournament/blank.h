// Печать пустых бланков: empty tournament sheets, a round-robin group table or
// a knock-out bracket, laid into a new workbook of the spreadsheet program.
#pragma once

#include <cstdint>

#include "ui/Forms.h"
#include "ui_blank.h"

class TForm_blank : public ui::TForm, private Ui::TForm_blank {
  Q_OBJECT

 public:
  explicit TForm_blank(QWidget* parent = nullptr);

  // The window's controls, as other windows and tests reach them.
  Ui::TForm_blank& Controls() { return *this; }

  std::int32_t GroupSize = 0;       // participants of the round-robin table: 4, 6, 8
  std::int32_t BracketSize = 0;     // participants of the bracket: 8, 16, 32, 64
  std::int32_t BracketColumns = 0;  // columns of the bracket sheet: 5, 6, 7, 8

 public slots:
  void RadioGroup1Click();
  void ComboBox1Select();
  void ComboBox2Select();
  void BitBtn1Click();  // exit
  void BitBtn2Click();  // round-robin sheet
  void BitBtn3Click();  // knock-out sheet

 protected:
  void FormShow() override;
};

extern TForm_blank* Form_blank;
