// The match window: visits, finishing darts, bust, undo, legs, sets, starters,
// the record of every leg, leaving and the export.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <clocale>
#include <string>
#include <vector>

#include "automation/Excel.h"
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
  QStringList Bands(int player) const {
    const std::vector<QLabel*> panels =
        player == 1 ? std::vector<QLabel*>{dc->Panel49, dc->Panel47, dc->Panel23, dc->Panel22, dc->Panel21}
                    : std::vector<QLabel*>{dc->Panel53, dc->Panel51, dc->Panel26, dc->Panel25, dc->Panel24};
    QStringList out;
    for (int b = 0; b < 5; ++b) {
      EXPECT_EQ(panels[b]->text(), QString::number(d->ScoreBands[(player - 1) * 5 + b])) << b;
      out << panels[b]->text();
    }
    return out;
  }
  // Everything a visit, bust or undo may change, as one text.
  std::string State() {
    QStringList out{QString("thrower %1 over %2 visits %3 %4 rem %5 %6 markers %7%8")
                        .arg(d->CurrentThrower)
                        .arg(d->LegOver)
                        .arg(d->VisitCount1)
                        .arg(d->VisitCount2)
                        .arg(d->Remainder1)
                        .arg(d->Remainder2)
                        .arg(d->TurnMarkerShown(1))
                        .arg(d->TurnMarkerShown(2)),
                    Bands(1).join(",") + " / " + Bands(2).join(",")};
    for (QWidget* w : std::initializer_list<QWidget*>{dc->MaskEdit1, dc->BitBtn2, dc->BitBtn3, dc->BitBtn5, dc->BitBtn6,
                                                      dc->Label4, dc->BitBtn7, dc->BitBtn8, dc->BitBtn9, dc->BitBtn4})
      out << QString::number(ui::Enabled(w));
    for (QLabel* p : {dc->Panel9, dc->Panel10, dc->Panel11, dc->Panel12, dc->Panel13, dc->Panel14}) out << p->text();
    for (int row = 0; row <= 8; ++row)
      for (int p = 1; p <= 2; ++p)
        for (int col = 0; col < 5; ++col) out << Sheet(p, col, row);
    return out.join("|").toStdString();
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
      {k501, {}, "   ", kOutOfRange},
      {k501, {}, "181", kOutOfRange},
      {k501, {60, 60}, "179", kImpossible},
      {k501, {180, 0, 141, 0}, "180", kBust},                    // 180 left: no finish
      {k201, {180, 0, 19, 0}, "1", kBust},                       // would leave 1
      {k201, {161, 0}, "41", kBust},                             // more than the 40 left
      {k301, {142, 0}, "159", kBust},                            // 159 cannot be finished
      {k501, {}, "1 2", "'1 2' is not a valid integer value."},  // the default error report
      {k301, {180, 100}, "1", ""},                               // player 2 at 201
      {k301, {141, 0}, "160", ""},                               // a finish
      {k501, {}, "0", ""},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.typed.toStdString() + " after " + std::to_string(t.before.size()) + " visits");
    StartMatch(MatchPlan{t.game});
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
    StartMatch(MatchPlan{k170, 0, 2});
    if (t.finish < 170) Visits({170 - t.finish, 0});
    Enter(QString::number(t.finish));
    EXPECT_EQ(d->LegOver + d->CurrentThrower, 2);
    EXPECT_FALSE(ui::Enabled(dc->MaskEdit1) || ui::Enabled(dc->BitBtn2) || ui::Enabled(dc->BitBtn9));
    EXPECT_TRUE(ui::Enabled(dc->Label4) && ui::Enabled(dc->BitBtn7) && ui::Enabled(dc->BitBtn6));
    EXPECT_EQ(ui::Enabled(dc->BitBtn3), t.offer == kAny);
    EXPECT_EQ(ui::Enabled(dc->BitBtn5), t.offer != kThird);
    EXPECT_EQ(Focused(), (std::vector<QWidget*>{dc->BitBtn3, dc->BitBtn5, dc->BitBtn6}[t.offer]));
    dc->MaskEdit1->SetText("0");
    d->BitBtn2Click();  // Ok run anyway: nothing happens until the next leg
    EXPECT_EQ(d->VisitCount1, t.finish < 170 ? 2 : 1);
    Key(t.press);
    EXPECT_EQ(d->FinishingDart, t.offer + 1);
    EXPECT_EQ(dc->Panel42->text(), QString::number((static_cast<int>(d->VisitCount1) - 1) * 3 + t.offer + 1));
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
      {k501, {180}, false},       {k201, {20}, false},       {k201, {20, 20}, true}, {k201, {19, 20}, false},
      {k201, {20, 19, 0}, false}, {k201, {19, 20, 0}, true}, {k170, {10}, true},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(std::to_string(t.visits.size()) + " visits");
    StartMatch(MatchPlan{t.game});
    EXPECT_FALSE(ui::Enabled(dc->BitBtn9));  // never at a new leg
    Key(Qt::Key_F8);                         // disabled: nothing
    EXPECT_EQ(d->VisitCount1, 0);
    Visits(t.visits);
    EXPECT_EQ(ui::Enabled(dc->BitBtn9), t.bust);
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
      // A bust: a visit of no score, marked, that lowers the averages.
      const QStringList bands = Bands(p);
      Key(Qt::Key_F8);
      const int n = static_cast<int>(d->VisitCount(p));
      const float left = d->Remainder(p);
      EXPECT_EQ(QStringList({Sheet(p, 0, n), Sheet(p, 1, n), Sheet(p, 2, n), Sheet(p, 4, n)}),
                QStringList({QString::number(n), p == 1 ? "   ---" : "  ---", QString::number(left),
                             ui::FormatFloat("0.00", (start - left) / static_cast<float>(n))}));
      EXPECT_EQ(Bands(p), bands);
      EXPECT_EQ(d->CurrentThrower, 3 - p);
    }
    EXPECT_EQ(d->LegOver, t.finishes ? 1 : 0);
    for (size_t i = t.visits.size(); i-- > 0;) {
      SCOPED_TRACE(i);
      const int p = throwers[i];
      ASSERT_TRUE(ui::Enabled(p == 1 ? dc->BitBtn7 : dc->BitBtn8));
      ASSERT_FALSE(ui::Enabled(p == 1 ? dc->BitBtn8 : dc->BitBtn7));
      (p == 1 ? dc->BitBtn7 : dc->BitBtn8)->click();
      // Before both had thrown the new leg's "0" averages stood, now "0.00".
      if (i >= 2) {
        EXPECT_EQ(State(), states[i]);
      }
    }
    EXPECT_EQ(d->Remainder1 + d->VisitCount1 + d->VisitCount2, start);
    EXPECT_EQ(Bands(1) + Bands(2), QStringList(10, "0"));
    EXPECT_EQ(QStringList({dc->Panel11->text(), dc->Panel12->text()}), QStringList({"0.00", "0.00"}));
    EXPECT_FALSE(ui::Enabled(dc->BitBtn7) || ui::Enabled(dc->BitBtn8));
    EXPECT_EQ(d->CurrentThrower, 1);
    d->Close();
  }
}

