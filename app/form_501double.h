// Игра на 2-их: two players play a match of legs and, optionally, sets, typing
// the total of each visit; the window keeps both visit sheets, averages, visit
// bands, legs, sets and best legs, and a record of every leg for the export.
#pragma once

#include <QString>
#include <cstdint>

#include "darts/DartsRules.h"
#include "darts/MatchRules.h"
#include "gamekit/GameConventions.h"
#include "ui/Forms.h"
#include "ui_form_501double.h"
#include "video/VideoChain.h"

class QLabel;
class QAbstractButton;

namespace match {

// What the set-up dialog hands over when a match is accepted.
struct MatchSetup {
  std::int32_t startScore = 501;
  std::int32_t setsToWin = 0;
  std::int32_t legsToWin = 1;
  std::int32_t starter = 1;
  std::int32_t decidingLegDraw = 0;
  std::int32_t decidingSetDraw = 0;
  QString player1, player2;
};

// Columns of the match record and rows a set-up clears at least.
constexpr int kRecordCols = 10;
constexpr int kRecordRows = 1500;
// Visit sheet rows a new leg clears at least, and the sheets' columns.
constexpr int kSheetRows = 100;
constexpr int kSheetCols = 5;

extern const char* const kBustMark1;  // "   ---"
extern const char* const kBustMark2;  // "  ---"

}  // namespace match

class TForm_501d : public ui::TForm, private Ui::TForm_501d {
  Q_OBJECT

 public:
  explicit TForm_501d(QWidget* parent = nullptr);

  // The window's controls, as other windows and tests reach them.
  Ui::TForm_501d& Controls() { return *this; }

  // The set-up dialog's accept: settings written, display reset.
  void PrepareMatch(const match::MatchSetup& setup);

  // The camera picture beside the sheets: capture, motion detection, display.
  video::TVLVideoChain Video;

  // Match settings.
  std::int32_t StartScore = 501;
  std::int32_t SetsToWin = 0;
  std::int32_t LegsToWin = 1;
  std::int32_t DecidingLegDraw = 0;
  std::int32_t DecidingSetDraw = 0;
  QString Player1Name, Player2Name;

  // Match state.
  std::int32_t SetStarter = 1;
  std::int32_t LegStarter = 1;
  std::int32_t CurrentThrower = 1;
  std::int32_t LegsPlayed = 0;
  std::int32_t RecordRow = 0;
  // Player 1's 60+, 80+, 100+, 140+, 180, then player 2's.
  std::int32_t ScoreBands[10] = {};

  // Leg state.
  float Remainder1 = 501, Remainder2 = 501;
  float VisitCount1 = 0, VisitCount2 = 0;
  float AvgPerDart1 = 0, AvgPerVisit1 = 0, AvgPerDart2 = 0, AvgPerVisit2 = 0;
  std::int32_t LegOver = 0;
  std::int32_t FinishingDart = 0;
  std::int32_t MatchOver = 0;
  std::int32_t SetWon = 0;

  // The arrow at the player whose visit is next.
  bool TurnMarkerShown(int player) const;

  float& Remainder(int player) { return player == 1 ? Remainder1 : Remainder2; }
  float& VisitCount(int player) { return player == 1 ? VisitCount1 : VisitCount2; }

 public slots:
  void BitBtn1Click();    // exit
  void BitBtn2Click();    // Ok: the visit action
  void BitBtn3Click();    // finished with dart 1
  void BitBtn5Click();    // finished with dart 2
  void BitBtn6Click();    // finished with dart 3
  void BitBtn4Click();    // new leg
  void BitBtn7Click();    // undo of player 1's last visit
  void BitBtn8Click();    // undo of player 2's last visit
  void BitBtn9Click();    // bust
  void BitBtn10Click();   // end-of-leg processing
  void BitBtn11Click();   // leg record and next starter
  bool BitBtn12Click();   // export of the match record
  void CheckBox1Click();  // the video switch
  void MaskEdit1KeyPress(int key);

 protected:
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

 private:
  // The controls of one player.
  struct Side {
    QLabel* remainder;
    ui::TStringGrid* sheet;
    QLabel* perDart;
    QLabel* perVisit;
    QLabel* bands[darts::kBandCount];  // 60+, 80+, 100+, 140+, 180
    QAbstractButton* undo;
    QLabel* best;
    QString bustMark;
  };
  Side& SideOf(int player) { return player == 1 ? side1_ : side2_; }
  float& AvgPerDart(int player) { return player == 1 ? AvgPerDart1 : AvgPerDart2; }
  float& AvgPerVisit(int player) { return player == 1 ? AvgPerVisit1 : AvgPerVisit2; }

  void VisitAction();
  void TryVisit();
  void FocusScoreField();
  // Where the focus rests when no action names a control: the score field
  // while it takes visits, the first offered finishing dart while the dart is
  // asked, otherwise the window itself, where Enter and Space do nothing.
  void RestFocus();
  void VideoFailed(const QString& message);
  void SetEntryEnabled(bool on);
  void DisableFinishingDarts();
  void ShowTurn(int player);
  void UpdateBustButton(int nextThrower);
  void AddToBand(int player, int visit, int delta);
  void RunningAverages(int player);
  void ShowAverages(int player, int row);
  void FinishWith(int dart);
  void Undo(int player);
  void AppendLegRecord();
  void AskChooser();
  int PanelNumber(const QLabel* panel) const;
  darts::MatchSettings Settings() const;
  void ClearSheetRows(ui::TStringGrid* sheet, int first, int last, int lastCol);
  void FollowVisits(ui::TStringGrid* sheet, int lastVisit);

  Side side1_{}, side2_{};
  gamekit::FunctionKeyMap keys_;
  // Highest rows ever written since the last clearing, so that rows past the
  // usual sizes are cleared as well.
  int highestSheetRow_ = 0;
  int highestRecordRow_ = 0;
  int sheetRows_ = 30;  // rows of a visit sheet in the form
};

extern TForm_501d* Form_501d;
