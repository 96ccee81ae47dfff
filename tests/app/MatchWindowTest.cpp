// The match window: visits, finishing darts, bust, undo, legs, sets, starters,
// the record of every leg, leaving and the export.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <clocale>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "automation/Excel.h"
#include "darts/DartsRules.h"
#include "gamekit/GameConventions.h"
#include "tests/app/MatchTestSupport.h"
#include "ui/SysUtils.h"

namespace {

using match_test::MatchPlan;

const QString kOutOfRange = "Внимание!!! Недопустимое значение. Введите число от 0 до 180 ";
const QString kImpossible = "Внимание!!! Недопустимое значение в дартс.";
const QString kBust =
    "Внимание!!! Похоже перебор. Если перебор, то нажмите на кнопку ПЕРЕБОР или F8 иначе введите правильное число.";

enum Game { k501 = 0, k301 = 1, k201 = 2, k170 = 3 };

class MatchWindowTest : public match_test::MatchFixture {
 protected:
  QString Sheet(int player, int col, int row) const {
    return (player == 1 ? dc->StringGrid1 : dc->StringGrid2)->Cell(col, row);
  }
  QStringList RecordRow(int row) const {
    QStringList out;
    for (int col = 0; col < 10; ++col) out << dc->StringGrid3->Cell(col, row);
    return out;
  }
  QStringList Bands(int player) const {
    QStringList out;
    const std::vector<QLabel*> panels =
        player == 1 ? std::vector<QLabel*>{dc->Panel49, dc->Panel47, dc->Panel23, dc->Panel22, dc->Panel21}
                    : std::vector<QLabel*>{dc->Panel53, dc->Panel51, dc->Panel26, dc->Panel25, dc->Panel24};
    for (int b = 0; b < 5; ++b) {
      EXPECT_EQ(panels[b]->text(), QString::number(d->ScoreBands[(player - 1) * 5 + b])) << b;
      out << panels[b]->text();
    }
    return out;
  }
  // Everything a visit, bust or undo may change, as one text.
  std::string State() {
    QStringList out;
    out << QString("thrower %1 over %2 visits %3 %4 rem %5 %6")
               .arg(d->CurrentThrower)
               .arg(d->LegOver)
               .arg(d->VisitCount1)
               .arg(d->VisitCount2)
               .arg(d->Remainder1)
               .arg(d->Remainder2);
    out << "bands " + Bands(1).join(",") + " / " + Bands(2).join(",");
    out << "panels " + QStringList({dc->Panel9->text(), dc->Panel10->text(), dc->Panel11->text(), dc->Panel12->text(),
                                    dc->Panel13->text(), dc->Panel14->text()})
                           .join("|");
    QString flags = "enabled ";
    for (QWidget* w :
         {static_cast<QWidget*>(dc->MaskEdit1), static_cast<QWidget*>(dc->BitBtn2), static_cast<QWidget*>(dc->BitBtn3),
          static_cast<QWidget*>(dc->BitBtn5), static_cast<QWidget*>(dc->BitBtn6), static_cast<QWidget*>(dc->Label4),
          static_cast<QWidget*>(dc->BitBtn7), static_cast<QWidget*>(dc->BitBtn8), static_cast<QWidget*>(dc->BitBtn9),
          static_cast<QWidget*>(dc->BitBtn4)}) {
      flags += ui::Enabled(w) ? "1" : "0";
    }
    out << flags << QString("markers %1%2").arg(ui::Visible(dc->Image1)).arg(ui::Visible(dc->Image2));
    for (int row = 0; row <= 8; ++row) {
      QStringList cells;
      for (int p = 1; p <= 2; ++p)
        for (int col = 0; col < 5; ++col) cells << Sheet(p, col, row);
      out << cells.join("|");
    }
    return out.join("\n").toStdString();
  }
};

TEST_F(MatchWindowTest, RefusedVisitsLeaveEverythingAsItWas) {
  struct Case {
    Game game;
    std::initializer_list<int> before;  // visits of player 1, player 2, player 1, ...
    QString typed;
    QString message;  // empty: accepted
  };
  const Case cases[] = {
      {k501, {}, "   ", kOutOfRange},      {k501, {}, "181", kOutOfRange},
      {k501, {}, "999", kOutOfRange},      {k501, {60, 60}, "179", kImpossible},
      {k501, {}, "163", kImpossible},      {k501, {180, 0, 141, 0}, "180", kBust},  // 180 left: no finish
      {k201, {180, 0, 19, 0}, "1", kBust},                                          // would leave 1
      {k201, {161, 0}, "41", kBust},                                                // more than the 40 left
      {k301, {142, 0}, "159", kBust},                                               // 159 cannot be finished
      {k301, {180, 100}, "1", QString()},                                           // player 2 at 201
      {k301, {141, 0}, "160", QString()},                                           // a finish
      {k170, {}, "170", QString()},        {k501, {}, "0", QString()},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.typed.toStdString() + " after " + std::to_string(t.before.size()) + " visits");
    MatchPlan m;
    m.game = t.game;
    StartMatch(m);
    Visits(t.before);
    const int p = d->CurrentThrower;
    const float visits = d->VisitCount(p), remainder = d->Remainder(p);
    const std::string before = State();
    msg->Clear();
    Enter(t.typed);
    if (t.message.isEmpty()) {
      EXPECT_TRUE(msg->Texts().isEmpty());
      EXPECT_EQ(d->VisitCount(p), visits + 1);
      EXPECT_EQ(d->Remainder(p), remainder - t.typed.toInt());
    } else {
      EXPECT_EQ(msg->Texts(), QStringList{t.message});
      EXPECT_EQ(State(), before);
      EXPECT_EQ(dc->MaskEdit1->Text(), "   ");
      EXPECT_EQ(Focused(), dc->MaskEdit1);
    }
    d->Close();
  }
}

