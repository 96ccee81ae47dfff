// Выбор начало
#pragma once

#include "ui/Forms.h"
#include "ui_kontrovoi.h"

class TForm_kontr : public ui::TForm, private Ui::TForm_kontr {
  Q_OBJECT
 public:
  explicit TForm_kontr(QWidget* parent = nullptr);

 protected:
  void FormShow() override;
};

extern TForm_kontr* Form_kontr;
