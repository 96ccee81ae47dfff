// What the practice windows must do alike: the export call sequence of each,
// Enter on a focused button, and messages shown over the state they tell of.
#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "automation/Excel.h"
#include "gamekit/GameConventions.h"
#include "games/Form_ddv_r.h"
#include "games/ddv.h"
#include "games/form_27.h"
#include "games/form_50.h"
#include "games/form_60.h"
#include "tests/games/PracticeGamesSupport.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"

namespace {

using testing_support::TempCurrentDir;

class PracticeWindowsTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    msg = std::make_unique<ui::ScriptedMessages>();
    dir = std::make_unique<TempCurrentDir>();
    for (const char* folder : {"27", "50", "60", "ddv"}) QDir(dir->Path()).mkdir(folder);
    Renew(Form27);
    Renew(Form50);
    Renew(Form60);
    Renew(Form_ddv);
    Renew(Form_ddv_raschet);
  }
  void TearDown() override {
    for (ui::TForm* form : std::initializer_list<ui::TForm*>{Form27, Form50, Form60, Form_ddv, Form_ddv_raschet})
      form->Close();
    Drop(Form27);
    Drop(Form50);
    Drop(Form60);
    Drop(Form_ddv);
    Drop(Form_ddv_raschet);
    dir.reset();
    msg.reset();
    SeamsFixture::TearDown();
  }
  template <class T>
  static void Renew(T*& form) {
    delete form;
    form = new T;
  }
  template <class T>
  static void Drop(T*& form) {
    delete form;
    form = nullptr;
  }
  static void Keys(QWidget* window, const std::vector<Qt::Key>& keys) {
    for (Qt::Key k : keys) QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, k);
  }
  static void Repeat(QWidget* window, Qt::Key key, int n) { Keys(window, std::vector<Qt::Key>(n, key)); }

  std::unique_ptr<ui::ScriptedMessages> msg;
  std::unique_ptr<TempCurrentDir> dir;
};

QString Letter(int col) { return QString(QChar('A' + col - 1)); }
QString A1(int row, int col) { return Letter(col) + QString::number(row); }

// The calls an export makes, but the corner cells each range is built from.
QStringList RecordedCalls(QSize* value) {
  QStringList calls;
  for (const automation::Call& call : automation::LastApplication()->Calls()) {
    if (call.member == "Cells") continue;
    calls << call.Describe();
    if (call.member == "Value") {
      const QVariantList rows = call.value.toList();
      *value = QSize(rows.isEmpty() ? 0 : rows[0].toList().size(), rows.size());
    }
  }
  return calls;
}

// Each window's export, left by Yes after a short play: the block, the widths
// and the row they are set through, the coloured rows, the merge, the size of
// the value array (its bounds from 0, plus one), and cells a reader must see.
struct ExportCase {
  const char* name;
  std::function<QWidget*()> play;  // returns the window to leave
  int lastRow, lastCol;
  int widthRow;
  std::vector<int> widths;
  int colouredRows;
  bool mergeStamp;
  QSize array;  // columns x rows
  std::vector<std::pair<const char*, const char*>> cells;
};

std::vector<ExportCase> ExportCases() {
  auto keys = [](QWidget* window, const std::vector<Qt::Key>& keys) {
    for (Qt::Key k : keys) QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, k);
  };
  return {
      {"27, an early end at sector 5",
       [keys] {
         Form27->ShowModal();
         keys(Form27, {Qt::Key_F7, Qt::Key_F4, Qt::Key_F4, Qt::Key_F4, Qt::Key_F4, Qt::Key_F4});
         return Form27;
       },
       8, 4, 1, {8, 19, 15, 13}, 1, false, QSize(5, 9),
       {{"A1", "Сектор"}, {"D1", "Сумма очков"}, {"B2", "Игра - 1"}, {"C6", "-8"}, {"D7", "-3"}, {"A8", ""}}},
      {"50, two legs",
       [keys] {
         Form50->ShowModal();
         keys(Form50, {Qt::Key_F9, Qt::Key_F8, Qt::Key_F8, Qt::Key_F8, Qt::Key_F4, Qt::Key_F1});
         keys(Form50, {Qt::Key_F9, Qt::Key_F8, Qt::Key_F8, Qt::Key_F8, Qt::Key_F4, Qt::Key_F2});
         return Form50;
       },
       3, 4, 1, {4, 16, 12, 14}, 1, false, QSize(5, 4),
       {{"A1", "Лег"}, {"B1", "Кол-во дротиков"}, {"D1", "Средний набор"}, {"B2", "10"}, {"C2", "50"}, {"A3", "2"},
        {"B3", "11"}, {"D3", "136.36"}}},
      {"60, a game to 131",
       [keys] {
         Form60->ShowModal();
         keys(Form60, std::vector<Qt::Key>(7, Qt::Key_F3));  // 60 .. 130
         keys(Form60, {Qt::Key_F4});
         return Form60;
       },
       10, 4, 1, {8, 8, 8, 16}, 1, false, QSize(4, 10),
       {{"A1", "Подход"}, {"D1", "Каким дротиком"}, {"D2", "Игра - 1"}, {"B9", "120"}, {"B10", "130"}, {"C10", "Да"}, {"D10", "3"}}},
      {"DDV, two games",
       [keys] {
         Form_ddv->ShowModal();
         for (int game = 0; game < 2; ++game) {
           keys(Form_ddv, {Qt::Key_F7});
           keys(Form_ddv, std::vector<Qt::Key>(game == 0 ? 200 : 5, Qt::Key_F1));
           keys(Form_ddv, std::vector<Qt::Key>(game == 0 ? 0 : 195, Qt::Key_F4));
         }
         return Form_ddv;
       },
       15, 3, 2, {30, 10, 10}, 2, true, QSize(4, 16),
       {{"B2", "Игра - 1"}, {"C2", "Игра - 2"}, {"A3", "Процент"}, {"B3", "100"}, {"C3", "2.5"}, {"B4", "0.1"},
        {"C4", ""}, {"B15", "66(198)"}, {"A15", "Три дротика(180)"}}},
  };
}

