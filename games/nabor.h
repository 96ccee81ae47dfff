// Набор
#pragma once

#include "ui/Forms.h"
#include "ui_nabor.h"

class TForm_n : public ui::TForm, private Ui::TForm_n {
  Q_OBJECT
 public:
  explicit TForm_n(QWidget* parent = nullptr);

 protected:
  void FormShow() override;
};

extern TForm_n* Form_n;
