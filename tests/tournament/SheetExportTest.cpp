// The empty tournament sheets as the spreadsheet program receives them: the
// order of the automation calls, and each workbook read back from its file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QRadioButton>
#include <QComboBox>
#include <QSet>
#include <QTest>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "automation/Excel.h"
#include "tests/support/TestSupport.h"
#include "tournament/blank.h"
#include "ui/Dialogs.h"

namespace {

QString Letter(int col) { return QString(QChar('A' + col - 1)); }
QString Cell(int row, int col) { return Letter(col) + QString::number(row); }

// A cell value as text, whether the workbook holds it as a text or a number.
QString ValueText(const QJsonValue& v) {
  if (v.isDouble()) return QString::number(v.toDouble());
  return v.toString();
}

std::optional<QJsonObject> ReadBack(const QString& xlsx, QString* error) {
  const QString script = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../automation/read_xlsx.py";
  QProcess reader;
  reader.start("/usr/bin/python3", {script, xlsx});
  if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
    *error = QString::fromUtf8(reader.readAllStandardError());
    return std::nullopt;
  }
  return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

// Palette colours as the file stores them.
const QString kGreen35 = "FFCCFFCC", kYellow36 = "FFFFFF99", kBlue32 = "FF0000FF";

class SheetExportTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    msg = std::make_unique<ui::ScriptedMessages>();
    qunsetenv("VANTREL_SPREADSHEET");
    ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
    ui::seams().startDetached = [this](const QString& program, const QStringList& args) {
      started << program + " " + args.join(" ");
      return startWorks;
    };
    delete Form_blank;
    Form_blank = new TForm_blank;
    f = Form_blank;
    c = &f->Controls();
    f->ShowModal();
    QApplication::setActiveWindow(f);
  }
  void TearDown() override {
    automation::SetProgramFinder(nullptr);
    f->Close();
    delete Form_blank;
    Form_blank = nullptr;
    msg.reset();
    SeamsFixture::TearDown();
  }
  // Chooses the system and the list item as a user does, then presses the
  // system's "Печать" button with Space.
  void Print(int system, int item) {
    QTest::mouseClick(c->RadioGroup1->Button(system), Qt::LeftButton);
    QComboBox* box = system == 0 ? c->ComboBox1 : c->ComboBox2;
    box->setFocus();
    for (int i = 0; i < item; ++i) QTest::keyClick(box, Qt::Key_Down);
    QPushButton* button = system == 0 ? c->BitBtn2 : c->BitBtn3;
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
  }
  // The calls of the last export, each reduced to its kind; runs of the same
  // kind count once.
  QStringList Phases() const {
    QStringList out;
    for (const automation::Call& call : automation::LastApplication()->Calls()) {
      QString kind = call.member;
      if (call.member == "ColorIndex") kind = call.object.contains("Interior") ? "Fill" : "EdgeColour";
      if (kind == "Range" || kind == "LineStyle" || kind == "Weight" || kind == "EdgeColour")
        continue;
      if (out.isEmpty() || out.back() != kind) out << kind;
    }
    return out;
  }
  QJsonObject Written() {
    auto app = automation::LastApplication();
    EXPECT_TRUE(app);
    if (!app) return {};
    QString error;
    const std::optional<QJsonObject> read = ReadBack(app->WrittenFile(), &error);
    EXPECT_TRUE(read) << error.toStdString();
    return read.value_or(QJsonObject());
  }

  TForm_blank* f = nullptr;
  Ui::TForm_blank* c = nullptr;
  std::unique_ptr<ui::ScriptedMessages> msg;
  QStringList started;
  bool startWorks = true;
};

// ---------------------------------------------------------------------------
// Round robin

struct GroupCase {
  int item, n;
  QStringList footerMerges;  // as the table's footer is merged
};

const GroupCase kGroups[] = {
    {0, 4, {"A13:H13", "A15:H15", "A14:B14", "C14:D14", "F14:G14", "A16:B16", "C16:E16", "F16:H16"}},
    {1, 6, {"A18:J18", "A20:J20", "A19:B19", "C19:D19", "F19:G19", "H19:J19", "A21:B21", "C21:E21", "F21:J21"}},
    {2, 8, {"A23:L23", "A25:L25", "A24:B24", "C24:D24", "F24:G24", "H24:L24", "A26:B26", "C26:E26", "F26:L26"}},
};

