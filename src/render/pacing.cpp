#include "render/pacing.h"

#include <cstdint>
#include <cstdlib>

#include "render/frame_host.h"
#include "render/saver_state.h"

namespace pyxora {
namespace {

// |now - start| as a signed 32-bit difference: a tick wrap between frames is a short time.
int64_t ElapsedSince(uint32_t start, uint32_t now) {
  const int32_t difference = static_cast<int32_t>(now - start);
  return std::llabs(static_cast<int64_t>(difference));
}

}  // namespace

void RequestStop() {
  gState.StopRequested = true;
  if (gState.Host) gState.Host->Wake();
}

bool WaitFrameDelay() {
  FrameHost* host = gState.Host;
  if (!host) return gState.StopRequested;
  host->PresentFrame();
  for (;;) {
    host->ProcessEvents();
    if (gState.StopRequested) return true;
    const int64_t elapsed = ElapsedSince(gState.FrameStartTick, host->Tick());
    if (elapsed >= gState.FrameDelay) return false;
    host->WaitForEvents(static_cast<uint32_t>(gState.FrameDelay - elapsed));
  }
}

bool PaceFrame() {
  bool stop = WaitFrameDelay();
  if (gState.Mode == RunMode::Preview && gState.Host && !gState.Host->WindowExists(gState.PreviewParent)) {
    gState.StopRequested = true;
    stop = true;
  }
  return stop;
}

void WaitNextTick() {
  FrameHost* host = gState.Host;
  if (!host) return;
  const uint32_t start = host->Tick();
  for (;;) {
    host->ProcessEvents();
    if (ElapsedSince(start, host->Tick()) >= 1 || gState.StopRequested) return;
    host->WaitForEvents(1);
  }
}

bool AdvanceCycleFrame() {
  if (gState.CycleFrameLimit < 1) return false;
  ++gState.CycleFrameCount;
  return gState.CycleFrameCount >= gState.CycleFrameLimit;
}

}  // namespace pyxora
