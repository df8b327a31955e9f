#include "host/properties_fields.h"

#include <array>
#include <cmath>
#include <type_traits>

#include "base/number_text.h"
#include "base/numeric.h"
#include "effects/fireworks/fireworks_settings.h"
#include "effects/galaxy/galaxy_settings.h"
#include "effects/gravity/gravity_settings.h"
#include "effects/splines/sparklers.h"
#include "effects/splines/warp.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/text_helpers.h"
#include "settings/settings.h"

namespace pyxora {
namespace {

constexpr int kFireworks = 0, kWarp = 2, kSparklers = 3, kGravity = 4, kGalaxy = 5;

// Rows of the effect tables that the window shows as a check box or a list.
struct OtherControl {
  const char* key;
  ControlKind kind;
  const char* name;
  bool onlyWhenOne;
  int listCount;
};
constexpr std::array<OtherControl, 9> kOtherControls = {{
    {"FireMultiMoment", ControlKind::Check, "chkMultiMom", true, 0},
    {"FireBurstShell", ControlKind::Check, "chkJetBurst", true, 0},
    {"Warp_Type", ControlKind::List, "cboWarpType", false, static_cast<int>(kWarpTypeNames.size())},
    {"Warp_HueLock", ControlKind::Check, "chkWarpHueLock", true, 0},
    {"B_Spline_Symmetry", ControlKind::Check, "chkSplineSym", true, 0},
    {"Grav_ColorComp", ControlKind::List, "cboGravColor", false, static_cast<int>(kGravityColorNames.size())},
    {"Grav_StereoOn", ControlKind::Check, "chkGravStereo", false, 0},
    {"Galaxy_ColorComp", ControlKind::List, "cboGalColor", false, static_cast<int>(kGalaxyColorNames.size())},
    {"Galaxy_Profile", ControlKind::List, "cboGalProfile", false, static_cast<int>(kGalaxyProfileNames.size())},
}};

// Labels that carry no range get it from the box, in the style of the others.
std::string BoxLabel(const char* label, const SettingBox& box) {
  std::string text = label;
  if (text.find('(') != std::string::npos || box.index < 0) return text;
  return text + " (" + FormatNumber(box.lo) + " - " + FormatNumber(box.hi) + "):";
}

template <class Record>
void AddRows(std::vector<PropertiesControl>& list, int effect, const char* section, const char* array,
             std::span<const SettingField<Record>> rows) {
  for (const SettingField<Record>& row : rows) {
    PropertiesControl control;
    control.section = section;
    control.key = row.key;
    control.getter = row.getter;
    control.factory = row.defaultValue;
    control.effect = effect;
    control.label = BoxLabel(row.label, row.box);
    control.wholeField = !std::holds_alternative<float Record::*>(row.member);
    if (row.box.index >= 0) {
      control.kind = ControlKind::Box;
      control.name = array;
      control.index = row.box.index;
      control.box = row.box;
    } else {
      for (const OtherControl& other : kOtherControls) {
        if (std::string_view(other.key) != row.key) continue;
        control.kind = other.kind;
        control.name = other.name;
        control.onlyWhenOne = other.onlyWhenOne;
        control.listCount = other.listCount;
      }
      if (!*control.name) continue;  // a row the window does not edit
    }
    list.push_back(std::move(control));
  }
}

PropertiesControl SharedBox(const char* section, const char* key, const char* array, int index, float factory,
                            float hi, float step, const char* label) {
  PropertiesControl control;
  control.section = section;
  control.key = key;
  control.name = array;
  control.index = index;
  control.factory = factory;
  control.box = {index, 0, 0, hi, step, 3};
  control.label = label;
  return control;
}

std::vector<PropertiesControl> BuildControls() {
  std::vector<PropertiesControl> list;
  PropertiesControl effectList;
  effectList.section = "General";
  effectList.key = "AnimationType";
  effectList.kind = ControlKind::List;
  effectList.name = "cboAniType";
  effectList.listCount = 6;
  effectList.label = "Effect:";
  list.push_back(effectList);
  list.push_back(SharedBox("General", "ColorRed", "txtPixHue", 0, 100, 100, 1, "Red"));
  list.push_back(SharedBox("General", "ColorGrn", "txtPixHue", 1, 100, 100, 1, "Green"));
  list.push_back(SharedBox("General", "ColorBlu", "txtPixHue", 2, 100, 100, 1, "Blue"));
  list.push_back(
      SharedBox("PixelColor", "ColorPctInt", "txtPixCol", 0, 0, 100, 1, "Variable Hue Intensity % (0 - 100):"));
  list.push_back(
      SharedBox("PixelColor", "ColorPctHue", "txtPixCol", 1, 100, 100, 1, "Variable Hue Wheel % (0 - 100):"));
  list.push_back(
      SharedBox("PixelColor", "ColorHueWheel", "txtPixCol", 2, 60, 360, 5, "Hue Wheel Wedge Angle (0 - 360):"));
  AddRows<FireworksSettings>(list, kFireworks, kFireworksSection, "txtFire", kFireworksFields);
  AddRows<WarpParams>(list, kWarp, kWarpSection, "txtWarp", kWarpFields);
  AddRows<SparklerParams>(list, kSparklers, kSparklerSection, "txtSpline", kSparklerFields);
  AddRows<GravitySettings>(list, kGravity, kGravitySection, "txtGrav", kGravityFields);
  AddRows<GalaxySettings>(list, kGalaxy, kGalaxySection, "txtGalaxy", kGalaxyFields);
  return list;
}

// Puts a number into the control as the window would show it.
void SetControl(PropertiesModel& props, const PropertiesControl& control, double value) {
  switch (control.kind) {
    case ControlKind::Box:
      props.SetText(control.name, control.index,
                    control.wholeField ? FormatNumber(RoundHalfEven(value)) : FormatNumber(static_cast<float>(value)));
      break;
    case ControlKind::Check:
      props.Checks[control.name] = control.onlyWhenOne ? value == 1 : value != 0;
      break;
    case ControlKind::List: {
      const int index = ClampValue(SaturatingRound<int32_t>(value), 0, control.listCount - 1);
      if (std::string_view(control.name) == "cboAniType") props.SelectedEffect = static_cast<int16_t>(index);
      props.Lists[control.name] = index;
      break;
    }
  }
}

// A theme item that names a list entry or a check box state.
void SetFromThemeItem(PropertiesModel& props, const PropertiesControl& control, const std::string& item) {
  if (control.kind == ControlKind::Box) {
    props.SetText(control.name, control.index, item);
    return;
  }
  const double value = RoundHalfEven(ValOfText(item));
  if (control.kind == ControlKind::Check) {
    props.Checks[control.name] = value != 0;
  } else {
    props.Lists[control.name] = ClampValue(SaturatingRound<int32_t>(value), 0, control.listCount - 1);
  }
}

const PropertiesControl* FindKey(const char* section, const char* key) {
  for (const PropertiesControl& control : PropertiesControls())
    if (std::string_view(control.section) == section && std::string_view(control.key) == key) return &control;
  return nullptr;
}

}  // namespace

const std::vector<PropertiesControl>& PropertiesControls() {
  static const std::vector<PropertiesControl> controls = BuildControls();
  return controls;
}

const PropertiesControl* FindBoxControl(std::string_view array, int index) {
  for (const PropertiesControl& control : PropertiesControls())
    if (control.kind == ControlKind::Box && control.index == index && array == control.name) return &control;
  return nullptr;
}

const PropertiesControl* FindNamedControl(std::string_view name) {
  for (const PropertiesControl& control : PropertiesControls())
    if (control.kind != ControlKind::Box && name == control.name) return &control;
  return nullptr;
}

const char* EffectBoxArray(int effect) {
  switch (effect) {
    case kFireworks: return "txtFire";
    case kWarp: return "txtWarp";
    case kSparklers: return "txtSpline";
    case kGravity: return "txtGrav";
    case kGalaxy: return "txtGalaxy";
    default: return "";
  }
}

void SetFactoryControls(PropertiesModel& props) {
  for (const PropertiesControl& control : PropertiesControls()) SetControl(props, control, control.factory);
  props.Lists["cboGalPlane"] = 0;
}

std::vector<std::string> ThemeListEntries(int effect) {
  std::vector<std::string> entries;
  if (effect == kFireworks) entries.assign(kFireworksThemeNames.begin(), kFireworksThemeNames.end());
  if (effect == kGravity) entries.assign(kGravityThemeNames.begin(), kGravityThemeNames.end());
  if (effect == kGalaxy)
    for (int16_t i = 0; i <= kGalaxyPresetCount; ++i) entries.push_back(GalaxyThemeName(i));
  return entries;
}

bool ApplyThemeToControls(PropertiesModel& props, int effect, int theme) {
  const auto theme16 = SaturatingRound<int16_t>(theme);
  if (effect == kFireworks) {
    const std::string preset = FireThemePreset(theme16);
    if (preset.empty()) return false;
    for (size_t field = 0; field < kFireworksThemeFields.size(); ++field) {
      const FireworksSettingRow& row = kFireworksFields[static_cast<size_t>(kFireworksThemeFields[field])];
      if (const PropertiesControl* control = FindKey(kFireworksSection, row.key))
        SetFromThemeItem(props, *control, GetListItem(preset, static_cast<int>(field)));
    }
    return true;
  }
  if (effect == kGravity) {
    const std::string preset = GravityThemePreset(theme16);
    if (preset.empty()) return false;
    for (size_t field = 0; field < kGravityFields.size(); ++field)
      if (const PropertiesControl* control = FindKey(kGravitySection, kGravityFields[field].key))
        SetFromThemeItem(props, *control, GetListItem(preset, static_cast<int>(field)));
    return true;
  }
  if (effect == kGalaxy) {
    const std::string preset = GalaxyThemePreset(theme16);
    if (preset.empty()) return false;
    for (size_t field = 0; field < kGalaxyPresetRows.size(); ++field) {
      const std::string item = GetListItem(preset, static_cast<int>(field));
      const int row = kGalaxyPresetRows[field];
      if (row < 0) {
        props.Lists["cboGalPlane"] = 0;  // "Y-Z" is the only plane
        continue;
      }
      if (const PropertiesControl* control = FindKey(kGalaxySection, kGalaxyFields[static_cast<size_t>(row)].key))
        SetFromThemeItem(props, *control, item);
    }
    return true;
  }
  return false;
}

std::string LostFocusText(const PropertiesModel& props, std::string_view array, int index, std::string_view text) {
  const PropertiesControl* control = FindBoxControl(array, index);
  if (!control) return std::string(text);
  float hi = control->box.hi;
  if (array == "txtPixCol" && index < 2) {
    // The two percentages share 100. The other box is taken within 0..100, so a value
    // loaded from elsewhere cannot push this one below zero.
    const double other = ClampValue(RoundHalfEven(ValOfBoxText(props.Text(array, 1 - index))), 0.0, 100.0);
    hi = static_cast<float>(100.0 - other);
  }
  return ClampTextBox(text, control->box.kind, control->box.lo, hi);
}

std::optional<std::string> ArrowStepText(std::string_view array, int index, std::string_view text, int direction) {
  const PropertiesControl* control = FindBoxControl(array, index);
  if (!control || control->box.step <= 0) return std::nullopt;
  const double value = RoundHalfEven(ValOfBoxText(text)) + direction * static_cast<double>(control->box.step);
  return FormatNumber(ClampValue<double>(value, control->box.lo, control->box.hi));
}

bool BoxTakesDecimal(std::string_view array, int index) {
  const PropertiesControl* control = FindBoxControl(array, index);
  return control && control->box.kind == 1;
}

bool BoxHasSpinner(const PropertiesControl& control) {
  return control.box.maxLength > 0;
}

int SpinnerStep(int hi) {
  if (hi < 101) return 1;
  if (hi < 999) return 5;
  if (hi < 30000) return 10;
  return 50;
}

uint32_t LevelSwatchColour(int channel, std::string_view text) {
  const int v = static_cast<int>(ClampValue(RoundHalfEven(ValOfBoxText(text)), 0.0, 100.0));
  const int level = 55 + 2 * v;
  return RgbColor(channel == 0 ? level : 0, channel == 1 ? level : 0, channel == 2 ? level : 0);
}

uint32_t HueSwatchColour(std::string_view text) {
  const double value = RoundHalfEven(ValOfBoxText(text));
  return HueToRgb(static_cast<int16_t>(ClampValue(value, 0.0, 32767.0)), 55, 100, 100, 100);
}

}  // namespace pyxora
