// Основные дартс-игры: the rules of the games, read-only, above the other windows.
#pragma once

#include <memory>

#include "gamekit/GameConventions.h"
#include "ui/Forms.h"

namespace Ui {
class TForm_pravilo;
}

class TForm_pravilo : public ui::TForm {
  Q_OBJECT
 public:
  explicit TForm_pravilo(QWidget* parent = nullptr);
  ~TForm_pravilo() override;

  Ui::TForm_pravilo& Controls();

 public slots:
  void BitBtn1Click();

 protected:
  void BuildForm() override;
  void FormShow() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

 private:
  std::unique_ptr<Ui::TForm_pravilo> ui_;
  gamekit::FunctionKeyMap keys_;
};

extern TForm_pravilo* Form_pravilo;
