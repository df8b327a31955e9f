// Frame cost of the B-spline effects at 1920 x 1080: the stored defaults, and the
// largest counts the settings allow (999 splines with 9999 sparks; 999 x 999 streaks).
#include "bench_support.h"
#include "effects/splines/sparklers.h"
#include "effects/splines/warp.h"

namespace {

using pyxora::SaveSettingStr;

constexpr int16_t kWarp = 2;
constexpr int16_t kSparklers = 3;

void SparklersDefaults(benchmark::State& state) { pyxora::bench::EffectFrames(state, kSparklers, nullptr); }

void SparklersLargest(benchmark::State& state) {
  pyxora::bench::EffectFrames(state, kSparklers, [] {
    SaveSettingStr(pyxora::kSparklerSection, "B_Spline_Splines", 999);
    SaveSettingStr(pyxora::kSparklerSection, "B_Spline_Pixels", 9999);
  });
}

void WarpDefaults(benchmark::State& state) { pyxora::bench::EffectFrames(state, kWarp, nullptr); }

// Type 0 keeps all 999 heads (the symmetric types round 999 down to 970).
void WarpLargest(benchmark::State& state) {
  pyxora::bench::EffectFrames(state, kWarp, [] {
    SaveSettingStr(pyxora::kWarpSection, "Warp_Works", 999);
    SaveSettingStr(pyxora::kWarpSection, "Warp_Sparks", 999);
    SaveSettingStr(pyxora::kWarpSection, "Warp_Type", 0);
  });
}

// The longest-lived streaks: no damping, persistence 0.99, the longest trails.
void WarpLargestLongTrails(benchmark::State& state) {
  pyxora::bench::EffectFrames(state, kWarp, [] {
    SaveSettingStr(pyxora::kWarpSection, "Warp_Works", 999);
    SaveSettingStr(pyxora::kWarpSection, "Warp_Sparks", 999);
    SaveSettingStr(pyxora::kWarpSection, "Warp_Type", 0);
    SaveSettingStr(pyxora::kWarpSection, "Warp_Length", 99);
    SaveSettingStr(pyxora::kWarpSection, "Warp_Persist", "0.99");
    SaveSettingStr(pyxora::kWarpSection, "Warp_Damping", 0);
  });
}

}  // namespace

BENCHMARK(SparklersDefaults)->Apply(pyxora::bench::Steady);
BENCHMARK(SparklersLargest)->Apply(pyxora::bench::Steady);
BENCHMARK(WarpDefaults)->Apply(pyxora::bench::Steady);
BENCHMARK(WarpLargest)->Apply(pyxora::bench::Steady);
BENCHMARK(WarpLargestLongTrails)->Apply(pyxora::bench::Steady);
