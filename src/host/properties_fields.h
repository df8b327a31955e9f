// Every setting the Properties window edits, as one list of controls built from the
// effects' setting tables: which control shows it (box, check box or list), its key
// and factory value, and for a box its kind, range, arrow step and label. Loading,
// saving, themes and the boxes' rules all work on the plain PropertiesModel.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/properties_model.h"
#include "settings/setting_table.h"

namespace pyxora {

enum class ControlKind { Box, Check, List };

struct PropertiesControl {
  const char* section = "";
  const char* key = "";
  ControlKind kind = ControlKind::Box;
  const char* name = "";  // control array (boxes) or control name
  int index = -1;         // index in the box array; -1 for check boxes and lists
  SettingGetter getter = SettingGetter::Int;
  float factory = 0;
  SettingBox box{};            // boxes only
  std::string label;           // as the window shows it
  bool onlyWhenOne = false;    // a check box ticked only by a stored 1 (others: any non-zero)
  bool wholeField = true;      // the record field is a whole number (loads round half to even)
  int listCount = 0;           // lists only: number of entries
  int effect = -1;             // effect index; -1 for the shared fields
};

// General (effect list, hue levels), PixelColor, then each effect's rows in table order.
const std::vector<PropertiesControl>& PropertiesControls();
const PropertiesControl* FindBoxControl(std::string_view array, int index);
const PropertiesControl* FindNamedControl(std::string_view name);
// The text-box array of an effect ("txtFire", ...); "" for the retired entry.
const char* EffectBoxArray(int effect);

// LoadPropertiesFromStore and SaveSettingsFromProperties are in host/templates.h.
// Every control at its factory value; touches no store.
void SetFactoryControls(PropertiesModel& props);

// Writes theme `theme` of `effect` into the controls as the preset's text holds it.
// Index 0, an effect without themes or an unknown theme change nothing; false then.
bool ApplyThemeToControls(PropertiesModel& props, int effect, int theme);
// The entries of an effect's theme list, "< NONE >" first; empty for effects without.
std::vector<std::string> ThemeListEntries(int effect);

// Leaving a box: its text clamped to the box's kind and range. The two colour
// percentages may together reach at most 100. Unknown boxes keep their text.
std::string LostFocusText(const PropertiesModel& props, std::string_view array, int index, std::string_view text);
// Up (+1) or Down (-1) in a box: its number moved by the box's step within its range;
// nothing for boxes that ignore the arrow keys.
std::optional<std::string> ArrowStepText(std::string_view array, int index, std::string_view text, int direction);
// Whether the box takes a decimal point (FilterDecimalKey) or digits only.
bool BoxTakesDecimal(std::string_view array, int index);
// Whether the box has a spinner beside it (only boxes have a length limit).
bool BoxHasSpinner(const PropertiesControl& control);
// The spinner's step for a range that ends at `hi` (BindSpinner).
int SpinnerStep(int hi);

// The swatch colours (0x00BBGGRR): a hue level 0..100 as 55 + 2v in its own channel,
// and the galaxy hue box as the hue wheel's colour at full levels.
uint32_t LevelSwatchColour(int channel, std::string_view text);
uint32_t HueSwatchColour(std::string_view text);

}  // namespace pyxora
