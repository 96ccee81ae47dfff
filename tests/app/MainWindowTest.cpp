// The main window: its menu, the data folders, the background pictures and
// their decoding.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTimer>
#include <memory>
#include <vector>

#include "app/JpegImage.h"
#include "app/Program.h"
#include "app/SDIMAIN.h"
#include "tests/support/TestSupport.h"
#include "ui/Forms.h"

namespace {

using testing_support::FixedClock;
using testing_support::TempCurrentDir;

bool Near(QRgb a, QColor b, int tolerance = 12) {
  return qAbs(qRed(a) - b.red()) <= tolerance && qAbs(qGreen(a) - b.green()) <= tolerance &&
         qAbs(qBlue(a) - b.blue()) <= tolerance;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes);
}

QByteArray Encoded(QColor colour, QSize size = {80, 60}, const char* format = "jpeg", bool progressive = false) {
  QImage img(size, QImage::Format_RGB32);
  img.fill(colour);
  QByteArray bytes;
  QBuffer buf(&bytes);
  buf.open(QIODevice::WriteOnly);
  QImageWriter writer(&buf, format);
  writer.setProgressiveScanWrite(progressive);
  writer.write(img);
  return bytes;
}

// A JPEG of one grey (one sample) or CMYK (four samples) colour, through libjpeg.
QByteArray EncodeRaw(int width, int height, const std::vector<JSAMPLE>& pixel) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = static_cast<int>(pixel.size());
  cinfo.in_color_space = pixel.size() == 1 ? JCS_GRAYSCALE : JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), pixel.begin(), pixel.end());
  for (JSAMPROW r = row.data(); cinfo.next_scanline < cinfo.image_height;) jpeg_write_scanlines(&cinfo, &r, 1);
  jpeg_finish_compress(&cinfo);
  QByteArray out(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
  jpeg_destroy_compress(&cinfo);
  free(buffer);
  return out;
}

QImage Shown(TSDIAppForm& form) { return form.findChild<QLabel*>("Image1")->pixmap().toImage(); }
QString Picked(TSDIAppForm& form) { return form.findChild<QLineEdit*>("Edit1")->text(); }
QStringList Listed(TSDIAppForm& form) {
  const QString text = form.findChild<QPlainTextEdit*>("Memo1")->toPlainText();
  return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}
// One tick of the window's own timer.
void Tick(TSDIAppForm& form) {
  auto* timer = form.findChild<QTimer*>("Timer1");
  QSignalSpy ticked(timer, &QTimer::timeout);
  timer->setSingleShot(true);
  timer->start(0);
  EXPECT_TRUE(ticked.wait(5000));
}

class MainWindowTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    dir = std::make_unique<TempCurrentDir>();
    // A Sunday: the pictures are listed at the first step.
    clock = std::make_unique<FixedClock>(QDateTime(QDate(2026, 12, 6), QTime(10, 0)));
    ASSERT_TRUE(QDir().mkpath(dir->File("img")));
  }
  void TearDown() override {
    clock.reset();
    dir.reset();
    SeamsFixture::TearDown();
  }
  QString Img(const QString& name) const { return dir->File("img/" + name); }

  std::unique_ptr<TempCurrentDir> dir;
  std::unique_ptr<FixedClock> clock;
};

const QStringList kFolders = {"501", "br",  "27",  "60",  "10",   "50",  "kriket",     "ddv",           "301",
                              "201", "170", "601", "701", "1001", "img", "tournament", "tournament/img"};

