// B-Spline Sparklers: invisible heads ride endless random B-spline paths about the
// world centre and shed sparks that drift, fall, slow down and are recycled.
#pragma once

#include <array>
#include <cstdint>

#include "settings/setting_table.h"

namespace pyxora {

struct PropertiesModel;

inline constexpr const char* kSparklerSection = "B-SplineSpark";

// The stored settings as loaded; RunSparklers clamps and converts its own copy.
struct SparklerParams {
  int16_t Splines = 20;  // heads N
  int16_t Pixels = 3000;  // sparks P in all
  int16_t SSpeed = 200;  // frames per spline segment S
  float ESpeed = 2;  // thousandths of a world unit per frame
  float Persist = 0.95f;  // chance per frame that a spark lives on
  float Gravity = 0;  // thousandths added to the downward speed per frame
  float Damping = 0;
  float AntiGrav = 4;  // solar wind: outward push from the world centre
  float MaxExtent = 0.75f;  // half-size E of the cube that holds the control points
  int16_t Symmetry = 1;  // on exactly when 1
};

extern SparklerParams gSparklerParams;

inline constexpr std::array<SettingField<SparklerParams>, 10> kSparklerFields = {{
    {"B_Spline_Splines", SettingGetter::Int, &SparklerParams::Splines, 20, {0, 0, 1, 999, 1, 3},
     "Splines (1 - 999):"},
    {"B_Spline_Pixels", SettingGetter::Int, &SparklerParams::Pixels, 3000, {1, 0, 10, 9999, 10, 4},
     "Total Sparks (10 - 9999):"},
    {"B_Spline_SSpeed", SettingGetter::Int, &SparklerParams::SSpeed, 200, {2, 0, 1, 999, 10, 3},
     "Steps per Control Point (1 - 999):"},
    {"B_Spline_ESpeed", SettingGetter::Dbl, &SparklerParams::ESpeed, 2, {3, 1, 0.25f, 999, 0, 0},
     "Spark Emit Speed (0.25 - 999):"},
    {"B_Spline_Persist", SettingGetter::Dbl, &SparklerParams::Persist, 0.95f, {4, 1, 0.25f, 0.99f, 0, 0},
     "Spark Persistence (0.25 - 0.99):"},
    {"B_Spline_Gravity", SettingGetter::Dbl, &SparklerParams::Gravity, 0, {5, 1, 0, 9.99f, 0, 0},
     "Vertical Gravity (0.0 - 9.99):"},
    {"B_Spline_Damping", SettingGetter::Dbl, &SparklerParams::Damping, 0, {6, 1, 0, 1, 0, 0},
     "Atmospheric Damping (0.0 - 1.0):"},
    {"B_Spline_AntiGrav", SettingGetter::Int, &SparklerParams::AntiGrav, 4, {7, 1, 0, 999, 0, 0},
     "Solar Wind Magnitude (0.0 - 999):"},
    {"B_Spline_MaxExtent", SettingGetter::Dbl, &SparklerParams::MaxExtent, 0.75f, {8, 1, 0, 99, 0, 0},
     "Max. Center Extent (0.001 - 99):"},
    {"B_Spline_Symmetry", SettingGetter::Int, &SparklerParams::Symmetry, 1, {}, "Symmetric about Center:"},
}};

// Reads the stored settings; with applyPerfMult the spark count is scaled by PerfMult.
void LoadSparklerSettings(bool applyPerfMult);
struct SparklerRunValues;
// The run's clamps and unit conversions of the stored settings.
SparklerRunValues SparklerRunValuesFrom(const SparklerParams& params);
// Runs the effect with gSparklerParams until the frame contract ends the run.
void RunSparklers();
// The about window's miniature: fixed parameters, partly random.
void RunSparklersDemo();
// The Properties preview: txtSpline 0..8 and chkSplineSym as typed, then RunSparklers.
void PreviewSparklers(const PropertiesModel& props);

// Every setting with the Properties control that edits it, in the order templates list them.
std::span<const SettingRowInfo> SparklerSettingRows();

}  // namespace pyxora
