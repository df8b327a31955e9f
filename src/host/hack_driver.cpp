#include "host/hack_driver.h"

#include <memory>

#include "host/driver.h"
#include "render/display_canvas.h"
#include "render/saver_state.h"
#include "settings/overlay_store.h"

namespace pyxora {

void InstallHackSettings(const HackOptions& options, std::unique_ptr<SettingsStore> stored) {
  auto store = std::make_unique<OverlayStore>(std::move(stored));
  for (const HackSetting& value : HackOverrides(options)) store->Override(value.section, value.key, value.value);
  SetCurrentStore(std::move(store));
}

void RunHackDriver(const HackOptions& options, const DisplaySurface& surface) {
  const EffectEntry* effect = options.effect;
  if (!effect || options.preset == 0 || !effect->loadTheme || !effect->run) {
    RunEffectDriver(DriverVariant::Saver, surface);
    return;
  }
  // A preset replaces the effect's settings for every run, as --render --preset does.
  gState.StopRequested = false;
  gState.Canvas = surface.canvas;
  LoadAdvancedSettings(surface, false);
  while (!gState.StopRequested) {
    gState.CycleFrameCount = 0;
    effect->loadTheme(options.preset);
    PrepareCanvas();
    effect->run();
  }
}

}  // namespace pyxora
