#include "effects/galaxy/galaxy_settings.h"

#include <cmath>
#include <limits>
#include <type_traits>

#include "base/number_text.h"
#include "base/numeric.h"
#include "render/saver_state.h"
#include "render/text_helpers.h"

namespace pyxora {

GalaxySettings gGalaxySettings;

namespace {

// Fields in preset order (see kGalaxyPresetRows); field 6 is the plane list.
constexpr std::array<const char*, kGalaxyPresetCount> kGalaxyPresets = {
    "5000, 200, 250, 300, 375, 1, 0, 1800, 1.3, 1.5, 0.30, 20, 0.043, 240, 3, 0, 125, 16, 75, 300, 40, 750, 200, "
    "100, 500, 0.95, 400, 125, 60, 100, 300, 0.94, 0.998, 100, 2000, 0, 0.996, 0.35",
    "3600, 1000, 1000, 750, 500, 3, 0, 700, 1.5, 2, 0.2, 160, 359.96, 0, 3, 1, 300, 10, 250, 100, 200, 4000, 200, "
    "250, 1000, 0.95, 200, 50, 200, 100, 200, 0.94, 0.9975, 100, 2000, 0, 0.990, 1",
    "3600, 225, 400, 300, 100, 2, 0, 2250, 1, 1, 1, 20, 0.1, 120, 3, 2, 200, 20, 500, 100, 30, 2500, 100, 100, 300, "
    "0.95, 400, 50, 100, 100, 200, 0.94, 0.9975, 100, 2000, 0, 0.995, 0.5",
    "4500, 150, 350, 250, 100, 1, 0, 400, 2, 1.4, 4, 20, 0.2, 60, 3, 1, 400, 10, 200, 200, 30, 1000, 100, 100, 300, "
    "0.95, 400, 50, 400, 100, 200, 0.94, 0.9975, 100, 2000, 0, 0.995, 0.5",
    "4500, 360, 600, 450, 200, 1, 0, 6000, 1, .02, 0.5, 20, 0.20, 240, 3, 0, 250, 5, 50, 300, 50, 1500, 300, 200, "
    "600, 0.94, 600, 50, 25, 100, 800, 0.94, 0.995, 100, 3000, 0, 0.99, 0.6",
    "3200, 200, 600, 250, 100, 2, 0, 1200, 1.6, 1.6, 0.68, 20, 0.1, 240, 3, 0, 250, 10, 125, 150, 40, 1000, 75, "
    "100, 2000, 0.95, 1250, 50, 125, 150, 2500, 0.94, 0.9975, 100, 2000, 0, 0.995, 0.5",
    "3600, 200, 3000, 225, 100, 2, 0, 7500, .1, 1, .5, 160, 359, 240, 3, 2, 400, 8, 75, 200, 40, 500, 100, 100, "
    "600, 0.95, 500, 50, 400, 125, 200, 0.94, 0.9975, 100, 2000, 0, 0.995, 0.5",
    "4500, 200, 500, 275, 100, 1, 0, 8000, .2, .2, 1, 60, 0.10, 180, 3, 2, 400, 6, 60, 300, 40, 800, 100, 100, 800, "
    "0.95, 500, 50, 150, 100, 300, 0.94, 0.9975, 100, 2000, 0, 0.995, 0.5",
    "4500, 150, 400, 300, 100, 1, 0, 720, 1.3, 0.7, 3, 45, 0.25, 60, 3, 6, 300, 10, 275, 120, 30, 600, 100, 100, "
    "750, 0.92, 600, 50, 100, 100, 500, 0.94, 0.9975, 100, 2000, 0, 0.960, 2",
    "4250, 500, 500, 600, 150, 2, 0, 1000, 1, 1, 1.5, 20, 0.05, 330, 3, 5, 300, 6, 50, 125, 100, 1500, 100, 100, "
    "300, 0.95, 750, 50, 200, 125, 300, 0.94, 0.9975, 100, 4000, 0, 0.990, 0.8",
    "3000, 250, 6000, 300, 100, 2, 0, 1200, 2, 2, 1, 20, 0.3, 210, 3, 4, 250, 8, 200, 125, 40, 500, 100, 100, 1000, "
    "0.95, 1800, 50, 600, 300, 2000, 0.94, 0.995, 100, 2000, 0, 0.99, 1",
    "4000, 200, 300, 225, 100, 1, 0, 1000, 5, 5, 3, 20, 0.125, 330, 3, 4, 250, 6, 40, 200, 50, 2000, 100, 100, 500, "
    "0.92, 500, 100, 100, 100, 300, 0.96, 0.9975, 100, 2000, 0, 0.99, 0.75",
    "4000, 500, 600, 650, 50, 2, 0, 6500, 1.35, .05, 0.65, 90, 0.1, 250, 3, 2, 500, 4, 25, 400, 20, 500, 100, 100, "
    "1000, 0.95, 1500, 200, 25, 1200, 200, 0.94, 0.995, 100, 2000, 0, 0.99, 1",
    "4000, 200, 200, 350, 225, 1, 0, 3200, 2.5, 2.5, 2, 170, 359.85, 180, 3, 3, 250, 8, 250, 150, 40, 4000, 150, "
    "100, 2000, 0.9, 1000, 40, 20, 100, 2000, 0.94, 0.996, 100, 2000, 0, 0.99, 1",
    "3500, 200, 500, 250, 100, 1, 0, 800, 2, 2, 0.75, 20, 0.1, 240, 3, 0, 500, 6, 500, 250, 20, 8000, 500, 100, "
    "1000, 0.95, 1000, 100, 0, 2000, 0, 0.94, 0.9, 100, 2000, 0, 0.97, 2",
    "2500, 200, 600, 200, 125, 1, 0, 2000, 2, 2, 0.75, 20, 0.1, 0, 4, 0, 1000, 10, 250, 100, 50, 1000, 0, 100, "
    "1000, 0.95, 0, 100, 150, 200, 400, 0.95, 0.925, 100, 2000, 0, 0.99, 1",
};

constexpr std::array<const char*, kGalaxyPresetCount + 1> kGalaxyThemeNames = {
    "< NONE >",
    "Classical",
    "Vast Red-Orange Disk",
    "Cool Green Sphere",
    "Holiday Ornament",
    "Dual-Dome Interior",
    "Solar Wind Comets",
    "Twisting Ring World",
    "Huge Hollow Shell",
    "Cylindrical Hourglass",
    "Cylinder-Disk Hybrid",
    "Rotating Comet Disk",
    "Spine-Disk Hybrid",
    "Polar Hemispheres",
    "Diamond in the Sky",
    "Unstable Activity",
    "Dark Matter Sparklers",
};
constexpr size_t kThemeNameWidth = 23;

// The names as one string of 23-character slices, the way the list has always been filled.
const std::string& ThemeNameText() {
  static const std::string text = [] {
    std::string all;
    for (const char* name : kGalaxyThemeNames) {
      std::string slice(name);
      slice.resize(kThemeNameWidth, ' ');
      all += slice;
    }
    return all;
  }();
  return text;
}

// Not a number takes the lower bound (only a corrupted record holds one).
float Clamped(float value, float lo, float hi) { return std::isnan(value) ? lo : ClampSng(value, lo, hi); }

// Rounded half to even, then clamped.
float RoundedClamp(float value, float lo, float hi) { return std::isnan(value) ? lo : ClampSng(std::nearbyint(value), lo, hi); }

// The colour gain has always been clamped as a 16-bit value: of a wider number only
// the low 16 bits count.
int32_t LowWordClamp(int32_t value, int16_t lo, int16_t hi) {
  const auto low = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu));
  return ClampInt(low, lo, hi);
}

