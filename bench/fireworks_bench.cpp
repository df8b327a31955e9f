// Frame cost of the fireworks at 1920 x 1080: the factory settings, the largest pool
// (99 shells of 303 slots, the 30000-slot cap) and each of the thirteen themes. The
// runs are long enough for every staggered shell to have joined (the last of 99 shells
// of 303 joins after 928 frames).
#include "bench_support.h"
#include "effects/fireworks/fireworks_settings.h"

namespace {

using pyxora::SaveSettingStr;
using pyxora::kFireworksSection;

constexpr int16_t kFireworks = 0;
constexpr int32_t kFrames = 1500;

void FireworksDefaults(benchmark::State& state) { pyxora::bench::EffectFrames(state, kFireworks, nullptr, kFrames); }

void FireworksLargestPool99x303(benchmark::State& state) {
  pyxora::bench::EffectFrames(
      state, kFireworks,
      [] {
        SaveSettingStr(kFireworksSection, "FireWorks", 99);
        SaveSettingStr(kFireworksSection, "FireSparks", 9999);
      },
      kFrames);
}

void FireworksTheme(benchmark::State& state) {
  pyxora::bench::EffectFrames(state, kFireworks, nullptr, kFrames, static_cast<int16_t>(state.range(0)));
}

}  // namespace

BENCHMARK(FireworksDefaults)->Unit(benchmark::kMillisecond);
BENCHMARK(FireworksLargestPool99x303)->Unit(benchmark::kMillisecond);
BENCHMARK(FireworksTheme)->DenseRange(1, pyxora::kFireThemeCount)->Unit(benchmark::kMillisecond);
