// What the core asks of the operating system, with a POSIX side (system_posix.cpp) and
// a Windows side (system_windows.cpp). Paths are UTF-8 text on both: the Windows side
// turns them into the wide calls' UTF-16, so names outside the ANSI code page work.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace pyxora {

// A buffer of `bytes` aligned to `alignment`, offered to the system for large pages where
// it has them; nullptr when there is no memory. Released with FreeAligned.
void* AllocateAligned(size_t bytes, size_t alignment);
void FreeAligned(void* buffer);

// The local time of day and date of `when`.
std::tm LocalTime(std::time_t when);

// The system's name and version: "Linux 6.1.0-13-amd64", "Windows 10.0.19045";
// "unknown" when the system will not say.
std::string SystemVersionText();

// What is at a path. `error` is the errno of a failed look (ENOENT: nothing there).
struct FileFacts {
  int error = 0;
  bool directory = false;
  bool regular = false;
  uintmax_t size = 0;
};
FileFacts LookAtFile(std::string_view path);

// A descriptor for reading that never blocks on a FIFO and is not inherited; -1 and
// errno when it cannot be opened. Bytes come as they are (no line-end translation).
int OpenFileForReading(std::string_view path);
// Creates a new file from `pattern`, whose last six characters "XXXXXX" are replaced
// to make the name unique; its descriptor, or -1 and errno.
int CreateUniqueFile(std::string& pattern);
// Gives the new file `fd` the permissions of `original`, or the usual ones for a new
// file when there is none.
void CopyFileMode(int fd, std::string_view original);
// The file's bytes are on the disk.
bool FlushFile(int fd);
// `from` takes the place of `to` in one step: a reader sees the old file or the new one.
// false and errno when it fails; `from` is then still there.
bool ReplaceFileWith(std::string_view from, std::string_view to);
void RemoveFile(std::string_view path);
// Whether this process may make files in a folder.
bool CanWriteInFolder(std::string_view folder);

// The system's folder for files a program keeps for the user, with the program's own
// folder in it: $XDG_DATA_HOME/pyxora, else ~/.local/share/pyxora on Linux; the local
// application-data folder + "Pyxora" on Windows. Empty when the system names none.
std::filesystem::path SystemUserDataFolder();

// Paths from and to UTF-8 text, whatever the system's own narrow encoding is.
inline std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}
inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

#ifdef _WIN32
// UTF-8 inside, UTF-16 at the Windows calls. Bytes that are no UTF-8 become U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
#endif

}  // namespace pyxora
