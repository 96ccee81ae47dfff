// The solo practice window driven through its keys, field and buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QTest>
#include <memory>

#include "app/Form_501s.h"
#include "app/Kalvern.h"
#include "gamekit/GameConventions.h"
#include "tests/support/Exports.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"

namespace {

using testing_support::FixedClock;
using testing_support::TempCurrentDir;

const QString kImpossible = "Внимание!!! Недопустимое значение в дартс.";
const QString kAboveRemainder = "Внимание!!! Недопустимое значение. Введеное число больше остатка.";
const QString kNoFinish = "Перебор! Надо вводит значение 0. Будте внимательным.";
const QString kLegOver = "Игра окончена.";

enum Game { k501 = 0, k301 = 1, k201 = 2, k170 = 3 };

class SoloWindowTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    dir = std::make_unique<TempCurrentDir>();
    for (const char* game : {"501", "301", "170"}) QDir(dir->Path()).mkdir(game);
    clock = std::make_unique<FixedClock>(QDateTime(QDate(2012, 5, 10), QTime(9, 5, 6)));
    msg = std::make_unique<testing_support::ScriptedMessages>();
    ui::seams().decimalSeparator = QChar('.');
    if (!Form_kv) Form_kv = new TForm_kv;
    delete Form_501_s;
    f = Form_501_s = new TForm_501_s;
    c = &f->Controls();
  }
  void TearDown() override {
    Form_kv->Close();
    f->Close();
    delete Form_501_s;
    Form_501_s = nullptr;
    msg.reset();
    clock.reset();
    dir.reset();
    SeamsFixture::TearDown();
  }

  // Opens the window, chooses the game and starts the first leg (F7).
  void StartGame(Game game) {
    f->ShowModal();
    c->ComboBox1->setCurrentIndex(game);
    emit c->ComboBox1->activated(game);
    Key(Qt::Key_F7);
  }
  void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : f, key); }
  // Types the text into the score field and confirms it with Enter.
  void Enter(const QString& text) {
    QTest::keyClicks(c->MaskEdit1, text);
    QTest::keyClick(c->MaskEdit1, Qt::Key_Return);
  }
  // Visits in turn; -1 starts the next leg.
  void Play(std::initializer_list<int> visits) {
    for (int v : visits) v < 0 ? Key(Qt::Key_F7) : Enter(QString::number(v));
  }
  void LeaveAnswering(int answer) {
    msg.reset();  // a fresh script: answers given before are gone
    msg = std::make_unique<testing_support::ScriptedMessages>();
    msg->Answer(answer);
    Key(Qt::Key_F10);
  }
  QString Visit(int col, int row) const { return c->StringGrid1->Cell(col, row); }
  QString Leg(int col, int row) const { return c->StringGrid2->Cell(col, row); }
  QStringList LegRow(int row) const {
    QStringList out;
    for (int col = 0; col < 11; ++col) out << Leg(col, row);
    return out;
  }
  QStringList Panels() const { return {c->Panel3->text(), c->Panel4->text(), c->Panel6->text()}; }
  // 1 for each enabled control, 0 for each disabled one.
  static QString Enabled(std::initializer_list<QWidget*> controls) {
    QString out;
    for (QWidget* w : controls) out += ui::Enabled(w) ? '1' : '0';
    return out;
  }

  TForm_501_s* f = nullptr;
  Ui::TForm_501_s* c = nullptr;
  std::unique_ptr<testing_support::ScriptedMessages> msg;
  std::unique_ptr<TempCurrentDir> dir;  // with the folders of 501, 301 and 170
  std::unique_ptr<FixedClock> clock;
};

