// The set-up dialog, the match window and the chooser driven as the players
// drive them: what they show and hand over, where the focus goes, the export.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QRadioButton>
#include <QTest>
#include <span>
#include <thread>
#include <tuple>

#include "app/f501.h"
#include "app/form_501double.h"
#include "app/kontrovoi.h"
#include "gamekit/GameConventions.h"
#include "tests/support/Exports.h"
#include "tests/support/TestSupport.h"
#include "ui_f501.h"
#include "ui_form_501double.h"
#include "ui_kontrovoi.h"
#include "video/capture/VLFrameSource.h"

namespace {

const QString kOutOfRange = "Внимание!!! Недопустимое значение. Введите число от 0 до 180 ";
constexpr int k170 = 3;  // the start-score list's item

struct MatchPlan {
  int game = -1;  // item of the start-score list; -1: none chosen (501)
  int sets = 0, legs = 1;
  QString player1 = QStringLiteral("Анна"), player2 = QStringLiteral("Борис");
  int starter = 1;
  bool legDraw = false, setDraw = false;
};

class MatchTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    msg = std::make_unique<testing_support::ScriptedMessages>();
    ui::seams().decimalSeparator = QChar('.');
    // Fresh windows for every test; they stay created for the next, as at start-up.
    delete Form_kontr, delete Form_501d, delete Form_501;
    k = Form_kontr = new TForm_kontr(), d = Form_501d = new TForm_501d(), s = Form_501 = new TForm_501();
    sc = &s->Controls(), dc = &d->Controls(), kc = &k->Controls();
    // Modal windows are shown without blocking; `inChooser` answers the chooser.
    ui::seams().modalRunner = [this](ui::TForm& form) {
      form.show();
      if (&form == k && inChooser) inChooser();
      return form.ModalResult();
    };
  }
  void TearDown() override { k->Close(), d->Close(), s->Close(), msg.reset(), SeamsFixture::TearDown(); }
  static void Choose(QComboBox* list, int index) { list->setCurrentIndex(index), emit list->activated(index); }
  // Sets the match up in the dialog and accepts it; the match window opens.
  void Accept(const MatchPlan& m) {
    if (!s->isVisible()) s->ShowModal();
    if (m.game >= 0) Choose(sc->ComboBox1, m.game);
    Choose(sc->ComboBox2, m.sets), Choose(sc->ComboBox3, m.legs - 1);
    sc->Edit3->setText(m.player1), sc->Edit4->setText(m.player2), sc->RadioGroup1->setItemIndex(m.starter - 1);
    sc->CheckBox1->setChecked(m.legDraw), sc->CheckBox2->setChecked(m.setDraw), sc->BitBtn2->click();
    ASSERT_TRUE(d->isVisible());
  }
  void StartMatch(const MatchPlan& m) { Accept(m), Key(Qt::Key_F7); }  // and the first leg
  // Keys go to the control focused in the uppermost open window of the three.
  QWidget* Focused() const {
    ui::TForm* top = k->isVisible() ? k : d->isVisible() ? static_cast<ui::TForm*>(d) : s;
    return top->focusWidget() ? top->focusWidget() : top;
  }
  void Key(Qt::Key key) { QTest::keyClick(Focused(), key); }
  void Enter(const QString& text) { QTest::keyClicks(Focused(), text), Key(Qt::Key_Return); }
  void Visits(std::initializer_list<int> visits) {
    for (int v : visits) Enter(QString::number(v));
  }
  // A leg won by `winner` from 501 (180, 180, 141, dart 3); the other scores 0.
  void WinLeg(int winner) {
    for (int n = 0; n < 3;) Enter(QString::number(d->Game().CurrentThrower() == winner ? 180 - 39 * (n++ / 2) : 0));
    Key(Qt::Key_F3);
  }
  // Both sheets show the visits the match holds, and nothing after them.
  void ExpectSheetsShown() {
    for (int p : {1, 2})
      for (int r = 0; r <= d->Game().VisitCount(p) + 1; ++r)
        for (int c = 0; c < 5; ++c)
          EXPECT_EQ((p == 1 ? dc->StringGrid1 : dc->StringGrid2)->Cell(c, r), d->Game().SheetCell(p, c, r)) << r;
  }
  QList<int> Settings() const {
    const darts::Match& g = d->Game();
    return {g.StartScore(), g.SetsToWin(), g.LegsToWin(), g.CurrentThrower(), g.DecidingLegDraw(), g.DecidingSetDraw()};
  }

  TForm_501* s = nullptr;  // the set-up dialog, the match window, the chooser and their controls
  TForm_501d* d = nullptr;
  TForm_kontr* k = nullptr;
  Ui::TForm_501* sc = nullptr;
  Ui::TForm_501d* dc = nullptr;
  Ui::TForm_kontr* kc = nullptr;
  std::unique_ptr<testing_support::ScriptedMessages> msg;
  std::function<void()> inChooser;
};

