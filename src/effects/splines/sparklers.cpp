#include "effects/splines/sparklers.h"

#include <cmath>

#include "base/numeric.h"
#include "effects/splines/sparkler_sim.h"
#include "effects/splines/spline_heads.h"
#include "render/canvas.h"
#include "render/random.h"
#include "render/saver_state.h"
#include "settings/setting_boxes.h"

namespace pyxora {

SparklerParams gSparklerParams;

namespace {

// Frames until the run ends; the simulation lives exactly as long as this call.
void RunSparkLoop(const SparklerRunValues& values) {
  Canvas offscreen;
  SparklerSim sim(values, SplineCanvas(offscreen));
  RunSplineFrames(sim);
}

}  // namespace

void LoadSparklerSettings(bool applyPerfMult) {
  LoadSettingFields<SparklerParams>(kSparklerSection, kSparklerFields, gSparklerParams);
  if (applyPerfMult) gSparklerParams.Pixels = ScaleParticleCount(gSparklerParams.Pixels, gState.PerfMult);
}

SparklerRunValues SparklerRunValuesFrom(const SparklerParams& p) {
  SparklerRunValues values;
  values.heads = ClampInt(p.Splines, 1, 999);
  values.sparks = ClampInt(p.Pixels, 10, 9999);
  values.steps = ClampInt(p.SSpeed, 1, 999);
  values.emitSpeed = ClampSng(p.ESpeed, 0.25f, 999) * 0.001f;
  values.persist = ClampSng(p.Persist, 0.25f, 0.99f);
  values.gravity = ClampSng(p.Gravity, 0, 9.99f) * 0.001f;
  values.dampingFactor = DampingSpeedFactor(p.Damping);
  values.antiGrav = ClampSng(p.AntiGrav, 0, 999);
  values.extent = ClampSng(p.MaxExtent, 0.001f, 99);
  values.symmetric = p.Symmetry == 1;
  return values;
}

void RunSparklers() { RunSparkLoop(SparklerRunValuesFrom(gSparklerParams)); }

void RunSparklersDemo() {
  SparklerRunValues values;
  values.symmetric = Rnd() > 0.25f;
  values.heads = static_cast<int16_t>(std::floor(Rnd() * (values.symmetric ? 25.0f : 5.0f)) + 6);
  values.sparks = 1200;
  values.steps = 100;
  values.emitSpeed = 0.002f;
  values.persist = 0.95f;
  values.gravity = 0;
  values.dampingFactor = 1;
  values.antiGrav = std::pow(2.0f, std::floor(Rnd() * 4.0f + 1.0f));  // 2, 4, 8 or 16
  values.extent = 0.7f;
  RunSparkLoop(values);
}

void PreviewSparklers(const PropertiesModel& props) {
  ReadSettingBoxes<SparklerParams>(props, "txtSpline", kSparklerFields, gSparklerParams);
  gSparklerParams.Symmetry = props.Checked("chkSplineSym") ? 1 : 0;
  RunSparklers();
}

std::span<const SettingRowInfo> SparklerSettingRows() {
  static const std::vector<SettingRowInfo> rows = DescribeSettingFields<SparklerParams>(
      kSparklerFields, "txtSpline", {{"B_Spline_Symmetry", SettingControl::Check, "chkSplineSym"}});
  return rows;
}

}  // namespace pyxora
