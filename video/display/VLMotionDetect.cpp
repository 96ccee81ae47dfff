#include "video/display/VLMotionDetect.h"

#include <algorithm>
#include <atomic>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace video {

TVLMotionDetect::TVLMotionDetect()
    : InputPin(VideoStreamType(), [this](const TVLImageBuffer& f) { Process(f); }),
      OutputPin(VideoStreamType()) {}

TVLMotionDetect::~TVLMotionDetect() {
  // Leave the chain before the frame state goes: a send in progress finishes first.
  if (auto* s = InputPin.Source()) s->Disconnect(InputPin);
  OutputPin.DisconnectAll();
}

void TVLMotionDetect::SetEnabled(bool value) {
  // A new epoch on every switch-off: the next frame is not compared with one
  // taken before the detector was switched off.
  if (!value) disableEpoch_.fetch_add(1);
  enabled_.store(value);
}

void TVLMotionDetect::SetCountMode(TVLCountMode mode) {
  std::lock_guard lk(settingsLock_);
  countMode_ = mode;
}
void TVLMotionDetect::SetNoiseReductionAnchor(TVLPoint anchor) {
  std::lock_guard lk(settingsLock_);
  anchor_.x = std::clamp(anchor.x, 0, 7);
  anchor_.y = std::clamp(anchor.y, 0, 7);
}
void TVLMotionDetect::SetNoiseLevels(std::array<int, 3> levels) {
  std::lock_guard lk(settingsLock_);
  for (int& l : levels) l = std::clamp(l, 0, 255);
  levels_ = levels;
}
void TVLMotionDetect::SetMotionGrid(const TVLMotionGrid& grid) {
  if (grid.columns < 1 || grid.rows < 1 || grid.columns > 64 || grid.rows > 64 ||
      grid.thresholds.size() != size_t(grid.columns) * size_t(grid.rows))
    throw framework::EOWException("The motion grid does not match its size");
  std::lock_guard lk(settingsLock_);
  grid_ = grid;
}

TVLMotionResult TVLMotionDetect::LastResult() const {
  std::lock_guard lk(resultLock_);
  return result_;
}

void TVLMotionDetect::Process(const TVLImageBuffer& frame) {
  {
    std::lock_guard lk(settingsLock_);
    uint64_t epoch = disableEpoch_.load();
    if (!enabled_.load()) {
      previous_ = TVLImageBuffer();
      return;
    }
    bool comparable = !previous_.Empty() && previousEpoch_ == epoch && previous_.SameShape(frame) &&
                      frame.Format() == TVLPixelFormat::vfRGB24 && frame.Width() >= grid_.columns &&
                      frame.Height() >= grid_.rows;
    TVLMotionResult& r = scratch_;
    r.frame = frame.Sequence();
    r.columns = grid_.columns;
    r.rows = grid_.rows;
    r.change.assign(size_t(grid_.columns) * size_t(grid_.rows), 0.0);
    r.motion.assign(r.change.size(), 0);
    r.compared = comparable;
    if (comparable) Compare(previous_, frame, r);
    previous_ = frame;  // shared, not copied
    previousEpoch_ = epoch;
    {
      std::lock_guard rl(resultLock_);
      std::swap(result_, scratch_);
    }
  }
  OutputPin.Notify(frame);
}

namespace {

inline uint8_t AbsDiff(uint8_t a, uint8_t b) { return uint8_t(a > b ? a - b : b - a); }

std::atomic<bool> gVectorCode{true};

#if defined(__x86_64__) || defined(__i386__)
#define VANTREL_MOTION_AVX2 1
// Read while the program's static objects are built: the processor model first.
bool CpuHasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}
const bool kCpuAvx2 = CpuHasAvx2();

// Bytes p[0..15] in the lower lane and p[48..63] in the upper one.
__attribute__((target("avx2"), always_inline)) inline __m256i Lanes(const uint8_t* p) {
  return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128((const __m128i*)p)),
                                 _mm_loadu_si128((const __m128i*)(p + 48)), 1);
}

