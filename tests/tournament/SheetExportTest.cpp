// The empty tournament sheets as the spreadsheet program receives them: the
// order of the automation calls, and each workbook read back from its file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "automation/Excel.h"
#include "darts/TournamentRules.h"
#include "tests/support/TestSupport.h"
#include "tournament/blank.h"
#include "ui/Dialogs.h"

namespace {

QString Letter(int col) { return QString(QChar('A' + col - 1)); }
QString Cell(int row, int col) { return Letter(col) + QString::number(row); }

class SheetExportTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    msg = std::make_unique<ui::ScriptedMessages>();
    ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
    ui::seams().startDetached = [this](const QString&, const QStringList&) { return ++started, startWorks; };
    delete Form_blank;
    f = Form_blank = new TForm_blank;
    c = &f->Controls();
    f->ShowModal();
    QApplication::setActiveWindow(f);
  }
  void TearDown() override {
    automation::SetProgramFinder(nullptr);
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
  // The kinds of the last export's calls; a run of one kind counts once.
  static QStringList Phases() {
    QStringList out;
    for (const automation::Call& call : automation::LastApplication()->Calls()) {
      const QString kind = call.member == "ColorIndex" && call.object.contains("Interior") ? "Fill" : call.member;
      if (QStringList{"Range", "LineStyle", "Weight", "ColorIndex"}.contains(kind)) continue;
      if (out.isEmpty() || out.back() != kind) out << kind;
    }
    return out;
  }
  // The written workbook as the reader sees it (tests/automation/read_xlsx.py).
  static QJsonObject Written() {
    QProcess reader;
    reader.start("/usr/bin/python3", {QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../automation/read_xlsx.py",
                                      automation::LastApplication()->WrittenFile()});
    const bool read = reader.waitForFinished(60000) && reader.exitCode() == 0;
    EXPECT_TRUE(read) << reader.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
  }
  // A cell's value as text, whether the workbook holds a text or a number.
  static QString Value(const QJsonObject& book, const QString& cell) {
    const QJsonValue v = book["cells"].toObject()[cell].toObject()["value"];
    return v.isDouble() ? QString::number(v.toDouble()) : v.toString();
  }
  static QJsonObject Raw(const QJsonObject& book, const QString& cell) {
    return book["raw"].toObject()[cell].toObject();
  }
  // Every cell of the block in bold of the size, centred both ways.
  static void ExpectFont(const QJsonObject& book, int rows, int cols, double size) {
    for (int row = 1; row <= rows; ++row)
      for (int col = 1; col <= cols; ++col) {
        const QJsonObject cell = book["cells"].toObject()[Cell(row, col)].toObject();
        if (cell["covered"].toBool()) continue;
        EXPECT_TRUE(cell["size"].toDouble() == size && cell["bold"].toBool() && cell["h"].toString() == "center" &&
                    cell["v"].toString() == "center")
            << Cell(row, col).toStdString();
      }
  }
  static void ExpectWidths(const QJsonObject& book, const std::vector<double>& widths) {
    const QJsonObject stored = book["widths"].toObject();
    for (int col = 1; col <= static_cast<int>(widths.size()) + 1; ++col) {
      const double want = col <= static_cast<int>(widths.size()) ? widths[col - 1] : 0;
      const double got = stored[Letter(col)].toDouble();
      EXPECT_TRUE(want == 0 ? !stored.contains(Letter(col)) : got >= want && got < want + 1) << col << ": " << got;
    }
  }

  TForm_blank* f = nullptr;
  Ui::TForm_blank* c = nullptr;
  std::unique_ptr<ui::ScriptedMessages> msg;
  int started = 0;
  bool startWorks = true;
};

struct GroupCase {
  int item, n;
  QStringList footerMerges;
};

const GroupCase kGroups[] = {
    {0, 4, {"A13:H13", "A15:H15", "A14:B14", "C14:D14", "F14:G14", "A16:B16", "C16:E16", "F16:H16"}},
    {1, 6, {"A18:J18", "A20:J20", "A19:B19", "C19:D19", "F19:G19", "H19:J19", "A21:B21", "C21:E21", "F21:J21"}},
    {2, 8, {"A23:L23", "A25:L25", "A24:B24", "C24:D24", "F24:G24", "H24:L24", "A26:B26", "C26:E26", "F26:L26"}},
};

