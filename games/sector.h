// Сектора: ten visits of three darts at one chosen sector, each checked
// against what three darts in that sector can make; every finished series adds
// a summary row, written on leaving and exported on request.
#pragma once

#include <cstdint>

#include "gamekit/GameConventions.h"
#include "ui/Forms.h"
#include "ui_sector.h"

class TFormsector : public ui::TForm, private Ui::TFormsector {
  Q_OBJECT
 public:
  explicit TFormsector(QWidget* parent = nullptr);

  // The window's controls, as tests reach them.
  Ui::TFormsector& Controls() { return *this; }

  QString SectorName;
  std::int32_t SectorValue = 0;  // 0 for the Bull
  float VisitCounter = 1;        // the visit being entered; 11 once the tenth is in
  float VisitScore = 0;
  std::int32_t SectorSum = 0;
  float DartAverage = 0;
  float VisitAverage = 0;
  std::int32_t SummaryRow = 0;  // the number of series finished

 public slots:
  void BitBtn1Click();  // sector Ok
  void BitBtn2Click();  // leave
  void BitBtn3Click();  // visit Ok
  bool BitBtn4Click();  // export of the summary table
  void ComboBox1Select();
  void MaskEdit1KeyPress(int key);

 protected:
  void FormShow() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void TakeVisit();
  bool WriteStatisticsFile();
  void ResetAndClose();

  gamekit::FunctionKeyMap keys_;
};

extern TFormsector* Formsector;
