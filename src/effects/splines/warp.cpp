#include "effects/splines/warp.h"

#include "base/numeric.h"
#include "effects/splines/spline_heads.h"
#include "effects/splines/warp_sim.h"
#include "render/canvas.h"
#include "render/saver_state.h"
#include "settings/properties_model.h"
#include "settings/setting_boxes.h"

namespace pyxora {

WarpParams gWarpParams;

void LoadWarpSettings(bool applyPerfMult) {
  LoadSettingFields<WarpParams>(kWarpSection, kWarpFields, gWarpParams);
  if (applyPerfMult) gWarpParams.Sparks = ScaleParticleCount(gWarpParams.Sparks, gState.PerfMult);
}

void RunWarp() {
  const WarpParams& p = gWarpParams;
  WarpRunValues values;
  values.splines = ClampInt(p.Works, 1, 999);
  values.sparksPerSpline = ClampInt(p.Sparks, 10, 999);
  values.trailLen = ClampInt(p.Length, 1, 99);
  values.steps = ClampInt(p.SplineIncs, 1, 999);
  values.speed = ClampSng(p.Speed, 1, 999);
  values.persist = ClampSng(p.Persist, 0.25f, 0.99f);
  values.sizeDev = ClampInt(p.SizeDev, 1, 999);
  values.dampingFactor = DampingSpeedFactor(p.Damping);
  values.type = ClampInt(p.Type, 0, 4);  // a hand-edited type has no start or velocity
  values.cyclePct = p.CyclePct;  // any value works: Rnd < CyclePct / 100
  values.hueLock = p.HueLock == 1;

  Canvas offscreen;
  WarpSim sim(values, SplineCanvas(offscreen));
  RunSplineFrames(sim);
}

void PreviewWarp(const PropertiesModel& props) {
  ReadSettingBoxes<WarpParams>(props, "txtWarp", kWarpFields, gWarpParams);
  gWarpParams.Type = static_cast<int16_t>(ClampLng(props.ListIndex("cboWarpType", 4), 0, 4));
  gWarpParams.HueLock = props.Checked("chkWarpHueLock") ? 1 : 0;
  RunWarp();
}

std::span<const SettingRowInfo> WarpSettingRows() {
  // Templates list the warp type after the lock percent.
  static const std::vector<SettingRowInfo> rows = DescribeSettingFields<WarpParams>(
      kWarpFields, "txtWarp",
      {{"Warp_Type", SettingControl::List, "cboWarpType"}, {"Warp_HueLock", SettingControl::Check, "chkWarpHueLock"}},
      {0, 1, 2, 3, 4, 5, 6, 7, 9, 8, 10});
  return rows;
}

}  // namespace pyxora
