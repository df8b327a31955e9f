// The set-up of the burst kinds: which kind and spread a shell bursts with, where its
// sparks start and how fast they fly, and the second burst of multi-bursts and jets.
#pragma once

#include <cstdint>

#include "effects/fireworks/fireworks_loop.h"

namespace pyxora {

// The burst kind for r (0..100): the first kind, in the order scintillator, multi-burst,
// jet, sparkler, ring, twister, decaying stars, whose running sum of percentages exceeds
// r; a standard burst when none does.
int16_t ChooseBurstKind(const FireworksSettings& s, float r);

// The spread of a burst and what goes with it, drawn once per burst.
struct BurstSpread {
  int16_t mode = kSpreadSphere;
  int16_t pattern = 0;  // the solid, for kSpreadSolid
};
// Spread mode (and solid) from the next random draws: spline below FireSplinePct, then solids.
BurstSpread ChooseSpread(const FireworksSettings& s);

// ((1 - FireSymmetry) Rnd + FireSymmetry) FireSpeed size.
float SparkSpeed(const FireworksSettings& s, float size);
void SetSparkVelocity(FireworksRun& run, float& vx, float& vy, float& vz, float x, float y, float z, float speed,
                      BurstSpread spread, float size, bool half);
// Random knots within 2 of (x, y, z); the last three repeat the first three, closing the curve.
void BuildSplineKnots(FireworksRun& run, float x, float y, float z);
// A point on a random segment of the closed curve, as a velocity away from (x, y, z).
void SplineVelocity(const FireworksRun& run, float& vx, float& vy, float& vz, float x, float y, float z, float size,
                    bool half);
// A velocity that fills solid `pattern`: 0 cube surface, 1 pyramid apex up, 2 apex down,
// 3 double cone.
void PatternVelocity(const FireworksSettings& s, float& vx, float& vy, float& vz, int16_t pattern, float size);
// A turn by b about the y axis, then by a about the x axis.
void RotateVector(float x, float y, float z, float a, float b, float& rx, float& ry, float& rz);

// The burst part of StartShell: kind, spread, size, colour, sound and every slot of the kind.
void SetUpBurst(FireworksRun& run, int i);
// Turns shell i into a standard burst centred on its surviving heads (a multi-burst at its
// age, a jet burst at its end); with no head left, the shell ends.
void SecondaryBurst(FireworksRun& run, int i, bool fromMulti);

}  // namespace pyxora
