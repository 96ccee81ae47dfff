// The solo practice window driven through its keys, field and buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <memory>
#include <random>
#include <set>
#include <vector>

#include "app/Form_501s.h"
#include "app/Kalvern.h"
#include "gamekit/GameConventions.h"
#include "darts/DartsRules.h"
#include "automation/Excel.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"

namespace {

using testing_support::FixedClock;
using testing_support::TempCurrentDir;

const QString kOutOfRange = "Внимание!!! Недопустимое значение. Введите число от 0 до 180 ";
const QString kImpossible = "Внимание!!! Недопустимое значение в дартс.";
const QString kAboveRemainder = "Внимание!!! Недопустимое значение. Введеное число больше остатка.";
const QString kNoFinish = "Перебор! Надо вводит значение 0. Будте внимательным.";
const QString kBustAtOne = "Перебор однако!!!";
const QString kLegOver = "Игра окончена.";

// Windows-1251 of the texts these files hold: ASCII and the Cyrillic letters.
QByteArray Cp1251(const QString& s) {
  QByteArray out;
  for (QChar c : s) {
    const ushort u = c.unicode();
    out.append(u < 0x80 ? char(u) : char(0xC0 + (u - 0x410)));
  }
  return out;
}

enum Game { k501 = 0, k301 = 1, k201 = 2, k170 = 3 };

class SoloWindowTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    msg = std::make_unique<ui::ScriptedMessages>();
    ui::seams().decimalSeparator = QChar('.');
    if (!Form_kv) Form_kv = new TForm_kv;
    delete Form_501_s;
    Form_501_s = new TForm_501_s;
    f = Form_501_s;
    c = &f->Controls();
  }
  void TearDown() override {
    if (Form_kv->isVisible()) Form_kv->Close();
    f->Close();
    delete Form_501_s;
    Form_501_s = nullptr;
    msg.reset();
    SeamsFixture::TearDown();
  }

  // Opens the window, chooses the game and starts the first leg (F7).
  void StartGame(Game game = k501) {
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
  void Visits(std::initializer_list<int> visits) {
    for (int v : visits) Enter(QString::number(v));
  }
  QString Visit(int col, int row) const { return c->StringGrid1->Cell(col, row); }
  QString Leg(int col, int row) const { return c->StringGrid2->Cell(col, row); }
  QStringList LegRow(int row) const {
    QStringList out;
    for (int col = 0; col < 11; ++col) out << Leg(col, row);
    return out;
  }
  QString FileText(const QStringList& lines) const {
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
  }

  TForm_501_s* f = nullptr;
  Ui::TForm_501_s* c = nullptr;
  std::unique_ptr<ui::ScriptedMessages> msg;
};

TEST_F(SoloWindowTest, EveryTotalFrom0To180IsCheckedAndUndone) {
  const std::set<int> impossible{163, 166, 169, 172, 173, 175, 176, 178, 179};
  StartGame(k501);
  for (int v = 0; v <= 180; ++v) {
    msg->Clear();
    Enter(QString::number(v));
    if (impossible.count(v)) {
      EXPECT_EQ(msg->Texts(), QStringList{kImpossible}) << v;
      EXPECT_EQ(f->VisitCount, 0) << v;
      continue;
    }
    ASSERT_TRUE(msg->Texts().isEmpty()) << v;
    EXPECT_EQ(Visit(1, 1), QString::number(v));
    EXPECT_EQ(c->Panel6->text(), QString::number(501 - v));
    Key(Qt::Key_F5);
    EXPECT_EQ(f->VisitCount, 0) << v;
    EXPECT_EQ(f->Remainder, 501);
    EXPECT_EQ(f->Band60 + f->Band80 + f->Band100 + f->Band140 + f->Band180, 0) << v;
  }
  for (const QString text : {"   ", "181", "999"}) {
    msg->Clear();
    Enter(text);
    EXPECT_EQ(msg->Texts(), QStringList{kOutOfRange}) << text.toStdString();
  }
}

