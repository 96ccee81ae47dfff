// The match set-up dialog and the deciding-leg chooser: what accepting hands
// to the match window, the resets at showing and closing, and the keyboard.
#include <gtest/gtest.h>

#include "tests/app/MatchTestSupport.h"
#include "tests/support/Exports.h"

namespace {

using match_test::MatchPlan;

class MatchSetupTest : public match_test::MatchFixture {};

// Accepting untouched at the first opening, then every setting, then a long
// match: a further accept starts a new match from a clean window, whatever the
// last one left behind, record rows past the grid's 1500 included.
TEST_F(MatchSetupTest, EverySettingReachesTheMatchWindowAndANewMatchStartsClean) {
  s->ShowModal();
  sc->BitBtn2->click();
  EXPECT_EQ(QList<int>({d->StartScore, d->SetsToWin, d->LegsToWin, d->SetStarter, d->CurrentThrower, d->DecidingLegDraw,
                        d->DecidingSetDraw}),
            QList<int>({501, 0, 1, 1, 1, 0, 0}));
  EXPECT_TRUE(d->Player1Name.isEmpty() && d->Player2Name.isEmpty());
  // Opened between legs: the focus on no button, F7 starts the leg.
  EXPECT_EQ(d->focusWidget(), d);
  for (QWidget* w : std::initializer_list<QWidget*>{dc->MaskEdit1, dc->BitBtn2, dc->BitBtn3, dc->BitBtn7, dc->BitBtn9})
    EXPECT_FALSE(ui::Enabled(w)) << w->objectName().toStdString();
  EXPECT_TRUE(ui::Visible(dc->Panel54) && d->TurnMarkerShown(1) && !ui::Visible(dc->Panel55) && !d->TurnMarkerShown(2));
  d->Close();

  StartMatch(MatchPlan{6, 1, 16, "  Вася ", "", 2});
  EXPECT_EQ(QList<int>({d->StartScore, d->SetsToWin, d->LegsToWin, d->CurrentThrower}), QList<int>({1001, 1, 16, 2}));
  EXPECT_EQ(dc->Panel36->text(), "  Вася ");
  EXPECT_TRUE(ui::Visible(dc->Panel55) && d->TurnMarkerShown(2));
  d->Close();
  EXPECT_EQ(s->focusWidget(), sc->ComboBox1);  // back from the match: on no button that starts or leaves

  // A long match: 9 sets of first to 20 legs, legs won in turn.
  StartMatch(MatchPlan{0, 9, 20});
  for (int leg = 0; leg < 170; ++leg) {
    WinLeg(1 + leg % 2);
    Key(Qt::Key_F7);
  }
  Visits({180, 60});
  ASSERT_EQ(d->RecordRow, 170 * 9);                  // blocks of 9 rows: the winner's 3 visits
  EXPECT_EQ(RecordRow(d->RecordRow - 9)[2], "Сет");  // stored past the grid's rows
  // All of it exported, the rows past 1500 too.
  ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
  ui::seams().startDetached = [](const QString&, const QStringList&) { return true; };
  testing_support::RecordedCalls recorded;
  d->BitBtn12Click();
  QVariantList value;
  for (const automation::Call& call : recorded.Calls()) value += call.value.toList();
  ASSERT_EQ(value.size(), 1538);
  EXPECT_EQ(value[1530 - 9 + 1].toList()[1].toString(), "Анна");  // the last block's name row
  EXPECT_EQ(value[1530 + 5].toList()[0].toString(), "180");       // the band summary after it
  d->Close();

  StartMatch(MatchPlan{3});
  EXPECT_EQ(QList<int>({d->StartScore, d->SetsToWin, d->RecordRow, d->LegsPlayed, d->ScoreBands[4]}),
            QList<int>({170, 0, 0, 0, 0}));
  EXPECT_EQ(QStringList({dc->Panel21->text(), Sheet(1, 1, 1), Sheet(1, 2, 0), RecordRow(170 * 9 - 9)[2]}),
            QStringList({"0", "", "170", ""}));
}

TEST_F(MatchSetupTest, ResetsAtShowingAndClosing) {
  s->ShowModal();
  EXPECT_EQ(sc->RadioGroup1->ItemIndex(), 0);  // the first opening
  Choose(sc->ComboBox1, 1);                    // 301
  EXPECT_EQ(s->StartScore, 301);
  sc->Edit3->setText("Анна");
  sc->Edit4->setText("Борис");
  sc->BitBtn1->click();
  EXPECT_FALSE(s->isVisible());
  s->ShowModal();
  // The list keeps 301, and what it shows is played; the second player
  // starts, no names.
  EXPECT_EQ(sc->ComboBox1->currentText(), "     301");
  EXPECT_EQ(sc->RadioGroup1->ItemIndex(), 1);
  EXPECT_TRUE(sc->Edit3->text().isEmpty() && sc->Edit4->text().isEmpty());
  sc->BitBtn2->click();
  EXPECT_EQ(d->StartScore, 301);
  EXPECT_EQ(d->CurrentThrower, 2);
}

// Names are texts as typed, never markup or accelerators: the match window's
// panels and the record hold them whole, the chooser's items too, and an item
// too long for its column shows its start, elided at the end.
TEST_F(MatchSetupTest, NamesAreShownAsTyped) {
  const QString names[] = {"<img src=\"nowhere.png\">", "<font size=7 color=red>Анна", "A&B",
                           QString(90, QChar(0x0416))};
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    StartMatch(MatchPlan{-1, 0, 1, name, "Борис"});
    for (QLabel* panel : {dc->Panel7, dc->Panel36})
      EXPECT_TRUE(panel->textFormat() == Qt::PlainText && panel->text() == name);
    WinLeg(1);
    EXPECT_EQ(RecordRow(0)[1], name);
    k->SetItems(name, "Борис");
    EXPECT_EQ(kc->RadioGroup1->Items(), QStringList({name, "Борис"}));
    const QRadioButton* item = kc->RadioGroup1->Button(0);
    const QString shown = QString(item->text()).replace("&&", "&");
    EXPECT_LT(item->fontMetrics().horizontalAdvance(shown), item->width());
    EXPECT_TRUE(shown == name || (shown.endsWith(QChar(0x2026)) && name.startsWith(shown.chopped(1))))
        << shown.toStdString();
    EXPECT_EQ(shown == name, name.size() < 50);
    d->Close();
  }
}

