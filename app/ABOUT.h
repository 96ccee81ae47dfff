// О программе: the picture, the authors and a hidden line with the program's
// folder and the time of the last showing.
#pragma once

#include "ui/Forms.h"
#include "ui_ABOUT.h"

class TAboutBox : public ui::TForm, private Ui::TAboutBox {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  // The program's folder as the window shows it: no trailing separator.
  static QString ProgramFolder();

 protected:
  void FormShow() override;
};

extern TAboutBox* AboutBox;