TEST_F(SoloWindowTest, RefusalsDependOnTheRemainder) {
  struct Case {
    Game game;
    std::initializer_list<int> before;
    int visit;
    QString message;  // empty: accepted
  };
  const Case cases[] = {
      {k301, {122}, 180, kAboveRemainder},  // remainder 179: 180 is possible but too much
      {k501, {}, 173, kImpossible},         // refused as a total even below the remainder
      {k301, {180, 21}, 101, kAboveRemainder},
      {k301, {133}, 168, kNoFinish},
      {k301, {130}, 171, kNoFinish},
      {k301, {142}, 159, kNoFinish},
      {k301, {139}, 162, kNoFinish},
      {k301, {136}, 165, kNoFinish},
      {k301, {}, 168, QString()},  // no finish left to judge
  };
  for (const Case& t : cases) {
    StartGame(t.game);
    Visits(t.before);
    const float count = f->VisitCount;
    const int remainder = f->Remainder;
    msg->Clear();
    // The unfinishable visit empties the field before its message, the others after.
    const QString atMessage = t.message == kNoFinish ? QStringLiteral("   ") : QString::number(t.visit);
    msg->onShow = [&](const ui::ShownMessage&) { EXPECT_EQ(c->MaskEdit1->Text(), atMessage); };
    Enter(QString::number(t.visit));
    msg->onShow = nullptr;
    SCOPED_TRACE(t.visit);
    if (t.message.isEmpty()) {
      EXPECT_TRUE(msg->Texts().isEmpty());
      EXPECT_EQ(f->Remainder, remainder - t.visit);
    } else {
      EXPECT_EQ(msg->Texts(), QStringList{t.message});
      EXPECT_EQ(f->VisitCount, count);
      EXPECT_EQ(f->Remainder, remainder);
      EXPECT_EQ(c->Panel6->text(), QString::number(remainder));
    }
    EXPECT_EQ(f->focusWidget(), c->MaskEdit1);
    f->Close();
  }
}

TEST_F(SoloWindowTest, VisitLeavingOneIsABustOfZero) {
  StartGame(k201);
  Visits({180, 19});
  msg->Clear();
  Enter("1");
  EXPECT_EQ(msg->Texts(), QStringList{kBustAtOne});
  EXPECT_EQ(QStringList({Visit(0, 3), Visit(1, 3), Visit(2, 3)}), QStringList({"3", "0", "2"}));
  EXPECT_EQ(c->Panel6->text(), "2");
  EXPECT_EQ(f->Remainder, 2);
  EXPECT_EQ(f->VisitScore, 0);
  EXPECT_EQ(f->Band180, 1);  // the bust counts in no band
}

TEST_F(SoloWindowTest, NonNumberTextIsRefusedByTheConversionError) {
  StartGame(k501);
  Enter("1 2");
  ASSERT_EQ(msg->Log().size(), 1u);
  EXPECT_EQ(msg->Log()[0].kind, ui::ShownMessage::Kind::Exception);
  EXPECT_TRUE(msg->Log()[0].text.contains("'1 2' is not a valid integer value"));
  EXPECT_EQ(f->VisitCount, 0);
  EXPECT_EQ(c->MaskEdit1->Text(), "   ");
  Enter("60");
  EXPECT_EQ(f->Remainder, 441);
  EXPECT_EQ(f->Band60, 1);
}

