// The match window: visits, finishing darts, bust, undo, legs, sets, starters,
// the record of every leg, leaving and the export.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "gamekit/GameConventions.h"
#include "tests/app/MatchTestSupport.h"
#include "tests/support/Exports.h"
#include "ui/SysUtils.h"
#include "video/capture/VLFrameSource.h"

namespace {

using match_test::MatchPlan;

const QString kOutOfRange = "Внимание!!! Недопустимое значение. Введите число от 0 до 180 ";
const QString kImpossible = "Внимание!!! Недопустимое значение в дартс.";
const QString kBust =
    "Внимание!!! Похоже перебор. Если перебор, то нажмите на кнопку ПЕРЕБОР или F8 иначе введите правильное число.";

enum Game { k501 = 0, k301 = 1, k201 = 2, k170 = 3 };

class MatchWindowTest : public match_test::MatchFixture {
 protected:
  QStringList Bands(int player) const {
    QStringList out;
    for (QLabel* p : player == 1
                         ? std::vector<QLabel*>{dc->Panel49, dc->Panel47, dc->Panel23, dc->Panel22, dc->Panel21}
                         : std::vector<QLabel*>{dc->Panel53, dc->Panel51, dc->Panel26, dc->Panel25, dc->Panel24})
      out << p->text();
    for (int b = 0; b < 5; ++b) EXPECT_EQ(out[b], QString::number(d->ScoreBands[(player - 1) * 5 + b])) << b;
    return out;
  }
  static QString EnabledOf(std::initializer_list<QWidget*> controls) {
    QString out;
    for (QWidget* w : controls) out += ui::Enabled(w) ? "1" : "0";
    return out;
  }
  // Everything a visit, bust or undo may change, as one text.
  std::string State() {
    QStringList out = Bands(1) + Bands(2);
    for (double v :
         {1.0 * d->CurrentThrower, 1.0 * d->LegOver, 1.0 * d->VisitCount1, 1.0 * d->VisitCount2, 1.0 * d->Remainder1,
          1.0 * d->Remainder2, 1.0 * d->TurnMarkerShown(1), 1.0 * d->TurnMarkerShown(2)})
      out << QString::number(v);
    out << EnabledOf({dc->MaskEdit1, dc->BitBtn2, dc->BitBtn3, dc->BitBtn5, dc->BitBtn6, dc->Label4, dc->BitBtn7,
                      dc->BitBtn8, dc->BitBtn9, dc->BitBtn4});
    for (QLabel* p : {dc->Panel9, dc->Panel10, dc->Panel11, dc->Panel12, dc->Panel13, dc->Panel14}) out << p->text();
    for (int row = 0; row <= 8; ++row)
      for (int col = 0; col < 10; ++col) out << Sheet(1 + col / 5, col % 5, row);
    return out.join("|").toStdString();
  }
};

// A refused visit leaves all as it was, empties the field and focuses it.
TEST_F(MatchWindowTest, RefusedVisitsLeaveEverythingAsItWas) {
  struct Case {
    Game game;
    std::initializer_list<int> before;  // visits of player 1, player 2, player 1, ...
    QString typed, message;
  };
  const Case cases[] = {
      {k501, {}, "   ", kOutOfRange},
      {k501, {}, "181", kOutOfRange},
      {k501, {60, 60}, "179", kImpossible},
      {k501, {180, 0, 141, 0}, "180", kBust},                    // 180 left: no finish
      {k201, {180, 0, 19, 0}, "1", kBust},                       // would leave 1
      {k201, {161, 0}, "41", kBust},                             // more than the 40 left
      {k301, {142, 0}, "159", kBust},                            // 159 cannot be finished
      {k501, {}, "1 2", "'1 2' is not a valid integer value."},  // the default error report
      {k501, {60}, "paste 1e3", kOutOfRange},                    // a paste that is no visit
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.typed.toStdString() + " after " + std::to_string(t.before.size()) + " visits");
    StartMatch(MatchPlan{t.game});
    Visits(t.before);
    const std::string before = State();
    msg->Clear();
    if (t.typed.startsWith("paste ")) {
      QApplication::clipboard()->setText(t.typed.mid(6));
      QTest::keyClick(dc->MaskEdit1, Qt::Key_V, Qt::ControlModifier);
    } else {
      Enter(t.typed);
    }
    EXPECT_EQ(msg->Texts(), QStringList{t.message});
    EXPECT_EQ(State(), before);
    EXPECT_TRUE(dc->MaskEdit1->Text() == "   " && Focused() == dc->MaskEdit1);
    d->Close();
  }
}

