#include "effects/galaxy/galaxy_build.h"

#include <algorithm>
#include <cmath>

#include "render/colour.h"
#include "render/projection.h"
#include "render/random.h"
#include "render/random_vectors.h"

namespace pyxora {
namespace {

constexpr float kTwoPi = 6.2831855f;
// Keeps r above 0, so 1 / sqrt(r) stays finite for a star on the axis.
constexpr float kAxisOffset = 0.000000001f;
// The "Standard" bulge: the single-precision values the shape has always used.
constexpr float kBulge = 0.12259806f;
constexpr float kBulgeGain = 2.856f;

// A negative argument (r just beyond the rim) gives a flat star rather than NaN.
inline bool Root(float value, float& out) {
  if (!(value >= 0)) return false;
  out = std::sqrt(value);
  return true;
}

// nearest(value) mod 360, brought into 0..359 for negative values too.
inline uint32_t WheelColor(float value) {
  int32_t index = 0;
  if (!RoundToInt32(value, index)) return 0;
  index %= 360;
  if (index < 0) index += 360;
  return HueWheel[static_cast<size_t>(index)];
}

template <class T>
void Fill(std::vector<T>& table, size_t count, T value) {
  table.assign(count, value);
}

}  // namespace

int32_t LimitGalaxyTrail(int32_t trail, int32_t stars) {
  if (stars < 1) return trail;
  return std::min(trail, kTrailSlots / stars);
}

GalaxyWorld::GalaxyWorld(const GalaxySettings& run) {
  starCount = std::max<int32_t>(run.Stars, 0);
  trail = std::max<int32_t>(LimitGalaxyTrail(run.Trail, starCount), 1);
  colorFactor = static_cast<float>(run.ColorMult) * 0.1f;
  novaStep = 80.0f / static_cast<float>(std::max<int16_t>(run.NovaFrames, 1));

  const auto n = static_cast<size_t>(starCount);
  for (auto* t : {&stars.r, &stars.theta, &stars.omega, &stars.h, &stars.novaX, &stars.novaY, &stars.spriteDepth})
    Fill(*t, n, 0.0f);
  Fill(stars.color, n, 0u);
  for (auto* t : {&stars.age, &stars.flashX, &stars.flashY}) Fill(*t, n, 0);
  for (auto* t : {&stars.wait, &stars.newT, &stars.novaT}) Fill(*t, n, int16_t{0});
  Fill(stars.ringX, n * static_cast<size_t>(trail), kGalaxyNoPixel);
  Fill(stars.ringY, n * static_cast<size_t>(trail), 0);

  const auto amb = static_cast<size_t>(std::max<int16_t>(run.AmbStars, 0));
  for (auto* t : {&ambient.x, &ambient.y, &ambient.z, &ambient.vx, &ambient.vy, &ambient.vz, &ambient.colorAge})
    Fill(*t, amb, 0.0f);
  Fill(ambient.column, amb, kGalaxyNoPixel);
  Fill(ambient.row, amb, 0);

  constexpr auto particles = static_cast<size_t>(kEventParticles);
  bursts.size = std::max<int32_t>(run.BurstStars, 1);
  const auto nb = static_cast<size_t>(kEventParticles / bursts.size);
  for (auto* t : {&bursts.dx, &bursts.dy, &bursts.dz}) Fill(*t, particles, 0.0f);
  for (auto* t : {&bursts.live, &bursts.age}) Fill(*t, nb, int16_t{0});
  for (auto* t : {&bursts.r, &bursts.h, &bursts.centreZ, &bursts.theta, &bursts.omega}) Fill(*t, nb, 0.0f);

  comets.size = std::max<int32_t>(run.CometStars, 1);
  const auto nc = static_cast<size_t>(kEventParticles / comets.size);
  for (auto* t : {&comets.x, &comets.y, &comets.z, &comets.vx, &comets.vy, &comets.vz}) Fill(*t, particles, 0.0f);
  for (auto* t : {&comets.age, &comets.live}) Fill(*t, nc, int16_t{0});
  for (auto* t : {&comets.r, &comets.h, &comets.centreZ, &comets.theta, &comets.omega}) Fill(*t, nc, 0.0f);
  Fill(comets.emitting, nc, uint8_t{0});
}

float ProfileEnvelope(int16_t profile, float r, float R, float RSq) {
  float root = 0;
  switch (profile) {
    case 0:  // central bulge, concave shoulder, elliptical rim
      if (r <= 0.25f * R) {
        if (!Root(kBulge * RSq - r * r, root)) return 0;
        return kBulgeGain * root;
      }
      if (r <= 0.5f * R) {
        const float d = 0.5f * R - r;
        if (!Root(kBulge * RSq - d * d, root)) return 0;
        return R * (1.4f - kBulgeGain * root / R);
      } else {
        const float d = r - 0.5f * R;
        if (!Root(0.25f * RSq - d * d, root)) return 0;
        return 0.8f * root;
      }
    case 1: {  // a cap on a plateau, then a quarter circle
      if (r < 0.1f * R) {
        const float c = 0.1f * R;
        if (!Root(c * c - r * r, root)) return 0;
        return 0.75f * R + 2.5f * root;
      }
      if (r < 0.75f * R) {
        const float c = 0.65f * R, d = 0.75f * R - r;
        if (!Root(c * c - d * d, root)) return 0;
        return 0.25f * R + 0.5f * R * (1.0f - root / c);
      }
      const float c = 0.25f * R, d = r - 0.75f * R;
      if (!Root(c * c - d * d, root)) return 0;
      return root;
    }
    case 2:
      return Root(RSq - r * r, root) ? root : 0;
    case 3:
      return R - r;
    case 4:
      return Root(RSq - (R - r) * (R - r), root) ? R - root : 0;
    case 5:
      return Root(RSq - r * r, root) ? R - root : 0;
    case 6:
      return Root(RSq - (R - r) * (R - r), root) ? root : 0;
    default:
      return 0;
  }
}

StarPlace PlaceGalaxyStar(const GalaxySettings& run) {
  const float u1 = Rnd(), u2 = Rnd(), u3 = Rnd();
  StarPlace p;
  p.r = std::pow(u1, run.RadiusExp) * run.Radius + kAxisOffset;
  const float side = u2 - 0.5f;
  const float sign = side > 0 ? 1.0f : (side < 0 ? -1.0f : 0.0f);
  const float h0 = sign * std::pow(u3, run.HeightExp);
  p.h = ProfileEnvelope(run.Profile, p.r, run.Radius, run.RadiusSq) * h0 * run.GHW_Ratio;
  return p;
}

uint32_t GalaxyStarColor(const GalaxySettings& run, float colorFactor, float r, float h, float omega) {
  const auto hue = static_cast<float>(run.HWheelIdx);
  switch (run.ColorComp) {
    case 0:
      return WheelColor(omega * colorFactor * 10.0f + hue);
    case 1:
      return WheelColor(std::sqrt(omega * colorFactor * 1000.0f) + hue);
    case 2:
    case 3: {
      const float fromCore = 1.0f - std::sqrt(r * r + h * h) / run.Radius;
      const float measure = run.ColorComp == 2 ? fromCore : fromCore * fromCore;
      return WheelColor(measure * colorFactor + hue);
    }
    default:  // 4: the galaxy stars are invisible
      return 0;
  }
}

void CreateGalaxyStar(GalaxyWorld& world, const GalaxySettings& run, size_t k) {
  GalaxyStars& s = world.stars;
  const StarPlace p = PlaceGalaxyStar(run);
  s.r[k] = p.r;
  s.h[k] = p.h;
  s.theta[k] = kTwoPi * Rnd();
  s.omega[k] = kTwoPi * run.Rotation / std::sqrt(p.r);  // inner stars turn faster
  s.age[k] = 0;
  s.wait[k] = 0;
  s.newT[k] = 0;
  s.novaT[k] = 0;
  s.color[k] = GalaxyStarColor(run, world.colorFactor, p.r, p.h, s.omega[k]);
}

void BuildGalaxy(GalaxyWorld& world, const GalaxySettings& run) {
  ++world.galaxies;
  world.ringPos = 0;
  world.tilt = -run.AngleTilt;

  BurstPool& b = world.bursts;
  b.alive.assign(static_cast<size_t>(kEventParticles), 0);
  b.column.assign(static_cast<size_t>(kEventParticles), kGalaxyNoPixel);
  b.row.assign(static_cast<size_t>(kEventParticles), 0);
  std::fill(b.live.begin(), b.live.end(), int16_t{0});
  CometPool& c = world.comets;
  c.alive.assign(static_cast<size_t>(kEventParticles), 0);
  c.column.assign(static_cast<size_t>(kEventParticles), kGalaxyNoPixel);
  c.row.assign(static_cast<size_t>(kEventParticles), 0);
  c.colorAge.assign(static_cast<size_t>(kEventParticles), 0);
  std::fill(c.live.begin(), c.live.end(), int16_t{0});
  std::fill(c.emitting.begin(), c.emitting.end(), uint8_t{0});

  world.dist = run.Distance * 0.01f;
  GalaxyStars& s = world.stars;
  for (size_t k = 0; k < static_cast<size_t>(world.starCount); ++k) CreateGalaxyStar(world, run, k);
  // The canvas was cleared (or is fresh): nothing drawn earlier is left to erase.
  std::fill(s.ringX.begin(), s.ringX.end(), kGalaxyNoPixel);
  std::fill(s.spriteDepth.begin(), s.spriteDepth.end(), 0.0f);

  AmbientStars& a = world.ambient;
  for (size_t i = 0; i < a.x.size(); ++i) {
    a.colorAge[i] = 0;
    const float rho = ((1.0f - run.AmbSymmetry) * Rnd() + run.AmbSymmetry) * run.AmbRadius;
    RandomInBall(a.x[i], a.y[i], a.z[i], rho);
    a.vx[i] = 0;
    a.vy[i] = 0;
    a.vz[i] = -run.Velocity;
    a.z[i] = std::fabs(a.z[i]) + world.dist;
    a.column[i] = kGalaxyNoPixel;
  }
}

}  // namespace pyxora
