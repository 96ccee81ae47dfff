// The capture component and the whole chain, driven by a stand-in device:
// the switch, the order the match window's box follows, the queue bounds,
// starting and stopping many times, and failing devices.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <memory>
#include <thread>

#include "tests/support/TestSupport.h"
#include "tests/video/VideoTestSupport.h"
#include "ui/Dialogs.h"
#include "video/VideoChain.h"
#include "video/capture/VLV4L2Device.h"

namespace {

using namespace std::chrono_literals;
using video::TVLDSCapture;
using video::TVLImageBuffer;
using video::TVLVideoChain;
using video_test::FakeDevice;
using video_test::FakeDeviceLog;
using video_test::FakeDeviceSetup;
using video_test::WaitFor;

class CaptureTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    msg = std::make_unique<ui::ScriptedMessages>();
  }
  void TearDown() override {
    msg.reset();
    SeamsFixture::TearDown();
  }
  void UseFake(TVLDSCapture& capture, FakeDeviceSetup setup = {}) {
    capture.SetSourceFactory([this, setup](const QString& device) {
      return std::make_unique<FakeDevice>(device.isEmpty() ? QStringLiteral("/dev/video0") : device, setup, &log);
    });
  }
  FakeDeviceLog log;
  std::unique_ptr<ui::ScriptedMessages> msg;
};

FakeDeviceSetup Paced(std::chrono::microseconds interval) {
  FakeDeviceSetup s;
  s.interval = interval;
  return s;
}
FakeDeviceSetup Small() {
  FakeDeviceSetup s;
  s.width = 64;
  s.height = 48;
  return s;
}
FakeDeviceSetup OpenFails(const QString& reason) {
  FakeDeviceSetup s;
  s.openError = reason;
  return s;
}
FakeDeviceSetup FailsAfter(int frames) {
  FakeDeviceSetup s = Paced(1ms);
  s.failAfter = frames;
  return s;
}

enum Op { BeginLoad, EndLoad, SetOn, SetOff };
struct EnabledCase {
  const char* what;
  std::vector<Op> ops;
  int opens, closes;
  bool enabled;
};

TEST_F(CaptureTest, EnabledStoresWhileLoadingAndOtherwiseFollowsTheRunningState) {
  const EnabledCase cases[] = {
      {"stored while loading, applied after", {BeginLoad, SetOn, EndLoad}, 1, 0, true},
      {"switched back while loading", {BeginLoad, SetOn, SetOff, EndLoad}, 0, 0, false},
      {"loaded switched off", {BeginLoad, SetOff, EndLoad}, 0, 0, false},
      {"on twice starts once", {SetOn, SetOn}, 1, 0, true},
      {"off when off does nothing", {SetOff, SetOff}, 0, 0, false},
      {"on, off, off", {SetOn, SetOff, SetOff}, 1, 1, false},
      {"on, off, on", {SetOn, SetOff, SetOn}, 2, 1, true},
  };
  for (const EnabledCase& c : cases) {
    SCOPED_TRACE(c.what);
    log.opens = 0;
    log.closes = 0;
    {
      TVLDSCapture capture;
      UseFake(capture, Paced(1ms));
      for (Op op : c.ops) {
        if (op == BeginLoad) capture.BeginLoading();
        if (op == EndLoad) capture.EndLoading();
        if (op == SetOn) capture.SetEnabled(true);
        if (op == SetOff) capture.SetEnabled(false);
      }
      EXPECT_EQ(log.opens, c.opens);
      EXPECT_EQ(log.closes, c.closes);
      EXPECT_EQ(capture.Enabled(), c.enabled);
    }
    EXPECT_EQ(log.closes, log.opens) << "the device is released when the component goes";
  }
  EXPECT_TRUE(msg->Log().empty());
}

