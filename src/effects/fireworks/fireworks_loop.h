// The fireworks frame loop and the state one run owns: shells, their spark slots,
// the colour ramps and the spline knots. Internal to the effect: the host reaches it
// through RunFireworks, the Properties preview and the about-window demo.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "effects/fireworks/fireworks_settings.h"

namespace pyxora {

class Canvas;

// What a shell is doing, by the number its Kind field holds.
enum ShellKind : int16_t {
  kRetired = -1,
  kRising = 0,
  kStandard = 1,
  kScintillator = 2,
  kMultiBurst = 3,
  kJetBurst = 4,
  kSparkler = 5,
  kRingBurst = 6,  // only while being set up; runs as a standard burst
  kTwister = 7,
  kDecayStars = 8,
  kSparkling = 999,
};

// One spark slot in one cache line. The tail is the eraser of a standard burst (or a
// twister head's previous position, with the emitter angle in TailVX).
struct alignas(64) FireSpark {
  float X = 0, Y = 0, Z = 0;
  float VX = 0, VY = 0, VZ = 0;
  float TailX = 0, TailY = 0, TailZ = 0;
  float TailVX = 0, TailVY = 0, TailVZ = 0;
  uint32_t Colour = 0;  // 0x00BBGGRR, or a grey level 0..255 for launch and jet trails
  int16_t Life = 0;
  int16_t TailCount = 0;
  bool Alive = false;
  bool TailActive = false;
};
static_assert(sizeof(FireSpark) == 64);

struct FireShell {
  float X = 0, Y = 0, Z = 0;
  float StepX = 0, StepY = 0, StepZ = 0;
  int16_t Kind = kStandard;
  int16_t SparkCount = 0;
  int16_t TrailLength = 0;
  int16_t Stride = 1;
  int16_t Age = 0;
  int16_t StartDelay = 0;
};

// How the sparks of a burst spread.
enum SpreadMode : int16_t { kSpreadSphere = 0, kSpreadSpline = 1, kSpreadSolid = 2 };

// Everything one run owns, sized once when the loop starts.
struct FireworksRun {
  FireworksRun(const FireworksSettings& settings, Canvas& canvas);

  FireworksSettings s;  // normalised, with FireSparks at least FireMultiBurst
  Canvas& dc;
  // The camera, read once: centre, scale k, size, focal length.
  float cx = 0, cy = 0, k = 0, focal = 1;
  int32_t width = 0, height = 0;

  std::vector<FireShell> shells;
  std::vector<FireSpark> sparks;  // shell i owns FireSparks slots from i * FireSparks
  std::array<uint32_t, 100> multiRamp{}, scintRamp{}, decayRamp{};
  float jetDamping = 1;
  float decayMSize = 0;  // FireDecayMSize rescaled for the focal length and life
  int16_t trailFade = 1;
  std::vector<float> knotX, knotY, knotZ;  // 0..FireSplineKnot, shared by every spline burst
  std::vector<float> ringA, ringB;         // per ring of a ring burst
  // The heads a second burst starts from (position and velocity), one per group at most.
  struct Centre {
    float x, y, z, vx, vy, vz;
  };
  std::vector<Centre> centres;

  int16_t active = 0;         // shells not yet retired
  bool limitReached = false;  // the host's frame limit, this frame
  int32_t frame = 0;          // frames run so far
};

struct FireworksLoopOptions {
  // Called after each frame is drawn, before it is paced (tests watch the shells here).
  std::function<void(const FireworksRun&)> afterFrame;
};

// Runs frames on gViewport.DrawDC with the normalised settings `run` until a stop, a
// preview stop, or the last shell retires after the host's frame limit.
void FireworksLoop(const FireworksSettings& run, const FireworksLoopOptions& options = {});

// (Re)starts shell i from its Kind: 1 starts anew (perhaps rising), 0 bursts where it is.
void StartShell(FireworksRun& run, int i);
// One frame of shell i by its kind (Age already raised).
void UpdateShell(FireworksRun& run, int i);
// A shell whose sparks are all gone: retired once the frame limit is reached, else restarted.
void EndShell(FireworksRun& run, int i);

// Screen position of a world point, the quotient k / z first and each coordinate rounded
// half to even; false when a coordinate does not fit 32 bits (or is not a number).
inline bool ProjectPoint(const FireworksRun& run, float x, float y, float z, int32_t& px, int32_t& py) {
  const float f = run.k / z;
  const float fx = f * x + run.cx;
  const float fy = f * y + run.cy;
  // 2147483520 is the largest float below 2^31; NaN fails every comparison.
  if (!(fx >= -2147483648.0f && fx <= 2147483520.0f && fy >= -2147483648.0f && fy <= 2147483520.0f)) return false;
  px = static_cast<int32_t>(std::lrint(fx));  // the default rounding mode: halves to even
  py = static_cast<int32_t>(std::lrint(fy));
  return true;
}
// On screen, edges included (0..width, 0..height).
inline bool OnScreen(const FireworksRun& run, int32_t px, int32_t py) {
  return px >= 0 && py >= 0 && px <= run.width && py <= run.height;
}

}  // namespace pyxora
