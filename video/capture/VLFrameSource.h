// Where the capture component takes its frames from: a video device, or in
// tests a stand-in that makes frames itself.
#pragma once

#include <QString>
#include <chrono>
#include <memory>

#include "framework/LPComponent.h"
#include "video/frames/VLSimpleImageBuffer.h"

namespace video {

struct TVLCaptureFormat {
  int height = 270;  // the width follows the device's aspect ratio
  int frameRate = 30;
  TVLPixelFormat format = TVLPixelFormat::vfRGB24;
};

// A device call that failed: which device (empty when none was found) and why,
// in words the user can read.
class EVLDeviceError : public framework::EOWException {
 public:
  EVLDeviceError(QString device, QString reason)
      : framework::EOWException((device + ": " + reason).toStdString()),
        device_(std::move(device)),
        reason_(std::move(reason)) {}
  const QString& Device() const { return device_; }
  const QString& Reason() const { return reason_; }

 private:
  QString device_;
  QString reason_;
};

class TVLFrameSource {
 public:
  virtual ~TVLFrameSource() = default;
  // Opens the device and starts its stream; EVLDeviceError on failure.
  virtual void Open(const TVLCaptureFormat& format) = 0;
  // The device actually opened (after Open).
  virtual QString DeviceName() const = 0;
  // The next frame, waiting at most `timeout`; an empty buffer when none came
  // in time. EVLDeviceError when the device fails.
  virtual TVLImageBuffer Next(std::chrono::milliseconds timeout) = 0;
  // Stops the stream and releases the device; safe to call twice.
  virtual void Close() noexcept = 0;
};

}  // namespace video
