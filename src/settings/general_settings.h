// The settings that belong to no effect ("General", "PixelColor", "Advanced",
// "SoundFX"), declared once for templates, migration and the factory reset. The load
// defaults of the display drivers are theirs; these are the defaults used when a
// value is copied or written out, where "Adv_EffectFPC" is "1000" and its factory
// value "0".
#pragma once

#include <array>
#include <cstdint>

namespace pyxora {

// Where a row takes part.
enum GeneralSettingUse : uint8_t {
  kFromStoreToTemplate = 1,  // written to templates from the store, read back into the store
  kFromModelToTemplate = 2,  // written to templates from a Properties box, read back into it
  kReadFromTemplate = 4,     // read from templates (and imported) though never written
  kMigrated = 8,             // copied from an older machine-wide installation
};

struct GeneralSettingRow {
  const char* section;
  const char* key;
  const char* defaultText;
  const char* factoryText;    // the factory reset's value; nullptr: the reset leaves it
  uint8_t uses;
  const char* boxArray = "";  // the Properties box, for kFromModelToTemplate rows
  int boxIndex = -1;
};

inline constexpr const char* kGeneralSection = "General";
// The selected effect: the Properties window's effect list, copied last by the
// migration because its presence marks a completed one.
inline constexpr const char* kAnimationTypeKey = "AnimationType";
inline constexpr const char* kAnimationTypeDefault = "0";

// In the order templates write them, section by section.
inline constexpr std::array<GeneralSettingRow, 23> kGeneralSettings = {{
    {"General\\Main", "WindowState", "0", nullptr, kMigrated},
    {"General\\Main", "WindowSize", "", nullptr, kMigrated},
    {"Advanced", "FocalLength", "1.0", "1.0", kFromStoreToTemplate | kMigrated},
    {"Advanced", "Adv_TimeDelay", "40", "40", kFromStoreToTemplate | kMigrated},
    {"Advanced", "Adv_EffectFPC", "1000", "0", kFromStoreToTemplate | kMigrated},
    {"Advanced", "Adv_PerfMult", "1.0", "1.0", kFromStoreToTemplate | kMigrated},
    {"Advanced", "Adv_PickPXRA", "0", "0", kFromStoreToTemplate | kMigrated},
    {"Advanced", "Adv_HueStart", "0", "0", kFromStoreToTemplate | kMigrated},
    {"Advanced", "LockMessage", "", "", kFromStoreToTemplate | kMigrated},
    {"Advanced", "Adv_FontName", "Arial", "Arial", kFromStoreToTemplate | kMigrated},
    {"Advanced", "Adv_FontSize", "20", "20", kFromStoreToTemplate | kMigrated},
    {"Advanced", "Adv_FontHueV", "180", "180", kFromStoreToTemplate | kMigrated},
    {"Advanced", "Adv_WinResize", "0", "0", kFromStoreToTemplate | kMigrated},
    {"Advanced", "Adv_MouseMove", "0", "0", kFromStoreToTemplate | kMigrated},
    // Never written to a template, so every template read turns desktop mode off.
    {"Advanced", "Adv_DispBackG", "0", "0", kReadFromTemplate | kMigrated},
    {"Advanced", "Adv_PxraCycle", "0", nullptr, kMigrated},
    {"SoundFX", "SoundFX_ON", "0", "0", kFromStoreToTemplate},
    {"General", "ColorRed", "100", "100", kFromModelToTemplate | kMigrated, "txtPixHue", 0},
    {"General", "ColorGrn", "100", "100", kFromModelToTemplate | kMigrated, "txtPixHue", 1},
    {"General", "ColorBlu", "100", "100", kFromModelToTemplate | kMigrated, "txtPixHue", 2},
    {"PixelColor", "ColorPctInt", "0", "0", kFromModelToTemplate | kMigrated, "txtPixCol", 0},
    {"PixelColor", "ColorPctHue", "100", "100", kFromModelToTemplate | kMigrated, "txtPixCol", 1},
    {"PixelColor", "ColorHueWheel", "60", "60", kFromModelToTemplate | kMigrated, "txtPixCol", 2},
}};

}  // namespace pyxora
