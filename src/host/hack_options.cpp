#include "host/hack_options.h"

#include <charconv>
#include <limits>
#include <span>

#include "base/number_text.h"

namespace pyxora {
namespace {

constexpr std::string_view kValueOptions[] = {"-window-id", "-delay", "-effect", "-preset"};
constexpr std::string_view kOtherOptions[] = {"-root", "-window", "-fps"};

struct RowMatch {
  const EffectEntry* effect = nullptr;
  std::string key;
};

// XScreenSaver 6 may pass an option with two dashes ("--root"); both forms mean the same.
std::string_view OneDash(std::string_view option) {
  if (option.size() > 2 && option[0] == '-' && option[1] == '-' && option[2] != '-') option.remove_prefix(1);
  return option;
}

// The settings row an option like "-Grav_Pixels" names (one dash), matched as the
// store matches keys.
std::optional<RowMatch> FindSettingOption(std::string_view option, const EffectTable& effects) {
  if (option.size() < 2 || option[0] != '-' || option[1] == '-') return std::nullopt;
  const std::string_view key = option.substr(1);
  for (const EffectEntry& effect : effects) {
    if (!effect.settingRows) continue;
    for (const SettingRowInfo& row : effect.settingRows())
      if (EqualsIgnoreCase(key, row.key)) return RowMatch{&effect, row.key};
  }
  return std::nullopt;
}

bool Contains(std::span<const std::string_view> list, std::string_view option) {
  for (std::string_view item : list)
    if (item == option) return true;
  return false;
}

// Plain decimal digits only: a signed or fractional -delay or -preset is a mistake.
std::optional<int64_t> ParseCount(std::string_view text, int64_t max) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || text[0] == '-' || error != std::errc() || end != text.data() + text.size() ||
      value > max)
    return std::nullopt;
  return value;
}

std::string RunnableEffectNames(const EffectTable& effects) {
  std::string names;
  for (const EffectEntry& effect : effects) {
    if (!effect.run || !*effect.renderName) continue;
    if (!names.empty()) names += ", ";
    names += effect.renderName;
  }
  return names;
}

}  // namespace

std::optional<uint32_t> ParseWindowId(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  uint64_t value = 0;  // unsigned: from_chars takes no sign
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size() || value == 0 || value > 0xFFFFFFFFull)
    return std::nullopt;
  return static_cast<uint32_t>(value);
}

bool IsHackCommandLine(const std::vector<std::string>& args, const EffectTable& effects) {
  if (args.empty()) return false;
  const std::string_view first = OneDash(args[0]);
  return Contains(kValueOptions, first) || Contains(kOtherOptions, first) ||
         FindSettingOption(first, effects).has_value();
}

std::variant<HackOptions, std::string> ParseHackOptions(const std::vector<std::string>& args,
                                                        const EffectTable& effects) {
  HackOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string option(OneDash(args[i]));
    const auto match = FindSettingOption(option, effects);
    const bool takesValue = Contains(kValueOptions, option) || match;
    if (!takesValue && !Contains(kOtherOptions, option)) return "unknown option '" + option + "'";
    if (takesValue && i + 1 >= args.size()) return option + " needs a value";
    const std::string value = takesValue ? args[++i] : std::string();

    if (option == "-root") {
      options.target = HackTarget::Root;
    } else if (option == "-window") {
      options.target = HackTarget::OwnWindow;
    } else if (option == "-window-id") {
      const auto id = ParseWindowId(value);
      if (!id) return "-window-id needs an X11 window id (decimal or 0x hex), not '" + value + "'";
      options.target = HackTarget::WindowId;
      options.windowId = *id;
    } else if (option == "-fps") {
      options.showFps = true;
    } else if (option == "-delay") {
      const auto delay = ParseCount(value, std::numeric_limits<int32_t>::max());
      if (!delay) return "-delay needs a number of microseconds, not '" + value + "'";
      options.delayMicroseconds = *delay;
    } else if (option == "-preset") {
      const auto preset = ParseCount(value, std::numeric_limits<int16_t>::max());
      if (!preset) return "-preset needs a preset number, not '" + value + "'";
      options.preset = static_cast<int16_t>(*preset);
    } else if (option == "-effect") {
      options.effect = nullptr;
      for (const EffectEntry& effect : effects)
        if (*effect.renderName && value == effect.renderName) options.effect = &effect;
      if (!options.effect) return "unknown effect '" + value + "' (" + RunnableEffectNames(effects) + ")";
      if (!options.effect->run) return "the effect '" + value + "' cannot run yet";
    } else {
      if (!ParseNumericText(value)) return option + " needs a number, not '" + value + "'";
      options.settings.push_back({match->effect->section, match->key, TrimBlanks(value)});
    }
  }
  if (options.preset != 0) {
    if (!options.effect) return "-preset needs -effect";
    if (options.preset > options.effect->themeCount || !options.effect->loadTheme)
      return "the effect '" + std::string(options.effect->renderName) + "' has no preset " +
             std::to_string(options.preset);
  }
  return options;
}

std::variant<HackWindow, std::string> ChooseHackWindow(const HackOptions& options, const char* xscreensaverWindow) {
  switch (options.target) {
    case HackTarget::OwnWindow:
      return HackWindow{};
    case HackTarget::WindowId:
      return HackWindow{HackWindow::Foreign, options.windowId};
    case HackTarget::Root:
      break;
  }
  if (!xscreensaverWindow || !*xscreensaverWindow) return HackWindow{HackWindow::Root, 0};
  const auto id = ParseWindowId(TrimBlanks(xscreensaverWindow));
  if (!id) return "XSCREENSAVER_WINDOW is not a window id: '" + std::string(xscreensaverWindow) + "'";
  return HackWindow{HackWindow::Foreign, *id};
}

int32_t DelayMilliseconds(int64_t microseconds) {
  const int64_t ms = (microseconds + 500) / 1000;
  return static_cast<int32_t>(std::min<int64_t>(ms, std::numeric_limits<int32_t>::max()));
}

std::vector<HackSetting> HackOverrides(const HackOptions& options) {
  std::vector<HackSetting> values;
  if (options.effect) {
    values.push_back({"General", "AnimationType", std::to_string(options.effect->index)});
    values.push_back({"Advanced", "Adv_PickPXRA", "0"});
  }
  if (options.delayMicroseconds)
    values.push_back({"Advanced", "Adv_TimeDelay", std::to_string(DelayMilliseconds(*options.delayMicroseconds))});
  values.insert(values.end(), options.settings.begin(), options.settings.end());
  return values;
}

}  // namespace pyxora
