// Настройка игры: two players set up a match (start score, sets and legs to
// win, names, who throws first, deciding-leg and deciding-set draws) and start
// it in the match window.
#pragma once

#include <memory>

#include "ui/Forms.h"

namespace Ui {
class TForm_501;
}

class TForm_501 : public ui::TForm {
  Q_OBJECT
 public:
  explicit TForm_501(QWidget* parent = nullptr);
  ~TForm_501() override;

  Ui::TForm_501& Controls();
  // The start score chosen in this opening (501 until one is chosen).
  int StartScore() const { return StartScore_; }

 public slots:
  void ComboBox1Select();
  void ComboBox2Select();
  void ComboBox3Select() {}  // the legs are read when the match is accepted
  void CheckBox1Click() {}
  void CheckBox2Click() {}
  void RadioGroup1Click() {}
  void BitBtn2Click();  // accept: the match window is set up and opened
  void BitBtn1Click();  // leave

 protected:
  void BuildForm() override;
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  std::unique_ptr<Ui::TForm_501> ui_;
  int StartScore_ = 501;
};

extern TForm_501* Form_501;
