// Игра 27: the window of the doubles practice game (darts::Game27): the hit
// buttons and their keys play the game; the sheet shows it.
#pragma once

#include <memory>

#include "darts/Game27.h"
#include "gamekit/GameConventions.h"
#include "gamekit/TGameWindow.h"

namespace Ui {
class TForm27;
}

class TForm27 : public gamekit::TGameWindow {
  Q_OBJECT
 public:
  explicit TForm27(QWidget* parent = nullptr);
  ~TForm27() override;

  Ui::TForm27& Controls();
  const darts::Game27& Game() const { return game_; }

 public slots:
  void BitBtn1Click();  // new game
  void BitBtn2Click();  // leave
  void BitBtn3Click();  // no hit
  void BitBtn4Click();  // one hit
  void BitBtn5Click();  // two hits
  void BitBtn6Click();  // three hits
  void BitBtn7Click();  // export of the history

 protected:
  void BuildForm() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

  Played WhatWasPlayed() const override;
  QString StatisticsFolder() const override { return QStringLiteral("27"); }
  QStringList StatisticsLines(const QString& stamp) const override { return game_.FileLines(stamp); }
  std::optional<darts::SheetBlock> Sheet() const override { return game_.Sheet(); }
  void ResetGame() override;
  void StayInGame() override;

 private:
  void Visit(int hits);
  void ShowGame();
  void SetHitButtons(bool on);
  void AfterGame();
  void ClearWindow();

  std::unique_ptr<Ui::TForm27> ui_;
  darts::Game27 game_;
  gamekit::FunctionKeyMap keys_;
};

extern TForm27* Form27;