// Plays a case and leaves its window with Yes.
void PlayAndExport(const ExportCase& t, std::unique_ptr<ui::ScriptedMessages>& msg) {
  QWidget* window = t.play();
  msg.reset();  // a fresh script: Clear() keeps the position of the old one
  msg = std::make_unique<ui::ScriptedMessages>();
  msg->Answer(ui::mrYes);
  QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_F10);
  EXPECT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitConfirmText)});
  EXPECT_FALSE(window->isVisible());
}

TEST_F(PracticeWindowsTest, ExportCallSequence) {
  practice_tests::SpreadsheetRecorder recorder;
  for (const ExportCase& t : ExportCases()) {
    SCOPED_TRACE(t.name);
    PlayAndExport(t, msg);
    ASSERT_TRUE(automation::LastApplication());
    QSize array;
    const QStringList calls = RecordedCalls(&array);

    const QString block = QString("Range(A1:%1)").arg(A1(t.lastRow, t.lastCol));
    QStringList expected = {"Workbooks", "Workbooks.Add", "WorkSheets(1)",
                            QString("WorkSheets(1).Range(Cells(1, 1), Cells(%1, %2))").arg(t.lastRow).arg(t.lastCol)};
    if (t.mergeStamp) expected << "WorkSheets(1).Range(A1:B1)" << "Range(A1:B1).Merge";
    for (int col = 1; col <= t.lastCol; ++col) {
      expected << QString("WorkSheets(1).Range(Cells(%1, %2), Cells(%1, %2))").arg(t.widthRow).arg(col)
               << QString("Range(%1:%1).ColumnWidth = %2").arg(A1(t.widthRow, col)).arg(t.widths[col - 1]);
    }
    expected << QString("WorkSheets(1).Range(Cells(1, 1), Cells(%1, %2))").arg(t.colouredRows).arg(t.lastCol)
             << QString("Range(A1:%1).Interior.ColorIndex = 35").arg(A1(t.colouredRows, t.lastCol));
    for (int edge = 1; edge <= 4; ++edge) {
      const QString border = QString("%1.Borders(%2)").arg(block).arg(edge);
      expected << border << border + ".LineStyle = 1" << border + ".Weight = 2" << border + ".ColorIndex = 0";
    }
    expected << QString("%1.Value = [%2x%3]").arg(block).arg(t.array.height()).arg(t.array.width())
             << "Visible = True";
    EXPECT_EQ(calls.join("\n").toStdString(), expected.join("\n").toStdString());
    EXPECT_EQ(array, t.array);
  }
}

// What a reader of each exported workbook sees (numbers as numbers or as
// texts with either separator).
TEST_F(PracticeWindowsTest, ExportReadBack) {
  practice_tests::SpreadsheetRecorder recorder;
  auto same = [](QString got, QString want) {
    got.replace(QChar(','), QChar('.'));
    bool a = false, b = false;
    const double x = got.toDouble(&a), y = want.toDouble(&b);
    return a && b ? qFuzzyCompare(x + 1, y + 1) : got == want;
  };
  for (const ExportCase& t : ExportCases()) {
    SCOPED_TRACE(t.name);
    PlayAndExport(t, msg);
    const std::optional<QJsonObject> book = practice_tests::ReadBack(automation::LastApplication()->WrittenFile());
    ASSERT_TRUE(book);
    for (const auto& [cell, text] : t.cells)
      EXPECT_TRUE(same(practice_tests::CellText(*book, cell), QString::fromUtf8(text)))
          << cell << ": " << practice_tests::CellText(*book, cell).toStdString();
    EXPECT_FALSE(book->value("cells").toObject().contains(A1(t.lastRow + 1, 1)));
    EXPECT_FALSE(book->value("cells").toObject().contains(A1(1, t.lastCol + 1)));
    const QString heading = practice_tests::CellFill(*book, A1(t.colouredRows, t.lastCol));
    EXPECT_FALSE(heading.isEmpty());
    EXPECT_TRUE(practice_tests::CellFill(*book, A1(t.colouredRows + 1, t.lastCol)).isEmpty());
    EXPECT_TRUE(practice_tests::HasThinBorders(*book, A1(t.lastRow, t.lastCol)));
    EXPECT_EQ(book->value("merges").toArray(), t.mergeStamp ? QJsonArray{"A1:B1"} : QJsonArray{});
  }
}

