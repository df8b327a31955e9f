#include "effects/effect_table.h"

#include "effects/fireworks/fireworks.h"
#include "effects/galaxy/galaxies.h"
#include "effects/gravity/gravity_wells.h"
#include "effects/splines/sparklers.h"
#include "effects/splines/warp.h"

namespace pyxora {

const EffectTable& Effects() {
  static const EffectTable table = {{
      {0, "Fireworks", "Fireworks", "fireworks", LoadFireworksEffect, RunFireworks, PreviewFireworks, LoadFireworksTheme,
       13},
      {1, "3D Stars [RETIRED]", "", ""},
      {2, "B-Spline Warp", "B-SplineWarp", "warp", [](int16_t, bool perf) { LoadWarpSettings(perf); }, RunWarp,
       PreviewWarp},
      {3, "B-Spline Sparklers", "B-SplineSpark", "sparklers",
       [](int16_t, bool perf) { LoadSparklerSettings(perf); }, RunSparklers, PreviewSparklers},
      {4, "Stars and Gravity Wells", "GravityWell", "gravity", LoadGravityEffect, RunGravityWells, PreviewGravityWells,
       LoadGravityTheme, 5},
      {5, "Galaxies", "Galaxy", "galaxy", LoadGalaxyEffect, RunGalaxies, PreviewGalaxies, LoadGalaxyTheme, 16},
  }};
  return table;
}

const EffectEntry* FindEffectByRenderName(std::string_view name) {
  for (const EffectEntry& entry : Effects())
    if (*entry.renderName && name == entry.renderName) return &entry;
  return nullptr;
}

}  // namespace pyxora
