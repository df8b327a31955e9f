// Bringing the store into a known state: the migration of an older machine-wide
// installation, the Properties window's first run with its welcome window, and the
// factory reset.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "settings/properties_model.h"

namespace pyxora {

// Copies every setting of an older machine-wide installation to the per-user store
// when the user has none. "AnimationType" is copied last: an interrupted migration
// runs again at the next start.
void MigrateSettings();

// The factory reset: the General fields and every effect field of `props`, and the
// Advanced and SoundFX values in the store at once.
void ApplyFactoryDefaults(PropertiesModel& props);

// The welcome window, shown modally. `earlierVersion`: the store already holds an
// effect selection. Returns true when the user asked for the factory reset.
using ShowWelcomeWindow = std::function<bool(bool earlierVersion)>;

struct WelcomeOutcome {
  bool reset = false;
  bool backupWritten = false;
  std::filesystem::path backupPath;
};

// Where the welcome window's reset keeps the settings it replaces.
std::filesystem::path WelcomeBackupPath();

// Marks the first run done, shows the welcome window, and fills `props` from the store
// or the factory values. A reset first saves the current settings as a complete
// template at WelcomeBackupPath() (which becomes TemplatePath); when that backup cannot
// be written nothing is reset and the user is told why (kResetDroppedMessage, the
// path and the reason).
extern const char* const kResetDroppedMessage;
WelcomeOutcome WelcomeFlow(PropertiesModel& props, const ShowWelcomeWindow& showWelcome);

// The end of the Properties window's loading: the welcome window once per user, then
// the store, or the factory values when the store holds no effect selection.
void RunFirstRunLogic(PropertiesModel& props, const ShowWelcomeWindow& showWelcome);

// The Edit menu's reset question (title "Pyxora", Yes/No, No by default).
extern const char* const kResetConfirmationText;
// Asks `confirm` the reset question and applies the factory values on Yes.
bool ConfirmFactoryReset(PropertiesModel& props, const std::function<bool(const char* text)>& confirm);

}  // namespace pyxora
