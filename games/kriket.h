// Американский Крикет: the window of the closing practice (darts::Cricket): the
// segment buttons and the key 0 enter the darts, the pictures show the marks,
// the sheet the visits of the leg.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "darts/Cricket.h"
#include "gamekit/GameConventions.h"
#include "gamekit/TGameWindow.h"

namespace Ui {
class TForm_k;
}
class QLabel;
class QPushButton;

class TForm_k : public gamekit::TGameWindow {
  Q_OBJECT
 public:
  explicit TForm_k(QWidget* parent = nullptr);
  ~TForm_k() override;

  Ui::TForm_k& Controls();
  const darts::Cricket& Game() const { return game_; }
  // Picture k (0 plain, 1, 2 marks, 3 closed) of target panel 1..7.
  QLabel* MarkImage(int panel, int k);

 public slots:
  void SpeedButton20_1Click();
  void SpeedButton20_2Click();
  void SpeedButton20_3Click();
  void SpeedButton19_1Click();
  void SpeedButton19_2Click();
  void SpeedButton19_3Click();
  void SpeedButton18_1Click();
  void SpeedButton18_2Click();
  void SpeedButton18_3Click();
  void SpeedButton17_1Click();
  void SpeedButton17_2Click();
  void SpeedButton17_3Click();
  void SpeedButton16_1Click();
  void SpeedButton16_2Click();
  void SpeedButton16_3Click();
  void SpeedButton15_1Click();
  void SpeedButton15_2Click();
  void SpeedButton15_3Click();
  void SpeedButton21_1Click();  // "0", a miss
  void SpeedButton21_2Click();  // "25"
  void SpeedButton21_3Click();  // "50"
  void BitBtn1Click();          // new leg
  void BitBtn2Click();          // leave
  void BitBtn3Click();          // the dart-entry step every segment runs
  void BitBtn4Click();          // export of the record

 protected:
  void BuildForm() override;
  void FormShow() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

  Played WhatWasPlayed() const override;
  QString StatisticsFolder() const override { return QStringLiteral("kriket"); }
  QStringList StatisticsLines(const QString& stamp) const override;
  std::optional<darts::SheetBlock> Sheet() const override { return game_.Sheet(); }
  void ResetGame() override;
  void StayInGame() override;

 private:
  void SegmentClick(int s, int m);
  void ShowGame();

  std::unique_ptr<Ui::TForm_k> ui_;
  darts::Cricket game_;
  gamekit::FunctionKeyMap keys_;
  std::optional<darts::Cricket::Segment> pending_;         // the segment clicked, for the entry step
  std::array<std::array<QPushButton*, 3>, 7> segments_{};  // by button row 15..21, then m
  std::array<std::array<QLabel*, 4>, darts::Cricket::kTargets> images_{};
  int shownRows_ = 0;  // visit rows the sheet shows
};

extern TForm_k* Form_k;