// The folders are made in order, once; a plain file of a folder's name counts
// as found and stays untouched. The pictures are listed at the step of the day
// of the week, between the folders.
TEST_F(MainWindowTest, DataFoldersAreMadeInOrderOnce) {
  const std::vector<std::pair<QString, QStringList>> cases = {
      {"", {}}, {"501", {"501"}}, {"tournament", {"tournament", "tournament/img"}}};
  for (int day = 1; day <= 7; ++day) {
    const auto& [blocker, notMade] = cases[size_t(day) % cases.size()];
    SCOPED_TRACE(day);
    QTemporaryDir root;
    if (!blocker.isEmpty()) WriteFile(root.path() + "/" + blocker, "score;\r\n");
    QStringList expected = kFolders, listedAfter = kFolders.mid(0, day - 1), existing;
    for (const QString& f : notMade) expected.removeAll(f), listedAfter.removeAll(f);
    EXPECT_EQ(EnsureDataFolders(root.path(), day,
                                [&] {
                                  for (const QString& f : kFolders)
                                    if (!notMade.contains(f) && QFileInfo::exists(root.path() + "/" + f)) existing << f;
                                }),
              expected);
    EXPECT_EQ(existing, listedAfter);
    EXPECT_TRUE(EnsureDataFolders(root.path(), 0, nullptr).isEmpty()) << "a second pass makes nothing";
    if (blocker.isEmpty()) continue;
    EXPECT_EQ(testing_support::ReadAll(root.path() + "/" + blocker), "score;\r\n");
  }
  // The window makes them in the current directory at its showing.
  TSDIAppForm form;
  form.show();
  for (const QString& f : kFolders) EXPECT_TRUE(QFileInfo(dir->File(f)).isDir()) << f.toStdString();
  EXPECT_TRUE(Listed(form).isEmpty() && Picked(form).isEmpty() && Shown(form).isNull());
}

TEST_F(MainWindowTest, ListingMatchesJpgWithoutRegardToCase) {
  for (const char* f : {"a.jpg", "B.JPG", "c.Jpg", ".hidden.jpg", "x.jpeg", "y.jpg.txt", "z.png", "jpg"})
    WriteFile(Img(f), "x");
  ASSERT_TRUE(QDir().mkpath(Img("folder.jpg")) && QDir().mkpath(Img("sub")));
  WriteFile(Img("sub/deep.jpg"), "x");
  QStringList listed = ListPictures(dir->File("img"));
  listed.sort();
  EXPECT_EQ(listed, QStringList({".hidden.jpg", "B.JPG", "a.jpg", "c.Jpg", "folder.jpg"}));
  EXPECT_TRUE(ListPictures(dir->File("no-such-folder")).isEmpty());
}

// Every pick names a listed picture and shows that very picture; a new start
// of the program picks the same pictures in the same order.
TEST_F(MainWindowTest, PicksShowTheNamedPictureAndRepeatAtEveryStart) {
  // Each picture is named after its colour.
  for (int n = 1; n <= 5; ++n) {
    const QColor colour = QColor::fromHsv(n * 70, 255, 255);
    WriteFile(Img(colour.name().mid(1) + ".jpg"), Encoded(colour, QSize(64, 48)));
    if (n == 3 || n == 4) continue;
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
    }
  }
}

TEST_F(MainWindowTest, UndecodableFileKeepsTheLastPicture) {
  const QByteArray good = Encoded(Qt::blue);
  QByteArray corrupt = good;
  for (qsizetype i = 2; i < corrupt.size(); i += 7) corrupt[i] = char(0xA5);
  // Headers intact, the coded picture data after the scan header garbled.
  QByteArray damagedScan = good;
  const qsizetype sos = damagedScan.indexOf("\xFF\xDA");
  ASSERT_GT(sos, 0);
  for (qsizetype i = sos + 16; i < damagedScan.size() - 2; ++i) damagedScan[i] = char((i * 37) & 0xFF);
  // A progressive picture whose header claims 60000 x 60000 pixels: decoding it
  // would need gigabytes for its coefficients.
  QByteArray huge = Encoded(Qt::green, {80, 60}, "jpeg", true);
  const qsizetype sof2 = huge.indexOf("\xFF\xC2");
  ASSERT_GT(sof2, 0);
  for (int at : {5, 6, 7, 8}) huge[sof2 + at] = char(at % 2 ? 60000 >> 8 : 60000 & 0xFF);

  const std::pair<const char*, QByteArray> cases[] = {
      {"huge progressive header", huge}, {"truncated", good.left(good.size() / 2)},
      {"header only", good.left(20)},    {"corrupt", corrupt},
      {"damaged scan", damagedScan},     {"png", Encoded(Qt::red, {80, 60}, "png")},
      {"empty", QByteArray()},           {"folder", QByteArray()},
  };
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    WriteFile(Img("good.jpg"), good);
    TSDIAppForm form;
    form.show();
    const QImage before = Shown(form);
    ASSERT_FALSE(before.isNull());
    ASSERT_TRUE(QFile::remove(Img("good.jpg")));
    if (std::string(what) == "folder")
      ASSERT_TRUE(QDir().mkpath(Img("bad.jpg")));
    else
      WriteFile(Img("bad.jpg"), bytes);
    QElapsedTimer took;
    took.start();
    Tick(form);
    EXPECT_LT(took.elapsed(), 5000) << "the window does not hang over a picture";
    EXPECT_EQ(Picked(form), "bad.jpg");
    EXPECT_EQ(Shown(form), before) << "the last picture stays";
    QDir(Img("bad.jpg")).removeRecursively();  // a folder
    QFile::remove(Img("bad.jpg"));
  }
}

