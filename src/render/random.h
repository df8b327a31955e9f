// The one uniform generator everything draws from: single precision in [0, 1),
// never 1.0. Reseeded from the time of day when a display starts, unless a fixed
// seed is set (PYXORA_SEED in the environment, or --seed), which makes runs repeatable.
#pragma once

#include <cstdint>
#include <optional>
#include <random>

namespace pyxora {

namespace random_detail {
// The generator itself, visible so that Rnd() inlines into the particle loops that call
// it once per particle per frame.
extern std::mt19937 generator;
}  // namespace random_detail

inline float Rnd() {
  // 24 random bits scaled by 2^-24: exactly representable, so never rounds up to 1.0.
  return static_cast<float>(random_detail::generator() >> 8) * (1.0f / 16777216.0f);
}
// Reseeds from the time of day, or from the fixed seed when one is set.
void ReseedRandom();
// A fixed seed for every later reseed; nothing restores time-of-day seeding.
void SetFixedSeed(std::optional<uint32_t> seed);
// Reads PYXORA_SEED; an unreadable value is ignored.
void FixSeedFromEnvironment();

}  // namespace pyxora
