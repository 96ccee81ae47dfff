// The grid motion detector: its counts against a plain reading of its rules,
// moving and still pictures, the noise filter, and its switch.
#include <gtest/gtest.h>

#include <vector>

#include "tests/video/VideoTestSupport.h"
#include "video/display/VLMotionDetect.h"

namespace {

using video::TVLCountMode;
using video::TVLImageBuffer;
using video::TVLMotionDetect;
using video_test::Noise;
using video_test::Picture;

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

// Feeds frames through a source pin joined to the detector's input and counts
// what leaves its output.
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
  const struct {
    int width, height;
    video::TVLPoint anchor;
    std::array<int, 3> levels;
    int columns, rows;
    TVLCountMode mode;
    bool sparse;  // scattered blobs instead of two unrelated pictures
  } cases[] = {
      {360, 270, {2, 2}, {0, 0, 0}, 8, 6, TVLCountMode::cmProportional, false},
      {360, 270, {2, 2}, {0, 0, 0}, 8, 6, TVLCountMode::cmProportional, true},
      {360, 270, {2, 2}, {40, 90, 10}, 8, 6, TVLCountMode::cmAbsolute, false},
      {97, 41, {2, 2}, {0, 0, 0}, 5, 3, TVLCountMode::cmAbsolute, true},
      {97, 41, {1, 3}, {128, 128, 128}, 7, 4, TVLCountMode::cmAbsolute, false},
      {33, 33, {0, 0}, {5, 5, 5}, 3, 3, TVLCountMode::cmProportional, false},
      {64, 48, {7, 7}, {0, 0, 0}, 4, 4, TVLCountMode::cmAbsolute, true},
  };
  unsigned seed = 1;
  for (bool vector : {true, false})
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " anchor " << c.anchor.x << "," << c.anchor.y
                                      << (vector ? " vector" : " plain"));
      TVLMotionDetect::UseVectorCode(vector);
      Rig rig;
      rig.detector.SetMotionGrid({c.columns, c.rows, std::vector<int>(size_t(c.columns * c.rows), 5)});
      rig.detector.SetNoiseReductionAnchor(c.anchor);
      rig.detector.SetNoiseLevels(c.levels);
      rig.detector.SetCountMode(c.mode);
      TVLImageBuffer a = Noise(c.width, c.height, seed++), b = a;
      if (c.sparse) {
        // Blobs and lone pixels: some survive the filter, some do not.
        uint8_t* p = b.Write();
        std::mt19937 rng{seed++};
        for (int k = 0; k < c.width * c.height / 12; ++k) {
          const int x = int(rng() % unsigned(c.width)), y = int(rng() % unsigned(c.height)), r = int(rng() % 4);
          for (int yy = y; yy < std::min(c.height, y + r + 1); ++yy)
            for (int xx = x; xx < std::min(c.width, x + r + 1); ++xx)
              p[(size_t(yy) * size_t(c.width) + size_t(xx)) * 3 + 1] ^= 0x40;
        }
      } else {
        b = Noise(c.width, c.height, seed++);
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
  const struct {
    const char* what;
    int fromX, fromY, toX, toY, size;
    std::vector<std::pair<int, int>> moved;  // cells (column, row) that see motion
  } cases[] = {
      {"one cell to the right", 45, 45, 90, 45, 45, {{1, 1}, {2, 1}}},
      {"ten pixels inside one cell", 180, 135, 190, 135, 20, {{4, 3}}},
      {"five pixels over the corner of four cells", 135, 90, 140, 95, 80, {{3, 2}, {4, 2}, {3, 3}, {4, 3}}},
      {"into the last cell", 270, 180, 315, 225, 45, {{6, 4}, {7, 5}}},
      {"still", 90, 90, 90, 90, 45, {}},
  };
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
    EXPECT_EQ(rig.passed, (std::vector<uint64_t>{1, 2}));
  }
}

TEST(MotionDetect, LonePixelsAreNoiseUnlessTheFilterIsOff) {
  // One changed pixel in every 4 x 4 block: at most 9 of a 5 x 5 window change.
  TVLImageBuffer a = Noise(360, 270, 7), b = a;
  uint8_t* p = b.Write();
  for (int y = 0; y < 270; y += 4)
    for (int x = 0; x < 360; x += 4) p[(size_t(y) * 360 + size_t(x)) * 3] ^= 0x80;
  for (int anchor : {2, 1, 0}) {
    Rig rig;
    rig.detector.SetNoiseReductionAnchor({anchor, anchor});
    rig.Send(a, 1);
    EXPECT_EQ(rig.Send(b, 2).AnyMotion(), anchor == 0) << "anchor " << anchor;
  }
}

TEST(MotionDetect, SwitchDropsFramesAndForgetsThePreviousOne) {
  enum Step { Frame, On, Off };
  const struct {
    const char* what;
    std::vector<Step> steps;
    std::vector<uint64_t> passed;  // sequence numbers that left the output pin
    std::vector<bool> compared;    // for each frame that passed
  } cases[] = {
      {"off from the start", {Frame, Frame}, {}, {}},
      {"on", {On, Frame, Frame, Frame}, {2, 3, 4}, {false, true, true}},
      {"off between", {On, Frame, Off, Frame, On, Frame, Frame}, {2, 6, 7}, {false, false, true}},
      {"off and on with no frame between", {On, Frame, Off, On, Frame}, {2, 5}, {false, false}},
      {"on twice changes nothing", {On, Frame, On, Frame}, {2, 4}, {false, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig(false);
    std::vector<bool> compared;
    for (uint64_t seq = 1; seq <= c.steps.size(); ++seq) {
      const Step s = c.steps[seq - 1];
      if (s != Frame) rig.detector.SetEnabled(s == On);
      // Frames that differ everywhere: a comparison always finds motion.
      if (s == Frame && rig.Send(Picture(40, 30, uint8_t(seq * 20)), seq).frame == seq)
        compared.push_back(rig.detector.LastResult().compared);
    }
    EXPECT_EQ(rig.passed, c.passed);
    EXPECT_EQ(compared, c.compared);
  }
}

TEST(MotionDetect, PicturesOfAnotherSizeStartAfresh) {
  Rig rig;
  rig.Send(Picture(40, 30, 10), 1);
  EXPECT_FALSE(rig.Send(Picture(48, 30, 200), 2).compared);
  EXPECT_TRUE(rig.Send(Picture(48, 30, 10), 3).AnyMotion());
  // Smaller than the grid: passed on, not compared.
  rig.Send(Picture(4, 3, 10), 4);
  EXPECT_FALSE(rig.Send(Picture(4, 3, 90), 5).compared);
  EXPECT_EQ(rig.passed.size(), 5u);
}

TEST(MotionDetect, MalformedGridIsRefusedAndTheOldOneKept) {
  Rig rig;
  const video::TVLMotionGrid bad[] = {
      {0, 6, {}}, {8, 6, std::vector<int>(47, 5)}, {65, 1, std::vector<int>(65, 5)}, {-1, -1, std::vector<int>(1, 5)}};
  for (const auto& g : bad) EXPECT_THROW(rig.detector.SetMotionGrid(g), framework::EOWException);
  rig.Send(Picture(40, 30, 10), 1);
  const video::TVLMotionResult r = rig.Send(Picture(40, 30, 90), 2);
  EXPECT_EQ(r.columns * 10 + r.rows, 86);
  EXPECT_TRUE(r.Moved(7, 5));
}

}  // namespace