TEST_F(MainWindowTest, DecodesGreyAndCmykToRgb) {
  // libjpeg marks CMYK files as Adobe's, which store the inks inverted.
  const std::pair<std::vector<JSAMPLE>, QColor> cases[] = {{{100}, QColor(100, 100, 100)},
                                                           {{255, 0, 0, 255}, QColor(255, 0, 0)},
                                                           {{255, 255, 255, 128}, QColor(128, 128, 128)}};
  for (const auto& [pixel, expected] : cases) {
    SCOPED_TRACE(expected.name().toStdString());
    const QImage img = jpeg::DecodeBytes(EncodeRaw(33, 17, pixel));
    ASSERT_EQ(img.size(), QSize(33, 17));
    EXPECT_TRUE(Near(img.pixel(16, 8), expected, 6)) << QColor(img.pixel(16, 8)).name().toStdString();
  }
}

// A picture is scaled down only by a factor it fills twice in both directions.
TEST_F(MainWindowTest, ScaleDenominatorNeedsTwiceTheAreaInBothDirections) {
  const std::pair<QSize, int> cases[] = {{{957, 967}, 1},   {{1913, 1934}, 1}, {{1914, 1934}, 2},   {{1914, 1933}, 1},
                                         {{3828, 3868}, 4}, {{7656, 7736}, 8}, {{30000, 30000}, 8}, {{5000, 1000}, 1}};
  for (const auto& [picture, expected] : cases)
    EXPECT_EQ(jpeg::ScaleDenominator(picture, {957, 967}), expected) << picture.width() << "x" << picture.height();
  EXPECT_EQ(jpeg::ScaleDenominator({640, 480}, {0, 0}), 1);
  EXPECT_EQ(jpeg::ScaleDenominator({4000, 4000}, {1, 1}), 8);

  WriteFile(Img("big.jpg"), Encoded(QColor(30, 160, 60), {2000, 3900}));
  TSDIAppForm form;
  form.show();
  EXPECT_EQ(Shown(form).size(), QSize(1000, 1950));  // halved, not quartered
  EXPECT_TRUE(Near(Shown(form).pixel(500, 900), QColor(30, 160, 60)));
}

// Every menu entry opens its window modally; closing it gives the main window
// back.
TEST_F(MainWindowTest, MenuEntriesOpenTheirWindows) {
  CreateForms();
  SDIAppForm->show();
  auto openForms = [] {
    std::vector<ui::TForm*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* form = qobject_cast<ui::TForm*>(w); form && form->isVisible()) out.push_back(form);
    return out;
  };
  const std::pair<const char*, const char*> cases[] = {
      {"N5011", "TForm_501_s"},       {"N7", "TForm_n"},        {"N271", "TForm27"}, {"N601", "TForm60"},
      {"N101", "TFormsector"},        {"N50Bull1", "TForm50"},  {"N8", "TForm_k"},   {"DDV1", "TForm_ddv"},
      {"N13", "TForm_501"},           {"N11", "TForm_blank"},   {"N4", "TForm_kv"},  {"N9", "TForm_pravilo"},
      {"HelpAboutItem", "TAboutBox"}, {"N14", "TForm_history"},
  };
  for (const auto& [action, opened] : cases) {
    SCOPED_TRACE(action);
    ASSERT_TRUE(openForms().empty());
    auto* entry = SDIAppForm->findChild<QAction*>(action);
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    const std::vector<ui::TForm*> open = openForms();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_STREQ(open[0]->metaObject()->className(), opened);
    EXPECT_EQ(QApplication::activeModalWidget(), open[0]);
    open[0]->Close();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the main window is usable again";
    EXPECT_TRUE(SDIAppForm->isVisible() && SDIAppForm->isEnabled());
  }
  SDIAppForm->findChild<QAction*>("FileExitItem")->trigger();
  EXPECT_FALSE(SDIAppForm->isVisible());
}

}  // namespace