TEST_F(MatchWindowTest, TextThatIsNoNumberIsReportedAndTheFieldTakesTheNextEntry) {
  StartMatch(MatchPlan{});
  const std::string before = State();
  Enter("1 2");
  ASSERT_EQ(msg->Log().size(), 1u);
  EXPECT_EQ(msg->Log()[0].kind, ui::ShownMessage::Kind::Exception);
  EXPECT_EQ(State(), before);
  EXPECT_EQ(dc->MaskEdit1->Text(), "   ");
  Enter("60");
  EXPECT_EQ(d->Remainder1, 441);
  EXPECT_EQ(Bands(1), QStringList({"1", "0", "0", "0", "0"}));
}

TEST_F(MatchWindowTest, FinishingDartsOfferedByTheFinishingVisit) {
  enum Offer { kAny, kSecond, kThird };
  struct Case {
    int finish;
    Offer offer;
    Qt::Key press;  // pressed on the focused button
  };
  const Case cases[] = {{40, kAny, Qt::Key_Space},    {41, kSecond, Qt::Key_Return}, {50, kAny, Qt::Key_Return},
                        {60, kSecond, Qt::Key_Space}, {109, kThird, Qt::Key_Return}, {110, kSecond, Qt::Key_Space},
                        {111, kThird, Qt::Key_Space}, {160, kThird, Qt::Key_Return}, {170, kThird, Qt::Key_Space}};
  for (const Case& t : cases) {
    SCOPED_TRACE(t.finish);
    MatchPlan m;
    m.game = k170;
    m.legs = 2;
    StartMatch(m);
    if (t.finish < 170) Visits({170 - t.finish, 0});
    Enter(QString::number(t.finish));
    EXPECT_EQ(d->LegOver, 1);
    EXPECT_EQ(d->CurrentThrower, 1);
    EXPECT_FALSE(ui::Enabled(dc->MaskEdit1) || ui::Enabled(dc->BitBtn2) || ui::Enabled(dc->BitBtn9));
    EXPECT_TRUE(ui::Enabled(dc->Label4) && ui::Enabled(dc->BitBtn7));
    EXPECT_EQ(ui::Enabled(dc->BitBtn3), t.offer == kAny);
    EXPECT_EQ(ui::Enabled(dc->BitBtn5), t.offer != kThird);
    EXPECT_TRUE(ui::Enabled(dc->BitBtn6));
    QWidget* focused[] = {dc->BitBtn3, dc->BitBtn5, dc->BitBtn6};
    EXPECT_EQ(Focused(), focused[t.offer]);
    dc->MaskEdit1->SetText("0");
    d->BitBtn2Click();  // Ok run anyway: nothing happens until the next leg
    EXPECT_EQ(d->VisitCount1, t.finish < 170 ? 2 : 1);
    Key(t.press);
    const int dart = t.offer + 1;
    EXPECT_EQ(d->FinishingDart, dart);
    const int legDarts = (static_cast<int>(d->VisitCount1) - 1) * 3 + dart;
    EXPECT_EQ(dc->Panel42->text(), QString::number(legDarts));
    EXPECT_EQ(dc->Panel40->text(), "1");
    EXPECT_EQ(Focused(), dc->BitBtn4);
    d->Close();
  }
}

