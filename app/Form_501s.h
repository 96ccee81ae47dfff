// Классический 501, 301,201 и т.д.: one player plays legs of a countdown game
// alone, visit by visit, with checkout suggestions and a record of every leg.
#pragma once

#include <cstdint>

#include "gamekit/GameConventions.h"
#include "ui/Forms.h"
#include "ui_Form_501s.h"

class TForm_501_s : public ui::TForm, private Ui::TForm_501_s {
  Q_OBJECT

 public:
  explicit TForm_501_s(QWidget* parent = nullptr);

  // The window's controls, as other windows and tests reach them.
  Ui::TForm_501_s& Controls() { return *this; }

  std::int32_t StartScore = 501;
  std::int32_t Remainder = 501;
  std::int32_t LegNumber = 0;    // also the leg record row of the current leg
  std::int32_t LegDarts = 0;     // 0 in play, 1 while the finishing dart is asked, else the leg's darts
  std::int32_t LegRecorded = 0;  // 1 once the current leg stands in the leg record
  std::int32_t Band60 = 0;
  std::int32_t Band80 = 0;
  std::int32_t Band100 = 0;
  std::int32_t Band140 = 0;
  std::int32_t Band180 = 0;
  float VisitScore = 0;
  float VisitCount = 0;  // visits of the current leg; the visit sheet row of the last one
  float AvgPerDart = 0;
  float AvgPerVisit = 0;
  float SumPerDart = 0;
  float SumPerVisit = 0;

 public slots:
  void BitBtn1Click();  // Ok: the visit action
  void BitBtn2Click();  // new leg
  void BitBtn3Click();  // exit
  void BitBtn4Click();  // checkout-variant table
  void BitBtn5Click();  // finished with dart 1
  void BitBtn6Click();  // finished with dart 2
  void BitBtn7Click();  // finished with dart 3
  void BitBtn8Click();  // undo the last visit
  bool BitBtn9Click();  // export of the leg record to a spreadsheet
  void ComboBox1Select();
  void MaskEdit1KeyPress(int key);

 protected:
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

 private:
  void VisitAction();
  void TryVisit();
  void LegEnd();
  void RecordLeg(int dart);
  void ShowSuggestion(int remainder);
  void FillSuggestionTable();
  void FocusScoreField();
  // Where the focus rests when no action names a control: the score field
  // while it takes visits, the first offered finishing dart while the dart is
  // asked, the game list before the first leg, otherwise the window itself,
  // where Enter and Space do nothing.
  void RestFocus();
  void ExitReset();
  bool WriteStatisticsFile();
  void RecomputeLegAverages(int lastLeg);
  int BandCount(int band) const;
  void AddToBand(int visit, int delta);
  void ClearVisitRows(int first);
  void FollowVisits(int lastVisit);
  void ClearLegRows(int first);
  static int StartScoreOf(int itemIndex);

  gamekit::FunctionKeyMap keys_;
  // Highest rows written since the sheets were last cleared: rows past the
  // display rows are cleared with the others.
  int highestVisitRow_ = 0;
  int highestLegRow_ = 0;
  int sheetRows_ = 100;  // rows of the visit sheet in the form
};

extern TForm_501_s* Form_501_s;
