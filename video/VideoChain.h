// The live camera picture beside the match: the capture component feeds the
// motion detector, which feeds the display. The chain is created switched off
// with its pins joined; Switch is all the match window does with it.
#pragma once

#include <QPointer>
#include <QWidget>

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
  // A camera failure is reported by the capture component; nothing is thrown.
  void Switch(bool on);

 private:
  QPointer<TVLImageDisplay> display_;
};

}  // namespace video
