// Настройка игры
#pragma once

#include "ui/Forms.h"
#include "ui_f501.h"

class TForm_501 : public ui::TForm, private Ui::TForm_501 {
  Q_OBJECT
 public:
  explicit TForm_501(QWidget* parent = nullptr);

 protected:
  void FormShow() override;
};

extern TForm_501* Form_501;
