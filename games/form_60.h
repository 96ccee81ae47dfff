// Игра 60: checkout ladder. One target to check out, starting at 60: +10 when
// closed with one of the three darts, +1 through the Bull, -1 when not closed;
// the game ends at 1, at 131 or more, or after the chosen number of visits.
#pragma once

#include <cstdint>

#include "gamekit/GameConventions.h"
#include "ui/Forms.h"
#include "ui_form_60.h"

class TForm60 : public ui::TForm, private Ui::TForm60 {
  Q_OBJECT
 public:
  explicit TForm60(QWidget* parent = nullptr);

  Ui::TForm60& Controls() { return *this; }

  std::int32_t VisitNumber = 1;  // the visit about to be entered
  std::int32_t GamesPlayed = 0;
  std::int32_t HistoryRow = 1;  // next free row of the log

 public slots:
  void BitBtn1Click();  // new game
  void BitBtn2Click();  // not closed
  void BitBtn3Click();  // closed with the first dart
  void BitBtn4Click();  // closed with the second dart
  void BitBtn5Click();  // closed with the third dart
  void BitBtn6Click();  // leave
  void BitBtn7Click();  // closed through the Bull
  bool BitBtn8Click();  // export of the log
  void BitBtn9Click();  // accept the visit limit
  void CheckBox1Click();
  void MaskEdit1KeyPress(int key);

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

 private:
  int Target() const;
  void SetTarget(int target);
  void ShowRoute();
  void ApplyFirstDartRule();
  void ApplySecondDartRule();
  bool LimitPending() const;
  bool LimitReached(int visits) const;
  void RefuseLimit();
  void SetScoringButtons(bool on);
  void FreshGame();
  void FreshOpening();
  void Closed(const QString& dart, int step);
  void WriteVisitRow(const QString& closed, const QString& dart);
  void EndGame(int visits, bool lost = false);
  void FillCheckoutTable();
  void ClearSheet();
  void ClearLog();
  void ExitReset();
  bool WriteStatisticsFile();

  gamekit::FunctionKeyMap keys_;
  bool gameRunning_ = false;
  bool limitAccepted_ = false;
  int highestVisitRow_ = 0;  // rows past the grids' own are cleared too
  int highestLogRow_ = 0;
};

extern TForm60* Form60;