constexpr float kTwoPi = 6.2831855f;

}  // namespace

void LoadGalaxySettings(int16_t theme, bool applyPerfMult) {
  GalaxySettings& s = gGalaxySettings;
  if (theme == 0) {
    LoadSettingFields<GalaxySettings>(kGalaxySection, kGalaxyFields, s);
  } else if (theme >= 1 && theme <= kGalaxyPresetCount) {
    ApplyGalaxyTheme(theme, s);
    applyPerfMult = true;  // themes are always scaled
  } else {
    return;
  }
  if (applyPerfMult) {
    s.Stars = ScaleParticleCount(s.Stars, gState.PerfMult);
    s.AmbStars = ScaleParticleCount(s.AmbStars, gState.PerfMult);
  }
}

std::string GalaxyThemePreset(int16_t theme) {
  if (theme < 1 || theme > kGalaxyPresetCount) return "";
  return kGalaxyPresets[static_cast<size_t>(theme - 1)];
}

std::string GalaxyThemeName(int16_t index) {
  if (index < 0 || index > kGalaxyPresetCount) return "";
  return ThemeNameText().substr(kThemeNameWidth * static_cast<size_t>(index), kThemeNameWidth);
}

void ApplyGalaxyTheme(int16_t theme, GalaxySettings& record) {
  const std::string preset = GalaxyThemePreset(theme);
  if (preset.empty()) return;
  for (int field = 0; field < kGalaxyPresetFieldCount; ++field) {
    const int row = kGalaxyPresetRows[static_cast<size_t>(field)];
    if (row < 0) continue;
    SetGalaxyField(kGalaxyFields[static_cast<size_t>(row)], record, ValOfText(GetListItem(preset, field)));
  }
}

