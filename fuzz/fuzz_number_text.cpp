// The number readers: the strict and the lenient reading agree, a box never reads
// negative, a finite number's shortest text reads back as the same number, and a box
// clamps into its range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "base/number_text.h"
#include "fuzz_check.h"
#include "render/text_helpers.h"

using namespace pyxora;

namespace {
bool Same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto strict = ParseNumericText(text);
  const double lenient = ValOfText(text);
  if (strict) FUZZ_CHECK(Same(*strict, lenient));
  // A box's text never reads negative: a sign after the "0" ends the number.
  FUZZ_CHECK(ValOfBoxText(text) >= 0);
  if (std::isfinite(lenient)) {
    FUZZ_CHECK(ParseNumericText(FormatNumber(lenient)) == lenient);
    const float single = static_cast<float>(lenient);
    if (std::isfinite(single)) FUZZ_CHECK(static_cast<float>(*ParseNumericText(FormatNumber(single))) == single);
  }
  FUZZ_CHECK(TrimBlanks(text).size() <= text.size());
  FUZZ_CHECK(EqualsIgnoreCase(text, ToUpperAscii(text)));

  // A box clamps to its range: the first 9 bytes pick the kind and the range.
  if (size >= 9) {
    float lo = 0, hi = 0;
    std::memcpy(&lo, data + 1, 4);
    std::memcpy(&hi, data + 5, 4);
    const int kind = data[0] % 3;
    // Whole-number boxes also hold their type's range; keep the range inside it.
    const float limit = kind == 0 ? 32767.0f : 1e9f;
    if (std::isfinite(lo) && std::isfinite(hi) && lo <= hi && std::fabs(lo) < limit && std::fabs(hi) < limit) {
      const std::string boxed = ClampTextBox(text.substr(9), kind, lo, hi);
      const auto value = ParseNumericText(boxed);
      FUZZ_CHECK(value.has_value());
      const double low = kind == 1 ? lo : std::nearbyint(lo), high = kind == 1 ? hi : std::nearbyint(hi);
      // Plain decimals of a float may print a hair beyond the bound.
      const double slack = kind == 1 ? 1e-6 * (std::fabs(low) + std::fabs(high) + 1) : 0;
      FUZZ_CHECK(*value >= low - slack && *value <= high + slack);
    }
  }
  return 0;
}
