// The tournament sheet window by mouse and keyboard, and each sheet as the
// spreadsheet program receives it and as its workbook reads back.
#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <optional>

#include "darts/TournamentRules.h"
#include "tests/support/Exports.h"
#include "tests/support/TestSupport.h"
#include "tournament/blank.h"
#include "ui_blank.h"

namespace {

using Edges = std::map<int, std::vector<int>>;  // the rows of each column whose edge carries a line

QString Cell(int row, int col) { return QChar('A' + col - 1) + QString::number(row); }

class BlankTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    msg.emplace();
    ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
    ui::seams().startDetached = [](const QString&, const QStringList&) { return true; };
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
  void Key(Qt::Key key) { QTest::keyClick(Focused(), key); }
  QWidget* Item(int i) const { return c->RadioGroup1->Button(i); }
  std::vector<int> Sizes() const { return {f->GroupSize(), f->BracketSize(), f->BracketColumns()}; }
  // Chooses an item of a closed list with the arrow keys.
  void Choose(QComboBox* box, int index) {
    box->setFocus();
    while (box->currentIndex() != index) QTest::keyClick(box, box->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
  }
  // The system by mouse, its size by keys, then its "Печать" button by Space.
  void Print(int system, int item) {
    QTest::mouseClick(Item(system), Qt::LeftButton);
    Choose(system == 0 ? c->ComboBox1 : c->ComboBox2, item);
    (system == 0 ? c->BitBtn2 : c->BitBtn3)->setFocus();
    Key(Qt::Key_Space);
  }
  // Prints a sheet and reads its workbook back: no box; the focus back in the
  // size list, not on the button that would print again; one page turned as
  // asked; the column widths (whole characters, from A on, none beyond); then
  // every cell of the sheet, and one row and one column beyond it (empty), as
  // expected: its value as text (whether a text or a number), its fill, which
  // edges carry a thin line ("l", "t", "r", "b"); bold of the size and centred
  // both ways (or covered by a merge).
  void ReadsBack(int system, int item, bool landscape, const std::vector<double>& widths, int rows, int cols,
                 double size, const std::function<QStringList(int row, int col)>& expected) {
    Print(system, item);
    EXPECT_TRUE(msg->Log().empty());
    EXPECT_EQ(Focused(), system == 0 ? c->ComboBox1 : c->ComboBox2);
    book = testing_support::ReadWorkbook(recorded.WrittenFile());
    const QJsonObject page = {
        {"orientation", landscape ? "landscape" : "portrait"}, {"scale", 100}, {"fit", QJsonArray{1, 1}}};
    EXPECT_EQ(book["page"].toObject(), page);
    std::vector<double> written;
    for (const QJsonValue& w : book["widths"].toObject()) written.push_back(std::floor(w.toDouble()));
    EXPECT_EQ(written, widths);
    for (int row = 1; row <= rows + 1; ++row)
      for (int col = 1; col <= cols + 1; ++col) {
        const QString name = Cell(row, col);
        const QJsonObject cell = book["cells"].toObject()[name].toObject(),
                          raw = book["raw"].toObject()[name].toObject();
        const QJsonValue v = cell["value"];
        QStringList got = {v.isDouble() ? QString::number(v.toDouble()) : v.toString(), raw["fill"].toString(), ""};
        for (const char* edge : {"left", "top", "right", "bottom"})
          if (raw[edge].toString() == "thin") got[2] += edge[0];
        const bool inside = row <= rows && col <= cols;
        EXPECT_EQ(got, inside ? expected(row, col) : QStringList({"", "", ""})) << name.toStdString();
        const bool styled = cell["size"].toDouble() == size && cell["bold"].toBool() &&
                            cell["h"].toString() == "center" && cell["v"].toString() == "center";
        EXPECT_TRUE(!inside || cell["covered"].toBool() || styled) << name.toStdString();
      }
  }

  TForm_blank* f = nullptr;
  Ui::TForm_blank* c = nullptr;
  std::optional<testing_support::ScriptedMessages> msg;
  testing_support::RecordedCalls recorded;
  QJsonObject book;  // the last workbook read back
};

// Scripts: "r<i>" clicks a system, "g<i>"/"b<i>" choose a group/bracket size by keys, "s<i>" sets
// the bracket list from code, "x" leaves by the exit button and opens the window again. The label,
// list and button of the chosen system are enabled, the other's are not.
TEST_F(BlankTest, ChoicesSetSizesAndEnableTheirControls) {
  const struct {
    std::vector<std::string> script;
    int system;              // -1: none
    std::vector<int> sizes;  // group, bracket, bracket columns, then the items the two lists show
  } cases[] = {{{"x"}, -1, {0, 0, 0, 0, 0}},
               {{"r0", "g2"}, 0, {8, 0, 0, 2, 0}},
               {{"r1", "b1"}, 1, {0, 16, 6, 0, 1}},
               {{"r1", "b3", "r0"}, 0, {4, 64, 8, 0, 3}},
               {{"r0", "g2", "r1", "r0"}, 0, {4, 8, 5, 0, 0}},
               {{"r0", "g2", "r1", "b2", "r0", "r1"}, 1, {4, 8, 5, 0, 0}},
               {{"r0", "g2", "r0"}, 0, {8, 0, 0, 2, 0}},
               {{"r1", "b3", "s1"}, 1, {0, 64, 8, 0, 1}},
               {{"r1", "b2", "x"}, 1, {0, 32, 7, 0, 2}},
               {{"r0", "g1", "x", "x"}, 0, {6, 0, 0, 1, 0}}};
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
    std::vector<int> sizes = Sizes();
    sizes.insert(sizes.end(), {c->ComboBox1->currentIndex(), c->ComboBox2->currentIndex()});
    EXPECT_EQ(sizes, t.sizes);
    const std::vector<bool> on = {c->Label1->isEnabled(), c->ComboBox1->isEnabled(), c->BitBtn2->isEnabled(),
                                  c->Label2->isEnabled(), c->ComboBox2->isEnabled(), c->BitBtn3->isEnabled()};
    const bool rr = t.system == 0, ko = t.system == 1;
    EXPECT_EQ(on, std::vector<bool>({rr, rr, rr, ko, ko, ko}));
    // A reopened window starts on the chosen system, or on the first.
    EXPECT_TRUE(t.script.back() != "x" || Focused() == Item(std::max(t.system, 0)));
  }
}

