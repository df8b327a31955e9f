#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "base/system.h"

namespace pyxora {

void* AllocateAligned(size_t bytes, size_t alignment) {
  void* buffer = std::aligned_alloc(alignment, bytes);
  if (buffer) ::madvise(buffer, bytes, MADV_HUGEPAGE);  // a hint: refused, the pages are just small
  return buffer;
}

void FreeAligned(void* buffer) { std::free(buffer); }

std::tm LocalTime(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return local;
}

std::filesystem::path SystemUserDataFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return std::filesystem::path(xdg) / "pyxora";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : ".") / ".local" / "share" / "pyxora";
}

std::string SystemVersionText() {
  if (utsname names{}; ::uname(&names) == 0) return std::string(names.sysname) + " " + names.release;
  return "unknown";
}

FileFacts LookAtFile(std::string_view path) {
  FileFacts facts;
  struct stat info {};
  if (::stat(std::string(path).c_str(), &info) != 0) {
    facts.error = errno;
    return facts;
  }
  facts.directory = S_ISDIR(info.st_mode);
  facts.regular = S_ISREG(info.st_mode);
  facts.size = static_cast<uintmax_t>(info.st_size);
  return facts;
}

int OpenFileForReading(std::string_view path) {
  return ::open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

int CreateUniqueFile(std::string& pattern) { return ::mkstemp(pattern.data()); }

void CopyFileMode(int fd, std::string_view original) {
  struct stat old {};
  mode_t mode = 0;
  if (::stat(std::string(original).c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);
}

bool FlushFile(int fd) { return ::fsync(fd) == 0; }

bool ReplaceFileWith(std::string_view from, std::string_view to) {
  return ::rename(std::string(from).c_str(), std::string(to).c_str()) == 0;
}

void RemoveFile(std::string_view path) { ::unlink(std::string(path).c_str()); }

bool CanWriteInFolder(std::string_view folder) { return ::access(std::string(folder).c_str(), W_OK) == 0; }

}  // namespace pyxora
