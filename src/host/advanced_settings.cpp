#include "host/advanced_settings.h"

#include "base/number_text.h"
#include "base/numeric.h"
#include "effects/fireworks/fireworks_sounds.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/random.h"
#include "render/saver_state.h"
#include "render/viewport.h"
#include "settings/placement.h"
#include "settings/settings.h"

namespace pyxora {

namespace {

// The first `count` characters of UTF-8 text: a cut between bytes would leave half a
// character, which shows as a replacement mark.
std::string FirstCharacters(const std::string& text, size_t count) {
  size_t end = 0;
  for (size_t characters = 0; end < text.size(); ++end) {
    const bool starts = (static_cast<unsigned char>(text[end]) & 0xC0) != 0x80;
    if (starts && characters++ == count) break;
  }
  return text.substr(0, end);
}

}  // namespace

void LoadAdvancedSettings(const DisplaySurface& surface, bool isPreview) {
  SaverState& s = gState;
  Viewport& view = gViewport;

  LoadColorSettings();
  BuildHueWheel();
  LoadFireSounds(gFireSounds.SoundOn, gFireSounds.Files);
  BuildStarPalette();

  float focalLength = GetSettingDbl("Advanced", "FocalLength", 1.0f);
  s.PerfMult = GetSettingDbl("Advanced", "Adv_PerfMult", 1.0f);
  s.FrameDelay = GetSettingLng("Advanced", "Adv_TimeDelay", kDefaultFrameDelayMs);
  s.CycleFrameLimit = GetSettingLng("Advanced", "Adv_EffectFPC", 0);
  if (s.CycleFrameLimit > 0) s.CycleFrameLimit = ClampLng(s.CycleFrameLimit, 100, 30000);
  s.PerfMult = static_cast<float>(s.PerfMult * (isPreview ? 0.6 : 1.0));

  s.MessageFontName = GetSettingStr("Advanced", "Adv_FontName", "Arial");
  s.MessageFontSize = GetSettingInt("Advanced", "Adv_FontSize", 20);
  s.MessageFontHue = GetSettingInt("Advanced", "Adv_FontHueV", 180);
  s.MessageText = GetSettingStr("Advanced", "LockMessage", "");

  focalLength = ClampSng(focalLength, 0.01f, 10.0f);
  if (s.MessageFontName.empty()) s.MessageFontName = "MS Sans Serif";
  s.MessageFontSize = ClampInt(s.MessageFontSize, 10, 80);
  s.MessageFontHue = ClampInt(s.MessageFontHue, 0, 359);
  s.MessageText = FirstCharacters(TrimBlanks(s.MessageText), 100);

  const double twipsX = isPreview && gTwipsPerPixel.x > 0 ? gTwipsPerPixel.x : 1;
  const double twipsY = isPreview && gTwipsPerPixel.y > 0 ? gTwipsPerPixel.y : 1;
  view.DrawDC = surface.canvas;
  SetUpViewport(view, NearestInt16(surface.scaleWidth / twipsX), NearestInt16(surface.scaleHeight / twipsY),
                focalLength);
  // The framebuffer is the surface: it takes the viewport's size.
  if (surface.canvas && (surface.canvas->Width() != view.Width || surface.canvas->Height() != view.Height))
    surface.canvas->Resize(view.Width, view.Height);

  ReseedRandom();
}

}  // namespace pyxora