// Focus on the first item at opening; Space chooses, Right moves the choice; Tab runs through the
// enabled controls; Space presses the focused button.
TEST_F(BlankTest, TheKeyboardAloneChoosesASystemAndLeaves) {
  ASSERT_EQ(Focused(), Item(0));
  Key(Qt::Key_Space);
  EXPECT_TRUE(c->RadioGroup1->ItemIndex() == 0 && c->BitBtn2->isEnabled());
  Key(Qt::Key_Right);
  EXPECT_TRUE(Focused() == Item(1) && c->RadioGroup1->ItemIndex() == 1 && c->BitBtn3->isEnabled());
  for (QWidget* next : std::initializer_list<QWidget*>{c->ComboBox2, c->BitBtn3, c->BitBtn1}) {
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focused(), next) << next->objectName().toStdString();
  }
  Key(Qt::Key_Space);
  EXPECT_FALSE(f->isVisible());
}

// Each sheet cell by cell. A round-robin table: the numbers, titles and the
// pairings of each round, the merged cells, the fills, a thin line round every
// cell, bold 12, wider than tall. A bracket: the round titles in row 1, the
// seeds in the odd rows of column A, the lines as top edges and the connectors
// as right edges, bold 16, no fill, no merge, taller than wide from 16 on.
TEST_F(BlankTest, WorkbooksReadBackCellByCell) {
  const QStringList footers[] = {
      {"A13:H13", "A15:H15", "A14:B14", "C14:D14", "F14:G14", "A16:B16", "C16:E16", "F16:H16"},
      {"A18:J18", "A20:J20", "A19:B19", "C19:D19", "F19:G19", "H19:J19", "A21:B21", "C21:E21", "F21:J21"},
      {"A23:L23", "A25:L25", "A24:B24", "C24:D24", "F24:G24", "H24:L24", "A26:B26", "C26:E26", "F26:L26"}};
  for (int item = 0; item < 3; ++item) {
    const int n = 4 + 2 * item, cols = n + 4, rows = 2 * n + 6 + n / 2, roundRow = 2 * n + 2;
    SCOPED_TRACE(n);
    std::map<QString, QString> shown = {
        {"A1", "№"}, {"B1", "Участник"}, {Cell(1, n + 3), "Очки"}, {Cell(1, n + 4), "Место"}};
    shown.insert({{Cell(roundRow, 2), "Тур"}, {Cell(rows - 2, 3), "Группа"}, {Cell(rows - 2, 6), "Мишень №"}});
    shown.insert({Cell(rows, 3), "Старший группы"});
    for (int k = 1; k <= n; ++k) shown[Cell(1, k + 2)] = shown[Cell(2 * k, 1)] = QString::number(k);
    const auto rounds = darts::RoundRobinRounds(n);
    for (int k = 1; k < n; ++k) {
      shown[Cell(roundRow, k + 2)] = QString::number(k);
      for (int line = 1; line <= n / 2; ++line)
        shown[Cell(roundRow + line, k + 2)] = darts::PairingText(rounds[k - 1][line - 1]);
    }
    EXPECT_EQ(shown[Cell(roundRow + 1, 4)], "1 -- " + QString::number(n - 1));
    std::vector<double> widths(n + 4, 7);
    widths[0] = 4, widths[1] = 25, widths[n + 2] = widths[n + 3] = 8;
    ReadsBack(0, item, true, widths, rows, cols, 12, [&](int row, int col) {
      // Each participant's own cell, the header row and number column, the round row.
      const QString fill = row >= 2 && row <= 2 * n + 1 && col == row / 2 + 2 ? "FF0000FF"
                           : row == 1 || (col == 1 && row <= 2 * n + 1)       ? "FFCCFFCC"
                           : row == roundRow                                  ? "FFFFFF99"
                                                                              : QString();
      return QStringList{shown[Cell(row, col)], fill, "ltrb"};
    });
    // Each participant's number, name and own cell, the place column, the footer.
    QStringList merges = footers[item], written;
    for (int k = 1; k <= n; ++k)
      for (int col : {1, 2, k + 2, cols}) merges << Cell(2 * k, col) + ":" + Cell(2 * k + 1, col);
    merges.sort();
    for (const QJsonValue& v : book["merges"].toArray()) written << v.toString();
    EXPECT_EQ(written, merges);
  }
  for (int item = 0; item < 4; ++item) {
    const int s = 8 << item, cols = 5 + item;
    SCOPED_TRACE(s);
    Edges lines, connectors;  // the winner's column has no connector
    for (int col = 2; col <= cols; ++col) lines[col] = darts::SlotLineRows(s, col - 1);
    for (int col = 2; col < cols; ++col) connectors[col] = darts::ConnectorRows(s, col - 1);
    const std::vector<int> seeds = darts::SeedOrder(s);
    std::vector<double> widths(cols + 1, 25);
    widths[0] = 4;
    ReadsBack(1, item, s == 8, widths, 2 * s + 2, cols, 16, [&](int row, int col) {
      QStringList e = {"", "", ""};
      if (row == 1 && col >= 2) e[0] = darts::RoundTitle(s, col - 1);
      if (col == 1 && row % 2 == 1 && row >= 3 && row <= 2 * s + 1) e[0] = QString::number(seeds[row / 2 - 1]);
      for (const auto& [edge, rowsOf] : {std::pair{"t", &lines}, std::pair{"r", &connectors}})
        if (rowsOf->count(col) && std::count(rowsOf->at(col).begin(), rowsOf->at(col).end(), row)) e[2] += edge;
      return e;
    });
    EXPECT_TRUE(book["merges"].toArray().isEmpty());
    // The lines of the smallest bracket; the others follow by the rules of the lines.
    const Edges smallest = {{2, {4, 6, 8, 10, 12, 14, 16, 18}}, {3, {5, 9, 13, 17}}, {4, {7, 15}}, {5, {11}}};
    EXPECT_TRUE(s != 8 || lines == smallest);
  }
}

// No spreadsheet program to start: the error box, the window as it was, the
// focus back in the size list.
TEST_F(BlankTest, NoSpreadsheetProgramIsReportedAndNothingChanges) {
  ui::seams().spreadsheetProgram = [] { return QStringList(); };
  automation::seams().findProgram = [](const QString&) { return QString(); };
  for (int system : {0, 1}) {
    Print(system, 1);
    EXPECT_EQ(Focused(), system == 0 ? c->ComboBox1 : c->ComboBox2);
  }
  EXPECT_EQ(msg->Texts(), QStringList(2, "Невозможно запустить Excel"));
  for (const ui::ShownMessage& m : msg->Log())
    EXPECT_TRUE(m.kind == ui::ShownMessage::Kind::ErrorBox && m.caption == "Ошибка");
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(Sizes(), (std::vector<int>{6, 16, 6}));
}

}  // namespace
