// Galaxy construction: where a star sits, how fast it turns and what colour it gets,
// the profile shapes, and the set-up of each new galaxy.
#pragma once

#include <cstdint>

#include "effects/galaxy/galaxy_world.h"

namespace pyxora {

struct StarPlace {
  float r = 0, h = 0;
};

// The envelope height T(r) of `profile` (0..6) for a galaxy of radius R; 0 where the
// shape's square root would be of a negative number (r just beyond R).
float ProfileEnvelope(int16_t profile, float r, float R, float RSq);
// A random distance from the axis and height, drawn as three uniforms in order.
StarPlace PlaceGalaxyStar(const GalaxySettings& run);
// The hue-wheel colour of colour measure `comp` for a star at (r, h) turning at omega.
uint32_t GalaxyStarColor(const GalaxySettings& run, float colorFactor, float r, float h, float omega);
// New place, angle, speed and colour for star k; age and timers 0.
void CreateGalaxyStar(GalaxyWorld& world, const GalaxySettings& run, size_t k);
// The start of a galaxy cycle: tilt, fresh event pools, distance, stars, ambient stars.
void BuildGalaxy(GalaxyWorld& world, const GalaxySettings& run);

}  // namespace pyxora
