// Shared set-up for the gravity-well tests: a small framebuffer as the surface, the
// default hue wheel, no frame delay, and helpers to run the loop for N frames.
#pragma once

#include <set>
#include <utility>
#include <vector>

#include "effects/gravity/gravity_loop.h"
#include "effects/gravity/gravity_settings.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/projection.h"
#include "render/random.h"
#include "render/viewport.h"
#include "support/test_support.h"

namespace pyxora::testing {

using Pixel = std::pair<int32_t, int32_t>;

class GravityTest : public SurfaceTest {
 protected:
  // The factory settings in simulation units, with changes applied before scaling.
  template <class Change>
  static GravitySettings Run(Change change) {
    GravitySettings s = GravityDefaults();
    change(s);
    return NormaliseGravitySettings(s);
  }

  // Asks the loop to stop once `frames` frames have been presented.
  void StopAfter(int frames) {
    host_.onEvents = [this, frames] {
      if (host_.presented >= frames) gState.StopRequested = true;
    };
  }

  // Runs `frames` frames from a fresh surface and the fixed seed.
  void RunFrames(const GravitySettings& run, bool stereo, int frames, GravityLoopOptions options = {}) {
    canvas_.Prepare();
    ReseedRandom();
    host_.presented = 0;
    gState.StopRequested = false;
    StopAfter(frames);
    GravityLoop(run, stereo, options);
  }

  std::vector<uint32_t> Pixels() const {
    return std::vector<uint32_t>(canvas_.Data(), canvas_.Data() + static_cast<size_t>(kWidth) * kHeight);
  }


  // Where star k of `field` is drawn, when it is drawn at all.
  static std::optional<Pixel> StarPixel(const StarField& field, size_t k) {
    if (!field.alive[k] || !(field.z[k] > 0.0001f)) return std::nullopt;
    const auto p = Project(gViewport, field.x[k], field.y[k], field.z[k]);
    if (!p || p->x < 0 || p->y < 0 || p->x >= kWidth || p->y >= kHeight) return std::nullopt;
    return Pixel{p->x, p->y};
  }

};

inline constexpr uint32_t kWhite = RgbColor(255, 255, 255);

}  // namespace pyxora::testing
