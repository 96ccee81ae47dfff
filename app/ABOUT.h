// О программе
#pragma once

#include "ui/Forms.h"
#include "ui_ABOUT.h"

class TAboutBox : public ui::TForm, private Ui::TAboutBox {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};

extern TAboutBox* AboutBox;