// The two boxes: one of them enabled by the sets, and a disabled box still
// counts with its check mark. Steps: "1" or "2" clicks that box, a list item
// "s0".."s9" chooses the sets; after each step the enabled boxes.
TEST_F(MatchSetupTest, DecidingLegAndSetBoxes) {
  struct Case {
    QString steps, enabled;
    int legDraw, setDraw;  // handed over
  };
  const Case cases[] = {
      {"1 s3 s0", "1 2 1", 1, 0},  // the leg box keeps its mark
      {"1 s2 2", "1 2 2", 1, 1},   // a disabled but checked box still counts
      {"2", "1", 0, 0},            // a click on a disabled box does nothing
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.steps.toStdString());
    s->ShowModal();
    sc->CheckBox1->setChecked(false);
    sc->CheckBox2->setChecked(false);
    Choose(sc->ComboBox2, 0);
    QStringList enabled;
    for (const QString& step : t.steps.split(' ')) {
      if (step[0] == 's') Choose(sc->ComboBox2, step.mid(1).toInt());
      if (step[0] != 's') (step == "1" ? sc->CheckBox1 : sc->CheckBox2)->click();
      EXPECT_NE(ui::Enabled(sc->CheckBox1), ui::Enabled(sc->CheckBox2));
      enabled << (ui::Enabled(sc->CheckBox1) ? "1" : "2");
    }
    EXPECT_EQ(enabled.join(' '), t.enabled);
    sc->BitBtn2->click();
    EXPECT_EQ(QList<int>({d->DecidingLegDraw, d->DecidingSetDraw}), QList<int>({t.legDraw, t.setDraw}));
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
  Key(Qt::Key_Down);
  EXPECT_TRUE(d->SetsToWin == 1 && ui::Enabled(sc->CheckBox2));
  Key(Qt::Key_Up);
  EXPECT_TRUE(d->SetsToWin == 0 && !ui::Enabled(sc->CheckBox2));  // skipped by Tab
  Key(Qt::Key_Tab);
  Key(Qt::Key_Down);
  EXPECT_EQ(d->LegsToWin, 2);
  for (QWidget* w : std::initializer_list<QWidget*>{sc->Edit3, sc->Edit4, sc->RadioGroup1->Button(0), sc->CheckBox1,
                                                    sc->BitBtn2, sc->BitBtn1, sc->ComboBox1}) {
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focused(), w) << w->objectName().toStdString();
    if (w == sc->Edit3 || w == sc->Edit4) {  // typed as a keyboard layout with these letters does
      for (QChar ch : QString(w == sc->Edit3 ? "Анна" : "Борис")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
      }
    }
    if (w == sc->RadioGroup1->Button(0)) Key(Qt::Key_Right);  // the second player starts
    if (w == sc->CheckBox1) Key(Qt::Key_Space);
  }
  // Back through the group: one stop, on the chosen item, where Enter accepts;
  // then again by Space on the accept button.
  for (Qt::Key key : {Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Backtab}) Key(key);
  EXPECT_EQ(Focused(), sc->RadioGroup1->Button(1));
  for (const QList<Qt::Key>& accept : {QList<Qt::Key>{Qt::Key_Return}, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space}}) {
    for (Qt::Key key : accept) Key(key);
    ASSERT_TRUE(d->isVisible());
    EXPECT_EQ(QList<int>({d->StartScore, d->LegsToWin, d->DecidingLegDraw, d->CurrentThrower}),
              QList<int>({301, 2, 1, 2}));
    EXPECT_EQ(dc->Panel8->text(), "Борис");
    d->Close();
    // Back on the list: a stray Enter starts nothing.
    EXPECT_EQ(s->focusWidget(), sc->ComboBox1);
    Key(Qt::Key_Return);
    EXPECT_FALSE(d->isVisible());
    for (int i = 0; i < 5; ++i) Key(Qt::Key_Tab);  // back to the group, its choice kept
    EXPECT_EQ(Focused(), sc->RadioGroup1->Button(1));
  }
}

}  // namespace
