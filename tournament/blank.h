// Печать пустых бланков
#pragma once

#include "ui/Forms.h"
#include "ui_blank.h"

class TForm_blank : public ui::TForm, private Ui::TForm_blank {
  Q_OBJECT
 public:
  explicit TForm_blank(QWidget* parent = nullptr);
};

extern TForm_blank* Form_blank;
