// The main window: its frame, the data folders, the background pictures and
// their decoding.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <cstdint>
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

QStringList Lines(const QPlainTextEdit* memo) {
  const QString text = memo->toPlainText();
  return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

bool Near(QRgb a, QColor b, int tolerance = 12) {
  return qAbs(qRed(a) - b.red()) <= tolerance && qAbs(qGreen(a) - b.green()) <= tolerance &&
         qAbs(qBlue(a) - b.blue()) <= tolerance;
}

void SaveJpeg(const QString& path, QSize size, QColor color) {
  QImage img(size, QImage::Format_RGB32);
  img.fill(color);
  ASSERT_TRUE(img.save(path, "JPG", 95)) << path.toStdString();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes);
}

// A JPEG in a colour space that Qt does not write: grey or CMYK through libjpeg.
QByteArray EncodeRaw(int width, int height, J_COLOR_SPACE space, const std::vector<JSAMPLE>& pixel) {
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
  cinfo.in_color_space = space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), pixel.begin(), pixel.end());
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  QByteArray out(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
  jpeg_destroy_compress(&cinfo);
  free(buffer);
  return out;
}

QImage Shown(TSDIAppForm& form) {
  auto* image = form.findChild<QLabel*>("Image1");
  return image->pixmap().toImage();
}

class MainWindowTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    dir_ = std::make_unique<TempCurrentDir>();
    // A Sunday: the pictures are listed at the first step.
    clock_ = std::make_unique<FixedClock>(QDateTime(QDate(2026, 12, 6), QTime(10, 0)));
  }
  void TearDown() override {
    clock_.reset();
    dir_.reset();
    SeamsFixture::TearDown();
  }
  QString Img(const QString& name = QString()) const {
    return name.isEmpty() ? dir_->File("img") : dir_->File("img/" + name);
  }
  void MakeImg() { ASSERT_TRUE(QDir().mkpath(Img())); }

  std::unique_ptr<TempCurrentDir> dir_;
  std::unique_ptr<FixedClock> clock_;
};

const QStringList kExpectedFolders = {"501", "br",  "27",  "60",  "10",   "50",  "kriket",     "ddv",           "301",
                                      "201", "170", "601", "701", "1001", "img", "tournament", "tournament/img"};

TEST_F(MainWindowTest, FirstShowMakesAllFoldersInOrderAndShowsNoPicture) {
  TSDIAppForm form;
  form.show();
  for (const QString& f : kExpectedFolders) EXPECT_TRUE(QFileInfo(dir_->File(f)).isDir()) << f.toStdString();
  EXPECT_TRUE(Lines(form.findChild<QPlainTextEdit*>("Memo1")).isEmpty());
  EXPECT_TRUE(form.findChild<QLineEdit*>("Edit1")->text().isEmpty());
  EXPECT_TRUE(Shown(form).isNull()) << "the new img folder holds no picture yet";
  form.hide();

  // The pass itself, in a second empty folder: the order of making.
  QTemporaryDir other;
  EXPECT_EQ(EnsureDataFolders(other.path(), 0, nullptr), kExpectedFolders);
  EXPECT_TRUE(EnsureDataFolders(other.path(), 0, nullptr).isEmpty()) << "a second pass makes nothing";
}

TEST_F(MainWindowTest, PicturesAreListedExactlyAtTheStepOfTheDay) {
  for (int day = 1; day <= 7; ++day) {
    QTemporaryDir root;
    QStringList existing;
    int calls = 0;
    EnsureDataFolders(root.path(), day, [&] {
      ++calls;
      for (const QString& f : kExpectedFolders)
        if (QFileInfo::exists(root.path() + "/" + f)) existing << f;
    });
    EXPECT_EQ(calls, 1) << "day " << day;
    EXPECT_EQ(existing, kExpectedFolders.mid(0, day - 1)) << "day " << day;
  }
}

TEST_F(MainWindowTest, AnEntryOfTheFolderNameCountsAsFound) {
  struct Case {
    QString blocker;      // a plain file of this name in the current directory
    QStringList notMade;  // folders that must not appear
  };
  const std::vector<Case> cases = {
      {"501", {"501"}},
      {"img", {"img"}},
      {"tournament", {"tournament", "tournament/img"}},  // nothing to make it in: skipped silently
  };
  for (const Case& c : cases) {
    QTemporaryDir root;
    const QByteArray content = "score;data;\r\n";
    WriteFile(root.path() + "/" + c.blocker, content);
    const QStringList made = EnsureDataFolders(root.path(), 0, nullptr);
    QStringList expected = kExpectedFolders;
    for (const QString& f : c.notMade) expected.removeAll(f);
    EXPECT_EQ(made, expected) << c.blocker.toStdString();
    QFile f(root.path() + "/" + c.blocker);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), content) << "the file is left untouched";
    EXPECT_TRUE(QFileInfo(root.path() + "/" + c.blocker).isFile());
  }
}