// The dart buttons offered for the finishing visit ("1" any, "2" the second or
// third, "3" the third only), the focus on the first of them; Space or Enter on it.
TEST_F(MatchWindowTest, FinishingDartsOfferedByTheFinishingVisit) {
  const std::pair<int, int> cases[] = {{40, 1},  {41, 2},  {50, 1},  {60, 2}, {109, 3},
                                       {110, 2}, {111, 3}, {160, 3}, {170, 3}};
  for (const auto& [finish, first] : cases) {
    SCOPED_TRACE(finish);
    StartMatch(MatchPlan{k170, 0, 2});
    if (finish < 170) Visits({170 - finish, 0});
    Enter(QString::number(finish));
    EXPECT_EQ(d->LegOver + d->CurrentThrower, 2);
    const QString enabled = EnabledOf({dc->MaskEdit1, dc->BitBtn2, dc->BitBtn9, dc->Label4, dc->BitBtn7, dc->BitBtn3,
                                       dc->BitBtn5, dc->BitBtn6});  // field, Ok, bust, label, undo, darts
    EXPECT_EQ(enabled, "00011" + QString("111").replace(0, first - 1, QString(first - 1, '0')));
    EXPECT_EQ(Focused(), (std::vector<QWidget*>{dc->BitBtn3, dc->BitBtn5, dc->BitBtn6}[first - 1]));
    dc->MaskEdit1->SetText("0");
    d->BitBtn2Click();  // Ok run anyway: nothing happens until the next leg
    Key(finish % 2 ? Qt::Key_Space : Qt::Key_Return);
    EXPECT_EQ(d->FinishingDart, first);
    EXPECT_EQ(dc->Panel42->text(), QString::number((finish < 170 ? 3 : 0) + first));
    EXPECT_EQ(dc->Panel40->text(), "1");
    EXPECT_EQ(Focused(), dc->BitBtn4);
    d->Close();
  }
}

// After each player's visit: enabled when the next thrower has 181 or less.
TEST_F(MatchWindowTest, BustButtonFollowsTheNextThrowersRemainder) {
  struct Case {
    Game game;
    std::initializer_list<int> visits;  // player 1, player 2, player 1, ...
    bool on;
  };
  const Case cases[] = {{k501, {180}, false},    {k201, {20}, false},        {k201, {20, 20}, true},
                        {k201, {19, 20}, false}, {k201, {20, 19, 0}, false}, {k201, {19, 20, 0}, true},
                        {k170, {10}, true},      {k170, {}, false}};
  for (const auto& [game, visits, on] : cases) {
    SCOPED_TRACE(std::to_string(game) + " after " + std::to_string(visits.size()) + " visits");
    StartMatch(MatchPlan{game});
    Key(Qt::Key_F8);  // nothing while disabled
    Visits(visits);
    EXPECT_EQ(ui::Enabled(dc->BitBtn9), on);
    EXPECT_EQ(d->VisitCount1 + d->VisitCount2, visits.size());
    d->Close();
  }
}

