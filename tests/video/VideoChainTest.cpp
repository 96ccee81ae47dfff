// The live picture's chain, headless: the motion detector against a plain reading
// of its rules, then a stand-in device through capture, detector and display:
// the switch and its order, queue bounds, many starts and stops, failures.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <thread>

#include "video/VideoChain.h"
#include "video/capture/VLV4L2Device.h"

namespace {

using namespace std::chrono_literals;
using video::TVLCountMode;
using video::TVLDSCapture;
using video::TVLImageBuffer;
using video::TVLMotionDetect;
using video::TVLVideoChain;

// A plain picture of one grey level with an optional square of another.
TVLImageBuffer Picture(int w, int h, uint8_t background, int sqX = 0, int sqY = 0, int sqSize = 0, uint8_t sq = 255) {
  TVLImageBuffer f(w, h, video::TVLPixelFormat::vfRGB24);
  std::memset(f.Write(), background, f.ByteSize());
  for (int y = sqY; y < std::min(h, sqY + sqSize); ++y)
    std::memset(f.Write() + (size_t(y) * size_t(w) + size_t(sqX)) * 3, sq, size_t(std::min(sqSize, w - sqX)) * 3);
  return f;
}

TVLImageBuffer Noise(int w, int h, unsigned seed) {
  TVLImageBuffer f(w, h, video::TVLPixelFormat::vfRGB24);
  std::mt19937 rng{seed};
  for (size_t i = 0; i < f.ByteSize(); ++i) f.Write()[i] = uint8_t(rng());
  return f;
}

// Runs the event loop until `done` holds or the time runs out.
bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer t;
  for (t.start(); !done(); std::this_thread::sleep_for(1ms)) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

// What the stand-in device did; kept by the test, which outlives the device.
struct FakeDeviceLog {
  std::atomic<int> opens{0}, closes{0}, frames{0};
  std::function<void()> onOpen, onClose;  // called inside Open and Close
};

struct FakeDeviceSetup {
  std::chrono::microseconds interval{};  // between frames; 0: as fast as asked
  int width = 360, height = 270;
  QString openError{};  // non-empty: Open fails with it
  int failAfter = -1;  // >= 0: Next fails after that many frames
};

class FakeDevice : public video::TVLFrameSource {
 public:
  FakeDevice(QString name, FakeDeviceSetup setup, FakeDeviceLog* log) : name_(name), setup_(setup), log_(log) {}
  ~FakeDevice() override { Close(); }
  void Open(const video::TVLCaptureFormat&) override {
    if (log_->onOpen) log_->onOpen();
    if (!setup_.openError.isEmpty()) throw video::EVLDeviceError(name_, setup_.openError);
    ++log_->opens;
    open_ = true;
  }
  QString DeviceName() const override { return name_; }
  TVLImageBuffer Next(std::chrono::milliseconds) override {
    if (setup_.failAfter >= 0 && made_ >= setup_.failAfter) throw video::EVLDeviceError(name_, "устройство отключено");
    std::this_thread::sleep_for(setup_.interval);
    // A square that moves one cell width per frame over a grey field.
    ++log_->frames;
    return Picture(setup_.width, setup_.height, 90, (made_++ % 8) * setup_.width / 8, 0, setup_.height / 6);
  }
  void Close() noexcept override {
    if (!std::exchange(open_, false)) return;
    ++log_->closes;
    if (log_->onClose) log_->onClose();
  }

 private:
  QString name_;
  FakeDeviceSetup setup_;
  FakeDeviceLog* log_;
  bool open_ = false;
  int made_ = 0;
};

// The detector's rules read literally, pixel by pixel: a pixel changed when a
// channel moved by more than its level; it counts when more than half of the
// (2ax+1) x (2ay+1) window around it changed (outside the picture counts as
// unchanged); a cell's change is its count, or the count in percent of its area.
std::vector<double> Reference(const TVLImageBuffer& a, const TVLImageBuffer& b, video::TVLPoint anchor,
                              std::array<int, 3> levels, int columns, int rows, TVLCountMode mode) {
  const int w = a.Width(), h = a.Height();
  auto changed = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h) return 0;
    const size_t i = (size_t(y) * size_t(w) + size_t(x)) * 3;
    for (size_t ch = 0; ch < 3; ++ch)
      if (std::abs(int(a.Read()[i + ch]) - int(b.Read()[i + ch])) > levels[ch]) return 1;
    return 0;
  };
  const int window = (2 * anchor.x + 1) * (2 * anchor.y + 1);
  std::vector<double> counts(size_t(columns) * size_t(rows), 0), area(counts.size(), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int n = 0;
      for (int dy = -anchor.y; dy <= anchor.y; ++dy)
        for (int dx = -anchor.x; dx <= anchor.x; ++dx) n += changed(x + dx, y + dy);
      const size_t cell = size_t(y * rows / h) * size_t(columns) + size_t(x * columns / w);
      area[cell] += 1;
      counts[cell] += 2 * n > window;
    }
  if (mode == TVLCountMode::cmProportional)
    for (size_t i = 0; i < counts.size(); ++i) counts[i] = counts[i] * 100.0 / area[i];
  return counts;
}