// Accepting untouched at the first opening, then every setting, names shown as
// typed; a further accept starts a new match in a clean window. Leaving the
// dialog empties the names and makes the second player the starter; the list
// keeps its score, and what it shows is played.
TEST_F(MatchTest, SettingsReachTheMatchWindowAndResets) {
  s->ShowModal(), sc->BitBtn2->click();
  EXPECT_EQ(Settings(), QList<int>({501, 0, 1, 1, 0, 0}));
  EXPECT_EQ(d->focusWidget(), d);  // between legs: on no button
  EXPECT_TRUE(!ui::Enabled(dc->MaskEdit1) && ui::Visible(dc->Panel54) && !ui::Visible(dc->Panel55));
  d->Close();
  StartMatch(MatchPlan{6, 1, 16, "  <b>Вася</b> ", "A&B", 2});
  EXPECT_EQ(Settings(), QList<int>({1001, 1, 16, 2, 0, 0}));
  EXPECT_EQ(dc->Panel36->text() + dc->Panel8->text() + dc->Panel1->text() + dc->Panel3->text(),
            "  <b>Вася</b> A&B100116");
  EXPECT_TRUE(dc->Panel7->textFormat() == Qt::PlainText && ui::Visible(dc->Panel55) && dc->Image1->text().isEmpty());
  d->Close();
  EXPECT_EQ(s->focusWidget(), sc->ComboBox1);  // back from the match: on no button that starts or leaves
  StartMatch(MatchPlan{-1, 0, 2}), WinLeg(2), Key(Qt::Key_F7), Visits({180, 60}), d->Close();
  StartMatch(MatchPlan{3});
  EXPECT_EQ(QStringList({dc->Panel21->text(), dc->Panel43->text(), dc->StringGrid2->Cell(1, 1),
                         dc->StringGrid1->Cell(2, 0), dc->StringGrid3->Cell(9, 0)}),
            QStringList({"0", "0", "", "170", ""}));
  d->Close(), sc->BitBtn1->click(), s->ShowModal();
  EXPECT_EQ(sc->ComboBox1->currentText() + sc->Edit3->text(), "     170");
  sc->BitBtn2->click();
  EXPECT_EQ(Settings().mid(0, 4), QList<int>({170, 0, 1, 2}));
}

// One box enabled by the sets; a disabled box keeps its check mark, and it counts.
TEST_F(MatchTest, DecidingLegAndSetBoxes) {
  s->ShowModal(), sc->CheckBox1->click(), Choose(sc->ComboBox2, 2), sc->CheckBox2->click();
  EXPECT_TRUE(!ui::Enabled(sc->CheckBox1) && ui::Enabled(sc->CheckBox2) && sc->CheckBox1->isChecked());
  sc->BitBtn2->click();
  EXPECT_EQ(Settings().mid(1), QList<int>({2, 1, 1, 1, 1}));
  d->Close(), Choose(sc->ComboBox2, 0), sc->CheckBox2->click();  // disabled: nothing
  EXPECT_TRUE(ui::Enabled(sc->CheckBox1) && !ui::Enabled(sc->CheckBox2) && sc->CheckBox2->isChecked());
}

