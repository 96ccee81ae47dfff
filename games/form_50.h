// Игра 50 до 500 очков
#pragma once

#include "ui/Forms.h"
#include "ui_form_50.h"

class TForm50 : public ui::TForm, private Ui::TForm50 {
  Q_OBJECT
 public:
  explicit TForm50(QWidget* parent = nullptr);

 protected:
  void FormShow() override;
};

extern TForm50* Form50;
