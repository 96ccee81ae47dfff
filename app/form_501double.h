// Игра на 2-их
#pragma once

#include "ui/Forms.h"
#include "ui_form_501double.h"

class TForm_501d : public ui::TForm, private Ui::TForm_501d {
  Q_OBJECT
 public:
  explicit TForm_501d(QWidget* parent = nullptr);

 protected:
  void FormShow() override;
};

extern TForm_501d* Form_501d;
