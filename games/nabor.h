// Набор: the window of the Big round (darts::BigRound): the score field and its
// Enter play the rounds, the sector panels and the results show the games.
#pragma once

#include <memory>
#include <vector>

#include "darts/BigRound.h"
#include "gamekit/GameConventions.h"
#include "gamekit/TGameWindow.h"

class QColor;
class QLabel;

namespace Ui {
class TForm_n;
}

class TForm_n : public gamekit::TGameWindow {
  Q_OBJECT
 public:
  explicit TForm_n(QWidget* parent = nullptr);
  ~TForm_n() override;

  Ui::TForm_n& Controls();
  const darts::BigRound& Game() const { return game_; }
  // Panel1 .. Panel49 and the colour of their face.
  QLabel* Panel(int n) const;
  QColor PanelColor(int n) const;

 public slots:
  void BitBtn1Click();  // new game
  void BitBtn2Click();  // take the visit
  void BitBtn3Click();  // undo the last visit
  void BitBtn4Click();  // leave
  void BitBtn5Click();  // export of the games
  void Edit1KeyPress(int key);

 protected:
  void BuildForm() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

  Played WhatWasPlayed() const override;
  QString StatisticsFolder() const override { return QStringLiteral("br"); }
  QStringList StatisticsLines(const QString& stamp) const override { return game_.FileLines(stamp); }
  std::optional<darts::SheetBlock> Sheet() const override { return game_.Sheet(); }
  void ResetGame() override;

 private:
  void TakeVisit();
  void ShowRounds();
  void ShowResults(int rows);
  void SetPanelColor(int n, const QColor& colour);
  void ClearWindow();

  std::unique_ptr<Ui::TForm_n> ui_;
  darts::BigRound game_;
  gamekit::FunctionKeyMap keys_;
  std::vector<QLabel*> panels_;  // by number, 0 unused
};

extern TForm_n* Form_n;