TEST_F(SoloWindowTest, FinishingDartIsAskedOnlyWhenItCanBeInDoubt) {
  enum Offer { kThird, kSecond, kAny };
  struct Case {
    int finish;
    Offer offer;
  };
  const Case cases[] = {{40, kAny},     {50, kAny},     {41, kSecond},  {42, kSecond}, {100, kSecond}, {101, kSecond},
                        {104, kSecond}, {107, kSecond}, {110, kSecond}, {99, kThird},  {102, kThird},  {103, kThird},
                        {105, kThird},  {106, kThird},  {108, kThird},  {109, kThird}, {111, kThird},  {170, kThird}};
  for (const Case& t : cases) {
    SCOPED_TRACE(t.finish);
    StartGame(k170);
    if (t.finish != 170) Visits({170 - t.finish});
    const int visits = static_cast<int>(f->VisitCount) + 1;
    msg->Clear();
    Enter(QString::number(t.finish));
    EXPECT_FALSE(ui::Enabled(c->MaskEdit1));
    EXPECT_TRUE(c->Panel8->text().isEmpty());
    int dart = 3;
    if (t.offer == kThird) {
      EXPECT_EQ(msg->Texts(), QStringList{kLegOver});
    } else {
      EXPECT_TRUE(msg->Texts().isEmpty());
      EXPECT_TRUE(ui::Enabled(c->Label21));
      EXPECT_EQ(ui::Enabled(c->BitBtn5), t.offer == kAny);
      EXPECT_TRUE(ui::Enabled(c->BitBtn6) && ui::Enabled(c->BitBtn7));
      EXPECT_EQ(f->focusWidget(), t.offer == kAny ? c->BitBtn5 : c->BitBtn6);
      EXPECT_EQ(f->LegDarts, 1);
      Key(Qt::Key_F1);  // only where dart 1 is offered
      dart = t.offer == kAny ? 1 : 3;
      if (t.offer == kSecond && t.finish % 2 == 0) Key(Qt::Key_F3);
      if (t.offer == kSecond && t.finish % 2 == 1) {
        QTest::keyClick(f->focusWidget(), Qt::Key_Return);  // Enter on the focused dart 2
        dart = 2;
      }
      EXPECT_EQ(msg->Texts(), QStringList{kLegOver});
    }
    EXPECT_EQ(Leg(5, 1), QString::number(dart));
    EXPECT_EQ(f->LegDarts, (visits - 1) * 3 + dart);
    EXPECT_FALSE(ui::Enabled(c->BitBtn5) || ui::Enabled(c->BitBtn6) || ui::Enabled(c->BitBtn7));
    EXPECT_EQ(f->focusWidget(), c->BitBtn2);
    QTest::keyClick(f->focusWidget(), Qt::Key_Return);  // Enter on the focused "new leg"
    EXPECT_EQ(f->LegNumber, 2);
    EXPECT_TRUE(ui::Enabled(c->MaskEdit1));
    f->Close();
  }
}

TEST_F(SoloWindowTest, AveragesOfRecordedLegs) {
  struct Case {
    QChar separator;  // the regional decimal separator
    Game game;
    std::initializer_list<int> visits;  // -1 starts the next leg
    Qt::Key dartKey;                    // Qt::Key_unknown: recorded without asking
    QStringList row;                    // the last leg's row
    QStringList totals;                 // averages over the legs in row 0
  };
  const QStringList firstRow = {"1", "9", "55.67", "167.00", "141", "3", "0", "0", "0", "1", "2"};
  const QStringList slowRow = {"1", "20", "25.05", "75.15", "40", "2", "0", "0", "4", "0", "0"};
  const QStringList slowRowComma = {"1", "20", "25,05", "75,15", "40", "2", "0", "0", "4", "0", "0"};
  const QStringList secondRow = {"2", "4", "42.50", "127.50", "40", "1", "0", "0", "1", "0", "0"};
  const Case cases[] = {
      {'.', k501, {180, 180, 141}, Qt::Key_unknown, firstRow, {"55.67", "167.00"}},
      {'.', k501, {100, 100, 100, 100, 41, 20, 40}, Qt::Key_F2, slowRow, {"25.05", "75.15"}},
      // Written and read back for the totals with the comma as well.
      {',', k501, {100, 100, 100, 100, 41, 20, 40}, Qt::Key_F2, slowRowComma, {"25,05", "75,15"}},
      // Single precision: (56.67 + 42.50) / 2 is just below 49.585 as a float.
      {'.', k170, {170, -1, 130, 40}, Qt::Key_F1, secondRow, {"49.58", "148.75"}},
  };
  for (const Case& t : cases) {
    ui::seams().decimalSeparator = t.separator;
    StartGame(t.game);
    for (int v : t.visits) v < 0 ? Key(Qt::Key_F7) : Enter(QString::number(v));
    if (t.dartKey != Qt::Key_unknown) Key(t.dartKey);
    EXPECT_TRUE(msg->Texts().endsWith(kLegOver));
    EXPECT_EQ(LegRow(f->LegNumber), t.row);
    EXPECT_EQ(Visit(3, static_cast<int>(f->VisitCount)), t.row[3]);
    EXPECT_EQ(c->Panel3->text(), t.row[2]);
    EXPECT_EQ(c->Panel4->text(), t.row[3]);
    EXPECT_EQ(QStringList({Leg(2, 0), Leg(3, 0)}), t.totals);
    f->Close();
  }
}

