// Анализ DDV  и рекомендации: the DDV value of the game just played and the
// treble recommended for scoring.
#pragma once

#include <memory>

#include "ui/Forms.h"

namespace Ui {
class TForm_ddv_raschet;
}

class TForm_ddv_raschet : public ui::TForm {
  Q_OBJECT
 public:
  explicit TForm_ddv_raschet(QWidget* parent = nullptr);
  ~TForm_ddv_raschet() override;

  Ui::TForm_ddv_raschet& Controls();

  // Shows the window modally for a game's DDV value (its text as the game
  // shows it, empty below 12 hits).
  void ShowFor(const QString& ddv);

 public slots:
  void BitBtn1Click();  // Выход

 protected:
  void BuildForm() override;
  void FormShow() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

 private:
  std::unique_ptr<Ui::TForm_ddv_raschet> ui_;
  QString ddv_;     // the value shown
  QString advice_;  // the treble recommended, kept when a value gives none
};

extern TForm_ddv_raschet* Form_ddv_raschet;