TEST_F(MatchWindowTest, BustButtonFollowsTheNextThrowersRemainder) {
  struct Case {
    Game game;
    std::initializer_list<int> visits;  // player 1, player 2, player 1, ...
    bool bust;                          // the bust button after the last visit
  };
  const Case cases[] = {
      {k501, {180}, false},        // player 2 next, at 501
      {k501, {180, 140}, false},   // player 1 next, at 321
      {k201, {20}, false},         // player 2 next, at 201
      {k201, {20, 20}, true},      // player 1 next, at 181
      {k201, {19, 20}, false},     // player 1 next, at 182
      {k201, {20, 19, 0}, false},  // player 2 next, at 182
      {k201, {19, 20, 0}, true},   // player 2 next, at 181
      {k170, {10}, true},          // player 2 next, at 170
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(std::to_string(t.visits.size()) + " visits");
    MatchPlan m;
    m.game = t.game;
    StartMatch(m);
    EXPECT_FALSE(ui::Enabled(dc->BitBtn9));  // never at a new leg
    Key(Qt::Key_F8);                         // disabled: nothing
    EXPECT_EQ(d->VisitCount1, 0);
    Visits(t.visits);
    EXPECT_EQ(ui::Enabled(dc->BitBtn9), t.bust);
    d->Close();
  }
}

TEST_F(MatchWindowTest, BustCountsAVisitOfNoScore) {
  struct Case {
    int player;  // who busts
    QString mark;
  };
  for (const Case& t : {Case{1, "   ---"}, Case{2, "  ---"}}) {
    SCOPED_TRACE(t.player);
    MatchPlan m;
    m.game = k201;
    StartMatch(m);
    Visits({100, 100, 69, 63});  // player 1 at 32, player 2 at 38
    if (t.player == 2) Visits({0});
    // 32 or 38 left, the next thrower busts by F8.
    const int p = d->CurrentThrower;
    ASSERT_EQ(p, t.player);
    const QStringList bands = Bands(p);
    const float left = d->Remainder(p);
    Key(Qt::Key_F8);
    const int n = static_cast<int>(d->VisitCount(p));
    EXPECT_EQ(QStringList({Sheet(p, 0, n), Sheet(p, 1, n), Sheet(p, 2, n)}),
              QStringList({QString::number(n), t.mark, QString::number(left)}));
    EXPECT_EQ(d->Remainder(p), left);
    EXPECT_EQ(Bands(p), bands);
    EXPECT_EQ(d->CurrentThrower, 3 - p);
    EXPECT_TRUE(ui::Enabled(p == 1 ? dc->BitBtn7 : dc->BitBtn8));
    EXPECT_FALSE(ui::Enabled(p == 1 ? dc->BitBtn8 : dc->BitBtn7));
    EXPECT_TRUE(ui::Enabled(dc->MaskEdit1) && ui::Enabled(dc->BitBtn9));
    EXPECT_EQ(Focused(), dc->MaskEdit1);
    // The bust lowers the averages: the same score over one visit more.
    const QString perVisit = ui::FormatFloat("0.00", (201.0f - left) / static_cast<float>(n));
    EXPECT_EQ(Sheet(p, 4, n), perVisit);
    EXPECT_EQ((p == 1 ? dc->Panel12 : dc->Panel14)->text(), perVisit);
    d->Close();
  }
}