TEST_F(SoloWindowTest, RunningAveragesAndSuggestions) {
  StartGame(k501);
  EXPECT_TRUE(c->Panel8->text().isEmpty());
  Enter("0");
  EXPECT_EQ(QStringList({c->Panel3->text(), c->Panel4->text(), Visit(3, 1)}), QStringList({".00", ".00", "0.00"}));
  Visits({180, 140});  // 181 left
  EXPECT_EQ(QStringList({c->Panel3->text(), c->Panel4->text()}), QStringList({"35.56", "106.67"}));
  EXPECT_TRUE(c->Panel8->text().isEmpty());
  Visits({62});  // 119 left
  EXPECT_EQ(c->Panel8->text(), "T20 19 D20");
  Visits({58});  // 61 left
  EXPECT_EQ(c->Panel8->text(), "T15 D8");
  Visits({1});  // 60 left
  EXPECT_TRUE(c->Panel8->text().isEmpty());
  Key(Qt::Key_F5);
  EXPECT_EQ(c->Panel8->text(), "T15 D8");
}

// Undo from every state puts the window back exactly as it was before the
// undone visit, and the same visit entered again gives the same state again.
TEST_F(SoloWindowTest, UndoRestoresTheStateBeforeTheVisit) {
  struct Case {
    const char* name;
    Game game;
    std::initializer_list<int> before;  // visits before the one undone; 0 in the list starts a new leg
    int visit;
    QString suggestion;  // Panel8 after the undo
  };
  const Case cases[] = {
      {"in play", k501, {85}, 100, ""},               // 401 left: no suggestion
      {"only visit, from 80+", k501, {}, 85, ""},     // back to the start score
      {"finishing dart asked", k170, {130}, 40, ""},  // remainder 40
      {"bust at 1", k201, {180, 19}, 1, ""},
      {"recorded at once", k170, {}, 170, "T20 T20 50"},
      {"recorded, dart asked", k170, {69}, 101, "T19 12 D16"},
      {"second leg recorded", k301, {180, 121, -1, 85, 100}, 116, "T20 20 D18"},
  };
  auto state = [&] {
    QStringList out{
        QString("remainder %1 visits %2 darts %3 recorded %4")
            .arg(f->Remainder)
            .arg(f->VisitCount)
            .arg(f->LegDarts)
            .arg(f->LegRecorded),
        QString("bands %1 %2 %3 %4 %5").arg(f->Band60).arg(f->Band80).arg(f->Band100).arg(f->Band140).arg(f->Band180),
        "panels " + QStringList({c->Panel3->text(), c->Panel4->text(), c->Panel6->text()}).join("|")};
    QString enabled = "enabled ";
    for (QWidget* w : std::initializer_list<QWidget*>{c->MaskEdit1, c->BitBtn1, c->BitBtn2, c->BitBtn5, c->BitBtn6,
                                                      c->BitBtn7, c->BitBtn8, c->Label21}) {
      enabled += ui::Enabled(w) ? "1" : "0";
    }
    out << enabled;
    for (int row = 0; row <= 5; ++row)
      out << "visit " + QStringList({Visit(0, row), Visit(1, row), Visit(2, row), Visit(3, row)}).join("|");
    for (int row = 0; row <= 2; ++row) out << "leg " + LegRow(row).join("|");
    return out.join("\n").toStdString();
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    StartGame(t.game);
    for (int v : t.before) v < 0 ? Key(Qt::Key_F7) : Enter(QString::number(v));
    const std::string before = state();
    Enter(QString::number(t.visit));
    const std::string after = state();
    msg->Clear();
    Key(Qt::Key_F5);
    EXPECT_TRUE(msg->Texts().isEmpty());
    EXPECT_EQ(state(), before);
    EXPECT_EQ(c->Panel8->text().toStdString(), t.suggestion.toStdString());
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

TEST_F(SoloWindowTest, LeavingWithoutARecordedLegWritesNothingAndAsksNothing) {
  struct Case {
    const char* name;
    std::initializer_list<int> visits;
    bool undoLast;
  };
  const Case cases[] = {{"right after opening", {}, false},
                        {"leg in play", {100}, false},
                        {"first leg's record taken back", {170}, true}};
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("170");
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    StartGame(k170);
    Visits(t.visits);
    if (t.undoLast) Key(Qt::Key_F5);
    msg->Clear();
    Key(Qt::Key_F10);
    EXPECT_TRUE(msg->Texts().isEmpty());
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(QDir(dir.File("170")).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(QStringList({c->Panel3->text(), c->Panel4->text(), c->Panel6->text(), c->Edit3->text()}),
              QStringList({"0", "0", "0", "1"}));
    EXPECT_TRUE(Visit(0, 1).isEmpty());
    // As the close leaves them until the next opening resets them.
    EXPECT_TRUE(ui::Enabled(c->MaskEdit1) && ui::Enabled(c->BitBtn1));
    EXPECT_FALSE(ui::Enabled(c->BitBtn2) || ui::Enabled(c->BitBtn8));
  }
}

TEST_F(SoloWindowTest, ControlStatesAndKeys) {
  struct State {
    const char* name;
    bool field, newLeg, undo, combo;
  };
  auto check = [&](const State& s) {
    SCOPED_TRACE(s.name);
    EXPECT_EQ(ui::Enabled(c->MaskEdit1), s.field);
    EXPECT_EQ(ui::Enabled(c->BitBtn1), s.field);
    EXPECT_EQ(ui::Enabled(c->BitBtn2), s.newLeg);
    EXPECT_EQ(ui::Enabled(c->BitBtn8), s.undo);
    EXPECT_EQ(ui::Enabled(c->ComboBox1), s.combo);
  };
  f->ShowModal();
  check({"after opening", false, true, false, true});
  EXPECT_EQ(c->Panel8->text(), "T20 T20 D20");
  EXPECT_EQ(QStringList({c->Panel3->text(), c->Panel4->text(), c->Edit2->text(), c->Edit3->text()}),
            QStringList({"0", "0", "501", "0"}));
  Key(Qt::Key_F7);
  check({"leg started", true, false, false, false});
  EXPECT_EQ(QStringList({c->Edit3->text(), c->Panel6->text(), c->Panel8->text()}), QStringList({"1", "501", ""}));
  Key(Qt::Key_F1);  // finishing-dart keys do nothing in play
  Visits({180, 180, 40});
  check({"in play", true, false, true, false});
  Visits({101});
  check({"dart asked", false, false, true, false});
  Enter("0");  // the field is disabled: Enter does nothing
  EXPECT_EQ(f->VisitCount, 4);
  Key(Qt::Key_F2);
  check({"recorded", false, true, true, false});
  Key(Qt::Key_F7);
  EXPECT_EQ(QStringList({c->Edit3->text(), Visit(0, 1), Visit(2, 0)}), QStringList({"2", "", "501"}));
  EXPECT_FALSE(f->HasCloseCommand());
  c->BitBtn4->click();  // the checkout-variant table, nothing else
  EXPECT_TRUE(Form_kv->isVisible());
  EXPECT_EQ(f->LegNumber, 2);
}

// Down and Up in the closed game list choose the next or previous game.
TEST_F(SoloWindowTest, GameChoiceSetsStartScore) {
  const int scores[] = {501, 301, 201, 170, 601, 701, 1001};
  f->ShowModal();
  const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Down, 3}, {Qt::Key_Down, 4},
                                           {Qt::Key_Down, 5}, {Qt::Key_Down, 6}, {Qt::Key_Down, 6}, {Qt::Key_Up, 5}};
  for (const auto& [key, index] : steps) {
    QTest::keyClick(c->ComboBox1, key);
    EXPECT_EQ(c->Edit2->text(), QString::number(scores[index]));
    EXPECT_EQ(Visit(2, 0), QString::number(scores[index]));
    EXPECT_EQ(f->LegNumber, 0);
  }
  Key(Qt::Key_F7);
  EXPECT_EQ(f->StartScore, 701);
  EXPECT_EQ(c->Panel6->text(), "701");
}

