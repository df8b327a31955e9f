// How the Properties window opens its companion windows on Windows. Each opens modal
// to `owner` and returns when it has closed.
#pragma once

#include <windows.h>

#include <string>

namespace pyxora {

struct PropertiesModel;

void ShowAdvancedSettings(HWND owner);
void ShowSoundSettings(HWND owner);
void ShowSystemDiagnostics(HWND owner);
void ShowAbout(HWND owner);
void ShowCredits(HWND owner);
// The first-run welcome; true when the user asked for the factory reset.
bool ShowWelcome(HWND owner, bool earlierVersion);
// The product's web page in the default browser; a message when it cannot be reached.
void OpenHomePage(HWND owner);

struct FileDialogSetup {
  bool openMode = true;      // the file must exist
  bool templateMode = false; // load or save a template on OK
  std::string title;
  std::string filter;            // "Description|pattern|..." pairs, each followed by "|"
  std::string defaultExtension;  // without the dot
  PropertiesModel* props = nullptr;  // what a template is loaded into or saved from
};
// The system's file dialog with the program's rules; the chosen path, or "" when cancelled.
std::string ShowFileDialog(HWND owner, const FileDialogSetup& setup);

}  // namespace pyxora
