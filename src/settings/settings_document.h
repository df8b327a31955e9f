// The text form of one settings root: sections named by key path, each holding
// name=value lines. Kept readable so a person can edit it by hand.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pyxora {

struct SettingsSection {
  std::string path;
  std::vector<std::pair<std::string, std::string>> values;
};

class SettingsDocument {
 public:
  // Reads leniently: a line that cannot be read (no "=", a broken escape, a raw NUL, a
  // value before any section, or anything under a broken header) is skipped and counted;
  // every other value is kept.
  static SettingsDocument Parse(std::string_view text);
  std::string Serialise() const;
  // Lines Parse had to skip; a write that would drop them keeps the old file first.
  size_t SkippedLines() const { return skippedLines_; }

  // Paths and names match without regard to ASCII case; the first-written case is kept.
  std::optional<std::string> Get(std::string_view path, std::string_view name) const;
  void Set(std::string_view path, std::string_view name, std::string_view value);
  const std::vector<SettingsSection>& Sections() const { return sections_; }

 private:
  SettingsSection* FindSection(std::string_view path);
  const SettingsSection* FindSection(std::string_view path) const;
  std::vector<SettingsSection> sections_;
  size_t skippedLines_ = 0;
};

}  // namespace pyxora