TEST_F(SoloWindowTest, StatisticsFileOfTwoLegsOf301) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("301");
  FixedClock clock(QDateTime(QDate(2012, 5, 10), QTime(9, 5, 7)));
  StartGame(k301);
  Visits({180, 121});
  Key(Qt::Key_F7);
  Visits({100, 100, 101});
  Key(Qt::Key_F2);
  msg->Clear();
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  ASSERT_EQ(msg->Log().size(), 1u);
  EXPECT_EQ(msg->Log()[0].text, QString::fromUtf8(gamekit::kExitConfirmText));
  EXPECT_EQ(msg->Log()[0].buttons, ui::mbYes | ui::mbNo | ui::mbCancel);
  EXPECT_FALSE(f->isVisible());
  QFile file(dir.File("301/20120510_090507_301.csv"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(),
            Cp1251(FileText({"2012.05.10 - 09:05:07:05",
                             "Лег;Кол-во дротиков;На 1 дротик;Средний набор;Закрыл число;Каким дротиком;60 +;80 +;100 "
                             "+;140 +;180;",
                             ";Средн.;43.90;131.69;;Сумма;0;0;4;0;1;", "1;6;50.17;150.50;121;3;0;0;1;0;1;",
                             "2;8;37.63;112.88;101;2;0;0;3;0;0;", ";;;;;;;;;;;"})));
  EXPECT_EQ(c->Panel6->text(), "0");  // the close resets
  EXPECT_EQ(c->Edit3->text(), "1");
  EXPECT_TRUE(Leg(1, 0).isEmpty());
}

