// Игра 27
#pragma once

#include "ui/Forms.h"
#include "ui_form_27.h"

class TForm27 : public ui::TForm, private Ui::TForm27 {
  Q_OBJECT
 public:
  explicit TForm27(QWidget* parent = nullptr);

 protected:
  void FormShow() override;
};

extern TForm27* Form27;
