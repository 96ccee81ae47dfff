// Сектора: the window of the sector practice (darts::SectorPractice): the list
// and its Ok choose the sector, the score field and its Enter take the visits;
// the sheet shows the series, the summary the series finished.
#pragma once

#include <memory>

#include "darts/SectorPractice.h"
#include "gamekit/GameConventions.h"
#include "gamekit/TGameWindow.h"

namespace Ui {
class TFormsector;
}

class TFormsector : public gamekit::TGameWindow {
  Q_OBJECT
 public:
  explicit TFormsector(QWidget* parent = nullptr);
  ~TFormsector() override;

  Ui::TFormsector& Controls();
  const darts::SectorPractice& Game() const { return game_; }

 public slots:
  void BitBtn1Click();  // sector Ok
  void BitBtn2Click();  // leave
  void BitBtn3Click();  // visit Ok
  void BitBtn4Click();  // export of the summary
  void ComboBox1Select();
  void MaskEdit1KeyPress(int key);

 protected:
  void BuildForm() override;
  void FormShow() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

  Played WhatWasPlayed() const override;
  QString StatisticsFolder() const override { return QStringLiteral("10"); }
  QStringList StatisticsLines(const QString& stamp) const override { return game_.FileLines(stamp); }
  std::optional<darts::SheetBlock> Sheet() const override { return game_.Sheet(); }
  void ResetGame() override;

 private:
  void TakeVisit();
  void ShowSeries();
  void ShowSummary(int rows);

  std::unique_ptr<Ui::TFormsector> ui_;
  darts::SectorPractice game_;
  gamekit::FunctionKeyMap keys_;
  QObject* listView_ = nullptr;  // the dropped-down list of ComboBox1
};

extern TFormsector* Formsector;
