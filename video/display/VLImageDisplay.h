// The display: draws every frame that reaches its input pin, kept to its aspect
// ratio and centred. Frames arrive on any thread and are handed to the
// user-interface thread through a bounded queue; when drawing falls behind, the
// oldest frames are dropped.
#pragma once

#include <QImage>
#include <QWidget>
#include <atomic>

#include "framework/OWMainThread.h"
#include "video/frames/VLStreamTypes.h"

namespace video {

class TVLImageDisplay : public QWidget {
  Q_OBJECT
 public:
  // Frames waiting for the user-interface thread at most.
  static constexpr size_t kQueueBound = 8;

  explicit TVLImageDisplay(QWidget* parent = nullptr);
  ~TVLImageDisplay() override;

  TVLImageSinkPin InputPin;

  // Aspect ratio of the drawn picture (4 : 3 by default).
  void SetAspectRatio(int x, int y);

  // The rectangle the frame is drawn into: the largest one of the aspect ratio
  // centred in the control.
  QRect PictureRect() const;

  // What has been drawn so far (user-interface thread).
  uint64_t FramesDrawn() const { return drawn_; }
  uint64_t LastFrameDrawn() const { return lastSequence_; }
  const framework::TSLBoundedQueue<TVLImageBuffer>& Queue() const { return handoff_.Queue(); }

 protected:
  void paintEvent(QPaintEvent* e) override;
  // A hidden display forgets its picture: shown again, it never starts with
  // a frame from an earlier run of the camera.
  void hideEvent(QHideEvent* e) override;

 private:
  void Draw(TVLImageBuffer&& frame);

  framework::TOWMainThreadQueue<TVLImageBuffer> handoff_;
  QSize aspect_{4, 3};
  TVLImageBuffer current_;
  QImage picture_;  // over current_'s pixels
  uint64_t drawn_ = 0;
  uint64_t lastSequence_ = 0;
};

}  // namespace video
