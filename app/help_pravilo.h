// Основные дартс-игры
#pragma once

#include "ui/Forms.h"
#include "ui_help_pravilo.h"

class TForm_pravilo : public ui::TForm, private Ui::TForm_pravilo {
  Q_OBJECT
 public:
  explicit TForm_pravilo(QWidget* parent = nullptr);
};

extern TForm_pravilo* Form_pravilo;