// Feeds frames to the detector through a pin and keeps what leaves it.
struct Rig {
  TVLMotionDetect detector;
  video::TVLImageSourcePin source{video::VideoStreamType()};
  std::vector<uint64_t> passed;
  video::TVLImageSinkPin sink{video::VideoStreamType(), [this](const TVLImageBuffer& f) { passed.push_back(f.Sequence()); }};
  explicit Rig(bool on = true) {
    source.Connect(detector.InputPin);
    detector.OutputPin.Connect(sink);
    detector.SetEnabled(on);
  }
  video::TVLMotionResult Send(TVLImageBuffer f, uint64_t seq) {
    f.SetSequence(seq);
    source.Notify(f);
    return detector.LastResult();
  }
};

TEST(MotionDetect, CountsAgreeWithThePixelByPixelRules) {
  // sparse: scattered blobs instead of two unrelated pictures.
  // clang-format off
  const struct { int width, height, columns, rows; video::TVLPoint anchor; std::array<int, 3> levels;
                 TVLCountMode mode; bool sparse; } cases[] = {
      {360, 270, 8, 6, {2, 2}, {0, 0, 0}, TVLCountMode::cmProportional, false},
      {360, 270, 8, 6, {2, 2}, {0, 0, 0}, TVLCountMode::cmProportional, true},
      {360, 270, 8, 6, {2, 2}, {40, 90, 10}, TVLCountMode::cmAbsolute, false},
      {97, 41, 5, 3, {2, 2}, {0, 0, 0}, TVLCountMode::cmAbsolute, true},
      {97, 41, 7, 4, {1, 3}, {128, 128, 128}, TVLCountMode::cmAbsolute, false},
      {64, 48, 4, 4, {7, 7}, {0, 0, 0}, TVLCountMode::cmProportional, true}};
  // clang-format on
  unsigned seed = 1;
  for (bool vector : {true, false})
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << (vector ? " vector" : " plain"));
      TVLMotionDetect::UseVectorCode(vector);
      Rig rig;
      rig.detector.SetMotionGrid({c.columns, c.rows, std::vector<int>(size_t(c.columns * c.rows), 5)});
      rig.detector.SetNoiseReductionAnchor(c.anchor);
      rig.detector.SetNoiseLevels(c.levels);
      rig.detector.SetCountMode(c.mode);
      TVLImageBuffer a = Noise(c.width, c.height, seed++), b = c.sparse ? a : Noise(c.width, c.height, seed++);
      // Squares of 1 to 4 pixels: lone ones are noise to the filter, larger ones survive.
      std::mt19937 rng{seed++};
      for (int k = 0; c.sparse && k < c.width * c.height / 12; ++k) {
        const int x = int(rng() % unsigned(c.width)), y = int(rng() % unsigned(c.height)), r = int(rng() % 4);
        for (int yy = y; yy < std::min(c.height, y + r + 1); ++yy)
          for (int xx = x; xx < std::min(c.width, x + r + 1); ++xx)
            b.Write()[(size_t(yy) * size_t(c.width) + size_t(xx)) * 3 + 1] ^= 0x40;
      }
      rig.Send(a, 1);
      const video::TVLMotionResult r = rig.Send(b, 2);
      ASSERT_TRUE(r.compared);
      const std::vector<double> want = Reference(a, b, c.anchor, c.levels, c.columns, c.rows, c.mode);
      ASSERT_EQ(r.change.size(), want.size());
      for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(r.change[i], want[i], 1e-9) << "cell " << i;
        EXPECT_EQ(r.motion[i] != 0, want[i] > 5) << "cell " << i;
      }
    }
  TVLMotionDetect::UseVectorCode(true);
}

