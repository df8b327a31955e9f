#include "effects/splines/sparkler_sim.h"

#include <cmath>

#include "base/numeric.h"
#include "render/canvas.h"
#include "render/projection.h"
#include "render/random.h"
#include "render/random_vectors.h"
#include "render/viewport.h"

namespace pyxora {
namespace {

// Sparks this close to the eye's plane are neither drawn nor erased.
constexpr float kNearestZ = 0.0001f;

// A pixel SetPixel clips: the spark has nothing on the surface.
constexpr int32_t kNowhere = -1;

bool OffSurface(const std::optional<ScreenPoint>& p, const Viewport& view) {
  return !p || p->x < 0 || p->x > view.Width || p->y < 0 || p->y > view.Height;
}

}  // namespace

SparklerSim::SparklerSim(const SparklerRunValues& values, Canvas* canvas)
    : values_(values),
      canvas_(canvas),
      heads_(values.symmetric ? SymmetricHeadCount(values.heads) : values.heads, values.symmetric ? 1 : values.heads,
             values.symmetric, values.steps) {
  const int n = heads_.Count();
  values_.heads = static_cast<int16_t>(n);
  heads_.Fill([this](float& x, float& y, float& z) { NewControlPoint(x, y, z); });

  headColor_.resize(static_cast<size_t>(n));
  for (int s = 0; s < n; ++s) {
    SourceColor& source = headColor_[s];
    PickPixelColor(source.color, source.fixed, source.hue);
    if (values_.symmetric) {
      // Spread the symmetric figure's colours evenly round the wheel.
      source.hue = NearestInt16(static_cast<double>(s) / n * 360.0 + 1.0);
      source.color = VaryColor(1, source.hue);
    }
  }

  heads_.Place(0);
  const size_t sparks = static_cast<size_t>(std::max<int32_t>(values_.sparks, 1));
  px_.resize(sparks), py_.resize(sparks), pz_.resize(sparks);
  vx_.resize(sparks), vy_.resize(sparks), vz_.resize(sparks);
  color_.resize(sparks);
  shownX_.resize(sparks), shownY_.resize(sparks);
  for (int32_t i = 0; i < SparkCount(); ++i) Recycle(i);
  // Not drawn yet, but the first frame erases where they stand, as every frame does.
  for (int32_t i = 0; i < SparkCount(); ++i) NoteShown(i, Project(gViewport, px_[i], py_[i], pz_[i]));
}

void SparklerSim::NoteShown(int32_t i, const std::optional<ScreenPoint>& p) {
  const bool seen = pz_[i] > kNearestZ && p;
  shownX_[i] = seen ? p->x : kNowhere;
  shownY_[i] = seen ? p->y : kNowhere;
}

void SparklerSim::NewControlPoint(float& x, float& y, float& z) const {
  const float e = values_.extent;
  x = Rnd() * 2.0f * e - e;
  y = Rnd() * 2.0f * e - e;
  z = Rnd() * 2.0f * e + gViewport.FocalLength - e;
}

void SparklerSim::Recycle(int32_t i) {
  const int s = RandomIndex(heads_.Count());
  px_[i] = heads_.X(s);
  py_[i] = heads_.Y(s);
  pz_[i] = heads_.Z(s);
  RandomSphereVector(vx_[i], vy_[i], vz_[i], values_.emitSpeed);
  if (values_.antiGrav > 0) {
    // Solar wind: an extra outward speed of emitSpeed * antiGrav away from the world centre.
    const float dx = px_[i], dy = py_[i], dz = pz_[i] - gViewport.FocalLength;
    const float r = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (r > 0) {  // a head exactly at the centre has no outward direction
      const float push = values_.emitSpeed * values_.antiGrav / r;
      vx_[i] += push * dx;
      vy_[i] += push * dy;
      vz_[i] += push * dz;
    }
  }
  color_[i] = ResolveColor(headColor_[s]);
}

void SparklerSim::DrawFrame() {
  heads_.Place();
  const Viewport& view = gViewport;
  Canvas& dc = *canvas_;
  const float damping = values_.dampingFactor;
  const int32_t n = SparkCount();
  for (int32_t i = 0; i < n; ++i) {
    dc.SetPixel(shownX_[i], shownY_[i], 0);

    px_[i] += vx_[i];
    py_[i] += vy_[i];
    pz_[i] += vz_[i];
    auto p = Project(view, px_[i], py_[i], pz_[i]);
    const bool expired = Rnd() > values_.persist;  // drawn for every spark, on or off the surface
    if (expired || OffSurface(p, view)) {
      Recycle(i);
      p = Project(view, px_[i], py_[i], pz_[i]);
    } else {
      vy_[i] += values_.gravity;  // gravity before damping
      vx_[i] *= damping;
      vy_[i] *= damping;
      vz_[i] *= damping;
    }
    NoteShown(i, p);
    dc.SetPixel(shownX_[i], shownY_[i], color_[i]);
  }
}

void SparklerSim::AdvancePath() {
  heads_.Advance([this](float& x, float& y, float& z) { NewControlPoint(x, y, z); });
}

}  // namespace pyxora
