// Классический 501, 301,201 и т.д.: the window of solo practice
// (darts::SoloSession): the score field and the buttons play the legs; the
// visit sheet, the leg record and the panels show them.
#pragma once

#include <memory>

#include "darts/SoloSession.h"
#include "gamekit/GameConventions.h"
#include "gamekit/TGameWindow.h"

namespace Ui {
class TForm_501_s;
}

class TForm_501_s : public gamekit::TGameWindow {
  Q_OBJECT

 public:
  explicit TForm_501_s(QWidget* parent = nullptr);
  ~TForm_501_s() override;

  Ui::TForm_501_s& Controls();
  const darts::SoloSession& Game() const { return game_; }

 public slots:
  void BitBtn1Click();  // Ok: the visit action
  void BitBtn2Click();  // new leg
  void BitBtn3Click();  // exit
  void BitBtn4Click();  // checkout-variant table
  void BitBtn5Click();  // finished with dart 1
  void BitBtn6Click();  // finished with dart 2
  void BitBtn7Click();  // finished with dart 3
  void BitBtn8Click();  // undo the last visit
  void BitBtn9Click();  // export of the leg record to a spreadsheet
  void ComboBox1Select();
  void MaskEdit1KeyPress(int key);

 protected:
  void BuildForm() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;

  Played WhatWasPlayed() const override;
  QString StatisticsFolder() const override { return QString::number(game_.StartScore()); }
  QStringList StatisticsLines(const QString& stamp) const override { return game_.FileLines(stamp); }
  std::optional<darts::SheetBlock> Sheet() const override { return game_.Sheet(); }
  void ResetGame() override;

 private:
  void TryVisit();
  void LegEnd(bool recorded);
  void FinishingDart(int dart);
  void AfterRecord();
  void ShowGame(bool wholeRecord = false);
  void FocusScoreField();
  // Where the focus rests when no action names a control: the score field
  // while it takes visits, the first offered finishing dart while the dart is
  // asked, the game list before the first leg, otherwise the window itself,
  // where Enter and Space do nothing.
  void RestFocus();

  std::unique_ptr<Ui::TForm_501_s> ui_;
  darts::SoloSession game_;
  gamekit::FunctionKeyMap keys_;
  // Rows of the sheets drawn from the game, and the visit sheet's rows in the form.
  int shownVisits_ = 0;
  int shownLegs_ = 0;
  int sheetRows_ = 100;
};

extern TForm_501_s* Form_501_s;