// An automation error after the spreadsheet program started ends the exit:
// the error is reported, and the window stays open with what it recorded.
TEST_F(PracticeWindowsTest, LaterAutomationErrorKeepsTheWindow) {
  practice_tests::SpreadsheetRecorder recorder;
  ui::seams().startDetached = [](const QString&, const QStringList&) { return false; };
  const std::function<QString()> recorded[] = {
      [] { return Form27->Controls().StringGrid2->Cell(1, 1); },
      [] { return Form50->Controls().StringGrid2->Cell(0, 0); },
      [] { return Form60->Controls().StringGrid3->Cell(3, 1); },
      [] { return Form_ddv->Controls().StringGrid2->Cell(1, 1); },
  };
  const std::vector<ExportCase> cases = ExportCases();
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    QWidget* window = cases[i].play();
    const QString before = recorded[i]();
    ASSERT_FALSE(before.isEmpty());
    msg.reset();
    msg = std::make_unique<ui::ScriptedMessages>();
    msg->Answer(ui::mrYes);
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_F10);
    ASSERT_EQ(msg->Log().size(), 2u);
    EXPECT_EQ(msg->Log()[1].kind, ui::ShownMessage::Kind::Exception);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(recorded[i](), before);
    static_cast<ui::TForm*>(window)->Close();
  }
}

// A focused button answers Enter as it answers Space, in every window.
TEST_F(PracticeWindowsTest, EnterClicksTheFocusedButton) {
  struct Case {
    const char* name;
    std::function<QAbstractButton*()> prepare;  // opens the window, returns the button to focus
    std::function<QString()> observe;
    QString before, after;
  };
  const Case cases[] = {
      {"27: three hits on sector 1",
       [] {
         Form27->ShowModal();
         Keys(Form27, {Qt::Key_F7});
         return Form27->Controls().BitBtn6;
       },
       [] { return QString::number(Form27->Total); }, "27", "33"},
      {"50: a visit of 100",
       [] {
         Form50->ShowModal();
         Keys(Form50, {Qt::Key_F9});
         return Form50->Controls().BitBtn13;
       },
       [] { return Form50->Controls().Panel5->text(); }, "", "400"},
      {"60: closed with the third dart",
       [] {
         Form60->ShowModal();
         return Form60->Controls().BitBtn5;
       },
       [] { return Form60->Controls().Panel1->text(); }, "60", "70"},
      {"DDV: new game",
       [] {
         Form_ddv->ShowModal();
         return Form_ddv->Controls().BitBtn1;
       },
       [] { return QString::number(Form_ddv->GameNumber); }, "0", "1"},
      {"analysis: Выход",
       [] {
         Form_ddv_raschet->ShowModal();
         return Form_ddv_raschet->Controls().BitBtn1;
       },
       [] { return QString::number(Form_ddv_raschet->isVisible()); }, "1", "0"},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    QAbstractButton* button = t.prepare();
    button->setFocus();
    ASSERT_EQ(button->window()->focusWidget(), button);
    EXPECT_EQ(t.observe(), t.before);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(t.observe(), t.after);
    // Another key on the button does nothing of the kind.
    QTest::keyClick(button, Qt::Key_A);
    EXPECT_EQ(t.observe(), t.after);
  }
}

// The lost game of 60 is told while the target it ended on is still shown.
TEST_F(PracticeWindowsTest, LostGameIsToldOverItsLastTarget) {
  Form60->ShowModal();
  Repeat(Form60, Qt::Key_F8, 58);
  ASSERT_EQ(Form60->Controls().Panel1->text(), "2");
  QString shownTarget;
  msg->onShow = [&](const ui::ShownMessage&) { shownTarget = Form60->Controls().Panel1->text(); };
  Keys(Form60, {Qt::Key_F8});
  EXPECT_EQ(msg->Texts(), QStringList{"Игра окончена! Да... надо что-то менять!!!"});
  EXPECT_EQ(shownTarget, "1");
  EXPECT_EQ(Form60->Controls().Panel1->text(), "60");
  EXPECT_EQ(Form60->HistoryRow, 1 + 59 + 1);
}

}  // namespace