TEST(MotionDetect, MovingSquareIsSeenInItsCellsOnly) {
  // 360 x 270 on the 8 x 6 grid: cells of 45 x 45 pixels.
  // moved: the cells (column, row) that see motion.
  const struct { const char* what; int fromX, fromY, toX, toY, size; std::vector<std::pair<int, int>> moved; }
  cases[] = {
      {"ten pixels inside one cell", 180, 135, 190, 135, 20, {{4, 3}}},
      {"five pixels over the corner of four cells", 135, 90, 140, 95, 80, {{3, 2}, {4, 2}, {3, 3}, {4, 3}}},
      {"into the last cell", 270, 180, 315, 225, 45, {{6, 4}, {7, 5}}},
      {"still", 90, 90, 90, 90, 45, {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    rig.Send(Picture(360, 270, 60, c.fromX, c.fromY, c.size, 220), 1);
    const video::TVLMotionResult r = rig.Send(Picture(360, 270, 60, c.toX, c.toY, c.size, 220), 2);
    ASSERT_TRUE(r.compared);
    for (int row = 0; row < 6; ++row)
      for (int col = 0; col < 8; ++col)
        EXPECT_EQ(r.Moved(col, row), std::count(c.moved.begin(), c.moved.end(), std::make_pair(col, row)) == 1)
            << "cell " << col << "," << row;
  }
}

// '+' switches the detector on and '-' off; 'a' is a 40 x 30 frame, 'b' one of
// 48 x 30 and 't' one of 4 x 3, smaller than the grid. Every frame differs from
// the one before everywhere, so each comparison finds motion.
TEST(MotionDetect, SwitchAndFrameSizeDecideWhatPassesAndWhatIsCompared) {
  // passed: the sequence numbers that left the output pin; compared: for each of them.
  const struct { const char* steps; std::vector<uint64_t> passed; std::vector<bool> compared; } cases[] = {
      {"aa", {}, {}},
      {"+aaa", {2, 3, 4}, {false, true, true}},
      {"+a-a+aa", {2, 6, 7}, {false, false, true}},  // off forgets the previous frame
      {"+a-+a", {2, 5}, {false, false}},
      {"+a+a", {2, 4}, {false, true}},
      {"+abb", {2, 3, 4}, {false, false, true}},
      {"+tt", {2, 3}, {false, false}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.steps);
    Rig rig(false);
    std::vector<bool> compared;
    for (uint64_t seq = 1; c.steps[seq - 1]; ++seq) {
      const char s = c.steps[seq - 1];
      if (s == '+' || s == '-') rig.detector.SetEnabled(s == '+');
      if (s == '+' || s == '-') continue;
      const video::TVLMotionResult r = rig.Send(Picture(s == 'b' ? 48 : s == 't' ? 4 : 40, s == 't' ? 3 : 30,
                                                        uint8_t(seq * 20)), seq);
      if (r.frame == seq) compared.push_back(r.compared);
      EXPECT_EQ(r.frame == seq && r.AnyMotion(), r.frame == seq && r.compared);
    }
    EXPECT_EQ(rig.passed, c.passed);
    EXPECT_EQ(compared, c.compared);
  }
}

TEST(MotionDetect, MalformedGridIsRefusedAndTheOldOneKept) {
  Rig rig;
  for (const video::TVLMotionGrid& bad : {video::TVLMotionGrid{0, 6, {}}, {8, 6, std::vector<int>(47, 5)},
                                          {65, 1, std::vector<int>(65, 5)}, {-1, -1, std::vector<int>(1, 5)}})
    EXPECT_THROW(rig.detector.SetMotionGrid(bad), framework::EOWException);
  rig.Send(Picture(40, 30, 10), 1);
  const video::TVLMotionResult r = rig.Send(Picture(40, 30, 90), 2);
  EXPECT_TRUE(r.columns == 8 && r.rows == 6 && r.Moved(7, 5));
}

class CaptureTest : public testing::Test {
 protected:
  void UseFake(TVLDSCapture& capture, FakeDeviceSetup setup = {}) {
    capture.SetSourceFactory([this, setup](const QString& device) {
      return std::make_unique<FakeDevice>(device.isEmpty() ? "/dev/video0" : device, setup, &log);
    });
  }
  // The chain's failures are heard here; the state of the chain is noted as each
  // one arrives: capture running, detector on, display shown.
  void Listen(TVLVideoChain& chain) {
    chain.OnFailure = [this, &chain](const QString& message) {
      failures << message;
      states << QString("%1%2%3")
                    .arg(chain.Running())
                    .arg(chain.VLMotionDetect1.Enabled())
                    .arg(chain.VLImageDisplay1()->isVisible());
    };
  }
  FakeDeviceLog log;
  QStringList failures, states;
};

// 'L' begins loading from the form and 'E' ends it; '+' sets Enabled true, '-' false.
TEST_F(CaptureTest, EnabledStoresWhileLoadingAndOtherwiseFollowsTheRunningState) {
  const struct { const char* ops; int opens, closes; bool enabled; } cases[] = {
      {"L+E", 1, 0, true}, {"L+-E", 0, 0, false}, {"++", 1, 0, true},
      {"--", 0, 0, false}, {"+--", 1, 1, false}, {"+-+", 2, 1, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ops);
    log.opens = log.closes = 0;
    {
      TVLDSCapture capture;
      capture.OnError = [this](const QString& m) { failures << m; };
      UseFake(capture, {.interval = 1ms});
      for (const char* op = c.ops; *op; ++op) {
        if (*op == 'L') capture.BeginLoading();
        if (*op == 'E') capture.EndLoading();
        if (*op == '+' || *op == '-') capture.SetEnabled(*op == '+');
      }
      EXPECT_EQ(log.opens, c.opens);
      EXPECT_EQ(log.closes, c.closes);
      EXPECT_EQ(capture.Enabled(), c.enabled);
    }
    EXPECT_EQ(log.closes, log.opens) << "the device is released when the component goes";
  }
  EXPECT_TRUE(failures.isEmpty());
}

TEST_F(CaptureTest, TheBoxSwitchesInOrderAndFramesPassOnlyWhileBothAreOn) {
  QWidget window;
  TVLVideoChain chain;
  Listen(chain);
  chain.SetDisplayParent(&window);
  window.show();
  UseFake(chain.VLDSCapture1, {.interval = 2ms});
  // Capture alone: frames are taken, and the switched-off detector drops them.
  chain.VLDSCapture1.SetEnabled(true);
  EXPECT_TRUE(WaitFor([&] { return log.frames >= 20; }));
  chain.VLDSCapture1.SetEnabled(false);
  EXPECT_EQ(chain.VLImageDisplay1()->FramesDrawn(), 0u);
  std::vector<std::pair<bool, bool>> atOpen, atClose;  // display visible, detector enabled
  auto state = [&] { return std::make_pair(chain.VLImageDisplay1()->isVisible(), chain.VLMotionDetect1.Enabled()); };
  log.onOpen = [&] { atOpen.push_back(state()); };
  log.onClose = [&] { atClose.push_back(state()); };
  for (int round = 0; round < 3; ++round) {
    EXPECT_TRUE(chain.Switch(true));
    EXPECT_TRUE(chain.VLDSCapture1.Enabled() && chain.VLMotionDetect1.Enabled());
    EXPECT_TRUE(WaitFor([&] { return chain.VLImageDisplay1()->FramesDrawn() > 0; }));
    EXPECT_FALSE(chain.Switch(false));
    EXPECT_FALSE(chain.Running() || chain.VLMotionDetect1.Enabled() || chain.VLImageDisplay1()->isVisible());
  }
  // Shown before capture starts, detector after; stopped while still shown and detecting.
  EXPECT_EQ(atOpen, (std::vector<std::pair<bool, bool>>(3, {true, false})));
  EXPECT_EQ(atClose, (std::vector<std::pair<bool, bool>>(3, {true, true})));
  EXPECT_TRUE(failures.isEmpty());
}

TEST_F(CaptureTest, QueuesStayWithinTheirBoundsUnderAFastProducer) {
  // A consumer far slower than the device: the capture queue fills and drops.
  {
    TVLDSCapture capture;
    UseFake(capture, {.width = 64, .height = 48});
    std::vector<uint64_t> seen;  // the sending thread's alone until capture stops
    std::atomic<size_t> count{0};
    video::TVLImageSinkPin slow(video::VideoStreamType(), [&](const TVLImageBuffer& f) {
      std::this_thread::sleep_for(2ms);
      seen.push_back(f.Sequence());
      ++count;
    });
    capture.OutputPin.Connect(slow);
    capture.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return capture.Queue().Dropped() > 500 && count >= 20; }));
    capture.SetEnabled(false);
    EXPECT_EQ(capture.Queue().HighWater(), TVLDSCapture::kQueueBound);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GT(seen.back(), seen.size()) << "frames were skipped, the newest ones kept";
  }
  // The interface thread does not look: the display keeps only its newest frames.
  TVLVideoChain chain;
  UseFake(chain.VLDSCapture1, {.width = 64, .height = 48});
  chain.Switch(true);
  const auto& q = chain.VLImageDisplay1()->Queue();
  std::this_thread::sleep_for(300ms);
  EXPECT_LE(q.HighWater(), video::TVLImageDisplay::kQueueBound);
  EXPECT_GT(q.Dropped(), 0u);
  EXPECT_LE(TVLImageBuffer::LiveBlocks(), long(TVLDSCapture::kQueueBound + video::TVLImageDisplay::kQueueBound + 8));
  // Every frame dropped so far was older than any frame drawn from now on, and
  // the dropped ones have distinct numbers from 1 on.
  const size_t dropped = q.Dropped();
  const uint64_t drawn = chain.VLImageDisplay1()->FramesDrawn();
  ASSERT_TRUE(WaitFor([&] { return chain.VLImageDisplay1()->FramesDrawn() > drawn; }));
  EXPECT_GT(chain.VLImageDisplay1()->LastFrameDrawn(), dropped) << "the oldest frames went, not the newest";
  chain.Switch(false);
}

