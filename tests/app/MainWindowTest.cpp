// The main window: its menu, the data folders, the background pictures and
// their decoding.
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTimer>
#include <optional>
#include <tuple>

#include "app/JpegImage.h"
#include "app/Program.h"
#include "app/SDIMAIN.h"
#include "tests/support/TestSupport.h"
#include "ui/Forms.h"
#include "ui_SDIMAIN.h"

namespace {

bool Near(QRgb a, QColor b, int tolerance = 12) {
  return qAbs(qRed(a) - b.red()) <= tolerance && qAbs(qGreen(a) - b.green()) <= tolerance &&
         qAbs(qBlue(a) - b.blue()) <= tolerance;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes);
}

QByteArray Encoded(QColor colour, QSize size) {
  QImage img(size, QImage::Format_RGB32);
  img.fill(colour);
  QByteArray bytes;
  QBuffer buf(&bytes);
  img.save(&buf, "jpeg");
  return bytes;
}

QImage Shown(TSDIAppForm& form) { return form.Controls().Image1->pixmap().toImage(); }
QString Picked(TSDIAppForm& form) { return form.Controls().Edit1->text(); }
QStringList Listed(TSDIAppForm& form) {
  const QString text = form.Controls().Memo1->toPlainText();
  return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}
void Tick(TSDIAppForm& form) {
  auto* timer = form.findChild<QTimer*>("Timer1");
  timer->setSingleShot(true), timer->start(0);
  EXPECT_TRUE(QSignalSpy(timer, &QTimer::timeout).wait(5000));
}

class MainWindowTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    dir.emplace();
    clock.emplace(QDateTime(QDate(2026, 12, 6), QTime(10, 0)));  // a Sunday: the pictures are listed first
    ASSERT_TRUE(QDir().mkpath(dir->File("img")));
  }
  QString Img(const QString& name) const { return dir->File("img/" + name); }

  std::optional<testing_support::TempCurrentDir> dir;
  std::optional<testing_support::FixedClock> clock;
};

const QStringList kFolders = {"501", "br",  "27",  "60",  "10",   "50",  "kriket",     "ddv",           "301",
                              "201", "170", "601", "701", "1001", "img", "tournament", "tournament/img"};

// The folders are made in order, once; a plain file of a folder's name counts
// as found and stays untouched. The pictures are listed at the step of the day
// of the week, between the folders. The window makes them in the current
// directory at its showing. The listing takes "*.jpg" without regard to case,
// hidden entries and folders too.
TEST_F(MainWindowTest, DataFoldersAreMadeInOrderOnceAndPicturesListed) {
  const std::vector<std::pair<QString, QStringList>> cases = {
      {"", {}}, {"501", {"501"}}, {"tournament", {"tournament", "tournament/img"}}};
  for (int day = 1; day <= 7; ++day) {
    const auto& [blocker, notMade] = cases[size_t(day) % cases.size()];
    SCOPED_TRACE(day);
    QTemporaryDir root;
    if (!blocker.isEmpty()) WriteFile(root.path() + "/" + blocker, "score;\r\n");
    QStringList expected = kFolders, listedAfter = kFolders.mid(0, day - 1), existing;
    for (const QString& f : notMade) expected.removeAll(f), listedAfter.removeAll(f);
    const auto listing = [&] {
      for (const QString& f : kFolders)
        if (!notMade.contains(f) && QFileInfo::exists(root.path() + "/" + f)) existing << f;
    };
    EXPECT_EQ(EnsureDataFolders(root.path(), day, listing), expected);
    EXPECT_EQ(existing, listedAfter);
    EXPECT_TRUE(EnsureDataFolders(root.path(), 0, nullptr).isEmpty()) << "a second pass makes nothing";
    EXPECT_TRUE(blocker.isEmpty() || testing_support::ReadAll(root.path() + "/" + blocker) == "score;\r\n");
  }
  TSDIAppForm form;
  form.show();
  for (const QString& f : kFolders) EXPECT_TRUE(QFileInfo(dir->File(f)).isDir()) << f.toStdString();
  EXPECT_TRUE(Listed(form).isEmpty() && Picked(form).isEmpty() && Shown(form).isNull());
  ASSERT_TRUE(QDir().mkpath(Img("folder.jpg")) && QDir().mkpath(Img("sub")));
  for (const char* f : {"a.jpg", "B.JPG", "c.Jpg", ".hidden.jpg", "x.jpeg", "y.jpg.txt", "z.png", "jpg", "sub/d.jpg"})
    WriteFile(Img(f), "x");
  QStringList listed = ListPictures(dir->File("img"));
  listed.sort();
  EXPECT_EQ(listed, QStringList({".hidden.jpg", "B.JPG", "a.jpg", "c.Jpg", "folder.jpg"}));
  EXPECT_TRUE(ListPictures(dir->File("no-such-folder")).isEmpty());
}

