// Сектора
#pragma once

#include "ui/Forms.h"
#include "ui_sector.h"

class TFormsector : public ui::TForm, private Ui::TFormsector {
  Q_OBJECT
 public:
  explicit TFormsector(QWidget* parent = nullptr);

 protected:
  void FormShow() override;
};

extern TFormsector* Formsector;
