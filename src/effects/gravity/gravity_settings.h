// Stars and Gravity Wells: the thirteen settings of section "GravityWell", their
// Properties boxes, the five themes, and the clamping and unit scaling at run start.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/setting_table.h"

namespace pyxora {

inline constexpr const char* kGravitySection = "GravityWell";

// Field order is the Properties box index, the theme field index and the save order.
// As loaded the fields hold the stored units; after NormaliseGravitySettings the
// simulation units (world units per frame, hue degrees per unit of the measure).
struct GravitySettings {
  int16_t Emitters = 0;
  int16_t Attractors = 0;
  int16_t Pixels = 0;
  float EmitSpeed = 0;  // thousandths of a world unit per frame
  float Gravity = 0;    // millionths
  int16_t AttractorRadius = 0;
  int32_t TrailLength = 0;  // read with the 32-bit getter, so a large stored value saturates in the clamp
  int32_t Refresh = 0;      // frames before the field dissolves; 0 = never
  int32_t ColorMult = 0;    // tenths of a hue degree
  float StereoSep = 0;      // ten-thousandths of a world unit
  int16_t StereoHue = 0;
  int16_t ColorComp = 0;  // 0 distance from the eye, 1 speed, 2 change of speed
  bool StereoOn = false;

  bool operator==(const GravitySettings&) const = default;
};

using GravitySettingRow = SettingField<GravitySettings>;

// The one declaration of the keys, getters, defaults, Properties boxes (txtGrav
// index, kind, range, arrow step, characters) and labels. ColorComp is the list cboGravColor and
// StereoOn the check box chkGravStereo, so neither has a text box.
inline constexpr std::array<GravitySettingRow, 13> kGravityFields = {{
    {"Grav_Emitters", SettingGetter::Int, &GravitySettings::Emitters, 1, {0, 0, 1, 9, 1, 1},
     "Emitters (1 - 9):"},
    {"Grav_Attractors", SettingGetter::Int, &GravitySettings::Attractors, 2, {1, 0, 1, 9, 1, 1},
     "Attractors (1 - 9):"},
    {"Grav_Pixels", SettingGetter::Int, &GravitySettings::Pixels, 3000, {2, 0, 10, 9999, 10, 4},
     "Stars (10 - 9999):"},
    {"Grav_ESpeed", SettingGetter::Dbl, &GravitySettings::EmitSpeed, 15, {3, 0, 1, 999, 10, 3},
     "Emit Speed (1 - 999):"},
    {"Grav_Gravity", SettingGetter::Dbl, &GravitySettings::Gravity, 75, {4, 2, 1, 30000, 10, 5},
     "Gravity (1 - 30000):"},
    {"Grav_ARadius", SettingGetter::Int, &GravitySettings::AttractorRadius, 1, {5, 0, 0, 99, 1, 2},
     "Attractor Radius (0 - 99):"},
    {"Grav_TrailLength", SettingGetter::Lng, &GravitySettings::TrailLength, 1, {6, 0, 1, 999, 1, 3},
     "Trail Length (1 - 999):"},
    {"Grav_Refresh", SettingGetter::Lng, &GravitySettings::Refresh, 1000, {7, 0, 0, 9999, 10, 4},
     "Refresh Frames (0 - 9999):"},
    {"Grav_ColorMult", SettingGetter::Lng, &GravitySettings::ColorMult, 1500, {8, 0, 0, 9999, 10, 4},
     "Color Multiplier (0 - 9999):"},
    {"Grav_StereoSep", SettingGetter::Lng, &GravitySettings::StereoSep, 250, {9, 0, 0, 9999, 10, 4},
     "Stereo Separation (0 - 9999):"},
    {"Grav_StereoHue", SettingGetter::Int, &GravitySettings::StereoHue, 180, {10, 0, 0, 359, 1, 3},
     "Stereo Hue Offset (0 - 359):"},
    {"Grav_ColorComp", SettingGetter::Int, &GravitySettings::ColorComp, 1, {}, "Color Measure:"},
    {"Grav_StereoOn", SettingGetter::Int, &GravitySettings::StereoOn, 0, {}, "Stereographic Display:"},
}};

inline constexpr int kGravityThemeCount = 5;
// cboGravTheme, in list order; index 0 leaves every field as it is.
inline constexpr std::array<const char*, kGravityThemeCount + 1> kGravityThemeNames = {
    "< NONE >",
    "Simple Ocillator",
    "Tranquil Space",
    "High Gravity Projectile",
    "Single Blob / Multiple Gravity Sources",
    "Sample Sterographic Ocillator",
};
// cboGravColor, in list order (the ColorComp values).
inline constexpr std::array<const char*, 3> kGravityColorNames = {
    "Distance of Stars from Viewer's Eye",
    "Velocity of Stars",
    "Acceleration of Stars",
};

// The record the host loads before every run (and the previews fill directly).
extern GravitySettings gGravitySettings;

// The factory values of every field, from the table.
inline GravitySettings GravityDefaults() { return SettingDefaults<GravitySettings>(kGravityFields); }
// Reads the thirteen keys into gGravitySettings; Pixels is scaled by PerfMult when asked.
void LoadGravitySettings(bool applyPerfMult);
// The theme's 13 comma-separated fields (field order), or "" for any index but 1..5.
std::string GravityThemePreset(int16_t theme);
// Writes theme `theme` into `record` as the Properties window would: items 0..10 into
// the numeric fields, 11 the colour measure, 12 the stereo box. Other indexes change nothing.
void ApplyGravityTheme(int16_t theme, GravitySettings& record);
// Stores `value` in the field of `row`: whole-number fields round half to even and
// saturate at their type's limits, Booleans are on for any non-zero value.
inline void SetGravityField(const GravitySettingRow& row, GravitySettings& record, double value) {
  SetSettingField(row, record, value);
}
// Run-start clamps and unit factors; the loaded record is left as it is.
GravitySettings NormaliseGravitySettings(const GravitySettings& loaded);
// The unit factors alone (the about-window demo and the Properties preview clamp their own way).
GravitySettings ScaleGravityUnits(GravitySettings record);

// Every setting with the Properties control that edits it, in the order templates list them.
std::span<const SettingRowInfo> GravitySettingRows();

}  // namespace pyxora
