// The sparklers' simulation for one run: heads, sparks and their drawing. The run
// loop in sparklers.cpp drives it frame by frame; tests drive it directly.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "effects/splines/spline_heads.h"
#include "render/colour.h"
#include "render/projection.h"

namespace pyxora {

class Canvas;

// Parameters in simulation units, already clamped and converted.
struct SparklerRunValues {
  int16_t heads = 20;  // before the symmetric adjustment
  int32_t sparks = 3000;
  int16_t steps = 200;  // frames per segment
  float emitSpeed = 0.002f;  // world units per frame
  float persist = 0.95f;
  float gravity = 0;  // added to vy per frame
  float dampingFactor = 1;
  float antiGrav = 4;
  float extent = 0.75f;
  bool symmetric = true;
};

class SparklerSim {
 public:
  // Control points, head colours, heads and sparks, in that order of random draws.
  SparklerSim(const SparklerRunValues& values, Canvas* canvas);

  // One frame: heads at t, then every spark erased, moved, recycled or slowed, drawn.
  void DrawFrame();
  // t advances by 1/S; after S frames the control points slide and t starts again at 0.
  void AdvancePath();

  const SplineHeads& Heads() const { return heads_; }
  const SourceColor& HeadColor(int s) const { return headColor_[s]; }
  float T() const { return heads_.T(); }
  int32_t SparkCount() const { return static_cast<int32_t>(px_.size()); }

  // Spark state, open to tests.
  std::vector<float> px_, py_, pz_, vx_, vy_, vz_;
  std::vector<uint32_t> color_;

 private:
  void NewControlPoint(float& x, float& y, float& z) const;
  void Recycle(int32_t i);  // to a random head, with a fresh velocity and colour
  // Where spark i is seen now: the pixel to draw, and next frame the one to erase.
  void NoteShown(int32_t i, const std::optional<ScreenPoint>& p);

  // The pixel each spark's erase will blank (off the surface when there is none): the
  // spark has not moved since it was drawn there, so this is its projection, known a
  // few sparks ahead for fetching the pixels the loop is about to write.
  std::vector<int32_t> shownX_, shownY_;

  SparklerRunValues values_;
  Canvas* canvas_;
  SplineHeads heads_;
  std::vector<SourceColor> headColor_;
};

}  // namespace pyxora