// By keyboard only: arrows in the closed lists choose, Tab skips a disabled
// box, arrows move the starter, Enter in the group accepts; back on the list a
// stray Enter starts nothing.
TEST_F(MatchTest, KeyboardOnly) {
  s->ShowModal();
  for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Down}) Key(key);  // 301, 2 legs
  for (int i = 0; i < 3; ++i) Key(Qt::Key_Tab);
  EXPECT_EQ(Focused(), sc->RadioGroup1->Button(0));
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Tab}) Key(key);  // player 2, the leg box
  EXPECT_EQ(Focused(), sc->BitBtn2);
  Key(Qt::Key_Backtab), Key(Qt::Key_Backtab);
  EXPECT_EQ(Focused(), sc->RadioGroup1->Button(1));  // one stop, on the chosen item
  Key(Qt::Key_Return);
  ASSERT_TRUE(d->isVisible());
  EXPECT_EQ(Settings(), QList<int>({301, 0, 2, 2, 1, 0}));
  d->Close();
  EXPECT_EQ(s->focusWidget(), sc->ComboBox1);
  Key(Qt::Key_Return);
  EXPECT_FALSE(d->isVisible());
}

// A refused entry gets its message, nothing counted, the field emptied and
// focused; busts (F8) and undos go back to the field. A finishing visit offers
// its darts, the focus on the first; Space or Enter there ends the leg, which the
// panels and the hidden record show, and the new-leg button has the focus.
TEST_F(MatchTest, RefusedEntriesFinishingDartsBustAndUndoByKeys) {
  const std::pair<QString, QString> refused[] = {
      {"181", kOutOfRange},
      {"   ", kOutOfRange},
      {"179", "Внимание!!! Недопустимое значение в дартс."},
      {"171",
       "Внимание!!! Похоже перебор. Если перебор, то нажмите на кнопку ПЕРЕБОР или F8 иначе введите "
       "правильное число."},
      {"1 2", "'1 2' is not a valid integer value."},  // the default error report
      {"paste 1e3", kOutOfRange}};                     // a paste that is no visit
  for (const auto& [finish, first] : {std::pair{170, 3}, {40, 1}, {41, 2}}) {
    SCOPED_TRACE(finish);
    StartMatch(MatchPlan{k170, 0, 2});
    if (finish == 170) {  // a camera that cannot start clears the video box, is reported, and the keyboard returns
      d->Video().VLDSCapture1.SetVideoDevice("/nonexistent/video7");
      dc->CheckBox1->setFocus(), Key(Qt::Key_Space);
      EXPECT_TRUE(msg->Texts().join("").contains("/nonexistent/video7") && !dc->CheckBox1->isChecked() &&
                  !d->Video().Running() && d->Video().VLImageDisplay1()->isHidden() && Focused() == dc->MaskEdit1);
    }
    for (const auto& [typed, message] : std::span(refused).first(finish == 170 ? std::size(refused) : 0)) {
      msg->Clear();
      if (typed.startsWith("paste ")) QApplication::clipboard()->setText(typed.mid(6));
      typed.startsWith("paste ") ? QTest::keyClick(dc->MaskEdit1, Qt::Key_V, Qt::ControlModifier) : Enter(typed);
      EXPECT_EQ(msg->Texts(), QStringList{message});
      EXPECT_TRUE(dc->MaskEdit1->Text() == "   " && Focused() == dc->MaskEdit1 && d->Game().VisitCount(1) == 0);
    }
    if (finish < 170) {
      Visits({170 - finish});
      Key(Qt::Key_F8);  // player 2 is bust, taken back, and bust again
      EXPECT_EQ(dc->StringGrid2->Cell(1, 1), "  ---");
      dc->BitBtn8->click();
      EXPECT_TRUE(Focused() == dc->MaskEdit1 && !ui::Enabled(dc->BitBtn8) && ui::Enabled(dc->BitBtn7));
      Key(Qt::Key_F8);
    }
    Enter(QString::number(finish));
    ExpectSheetsShown();
    EXPECT_EQ(QList<bool>({ui::Enabled(dc->Label4), ui::Enabled(dc->BitBtn3), ui::Enabled(dc->BitBtn5)}),
              QList<bool>({true, first == 1, first <= 2}));
    EXPECT_EQ(Focused(), (std::vector<QWidget*>{dc->BitBtn3, dc->BitBtn5, dc->BitBtn6}[first - 1]));
    dc->MaskEdit1->SetText("0");
    d->BitBtn2Click();  // Ok run anyway: nothing happens until the next leg
    Key(finish % 2 ? Qt::Key_Space : Qt::Key_Return);
    EXPECT_EQ(dc->Panel42->text() + dc->Panel40->text() + dc->StringGrid3->Cell(2, 5 + (finish < 170)),
              QString("%1%2Х(%3)").arg((finish < 170 ? 3 : 0) + first).arg(1).arg(first));
    EXPECT_EQ(Focused(), dc->BitBtn4);
    d->Close();
  }
}

