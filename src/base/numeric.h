// Rounding, range conversion, clamps and extremes shared by every layer.
// Conversions of a floating value to an integer round to nearest, halves to even;
// a conversion that cannot be represented gives no value and the caller decides.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace pyxora {

// Nearest integer, exact halves to the even neighbour (the default FP rounding mode).
inline double RoundHalfEven(double v) { return std::nearbyint(v); }

template <class Int>
std::optional<Int> ToInteger(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  const double r = RoundHalfEven(v);
  if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
      r > static_cast<double>(std::numeric_limits<Int>::max()))
    return std::nullopt;
  return static_cast<Int>(r);
}

inline std::optional<int16_t> ToInt16(double v) { return ToInteger<int16_t>(v); }
inline std::optional<int32_t> ToInt32(double v) { return ToInteger<int32_t>(v); }

// Nearest, halves to even; a value beyond the type saturates and NaN gives 0.
template <class Int>
Int SaturatingRound(double v) {
  if (std::isnan(v)) return 0;
  if (const auto whole = ToInteger<Int>(v)) return *whole;
  return v < 0 ? std::numeric_limits<Int>::min() : std::numeric_limits<Int>::max();
}

// A particle count scaled by the performance multiplier. A product beyond 16 bits
// saturates rather than leaving the count unscaled; the runs clamp it to their maximum.
inline int16_t ScaleParticleCount(int16_t count, float multiplier) {
  const float scaled = static_cast<float>(count) * multiplier;
  return std::isnan(scaled) ? count : SaturatingRound<int16_t>(scaled);
}

// For values the callers know to be in range; an out-of-range value gives `fallback`.
inline int16_t NearestInt16(double v, int16_t fallback = 0) { return ToInt16(v).value_or(fallback); }
inline int32_t NearestInt32(double v, int32_t fallback = 0) { return ToInt32(v).value_or(fallback); }

// The lower bound is tested first, so lo > hi gives lo for values below lo and hi otherwise.
template <class T>
constexpr T ClampValue(T value, T lo, T hi) {
  if (value < lo) return lo;
  if (value > hi) return hi;
  return value;
}

constexpr int16_t ClampInt(int16_t value, int16_t lo, int16_t hi) { return ClampValue(value, lo, hi); }
constexpr int32_t ClampLng(int32_t value, int32_t lo, int32_t hi) { return ClampValue(value, lo, hi); }
constexpr float ClampSng(float value, float lo, float hi) { return ClampValue(value, lo, hi); }

constexpr int16_t MaxInt(int16_t a, int16_t b) { return a > b ? a : b; }
constexpr int16_t MinInt(int16_t a, int16_t b) { return a < b ? a : b; }
constexpr int32_t MaxLng(int32_t a, int32_t b) { return a > b ? a : b; }
constexpr int32_t MinLng(int32_t a, int32_t b) { return a < b ? a : b; }
constexpr float MaxSng(float a, float b) { return a > b ? a : b; }

}  // namespace pyxora