// A refused visit changes nothing; a visit leaving 1 counts as a visit of 0.
TEST_F(SoloWindowTest, RefusedVisitsAndTheBustAtOne) {
  struct Case {
    Game game;
    std::initializer_list<int> before;
    QString text;
    QString message;    // part of the one message shown
    QString atMessage;  // the field while the message is shown
  };
  const QString kOutOfRange = "Внимание!!! Недопустимое значение. Введите число от 0 до 180 ";
  const Case cases[] = {
      {k501, {}, "   ", kOutOfRange, "   "},
      {k501, {}, "181", kOutOfRange, "181"},
      {k501, {}, "173", kImpossible, "173"},         // refused as a total even below the remainder
      {k301, {122}, "180", kAboveRemainder, "180"},  // 179 left: 180 is possible but too much
      {k301, {180, 21}, "101", kAboveRemainder, "101"},
      {k301, {133}, "168", kNoFinish, "   "},  // the field is emptied before this one
      {k301, {142}, "159", kNoFinish, "   "},
      {k501, {}, "1 2", "'1 2' is not a valid integer value", "1 2"},
      {k201, {180, 19}, "1", "Перебор однако!!!", "1  "},
      {k501, {60}, "paste 0x10", kOutOfRange, "   "},  // a paste that is no visit, refused whole
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.text.toStdString());
    StartGame(t.game);
    Play(t.before);
    const float count = f->VisitCount;
    const int remainder = f->Remainder, band180 = f->Band180;
    msg->Clear();
    QString atMessage;
    msg->onShow = [&](const ui::ShownMessage&) { atMessage = c->MaskEdit1->Text(); };
    if (t.text.startsWith("paste ")) {
      QApplication::clipboard()->setText(t.text.mid(6));
      QTest::keyClick(c->MaskEdit1, Qt::Key_V, Qt::ControlModifier);
    } else {
      Enter(t.text);
    }
    msg->onShow = nullptr;
    ASSERT_EQ(msg->Log().size(), 1u);
    EXPECT_TRUE(msg->Log()[0].text.contains(t.message));
    EXPECT_EQ(atMessage, t.atMessage);
    const bool bust = t.text == "1";
    EXPECT_EQ(QStringList({QString::number(f->VisitCount), QString::number(f->Remainder), c->Panel6->text()}),
              QStringList({QString::number(count + bust), QString::number(remainder), QString::number(remainder)}));
    EXPECT_EQ(Visit(1, static_cast<int>(f->VisitCount)), bust ? QString("0") : Visit(1, static_cast<int>(count)));
    EXPECT_EQ(f->Band180, band180);  // the bust counts in no band
    EXPECT_EQ(c->MaskEdit1->Text(), "   ");
    EXPECT_EQ(f->focusWidget(), c->MaskEdit1);
    f->Close();
  }
}

TEST_F(SoloWindowTest, FinishingDartIsAskedOnlyWhenItCanBeInDoubt) {
  enum Offer { kThird, kSecond, kAny };
  const std::pair<int, Offer> cases[] = {{40, kAny},     {50, kAny},   {41, kSecond}, {100, kSecond},
                                         {107, kSecond}, {99, kThird}, {170, kThird}};
  for (const auto& [finish, offer] : cases) {
    SCOPED_TRACE(finish);
    StartGame(k170);
    if (finish != 170) Play({170 - finish});
    const int visits = static_cast<int>(f->VisitCount) + 1;
    msg->Clear();
    Enter(QString::number(finish));
    int dart = 3;
    if (offer == kThird) {
      EXPECT_EQ(msg->Texts(), QStringList{kLegOver});
    } else {
      EXPECT_TRUE(msg->Texts().isEmpty());
      EXPECT_EQ(Enabled({c->BitBtn5, c->BitBtn6, c->BitBtn7}), offer == kAny ? "111" : "011");
      EXPECT_EQ(f->focusWidget(), offer == kAny ? c->BitBtn5 : c->BitBtn6);
      Key(Qt::Key_F1);  // only where dart 1 is offered
      dart = offer == kAny ? 1 : 3;
      if (offer == kSecond && finish % 2 == 0) Key(Qt::Key_F3);
      if (offer == kSecond && finish % 2 == 1) {
        QTest::keyClick(f->focusWidget(), Qt::Key_Return);  // Enter on the focused dart 2
        dart = 2;
      }
      EXPECT_EQ(msg->Texts(), QStringList{kLegOver});
    }
    EXPECT_EQ(Leg(5, 1), QString::number(dart));
    EXPECT_EQ(f->LegDarts, (visits - 1) * 3 + dart);
    EXPECT_EQ(Enabled({c->BitBtn5, c->BitBtn6, c->BitBtn7}), "000");
    EXPECT_EQ(f->focusWidget(), c->BitBtn2);
    QTest::keyClick(f->focusWidget(), Qt::Key_Return);  // Enter on the focused "new leg"
    EXPECT_TRUE(f->LegNumber == 2 && ui::Enabled(c->MaskEdit1));
    f->Close();
  }
}