// Column sums of the window with the new ring row added.
__attribute__((target("avx2"), always_inline)) inline __m256i Column(const uint8_t* vs, const uint8_t* add, int x) {
  const __m256i v = _mm256_loadu_si256((const __m256i*)(vs + x));
  return add ? _mm256_add_epi8(v, _mm256_loadu_si256((const __m256i*)(add + x))) : v;
}

// 32 pixels at a time, each 128-bit lane taking sixteen of them (three vectors
// of bytes): a pixel is unchanged when all three of its channels stayed within
// their levels, that is max(|a - b|, level) == level (with levels 0, a == b).
template <bool ZeroLevels>
__attribute__((target("avx2"))) int ChangedRowAvx2(const uint8_t* a, const uint8_t* b, uint8_t* out, int width,
                                                     const uint8_t* pattern) {
  const __m256i ones = _mm256_set1_epi8(1);
  __m256i lv[3];
  for (int i = 0; i < 3; ++i) lv[i] = _mm256_broadcastsi128_si256(_mm_loadu_si128((const __m128i*)(pattern + 16 * i)));
  // Byte 3j of each vector into byte j of the result, per lane.
  const __m256i pick0 = _mm256_setr_epi8(0, 3, 6, 9, 12, 15, -128, -128, -128, -128, -128, -128, -128, -128, -128,
                                         -128, 0, 3, 6, 9, 12, 15, -128, -128, -128, -128, -128, -128, -128, -128,
                                         -128, -128);
  const __m256i pick1 = _mm256_setr_epi8(-128, -128, -128, -128, -128, -128, 2, 5, 8, 11, 14, -128, -128, -128, -128,
                                         -128, -128, -128, -128, -128, -128, -128, 2, 5, 8, 11, 14, -128, -128, -128,
                                         -128, -128);
  const __m256i pick2 = _mm256_setr_epi8(-128, -128, -128, -128, -128, -128, -128, -128, -128, -128, -128, 1, 4, 7,
                                         10, 13, -128, -128, -128, -128, -128, -128, -128, -128, -128, -128, -128, 1,
                                         4, 7, 10, 13);
  int x = 0;
  for (; x + 32 <= width; x += 32) {
    __m256i s[3];
    for (int i = 0; i < 3; ++i) {
      const __m256i va = Lanes(a + 3 * x + 16 * i), vb = Lanes(b + 3 * x + 16 * i);
      if constexpr (ZeroLevels) {
        s[i] = _mm256_cmpeq_epi8(va, vb);
      } else {
        const __m256i d = _mm256_or_si256(_mm256_subs_epu8(va, vb), _mm256_subs_epu8(vb, va));
        s[i] = _mm256_cmpeq_epi8(_mm256_max_epu8(d, lv[i]), lv[i]);
      }
    }
    // Each byte and the two after it, across vector boundaries.
    const __m256i u0 =
        _mm256_and_si256(s[0], _mm256_and_si256(_mm256_alignr_epi8(s[1], s[0], 1), _mm256_alignr_epi8(s[1], s[0], 2)));
    const __m256i u1 =
        _mm256_and_si256(s[1], _mm256_and_si256(_mm256_alignr_epi8(s[2], s[1], 1), _mm256_alignr_epi8(s[2], s[1], 2)));
    const __m256i u2 = _mm256_and_si256(s[2], _mm256_and_si256(_mm256_srli_si256(s[2], 1), _mm256_srli_si256(s[2], 2)));
    const __m256i unchanged = _mm256_or_si256(
        _mm256_or_si256(_mm256_shuffle_epi8(u0, pick0), _mm256_shuffle_epi8(u1, pick1)), _mm256_shuffle_epi8(u2, pick2));
    _mm256_storeu_si256((__m256i*)(out + x), _mm256_andnot_si256(unchanged, ones));
  }
  return x;
}

