// DDV
#pragma once

#include "ui/Forms.h"
#include "ui_ddv.h"

class TForm_ddv : public ui::TForm, private Ui::TForm_ddv {
  Q_OBJECT
 public:
  explicit TForm_ddv(QWidget* parent = nullptr);
};

extern TForm_ddv* Form_ddv;
