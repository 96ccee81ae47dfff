// The DDV window and its analysis window driven through their keys.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>
#include <memory>
#include <random>

#include "automation/Excel.h"
#include "gamekit/GameConventions.h"
#include "games/Form_ddv_r.h"
#include "games/ddv.h"
#include "tests/games/PracticeGamesSupport.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"

namespace {

using testing_support::FixedClock;
using testing_support::TempCurrentDir;

using practice_tests::Cp1251;

// A game as 200 marks: 'x' a hit, '.' a miss.
QString Game(const QString& start, QChar rest = QChar('.')) {
  return (start + QString(200, rest)).left(200);
}
QString Hits(int n) { return Game(QString(n, QChar('x'))); }

class DdvWindowTest : public practice_tests::WindowFixture<TForm_ddv, Form_ddv> {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    ui::seams().decimalSeparator = QChar(',');
    Form_ddv_raschet = r = new TForm_ddv_raschet;
    // The analysis window is modal: it is looked at and closed by its own key
    // before the game window goes on.
    ui::seams().modalRunner = [this](ui::TForm& form) {
      form.show();
      if (&form == r) {
        analysis << r->Controls().Label2->text() + "|" + r->Controls().Label4->text();
        QTest::keyClick(r->focusWidget() ? r->focusWidget() : static_cast<QWidget*>(r), Qt::Key_F10);
        EXPECT_FALSE(r->isVisible());
      }
      return form.ModalResult();
    };
  }
  void TearDown() override {
    r->Close();
    delete r;
    Form_ddv_raschet = nullptr;
    WindowFixture::TearDown();
  }

  // Enters the marks with F1 (hit) and F4 (missed).
  void Throw(const QString& marks) {
    for (QChar m : marks) Key(m == QChar('x') ? Qt::Key_F1 : Qt::Key_F4);
  }
  void Play(const QString& marks) {
    Key(Qt::Key_F7);
    Throw(marks);
  }
  QString Result(int col, int row) const { return c->StringGrid2->Cell(col, row); }
  // Which pair of dart buttons is enabled: 1..3, 0 for none, -1 for a mix.
  int EnabledPair() const {
    const QAbstractButton* hit[] = {c->BitBtn4, c->BitBtn6, c->BitBtn8};
    const QAbstractButton* miss[] = {c->BitBtn5, c->BitBtn7, c->BitBtn9};
    int pair = 0;
    for (int i = 0; i < 3; ++i) {
      if (hit[i]->isEnabled() != miss[i]->isEnabled()) return -1;
      if (hit[i]->isEnabled()) pair = pair ? -1 : i + 1;
    }
    return pair;
  }
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
  struct Case {
    int hits;
    char separator;
    const char* panel;  // percentage shown
    const char* ddv;
    const char* row2;  // percentage in the results table
    const char* advice;
  };
  const Case cases[] = {
      {0, ',', "0,00", "", "0", "???"},         {11, ',', "5,5", "", "5,5", "???"},
      {12, ',', "6,0", "3,0", "6", "T19"},      {31, ',', "15,5", "1,8", "15,5", "T19"},
      {32, ',', "16,0", "1,7", "16", "T19"},    {200, ',', "100,0", "0,1", "100", "T20"},
      {35, '.', "17.5", "1,6", "17.5", "T20"},  {34, '.', "17.0", "1,7", "17", "T19"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.hits);
    ui::seams().decimalSeparator = QChar(k.separator);
    f->ShowModal();
    analysis.clear();
    Play(Hits(k.hits));
    EXPECT_EQ(c->Panel6->text(), k.panel);
    EXPECT_EQ(c->Label4->text(), k.ddv);
    EXPECT_EQ(Result(1, 2), k.row2);
    EXPECT_EQ(Result(1, 3), k.ddv);
    EXPECT_EQ(Result(1, 4), QString::number(k.hits));
    EXPECT_EQ(analysis, QStringList{QString(k.ddv) + "|" + k.advice});
    EXPECT_EQ(EnabledPair(), 0);
    EXPECT_TRUE(c->BitBtn1->isEnabled());
    f->close();  // the close box: nothing is written
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
      ASSERT_EQ(EnabledPair(), d % 3 + 1) << d;
      ASSERT_FALSE(c->BitBtn1->isEnabled());
      Throw(marks.mid(d, 1));
      ASSERT_EQ(f->DartsThrown, d + 1);
    }
    int rows[15] = {}, hits = 0, visits[4] = {};
    for (int v = 0; v < 67; ++v) {
      const QString visit = marks.mid(3 * v, 3);
      const int n = visit.count('x');
      hits += n;
      if (n > 0) ++visits[n];
      const QString pattern = visit.leftJustified(3, '.');
      const QStringList one = {"x..", ".x.", "..x"}, two = {"xx.", "x.x", ".xx"};
      if (one.contains(pattern)) ++rows[7 + one.indexOf(pattern)];
      if (two.contains(pattern)) ++rows[11 + two.indexOf(pattern)];
    }
    EXPECT_EQ(Result(game, 1), QString("Игра - %1").arg(game));
    EXPECT_EQ(Result(game, 4), QString::number(hits));
    EXPECT_EQ(Result(game, 6), QString("%1(%1)").arg(visits[1]));
    EXPECT_EQ(Result(game, 10), QString("%1(%2)").arg(visits[2]).arg(2 * visits[2]));
    EXPECT_EQ(Result(game, 14), QString("%1(%2)").arg(visits[3]).arg(3 * visits[3]));
    for (int row : {7, 8, 9, 11, 12, 13}) EXPECT_EQ(Result(game, row), QString::number(rows[row])) << row;
    for (int d = 1; d <= 200; ++d) {
      for (int dart = 0; dart < 3; ++dart) {
        const bool marked = marks[d - 1] == 'x' && (d - 1) % 3 == dart;
        ASSERT_EQ(c->StringGrid1->Cell(3 + dart, d), marked ? "1" : "0") << d;
      }
    }
    EXPECT_EQ(f->UnsavedGame, 1);
    EXPECT_EQ(analysis.size(), game);
  }
}

