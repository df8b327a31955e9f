#include "host/file_choice.h"

#include <filesystem>

#include "base/system.h"
#include "settings/settings.h"

namespace pyxora {
namespace {

constexpr const char* kRememberSection = "Template";

}  // namespace

std::vector<FileType> SplitFileFilter(std::string_view filter) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t bar = filter.find('|'); bar != std::string_view::npos; bar = filter.find('|', start)) {
    parts.emplace_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  if (start < filter.size()) parts.emplace_back(filter.substr(start));
  std::vector<FileType> types;
  for (size_t i = 0; i + 1 < parts.size(); i += 2)
    if (!parts[i].empty() || !parts[i + 1].empty()) types.push_back({parts[i], parts[i + 1]});
  if (types.empty()) types.push_back({"All Files (*.*)", "*.*"});
  return types;
}

FileChoice ChooseFile(bool openMode, const std::string& folder, const std::string& name,
                      const std::string& defaultExtension, const std::function<bool(const std::string&)>& isFile) {
  const bool blank = name.find_first_not_of(" \t") == std::string::npos;
  std::string typed = name;
  if (!openMode && !blank && typed.find('.') == std::string::npos && !defaultExtension.empty())
    typed += "." + defaultExtension;
  const std::filesystem::path path = PathFromUtf8(folder) / PathFromUtf8(typed);
  const std::string full = blank ? std::string() : Utf8FromPath(path.lexically_normal());
  if (openMode) {
    if (blank || !isFile(full)) return {{}, kExistingFileMessage};
    return {full, nullptr};
  }
  if (blank) return {{}, kFileNameMessage};
  return {full, nullptr};
}

void RememberTemplateFolder(const std::string& path) {
  const std::filesystem::path folder = PathFromUtf8(path).parent_path();
  SaveSettingStr(kRememberSection, "Path_Drive", Utf8FromPath(folder.root_path()));
  SaveSettingStr(kRememberSection, "Path_Dir", Utf8FromPath(folder));
}

std::string RememberedTemplateFolder() {
  const std::string drive = GetSettingStr(kRememberSection, "Path_Drive", "");
  const std::string folder = GetSettingStr(kRememberSection, "Path_Dir", "");
  return drive.empty() ? std::string() : folder;
}

}  // namespace pyxora
