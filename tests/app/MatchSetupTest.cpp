// The match set-up dialog and the deciding-leg chooser: what accepting hands
// to the match window, the resets at showing and closing, and the keyboard.
#include <gtest/gtest.h>

#include <QLabel>

#include "automation/Excel.h"
#include "tests/app/MatchTestSupport.h"

namespace {

using match_test::MatchPlan;

class MatchSetupTest : public match_test::MatchFixture {};

TEST_F(MatchSetupTest, AcceptingUntouchedAtTheFirstOpening) {
  s->ShowModal();
  EXPECT_TRUE(sc->ComboBox1->currentText().isEmpty());
  sc->BitBtn2->click();
  ASSERT_TRUE(d->isVisible());
  EXPECT_EQ(d->StartScore, 501);
  EXPECT_EQ(d->SetsToWin, 0);
  EXPECT_EQ(d->LegsToWin, 1);
  EXPECT_EQ(d->SetStarter, 1);
  EXPECT_EQ(d->CurrentThrower, 1);
  EXPECT_EQ(d->DecidingLegDraw + d->DecidingSetDraw, 0);
  EXPECT_TRUE(d->Player1Name.isEmpty() && d->Player2Name.isEmpty());
  EXPECT_EQ(QStringList({dc->Panel1->text(), dc->Panel2->text(), dc->Panel3->text()}), QStringList({"501", "0", "1"}));
  // Opened between legs: only the new-leg button (and the exit) to press.
  EXPECT_TRUE(ui::Enabled(dc->BitBtn4));
  for (QWidget* w :
       {static_cast<QWidget*>(dc->MaskEdit1), static_cast<QWidget*>(dc->BitBtn2), static_cast<QWidget*>(dc->BitBtn3),
        static_cast<QWidget*>(dc->BitBtn7), static_cast<QWidget*>(dc->BitBtn9)}) {
    EXPECT_FALSE(ui::Enabled(w)) << w->objectName().toStdString();
  }
  EXPECT_TRUE(ui::Visible(dc->Panel54) && ui::Visible(dc->Image1));
  EXPECT_FALSE(ui::Visible(dc->Panel55) || ui::Visible(dc->Image2));
  EXPECT_EQ(d->focusWidget(), dc->BitBtn4);
  EXPECT_FALSE(d->HasCloseCommand() || s->HasCloseCommand());
}

// A second accept starts a new match from a clean window, whatever the last
// one left behind, record rows past the grid's 1500 included.
TEST_F(MatchSetupTest, EverySettingReachesTheMatchWindowAndANewMatchStartsClean) {
  MatchPlan m;
  m.game = 6;
  m.sets = 1;
  m.legs = 16;
  m.starter = 2;
  m.player1 = "  Вася ";
  m.player2 = "";
  StartMatch(m);
  EXPECT_EQ(d->StartScore, 1001);
  EXPECT_EQ(d->LegsToWin, 16);
  EXPECT_EQ(d->SetsToWin, 1);
  EXPECT_EQ(d->CurrentThrower, 2);
  EXPECT_EQ(dc->Panel7->text(), "  Вася ");
  EXPECT_EQ(dc->Panel36->text(), "  Вася ");
  EXPECT_TRUE(ui::Visible(dc->Panel55) && ui::Visible(dc->Image2));
  d->Close();
  EXPECT_EQ(s->focusWidget(), sc->BitBtn2);  // back from the match

  // A long match: 9 sets of first to 20 legs, legs won in turn.
  MatchPlan longest;
  longest.game = 0;
  longest.sets = 9;
  longest.legs = 20;
  StartMatch(longest);
  for (int leg = 0; leg < 170; ++leg) {
    WinLeg(1 + leg % 2);
    Key(Qt::Key_F7);
  }
  Visits({180, 60});
  ASSERT_EQ(d->RecordRow, 170 * 9);                              // blocks of 9 rows: the winner's 3 visits
  EXPECT_EQ(dc->StringGrid3->Cell(2, d->RecordRow - 9), "Сет");  // stored past the grid's rows
  EXPECT_EQ(d->LegsPlayed, 170);
  EXPECT_EQ(QStringList({dc->Panel39->text(), dc->Panel44->text()}), QStringList({"2", "2"}));
  // All of it exported, the rows past 1500 too.
  ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
  ui::seams().startDetached = [](const QString&, const QStringList&) { return true; };
  d->BitBtn12Click();
  QVariantList value;
  for (const automation::Call& call : automation::LastApplication()->Calls()) {
    if (call.member == "Value") {
      EXPECT_EQ(call.Describe(), "Range(A1:J1538).Value = [1538x11]");
      value = call.value.toList();
    }
  }
  ASSERT_EQ(value.size(), 1538);
  EXPECT_EQ(value[1530 - 9 + 1].toList()[1].toString(), "Анна");  // the last block's name row
  EXPECT_EQ(value[1530 + 5].toList()[0].toString(), "180");       // the band summary after it
  d->Close();

  MatchPlan next;
  next.game = 3;
  StartMatch(next);
  EXPECT_EQ(d->StartScore, 170);
  EXPECT_EQ(d->SetsToWin, 0);
  EXPECT_EQ(d->VisitCount1 + d->VisitCount2, 0);
  EXPECT_EQ(dc->Panel23->text(), "0");
  EXPECT_EQ(d->ScoreBands[4], 0);
  EXPECT_EQ(d->RecordRow, 0);
  EXPECT_EQ(d->LegsPlayed, 0);
  EXPECT_TRUE(dc->StringGrid1->Cell(1, 1).isEmpty());
  EXPECT_EQ(dc->StringGrid1->Cell(2, 0), "170");
  EXPECT_TRUE(dc->StringGrid3->Cell(2, 170 * 9 - 9).isEmpty());
  EXPECT_TRUE(dc->StringGrid3->Cell(2, 0).isEmpty());
}

TEST_F(MatchSetupTest, StartScoreIsResetAtEveryShowingWhileTheListKeepsItsText) {
  const int scores[] = {501, 301, 201, 170, 601, 701, 1001};
  s->ShowModal();
  for (int i = 0; i < 7; ++i) {
    Choose(sc->ComboBox1, i);
    EXPECT_EQ(s->StartScore, scores[i]);
  }
  Choose(sc->ComboBox1, 1);
  sc->BitBtn1->click();
  EXPECT_FALSE(s->isVisible());
  s->ShowModal();
  EXPECT_EQ(sc->ComboBox1->currentText(), "     301");
  EXPECT_EQ(s->StartScore, 501);
  sc->BitBtn2->click();
  EXPECT_EQ(d->StartScore, 501);
}

TEST_F(MatchSetupTest, ClosingSelectsTheSecondStarterAndEmptiesTheNames) {
  s->ShowModal();
  EXPECT_TRUE(sc->RadioGroup1Item0->isChecked());  // the first opening
  sc->Edit3->setText("Анна");
  sc->Edit4->setText("Борис");
  Key(Qt::Key_Tab);
  sc->BitBtn1->click();
  EXPECT_FALSE(s->isVisible());
  s->ShowModal();
  EXPECT_TRUE(sc->RadioGroup1Item1->isChecked());
  EXPECT_TRUE(sc->Edit3->text().isEmpty() && sc->Edit4->text().isEmpty());
  sc->BitBtn2->click();
  EXPECT_EQ(d->CurrentThrower, 2);
}

// The two boxes: one of them enabled by the sets, and a disabled box still
// counts with its check mark.
TEST_F(MatchSetupTest, DecidingLegAndSetBoxes) {
  struct Step {
    int sets;       // chosen in the list; -1: none
    int click;      // box clicked (1 or 2), 0: none
    bool enabled1;  // afterwards
    bool enabled2;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    int legDraw, setDraw;  // handed over
  };
  const Case cases[] = {
      {"sets 3 then 0 keeps the leg box's mark",
       {{-1, 1, true, false}, {3, 0, false, true}, {0, 0, true, false}},
       1,
       0},
      {"leg box checked, then sets 2", {{-1, 1, true, false}, {2, 2, false, true}}, 1, 1},
      {"the set box alone", {{4, 2, false, true}}, 0, 1},
      {"a click on a disabled box does nothing", {{-1, 2, true, false}}, 0, 0},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    s->ShowModal();
    sc->CheckBox1->setChecked(false);
    sc->CheckBox2->setChecked(false);
    Choose(sc->ComboBox2, 0);
    for (const Step& step : t.steps) {
      if (step.sets >= 0) Choose(sc->ComboBox2, step.sets);
      if (step.click != 0) (step.click == 1 ? sc->CheckBox1 : sc->CheckBox2)->click();
      EXPECT_EQ(ui::Enabled(sc->CheckBox1), step.enabled1);
      EXPECT_EQ(ui::Enabled(sc->CheckBox2), step.enabled2);
    }
    sc->BitBtn2->click();
    EXPECT_EQ(d->DecidingLegDraw, t.legDraw);
    EXPECT_EQ(d->DecidingSetDraw, t.setDraw);
    d->Close();
    s->Close();
  }
}

// Set up by keyboard only: Tab through the controls in order, arrows in the
// lists, Space on the boxes and buttons.
TEST_F(MatchSetupTest, KeyboardOnly) {
  s->ShowModal();
  EXPECT_EQ(Focused(), sc->ComboBox1);
  Key(Qt::Key_Down);  // a closed list: the next item is chosen
  Key(Qt::Key_Down);
  EXPECT_EQ(s->StartScore, 301);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Focused(), sc->ComboBox2);
  Key(Qt::Key_Down);
  EXPECT_EQ(d->SetsToWin, 1);
  EXPECT_TRUE(ui::Enabled(sc->CheckBox2));
  Key(Qt::Key_Up);
  EXPECT_EQ(d->SetsToWin, 0);
  EXPECT_FALSE(ui::Enabled(sc->CheckBox2));
  Key(Qt::Key_Tab);
  Key(Qt::Key_Down);
  EXPECT_EQ(d->LegsToWin, 2);
  const std::vector<QWidget*> order = {sc->Edit3,   sc->Edit4,   sc->RadioGroup1Item0, sc->CheckBox1,
                                       sc->BitBtn2, sc->BitBtn1, sc->ComboBox1};
  for (QWidget* w : order) {
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focused(), w) << w->objectName().toStdString();
    if (w == sc->Edit3) Type(w, "Анна");
    if (w == sc->Edit4) Type(w, "Борис");
    if (w == sc->RadioGroup1Item0) Key(Qt::Key_Right);  // the second player starts
    if (w == sc->CheckBox1) Key(Qt::Key_Space);
  }
  EXPECT_TRUE(sc->CheckBox1->isChecked());
  // Back through the group: one stop, on the chosen item.
  for (int i = 0; i < 3; ++i) QTest::keyClick(Focused(), Qt::Key_Backtab);
  EXPECT_EQ(Focused(), sc->CheckBox1);
  QTest::keyClick(Focused(), Qt::Key_Backtab);
  EXPECT_EQ(Focused(), sc->RadioGroup1Item1);
  Key(Qt::Key_Tab);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Focused(), sc->BitBtn2);
  Key(Qt::Key_Space);
  ASSERT_TRUE(d->isVisible());
  EXPECT_EQ(d->StartScore, 301);
  EXPECT_EQ(d->LegsToWin, 2);
  EXPECT_EQ(d->DecidingLegDraw, 1);
  EXPECT_EQ(d->CurrentThrower, 2);
  EXPECT_EQ(dc->Panel8->text(), "Борис");
  d->Close();
  EXPECT_EQ(s->focusWidget(), sc->BitBtn2);  // back from the match
}

