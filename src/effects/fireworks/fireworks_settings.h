// Fireworks: the 43 settings of section "Fireworks", their Properties boxes, the
// thirteen themes, and the clamping and unit scaling at run start.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/setting_table.h"

namespace pyxora {

inline constexpr const char* kFireworksSection = "Fireworks";

// Field order is the Properties box order (txtFire 0..36, 50..53), then the two check
// boxes: the order a template writes. Themes list the fields in another order
// (kFireworksThemeFields). As loaded the fields hold the stored units; after
// NormaliseFireworksSettings the simulation units.
struct FireworksSettings {
  int16_t FireWorks = 0;       // shells alive at once
  int16_t FireSparks = 0;      // spark slots per shell
  int16_t FireLength = 0;      // longest spark trail, frames
  float FireSymmetry = 0;      // lower bound of a spark's random speed factor
  float FireSpeed = 0;
  float FirePersist = 0;       // per-frame survival chance of a spark
  float FireGravity = 0;       // run: x 0.005
  int16_t FireSizeDev = 0;     // upper bound of a burst's random size factor
  float FireDamping = 0;       // run: the velocity factor (1 - d) * 0.5 + 0.5
  int16_t FireSplinePct = 0;
  int16_t FireSplineKnot = 0;
  int16_t FireScintPct = 0;
  int16_t FireScintStyle = 0;
  int16_t FireMultiPct = 0;
  int16_t FireMultiAge = 0;
  int16_t FireMultiBurst = 0;
  int16_t FireBurstPct = 0;
  int16_t FireBurstAge = 0;
  int16_t FireBurstCount = 0;
  float FireBurstRadius = 0;   // loaded in 1/400 world units, x 0.0025 by the loader
  int16_t FireLaunchPct = 0;
  int16_t FireLaunchPixel = 0;
  float FireLaunchRadius = 0;  // x 0.0025 by the loader
  int16_t FireLaunchSteps = 0;
  float FireLaunchPersist = 0;
  int16_t FireSparkPct = 0;
  int16_t FireSparkAge = 0;
  int16_t FireSparkPix = 0;
  int16_t FireRingPct = 0;
  int16_t FireRingEmb = 0;
  int16_t FireRingDeg = 0;
  int16_t FireTwistPct = 0;
  int16_t FireTwistCnt = 0;
  int16_t FireTwistDeg = 0;
  float FireTwistRad = 0;      // x 0.0025 by the loader
  float FireTwistExt = 0;      // x 0.0025 by the loader
  int16_t FirePatternPct = 0;
  int16_t FireDecayPct = 0;
  int16_t FireDecayCnt = 0;
  float FireDecayMSize = 0;    // stored as a whole number
  int16_t FireDecayMLife = 0;  // stored as a decimal, rounded half to even
  bool FireMultiMoment = false;
  bool FireBurstShell = false;

