// Galaxies: the 37 settings of section "Galaxy", their Properties boxes, the sixteen
// themes, the lists of colour measures and profiles, and the run-start clamping and
// unit scaling.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/setting_table.h"

namespace pyxora {

inline constexpr const char* kGalaxySection = "Galaxy";

// Fields in key order. As loaded they hold the stored units; after
// NormaliseGalaxySettings the simulation units (world units, radians, chances).
struct GalaxySettings {
  int16_t Stars = 0;
  float Radius = 0;    // hundredths of a world unit
  float Rotation = 0;  // millionths
  float Distance = 0;  // hundredths; stays so after normalising (the loop scales it)
  float Velocity = 0;  // hundred-thousandths per frame
  int16_t Trail = 0;
  int32_t ColorMult = 0;  // tenths
  int16_t NewFreq = 0;    // renewals per frame, hundredths
  int16_t NewFrames = 0;
  float NewExtMult = 0;  // thousandths
  float NovaFreq = 0;    // ten-thousandths
  int16_t NovaFrames = 0;
  float NovaExtMult = 0;  // ten-thousandths
  int16_t BurstFreq = 0;  // ten-thousandths per frame
  int16_t BurstStars = 0;
  float BurstSpeed = 0;  // hundred-thousandths
  float BurstPersist = 0;
  int16_t CometFreq = 0;  // ten-thousandths per frame
  int16_t CometStars = 0;
  float CometOrbit = 0;  // hundred-thousandths
  float CometSpeed = 0;  // hundred-thousandths
  float CometSWind = 0;  // hundred-thousandths
  float CometSPersist = 0;
  float CometCPersist = 0;
  int16_t AmbStars = 0;
  float AmbRadius = 0;  // hundredths
  float AmbSymmetry = 0;
  float AmbPersist = 0;
  float AmbCAgeInc = 0;
  float RadiusExp = 0;
  float HeightExp = 0;
  float GHW_Ratio = 0;
  float AngleTilt = 0;  // degrees; radians after normalising
  float AngleTInc = 0;  // degrees per frame; radians after normalising
  int16_t HWheelIdx = 0;
  int16_t ColorComp = 0;
  int16_t Profile = 0;
  float RadiusSq = 0;  // not stored: Radius squared, set by NormaliseGalaxySettings