class RoundRobinSheetTest : public SheetExportTest, public testing::WithParamInterface<GroupCase> {};

TEST_P(RoundRobinSheetTest, WorkbookReadsBackAsTheGroupTable) {
  if (!QFileInfo::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  const GroupCase& t = GetParam();
  const int n = t.n, cols = n + 4, rows = 2 * n + 6 + n / 2;
  Print(0, t.item);
  ASSERT_EQ(started.size(), 1);
  EXPECT_TRUE(msg->Log().empty());
  EXPECT_EQ(Phases(), (QStringList{"Workbooks", "Add", "WorkSheets", "ColumnWidth", "Fill", "Merge", "Fill", "Size",
                                   "Bold", "HorizontalAlignment", "VerticalAlignment", "Borders", "Value", "Visible"}));

  // Merges as asked, the first place cell of six in its own spelling.
  QStringList asked;
  for (const automation::Call& call : automation::LastApplication()->Calls()) {
    if (call.member == "Range" && call.args.size() == 1) asked << call.args[0].toString();
  }
  QStringList expected;
  for (int k = 1; k <= n; ++k)
    for (int col : {1, 2, k + 2}) expected << Cell(2 * k, col) + ":" + Cell(2 * k + 1, col);
  for (int k = 1; k <= n; ++k) expected << Cell(2 * k, cols) + ":" + Cell(2 * k + 1, cols);
  if (n == 6) expected[3 * n] = "J2:j3";
  expected << t.footerMerges;
  EXPECT_EQ(asked, expected);

  const QJsonObject book = Written();
  QStringList merges;
  for (const QString& m : expected) merges << m.toUpper();
  merges.sort();
  QStringList got;
  for (const QJsonValue& v : book["merges"].toArray()) got << v.toString();
  EXPECT_EQ(got, merges);

  // Widths: number, name, the participants, points and place.
  const QJsonObject widths = book["widths"].toObject();
  for (int col = 1; col <= cols; ++col) {
    const double want = col == 1 ? 4 : col == 2 ? 25 : col <= n + 2 ? 7 : 8;
    const double stored = widths[Letter(col)].toDouble();
    EXPECT_TRUE(stored >= want && stored < want + 1) << Letter(col).toStdString() << " " << stored;
  }
  EXPECT_FALSE(widths.contains(Letter(cols + 1)));

  // What the table shows, cell by cell; everything else stays empty.
  std::map<QString, QString> shown = {{"A1", "№"}, {"B1", "Участник"}};
  shown[Cell(1, n + 3)] = "Очки";
  shown[Cell(1, n + 4)] = "Место";
  for (int k = 1; k <= n; ++k) {
    shown[Cell(1, k + 2)] = QString::number(k);
    shown[Cell(2 * k, 1)] = QString::number(k);
  }
  const int roundRow = 2 * n + 2;
  shown[Cell(roundRow, 2)] = "Тур";
  for (int k = 1; k <= n - 1; ++k) shown[Cell(roundRow, k + 2)] = QString::number(k);
  const int groupRow = 2 * n + 4 + n / 2;
  shown[Cell(groupRow, 3)] = "Группа";
  shown[Cell(groupRow, 6)] = "Мишень №";
  shown[Cell(rows, 3)] = "Старший группы";

  const QJsonObject cells = book["cells"].toObject();
  const QJsonObject raw = book["raw"].toObject();
  const QRegularExpression pairing("^(\\d+) -- (\\d+)$");
  std::set<std::pair<int, int>> met;
  for (int row = 1; row <= rows + 3; ++row) {
    for (int col = 1; col <= cols + 1; ++col) {
      const QString name = Cell(row, col);
      SCOPED_TRACE(name.toStdString());
      const QJsonObject cell = cells[name].toObject();
      const QString value = ValueText(cell["value"]);
      const bool inside = row <= rows && col <= cols;
      if (!inside) {
        EXPECT_TRUE(value.isEmpty());
        EXPECT_FALSE(raw.contains(name));
        continue;
      }
      // The pairings, one column per round.
      const int round = col - 2, line = row - roundRow;
      if (round >= 1 && round <= n - 1 && line >= 1 && line <= n / 2) {
        const QRegularExpressionMatch m = pairing.match(value);
        ASSERT_TRUE(m.hasMatch()) << value.toStdString();
        const int a = m.captured(1).toInt(), b = m.captured(2).toInt();
        if (line == 1) {
          EXPECT_EQ(std::make_pair(a, b), std::make_pair(1, n - round + 1));
        }
        EXPECT_TRUE(met.insert({a, b}).second);
      } else if (shown.count(name)) {
        EXPECT_EQ(value, shown[name]);
      } else {
        EXPECT_TRUE(value.isEmpty()) << value.toStdString();
      }
      // Fill: header row and number column, the round row, own result cells.
      const bool own = row >= 2 && row <= 2 * n + 1 && col == row / 2 + 2;
      const QString fill = own                                      ? kBlue32
                           : row == 1 || (col == 1 && row <= 2 * n + 1) ? kGreen35
                           : row == roundRow                         ? kYellow36
                                                                     : QString();
      const QJsonObject stored = raw[name].toObject();
      EXPECT_EQ(stored["fill"].toString(), fill);
      for (const char* edge : {"left", "right", "top", "bottom"}) EXPECT_EQ(stored[edge].toString(), "thin") << edge;
      if (!cell["covered"].toBool()) {
        EXPECT_EQ(cell["size"].toDouble(), 12.0);
        EXPECT_TRUE(cell["bold"].toBool());
        EXPECT_EQ(cell["h"].toString(), "center");
        EXPECT_EQ(cell["v"].toString(), "center");
      }
    }
  }
  EXPECT_EQ(static_cast<int>(met.size()), n * (n - 1) / 2);
}

INSTANTIATE_TEST_SUITE_P(GroupSizes, RoundRobinSheetTest, testing::ValuesIn(kGroups),
                         [](const testing::TestParamInfo<GroupCase>& info) {
                           return "Of" + std::to_string(info.param.n);
                         });

TEST_F(SheetExportTest, EightPlayRoundThreeInTheirOwnOrder) {
  Print(0, 2);
  QVariantList rows;
  for (const automation::Call& call : automation::LastApplication()->Calls())
    if (call.member == "Value") rows = call.value.toList();
  ASSERT_GE(rows.size(), 23);
  QStringList column;
  for (int row = 19; row <= 22; ++row) column << rows[row - 1].toList()[4].toString();
  EXPECT_EQ(column, (QStringList{"1 -- 6", "5 -- 7", "4 -- 8", "2 -- 3"}));
}

// ---------------------------------------------------------------------------
// Knock-out brackets

struct Edges {
  std::map<int, std::vector<int>> top, right;  // column -> rows, top to bottom
};

Edges EdgesOf(const QJsonObject& raw, int rows, int cols) {
  Edges e;
  for (int col = 1; col <= cols + 1; ++col)
    for (int row = 1; row <= rows + 1; ++row) {
      const QJsonObject cell = raw[Cell(row, col)].toObject();
      if (cell["top"].toString() == "thin") e.top[col].push_back(row);
      if (cell["right"].toString() == "thin") e.right[col].push_back(row);
      EXPECT_TRUE(cell["left"].toString().isEmpty() && cell["bottom"].toString().isEmpty()) << Cell(row, col).toStdString();
      EXPECT_TRUE(cell["fill"].toString().isEmpty()) << Cell(row, col).toStdString();
    }
  return e;
}

class BracketSheetTest : public SheetExportTest, public testing::WithParamInterface<int> {};

TEST_P(BracketSheetTest, WorkbookReadsBackAsTheBracket) {
  if (!QFileInfo::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  const int item = GetParam(), s = 8 << item, cols = 5 + item, rows = 2 * s + 2;
  Print(1, item);
  ASSERT_EQ(started.size(), 1);
  EXPECT_TRUE(msg->Log().empty());
  EXPECT_EQ(Phases(), (QStringList{"Workbooks", "Add", "WorkSheets", "ColumnWidth", "Borders", "Size", "Bold",
                                   "HorizontalAlignment", "VerticalAlignment", "Value", "Visible"}));
  // Lines first, round by round, then the connectors.
  QStringList edges;
  for (const automation::Call& call : automation::LastApplication()->Calls())
    if (call.member == "Borders") edges << call.args[0].toString();
  edges.removeDuplicates();
  EXPECT_EQ(edges, (QStringList{"3", "2"}));

  const QJsonObject book = Written();
  EXPECT_TRUE(book["merges"].toArray().isEmpty());
  const QJsonObject widths = book["widths"].toObject();
  for (int col = 1; col <= cols + 2; ++col) {
    const double want = col == 1 ? 4 : col <= cols + 1 ? 25 : 0;
    const double stored = widths[Letter(col)].toDouble();
    EXPECT_TRUE(want == 0 ? !widths.contains(Letter(col)) : stored >= want && stored < want + 1)
        << Letter(col).toStdString() << " " << stored;
  }

  const Edges e = EdgesOf(book["raw"].toObject(), rows, cols);
  // Round 1: a line under every slot; each later line halfway between the two
  // it joins, the winner's single line last; connectors from each pair's upper
  // line down to the row above its lower line.
  std::vector<int> lines;
  for (int row = 4; row <= rows; row += 2) lines.push_back(row);
  for (int col = 2; col <= cols; ++col) {
    SCOPED_TRACE(col);
    EXPECT_EQ(e.top.count(col) ? e.top.at(col) : std::vector<int>(), lines);
    std::vector<int> next, joins;
    for (size_t j = 0; j + 1 < lines.size(); j += 2) {
      next.push_back((lines[j] + lines[j + 1]) / 2);
      for (int row = lines[j]; row < lines[j + 1]; ++row) joins.push_back(row);
    }
    EXPECT_EQ(e.right.count(col) ? e.right.at(col) : std::vector<int>(), joins);
    lines = next;
  }
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(e.top.count(1) + e.right.count(1) + e.top.count(cols + 1) + e.right.count(cols + 1), 0u);

  // Titles in row 1, the seeds in the odd rows of column A, nothing else.
  const QJsonObject cells = book["cells"].toObject();
  EXPECT_EQ(ValueText(cells[Cell(1, 2)].toObject()["value"]), " 1/" + QString::number(s / 2) + " ");
  EXPECT_EQ(ValueText(cells[Cell(1, cols - 1)].toObject()["value"]), "Финал");
  EXPECT_EQ(ValueText(cells[Cell(1, cols)].toObject()["value"]), "Победитель");
  std::vector<int> seeds;
  for (int row = 1; row <= rows + 1; ++row)
    for (int col = 1; col <= cols + 1; ++col) {
      const QJsonObject cell = cells[Cell(row, col)].toObject();
      const QString value = ValueText(cell["value"]);
      if (row <= rows && col <= cols) {
        EXPECT_EQ(cell["size"].toDouble(), 16.0);
        EXPECT_TRUE(cell["bold"].toBool());
        EXPECT_EQ(cell["h"].toString(), "center");
        EXPECT_EQ(cell["v"].toString(), "center");
      }
      if (row == 1 && col >= 2 && col <= cols) {
        EXPECT_FALSE(value.isEmpty());
      } else if (col == 1 && row % 2 == 1 && row >= 3 && row <= 2 * s + 1) {
        seeds.push_back(value.toInt());
      } else {
        EXPECT_TRUE(value.isEmpty()) << Cell(row, col).toStdString() << " " << value.toStdString();
      }
    }
  ASSERT_EQ(static_cast<int>(seeds.size()), s);
  for (size_t p = 0; p < seeds.size(); p += 2) EXPECT_EQ(seeds[p] + seeds[p + 1], s + 1) << p;
  EXPECT_EQ(std::set<int>(seeds.begin(), seeds.end()).size(), static_cast<size_t>(s));
  EXPECT_EQ(seeds.front(), 1);
  EXPECT_EQ(seeds.back(), 2);
}

INSTANTIATE_TEST_SUITE_P(BracketSizes, BracketSheetTest, testing::Values(0, 1, 2, 3),
                         [](const testing::TestParamInfo<int>& info) { return "Of" + std::to_string(8 << info.param); });

TEST_F(SheetExportTest, BracketOfEightHasItsLinesAndConnectors) {
  if (!QFileInfo::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  Print(1, 0);
  const Edges e = EdgesOf(Written()["raw"].toObject(), 18, 5);
  const std::map<int, std::vector<int>> top = {
      {2, {4, 6, 8, 10, 12, 14, 16, 18}}, {3, {5, 9, 13, 17}}, {4, {7, 15}}, {5, {11}}};
  const std::map<int, std::vector<int>> right = {
      {2, {4, 5, 8, 9, 12, 13, 16, 17}}, {3, {5, 6, 7, 8, 13, 14, 15, 16}}, {4, {7, 8, 9, 10, 11, 12, 13, 14}}};
  EXPECT_EQ(e.top, top);
  EXPECT_EQ(e.right, right);
}

TEST_F(SheetExportTest, BracketOfSixtyFourHasItsCorners) {
  if (!QFileInfo::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  Print(1, 3);
  const QJsonObject book = Written();
  const QJsonObject cells = book["cells"].toObject(), raw = book["raw"].toObject();
  EXPECT_EQ(ValueText(cells["A129"].toObject()["value"]), "2");
  EXPECT_EQ(ValueText(cells["A3"].toObject()["value"]), "1");
  EXPECT_EQ(ValueText(cells["A5"].toObject()["value"]), "64");
  for (const char* line : {"B4", "B130", "H67", "G35", "G99"}) EXPECT_EQ(raw[line].toObject()["top"].toString(), "thin") << line;
  EXPECT_TRUE(raw["H67"].toObject()["right"].toString().isEmpty());
  EXPECT_TRUE(raw["B131"].toObject().isEmpty());
  EXPECT_TRUE(raw["I1"].toObject().isEmpty());
}

// ---------------------------------------------------------------------------
// Failures and repeats

TEST_F(SheetExportTest, NoSpreadsheetProgramSaysSoAndChangesNothing) {
  ui::seams().spreadsheetProgram = [] { return QStringList(); };
  automation::SetProgramFinder([](const QString&) { return QString(); });
  for (int system : {0, 1}) {
    SCOPED_TRACE(system);
    msg->Clear();
    Print(system, 1);
    ASSERT_EQ(msg->Log().size(), 1u);
    EXPECT_EQ(msg->Log()[0].kind, ui::ShownMessage::Kind::ErrorBox);
    EXPECT_EQ(msg->Log()[0].text, "Невозможно запустить Excel");
    EXPECT_EQ(msg->Log()[0].caption, "Ошибка");
    EXPECT_TRUE(f->isVisible());
  }
  EXPECT_TRUE(started.isEmpty());
  EXPECT_EQ(f->GroupSize, 6);
  EXPECT_EQ(f->BracketSize, 16);
}

TEST_F(SheetExportTest, ASpreadsheetThatWillNotOpenIsReportedAndTheWindowStays) {
  startWorks = false;
  Print(1, 2);
  ASSERT_EQ(msg->Log().size(), 1u);
  EXPECT_EQ(msg->Log()[0].kind, ui::ShownMessage::Kind::Exception);
  EXPECT_TRUE(f->isVisible());
  EXPECT_TRUE(automation::LastApplication()->WrittenFile().isEmpty());
  // The next press works again.
  startWorks = true;
  msg->Clear();
  QTest::keyClick(c->BitBtn3, Qt::Key_Space);
  EXPECT_TRUE(msg->Log().empty());
  EXPECT_TRUE(QFileInfo::exists(automation::LastApplication()->WrittenFile()));
}

TEST_F(SheetExportTest, EveryPressLeavesAWorkbookOfItsOwn) {
  Print(0, 0);
  const QString first = automation::LastApplication()->WrittenFile();
  QTest::keyClick(c->BitBtn2, Qt::Key_Space);
  const QString second = automation::LastApplication()->WrittenFile();
  Print(1, 3);
  const QString third = automation::LastApplication()->WrittenFile();
  EXPECT_EQ(started.size(), 3);
  EXPECT_EQ(QSet<QString>({first, second, third}).size(), 3);
  for (const QString& file : {first, second, third}) EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
  EXPECT_TRUE(f->isVisible());
}

}  // namespace
