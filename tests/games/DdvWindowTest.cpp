// The DDV window and its analysis window driven through their keys.
#include <QtTest/qtestspontaneevent.h>

#include <QCloseEvent>
#include <QLocale>

#include "games/Form_ddv_r.h"
#include "games/ddv.h"
#include "tests/games/GamesTestSupport.h"
#include "ui_Form_ddv_r.h"
#include "ui_ddv.h"

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
    // The analysis window is modal: it is looked at and closed by F10 (the
    // game's keys, Esc, Enter and Space leave it open) before the game goes on.
    ui::seams().modalRunner = [this](ui::TForm& form) {
      form.show();
      if (&form != r) return form.ModalResult();
      int visible = 0;
      analysis << r->Controls().Label2->text() + "|" + r->Controls().Label4->text();
      for (Qt::Key key :
           {Qt::Key_F1, Qt::Key_F4, Qt::Key_F7, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space, Qt::Key_F10})
        QTest::keyClick(r->focusWidget() ? r->focusWidget() : r, key), visible += r->isVisible();
      EXPECT_EQ(visible, 6);
      return form.ModalResult();
    };
  }
  void TearDown() override { delete std::exchange(Form_ddv_raschet, nullptr), WindowTest::TearDown(); }
  // Enters the marks with F1 (hit) and F4 (missed).
  void Throw(const QString& marks) {
    for (QChar m : marks) Key(m == 'x' ? Qt::Key_F1 : Qt::Key_F4);
  }
  void Play(const QString& marks) { Key(Qt::Key_F7), Throw(marks); }
  void CloseBox() {  // of the title bar
    QCloseEvent e;
    QSpontaneKeyEvent::setSpontaneous(&e);
    QApplication::instance()->notify(f, &e);
  }
  // The enabled buttons: new game, then hit and miss of darts 1..3.
  QString Buttons() const {
    QString out;
    for (QWidget* b : {c->BitBtn1, c->BitBtn4, c->BitBtn5, c->BitBtn6, c->BitBtn7, c->BitBtn8, c->BitBtn9})
      out += b->isEnabled() ? '1' : '0';
    return out;
  }
  QRgb Pixel(int x, int y) const { return c->PaintBox1->Image().pixel(x, y) & 0xFFFFFF; }
  int Count(int y, int x0, int x1, bool (*test)(QRgb)) const {  // pixels of row y from x0 to x1 that pass
    int n = 0;
    for (int x = x0; x <= x1; ++x) n += test(Pixel(x, y));
    return n;
  }

  TForm_ddv_raschet* r = nullptr;
  QStringList analysis;  // "value|recommendation" of each showing
};

// Columns coloured by their hits, each with its right edge black; a guide
// line after every tenth visit up to the 60th and after the last dart, whose
// total is drawn whole inside the paint box, also at its top.
TEST_F(DdvWindowTest, TheGraph) {
  f->ShowModal(), Key(Qt::Key_F7);
  const std::pair<const char*, QRgb> visits[] = {
      {"...", 0xF0F0F0}, {"xx.", 0x00FF00}, {"x..", 0x800080}, {"xxx", 0x0078D7}, {".x.", 0x800080}};
  for (int i = 0; i < 5; ++i) {
    Throw(visits[i].first);
    EXPECT_EQ(QList<QRgb>({Pixel(23 + 6 * i, 399), Pixel(26 + 6 * i, 399)}), QList<QRgb>({visits[i].second, 0u})) << i;
  }
  EXPECT_EQ(Pixel(53, 380), 0xF0F0F0u);  // nothing leaked beyond the columns
  auto black = [](QRgb p) { return p == 0; };
  for (int v = 6; v <= 66; ++v) {  // one hit a visit: the level after visit v is 400 - 2 (v + 2)
    Throw("x..");
    EXPECT_EQ(Count(396 - 2 * v, 26, 6 * v - 7, black) == 6 * v - 32, v % 10 == 0 && v <= 60) << v;
  }
  Throw("x.");
  EXPECT_EQ(Count(400 - 2 * 69, 26, 400, black), 375);
  auto redRows = [this] {  // in the final total's corner
    int rows = 0;
    for (int y = 0; y < c->PaintBox1->height(); ++y)
      rows += Count(y, 396, 419, [](QRgb p) { return qRed(p) > 160 && qGreen(p) < 100; }) > 0;
    return rows;
  };
  const int whole = redRows();
  Play(Hits(200));
  EXPECT_GT(whole, 4);
  EXPECT_EQ(redRows(), whole);
}