TEST_F(MatchWindowTest, LegOfFourteenDartsAndTheBestLeg) {
  StartMatch(MatchPlan{-1, 0, 3});
  Visits({100, 0, 100, 0, 100, 0, 100, 0, 101});
  Key(Qt::Key_F2);
  EXPECT_EQ(QStringList({dc->Panel11->text(), dc->Panel12->text(), dc->Panel42->text(), dc->Panel43->text()}),
            QStringList({"35.79", "107.36", "14", "0"}));
  EXPECT_EQ(dc->Panel13->text(), "0.00");  // the loser keeps the running averages
  Key(Qt::Key_F7);
  WinLeg(1);  // player 2 started, player 1 wins in 9
  Key(Qt::Key_F7);
  Visits({0, 100, 0, 100, 0, 100, 0, 100, 0, 61, 0, 40});  // player 1 starts, player 2 wins in 17 (dart 2)
  Key(Qt::Key_F2);
  EXPECT_EQ(QStringList({dc->Panel42->text(), dc->Panel43->text(), dc->Panel40->text(), dc->Panel45->text()}),
            QStringList({"9", "17", "2", "1"}));
}

// The record block of a leg: names, score after the leg, who started, both
// visit sheets side by side and who finished with which dart in how many darts.
TEST_F(MatchWindowTest, RecordBlockOfALegOfSevenVisits) {
  MatchPlan m{-1, 0, 2, "Анна", "Борис; \"Б\""};
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
      QStringList(10, ""),
  };
  for (int row = 0; row < expected.size(); ++row) EXPECT_EQ(RecordRow(row), expected[row]) << row;
  // The next leg, won by player 2 who started it, closes on the right.
  Key(Qt::Key_F7);
  WinLeg(2);
  EXPECT_EQ(RecordRow(14), QStringList({"", "", "0", "1", "", "Начало", "    X", "0", "1", ""}));
  EXPECT_EQ(RecordRow(20), QStringList({"", "", "", "", "", "", "Закрыл", "Х(3)", "Сиграл за", "9"}));
  EXPECT_EQ(d->RecordRow, 22);
}