// Visits, busts and a finish taken back one by one, alternately, to the start
// of the leg: each undo gives back the state before the visit it takes back.
TEST_F(MatchWindowTest, UndoChainGoesBackToTheStartOfTheLeg) {
  struct Case {
    const char* name;
    Game game;
    std::vector<int> visits;  // -1: bust by F8
    bool finishes;
  };
  const Case cases[] = {
      {"bands and busts", k501, {180, 60, 140, 180, 100, 100, -1, 1, 0, 77}, false},
      {"through a finish", k170, {85, 60, 75, 0, -1, 100, 10}, true},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    MatchPlan m;
    m.game = t.game;
    StartMatch(m);
    std::vector<std::string> states;
    std::vector<int> throwers;
    std::vector<bool> bothThrew;  // before it a new leg's "0" averages stand
    for (int v : t.visits) {
      states.push_back(State());
      bothThrew.push_back(d->VisitCount1 > 0 && d->VisitCount2 > 0);
      throwers.push_back(d->CurrentThrower);
      v < 0 ? Key(Qt::Key_F8) : Enter(QString::number(v));
    }
    EXPECT_EQ(d->LegOver, t.finishes ? 1 : 0);
    for (size_t i = t.visits.size(); i-- > 0;) {
      SCOPED_TRACE(i);
      const int p = throwers[i];
      ASSERT_TRUE(ui::Enabled(p == 1 ? dc->BitBtn7 : dc->BitBtn8));
      ASSERT_FALSE(ui::Enabled(p == 1 ? dc->BitBtn8 : dc->BitBtn7));
      (p == 1 ? dc->BitBtn7 : dc->BitBtn8)->click();
      if (bothThrew[i]) {
        EXPECT_EQ(State(), states[i]);
      }
    }
    // Back at the start: only the averages read "0.00" instead of the new leg's "0".
    EXPECT_EQ(d->Remainder1, m.game == k501 ? 501 : 170);
    EXPECT_EQ(d->VisitCount1 + d->VisitCount2, 0);
    EXPECT_EQ(Bands(1), QStringList({"0", "0", "0", "0", "0"}));
    EXPECT_EQ(Bands(2), QStringList({"0", "0", "0", "0", "0"}));
    EXPECT_EQ(dc->Panel11->text(), "0.00");
    EXPECT_EQ(dc->Panel12->text(), "0.00");
    EXPECT_FALSE(ui::Enabled(dc->BitBtn7) || ui::Enabled(dc->BitBtn8));
    EXPECT_EQ(d->CurrentThrower, 1);
    for (int col = 0; col < 5; ++col) EXPECT_TRUE(Sheet(1, col, 1).isEmpty() && Sheet(2, col, 1).isEmpty());
    d->Close();
  }
}

TEST_F(MatchWindowTest, LegOfFourteenDartsAndTheBestLeg) {
  MatchPlan m;
  m.legs = 3;
  StartMatch(m);
  Visits({100, 0, 100, 0, 100, 0, 100, 0, 101});
  Key(Qt::Key_F2);
  EXPECT_EQ(QStringList({dc->Panel11->text(), dc->Panel12->text(), dc->Panel42->text()}),
            QStringList({"35.79", "107.36", "14"}));
  EXPECT_EQ(dc->Panel43->text(), "0");
  EXPECT_EQ(dc->Panel13->text(), "0.00");  // the loser keeps the running averages
  Key(Qt::Key_F7);
  WinLeg(1);  // player 2 started, player 1 wins in 9
  EXPECT_EQ(dc->Panel42->text(), "9");
  Key(Qt::Key_F7);
  Visits({0, 100, 0, 100, 0, 100, 0, 100, 0, 61, 0, 40});  // player 1 starts, player 2 wins in 17 (dart 2)
  Key(Qt::Key_F2);
  EXPECT_EQ(dc->Panel42->text(), "9");  // a slower leg leaves the best
  EXPECT_EQ(dc->Panel43->text(), "17");
  EXPECT_EQ(QStringList({dc->Panel40->text(), dc->Panel45->text()}), QStringList({"2", "1"}));
}

