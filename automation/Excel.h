// The spreadsheet program reached through automation, as a typed object model
// named after the automation members. "Excel.Application" is served by a
// workbook model that, when made visible, writes the workbook as an .xlsx file
// and opens it with the user's spreadsheet program. Needs Qt Core only: what it
// takes from the program (decimal separator, spreadsheet command, process
// start) comes in a Host.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "automation/XlConstants.h"

namespace automation {

// An automation call failed (the class library's OLE error).
class EOleError : public std::runtime_error {
 public:
  explicit EOleError(const QString& msg) : std::runtime_error(msg.toStdString()) {}
};

// The spreadsheet program could not be started, or it ended with an error at
// once: the workbook never reached it.
class EStartError : public EOleError {
 public:
  using EOleError::EOleError;
};

// A two-dimensional array of variants with bounds [0..rows, 0..cols]; elements
// that are not filled stay empty.
class VariantArray {
 public:
  VariantArray(int highRow, int highCol);  // bounds 0..highRow, 0..highCol
  void Set(int row, int col, const QString& text);
  const std::optional<QString>& At(int row, int col) const;
  int HighRow() const { return highRow_; }
  int HighCol() const { return highCol_; }

 private:
  int highRow_, highCol_;
  std::vector<std::optional<QString>> items_;
};

// A call made on the object model, as told to seams().called: the member, its
// arguments and the value assigned.
struct Call {
  QString object;     // the object the member belongs to: "", "Workbooks", "Range(A1:K3).Borders(1)"
  QString member;     // "Workbooks", "Add", "WorkSheets", "Range", "Cells", "ColumnWidth", ...
  QVariantList args;  // e.g. Cells (1, 11), Borders (3), Range ("A1:K3")
  QVariant value;     // for property assignments; an array as rows of variants
};

class Workbook;  // the model behind the objects
struct CallTarget;
struct CellRef {
  int row = 1, col = 1;
};

class Interior;
class Font;
class Border;

// A rectangular block of cells.
class Range {
 public:
  Range(std::shared_ptr<Workbook> wb, int row1, int col1, int row2, int col2);
  void ColumnWidth(double characters);
  automation::Interior Interior();
  automation::Font Font();
  void HorizontalAlignment(int xl);
  void VerticalAlignment(int xl);
  void Merge();
  automation::Border Borders(int index);  // 1 left, 2 right, 3 top, 4 bottom edge of every cell
  void Value(const VariantArray& array);
  QString Address() const;  // "A1:K3"

 private:
  friend class Interior;
  friend class Font;
  friend class Border;
  CallTarget Target(int kind = 0, int index = 0) const;
  std::shared_ptr<Workbook> wb_;
  int r1_, c1_, r2_, c2_;
};

class Interior {
 public:
  explicit Interior(Range r) : range_(std::move(r)) {}
  void ColorIndex(int index);

 private:
  Range range_;
};

class Font {
 public:
  explicit Font(Range r) : range_(std::move(r)) {}
  void Size(double points);
  void Bold(bool on);

 private:
  Range range_;
};

class Border {
 public:
  Border(Range r, int index) : range_(std::move(r)), index_(index) {}
  void LineStyle(int style);
  void Weight(int weight);
  void ColorIndex(int index);

 private:
  Range range_;
  int index_;
};

// How the worksheet is printed.
class PageSetup {
 public:
  explicit PageSetup(std::shared_ptr<Workbook> wb) : wb_(std::move(wb)) {}
  void Orientation(int xl);  // xlPortrait or xlLandscape
  // A scale of 10 to 400 percent, or false: the sheet is scaled to the pages
  // given by FitToPagesWide and FitToPagesTall.
  void Zoom(int percent);
  void Zoom(bool on);
  void FitToPagesWide(int pages);
  void FitToPagesTall(int pages);

 private:
  std::shared_ptr<Workbook> wb_;
};

class Worksheet {
 public:
  explicit Worksheet(std::shared_ptr<Workbook> wb) : wb_(std::move(wb)) {}
  automation::PageSetup PageSetup();
  // A corner for GetRange; not recorded on its own (see GetRange).
  CellRef Cells(int row, int col);
  // The worksheet's Range(Cells, Cells), recorded as
  // "WorkSheets(1).Range(Cells(1, 1), Cells(3, 11))".
  Range GetRange(CellRef a, CellRef b);
  Range GetRange(const QString& a1);  // "A2:A3", also "J2:j3"

 private:
  std::shared_ptr<Workbook> wb_;
};

class Workbooks {
 public:
  explicit Workbooks(std::shared_ptr<Workbook> wb) : wb_(std::move(wb)) {}
  void Add();

 private:
  std::shared_ptr<Workbook> wb_;
};

// The application object.
class Application {
 public:
  explicit Application(std::shared_ptr<Workbook> wb) : wb_(std::move(wb)) {}
  automation::Workbooks Workbooks();
  Worksheet WorkSheets(int index);
  // Made visible: the workbook is written and opened in the spreadsheet program.
  void Visible(bool on);
  // The .xlsx file written when made visible (empty before).
  QString WrittenFile() const;

 private:
  std::shared_ptr<Workbook> wb_;
};

// What the automation object takes from the program around it. A member left
// empty takes its default.
struct Host {
  // How the texts assigned to cells write numbers ("167,00"); default: the
  // user's locale.
  QChar decimalSeparator;
  // The spreadsheet program's command; an empty list means look it up.
  std::function<QStringList()> spreadsheetProgram;
  // Starts a command detached; false when it cannot be started or fails at
  // once. Default: StartWatched.
  std::function<bool(const QString& program, const QStringList& args)> startDetached;
};

// How long a started spreadsheet program is watched: one that ends with an
// error within this time has failed to start.
inline constexpr int kStartWatchMs = 250;

// Starts a program detached from this one, in a session of its own, and
// watches it for at most kStartWatchMs. False when it cannot be started or
// ends with an error (an exit code other than 0, or a signal) within that
// time; true when it ends with 0 (a command that hands the file on) or is
// still running. It is never stopped, and nothing of it is left to reap.
bool StartWatched(const QString& program, const QStringList& args);

// Creates the automation object of a programmatic identifier. Only
// "Excel.Application" is known; it fails (EOleError) when no spreadsheet
// program can be found. Made visible, the application raises EStartError when
// the program cannot be started or fails at once.
std::shared_ptr<Application> CreateOleObject(const QString& progId, Host host = {});

// The spreadsheet program's command: the host's, else VANTREL_SPREADSHEET
// (split like a shell word list, the file's path added as its last argument),
// else LibreOffice Calc, else xdg-open. Empty when none can be found, also when
// the variable names a program that is not there.
QStringList SpreadsheetCommand(const Host& host = {});

// Workbooks are written into folders of their own under the temp folder, named
// with this prefix; such folders older than a day are removed at the next
// export.
inline constexpr char kExportFolderPrefix[] = "vantrel-export-";

// Where tests stand in for the search path and watch the object model, in one
// place. The program leaves every member empty: programs are found on PATH, and
// no call is told to anyone, so an export records nothing and keeps nothing.
struct Seams {
  // Finds a program: its full path, empty when missing.
  std::function<QString(const QString& name)> findProgram;
  // Told of each application object created, before any call is made on it.
  std::function<void(const std::shared_ptr<Application>& app)> created;
  // Told of each call made on an object model, in order, before it takes effect
  // (a call refused with EOleError is told too).
  std::function<void(const Call& call)> called;
};
Seams& seams();  // `automation::seams() = {}` puts the program's own back

}  // namespace automation
