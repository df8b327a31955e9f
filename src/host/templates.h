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
// read, or that is no template (no "[Admin]" section with "Product=Pyxora"), changes
// nothing.
TemplateReadResult LoadTemplate(PropertiesModel& props, std::string_view path = {});

// Reads a template straight into the store in one write; every key the template format
// restores is written, with its default where the file lacks it. A file that cannot be
// read or is no template imports nothing, nor does a store that refuses (`error` is then
// the store's). Sets TemplatePath.
TemplateReadResult ImportTemplate(std::string_view path);

// Every Properties field from the store, with the loaders' defaults.
void LoadPropertiesFromStore(PropertiesModel& props);
// Every Properties field to the store in one write, after the store's write test;
// false when the store refused, which the user has then been told.
bool SaveSettingsFromProperties(const PropertiesModel& props);
// What the user is told when the store refuses after the write test passed, followed by
// the store's reason.
inline constexpr const char* kSettingsNotSavedMessage = "The Property settings cannot be saved: ";

// The text a box holds for a number: its shortest decimal form.
std::string BoxNumberText(double value);

}  // namespace pyxora
