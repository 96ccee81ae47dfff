// The tournament sheet window by mouse and keyboard, and each sheet as the
// spreadsheet program receives it and as its workbook reads back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <cmath>
#include <map>
#include <optional>
#include <set>

#include "darts/TournamentRules.h"
#include "tests/support/Exports.h"
#include "tests/support/TestSupport.h"
#include "tournament/blank.h"
#include "ui/Dialogs.h"

namespace {

QString Cell(int row, int col) { return QChar('A' + col - 1) + QString::number(row); }

class BlankTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    msg.emplace();
    ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
    ui::seams().startDetached = [this](const QString&, const QStringList&) { return ++started > 0; };
    Reset();
  }
  void TearDown() override {
    automation::seams().findProgram = nullptr;
    delete std::exchange(Form_blank, nullptr);
    msg.reset(), SeamsFixture::TearDown();
  }
  // A window as the program creates it, opened.
  void Reset() { delete Form_blank, c = &(f = Form_blank = new TForm_blank)->Controls(), Open(); }
  void Open() { f->ShowModal(), QApplication::setActiveWindow(f); }
  QWidget* Focused() const { return QApplication::focusWidget(); }
  void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
  QWidget* Item(int i) const { return c->RadioGroup1->Button(i); }
  // Chooses an item of a closed list with the arrow keys.
  void Choose(QComboBox* box, int index) {
    box->setFocus();
    while (box->currentIndex() < index) QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > index) QTest::keyClick(box, Qt::Key_Up);
  }
  // The system by mouse, its size by keys, then its "Печать" button by Space.
  void Print(int system, int item) {
    QTest::mouseClick(Item(system), Qt::LeftButton);
    Choose(system == 0 ? c->ComboBox1 : c->ComboBox2, item);
    (system == 0 ? c->BitBtn2 : c->BitBtn3)->setFocus();
    Key(Qt::Key_Space);
  }
  // The kinds of the last export's calls; a run of one kind counts once.
  QStringList Phases() const {
    QStringList out;
    for (const automation::Call& call : recorded.Calls()) {
      const QString kind = call.member == "ColorIndex" && call.object.contains("Interior") ? "Fill"
                           : call.object.endsWith("PageSetup")                             ? "PageSetup"
                                                                                           : call.member;
      if (!QStringList{"Range", "LineStyle", "Weight", "ColorIndex"}.contains(kind) && !out.endsWith(kind)) out << kind;
    }
    return out;
  }
  // Printed on one page, turned as asked.
  static bool OnePage(const QJsonObject& book, bool landscape) {
    return book["page"].toObject() == QJsonObject{{"orientation", landscape ? "landscape" : "portrait"},
                                                  {"scale", 100},
                                                  {"fit", QJsonArray{1, 1}}};
  }
  QJsonObject Written() const { return testing_support::ReadWorkbook(recorded.WrittenFile()); }
  // A cell's value as text, whether the workbook holds a text or a number.
  static QString Value(const QJsonObject& book, const QString& cell) {
    const QJsonValue v = book["cells"].toObject()[cell].toObject()["value"];
    return v.isDouble() ? QString::number(v.toDouble()) : v.toString();
  }
  static QJsonObject Raw(const QJsonObject& book, const QString& cell) { return book["raw"].toObject()[cell].toObject(); }
  // Widths of the columns from A on (whole characters), none beyond.
  static std::vector<double> Widths(const QJsonObject& book) {
    std::vector<double> out;
    for (const QJsonValue& w : book["widths"].toObject()) out.push_back(std::floor(w.toDouble()));
    return out;
  }
  // A cell bold of the size and centred both ways (or covered by a merge).
  static bool Styled(const QJsonObject& book, const QString& name, double size) {
    const QJsonObject cell = book["cells"].toObject()[name].toObject();
    return cell["covered"].toBool() || (cell["size"].toDouble() == size && cell["bold"].toBool() &&
                                        cell["h"].toString() == "center" && cell["v"].toString() == "center");
  }

  TForm_blank* f = nullptr;
  Ui::TForm_blank* c = nullptr;
  std::optional<testing_support::ScriptedMessages> msg;
  testing_support::RecordedCalls recorded;
  int started = 0;
};