// The close box leaves as " - Выход" does; Cancel keeps the game under way
// and offers a new one, which replaces it; an exit with nothing finished since
// the file closes at once. A later opening starts a new table, written and exported whole.
TEST_F(DdvWindowTest, LeavingWithCancelTheCloseBoxAndYes) {
  f->ShowModal(), Play(Hits(0));
  Play("x.x");  // a second game under way
  msg->Answer(ui::mrCancel);
  CloseBox();
  EXPECT_TRUE(f->isVisible() && Files().size() == 1 && f->focusWidget() == f);
  EXPECT_EQ(FileLines(Files().value(0)).value(1), gamekit::ToCp1251(";Игра - 1;Игра - 2;;"));
  Throw("x");
  EXPECT_EQ(Buttons() + c->Panel5->text(), "10011003");
  Key(Qt::Key_F7);  // a new game replaces it
  EXPECT_EQ(Buttons() + c->Panel5->text(), "01100000");
  Key(Qt::Key_F10);
  EXPECT_TRUE(!f->isVisible() && msg->Log().size() == 1u && Files().size() == 1);
  f->ShowModal(), Play(Hits(75));  // 25 visits of three hits: 37.5 %
  clock->AddSecs(62);
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_EQ(msg->Texts(), QStringList(2, QString::fromUtf8(gamekit::kExitConfirmText)));
  EXPECT_EQ(FileData("20261205_161511_ddv.csv"),
            games_test::FileBytes(
                {"05.12.2026 - 16:14:09:14 - " + QLocale::system().dayName(6, QLocale::LongFormat) + ";;;",
                 ";Игра - 1;;", "Процент;37,5;;", "DDV;1,0;;", "Всего попал в утроение;75;;", "Из них за подход:;;;",
                 "Один дротик(60);0(0);;", "      Первым дротиком;0;;", "      Вторым дротиком;0;;",
                 "      Третьим дротиком;0;;", "Два дротика(120);0(0);;", "      Первым и Вторым;0;;",
                 "      Первым и третьим;0;;", "      Вторым и третьим;0;;", "Три дротика(180);25(75);;", ";;;"}));
  EXPECT_EQ(Cells({"B2", "A3", "B3", "B4", "A15", "B15", "C2", "B16"}),
            QStringList({"Игра - 1|FFCCFFCC|b", "Процент||b", "37.5||b", "1||b", "Три дротика(180)||b", "25(75)||b",
                         "|", "|"}));
  EXPECT_TRUE(merges == QStringList{"A1:B1"} && widths["A"].toDouble() - widths["B"].toDouble() == 20);
  EXPECT_TRUE(analysis == QStringList({"|???", "1,0|T20"}) && !f->isVisible());
}

// The keys act whatever control has the focus; a button the player tabbed to
// takes Space and Enter. After each action the focus rests on the window,
// where a stray Enter or Space neither enters a dart nor leaves.
TEST_F(DdvWindowTest, KeysWhateverHasTheFocus) {
  ui::seams().decimalSeparator = QChar('.');
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
  EXPECT_EQ(QStringList({c->Panel3->text(), c->Panel5->text(), c->Panel6->text(), Buttons()}),
            QStringList({"5", "2", "1.0", "0000011"}));
  EXPECT_TRUE(f->focusWidget() == f && f->isVisible());
}

}  // namespace