TEST_F(SoloWindowTest, AveragesOfRecordedLegs) {
  struct Case {
    QChar separator;  // the regional decimal separator
    Game game;
    std::initializer_list<int> visits;
    Qt::Key dartKey;     // Qt::Key_unknown: recorded without asking
    QString row;         // the last leg's row
    QStringList totals;  // averages over the legs in row 0
  };
  const Case cases[] = {
      {'.', k501, {180, 180, 141}, Qt::Key_unknown, "1 9 55.67 167.00 141 3 0 0 0 1 2", {"55.67", "167.00"}},
      {',', k501, {100, 100, 100, 100, 41, 20, 40}, Qt::Key_F2, "1 20 25,05 75,15 40 2 0 0 4 0 0", {"25,05", "75,15"}},
      // Single precision: (56.67 + 42.50) / 2 is just below 49.585 as a float.
      {'.', k170, {170, -1, 130, 40}, Qt::Key_F1, "2 4 42.50 127.50 40 1 0 0 1 0 0", {"49.58", "148.75"}},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.row.toStdString());
    ui::seams().decimalSeparator = t.separator;
    StartGame(t.game);
    Play(t.visits);
    if (t.dartKey != Qt::Key_unknown) Key(t.dartKey);
    EXPECT_TRUE(msg->Texts().endsWith(kLegOver));
    const QStringList row = t.row.split(' ');
    EXPECT_EQ(LegRow(f->LegNumber), row);
    EXPECT_EQ(Visit(3, static_cast<int>(f->VisitCount)), row[3]);
    EXPECT_EQ(QStringList({c->Panel3->text(), c->Panel4->text()}), row.mid(2, 2));
    EXPECT_EQ(QStringList({Leg(2, 0), Leg(3, 0)}), t.totals);
    f->Close();
  }
}

// Undo from every state puts the window back exactly as it was before the
// undone visit, and the same visit entered again gives the same state again.
TEST_F(SoloWindowTest, UndoRestoresTheStateBeforeTheVisit) {
  struct Case {
    const char* name;
    Game game;
    std::initializer_list<int> before;
    int visit;
    QString suggestion;  // after the undo
  };
  const Case cases[] = {
      {"in play", k501, {85}, 100, ""},
      {"only visit, from 80+", k501, {}, 85, ""},
      {"finishing dart asked", k170, {130}, 40, ""},
      {"bust at 1", k201, {180, 19}, 1, ""},
      {"recorded at once", k170, {}, 170, "T20 T20 50"},
      {"recorded, dart asked", k170, {69}, 101, "T19 12 D16"},
      {"second leg recorded", k301, {180, 121, -1, 85, 100}, 116, "T20 20 D18"},
  };
  auto state = [&] {
    QStringList out = Panels() << QString::number(f->VisitCount);
    for (int v : {f->Remainder, f->LegDarts, f->LegRecorded, f->Band60, f->Band80, f->Band100, f->Band140, f->Band180})
      out << QString::number(v);
    out << Enabled({c->MaskEdit1, c->BitBtn1, c->BitBtn2, c->BitBtn5, c->BitBtn6, c->BitBtn7, c->BitBtn8, c->Label21});
    for (int row = 0; row <= 5; ++row)
      for (int col = 0; col < 4; ++col) out << Visit(col, row);
    for (int row = 0; row <= 2; ++row) out << LegRow(row);
    return out.join("|").toStdString();
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    StartGame(t.game);
    Play(t.before);
    const std::string before = state();
    Enter(QString::number(t.visit));
    const std::string after = state();
    msg->Clear();
    Key(Qt::Key_F5);
    EXPECT_TRUE(msg->Texts().isEmpty());
    EXPECT_EQ(state(), before);
    EXPECT_EQ(c->Panel8->text(), t.suggestion);
    EXPECT_EQ(f->focusWidget(), c->MaskEdit1);
    if (!ui::Enabled(c->BitBtn8)) {
      Key(Qt::Key_F5);  // disabled: nothing happens
      EXPECT_EQ(state(), before);
    }
    Enter(QString::number(t.visit));
    EXPECT_EQ(state(), after);
    f->Close();
  }
}

