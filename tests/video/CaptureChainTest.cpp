// The capture component and the whole chain, driven by a stand-in device:
// the switch, the order the match window's box follows, the queue bounds,
// starting and stopping many times, and failing devices.
#include <gtest/gtest.h>

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
      return std::make_unique<video_test::FakeDevice>(device.isEmpty() ? "/dev/video0" : device, setup, &log);
    });
  }
  video_test::FakeDeviceLog log;
  std::unique_ptr<ui::ScriptedMessages> msg;
};

TEST_F(CaptureTest, EnabledStoresWhileLoadingAndOtherwiseFollowsTheRunningState) {
  enum Op { BeginLoad, EndLoad, SetOn, SetOff };
  const struct {
    const char* what;
    std::vector<Op> ops;
    int opens, closes;
    bool enabled;
  } cases[] = {
      {"stored while loading, applied after", {BeginLoad, SetOn, EndLoad}, 1, 0, true},
      {"switched back while loading", {BeginLoad, SetOn, SetOff, EndLoad}, 0, 0, false},
      {"on twice starts once", {SetOn, SetOn}, 1, 0, true},
      {"off when off does nothing", {SetOff, SetOff}, 0, 0, false},
      {"on, off, off", {SetOn, SetOff, SetOff}, 1, 1, false},
      {"on, off, on", {SetOn, SetOff, SetOn}, 2, 1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    log.opens = log.closes = 0;
    {
      TVLDSCapture capture;
      UseFake(capture, {1ms});
      for (Op op : c.ops) {
        if (op == BeginLoad) capture.BeginLoading();
        if (op == EndLoad) capture.EndLoading();
        if (op == SetOn || op == SetOff) capture.SetEnabled(op == SetOn);
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
  for (const bool capture : {true, false})
    for (const bool detector : {true, false}) {
      SCOPED_TRACE(testing::Message() << "capture " << capture << " detector " << detector);
      TVLVideoChain chain;
      UseFake(chain.VLDSCapture1, {2ms});
      log.frames = 0;
      chain.VLMotionDetect1.SetEnabled(detector);
      chain.VLDSCapture1.SetEnabled(capture);
      if (capture && detector) {
        EXPECT_TRUE(WaitFor([&] { return chain.VLImageDisplay1()->FramesDrawn() >= 5; }));
      } else {
        WaitFor([&] { return log.frames >= 20; }, 300);
        EXPECT_EQ(chain.VLImageDisplay1()->FramesDrawn(), 0u);
      }
      EXPECT_EQ(log.frames > 0, capture);
    }
}

TEST_F(CaptureTest, TheBoxShowsTheDisplayBeforeStartingAndHidesItAfterStopping) {
  QWidget window;
  TVLVideoChain chain;
  chain.SetDisplayParent(&window);
  window.show();
  UseFake(chain.VLDSCapture1, {2ms});
  std::vector<std::pair<bool, bool>> atOpen, atClose;  // display visible, detector enabled
  auto state = [&] { return std::make_pair(chain.VLImageDisplay1()->isVisible(), chain.VLMotionDetect1.Enabled()); };
  log.onOpen = [&] { atOpen.push_back(state()); };
  log.onClose = [&] { atClose.push_back(state()); };
  EXPECT_FALSE(chain.VLImageDisplay1()->isVisible());
  for (int round = 0; round < 3; ++round) {
    chain.Switch(true);
    EXPECT_TRUE(chain.VLDSCapture1.Enabled() && chain.VLMotionDetect1.Enabled());
    EXPECT_TRUE(WaitFor([&] { return chain.VLImageDisplay1()->FramesDrawn() > 0; }));
    chain.Switch(false);
    EXPECT_FALSE(chain.VLDSCapture1.Enabled() || chain.VLMotionDetect1.Enabled());
    EXPECT_FALSE(chain.VLImageDisplay1()->isVisible());
  }
  // Shown before capture starts, detector after; stopped while still shown and detecting.
  EXPECT_EQ(atOpen, (std::vector<std::pair<bool, bool>>(3, {true, false})));
  EXPECT_EQ(atClose, (std::vector<std::pair<bool, bool>>(3, {true, true})));
  EXPECT_TRUE(msg->Log().empty());
}

TEST_F(CaptureTest, QueuesStayWithinTheirBoundsUnderAFastProducer) {
  // A consumer far slower than the device: the capture queue fills and drops.
  {
    TVLDSCapture capture;
    UseFake(capture, {0us, 64, 48});
    std::mutex seenLock;
    std::vector<uint64_t> seen;
    video::TVLImageSinkPin slow(video::VideoStreamType(), [&](const TVLImageBuffer& f) {
      std::this_thread::sleep_for(2ms);
      std::lock_guard lk(seenLock);
      seen.push_back(f.Sequence());
    });
    capture.OutputPin.Connect(slow);
    capture.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] {
      std::lock_guard lk(seenLock);
      return capture.Queue().Dropped() > 500 && seen.size() >= 20;
    }));
    capture.SetEnabled(false);
    EXPECT_EQ(capture.Queue().HighWater(), TVLDSCapture::kQueueBound);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GT(seen.back(), seen.size()) << "frames were skipped, the newest ones kept";
  }
  // The interface thread does not look: the display keeps only its newest frames.
  TVLVideoChain chain;
  UseFake(chain.VLDSCapture1, {0us, 64, 48});
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
    UseFake(chain.VLDSCapture1, {0us, 64, 48});
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

// Each failure is one error box naming the device and the reason, given once
// for each switch-on; clearing the box afterwards is quiet. The devices that
// are not there are real paths, read through the system's video layer.
TEST_F(CaptureTest, AFailingCameraIsReportedOncePerSwitchOnAndClearingIsQuiet) {
  const struct {
    const char* what;
    std::optional<FakeDeviceSetup> fake;  // none: the real device layer
    QString device;
    QStringList mustName;
  } cases[] = {
      {"cannot be opened", FakeDeviceSetup{0us, 360, 270, "устройство занято"}, "/dev/video3",
       {"/dev/video3", "устройство занято"}},
      {"stops sending", FakeDeviceSetup{1ms, 360, 270, {}, 5}, "/dev/video1",
       {"/dev/video1", "устройство отключено"}},
      {"no such path", std::nullopt, "/nonexistent/video7", {"/nonexistent/video7"}},
      {"not a video device", std::nullopt, "/dev/null", {"/dev/null"}},
      {"no camera on the machine", std::nullopt, "", {"/dev/video*", "не найдено"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.device.isEmpty() && !video::TVLV4L2Device::CaptureDevices().empty()) continue;
    msg->Clear();
    TVLVideoChain chain;
    chain.VLDSCapture1.SetVideoDevice(c.device);
    if (c.fake) UseFake(chain.VLDSCapture1, *c.fake);
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
  EXPECT_NO_THROW(chain.Switch(false));
  ASSERT_EQ(msg->Log().size(), 1u);
  EXPECT_TRUE(msg->Log()[0].text.contains("no memory for frames"));
}

TEST(Pins, JoiningRules) {
  const framework::TSLStreamType audio{"{0D2C1E4A-6B7F-4A8C-9E10-3F5A7B9C1D2E}", "Audio"};
  video::TVLImageSourcePin a(video::VideoStreamType()), b(video::VideoStreamType());
  int got = 0;
  auto count = [&](const TVLImageBuffer&) { ++got; };
  video::TVLImageSinkPin sink(video::VideoStreamType(), count), other(audio, count);
  EXPECT_THROW(a.Connect(other), framework::EOWException) << "another stream type";
  a.Connect(sink);
  a.Connect(sink);
  EXPECT_THROW(b.Connect(sink), framework::EOWException) << "a sink takes one source";
  {
    video::TVLImageSinkPin passing(video::VideoStreamType(), count);
    a.Connect(passing);
    a.Notify(TVLImageBuffer());
  }
  a.Notify(TVLImageBuffer());  // the sink that went has left the source
  EXPECT_EQ(got, 3);
}

TEST(Pins, SinksMayLeaveWhileAnotherThreadSends) {
  video::TVLImageSourcePin source(video::VideoStreamType());
  std::atomic<bool> stop{false};
  std::atomic<long> delivered{0};
  std::thread sender([&] {
    const TVLImageBuffer f = video_test::Picture(8, 8, 1);
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
    for (const long seen = delivered; i % 100 == 0 && delivered == seen;) std::this_thread::yield();
    if (i % 2) source.Disconnect(sink);  // otherwise the sink leaves as it goes
  }
  stop = true;
  sender.join();
  EXPECT_FALSE(source.IsConnected());
  EXPECT_GE(delivered, 20);
}

}  // namespace