TEST_F(DdvWindowTest, LastVisitHasTwoDarts) {
  struct Case {
    const char* last;  // darts 199 and 200
    int row;           // the one-dart row it counts into, or 0
    int twoHit;        // visits in row 10
  };
  const Case cases[] = {{"x.", 7, 0}, {".x", 8, 0}, {"xx", 11, 1}, {"..", 0, 0}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.last);
    f->ShowModal();
    Play(QString(198, '.') + k.last);
    Key(Qt::Key_F1);  // no third dart
    Key(Qt::Key_F4);
    EXPECT_EQ(f->DartsThrown, 200);
    EXPECT_EQ(EnabledPair(), 0);
    for (int row : {7, 8, 9, 11, 12, 13}) EXPECT_EQ(Result(1, row), row == k.row ? "1" : "0") << row;
    EXPECT_EQ(Result(1, 10), QString("%1(%2)").arg(k.twoHit).arg(2 * k.twoHit));
    EXPECT_EQ(Result(1, 14), "0(0)");
    f->close();
  }
}

TEST_F(DdvWindowTest, HitMissHitIsFirstAndThird) {
  f->ShowModal();
  Key(Qt::Key_F7);
  for (int i = 0; i < 3; ++i) Key(Qt::Key_F1);  // three presses, three darts of one visit
  EXPECT_EQ(f->DartsThrown, 3);
  EXPECT_EQ(f->ThreeHitVisits, 1);
  Throw("x.x");
  Throw(QString(194, '.'));
  EXPECT_EQ(Result(1, 12), "1");
  EXPECT_EQ(Result(1, 10), "1(2)");
  EXPECT_EQ(Result(1, 14), "1(3)");
  EXPECT_EQ(c->StringGrid1->Cell(3, 4), "1");
  EXPECT_EQ(c->StringGrid1->Cell(5, 6), "1");
  EXPECT_EQ(c->StringGrid1->Cell(4, 5), "0");
}

// One hit every visit: the graph's level after visit v is 400 - 2v.
TEST_F(DdvWindowTest, GuideLinesAtEveryTenthVisitAndAfterTheLastDart) {
  f->ShowModal();
  Key(Qt::Key_F7);
  for (int v = 1; v <= 66; ++v) {
    Throw("x..");
    const int y = 400 - 2 * v;
    const bool guide = v % 10 == 0 && v <= 60;
    // The line runs from the hit axis to the column's right edge; the hit
    // label covers it from 20 pixels left of the column on.
    if (v >= 6) {
      EXPECT_EQ(BlackRow(y, 26, 6 * v - 7), guide) << v;
    }
  }
  Throw("x.");
  EXPECT_TRUE(BlackRow(400 - 2 * 67, 26, 400));
  EXPECT_FALSE(BlackRow(400 - 2 * 66, 26, 390));
}