// The 5 x 5 window of the detector's own anchor (2, 2), in one pass over
// 32-column chunks: the window's column sums take the new ring row, five
// neighbouring sums are added, the pixels that reach the majority are counted,
// and the sums are stored back without the leaving row. `n` is a multiple of
// 32; every row has 32 more zero columns.
__attribute__((target("avx2"))) void FilterRow5Avx2(uint8_t* vs, const uint8_t* add, const uint8_t* leave, uint8_t* acc,
                                                    int n, int majority) {
  const __m256i maj = _mm256_set1_epi8(char(majority));
  __m256i cur = Column(vs, add, 0);
  for (int x = 0; x < n; x += 32) {
    const __m256i next = Column(vs, add, x + 32);
    const __m256i t = _mm256_permute2x128_si256(cur, next, 0x21);
    __m256i sum = _mm256_add_epi8(cur, _mm256_alignr_epi8(t, cur, 1));
    sum = _mm256_add_epi8(sum, _mm256_alignr_epi8(t, cur, 2));
    sum = _mm256_add_epi8(sum, _mm256_alignr_epi8(t, cur, 3));
    sum = _mm256_add_epi8(sum, _mm256_alignr_epi8(t, cur, 4));
    const __m256i reached = _mm256_cmpeq_epi8(_mm256_max_epu8(sum, maj), sum);
    auto* pa = reinterpret_cast<__m256i*>(acc + x);
    _mm256_storeu_si256(pa, _mm256_sub_epi8(_mm256_loadu_si256(pa), reached));
    const __m256i out = leave ? _mm256_sub_epi8(cur, _mm256_loadu_si256((const __m256i*)(leave + x))) : cur;
    _mm256_storeu_si256((__m256i*)(vs + x), out);
    cur = next;
  }
}
#endif

// Flags of one row: 1 where any channel changed by more than its level.
// `pattern` holds the channel levels repeated over 48 bytes.
void ChangedRow(const uint8_t* a, const uint8_t* b, uint8_t* out, int width, const uint8_t* pattern) {
  int x = 0;
#if defined(VANTREL_MOTION_AVX2)
  if (kCpuAvx2 && gVectorCode.load(std::memory_order_relaxed) && width >= 32) {
    const auto block = pattern[0] == 0 && pattern[1] == 0 && pattern[2] == 0 ? ChangedRowAvx2<true>
                                                                             : ChangedRowAvx2<false>;
    x = block(a, b, out, width, pattern);
    // The last pixels again as one overlapping block: the flags come out the same.
    if (x < width) x = width - 32 + block(a + 3 * (width - 32), b + 3 * (width - 32), out + width - 32, 32, pattern);
  }
#endif
  for (; x < width; ++x)
    out[x] = (AbsDiff(a[3 * x], b[3 * x]) > pattern[0]) | (AbsDiff(a[3 * x + 1], b[3 * x + 1]) > pattern[1]) |
             (AbsDiff(a[3 * x + 2], b[3 * x + 2]) > pattern[2]);
}

// The same window of any size in plain loops.
void FilterRow(uint8_t* vs, const uint8_t* add, const uint8_t* leave, uint8_t* acc, int n, int width, int kw,
               int majority) {
  if (add)
    for (int x = 0; x < n; ++x) vs[x] = uint8_t(vs[x] + add[x]);
  for (int x = 0; x < width; ++x) {
    int s = 0;
    for (int k = 0; k < kw; ++k) s += vs[x + k];
    acc[x] = uint8_t(acc[x] + (s >= majority));
  }
  if (leave)
    for (int x = 0; x < n; ++x) vs[x] = uint8_t(vs[x] - leave[x]);
}

}  // namespace

void TVLMotionDetect::UseVectorCode(bool on) { gVectorCode = on; }

