// Американский Крикет: one player closes 20 down to 15 and the Bull with three
// marks each, dart by dart, clicking the segment hit; every finished leg goes
// into the record that leaving writes and can export.
#pragma once

#include <QPixmap>
#include <array>
#include <cstdint>

#include "gamekit/GameConventions.h"
#include "ui/Forms.h"
#include "ui_kriket.h"

class QPushButton;
class QLabel;

class TForm_k : public ui::TForm, private Ui::TForm_k {
  Q_OBJECT
 public:
  explicit TForm_k(QWidget* parent = nullptr);

  // The window's controls, as tests reach them.
  Ui::TForm_k& Controls() { return *this; }
  // Segment button "SpeedButton" + s + "_" + m (s 15..21, m 1..3).
  QPushButton* SegmentButton(int s, int m) const;
  // Picture k (0 plain, 1, 2 marks, 3 closed) of target panel 1..7.
  QLabel* MarkImage(int panel, int k) const;

  std::int32_t Marks20 = 0, Marks19 = 0, Marks18 = 0, Marks17 = 0, Marks16 = 0, Marks15 = 0, MarksBull = 0;
  std::int32_t LegDarts = 0;
  std::int32_t VisitRow = 1;
  std::int32_t DartInVisit = 0;
  std::int32_t LegNumber = 0;
  std::int32_t LegsPlayed = 0;
  std::int32_t HistoryRow = 2;
  std::int32_t LegMisses = 0, LegSingles = 0, LegDoubles = 0, LegTrebles = 0;
  std::int32_t TotalMisses = 0, TotalSingles = 0, TotalDoubles = 0, TotalTrebles = 0;

 public slots:
  void SpeedButton20_1Click();
  void SpeedButton20_2Click();
  void SpeedButton20_3Click();
  void SpeedButton19_1Click();
  void SpeedButton19_2Click();
  void SpeedButton19_3Click();
  void SpeedButton18_1Click();
  void SpeedButton18_2Click();
  void SpeedButton18_3Click();
  void SpeedButton17_1Click();
  void SpeedButton17_2Click();
  void SpeedButton17_3Click();
  void SpeedButton16_1Click();
  void SpeedButton16_2Click();
  void SpeedButton16_3Click();
  void SpeedButton15_1Click();
  void SpeedButton15_2Click();
  void SpeedButton15_3Click();
  void SpeedButton21_1Click();  // "0", a miss
  void SpeedButton21_2Click();  // "25"
  void SpeedButton21_3Click();  // "50"
  void BitBtn1Click();          // new leg
  void BitBtn2Click();          // leave
  void BitBtn3Click();          // the dart-entry step every segment runs
  bool BitBtn4Click();          // export of the record

 protected:
  void FormShow() override;
  void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  static constexpr int kSegments = 21;
  // Index of a segment in the order the dart-entry step examines the flags:
  // 20 single, double, treble, 19, ..., 15, then "0", "25", "50".
  static int SegmentIndex(int s, int m) { return s == 21 ? 18 + (m - 1) : (20 - s) * 3 + (m - 1); }
  void SegmentClick(int s, int m);
  std::int32_t& MarksOf(int target);
  std::array<int, 7> AllMarks() const;
  void ShowMarks(int target);
  void SetAllSegments(bool enabled);
  void ShowPlainPictures();
  void WriteLegBlock();
  void WriteTotalsRow();
  bool WriteStatisticsFile();
  void ClearVisitRows();
  void ClearRecordRows();
  void SetRecordRow(int row, const QStringList& cells);

  gamekit::FunctionKeyMap keys_;
  std::array<bool, kSegments> flags_{};
  std::array<QPushButton*, kSegments> segments_{};
  int highestVisitRow_ = 0;   // rows past the grid's 150 are cleared as well
  int highestRecordRow_ = 0;  // likewise past the record's 2000
};

extern TForm_k* Form_k;
