#include "effects/gravity/gravity_settings.h"

#include <cmath>
#include <limits>
#include <type_traits>

#include "base/number_text.h"
#include "base/numeric.h"
#include "render/saver_state.h"
#include "render/text_helpers.h"

namespace pyxora {

GravitySettings gGravitySettings;

namespace {

// Field order: Emitters, Attractors, Pixels, ESpeed, Gravity, ARadius, TrailLength,
// Refresh, ColorMult, StereoSep, StereoHue, ColorComp, StereoOn.
constexpr std::array<const char*, kGravityThemeCount> kGravityPresets = {
    "1, 1, 3000, 30, 600, 1, 3, 800, 600, 0, 0, 1, 0",
    "1, 2, 4000, 15, 75, 1, 1, 1500, 1800, 0, 0, 1, 0",
    "1, 1, 3000, 2, 2500, 1, 5, 60, 50, 0, 0, 1, 0",
    "1, 2, 3000, 3, 750, 1, 2, 750, 400, 0, 0, 1, 0",
    "1, 1, 2000, 15, 250, 1, 1, 500, 50, 250, 240, 1, 1",
};

// Rounded half to even, then clamped; a value that is not a number takes the lower bound.
float RoundedClamp(float value, float lo, float hi) {
  if (std::isnan(value)) return lo;
  return ClampSng(std::nearbyint(value), lo, hi);
}

}  // namespace

void LoadGravitySettings(bool applyPerfMult) {
  GravitySettings& s = gGravitySettings;
  LoadSettingFields<GravitySettings>(kGravitySection, kGravityFields, s);
  if (applyPerfMult) s.Pixels = ScaleParticleCount(s.Pixels, gState.PerfMult);
}

std::string GravityThemePreset(int16_t theme) {
  if (theme < 1 || theme > kGravityThemeCount) return "";
  return kGravityPresets[theme - 1];
}

void ApplyGravityTheme(int16_t theme, GravitySettings& record) {
  const std::string preset = GravityThemePreset(theme);
  if (preset.empty()) return;
  for (size_t i = 0; i < kGravityFields.size(); ++i)
    SetGravityField(kGravityFields[i], record, ValOfText(GetListItem(preset, static_cast<int>(i))));
}

GravitySettings ScaleGravityUnits(GravitySettings record) {
  record.EmitSpeed *= 0.001f;
  record.Gravity *= 0.000001f;
  record.ColorMult = ClampLng(record.ColorMult, std::numeric_limits<int32_t>::min() / 10,
                              std::numeric_limits<int32_t>::max() / 10) * 10;
  record.StereoSep *= 0.0001f;
  return record;
}

GravitySettings NormaliseGravitySettings(const GravitySettings& loaded) {
  GravitySettings r = loaded;
  r.Emitters = ClampInt(r.Emitters, 1, 9);
  r.Attractors = ClampInt(r.Attractors, 1, 9);
  r.Pixels = ClampInt(r.Pixels, 10, 9999);
  r.EmitSpeed = RoundedClamp(r.EmitSpeed, 1, 999);
  r.Gravity = std::isnan(r.Gravity) ? 1.0f : ClampSng(r.Gravity, 1, 30000);
  r.AttractorRadius = ClampInt(r.AttractorRadius, 0, 99);
  r.TrailLength = ClampLng(r.TrailLength, 1, 999);
  r.Refresh = ClampLng(r.Refresh, 0, 30000);
  r.ColorMult = ClampLng(r.ColorMult, 0, 9999);
  r.StereoSep = RoundedClamp(r.StereoSep, 0, 9999);
  r.StereoHue = ClampInt(r.StereoHue, 0, 359);
  return ScaleGravityUnits(r);
}

std::span<const SettingRowInfo> GravitySettingRows() {
  // The stereo pair is saved in templates but never restored from one.
  static const std::vector<SettingRowInfo> rows = DescribeSettingFields<GravitySettings>(
      kGravityFields, "txtGrav",
      {{"Grav_ColorComp", SettingControl::List, "cboGravColor"}, {"Grav_StereoOn", SettingControl::Check, "chkGravStereo"}},
      {}, {9, 10, 12});
  return rows;
}

}  // namespace pyxora
