// B-Spline Warp: heads ride random B-spline paths as the sparklers' do, and each
// spline shoots streaks through space toward, across or out from its head. Every
// streak leaves a trail of fixed length that an invisible eraser blanks behind it.
#pragma once

#include <array>
#include <cstdint>

#include "settings/setting_table.h"

namespace pyxora {

struct PropertiesModel;

inline constexpr const char* kWarpSection = "B-SplineWarp";

// The names the "Warp Type" list shows, in the order of Warp_Type.
inline constexpr std::array<const char*, 5> kWarpTypeNames = {
    "Central Random", "Central Reflection", "Central Symmetric", "Symmetric Reflection", "Extended Symmetric"};

// The stored settings as loaded; RunWarp clamps and converts its own copy.
struct WarpParams {
  int16_t Works = 100;  // splines W
  int16_t Sparks = 35;  // streak slots per spline
  int16_t Length = 10;  // trail length L in frames
  int16_t SplineIncs = 300;  // frames per spline segment S
  float Speed = 8;
  float Persist = 0.98f;  // chance per frame that a streak lives on
  int16_t SizeDev = 1;  // spread of the per-spline speed scale
  float Damping = 0.015f;
  int16_t Type = 4;  // index into kWarpTypeNames
  int16_t CyclePct = 100;  // percentage of splines whose colour cycles
  int16_t HueLock = 0;  // on exactly when 1: cycling splines share one hue
};

extern WarpParams gWarpParams;

inline constexpr std::array<SettingField<WarpParams>, 11> kWarpFields = {{
    {"Warp_Works", SettingGetter::Int, &WarpParams::Works, 100, {0, 0, 1, 999, 10, 3}, "Splines (1 - 999):"},
    {"Warp_Sparks", SettingGetter::Int, &WarpParams::Sparks, 35, {1, 0, 10, 999, 10, 3},
     "Sparks per Spline (10 - 999):"},
    {"Warp_Length", SettingGetter::Int, &WarpParams::Length, 10, {2, 0, 1, 99, 1, 2},
     "Spark Trail Length (1 - 99):"},
    {"Warp_SplineIncs", SettingGetter::Int, &WarpParams::SplineIncs, 300, {3, 0, 1, 999, 10, 3},
     "Steps per Control Point (1 - 999):"},
    {"Warp_Speed", SettingGetter::Dbl, &WarpParams::Speed, 8, {4, 0, 1, 999, 10, 3}, "Spark Emit Speed (1 - 999):"},
    {"Warp_Persist", SettingGetter::Dbl, &WarpParams::Persist, 0.98f, {5, 1, 0.25f, 0.99f, 0, 0},
     "Spark Persistence (0.25 - 0.99):"},
    {"Warp_SizeDev", SettingGetter::Int, &WarpParams::SizeDev, 1, {6, 0, 1, 999, 1, 3},
     "Extent Magnitude (1 - 999):"},
    {"Warp_Damping", SettingGetter::Dbl, &WarpParams::Damping, 0.015f, {7, 1, 0, 1, 0, 0},
     "Atmospheric Damping (0.0 - 1.0):"},
    {"Warp_Type", SettingGetter::Int, &WarpParams::Type, 4, {}, "Warp Type"},
    {"Warp_CyclePct", SettingGetter::Int, &WarpParams::CyclePct, 100, {8, 0, 0, 100, 10, 3},
     "Lock Percent (0 - 100):"},
    {"Warp_HueLock", SettingGetter::Int, &WarpParams::HueLock, 0, {}, "Hue Lock:"},
}};

// Reads the stored settings; with applyPerfMult the slots per spline are scaled by PerfMult.
void LoadWarpSettings(bool applyPerfMult);
// Runs the effect with gWarpParams until the frame contract ends the run.
void RunWarp();
// The Properties preview: txtWarp 0..8, cboWarpType and chkWarpHueLock as typed, then RunWarp.
void PreviewWarp(const PropertiesModel& props);

// Every setting with the Properties control that edits it, in the order templates list them.
std::span<const SettingRowInfo> WarpSettingRows();

}  // namespace pyxora
