// Калькулятор Калверн: the checkout-variant table, a read-only reference window.
#pragma once

#include <QRect>

#include "gamekit/GameConventions.h"
#include "ui/Forms.h"
#include "ui_Kalvern.h"

class TForm_kv : public ui::TForm, private Ui::TForm_kv {
  Q_OBJECT
 public:
  explicit TForm_kv(QWidget* parent = nullptr);

 public slots:
  void BitBtn1Click();

 protected:
  void FormShow() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;
  void StringGrid1DrawCell(int ACol, int ARow, const QRect& Rect);

 private:
  gamekit::FunctionKeyMap keys_;
};

extern TForm_kv* Form_kv;
