// The DDV window and its analysis window driven through their keys.
#include <QLocale>
#include <random>

#include "games/Form_ddv_r.h"
#include "games/ddv.h"
#include "tests/games/GamesTestSupport.h"

namespace {

// A game as 200 marks: 'x' a hit, '.' a miss.
QString Hits(int n) { return (QString(n, 'x') + QString(200, '.')).left(200); }

class DdvWindowTest : public games_test::WindowTest<TForm_ddv> {
 protected:
  DdvWindowTest() : WindowTest(Form_ddv, "ddv") {}
  void SetUp() override {
    WindowTest::SetUp();
    delete Form_ddv_raschet;
    Form_ddv_raschet = r = new TForm_ddv_raschet;
    // The analysis window is modal: it is looked at and closed by its own key
    // (the game's keys, Enter and Space leave it open) before the game window
    // goes on.
    ui::seams().modalRunner = [this](ui::TForm& form) {
      form.show();
      if (&form == r) {
        analysis << r->Controls().Label2->text() + "|" + r->Controls().Label4->text();
        for (Qt::Key key : {Qt::Key_F1, Qt::Key_F4, Qt::Key_F7, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space})
          QTest::keyClick(r->focusWidget() ? r->focusWidget() : r, key);
        EXPECT_TRUE(r->isVisible());
        QTest::keyClick(r, Qt::Key_F10);
        EXPECT_FALSE(r->isVisible());
      }
      return form.ModalResult();
    };
  }
  void TearDown() override {
    r->Close();
    delete std::exchange(Form_ddv_raschet, nullptr);
    WindowTest::TearDown();
  }
  // Enters the marks with F1 (hit) and F4 (missed).
  void Throw(const QString& marks) {
    for (QChar m : marks) Key(m == 'x' ? Qt::Key_F1 : Qt::Key_F4);
  }
  void Play(const QString& marks) { Key(Qt::Key_F7), Throw(marks); }
  QString Result(int col, int row) const { return c->StringGrid2->Cell(col, row); }
  // The enabled dart buttons, hit and miss of darts 1..3 ("110000": the first
  // pair), against those of the dart given (0: none).
  QString DartButtons() const {
    QString out;
    for (QWidget* b : {c->BitBtn4, c->BitBtn5, c->BitBtn6, c->BitBtn7, c->BitBtn8, c->BitBtn9})
      out += b->isEnabled() ? '1' : '0';
    return out;
  }
  static QString Pair(int dart) { return dart ? QString("000000").replace(2 * dart - 2, 2, "11") : "000000"; }
  QRgb Pixel(int x, int y) const { return c->PaintBox1->Image().pixel(x, y) & 0xFFFFFF; }
  bool BlackRow(int y, int x0, int x1) const {
    for (int x = x0; x <= x1; ++x)
      if (Pixel(x, y) != 0) return false;
    return true;
  }