// The record block of a leg: names, score after the leg, who started, both
// visit sheets side by side and who finished with which dart in how many darts.
TEST_F(MatchWindowTest, RecordBlockOfALegOfSevenVisits) {
  MatchPlan m;
  m.legs = 2;
  m.player2 = "Борис; \"Б\"";
  StartMatch(m);
  Visits({60, 45, 60, 26, 60, 85, 60, 41, 60, 100, 100, 81, 101});
  Key(Qt::Key_F2);
  EXPECT_EQ(d->RecordRow, 13);
  const QList<QStringList> expected = {
      {"", "Анна", "Сет", "Лег", "", "", "", "Сет", "Лег", m.player2},
      {"", "", "0", "1", "    X", "Начало", "", "0", "0", ""},
      {"Подход", "Набор", "Остаток", "Ср. на 1 др.", "Ср. на 3 др.", "", "Набор", "Остаток", "Ср. на 1 др.",
       "Ср. на 3 др."},
      {"", "", "501", "", "", "", "", "501", "", ""},
      {"1", "60", "441", "20.00", "60.00", "", "45", "456", "15.00", "45.00"},
      {"2", "60", "381", "20.00", "60.00", "", "26", "430", "11.83", "35.50"},
      {"3", "60", "321", "20.00", "60.00", "", "85", "345", "17.33", "52.00"},
      {"4", "60", "261", "20.00", "60.00", "", "41", "304", "16.42", "49.25"},
      {"5", "60", "201", "20.00", "60.00", "", "100", "204", "19.80", "59.40"},
      {"6", "100", "101", "22.22", "66.67", "", "81", "123", "21.00", "63.00"},
      {"7", "101", "0", "", "", "", "", "", "", ""},
      {"", "Закрыл", "Х(2)", "Сиграл за", "20", "", "", "", "", ""},
      {"", "", "", "", "", "", "", "", "", ""},
  };
  for (int row = 0; row < expected.size(); ++row) EXPECT_EQ(RecordRow(row), expected[row]) << row;
  // The next leg, won by player 2 who started it, closes on the right.
  Key(Qt::Key_F7);
  WinLeg(2);
  EXPECT_EQ(RecordRow(14), QStringList({"", "", "0", "1", "", "Начало", "    X", "0", "1", ""}));
  EXPECT_EQ(RecordRow(20), QStringList({"", "", "", "", "", "", "Закрыл", "Х(3)", "Сиграл за", "9"}));
  EXPECT_EQ(d->RecordRow, 22);
}

TEST_F(MatchWindowTest, StarterOfEveryLegAndTheChooser) {
  struct Case {
    const char* name;
    MatchPlan setup;
    std::vector<int> winners;
    std::vector<int> starters;  // of every leg; 0 where the chooser is asked first
    int chosen;                 // named in the chooser (1 or 2)
  };
  auto setup = [](int sets, int legs, int starter, bool legDraw, bool setDraw) {
    MatchPlan m;
    m.sets = sets;
    m.legs = legs;
    m.starter = starter;
    m.legDraw = legDraw;
    m.setDraw = setDraw;
    return m;
  };
  const Case cases[] = {
      {"first to 3 legs, draw at 2-2", setup(0, 3, 1, true, false), {1, 2, 1, 2, 2}, {1, 2, 1, 2, 0}, 2},
      {"first to 3 legs, no draw", setup(0, 3, 1, false, false), {1, 2, 1, 2, 2}, {1, 2, 1, 2, 1}, 2},
      {"first to 3 legs, draw, untouched chooser", setup(0, 3, 2, true, false), {1, 2, 1, 2, 1}, {2, 1, 2, 1, 0}, 1},
      {"2 sets of 2, draw at 1-1", setup(2, 2, 1, false, true), {1, 1, 2, 2, 1, 1}, {1, 2, 2, 1, 0, 1}, 2},
      {"2 sets of 2, no draw", setup(2, 2, 1, false, false), {1, 1, 2, 2, 1, 1}, {1, 2, 2, 1, 1, 2}, 2},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    Accept(t.setup);
    for (size_t leg = 0; leg < t.winners.size(); ++leg) {
      SCOPED_TRACE(leg + 1);
      if (t.starters[leg] == 0) {
        // The chooser, with both names, the focus on its first item.
        ASSERT_TRUE(k->isVisible());
        EXPECT_EQ(kc->RadioGroup1Item0->text(), "Анна");
        EXPECT_EQ(kc->RadioGroup1Item1->text(), "Борис");
        EXPECT_TRUE(kc->RadioGroup1Item0->isChecked());
        EXPECT_EQ(Focused(), kc->RadioGroup1Item0);
        if (t.chosen == 2) Key(Qt::Key_Right);
        Key(Qt::Key_Tab);
        EXPECT_EQ(Focused(), kc->BitBtn1);
        Key(Qt::Key_Space);
        EXPECT_FALSE(k->isVisible());
        dc->BitBtn4->setFocus();  // the chooser's runner returned before the player chose
      } else {
        EXPECT_FALSE(k->isVisible());
      }
      const int starter = t.starters[leg] == 0 ? t.chosen : t.starters[leg];
      Key(Qt::Key_F7);
      EXPECT_EQ(d->CurrentThrower, starter);
      EXPECT_EQ(d->LegStarter, starter);
      EXPECT_EQ(ui::Visible(dc->Panel54), starter == 1);
      EXPECT_EQ(ui::Visible(dc->Panel55), starter == 2);
      EXPECT_EQ(ui::Visible(dc->Image1), starter == 1);
      WinLeg(t.winners[leg]);
    }
    EXPECT_EQ(d->MatchOver, 1);
    d->Close();
    s->Close();
  }
}

