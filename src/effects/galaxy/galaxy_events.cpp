#include "effects/galaxy/galaxy_events.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "effects/galaxy/galaxy_build.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/projection.h"
#include "render/random.h"
#include "render/random_vectors.h"

namespace pyxora {
namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr int16_t kPaletteSize = 80;

// Camera position of the centre of an event at (r, theta, h) whose own depth is z.
struct Head {
  float x = 0, y = 0, z = 0;
};
inline Head EventHead(float r, float theta, float h, float z, float sinT, float cosT) {
  const float a = r * std::sin(theta);
  return {r * std::cos(theta), a * sinT - cosT * h, a * cosT + z + sinT * h};
}

// Column and row of a camera point in front of the eye; false when they do not fit 32 bits.
inline bool ProjectPoint(const GalaxyCamera& cam, float x, float y, float z, int32_t& column, int32_t& row) {
  return RoundToInt32(x * cam.scale / z + cam.centreX, column) && RoundToInt32(y * cam.scale / z + cam.centreY, row);
}

// A random slot among `count`.
inline size_t RandomSlot(size_t count) {
  const auto slot = static_cast<size_t>(std::floor(Rnd() * static_cast<float>(count)));
  return std::min(slot, count - 1);
}

inline void Older(int16_t& age) {
  if (age < std::numeric_limits<int16_t>::max()) ++age;
}

// The solar wind's gain: a push of length CometSWind away from the world centre.
inline float WindGain(const GalaxySettings& run, const GalaxyCamera& cam, const Head& head) {
  const float dz = head.z - cam.focal;
  const float distance = std::sqrt(head.x * head.x + head.y * head.y + dz * dz);
  return distance > 0 ? run.CometSWind / distance : 0.0f;  // a head on the centre itself is not pushed
}

// Particle j leaves the comet's head with a random velocity plus the wind.
inline void Emit(CometPool& p, size_t j, const GalaxySettings& run, const GalaxyCamera& cam, const Head& head,
                 float w) {
  RandomSphereVector(p.vx[j], p.vy[j], p.vz[j], run.CometSpeed);
  if (run.CometSWind > 0) {
    p.vx[j] += head.x * w;
    p.vy[j] += head.y * w;
    p.vz[j] += (head.z - cam.focal) * w;
  }
  p.x[j] = head.x + p.vx[j];
  p.y[j] = head.y + p.vy[j];
  p.z[j] = head.z + p.vz[j];
}

}  // namespace

void BurstStep(GalaxyWorld& world, const GalaxySettings& run, const GalaxyCamera& cam, float tilt) {
  BurstPool& p = world.bursts;
  const size_t count = p.live.size();
  if (count == 0) return;
  const auto size = static_cast<size_t>(p.size);
  const size_t b = RandomSlot(count);
  const bool start = Rnd() * 10000.0f < static_cast<float>(run.BurstFreq);
  if (p.live[b] == 0 && start) {
    p.age[b] = 0;
    p.live[b] = static_cast<int16_t>(size);
    const StarPlace place = PlaceGalaxyStar(run);
    p.r[b] = place.r;
    p.h[b] = place.h;
    p.centreZ[b] = world.dist;
    p.theta[b] = kTwoPi * Rnd();
    p.omega[b] = kTwoPi * run.Rotation / place.r;  // by r, not its root: bursts turn with the inner stars
    for (size_t j = b * size; j < b * size + size; ++j) {
      p.alive[j] = 1;
      p.column[j] = kGalaxyNoPixel;
      RandomSphereVector(p.dx[j], p.dy[j], p.dz[j], run.BurstSpeed);
    }
  }

  Canvas& dc = *cam.dc;
  const float sinT = std::sin(tilt), cosT = std::cos(tilt);
  for (size_t i = 0; i < count; ++i) {
    if (p.live[i] <= 0) continue;
    Older(p.age[i]);
    p.theta[i] += p.omega[i];
    p.centreZ[i] -= run.Velocity;
    const Head head = EventHead(p.r[i], p.theta[i], p.h[i], p.centreZ[i], sinT, cosT);
    const auto age = static_cast<float>(p.age[i]);
    const uint32_t color = StarPalette[static_cast<size_t>(std::min<int16_t>(p.age[i], kPaletteSize - 1))];
    for (size_t j = i * size; j < i * size + size; ++j) {
      if (!p.alive[j]) continue;
      dc.SetPixel(p.column[j], p.row[j], 0);
      if (Rnd() < run.BurstPersist) {
        const float depth = age * p.dz[j] + head.z;
        if (depth > kGalaxyNearPlane) {
          if (ProjectPoint(cam, age * p.dx[j] + head.x, age * p.dy[j] + head.y, depth, p.column[j], p.row[j]))
            dc.SetPixel(p.column[j], p.row[j], color);
          else
            p.column[j] = kGalaxyNoPixel;
        }
      } else {
        p.alive[j] = 0;
        --p.live[i];
      }
    }
  }
}