TEST_F(CaptureTest, FramesReachTheDisplayOnlyWhileCaptureAndDetectorAreOn) {
  const struct {
    bool capture, detector, reaches;
  } cases[] = {{true, true, true}, {true, false, false}, {false, true, false}, {false, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "capture " << c.capture << " detector " << c.detector);
    TVLVideoChain chain;
    UseFake(chain.VLDSCapture1, Paced(2ms));
    log.frames = 0;
    chain.VLMotionDetect1.SetEnabled(c.detector);
    chain.VLDSCapture1.SetEnabled(c.capture);
    if (c.reaches) {
      EXPECT_TRUE(WaitFor([&] { return chain.VLImageDisplay1()->FramesDrawn() >= 5; }));
    } else {
      WaitFor([&] { return log.frames >= 20; }, 300);
      EXPECT_EQ(chain.VLImageDisplay1()->FramesDrawn(), 0u);
    }
    EXPECT_EQ(log.frames > 0, c.capture);
  }
}

TEST_F(CaptureTest, TheBoxShowsTheDisplayBeforeStartingAndHidesItAfterStopping) {
  QWidget window;
  TVLVideoChain chain;
  chain.SetDisplayParent(&window);
  window.show();
  UseFake(chain.VLDSCapture1, Paced(2ms));
  std::vector<std::pair<bool, bool>> atOpen, atClose;  // display visible, detector enabled
  auto state = [&] { return std::make_pair(chain.VLImageDisplay1()->isVisible(), chain.VLMotionDetect1.Enabled()); };
  log.onOpen = [&] { atOpen.push_back(state()); };
  log.onClose = [&] { atClose.push_back(state()); };

  EXPECT_EQ(chain.VLImageDisplay1()->parentWidget(), &window);
  EXPECT_EQ(chain.VLImageDisplay1()->geometry(), QRect(588, 61, 400, 307));
  EXPECT_FALSE(chain.VLImageDisplay1()->isVisible());
  for (int round = 0; round < 3; ++round) {
    chain.Switch(true);
    EXPECT_TRUE(chain.VLDSCapture1.Enabled());
    EXPECT_TRUE(chain.VLMotionDetect1.Enabled());
    EXPECT_TRUE(chain.VLImageDisplay1()->isVisible());
    chain.Switch(false);
    EXPECT_FALSE(chain.VLDSCapture1.Enabled());
    EXPECT_FALSE(chain.VLMotionDetect1.Enabled());
    EXPECT_FALSE(chain.VLImageDisplay1()->isVisible());
  }
  // Shown before capture starts, detector after; stopped while still shown and detecting.
  const std::vector<std::pair<bool, bool>> open(3, {true, false}), close(3, {true, true});
  EXPECT_EQ(atOpen, open);
  EXPECT_EQ(atClose, close);
  EXPECT_TRUE(msg->Log().empty());
}

TEST_F(CaptureTest, QueuesStayWithinTheirBoundsUnderAFastProducer) {
  // A consumer far slower than the device: the capture queue fills and drops.
  {
    TVLDSCapture capture;
    UseFake(capture, Small());
    std::mutex seenLock;
    std::vector<uint64_t> seen;
    video::TVLImageSinkPin slow(video::VideoStreamType(), [&](const TVLImageBuffer& f) {
      {
        std::lock_guard lk(seenLock);
        seen.push_back(f.Sequence());
      }
      std::this_thread::sleep_for(2ms);
    });
    capture.OutputPin.Connect(slow);
    capture.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] {
      std::lock_guard lk(seenLock);
      return capture.Queue().Dropped() > 500 && seen.size() >= 20;
    }));
    capture.SetEnabled(false);
    EXPECT_LE(capture.Queue().HighWater(), TVLDSCapture::kQueueBound);
    EXPECT_EQ(capture.Queue().HighWater(), TVLDSCapture::kQueueBound);
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GT(seen.back(), seen.size()) << "frames were skipped, the newest ones kept";
  }
  // The interface thread does not look: the display keeps only its newest frames.
  TVLVideoChain chain;
  UseFake(chain.VLDSCapture1, Small());
  chain.Switch(true);
  std::this_thread::sleep_for(300ms);
  const auto& q = chain.VLImageDisplay1()->Queue();
  EXPECT_LE(q.HighWater(), video::TVLImageDisplay::kQueueBound);
  EXPECT_GT(q.Dropped(), 0u);
  EXPECT_LE(TVLImageBuffer::LiveBlocks(), long(TVLDSCapture::kQueueBound + video::TVLImageDisplay::kQueueBound + 8));
  ASSERT_TRUE(WaitFor([&] { return chain.VLImageDisplay1()->FramesDrawn() > 0; }));
  EXPECT_GT(chain.VLImageDisplay1()->LastFrameDrawn(), q.Dropped()) << "the oldest frames went, not the newest";
  chain.Switch(false);
}

