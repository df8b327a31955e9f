#include "effects/fireworks/fireworks_settings.h"

#include <cmath>
#include <limits>
#include <type_traits>

#include "base/number_text.h"
#include "base/numeric.h"
#include "render/saver_state.h"
#include "render/text_helpers.h"

namespace pyxora {

FireworksSettings gFireworksSettings;

namespace {

// Theme field order (kFireworksThemeFields): shells, sparks, length, symmetry, speed,
// persist, gravity, size, damping; launch %, pixels, radius, steps, persist; spline %,
// knots, solid %; multi %, age, count, momentum; jet %, age, count, radius, shell;
// scintillator %, style; sparkler %, age, pixels; ring %, rings, degrees; twister %,
// count, degrees, radius, extent; decay %, count, size, life. The trailing comma
// leaves an empty 44th item that nothing reads.
constexpr std::array<const char*, kFireThemeCount> kFireworksPresets = {
    "14, 1200, 5, 1, 5, 0.97, 0.03, 3, 0.175, 100, 300, 1.2, 60, 0.92, 5, 7, 25, 20, 25, 10, 1, 10, 40, 6, 3, 1, 4, "
    "5, 7, 30, 5, 10, 3, 5, 10, 10, 15, 3, 20, 8, 60, 800, 80, ",
    "14, 1400, 10, 1, 5, 0.96, 0.05, 3, 0.175, 75, 300, 1, 40, 0.75, 0, 10, 25, 0, 25, 10, 1, 0, 30, 6, 2, 0, 100, "
    "5, 0, 30, 9, 0, 3, 5, 0, 20, 20, 1, 10, 0, 16, 600, 40, ",
    "8, 1000, 10, 1, 8, 0.96, 0.04, 3, 0.3, 100, 400, 1.5, 40, 0.92, 0, 10, 0, 0, 25, 10, 1, 100, 40, 6, 4, 0, 0, "
    "9, 0, 30, 9, 0, 3, 5, 0, 20, 20, 1, 10, 0, 16, 600, 40, ",
    "12, 1200, 10, 1, 7, 0.96, 0.05, 3, 0.2, 100, 200, 1, 40, 0.88, 0, 10, 25, 0, 25, 10, 1, 34, 30, 6, 3, 0, 33, "
    "5, 0, 30, 9, 0, 3, 5, 0, 20, 20, 1, 10, 33, 90, 900, 60, ",
    "12, 1000, 5, 1, 4, 0.97, 0.02, 4, 0.15, 100, 300, 1, 50, 0.9, 0, 10, 25, 100, 25, 10, 1, 0, 30, 6, 2, 0, 0, "
    "9, 0, 30, 9, 0, 3, 5, 0, 20, 20, 1, 10, 0, 16, 600, 40, ",
    "7, 1400, 5, 1, 6, 0.98, 0.02, 3, 0.1, 100, 250, 2, 50, 0.9, 0, 10, 0, 0, 30, 12, 1, 0, 30, 6, 2, 0, 0, "
    "9, 0, 30, 9, 100, 3, 0, 0, 20, 20, 1, 10, 0, 16, 600, 40, ",
    "5, 1800, 10, 0.5, 10, 0.98, 0.01, 4, 0.02, 100, 500, 1.5, 80, 0.93, 0, 10, 0, 0, 30, 12, 1, 0, 30, 6, 2, 0, 0, "
    "9, 0, 30, 9, 100, 1, 10, 0, 20, 20, 1, 10, 0, 16, 600, 40, ",
    "10, 900, 8, 1, 8, 0.97, 0.02, 2, 0.15, 100, 300, 1, 50, 0.88, 0, 10, 0, 0, 30, 12, 1, 0, 30, 6, 2, 0, 0, "
    "9, 0, 30, 9, 0, 3, 5, 100, 10, 20, 4, 25, 0, 16, 600, 40, ",
    "10, 1200, 4, 1, 7, 0.975, 0.0, 3, 0.1, 0, 75, 1, 40, 0.85, 10, 13, 35, 15, 25, 12, 1, 10, 30, 6, 6, 1, 5, "
    "9, 10, 30, 9, 10, 3, 5, 10, 10, 15, 4, 25, 5, 90, 600, 90, ",
    "4, 2500, 7, 1, 4, 0.985, 0, 12, 0.02, 0, 75, 2, 50, 0.85, 0, 10, 0, 0, 25, 10, 1, 0, 30, 6, 2, 0, 0, "
    "9, 0, 30, 9, 0, 3, 5, 0, 20, 20, 1, 10, 0, 16, 600, 40, ",
    "8, 1000, 5, 1, 3, 0.985, 0, 4, 0.01, 0, 50, 2, 40, 0.75, 100, 10, 0, 0, 25, 10, 1, 0, 30, 6, 2, 0, 0, "
    "9, 0, 30, 9, 0, 3, 5, 0, 20, 20, 1, 10, 0, 16, 600, 40, ",
    "12, 800, 5, 1, 8, 0.97, 0.02, 3, 0.2, 100, 900, 20, 1, 0.93, 0, 10, 20, 0, 40, 10, 1, 0, 30, 5, 2, 0, 0, "
    "5, 0, 30, 9, 0, 3, 5, 0, 20, 20, 1, 10, 0, 16, 600, 40, ",
    "14, 1500, 5, 1, 7, 0.98, 0.02, 3, 0.175, 80, 400, 1.2, 60, 0.92, 10, 10, 25, 20, 30, 14, 1, 15, 20, 8, 4, 1, 5, "
    "5, 7, 30, 5, 10, 4, 5, 10, 10, 15, 3, 30, 6, 99, 800, 99, ",
};

// A value that is not a number takes the lower bound; the stored texts cannot hold
// one, but a clamp must never pass it on to the simulation.
float Clamped(float value, float lo, float hi) { return std::isnan(value) ? lo : ClampSng(value, lo, hi); }

}  // namespace

std::string FireThemePreset(int16_t theme) {
  if (theme < 1 || theme > kFireThemeCount) return "";
  return kFireworksPresets[theme - 1];
}

void ApplyFireworksTheme(int16_t theme, FireworksSettings& record) {
  const std::string preset = FireThemePreset(theme);
  if (preset.empty()) return;
  for (size_t k = 0; k < kFireworksThemeFields.size(); ++k)
    SetFireworksField(kFireworksFields[kFireworksThemeFields[k]], record,
                      ValOfText(GetListItem(preset, static_cast<int>(k))));
}

void CapFireworksSlots(FireworksSettings& record) {
  // A stored 0 (or less) must not divide: the run clamps the shells to 1..99 anyway.
  const int16_t shells = ClampInt(record.FireWorks, 1, 99);
  record.FireSparks = MinInt(record.FireSparks, static_cast<int16_t>(kFireworksMaxSlots / shells));
  record.FireLaunchPixel = MinInt(record.FireLaunchPixel, record.FireSparks);
}

void LoadFireworksSettings(int16_t theme, bool applyPerfMult) {
  FireworksSettings& s = gFireworksSettings;
  if (!FireThemePreset(theme).empty()) {
    ApplyFireworksTheme(theme, s);  // every field comes from the preset
    // Presets are always scaled, whatever the caller asked.
    s.FireSparks = ScaleParticleCount(s.FireSparks, gState.PerfMult);
  } else {
    LoadSettingFields<FireworksSettings>(kFireworksSection, kFireworksFields, s);
    // Stored switches are on only for exactly 1 ("2" or "-1" is off).
    s.FireMultiMoment = GetSettingInt(kFireworksSection, "FireMultiMoment", 1) == 1;
    s.FireBurstShell = GetSettingInt(kFireworksSection, "FireBurstShell", 1) == 1;
    if (applyPerfMult) s.FireSparks = ScaleParticleCount(s.FireSparks, gState.PerfMult);
  }
  CapFireworksSlots(s);
  s.FireTwistRad *= kFireworksRadiusUnit;
  s.FireTwistExt *= kFireworksRadiusUnit;
  s.FireBurstRadius *= kFireworksRadiusUnit;
  s.FireLaunchRadius *= kFireworksRadiusUnit;
}

FireworksSettings NormaliseFireworksSettings(const FireworksSettings& loaded) {
  constexpr float u = kFireworksRadiusUnit;
  FireworksSettings r = loaded;
  r.FireWorks = ClampInt(r.FireWorks, 1, 99);
  r.FireSparks = ClampInt(r.FireSparks, 10, 9999);
  r.FireLength = ClampInt(r.FireLength, 1, 99);
  r.FireSymmetry = Clamped(r.FireSymmetry, 0, 1);
  r.FireSpeed = Clamped(r.FireSpeed, 0.1f, 99.9f);
  r.FirePersist = Clamped(r.FirePersist, 0.25f, 0.99f);
  r.FireGravity = Clamped(r.FireGravity, 0, 9.9f) * 0.005f;
  r.FireSizeDev = ClampInt(r.FireSizeDev, 1, 99);
  r.FireDamping = (1.0f - Clamped(r.FireDamping, 0, 1)) * 0.5f + 0.5f;
  r.FireSplinePct = ClampInt(r.FireSplinePct, 0, 100);
  r.FireSplineKnot = ClampInt(r.FireSplineKnot, 4, 99);
  for (int16_t FireworksSettings::*pct :
       {&FireworksSettings::FireMultiPct, &FireworksSettings::FireBurstPct, &FireworksSettings::FireSparkPct,
        &FireworksSettings::FireRingPct, &FireworksSettings::FireTwistPct, &FireworksSettings::FireDecayPct,
        &FireworksSettings::FireScintPct, &FireworksSettings::FireLaunchPct})
    r.*pct = ClampInt(r.*pct, 0, 100);
  for (int16_t FireworksSettings::*age :
       {&FireworksSettings::FireMultiAge, &FireworksSettings::FireBurstAge, &FireworksSettings::FireSparkAge})
    r.*age = ClampInt(r.*age, 5, 99);
  for (int16_t FireworksSettings::*count :
       {&FireworksSettings::FireMultiBurst, &FireworksSettings::FireBurstCount, &FireworksSettings::FireRingEmb,
        &FireworksSettings::FireTwistCnt, &FireworksSettings::FireDecayCnt})
    r.*count = ClampInt(r.*count, 1, 99);
  r.FireBurstRadius = Clamped(r.FireBurstRadius, 0.25f * u, 99.9f * u);
  r.FireLaunchRadius = Clamped(r.FireLaunchRadius, 0.25f * u, 99.9f * u);
  r.FireSparkPix = ClampInt(r.FireSparkPix, 1, 30);
  r.FireRingDeg = ClampInt(r.FireRingDeg, 0, 180);
  r.FireTwistDeg = ClampInt(r.FireTwistDeg, 0, 90);
  r.FireTwistRad = Clamped(r.FireTwistRad, 0.1f * u, 99.9f * u);
  r.FireTwistExt = Clamped(r.FireTwistExt, 0.25f * u, 999.9f * u);
  r.FireDecayMSize = Clamped(std::nearbyint(r.FireDecayMSize), 1, 9999);
  r.FireDecayMLife = ClampInt(r.FireDecayMLife, 5, 999);
  r.FireScintStyle = ClampInt(r.FireScintStyle, 1, 9);
  r.FireLaunchPixel = ClampInt(r.FireLaunchPixel, 10, 999);
  r.FireLaunchSteps = ClampInt(r.FireLaunchSteps, 1, 999);
  r.FireLaunchPersist = Clamped(r.FireLaunchPersist, 0.25f, 0.99f);
  return r;
}

std::span<const SettingRowInfo> FireworksSettingRows() {
  static const std::vector<SettingRowInfo> rows = DescribeSettingFields<FireworksSettings>(
      kFireworksFields, "txtFire",
      {{kFireworksFields[kFireworksCheckBoxes[0].row].key, SettingControl::Check, kFireworksCheckBoxes[0].name},
       {kFireworksFields[kFireworksCheckBoxes[1].row].key, SettingControl::Check, kFireworksCheckBoxes[1].name}});
  return rows;
}

}  // namespace pyxora
