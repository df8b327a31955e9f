// Sine and cosine tables over 0..pi and the random vectors built on them.
#pragma once

#include <array>

namespace pyxora {

// SinTable[i] = sin(i * pi / 1000), i = 0..1000, pi as the single value 3.1415927.
extern std::array<float, 1001> SinTable;
extern std::array<float, 1001> CosTable;
void FillTrigTables();

// A vector of length r in a random direction (polar angle uniform in angle, not area).
void RandomSphereVector(float& x, float& y, float& z, float r);
// A uniformly random point inside the ball of radius r (r >= 0) about the origin.
void RandomInBall(float& x, float& y, float& z, float r);

}  // namespace pyxora