TEST_F(CaptureTest, StartingAndStoppingAThousandTimesLeavesNothingBehind) {
  const long before = TVLImageBuffer::LiveBlocks();
  {
    TVLVideoChain chain;
    UseFake(chain.VLDSCapture1, Small());
    for (int i = 0; i < 1000; ++i) {
      chain.Switch(true);
      if (i % 100 == 0) WaitFor([&] { return log.frames > i; }, 1000);
      chain.Switch(false);
      if (i % 50 == 0) QCoreApplication::processEvents();
    }
    EXPECT_EQ(log.opens, 1000);
    EXPECT_EQ(log.closes, 1000);
    EXPECT_GT(log.frames, 0);
    QCoreApplication::processEvents();
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(TVLImageBuffer::LiveBlocks(), before);
  EXPECT_TRUE(msg->Log().empty());
}

struct FailureCase {
  const char* what;
  FakeDeviceSetup setup;
  QString device;
  QStringList mustName;
};

TEST_F(CaptureTest, AFailingCameraIsReportedOncePerSwitchOnAndClearingIsQuiet) {
  const FailureCase cases[] = {
      {"cannot be opened", OpenFails("устройство занято"), "/dev/video3", {"/dev/video3", "устройство занято"}},
      {"stops sending", FailsAfter(5), "/dev/video1", {"/dev/video1", "устройство отключено"}},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.what);
    msg->Clear();
    TVLVideoChain chain;
    chain.VLDSCapture1.SetVideoDevice(c.device);
    UseFake(chain.VLDSCapture1, c.setup);
    for (int round = 1; round <= 2; ++round) {
      chain.Switch(true);
      ASSERT_TRUE(WaitFor([&] { return int(msg->Log().size()) == round; }));
      const ui::ShownMessage& m = msg->Log().back();
      for (const QString& part : c.mustName) EXPECT_TRUE(m.text.contains(part)) << m.text.toStdString();
      EXPECT_EQ(m.dlgType, int(ui::mtError));
      EXPECT_FALSE(chain.VLDSCapture1.Enabled());
      chain.Switch(false);
      WaitFor([] { return false; }, 50);
      EXPECT_EQ(int(msg->Log().size()), round) << "clearing the box says nothing";
      EXPECT_FALSE(chain.VLImageDisplay1()->isVisible());
    }
    EXPECT_EQ(log.closes, log.opens);
  }
}

TEST_F(CaptureTest, ASourceThatThrowsAnythingIsReportedNotPassedOn) {
  TVLVideoChain chain;
  chain.VLDSCapture1.SetSourceFactory([](const QString&) -> std::unique_ptr<video::TVLFrameSource> {
    throw std::runtime_error("no memory for frames");
  });
  EXPECT_NO_THROW(chain.Switch(true));
  ASSERT_EQ(msg->Log().size(), 1u);
  EXPECT_TRUE(msg->Log()[0].text.contains("no memory for frames"));
  EXPECT_NO_THROW(chain.Switch(false));
  EXPECT_EQ(msg->Log().size(), 1u);
}

TEST_F(CaptureTest, RealDevicesThatAreNotThereAreNamedInTheMessage) {
  const bool anyCamera = !video::TVLV4L2Device::CaptureDevices().empty();
  const struct {
    QString device;
    QString expected;
    bool needsNoCamera;
  } cases[] = {
      {"/nonexistent/video7", "/nonexistent/video7", false},
      {"/dev/null", "/dev/null", false},
      {"", "не найдено", true},
  };
  for (const auto& c : cases) {
    if (c.needsNoCamera && anyCamera) continue;
    SCOPED_TRACE(c.device.toStdString());
    msg->Clear();
    TVLVideoChain chain;
    chain.VLDSCapture1.SetVideoDevice(c.device);
    chain.Switch(true);
    ASSERT_EQ(msg->Log().size(), 1u);
    EXPECT_TRUE(msg->Log()[0].text.contains(c.expected)) << msg->Log()[0].text.toStdString();
    chain.Switch(false);
    EXPECT_EQ(msg->Log().size(), 1u);
  }
}

