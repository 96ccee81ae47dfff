// An image buffer: one frame, shared between pins by reference and copied on
// write. Its pixel rows are 32-byte aligned and packed (no row padding).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "video/frames/VLTypes.h"

namespace video {

class TVLImageBuffer {
 public:
  TVLImageBuffer() = default;
  TVLImageBuffer(int width, int height, TVLPixelFormat format);

  bool Empty() const { return !data_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  TVLPixelFormat Format() const { return format_; }
  int LineBytes() const { return width_ * BytesPerPixel(format_); }
  size_t ByteSize() const { return size_t(LineBytes()) * size_t(height_); }
  bool SameShape(const TVLImageBuffer& o) const {
    return width_ == o.width_ && height_ == o.height_ && format_ == o.format_;
  }

  const uint8_t* Read() const { return data_ ? data_->bytes : nullptr; }
  // Writable pixels; a buffer shared with others is copied first.
  uint8_t* Write();

  // The frame's number in its stream (set by the producer).
  uint64_t Sequence() const { return sequence_; }
  void SetSequence(uint64_t s) { sequence_ = s; }

  // Pixel blocks alive in the process (for leak checks).
  static long LiveBlocks() { return live_.load(); }

 private:
  struct Block {
    explicit Block(size_t size);
    ~Block();
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
    uint8_t* bytes;
    size_t size;
  };
  std::shared_ptr<Block> data_;
  int width_ = 0;
  int height_ = 0;
  TVLPixelFormat format_ = TVLPixelFormat::vfRGB24;
  uint64_t sequence_ = 0;
  static std::atomic<long> live_;
};

}  // namespace video
