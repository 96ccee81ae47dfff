// История версий: what changed in each version, newest first. The text may be
// edited while the window is open; the next start shows the original again.
#pragma once

#include <memory>

#include "gamekit/GameConventions.h"
#include "ui/Forms.h"

namespace Ui {
class TForm_history;
}

class TForm_history : public ui::TForm {
  Q_OBJECT
 public:
  explicit TForm_history(QWidget* parent = nullptr);
  ~TForm_history() override;

  Ui::TForm_history& Controls();

 public slots:
  void BitBtn1Click();

 protected:
  void BuildForm() override;
  void FormShow() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

 private:
  std::unique_ptr<Ui::TForm_history> ui_;
  gamekit::FunctionKeyMap keys_;
};

extern TForm_history* Form_history;
