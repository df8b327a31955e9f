// Galaxy drawing: from galaxy coordinates through the tilt and the galaxy's distance to
// a pixel, and the two sprites drawn instead of a single pixel (the shrinking flash of a
// new star and the growing, layered nova). A sprite is erased by drawing it again with
// the same arguments in black.
#pragma once

#include <cstdint>

#include "effects/galaxy/galaxy_world.h"

namespace pyxora {

struct GalaxyPoint {
  float x = 0, y = 0, depth = 0;  // camera position
  int32_t column = kGalaxyNoPixel, row = 0;
  bool onScreen = false;  // in front of the eye, with a column and row that fit 32 bits
};

// Star (r, theta, h) of a galaxy whose centre lies at depth `dist`, tilted by the angle
// whose sine and cosine are given.
GalaxyPoint GalaxyToScreen(const GalaxyCamera& cam, float dist, float r, float theta, float h, float sinT,
                           float cosT);

// The new-star flash at (X, Y) with `t` frames left: a single pixel far away or near the
// end, up to 25 pixels for a near star that has just appeared.
void DrawNewStar(const GalaxyCamera& cam, const GalaxySettings& run, int32_t X, int32_t Y, float depth, int32_t t,
                 uint32_t color);

// The nova at camera (x, y) and `depth` with `t` frames left: five layers at slightly
// different depths, 97 pixels at most, growing as t counts down.
void DrawNova(const GalaxyCamera& cam, const GalaxySettings& run, float x, float y, float depth, int32_t t,
              uint32_t color);

}  // namespace pyxora
