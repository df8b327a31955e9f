// The settings file parser: any bytes parse; what it kept writes out and reads back
// as the same sections and values, with nothing skipped.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "settings/settings_document.h"

using pyxora::SettingsDocument;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const SettingsDocument doc = SettingsDocument::Parse(text);
  const std::string written = doc.Serialise();
  const SettingsDocument again = SettingsDocument::Parse(written);
  FUZZ_CHECK(again.SkippedLines() == 0);
  FUZZ_CHECK(again.Sections().size() == doc.Sections().size());
  for (size_t s = 0; s < doc.Sections().size(); ++s) {
    const auto& a = doc.Sections()[s];
    const auto& b = again.Sections()[s];
    FUZZ_CHECK(a.path == b.path);
    FUZZ_CHECK(a.values == b.values);
    for (const auto& [name, value] : a.values) FUZZ_CHECK(again.Get(a.path, name) == value);
  }
  FUZZ_CHECK(again.Serialise() == written);
  return 0;
}