TEST_F(SoloWindowTest, ControlStatesFollowTheGameAndTheLeg) {
  // Field, its button, new leg, undo, game list.
  auto states = [&] { return Enabled({c->MaskEdit1, c->BitBtn1, c->BitBtn2, c->BitBtn8, c->ComboBox1}); };
  f->ShowModal();
  EXPECT_EQ(states(), "00101");
  // Down and Up in the closed game list choose the next or previous game; the
  // list stops at its last game.
  for (int i = 0; i < 7; ++i) QTest::keyClick(c->ComboBox1, Qt::Key_Down);
  EXPECT_EQ(QStringList({c->Edit2->text(), Visit(2, 0)}), QStringList({"1001", "1001"}));
  QTest::keyClick(c->ComboBox1, Qt::Key_Up);
  Key(Qt::Key_F7);
  EXPECT_EQ(states(), "11000");
  EXPECT_EQ(QStringList({QString::number(f->StartScore), c->Panel6->text()}), QStringList({"701", "701"}));
  Key(Qt::Key_F1);  // finishing-dart keys do nothing in play
  Play({0});
  EXPECT_EQ(QStringList({c->Panel3->text(), c->Panel4->text(), Visit(3, 1), c->Panel8->text()}),
            QStringList({".00", ".00", "0.00", ""}));
  Play({180, 180, 180, 60});  // 101 left
  EXPECT_EQ(QStringList({c->Panel3->text(), c->Panel4->text(), c->Panel8->text()}),
            QStringList({"40.00", "120.00", "T19 12 D16"}));
  Play({101});
  EXPECT_EQ(states(), "00010");  // the finishing dart is asked
  Enter("0");                    // the field is disabled: Enter does nothing
  EXPECT_EQ(f->VisitCount, 6);
  Key(Qt::Key_F2);
  EXPECT_EQ(states(), "00110");
  Key(Qt::Key_F7);
  EXPECT_EQ(QStringList({c->Edit3->text(), Visit(0, 1), Visit(2, 0)}), QStringList({"2", "", "701"}));
  c->BitBtn4->click();  // the checkout-variant table, nothing else
  EXPECT_TRUE(Form_kv->isVisible() && f->LegNumber == 2);
  EXPECT_EQ(f->focusWidget(), c->MaskEdit1);  // where the next visit is typed
  Form_kv->Close();
  // Closing focuses the score field; the next opening disables it, and the
  // focus is on the game list again.
  f->Close();
  f->ShowModal();
  EXPECT_EQ(f->focusWidget(), c->ComboBox1);
}

// The visit sheet grows with the leg and shows its newest visit, an undo
// included; a new leg starts it at the top again, with the form's rows.
TEST_F(SoloWindowTest, VisitSheetFollowsTheLeg) {
  auto inView = [&](int row) {
    const QRect r = c->StringGrid1->CellRect(0, row);
    return !r.isEmpty() && r.bottom() < c->StringGrid1->viewport()->height();
  };
  StartGame(k170);
  for (int n = 1; n <= 120; ++n) {
    Play({0});
    ASSERT_TRUE(c->StringGrid1->RowCount() == std::max(100, n + 1) && inView(n)) << n;
  }
  Key(Qt::Key_F5);
  EXPECT_TRUE(inView(119) && c->StringGrid1->RowCount() == 120);
  Play({170});
  EXPECT_EQ(Leg(1, 1), "360");  // 119 visits of 0, then 170 with the third dart
  Key(Qt::Key_F7);
  EXPECT_TRUE(c->StringGrid1->RowCount() == 100 && inView(0) && Visit(0, 120).isEmpty());
}