// Visits, busts of both players and a finish taken back one by one,
// alternately, to the start of the leg: each undo gives back the state before
// the visit it takes back.
TEST_F(MatchWindowTest, BustAndUndoChainBackToTheStartOfTheLeg) {
  struct Case {
    Game game;
    std::vector<int> visits;  // -1: bust by F8
    bool finishes;
  };
  const Case cases[] = {{k501, {180, 60, 140, 180, 100, 100, -1, -1, 0, 77}, false},
                        {k170, {85, 60, 75, 0, -1, 100, 10}, true}};
  for (const Case& t : cases) {
    SCOPED_TRACE(t.visits.size());
    StartMatch(MatchPlan{t.game});
    const float start = d->Remainder1;
    std::vector<std::string> states;
    std::vector<int> throwers;
    for (int v : t.visits) {
      states.push_back(State());
      const int p = d->CurrentThrower;
      throwers.push_back(p);
      if (v >= 0) {
        Enter(QString::number(v));
        continue;
      }
      // A bust: a visit of no score, marked, in no band, that lowers the averages.
      const QStringList bands = Bands(1) + Bands(2);
      Key(Qt::Key_F8);
      const int n = static_cast<int>(d->VisitCount(p));
      const float left = d->Remainder(p);
      EXPECT_EQ(QStringList({Sheet(p, 0, n), Sheet(p, 1, n), Sheet(p, 2, n), Sheet(p, 4, n)}),
                QStringList({QString::number(n), p == 1 ? "   ---" : "  ---", QString::number(left),
                             ui::FormatFloat("0.00", (start - left) / static_cast<float>(n))}));
      EXPECT_TRUE(Bands(1) + Bands(2) == bands && d->CurrentThrower == 3 - p);
    }
    EXPECT_EQ(d->LegOver, t.finishes ? 1 : 0);
    for (size_t i = t.visits.size(); i-- > 0;) {
      const int p = throwers[i];
      ASSERT_TRUE(ui::Enabled(p == 1 ? dc->BitBtn7 : dc->BitBtn8) && !ui::Enabled(p == 1 ? dc->BitBtn8 : dc->BitBtn7))
          << i;
      (p == 1 ? dc->BitBtn7 : dc->BitBtn8)->click();
      // Before both had thrown the new leg's "0" averages stood, now "0.00".
      if (i < 2) continue;
      EXPECT_EQ(State(), states[i]) << i;
    }
    EXPECT_EQ(d->Remainder1 + d->VisitCount1 + d->VisitCount2 + d->CurrentThrower, start + 1);
    EXPECT_EQ((Bands(1) + Bands(2) + QStringList({dc->Panel11->text(), dc->Panel12->text()})).join(' '),
              "0 0 0 0 0 0 0 0 0 0 0.00 0.00");
    EXPECT_FALSE(ui::Enabled(dc->BitBtn7) || ui::Enabled(dc->BitBtn8));
    d->Close();
  }
}

// The record block of a leg: names, score after the leg, who started, both
// visit sheets side by side and who finished with which dart in how many darts;
// the best legs and the leg averages.
TEST_F(MatchWindowTest, RecordBlocksBestLegsAndLegAverages) {
  StartMatch(MatchPlan{-1, 0, 3, "Анна", "Борис; \"Б\""});
  Visits({60, 45, 60, 26, 60, 85, 60, 41, 60, 100, 100, 81, 101});
  Key(Qt::Key_F2);
  EXPECT_EQ(d->RecordRow, 13);
  const char* expected[] = {
      "|Анна|Сет|Лег||||Сет|Лег|Борис; \"Б\"",
      "||0|1|    X|Начало||0|0|",
      "Подход|Набор|Остаток|Ср. на 1 др.|Ср. на 3 др.||Набор|Остаток|Ср. на 1 др.|Ср. на 3 др.",
      "||501|||||501||",
      "1|60|441|20.00|60.00||45|456|15.00|45.00",
      "2|60|381|20.00|60.00||26|430|11.83|35.50",
      "3|60|321|20.00|60.00||85|345|17.33|52.00",
      "4|60|261|20.00|60.00||41|304|16.42|49.25",
      "5|60|201|20.00|60.00||100|204|19.80|59.40",
      "6|100|101|22.22|66.67||81|123|21.00|63.00",
      "7|101|0|||||||",
      "|Закрыл|Х(2)|Сиграл за|20|||||",
      "|||||||||",
  };
  for (int row = 0; row < 13; ++row) EXPECT_EQ(RecordRow(row).join('|'), expected[row]) << row;
  // The next leg, won by player 2 who started it, closes on the right.
  Key(Qt::Key_F7);
  WinLeg(2);
  EXPECT_EQ(RecordRow(14).join('|'), "||0|1||Начало|    X|0|1|");
  EXPECT_EQ(RecordRow(20).join('|'), "||||||Закрыл|Х(3)|Сиграл за|9");
  EXPECT_EQ(d->RecordRow, 22);
  // Player 1 wins on the 5th visit with dart 2: 14 darts, better than 20.
  Key(Qt::Key_F7);
  Visits({100, 0, 100, 0, 100, 0, 100, 0, 101});
  Key(Qt::Key_F2);
  EXPECT_EQ(QStringList({dc->Panel11->text(), dc->Panel12->text(), dc->Panel42->text(), dc->Panel43->text()}),
            QStringList({"35.79", "107.36", "14", "9"}));
  EXPECT_EQ(dc->Panel13->text(), "0.00");  // the loser keeps the running averages
}

