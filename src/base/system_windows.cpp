#include <fcntl.h>
#include <io.h>
#include <malloc.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <shlobj.h>

#include <cerrno>

#include "base/system.h"

// Not in the user-mode headers; unlike GetVersionEx it reports the real version whatever
// the program's manifest says.
extern "C" NTSYSAPI LONG NTAPI RtlGetVersion(PRTL_OSVERSIONINFOW info);

namespace pyxora {
namespace {

void SetErrnoFromLastError() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: errno = ENOENT; break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: errno = EACCES; break;
    default: errno = EIO; break;
  }
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), n);
  return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), n, nullptr, nullptr);
  return narrow;
}

// Large pages need a privilege a user seldom has: the buffer is only aligned.
void* AllocateAligned(size_t bytes, size_t alignment) { return _aligned_malloc(bytes, alignment); }

void FreeAligned(void* buffer) { _aligned_free(buffer); }

std::tm LocalTime(std::time_t when) {
  std::tm local{};
  localtime_s(&local, &when);
  return local;
}

std::filesystem::path SystemUserDataFolder() {
  wchar_t* folder = nullptr;
  std::filesystem::path path;
  if (SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &folder) == S_OK)
    path = std::filesystem::path(folder) / L"Pyxora";
  CoTaskMemFree(folder);
  return path;
}

std::string SystemVersionText() {
  RTL_OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (RtlGetVersion(&info) != 0) return "unknown";
  return "Windows " + std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion) + "." +
         std::to_string(info.dwBuildNumber);
}

FileFacts LookAtFile(std::string_view path) {
  FileFacts facts;
  struct _stat64 info {};
  if (_wstat64(WideFromUtf8(path).c_str(), &info) != 0) {
    facts.error = errno;
    return facts;
  }
  facts.directory = (info.st_mode & _S_IFMT) == _S_IFDIR;
  facts.regular = (info.st_mode & _S_IFMT) == _S_IFREG;
  facts.size = static_cast<uintmax_t>(info.st_size);
  return facts;
}

int OpenFileForReading(std::string_view path) {
  int fd = -1;
  if (_wsopen_s(&fd, WideFromUtf8(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0) != 0)
    return -1;
  return fd;
}

int CreateUniqueFile(std::string& pattern) {
  constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
  if (pattern.size() < 6 || pattern.compare(pattern.size() - 6, 6, "XXXXXX") != 0) {
    errno = EINVAL;
    return -1;
  }
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned seed = GetCurrentProcessId() * 2654435761u ^ GetTickCount() ^ (++counter * 40503u);
    for (size_t i = pattern.size() - 6; i < pattern.size(); ++i) {
      pattern[i] = kLetters[seed % kLetters.size()];
      seed = seed / static_cast<unsigned>(kLetters.size()) + seed * 7u + 13u;
    }
    int fd = -1;
    const int flags = _O_CREAT | _O_EXCL | _O_RDWR | _O_BINARY | _O_NOINHERIT;
    if (_wsopen_s(&fd, WideFromUtf8(pattern).c_str(), flags, _SH_DENYNO, _S_IREAD | _S_IWRITE) == 0) return fd;
    if (errno != EEXIST) return -1;
  }
  return -1;
}

// ReplaceFileW keeps the old file's attributes and access rights on the new one.
void CopyFileMode(int, std::string_view) {}

bool FlushFile(int fd) { return _commit(fd) == 0; }

bool ReplaceFileWith(std::string_view from, std::string_view to) {
  const std::wstring source = WideFromUtf8(from), target = WideFromUtf8(to);
  if (ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
    return true;
  // Nothing to replace yet, or a volume that cannot: a rename in one step.
  if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  SetErrnoFromLastError();
  return false;
}

void RemoveFile(std::string_view path) { _wunlink(WideFromUtf8(path).c_str()); }

// Only the read-only attribute: access rights show when the file is made.
bool CanWriteInFolder(std::string_view folder) { return _waccess(WideFromUtf8(folder).c_str(), 2) == 0; }

}  // namespace pyxora