void CometStep(GalaxyWorld& world, const GalaxySettings& run, const GalaxyCamera& cam, float tilt) {
  CometPool& p = world.comets;
  const size_t count = p.live.size();
  if (count == 0) return;
  const auto size = static_cast<size_t>(p.size);
  const float sinT = std::sin(tilt), cosT = std::cos(tilt);
  const size_t c = RandomSlot(count);
  const bool start = Rnd() * 10000.0f < static_cast<float>(run.CometFreq);
  if (!p.emitting[c] && p.live[c] == 0 && start) {
    p.emitting[c] = 1;
    p.age[c] = 0;
    p.live[c] = static_cast<int16_t>(size);
    const StarPlace place = PlaceGalaxyStar(run);
    p.r[c] = place.r;
    p.h[c] = place.h;
    p.centreZ[c] = world.dist;
    p.theta[c] = kTwoPi * Rnd();
    p.omega[c] = kTwoPi * run.CometOrbit / place.r;
    const Head head = EventHead(p.r[c], p.theta[c], p.h[c], p.centreZ[c], sinT, cosT);
    const float w = WindGain(run, cam, head);
    for (size_t j = c * size; j < c * size + size; ++j) {
      p.alive[j] = 1;
      p.colorAge[j] = 0;
      p.column[j] = kGalaxyNoPixel;
      Emit(p, j, run, cam, head, w);
    }
  }

  Canvas& dc = *cam.dc;
  for (size_t i = 0; i < count; ++i) {
    if (p.live[i] > 0) {
      Older(p.age[i]);
      p.theta[i] += p.omega[i];
      p.centreZ[i] -= run.Velocity;
      const Head head = EventHead(p.r[i], p.theta[i], p.h[i], p.centreZ[i], sinT, cosT);
      const float w = WindGain(run, cam, head);
      for (size_t j = i * size; j < i * size + size; ++j) {
        if (!p.alive[j]) continue;
        dc.SetPixel(p.column[j], p.row[j], 0);
        if (Rnd() < run.CometSPersist) {
          p.x[j] += p.vx[j];
          p.y[j] += p.vy[j];
          p.z[j] += p.vz[j];
          if (p.z[j] > kGalaxyNearPlane) {
            if (!ProjectPoint(cam, p.x[j], p.y[j], p.z[j], p.column[j], p.row[j])) p.column[j] = kGalaxyNoPixel;
            else if (p.colorAge[j] < kPaletteSize) dc.SetPixel(p.column[j], p.row[j], StarPalette[p.colorAge[j]]);
          }
          if (p.colorAge[j] < kPaletteSize) ++p.colorAge[j];  // past the palette it shows nothing
        } else if (p.emitting[i]) {
          p.colorAge[j] = 0;
          Emit(p, j, run, cam, head, w);
        } else {
          p.alive[j] = 0;
          --p.live[i];
        }
      }
    }
    if (Rnd() > run.CometCPersist) p.emitting[i] = 0;
  }
}

void AmbientStep(GalaxyWorld& world, const GalaxySettings& run, const GalaxyCamera& cam) {
  AmbientStars& a = world.ambient;
  Canvas& dc = *cam.dc;
  for (size_t i = 0; i < a.x.size(); ++i) {
    dc.SetPixel(a.column[i], a.row[i], 0);
    if (Rnd() < run.AmbPersist) {
      a.x[i] += a.vx[i];
      a.y[i] += a.vy[i];
      a.z[i] += a.vz[i];
      if (a.z[i] > kGalaxyNearPlane) {
        if (!ProjectPoint(cam, a.x[i], a.y[i], a.z[i], a.column[i], a.row[i])) {
          a.column[i] = kGalaxyNoPixel;
        } else if (a.colorAge[i] < kPaletteSize) {
          // An age in [79.5, 80) rounds to 80, one past the palette: it keeps the last entry.
          const auto index = std::min<int32_t>(static_cast<int32_t>(std::nearbyint(a.colorAge[i])), kPaletteSize - 1);
          dc.SetPixel(a.column[i], a.row[i], StarPalette[static_cast<size_t>(std::max(index, 0))]);
        }
      }
    } else {
      RandomShellPoint(run.AmbRadius, run.AmbSymmetry, a.x[i], a.y[i], a.z[i]);
      a.z[i] = std::fabs(a.z[i]);
      a.vx[i] = 0;
      a.vy[i] = 0;
      a.vz[i] = -run.Velocity;
      a.z[i] += world.dist;
      a.colorAge[i] = 0;
    }
    a.colorAge[i] += run.AmbCAgeInc;
  }
}

void RandomShellPoint(float rho, float blend, float& x, float& y, float& z) {
  RandomInBall(x, y, z, rho);
  const float m = std::sqrt(x * x + y * y + z * z);
  if (!(m > 0)) return;  // the very centre has no direction to push it out along
  const float scale = (1.0f - blend) + blend * rho / m;
  x *= scale;
  y *= scale;
  z *= scale;
}

}  // namespace pyxora
