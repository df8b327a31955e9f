#include "host/first_run.h"

#include <system_error>

#include "base/number_text.h"
#include "effects/effect_table.h"
#include "host/templates.h"
#include "settings/general_settings.h"
#include "settings/settings.h"
#include "settings/template_file.h"
#include "settings/user_message.h"

namespace pyxora {

const char* const kResetConfirmationText =
    "Reset Factory Settings Confirmation\r\n\r\n"
    "Note:  Once the properties have been reset to the factory settings, \r\n"
    "you will only see the Effect selected from the dropdown list located\r\n"
    "in the upper-left corner of the Properties window.  In order to cycle\r\n"
    "through a selection of Effects, choose the Edit Menu, then select\r\n"
    "the Advanced Settings item.  From the Advanced Settings window,\r\n"
    "you may select a combination of effects to rotate through.\r\n\r\n"
    "Do you really want to reset the properties back to the factory settings?";

const char* const kResetDroppedMessage =
    "The settings have not been reset.\r\n\r\nThe current settings could not be saved to ";

namespace {

constexpr const char* kResetMarkerKey = "ResetSettings";

void CopySetting(SettingsBatch& batch, std::string_view section, std::string_view key, const SettingText& fallback) {
  batch.Add(section, key, GetSettingStr(section, key, fallback, kMachineRoot));
}

bool HasEffectSelection() { return GetSettingInt(kGeneralSection, kAnimationTypeKey, -1) != -1; }

}  // namespace

void MigrateSettings() {
  const bool machineHas = GetSettingInt(kGeneralSection, kAnimationTypeKey, -1, kMachineRoot) != -1;
  const bool userLacks = !HasEffectSelection();
  if (!machineHas || !userLacks) return;
  SettingsBatch batch;
  for (const GeneralSettingRow& row : kGeneralSettings)
    if (row.uses & kMigrated) CopySetting(batch, row.section, row.key, row.defaultText);
  for (const EffectEntry& effect : Effects())
    for (const SettingRowInfo& row : EffectSettingRows(effect.index))
      CopySetting(batch, effect.section, row.key, FormatNumber(row.defaultValue));
  CopySetting(batch, kGeneralSection, kAnimationTypeKey, kAnimationTypeDefault);
  batch.Save(kUserRoot);
}

void ApplyFactoryDefaults(PropertiesModel& props) {
  props.SelectedEffect = 0;
  SettingsBatch batch;
  for (const GeneralSettingRow& row : kGeneralSettings) {
    if (!row.factoryText) continue;
    if (row.uses & kFromModelToTemplate) {
      props.SetText(row.boxArray, row.boxIndex, row.factoryText);
    } else {
      batch.Add(row.section, row.key, row.factoryText);
    }
  }
  batch.Save();
  for (const EffectEntry& effect : Effects())
    for (const SettingRowInfo& row : EffectSettingRows(effect.index)) {
      switch (row.control) {
        case SettingControl::Box:
          props.SetText(row.controlName, row.box.index, FormatNumber(row.defaultValue));
          break;
        case SettingControl::Check:
          props.Checks[row.controlName] = row.defaultValue == 1;
          break;
        case SettingControl::List:
          props.Lists[row.controlName] = static_cast<int>(row.defaultValue);
          break;
      }
    }
}

std::filesystem::path WelcomeBackupPath() {
  return UserDataFolder() / (std::string("propsave.") + kTemplateExtension);
}

WelcomeOutcome WelcomeFlow(PropertiesModel& props, const ShowWelcomeWindow& showWelcome) {
  WelcomeOutcome outcome;
  SaveSettingStr(kGeneralSection, kResetMarkerKey, "1");
  const bool earlierVersion = HasEffectSelection();
  outcome.reset = showWelcome && showWelcome(earlierVersion);
  if (outcome.reset) {
    // The welcome text promises the current settings back from this file.
    outcome.backupPath = WelcomeBackupPath();
    std::error_code error;
    std::filesystem::create_directories(outcome.backupPath.parent_path(), error);
    PropertiesModel current;
    LoadPropertiesFromStore(current);
    outcome.backupWritten = SaveTemplate(current, outcome.backupPath.string());
    if (outcome.backupWritten) {
      gTemplate.TemplatePath = outcome.backupPath.string();
    } else {
      outcome.reset = false;
      ShowUserMessage(UserMessageKind::Exclamation, "Pyxora",
                      kResetDroppedMessage + outcome.backupPath.string() + ": " + gTemplate.LastWriteError + ".");
    }
  }
  if (outcome.reset || !HasEffectSelection()) {
    ApplyFactoryDefaults(props);
  } else {
    LoadPropertiesFromStore(props);
  }
  return outcome;
}

void RunFirstRunLogic(PropertiesModel& props, const ShowWelcomeWindow& showWelcome) {
  if (GetSettingInt(kGeneralSection, kResetMarkerKey, -1) != -1) {
    if (!HasEffectSelection()) {
      ApplyFactoryDefaults(props);
      SaveSettingsFromProperties(props);
    }
    LoadPropertiesFromStore(props);
    return;
  }
  SaveSettingStr(kGeneralSection, kResetMarkerKey, "1");
  WelcomeFlow(props, showWelcome);
}

bool ConfirmFactoryReset(PropertiesModel& props, const std::function<bool(const char* text)>& confirm) {
  if (!confirm || !confirm(kResetConfirmationText)) return false;
  ApplyFactoryDefaults(props);
  return true;
}

}  // namespace pyxora
