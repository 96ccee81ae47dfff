// Американский Крикет
#pragma once

#include "ui/Forms.h"
#include "ui_kriket.h"

class TForm_k : public ui::TForm, private Ui::TForm_k {
  Q_OBJECT
 public:
  explicit TForm_k(QWidget* parent = nullptr);
};

extern TForm_k* Form_k;
