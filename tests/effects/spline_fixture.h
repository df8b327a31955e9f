// A small surface, the default colour model and a host that can end a run after a
// number of frames: what the B-spline effect tests share.
#pragma once

#include <set>

#include "render/canvas.h"
#include "render/colour.h"
#include "render/viewport.h"
#include "support/test_support.h"

namespace pyxora::testing {

class SplineTest : public SurfaceTest {
 protected:
  // A run entered next asks to stop (as a closing preview would) after `frames` frames.
  void EndRunAfter(int frames) {
    host_.presented = 0;
    host_.onEvents = [this, frames] {
      if (host_.presented >= frames) gState.PreviewStopRequested = true;
    };
  }

  // The distinct colours of the lit pixels.
  std::set<uint32_t> LitColours() const {
    std::set<uint32_t> colours;
    for (int y = 0; y < canvas_.Height(); ++y)
      for (int x = 0; x < canvas_.Width(); ++x)
        if (const uint32_t c = canvas_.GetPixel(x, y)) colours.insert(c);
    return colours;
  }

};

}  // namespace pyxora::testing