// Scripts: "r<i>" clicks a system, "g<i>"/"b<i>" choose a group/bracket size by keys, "s<i>" sets
// the bracket list from code, "x" leaves by the exit button and opens the window again.
TEST_F(BlankTest, ChoicesSetSizesAndEnableTheirControls) {
  const struct {
    std::vector<std::string> script;
    int system, groupSize, bracketSize, bracketColumns, groupItem, bracketItem;  // system -1: none; items shown
    bool roundRobinOn, knockOutOn;  // label, list and button of each system
  } cases[] = {
      {{"x"}, -1, 0, 0, 0, 0, 0, false, false},
      {{"r0", "g2"}, 0, 8, 0, 0, 2, 0, true, false},
      {{"r1", "b1"}, 1, 0, 16, 6, 0, 1, false, true},
      {{"r1", "b3", "r0"}, 0, 4, 64, 8, 0, 3, true, false},
      {{"r0", "g2", "r1", "r0"}, 0, 4, 8, 5, 0, 0, true, false},
      {{"r0", "g2", "r1", "b2", "r0", "r1"}, 1, 4, 8, 5, 0, 0, false, true},
      {{"r0", "g2", "r0"}, 0, 8, 0, 0, 2, 0, true, false},
      {{"r1", "b3", "s1"}, 1, 0, 64, 8, 0, 1, false, true},
      {{"r1", "b2", "x"}, 1, 0, 32, 7, 0, 2, false, true},
      {{"r0", "g1", "x", "x"}, 0, 6, 0, 0, 1, 0, true, false},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(testing::PrintToString(t.script));
    Reset();
    for (const std::string& step : t.script) {
      const int i = step.size() > 1 ? step[1] - '0' : 0;
      if (step == "x") QTest::mouseClick(c->BitBtn1, Qt::LeftButton), Open();
      if (step[0] == 'r') QTest::mouseClick(Item(i), Qt::LeftButton);
      if (step[0] == 'g') Choose(c->ComboBox1, i);
      if (step[0] == 'b') Choose(c->ComboBox2, i);
      if (step[0] == 's') c->ComboBox2->setCurrentIndex(i);  // from code: no select handler
    }
    EXPECT_TRUE(f->isVisible() && c->BitBtn1->isEnabled() && msg->Log().empty());
    EXPECT_EQ(c->RadioGroup1->ItemIndex(), t.system);
    EXPECT_EQ(std::vector<int>({f->GroupSize, f->BracketSize, f->BracketColumns, c->ComboBox1->currentIndex(),
                                c->ComboBox2->currentIndex()}),
              std::vector<int>({t.groupSize, t.bracketSize, t.bracketColumns, t.groupItem, t.bracketItem}));
    for (QWidget* w : std::initializer_list<QWidget*>{c->Label1, c->ComboBox1, c->BitBtn2})
      EXPECT_EQ(w->isEnabled(), t.roundRobinOn) << w->objectName().toStdString();
    for (QWidget* w : std::initializer_list<QWidget*>{c->Label2, c->ComboBox2, c->BitBtn3})
      EXPECT_EQ(w->isEnabled(), t.knockOutOn) << w->objectName().toStdString();
    // A reopened window starts on the chosen system, or on the first.
    EXPECT_TRUE(t.script.back() != "x" || Focused() == Item(std::max(t.system, 0)));
  }
}