TEST_F(SoloWindowTest, LeavingWithoutARecordedLegWritesNothingAndAsksNothing) {
  struct Case {
    std::initializer_list<int> visits;
    bool undoLast;
  };
  const Case cases[] = {{{}, false}, {{100}, false}, {{170}, true}};  // opened; in play; the record taken back
  for (const auto& [visits, undoLast] : cases) {
    SCOPED_TRACE(visits.size());
    StartGame(k170);
    Play(visits);
    if (undoLast) Key(Qt::Key_F5);
    msg->Clear();
    Key(Qt::Key_F10);
    EXPECT_TRUE(msg->Texts().isEmpty());
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(QDir(dir->File("170")).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(Panels() << c->Edit3->text(), QStringList({"0", "0", "0", "1"}));
    EXPECT_TRUE(Visit(0, 1).isEmpty());
  }
}

// Cancel writes the file and play goes on; No writes the record again, resets
// and closes.
TEST_F(SoloWindowTest, StatisticsFileAtEveryExitQuestion) {
  StartGame(k301);
  Play({180, 121, -1, 100});
  LeaveAnswering(ui::mrCancel);
  EXPECT_TRUE(f->isVisible());
  Play({100, 101});
  Key(Qt::Key_F2);
  clock->AddSecs(1);
  LeaveAnswering(ui::mrNo);
  ASSERT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitConfirmText)});
  EXPECT_FALSE(f->isVisible());
  EXPECT_TRUE(testing_support::ReadAll(dir->File("301/20120510_090506_301.csv"))
                  .endsWith("1;6;50.17;150.50;121;3;0;0;1;0;1;\r\n;;;;;;;;;;;\r\n;;;;;;;;;;;\r\n"));
  EXPECT_EQ(testing_support::ReadAll(dir->File("301/20120510_090507_301.csv")),
            testing_support::FileBytes(
                {"2012.05.10 - 09:05:07:05",
                 "Лег;Кол-во дротиков;На 1 дротик;Средний набор;Закрыл число;Каким дротиком;60 +;80 +;100 +;140 +;180;",
                 ";Средн.;43.90;131.69;;Сумма;0;0;4;0;1;", "1;6;50.17;150.50;121;3;0;0;1;0;1;",
                 "2;8;37.63;112.88;101;2;0;0;3;0;0;", ";;;;;;;;;;;"}));
  EXPECT_EQ(c->Panel6->text(), "0");  // the close resets
  EXPECT_TRUE(Leg(1, 0).isEmpty());
}

TEST_F(SoloWindowTest, LegsPastTheDisplayRowsAreStoredAndWritten) {
  StartGame(k170);
  Play({170});
  for (int leg = 2; leg <= 101; ++leg) Play({-1, 170});
  EXPECT_EQ(c->StringGrid2->RowCount(), 100);
  EXPECT_EQ(QStringList({Leg(0, 101), Leg(9, 0)}), QStringList({"101", "101"}));
  LeaveAnswering(ui::mrNo);
  const QList<QByteArray> lines = testing_support::ReadAll(dir->File("170/20120510_090506_170.csv")).split('\n');
  ASSERT_EQ(lines.size(), 106);  // stamp, header, totals, 101 legs, the empty row, and after the last CR LF
  EXPECT_EQ(lines[103], "101;3;56.67;170.00;170;3;0;0;0;1;0;\r");
  EXPECT_TRUE(Leg(0, 101).isEmpty());  // the close clears stored rows too
}

// Yes exports the record: one value array, and the program is shown last. With
// no spreadsheet program, or one that fails at once, the error box comes and
// the window still resets and closes: the file holds the record.
TEST_F(SoloWindowTest, ExportAtTheExit) {
  enum Outcome { kShown, kNoProgram, kStartFails };
  qunsetenv("VANTREL_SPREADSHEET");
  testing_support::RecordedCalls recorded;
  for (Outcome outcome : {kShown, kNoProgram, kStartFails}) {
    SCOPED_TRACE(outcome);
    ui::seams().spreadsheetProgram = [&] { return outcome == kNoProgram ? QStringList() : QStringList{"true"}; };
    ui::seams().startDetached = [&](const QString&, const QStringList&) { return outcome == kShown; };
    if (outcome == kNoProgram) automation::seams().findProgram = [](const QString&) { return QString(); };
    StartGame(k170);
    Play({170});
    LeaveAnswering(ui::mrYes);
    automation::seams().findProgram = nullptr;
    ASSERT_EQ(msg->Log().size(), outcome == kShown ? 1u : 2u);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(Leg(0, 1), "");
    EXPECT_EQ(msg->Log().back().text == "Невозможно запустить Excel", outcome != kShown);
    if (outcome != kShown) continue;
    QVariantList value;
    for (const automation::Call& call : recorded.Calls())
      if (call.member == "Value") value = call.value.toList();
    EXPECT_TRUE(recorded.Described().endsWith("Visible = True"));
    ASSERT_EQ(value.size(), 4);
    EXPECT_EQ(QStringList({value[0].toList()[10].toString(), value[2].toList()[0].toString()}),
              QStringList({"180", "1"}));
  }
}

}  // namespace
