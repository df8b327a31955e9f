// Shared set-up for the galaxy tests: a small framebuffer as the surface, the default
// hue wheel and star palette, no frame delay, and running the loop for N frames.
#pragma once

#include <functional>
#include <set>
#include <utility>

#include "effects/galaxy/galaxy_loop.h"
#include "effects/galaxy/galaxy_settings.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/random.h"
#include "render/random_vectors.h"
#include "render/viewport.h"
#include "support/test_support.h"

namespace pyxora::testing {

using Pixel = std::pair<int32_t, int32_t>;

class GalaxyTest : public SurfaceTest {
 protected:
  void SetUp() override {
    SurfaceTest::SetUp();
    BuildStarPalette();
    FillTrigTables();
    SetFixedSeed(7);
  }

  // The factory settings in simulation units, with changes applied before scaling.
  static GalaxySettings Run(const std::function<void(GalaxySettings&)>& change = nullptr) {
    GalaxySettings s = GalaxyDefaults();
    if (change) change(s);
    return NormaliseGalaxySettings(s);
  }
  // Only the galaxy's own stars: no renewals, events or ambient stars.
  static void StarsOnly(GalaxySettings& s) {
    s.NewFreq = 0;
    s.BurstFreq = 0;
    s.CometFreq = 0;
    s.AmbStars = 0;
  }

  // Runs `frames` paced frames from a fresh surface and the fixed seed.
  void RunFrames(const GalaxySettings& run, int frames, std::function<void(const GalaxyWorld&)> afterFrame = {}) {
    canvas_.Prepare();
    ReseedRandom();
    host_.presented = 0;
    gState.StopRequested = false;
    host_.onEvents = [this, frames] {
      if (host_.presented >= frames) gState.StopRequested = true;
    };
    GalaxyLoopOptions options;
    options.afterFrame = std::move(afterFrame);
    GalaxyLoop(run, options);
  }


};

inline constexpr uint32_t kWhite = RgbColor(255, 255, 255);

}  // namespace pyxora::testing
