#include <signal.h>
#include <sys/time.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <functional>
#include <limits>

#include "tests/automation/ExportFixture.h"

namespace {

using automation::EOleError;

// The workbook is written once, in an export folder of its own under the temp
// folder, and handed to the program; a failed start raises and leaves nothing,
// and with nothing to start, nothing is written.
TEST_F(ExcelModelTest, VisibleWritesTheWorkbookOnceAndHandsItOver) {
  auto app = Excel();
  ExportOneCell(*app);
  app->Visible(true);
  ASSERT_EQ(started_, (std::vector<QStringList>{{"calc-test", "-n", app->WrittenFile()}}));
  const QFileInfo file(app->WrittenFile());
  EXPECT_TRUE(file.isFile() && file.dir().dirName().startsWith(automation::kExportFolderPrefix));
  EXPECT_EQ(QFileInfo(file.absolutePath()).absolutePath(), QFileInfo(tmp_.path()).absoluteFilePath());

  QDir(file.absolutePath()).removeRecursively();
  startSucceeds_ = false;
  app = Excel();
  EXPECT_THROW(ExportOneCell(*app), automation::EStartError);
  EXPECT_EQ(started_.size(), 2u);
  EXPECT_TRUE(app->WrittenFile().isEmpty());
  host_.spreadsheetProgram = {};
  automation::seams().findProgram = [](const QString&) { return QString(); };
  EXPECT_THROW(Excel(), EOleError);
  EXPECT_THROW(automation::CreateOleObject("Word.Application", host_), EOleError);
  EXPECT_TRUE(QDir(tmp_.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

// Export folders older than a day go at the next export: the workbook, then
// the folder when nothing else is left in it. A folder the spreadsheet program
// still has open (its lock file) stays whole; a link is not followed.
TEST_F(ExcelModelTest, OldExportFoldersGoAtTheNextExport) {
  const QString book = QStringLiteral("Книга1.xlsx"), lock = QStringLiteral(".~lock.Книга1.xlsx#");
  const struct { const char* folder; int hours; QStringList files, left; } cases[] = {
               {"vantrel-export-a1b2c3", 49, {book}, {}},
               {"vantrel-export-empty0", 25, {}, {}},
               {"vantrel-export-fresh0", 23, {book}, {book}},
               {"vantrel-export-open00", 49, {book, lock}, {lock, book}},
               {"vantrel-export-mine00", 49, {book, "notes.txt"}, {"notes.txt"}},
               {"vantrel-other0", 49, {book}, {book}},
               {"target", 49, {book}, {book}}};
  const QDir temp(tmp_.path());
  for (const auto& c : cases) {
    ASSERT_TRUE(temp.mkdir(c.folder));
    for (const QString& f : c.files) QFile(temp.filePath(QString(c.folder) + "/" + f)).open(QIODevice::WriteOnly);
    const time_t when = time(nullptr) - static_cast<time_t>(c.hours) * 3600;
    const timeval times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(utimes(QFile::encodeName(temp.filePath(c.folder)).constData(), times), 0);
  }
  ASSERT_TRUE(QFile::link(temp.filePath("target"), temp.filePath("vantrel-export-link00")));
  auto app = Excel();
  ExportOneCell(*app);
  for (const auto& c : cases) {
    EXPECT_EQ(temp.exists(c.folder), !c.left.isEmpty()) << c.folder;
    EXPECT_EQ(QDir(temp.filePath(c.folder)).entryList(QDir::Files | QDir::Hidden), c.left) << c.folder;
  }
  EXPECT_TRUE(QFileInfo::exists(app->WrittenFile()));
}

TEST_F(ExcelModelTest, SpreadsheetProgramIsLookedUpInOrder) {
  // clang-format off
  const struct { const char* name; QStringList fromHost; const char* env; QStringList onPath, expected; } cases[] = {
      {"the host first", {"seam-calc"}, "other --x", {"libreoffice"}, {"seam-calc"}},
      {"the variable split like a shell", {}, "\"/opt/my calc/calc\" --view", {"libreoffice", "/opt/my calc/calc"},
       {"/opt/my calc/calc", "--view"}},
      {"the variable names a missing program", {}, "no-such-calc --view", {"libreoffice", "xdg-open"}, {}},
      {"a blank variable is not a command", {}, "   ", {"xdg-open"}, {"/bin/xdg-open"}},
      {"LibreOffice first", {}, nullptr, {"xdg-open", "soffice", "libreoffice"}, {"/bin/libreoffice", "--calc", "-n"}},
      {"nothing at all", {}, nullptr, {}, {}}};
  // clang-format on
  for (const auto& c : cases) {
    automation::Host host;
    host.spreadsheetProgram = [&c] { return c.fromHost; };
    if (c.env) qputenv("VANTREL_SPREADSHEET", c.env);
    automation::seams().findProgram = [&c](const QString& p) { return c.onPath.contains(p) ? "/bin/" + p : ""; };
    EXPECT_EQ(automation::SpreadsheetCommand(host), c.expected) << c.name;
    qunsetenv("VANTREL_SPREADSHEET");
  }
}

// A program that ends with an error within the watch did not start; one that
// ends well or runs on did. None is stopped, and none is left to reap.
TEST(StartWatchedTest, AProgramFailingAtOnceIsNotStarted) {
  QTemporaryDir dir;
  const QString pidFile = dir.filePath("pid");
  const struct { QString program; QStringList args; bool started; } cases[] = {{"/bin/false", {}, false},
               {"sh", {"-c", "exit 3"}, false},
               {"sh", {"-c", "kill -9 $$"}, false},
               {"no-such-program-here", {}, false},
               {dir.path(), {}, false},
               {"true", {}, true},
               {"sh", {"-c", "echo $$ > '" + pidFile + "'; exec sleep 60"}, true}};
  for (const auto& c : cases) {
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(automation::StartWatched(c.program, c.args), c.started) << c.program.toStdString();
    EXPECT_LT(timer.elapsed(), 5000);
  }
  // The program still running goes on, no longer a child of this process.
  pid_t running = 0;
  for (int i = 0; i < 500 && running <= 0; ++i, usleep(10000))
    running = testing_support::ReadAll(pidFile).trimmed().toInt();
  ASSERT_GT(running, 0);
  EXPECT_EQ(kill(running, 0), 0);
  QStringList children;  // "pid state" of every process whose parent is this one
  for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
    const QByteArray stat = testing_support::ReadAll("/proc/" + entry + "/stat");
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() > 1 && fields[1].toInt() == getpid()) children << entry + " " + fields[0];
  }
  EXPECT_TRUE(children.isEmpty()) << children.join(", ").toStdString();
  kill(running, SIGKILL);
}

// Calls the spreadsheet program would refuse raise; addresses are normalised.
TEST_F(ExcelModelTest, CallsOutsideTheModelRaise) {
  using App = automation::Application;
  const auto block = [](App& a) { return a.WorkSheets(1).GetRange("A1:C3"); };
  const auto sheet = [](App& a) { return a.WorkSheets(1); };
  // clang-format off
  const std::function<void(App&)> cases[] = {
      [](App& a) { a.WorkSheets(2); },                 [](App& a) { a.Workbooks().Add(); },
      [sheet](App& a) { sheet(a).Cells(0, 1); },       [sheet](App& a) { sheet(a).Cells(1, 16385); },
      [sheet](App& a) { sheet(a).Cells(1048577, 1); }, [sheet](App& a) { sheet(a).GetRange("1A"); },
      [sheet](App& a) { sheet(a).GetRange("A1:B2:C3"); }, [sheet](App& a) { sheet(a).GetRange(""); },
      [block](App& a) { block(a).Interior().ColorIndex(57); }, [block](App& a) { block(a).Borders(1).ColorIndex(57); },
      [block](App& a) { block(a).Borders(13); },       [block](App& a) { block(a).Borders(2).LineStyle(3); },
      [block](App& a) { block(a).Borders(3).Weight(3); }, [block](App& a) { block(a).Font().Size(0); },
      [block](App& a) { block(a).HorizontalAlignment(99); }, [block](App& a) { block(a).ColumnWidth(256); },
      [sheet](App& a) { sheet(a).PageSetup().Orientation(3); }, [sheet](App& a) { sheet(a).PageSetup().Zoom(9); },
      [sheet](App& a) { sheet(a).PageSetup().Zoom(true); }, [sheet](App& a) { sheet(a).PageSetup().FitToPagesTall(0); },
      [sheet](App& a) { sheet(a).GetRange(sheet(a).Cells(1, 1), sheet(a).Cells(1048576, 16384)).Font().Bold(true); },
      [](App&) { automation::VariantArray(1, 2).Set(2, 0, "x"); },
      [](App&) { automation::VariantArray(std::numeric_limits<int>::max(), 0); }};
  // clang-format on
  auto app = Excel();
  EXPECT_THROW(app->WorkSheets(1), EOleError);  // before a workbook
  app->Workbooks().Add();
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_THROW(cases[i](*app), EOleError) << "case " << i;

  const std::pair<const char*, const char*> addresses[] = {
      {"c3:a1", "A1:C3"}, {"B7", "B7:B7"}, {" aa10 : ab11 ", "AA10:AB11"}, {"XFD1048576", "XFD1048576:XFD1048576"}};
  for (const auto& [given, address] : addresses) EXPECT_EQ(app->WorkSheets(1).GetRange(given).Address(), address);
  automation::Worksheet first = app->WorkSheets(1);
  EXPECT_EQ(first.GetRange(first.Cells(3, 2), first.Cells(1, 1)).Address(), "A1:B3");
}

}  // namespace
