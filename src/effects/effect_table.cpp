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
namespace {

template <class Record, size_t N>
std::vector<SettingRowInfo> Rows(const std::array<SettingField<Record>, N>& fields) {
  return DescribeSettingFields<Record>(fields);
}

}  // namespace

const EffectTable& Effects() {
  static const EffectTable table = {{
      {0, "Fireworks", "Fireworks", "fireworks", LoadFireworksEffect, RunFireworks, PreviewFireworks, LoadFireworksTheme,
       13, [] { return Rows(kFireworksFields); }},
      {1, "3D Stars [RETIRED]", "", ""},
      {2, "B-Spline Warp", "B-SplineWarp", "warp", [](int16_t, bool perf) { LoadWarpSettings(perf); }, RunWarp,
       PreviewWarp, nullptr, 0, [] { return Rows(kWarpFields); }},
      {3, "B-Spline Sparklers", "B-SplineSpark", "sparklers",
       [](int16_t, bool perf) { LoadSparklerSettings(perf); }, RunSparklers, PreviewSparklers, nullptr, 0,
       [] { return Rows(kSparklerFields); }},
      {4, "Stars and Gravity Wells", "GravityWell", "gravity", LoadGravityEffect, RunGravityWells, PreviewGravityWells,
       LoadGravityTheme, 5, [] { return Rows(kGravityFields); }},
      {5, "Galaxies", "Galaxy", "galaxy", LoadGalaxyEffect, RunGalaxies, PreviewGalaxies, LoadGalaxyTheme, 16,
       [] { return Rows(kGalaxyFields); }},
  }};
  return table;
}

const EffectEntry* FindEffectByRenderName(std::string_view name) {
  for (const EffectEntry& entry : Effects())
    if (*entry.renderName && name == entry.renderName) return &entry;
  return nullptr;
}

}  // namespace pyxora
