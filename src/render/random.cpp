#include "render/random.h"

#include <chrono>
#include <cstdlib>
#include <random>

#include "base/number_text.h"

namespace pyxora {
namespace {

std::mt19937& Generator() {
  static std::mt19937 generator(12345u);
  return generator;
}

std::optional<uint32_t>& FixedSeed() {
  static std::optional<uint32_t> seed;
  return seed;
}

}  // namespace

float Rnd() {
  // 24 random bits scaled by 2^-24: exactly representable, so never rounds up to 1.0.
  return static_cast<float>(Generator()() >> 8) * (1.0f / 16777216.0f);
}

void ReseedRandom() {
  if (FixedSeed()) {
    Generator().seed(*FixedSeed());
    return;
  }
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  Generator().seed(static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
}

void SetFixedSeed(std::optional<uint32_t> seed) { FixedSeed() = seed; }

void FixSeedFromEnvironment() {
  const char* text = std::getenv("PYXORA_SEED");
  if (!text) return;
  const auto value = ParseNumericText(text);
  if (value && *value >= 0 && *value <= 4294967295.0 && *value == static_cast<double>(static_cast<uint64_t>(*value)))
    SetFixedSeed(static_cast<uint32_t>(*value));
}

}  // namespace pyxora
