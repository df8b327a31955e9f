// The one place that lists the effects. The index is the value of "AnimationType"
// and numbers the bits of the cycle mask "Adv_PickPXRA".
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "settings/setting_table.h"

namespace pyxora {

struct PropertiesModel;

using EffectLoader = void (*)(int16_t config, bool applyPerfMult);
using EffectRunner = void (*)();
using EffectPreview = void (*)(const PropertiesModel& props);
// Loads preset theme `theme` (1..themeCount) into the effect's settings record.
using EffectThemeLoader = void (*)(int16_t theme);
// The effect's settings rows with the Properties controls that edit them, in the order
// templates list them, for code that handles every effect alike.
using EffectSettingRowsFn = std::span<const SettingRowInfo> (*)();

struct EffectEntry {
  int16_t index = 0;
  const char* name = "";        // as the user sees it
  const char* section = "";     // settings section; empty for none
  const char* renderName = "";  // name on the command line (--render); empty for none
  EffectLoader load = nullptr;
  EffectRunner run = nullptr;
  EffectPreview preview = nullptr;
  EffectThemeLoader loadTheme = nullptr;
  int16_t themeCount = 0;
  EffectSettingRowsFn settingRows = nullptr;
};

inline constexpr int16_t kEffectCount = 6;
using EffectTable = std::array<EffectEntry, kEffectCount>;

const EffectTable& Effects();
// The entry whose render name matches, or nullptr.
const EffectEntry* FindEffectByRenderName(std::string_view name);

// The rows of effect `index`; empty for an effect without settings.
std::span<const SettingRowInfo> EffectSettingRows(int16_t index);

}  // namespace pyxora