  bool operator==(const FireworksSettings&) const = default;
};

using FireworksSettingRow = SettingField<FireworksSettings>;

// The one declaration of the keys, getters, defaults and Properties boxes (txtFire
// index, kind 0 whole / 1 decimal, range on leaving the box, arrow step (0: none),
// characters (0: no limit)) and labels. The two Booleans are the check boxes of
// kFireworksCheckBoxes; their getter is 16-bit, on only for a stored 1.
inline constexpr std::array<FireworksSettingRow, 43> kFireworksFields = {{
    {"FireWorks", SettingGetter::Int, &FireworksSettings::FireWorks, 12, {0, 0, 1, 99, 1, 2}, "Shells (1 - 99):"},
    {"FireSparks", SettingGetter::Int, &FireworksSettings::FireSparks, 1500, {1, 0, 10, 9999, 10, 4},
     "Sparks per Shell (10 - 9999):"},
    {"FireLength", SettingGetter::Int, &FireworksSettings::FireLength, 5, {2, 0, 1, 99, 1, 2},
     "Max. Spark Trail Length (1 - 99):"},
    {"FireSymmetry", SettingGetter::Dbl, &FireworksSettings::FireSymmetry, 1, {3, 1, 0, 1, 0, 0},
     "Spark Burst Symmetry (0.0 - 1.0):"},
    {"FireSpeed", SettingGetter::Dbl, &FireworksSettings::FireSpeed, 6, {4, 1, 0.1f, 99.9f, 0, 0},
     "Spark Emit Speed (0.1 - 99):"},
    {"FirePersist", SettingGetter::Dbl, &FireworksSettings::FirePersist, 0.97f, {5, 1, 0.25f, 0.99f, 0, 0},
     "Spark Persistence (0.25 - 0.99):"},
    {"FireGravity", SettingGetter::Dbl, &FireworksSettings::FireGravity, 0.015f, {6, 1, 0, 9.9f, 0, 0},
     "Vertical Gravity (0.0 - 9.9):"},
    {"FireSizeDev", SettingGetter::Int, &FireworksSettings::FireSizeDev, 3, {7, 0, 1, 999, 1, 3},
     "Extent Magnitude (1 - 999):"},
    {"FireDamping", SettingGetter::Dbl, &FireworksSettings::FireDamping, 0.15f, {8, 1, 0, 1, 0, 0},
     "Atmospheric Damping (0.0 - 1.0):"},
    {"FireSplinePct", SettingGetter::Int, &FireworksSettings::FireSplinePct, 8, {9, 0, 0, 100, 0, 0},
     "B-Spline Path Burst Percent (0 - 100):"},
    {"FireSplineKnot", SettingGetter::Int, &FireworksSettings::FireSplineKnot, 8, {10, 0, 4, 99, 0, 0},
     "B-Spline Controls Points (4 - 99):"},
    {"FireScintPct", SettingGetter::Int, &FireworksSettings::FireScintPct, 0, {11, 0, 0, 100, 0, 0},
     "Scintillator Percent (1 - 100):"},
    {"FireScintStyle", SettingGetter::Int, &FireworksSettings::FireScintStyle, 9, {12, 0, 1, 9, 0, 0},
     "Style:  Maximum Pattern Size (1 - 9):"},
    {"FireMultiPct", SettingGetter::Int, &FireworksSettings::FireMultiPct, 20, {13, 0, 0, 100, 0, 0},
     "Multi-Burst Percent (0 - 100):"},
    {"FireMultiAge", SettingGetter::Int, &FireworksSettings::FireMultiAge, 20, {14, 0, 5, 99, 0, 0},
     "Frame Age to Multi-Burst (5 - 99):"},
    {"FireMultiBurst", SettingGetter::Int, &FireworksSettings::FireMultiBurst, 15, {15, 0, 1, 99, 0, 0},
     "Shells per Multi-Burst (1 - 99):"},
    {"FireBurstPct", SettingGetter::Int, &FireworksSettings::FireBurstPct, 10, {16, 0, 0, 100, 0, 0},
     "Jet-Burst Percent (0 - 100):"},
    {"FireBurstAge", SettingGetter::Int, &FireworksSettings::FireBurstAge, 20, {17, 0, 5, 99, 0, 0},
     "Min. Age to Decay (5 - 99):"},
    {"FireBurstCount", SettingGetter::Int, &FireworksSettings::FireBurstCount, 12, {18, 0, 1, 99, 0, 0},
     "Jets per Burst (1 - 99):"},
    {"FireBurstRadius", SettingGetter::Dbl, &FireworksSettings::FireBurstRadius, 3, {19, 1, 0.25f, 99.9f, 0, 0},
     "Spark Emission Radius (0.25 - 99.9):"},
    {"FireLaunchPct", SettingGetter::Int, &FireworksSettings::FireLaunchPct, 75, {20, 0, 0, 100, 0, 0},
     "Launch Display Percent (0 - 100):"},
    {"FireLaunchPixel", SettingGetter::Int, &FireworksSettings::FireLaunchPixel, 300, {21, 0, 10, 999, 0, 0},
     "Sparks per Launch (10 - 999):"},
    {"FireLaunchRadius", SettingGetter::Dbl, &FireworksSettings::FireLaunchRadius, 1.25f, {22, 1, 0.25f, 99.9f, 0, 0},
     "Spark Emission Radius (0.25 - 99.9):"},
    {"FireLaunchSteps", SettingGetter::Int, &FireworksSettings::FireLaunchSteps, 60, {23, 0, 1, 999, 0, 0},
     "Steps during Launch (1 - 999)"},
    {"FireLaunchPersist", SettingGetter::Dbl, &FireworksSettings::FireLaunchPersist, 0.92f,
     {24, 1, 0.25f, 0.99f, 0, 0}, "Spark Persistence (0.25 - 0.99):"},
    {"FireSparkPct", SettingGetter::Int, &FireworksSettings::FireSparkPct, 10, {25, 0, 0, 100, 0, 0},
     "Sparkle-Burst Percent (0 - 100):"},
    {"FireSparkAge", SettingGetter::Int, &FireworksSettings::FireSparkAge, 25, {26, 0, 5, 99, 0, 0},
     "Frame Age to Sparkle-Burst (5 - 99):"},
    {"FireSparkPix", SettingGetter::Int, &FireworksSettings::FireSparkPix, 5, {27, 0, 1, 30, 0, 0},
     "Pixels per Sparkle-Burst (1 - 30):"},
    {"FireRingPct", SettingGetter::Int, &FireworksSettings::FireRingPct, 10, {28, 0, 0, 100, 0, 0},
     "Ring-Burst Percent (0 - 100):"},
    {"FireRingEmb", SettingGetter::Int, &FireworksSettings::FireRingEmb, 3, {29, 0, 1, 99, 0, 0},
     "Embedded Rings (1 - 99):"},
    {"FireRingDeg", SettingGetter::Int, &FireworksSettings::FireRingDeg, 5, {30, 0, 0, 180, 0, 0},
     "Band Width in Degrees (0 - 180):"},
    {"FireTwistPct", SettingGetter::Int, &FireworksSettings::FireTwistPct, 10, {31, 0, 0, 100, 0, 0},
     "Twister-Burst Percent (0 - 100):"},
    {"FireTwistCnt", SettingGetter::Int, &FireworksSettings::FireTwistCnt, 12, {32, 0, 1, 99, 0, 0},
     "Twister Spark Elements (1 - 99):"},
    {"FireTwistDeg", SettingGetter::Int, &FireworksSettings::FireTwistDeg, 15, {33, 0, 0, 90, 0, 0},
     "Twister Spark Rotation Degrees (0 - 90):"},
    {"FireTwistRad", SettingGetter::Dbl, &FireworksSettings::FireTwistRad, 2, {34, 1, 0.1f, 99.9f, 0, 0},
     "Twister Spark Burst Radius (0.1 - 99.9):"},
    {"FireTwistExt", SettingGetter::Dbl, &FireworksSettings::FireTwistExt, 25, {35, 1, 0, 999.9f, 0, 0},
     "Twister Spark Rotation Radius (0 - 999.9):"},
    {"FirePatternPct", SettingGetter::Int, &FireworksSettings::FirePatternPct, 40, {36, 0, 0, 100, 0, 0},
     "Geometric Solid Burst Percent (0 - 100):"},
    {"FireDecayPct", SettingGetter::Int, &FireworksSettings::FireDecayPct, 10, {50, 0, 0, 100, 0, 0},
     "Decaying Star Percent (0 - 100):"},
    {"FireDecayCnt", SettingGetter::Int, &FireworksSettings::FireDecayCnt, 80, {51, 0, 1, 99, 0, 0},
     "Decaying Stars (1 - 99):"},
    {"FireDecayMSize", SettingGetter::Int, &FireworksSettings::FireDecayMSize, 300, {52, 0, 1, 9999, 0, 0},
     "Maximum Size (1 - 9999):"},
    {"FireDecayMLife", SettingGetter::Dbl, &FireworksSettings::FireDecayMLife, 80, {53, 0, 5, 999, 0, 0},
     "Maximum Frames (1 - 999):"},
    {"FireMultiMoment", SettingGetter::Int, &FireworksSettings::FireMultiMoment, 1, {}, "Preserve Burst Momentum:"},
    {"FireBurstShell", SettingGetter::Int, &FireworksSettings::FireBurstShell, 1, {},
     "Burst Shell on Trail Termination:"},
}};

// The check boxes of the two Booleans, by row of kFireworksFields.
struct FireworksCheckBox {
  const char* name;
  int row;
};
inline constexpr std::array<FireworksCheckBox, 2> kFireworksCheckBoxes = {{{"chkMultiMom", 41}, {"chkJetBurst", 42}}};

// Rows of kFireworksFields in the order a theme string lists its 43 fields.
inline constexpr std::array<int, 43> kFireworksThemeFields = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,                   // shells .. damping
    20, 21, 22, 23, 24,                                  // launch
    9,  10, 36,                                          // spline, solids
    13, 14, 15, 41,                                      // multi-burst
    16, 17, 18, 19, 42,                                  // jets
    11, 12,                                              // scintillators
    25, 26, 27,                                          // sparklers
    28, 29, 30,                                          // rings
    31, 32, 33, 34, 35,                                  // twisters
    37, 38, 39, 40,                                      // decaying stars
};

