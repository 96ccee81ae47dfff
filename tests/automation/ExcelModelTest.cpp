#include <sys/time.h>

#include <QThread>
#include <functional>
#include <limits>

#include "tests/automation/ExportFixture.h"

namespace {

using automation::EOleError;
using automation::VariantArray;

TEST_F(ExcelModelTest, VisibleWritesTheWorkbookOnceAndHandsItOver) {
  auto app = Excel();
  ExportSmallBlock(*app, OneCell("x"));
  ASSERT_EQ(started_.size(), 1u);
  EXPECT_EQ(started_[0], (QStringList{"calc-test", "-n", app->WrittenFile()}));
  const QFileInfo file(app->WrittenFile());
  EXPECT_TRUE(file.isFile());
  EXPECT_TRUE(file.dir().dirName().startsWith(automation::kExportFolderPrefix));
  EXPECT_EQ(QFileInfo(file.absolutePath()).absolutePath(), QFileInfo(tmp_.path()).absoluteFilePath());
  app->Visible(true);
  EXPECT_EQ(started_.size(), 1u);
}

TEST_F(ExcelModelTest, FailedStartRaisesAndLeavesNothing) {
  startSucceeds_ = false;
  auto app = Excel();
  EXPECT_THROW(ExportSmallBlock(*app, OneCell("x")), EOleError);
  ASSERT_EQ(started_.size(), 1u);
  EXPECT_TRUE(app->WrittenFile().isEmpty());
  EXPECT_TRUE(TempEntries().isEmpty());
  // Nothing to start at all: refused before anything is written.
  host_.spreadsheetProgram = {};
  automation::SetProgramFinder([](const QString&) { return QString(); });
  EXPECT_THROW(Excel(), EOleError);
  EXPECT_THROW(automation::CreateOleObject("Word.Application", host_), EOleError);
  EXPECT_TRUE(TempEntries().isEmpty());
}

// Sets a file's or folder's times to the given age.
void Age(const QString& path, int hours) {
  const time_t when = time(nullptr) - static_cast<time_t>(hours) * 3600;
  const timeval times[2] = {{when, 0}, {when, 0}};
  ASSERT_EQ(utimes(QFile::encodeName(path).constData(), times), 0) << path.toStdString();
}

TEST_F(ExcelModelTest, OldExportFoldersGoAtTheNextExport) {
  const QString book = QStringLiteral("Книга1.xlsx"), lock = QStringLiteral(".~lock.Книга1.xlsx#");
  struct Case {
    const char* folder;
    int hours;
    QStringList files;
    QStringList left;  // what stays; the folder goes when it is empty
  };
  const Case cases[] = {
      {"vantrel-export-a1b2c3", 49, {book}, {}},
      {"vantrel-export-empty0", 25, {}, {}},
      {"vantrel-export-fresh0", 23, {book}, {book}},
      {"vantrel-export-open00", 49, {book, lock}, {lock, book}},
      {"vantrel-export-mine00", 49, {book, "notes.txt"}, {"notes.txt"}},
      {"vantrel-other0", 49, {book}, {book}},
  };
  const QDir temp(tmp_.path());
  for (const Case& c : cases) {
    ASSERT_TRUE(temp.mkdir(c.folder));
    for (const QString& f : c.files) {
      QFile file(temp.filePath(QString(c.folder) + "/" + f));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    Age(temp.filePath(c.folder), c.hours);
  }
  // A link named like an export folder is not followed.
  ASSERT_TRUE(temp.mkdir("target"));
  QFile(temp.filePath("target/" + book)).open(QIODevice::WriteOnly);
  ASSERT_TRUE(QFile::link(temp.filePath("target"), temp.filePath("vantrel-export-link00")));
  Age(temp.filePath("target"), 49);

  auto app = Excel();
  ExportSmallBlock(*app, OneCell("x"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    EXPECT_EQ(temp.exists(c.folder), !c.left.isEmpty());
    EXPECT_EQ(QDir(temp.filePath(c.folder)).entryList(QDir::Files | QDir::Hidden), c.left);
  }
  EXPECT_TRUE(QFileInfo::exists(temp.filePath("target/" + book)));
  EXPECT_TRUE(QFileInfo::exists(app->WrittenFile()));
}

TEST_F(ExcelModelTest, SpreadsheetProgramIsLookedUpInOrder) {
  struct Case {
    const char* name;
    QStringList fromHost;
    const char* env;  // nullptr: unset
    QStringList onPath;
    QStringList expected;
  };
  const Case cases[] = {
      {"the host first", {"seam-calc"}, "other --x", {"libreoffice"}, {"seam-calc"}},
      {"the variable split like a shell",
       {},
       "\"/opt/my calc/calc\" --view",
       {"libreoffice", "/opt/my calc/calc"},
       {"/opt/my calc/calc", "--view"}},
      {"the variable names a missing program", {}, "no-such-calc --view", {"libreoffice", "xdg-open"}, {}},
      {"a blank variable is not a command", {}, "   ", {"xdg-open"}, {"/bin/xdg-open"}},
      {"LibreOffice first", {}, nullptr, {"xdg-open", "soffice", "libreoffice"}, {"/bin/libreoffice", "--calc", "-n"}},
      {"xdg-open last", {}, nullptr, {"xdg-open"}, {"/bin/xdg-open"}},
      {"nothing at all", {}, nullptr, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    automation::Host host;
    host.spreadsheetProgram = [&c] { return c.fromHost; };
    if (c.env) qputenv("VANTREL_SPREADSHEET", c.env);
    automation::SetProgramFinder(
        [&c](const QString& name) { return c.onPath.contains(name) ? "/bin/" + name : QString(); });
    EXPECT_EQ(automation::SpreadsheetCommand(host), c.expected);
    qunsetenv("VANTREL_SPREADSHEET");
  }
}

TEST_F(ExcelModelTest, TheRealStartHandsTheFileToTheProgram) {
  const QString copy = tmp_.filePath("opened.xlsx");
  // Copied under another name first, so the copy appears whole.
  host_.spreadsheetProgram = [copy] {
    return QStringList{"/bin/sh", "-c", "cp \"$0\" '" + copy + ".part' && mv '" + copy + ".part' '" + copy + "'"};
  };
  host_.startDetached = {};
  auto app = Excel();
  ExportSmallBlock(*app, OneCell("x"));
  for (int i = 0; i < 200 && !QFileInfo::exists(copy); ++i) QThread::msleep(50);
  QFile written(app->WrittenFile()), opened(copy);
  ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(opened.readAll(), written.readAll());
}

TEST_F(ExcelModelTest, CallsOutsideTheModelRaise) {
  using Step = std::function<void(automation::Application&)>;
  auto sheet = [](automation::Application& a) { return a.WorkSheets(1); };
  auto block = [sheet](automation::Application& a) { return sheet(a).GetRange("A1:C3"); };
  struct Case {
    const char* name;
    bool add;
    Step step;
  };
  const Case cases[] = {
      {"sheet before a workbook", false, [](automation::Application& a) { a.WorkSheets(1); }},
      {"second sheet", true, [](automation::Application& a) { a.WorkSheets(2); }},
      {"second workbook", true, [](automation::Application& a) { a.Workbooks().Add(); }},
      {"row 0", true, [sheet](automation::Application& a) { sheet(a).Cells(0, 1); }},
      {"column beyond XFD", true, [sheet](automation::Application& a) { sheet(a).Cells(1, 16385); }},
      {"row beyond the last", true, [sheet](automation::Application& a) { sheet(a).Cells(1048577, 1); }},
      {"address without a column", true, [sheet](automation::Application& a) { sheet(a).GetRange("12"); }},
      {"address backwards", true, [sheet](automation::Application& a) { sheet(a).GetRange("1A"); }},
      {"three corners", true, [sheet](automation::Application& a) { sheet(a).GetRange("A1:B2:C3"); }},
      {"empty address", true, [sheet](automation::Application& a) { sheet(a).GetRange(""); }},
      {"fill 57", true, [block](automation::Application& a) { block(a).Interior().ColorIndex(57); }},
      {"fill 0", true, [block](automation::Application& a) { block(a).Interior().ColorIndex(0); }},
      {"border colour 57", true, [block](automation::Application& a) { block(a).Borders(1).ColorIndex(57); }},
      {"border index 13", true, [block](automation::Application& a) { block(a).Borders(13); }},
      {"line style 3", true, [block](automation::Application& a) { block(a).Borders(2).LineStyle(3); }},
      {"weight 3", true, [block](automation::Application& a) { block(a).Borders(3).Weight(3); }},
      {"font size 0", true, [block](automation::Application& a) { block(a).Font().Size(0); }},
      {"alignment 99", true, [block](automation::Application& a) { block(a).HorizontalAlignment(99); }},
      {"vertical left", true, [block](automation::Application& a) { block(a).VerticalAlignment(-4131); }},
      {"width 256", true, [block](automation::Application& a) { block(a).ColumnWidth(256); }},
      {"whole sheet", true,
       [sheet](automation::Application& a) {
         auto s = sheet(a);
         s.GetRange(s.Cells(1, 1), s.Cells(1048576, 16384)).Font().Bold(true);
       }},
      {"array beyond its bounds", false, [](automation::Application&) { VariantArray(1, 2).Set(2, 0, "x"); }},
      {"array bounds overflow", false,
       [](automation::Application&) { VariantArray(std::numeric_limits<int>::max(), 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto app = Excel();
    if (c.add) app->Workbooks().Add();
    EXPECT_THROW(c.step(*app), EOleError);
  }
}

TEST_F(ExcelModelTest, AddressesAreNormalised) {
  const std::pair<const char*, const char*> cases[] = {{"J2:j3", "J2:J3"},     {"c3:a1", "A1:C3"},
                                                       {"B7", "B7:B7"},        {"aa10:ab11", "AA10:AB11"},
                                                       {" D4 : E5 ", "D4:E5"}, {"XFD1048576", "XFD1048576:XFD1048576"}};
  auto app = Excel();
  app->Workbooks().Add();
  automation::Worksheet sheet = app->WorkSheets(1);
  for (const auto& [given, address] : cases) EXPECT_EQ(sheet.GetRange(given).Address(), QString(address)) << given;
  EXPECT_EQ(sheet.GetRange(sheet.Cells(5, 28), sheet.Cells(2, 1)).Address(), QString("A2:AB5"));
}

}  // namespace
