#include "host/render_run.h"

#include "host/advanced_settings.h"
#include "render/display_canvas.h"
#include "render/frame_host.h"
#include "render/random.h"
#include "render/random_vectors.h"
#include "render/saver_state.h"

namespace pyxora {
namespace {

// Counts presented frames and asks the effect to stop after the last one.
class CountingHost : public VirtualFrameHost {
 public:
  explicit CountingHost(int32_t frames) : remaining_(frames) {}
  void PresentFrame() override {
    if (--remaining_ <= 0) gState.StopRequested = true;
  }
  int32_t Remaining() const { return remaining_; }

 private:
  int32_t remaining_;
};

}  // namespace

std::optional<std::string> RenderEffect(const RenderRequest& request, Canvas& canvas) {
  const EffectEntry* effect = request.effect;
  if (!effect || !effect->run) return std::string("this effect cannot be rendered");
  if (request.theme != 0 && (!effect->loadTheme || request.theme < 1 || request.theme > effect->themeCount))
    return "effect '" + std::string(effect->renderName) + "' has no preset " + std::to_string(request.theme);

  // A render may be the first thing the process does (--render, benchmarks).
  FillTrigTables();
  if (request.seed) SetFixedSeed(request.seed);
  CountingHost host(request.frames);
  FrameHost* previousHost = gState.Host;
  gState.Host = &host;
  gState.Mode = RunMode::Saver;
  gState.StopRequested = false;
  gState.PreviewStopRequested = false;
  gState.Canvas = &canvas;

  LoadAdvancedSettings(DisplaySurface{&canvas, request.width, request.height, false}, false);
  gState.FrameDelay = 0;
  gState.CycleFrameLimit = 0;  // the frame count here is the caller's, not the cycle's
  while (!gState.StopRequested && host.Remaining() > 0) {
    gState.CycleFrameCount = 0;
    if (request.theme != 0) effect->loadTheme(request.theme);
    else if (effect->load) effect->load(0, false);
    PrepareCanvas();
    effect->run();
  }
  gState.Host = previousHost;
  gState.StopRequested = false;
  return std::nullopt;
}

}  // namespace pyxora
