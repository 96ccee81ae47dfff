// Pixel formats, motion count modes and the motion grid.
#pragma once

#include <cstdint>
#include <vector>

namespace video {

// The capture's only format: three bytes a pixel.
enum class TVLPixelFormat { vfRGB24 };

inline int BytesPerPixel(TVLPixelFormat) { return 3; }

// How a cell's change is measured: the share of its pixels that changed, in
// percent (proportional), or their number (absolute).
enum class TVLCountMode { cmProportional, cmAbsolute };

struct TVLPoint {
  int x = 0;
  int y = 0;
};

// The frame divided into Columns x Rows cells, each with the change that counts
// as motion in it (percent or pixels, by the count mode). A cell sees motion
// when its change is above its threshold.
struct TVLMotionGrid {
  int columns = 8;
  int rows = 6;
  std::vector<int> thresholds = std::vector<int>(48, 5);
  int Threshold(int col, int row) const { return thresholds[size_t(row) * size_t(columns) + size_t(col)]; }
};

}  // namespace video
