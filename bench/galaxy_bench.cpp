// Frame cost of the galaxies at 1920 x 1080: the factory settings, the most stars a run
// takes (30000, with the default bursts, comets and ambient stars), and each theme.
#include "bench_support.h"
#include "effects/galaxy/galaxy_settings.h"

namespace {

using pyxora::SaveSettingStr;
using pyxora::kGalaxySection;

constexpr int16_t kGalaxy = 5;

void GalaxyDefaults(benchmark::State& state) { pyxora::bench::EffectFrames(state, kGalaxy, nullptr); }

void Galaxy30000Stars(benchmark::State& state) {
  pyxora::bench::EffectFrames(state, kGalaxy, [] { SaveSettingStr(kGalaxySection, "Galaxy_Stars", 30000); });
}

// Themes take the --preset path of the headless render; PerfMult stays 1.
void GalaxyTheme(benchmark::State& state) {
  pyxora::bench::EffectFrames(state, kGalaxy, nullptr, 200, static_cast<int16_t>(state.range(0)));
}

}  // namespace

BENCHMARK(GalaxyDefaults)->Unit(benchmark::kMillisecond);
BENCHMARK(Galaxy30000Stars)->Unit(benchmark::kMillisecond);
BENCHMARK(GalaxyTheme)->DenseRange(1, 16)->Unit(benchmark::kMillisecond);