// Every pick names a listed picture and shows that very picture (each is named
// after its colour); a new start of the program picks the same pictures in the
// same order. A pick that cannot be shown leaves the last picture.
TEST_F(MainWindowTest, PicksShowTheNamedPictureAndRepeatAtEveryStart) {
  for (int n = 1; n <= 5; ++n) {
    const QColor colour = QColor::fromHsv(n * 70, 255, 255);
    WriteFile(Img(colour.name().mid(1) + ".jpg"), Encoded(colour, QSize(64, 48)));
    SCOPED_TRACE(n);
    QStringList firstRun;
    for (int run = 0; run < 2; ++run) {
      TSDIAppForm form;
      form.show();
      QStringList picks;
      for (int step = 0; step < 8; ++step) {
        if (step > 0) Tick(form);
        EXPECT_TRUE(Listed(form).size() == n && Listed(form).contains(Picked(form))) << Picked(form).toStdString();
        ASSERT_EQ(Shown(form).size(), QSize(64, 48));
        EXPECT_TRUE(Near(Shown(form).pixel(32, 24), QColor("#" + Picked(form).chopped(4)))) << step;
        picks << Picked(form);
      }
      if (run == 0) firstRun = picks;
      EXPECT_EQ(picks, firstRun);
      if (n < 5 || run == 0) continue;
      // Only a folder named like a picture left: it is picked, and the last picture stays.
      const QImage before = Shown(form);
      ASSERT_TRUE(QDir(dir->File("img")).removeRecursively() && QDir().mkpath(Img("folder.jpg")));
      Tick(form);
      EXPECT_TRUE(Picked(form) == "folder.jpg" && Shown(form) == before);
    }
  }
}