TEST_F(MainWindowTest, ListingMatchesJpgWithoutRegardToCase) {
  MakeImg();
  const QStringList files = {"a.jpg", "B.JPG", "c.Jpg", ".hidden.jpg", "x.jpeg", "y.jpg.txt", "z.png", "jpg"};
  for (const QString& f : files) WriteFile(Img(f), "x");
  ASSERT_TRUE(QDir().mkpath(Img("folder.jpg")));
  ASSERT_TRUE(QDir().mkpath(Img("sub")));
  WriteFile(Img("sub/deep.jpg"), "x");

  QStringList listed = ListPictures(Img());
  listed.sort();
  EXPECT_EQ(listed, QStringList({".hidden.jpg", "B.JPG", "a.jpg", "c.Jpg", "folder.jpg"}));
  EXPECT_TRUE(ListPictures(dir_->File("no-such-folder")).isEmpty());
}

// Every pick names a listed picture and shows that very picture; a new start
// of the program picks the same pictures in the same order.
TEST_F(MainWindowTest, PicksShowTheNamedPictureAndRepeatAtEveryStart) {
  const std::vector<QColor> colours = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::magenta};
  for (int n : {1, 2, 5}) {
    TempCurrentDir cwd;
    ASSERT_TRUE(QDir().mkpath(cwd.File("img")));
    QHash<QString, QColor> colourOf;
    for (int i = 0; i < n; ++i) {
      const QString name = QString("p%1.jpg").arg(i);
      SaveJpeg(cwd.File("img/" + name), QSize(64, 48), colours[size_t(i)]);
      colourOf[name] = colours[size_t(i)];
    }
    QStringList firstRun;
    for (int run = 0; run < 2; ++run) {
      TSDIAppForm form;
      form.show();
      const auto* edit = form.findChild<QLineEdit*>("Edit1");
      QStringList picks;
      for (int step = 0; step < 8; ++step) {
        if (step > 0) QMetaObject::invokeMethod(&form, "Timer1Timer");
        EXPECT_EQ(Lines(form.findChild<QPlainTextEdit*>("Memo1")).size(), n);
        ASSERT_TRUE(colourOf.contains(edit->text())) << edit->text().toStdString();
        const QImage shown = Shown(form);
        ASSERT_EQ(shown.size(), QSize(64, 48));
        EXPECT_TRUE(Near(shown.pixel(32, 24), colourOf[edit->text()])) << "n=" << n << " step " << step;
        picks << edit->text();
      }
      if (run == 0) firstRun = picks;
      EXPECT_EQ(picks, firstRun) << "n=" << n;
      form.hide();
    }
  }
}

QByteArray Encoded(QColor colour, const char* format, bool progressive = false) {
  QImage img(80, 60, QImage::Format_RGB32);
  img.fill(colour);
  QByteArray bytes;
  QBuffer buf(&bytes);
  buf.open(QIODevice::WriteOnly);
  QImageWriter writer(&buf, format);
  writer.setProgressiveScanWrite(progressive);
  writer.write(img);
  return bytes;
}

TEST_F(MainWindowTest, UndecodableFileKeepsTheLastPicture) {
  const QByteArray good = Encoded(Qt::blue, "jpeg");
  QByteArray corrupt = good;
  for (qsizetype i = 2; i < corrupt.size(); i += 7) corrupt[i] = char(0xA5);
  // Headers intact, the coded picture data after the scan header garbled.
  QByteArray damagedScan = good;
  const qsizetype sos = damagedScan.indexOf("\xFF\xDA");
  ASSERT_GT(sos, 0);
  for (qsizetype i = sos + 16; i < damagedScan.size() - 2; ++i) damagedScan[i] = char((i * 37) & 0xFF);
  // A progressive picture whose header claims 60000 x 60000 pixels: decoding it
  // would need gigabytes for its coefficients.
  QByteArray hugeProgressive = Encoded(Qt::green, "jpeg", true);
  const qsizetype sof2 = hugeProgressive.indexOf("\xFF\xC2");
  ASSERT_GT(sof2, 0) << "a progressive frame header";
  for (int at : {5, 7}) {
    hugeProgressive[sof2 + at] = char(60000 >> 8);
    hugeProgressive[sof2 + at + 1] = char(60000 & 0xFF);
  }

  struct Case {
    const char* what;
    QByteArray bytes;
    bool folder;
  };
  const std::vector<Case> cases = {
      {"huge progressive header", hugeProgressive, false},
      {"truncated", good.left(good.size() / 2), false},
      {"header only", good.left(20), false},
      {"corrupt", corrupt, false},
      {"damaged scan", damagedScan, false},
      {"png", Encoded(Qt::red, "png"), false},
      {"empty", QByteArray(), false},
      {"text", QByteArray("not a picture at all"), false},
      {"folder", QByteArray(), true},
  };
  for (const Case& c : cases) {
    TempCurrentDir cwd;
    ASSERT_TRUE(QDir().mkpath(cwd.File("img")));
    WriteFile(cwd.File("img/good.jpg"), good);
    TSDIAppForm form;
    form.show();
    const QImage before = Shown(form);
    ASSERT_FALSE(before.isNull()) << c.what;

    ASSERT_TRUE(QFile::remove(cwd.File("img/good.jpg")));
    if (c.folder)
      ASSERT_TRUE(QDir().mkpath(cwd.File("img/bad.jpg")));
    else
      WriteFile(cwd.File("img/bad.jpg"), c.bytes);
    QElapsedTimer took;
    took.start();
    QMetaObject::invokeMethod(&form, "Timer1Timer");
    EXPECT_LT(took.elapsed(), 5000) << c.what << ": the window does not hang over a picture";

    EXPECT_EQ(form.findChild<QLineEdit*>("Edit1")->text(), QString("bad.jpg")) << c.what;
    EXPECT_EQ(Shown(form), before) << c.what << ": the last picture stays";
    EXPECT_TRUE(form.isEnabled() && form.isVisible()) << c.what;

    // Removing every picture leaves the last one shown too.
    if (c.folder)
      ASSERT_TRUE(QDir(cwd.File("img/bad.jpg")).removeRecursively());
    else
      ASSERT_TRUE(QFile::remove(cwd.File("img/bad.jpg")));
    QMetaObject::invokeMethod(&form, "Timer1Timer");
    EXPECT_EQ(Shown(form), before) << c.what;
    form.hide();
  }
}

