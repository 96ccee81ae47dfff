// A frame source that stands in for a camera, and frame makers for the tests.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <mutex>
#include <random>
#include <thread>

#include "video/capture/VLFrameSource.h"

namespace video_test {

// A plain picture of one grey level with an optional square of another.
inline video::TVLImageBuffer Picture(int w, int h, uint8_t background, int sqX = -1, int sqY = -1, int sqSize = 0,
                                     uint8_t square = 255) {
  video::TVLImageBuffer f(w, h, video::TVLPixelFormat::vfRGB24);
  uint8_t* p = f.Write();
  std::memset(p, background, f.ByteSize());
  for (int y = std::max(0, sqY); y < std::min(h, sqY + sqSize); ++y)
    for (int x = std::max(0, sqX); x < std::min(w, sqX + sqSize); ++x)
      std::memset(p + (size_t(y) * size_t(w) + size_t(x)) * 3, square, 3);
  return f;
}

inline video::TVLImageBuffer Noise(int w, int h, unsigned seed) {
  video::TVLImageBuffer f(w, h, video::TVLPixelFormat::vfRGB24);
  uint8_t* p = f.Write();
  std::mt19937 rng{seed};
  for (size_t i = 0; i < f.ByteSize(); ++i) p[i] = uint8_t(rng());
  return f;
}

// Runs the event loop until `done` holds or the time runs out.
inline bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// What the fake device did; shared with the test, which outlives the source.
struct FakeDeviceLog {
  std::atomic<int> opens{0};
  std::atomic<int> closes{0};
  std::atomic<int> frames{0};
  std::function<void()> onOpen;   // called inside Open, on the caller's thread
  std::function<void()> onClose;  // called inside Close
};

struct FakeDeviceSetup {
  FakeDeviceSetup(std::chrono::microseconds interval = {}, int width = 360, int height = 270, QString openError = {},
                  int failAfter = -1)
      : interval(interval), width(width), height(height), openError(std::move(openError)), failAfter(failAfter) {}
  std::chrono::microseconds interval;  // between frames; 0: as fast as asked
  int width, height;
  QString openError;  // non-empty: Open fails with it
  int failAfter;      // >= 0: Next fails after that many frames
};

class FakeDevice : public video::TVLFrameSource {
 public:
  FakeDevice(QString name, FakeDeviceSetup setup, FakeDeviceLog* log)
      : name_(std::move(name)), setup_(std::move(setup)), log_(log) {}
  ~FakeDevice() override { Close(); }

  void Open(const video::TVLCaptureFormat&) override {
    if (log_->onOpen) log_->onOpen();
    if (!setup_.openError.isEmpty()) throw video::EVLDeviceError(name_, setup_.openError);
    ++log_->opens;
    open_ = true;
  }
  QString DeviceName() const override { return name_; }
  video::TVLImageBuffer Next(std::chrono::milliseconds) override {
    if (setup_.failAfter >= 0 && made_ >= setup_.failAfter)
      throw video::EVLDeviceError(name_, QStringLiteral("устройство отключено"));
    if (setup_.interval.count() > 0) std::this_thread::sleep_for(setup_.interval);
    // A square that moves one cell width per frame over a grey field.
    const int step = made_++ % 8;
    video::TVLImageBuffer f = Picture(setup_.width, setup_.height, 90, step * setup_.width / 8, 0, setup_.height / 6);
    ++log_->frames;
    return f;
  }
  void Close() noexcept override {
    if (!open_) return;
    open_ = false;
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

}  // namespace video_test