TEST_F(SoloWindowTest, CancelThenNoWritesTwoFiles) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("501");
  FixedClock clock(QDateTime(QDate(2012, 5, 10), QTime(18, 45, 2)));
  StartGame(k501);
  Visits({180, 180, 141});
  Key(Qt::Key_F7);
  Visits({60});  // a leg in play
  msg->Clear();
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  EXPECT_TRUE(f->isVisible());
  Visits({60});  // play goes on
  EXPECT_EQ(f->Remainder, 381);
  clock.AddSecs(1);
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(QDir(dir.File("501")).entryList(QDir::Files),
            QStringList({"20120510_184502_501.csv", "20120510_184503_501.csv"}));
  QFile file(dir.File("501/20120510_184503_501.csv"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().endsWith("1;9;55.67;167.00;141;3;0;0;0;1;2;\r\n;;;;;;;;;;;\r\n;;;;;;;;;;;\r\n"));
}

class SoloExportTest : public SoloWindowTest {
 protected:
  void SetUp() override {
    SoloWindowTest::SetUp();
    dir = std::make_unique<TempCurrentDir>();
    qunsetenv("VANTREL_SPREADSHEET");
    ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
    ui::seams().startDetached = [this](const QString& program, const QStringList& args) {
      started << program + " " + args.join(" ");
      return startWorks;
    };
    QDir(dir->Path()).mkdir("170");
    StartGame(k170);
    Visits({170});
    msg->Clear();
    msg->Answer(ui::mrYes);
  }
  void TearDown() override {
    automation::SetProgramFinder(nullptr);
    SoloWindowTest::TearDown();
    dir.reset();
  }
  std::unique_ptr<TempCurrentDir> dir;
  QStringList started;
  bool startWorks = true;
};

TEST_F(SoloExportTest, OneRecordedLegGoesToTheSheet) {
  Key(Qt::Key_F10);
  EXPECT_FALSE(f->isVisible());
  ASSERT_EQ(started.size(), 1);
  EXPECT_TRUE(started[0].startsWith("true "));
  // The record's block goes in as one value array, and the program is shown last.
  QVariantList value;
  QString last;
  for (const automation::Call& call : automation::LastApplication()->Calls()) {
    if (call.member == "Value") value = call.value.toList();
    last = call.Describe();
  }
  EXPECT_EQ(last, "Visible = True");
  ASSERT_EQ(value.size(), 4);
  EXPECT_EQ(value[0].toList()[10].toString(), "180");
  EXPECT_EQ(value[1].toList()[1].toString(), "Средн.");
  EXPECT_EQ(value[1].toList()[5].toString(), "Сумма");
  EXPECT_EQ(value[2].toList()[0].toString(), "1");
  EXPECT_EQ(QDir(dir->File("170")).entryList(QDir::Files).size(), 1);
}

