// Классический 501, 301,201 и т.д.
#pragma once

#include "ui/Forms.h"
#include "ui_Form_501s.h"

class TForm_501_s : public ui::TForm, private Ui::TForm_501_s {
  Q_OBJECT
 public:
  explicit TForm_501_s(QWidget* parent = nullptr);
 protected:
  void FormShow() override;
};

extern TForm_501_s* Form_501_s;
