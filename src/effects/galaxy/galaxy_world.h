// Everything one galaxy run owns, as structs of arrays sized once when the run starts:
// the galaxy stars with their trail ring and sprite positions, the ambient stars, and
// the burst and comet pools. Internal to the effect.
#pragma once

#include <cstdint>
#include <vector>

#include "effects/galaxy/galaxy_settings.h"

namespace pyxora {

class Canvas;

// Points at or behind this depth are not drawn.
inline constexpr float kGalaxyNearPlane = 0.0001f;
// A stored pixel that shows nothing: column -1 is clipped, so erasing it draws nothing.
inline constexpr int32_t kGalaxyNoPixel = -1;
// Both event pools hold this many particles, shared out among as many events as fit.
inline constexpr int32_t kEventParticles = 2000;
// The trail ring never holds more slots than this.
inline constexpr int32_t kTrailSlots = 32000;

// What drawing needs from the camera, read once per run.
struct GalaxyCamera {
  Canvas* dc = nullptr;
  float scale = 0, centreX = 0, centreY = 0, focal = 1;
};

struct GalaxyStars {
  std::vector<float> r, theta, omega, h;
  std::vector<uint32_t> color;
  std::vector<int32_t> age;
  std::vector<int16_t> wait, newT, novaT;
  // Where the flash or nova was drawn, so the next frame can erase it with the same arguments.
  std::vector<int32_t> flashX, flashY;
  std::vector<float> novaX, novaY, spriteDepth;
  // Trail ring: slot ringPos * stars + k holds the pixel star k drew that frame.
  std::vector<int32_t> ringX, ringY;
};

struct AmbientStars {
  std::vector<float> x, y, z, vx, vy, vz;
  std::vector<int32_t> column, row;
  std::vector<float> colorAge;
};

struct BurstPool {
  // Particles: a direction from the burst's centre; the offset is age times it.
  std::vector<float> dx, dy, dz;
  std::vector<int32_t> column, row;
  std::vector<uint8_t> alive;
  // Bursts: burst b owns particles b * size .. b * size + size - 1.
  std::vector<int16_t> live, age;
  std::vector<float> r, h, centreZ, theta, omega;  // centreZ: the event's own distance
  int32_t size = 1;
};

struct CometPool {
  std::vector<float> x, y, z, vx, vy, vz;
  std::vector<int32_t> column, row;
  std::vector<uint8_t> alive;
  std::vector<int16_t> colorAge;
  std::vector<uint8_t> emitting;
  std::vector<int16_t> age, live;
  std::vector<float> r, h, centreZ, theta, omega;  // centreZ: the event's own distance
  int32_t size = 1;
};

// Where each star that only turns lands this frame, worked out for all stars at once
// before the frame's main pass; `quick` is 0 for a star that way cannot place.
struct TurnedPlaces {
  std::vector<float> depth;
  std::vector<int32_t> column, row;
  std::vector<uint8_t> quick;
};

struct GalaxyWorld {
  // `run` is normalised; the trail is limited here so the ring stays within kTrailSlots.
  explicit GalaxyWorld(const GalaxySettings& run);

  GalaxyStars stars;
  AmbientStars ambient;
  BurstPool bursts;
  CometPool comets;
  TurnedPlaces turned;  // scratch of each frame
  int32_t starCount = 0;
  int32_t trail = 1;
  int32_t ringPos = 0;
  float dist = 0;         // depth of the galaxy centre
  float tilt = 0;         // radians
  float colorFactor = 0;  // ColorMult x 0.1
  float novaStep = 0;     // palette entries per nova frame
  int32_t galaxies = 0;   // galaxies built so far this run
};

// Trail = min(Trail, 32000 div Stars), for Stars >= 1.
int32_t LimitGalaxyTrail(int32_t trail, int32_t stars);

}  // namespace pyxora