TEST_F(SoloExportTest, NoSpreadsheetProgramStillResetsAndCloses) {
  ui::seams().spreadsheetProgram = [] { return QStringList(); };
  automation::SetProgramFinder([](const QString&) { return QString(); });
  Key(Qt::Key_F10);
  ASSERT_EQ(msg->Log().size(), 2u);
  EXPECT_EQ(msg->Log()[1].kind, ui::ShownMessage::Kind::ErrorBox);
  EXPECT_EQ(msg->Log()[1].text, "Невозможно запустить Excel");
  EXPECT_EQ(msg->Log()[1].caption, "Ошибка");
  EXPECT_FALSE(f->isVisible());
}

TEST_F(SoloExportTest, LaterAutomationErrorLeavesTheWindowAsItIs) {
  startWorks = false;
  Key(Qt::Key_F10);
  ASSERT_EQ(msg->Log().size(), 2u);
  EXPECT_EQ(msg->Log()[1].kind, ui::ShownMessage::Kind::Exception);
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(Leg(0, 1), "1");
  EXPECT_EQ(f->LegNumber, 1);
}

TEST_F(SoloWindowTest, LegsPastTheDisplayRowsAreStoredAndWritten) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("170");
  FixedClock clock(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)));
  StartGame(k170);
  for (int leg = 1; leg <= 101; ++leg) {
    if (leg > 1) Key(Qt::Key_F7);
    Visits({170});
  }
  EXPECT_EQ(c->StringGrid2->RowCount(), 100);
  EXPECT_EQ(Leg(0, 101), "101");
  EXPECT_EQ(Leg(9, 0), "101");
  msg->Clear();
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  QFile file(dir.File("170/20200102_030405_170.csv"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = file.readAll().split('\n');
  ASSERT_EQ(lines.size(), 106);  // stamp, header, totals, 101 legs, the empty row, and after the last CR LF
  EXPECT_EQ(lines[103], "101;3;56.67;170.00;170;3;0;0;0;1;0;\r");
  EXPECT_TRUE(Leg(0, 101).isEmpty());  // the close clears stored rows too
}

// Any key or entry in any state: the sheets, counters and record stay in step.
TEST_F(SoloWindowTest, RandomPlayKeepsSheetsCountersAndRecordInStep) {
  TempCurrentDir dir;
  std::mt19937 random(20120510);
  const Qt::Key keys[] = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F5, Qt::Key_F7, Qt::Key_F10};
  StartGame(k201);
  for (int step = 0; step < 3000; ++step) {
    SCOPED_TRACE(step);
    const int action = static_cast<int>(random() % 10);
    if (!f->isVisible()) {
      f->ShowModal();  // left without a record: open again
    } else if (action < 6) {
      // Often what is left or one less, so that legs end and busts at 1 happen.
      const int pick = static_cast<int>(random() % 3);
      const int visit = pick == 0 ? f->Remainder : pick == 1 ? f->Remainder - 1 : static_cast<int>(random() % 181);
      Enter(QString::number(visit));
    } else if (action == 6) {
      Enter("1 2");
    } else {
      Key(keys[random() % std::size(keys)]);  // F10 is answered Cancel
    }
    if (!f->isVisible()) continue;
    const int n = static_cast<int>(f->VisitCount);
    int scored = 0;
    int bands[5] = {};
    for (int row = 1; row <= n; ++row) {
      const int v = Visit(1, row).toInt();
      scored += v;
      const int band = static_cast<int>(darts::BandOf(v));
      if (band >= 0) ++bands[band];
    }
    EXPECT_TRUE(Visit(0, n + 1).isEmpty());
    EXPECT_EQ(Visit(0, n), n > 0 ? QString::number(n) : QString());
    EXPECT_EQ(Visit(2, n).toInt(), f->StartScore - scored);
    if (f->LegDarts == 0) {
      EXPECT_EQ(f->Remainder, f->StartScore - scored);
      EXPECT_NE(f->Remainder, 1);
    }
    EXPECT_EQ(std::vector<int>(bands, bands + 5),
              std::vector<int>({f->Band60, f->Band80, f->Band100, f->Band140, f->Band180}));
    for (int col = 6; col <= 10; ++col) {
      int sum = 0;
      for (int leg = 1; leg <= f->LegNumber; ++leg) sum += Leg(col, leg).toInt();
      EXPECT_EQ(Leg(col, 0).toInt(), sum) << col;
    }
    EXPECT_EQ(Leg(0, f->LegNumber).isEmpty(), f->LegRecorded == 0);
  }
}

}  // namespace
