// О программе: the picture, the authors and a hidden line with the program's
// folder and the time of the last showing.
#pragma once

#include <memory>

#include "ui/Forms.h"

namespace Ui {
class TAboutBox;
}

class TAboutBox : public ui::TForm {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent = nullptr);
  ~TAboutBox() override;

  Ui::TAboutBox& Controls();

  // The program's folder as the window shows it: no trailing separator.
  static QString ProgramFolder();

 protected:
  // The picture is decoded here, at the first showing.
  void BuildForm() override;
  void FormShow() override;

 private:
  std::unique_ptr<Ui::TAboutBox> ui_;
};

extern TAboutBox* AboutBox;
