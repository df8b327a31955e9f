// The Advanced Settings window as plain data: what its boxes load, what Defaults puts
// in them, when OK may close, and the values OK writes (clamped, in order).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pyxora {

inline constexpr const char* kAdvancedSection = "Advanced";
inline constexpr const char* kSelectEffectsMessage = "Please select one or more Effects.";

// Indexes of txtAdv.
enum AdvancedBox : int {
  kAdvFrameDelay = 0,
  kAdvFocalLength = 1,
  kAdvFontSize = 2,
  kAdvFontHue = 3,
  kAdvFramesPerEffect = 6,
  kAdvPerfMult = 7,
  kAdvHueStart = 8,
};
inline constexpr int kAdvancedBoxCount = 9;
inline constexpr int kEffectBoxCount = 8;  // chkEffect(0..7); 1 has no box

struct AdvancedBoxRule {
  int index;
  const char* key;
  const char* fallback;  // the load default and what Defaults puts in
  int kind;              // TextBoxKind
  float lo, hi;
};
// The numeric boxes, with their keys, defaults and ranges.
const std::array<AdvancedBoxRule, 7>& AdvancedBoxRules();
const AdvancedBoxRule* FindAdvancedBox(int index);

struct AdvancedFields {
  std::array<std::string, kAdvancedBoxCount> txtAdv;
  std::string message;
  std::string fontName = "Arial";
  bool backGround = false, mouseMove = false, resize = false, cycle = false;
  std::array<bool, kEffectBoxCount> effects{};
};

// The fields as the window shows them when it opens.
AdvancedFields LoadAdvancedFields();
// Defaults: the font and the numeric boxes go back; the rest stays.
void ApplyAdvancedDefaults(AdvancedFields& fields);
// The text `index` holds after leaving it (ClampTextBox with its range).
std::string ClampAdvancedBox(int index, const std::string& text);
// Up (+1) or Down (-1) in box `index`: its number moved by 1 (0.1 in a decimal box)
// within the box's range; nothing for a box without a range.
std::optional<std::string> AdvancedArrowText(int index, const std::string& text, int direction);
// The message that keeps the window open, or none.
std::optional<std::string> ValidateAdvanced(const AdvancedFields& fields);
// Every key OK writes and its value, in the order written.
std::vector<std::pair<std::string, std::string>> AdvancedWrites(const AdvancedFields& fields);
// Validates, then writes. The message when the window must stay open.
std::optional<std::string> SaveAdvancedFields(const AdvancedFields& fields);

}  // namespace pyxora
