// What the practice windows must do alike: the export call sequence of each,
// Enter on a focused button, and messages shown over the state they tell of.
#include <gtest/gtest.h>

#include <QDir>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "automation/Excel.h"
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
// and the row they are set through, the coloured rows, the merge, and the size
// of the value array (its bounds from 0, plus one).
TEST_F(PracticeWindowsTest, ExportCallSequence) {
  practice_tests::SpreadsheetRecorder recorder;
  struct Case {
    const char* name;
    std::function<QWidget*()> play;  // returns the window to leave
    int lastRow, lastCol;
    int widthRow;
    std::vector<int> widths;
    int colouredRows;
    bool mergeStamp;
    QSize array;  // columns x rows
  };
  const Case cases[] = {
      {"27, an early end at sector 5",
       [] {
         Form27->ShowModal();
         Keys(Form27, {Qt::Key_F7, Qt::Key_F4, Qt::Key_F4, Qt::Key_F4, Qt::Key_F4, Qt::Key_F4});
         return Form27;
       },
       8, 4, 1, {8, 19, 15, 13}, 1, false, QSize(5, 9)},
      {"50, two legs",
       [] {
         Form50->ShowModal();
         Keys(Form50, {Qt::Key_F9, Qt::Key_F8, Qt::Key_F8, Qt::Key_F8, Qt::Key_F4, Qt::Key_F1});
         Keys(Form50, {Qt::Key_F9, Qt::Key_F8, Qt::Key_F8, Qt::Key_F8, Qt::Key_F4, Qt::Key_F2});
         return Form50;
       },
       3, 4, 1, {4, 16, 12, 14}, 1, false, QSize(5, 4)},
      {"60, a game to 131",
       [] {
         Form60->ShowModal();
         Repeat(Form60, Qt::Key_F3, 7);  // 60 .. 130
         Keys(Form60, {Qt::Key_F4});
         return Form60;
       },
       10, 4, 1, {8, 8, 8, 16}, 1, false, QSize(4, 10)},
      {"DDV, two games",
       [] {
         Form_ddv->ShowModal();
         for (int game = 0; game < 2; ++game) {
           Keys(Form_ddv, {Qt::Key_F7});
           Repeat(Form_ddv, Qt::Key_F1, 200);
         }
         return Form_ddv;
       },
       15, 3, 2, {30, 10, 10}, 2, true, QSize(4, 16)},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    QWidget* window = t.play();
    msg.reset();  // a fresh script: Clear() keeps the position of the old one
    msg = std::make_unique<ui::ScriptedMessages>();
    msg->Answer(ui::mrYes);
    Keys(window, {Qt::Key_F10});
    ASSERT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitConfirmText)});
    EXPECT_FALSE(window->isVisible());
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
