#include "host/help_topics.h"

#include <cstdlib>
#include <system_error>

namespace pyxora {

const std::vector<HelpTopic>& HelpTopics() {
  static const std::vector<HelpTopic> topics = {
      {kHelpContents, "index.html", "contents"},
      {kHelpSearch, "index.html", "topics"},
      {kHelpProperties, "properties.html", "properties"},
      {kHelpFireworks, "effects.html", "fireworks"},
      {kHelpWarp, "effects.html", "warp"},
      {kHelpSparklers, "effects.html", "sparklers"},
      {kHelpGravity, "effects.html", "gravity"},
      {kHelpGalaxy, "effects.html", "galaxies"},
      {kHelpTemplates, "templates.html", "templates"},
      {kHelpAdvanced, "advanced.html", "advanced"},
      {kHelpSounds, "sounds.html", "sounds"},
      {kHelpFileChooser, "templates.html", "file-chooser"},
      {kHelpDiagnostics, "diagnostics.html", "diagnostics"},
      {kHelpWelcome, "about.html", "welcome"},
      {kHelpAbout, "about.html", "about"},
      {kHelpCredits, "about.html", "credits"},
  };
  return topics;
}

HelpTopic HelpTopicFor(int context) {
  for (const HelpTopic& topic : HelpTopics())
    if (topic.context == context) return topic;
  return HelpTopics().front();
}

std::vector<std::filesystem::path> HelpFolderCandidates(const std::filesystem::path& programFolder) {
  std::vector<std::filesystem::path> folders;
  if (const char* env = std::getenv("PYXORA_HELP_DIR"); env && *env) folders.emplace_back(env);
  if (!programFolder.empty()) folders.push_back(programFolder.parent_path() / "share" / "pyxora" / "help");
#ifdef PYXORA_SOURCE_HELP
  folders.emplace_back(PYXORA_SOURCE_HELP);
#endif
  return folders;
}

std::filesystem::path FindHelpFolder(const std::filesystem::path& programFolder,
                                     const std::vector<std::filesystem::path>& firstTries) {
  std::vector<std::filesystem::path> folders = firstTries;
  for (auto& candidate : HelpFolderCandidates(programFolder)) folders.push_back(std::move(candidate));
  for (const auto& folder : folders) {
    std::error_code error;
    if (std::filesystem::is_regular_file(folder / "index.html", error)) return folder;
  }
  return {};
}

}  // namespace pyxora
