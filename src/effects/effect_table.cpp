#include "effects/effect_table.h"

#include "effects/gravity/gravity_wells.h"

namespace pyxora {

const EffectTable& Effects() {
  static const EffectTable table = {{
      {0, "Fireworks", "Fireworks", "fireworks"},
      {1, "3D Stars [RETIRED]", "", ""},
      {2, "B-Spline Warp", "B-SplineWarp", "warp"},
      {3, "B-Spline Sparklers", "B-SplineSpark", "sparklers"},
      {4, "Stars and Gravity Wells", "GravityWell", "gravity", LoadGravityEffect, RunGravityWells, PreviewGravityWells,
       LoadGravityTheme, 5},
      {5, "Galaxies", "Galaxy", "galaxy"},
  }};
  return table;
}

const EffectEntry* FindEffectByRenderName(std::string_view name) {
  for (const EffectEntry& entry : Effects())
    if (*entry.renderName && name == entry.renderName) return &entry;
  return nullptr;
}

}  // namespace pyxora