  bool operator==(const GalaxySettings&) const = default;
};

using GalaxySettingRow = SettingField<GalaxySettings>;

// The one declaration of the keys, getters, defaults and Properties boxes (txtGalaxy
// index, kind, range, arrow step, characters). A step of 0 means the box ignores the
// arrow keys; a length of 0 sets no limit. Single-precision boxes (kind 1) are the ones
// that accept a decimal point. ColorComp is the list cboGalColor and Profile the list
// cboGalProfile. The store matches key names without regard to case, which matters
// because the loader has always asked for "Galaxy_CometcPersist".
inline constexpr std::array<GalaxySettingRow, 37> kGalaxyFields = {{
    {"Galaxy_Stars", SettingGetter::Int, &GalaxySettings::Stars, 5000, {0, 2, 10, 30000, 10, 5}, "Stars"},
    {"Galaxy_Radius", SettingGetter::Int, &GalaxySettings::Radius, 200, {1, 0, 1, 9999, 10, 4}, "Radius"},
    {"Galaxy_Rotation", SettingGetter::Dbl, &GalaxySettings::Rotation, 250, {2, 0, 0, 9999, 10, 4}, "Rotation"},
    {"Galaxy_Distance", SettingGetter::Lng, &GalaxySettings::Distance, 300, {3, 0, 0, 9999, 10, 4}, "Distance"},
    {"Galaxy_Velocity", SettingGetter::Int, &GalaxySettings::Velocity, 375, {4, 0, 0, 9999, 10, 4}, "Velocity"},
    {"Galaxy_Trail", SettingGetter::Int, &GalaxySettings::Trail, 1, {5, 0, 1, 999, 1, 3}, "Trail"},
    {"Galaxy_ColorMult", SettingGetter::Lng, &GalaxySettings::ColorMult, 1800, {7, 0, 1, 9999, 10, 4},
     "Color Multiplier"},
    {"Galaxy_NewFreq", SettingGetter::Int, &GalaxySettings::NewFreq, 125, {10, 0, 0, 9999, 0, 0}, "Frequency"},
    {"Galaxy_NewFrames", SettingGetter::Int, &GalaxySettings::NewFrames, 10, {11, 0, 1, 999, 0, 0}, "Frames"},
    {"Galaxy_NewExtMult", SettingGetter::Dbl, &GalaxySettings::NewExtMult, 75, {12, 0, 1, 9999, 0, 0}, "Size"},
    {"Galaxy_NovaFreq", SettingGetter::Int, &GalaxySettings::NovaFreq, 300, {20, 0, 0, 9999, 0, 0}, "Frequency"},
    {"Galaxy_NovaFrames", SettingGetter::Int, &GalaxySettings::NovaFrames, 30, {21, 0, 1, 999, 0, 0}, "Frames"},
    {"Galaxy_NovaExtMult", SettingGetter::Dbl, &GalaxySettings::NovaExtMult, 500, {22, 0, 1, 9999, 0, 0}, "Size"},
    {"Galaxy_BurstFreq", SettingGetter::Int, &GalaxySettings::BurstFreq, 600, {30, 0, 0, 9999, 0, 0}, "Frequency"},
    {"Galaxy_BurstStars", SettingGetter::Int, &GalaxySettings::BurstStars, 100, {31, 0, 1, 999, 0, 0}, "Stars"},
    {"Galaxy_BurstSpeed", SettingGetter::Dbl, &GalaxySettings::BurstSpeed, 400, {32, 0, 1, 9999, 0, 0}, "Speed"},
    {"Galaxy_BurstPersist", SettingGetter::Dbl, &GalaxySettings::BurstPersist, 0.95f, {33, 1, 0.25f, 0.99f, 0, 0},
     "Persistence"},
    {"Galaxy_CometFreq", SettingGetter::Int, &GalaxySettings::CometFreq, 750, {40, 0, 0, 9999, 0, 0}, "Frequency"},
    {"Galaxy_CometStars", SettingGetter::Int, &GalaxySettings::CometStars, 125, {41, 0, 1, 999, 0, 0}, "Stars"},
    {"Galaxy_CometOrbit", SettingGetter::Dbl, &GalaxySettings::CometOrbit, 60, {42, 0, 0, 9999, 0, 0}, "Orbit"},
    {"Galaxy_CometSpeed", SettingGetter::Dbl, &GalaxySettings::CometSpeed, 100, {43, 0, 0, 9999, 0, 0}, "Speed"},
    {"Galaxy_CometSWind", SettingGetter::Dbl, &GalaxySettings::CometSWind, 300, {44, 0, 1, 9999, 0, 0},
     "Solar Wind"},
    {"Galaxy_CometSPersist", SettingGetter::Dbl, &GalaxySettings::CometSPersist, 0.94f,
     {45, 1, 0.25f, 0.9999f, 0, 0}, "Star Persistence"},
    {"Galaxy_CometCPersist", SettingGetter::Dbl, &GalaxySettings::CometCPersist, 0.998f,
     {46, 1, 0.25f, 0.9999f, 0, 0}, "Comet Persistence"},
    {"Galaxy_AmbStars", SettingGetter::Int, &GalaxySettings::AmbStars, 100, {60, 0, 0, 999, 0, 0}, "Stars"},
    {"Galaxy_AmbRadius", SettingGetter::Lng, &GalaxySettings::AmbRadius, 2500, {61, 2, 100, 99999, 0, 0}, "Radius"},
    {"Galaxy_AmbSymmetry", SettingGetter::Dbl, &GalaxySettings::AmbSymmetry, 0, {62, 1, 0, 1, 0, 0}, "Symmetry"},
    {"Galaxy_AmbPersist", SettingGetter::Dbl, &GalaxySettings::AmbPersist, 0.998f, {63, 1, 0.25f, 1, 0, 0},
     "Persistence"},
    {"Galaxy_AmbCAgeInc", SettingGetter::Dbl, &GalaxySettings::AmbCAgeInc, 0.2f, {64, 1, 0, 1, 0, 0},
     "Color Aging"},
    {"Galaxy_RadiusExp", SettingGetter::Dbl, &GalaxySettings::RadiusExp, 1.15f, {90, 1, 0, 99.9f, 0, 0},
     "Radius Exponent"},
    {"Galaxy_HeightExp", SettingGetter::Dbl, &GalaxySettings::HeightExp, 1.4f, {91, 1, 0, 99.9f, 0, 0},
     "Height Exponent"},
    {"Galaxy_GHW_Ratio", SettingGetter::Dbl, &GalaxySettings::GHW_Ratio, 0.3f, {92, 1, 0, 99.9f, 0, 0},
     "Height/Width Ratio"},
    {"Galaxy_AngleTilt", SettingGetter::Dbl, &GalaxySettings::AngleTilt, 20, {93, 0, 0, 360, 0, 0}, "Tilt"},
    {"Galaxy_AngleTInc", SettingGetter::Dbl, &GalaxySettings::AngleTInc, 0.043f, {94, 1, 0, 360, 0, 0},
     "Tilt Change"},
    {"Galaxy_HWheelIdx", SettingGetter::Int, &GalaxySettings::HWheelIdx, 240, {95, 0, 0, 359, 5, 3}, "Hue"},
    {"Galaxy_ColorComp", SettingGetter::Int, &GalaxySettings::ColorComp, 3, {}, "Color"},
    {"Galaxy_Profile", SettingGetter::Int, &GalaxySettings::Profile, 0, {}, "Profile"},
}};

inline constexpr int16_t kGalaxyPresetCount = 16;
inline constexpr int kGalaxyPresetFieldCount = 38;
// Preset field 6 is the galaxy plane list cboGalPlane, whose only entry is "Y-Z".
inline constexpr int kGalaxyPlaneField = 6;
// For each preset field, the row of kGalaxyFields it fills (-1: the plane list).
inline constexpr std::array<int, kGalaxyPresetFieldCount> kGalaxyPresetRows = {
    0,  1,  2,  3,  4,  5,  -1, 6,  29, 30, 31, 32, 33, 34, 35, 36, 7,  8,  9,
    10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28,
};

// cboGalColor, in list order (the ColorComp values).
inline constexpr std::array<const char*, 5> kGalaxyColorNames = {
    "Rotational Velocity",
    "Rotational Velocity (Square Root)",
    "Distance from Core",
    "Distance from Core (Squared)",
    "Black (Stars are Invisible)",
};
// cboGalProfile, in list order (the Profile values).
inline constexpr std::array<const char*, 7> kGalaxyProfileNames = {
    "Standard", "Top-Like", "Spherical", "Conical", "Hyperbolic", "Outer-Hyperbolic", "Inner-Hyperbolic",
};
// cboGalPlane: a single entry.
inline constexpr const char* kGalaxyPlaneName = "Y-Z";
// cboGalaxyExtras: the groups of boxes shown one at a time.
inline constexpr std::array<const char*, 6> kGalaxyGroupNames = {
    "Galaxy Characteristics", "New Star Creation",       "Nova Star Creation",
    "Star Burst Creation",    "Comet Characteristics", "Ambient Star Characteristics",
};

// The record the host loads before every run (and the previews fill directly).
extern GalaxySettings gGalaxySettings;

// The factory values of every field, from the table.
inline GalaxySettings GalaxyDefaults() { return SettingDefaults<GalaxySettings>(kGalaxyFields); }
// Theme 0: the 37 keys from the store, Stars and AmbStars scaled by PerfMult when asked.
// Theme 1..16: that preset, always scaled by PerfMult; no key is read. Other themes
// leave the record as it is.
void LoadGalaxySettings(int16_t theme, bool applyPerfMult);
// The preset of theme 1..16 (38 comma-separated fields), "" for any other index.
std::string GalaxyThemePreset(int16_t theme);
// List entry `index` of cboGalaxyTheme: 0 is "< NONE >", 1..16 the themes, each padded
// with spaces to 23 characters; "" outside 0..16.
std::string GalaxyThemeName(int16_t index);
// Writes the fields of theme 1..16 into `record` (the plane field has no place there).
// Other indexes change nothing.
void ApplyGalaxyTheme(int16_t theme, GalaxySettings& record);
// Stores `value` in the field of `row`: whole-number fields round half to even and
// saturate at their type's limits.
inline void SetGalaxyField(const GalaxySettingRow& row, GalaxySettings& record, double value) {
  SetSettingField(row, record, value);
}
// Run-start clamps and unit factors; the loaded record is left as it is.
GalaxySettings NormaliseGalaxySettings(const GalaxySettings& loaded);

// Every setting with the Properties control that edits it, in the order templates list them.
std::span<const SettingRowInfo> GalaxySettingRows();

}  // namespace pyxora
