#include "effects/effect_table.h"

#include "effects/fireworks/fireworks.h"
#include "effects/fireworks/fireworks_settings.h"
#include "effects/galaxy/galaxies.h"
#include "effects/galaxy/galaxy_settings.h"
#include "effects/gravity/gravity_settings.h"
#include "effects/gravity/gravity_wells.h"
#include "effects/splines/sparklers.h"
#include "effects/splines/warp.h"

namespace pyxora {
const EffectTable& Effects() {
  static const EffectTable table = {{
      {0, "Fireworks", "Fireworks", "fireworks", LoadFireworksEffect, RunFireworks, PreviewFireworks, LoadFireworksTheme,
       13, FireworksSettingRows},
      {1, "3D Stars [RETIRED]", "", ""},
      {2, "B-Spline Warp", "B-SplineWarp", "warp", [](int16_t, bool perf) { LoadWarpSettings(perf); }, RunWarp,
       PreviewWarp, nullptr, 0, WarpSettingRows},
      {3, "B-Spline Sparklers", "B-SplineSpark", "sparklers",
       [](int16_t, bool perf) { LoadSparklerSettings(perf); }, RunSparklers, PreviewSparklers, nullptr, 0,
       SparklerSettingRows},
      {4, "Stars and Gravity Wells", "GravityWell", "gravity", LoadGravityEffect, RunGravityWells, PreviewGravityWells,
       LoadGravityTheme, 5, GravitySettingRows},
      {5, "Galaxies", "Galaxy", "galaxy", LoadGalaxyEffect, RunGalaxies, PreviewGalaxies, LoadGalaxyTheme, 16,
       GalaxySettingRows},
  }};
  return table;
}

const EffectEntry* FindEffectByRenderName(std::string_view name) {
  for (const EffectEntry& entry : Effects())
    if (*entry.renderName && name == entry.renderName) return &entry;
  return nullptr;
}

std::span<const SettingRowInfo> EffectSettingRows(int16_t index) {
  if (index < 0 || index >= kEffectCount || !Effects()[static_cast<size_t>(index)].settingRows) return {};
  return Effects()[static_cast<size_t>(index)].settingRows();
}

}  // namespace pyxora
