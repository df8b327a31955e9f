// The animation driver of a display: which effect runs next, with which settings,
// and the built-in sequence shown when no effect has ever been chosen.
#pragma once

#include <cstdint>
#include <functional>

#include "effects/effect_table.h"
#include "host/advanced_settings.h"

namespace pyxora {

enum class DriverVariant { Saver, Windowed, Preview };

// The built-in sequence's position and preset counters; they live as long as the window.
struct SequenceState {
  int16_t position = 0;
  int16_t fireworks = 0;
  int16_t galaxy = 0;
};

struct DriverHooks {
  std::function<void()> showMessage;  // draws the user's message (saver and windowed only)
  SequenceState* sequence = nullptr;  // the window's sequence state; a local one when absent
};

// Runs effect after effect on `surface` until StopRequested is set.
void RunEffectDriver(DriverVariant variant, const DisplaySurface& surface, const DriverHooks& hooks = {},
                     const EffectTable& effects = Effects());

// The built-in sequence (saver or windowed order); returns when StopRequested is set.
void RunEffectSequence(DriverVariant variant, SequenceState& sequence, const EffectTable& effects = Effects());

// Cycle mask bits beyond the effect bits.
inline constexpr int32_t kMaskFireworksThemes = 64;
inline constexpr int32_t kMaskGalaxyThemes = 128;
inline constexpr int32_t kPreviewSequenceMask = 53;
inline constexpr int16_t kFireworksThemeCount = 13;
inline constexpr int16_t kGalaxyThemeCount = 16;

}  // namespace pyxora
