// Игра 60
#pragma once

#include "ui/Forms.h"
#include "ui_form_60.h"

class TForm60 : public ui::TForm, private Ui::TForm60 {
  Q_OBJECT
 public:
  explicit TForm60(QWidget* parent = nullptr);

 protected:
  void FormShow() override;
};

extern TForm60* Form60;