// A match of legs: the chooser at 2-2 with both names as typed (a long one
// elided), answered by arrows and Enter or by Tab and Space; its choice starts
// the deciding leg. At the match end a stray Enter, Space or F7 does nothing.
TEST_F(MatchTest, ChooserAndTheMatchEnd) {
  const std::tuple<int, const char*, std::vector<Qt::Key>, int> cases[] = {
      {1, "12121", {Qt::Key_Right, Qt::Key_Return}, 2},
      {2, "12122", {Qt::Key_Right, Qt::Key_Left, Qt::Key_Tab, Qt::Key_Space}, 1}};
  const QStringList names = {"A&B", QString(90, QChar(0x0416))};
  for (const auto& [starter, winners, keys, chosen] : cases) {
    Accept(MatchPlan{-1, 0, 3, names[0], names[1], starter, true});
    inChooser = [&] {
      const QRadioButton* item = kc->RadioGroup1->Button(1);
      EXPECT_TRUE(kc->RadioGroup1->Items() == names && kc->RadioGroup1->Button(0)->text() == "A&&B" &&
                  Focused() == kc->RadioGroup1->Button(0) && names[1].startsWith(item->text().chopped(1)) &&
                  item->text().endsWith(QChar(0x2026)) &&
                  item->fontMetrics().horizontalAdvance(item->text()) < item->width());
      for (Qt::Key key : keys) Key(key);
      EXPECT_FALSE(k->isVisible());
    };
    for (int leg = 0; winners[leg]; ++leg) {
      Key(Qt::Key_F7);
      EXPECT_TRUE(leg < 4 || (ui::Visible(dc->Panel55) == (chosen == 2) && d->Game().LegStarter() == chosen));
      WinLeg(winners[leg] - '0');
    }
    EXPECT_TRUE(d->Game().MatchOver() && !ui::Enabled(dc->BitBtn4) && !ui::Enabled(dc->MaskEdit1));
    EXPECT_EQ(Focused(), d);  // not on the exit button next in the Tab order
    msg->Clear();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_F7}) Key(key);
    EXPECT_TRUE(d->isVisible() && msg->Texts().isEmpty() && d->Game().LegsPlayed() == 5);
    d->Close();
  }
}

// Each sheet grows with its player's visits and shows the newest one, an undo
// included; a new leg starts both at the top again, with the form's rows.
TEST_F(MatchTest, VisitSheetsGrowWithTheLegAndShowTheNewestVisit) {
  auto inView = [](const ui::TStringGrid* sheet, int row) {
    const QRect r = sheet->CellRect(0, row);
    return !r.isEmpty() && r.bottom() < sheet->viewport()->height();
  };
  StartMatch(MatchPlan{k170, 0, 2});
  for (int visit = 1; visit <= 81; ++visit) {  // 0 or a bust (F8), in turn
    const int p = d->Game().CurrentThrower();
    visit % 7 ? Enter("0") : Key(Qt::Key_F8);
    const int n = d->Game().VisitCount(p);
    ui::TStringGrid* sheet = p == 1 ? dc->StringGrid1 : dc->StringGrid2;
    ASSERT_TRUE(n == (visit + 1) / 2 && sheet->RowCount() == std::max(30, n + 1) && inView(sheet, n)) << visit;
  }
  dc->BitBtn7->click();  // player 1's 41st visit taken back
  EXPECT_TRUE(inView(dc->StringGrid1, 40) && dc->StringGrid1->RowCount() == 41);
  Visits({170}), Key(Qt::Key_F3);
  ExpectSheetsShown();  // the winner's sheet after the undo and the finish
  Key(Qt::Key_F7);
  for (ui::TStringGrid* sheet : {dc->StringGrid1, dc->StringGrid2})
    EXPECT_TRUE(sheet->RowCount() == 30 && sheet->TopRow() == 1 && sheet->Cell(1, 40).isEmpty());
}

