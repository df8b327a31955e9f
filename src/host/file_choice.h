// The rules of the program's file chooser, whatever dialog shows it: the filter text
// split into its types, what OK makes of a typed name (or which of the three messages
// keeps the chooser open), and the folder remembered for templates.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pyxora {

inline constexpr const char* kExistingFileMessage = "Please select an existing file.";
inline constexpr const char* kFileNameMessage = "Please enter a file name.";
inline constexpr const char* kValidPathMessage = "Please enter a valid path and file.";

struct FileType {
  std::string description;  // "Pyxora Templates (*.pxt)"
  std::string pattern;      // "*.pxt"
};
// "Description|pattern|..." pairs, each followed by a bar; all files when none.
std::vector<FileType> SplitFileFilter(std::string_view filter);

struct FileChoice {
  std::string path;       // what OK chose
  const char* message{};  // or why the chooser stays open
};
// OK with `name` typed in `folder`. Open: the file must exist. Save: a name is needed,
// and one without a dot gets the default extension.
FileChoice ChooseFile(bool openMode, const std::string& folder, const std::string& name,
                      const std::string& defaultExtension, const std::function<bool(const std::string&)>& isFile);

// Where the last template was opened or saved ("Template" / "Path_Drive", "Path_Dir"),
// and the folder the chooser starts in: that one when both keys are stored, else "".
void RememberTemplateFolder(const std::string& path);
std::string RememberedTemplateFolder();

}  // namespace pyxora
