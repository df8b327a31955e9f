#include "host/about_miniatures.h"

#include <algorithm>

#include "effects/fireworks/fireworks.h"
#include "effects/galaxy/galaxies.h"
#include "effects/gravity/gravity_wells.h"
#include "effects/splines/sparklers.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/display_canvas.h"
#include "render/random.h"
#include "render/saver_state.h"
#include "render/viewport.h"

namespace pyxora {

void RunAboutMiniature(int which, Canvas& canvas) {
  gState.CycleFrameCount = 0;
  gState.CycleFrameLimit = kMiniatureFrames;
  const auto width = static_cast<int16_t>(std::clamp(canvas.Width(), 1, 32767));
  const auto height = static_cast<int16_t>(std::clamp(canvas.Height(), 1, 32767));
  SetUpViewport(gViewport, width, height, 1.0f);
  gViewport.DrawDC = &canvas;
  gState.Canvas = &canvas;
  gState.PerfMult = 1.0f;
  gState.FrameDelay = 32;
  ReseedRandom();
  // The six colour values go back to their defaults; the stored hue start stays.
  gColorSettings.ColorRed = gColorSettings.ColorGrn = gColorSettings.ColorBlu = 100;
  gColorSettings.ColorPctInt = 0;
  gColorSettings.ColorPctHue = 100;
  gColorSettings.ColorHueWheel = 60;
  BuildHueWheel();
  BuildStarPalette();
  PrepareCanvas();
  switch (which) {
    case 0: RunFireworksDemo(); break;
    case 1: RunGalaxyDemo(); break;
    case 2: RunGravityDemo(); break;
    case 3: RunSparklersDemo(); break;
    default: break;
  }
  gState.CycleFrameLimit = 0;
}

void RunAboutMiniatures(Canvas& canvas, const std::function<void(int which)>& started) {
  LoadColorSettings();
  for (int which = 0; !gState.StopRequested; which = (which + 1) % kMiniatureCount) {
    if (started) started(which);
    RunAboutMiniature(which, canvas);
  }
  gViewport.DrawDC = nullptr;
  gState.Canvas = nullptr;
}

void RunKeepingRunState(FrameHost& host, const std::function<void()>& body) {
  const SaverState saved = gState;
  const Viewport savedView = gViewport;
  const ColorSettings savedColours = gColorSettings;
  const auto savedWheel = HueWheel;
  const auto savedPalette = StarPalette;
  gState.Host = &host;
  gState.Mode = RunMode::Windowed;
  gState.StopRequested = false;
  body();
  gState = saved;
  gViewport = savedView;
  gColorSettings = savedColours;
  HueWheel = savedWheel;
  StarPalette = savedPalette;
}

}  // namespace pyxora
