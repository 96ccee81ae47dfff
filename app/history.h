// История версий: what changed in each version, newest first. The text may be
// edited while the window is open; the next start shows the original again.
#pragma once

#include "gamekit/GameConventions.h"
#include "ui/Forms.h"
#include "ui_history.h"

class TForm_history : public ui::TForm, private Ui::TForm_history {
  Q_OBJECT
 public:
  explicit TForm_history(QWidget* parent = nullptr);

 public slots:
  void BitBtn1Click();

 protected:
  void FormShow() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

 private:
  gamekit::FunctionKeyMap keys_;
};

extern TForm_history* Form_history;
