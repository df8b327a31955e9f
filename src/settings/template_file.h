// Template files: a whole set of settings as sectioned key=value text with CR LF line
// ends. The reader is deliberately minimal and its quirks are part of the format: a
// header matches case-sensitively, a key is found anywhere in its section's text, a
// "[" anywhere ends a section, and a value needs a line end after it (CR LF, or an LF
// or CR alone, as editors and version control leave them).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace pyxora {

inline constexpr const char* kTemplateExtension = "pxt";
inline constexpr const char* kTemplateFilter = "Pyxora Templates (*.pxt)|*.pxt|All Files (*.*)|*.*|";
inline constexpr const char* kTemplateNotice = "Copyright (C) Pyxora authors. Settings template for Pyxora 3.2.";
// Nothing a person writes comes near this; a bigger file is not read at all.
inline constexpr uintmax_t kMaxTemplateBytes = 4u << 20;

struct TemplateState {
  std::string TemplatePath;         // the current template
  std::string TemplateText;         // the cached text + "[", empty when nothing is cached
  int TemplateOutFile = -1;         // descriptor of the file being written, -1 when none
  std::string TemplateLastSection;  // the last section header written
  // Writes go to a temporary file beside the target, renamed over it when complete.
  std::string OutTarget, OutTemporary;
  bool OutFailed = false;
  std::string LastWriteError;  // why the last write failed
  int OutLines = 0;
  // Called after every line written (tests stop a writer half-way with it).
  std::function<void(int lines)> LineWritten;
};

extern TemplateState gTemplate;

// The whole text of a template file, or why it cannot be read.
struct TemplateFileRead {
  bool ok = false;
  std::string text;
  std::string error;  // "no such file", "permission denied", ...
};
TemplateFileRead ReadTemplateFile(const std::filesystem::path& path);

// `file` empty means TemplatePath. The first read fills the cache; while it is filled
// the file is not looked at again.
std::string ReadTemplateValue(std::string_view section, std::string_view key, const SettingText& fallback,
                              std::string_view file = {});
void WriteTemplateValue(std::string_view section, std::string_view key, const SettingText& value,
                        std::string_view file = {});
// The template's value, `fallback` where the template lacks it, added to `batch` for
// the store.
void ImportValue(SettingsBatch& batch, std::string_view section, std::string_view key, const SettingText& fallback,
                 std::string_view file = {});
// The store's value, or `fallback`, written to the current template.
void ExportValue(std::string_view section, std::string_view key, const SettingText& fallback);

// Ends a write: the complete file replaces the target, or, when anything failed, the
// target stays as it was. Returns whether the new file is in place.
bool FinishTemplateWrite();
// Forgets the cached text.
void ClearTemplateCache();

// Where the program keeps files of its own for the user: $PYXORA_DATA_HOME, else the
// system's folder for it (SystemUserDataFolder).
std::filesystem::path UserDataFolder();

}  // namespace pyxora
