#include "settings/settings_document.h"

#include "base/number_text.h"

namespace pyxora {
namespace {

// Values escape only what would break a line; names also escape the characters
// that would make their line look like a header, a comment or a different split.
std::string Escape(std::string_view text, bool isName) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '=': case '[': case ';': case '#':
        if (isName) out += '\\';
        out += c;
        break;
      default: out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\': out += '\\'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case '=': case '[': case ';': case '#': out += text[i]; break;
      default: return std::nullopt;
    }
  }
  return out;
}

// Position of the first '=' that is not escaped, or npos.
size_t FindSeparator(std::string_view line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\') ++i;
    else if (line[i] == '=') return i;
  }
  return std::string_view::npos;
}

}  // namespace

std::optional<SettingsDocument> SettingsDocument::Parse(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  SettingsDocument doc;
  std::string current;
  bool inSection = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    const std::string trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
    if (trimmed[0] == '[') {
      if (trimmed.back() != ']' || trimmed.size() < 2) return std::nullopt;
      current = trimmed.substr(1, trimmed.size() - 2);
      inSection = true;
      if (!doc.FindSection(current)) doc.sections_.push_back({current, {}});
      continue;
    }
    const size_t separator = FindSeparator(line);
    if (!inSection || separator == std::string_view::npos) return std::nullopt;
    auto name = Unescape(TrimBlanks(line.substr(0, separator)));
    auto value = Unescape(line.substr(separator + 1));
    if (!name || !value) return std::nullopt;
    doc.Set(current, *name, *value);
  }
  return doc;
}

std::string SettingsDocument::Serialise() const {
  std::string out;
  for (const auto& section : sections_) {
    if (!out.empty()) out += '\n';
    out += '[' + section.path + "]\n";
    for (const auto& [name, value] : section.values)
      out += Escape(name, true) + '=' + Escape(value, false) + '\n';
  }
  return out;
}

SettingsSection* SettingsDocument::FindSection(std::string_view path) {
  for (auto& section : sections_)
    if (EqualsIgnoreCase(section.path, path)) return &section;
  return nullptr;
}

const SettingsSection* SettingsDocument::FindSection(std::string_view path) const {
  return const_cast<SettingsDocument*>(this)->FindSection(path);
}

std::optional<std::string> SettingsDocument::Get(std::string_view path, std::string_view name) const {
  const SettingsSection* section = FindSection(path);
  if (!section) return std::nullopt;
  for (const auto& [key, value] : section->values)
    if (EqualsIgnoreCase(key, name)) return value;
  return std::nullopt;
}

void SettingsDocument::Set(std::string_view path, std::string_view name, std::string_view value) {
  SettingsSection* section = FindSection(path);
  if (!section) {
    sections_.push_back({std::string(path), {}});
    section = &sections_.back();
  }
  for (auto& [key, stored] : section->values) {
    if (EqualsIgnoreCase(key, name)) {
      stored = value;
      return;
    }
  }
  section->values.emplace_back(std::string(name), std::string(value));
}

}  // namespace pyxora
