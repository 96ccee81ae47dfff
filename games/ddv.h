// DDV: treble practice over 200 darts, entered one dart at a time as hit or
// missed, with a graph of the cumulative hits visit by visit, a results table
// of the games of one opening and the DDV value of each game.
#pragma once

#include <cstdint>

#include "gamekit/GameConventions.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui_ddv.h"

class TForm_ddv : public ui::TForm, private Ui::TForm_ddv {
  Q_OBJECT

 public:
  explicit TForm_ddv(QWidget* parent = nullptr);

  // The window's controls, as other windows and tests reach them.
  Ui::TForm_ddv& Controls() { return *this; }

  // Colours of the graph (0x00BBGGRR).
  static constexpr ui::TColor clBlack = 0x000000;
  static constexpr ui::TColor clRed = 0x0000FF;
  static constexpr ui::TColor clPurple = 0x800080;
  static constexpr ui::TColor clLime = 0x00FF00;
  static constexpr ui::TColor clHighlight = 0xD77800;
  static constexpr ui::TColor clBtnFace = 0xF0F0F0;

  // Graph geometry: the visit axis, the hit axis, pixels per visit and per hit.
  static constexpr int kVisitAxisY = 400;
  static constexpr int kHitAxisX = 20;
  static constexpr int kVisitWidth = 6;
  static constexpr int kLastVisitWidth = 4;
  static constexpr int kHitHeight = 2;

  std::int32_t DartsThrown = 0;
  std::int32_t Hits = 0;
  float HitPercent = 0;
  std::int32_t VisitHits = 0;
  std::int32_t Dart1Hit = 0;
  std::int32_t Dart2Hit = 0;
  std::int32_t Dart3Hit = 0;
  std::int32_t Dart1Missed = 0;
  std::int32_t Dart2Missed = 0;
  std::int32_t Dart3Missed = 0;
  std::int32_t VisitNumber = 1;
  std::int32_t OneHitVisits = 0;
  std::int32_t TwoHitVisits = 0;
  std::int32_t ThreeHitVisits = 0;
  std::int32_t GraphX = kHitAxisX;
  std::int32_t GraphY = kVisitAxisY;
  std::int32_t StepWidth = kVisitWidth;
  std::int32_t GameNumber = 0;
  std::int32_t UnsavedGame = 0;

 public slots:
  void BitBtn1Click();   // new game
  void BitBtn2Click();   // leave
  bool BitBtn3Click();   // export of the results table
  void BitBtn4Click();   // first dart hit
  void BitBtn5Click();   // first dart missed
  void BitBtn6Click();   // second dart hit
  void BitBtn7Click();   // second dart missed
  void BitBtn8Click();   // third dart hit
  void BitBtn9Click();   // third dart missed
  void BitBtn10Click();  // what every dart does

 protected:
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void Dart(std::int32_t& flag, bool hit);
  void FillValueTable();
  void DrawAxes();
  void DrawColumn(int h, int width);
  void GuideLine(int toX, int y, int textX, int textY);
  void DrawVisit();
  void NextColumn(int h);
  void EndOfGame();
  void WriteResults();
  void StartResultsTable();
  bool WriteStatisticsFile();
  void SetDartButtons(int dart);  // 1..3: that dart's pair enabled; 0: none

  gamekit::FunctionKeyMap keys_;
  // Highest results column written since the window was created: the first
  // game of an opening empties every column a longer earlier opening used.
  int highestColumn_ = 0;
};

extern TForm_ddv* Form_ddv;
