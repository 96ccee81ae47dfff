#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <limits>
#include <optional>

#include "gamekit/GameConventions.h"
#include "automation/Excel.h"
#include "tests/automation/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"

namespace {

using automation::EOleError;
using automation::VariantArray;
using testing_support::SeamsFixture;

struct Started {
  QString program;
  QStringList args;
};

// Keeps the temporary folder of the workbooks to itself and records what would
// be started instead of starting it.
class ExcelModelTest : public SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    oldTmp_ = qgetenv("TMPDIR");
    hadTmp_ = qEnvironmentVariableIsSet("TMPDIR");
    oldSheet_ = qgetenv("VANTREL_SPREADSHEET");
    hadSheet_ = qEnvironmentVariableIsSet("VANTREL_SPREADSHEET");
    qunsetenv("VANTREL_SPREADSHEET");
    qputenv("TMPDIR", tmp_.path().toLocal8Bit());
    ui::seams().spreadsheetProgram = [] { return QStringList{"calc-test", "-n"}; };
    ui::seams().startDetached = [this](const QString& program, const QStringList& args) {
      started_.push_back(Started{program, args});
      return startSucceeds_;
    };
  }
  void TearDown() override {
    automation::SetProgramFinder({});
    if (hadTmp_) {
      qputenv("TMPDIR", oldTmp_);
    } else {
      qunsetenv("TMPDIR");
    }
    if (hadSheet_) qputenv("VANTREL_SPREADSHEET", oldSheet_);
    SeamsFixture::TearDown();
  }
  QStringList TempEntries() const {
    return QDir(tmp_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  }

  QTemporaryDir tmp_;
  std::vector<Started> started_;
  bool startSucceeds_ = true;

 private:
  QByteArray oldTmp_, oldSheet_;
  bool hadTmp_ = false, hadSheet_ = false;
};

// The export sequence a window runs: application, array, workbook, sheet, block,
// formatting, borders, value, visible.
void ExportSmallBlock(automation::Application& app, const VariantArray& array) {
  app.Workbooks().Add();
  automation::Worksheet sheet = app.WorkSheets(1);
  automation::Range block = sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(3, 2));
  sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(1, 1)).ColumnWidth(5);
  sheet.GetRange("B1:b1").Interior().ColorIndex(15);
  gamekit::GridBorders(block);
  block.Value(array);
  app.Visible(true);
}

TEST_F(ExcelModelTest, ExportRecordsEveryCallInOrderAndOpensTheFile) {
  ui::ScriptedMessages messages;
  std::shared_ptr<automation::Application> app = gamekit::StartSpreadsheet();
  ASSERT_TRUE(app);
  EXPECT_EQ(automation::LastApplication(), app);
  VariantArray array(2, 1);
  array.Set(0, 0, "Лег");
  array.Set(0, 1, "Очки");
  array.Set(2, 1, "0,00");
  ExportSmallBlock(*app, array);

  QStringList expected{"Workbooks",
                       "Workbooks.Add",
                       "WorkSheets(1)",
                       "WorkSheets(1).Range(Cells(1, 1), Cells(3, 2))",
                       "WorkSheets(1).Range(Cells(1, 1), Cells(1, 1))",
                       "Range(A1:A1).ColumnWidth = 5",
                       "WorkSheets(1).Range(B1:b1)",
                       "Range(B1:B1).Interior.ColorIndex = 15"};
  for (int i = 1; i <= 4; ++i) {
    const QString border = QString("Range(A1:B3).Borders(%1)").arg(i);
    expected << border << border + ".LineStyle = 1" << border + ".Weight = 2" << border + ".ColorIndex = 0";
  }
  expected << "Range(A1:B3).Value = [3x2]"
           << "Visible = True";
  QStringList described;
  for (const automation::Call& call : app->Calls()) described << call.Describe();
  EXPECT_EQ(described, expected);

  // The array travels whole, its empty elements as empty variants.
  const automation::Call& value = app->Calls()[app->Calls().size() - 2];
  const QVariantList rows = value.value.toList();
  ASSERT_EQ(rows.size(), 3);
  EXPECT_EQ(rows[0].toList()[1].toString(), QString("Очки"));
  EXPECT_FALSE(rows[1].toList()[0].isValid());
  EXPECT_EQ(rows[2].toList()[1].toString(), QString("0,00"));

  ASSERT_EQ(started_.size(), 1u);
  EXPECT_EQ(started_[0].program, QString("calc-test"));
  ASSERT_EQ(started_[0].args.size(), 2);
  EXPECT_EQ(started_[0].args[0], QString("-n"));
  EXPECT_EQ(started_[0].args[1], app->WrittenFile());
  const QFileInfo file(app->WrittenFile());
  EXPECT_TRUE(file.isFile());
  EXPECT_EQ(file.suffix(), QString("xlsx"));
  EXPECT_EQ(QFileInfo(file.absolutePath()).absolutePath(), QFileInfo(tmp_.path()).absoluteFilePath());
  EXPECT_TRUE(messages.Log().empty());

  // Showing it again opens nothing more.
  app->Visible(true);
  EXPECT_EQ(started_.size(), 1u);
}

