// Набор (Big round): 21 rounds, one visit at each sector from 1 to 20 and
// then at the Bull; every finished game is recorded with its sum and averages,
// written on leaving and exported on request.
#pragma once

#include <QColor>
#include <array>
#include <cstdint>

#include "gamekit/GameConventions.h"
#include "ui/Forms.h"
#include "ui_nabor.h"

class QLabel;

class TForm_n : public ui::TForm, private Ui::TForm_n {
  Q_OBJECT
 public:
  explicit TForm_n(QWidget* parent = nullptr);

  // The window's controls, as tests reach them.
  Ui::TForm_n& Controls() { return *this; }
  // Panel1 .. Panel49 and the colour of their face.
  QLabel* Panel(int n) const;
  QColor PanelColor(int n) const;

  std::int32_t RoundsPlayed = 0;
  std::int32_t GamesPlayed = 0;
  float AllGamesSum = 0;

 public slots:
  void BitBtn1Click();  // new game
  void BitBtn2Click();  // take the visit
  void BitBtn3Click();  // undo the last visit
  void BitBtn4Click();  // leave
  bool BitBtn5Click();  // export of the games
  void Edit1KeyPress(int key);

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

 private:
  static constexpr int kPanels = 49;
  void TakeVisit();
  void GameEnd();
  void SetPanelColor(int n, const QColor& colour);
  void HideRoundPanels();
  void FillSummary();
  bool WriteStatisticsFile();
  void ResetAndClose();

  gamekit::FunctionKeyMap keys_;
  std::array<QLabel*, kPanels + 1> panels_{};
  int highestResultRow_ = 0;  // results rows past the grid's 100 are cleared as well
};

extern TForm_n* Form_n;
