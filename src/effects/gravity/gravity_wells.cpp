#include "effects/gravity/gravity_wells.h"

#include <cmath>

#include "base/number_text.h"
#include "base/numeric.h"
#include "effects/gravity/gravity_loop.h"
#include "effects/gravity/gravity_settings.h"
#include "settings/properties_model.h"

namespace pyxora {

void RunGravityWells() {
  const GravitySettings run = NormaliseGravitySettings(gGravitySettings);
  GravityLoop(run, run.StereoOn);
}

void RunGravityDemo() {
  GravitySettings& s = gGravitySettings;
  s.Emitters = 1;
  s.Attractors = 1;
  s.Pixels = 1200;
  s.EmitSpeed = 40;
  s.Gravity = 800;
  s.AttractorRadius = 1;
  s.TrailLength = 5;
  s.Refresh = 10000;
  s.ColorMult = 750;
  s.StereoSep = 1;
  s.StereoHue = 180;
  // ColorComp stays as it is: the demo shows whichever measure was last loaded.
  GravityLoop(ScaleGravityUnits(s), false);
}

void PreviewGravityWells(const PropertiesModel& props) {
  GravitySettings& s = gGravitySettings;
  for (const GravitySettingRow& row : kGravityFields) {
    if (row.box.index < 0) continue;
    const double typed = RoundHalfEven(ValOfBoxText(props.Text("txtGrav", row.box.index)));
    // The same limits the boxes apply when they lose focus.
    const double value = std::isnan(typed) ? row.box.lo : ClampValue<double>(typed, row.box.lo, row.box.hi);
    SetGravityField(row, s, value);
  }
  s.ColorComp = static_cast<int16_t>(ClampValue(props.ListIndex("cboGravColor"), 0, 2));
  s.StereoOn = props.Checked("chkGravStereo");
  GravityLoop(ScaleGravityUnits(s), s.StereoOn);
}

void LoadGravityEffect(int16_t /*config*/, bool applyPerfMult) { LoadGravitySettings(applyPerfMult); }

void LoadGravityTheme(int16_t theme) {
  gGravitySettings = GravityDefaults();
  ApplyGravityTheme(theme, gGravitySettings);
}

}  // namespace pyxora
