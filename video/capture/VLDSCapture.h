// The capture component: while enabled, a worker thread takes frames from the
// video device and queues them (at most 120; when the queue is full the oldest
// frame goes), and a second thread sends them out through the output pin.
// A failing device stops capture and is reported through the error event, once
// per failure, as a message naming the device and the reason.
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

#include "framework/LPThread.h"
#include "framework/SLBoundedQueue.h"
#include "video/capture/VLFrameSource.h"
#include "video/frames/VLStreamTypes.h"

namespace video {

class TVLDSCapture : public framework::TLPComponent {
 public:
  static constexpr size_t kQueueBound = 120;

  TVLDSCapture();
  ~TVLDSCapture() override;

  TVLImageSourcePin OutputPin;

  // While loading only stores the value. At run time: true starts capture,
  // false stops it, and a value equal to the running state does nothing.
  bool Enabled() const;
  void SetEnabled(bool value);

  // The device: empty means the first video capture device of the system.
  void SetVideoDevice(const QString& path);
  void SetFormat(const TVLCaptureFormat& format);

  // Makes the frame source for a device path; by default a V4L2 device.
  using SourceFactory = std::function<std::unique_ptr<TVLFrameSource>(const QString& device)>;
  void SetSourceFactory(SourceFactory factory);

  const framework::TSLBoundedQueue<TVLImageBuffer>& Queue() const { return queue_; }

  // The error event: capture could not start, or the device failed while
  // capturing. Called on the thread that created the component, once capture
  // has stopped (Enabled is false); nothing is thrown and nothing is shown.
  std::function<void(const QString& message)> OnError;

 protected:
  void Loaded() override;

 private:
  // Both under the component's lock; they return the failure to report, if any.
  QString StartLocked();
  void StopLocked();
  void Report(const QString& message) const;
  void DeviceLost(const QString& message);

  QObject notifier_;  // delivers failures of the worker thread to the interface thread
  bool enabled_ = false;  // the stored value while loading, the running state afterwards
  QString device_;
  TVLCaptureFormat format_;
  SourceFactory factory_;
  std::unique_ptr<TVLFrameSource> source_;
  framework::TSLBoundedQueue<TVLImageBuffer> queue_{kQueueBound};
  std::atomic<uint64_t> sequence_{0};
  std::atomic<uint64_t> run_{0};  // which start a worker belongs to
  framework::TLPThread grabber_;
  framework::TLPThread sender_;
};

}  // namespace video
