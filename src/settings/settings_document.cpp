#include "settings/settings_document.h"

#include "base/number_text.h"

namespace pyxora {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// Values escape the backslash and every control character, so any bytes read back as
// written and a line is always one line; names also escape the characters that would
// make their line look like a header, a comment or a different split, and a blank at
// either end, which the reader trims.
std::string Escape(std::string_view text, bool isName) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    if (isName && c == ' ' && (i == 0 || i + 1 == text.size())) {
      out += "\\x20";
      continue;
    }
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '=': case '[': case ';': case '#':
        if (isName) out += '\\';
        out += c;
        break;
      default:
        if (IsControl(byte)) {
          out += "\\x";
          out += kHexDigits[byte >> 4];
          out += kHexDigits[byte & 0xF];
        } else {
          out += c;
        }
    }
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
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
      case 't': out += '\t'; break;
      case '=': case '[': case ';': case '#': out += text[i]; break;
      case 'x': {
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = HexValue(text[i + 1]), low = HexValue(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
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

SettingsDocument SettingsDocument::Parse(std::string_view text) {
  SettingsDocument doc;
  std::string current;
  bool inSection = false;  // false before the first header and under a broken one
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    const std::string trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
    if (line.find('\0') != std::string_view::npos) {
      ++doc.skippedLines_;
      continue;
    }
    if (trimmed[0] == '[') {
      inSection = trimmed.size() >= 2 && trimmed.back() == ']';
      if (!inSection) {
        ++doc.skippedLines_;
        continue;
      }
      current = trimmed.substr(1, trimmed.size() - 2);
      if (!doc.FindSection(current)) doc.sections_.push_back({current, {}});
      continue;
    }
    const size_t separator = FindSeparator(line);
    auto name = separator == std::string_view::npos ? std::nullopt : Unescape(TrimBlanks(line.substr(0, separator)));
    auto value = separator == std::string_view::npos ? std::nullopt : Unescape(line.substr(separator + 1));
    if (!inSection || !name || !value) {
      ++doc.skippedLines_;
      continue;
    }
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
