// Frame cost of an effect at 1920 x 1080, run as the headless render runs it (no
// display, no waiting), with the settings a benchmark writes into an in-memory store.
// Reports the steady state: the processor time of frames warmup+1 .. warmup+frames,
// so a pool that fills slowly is measured full and other programs on a busy machine
// do not count.
#pragma once

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "host/advanced_settings.h"
#include "effects/effect_table.h"
#include "render/canvas.h"
#include "render/display_canvas.h"
#include "render/frame_host.h"
#include "render/random.h"
#include "render/random_vectors.h"
#include "render/saver_state.h"
#include "settings/settings.h"

namespace pyxora::bench {

inline double ProcessorSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Notes the processor time when the warm-up ends and stops after the measured frames.
class TimingHost : public VirtualFrameHost {
 public:
  TimingHost(int32_t warmup, int32_t frames) : warmup_(warmup), total_(warmup + frames) {}
  void PresentFrame() override {
    if (++presented_ == warmup_) start_ = ProcessorSeconds();
    if (presented_ >= total_) {
      spent_ = ProcessorSeconds() - start_;
      gState.StopRequested = true;
    }
  }
  bool Done() const { return presented_ >= total_; }
  double Spent() const { return spent_; }

 private:
  int32_t warmup_, total_, presented_ = 0;
  double start_ = 0, spent_ = 0;
};

inline void EffectFrames(benchmark::State& state, int16_t effectIndex, const std::function<void()>& configure,
                         int32_t frames = 200, int16_t theme = 0, int32_t warmup = 300) {
  SetCurrentStore(std::make_unique<MemoryStore>());
  if (configure) configure();
  FillTrigTables();
  SetFixedSeed(1);
  const EffectEntry& effect = Effects()[effectIndex];
  Canvas canvas;
  double seconds = 0;
  for (auto _ : state) {
    TimingHost host(warmup, frames);
    gState.Host = &host;
    gState.Mode = RunMode::Saver;
    gState.StopRequested = false;
    gState.Canvas = &canvas;
    LoadAdvancedSettings(DisplaySurface{&canvas, 1920, 1080, false}, false);
    gState.FrameDelay = 0;
    gState.CycleFrameLimit = 0;
    while (!host.Done()) {  // an effect that ends early starts again, as in a saver
      gState.CycleFrameCount = 0;
      if (theme != 0 && effect.loadTheme) effect.loadTheme(theme);
      else if (effect.load) effect.load(0, false);
      PrepareCanvas();
      if (!effect.run) break;
      effect.run();
    }
    seconds += host.Spent();
    gState.Host = nullptr;
    gState.StopRequested = false;
  }
  state.counters["ms_per_frame"] = benchmark::Counter(1000.0 * seconds / (double(state.iterations()) * frames));
  state.counters["lit_pixels"] = benchmark::Counter(static_cast<double>(canvas.CountLitPixels()));
}

// Three runs; on a machine shared with other work the least is the fairest figure.
inline void Steady(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)->ComputeStatistics(
      "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

}  // namespace pyxora::bench
