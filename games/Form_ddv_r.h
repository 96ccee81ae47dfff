// Анализ DDV  и рекомендации: the DDV value of the game just played and the
// treble recommended for scoring.
#pragma once

#include "ui/Forms.h"
#include "ui_Form_ddv_r.h"

class TForm_ddv_raschet : public ui::TForm, private Ui::TForm_ddv_raschet {
  Q_OBJECT
 public:
  explicit TForm_ddv_raschet(QWidget* parent = nullptr);

  // The window's controls, as other windows and tests reach them.
  Ui::TForm_ddv_raschet& Controls() { return *this; }

 public slots:
  void BitBtn1Click();  // Выход

 protected:
  void FormShow() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;
};

extern TForm_ddv_raschet* Form_ddv_raschet;
