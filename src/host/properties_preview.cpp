#include "host/properties_preview.h"

#include "base/number_text.h"
#include "base/numeric.h"
#include "effects/effect_table.h"
#include "effects/fireworks/fireworks_sounds.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/display_canvas.h"
#include "render/frame_host.h"
#include "render/random.h"
#include "render/saver_state.h"
#include "render/viewport.h"
#include "settings/settings.h"

namespace pyxora {
namespace {

int16_t BoxLevel(const PropertiesModel& props, const char* array, int index, double hi) {
  return static_cast<int16_t>(ClampValue(RoundHalfEven(ValOfBoxText(props.Text(array, index))), 0.0, hi));
}

}  // namespace

void ApplyPreviewColours(const PropertiesModel& props) {
  ColorSettings& c = gColorSettings;
  c.ColorRed = BoxLevel(props, "txtPixHue", 0, 100);
  c.ColorGrn = BoxLevel(props, "txtPixHue", 1, 100);
  c.ColorBlu = BoxLevel(props, "txtPixHue", 2, 100);
  c.ColorPctInt = BoxLevel(props, "txtPixCol", 0, 100);
  c.ColorPctHue = BoxLevel(props, "txtPixCol", 1, 100);
  c.ColorHueWheel = BoxLevel(props, "txtPixCol", 2, 360);
  c.HueStart = GetSettingInt("Advanced", "Adv_HueStart", 0);
  BuildHueWheel();
}

bool RunPropertiesPreview(const PropertiesModel& props, Canvas& surface, int width, int height) {
  const int effect = props.SelectedEffect;
  if (effect < 0 || effect >= kEffectCount) return false;
  const EffectEntry& entry = Effects()[static_cast<size_t>(effect)];
  if (!entry.preview) return false;

  const int16_t w = static_cast<int16_t>(ClampValue(width, 1, 32767));
  const int16_t h = static_cast<int16_t>(ClampValue(height, 1, 32767));
  SetUpViewport(gViewport, w, h, GetSettingDbl("Advanced", "FocalLength", 1.0f));
  gViewport.DrawDC = &surface;
  surface.Resize(w, h);
  gState.Canvas = &surface;
  gState.PerfMult = GetSettingDbl("Advanced", "Adv_PerfMult", 1.0f);
  gState.FrameDelay = GetSettingLng("Advanced", "Adv_TimeDelay", 40);
  LoadFireSounds(gFireSounds.SoundOn, gFireSounds.Files);
  PrepareCanvas();
  ReseedRandom();
  ApplyPreviewColours(props);
  gState.CycleFrameCount = 0;
  gState.CycleFrameLimit = 0;

  entry.preview(props);

  gViewport.DrawDC = nullptr;
  gState.Canvas = nullptr;
  return true;
}

bool PreviewSession::Start() {
  if (running_) return false;
  gState.StopRequested = false;
  gState.PreviewStopRequested = false;
  showing_ = true;
  return true;
}

void PreviewSession::Run(const std::function<void()>& loop, const std::function<void(int result)>& close) {
  running_ = true;
  loop();
  running_ = false;
  if (closePending_) {
    closePending_ = false;
    close(pendingResult_);
  }
}

bool PreviewSession::Stop() {
  gState.PreviewStopRequested = true;
  if (gState.Host) gState.Host->Wake();
  return Leave();
}

bool PreviewSession::Leave() {
  const bool was = showing_;
  showing_ = false;
  return was;
}

bool PreviewSession::MayClose(int result) {
  if (!running_) return true;
  closePending_ = true;
  pendingResult_ = result;
  gState.PreviewStopRequested = true;
  if (gState.Host) gState.Host->Wake();
  return false;
}

}  // namespace pyxora
