// What every game window shares: the statistics file written on leaving, the
// exit questions, the function-key map and the exit sequence.
#pragma once

#include <QAbstractButton>
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace automation {
class Application;
class Range;
}  // namespace automation

namespace gamekit {

// "yyyy.mm.dd - hh:mm:ss:nn" of now ("nn" repeats the minutes).
QString StampText();
QString StampText(const QDateTime& when);

// <current directory>/<folder>/yyyymmdd_hhmmss_<folder>.csv, cut from the stamp.
QString StatisticsFileName(const QString& stamp, const QString& folder);

// A statistics file: Windows-1251, every cell followed by ";", CR LF after every
// line, written whole. A character without a Windows-1251 form is written as "?".
class StatisticsFile {
 public:
  explicit StatisticsFile(const QString& folder);  // takes the stamp now
  const QString& Stamp() const { return stamp_; }
  QString FileName() const;
  // A line written as it stands (cells already followed by ";", or the stamp).
  void AddRawLine(const QString& line);
  // Writes the file whole: into a temporary file in the game's folder (made
  // again when it is missing), checked, then given its name without replacing
  // anything. When the name is taken (an earlier exit in the same second,
  // another copy of the program) the file gets "_2", "_3", ... before ".csv".
  // A file that cannot be written is reported in a message that names it and
  // the reason; then nothing is left under its name and false is returned.
  bool Write();
  // The name the file was written under; empty until it was written.
  const QString& WrittenName() const { return written_; }
  QByteArray Bytes() const;

 private:
  QString folder_;
  QString stamp_;
  QStringList lines_;
  QString written_;
};

// The message of a statistics file that could not be written: the file and
// the reason (an errno value) in words.
QString WriteFailureText(const QString& fileName, int error);

// Texts in Windows-1251 ("?" for what has no form there).
QByteArray ToCp1251(const QString& text);

// Creates the spreadsheet program's automation object ("Excel.Application")
// with the program's seams: the user's decimal separator, the spreadsheet
// program and the way of starting it. When it cannot be created, shows the
// error box "Невозможно запустить Excel" with the caption "Ошибка" and returns
// null: the export ends there. Later automation errors are not caught here.
std::shared_ptr<automation::Application> StartSpreadsheet();

// Makes the application visible: the workbook goes to the spreadsheet program.
// A program that cannot be started or fails at once gets the same error box as
// above, and false is returned. Other automation errors travel on.
bool ShowSpreadsheet(automation::Application& excel);

// The borders of an export block: for each index 1 to 4, Borders(index) with
// LineStyle 1, Weight 2 and ColorIndex 0, in that order (a full thin grid).
void GridBorders(automation::Range& block);

// The Yes/No/Cancel exit question; returns ui::mrYes, ui::mrNo or ui::mrCancel.
int ExitConfirmDialog();
// The Yes/No exit question; returns ui::mrYes or ui::mrNo.
int ExitYesNoDialog();

extern const char* const kExitConfirmText;
extern const char* const kExitYesNoText;

// A window's table of function keys and the buttons they press, in order. A key
// runs the first enabled button of its list, and the test ends there.
class FunctionKeyMap {
 public:
  struct Entry {
    int key;
    std::vector<QAbstractButton*> buttons;
  };
  FunctionKeyMap() = default;
  FunctionKeyMap(std::initializer_list<Entry> entries);
  void Add(int key, std::vector<QAbstractButton*> buttons);
  // Returns true when a button was clicked.
  bool Handle(int key) const;

 private:
  std::vector<Entry> entries_;  // F10 is tested first
};

}  // namespace gamekit
