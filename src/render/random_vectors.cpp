#include "render/random_vectors.h"

#include <cmath>

#include "base/numeric.h"
#include "render/random.h"

namespace pyxora {

std::array<float, 1001> SinTable{};
std::array<float, 1001> CosTable{};

void FillTrigTables() {
  constexpr float kPi = 3.1415927f;
  for (int i = 0; i <= 1000; ++i) {
    const double angle = i * static_cast<double>(kPi) / 1000.0;
    SinTable[i] = static_cast<float>(std::sin(angle));
    CosTable[i] = static_cast<float>(std::cos(angle));
  }
}

void RandomSphereVector(float& x, float& y, float& z, float r) {
  const int i = NearestInt32(Rnd() * 1000.0f);
  const int j = NearestInt32(Rnd() * 1000.0f);
  const float side = Rnd() - 0.5f;
  const float sign = side > 0 ? 1.0f : (side < 0 ? -1.0f : 0.0f);
  x = r * CosTable[j] * SinTable[i];
  y = sign * r * SinTable[j] * SinTable[i];
  z = r * CosTable[i];
}

void RandomInBall(float& x, float& y, float& z, float r) {
  do {
    x = (2.0f * Rnd() - 1.0f) * r;
    y = (2.0f * Rnd() - 1.0f) * r;
    z = (2.0f * Rnd() - 1.0f) * r;
  } while (std::sqrt(x * x + y * y + z * z) > std::fabs(r));  // a negative radius would never end
}

}  // namespace pyxora