// Whole matches: who starts every leg, the chooser where the players play for
// the start, and the end of the match.
TEST_F(MatchWindowTest, StarterOfEveryLegTheChooserAndTheMatchEnd) {
  struct Case {
    const char* name;
    MatchPlan setup;
    std::vector<int> winners;
    std::vector<int> starters;  // of every leg; 0 where the chooser is asked first
    std::vector<Qt::Key> keys;  // pressed in the chooser
    int chosen;
    QString score;  // sets and legs of player 1, then of player 2, at the end
  };
  const Case cases[] = {
      {"first to 3 legs, draw at 2-2",
       {-1, 0, 3, "Анна", "Борис", 1, true},
       {1, 2, 1, 2, 2},
       {1, 2, 1, 2, 0},
       {Qt::Key_Right},
       2,
       "0 2 0 3"},
      {"first to 3 legs, no draw", {-1, 0, 3, "Анна", "Борис", 1}, {1, 2, 1, 2, 2}, {1, 2, 1, 2, 1}, {}, 0, "0 2 0 3"},
      {"first to 3 legs, draw, untouched chooser",
       {-1, 0, 3, "Анна", "Борис", 2, true},
       {1, 2, 1, 2, 1},
       {2, 1, 2, 1, 0},
       {},
       1,
       "0 3 0 2"},
      {"2 sets of 2, draw at 1-1",
       {-1, 2, 2, "Анна", "Борис", 1, false, true},
       {1, 1, 2, 2, 1, 1},
       {1, 2, 2, 1, 0, 1},
       {Qt::Key_Right, Qt::Key_Left, Qt::Key_Right, Qt::Key_Right},
       2,
       "2 0 1 0"},
      {"2 sets of 2, no draw",
       {-1, 2, 2, "Анна", "Борис", 1},
       {1, 1, 2, 2, 1, 1},
       {1, 2, 2, 1, 1, 2},
       {},
       0,
       "2 0 1 0"},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    Accept(t.setup);
    for (size_t leg = 0; leg < t.winners.size(); ++leg) {
      SCOPED_TRACE(leg + 1);
      ASSERT_EQ(k->isVisible(), t.starters[leg] == 0);
      if (t.starters[leg] == 0) {
        // The chooser, with both names, the focus on its first item.
        EXPECT_EQ(QStringList({kc->RadioGroup1Item0->text(), kc->RadioGroup1Item1->text()}),
                  QStringList({"Анна", "Борис"}));
        EXPECT_EQ(Focused(), kc->RadioGroup1Item0);
        for (Qt::Key key : t.keys) Key(key);
        Key(Qt::Key_Tab);
        Key(Qt::Key_Space);
        EXPECT_FALSE(k->isVisible());
        dc->BitBtn4->setFocus();  // the chooser's runner returned before the player chose
      }
      const int starter = t.starters[leg] == 0 ? t.chosen : t.starters[leg];
      Key(Qt::Key_F7);
      EXPECT_EQ(QList<int>({d->CurrentThrower, d->LegStarter}), QList<int>({starter, starter}));
      EXPECT_EQ(ui::Visible(dc->Panel54), starter == 1);
      EXPECT_EQ(ui::Visible(dc->Panel55) && d->TurnMarkerShown(2), starter == 2);
      WinLeg(t.winners[leg]);
    }
    // Match over: a won set sets both legs panels to "0", the last block shows the same.
    EXPECT_EQ(d->MatchOver, 1);
    const QStringList score{dc->Panel39->text(), dc->Panel40->text(), dc->Panel44->text(), dc->Panel45->text()};
    EXPECT_EQ(score.join(" "), t.score);
    const QStringList block = RecordRow(d->RecordRow - 3 - 6 + 1);  // the winner's 3 visits
    EXPECT_EQ(QStringList({block[2], block[3], block[7], block[8]}), score);
    EXPECT_FALSE(ui::Enabled(dc->BitBtn4) || ui::Enabled(dc->MaskEdit1));
    const float visits = d->VisitCount1 + d->VisitCount2;
    Key(Qt::Key_F7);
    EXPECT_EQ(d->VisitCount1 + d->VisitCount2, visits);  // nothing new started
    d->Close();
    s->Close();
  }
}

