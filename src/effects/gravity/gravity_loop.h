// The gravity-well frame loop and its pieces. Internal to the effect: the host reaches
// it through RunGravityWells, the Properties preview and the about-window demo.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "effects/gravity/gravity_settings.h"

namespace pyxora {

class Canvas;

// How the old end of each trail is erased. Auto picks the ring while the slots
// (Pixels x TrailLength) number at most 32000, eraser stars above that; tests force one.
enum class TrailStrategy { Auto, Ring, Eraser };

// Everything one run owns, sized once when the loop starts (structs of arrays).
struct StarField {
  StarField(const GravitySettings& run, bool ring, bool stereo);

  std::vector<float> emitterX, emitterY, emitterZ;
  std::vector<float> attractorX, attractorY, attractorZ, attractorMass;

  std::vector<float> x, y, z, vx, vy, vz;
  std::vector<float> previousSpeed;  // colour measure 2
  std::vector<uint8_t> alive;

  // Eraser strategy: a twin of every star that follows its path TrailLength - 1 frames behind.
  std::vector<float> eraserX, eraserY, eraserZ, eraserVX, eraserVY, eraserVZ;

  // Ring strategy: the pixels drawn in the last TrailLength frames, slot k * TrailLength + ringPos.
  std::vector<int32_t> ringX, ringY, ringX2;

  int32_t activeCount = 0;
  int32_t refreshCounter = 0;
  int32_t frameCounter = 0;  // eraser strategy only
  int32_t ringPos = 0;       // ring strategy only
  bool ring = false;
};

// A ring slot that holds no pixel: column -1 is clipped, so erasing it draws nothing.
inline constexpr int32_t kNoPixel = -1;

struct GravityLoopOptions {
  TrailStrategy strategy = TrailStrategy::Auto;
  // Called after each frame is drawn, before it is paced (tests watch the stars here).
  std::function<void(const StarField&)> afterFrame;
};

// Runs frames on gViewport.DrawDC with the normalised settings `run` until a stop, a
// preview stop, or the end of the dissolve that the cycle's frame limit started.
void GravityLoop(const GravitySettings& run, bool stereo, const GravityLoopOptions& options = {});

// One frame of the refresh logic: counts the frame against the cycle limit and the
// refresh period and, once either is reached, retires the highest hundredth of the live
// stars. True when the field is empty and the frame limit was the cause.
bool DissolveStep(int32_t& refreshCounter, int32_t& activeCount, std::span<uint8_t> alive, int32_t pixels,
                  int32_t refresh);

// The circle of every attractor in the canvas's foreground colour; none for radius 0.
void DrawAttractors(Canvas& canvas, const StarField& field, int32_t radius);

}  // namespace pyxora
