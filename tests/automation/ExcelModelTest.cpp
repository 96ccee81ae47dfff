// The spreadsheet model: the export folders and the program started, calls
// the spreadsheet program would refuse, and the workbook written.
#include <signal.h>
#include <sys/time.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>
#include <functional>
#include <limits>

#include "automation/Excel.h"
#include "gamekit/GameConventions.h"
#include "tests/support/Exports.h"
#include "tests/support/TestSupport.h"

namespace {

using automation::EOleError;

automation::VariantArray OneCell(const QString& text) {
  automation::VariantArray array(0, 0);
  array.Set(0, 0, text);
  return array;
}

// Each test has export folders of its own; what would be started is recorded.
class ExcelModelTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    qunsetenv("VANTREL_SPREADSHEET");
    qputenv("TMPDIR", QFile::encodeName(tmp_.path()));
    host_.decimalSeparator = QChar(',');
    host_.spreadsheetProgram = [] { return QStringList{"calc-test", "-n"}; };
    host_.startDetached = [this](const QString& program, const QStringList& args) {
      started_.push_back(QStringList{program} + args);
      return startSucceeds_;
    };
  }
  void TearDown() override {
    automation::seams() = {};
    qputenv("TMPDIR", oldTmp_);
    SeamsFixture::TearDown();
  }
  std::shared_ptr<automation::Application> Excel() { return automation::CreateOleObject("Excel.Application", host_); }
  // A window's export of one cell: workbook, sheet, borders, value, visible.
  void ExportOneCell(automation::Application& app) {
    app.Workbooks().Add();
    automation::Range block = app.WorkSheets(1).GetRange("A1");
    gamekit::GridBorders(block);
    block.Value(OneCell("x"));
    app.Visible(true);
  }

  const QByteArray oldTmp_ = qgetenv("TMPDIR");
  QTemporaryDir tmp_;
  automation::Host host_;
  std::vector<QStringList> started_;
  bool startSucceeds_ = true;
};

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

// The written workbook read back with an independent reader, under a locale
// that writes numbers with a decimal comma.
// Texts as a window assigns them under a decimal comma, and what a spreadsheet
// shows of each: a plain number under the separator becomes a number cell with
// as many decimals as written; a leading zero, blanks, signs, a point or too
// many digits to keep leave it text.
// clang-format off
const struct { const char* text; double value; const char* format; } kNumbers[] = {
    {"9", 9, "0"}, {"-5", -5, "0"}, {"167,00", 167, "0.00"}, {"55,67", 55.67, "0.00"}, {"0,5", 0.5, "0.0"},
    {"123456789012345", 123456789012345, "0"}, {"1234567890,12345", 1234567890.12345, "0.00000"}};
const char* const kTexts[] = {"05", "   ---", "Х(2)", "55.67", "-0", "1 000", "+3", "12,", ",5", "5,5,5", "-05",
                              "1e5", "٣", "Средн.", "1234567890123456", "1234567890,123456"};
// clang-format on
constexpr int kNumberCount = std::size(kNumbers), kAssigned = kNumberCount + std::size(kTexts);