  TForm_ddv_raschet* r = nullptr;
  QStringList analysis;  // "value|recommendation" of each showing
};

TEST_F(DdvWindowTest, HitCountsGiveTheirPercentValueAndRecommendation) {
  const struct {
    int hits;
    char separator;
    const char *panel, *ddv, *row2, *advice;  // percentage shown, DDV, percentage in the table
  } cases[] = {
      {0, ',', "0,00", "", "0", "???"},        {11, ',', "5,5", "", "5,5", "???"},
      {12, ',', "6,0", "3,0", "6", "T19"},     {31, ',', "15,5", "1,8", "15,5", "T19"},
      {32, ',', "16,0", "1,7", "16", "T19"},   {200, ',', "100,0", "0,1", "100", "T20"},
      {35, '.', "17.5", "1,6", "17.5", "T20"}, {34, '.', "17.0", "1,7", "17", "T19"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.hits);
    ui::seams().decimalSeparator = QChar(k.separator);
    f->ShowModal();
    analysis.clear();
    Play(Hits(k.hits));
    EXPECT_EQ(QStringList({c->Panel6->text(), c->Label4->text()}), QStringList({k.panel, k.ddv}));
    EXPECT_EQ(QStringList({Result(1, 2), Result(1, 3), Result(1, 4)}),
              QStringList({k.row2, k.ddv, QString::number(k.hits)}));
    EXPECT_EQ(analysis, QStringList{QString(k.ddv) + "|" + k.advice});
    EXPECT_TRUE(DartButtons() == Pair(0) && c->BitBtn1->isEnabled());
    f->Close();
  }
}

// The result rows agree with the visits thrown, counted here visit by visit;
// before every dart exactly the pair of that dart is enabled.
TEST_F(DdvWindowTest, RandomGamesKeepButtonsAndResultRowsInStep) {
  std::mt19937 rng(20261206);
  f->ShowModal();
  for (int game = 1; game <= 6; ++game) {
    SCOPED_TRACE(game);
    std::bernoulli_distribution hit(0.15 * game);
    QString marks;
    for (int i = 0; i < 200; ++i) marks += hit(rng) ? 'x' : '.';
    Key(Qt::Key_F7);
    for (int d = 0; d < 200; ++d) {
      ASSERT_EQ(DartButtons(), Pair(d % 3 + 1)) << d;
      Throw(marks.mid(d, 1));
      ASSERT_EQ(f->DartsThrown, d + 1);
    }
    int rows[15] = {}, hits = 0, visits[4] = {};
    const QStringList rowOf = {"x..", ".x.", "..x", "", "xx.", "x.x", ".xx"};  // rows 7..13
    for (int v = 0; v < 67; ++v) {
      const QString visit = marks.mid(3 * v, 3).leftJustified(3, '.');
      const int n = visit.count('x');
      hits += n;
      visits[n]++;
      if (rowOf.contains(visit)) ++rows[7 + rowOf.indexOf(visit)];
    }
    EXPECT_EQ(Result(game, 1), QString("Игра - %1").arg(game));
    EXPECT_EQ(Result(game, 4), QString::number(hits));
    for (int n = 1; n <= 3; ++n)
      EXPECT_EQ(Result(game, 2 + 4 * n), QString("%1(%2)").arg(visits[n]).arg(n * visits[n]));
    for (int row : {7, 8, 9, 11, 12, 13}) EXPECT_EQ(Result(game, row), QString::number(rows[row])) << row;
    for (int d = 0; d < 200; ++d)
      for (int dart = 0; dart < 3; ++dart)
        ASSERT_EQ(c->StringGrid1->Cell(3 + dart, d + 1), marks[d] == 'x' && d % 3 == dart ? "1" : "0") << d;
    EXPECT_EQ(analysis.size(), game);
  }
}

// The last visit has two darts: a third press is not taken; hit, miss, hit in
// one visit counts as first and third.
TEST_F(DdvWindowTest, LastVisitAndPerDartCounts) {
  const struct {
    QString marks;
    int row;  // the one- or two-dart row it counts into, or 0
  } cases[] = {{QString(198, '.') + "x.", 7},
               {QString(198, '.') + ".x", 8},
               {QString(198, '.') + "xx", 11},
               {QString(200, '.'), 0},
               {"x.x" + QString(197, '.'), 12}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.row);
    f->ShowModal();
    Play(k.marks);
    Keys({Qt::Key_F1, Qt::Key_F4});  // no dart after the 200th
    EXPECT_EQ(f->DartsThrown, 200);
    EXPECT_EQ(f->Hits, k.marks.count('x'));
    for (int row : {7, 8, 9, 11, 12, 13}) EXPECT_EQ(Result(1, row), row == k.row ? "1" : "0") << row;
    EXPECT_EQ(Result(1, 10), k.row > 10 ? "1(2)" : "0(0)");
    f->Close();
  }
}

// One hit every visit: the graph's level after visit v is 400 - 2v. The guide
// line runs from the hit axis to the column's right edge; the hit label covers
// it from 20 pixels left of the column on.
TEST_F(DdvWindowTest, GuideLinesAtEveryTenthVisitAndAfterTheLastDart) {
  f->ShowModal();
  Key(Qt::Key_F7);
  for (int v = 1; v <= 66; ++v) {
    Throw("x..");
    EXPECT_TRUE(v < 6 || BlackRow(400 - 2 * v, 26, 6 * v - 7) == (v % 10 == 0 && v <= 60)) << v;
  }
  Throw("x.");
  EXPECT_TRUE(BlackRow(400 - 2 * 67, 26, 400));
  EXPECT_FALSE(BlackRow(400 - 2 * 66, 26, 390));
}

TEST_F(DdvWindowTest, ColumnsAreFilledByTheirHits) {
  f->ShowModal();
  Key(Qt::Key_F7);
  // The colour inside each column just above the visit axis, its right edge black.
  const std::pair<const char*, QRgb> visits[] = {
      {"...", 0xF0F0F0}, {"xx.", 0x00FF00}, {"x..", 0x800080}, {"xxx", 0x0078D7}, {".x.", 0x800080}};
  for (int i = 0; i < 5; ++i) {
    Throw(visits[i].first);
    EXPECT_EQ(QList<QRgb>({Pixel(23 + 6 * i, 399), Pixel(26 + 6 * i, 399)}), QList<QRgb>({visits[i].second, 0u})) << i;
  }
  EXPECT_EQ(Pixel(53, 380), 0xF0F0F0u);  // nothing leaked beyond the columns
}