TEST_F(MainWindowTest, DecodesColourSpacesToRgb) {
  struct Case {
    const char* what;
    J_COLOR_SPACE space;
    std::vector<JSAMPLE> pixel;
    QColor expected;
  };
  // libjpeg marks CMYK files as Adobe's, which store the inks inverted.
  const std::vector<Case> cases = {
      {"rgb red", JCS_RGB, {255, 0, 0}, QColor(255, 0, 0)},
      {"rgb teal", JCS_RGB, {0, 128, 128}, QColor(0, 128, 128)},
      {"grey", JCS_GRAYSCALE, {100}, QColor(100, 100, 100)},
      {"cmyk red", JCS_CMYK, {255, 0, 0, 255}, QColor(255, 0, 0)},
      {"cmyk half black", JCS_CMYK, {255, 255, 255, 128}, QColor(128, 128, 128)},
  };
  for (const Case& c : cases) {
    const QImage img = jpeg::DecodeBytes(EncodeRaw(33, 17, c.space, c.pixel));
    ASSERT_FALSE(img.isNull()) << c.what;
    EXPECT_EQ(img.size(), QSize(33, 17)) << c.what;
    EXPECT_TRUE(Near(img.pixel(16, 8), c.expected, 6)) << c.what << ": " << qRed(img.pixel(16, 8)) << ","
                                                       << qGreen(img.pixel(16, 8)) << "," << qBlue(img.pixel(16, 8));
  }
}

TEST_F(MainWindowTest, ScaleDenominatorNeedsTwiceTheAreaInBothDirections) {
  struct Case {
    QSize picture, area;
    int expected;
  };
  const std::vector<Case> cases = {
      {{957, 967}, {957, 967}, 1},     {{1913, 1934}, {957, 967}, 1}, {{1914, 1934}, {957, 967}, 2},
      {{1914, 1933}, {957, 967}, 1},   {{3828, 3868}, {957, 967}, 4}, {{7656, 7736}, {957, 967}, 8},
      {{30000, 30000}, {957, 967}, 8}, {{5000, 1000}, {957, 967}, 1}, {{640, 480}, {0, 0}, 1},
      {{4000, 4000}, {1, 1}, 8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(jpeg::ScaleDenominator(c.picture, c.area), c.expected)
        << c.picture.width() << "x" << c.picture.height() << " in " << c.area.width() << "x" << c.area.height();
  }
}

TEST_F(MainWindowTest, BigPictureIsDecodedScaled) {
  MakeImg();
  QImage src(2000, 3900, QImage::Format_RGB32);
  src.fill(QColor(30, 160, 60));
  ASSERT_TRUE(src.save(Img("big.jpg"), "JPG", 90));
  TSDIAppForm form;
  form.show();
  const QImage shown = Shown(form);
  ASSERT_FALSE(shown.isNull());
  // 2000 x 3900 is at least twice 957 x 967 both ways, not four times: halved.
  EXPECT_EQ(shown.size(), QSize(1000, 1950));
  EXPECT_TRUE(Near(shown.pixel(500, 900), QColor(30, 160, 60)));
  form.hide();
}

TEST_F(MainWindowTest, TimerTickRelistsAndPicks) {
  TSDIAppForm form;
  form.show();  // an empty folder: no picture
  ASSERT_TRUE(Shown(form).isNull());
  SaveJpeg(Img("late.JPG"), QSize(32, 32), Qt::yellow);
  auto* timer = form.findChild<QTimer*>("Timer1");
  timer->setInterval(20);
  timer->start();
  auto* edit = form.findChild<QLineEdit*>("Edit1");
  QTRY_COMPARE_WITH_TIMEOUT(edit->text(), QString("late.JPG"), 5000);
  EXPECT_TRUE(Near(Shown(form).pixel(16, 16), Qt::yellow));
  EXPECT_EQ(Lines(form.findChild<QPlainTextEdit*>("Memo1")), QStringList({"late.JPG"}));
  form.hide();
}

}  // namespace