TEST_F(MatchWindowTest, MatchEndInSets) {
  MatchPlan m;
  m.sets = 2;
  m.legs = 2;
  StartMatch(m);
  for (int winner : {2, 2, 1, 2}) {
    WinLeg(winner);
    Key(Qt::Key_F7);
  }
  Key(Qt::Key_F8);  // a leg in play cannot be abandoned
  EXPECT_FALSE(ui::Enabled(dc->BitBtn4));
  WinLeg(2);
  EXPECT_EQ(d->MatchOver, 1);
  EXPECT_EQ(QStringList({dc->Panel39->text(), dc->Panel40->text(), dc->Panel44->text(), dc->Panel45->text()}),
            QStringList({"0", "0", "2", "0"}));
  EXPECT_EQ(d->LegsPlayed, 5);
  // The last block shows the same score.
  const int block = d->RecordRow - 3 - 6;  // the winner's 3 visits
  EXPECT_EQ(RecordRow(block + 1).mid(2, 7), QStringList({"0", "0", "", "Начало", "    X", "2", "0"}));
  EXPECT_FALSE(ui::Enabled(dc->BitBtn4) || ui::Enabled(dc->MaskEdit1));
  Key(Qt::Key_F7);
  EXPECT_EQ(d->VisitCount2, 3);  // nothing new started
}

TEST_F(MatchWindowTest, LeavingBeforeAnyFinishedLeg) {
  const auto lastSpreadsheet = automation::LastApplication();
  StartMatch(MatchPlan{});
  Visits({60});
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  ASSERT_EQ(msg->Log().size(), 1u);
  EXPECT_EQ(msg->Log()[0].text, QString::fromUtf8(gamekit::kExitYesNoText));
  EXPECT_EQ(msg->Log()[0].buttons, ui::mbYes | ui::mbNo);
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(Focused(), dc->MaskEdit1);
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(automation::LastApplication(), lastSpreadsheet);  // no export
  EXPECT_EQ(d->Remainder1, 441);                              // closing keeps everything
}

