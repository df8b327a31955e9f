// Whole sets of settings between template files, the Properties model and the store.
#pragma once

#include <string>
#include <string_view>

#include "settings/properties_model.h"

namespace pyxora {

// Writes the template of `props` (General and effect fields) and of the stored Advanced
// and SoundFX values to `path` (empty: TemplatePath). The old file stays until the new
// one is complete. False when the file could not be written.
bool SaveTemplate(const PropertiesModel& props, std::string_view path = {});

struct TemplateReadResult {
  bool ok = false;
  std::string error;  // why the file could not be read
};

// Reads a template into `props` (General and effect fields; the stereo pair is never
// restored) and its Advanced and SoundFX values into the store. A file that cannot be
// read changes nothing.
TemplateReadResult LoadTemplate(PropertiesModel& props, std::string_view path = {});

// Reads a template straight into the store; every key the template format restores is
// written, with its default where the file lacks it. A file that cannot be read imports
// nothing. Sets TemplatePath.
TemplateReadResult ImportTemplate(std::string_view path);

// Every Properties field from the store, with the loaders' defaults.
void LoadPropertiesFromStore(PropertiesModel& props);
// Every Properties field to the store, after the store's write test; false when the
// store refused.
bool SaveSettingsFromProperties(const PropertiesModel& props);

// The text a box holds for a number: its shortest decimal form.
std::string BoxNumberText(double value);

}  // namespace pyxora