// The pictures of tests/app/pictures: of one colour, from Qt's writer and from
// libjpeg, grey and CMYK too (libjpeg marks CMYK files as Adobe's, which store
// the inks inverted), come out as RGB; a file that is no whole JPEG picture gives
// nothing, at once: cut short, only its header, garbled, its coded data garbled
// after the scan header, a PNG, empty, a progressive picture whose header claims
// 60000 x 60000 pixels (gigabytes for its coefficients), a folder. A picture is
// scaled down by the decoder only by a factor it fills twice in both directions.
TEST_F(MainWindowTest, DecodesWholePicturesOnlyAndScalesBigOnesDown) {
  const std::pair<const char*, QColor> cases[] = {{"good_blue", Qt::blue},
                                                  {"grey100", QColor(100, 100, 100)},
                                                  {"cmyk_red", Qt::red},
                                                  {"cmyk_grey128", QColor(128, 128, 128)},
                                                  {"truncated", {}},
                                                  {"header_only", {}},
                                                  {"corrupt", {}},
                                                  {"damaged_scan", {}},
                                                  {"png", {}},
                                                  {"empty", {}},
                                                  {"huge_progressive", {}},
                                                  {"", {}}};
  for (const auto& [name, colour] : cases) {
    SCOPED_TRACE(name);
    QElapsedTimer took;
    took.start();
    const QImage img = jpeg::Decode(QFileInfo(__FILE__).path() + "/pictures/" + name + (*name ? ".jpg" : ""), {10, 10});
    EXPECT_LT(took.elapsed(), 5000) << "no hang over a picture";
    ASSERT_EQ(img.isNull(), !colour.isValid());
    EXPECT_TRUE(img.isNull() || Near(img.pixel(16, 8), colour, 6)) << QColor(img.pixel(16, 8)).name().toStdString();
  }

  const std::tuple<QSize, QSize, int> scales[] = {{{957, 967}, {957, 967}, 1},     {{1913, 1934}, {957, 967}, 1},
                                                  {{1914, 1934}, {957, 967}, 2},   {{1914, 1933}, {957, 967}, 1},
                                                  {{3828, 3868}, {957, 967}, 4},   {{7656, 7736}, {957, 967}, 8},
                                                  {{30000, 30000}, {957, 967}, 8}, {{5000, 1000}, {957, 967}, 1},
                                                  {{640, 480}, {0, 0}, 1},         {{4000, 4000}, {1, 1}, 8}};
  for (const auto& [picture, area, expected] : scales)
    EXPECT_EQ(jpeg::ScaleDenominator(picture, area), expected) << picture.width() << "x" << picture.height();
  WriteFile(Img("big.jpg"), Encoded(QColor(30, 160, 60), {2000, 3900}));
  TSDIAppForm form;
  form.show();
  EXPECT_EQ(Shown(form).size(), QSize(1000, 1950));  // halved, not quartered
  EXPECT_TRUE(Near(Shown(form).pixel(500, 900), QColor(30, 160, 60)));
}

// Every menu entry opens its window modally; closing it gives the main window
// back.
// The hidden windows hold no control after the start; made ready while the
// program waits, every one holds its form and none is shown or asks anything.
// Then the menu entries open their windows.
TEST_F(MainWindowTest, MenuEntriesOpenTheirWindows) {
  CreateForms();
  SDIAppForm->show();
  QList<ui::TForm*> hidden;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* f = qobject_cast<ui::TForm*>(w)) hidden << f;
  ASSERT_EQ(hidden.size(), 17);
  for (ui::TForm* f : hidden) EXPECT_TRUE(f->findChildren<QWidget*>().isEmpty()) << f->metaObject()->className();
  bool ready = false;
  PrepareWindows([&] { ready = true; });
  for (int turns = 0; !ready && turns < 1000; ++turns) QApplication::processEvents(QEventLoop::AllEvents, 10);
  ASSERT_TRUE(ready);
  for (ui::TForm* f : hidden) {
    EXPECT_FALSE(f->findChildren<QWidget*>().isEmpty() || f->isVisible()) << f->metaObject()->className();
  }
  const Ui::TSDIAppForm& menu = SDIAppForm->Controls();
  const std::pair<QAction*, const char*> cases[] = {
      {menu.N5011, "TForm_501_s"},       {menu.N7, "TForm_n"},       {menu.N271, "TForm27"}, {menu.N601, "TForm60"},
      {menu.N101, "TFormsector"},        {menu.N50Bull1, "TForm50"}, {menu.N8, "TForm_k"},   {menu.DDV1, "TForm_ddv"},
      {menu.N13, "TForm_501"},           {menu.N11, "TForm_blank"},  {menu.N4, "TForm_kv"},  {menu.N9, "TForm_pravilo"},
      {menu.HelpAboutItem, "TAboutBox"}, {menu.N14, "TForm_history"}};
  for (const auto& [action, opened] : cases) {
    SCOPED_TRACE(opened);
    action->trigger();
    auto* open = qobject_cast<ui::TForm*>(QApplication::activeModalWidget());
    ASSERT_TRUE(open && open->isVisible());
    EXPECT_STREQ(open->metaObject()->className(), opened);
    open->Close();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the main window is usable again";
    EXPECT_TRUE(SDIAppForm->isVisible() && SDIAppForm->isEnabled());
  }
  menu.FileExitItem->trigger();
  EXPECT_FALSE(SDIAppForm->isVisible());
}

}  // namespace
