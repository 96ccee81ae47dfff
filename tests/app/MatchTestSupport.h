// The set-up dialog, the match window and the chooser driven together, as the
// players use them: through the lists, fields, keys and buttons.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <initializer_list>
#include <memory>

#include "app/f501.h"
#include "app/form_501double.h"
#include "app/kontrovoi.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"

namespace match_test {

struct MatchPlan {
  int game = -1;  // item of the start-score list; -1: none chosen (501)
  int sets = 0, legs = 1;
  QString player1 = QStringLiteral("Анна"), player2 = QStringLiteral("Борис");
  int starter = 1;
  bool legDraw = false, setDraw = false;
};

class MatchFixture : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    msg = std::make_unique<testing_support::ScriptedMessages>();
    ui::seams().decimalSeparator = QChar('.');
    // Fresh windows for every test; they stay created for the next, as at start-up.
    delete Form_kontr;
    delete Form_501d;
    delete Form_501;
    k = Form_kontr = new TForm_kontr();
    d = Form_501d = new TForm_501d();
    s = Form_501 = new TForm_501();
    sc = &s->Controls(), dc = &d->Controls(), kc = &k->Controls();
  }
  void TearDown() override {
    for (ui::TForm* f : std::initializer_list<ui::TForm*>{k, d, s}) f->Close();
    msg.reset();
    SeamsFixture::TearDown();
  }

  // Fresh message boxes that answer `answer` first.
  void Script(int answer) {
    msg.reset();  // the old one puts the previous handler back first
    (msg = std::make_unique<testing_support::ScriptedMessages>())->Answer(answer);
  }
  static void Choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
  // Sets the match up in the dialog and accepts it; the match window opens.
  void Accept(const MatchPlan& m) {
    if (!s->isVisible()) s->ShowModal();
    if (m.game >= 0) Choose(sc->ComboBox1, m.game);
    Choose(sc->ComboBox2, m.sets);
    Choose(sc->ComboBox3, m.legs - 1);
    sc->Edit3->setText(m.player1);
    sc->Edit4->setText(m.player2);
    sc->RadioGroup1->setItemIndex(m.starter - 1);
    sc->CheckBox1->setChecked(m.legDraw);
    sc->CheckBox2->setChecked(m.setDraw);
    sc->BitBtn2->click();
    ASSERT_TRUE(d->isVisible());
  }
  void StartMatch(const MatchPlan& m) {  // and the first leg with F7
    Accept(m);
    Key(Qt::Key_F7);
  }
  // The uppermost open window of the three, and the control focused in it.
  ui::TForm* Top() const { return k->isVisible() ? k : d->isVisible() ? static_cast<ui::TForm*>(d) : s; }
  QWidget* Focused() const { return Top()->focusWidget() ? Top()->focusWidget() : Top(); }
  void Key(Qt::Key key) { QTest::keyClick(Focused(), key); }
  // Typed and confirmed with Enter; while the score field is disabled the keys
  // go where the focus is, as on the keyboard.
  void Enter(const QString& text) {
    QWidget* target = dc->MaskEdit1->isEnabled() ? dc->MaskEdit1 : Focused();
    QTest::keyClicks(target, text);
    QTest::keyClick(target, Qt::Key_Return);
  }
  void Visits(std::initializer_list<int> visits) {
    for (int v : visits) Enter(QString::number(v));
  }
  // One leg won by `winner` from 501 in nine darts (180, 180, 141 and dart 3);
  // the other player scores 0 in between.
  void WinLeg(int winner) {
    const int darts[] = {180, 180, 141};
    for (int next = 0; next < 3;) Enter(QString::number(d->CurrentThrower == winner ? darts[next++] : 0));
    Key(Qt::Key_F3);
  }
  QString Sheet(int p, int col, int row) const { return (p == 1 ? dc->StringGrid1 : dc->StringGrid2)->Cell(col, row); }
  QStringList RecordRow(int row) const {
    QStringList out;
    for (int col = 0; col < 10; ++col) out << dc->StringGrid3->Cell(col, row);
    return out;
  }

  TForm_501* s = nullptr;  // the set-up dialog, the match window, the chooser
  TForm_501d* d = nullptr;
  TForm_kontr* k = nullptr;
  Ui::TForm_501* sc = nullptr;  // and their controls
  Ui::TForm_501d* dc = nullptr;
  Ui::TForm_kontr* kc = nullptr;
  std::unique_ptr<testing_support::ScriptedMessages> msg;
};

}  // namespace match_test
