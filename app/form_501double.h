// Игра на 2-их: the window of a two-player match (darts::Match). The score
// field, the buttons and their keys play the match; the panels, the visit
// sheets and the hidden record grid show it; beside them the camera picture.
#pragma once

#include <memory>

#include "darts/Match.h"
#include "gamekit/GameConventions.h"
#include "gamekit/TGameWindow.h"
#include "video/VideoChain.h"

namespace Ui {
class TForm_501d;
}

class TForm_501d : public gamekit::TGameWindow {
  Q_OBJECT

 public:
  explicit TForm_501d(QWidget* parent = nullptr);
  ~TForm_501d() override;

  Ui::TForm_501d& Controls();
  const darts::Match& Game() const { return game_; }
  // The camera picture beside the sheets: capture, motion detection, display.
  video::TVLVideoChain& Video() { return video_; }

  // A new match as the players set it up, shown from its start: between legs,
  // the starter marked.
  void PrepareMatch(const darts::MatchSetup& setup);

 public slots:
  void BitBtn1Click();    // exit
  void BitBtn2Click();    // Ok: the visit
  void BitBtn3Click();    // finished with dart 1
  void BitBtn5Click();    // finished with dart 2
  void BitBtn6Click();    // finished with dart 3
  void BitBtn4Click();    // new leg
  void BitBtn7Click();    // undo of player 1's last visit
  void BitBtn8Click();    // undo of player 2's last visit
  void BitBtn9Click();    // bust
  void BitBtn10Click();   // the end of a leg shown, the next leg made ready
  void BitBtn11Click();   // the players asked who starts, where they play for it
  bool BitBtn12Click();   // export of the match record
  void CheckBox1Click();  // the video switch
  void MaskEdit1KeyPress(int key);

 protected:
  void BuildForm() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

  Played WhatWasPlayed() const override;
  std::optional<darts::SheetBlock> Sheet() const override;
  void StayInGame() override;

 private:
  void VisitAction();
  void TryVisit();
  void FinishWith(int dart);
  void Undo(int player);
  // Everything from the match; at a new leg (or match) the sheets from the top.
  void ShowMatch(bool newLeg = false);
  void ShowSheet(int player, bool whole);
  void ShowRecord();
  // Where the focus rests when no action names a control: the score field
  // while it takes visits, the first offered finishing dart while the dart is
  // asked, otherwise the window itself, where Enter and Space do nothing.
  void RestFocus();
  void VideoFailed(const QString& message);

  std::unique_ptr<Ui::TForm_501d> ui_;
  darts::Match game_;
  video::TVLVideoChain video_;
  gamekit::FunctionKeyMap keys_;
  int formSheetRows_ = 30;      // rows of a visit sheet in the form
  int sheetRowsDrawn_[2] = {};  // visit rows each sheet holds
  int recordRowsDrawn_ = 0;     // record rows the hidden grid holds
};

extern TForm_501d* Form_501d;