TEST_F(MatchWindowTest, LeavingBeforeAnyFinishedLeg) {
  const auto lastSpreadsheet = automation::LastApplication();
  StartMatch(MatchPlan{});
  Visits({60});
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  ASSERT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitYesNoText)});
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(Focused(), dc->MaskEdit1);
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(automation::LastApplication(), lastSpreadsheet);  // no export
  EXPECT_EQ(d->Remainder1, 441);                              // closing keeps everything
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

// After a leg of 7 visits by the winner: Cancel stays, No leaves without a
// spreadsheet, Yes exports. Read back: the record in rows 2 to 14, the band
// summary in rows 15 to 19, colours, widths, font and borders.
TEST_F(MatchWindowTest, LeavingAfterPlayAndTheExportReadBack) {
  if (!QFileInfo::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  int started = 0;
  ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
  ui::seams().startDetached = [&started](const QString&, const QStringList&) { return ++started > 0; };
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
    StartMatch(MatchPlan{-1, 0, 2, t.player1, longName});
    Visits({60, 45, 60, 26, 60, 85, 60, 41, 60, 100, 100, 81, 101});
    Key(Qt::Key_F2);
    for (int answer : {ui::mrCancel, ui::mrNo, ui::mrYes}) {
      msg.reset();
      msg = std::make_unique<ui::ScriptedMessages>();
      msg->Answer(answer);
      Key(Qt::Key_F10);
      EXPECT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitConfirmText)});
      EXPECT_EQ(d->isVisible(), answer == ui::mrCancel);
      EXPECT_EQ(started, answer == ui::mrYes ? 1 : 0);
      if (answer == ui::mrNo) d->ShowModal();  // back in to leave once more
    }
    std::setlocale(LC_NUMERIC, before.c_str());
    started = 0;
    const auto app = automation::LastApplication();
    ASSERT_NE(app, nullptr);
    QStringList blocks;
    for (const automation::Call& call : app->Calls()) blocks << (call.member == "Value" ? call.Describe() : "");
    EXPECT_TRUE(blocks.contains("Range(A1:J21).Value = [21x11]"));

    const std::optional<QJsonObject> read = ReadBack(app->WrittenFile());
    ASSERT_TRUE(read);
    const QJsonObject cells = (*read)["cells"].toObject(), widths = (*read)["widths"].toObject();
    const double expectedWidths[] = {10, 33, 10, 15, 15, 13, 13, 13, 15, 33};
    const char* titles[] = {"60 +", "80 +", "100 +", "140 +", "180"};
    const QString counts1[] = {"5", "0", "2", "0", "0"}, counts2[] = {"0", "2", "1", "0", "0"};
    for (int col = 0; col < 10; ++col)
      EXPECT_NEAR(widths[QString(QChar('A' + col))].toDouble(), expectedWidths[col], 0.8);
    for (int row = 1; row <= 21; ++row) {
      SCOPED_TRACE(row);
      for (int col = 0; col < 10; ++col) {
        const QJsonObject c = cells[QString(QChar('A' + col)) + QString::number(row)].toObject();
        QString want;
        if (row >= 2 && row <= 14) want = dc->StringGrid3->Cell(col, row - 2);
        if (row >= 15 && row <= 19) {
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
        EXPECT_TRUE(c["bold"].toBool() && c["size"].toDouble() == 16.0 && c["h"].toString() == "center");
        EXPECT_EQ(c["left"].toArray(), QJsonArray({"thin", "auto"}));
        const bool named = std::find(t.rows33.begin(), t.rows33.end(), row) != t.rows33.end();
        EXPECT_EQ(c["fill"].toString(), named ? "FF00CCFF" : row == t.row36 ? "FFFFFF99" : "") << col;
      }
    }
    EXPECT_EQ(cells["J2"].toObject()["value"].toString(), longName);
    d->Close();
  }
}

}  // namespace
