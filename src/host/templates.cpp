#include "host/templates.h"

#include <optional>

#include "base/number_text.h"
#include "base/numeric.h"
#include "base/system.h"
#include "effects/effect_table.h"
#include "host/properties_fields.h"
#include "settings/general_settings.h"
#include "settings/settings.h"
#include "settings/template_file.h"
#include "settings/user_message.h"

namespace pyxora {

namespace {

constexpr const char* kAdminSection = "Admin";

std::string DefaultText(const SettingRowInfo& row) { return FormatNumber(row.defaultValue); }

// A box's number as a template writes it: its leading decimal number, 0 when none.
std::string LeadingNumberText(std::string_view text) { return BoxNumberText(ValOfText(text)); }

// Every box as leaving it would leave it, one after the other: "1e400" would otherwise
// be written as "inf", which reads back as 0.
PropertiesModel LeftBoxes(const PropertiesModel& props) {
  PropertiesModel left = props;
  for (const auto& [box, text] : props.Boxes)
    left.SetText(box.first, box.second, LostFocusText(left, box.first, box.second, text));
  return left;
}

std::optional<int> WholeNumber(std::string_view text) {
  const auto number = ParseNumericText(text);
  if (!number) return std::nullopt;
  return ToInteger<int32_t>(*number);
}

template <class Visit>
void ForEachEffectSection(Visit visit) {
  for (const EffectEntry& effect : Effects()) {
    const auto rows = EffectSettingRows(effect.index);
    if (!rows.empty()) visit(effect.section, rows);
  }
}

std::string ControlText(const PropertiesModel& props, const SettingRowInfo& row) {
  switch (row.control) {
    case SettingControl::Box:
      return LeadingNumberText(props.Text(row.controlName, row.box.index));
    case SettingControl::Check:
      return props.Checked(row.controlName) ? "1" : "0";
    case SettingControl::List:
      return std::to_string(props.ListIndex(row.controlName));
  }
  return "";
}

// As a check box or list takes a value it cannot show: it stays as it was.
void SetControl(PropertiesModel& props, const SettingRowInfo& row, const std::string& text) {
  switch (row.control) {
    case SettingControl::Box:
      props.SetText(row.controlName, row.box.index, text);
      return;
    case SettingControl::Check:
      if (const auto value = WholeNumber(text); value && (*value == 0 || *value == 1))
        props.Checks[row.controlName] = *value == 1;
      return;
    case SettingControl::List:
      if (const auto value = WholeNumber(text); value && *value >= 0) props.Lists[row.controlName] = *value;
      return;
  }
}

// Reads the file into the cache at once, so nothing is imported from a file that
// cannot be read and no earlier file's text is used. A file that is no template at all
// (a README, an empty file) would otherwise set every setting to its default.
TemplateReadResult FillCache(std::string_view path) {
  TemplateReadResult result;
  const TemplateFileRead read = ReadTemplateFile(PathFromUtf8(path));
  if (!read.ok) {
    result.error = read.error;
    return result;
  }
  gTemplate.TemplateText = read.text + "[";
  if (ReadTemplateValue(kAdminSection, "Product", "") != "Pyxora") {
    ClearTemplateCache();
    result.error = "not a Pyxora template";
    return result;
  }
  result.ok = true;
  return result;
}

void ImportStoreRows(SettingsBatch& batch) {
  for (const GeneralSettingRow& row : kGeneralSettings)
    if (row.uses & (kFromStoreToTemplate | kReadFromTemplate))
      ImportValue(batch, row.section, row.key, row.defaultText);
}

}  // namespace

std::string BoxNumberText(double value) { return FormatNumber(value); }

bool SaveTemplate(const PropertiesModel& typed, std::string_view path) {
  const PropertiesModel props = LeftBoxes(typed);
  const std::string file(path.empty() ? std::string_view(gTemplate.TemplatePath) : path);
  WriteTemplateValue(kAdminSection, "Product", "Pyxora", file);
  WriteTemplateValue(kAdminSection, "Version", "3.2");
  WriteTemplateValue(kAdminSection, "Copyright", kTemplateNotice);
  for (const GeneralSettingRow& row : kGeneralSettings)
    if (row.uses & kFromStoreToTemplate) ExportValue(row.section, row.key, row.defaultText);
  WriteTemplateValue(kGeneralSection, kAnimationTypeKey, props.SelectedEffect);
  for (const GeneralSettingRow& row : kGeneralSettings)
    if (row.uses & kFromModelToTemplate)
      WriteTemplateValue(row.section, row.key, LeadingNumberText(props.Text(row.boxArray, row.boxIndex)));
  ForEachEffectSection([&](const char* section, std::span<const SettingRowInfo> rows) {
    for (const SettingRowInfo& row : rows) WriteTemplateValue(section, row.key, ControlText(props, row));
  });
  return FinishTemplateWrite();
}

TemplateReadResult LoadTemplate(PropertiesModel& props, std::string_view path) {
  const TemplateReadResult result = FillCache(path.empty() ? std::string_view(gTemplate.TemplatePath) : path);
  if (!result.ok) return result;
  // "0" in front: "-1" or a blank then reads as no number and leaves the selection.
  const std::string selected = "0" + ReadTemplateValue(kGeneralSection, kAnimationTypeKey, kAnimationTypeDefault);
  if (const auto index = WholeNumber(selected); index && *index >= 0 && *index < kEffectCount)
    props.SelectedEffect = static_cast<int16_t>(*index);
  for (const GeneralSettingRow& row : kGeneralSettings)
    if (row.uses & kFromModelToTemplate)
      props.SetText(row.boxArray, row.boxIndex, ReadTemplateValue(row.section, row.key, row.defaultText));
  SettingsBatch batch;
  ImportStoreRows(batch);
  batch.Save();
  ForEachEffectSection([&](const char* section, std::span<const SettingRowInfo> rows) {
    for (const SettingRowInfo& row : rows)
      if (row.readFromTemplate) SetControl(props, row, ReadTemplateValue(section, row.key, DefaultText(row)));
  });
  ClearTemplateCache();
  return result;
}

TemplateReadResult ImportTemplate(std::string_view path) {
  TemplateReadResult result = FillCache(path);
  if (!result.ok) return result;
  gTemplate.TemplatePath = std::string(path);
  SettingsBatch batch;
  ImportStoreRows(batch);
  ImportValue(batch, kGeneralSection, kAnimationTypeKey, kAnimationTypeDefault);
  for (const GeneralSettingRow& row : kGeneralSettings)
    if (row.uses & kFromModelToTemplate) ImportValue(batch, row.section, row.key, row.defaultText);
  ForEachEffectSection([&](const char* section, std::span<const SettingRowInfo> rows) {
    for (const SettingRowInfo& row : rows)
      if (row.readFromTemplate) ImportValue(batch, section, row.key, DefaultText(row));
  });
  if (const StoreWriteResult stored = batch.Save(); !stored.ok) {
    result.ok = false;
    result.error = stored.error;
  }
  return result;
}

void LoadPropertiesFromStore(PropertiesModel& props) {
  props.SelectedEffect = ClampInt(GetSettingInt(kGeneralSection, kAnimationTypeKey, 0), 0, kEffectCount - 1);
  for (const GeneralSettingRow& row : kGeneralSettings)
    if (row.uses & kFromModelToTemplate)
      props.SetText(row.boxArray, row.boxIndex,
                    BoxNumberText(GetSettingInt(row.section, row.key, NearestInt16(ValOfText(row.defaultText)))));
  ForEachEffectSection([&](const char* section, std::span<const SettingRowInfo> rows) {
    for (const SettingRowInfo& row : rows) {
      double value = 0;
      switch (row.getter) {
        case SettingGetter::Int:
          value = GetSettingInt(section, row.key, SaturatingRound<int16_t>(row.defaultValue));
          break;
        case SettingGetter::Lng:
          value = GetSettingLng(section, row.key, SaturatingRound<int32_t>(row.defaultValue));
          break;
        case SettingGetter::Dbl:
          value = GetSettingDbl(section, row.key, row.defaultValue);
          break;
      }
      const std::string text = row.getter == SettingGetter::Dbl ? FormatNumber(static_cast<float>(value))
                                                                : BoxNumberText(value);
      SetControl(props, row, text);
      // A stored value a check box cannot show leaves it off.
      if (row.control == SettingControl::Check) props.Checks[row.controlName] = value == 1;
    }
  });
}

bool SaveSettingsFromProperties(const PropertiesModel& props) {
  if (!TestRegistryWrite()) return false;
  SettingsBatch batch;
  batch.Add(kGeneralSection, kAnimationTypeKey, props.SelectedEffect);
  for (const GeneralSettingRow& row : kGeneralSettings)
    if (row.uses & kFromModelToTemplate) batch.Add(row.section, row.key, props.Text(row.boxArray, row.boxIndex));
  ForEachEffectSection([&](const char* section, std::span<const SettingRowInfo> rows) {
    for (const SettingRowInfo& row : rows) {
      const std::string text =
          row.control == SettingControl::Box ? props.Text(row.controlName, row.box.index) : ControlText(props, row);
      batch.Add(section, row.key, text);
    }
  });
  // The write test passed, yet the store can still refuse (a disk that fills up): all
  // or nothing was written, and the user learns why.
  const StoreWriteResult stored = batch.Save();
  if (!stored.ok)
    ShowUserMessage(UserMessageKind::Exclamation, "Pyxora", kSettingsNotSavedMessage + stored.error + ".");
  return stored.ok;
}

}  // namespace pyxora
