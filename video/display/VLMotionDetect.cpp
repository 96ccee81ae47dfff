#include "video/display/VLMotionDetect.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace video {

TVLMotionDetect::TVLMotionDetect()
    : framework::TLPComponent("VLMotionDetect"),
      InputPin(VideoStreamType(), [this](const TVLImageBuffer& f) { Process(f); }),
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

TVLCountMode TVLMotionDetect::CountMode() const {
  std::lock_guard lk(settingsLock_);
  return countMode_;
}
void TVLMotionDetect::SetCountMode(TVLCountMode mode) {
  std::lock_guard lk(settingsLock_);
  countMode_ = mode;
}
TVLPoint TVLMotionDetect::NoiseReductionAnchor() const {
  std::lock_guard lk(settingsLock_);
  return anchor_;
}
void TVLMotionDetect::SetNoiseReductionAnchor(TVLPoint anchor) {
  std::lock_guard lk(settingsLock_);
  anchor_.x = std::clamp(anchor.x, 0, 7);
  anchor_.y = std::clamp(anchor.y, 0, 7);
}
std::array<int, 3> TVLMotionDetect::NoiseLevels() const {
  std::lock_guard lk(settingsLock_);
  return levels_;
}
void TVLMotionDetect::SetNoiseLevels(std::array<int, 3> levels) {
  std::lock_guard lk(settingsLock_);
  for (int& l : levels) l = std::clamp(l, 0, 255);
  levels_ = levels;
}
TVLMotionGrid TVLMotionDetect::MotionGrid() const {
  std::lock_guard lk(settingsLock_);
  return grid_;
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
  // Outside the lock, so that a handler may change the settings.
  if (OnMotion) OnMotion(LastResult());
  OutputPin.Notify(frame);
}

namespace {

inline uint8_t AbsDiff(uint8_t a, uint8_t b) { return uint8_t(a > b ? a - b : b - a); }

#if defined(__x86_64__) || defined(__i386__)
#define VANTREL_MOTION_SSSE3 1
// Sixteen pixels (three vectors) at a time: a pixel is unchanged when all three
// of its channels stayed within their levels.
__attribute__((target("ssse3"))) int ChangedRowSsse3(const uint8_t* a, const uint8_t* b, uint8_t* out, int width,
                                                       const uint8_t* pattern) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i ones = _mm_set1_epi8(1);
  const __m128i lv0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern));
  const __m128i lv1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern + 16));
  const __m128i lv2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern + 32));
  // Picks byte 3j of each vector into byte j of the result.
  const __m128i pick0 = _mm_setr_epi8(0, 3, 6, 9, 12, 15, -128, -128, -128, -128, -128, -128, -128, -128, -128, -128);
  const __m128i pick1 = _mm_setr_epi8(-128, -128, -128, -128, -128, -128, 2, 5, 8, 11, 14, -128, -128, -128, -128, -128);
  const __m128i pick2 = _mm_setr_epi8(-128, -128, -128, -128, -128, -128, -128, -128, -128, -128, -128, 1, 4, 7, 10, 13);
#define VANTREL_SAME(off, lv)                                                                  \
  _mm_cmpeq_epi8(                                                                              \
      _mm_subs_epu8(_mm_or_si128(_mm_subs_epu8(_mm_loadu_si128((const __m128i*)(a + (off))),   \
                                               _mm_loadu_si128((const __m128i*)(b + (off)))),  \
                                 _mm_subs_epu8(_mm_loadu_si128((const __m128i*)(b + (off))),   \
                                               _mm_loadu_si128((const __m128i*)(a + (off))))), \
                    lv),                                                                       \
      zero)
  int x = 0;
  for (; x + 16 <= width; x += 16) {
    const int o = 3 * x;
    __m128i s0 = VANTREL_SAME(o, lv0), s1 = VANTREL_SAME(o + 16, lv1), s2 = VANTREL_SAME(o + 32, lv2);
    // Each byte and the two after it, across vector boundaries.
    __m128i u0 = _mm_and_si128(s0, _mm_and_si128(_mm_alignr_epi8(s1, s0, 1), _mm_alignr_epi8(s1, s0, 2)));
    __m128i u1 = _mm_and_si128(s1, _mm_and_si128(_mm_alignr_epi8(s2, s1, 1), _mm_alignr_epi8(s2, s1, 2)));
    __m128i u2 = _mm_and_si128(s2, _mm_and_si128(_mm_srli_si128(s2, 1), _mm_srli_si128(s2, 2)));
    __m128i unchanged = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(u0, pick0), _mm_shuffle_epi8(u1, pick1)),
                                     _mm_shuffle_epi8(u2, pick2));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_andnot_si128(unchanged, ones));
  }
  return x;
