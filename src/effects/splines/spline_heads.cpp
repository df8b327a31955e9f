#include "effects/splines/spline_heads.h"

#include <algorithm>
#include <cmath>

#include "base/numeric.h"
#include "render/bspline.h"
#include "render/frame_host.h"
#include "render/pacing.h"
#include "render/projection.h"
#include "render/random.h"
#include "render/saver_state.h"
#include "render/viewport.h"

namespace pyxora {

int16_t SymmetricHeadCount(int16_t n) {
  if (n < 4) return 2;
  if (n < 6) return 4;
  if (n < 10) return 6;
  const int q = static_cast<int>(std::floor(std::sqrt((n - 2) * 0.5)));
  return static_cast<int16_t>(2 * q * q + 2);
}

int32_t RandomIndex(int32_t n) {
  // Rnd never reaches 1, but Rnd * n may round up to n in single precision.
  const int32_t i = static_cast<int32_t>(std::floor(Rnd() * static_cast<float>(n)));
  return std::min(i, n - 1);
}

float DampingSpeedFactor(float damping) { return (1.0f - ClampSng(damping, 0.0f, 1.0f)) * 0.5f + 0.5f; }

void StartSplineFrame() { gState.FrameStartTick = gState.Host ? gState.Host->Tick() : 0; }

bool FinishSplineFrame() {
  if (PaceFrame()) return true;
  if (AdvanceCycleFrame()) return true;
  if (gState.PreviewStopRequested) {
    gState.PreviewStopRequested = false;
    return true;
  }
  if (gState.Mode == RunMode::Preview) WaitNextTick();
  return false;
}

Canvas* SplineCanvas(Canvas& offscreen) { return gViewport.DrawDC ? gViewport.DrawDC : &offscreen; }

SplineHeads::SplineHeads(int heads, int rows, bool symmetric, int16_t steps)
    : rows_(std::max(rows, 1)),
      symmetric_(symmetric),
      steps_(std::max<int16_t>(steps, 1)),
      cpx_(Slot(rows_, 0)),
      cpy_(Slot(rows_, 0)),
      cpz_(Slot(rows_, 0)),
      hx_(static_cast<size_t>(std::max(heads, 1))),
      hy_(hx_.size()),
      hz_(hx_.size()) {}

void SplineHeads::PlaceOne(int s, int row, float t) {
  BSplinePoint(hx_[s], hy_[s], hz_[s], t, cpx_[Slot(row, 0)], cpy_[Slot(row, 0)], cpz_[Slot(row, 0)],
               cpx_[Slot(row, 1)], cpy_[Slot(row, 1)], cpz_[Slot(row, 1)], cpx_[Slot(row, 2)], cpy_[Slot(row, 2)],
               cpz_[Slot(row, 2)], cpx_[Slot(row, 3)], cpy_[Slot(row, 3)], cpz_[Slot(row, 3)]);
}

void SplineHeads::Place(float t) {
  if (symmetric_) {
    PlaceOne(0, 0, t);
    MakeSymmetricPoints(hx_.data(), hy_.data(), hz_.data(), Count());
    return;
  }
  const int n = std::min(Count(), rows_);
  for (int s = 0; s < n; ++s) PlaceOne(s, s, t);
}

}  // namespace pyxora