TEST_F(MatchSetupTest, ChooserChoosesTheStarterOfTheNextLeg) {
  struct Case {
    const char* name;
    std::vector<Qt::Key> keys;  // pressed in the chooser before Tab and Space
    int starter;
  };
  const Case cases[] = {
      {"untouched", {}, 1},
      {"right", {Qt::Key_Right}, 2},
      {"right and back", {Qt::Key_Right, Qt::Key_Left}, 1},
      {"right twice stays", {Qt::Key_Right, Qt::Key_Right}, 2},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    MatchPlan m;
    m.legs = 2;
    m.legDraw = true;
    m.starter = 2;
    StartMatch(m);
    WinLeg(1);
    Key(Qt::Key_F7);
    WinLeg(2);  // 1-1: the deciding leg
    ASSERT_TRUE(k->isVisible());
    EXPECT_EQ(k->windowTitle(), "Выбор начало");
    EXPECT_FALSE(k->HasCloseCommand());
    for (Qt::Key key : t.keys) Key(key);
    // The radio group's own click already names the starter.
    EXPECT_EQ(d->LegStarter, t.keys.empty() ? 1 : t.starter);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Space);
    EXPECT_FALSE(k->isVisible());
    EXPECT_EQ(d->LegStarter, t.starter);
    EXPECT_EQ(d->CurrentThrower, t.starter);
    EXPECT_EQ(d->SetStarter, 2);  // never changed by the chooser
    d->Close();
    s->Close();
  }
}

}  // namespace