void TVLMotionDetect::Compare(const TVLImageBuffer& prev, const TVLImageBuffer& cur, TVLMotionResult& r) {
  const int w = cur.Width(), h = cur.Height();
  const int ax = anchor_.x, ay = anchor_.y;
  const int kw = 2 * ax + 1, kh = 2 * ay + 1;
  const int majority = kw * kh / 2 + 1;
  // Rows of w pixels with ax zero columns on the left, rounded up to whole
  // 32-column chunks, and one zero chunk more.
  const int chunks = (w + 2 * ax + 31) / 32;
  const int padded = chunks * 32 + 32;
  maskRing_.assign(size_t(kh) * size_t(padded), 0);
  vsum_.assign(size_t(padded), 0);
  filtered_.assign(size_t(padded), 0);  // changed pixels counted per column within a cell row
  cellCounts_.assign(size_t(grid_.columns) * size_t(grid_.rows), 0);
  colStart_.resize(size_t(grid_.columns) + 1);
  // Pixel x lies in cell column x * columns / w (rounded down), so a cell
  // starts at the first x whose product reaches its number.
  auto cellStart = [](int cell, int cells, int size) { return int((int64_t(cell) * size + cells - 1) / cells); };
  for (int c = 0; c <= grid_.columns; ++c) colStart_[size_t(c)] = cellStart(c, grid_.columns, w);
  rowOf_.resize(size_t(h));
  for (int row = 0, y = 0; row < grid_.rows; ++row)
    for (const int end = cellStart(row + 1, grid_.rows, h); y < end; ++y) rowOf_[size_t(y)] = row;

  const uint8_t* pa = prev.Read();
  const uint8_t* pb = cur.Read();
  const size_t line = size_t(cur.LineBytes());
  uint8_t* vs = vsum_.data();
  uint8_t* acc = filtered_.data();
  int accRows = 0;
  uint8_t pattern[48];
  for (int i = 0; i < 48; ++i) pattern[i] = uint8_t(levels_[size_t(i % 3)]);

  auto flush = [&](int cellRow) {
    int* counts = cellCounts_.data() + size_t(cellRow) * size_t(grid_.columns);
    for (int c = 0; c < grid_.columns; ++c) {
      int s = 0;
      for (int x = colStart_[size_t(c)]; x < colStart_[size_t(c) + 1]; ++x) s += acc[x];
      counts[c] += s;
    }
    std::fill(filtered_.begin(), filtered_.end(), uint8_t(0));
    accRows = 0;
  };

  // Rows flow through a ring of kh changed-flag rows whose column sums are kept
  // up to date; each output row then sums kw neighbouring columns.
#if defined(VANTREL_MOTION_AVX2)
  const bool fused = kw == 5 && kCpuAvx2 && gVectorCode.load(std::memory_order_relaxed);
#endif
  for (int yin = 0; yin < h + ay; ++yin) {
    uint8_t* added = nullptr;
    if (yin < h) {
      added = maskRing_.data() + size_t(yin % kh) * size_t(padded);
      ChangedRow(pa + size_t(yin) * line, pb + size_t(yin) * line, added + ax, w, pattern);
    }
    const int y = yin - ay;
    if (y < 0) {
      for (int x = 0; x < padded; ++x) vs[x] = uint8_t(vs[x] + added[x]);
      continue;
    }
    // The row leaving the window after this output row.
    const int leaving = y - ay;
    const uint8_t* left = leaving >= 0 ? maskRing_.data() + size_t(leaving % kh) * size_t(padded) : nullptr;
#if defined(VANTREL_MOTION_AVX2)
    if (fused)
      FilterRow5Avx2(vs, added, left, acc, chunks * 32, majority);
    else
#endif
      FilterRow(vs, added, left, acc, padded, w, kw, majority);
    ++accRows;
    if (y + 1 == h || rowOf_[size_t(y) + 1] != rowOf_[size_t(y)] || accRows == 255) flush(rowOf_[size_t(y)]);
  }

  for (int row = 0; row < grid_.rows; ++row) {
    const int y0 = cellStart(row, grid_.rows, h), y1 = cellStart(row + 1, grid_.rows, h);
    for (int c = 0; c < grid_.columns; ++c) {
      const size_t i = size_t(row) * size_t(grid_.columns) + size_t(c);
      const double area = double(colStart_[size_t(c) + 1] - colStart_[size_t(c)]) * double(y1 - y0);
      const double count = cellCounts_[i];
      const double change = countMode_ == TVLCountMode::cmProportional ? (area > 0 ? count * 100.0 / area : 0) : count;
      r.change[i] = change;
      r.motion[i] = change > grid_.thresholds[i];
    }
  }
}

}  // namespace video
