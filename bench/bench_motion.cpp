// One 360 x 270 RGB24 frame through the enabled motion detector, compared with
// the frame before it; beside it a plain copy of the same frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "video/display/VLMotionDetect.h"

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 270;

// A noisy picture with a square that moves by `shift` pixels.
video::TVLImageBuffer Frame(int shift, uint64_t seq) {
  video::TVLImageBuffer f(kWidth, kHeight, video::TVLPixelFormat::vfRGB24);
  uint8_t* p = f.Write();
  std::mt19937 rng{static_cast<unsigned>(seq)};
  for (size_t i = 0; i < f.ByteSize(); ++i) p[i] = uint8_t(100 + rng() % 8);
  for (int y = 100; y < 160; ++y)
    for (int x = 60 + shift; x < 120 + shift; ++x) std::memset(p + (size_t(y) * kWidth + size_t(x)) * 3, 230, 3);
  f.SetSequence(seq);
  return f;
}

void BM_MotionDetect(benchmark::State& state) {
  video::TVLMotionDetect detector;
  detector.SetCountMode(video::TVLCountMode::cmProportional);
  detector.SetNoiseReductionAnchor({2, 2});
  detector.SetNoiseLevels({0, 0, 0});
  detector.SetEnabled(true);
  video::TVLImageSourcePin source(video::VideoStreamType());
  source.Connect(detector.InputPin);
  const video::TVLImageBuffer frames[2] = {Frame(0, 1), Frame(40, 2)};
  source.Notify(frames[1]);  // the previous frame of the first comparison
  size_t i = 0;
  for (auto _ : state) {
    source.Notify(frames[i & 1]);
    ++i;
  }
  if (!detector.LastResult().AnyMotion()) state.SkipWithError("the moving square was not seen");
  state.SetItemsProcessed(int64_t(state.iterations()));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(frames[0].ByteSize()));
}
BENCHMARK(BM_MotionDetect);

void BM_FrameCopy(benchmark::State& state) {
  const video::TVLImageBuffer frame = Frame(0, 1);
  video::TVLImageBuffer copy(kWidth, kHeight, video::TVLPixelFormat::vfRGB24);
  uint8_t* dst = copy.Write();
  for (auto _ : state) {
    std::memcpy(dst, frame.Read(), frame.ByteSize());
    benchmark::DoNotOptimize(dst);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(frame.ByteSize()));
}
BENCHMARK(BM_FrameCopy);

}  // namespace

BENCHMARK_MAIN();
