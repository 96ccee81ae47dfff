// Калькулятор Калверн
#pragma once

#include "ui/Forms.h"
#include "ui_Kalvern.h"

class TForm_kv : public ui::TForm, private Ui::TForm_kv {
  Q_OBJECT
 public:
  explicit TForm_kv(QWidget* parent = nullptr);
};

extern TForm_kv* Form_kv;