#undef VANTREL_SAME
}
// The same on 32 pixels: each 128-bit lane takes one group of sixteen.
template <bool ZeroLevels>
__attribute__((target("avx2"))) int ChangedRowAvx2(const uint8_t* a, const uint8_t* b, uint8_t* out, int width,
                                                     const uint8_t* pattern) {
  const __m256i ones = _mm256_set1_epi8(1);
#define VANTREL_LANES(p, off)                                                                      \
  _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128((const __m128i*)((p) + (off)))), \
                          _mm_loadu_si128((const __m128i*)((p) + (off) + 48)), 1)
  const __m256i lv0 = _mm256_broadcastsi128_si256(_mm_loadu_si128((const __m128i*)pattern));
  const __m256i lv1 = _mm256_broadcastsi128_si256(_mm_loadu_si128((const __m128i*)(pattern + 16)));
  const __m256i lv2 = _mm256_broadcastsi128_si256(_mm_loadu_si128((const __m128i*)(pattern + 32)));
  const __m256i pick0 = _mm256_setr_epi8(0, 3, 6, 9, 12, 15, -128, -128, -128, -128, -128, -128, -128, -128, -128,
                                         -128, 0, 3, 6, 9, 12, 15, -128, -128, -128, -128, -128, -128, -128, -128,
                                         -128, -128);
  const __m256i pick1 = _mm256_setr_epi8(-128, -128, -128, -128, -128, -128, 2, 5, 8, 11, 14, -128, -128, -128, -128,
                                         -128, -128, -128, -128, -128, -128, -128, 2, 5, 8, 11, 14, -128, -128, -128,
                                         -128, -128);
  const __m256i pick2 = _mm256_setr_epi8(-128, -128, -128, -128, -128, -128, -128, -128, -128, -128, -128, 1, 4, 7,
                                         10, 13, -128, -128, -128, -128, -128, -128, -128, -128, -128, -128, -128, 1,
                                         4, 7, 10, 13);
  // Within the level: max(|a - b|, level) == level; with level 0 simply a == b.
#define VANTREL_SAME256(off, lv, out)                                                   \
  {                                                                                     \
    __m256i va = VANTREL_LANES(a, off), vb = VANTREL_LANES(b, off);                     \
    if constexpr (ZeroLevels) {                                                         \
      out = _mm256_cmpeq_epi8(va, vb);                                                  \
    } else {                                                                            \
      __m256i d = _mm256_or_si256(_mm256_subs_epu8(va, vb), _mm256_subs_epu8(vb, va));  \
      out = _mm256_cmpeq_epi8(_mm256_max_epu8(d, lv), lv);                              \
    }                                                                                   \
  }
  int x = 0;
  for (; x + 32 <= width; x += 32) {
    const int o = 3 * x;
    __m256i s0, s1, s2;
    VANTREL_SAME256(o, lv0, s0)
    VANTREL_SAME256(o + 16, lv1, s1)
    VANTREL_SAME256(o + 32, lv2, s2)
    __m256i u0 = _mm256_and_si256(s0, _mm256_and_si256(_mm256_alignr_epi8(s1, s0, 1), _mm256_alignr_epi8(s1, s0, 2)));
    __m256i u1 = _mm256_and_si256(s1, _mm256_and_si256(_mm256_alignr_epi8(s2, s1, 1), _mm256_alignr_epi8(s2, s1, 2)));
    __m256i u2 = _mm256_and_si256(s2, _mm256_and_si256(_mm256_srli_si256(s2, 1), _mm256_srli_si256(s2, 2)));
    __m256i unchanged = _mm256_or_si256(
        _mm256_or_si256(_mm256_shuffle_epi8(u0, pick0), _mm256_shuffle_epi8(u1, pick1)), _mm256_shuffle_epi8(u2, pick2));
    _mm256_storeu_si256((__m256i*)(out + x), _mm256_andnot_si256(unchanged, ones));
  }
  return x;