GalaxySettings NormaliseGalaxySettings(const GalaxySettings& loaded) {
  GalaxySettings r = loaded;
  r.Stars = static_cast<int16_t>(ClampLng(r.Stars, 10, 30000));
  r.Radius = RoundedClamp(r.Radius, 1, 9999) * 0.01f;
  r.RadiusSq = r.Radius * r.Radius;
  r.Rotation = RoundedClamp(r.Rotation, 0, 9999) * 0.000001f;
  r.Distance = RoundedClamp(r.Distance, 0, 9999);
  r.Velocity = RoundedClamp(r.Velocity, 0, 9999) * 0.00001f;
  r.Trail = ClampInt(r.Trail, 1, 999);
  r.ColorMult = LowWordClamp(r.ColorMult, 1, 9999);
  r.RadiusExp = Clamped(r.RadiusExp, 0, 99.9f);
  r.HeightExp = Clamped(r.HeightExp, 0, 99.9f);
  r.GHW_Ratio = Clamped(r.GHW_Ratio, 0, 99.9f);
  r.AngleTilt = Clamped(r.AngleTilt, 0, 360) * kTwoPi / 360.0f;
  r.AngleTInc = Clamped(r.AngleTInc, 0, 360) * kTwoPi / 360.0f;
  r.ColorComp = ClampInt(r.ColorComp, 0, 4);
  r.Profile = ClampInt(r.Profile, 0, 6);
  r.NewFreq = ClampInt(r.NewFreq, 0, 9999);
  r.NewFrames = ClampInt(r.NewFrames, 1, 999);
  r.NewExtMult = RoundedClamp(r.NewExtMult, 1, 9999) * 0.001f;
  r.NovaFreq = RoundedClamp(r.NovaFreq, 0, 9999) * 0.0001f;
  r.NovaFrames = ClampInt(r.NovaFrames, 1, 999);
  r.NovaExtMult = RoundedClamp(r.NovaExtMult, 1, 9999) * 0.0001f;
  r.BurstFreq = ClampInt(r.BurstFreq, 0, 9999);
  r.BurstStars = ClampInt(r.BurstStars, 1, 999);
  r.BurstSpeed = RoundedClamp(r.BurstSpeed, 1, 9999) * 0.00001f;
  r.BurstPersist = Clamped(r.BurstPersist, 0.25f, 0.99f);
  r.CometFreq = ClampInt(r.CometFreq, 0, 9999);
  r.CometStars = ClampInt(r.CometStars, 1, 999);
  r.CometOrbit = Clamped(r.CometOrbit, 1, 9999) * 0.00001f;
  r.CometSpeed = Clamped(r.CometSpeed, 0, 9999) * 0.00001f;
  r.CometSWind = Clamped(r.CometSWind, 0, 9999) * 0.00001f;
  r.CometSPersist = Clamped(r.CometSPersist, 0.25f, 0.99f);
  r.CometCPersist = Clamped(r.CometCPersist, 0.25f, 0.9999f);
  r.AmbStars = ClampInt(r.AmbStars, 0, 999);
  r.AmbRadius = RoundedClamp(r.AmbRadius, 100, 99999) * 0.01f;
  r.AmbSymmetry = Clamped(r.AmbSymmetry, 0, 1);
  r.AmbPersist = Clamped(r.AmbPersist, 0.25f, 1);
  r.AmbCAgeInc = Clamped(r.AmbCAgeInc, 0, 1);
  r.HWheelIdx = ClampInt(r.HWheelIdx, 0, 359);
  return r;
}

std::span<const SettingRowInfo> GalaxySettingRows() {
  static const std::vector<SettingRowInfo> rows = DescribeSettingFields<GalaxySettings>(
      kGalaxyFields, "txtGalaxy",
      {{"Galaxy_ColorComp", SettingControl::List, "cboGalColor"}, {"Galaxy_Profile", SettingControl::List, "cboGalProfile"}});
  return rows;
}

}  // namespace pyxora
