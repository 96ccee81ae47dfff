// A framed group of radio buttons made from a list of item texts, laid out in
// columns. The chosen item is ItemIndex (-1 when none is chosen); Click is
// emitted whenever the chosen item changes, by the user or by code. The group
// is one Tab stop, on its chosen item (the first while none is chosen); the
// arrow keys move the choice to the next or previous item, Space chooses, and
// Enter goes on to the form (its default button). An item shows its text as
// given ("&" is no accelerator), its end elided where the column is too narrow.
#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;

namespace ui {

class TRadioGroup : public QGroupBox {
  Q_OBJECT
  Q_PROPERTY(QStringList Items READ Items WRITE setItems)
  Q_PROPERTY(int Columns READ Columns WRITE setColumns)
  Q_PROPERTY(int ItemIndex READ ItemIndex WRITE setItemIndex)

 public:
  explicit TRadioGroup(QWidget* parent = nullptr);

  QStringList Items() const;
  void setItems(const QStringList& items);
  int Columns() const { return columns_; }
  void setColumns(int columns);
  int ItemIndex() const;
  void setItemIndex(int index);  // -1 clears the choice
  // The button of an item (null outside the list).
  QRadioButton* Button(int index) const;

 signals:
  void Click();

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void Arrange();
  void FollowChoice();
  QStringList items_;
  std::vector<QRadioButton*> buttons_;
  int columns_ = 1;
};

}  // namespace ui