// Focus on the first item at opening; Space chooses, Right moves the choice; Tab runs through the
// enabled controls, the radio group one stop on its chosen item; arrows choose a size; Space presses.
TEST_F(BlankTest, TheKeyboardAloneChoosesASystemAndASize) {
  auto tabs = [&](std::vector<QWidget*> order, Qt::Key key = Qt::Key_Tab) {
    for (QWidget* next : order) {
      QTest::keyClick(Focused(), key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
      EXPECT_EQ(Focused(), next) << next->objectName().toStdString();
    }
  };
  ASSERT_EQ(Focused(), Item(0));
  EXPECT_EQ(c->RadioGroup1->ItemIndex(), -1);
  tabs({c->BitBtn1, Item(0)});
  Key(Qt::Key_Space);
  EXPECT_TRUE(c->RadioGroup1->ItemIndex() == 0 && c->BitBtn2->isEnabled());
  tabs({c->ComboBox1, c->BitBtn2, c->BitBtn1, Item(0)});
  Key(Qt::Key_Right);
  EXPECT_EQ(Focused(), Item(1));
  EXPECT_TRUE(c->RadioGroup1->ItemIndex() == 1 && c->BitBtn3->isEnabled() && !c->BitBtn2->isEnabled());
  tabs({c->ComboBox2});
  for (Qt::Key k : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) Key(k);
  EXPECT_EQ(f->BracketSize * 10 + f->BracketColumns, 166);
  tabs({c->BitBtn3, c->BitBtn1, Item(1)});
  tabs({c->BitBtn1}, Qt::Key_Backtab);
  Key(Qt::Key_Space);
  EXPECT_FALSE(f->isVisible());
}

TEST_F(BlankTest, RoundRobinWorkbooksReadBackAsTheGroupTables) {
  const struct {
    int item, n;
    QStringList footerMerges;
  } cases[] = {
      {0, 4, {"A13:H13", "A15:H15", "A14:B14", "C14:D14", "F14:G14", "A16:B16", "C16:E16", "F16:H16"}},
      {1, 6, {"A18:J18", "A20:J20", "A19:B19", "C19:D19", "F19:G19", "H19:J19", "A21:B21", "C21:E21", "F21:J21"}},
      {2, 8, {"A23:L23", "A25:L25", "A24:B24", "C24:D24", "F24:G24", "H24:L24", "A26:B26", "C26:E26", "F26:L26"}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.n);
    const int n = t.n, cols = n + 4, rows = 2 * n + 6 + n / 2, roundRow = 2 * n + 2;
    Print(0, t.item);
    EXPECT_TRUE(msg->Log().empty());
    EXPECT_EQ(Focused(), c->ComboBox1);  // not the button that would print again
    EXPECT_EQ(Phases(),
              (QStringList{"Workbooks", "Add", "WorkSheets", "ColumnWidth", "Fill", "Merge", "Fill", "Size", "Bold",
                           "HorizontalAlignment", "VerticalAlignment", "Borders", "PageSetup", "Value", "Visible"}));
    // Participant by participant, the place column, the footer; six's first place cell as it always was.
    QStringList merges, asked, written;
    for (int k = 1; k <= n; ++k)
      for (int col : {1, 2, k + 2}) merges << Cell(2 * k, col) + ":" + Cell(2 * k + 1, col);
    for (int k = 1; k <= n; ++k) merges << Cell(2 * k, cols) + ":" + Cell(2 * k + 1, cols);
    if (n == 6) merges[3 * n] = "J2:j3";
    merges << t.footerMerges;
    for (const automation::Call& call : recorded.Calls())
      if (call.member == "Range" && call.args.size() == 1) asked << call.args[0].toString();
    EXPECT_EQ(asked, merges);

    const QJsonObject book = Written();
    EXPECT_TRUE(OnePage(book, true));  // wider than tall
    for (const QJsonValue& v : book["merges"].toArray()) written << v.toString();
    merges = merges.join(",").toUpper().split(",");
    merges.sort();
    EXPECT_EQ(written, merges);
    std::vector<double> widths{4, 25};
    widths.insert(widths.end(), n, 7);
    widths.insert(widths.end(), {8, 8});
    EXPECT_EQ(Widths(book), widths);

    std::map<QString, QString> shown = {{"A1", "№"},           {"B1", "Участник"},        {Cell(roundRow, 2), "Тур"},
                                        {Cell(1, n + 3), "Очки"}, {Cell(1, n + 4), "Место"}, {Cell(rows - 2, 3), "Группа"},
                                        {Cell(rows - 2, 6), "Мишень №"}, {Cell(rows, 3), "Старший группы"}};
    for (int k = 1; k <= n; ++k) shown[Cell(1, k + 2)] = shown[Cell(2 * k, 1)] = shown[Cell(roundRow, k + 2)] = QString::number(k);
    shown.erase(Cell(roundRow, n + 2));  // n - 1 rounds
    const QRegularExpression pairing("^(\\d+) -- (\\d+)$");
    std::set<std::pair<int, int>> met;
    for (int row = 1; row <= rows + 2; ++row)
      for (int col = 1; col <= cols + 1; ++col) {
        const QString name = Cell(row, col), value = Value(book, name);
        const QJsonObject raw = Raw(book, name);
        EXPECT_TRUE((row <= rows && col <= cols) || (value.isEmpty() && raw.isEmpty())) << name.toStdString();
        if (row > rows || col > cols) continue;
        const int round = col - 2, line = row - roundRow;
        if (round >= 1 && round < n && line >= 1 && line <= n / 2) {
          const QRegularExpressionMatch m = pairing.match(value);
          EXPECT_TRUE(m.hasMatch() && met.insert({m.captured(1).toInt(), m.captured(2).toInt()}).second)
              << name.toStdString() << " " << value.toStdString();
          EXPECT_TRUE(line > 1 || value == "1 -- " + QString::number(n - round + 1)) << value.toStdString();
        } else {
          EXPECT_EQ(value, shown.count(name) ? shown[name] : QString()) << name.toStdString();
        }
        // Header row and number column, the round row, each participant's own cell.
        const QString fill = row >= 2 && row <= 2 * n + 1 && col == row / 2 + 2 ? "FF0000FF"
                             : row == 1 || (col == 1 && row <= 2 * n + 1)      ? "FFCCFFCC"
                             : row == roundRow                                 ? "FFFFFF99"
                                                                               : QString();
        EXPECT_TRUE(raw["fill"].toString() == fill && Styled(book, name, 12)) << name.toStdString();
        for (const char* edge : {"left", "right", "top", "bottom"})
          EXPECT_EQ(raw[edge].toString(), "thin") << name.toStdString() << " " << edge;
      }
    EXPECT_EQ(static_cast<int>(met.size()), n * (n - 1) / 2);
  }
}

// The rows of each column whose given edge carries a line; no cell has a left or bottom edge or a fill.
std::map<int, std::vector<int>> EdgesOf(const QJsonObject& book, int rows, int cols, const char* edge) {
  std::map<int, std::vector<int>> out;
  for (int col = 1; col <= cols + 1; ++col)
    for (int row = 1; row <= rows + 1; ++row) {
      const QJsonObject raw = book["raw"].toObject()[Cell(row, col)].toObject();
      if (raw[edge].toString() == "thin") out[col].push_back(row);
      EXPECT_TRUE(raw["left"].toString() + raw["bottom"].toString() + raw["fill"].toString() == "")
          << Cell(row, col).toStdString();
    }
  return out;
}

TEST_F(BlankTest, BracketWorkbooksReadBackAsTheBrackets) {
  for (int item = 0; item < 4; ++item) {
    const int s = 8 << item, cols = 5 + item, rows = 2 * s + 2;
    SCOPED_TRACE(s);
    Print(1, item);
    EXPECT_TRUE(msg->Log().empty());
    EXPECT_EQ(Focused(), c->ComboBox2);
    EXPECT_EQ(Phases(), (QStringList{"Workbooks", "Add", "WorkSheets", "ColumnWidth", "Borders", "Size", "Bold",
                                     "HorizontalAlignment", "VerticalAlignment", "PageSetup", "Value", "Visible"}));
    QStringList edges;  // all the slot lines (top edges) first, then the connectors (right edges)
    for (const automation::Call& call : recorded.Calls())
      if (call.member == "Borders" && !edges.endsWith(call.args[0].toString())) edges << call.args[0].toString();
    EXPECT_EQ(edges, (QStringList{"3", "2"}));

    const QJsonObject book = Written();
    EXPECT_TRUE(OnePage(book, s == 8));  // the larger brackets are taller than wide
    EXPECT_TRUE(book["merges"].toArray().isEmpty());
    std::vector<double> widths(cols + 1, 25);
    widths[0] = 4;
    EXPECT_EQ(Widths(book), widths);
    const auto top = EdgesOf(book, rows, cols, "top"), right = EdgesOf(book, rows, cols, "right");
    std::map<int, std::vector<int>> lines, connectors;  // the winner's column has no connector
    for (int col = 2; col <= cols; ++col) lines[col] = darts::SlotLineRows(s, col - 1);
    for (int col = 2; col < cols; ++col) connectors[col] = darts::ConnectorRows(s, col - 1);
    EXPECT_TRUE(top == lines && right == connectors);
    // Titles in row 1, the seeds in the odd rows of column A, nothing else.
    std::vector<int> seeds;
    for (int row = 1; row <= rows + 1; ++row)
      for (int col = 1; col <= cols + 1; ++col) {
        const QString value = Value(book, Cell(row, col));
        EXPECT_TRUE(row > rows || col > cols || Styled(book, Cell(row, col), 16)) << Cell(row, col).toStdString();
        if (row == 1 && col >= 2 && col <= cols)
          EXPECT_EQ(value, darts::RoundTitle(s, col - 1));
        else if (col == 1 && row % 2 == 1 && row >= 3 && row <= 2 * s + 1)
          seeds.push_back(value.toInt());
        else
          EXPECT_TRUE(value.isEmpty()) << Cell(row, col).toStdString() << " " << value.toStdString();
      }
    EXPECT_EQ(seeds, darts::SeedOrder(s));
    using Edges = std::map<int, std::vector<int>>;
    EXPECT_TRUE(s != 8 || (top == Edges{{2, {4, 6, 8, 10, 12, 14, 16, 18}}, {3, {5, 9, 13, 17}}, {4, {7, 15}}, {5, {11}}} &&
                           right == Edges{{2, {4, 5, 8, 9, 12, 13, 16, 17}}, {3, {5, 6, 7, 8, 13, 14, 15, 16}},
                                          {4, {7, 8, 9, 10, 11, 12, 13, 14}}}));
    EXPECT_TRUE(s != 64 || (Value(book, "A129") + " " + Value(book, "A3") + " " + Value(book, "A5") == "2 1 64" &&
                            top.at(2).front() == 4 && top.at(2).back() == 130 && top.at(8) == std::vector<int>{67}));
  }
}

// No program to start, or one that fails at once: the same error box, the
// window as it was, the focus back in the size list.
TEST_F(BlankTest, NoSpreadsheetProgramIsReportedAndNothingChanges) {
  for (const bool found : {false, true}) {
    SCOPED_TRACE(found);
    Reset();
    msg->Clear();
    started = 0;
    ui::seams().spreadsheetProgram = [found] { return found ? QStringList{"true"} : QStringList(); };
    automation::seams().findProgram = [](const QString&) { return QString(); };
    ui::seams().startDetached = [this](const QString&, const QStringList&) { return ++started < 0; };
    for (int system : {0, 1}) {
      Print(system, 1);
      EXPECT_EQ(Focused(), system == 0 ? c->ComboBox1 : c->ComboBox2);
    }
    EXPECT_EQ(msg->Texts(), QStringList(2, "Невозможно запустить Excel"));
    for (const ui::ShownMessage& m : msg->Log())
      EXPECT_TRUE(m.kind == ui::ShownMessage::Kind::ErrorBox && m.caption == "Ошибка");
    EXPECT_TRUE(started == (found ? 2 : 0) && f->isVisible());
    EXPECT_EQ(f->GroupSize + f->BracketSize, 6 + 16);
  }
}

}  // namespace
