#include "video/frames/VLSimpleImageBuffer.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace video {

std::atomic<long> TVLImageBuffer::live_{0};

TVLImageBuffer::Block::Block(size_t size) : bytes(nullptr), size(size) {
  size_t rounded = (size + 31) / 32 * 32;
  bytes = static_cast<uint8_t*>(std::aligned_alloc(32, rounded == 0 ? 32 : rounded));
  if (!bytes) throw std::bad_alloc();
  ++live_;
}

TVLImageBuffer::Block::~Block() {
  std::free(bytes);
  --live_;
}

TVLImageBuffer::TVLImageBuffer(int width, int height, TVLPixelFormat format)
    : width_(width), height_(height), format_(format) {
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384)
    throw std::invalid_argument("image size out of range");
  data_ = std::make_shared<Block>(ByteSize());
}

uint8_t* TVLImageBuffer::Write() {
  if (!data_) return nullptr;
  if (data_.use_count() > 1) {
    auto copy = std::make_shared<Block>(data_->size);
    std::memcpy(copy->bytes, data_->bytes, data_->size);
    data_ = std::move(copy);
  }
  return data_->bytes;
}

}  // namespace video
