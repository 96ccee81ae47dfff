// История версий
#pragma once

#include "ui/Forms.h"
#include "ui_history.h"

class TForm_history : public ui::TForm, private Ui::TForm_history {
  Q_OBJECT
 public:
  explicit TForm_history(QWidget* parent = nullptr);
};

extern TForm_history* Form_history;