TEST_F(DdvWindowTest, ColumnsAreFilledByTheirHits) {
  f->ShowModal();
  Key(Qt::Key_F7);
  struct Visit {
    const char* darts;
    QRgb colour;  // inside the column, just above the visit axis
  };
  const Visit visits[] = {{"...", 0xF0F0F0}, {"xx.", 0x00FF00}, {"x..", 0x800080}, {"xxx", 0x0078D7},
                          {"...", 0xF0F0F0}, {".x.", 0x800080}};
  int x = 20;
  for (const Visit& v : visits) {
    Throw(v.darts);
    EXPECT_EQ(Pixel(x + 3, 399), v.colour) << v.darts;
    EXPECT_EQ(Pixel(x + 6, 399), 0u) << v.darts;  // the column's right edge
    x += 6;
  }
  EXPECT_EQ(Pixel(x + 3, 380), 0xF0F0F0u);  // nothing leaked beyond the columns
}

TEST_F(DdvWindowTest, StatisticsFileOfOneGame) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("ddv");
  FixedClock clock(QDateTime(QDate(2012, 5, 10), QTime(9, 5, 7)));
  f->ShowModal();
  Play(Game(QString(75, 'x')));  // 25 visits of three hits: 37.5 %
  clock.AddSecs(62);
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  ASSERT_EQ(msg->Log().size(), 1u);
  EXPECT_EQ(msg->Log()[0].text, QString::fromUtf8(gamekit::kExitConfirmText));
  EXPECT_FALSE(f->isVisible());
  QFile file(dir.File("ddv/20120510_090609_ddv.csv"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString stamp = "10.05.2012 - 09:05:07:05 - " + QLocale::system().dayName(4, QLocale::LongFormat);
  const QStringList lines = {stamp + ";;;",
                             ";Игра - 1;;",
                             "Процент;37,5;;",
                             "DDV;1,0;;",
                             "Всего попал в утроение;75;;",
                             "Из них за подход:;;;",
                             "Один дротик(60);0(0);;",
                             "      Первым дротиком;0;;",
                             "      Вторым дротиком;0;;",
                             "      Третьим дротиком;0;;",
                             "Два дротика(120);0(0);;",
                             "      Первым и Вторым;0;;",
                             "      Первым и третьим;0;;",
                             "      Вторым и третьим;0;;",
                             "Три дротика(180);25(75);;",
                             ";;;"};
  EXPECT_EQ(file.readAll(), Cp1251(lines.join("\r\n") + "\r\n"));
  EXPECT_EQ(f->GameNumber, 0);
}

TEST_F(DdvWindowTest, LeavingWithCancelNoAndWithoutFinishedGame) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("ddv");
  FixedClock clock(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)));
  auto files = [&] { return QDir(dir.File("ddv")).entryList(QDir::Files); };

  f->ShowModal();
  Play(Hits(0));
  Key(Qt::Key_F7);
  Throw("x.x");  // a second game under way
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(files().size(), 1);
  EXPECT_EQ(f->DartsThrown, 3);
  EXPECT_TRUE(c->BitBtn1->isEnabled());  // the exit enabled a new game
  Throw("x");
  EXPECT_EQ(f->Hits, 3);
  clock.AddSecs(1);
  Key(Qt::Key_F10);  // nothing finished since the file: closes, no question
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(msg->Log().size(), 1u);
  EXPECT_EQ(files().size(), 1);

  // A later opening starts a new table; further games add columns.
  f->ShowModal();
  Key(Qt::Key_F10);  // nothing played
  EXPECT_FALSE(f->isVisible());
  f->ShowModal();
  Play(Hits(12));
  Play(Hits(40));
  clock.AddSecs(1);
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  ASSERT_EQ(files().size(), 2);
  QFile file(dir.File("ddv/" + files()[1]));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = file.readAll().split('\n');
  ASSERT_EQ(lines.size(), 17);  // 16 lines and nothing after the last CR LF
  EXPECT_EQ(lines[1], Cp1251(";Игра - 1;Игра - 2;;\r"));
  EXPECT_EQ(lines[3], "DDV;3,0;1,5;;\r");
  EXPECT_EQ(lines[15], ";;;;\r");
}

// Games closed away by the close box are not written by a later exit.
TEST_F(DdvWindowTest, CloseBoxDropsTheGames) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("ddv");
  f->ShowModal();
  EXPECT_TRUE(f->HasCloseCommand());
  EXPECT_NEAR(f->windowOpacity(), 210 / 255.0, 0.01);
  Play(Hits(20));
  f->close();
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(f->GameNumber, 0);
  f->ShowModal();
  Key(Qt::Key_F10);
  EXPECT_FALSE(f->isVisible());
  EXPECT_TRUE(QDir(dir.File("ddv")).entryList(QDir::Files).isEmpty());
  EXPECT_TRUE(msg->Log().empty());
}