#undef VANTREL_SAME256
#undef VANTREL_LANES
}

// Asked while the program's static objects are built: the processor model is
// read first.
bool CpuHas(bool ssse3) {
  __builtin_cpu_init();
  return ssse3 ? __builtin_cpu_supports("ssse3") : __builtin_cpu_supports("avx2");
}
const bool kCpuSsse3 = CpuHas(true);
const bool kCpuAvx2 = CpuHas(false);
#endif
std::atomic<bool> gVectorCode{true};

// Flags of one row: 1 where any channel changed by more than its level.
// `pattern` holds the channel levels repeated over 48 bytes.
void ChangedRow(const uint8_t* a, const uint8_t* b, uint8_t* out, int width, const uint8_t* pattern) {
  int x = 0;
#if defined(VANTREL_MOTION_SSSE3)
  const bool vector = gVectorCode.load(std::memory_order_relaxed);
  const bool avx2 = vector && kCpuAvx2, ssse3 = vector && kCpuSsse3;
  if (avx2) {
    const bool zeroLevels = pattern[0] == 0 && pattern[1] == 0 && pattern[2] == 0;
    x = zeroLevels ? ChangedRowAvx2<true>(a, b, out, width, pattern) : ChangedRowAvx2<false>(a, b, out, width, pattern);
  }
  if (ssse3 && width - x >= 16) x += ChangedRowSsse3(a + 3 * x, b + 3 * x, out + x, width - x, pattern);
  // The last pixels again as one overlapping block: the flags come out the same.
  if (ssse3 && x < width && width >= 16)
    x = width - 16 + ChangedRowSsse3(a + 3 * (width - 16), b + 3 * (width - 16), out + width - 16, 16, pattern);
#endif
  const uint8_t l0 = pattern[0], l1 = pattern[1], l2 = pattern[2];
  for (; x < width; ++x)
    out[x] = (AbsDiff(a[3 * x], b[3 * x]) > l0) | (AbsDiff(a[3 * x + 1], b[3 * x + 1]) > l1) |
             (AbsDiff(a[3 * x + 2], b[3 * x + 2]) > l2);
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
#define VANTREL_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VANTREL_CLONES
#endif

VANTREL_CLONES void AddRow(uint8_t* __restrict v, const uint8_t* __restrict row, int n) {
  for (int x = 0; x < n; ++x) v[x] = uint8_t(v[x] + row[x]);
}
VANTREL_CLONES void SubRow(uint8_t* __restrict v, const uint8_t* __restrict row, int n) {
  for (int x = 0; x < n; ++x) v[x] = uint8_t(v[x] - row[x]);
}

// acc[x] += 1 where the kw column sums around x reach the majority.
template <int KW>
VANTREL_CLONES void CountFilteredK(const uint8_t* __restrict vs, uint8_t* __restrict acc, int width, int majority) {
  const uint8_t maj = uint8_t(majority);
  for (int x = 0; x < width; ++x) {
    uint8_t s = 0;
    for (int k = 0; k < KW; ++k) s = uint8_t(s + vs[x + k]);
    acc[x] = uint8_t(acc[x] + (s >= maj));
  }
}

void CountFiltered(const uint8_t* vs, uint8_t* acc, int width, int kw, int majority) {
  switch (kw) {
    case 1: return CountFilteredK<1>(vs, acc, width, majority);
    case 3: return CountFilteredK<3>(vs, acc, width, majority);
    case 5: return CountFilteredK<5>(vs, acc, width, majority);
    case 7: return CountFilteredK<7>(vs, acc, width, majority);
    case 9: return CountFilteredK<9>(vs, acc, width, majority);
    case 11: return CountFilteredK<11>(vs, acc, width, majority);
    case 13: return CountFilteredK<13>(vs, acc, width, majority);
    default: return CountFilteredK<15>(vs, acc, width, majority);
  }
}

#if defined(VANTREL_MOTION_SSSE3)
// Adds the chunk moved left by K..1 bytes (t holds the chunk's upper lane and
// the next chunk's lower one).
template <int K>
__attribute__((target("avx2"), always_inline)) inline __m256i ShiftedSum(__m256i sum, __m256i cur, __m256i t) {
  if constexpr (K == 0) {
    return sum;
  } else {
    return ShiftedSum<K - 1>(_mm256_add_epi8(sum, _mm256_alignr_epi8(t, cur, K)), cur, t);
  }
}

// One output row in a single pass over 32-column chunks: the column sums of the
// window are updated with the new ring row in registers, summed over KW
// neighbouring columns, counted, and stored back without the leaving row.
// `n` is a multiple of 32; every row has 32 more zero columns.
template <int KW>
__attribute__((target("avx2"))) void FilterRowAvx2(uint8_t* vs, const uint8_t* add, const uint8_t* leave,
                                                    uint8_t* acc, int n, int majority) {
  const __m256i maj = _mm256_set1_epi8(char(majority));
  const __m256i none = _mm256_setzero_si256();
#define VANTREL_COLUMN(x)                          \
  _mm256_add_epi8(_mm256_loadu_si256((const __m256i*)(vs + (x))), \
                  add ? _mm256_loadu_si256((const __m256i*)(add + (x))) : none)
  __m256i cur = VANTREL_COLUMN(0);
  for (int x = 0; x < n; x += 32) {
    const __m256i next = VANTREL_COLUMN(x + 32);
    const __m256i t = _mm256_permute2x128_si256(cur, next, 0x21);
    const __m256i sum = ShiftedSum<KW - 1>(cur, cur, t);
    const __m256i reached = _mm256_cmpeq_epi8(_mm256_max_epu8(sum, maj), sum);
    auto* pa = reinterpret_cast<__m256i*>(acc + x);
    _mm256_storeu_si256(pa, _mm256_sub_epi8(_mm256_loadu_si256(pa), reached));
    const __m256i out = leave ? _mm256_sub_epi8(cur, _mm256_loadu_si256((const __m256i*)(leave + x))) : cur;
    _mm256_storeu_si256((__m256i*)(vs + x), out);
    cur = next;
  }
#undef VANTREL_COLUMN
}

using FilterRowFn = void (*)(uint8_t*, const uint8_t*, const uint8_t*, uint8_t*, int, int);
FilterRowFn FilterRowFor(int kw) {
  if (!kCpuAvx2 || !gVectorCode.load(std::memory_order_relaxed)) return nullptr;
  switch (kw) {
    case 1: return FilterRowAvx2<1>;
    case 3: return FilterRowAvx2<3>;
    case 5: return FilterRowAvx2<5>;
    case 7: return FilterRowAvx2<7>;
    case 9: return FilterRowAvx2<9>;
    case 11: return FilterRowAvx2<11>;
    case 13: return FilterRowAvx2<13>;
    default: return FilterRowAvx2<15>;
  }
}
#endif

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
#if defined(VANTREL_MOTION_SSSE3)
  const FilterRowFn fused = FilterRowFor(kw);
#endif
  for (int yin = 0; yin < h + ay; ++yin) {
    uint8_t* added = nullptr;
    if (yin < h) {
      added = maskRing_.data() + size_t(yin % kh) * size_t(padded);
      ChangedRow(pa + size_t(yin) * line, pb + size_t(yin) * line, added + ax, w, pattern);
    }
    const int y = yin - ay;
    if (y < 0) {
      AddRow(vs, added, padded);
      continue;
    }
    // The row leaving the window after this output row.
    const int leaving = y - ay;
    const uint8_t* left = leaving >= 0 ? maskRing_.data() + size_t(leaving % kh) * size_t(padded) : nullptr;
#if defined(VANTREL_MOTION_SSSE3)
    if (fused) {
      fused(vs, added, left, acc, chunks * 32, majority);
    } else
#endif
    {
      if (added) AddRow(vs, added, padded);
      CountFiltered(vs, acc, w, kw, majority);
      if (left) SubRow(vs, left, padded);
    }
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
