// The grid motion detector. Each frame that arrives while the detector is
// enabled is compared with the previous one: a pixel changed when one of its
// channels moved by more than that channel's noise level; a noise filter keeps
// a changed pixel only when most of the pixels around it (the window whose
// centre is the noise-reduction anchor) changed too; then every cell of the
// motion grid counts its changed pixels and sees motion when the count passes
// its threshold. The frame is then passed on. While disabled, frames are
// dropped and the previous frame is forgotten.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "framework/LPComponent.h"
#include "video/frames/VLStreamTypes.h"
#include "video/frames/VLTypes.h"

namespace video {

struct TVLMotionResult {
  uint64_t frame = 0;     // the sequence number of the frame examined
  bool compared = false;  // false for a frame that had no previous frame
  int columns = 0;
  int rows = 0;
  std::vector<double> change;  // per cell, row by row: percent or pixels
  std::vector<uint8_t> motion;  // per cell: 1 when the change passed the threshold
  bool Moved(int col, int row) const { return motion[size_t(row) * size_t(columns) + size_t(col)] != 0; }
  bool AnyMotion() const {
    for (uint8_t m : motion)
      if (m) return true;
    return false;
  }
};

class TVLMotionDetect : public framework::TLPComponent {
 public:
  TVLMotionDetect();
  ~TVLMotionDetect() override;

  TVLImageSinkPin InputPin;
  TVLImageSourcePin OutputPin;

  // Only stored; read for every frame that arrives.
  bool Enabled() const { return enabled_.load(); }
  void SetEnabled(bool value);

  void SetCountMode(TVLCountMode mode);
  void SetNoiseReductionAnchor(TVLPoint anchor);   // each coordinate 0..7
  void SetNoiseLevels(std::array<int, 3> levels);  // per channel, 0..255
  void SetMotionGrid(const TVLMotionGrid& grid);   // EOWException when malformed

  // The vector units of the processor are used when it has them; off, the
  // detector runs its plain loops (for comparing the two).
  static void UseVectorCode(bool on);

  // The result for the last frame examined; nothing in the program reads it.
  TVLMotionResult LastResult() const;

 private:
  void Process(const TVLImageBuffer& frame);
  void Compare(const TVLImageBuffer& prev, const TVLImageBuffer& cur, TVLMotionResult& out);

  std::atomic<bool> enabled_{false};
  std::atomic<uint64_t> disableEpoch_{0};

  mutable std::mutex settingsLock_;  // settings, and the frame work that reads them
  TVLCountMode countMode_ = TVLCountMode::cmProportional;
  TVLPoint anchor_{2, 2};
  std::array<int, 3> levels_{0, 0, 0};
  TVLMotionGrid grid_;

  // Frame state, touched only by the delivering thread under settingsLock_.
  TVLImageBuffer previous_;
  uint64_t previousEpoch_ = 0;
  std::vector<uint8_t> maskRing_;  // KH rows of changed-pixel flags, padded
  std::vector<uint8_t> vsum_;      // vertical sums of the ring, padded
  std::vector<int> cellCounts_;
  std::vector<int> colStart_, rowOf_;  // cell boundaries
  std::vector<uint8_t> filtered_;      // filtered changes per column within a cell row
  TVLMotionResult scratch_;

  mutable std::mutex resultLock_;
  TVLMotionResult result_;
};

}  // namespace video
