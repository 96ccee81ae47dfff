// Калькулятор Калверн: the checkout-variant table, a read-only reference window.
#pragma once

#include <QRect>
#include <QString>
#include <memory>
#include <vector>

#include "gamekit/GameConventions.h"
#include "ui/Forms.h"

namespace Ui {
class TForm_kv;
}

class TForm_kv : public ui::TForm {
  Q_OBJECT
 public:
  explicit TForm_kv(QWidget* parent = nullptr);
  ~TForm_kv() override;

  Ui::TForm_kv& Controls();

 public slots:
  void BitBtn1Click();

 protected:
  void BuildForm() override;
  void FormShow() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;
  void StringGrid1DrawCell(int ACol, int ARow, const QRect& Rect);

 private:
  // A text of a band row as it is written again over the grid.
  struct BandText {
    QRect box;  // where it stands, on the teal brush
    QString text;
  };

  std::unique_ptr<Ui::TForm_kv> ui_;
  gamekit::FunctionKeyMap keys_;
  std::vector<BandText> bands_;  // measured at the first drawing after a showing
};

extern TForm_kv* Form_kv;