TEST_F(DdvWindowTest, FileAndExportOfOneGame) {
  f->ShowModal();
  Play(Hits(75));  // 25 visits of three hits: 37.5 %
  clock->AddSecs(62);
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_EQ(msg->Texts(), QStringList{QString::fromUtf8(gamekit::kExitConfirmText)});
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(FileData("20261205_161511_ddv.csv"),
            games_test::FileBytes(
                {"05.12.2026 - 16:14:09:14 - " + QLocale::system().dayName(6, QLocale::LongFormat) + ";;;",
                 ";Игра - 1;;", "Процент;37,5;;", "DDV;1,0;;", "Всего попал в утроение;75;;", "Из них за подход:;;;",
                 "Один дротик(60);0(0);;", "      Первым дротиком;0;;", "      Вторым дротиком;0;;",
                 "      Третьим дротиком;0;;", "Два дротика(120);0(0);;", "      Первым и Вторым;0;;",
                 "      Первым и третьим;0;;", "      Вторым и третьим;0;;", "Три дротика(180);25(75);;", ";;;"}));
  EXPECT_EQ(f->GameNumber, 0);
  EXPECT_EQ(Cells({"B2", "A3", "B3", "B4", "A15", "B15", "C2", "B16"}),
            QStringList({"Игра - 1|FFCCFFCC|b", "Процент||b", "37.5||b", "1||b", "Три дротика(180)||b", "25(75)||b",
                         "|", "|"}));
  EXPECT_EQ(merges, QStringList{"A1:B1"});
}

// Cancel keeps the game under way; an exit with nothing finished since the
// file closes at once; a later opening starts a new table with its own columns.
TEST_F(DdvWindowTest, LeavingWithCancelNoAndWithoutFinishedGame) {
  f->ShowModal();
  Play(Hits(0));
  Play("x.x");  // a second game under way
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(Files().size(), 1);
  Throw("x");
  EXPECT_EQ(f->Hits, 3);
  clock->AddSecs(1);
  Key(Qt::Key_F10);
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(msg->Log().size(), 1u);
  EXPECT_EQ(Files().size(), 1);
  // The close box leaves as " - Выход" does: finished games are written and
  // the question asked; with nothing finished since, it closes at once.
  f->ShowModal();
  Play(Hits(20));
  clock->AddSecs(1);
  msg->Answer(ui::mrCancel);
  f->close();
  EXPECT_TRUE(f->isVisible());
  f->close();
  EXPECT_TRUE(Files().size() == 2 && msg->Log().size() == 2u && !f->isVisible());
  f->ShowModal();
  for (int game = 0; game < 3; ++game) Play(Hits(game ? 40 : 12));
  clock->AddSecs(1);
  msg->Answer(ui::mrNo);
  f->close();
  f->ShowModal();
  Play(Hits(12));
  Play(Hits(40));
  clock->AddSecs(1);
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  ASSERT_EQ(Files().size(), 4);
  const QList<QByteArray> lines = FileLines(Files()[3]);
  ASSERT_EQ(lines.size(), 16);
  EXPECT_EQ(lines[1], gamekit::ToCp1251(";Игра - 1;Игра - 2;;"));
  EXPECT_EQ(lines[3], "DDV;3,0;1,5;;");
  EXPECT_EQ(lines[15], ";;;;");
}

// The keys act whatever control has the focus; a button the player tabbed to
// takes Space and Enter. After each action the focus rests on the window,
// where a stray Enter or Space neither enters a dart nor leaves.
TEST_F(DdvWindowTest, KeysWhateverHasTheFocus) {
  f->ShowModal();
  auto press = [this](QWidget* on, Qt::Key key) {
    on->setFocus(), QTest::keyClick(on, key);
    EXPECT_EQ(f->focusWidget(), f);
    Keys({Qt::Key_Return, Qt::Key_Space});
  };
  press(f, Qt::Key_Return);  // at opening
  press(c->BitBtn2, Qt::Key_F7);
  press(c->BitBtn2, Qt::Key_F1);
  press(c->BitBtn1, Qt::Key_F4);
  press(c->BitBtn8, Qt::Key_Space);               // the third dart's hit
  press(c->BitBtn5, Qt::Key_Return);              // the next visit's first miss
  press(c->BitBtn1, Qt::Key_F7);                  // no new game while one runs
  QTest::mouseClick(c->BitBtn7, Qt::LeftButton);  // a click leaves the focus at rest too
  EXPECT_EQ(QList<int>({f->DartsThrown, f->Hits}), QList<int>({5, 2}));
  EXPECT_EQ(f->focusWidget(), f);
  EXPECT_EQ(DartButtons(), Pair(3));
  EXPECT_TRUE(f->isVisible());
}

// The final total is drawn whole inside the paint box, also at its top.
TEST_F(DdvWindowTest, FinalTotalInsideThePaintBox) {
  auto labelHeight = [this] {  // rows of red in the final total's corner
    int rows = 0;
    for (int y = 0; y < c->PaintBox1->height(); ++y) {
      bool red = false;
      for (int x = 396; x < 420; ++x) red = red || (qRed(Pixel(x, y)) > 160 && qGreen(Pixel(x, y)) < 100);
      rows += red;
    }
    return rows;
  };
  f->ShowModal();
  Play(QString(100, '.') + QString(100, 'x'));  // total 100, in the middle
  const int whole = labelHeight();
  Play(Hits(200));
  EXPECT_GT(whole, 4);
  EXPECT_EQ(labelHeight(), whole);
}

}  // namespace
