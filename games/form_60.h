// Игра 60: the window of the checkout ladder (darts::Game60): the buttons and
// their keys report each visit; the panels show the target and its route, the
// sheet the visits of the game.
#pragma once

#include <memory>

#include "darts/Game60.h"
#include "gamekit/GameConventions.h"
#include "gamekit/TGameWindow.h"

namespace Ui {
class TForm60;
}

class TForm60 : public gamekit::TGameWindow {
  Q_OBJECT
 public:
  explicit TForm60(QWidget* parent = nullptr);
  ~TForm60() override;

  Ui::TForm60& Controls();
  const darts::Game60& Game() const { return game_; }

 public slots:
  void BitBtn1Click();  // new game
  void BitBtn2Click();  // not closed
  void BitBtn3Click();  // closed with the first dart
  void BitBtn4Click();  // closed with the second dart
  void BitBtn5Click();  // closed with the third dart
  void BitBtn6Click();  // leave
  void BitBtn7Click();  // closed through the Bull
  void BitBtn8Click();  // export of the log
  void BitBtn9Click();  // accept the visit limit
  void CheckBox1Click();
  void MaskEdit1KeyPress(int key);

 protected:
  void BuildForm() override;
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

  Played WhatWasPlayed() const override;
  QString StatisticsFolder() const override { return QStringLiteral("60"); }
  QStringList StatisticsLines(const QString& stamp) const override { return game_.FileLines(stamp); }
  std::optional<darts::SheetBlock> Sheet() const override { return game_.Sheet(); }

 private:
  void FreshWindow();
  void ShowGame();
  void ShowLastVisit();
  void ClearSheet();
  void AfterVisit(darts::Game60::Visit visit);
  void RefuseLimit();

  std::unique_ptr<Ui::TForm60> ui_;
  darts::Game60 game_;
  gamekit::FunctionKeyMap keys_;
};

extern TForm60* Form60;