// Any entry or key in any state: the visit sheets, remainders, band counts and
// the record stay in step.
TEST_F(MatchWindowTest, RandomPlayKeepsSheetsBandsAndRecordInStep) {
  std::mt19937 random(20121);
  const Qt::Key keys[] = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F7, Qt::Key_F8, Qt::Key_F10};
  MatchPlan m;
  m.game = k170;
  m.sets = 2;
  m.legs = 2;
  m.setDraw = true;
  StartMatch(m);
  std::vector<int> bandsAtLegStart(std::begin(d->ScoreBands), std::end(d->ScoreBands));
  for (int step = 0; step < 4000; ++step) {
    SCOPED_TRACE(step);
    const int action = static_cast<int>(random() % 12);
    const bool betweenLegs = ui::Enabled(dc->BitBtn4) || d->MatchOver != 0;
    if (k->isVisible()) {
      if (action % 2) Key(Qt::Key_Right);
      Key(Qt::Key_Tab);
      Key(Qt::Key_Space);
    } else if (d->MatchOver != 0) {
      StartMatch(m);
    } else if (action < 6) {
      const int left = static_cast<int>(d->Remainder(d->CurrentThrower));
      const int pick = static_cast<int>(random() % 3);
      Enter(QString::number(pick == 0 ? left : pick == 1 ? left - 1 : static_cast<int>(random() % 181)));
    } else if (action < 8) {
      (action == 6 ? dc->BitBtn7 : dc->BitBtn8)->click();
    } else {
      Key(keys[random() % std::size(keys)]);
    }
    if (betweenLegs && !ui::Enabled(dc->BitBtn4)) {
      bandsAtLegStart.assign(std::begin(d->ScoreBands), std::end(d->ScoreBands));
    }
    if (!d->isVisible() || k->isVisible()) continue;
    std::vector<int> bands = bandsAtLegStart;
    for (int p = 1; p <= 2; ++p) {
      const int n = static_cast<int>(d->VisitCount(p));
      int left = d->StartScore;
      for (int row = 1; row <= n; ++row) {
        ASSERT_EQ(Sheet(p, 0, row), QString::number(row)) << p;
        const QString score = Sheet(p, 1, row);
        if (score.trimmed() == "---") continue;
        left -= score.toInt();
        const int band = static_cast<int>(darts::BandOf(score.toInt()));
        if (band >= 0) ++bands[static_cast<size_t>((p - 1) * 5 + band)];
      }
      EXPECT_TRUE(Sheet(p, 0, n + 1).isEmpty()) << p;
      if (!ui::Enabled(dc->BitBtn4) || d->LegOver != 0) {
        EXPECT_EQ(d->Remainder(p), left) << p;
        EXPECT_EQ(Sheet(p, 2, n), QString::number(left)) << p;
      }
      EXPECT_NE(d->Remainder(p), 1) << p;
    }
    if (!ui::Enabled(dc->BitBtn4)) {
      EXPECT_EQ(bands, std::vector<int>(std::begin(d->ScoreBands), std::end(d->ScoreBands)));
    }
    int blocks = 0;
    for (int row = 0; row < d->RecordRow; ++row) blocks += dc->StringGrid3->Cell(2, row) == "Сет" ? 1 : 0;
    EXPECT_EQ(blocks, d->LegsPlayed);
  }
}

class MatchExportTest : public MatchWindowTest {
 protected:
  void SetUp() override {
    MatchWindowTest::SetUp();
    ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
    ui::seams().startDetached = [this](const QString&, const QStringList&) {
      ++started;
      return true;
    };
  }
  int started = 0;
};

TEST_F(MatchExportTest, CancelStaysAndNoLeavesWithoutSpreadsheet) {
  MatchPlan m;
  m.legs = 2;
  StartMatch(m);
  WinLeg(1);
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  ASSERT_EQ(msg->Log().size(), 1u);
  EXPECT_EQ(msg->Log()[0].text, QString::fromUtf8(gamekit::kExitConfirmText));
  EXPECT_TRUE(d->isVisible());
  Key(Qt::Key_F7);  // play goes on
  EXPECT_EQ(d->Remainder1, 501);
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(started, 0);
}

std::optional<QJsonObject> ReadBack(const QString& xlsx) {
  const QString script = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../automation/read_xlsx.py";
  QProcess reader;
  reader.start("/usr/bin/python3", {script, xlsx});
  if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
    ADD_FAILURE() << reader.readAllStandardError().toStdString();
    return std::nullopt;
  }
  return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

