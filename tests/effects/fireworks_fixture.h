// Shared set-up for the fireworks tests: a small framebuffer as the surface, the default
// hue wheel, no frame delay, settings from the factory values with changes, and runs of
// the frame loop for N frames.
#pragma once

#include <functional>

#include "effects/fireworks/fireworks_loop.h"
#include "effects/fireworks/fireworks_settings.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/random.h"
#include "render/viewport.h"
#include "support/test_support.h"

namespace pyxora::testing {

class FireworksTest : public SurfaceTest {
 protected:
  // The factory settings in simulation units, with changes made in stored units first.
  static FireworksSettings Settings(const std::function<void(FireworksSettings&)>& change = {}) {
    FireworksSettings s = FireworksDefaults();
    if (change) change(s);
    for (float FireworksSettings::*radius : {&FireworksSettings::FireBurstRadius, &FireworksSettings::FireLaunchRadius,
                                             &FireworksSettings::FireTwistRad, &FireworksSettings::FireTwistExt})
      s.*radius *= kFireworksRadiusUnit;  // as the loader does
    CapFireworksSlots(s);
    return NormaliseFireworksSettings(s);
  }

  // No launches and no special bursts: every shell a standard burst.
  static void StandardOnly(FireworksSettings& s) {
    s.FireLaunchPct = 0;
    s.FireScintPct = s.FireMultiPct = s.FireBurstPct = s.FireSparkPct = 0;
    s.FireRingPct = s.FireTwistPct = s.FireDecayPct = 0;
  }

  // Runs the loop from a fresh surface and the fixed seed until `frames` frames were
  // presented (or it ends by itself); `watch` sees the run after every frame.
  void RunFrames(const FireworksSettings& run, int frames, std::function<void(const FireworksRun&)> watch = {}) {
    canvas_.Prepare();
    ReseedRandom();
    host_.presented = 0;
    gState.StopRequested = false;
    host_.onEvents = [this, frames] {
      if (host_.presented >= frames) gState.StopRequested = true;
    };
    FireworksLoop(run, {std::move(watch)});
  }

};

}  // namespace pyxora::testing