// A longer earlier opening leaves nothing behind in the columns of a later one.
TEST_F(DdvWindowTest, LaterOpeningWritesNoColumnOfAnEarlierOne) {
  TempCurrentDir dir;
  QDir(dir.Path()).mkdir("ddv");
  FixedClock clock(QDateTime(QDate(2021, 3, 4), QTime(5, 6, 7)));
  f->ShowModal();
  for (int game = 0; game < 53; ++game) Play(Hits(0));
  f->close();
  f->ShowModal();
  for (int game = 0; game < 51; ++game) Play(Hits(game % 2));
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  QFile file(dir.File("ddv/20210304_050607_ddv.csv"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = file.readAll().split('\n');
  ASSERT_EQ(lines.size(), 17);
  for (int row = 0; row < 16; ++row) {
    EXPECT_EQ(lines[row].count(';'), 53) << row;
    EXPECT_TRUE(lines[row].endsWith(";;\r")) << row;  // the cell after the last game is empty
  }
  EXPECT_TRUE(lines[1].endsWith(Cp1251("Игра - 51;;\r")));
}

// The keys act whatever control has the focus; a focused button takes Space and Enter.
TEST_F(DdvWindowTest, KeysWhateverHasTheFocus) {
  f->ShowModal();
  EXPECT_EQ(f->focusWidget(), c->BitBtn1);
  QTest::keyClick(c->BitBtn2, Qt::Key_F7);
  EXPECT_EQ(EnabledPair(), 1);
  QTest::keyClick(c->BitBtn2, Qt::Key_F1);
  QTest::keyClick(c->BitBtn1, Qt::Key_F4);
  EXPECT_EQ(f->DartsThrown, 2);
  EXPECT_EQ(f->Hits, 1);
  c->BitBtn8->setFocus();
  QTest::keyClick(c->BitBtn8, Qt::Key_Space);
  EXPECT_EQ(f->Hits, 2);
  EXPECT_EQ(EnabledPair(), 1);
  c->BitBtn5->setFocus();
  QTest::keyClick(c->BitBtn5, Qt::Key_Return);
  EXPECT_EQ(f->DartsThrown, 4);
  EXPECT_EQ(f->Hits, 2);
  EXPECT_EQ(EnabledPair(), 2);
  QTest::keyClick(c->BitBtn6, Qt::Key_F7);  // no new game while one runs
  EXPECT_EQ(f->DartsThrown, 4);
  EXPECT_EQ(f->GameNumber, 1);
}

TEST_F(DdvWindowTest, AnalysisWindowKeys) {
  ui::seams().modalRunner = [](ui::TForm& form) {
    form.show();
    return form.ModalResult();
  };
  auto press = [this](Qt::Key key) { QTest::keyClick(r->focusWidget() ? r->focusWidget() : (QWidget*)r, key); };
  // Each value in turn; "???" is replaced by the next value shown.
  for (const char* value : {"1,6", "", "2,0"}) {
    c->Label4->setText(value);
    r->ShowModal();
    EXPECT_EQ(r->Controls().Label4->text(), *value ? (value[0] == '1' ? "T20" : "T19") : "???");
    for (Qt::Key key : {Qt::Key_F1, Qt::Key_F4, Qt::Key_F7, Qt::Key_Escape}) press(key);
    EXPECT_TRUE(r->isVisible());
    press(Qt::Key_F10);
    EXPECT_FALSE(r->isVisible());
  }
  EXPECT_TRUE(r->HasCloseCommand());
  EXPECT_NEAR(r->windowOpacity(), 200 / 255.0, 0.01);
}

}  // namespace

namespace {

class DdvExportTest : public DdvWindowTest {
 protected:
  void SetUp() override {
    DdvWindowTest::SetUp();
    qunsetenv("VANTREL_SPREADSHEET");
    ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
    ui::seams().startDetached = [](const QString&, const QStringList&) { return true; };
    dir = std::make_unique<TempCurrentDir>();
    QDir(dir->Path()).mkdir("ddv");
  }
  void TearDown() override {
    automation::SetProgramFinder(nullptr);
    DdvWindowTest::TearDown();
    dir.reset();
  }
  std::unique_ptr<TempCurrentDir> dir;
};

TEST_F(DdvExportTest, NoSpreadsheetProgramStillCloses) {
  ui::seams().spreadsheetProgram = [] { return QStringList(); };
  automation::SetProgramFinder([](const QString&) { return QString(); });
  f->ShowModal();
  Play(Hits(1));
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  ASSERT_EQ(msg->Log().size(), 2u);
  EXPECT_EQ(msg->Log()[1].text, "Невозможно запустить Excel");
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(QDir(dir->File("ddv")).entryList(QDir::Files).size(), 1);
}

}  // namespace