// Whole matches: who starts every leg, the chooser where the players play for
// the start (arrows move its choice, Enter in it or Tab and Space accept), and
// the match end, where a stray Enter or Space does nothing.
TEST_F(MatchWindowTest, StarterOfEveryLegTheChooserAndTheMatchEnd) {
  struct Case {
    int sets, legs, starter;
    bool legDraw, setDraw;
    const char* winners;
    const char* starters;  // of every leg; "c" where the chooser is asked first
    const char* keys;      // pressed in the chooser: R(ight), L(eft), E(nter) accepts
    const char* score;     // sets and legs of player 1, then of player 2, at the end
  };
  const Case cases[] = {
      {0, 3, 1, true, false, "12122", "1212c", "RE", "0 2 0 3"},      // the chooser at 2-2
      {0, 3, 1, false, false, "12122", "12121", "", "0 2 0 3"},       // alternating
      {0, 3, 2, true, false, "12121", "2121c", "E", "0 3 0 2"},       // untouched: player 1
      {2, 2, 1, false, true, "112211", "1221c1", "RLRR", "2 0 1 0"},  // the chooser at 1-1 in sets
      {2, 2, 1, false, false, "112211", "122112", "", "2 0 1 0"},     // sets alternate their starter
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.starters);
    Accept(MatchPlan{-1, t.sets, t.legs, "Анна", "Борис", t.starter, t.legDraw, t.setDraw});
    for (int leg = 0; t.winners[leg]; ++leg) {
      int starter = t.starters[leg] - '0';
      ASSERT_EQ(k->isVisible(), t.starters[leg] == 'c') << "leg " << leg;
      if (k->isVisible()) {
        EXPECT_EQ(kc->RadioGroup1->Items(), QStringList({"Анна", "Борис"}));
        EXPECT_EQ(Focused(), kc->RadioGroup1->Button(0));
        starter = 1;
        const char* key = t.keys;
        for (; *key && *key != 'E'; ++key) {
          Key(*key == 'R' ? Qt::Key_Right : Qt::Key_Left);
          starter = *key == 'R' ? 2 : 1;
          EXPECT_EQ(d->LegStarter, starter);  // the group's click already names the starter
        }
        if (*key != 'E') Key(Qt::Key_Tab);
        Key(*key == 'E' ? Qt::Key_Return : Qt::Key_Space);
        EXPECT_FALSE(k->isVisible());
        dc->BitBtn4->setFocus();  // the chooser's runner returned before the player chose
      }
      Key(Qt::Key_F7);
      EXPECT_EQ(QList<int>({d->CurrentThrower, d->LegStarter}), QList<int>({starter, starter})) << "leg " << leg;
      EXPECT_EQ(QList<bool>({ui::Visible(dc->Panel54), d->TurnMarkerShown(1), ui::Visible(dc->Panel55)}),
                QList<bool>({starter == 1, starter == 1, starter == 2}));
      WinLeg(t.winners[leg] - '0');
    }
    // Match over: a won set sets both legs panels to "0"; the last block shows the same.
    EXPECT_EQ(d->MatchOver, 1);
    const QStringList score{dc->Panel39->text(), dc->Panel40->text(), dc->Panel44->text(), dc->Panel45->text()};
    EXPECT_EQ(score.join(" "), t.score);
    const QStringList block = RecordRow(d->RecordRow - 3 - 6 + 1);  // the winner's 3 visits
    EXPECT_EQ(QStringList({block[2], block[3], block[7], block[8]}), score);
    EXPECT_FALSE(ui::Enabled(dc->BitBtn4) || ui::Enabled(dc->MaskEdit1));  // F7 starts nothing
    EXPECT_EQ(Focused(), d);  // not on the exit button next in the Tab order
    msg->Clear();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) Key(key);
    EXPECT_TRUE(d->isVisible() && msg->Texts().isEmpty());
    d->Close();
    s->Close();
  }
}

// The newest visit row is drawn inside the sheet's view.
bool InView(const ui::TStringGrid* sheet, int row) {
  const QRect r = sheet->CellRect(0, row);
  return !r.isEmpty() && r.bottom() < sheet->viewport()->height();
}

