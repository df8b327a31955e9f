#include "effects/fireworks/fireworks.h"

#include <cmath>

#include "effects/fireworks/fireworks_loop.h"
#include "effects/fireworks/fireworks_settings.h"
#include "settings/properties_model.h"
#include "settings/setting_boxes.h"

namespace pyxora {
namespace {

// The unit factors a run applies after clamping: gravity, the drag factor, the radii.
void ScaleFireworksUnits(FireworksSettings& s) {
  s.FireGravity *= 0.005f;
  s.FireDamping = (1.0f - s.FireDamping) * 0.5f + 0.5f;
  s.FireBurstRadius *= kFireworksRadiusUnit;
  s.FireLaunchRadius *= kFireworksRadiusUnit;
  s.FireTwistRad *= kFireworksRadiusUnit;
  s.FireTwistExt *= kFireworksRadiusUnit;
}

}  // namespace

void RunFireworks() { FireworksLoop(NormaliseFireworksSettings(gFireworksSettings)); }

void RunFireworksDemo() {
  FireworksSettings& s = gFireworksSettings;
  s.FireWorks = 12, s.FireSparks = 600, s.FireLength = 4, s.FireSymmetry = 1, s.FireSpeed = 6;
  s.FirePersist = 0.96f, s.FireGravity = 0.04f, s.FireSizeDev = 3, s.FireDamping = 0.17f;
  s.FireSplinePct = 0, s.FireSplineKnot = 8, s.FirePatternPct = 35;
  s.FireMultiPct = 15, s.FireMultiAge = 25, s.FireMultiBurst = 6, s.FireMultiMoment = true;
  s.FireBurstPct = 10, s.FireBurstAge = 20, s.FireBurstCount = 7, s.FireBurstRadius = 3, s.FireBurstShell = true;
  s.FireSparkPct = 5, s.FireSparkAge = 30, s.FireSparkPix = 5;
  s.FireRingPct = 10, s.FireRingEmb = 2, s.FireRingDeg = 10;
  s.FireTwistPct = 10, s.FireTwistCnt = 10, s.FireTwistDeg = 20, s.FireTwistRad = 2, s.FireTwistExt = 20;
  s.FireDecayPct = 10, s.FireDecayCnt = 50, s.FireDecayMSize = 250, s.FireDecayMLife = 80;
  s.FireScintPct = 0, s.FireScintStyle = 3;
  s.FireLaunchPct = 50, s.FireLaunchPixel = 50, s.FireLaunchRadius = 1, s.FireLaunchSteps = 50;
  s.FireLaunchPersist = 0.85f;
  ScaleFireworksUnits(s);
  FireworksLoop(s);
}

void PreviewFireworks(const PropertiesModel& props) {
  FireworksSettings& s = gFireworksSettings;
  ReadSettingBoxes<FireworksSettings>(props, "txtFire", kFireworksFields, s);
  s.FireDecayMSize = std::nearbyint(s.FireDecayMSize);  // a whole-number box, though a decimal field
  s.FireMultiMoment = props.Checked("chkMultiMom");
  s.FireBurstShell = props.Checked("chkJetBurst");
  ScaleFireworksUnits(s);
  CapFireworksSlots(s);
  FireworksLoop(s);
}

void LoadFireworksEffect(int16_t config, bool applyPerfMult) { LoadFireworksSettings(config, applyPerfMult); }

void LoadFireworksTheme(int16_t theme) { LoadFireworksSettings(theme, true); }

}  // namespace pyxora
