#include "host/driver.h"

#include "base/number_text.h"
#include "base/numeric.h"
#include "render/display_canvas.h"
#include "render/frame_host.h"
#include "render/pacing.h"
#include "render/saver_state.h"
#include "settings/settings.h"

namespace pyxora {
namespace {

constexpr int16_t kFireworks = 0, kGalaxy = 5;

void Load(const EffectEntry& effect, int16_t config, bool applyPerfMult) {
  if (effect.load) effect.load(config, applyPerfMult);
}

// Runs the effect when it has a runner; false when nothing ran.
bool Run(const EffectEntry& effect) {
  if (!effect.run) return false;
  effect.run();
  return true;
}

// A pass that ran no effect still waits one frame, so input and stop requests get
// through instead of the driver spinning.
void PaceIdlePass() {
  if (gState.Host) gState.FrameStartTick = gState.Host->Tick();
  PaceFrame();
}

struct CycleState {
  int16_t index = 0;
  int16_t fireworks = 0;
  int16_t galaxy = 0;
};

// One step of the cycle through the effects of `mask`; true when an effect ran.
bool CyclingStep(CycleState& cycle, int32_t mask, const EffectTable& effects) {
  const int16_t idx = cycle.index;
  const int32_t bit = 1 << idx;
  const EffectEntry& effect = effects[idx];
  if (idx == kFireworks) {
    if (mask & kMaskFireworksThemes) Load(effect, ++cycle.fireworks, true);
    else if (mask & bit) Load(effect, 0, true);
  } else if (idx == kGalaxy) {
    if (mask & kMaskGalaxyThemes) Load(effect, ++cycle.galaxy, true);
    else if (mask & bit) Load(effect, cycle.galaxy, true);
  } else if (idx != 1) {
    Load(effect, 0, true);
  }
  PrepareCanvas();
  const bool ran = (mask & bit) && Run(effect);

  bool advance = true;
  if (idx == kFireworks && (mask & kMaskFireworksThemes)) advance = cycle.fireworks == kFireworksThemeCount;
  if (idx == kGalaxy && (mask & kMaskGalaxyThemes)) advance = cycle.galaxy == kGalaxyThemeCount;
  if (advance) cycle = {static_cast<int16_t>((idx + 1) % kEffectCount), 0, 0};
  return ran;
}

struct SequenceStep {
  int16_t effect;
  int32_t frameLimit;
};
constexpr SequenceStep kSaverSequence[] = {{0, 800}, {2, 1000}, {3, 1000}, {4, 3000}, {5, 1000}};
constexpr SequenceStep kWindowedSequence[] = {{5, 1000}, {0, 800}, {3, 1000}, {4, 3000}};

}  // namespace

void RunEffectSequence(DriverVariant variant, SequenceState& seq, const EffectTable& effects) {
  const bool windowed = variant == DriverVariant::Windowed;
  const SequenceStep* steps = windowed ? kWindowedSequence : kSaverSequence;
  const int16_t length = windowed ? 4 : 5;
  while (!gState.StopRequested) {
    gState.CycleFrameCount = 0;
    if (seq.position < 0 || seq.position >= length) seq.position = 0;
    const SequenceStep& step = steps[seq.position];
    const EffectEntry& effect = effects[step.effect];
    gState.CycleFrameLimit = step.frameLimit;
    if (step.effect == kFireworks) Load(effect, ++seq.fireworks, true);
    else if (step.effect == kGalaxy) Load(effect, ++seq.galaxy, true);
    else Load(effect, 0, true);
    PrepareCanvas();
    if (!Run(effect)) PaceIdlePass();

    bool advance = true;
    if (step.effect == kFireworks) {
      advance = seq.fireworks == kFireworksThemeCount;
      if (advance) seq.fireworks = 0;
    } else if (step.effect == kGalaxy) {
      advance = seq.galaxy == kGalaxyThemeCount;
      if (advance) seq.galaxy = 0;
    }
    if (advance) seq.position = static_cast<int16_t>((seq.position + 1) % length);
  }
}

void RunEffectDriver(DriverVariant variant, const DisplaySurface& surface, const DriverHooks& hooks,
                     const EffectTable& effects) {
  const bool preview = variant == DriverVariant::Preview;
  gState.StopRequested = false;
  gState.Canvas = surface.canvas;
  if (variant == DriverVariant::Saver) {
    gState.IgnoreMouseMove = GetSettingStr("Advanced", "Adv_MouseMove", "0") == "1";
    gState.DisplayOnBackground = GetSettingStr("Advanced", "Adv_DispBackG", "0") == "1";
  }
  LoadAdvancedSettings(surface, preview);
  if (!preview && hooks.showMessage) hooks.showMessage();

  int16_t selected = GetSettingInt("General", "AnimationType", 0);
  int32_t mask = GetSettingLng("Advanced", "Adv_PickPXRA", 0);
  if (variant == DriverVariant::Windowed) {
    // Read as the windowed display always has; the value has no use here.
    [[maybe_unused]] const int32_t framesPerEffect = ClampLng(GetSettingLng("Advanced", "Adv_EffectFPC", 0), 0, 9999);
  }
  if (preview) {
    if (GetSettingInt("General", "AnimationType", -1) != -1) {
      const auto limit = ParseNumericText(GetSettingStr("Advanced", "Adv_EffectFPC", "0"));
      if (limit) {
        if (const auto whole = ToInt32(*limit)) gState.CycleFrameLimit = *whole;
      }
    } else {
      mask = kPreviewSequenceMask;
      gState.CycleFrameLimit = 1000;
    }
    mask = ClampLng(mask & 1023, 0, 1023);
    gState.CycleFrameLimit = ClampLng(gState.CycleFrameLimit, 0, 30000);
  }
  selected = ClampInt(selected, 0, kEffectCount - 1);
  if (!preview) ClearCanvas();

  SequenceState localSequence;
  SequenceState& sequence = hooks.sequence ? *hooks.sequence : localSequence;
  CycleState cycle;
  int idlePasses = 0;
  while (!gState.StopRequested) {
    gState.CycleFrameCount = 0;
    if (!preview && GetSettingInt("General", "AnimationType", -1) == -1) {
      RunEffectSequence(variant, sequence, effects);
    } else if (mask != 0) {
      // Skipping effects whose bit is clear costs no time; only a whole round of
      // passes without a run waits a frame.
      idlePasses = CyclingStep(cycle, mask, effects) ? 0 : idlePasses + 1;
      if (idlePasses >= kEffectCount) {
        PaceIdlePass();
        idlePasses = 0;
      }
    } else {
      const EffectEntry& effect = effects[selected];
      Load(effect, 0, preview);
      PrepareCanvas();
      if (!Run(effect)) PaceIdlePass();
    }
  }
}

}  // namespace pyxora