inline constexpr int kFireThemeCount = 13;
// cboFireTheme, in list order; index 0 leaves every field as it is.
inline constexpr std::array<const char*, kFireThemeCount + 1> kFireworksThemeNames = {
    "< NONE >",
    "Generic:  Random Mixed Bag",
    "Sparkles:  Scintillators Only",
    "Explosive:  Jet Bursts Only",
    "Starburst:  Scintillators, Jets, Decay Sparks",
    "Mega Shells:  Multi-Bursts Only",
    "Ring World:  Ring-Bursts Only",
    "Disk World:  Disk-Bursts Only",
    "Sky Loopers:  Twister-Bursts Only",
    "Stratosphere:  View High in the Sky",
    "Sphere Space:  Large Expanding Spheres",
    "String Space:  Spline Warping Madness",
    "Ground Burst:  Explosions from the Ground",
    "Grand Finale:  Looks great on a P300-MMX",
};
// cboFireExtras: the parameter pages of the Properties window, in list order.
inline constexpr std::array<const char*, 9> kFireworksPageNames = {
    "Launch",
    "Pixel Dispersion Pattern",
    "Burst Config:  Multi-Burst",
    "Burst Config:  Jet-Burst",
    "Burst Config:  Scintillators",
    "Burst Config:  Sparklers",
    "Burst Config:  Rings",
    "Burst Config:  Twisters",
    "Burst Config:  Decaying Stars",
};

