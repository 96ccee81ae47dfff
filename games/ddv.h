// DDV: the window of the treble practice (darts::Ddv): the dart buttons and
// their keys play a game of 200 darts; the panels show it, the paint box draws
// its graph, and after the last dart the analysis window recommends a treble.
#pragma once

#include <memory>

#include "darts/Ddv.h"
#include "gamekit/GameConventions.h"
#include "gamekit/TGameWindow.h"

namespace Ui {
class TForm_ddv;
}

class TForm_ddv : public gamekit::TGameWindow {
  Q_OBJECT
 public:
  explicit TForm_ddv(QWidget* parent = nullptr);
  ~TForm_ddv() override;

  Ui::TForm_ddv& Controls();
  const darts::Ddv& Game() const { return game_; }

 public slots:
  void BitBtn1Click();   // new game
  void BitBtn2Click();   // leave
  void BitBtn3Click();   // export of the results table
  void BitBtn4Click();   // first dart hit
  void BitBtn5Click();   // first dart missed
  void BitBtn6Click();   // second dart hit
  void BitBtn7Click();   // second dart missed
  void BitBtn8Click();   // third dart hit
  void BitBtn9Click();   // third dart missed
  void BitBtn10Click();  // the dart of the button pressed

 protected:
  void BuildForm() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

  Played WhatWasPlayed() const override;
  QString StatisticsFolder() const override { return QStringLiteral("ddv"); }
  QStringList StatisticsLines(const QString& stamp) const override { return game_.FileLines(stamp); }
  void StatisticsWritten() override { game_.FileWritten(); }
  std::optional<darts::SheetBlock> Sheet() const override { return game_.Sheet(); }
  void StayInGame() override;

 private:
  void EnterDart(int dart, bool hit);
  void ShowGame();
  void DrawAxes();
  void DrawColumn(const darts::Ddv::Column& column);
  void GuideLine(int toX, int y, int textX, int textY);

  std::unique_ptr<Ui::TForm_ddv> ui_;
  darts::Ddv game_;
  gamekit::FunctionKeyMap keys_;
  int dart_ = 0;  // set by the dart button pressed
  bool hit_ = false;
};

extern TForm_ddv* Form_ddv;
