// The help: HTML pages under the help folder, one anchor per context number of the
// windows that ask for help.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace pyxora {

inline constexpr int kHelpContents = 3;     // the Properties window's Help > Contents
inline constexpr int kHelpSearch = 11;      // Help > Search (the topic index)
inline constexpr int kHelpProperties = 100;
inline constexpr int kHelpFireworks = 110;
inline constexpr int kHelpWarp = 120;
inline constexpr int kHelpSparklers = 130;
inline constexpr int kHelpGravity = 140;
inline constexpr int kHelpGalaxy = 150;
inline constexpr int kHelpTemplates = 300;
inline constexpr int kHelpAdvanced = 400;
inline constexpr int kHelpSounds = 450;
inline constexpr int kHelpFileChooser = 500;
inline constexpr int kHelpDiagnostics = 600;
inline constexpr int kHelpWelcome = 610;
inline constexpr int kHelpAbout = 620;
inline constexpr int kHelpCredits = 630;

struct HelpTopic {
  int context;
  const char* page;    // file name under the help folder
  const char* anchor;  // fragment, without '#'
};
const std::vector<HelpTopic>& HelpTopics();
// The topic of `context`; an unknown number opens the contents.
HelpTopic HelpTopicFor(int context);

// Where the help pages are looked for, first match wins: $PYXORA_HELP_DIR, the
// installed share/pyxora/help beside the program's bin folder, the source tree.
std::vector<std::filesystem::path> HelpFolderCandidates(const std::filesystem::path& programFolder);
// The first of `firstTries`, then of the candidates, that holds index.html; empty when
// none does.
std::filesystem::path FindHelpFolder(const std::filesystem::path& programFolder,
                                     const std::vector<std::filesystem::path>& firstTries = {});

}  // namespace pyxora
