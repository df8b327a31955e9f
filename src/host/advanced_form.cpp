#include "host/advanced_form.h"

#include "base/number_text.h"
#include "render/text_helpers.h"
#include "settings/settings.h"

namespace pyxora {
namespace {

constexpr int kInt16 = static_cast<int>(TextBoxKind::Int16);
constexpr int kSingle = static_cast<int>(TextBoxKind::Single);
constexpr int kInt32 = static_cast<int>(TextBoxKind::Int32);

std::string Flag(bool on) { return on ? "1" : "0"; }

}  // namespace

const std::array<AdvancedBoxRule, 7>& AdvancedBoxRules() {
  static const std::array<AdvancedBoxRule, 7> rules = {{
      {kAdvFrameDelay, "Adv_TimeDelay", "40", kInt16, 0, 999},
      {kAdvFocalLength, "FocalLength", "1.0", kSingle, 0.01f, 10},
      {kAdvFontSize, "Adv_FontSize", "20", kInt16, 10, 80},
      {kAdvFontHue, "Adv_FontHueV", "180", kInt16, 0, 359},
      {kAdvFramesPerEffect, "Adv_EffectFPC", "1000", kInt32, 100, 30000},
      {kAdvPerfMult, "Adv_PerfMult", "1.0", kSingle, 0.1f, 9.9f},
      {kAdvHueStart, "Adv_HueStart", "0", kInt16, 0, 359},
  }};
  return rules;
}

const AdvancedBoxRule* FindAdvancedBox(int index) {
  for (const AdvancedBoxRule& rule : AdvancedBoxRules())
    if (rule.index == index) return &rule;
  return nullptr;
}

AdvancedFields LoadAdvancedFields() {
  AdvancedFields f;
  for (const AdvancedBoxRule& rule : AdvancedBoxRules())
    f.txtAdv[static_cast<size_t>(rule.index)] = GetSettingStr(kAdvancedSection, rule.key, rule.fallback);
  f.fontName = GetSettingStr(kAdvancedSection, "Adv_FontName", "Arial");
  f.message = GetSettingStr(kAdvancedSection, "LockMessage", "");
  f.backGround = GetSettingStr(kAdvancedSection, "Adv_DispBackG", "0") == "1";
  f.mouseMove = GetSettingStr(kAdvancedSection, "Adv_MouseMove", "0") == "1";
  f.resize = GetSettingStr(kAdvancedSection, "Adv_WinResize", "0") == "1";
  f.cycle = GetSettingStr(kAdvancedSection, "Adv_PxraCycle", "0") == "1";
  const int32_t pick = GetSettingLng(kAdvancedSection, "Adv_PickPXRA", 0);
  for (int i = 0; i < kEffectBoxCount; ++i) f.effects[static_cast<size_t>(i)] = (pick >> i) & 1;
  return f;
}

void ApplyAdvancedDefaults(AdvancedFields& fields) {
  fields.fontName = "Arial";
  // The performance multiplier keeps what the user typed: Defaults names only these.
  for (const AdvancedBoxRule& rule : AdvancedBoxRules())
    if (rule.index != kAdvPerfMult) fields.txtAdv[static_cast<size_t>(rule.index)] = rule.fallback;
}

std::string ClampAdvancedBox(int index, const std::string& text) {
  const AdvancedBoxRule* rule = FindAdvancedBox(index);
  return rule ? ClampTextBox(text, rule->kind, rule->lo, rule->hi) : text;
}

std::optional<std::string> AdvancedArrowText(int index, const std::string& text, int direction) {
  const AdvancedBoxRule* rule = FindAdvancedBox(index);
  if (!rule) return std::nullopt;
  const double step = rule->kind == kSingle ? 0.1 : 1.0;
  return ClampTextBox(FormatNumber(ValOfBoxText(text) + direction * step), rule->kind, rule->lo, rule->hi);
}

std::optional<std::string> ValidateAdvanced(const AdvancedFields& fields) {
  if (!fields.cycle) return std::nullopt;
  // The "All Themes" boxes (6, 7) choose presets, not effects.
  for (int i : {0, 2, 3, 4, 5})
    if (fields.effects[static_cast<size_t>(i)]) return std::nullopt;
  return std::string(kSelectEffectsMessage);
}

std::vector<std::pair<std::string, std::string>> AdvancedWrites(const AdvancedFields& f) {
  auto box = [&](int index) { return ClampAdvancedBox(index, f.txtAdv[static_cast<size_t>(index)]); };
  int32_t pick = 0;
  for (int i = 0; i < kEffectBoxCount; ++i)
    if (i != 1 && f.effects[static_cast<size_t>(i)]) pick += 1 << i;
  return {
      {"Adv_FontName", f.fontName},
      {"LockMessage", TrimBlanks(f.message)},
      {"Adv_TimeDelay", box(kAdvFrameDelay)},
      {"FocalLength", box(kAdvFocalLength)},
      {"Adv_FontSize", box(kAdvFontSize)},
      {"Adv_FontHueV", box(kAdvFontHue)},
      {"Adv_PxraCycle", Flag(f.cycle)},
      // A single effect runs without a frame limit.
      {"Adv_EffectFPC", f.cycle ? box(kAdvFramesPerEffect) : "0"},
      {"Adv_PerfMult", box(kAdvPerfMult)},
      {"Adv_HueStart", box(kAdvHueStart)},
      {"Adv_PickPXRA", std::to_string(pick)},
      {"Adv_WinResize", Flag(f.resize)},
      {"Adv_MouseMove", Flag(f.mouseMove)},
      {"Adv_DispBackG", Flag(f.backGround)},
  };
}

std::optional<std::string> SaveAdvancedFields(const AdvancedFields& fields) {
  if (auto message = ValidateAdvanced(fields)) return message;
  for (const auto& [key, value] : AdvancedWrites(fields)) SaveSettingStr(kAdvancedSection, key, value);
  return std::nullopt;
}

}  // namespace pyxora