TEST_F(CaptureTest, TheDisplayDrawsTheFrameInItsAspectRatio) {
  const struct {
    QSize size;
    QRect picture;
  } cases[] = {{{400, 307}, {0, 3, 400, 300}}, {{300, 300}, {0, 37, 300, 225}}, {{500, 300}, {50, 0, 400, 300}}};
  for (const auto& c : cases) {
    video::TVLImageDisplay display;
    display.resize(c.size);
    display.show();
    EXPECT_EQ(display.PictureRect(), c.picture);
    video::TVLImageSourcePin source(video::VideoStreamType());
    source.Connect(display.InputPin);
    TVLImageBuffer f = video_test::Picture(360, 270, 0);
    uint8_t* p = f.Write();
    for (size_t i = 0; i < f.ByteSize(); i += 3) p[i] = 200, p[i + 1] = 100, p[i + 2] = 50;
    source.Notify(f);
    ASSERT_TRUE(WaitFor([&] { return display.FramesDrawn() == 1; }));
    const QImage shot = display.grab().toImage();
    EXPECT_EQ(shot.pixelColor(c.picture.center()), QColor(200, 100, 50));
    if (c.picture.top() > 0) {
      EXPECT_EQ(shot.pixelColor(c.picture.center().x(), 0), QColor(Qt::black));
    }
    if (c.picture.left() > 0) {
      EXPECT_EQ(shot.pixelColor(0, c.picture.center().y()), QColor(Qt::black));
    }
    // Hidden and shown again: no old picture.
    display.hide();
    display.show();
    EXPECT_EQ(display.grab().toImage().pixelColor(c.picture.center()), QColor(Qt::black));
  }
}

TEST(Pins, JoiningRules) {
  using Pin = video::TVLImageSourcePin;
  const framework::TSLStreamType audio{"{0D2C1E4A-6B7F-4A8C-9E10-3F5A7B9C1D2E}", "Audio"};
  Pin a(video::VideoStreamType()), b(video::VideoStreamType());
  int got = 0;
  auto count = [&](const TVLImageBuffer&) { ++got; };
  video::TVLImageSinkPin sink(video::VideoStreamType(), count), other(audio, count);
  EXPECT_THROW(a.Connect(other), framework::EOWException) << "another stream type";
  a.Connect(sink);
  a.Connect(sink);
  EXPECT_THROW(b.Connect(sink), framework::EOWException) << "a sink takes one source";
  a.Notify(TVLImageBuffer());
  EXPECT_EQ(got, 1) << "joined once";
  {
    video::TVLImageSinkPin passing(video::VideoStreamType(), count);
    a.Connect(passing);
    a.Notify(TVLImageBuffer());
    EXPECT_EQ(got, 3);
  }
  a.Notify(TVLImageBuffer());  // the sink that went has left the source
  EXPECT_EQ(got, 4);
  a.Disconnect(sink);
  b.Connect(sink);
  b.Notify(TVLImageBuffer());
  EXPECT_EQ(got, 5);
}

TEST(Pins, SinksMayLeaveWhileAnotherThreadSends) {
  video::TVLImageSourcePin source(video::VideoStreamType());
  std::atomic<bool> stop{false};
  std::atomic<long> delivered{0};
  std::thread sender([&] {
    TVLImageBuffer f = video_test::Picture(8, 8, 1);
    while (!stop) source.Notify(f);
  });
  for (int i = 0; i < 2000; ++i) {
    // Each sink counts into its own slot, which is gone once the sink is.
    auto slot = std::make_unique<long>(0);
    video::TVLImageSinkPin sink(video::VideoStreamType(), [p = slot.get(), &delivered](const TVLImageBuffer&) {
      ++*p;
      ++delivered;
    });
    source.Connect(sink);
    if (i % 100 == 0) {
      const long before = delivered;
      while (delivered == before) std::this_thread::yield();
    }
    if (i % 2) source.Disconnect(sink);  // otherwise the sink leaves as it goes
  }
  stop = true;
  sender.join();
  EXPECT_FALSE(source.IsConnected());
  EXPECT_GE(delivered, 20);
}

}  // namespace