// All shells together never hold more spark slots than this.
inline constexpr int32_t kFireworksMaxSlots = 30000;
// The stored radii are in 1/400 of a world unit.
inline constexpr float kFireworksRadiusUnit = 0.0025f;

// The record the host loads before every run.
extern FireworksSettings gFireworksSettings;

// The factory values of every field, from the table.
inline FireworksSettings FireworksDefaults() { return SettingDefaults<FireworksSettings>(kFireworksFields); }
// Theme 0: the stored values (FireSparks scaled by PerfMult when asked); theme 1..13:
// that preset, FireSparks always scaled. Then the 30000-slot cap and the radius units.
// Any other theme loads the stored values.
void LoadFireworksSettings(int16_t theme, bool applyPerfMult);
// The theme's 43 comma-separated fields (theme field order), or "" for any index but 1..13.
std::string FireThemePreset(int16_t theme);
// Writes theme `theme` into `record` as stored units (no scaling): whole-number fields
// round half to even, Booleans are on for any non-zero value. Other indexes change nothing.
void ApplyFireworksTheme(int16_t theme, FireworksSettings& record);
// Stores `value` in the field of `row`: whole-number fields round half to even and
// saturate at their type's limits, Booleans are on for any non-zero value.
inline void SetFireworksField(const FireworksSettingRow& row, FireworksSettings& record, double value) {
  SetSettingField(row, record, value);
}
// FireSparks capped so FireWorks shells share at most 30000 slots (FireWorks taken as
// 1..99 for the division), and FireLaunchPixel at FireSparks.
void CapFireworksSlots(FireworksSettings& record);
// Run-start clamps and unit factors; the loaded record is left as it is.
FireworksSettings NormaliseFireworksSettings(const FireworksSettings& loaded);

// Every setting with the Properties control that edits it, in the order templates list them.
std::span<const SettingRowInfo> FireworksSettingRows();

}  // namespace pyxora
