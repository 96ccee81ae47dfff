// Выбор начало: the players choose who starts the deciding leg or set.
#pragma once

#include <QString>
#include <memory>

#include "ui/Forms.h"

namespace Ui {
class TForm_kontr;
}

class TForm_kontr : public ui::TForm {
  Q_OBJECT
 public:
  explicit TForm_kontr(QWidget* parent = nullptr);
  ~TForm_kontr() override;

  Ui::TForm_kontr& Controls();

  // Asks with the two names as the items, the first one chosen; returns the
  // player (1 or 2) chosen when the players accept.
  int Choose(const QString& first, const QString& second);

 public slots:
  void RadioGroup1Click() {}  // the choice counts when it is accepted
  void BitBtn1Click();        // accept and close

 protected:
  void BuildForm() override;
  void FormShow() override;

 private:
  std::unique_ptr<Ui::TForm_kontr> ui_;
};

extern TForm_kontr* Form_kontr;
