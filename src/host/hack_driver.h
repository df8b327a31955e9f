// The hack's animation, with no window code: the command-line values put in front of
// the stored settings, then effect after effect until a stop is requested.
#pragma once

#include <memory>

#include "host/advanced_settings.h"
#include "host/hack_options.h"
#include "settings/store.h"

namespace pyxora {

// Makes the process's store answer the hack's values (HackOverrides) over those of
// `stored`; nothing is written.
void InstallHackSettings(const HackOptions& options, std::unique_ptr<SettingsStore> stored);

// Runs on `surface` until StopRequested: a chosen preset again and again, otherwise
// the saver's driver over the settings as the hack sees them.
void RunHackDriver(const HackOptions& options, const DisplaySurface& surface);

}  // namespace pyxora
