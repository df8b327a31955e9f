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
  // Nothing when the text is not a well-formed settings file.
  static std::optional<SettingsDocument> Parse(std::string_view text);
  std::string Serialise() const;

  // Paths and names match without regard to ASCII case; the first-written case is kept.
  std::optional<std::string> Get(std::string_view path, std::string_view name) const;
  void Set(std::string_view path, std::string_view name, std::string_view value);
  const std::vector<SettingsSection>& Sections() const { return sections_; }

 private:
  SettingsSection* FindSection(std::string_view path);
  const SettingsSection* FindSection(std::string_view path) const;
  std::vector<SettingsSection> sections_;
};

}  // namespace pyxora
