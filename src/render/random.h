// The one uniform generator everything draws from: single precision in [0, 1),
// never 1.0. Reseeded from the time of day when a display starts, unless a fixed
// seed is set (PYXORA_SEED in the environment, or --seed), which makes runs repeatable.
#pragma once

#include <cstdint>
#include <optional>

namespace pyxora {

float Rnd();
// Reseeds from the time of day, or from the fixed seed when one is set.
void ReseedRandom();
// A fixed seed for every later reseed; nothing restores time-of-day seeding.
void SetFixedSeed(std::optional<uint32_t> seed);
// Reads PYXORA_SEED; an unreadable value is ignored.
void FixSeedFromEnvironment();

}  // namespace pyxora