class RoundRobinSheetTest : public SheetExportTest, public testing::WithParamInterface<GroupCase> {};

TEST_P(RoundRobinSheetTest, WorkbookReadsBackAsTheGroupTable) {
  const GroupCase& t = GetParam();
  const int n = t.n, cols = n + 4, rows = 2 * n + 6 + n / 2, roundRow = 2 * n + 2;
  Print(0, t.item);
  ASSERT_EQ(started, 1);
  EXPECT_TRUE(msg->Log().empty());
  EXPECT_EQ(Phases(), (QStringList{"Workbooks", "Add", "WorkSheets", "ColumnWidth", "Fill", "Merge", "Fill", "Size",
                                   "Bold", "HorizontalAlignment", "VerticalAlignment", "Borders", "Value", "Visible"}));
  // Merged as asked, participant by participant, then the place column and
  // the footer; the first place cell of six in the spelling it always had.
  QStringList merges, asked;
  for (int k = 1; k <= n; ++k)
    for (int col : {1, 2, k + 2}) merges << Cell(2 * k, col) + ":" + Cell(2 * k + 1, col);
  for (int k = 1; k <= n; ++k) merges << Cell(2 * k, cols) + ":" + Cell(2 * k + 1, cols);
  if (n == 6) merges[3 * n] = "J2:j3";
  merges << t.footerMerges;
  for (const automation::Call& call : automation::LastApplication()->Calls())
    if (call.member == "Range" && call.args.size() == 1) asked << call.args[0].toString();
  EXPECT_EQ(asked, merges);

  const QJsonObject book = Written();
  QStringList written;
  for (const QJsonValue& v : book["merges"].toArray()) written << v.toString();
  merges = merges.join(",").toUpper().split(",");
  merges.sort();
  EXPECT_EQ(written, merges);
  std::vector<double> widths{4, 25};
  widths.insert(widths.end(), n, 7);
  widths.insert(widths.end(), {8, 8});
  ExpectWidths(book, widths);
  ExpectFont(book, rows, cols, 12);

  std::map<QString, QString> shown = {{"A1", "№"}, {"B1", "Участник"}, {Cell(roundRow, 2), "Тур"}};
  shown[Cell(1, n + 3)] = "Очки";
  shown[Cell(1, n + 4)] = "Место";
  for (int k = 1; k <= n; ++k) shown[Cell(1, k + 2)] = shown[Cell(2 * k, 1)] = QString::number(k);
  for (int k = 1; k < n; ++k) shown[Cell(roundRow, k + 2)] = QString::number(k);
  shown[Cell(rows - 2, 3)] = "Группа";
  shown[Cell(rows - 2, 6)] = "Мишень №";
  shown[Cell(rows, 3)] = "Старший группы";
  const QRegularExpression pairing("^(\\d+) -- (\\d+)$");
  std::set<std::pair<int, int>> met;
  for (int row = 1; row <= rows + 2; ++row) {
    for (int col = 1; col <= cols + 1; ++col) {
      const QString name = Cell(row, col), value = Value(book, name);
      if (row > rows || col > cols) {
        EXPECT_TRUE(value.isEmpty() && Raw(book, name).isEmpty()) << name.toStdString();
        continue;
      }
      const int round = col - 2, line = row - roundRow;
      if (round >= 1 && round < n && line >= 1 && line <= n / 2) {
        const QRegularExpressionMatch m = pairing.match(value);
        EXPECT_TRUE(m.hasMatch() && met.insert({m.captured(1).toInt(), m.captured(2).toInt()}).second)
            << name.toStdString() << " " << value.toStdString();
        EXPECT_TRUE(line > 1 || value == "1 -- " + QString::number(n - round + 1)) << value.toStdString();
      } else {
        EXPECT_EQ(value, shown.count(name) ? shown[name] : QString()) << name.toStdString();
      }
      // Header row and number column, the round row, and each participant's
      // own result cell (merged over two rows).
      const QString fill = row >= 2 && row <= 2 * n + 1 && col == row / 2 + 2       ? "FF0000FF"
                           : row == 1 || (col == 1 && row <= 2 * n + 1)              ? "FFCCFFCC"
                           : row == roundRow                                         ? "FFFFFF99"
                                                                                     : QString();
      const QJsonObject raw = Raw(book, name);
      EXPECT_EQ(raw["fill"].toString(), fill) << name.toStdString();
      for (const char* edge : {"left", "right", "top", "bottom"})
        EXPECT_EQ(raw[edge].toString(), "thin") << name.toStdString() << " " << edge;
    }
  }
  EXPECT_EQ(static_cast<int>(met.size()), n * (n - 1) / 2);
}

