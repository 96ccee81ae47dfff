// Игра 50 до 500 очков: bull practice. A leg starts at 500; every visit at the
// bull scores 0..150 in steps of 25 and is taken off until exactly 0 is left.
#pragma once

#include <cstdint>

#include "gamekit/GameConventions.h"
#include "ui/Forms.h"
#include "ui_form_50.h"

class TForm50 : public ui::TForm, private Ui::TForm50 {
  Q_OBJECT
 public:
  explicit TForm50(QWidget* parent = nullptr);

  Ui::TForm50& Controls() { return *this; }

  float VisitValue = 0;  // 550 stands for a bust
  float VisitCount = 0;  // visits of the leg, busts included; the sheet row of the last one
  std::int32_t Remaining = 0;
  std::int32_t LegScored = 0;
  float DartAverage = 0;
  float VisitAverage = 0;
  std::int32_t LegCount = 0;

 public slots:
  bool BitBtn1Click();  // export of the legs
  void BitBtn2Click();  // new leg
  void BitBtn3Click();  // leave
  void BitBtn4Click();  // the visit of VisitValue
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
  void FormShow() override;
  void FormActivate() override;
  void FormClose() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

 private:
  void EnterVisit(float value);
  void LegFinished(int lastVisit);
  void RecordLeg(int dart);
  void SetVisitButtons(bool on);
  void SetDartButtons(bool on);
  void ClearGrids();
  void ClearWindow();
  void ExitReset();
  bool WriteStatisticsFile();

  gamekit::FunctionKeyMap keys_;
  bool legRunning_ = false;
  bool openingActivation_ = false;
  int highestVisitRow_ = 0;  // rows past the grids' own are cleared too
  int highestLegRow_ = 0;
};

extern TForm50* Form50;
