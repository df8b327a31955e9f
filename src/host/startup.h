// Start-up: what the program does for a given command line and program file.
// Kept as a plain function so every case can be tested without windows.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "render/saver_state.h"

namespace pyxora {

enum class StartAction {
  Windowed,         // the windowed application
  Properties,       // the configuration window
  Saver,            // the full-screen saver
  Preview,          // the preview inside a host window
  ChangePassword,   // hand the password change to the platform (opens nothing here)
  ImportThenSaver,  // import a template, then the saver
};

struct StartupDecision {
  StartAction action = StartAction::Saver;
  RunMode mode = RunMode::Saver;
  int32_t windowId = 0;      // preview parent or password dialog parent
  std::string templatePath;  // the whole command line, for ImportThenSaver
};

inline constexpr const char* kSaverCaption = "PXRA:Pyxora 3.2";
inline constexpr const char* kPreviewCaption = "PXRA:Preview Pyxora 3.2";
inline constexpr const char* kPropertiesCaption = "Pyxora Properties";
inline constexpr const char* kWindowedProgramName = "pyxora-window";

using FileExists = std::function<bool(const std::string& path)>;

// The windowed application: the program started as `pyxora-window`, or with a sibling
// file of its name and ".exe" but none with ".scr".
bool IsWindowedProgram(std::string_view programPath, const FileExists& fileExists);

// Whether a leading "--fps" asks for the readout in a mode (`--fps /s`, and anything
// the windowed application is given) rather than being the hack's -fps written with two
// dashes (`--fps` alone, `--fps -root`).
bool FpsLeadsAMode(const std::vector<std::string>& args, bool windowedProgram);

// `commandLine` is the raw text after the program path (arguments joined by single spaces).
StartupDecision DispatchCommandLine(std::string_view commandLine, std::string_view programPath,
                                    const FileExists& fileExists);

// What a platform side does for each action of the dispatch.
struct ModeRunners {
  std::function<int()> windowed;
  std::function<int()> properties;  // or brings an open Properties window forward
  std::function<bool()> saverRunning;
  std::function<int()> saver;
  std::function<int(int32_t windowId)> preview;
};

// Carries out `decision` in its run mode. A template that cannot be imported is said on
// `err` and the saver runs on the current settings; a saver already running ends this
// one at once; the password change belongs to the system and does nothing.
int RunStartAction(const StartupDecision& decision, const ModeRunners& run, std::ostream& err);

// The number after the mode letter: the longest leading decimal number of the text
// after the first two characters, rounded to 32 bits; 0 when there is none.
int32_t NumberAfterModeLetter(std::string_view commandLine);

// The per-process start-up steps that come before the dispatch: request flags
// cleared, the settings of an older machine-wide installation migrated, the screen's twips factors, the sine tables and the help file name.
void PrepareStartup();

}  // namespace pyxora
