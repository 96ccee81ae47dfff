#include "video/VideoChain.h"

namespace video {

TVLVideoChain::TVLVideoChain() : display_(new TVLImageDisplay) {
  // As loaded from the window's layout: every component switched off, then
  // joined pin to pin.
  VLDSCapture1.BeginLoading();
  VLMotionDetect1.BeginLoading();
  VLDSCapture1.SetEnabled(false);
  VLDSCapture1.SetFormat(TVLCaptureFormat{270, 30, TVLPixelFormat::vfRGB24});
  VLMotionDetect1.SetEnabled(false);
  VLMotionDetect1.SetCountMode(TVLCountMode::cmProportional);
  VLMotionDetect1.SetNoiseReductionAnchor({2, 2});
  VLMotionDetect1.SetNoiseLevels({0, 0, 0});
  display_->setObjectName(QStringLiteral("VLImageDisplay1"));
  display_->setGeometry(588, 61, 400, 307);
  display_->SetAspectRatio(4, 3);
  display_->setVisible(false);
  VLDSCapture1.OutputPin.Connect(VLMotionDetect1.InputPin);
  VLMotionDetect1.OutputPin.Connect(display_->InputPin);
  VLDSCapture1.EndLoading();
  VLMotionDetect1.EndLoading();
  // Capture has stopped when it reports: the rest of the chain follows it.
  VLDSCapture1.OnError = [this](const QString& message) {
    Switch(false);
    if (const auto failure = OnFailure) failure(message);
  };
}

TVLVideoChain::~TVLVideoChain() {
  VLDSCapture1.OnError = nullptr;
  VLDSCapture1.SetEnabled(false);
  delete display_.data();  // when its window has not taken it already
}

void TVLVideoChain::SetDisplayParent(QWidget* parent) {
  if (!display_) return;
  const bool visible = !display_->isHidden();
  display_->setParent(parent);
  display_->setGeometry(588, 61, 400, 307);
  display_->raise();
  display_->setVisible(visible);
}

bool TVLVideoChain::Switch(bool on) {
  if (on) {
    if (display_) display_->setVisible(true);
    VLDSCapture1.SetEnabled(true);  // a failure has switched the chain off again
    if (!VLDSCapture1.Enabled()) return false;
    VLMotionDetect1.SetEnabled(true);
  } else {
    VLDSCapture1.SetEnabled(false);
    VLMotionDetect1.SetEnabled(false);
    if (display_) display_->setVisible(false);
  }
  return Running();
}

}  // namespace video