// A camera that sends a blank frame every 2 ms.
struct Camera : video::TVLFrameSource {
  void Open(const video::TVLCaptureFormat&) override {}
  QString DeviceName() const override { return "/dev/video9"; }
  video::TVLImageBuffer Next(std::chrono::milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return video::TVLImageBuffer(64, 48, video::TVLPixelFormat::vfRGB24);
  }
  void Close() noexcept override {}
};

// With the camera on: before any finished leg the Yes/No question (No stays,
// the field emptied and focused); after a leg of 7 visits by the winner: Cancel
// stays, No leaves without a spreadsheet and switches the camera off, Yes
// exports; a Yes whose spreadsheet program fails at once stays. Read back: the
// texts, colours, font and borders of the block.
TEST_F(MatchTest, LeavingAfterPlayAndTheExportReadBack) {
  if (!QFileInfo::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  int started = 0, startFails = 0;
  ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
  ui::seams().startDetached = [&](const QString&, const QStringList&) { return ++started > 0 && !startFails; };
  testing_support::RecordedCalls recorded;
  StartMatch(MatchPlan{-1, 0, 2});
  video::TVLVideoChain& video = d->Video();
  video.VLDSCapture1.SetSourceFactory([](const QString&) { return std::make_unique<Camera>(); });
  dc->CheckBox1->setFocus(), Key(Qt::Key_Space);  // the camera runs, the keyboard back in the field
  EXPECT_TRUE(dc->CheckBox1->isChecked() && video.Running() && !video.VLImageDisplay1()->isHidden());
  Visits({60, 45, 60, 26, 60, 85, 60, 41, 60, 100, 100, 81});
  dc->MaskEdit1->SetText("6");
  msg->Answer(ui::mrNo), Key(Qt::Key_F10);
  EXPECT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitYesNoText)});
  EXPECT_TRUE(d->isVisible() && Focused() == dc->MaskEdit1 && dc->MaskEdit1->Text() == "   ");
  Visits({101}), Key(Qt::Key_F2);
  for (int answer : {+ui::mrCancel, +ui::mrNo, -ui::mrYes, +ui::mrYes}) {  // -Yes: the start fails
    startFails = answer < 0, started = 0;
    msg->Clear(), msg->Answer(std::abs(answer)), Key(Qt::Key_F10);
    EXPECT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitConfirmText)} +
                                (startFails ? QStringList{"Невозможно запустить Excel"} : QStringList()));
    EXPECT_TRUE(d->isVisible() == (answer == ui::mrCancel || startFails) && started == (std::abs(answer) == ui::mrYes));
    if (answer != ui::mrNo) continue;  // left: the camera is off; back in to leave once more
    EXPECT_FALSE(video.Running() || video.VLMotionDetect1.Enabled() || dc->CheckBox1->isChecked() ||
                 !video.VLImageDisplay1()->isHidden());
    d->ShowModal();
  }
  const QJsonObject cells = testing_support::ReadWorkbook(recorded.WrittenFile())["cells"].toObject();
  const darts::SheetBlock block = d->Game().Sheet();
  for (int row = 1; row <= 21; ++row) {
    for (int col = 0; col < 10; ++col) {
      const QJsonObject c = cells[QString(QChar('A' + col)) + QString::number(row)].toObject();
      const QString want = block.At(row - 1, col).value_or("");
      const QJsonValue got = c["value"];  // a text that reads as a number arrives as a number
      EXPECT_EQ(got.isDouble() ? QString::number(got.toDouble()) : got.toString(),
                got.isDouble() ? QString::number(want.toDouble()) : want)
          << row << " " << col;
      EXPECT_TRUE(c["bold"].toBool() && c["size"].toDouble() == 16.0 && c["h"].toString() == "center" &&
                  c["left"].toArray() == QJsonArray({"thin", "auto"}));
      EXPECT_EQ(c["fill"].toString(), row == 2 ? "FF00CCFF" : row == 14 ? "FFFFFF99" : "") << row << " " << col;
    }
  }
}

}  // namespace
