// Анализ DDV  и рекомендации
#pragma once

#include "ui/Forms.h"
#include "ui_Form_ddv_r.h"

class TForm_ddv_raschet : public ui::TForm, private Ui::TForm_ddv_raschet {
  Q_OBJECT
 public:
  explicit TForm_ddv_raschet(QWidget* parent = nullptr);
};

extern TForm_ddv_raschet* Form_ddv_raschet;