TEST_F(CaptureTest, StartingAndStoppingAThousandTimesLeavesNothingBehind) {
  const long before = TVLImageBuffer::LiveBlocks();
  {
    TVLVideoChain chain;
    Listen(chain);
    UseFake(chain.VLDSCapture1, {.width = 64, .height = 48});
    for (int i = 0; i < 1000; ++i) {
      chain.Switch(true);
      if (i % 100 == 0) WaitFor([&] { return log.frames > i; }, 1000);
      chain.Switch(false);
      if (i % 50 == 0) QCoreApplication::processEvents();
    }
    EXPECT_TRUE(log.opens == 1000 && log.closes == 1000 && log.frames > 0);
    QCoreApplication::processEvents();
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(TVLImageBuffer::LiveBlocks(), before);
  EXPECT_TRUE(failures.isEmpty());
}

// Each failure is told once for each switch-on, naming the device and the
// reason, when the chain has already switched itself off (capture stopped,
// detector off, display hidden); switching off afterwards is quiet. The devices
// that are not there are real paths, read through the system's video layer.
TEST_F(CaptureTest, AFailingCameraIsToldOncePerSwitchOnWithTheChainAlreadyOff) {
  // fake: none for the real device layer.
  const struct { const char* what; std::optional<FakeDeviceSetup> fake; QString device; QStringList mustName; }
  cases[] = {
      {"cannot be opened", FakeDeviceSetup{.openError = "устройство занято"}, "/dev/video3",
       {"/dev/video3", "устройство занято"}},
      {"stops sending", FakeDeviceSetup{.interval = 1ms, .failAfter = 5}, "/dev/video1",
       {"/dev/video1", "устройство отключено"}},
      {"no such path", std::nullopt, "/nonexistent/video7", {"/nonexistent/video7"}},
      {"not a video device", std::nullopt, "/dev/null", {"/dev/null"}},
      {"no camera on the machine", std::nullopt, "", {"/dev/video*", "не найдено"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.device.isEmpty() && !video::TVLV4L2Device::CaptureDevices().empty()) continue;
    failures.clear(), states.clear();
    QWidget window;
    TVLVideoChain chain;
    Listen(chain);
    chain.SetDisplayParent(&window);
    window.show();
    chain.VLDSCapture1.SetVideoDevice(c.device);
    if (c.fake) UseFake(chain.VLDSCapture1, *c.fake);
    for (int round = 1; round <= 2; ++round) {
      EXPECT_EQ(chain.Switch(true), c.fake && c.fake->failAfter >= 0);  // running until the device goes
      ASSERT_TRUE(WaitFor([&] { return int(failures.size()) == round; }));
      for (const QString& part : c.mustName)
        EXPECT_TRUE(failures.back().contains(part)) << failures.back().toStdString();
      EXPECT_EQ(states.back(), "000");
      EXPECT_FALSE(chain.Switch(false));
      WaitFor([] { return false; }, 50);
      EXPECT_EQ(int(failures.size()), round) << "switching off says nothing";
    }
    EXPECT_EQ(log.closes, log.opens);
  }
}

TEST(Pins, SinksMayLeaveWhileAnotherThreadSends) {
  video::TVLImageSourcePin source(video::VideoStreamType());
  std::atomic<bool> stop{false};
  std::atomic<long> delivered{0};
  std::thread sender([&] { while (!stop) source.Notify(Picture(8, 8, 1)); });
  for (int i = 0; i < 2000; ++i) {
    // Each sink counts into its own slot, which is gone once the sink is.
    auto slot = std::make_unique<long>(0);
    video::TVLImageSinkPin sink(video::VideoStreamType(), [p = slot.get(), &delivered](auto&) { ++*p, ++delivered; });
    source.Connect(sink);
    for (const long seen = delivered; i % 100 == 0 && delivered == seen;) std::this_thread::yield();
    if (i % 2) source.Disconnect(sink);  // otherwise the sink leaves as it goes
  }
  stop = true;
  sender.join();
  EXPECT_FALSE(source.IsConnected());
}

}  // namespace