// Each sheet grows with its player's visits and shows the newest one, an undo
// included; a new leg starts both at the top again, with the form's rows.
TEST_F(MatchWindowTest, VisitSheetsGrowWithTheLegAndShowTheNewestVisit) {
  StartMatch(MatchPlan{k170, 0, 2});
  for (int visit = 1; visit <= 81; ++visit) {  // 0 or a bust (F8), in turn
    const int p = d->CurrentThrower;
    visit % 7 ? Enter("0") : Key(Qt::Key_F8);
    const int n = static_cast<int>(d->VisitCount(p));
    ui::TStringGrid* sheet = p == 1 ? dc->StringGrid1 : dc->StringGrid2;
    ASSERT_TRUE(n == (visit + 1) / 2 && sheet->RowCount() == std::max(30, n + 1) && InView(sheet, n)) << visit;
  }
  dc->BitBtn7->click();  // player 1's 41st visit taken back
  EXPECT_TRUE(InView(dc->StringGrid1, 40) && Sheet(1, 0, 41).isEmpty() && dc->StringGrid1->RowCount() == 41);
  Enter("170");
  Key(Qt::Key_F3);
  EXPECT_EQ(RecordRow(3 + 41).mid(0, 3).join(' '), "41 170 0");  // the record holds every visit
  Key(Qt::Key_F7);
  for (ui::TStringGrid* sheet : {dc->StringGrid1, dc->StringGrid2}) {
    EXPECT_TRUE(sheet->RowCount() == 30 && sheet->TopRow() == 1);
  }
}

// A camera that sends frames until, after `frames` of them, it is gone as one
// unplugged (never, for a negative count).
struct UnpluggedCamera : video::TVLFrameSource {
  explicit UnpluggedCamera(int n) : frames(n) {}
  void Open(const video::TVLCaptureFormat&) override {}
  QString DeviceName() const override { return "/dev/video9"; }
  video::TVLImageBuffer Next(std::chrono::milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (frames-- == 0) throw video::EVLDeviceError("/dev/video9", "устройство отключено");
    video::TVLImageBuffer frame(64, 48, video::TVLPixelFormat::vfRGB24);
    std::memset(frame.Write(), frames & 0xff, frame.ByteSize());
    return frame;
  }
  void Close() noexcept override {}
  int frames;
};

// The video box shows whether the camera runs: a camera that cannot start or
// goes away mid-match clears it and hides the picture, and is reported once;
// leaving the window switches the camera off. Afterwards the keyboard is back
// in the score field, and the next visit counts.
TEST_F(MatchWindowTest, VideoBoxShowsWhetherTheCameraRuns) {
  enum Way { kCannotStart, kUnplugged, kLeft };
  for (Way way : {kCannotStart, kUnplugged, kLeft}) {
    SCOPED_TRACE(way);
    StartMatch(MatchPlan{});
    video::TVLDSCapture& capture = d->Video.VLDSCapture1;
    capture.SetVideoDevice("/nonexistent/video7");
    if (way != kCannotStart) {
      capture.SetSourceFactory(
          [way](const QString&) { return std::make_unique<UnpluggedCamera>(way == kUnplugged ? 5 : -1); });
    }
    msg->Clear();
    dc->CheckBox1->setFocus();
    Key(Qt::Key_Space);
    EXPECT_EQ(dc->CheckBox1->isChecked() && d->Video.Running(), way != kCannotStart);
    QElapsedTimer waited;
    for (waited.start(); way == kUnplugged && d->Video.Running() && waited.elapsed() < 5000;) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    if (way == kLeft) {
      Script(ui::mrYes);
      Key(Qt::Key_F10);
      ASSERT_FALSE(d->isVisible());
    }
    EXPECT_FALSE(d->Video.Running() || d->Video.VLMotionDetect1.Enabled() || dc->CheckBox1->isChecked());
    EXPECT_TRUE(d->Video.VLImageDisplay1()->isHidden());
    ASSERT_EQ(msg->Log().size(), 1u);
    EXPECT_EQ(msg->Log()[0].dlgType, way == kLeft ? int(ui::mtConfirmation) : int(ui::mtError));
    if (way == kLeft) continue;
    EXPECT_TRUE(msg->Log()[0].text.contains(way == kUnplugged ? "/dev/video9" : "/nonexistent/video7"));
    EXPECT_EQ(Focused(), dc->MaskEdit1);
    Visits({60});
    EXPECT_EQ(d->VisitCount1, 1);
    d->Close();
  }
}