TEST_F(ExcelModelTest, WorkbookWrittenUnderARussianLocaleReadsBackAsAsked) {
  // The C library's locale set to Russian for the whole process, as Qt sets it
  // from the environment of a Russian user.
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const auto restore = qScopeGuard([&previous] { std::setlocale(LC_ALL, previous.c_str()); });
  ASSERT_TRUE(std::setlocale(LC_ALL, "ru_RU.UTF-8")) << "the locale is missing (scripts/install-deps.sh makes it)";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%g", 0.5);
  ASSERT_STREQ(probe, "0,5");  // the fault this guards against is live

  // A window's export through the program's start with its seams: a 5 x 6
  // array poured into a 4 x 4 block (the rest is ignored), merges, fills,
  // fonts, borders and widths, and the texts above in column J.
  ui::seams().decimalSeparator = QChar(',');
  ui::seams().spreadsheetProgram = [] { return QStringList{"calc-test"}; };
  ui::seams().startDetached = [](const QString&, const QStringList&) { return true; };
  auto app = gamekit::StartSpreadsheet();
  ASSERT_TRUE(app);
  automation::VariantArray big(4, 5), assigned(kAssigned - 1, 0);
  for (int r = 0; r <= 4; ++r)
    for (int c = 0; c <= 5; ++c)
      if ((r + c) % 3 != 2) big.Set(r, c, QString("т%1%2").arg(r).arg(c));
  big.Set(2, 0, "3");  // the top of a merge, read as a number
  for (int i = 0; i < kAssigned; ++i)
    assigned.Set(i, 0, QString::fromUtf8(i < kNumberCount ? kNumbers[i].text : kTexts[i - kNumberCount]));
  app->Workbooks().Add();
  automation::Worksheet sheet = app->WorkSheets(1);
  automation::Range block = sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(4, 4));
  sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(1, 1)).ColumnWidth(5.7109375);
  sheet.GetRange("C1:d1").ColumnWidth(12.5);
  sheet.GetRange("A1:D1").Interior().ColorIndex(6);
  sheet.GetRange("A3:D3").Interior().ColorIndex(3);
  sheet.GetRange("D3:D3").Interior().ColorIndex(automation::xlNone);
  sheet.GetRange("A1:D1").Font().Size(14);
  sheet.GetRange("A1:D1").Font().Bold(true);
  block.HorizontalAlignment(automation::xlCenter);
  block.VerticalAlignment(automation::xlCenter);
  sheet.GetRange("B1:C1").Merge();
  sheet.GetRange("F2:F3").Merge();
  sheet.GetRange("F2").Interior().ColorIndex(32);  // colours the merged pair as a whole
  sheet.GetRange("A3:A4").Merge();
  gamekit::GridBorders(block);
  sheet.GetRange("F5:F5").Borders(4).Weight(automation::xlMedium);
  sheet.GetRange("F5:F5").Borders(4).ColorIndex(3);
  sheet.GetRange("B5:C5").Value(OneCell("л"));  // before what the row holds
  sheet.GetRange("H1").Interior().ColorIndex(1);  // black and white are colours too, not "no colour"
  sheet.GetRange("H1").Borders(4).ColorIndex(1);
  sheet.GetRange("H2").Interior().ColorIndex(2);
  block.Value(big);
  sheet.GetRange("E2:F3").Value(OneCell("old"));
  sheet.GetRange("E1:F3").Value(OneCell("e"));  // a smaller array empties the rest
  sheet.GetRange(sheet.Cells(1, 10), sheet.Cells(kAssigned, 10)).Value(assigned);
  sheet.PageSetup().Orientation(automation::xlLandscape);
  sheet.PageSetup().Zoom(80);
  app->Visible(true);
  std::snprintf(probe, sizeof probe, "%g", 0.5);
  EXPECT_STREQ(probe, "0,5");  // the locale is back as it was

  const QJsonObject book = testing_support::ReadWorkbook(app->WrittenFile());
  ASSERT_FALSE(book.isEmpty());
  const QJsonObject cells = book["cells"].toObject(), raw = book["raw"].toObject();
  auto cell = [&cells](const QString& name) { return cells[name].toObject(); };
  for (int i = 0; i < kAssigned; ++i) {
    const QJsonObject got = cell("J" + QString::number(i + 1));
    if (i < kNumberCount) {
      EXPECT_EQ(got["type"].toString() + got["format"].toString(), QString("n") + kNumbers[i].format) << i;
      EXPECT_DOUBLE_EQ(got["value"].toDouble(), kNumbers[i].value) << i;
    } else {
      EXPECT_EQ(got["type"].toString() + got["value"].toString(), "s" + QString::fromUtf8(kTexts[i - kNumberCount]));
    }
  }
  EXPECT_EQ(book["merges"].toArray(), (QJsonArray{"A3:A4", "B1:C1", "F2:F3"}));
  EXPECT_EQ(cell("A3")["type"].toString(), "n");
  // Covered cells take the fill of their merge and keep their own borders.
  for (const auto& [name, fill] :
       {std::pair{"F3", "FF0000FF"}, {"C1", "FFFFFF00"}, {"A4", "FFFF0000"}, {"H1", "FF000000"}, {"H2", "FFFFFFFF"}})
    EXPECT_EQ(raw[name].toObject()["fill"].toString(), fill) << name;
  for (const char* edge : {"left", "right", "top", "bottom"}) EXPECT_EQ(raw["C1"].toObject()[edge], "thin") << edge;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      const QString name = QString(QChar('A' + c)) + QString::number(r + 1);
      SCOPED_TRACE(name.toStdString());
      const QJsonObject got = cell(name);
      if (got["covered"].toBool()) continue;
      EXPECT_EQ(got["value"].toVariant().toString(), big.At(r, c).value_or(QString()));
      EXPECT_EQ(got["bold"].toBool(), r == 0);
      EXPECT_EQ(got["size"].toDouble(), r == 0 ? 14 : 11);
      EXPECT_EQ(got["h"].toString() + got["v"].toString(), "centercenter");
      for (const char* edge : {"left", "right", "top", "bottom"})
        EXPECT_EQ(got[edge].toArray(), QJsonArray({"thin", "auto"}));
      EXPECT_EQ(got["fill"].toString(), QString(r == 0 ? "FFFFFF00" : (r == 2 && c < 3) ? "FFFF0000" : ""));
    }
  }
  for (const char* empty : {"E4", "A5", "F1", "E2", "E3"}) EXPECT_TRUE(cell(empty)["value"].isNull()) << empty;
  EXPECT_EQ(cell("E1")["value"].toString() + cell("B5")["value"].toString(), QString("eл"));
  EXPECT_EQ(cell("F5")["bottom"].toArray(), (QJsonArray{"medium", "FFFF0000"}));
  EXPECT_TRUE(cell("F5")["top"].isNull());
  EXPECT_EQ(cell("H1")["bottom"].toArray(), (QJsonArray{"thin", "FF000000"}));
  for (const auto& [column, asked] : {std::pair{"A", 5.7109375}, {"D", 12.5}})  // and less than a character more
    EXPECT_NEAR(book["widths"][column].toDouble(), asked + 0.5, 0.5) << column;
  EXPECT_FALSE(book["widths"].toObject().contains("B"));
  EXPECT_EQ(book["page"].toObject(), (QJsonObject{{"orientation", "landscape"}, {"scale", 80}, {"fit", QJsonValue()}}));
}

}  // namespace
