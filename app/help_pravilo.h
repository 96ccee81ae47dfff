// Основные дартс-игры: the rules of the games, read-only, above the other windows.
#pragma once

#include "gamekit/GameConventions.h"
#include "ui/Forms.h"
#include "ui_help_pravilo.h"

class TForm_pravilo : public ui::TForm, private Ui::TForm_pravilo {
  Q_OBJECT
 public:
  explicit TForm_pravilo(QWidget* parent = nullptr);

 public slots:
  void BitBtn1Click();

 protected:
  void FormShow() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

 private:
  gamekit::FunctionKeyMap keys_;
};

extern TForm_pravilo* Form_pravilo;