// Before any finished leg the Yes/No question; after a leg of 7 visits by the
// winner: Cancel stays, No leaves without a spreadsheet, Yes exports; a Yes
// whose spreadsheet program fails at once stays (no file holds the record). Read
// back: the record in rows 2 to 14, the band summary in rows 15 to 19, the
// colours, font and borders of the block.
TEST_F(MatchWindowTest, LeavingAfterPlayAndTheExportReadBack) {
  if (!QFileInfo::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  int started = 0;
  bool startFails = false;
  ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
  ui::seams().startDetached = [&](const QString&, const QStringList&) { return ++started > 0 && !startFails; };
  testing_support::RecordedCalls recorded;
  struct Case {
    QString player1, rows33;  // sheet rows coloured 33
    int row36;                // sheet row coloured 36, 0: none
  };
  // Every empty column-1 row counts as an empty name.
  const Case cases[] = {{"Анна", "2", 14}, {"", "2 3 5 14 15", 0}};
  const QString longName = QString(199, QChar(0x0416)) + ";";
  for (const Case& t : cases) {
    SCOPED_TRACE(t.player1.toStdString());
    StartMatch(MatchPlan{-1, 0, 2, t.player1, longName});
    Visits({60, 45, 60, 26, 60, 85, 60, 41, 60, 100, 100, 81});
    Script(ui::mrNo);  // stays, the field emptied and focused
    Key(Qt::Key_F10);
    EXPECT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitYesNoText)});
    EXPECT_TRUE(d->isVisible() && Focused() == dc->MaskEdit1);
    Visits({101});
    Key(Qt::Key_F2);
    for (int answer : {+ui::mrCancel, +ui::mrNo, -ui::mrYes, +ui::mrYes}) {  // -Yes: the start fails
      startFails = answer < 0;
      started = 0;
      Script(std::abs(answer));
      Key(Qt::Key_F10);
      EXPECT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitConfirmText)} +
                                  (startFails ? QStringList{"Невозможно запустить Excel"} : QStringList()));
      EXPECT_EQ(d->isVisible(), answer == ui::mrCancel || startFails);
      EXPECT_EQ(started, std::abs(answer) == ui::mrYes ? 1 : 0);
      if (answer == ui::mrNo) d->ShowModal();  // back in to leave once more
    }
    started = 0;
    EXPECT_TRUE(recorded.Described().contains("Range(A1:J21).Value = [21x11]"));

    const QJsonObject cells = testing_support::ReadWorkbook(recorded.WrittenFile())["cells"].toObject();
    const QStringList titles{"60 +", "80 +", "100 +", "140 +", "180"};
    const QStringList bands1 = QString("5 0 2 0 0").split(' '), bands2 = QString("0 2 1 0 0").split(' ');
    for (int row = 1; row <= 21; ++row) {
      SCOPED_TRACE(row);
      for (int col = 0; col < 10; ++col) {
        const QJsonObject c = cells[QString(QChar('A' + col)) + QString::number(row)].toObject();
        QString want;
        if (row >= 2 && row <= 14) want = dc->StringGrid3->Cell(col, row - 2);
        if (row >= 15 && row <= 19) want = QStringList{titles[row - 15], bands1[row - 15]}.value(col);
        if (row >= 15 && row <= 19 && col >= 8) want = QStringList{titles[row - 15], bands2[row - 15]}[col - 8];
        // A text that reads as a number arrives as a number cell.
        const QJsonValue got = c["value"];
        EXPECT_EQ(got.isDouble() ? QString::number(got.toDouble()) : got.toString(),
                  got.isDouble() ? QString::number(QString(want).replace(',', '.').toDouble()) : want);
        EXPECT_TRUE(c["bold"].toBool() && c["size"].toDouble() == 16.0 && c["h"].toString() == "center");
        EXPECT_EQ(c["left"].toArray(), QJsonArray({"thin", "auto"}));
        const bool named = t.rows33.split(' ').contains(QString::number(row));
        EXPECT_EQ(c["fill"].toString(), named ? "FF00CCFF" : row == t.row36 ? "FFFFFF99" : "") << col;
      }
    }
    EXPECT_EQ(cells["J2"].toObject()["value"].toString(), longName);
    d->Close();
  }
}

}  // namespace
