#include "video/capture/VLDSCapture.h"

#include <QMetaObject>

#include "video/capture/VLV4L2Device.h"

namespace video {

using namespace std::chrono_literals;

namespace {

// The readable message of a device failure: the device and the reason.
QString FailureMessage(const EVLDeviceError& e) {
  return QStringLiteral("Видеокамера %1: %2.").arg(e.Device(), e.Reason());
}

}  // namespace

TVLDSCapture::TVLDSCapture()
    : OutputPin(VideoStreamType()),
      factory_([](const QString& device) { return std::make_unique<TVLV4L2Device>(device); }) {}

TVLDSCapture::~TVLDSCapture() {
  framework::TOWLockSection section(Lock());
  StopLocked();
}

bool TVLDSCapture::Enabled() const {
  framework::TOWLockSection section(Lock());
  return enabled_;
}

void TVLDSCapture::SetVideoDevice(const QString& path) {
  framework::TOWLockSection section(Lock());
  device_ = path;
}
void TVLDSCapture::SetFormat(const TVLCaptureFormat& format) {
  framework::TOWLockSection section(Lock());
  format_ = format;
}
void TVLDSCapture::SetSourceFactory(SourceFactory factory) {
  framework::TOWLockSection section(Lock());
  factory_ = std::move(factory);
}


void TVLDSCapture::SetEnabled(bool value) {
  QString failure;
  {
    framework::TOWLockSection section(Lock());
    if (Loading()) {
      enabled_ = value;
      return;
    }
    if (value == enabled_) return;
    if (value)
      failure = StartLocked();
    else
      StopLocked();
  }
  if (!failure.isEmpty()) Report(failure);
}

void TVLDSCapture::Loaded() {
  // A value stored while loading takes effect now.
  bool wanted;
  {
    framework::TOWLockSection section(Lock());
    wanted = enabled_;
    enabled_ = false;
  }
  if (wanted) SetEnabled(true);
}

QString TVLDSCapture::StartLocked() {
  try {
    source_ = factory_ ? factory_(device_) : nullptr;
    if (!source_) throw EVLDeviceError(device_, QStringLiteral("источник кадров не задан"));
    source_->Open(format_);
  } catch (const EVLDeviceError& e) {
    source_.reset();
    return FailureMessage(e);
  } catch (const std::exception& e) {
    source_.reset();
    return FailureMessage(EVLDeviceError(device_, QString::fromLocal8Bit(e.what())));
  }
  queue_.Clear();
  queue_.Reopen();
  const uint64_t run = ++run_;
  TVLFrameSource* source = source_.get();
  grabber_.Start([this, source, run](const std::atomic<bool>& stop) {
    while (!stop) {
      try {
        TVLImageBuffer frame = source->Next(50ms);
        if (frame.Empty()) continue;
        frame.SetSequence(++sequence_);
        queue_.Push(std::move(frame));
      } catch (const std::exception& e) {
        const EVLDeviceError* de = dynamic_cast<const EVLDeviceError*>(&e);
        QString message = de ? FailureMessage(*de)
                             : FailureMessage(EVLDeviceError(source->DeviceName(), QString::fromLocal8Bit(e.what())));
        QMetaObject::invokeMethod(
            &notifier_, [this, run, message] { if (run == run_.load()) DeviceLost(message); }, Qt::QueuedConnection);
        return;
      }
    }
  });
  sender_.Start([this](const std::atomic<bool>& stop) {
    while (!stop) {
      if (auto frame = queue_.Pop(50ms)) OutputPin.Notify(*frame);
    }
  });
  enabled_ = true;
  return {};
}

void TVLDSCapture::StopLocked() {
  grabber_.RequestStop();
  sender_.RequestStop();
  queue_.Close();
  grabber_.Stop();
  sender_.Stop();
  if (source_) source_->Close();
  source_.reset();
  queue_.Clear();
  ++run_;  // a failure posted by the stopped run is no longer news
  enabled_ = false;
}

void TVLDSCapture::DeviceLost(const QString& message) {
  {
    framework::TOWLockSection section(Lock());
    if (!enabled_) return;
    StopLocked();
  }
  Report(message);
}

void TVLDSCapture::Report(const QString& message) const {
  // A copy: the handler may rebind the event.
  if (const auto handler = OnError) handler(message);
}

}  // namespace video
