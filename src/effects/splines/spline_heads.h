// What the sparklers and the warp share: heads that ride endless random B-spline
// paths (each path a sliding window of four control points), the symmetric head
// counts, and the end-of-frame contract of their loops.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pyxora {

class Canvas;

// The head count MakeSymmetricPoints accepts for a requested n: 2, 4, 6 or 2q^2 + 2.
// 3 gives 2, 15 gives 10, 20 stays 20, 999 gives 970.
int16_t SymmetricHeadCount(int16_t n);

// A uniformly random index in 0..n-1 (floor(Rnd * n)); n >= 1.
int32_t RandomIndex(int32_t n);

// The per-frame speed factor for a damping of 0..1 (clamped): 1 for none, 0.5 for full.
float DampingSpeedFactor(float damping);

// Stamps FrameStartTick; the first step of every frame.
void StartSplineFrame();
// Paces the frame, counts it and obeys a preview stop. True: the run must end.
bool FinishSplineFrame();

// The surface the effects draw on: the viewport's, or `offscreen` (0 x 0, so every
// pixel is clipped) when none is set.
Canvas* SplineCanvas(Canvas& offscreen);

// The frame loop of a run: draw, pace, then move along the paths, until told to stop.
template <class Simulation>
void RunSplineFrames(Simulation& sim) {
  for (;;) {
    StartSplineFrame();
    sim.DrawFrame();
    if (FinishSplineFrame()) return;
    sim.AdvancePath();
  }
}

// Heads on B-spline paths. Row r holds control points k = 0..3 of path r. Without
// symmetry head s follows row s; with it head 0 follows row 0 and MakeSymmetricPoints
// places the others on the sphere through head 0 about the world centre.
class SplineHeads {
 public:
  // `rows` paths of control points (at least 1) for `heads` heads, `steps` frames per segment.
  SplineHeads(int heads, int rows, bool symmetric, int16_t steps);

  // Fills every control point of every row, in row order and k = 0..3, with newPoint(x, y, z).
  template <class NewPoint>
  void Fill(NewPoint&& newPoint) {
    for (int row = 0; row < rows_; ++row)
      for (int k = 0; k < 4; ++k) newPoint(cpx_[Slot(row, k)], cpy_[Slot(row, k)], cpz_[Slot(row, k)]);
  }

  // Drops control point 0 of each path in use and appends a new point 3.
  template <class NewPoint>
  void Slide(NewPoint&& newPoint) {
    const int sliding = symmetric_ ? 1 : rows_;
    for (int row = 0; row < sliding; ++row) {
      for (int k = 0; k < 3; ++k) {
        cpx_[Slot(row, k)] = cpx_[Slot(row, k + 1)];
        cpy_[Slot(row, k)] = cpy_[Slot(row, k + 1)];
        cpz_[Slot(row, k)] = cpz_[Slot(row, k + 1)];
      }
      newPoint(cpx_[Slot(row, 3)], cpy_[Slot(row, 3)], cpz_[Slot(row, 3)]);
    }
  }

  // t advances by 1/steps; after `steps` frames the control points slide and t starts
  // again at 0.
  template <class NewPoint>
  void Advance(NewPoint&& newPoint) {
    t_ = static_cast<float>(t_ + 1.0 / steps_);
    if (++step_ < steps_) return;
    step_ = 0;
    t_ = 0;
    Slide(newPoint);
  }

  // Every head at parameter t of its segment (by default the current one).
  void Place(float t);
  void Place() { Place(t_); }
  float T() const { return t_; }

  int Count() const { return static_cast<int>(hx_.size()); }
  int Rows() const { return rows_; }
  bool Symmetric() const { return symmetric_; }
  float X(int s) const { return hx_[s]; }
  float Y(int s) const { return hy_[s]; }
  float Z(int s) const { return hz_[s]; }
  float ControlX(int row, int k) const { return cpx_[Slot(row, k)]; }
  float ControlY(int row, int k) const { return cpy_[Slot(row, k)]; }
  float ControlZ(int row, int k) const { return cpz_[Slot(row, k)]; }

 private:
  static size_t Slot(int row, int k) { return static_cast<size_t>(row) * 4 + static_cast<size_t>(k); }
  void PlaceOne(int s, int row, float t);

  int rows_;
  bool symmetric_;
  int16_t steps_;
  int16_t step_ = 0;
  float t_ = 0;
  std::vector<float> cpx_, cpy_, cpz_;
  std::vector<float> hx_, hy_, hz_;
};

}  // namespace pyxora
