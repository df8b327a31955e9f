// The texts about the product that the welcome, about and credits windows show on
// either platform side.
#pragma once

#include <string>
#include <vector>

namespace pyxora {

inline constexpr const char* kProductName = "Pyxora";
inline constexpr const char* kProductVersion = "3.2";
inline constexpr const char* kProductWebAddress = PYXORA_HOME_URL;
inline constexpr const char* kWebPageUnreachable = "The Web Page could not be reached.";

// "Welcome to Pyxora 3.2."
std::string WelcomeHeading();
// The welcome text; `earlierVersion` adds the paragraph about the reset and its backup.
std::string WelcomeText(bool earlierVersion);
// "Please consider the following:" and its notes, one a line.
std::string WelcomeNotes();
// "New features:" and the list, one a line, the first being `platformFeature`.
std::string WelcomeFeatures(const char* platformFeature);
// The lines the credits window scrolls after its version line; `builtWith` names what
// this platform side is built with.
std::vector<const char*> CreditLines(const char* builtWith);

}  // namespace pyxora
