// Выбор начало: the players choose who starts the deciding leg or set.
#pragma once

#include <QString>

#include "ui/Forms.h"
#include "ui_kontrovoi.h"

class TForm_kontr : public ui::TForm, private Ui::TForm_kontr {
  Q_OBJECT
 public:
  explicit TForm_kontr(QWidget* parent = nullptr);

  // The window's controls, as other windows and tests reach them.
  Ui::TForm_kontr& Controls() { return *this; }

  // The two names become the group's items, the first one chosen.
  void SetItems(const QString& first, const QString& second);

 public slots:
  void RadioGroup1Click();
  void BitBtn1Click();  // accept and close

 protected:
  void FormShow() override;
};

extern TForm_kontr* Form_kontr;
