// Игра 27: doubles practice. One visit of three darts at the double of each
// sector 1..20 in turn (and a last one at the Bull when chosen); hits add the
// double, a visit without a hit takes it off; below zero the game is lost.
#pragma once

#include <cstdint>

#include "gamekit/GameConventions.h"
#include "ui/Forms.h"
#include "ui_form_27.h"

class TForm27 : public ui::TForm, private Ui::TForm27 {
  Q_OBJECT
 public:
  explicit TForm27(QWidget* parent = nullptr);

  Ui::TForm27& Controls() { return *this; }

  std::int32_t CurrentSector = 1;  // 21 stands for the Bull
  std::int32_t Total = 27;
  std::int32_t LastSector = 20;
  std::int32_t GameRows = 1;  // 1 plus the visits of the current game
  std::int32_t GamesPlayed = 0;
  std::int32_t HistoryRow = 1;  // where the block of the next finished game begins
  bool GameFinishedByLastSector = false;

 public slots:
  void BitBtn1Click();  // new game
  void BitBtn2Click();  // leave
  void BitBtn3Click();  // no hit
  void BitBtn4Click();  // one hit
  void BitBtn5Click();  // two hits
  void BitBtn6Click();  // three hits
  bool BitBtn7Click();  // export of the history

 protected:
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

 private:
  void Visit(int hits);
  void EndAtLastSector(int hits);
  void EndEarly();
  void CopySheetRow(int sheetRow, int firstCol, int blockRow);
  void ShowSector();
  void SetHitButtons(bool on);
  void AfterGame();
  void ClearSheet();
  void ClearHistory();
  void ExitReset();
  bool WriteStatisticsFile();

  gamekit::FunctionKeyMap keys_;
  bool gameRunning_ = false;
  int highestHistoryRow_ = 0;  // rows past the grid's own are cleared too
};

extern TForm27* Form27;