// A leg of 7 visits by the winner, exported and read back: the record in rows 2
// to 14, the band summary in rows 15 to 19, colours, widths, font and borders.
TEST_F(MatchExportTest, RecordOfOneLegReadBack) {
  if (!QFileInfo::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  struct Case {
    QString player1;
    std::vector<int> rows33;  // sheet rows coloured 33
    int row36;                // sheet row coloured 36, 0: none
    const char* numbers;      // the C library's numeric locale meanwhile
  };
  const Case cases[] = {
      {"Анна", {2}, 14, "C"},
      {"", {2, 3, 5, 14, 15}, 0, "C"},   // every empty column-1 row counts as the name
      {"Анна", {2}, 14, "ru_RU.UTF-8"},  // decimal commas of the user's settings
  };
  const QString longName = QString(199, QChar(0x0416)) + ";";
  for (const Case& t : cases) {
    SCOPED_TRACE(t.player1.toStdString() + " " + t.numbers);
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, t.numbers)) continue;  // locale not installed
    MatchPlan m;
    m.legs = 2;
    m.player1 = t.player1;
    m.player2 = longName;
    StartMatch(m);
    Visits({60, 45, 60, 26, 60, 85, 60, 41, 60, 100, 100, 81, 101});
    Key(Qt::Key_F2);
    msg.reset();
    msg = std::make_unique<ui::ScriptedMessages>();
    msg->Answer(ui::mrYes);
    Key(Qt::Key_F10);
    EXPECT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitConfirmText)});
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), std::string(t.numbers));
    std::setlocale(LC_NUMERIC, before.c_str());
    ASSERT_EQ(started, 1);
    started = 0;
    const auto app = automation::LastApplication();
    ASSERT_NE(app, nullptr);
    bool blockSeen = false;
    for (const automation::Call& call : app->Calls()) {
      if (call.member == "Value") {
        EXPECT_EQ(call.Describe(), "Range(A1:J21).Value = [21x11]");
        blockSeen = true;
      }
    }
    EXPECT_TRUE(blockSeen);

    const std::optional<QJsonObject> read = ReadBack(app->WrittenFile());
    ASSERT_TRUE(read);
    const QJsonObject cells = (*read)["cells"].toObject();
    auto cell = [&cells](int row, int col) {
      return cells[QString(QChar('A' + col)) + QString::number(row)].toObject();
    };
    const QJsonObject widths = (*read)["widths"].toObject();
    const double expectedWidths[] = {10, 33, 10, 15, 15, 13, 13, 13, 15, 33};
    for (int col = 0; col < 10; ++col)
      EXPECT_NEAR(widths[QString(QChar('A' + col))].toDouble(), expectedWidths[col], 0.8);
    for (int row = 1; row <= 21; ++row) {
      SCOPED_TRACE(row);
      for (int col = 0; col < 10; ++col) {
        const QJsonObject c = cell(row, col);
        QString want;
        if (row >= 2 && row <= 14) want = dc->StringGrid3->Cell(col, row - 2);
        if (row >= 15 && row <= 19) {
          const char* titles[] = {"60 +", "80 +", "100 +", "140 +", "180"};
          const QString counts1[] = {"5", "0", "2", "0", "0"}, counts2[] = {"0", "2", "1", "0", "0"};
          if (col == 0 || col == 8) want = QString::fromUtf8(titles[row - 15]);
          if (col == 1) want = counts1[row - 15];
          if (col == 9) want = counts2[row - 15];
        }
        // A text that reads as a number arrives as a number cell.
        const QJsonValue got = c["value"];
        if (got.isDouble()) {
          EXPECT_DOUBLE_EQ(got.toDouble(), QString(want).replace(QChar(','), QChar('.')).toDouble()) << col;
        } else {
          EXPECT_EQ(got.toString(), want) << col;
        }
        EXPECT_TRUE(c["bold"].toBool());
        EXPECT_EQ(c["size"].toDouble(), 16.0);
        EXPECT_EQ(c["h"].toString(), "center");
        EXPECT_EQ(c["left"].toArray(), QJsonArray({"thin", "auto"}));
        QString fill;
        if (std::find(t.rows33.begin(), t.rows33.end(), row) != t.rows33.end()) fill = "FF00CCFF";
        if (row == t.row36) fill = "FFFFFF99";
        EXPECT_EQ(c["fill"].toString(), fill) << col;
      }
    }
    EXPECT_EQ(cell(2, 9)["value"].toString(), longName);
    EXPECT_EQ(cell(2, 1)["value"].toString(), t.player1);
  }
}

}  // namespace
