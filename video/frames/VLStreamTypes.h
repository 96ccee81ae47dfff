// The image stream type and the image pins.
#pragma once

#include "framework/OWPins.h"
#include "video/frames/VLSimpleImageBuffer.h"

namespace video {

inline const framework::TSLStreamType& VideoStreamType() {
  static const framework::TSLStreamType t{"{7F1D9A30-5E2B-4C8E-9B61-0A4D3E2C1B70}", "Video"};
  return t;
}

using TVLImageSourcePin = framework::TOWSourcePin<TVLImageBuffer>;
using TVLImageSinkPin = framework::TOWSinkPin<TVLImageBuffer>;

}  // namespace video
