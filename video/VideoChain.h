// The live camera picture beside the match: the capture component feeds the
// motion detector, which feeds the display. The chain is created switched off
// with its pins joined; the match window switches it and hears of failures.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "video/capture/VLDSCapture.h"
#include "video/display/VLImageDisplay.h"
#include "video/display/VLMotionDetect.h"

namespace video {

class TVLVideoChain {
 public:
  TVLVideoChain();
  ~TVLVideoChain();
  TVLVideoChain(const TVLVideoChain&) = delete;
  TVLVideoChain& operator=(const TVLVideoChain&) = delete;

  TVLDSCapture VLDSCapture1;
  TVLMotionDetect VLMotionDetect1;
  TVLImageDisplay* VLImageDisplay1() const { return display_; }

  // Puts the display into its window: 400 x 307 at (588, 61), above the
  // picture behind it, hidden until switched on.
  void SetDisplayParent(QWidget* parent);

  // The video check box: on shows the display, then enables capture, then the
  // detector; off disables capture, then the detector, then hides the display.
  // Returns whether the camera runs afterwards: a camera that cannot start
  // leaves the chain off, and OnFailure has been told.
  bool Switch(bool on);
  bool Running() const { return VLDSCapture1.Enabled(); }

  // The camera failed, at switch-on or while running: the chain has switched
  // itself off (the display hidden, no last frame left standing). Called on
  // the interface thread with a message naming the device and the reason.
  std::function<void(const QString& message)> OnFailure;

 private:
  QPointer<TVLImageDisplay> display_;
};

}  // namespace video
