#include "win/platform/win_system.h"

#include <fcntl.h>
#include <io.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cstdio>
#include <filesystem>

#include "base/system.h"
#include "host/help_topics.h"
#include "render/sound_output.h"
#include "settings/user_message.h"

namespace pyxora {

std::vector<std::string> Utf8Arguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide && i < count; ++i) args.push_back(Utf8FromWide(wide[i]));
  if (wide) LocalFree(wide);
  return args;
}

std::string RawCommandLine() {
  const wchar_t* p = GetCommandLineW();
  // The program path: quoted, or up to the first blank.
  if (*p == L'"') {
    ++p;
    while (*p && *p != L'"') ++p;
    if (*p) ++p;
  } else {
    while (*p && *p != L' ' && *p != L'\t') ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  return Utf8FromWide(p);
}

std::string ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return Utf8FromWide(path);
    }
    path.resize(path.size() * 2);
  }
}

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void UseParentConsole() {
  auto leadsSomewhere = [](DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
  };
  const bool out = leadsSomewhere(STD_OUTPUT_HANDLE), err = leadsSomewhere(STD_ERROR_HANDLE);
  if (out && err) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  SetConsoleOutputCP(CP_UTF8);
  if (!out) std::freopen("CONOUT$", "w", stdout);
  if (!err) std::freopen("CONOUT$", "w", stderr);
}

HWND FindWindowByCaption(const char* caption) { return FindWindowW(nullptr, WideFromUtf8(caption).c_str()); }

void BringWindowToFront(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

DisplayServices::DisplayServices() {
  SetUserMessageHandler([](UserMessageKind kind, std::string_view title, std::string_view text) {
    const UINT icon = kind == UserMessageKind::Information ? MB_ICONINFORMATION
                      : kind == UserMessageKind::Exclamation ? MB_ICONEXCLAMATION
                                                             : MB_ICONERROR;
    MessageBoxW(GetActiveWindow(), WideFromUtf8(text).c_str(), WideFromUtf8(title).c_str(), MB_OK | icon);
  });
  // A new sound cuts the one playing; a missing or bad file plays nothing, and no default beep.
  SetSoundOutput([](const std::string& path) {
    PlaySoundW(WideFromUtf8(path).c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
  });
  // The waits sleep to the millisecond instead of to the next 15.6 ms tick.
  timeBeginPeriod(1);
}

DisplayServices::~DisplayServices() {
  timeEndPeriod(1);
  SetSoundOutput(nullptr);
  PlaySoundW(nullptr, nullptr, 0);
  SetUserMessageHandler(nullptr);
}

namespace {

// Where the installer put the windowed program and the help: the saver itself runs from
// the system folder, which holds no help.
std::filesystem::path InstalledFolder() {
  const std::string folder =
      MachineRegistryText(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pyxora", L"InstallLocation");
  return folder.empty() ? std::filesystem::path() : PathFromUtf8(folder);
}

}  // namespace

std::string MachineRegistryText(const wchar_t* key, const wchar_t* name) {
  wchar_t text[MAX_PATH * 2]{};
  DWORD size = sizeof text;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return {};
  return Utf8FromWide(text);
}

bool OpenHelpTopic(int context) {
  const std::filesystem::path program = PathFromUtf8(ProgramPath()).parent_path();
  // Beside the program, else in the installed folder, else where the Linux layout or the
  // source tree has it.
  std::vector<std::filesystem::path> firstTries{program / "help"};
  if (const std::filesystem::path installed = InstalledFolder(); !installed.empty()) firstTries.push_back(installed / "help");
  const std::filesystem::path folder = FindHelpFolder(program, firstTries);
  if (folder.empty()) return false;
  const HelpTopic topic = HelpTopicFor(context);
  const std::wstring page = (folder / topic.page).wstring();
  // A file URL keeps the anchor, which a plain path would lose.
  std::wstring url = L"file:///" + page;
  for (wchar_t& c : url)
    if (c == L'\\') c = L'/';
  if (*topic.anchor) url += L"#" + WideFromUtf8(topic.anchor);
  const auto open = [](const std::wstring& target) {
    return reinterpret_cast<intptr_t>(ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
  };
  // A shell that takes the anchor for part of the file name still opens the page.
  return open(url) || open(page);
}

}  // namespace pyxora