TEST_F(ExcelModelTest, NoSpreadsheetProgramShowsTheErrorBoxAndLeavesNothing) {
  ui::seams().spreadsheetProgram = [] { return QStringList(); };
  QStringList looked;
  automation::SetProgramFinder([&](const QString& name) {
    looked << name;
    return QString();
  });
  ui::ScriptedMessages messages;
  EXPECT_FALSE(gamekit::StartSpreadsheet());
  EXPECT_EQ(looked, (QStringList{"libreoffice", "localc", "soffice", "xdg-open"}));
  ASSERT_EQ(messages.Log().size(), 1u);
  EXPECT_EQ(messages.Log()[0].kind, ui::ShownMessage::Kind::ErrorBox);
  EXPECT_EQ(messages.Log()[0].text, QString("Невозможно запустить Excel"));
  EXPECT_EQ(messages.Log()[0].caption, QString("Ошибка"));
  EXPECT_TRUE(started_.empty());
  EXPECT_TRUE(TempEntries().isEmpty());
}

TEST_F(ExcelModelTest, SpreadsheetProgramIsLookedUpInOrder) {
  struct Case {
    const char* name;
    QStringList seam;
    const char* env;  // nullptr: unset
    QStringList onPath;
    QStringList expected;
  };
  const Case cases[] = {
      {"the seam first", {"seam-calc"}, "other --x", {"libreoffice"}, {"seam-calc"}},
      {"the variable split like a shell",
       {},
       "\"/opt/my calc/calc\" --view",
       {"libreoffice", "/opt/my calc/calc"},
       {"/opt/my calc/calc", "--view"}},
      {"the variable names a missing program", {}, "no-such-calc --view", {"libreoffice", "xdg-open"}, {}},
      {"a blank variable is not a command", {}, "   ", {"xdg-open"}, {"/bin/xdg-open"}},
      {"LibreOffice before the others",
       {},
       nullptr,
       {"xdg-open", "soffice", "libreoffice"},
       {"/bin/libreoffice", "--calc", "-n"}},
      {"localc", {}, nullptr, {"xdg-open", "localc", "soffice"}, {"/bin/localc", "-n"}},
      {"soffice", {}, nullptr, {"soffice", "xdg-open"}, {"/bin/soffice", "--calc", "-n"}},
      {"xdg-open last", {}, nullptr, {"xdg-open"}, {"/bin/xdg-open"}},
      {"nothing at all", {}, nullptr, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ui::seams().spreadsheetProgram = [&c] { return c.seam; };
    if (c.env) {
      qputenv("VANTREL_SPREADSHEET", c.env);
    } else {
      qunsetenv("VANTREL_SPREADSHEET");
    }
    automation::SetProgramFinder(
        [&c](const QString& name) { return c.onPath.contains(name) ? "/bin/" + name : QString(); });
    EXPECT_EQ(automation::SpreadsheetCommand(), c.expected);
  }
  qunsetenv("VANTREL_SPREADSHEET");
}

TEST_F(ExcelModelTest, TheRealStartHandsTheFileToTheProgram) {
  // The default way of starting, with a program that copies what it is given.
  ui::ResetSeams();
  testing_support::InstallTestDefaults();
  const QString copy = tmp_.filePath("opened.xlsx");
  // Copied under another name first, so the copy appears whole.
  ui::seams().spreadsheetProgram = [copy] {
    return QStringList{"/bin/sh", "-c", "cp \"$0\" '" + copy + ".part' && mv '" + copy + ".part' '" + copy + "'"};
  };
  auto app = automation::CreateOleObject("Excel.Application");
  VariantArray array(0, 0);
  array.Set(0, 0, "x");
  ExportSmallBlock(*app, array);
  for (int i = 0; i < 200 && !QFileInfo::exists(copy); ++i) QThread::msleep(50);
  ASSERT_TRUE(QFileInfo::exists(copy));
  QFile written(app->WrittenFile()), opened(copy);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
  EXPECT_EQ(opened.readAll(), written.readAll());
}

TEST_F(ExcelModelTest, OnlyExcelApplicationIsKnown) {
  EXPECT_TRUE(automation::CreateOleObject("excel.application"));
  EXPECT_THROW(automation::CreateOleObject("Word.Application"), EOleError);
  EXPECT_THROW(automation::CreateOleObject(""), EOleError);
}

TEST_F(ExcelModelTest, FailedStartRaisesAndRemovesTheWorkbook) {
  startSucceeds_ = false;
  auto app = automation::CreateOleObject("Excel.Application");
  VariantArray array(0, 0);
  array.Set(0, 0, "x");
  EXPECT_THROW(ExportSmallBlock(*app, array), EOleError);
  ASSERT_EQ(started_.size(), 1u);
  EXPECT_FALSE(QFileInfo::exists(started_[0].args.last()));
  EXPECT_TRUE(app->WrittenFile().isEmpty());
  EXPECT_TRUE(TempEntries().isEmpty());
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
      {"border index 0", true, [block](automation::Application& a) { block(a).Borders(0); }},
      {"border index 13", true, [block](automation::Application& a) { block(a).Borders(13); }},
      {"line style 3", true, [block](automation::Application& a) { block(a).Borders(2).LineStyle(3); }},
      {"weight 3", true, [block](automation::Application& a) { block(a).Borders(3).Weight(3); }},
      {"font size 0", true, [block](automation::Application& a) { block(a).Font().Size(0); }},
      {"alignment 99", true, [block](automation::Application& a) { block(a).HorizontalAlignment(99); }},
      {"vertical left", true, [block](automation::Application& a) { block(a).VerticalAlignment(-4131); }},
      {"width 256", true, [block](automation::Application& a) { block(a).ColumnWidth(256); }},
      {"width -1", true, [block](automation::Application& a) { block(a).ColumnWidth(-1); }},
      {"whole sheet", true,
       [sheet](automation::Application& a) {
         auto s = sheet(a);
         s.GetRange(s.Cells(1, 1), s.Cells(1048576, 16384)).Font().Bold(true);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto app = automation::CreateOleObject("Excel.Application");
    if (c.add) app->Workbooks().Add();
    const size_t before = app->Calls().size();
    EXPECT_THROW(c.step(*app), EOleError);
    // The failing call is on record.
    EXPECT_GT(app->Calls().size(), before);
  }
  VariantArray array(1, 2);
  EXPECT_THROW(array.Set(2, 0, "x"), EOleError);
  EXPECT_THROW(array.Set(0, -1, "x"), EOleError);
  EXPECT_THROW(array.At(0, 3), EOleError);
  EXPECT_THROW(VariantArray(-1, 0), EOleError);
  EXPECT_THROW(VariantArray(std::numeric_limits<int>::max(), 0), EOleError);
  EXPECT_THROW(VariantArray(0, std::numeric_limits<int>::max()), EOleError);
}

TEST_F(ExcelModelTest, AddressesAreNormalised) {
  struct Case {
    const char* given;
    const char* address;
  };
  const Case cases[] = {{"A2:A3", "A2:A3"},    {"J2:j3", "J2:J3"},         {"c3:a1", "A1:C3"},
                        {"B7", "B7:B7"},       {"aa10:ab11", "AA10:AB11"}, {"XFD1048576", "XFD1048576:XFD1048576"},
                        {" D4 : E5 ", "D4:E5"}};
  auto app = automation::CreateOleObject("Excel.Application");
  app->Workbooks().Add();
  automation::Worksheet sheet = app->WorkSheets(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    EXPECT_EQ(sheet.GetRange(c.given).Address(), QString(c.address));
  }
  EXPECT_EQ(sheet.GetRange(sheet.Cells(5, 28), sheet.Cells(2, 1)).Address(), QString("A2:AB5"));
}

// ---------------------------------------------------------------------------
// The written workbook read back with an independent reader.

std::optional<QJsonObject> ReadBack(const QString& xlsx, QString* error) {
  const QString script = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/read_xlsx.py";
  QProcess reader;
  reader.start("/usr/bin/python3", {script, xlsx});
  if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
    *error = QString::fromUtf8(reader.readAllStandardError());
    return std::nullopt;
  }
  return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

QJsonArray Side(const char* style, const char* color) { return QJsonArray{style, color}; }

TEST_F(ExcelModelTest, WrittenWorkbookShowsWhatTheCallsAskedFor) {
  if (!QFileInfo::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  constexpr int xlCenter = automation::xlCenter;
  constexpr int xlNone = -4142, xlMedium = -4138;

  // A 5 x 6 array poured into a 4 x 4 block: the rest is ignored.
  VariantArray big(4, 5);
  const QStringList texts{"Игрок", "0.00", "007", "=1+1", "Ёлка", "60,50"};
  for (int r = 0; r <= 4; ++r)
    for (int c = 0; c <= 5; ++c)
      if ((r + c) % 3 != 2) big.Set(r, c, texts[(r * 6 + c) % texts.size()] + QString::number(r));
  VariantArray small(0, 0);
  small.Set(0, 0, "e");

  auto app = automation::CreateOleObject("Excel.Application");
  app->Workbooks().Add();
  automation::Worksheet sheet = app->WorkSheets(1);
  automation::Range block = sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(4, 4));
  sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(1, 1)).ColumnWidth(5);
  sheet.GetRange("C1:d1").ColumnWidth(12.5);
  sheet.GetRange("A1:D1").Interior().ColorIndex(6);
  sheet.GetRange("A3:D3").Interior().ColorIndex(3);
  sheet.GetRange("D3:D3").Interior().ColorIndex(xlNone);
  sheet.GetRange("A1:D1").Font().Size(14);
  sheet.GetRange("A1:D1").Font().Bold(true);
  block.HorizontalAlignment(xlCenter);
  block.VerticalAlignment(xlCenter);
  sheet.GetRange("B1:C1").Merge();
  // A merged pair coloured through its upper cell is coloured as a whole.
  sheet.GetRange("F2:F3").Merge();
  sheet.GetRange("F2").Interior().ColorIndex(32);
  sheet.GetRange("A3:A4").Merge();
  for (int i = 1; i <= 4; ++i) {
    block.Borders(i).LineStyle(1);
    block.Borders(i).Weight(2);
    block.Borders(i).ColorIndex(0);
  }
  sheet.GetRange("F5:F5").Borders(4).Weight(xlMedium);
  sheet.GetRange("F5:F5").Borders(4).ColorIndex(3);
  // Black and white of the palette are colours too, not "no colour".
  sheet.GetRange("H1").Interior().ColorIndex(1);
  sheet.GetRange("H1").Borders(4).ColorIndex(1);
  sheet.GetRange("H2").Interior().ColorIndex(2);
  block.Value(big);
  sheet.GetRange("E2:F3").Value(QString("old"));
  sheet.GetRange("E1:F3").Value(small);
  sheet.GetRange("a6:A6").Value(QString("x"));
  app->Visible(true);

  QString error;
  const std::optional<QJsonObject> read = ReadBack(app->WrittenFile(), &error);
  ASSERT_TRUE(read) << error.toStdString();
  const QJsonObject cells = (*read)["cells"].toObject();
  auto cell = [&cells](const QString& name) { return cells[name].toObject(); };
  auto name = [](int r, int c) { return QString(QChar('A' + c)) + QString::number(r + 1); };

  EXPECT_EQ((*read)["sheets"].toInt(), 1);
  EXPECT_EQ((*read)["merges"].toArray(), (QJsonArray{"A3:A4", "B1:C1", "F2:F3"}));
  const QJsonObject raw = (*read)["raw"].toObject();
  auto rawFill = [&raw](const char* name) { return raw[name].toObject()["fill"].toString(); };
  EXPECT_EQ(rawFill("F2"), QString("FF0000FF"));
  EXPECT_EQ(rawFill("F3"), QString("FF0000FF"));
  EXPECT_EQ(rawFill("C1"), QString("FFFFFF00"));
  EXPECT_EQ(rawFill("A4"), QString("FFFF0000"));

  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      SCOPED_TRACE(name(r, c).toStdString());
      const QJsonObject got = cell(name(r, c));
      const std::optional<QString>& want = big.At(r, c);
      if ((r == 0 && c == 2) || (r == 3 && c == 0)) {
        // Covered by the merge: no value, its own borders.
        EXPECT_TRUE(got["covered"].toBool());
        EXPECT_TRUE(got["value"].isNull());
        const QJsonObject stored = raw[name(r, c)].toObject();
        for (const char* edge : {"left", "right", "top", "bottom"}) EXPECT_EQ(stored[edge].toString(), "thin") << edge;
        continue;
      }
      if (want) {
        EXPECT_EQ(got["value"].toString(), *want);
        EXPECT_EQ(got["type"].toString(), QString("s"));  // texts stay texts
      } else {
        EXPECT_TRUE(got["value"].isNull());
      }
      EXPECT_EQ(got["h"].toString(), QString("center"));
      EXPECT_EQ(got["v"].toString(), QString("center"));
      EXPECT_EQ(got["left"].toArray(), Side("thin", "auto"));
      EXPECT_EQ(got["right"].toArray(), Side("thin", "auto"));
      EXPECT_EQ(got["top"].toArray(), Side("thin", "auto"));
      EXPECT_EQ(got["bottom"].toArray(), Side("thin", "auto"));
      EXPECT_EQ(got["bold"].toBool(), r == 0);
      EXPECT_EQ(got["size"].toDouble(), r == 0 ? 14.0 : 11.0);
      const QString fill = r == 0 ? "FFFFFF00" : (r == 2 && c < 3) ? "FFFF0000" : "";
      EXPECT_EQ(got["fill"].toString(), fill);
    }
  }
  // Nothing of the array outside the block.
  for (int r = 0; r < 5; ++r) EXPECT_TRUE(cell(name(r, 4))["value"].isNull() || r == 0) << r;
  EXPECT_TRUE(cell("A5")["value"].isNull());
  // A smaller array leaves the rest of its range empty.
  EXPECT_EQ(cell("E1")["value"].toString(), QString("e"));
  for (const char* emptied : {"F1", "E2", "F2", "E3", "F3"}) EXPECT_TRUE(cell(emptied)["value"].isNull()) << emptied;
  EXPECT_EQ(cell("A6")["value"].toString(), QString("x"));
  EXPECT_EQ(cell("F5")["bottom"].toArray(), Side("medium", "FFFF0000"));
  EXPECT_TRUE(cell("F5")["top"].isNull());
  EXPECT_EQ(rawFill("H1"), QString("FF000000"));
  EXPECT_EQ(cell("H1")["bottom"].toArray(), Side("thin", "FF000000"));
  EXPECT_EQ(rawFill("H2"), QString("FFFFFFFF"));

  const QJsonObject widths = (*read)["widths"].toObject();
  auto near = [](double stored, double asked) { return stored >= asked && stored < asked + 1; };
  EXPECT_TRUE(near(widths["A"].toDouble(), 5)) << widths["A"].toDouble();
  EXPECT_TRUE(near(widths["C"].toDouble(), 12.5)) << widths["C"].toDouble();
  EXPECT_TRUE(near(widths["D"].toDouble(), 12.5)) << widths["D"].toDouble();
  EXPECT_FALSE(widths.contains("B"));
}

}  // namespace
