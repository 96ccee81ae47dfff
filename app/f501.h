// Настройка игры: two players set up a match (start score, sets and legs to
// win, names, who throws first, deciding-leg and deciding-set draws) and start
// it in the match window.
#pragma once

#include <cstdint>

#include "ui/Forms.h"
#include "ui_f501.h"

class TForm_501 : public ui::TForm, private Ui::TForm_501 {
  Q_OBJECT
 public:
  explicit TForm_501(QWidget* parent = nullptr);

  // The window's controls, as other windows and tests reach them.
  Ui::TForm_501& Controls() { return *this; }

  std::int32_t StartScore = 501;

 public slots:
  void ComboBox1Select();
  void ComboBox2Select();
  void ComboBox3Select();
  void CheckBox1Click() {}
  void CheckBox2Click() {}
  void RadioGroup1Click() {}
  void BitBtn2Click();  // accept: the match window is set up and opened
  void BitBtn1Click();  // leave

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void keyPressEvent(QKeyEvent* e) override;
};

extern TForm_501* Form_501;
