// The galaxy frame loop: stars turn, leave trails, are renewed as flashes or novae; the
// galaxy tilts and approaches the eye and is rebuilt once it has passed. Internal to the
// effect: the host reaches it through RunGalaxies, the preview and the demo.
#pragma once

#include <cstdint>
#include <functional>

#include "effects/galaxy/galaxy_draw.h"
#include "effects/galaxy/galaxy_world.h"

namespace pyxora {

struct GalaxyLoopOptions {
  // Called after each frame is drawn, before it is paced (tests watch the world here).
  std::function<void(const GalaxyWorld&)> afterFrame;
};

// The camera of gViewport; a surface-less canvas when there is none, so stars still move.
GalaxyCamera CurrentGalaxyCamera(Canvas& fallback);

// Runs galaxy cycles with the normalised settings `run` until a stop, a preview stop
// or the cycle's frame limit.
void GalaxyLoop(const GalaxySettings& run, const GalaxyLoopOptions& options = {});

// Steps 2 to 7 of one frame (tilt, stars, events, ring, renewals, approach). True when
// the galaxy has passed the eye and must be rebuilt.
bool GalaxyFrame(GalaxyWorld& world, const GalaxySettings& run, const GalaxyCamera& cam);

// Where every star lands if this frame only turns it (theta + omega), into
// world.turned, worked out before the frame's main pass; the rare stars this way cannot
// place (an angle past its range, a pixel past 2^22, the last few of an odd count) are
// left to GalaxyToScreen.
void PlaceTurnedStars(GalaxyWorld& world, const GalaxyCamera& cam, float sinT, float cosT);
// Star k's place once the frame has turned it (theta[k] holds theta + omega), from world.turned or else GalaxyToScreen: the
// depth, pixel and onScreen GalaxyToScreen gives for the turned angle (x and y are left 0).
GalaxyPoint TurnedPoint(const GalaxyWorld& world, const GalaxyCamera& cam, size_t k, float sinT, float cosT);

// How many renewals this frame tries: about NewFreq / 100, the fraction by chance.
int32_t RenewalCount(int16_t newFreq);

// The rebirth of a star whose trail has been erased: a new place, then a flash or a nova.
void RenewStar(GalaxyWorld& world, const GalaxySettings& run, const GalaxyCamera& cam, size_t k, float sinT,
               float cosT);

}  // namespace pyxora