INSTANTIATE_TEST_SUITE_P(GroupSizes, RoundRobinSheetTest, testing::ValuesIn(kGroups),
                         [](const auto& info) { return "Of" + std::to_string(info.param.n); });

TEST_F(SheetExportTest, EightPlayRoundThreeInTheirOwnOrder) {
  Print(0, 2);
  const QJsonObject book = Written();
  QStringList column;
  for (int row = 19; row <= 22; ++row) column << Value(book, Cell(row, 5));
  EXPECT_EQ(column, (QStringList{"1 -- 6", "5 -- 7", "4 -- 8", "2 -- 3"}));
}

// The rows of each column whose top and right edges carry a line.
struct Edges {
  std::map<int, std::vector<int>> top, right;
};

Edges EdgesOf(const QJsonObject& book, int rows, int cols) {
  Edges e;
  for (int col = 1; col <= cols + 1; ++col)
    for (int row = 1; row <= rows + 1; ++row) {
      const QJsonObject raw = book["raw"].toObject()[Cell(row, col)].toObject();
      if (raw["top"].toString() == "thin") e.top[col].push_back(row);
      if (raw["right"].toString() == "thin") e.right[col].push_back(row);
      EXPECT_TRUE(raw["left"].toString() + raw["bottom"].toString() + raw["fill"].toString() == "")
          << Cell(row, col).toStdString();
    }
  return e;
}

class BracketSheetTest : public SheetExportTest, public testing::WithParamInterface<int> {};

TEST_P(BracketSheetTest, WorkbookReadsBackAsTheBracket) {
  const int item = GetParam(), s = 8 << item, cols = 5 + item, rows = 2 * s + 2;
  Print(1, item);
  ASSERT_EQ(started, 1);
  EXPECT_TRUE(msg->Log().empty());
  EXPECT_EQ(Phases(), (QStringList{"Workbooks", "Add", "WorkSheets", "ColumnWidth", "Borders", "Size", "Bold",
                                   "HorizontalAlignment", "VerticalAlignment", "Value", "Visible"}));
  QStringList edges;  // all the slot lines first, then the connectors
  for (const automation::Call& call : automation::LastApplication()->Calls())
    if (call.member == "Borders" && (edges.isEmpty() || edges.back() != call.args[0].toString()))
      edges << call.args[0].toString();
  EXPECT_EQ(edges, (QStringList{"3", "2"}));

  const QJsonObject book = Written();
  EXPECT_TRUE(book["merges"].toArray().isEmpty());
  std::vector<double> widths{4};
  widths.insert(widths.end(), cols, 25);
  ExpectWidths(book, widths);
  ExpectFont(book, rows, cols, 16);
  const Edges e = EdgesOf(book, rows, cols);
  for (int col = 2; col <= cols; ++col) {
    EXPECT_EQ(e.top.count(col) ? e.top.at(col) : std::vector<int>(), darts::SlotLineRows(s, col - 1)) << col;
    EXPECT_EQ(e.right.count(col) ? e.right.at(col) : std::vector<int>(), darts::ConnectorRows(s, col - 1)) << col;
  }
  EXPECT_EQ(e.top.count(1) + e.right.count(1) + e.top.count(cols + 1) + e.right.count(cols + 1), 0u);

  // Titles in row 1, the seeds in the odd rows of column A, nothing else.
  std::vector<int> seeds;
  for (int row = 1; row <= rows + 1; ++row)
    for (int col = 1; col <= cols + 1; ++col) {
      const QString value = Value(book, Cell(row, col));
      if (row == 1 && col >= 2 && col <= cols) {
        EXPECT_EQ(value, darts::RoundTitle(s, col - 1));
      } else if (col == 1 && row % 2 == 1 && row >= 3 && row <= 2 * s + 1) {
        seeds.push_back(value.toInt());
      } else {
        EXPECT_TRUE(value.isEmpty()) << Cell(row, col).toStdString() << " " << value.toStdString();
      }
    }
  EXPECT_EQ(seeds, darts::SeedOrder(s));
}

