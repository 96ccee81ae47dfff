// A V4L2 video device read through libv4l2, which converts the device's own
// pixel format to RGB24.
#pragma once

#include <vector>

#include "video/capture/VLFrameSource.h"

namespace video {

class TVLV4L2Device : public TVLFrameSource {
 public:
  // An empty path takes the first video capture device of the system.
  explicit TVLV4L2Device(QString path);
  ~TVLV4L2Device() override;

  void Open(const TVLCaptureFormat& format) override;
  QString DeviceName() const override { return path_; }
  TVLImageBuffer Next(std::chrono::milliseconds timeout) override;
  void Close() noexcept override;

  // The capture devices present, in the order of their numbers.
  static std::vector<QString> CaptureDevices();

 private:
  [[noreturn]] void Fail(const QString& what, int err) const;
  QString path_;
  int fd_ = -1;
  bool streaming_ = false;
  int width_ = 0, height_ = 0, lineBytes_ = 0;
  struct Mapped {
    void* start;
    size_t length;
  };
  std::vector<Mapped> buffers_;
};

}  // namespace video
