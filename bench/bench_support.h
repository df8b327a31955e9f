// Frame cost of an effect at 1920 x 1080 through the headless render path, with the
// settings a benchmark writes into an in-memory store. Reports the steady state: the
// processor time of frames warmup+1 .. warmup+frames (a seeded run of warmup+frames
// frames less one of warmup frames), so a pool that fills slowly is measured full, and
// other programs on a busy machine do not count.
#pragma once

#include <benchmark/benchmark.h>

#include <time.h>

#include <functional>

#include "host/render_run.h"
#include "settings/settings.h"

namespace pyxora::bench {

inline double ProcessorSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

inline void EffectFrames(benchmark::State& state, int16_t effectIndex, const std::function<void()>& configure,
                         int32_t frames = 200, int32_t warmup = 300) {
  SetCurrentStore(std::make_unique<MemoryStore>());
  if (configure) configure();
  RenderRequest request;
  request.effect = &Effects()[effectIndex];
  request.width = 1920;
  request.height = 1080;
  request.seed = 1;
  Canvas canvas;
  double seconds = 0;
  for (auto _ : state) {
    for (const int32_t count : {warmup, warmup + frames}) {
      request.frames = count;
      const double start = ProcessorSeconds();
      const auto problem = RenderEffect(request, canvas);
      const double spent = ProcessorSeconds() - start;
      seconds += count == warmup ? -spent : spent;
      if (problem) state.SkipWithError(problem->c_str());
    }
  }
  state.counters["ms_per_frame"] = benchmark::Counter(1000.0 * seconds / (double(state.iterations()) * frames));
  state.counters["lit_pixels"] = benchmark::Counter(static_cast<double>(canvas.CountLitPixels()));
}

}  // namespace pyxora::bench