INSTANTIATE_TEST_SUITE_P(BracketSizes, BracketSheetTest, testing::Values(0, 1, 2, 3),
                         [](const auto& info) { return "Of" + std::to_string(8 << info.param); });

TEST_F(SheetExportTest, BracketOfEightHasItsLinesAndConnectors) {
  Print(1, 0);
  const Edges e = EdgesOf(Written(), 18, 5);
  EXPECT_EQ(e.top, (std::map<int, std::vector<int>>{
                       {2, {4, 6, 8, 10, 12, 14, 16, 18}}, {3, {5, 9, 13, 17}}, {4, {7, 15}}, {5, {11}}}));
  EXPECT_EQ(e.right, (std::map<int, std::vector<int>>{{2, {4, 5, 8, 9, 12, 13, 16, 17}},
                                                      {3, {5, 6, 7, 8, 13, 14, 15, 16}},
                                                      {4, {7, 8, 9, 10, 11, 12, 13, 14}}}));
}

TEST_F(SheetExportTest, BracketOfSixtyFourHasItsCorners) {
  Print(1, 3);
  const QJsonObject book = Written();
  EXPECT_EQ(Value(book, "A129"), "2");
  EXPECT_EQ(Value(book, "A3") + " " + Value(book, "A5"), "1 64");
  for (const char* line : {"B4", "B130", "H67"}) EXPECT_EQ(Raw(book, line)["top"].toString(), "thin") << line;
  EXPECT_TRUE(Raw(book, "H67")["right"].toString().isEmpty());
  EXPECT_TRUE(Raw(book, "B131").isEmpty() && Raw(book, "I1").isEmpty());
}

TEST_F(SheetExportTest, NoSpreadsheetProgramSaysSoAndChangesNothing) {
  ui::seams().spreadsheetProgram = [] { return QStringList(); };
  automation::SetProgramFinder([](const QString&) { return QString(); });
  for (int system : {0, 1}) {
    msg->Clear();
    Print(system, 1);
    ASSERT_EQ(msg->Log().size(), 1u);
    EXPECT_EQ(msg->Log()[0].kind, ui::ShownMessage::Kind::ErrorBox);
    EXPECT_EQ(msg->Log()[0].text + "|" + msg->Log()[0].caption, "Невозможно запустить Excel|Ошибка");
    EXPECT_TRUE(f->isVisible());
  }
  EXPECT_EQ(started, 0);
  EXPECT_EQ(f->GroupSize + f->BracketSize, 6 + 16);
}

TEST_F(SheetExportTest, AFailedOpeningIsReportedAndEveryLaterPressMakesAWorkbookOfItsOwn) {
  startWorks = false;
  Print(1, 2);
  ASSERT_EQ(msg->Log().size(), 1u);
  EXPECT_EQ(msg->Log()[0].kind, ui::ShownMessage::Kind::Exception);
  EXPECT_TRUE(f->isVisible());
  EXPECT_TRUE(automation::LastApplication()->WrittenFile().isEmpty());
  startWorks = true;
  QSet<QString> files;
  for (int press = 0; press < 2; ++press) {
    QTest::keyClick(c->BitBtn3, Qt::Key_Space);
    files << automation::LastApplication()->WrittenFile();
    EXPECT_TRUE(QFileInfo::exists(automation::LastApplication()->WrittenFile()));
  }
  EXPECT_EQ(files.size(), 2);
  EXPECT_EQ(msg->Log().size(), 1u);
}

}  // namespace
