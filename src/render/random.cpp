#include "render/random.h"

#include <chrono>
#include <cstdlib>
#include <random>

#include "base/number_text.h"

namespace pyxora {

std::mt19937 random_detail::generator(12345u);

namespace {

std::optional<uint32_t>& FixedSeed() {
  static std::optional<uint32_t> seed;
  return seed;
}

}  // namespace

void ReseedRandom() {
  if (FixedSeed()) {
    random_detail::generator.seed(*FixedSeed());
    return;
  }
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  random_detail::generator.seed(static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
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
