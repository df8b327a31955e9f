// The system calls of the Windows program that are not windows of its own: the command
// line, the console, files, other windows by caption, message boxes, sound and help.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pyxora {

// The arguments after the program, as UTF-8.
std::vector<std::string> Utf8Arguments();
// The command-line text after the program path and the blanks that follow it, as the
// screen-saver modes read it ("/p 1234", "C:\looks\calm.pxt").
std::string RawCommandLine();
std::string ProgramPath();
bool IsFile(const std::string& path);

// Started from a console, the options print there: stdout and stderr go to the parent's
// console unless they already lead somewhere (a pipe, a file).
void UseParentConsole();

// A top-level window with exactly this caption.
HWND FindWindowByCaption(const char* caption);
void BringWindowToFront(HWND window);

// For as long as the object lives: messages in message boxes, the fireworks' sounds
// through PlaySoundW, a moderate timer resolution for the pacing waits.
class DisplayServices {
 public:
  DisplayServices();
  ~DisplayServices();
  DisplayServices(const DisplayServices&) = delete;
  DisplayServices& operator=(const DisplayServices&) = delete;
};

// A text value of HKEY_LOCAL_MACHINE; empty when it is absent or no text.
std::string MachineRegistryText(const wchar_t* key, const wchar_t* name);

// Opens the help page of a context number in the default browser; false when there is no
// help beside the program.
bool OpenHelpTopic(int context);

}  // namespace pyxora
