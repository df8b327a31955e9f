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
  pyxora::SetCurrentStore(std::make_unique<pyxora::MemoryStore>());
  pyxora::RenderRequest request;
  request.effect = &pyxora::Effects()[kGalaxy];
  request.theme = static_cast<int16_t>(state.range(0));
  request.frames = 200;
  request.width = 1920;
  request.height = 1080;
  request.seed = 1;
  pyxora::Canvas canvas;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (const auto problem = pyxora::RenderEffect(request, canvas)) state.SkipWithError(problem->c_str());
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  state.counters["ms_per_frame"] =
      benchmark::Counter(1000.0 * seconds / (static_cast<double>(state.iterations()) * request.frames));
  state.counters["lit_pixels"] = benchmark::Counter(static_cast<double>(canvas.CountLitPixels()));
}

}  // namespace

BENCHMARK(GalaxyDefaults)->Unit(benchmark::kMillisecond);
BENCHMARK(Galaxy30000Stars)->Unit(benchmark::kMillisecond);
BENCHMARK(GalaxyTheme)->DenseRange(1, 16)->Unit(benchmark::kMillisecond);
