// Frame cost of an effect: N frames at 1920 x 1080 through the headless render path,
// with the settings a benchmark writes into an in-memory store. Reports ms per frame.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

#include "host/render_run.h"
#include "settings/settings.h"

namespace pyxora::bench {

inline void EffectFrames(benchmark::State& state, int16_t effectIndex, const std::function<void()>& configure,
                         int32_t frames = 200, int16_t theme = 0) {
  SetCurrentStore(std::make_unique<MemoryStore>());
  if (configure) configure();
  RenderRequest request;
  request.effect = &Effects()[effectIndex];
  request.frames = frames;
  request.theme = theme;
  request.width = 1920;
  request.height = 1080;
  request.seed = 1;
  Canvas canvas;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const auto problem = RenderEffect(request, canvas);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (problem) state.SkipWithError(problem->c_str());
  }
  state.counters["ms_per_frame"] = benchmark::Counter(1000.0 * seconds / (double(state.iterations()) * frames));
  state.counters["lit_pixels"] = benchmark::Counter(static_cast<double>(canvas.CountLitPixels()));
}

}  // namespace pyxora::bench
