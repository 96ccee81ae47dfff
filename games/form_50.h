// Игра 50 до 500 очков: the window of the bull practice game (darts::Game50):
// the visit buttons and their keys play a leg, the finishing-dart buttons
// record it; the sheet, the panels and the table of legs show the game.
#pragma once

#include <memory>

#include "darts/Game50.h"
#include "gamekit/GameConventions.h"
#include "gamekit/TGameWindow.h"

namespace Ui {
class TForm50;
}

class TForm50 : public gamekit::TGameWindow {
  Q_OBJECT
 public:
  explicit TForm50(QWidget* parent = nullptr);
  ~TForm50() override;

  Ui::TForm50& Controls();
  const darts::Game50& Game() const { return game_; }

 public slots:
  void BitBtn1Click();  // export of the legs
  void BitBtn2Click();  // new leg
  void BitBtn3Click();  // leave
  void BitBtn4Click();  // the visit of the button pressed
  void BitBtn5Click();  // finished with dart 1
  void BitBtn6Click();  // finished with dart 2
  void BitBtn7Click();  // finished with dart 3
  void BitBtn8Click();  // bust
  void BitBtn9Click();
  void BitBtn10Click();
  void BitBtn11Click();
  void BitBtn12Click();
  void BitBtn13Click();
  void BitBtn14Click();
  void BitBtn15Click();

 protected:
  void BuildForm() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

  Played WhatWasPlayed() const override;
  QString StatisticsFolder() const override { return QStringLiteral("50"); }
  QStringList StatisticsLines(const QString& stamp) const override { return game_.FileLines(stamp); }
  std::optional<darts::SheetBlock> Sheet() const override { return game_.Sheet(); }
  void ResetGame() override;

 private:
  void EnterVisit(int value);
  void FinishingDart(int dart);
  void ShowButtons();
  void ShowGame();
  void ClearWindow();

  std::unique_ptr<Ui::TForm50> ui_;
  darts::Game50 game_;
  gamekit::FunctionKeyMap keys_;
  int visitValue_ = 0;  // set by the visit button pressed
};

extern TForm50* Form50;
