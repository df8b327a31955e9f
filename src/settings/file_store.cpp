#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "settings/settings.h"
#include "settings/store.h"

namespace pyxora {
namespace fs = std::filesystem;

namespace {

bool IsAddressable(int16_t root) { return root == kMachineRoot || root == kUserRoot; }

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// Writes `text` beside `target` and renames it into place; 0 or the system's error.
int ReplaceFile(const fs::path& target, const std::string& text) {
  const fs::path temp = target.string() + ".tmp-" + std::to_string(::getpid());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return errno;
  int error = WriteAll(fd, text) && ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temp.c_str());
  return error;
}

// An unreadable file is kept beside the new one under a dated name, never overwritten.
int KeepBackup(const fs::path& file, const std::string& text) {
  char stamp[32];
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  fs::path backup = file.string() + ".unreadable-" + stamp;
  for (int n = 1; fs::exists(backup); ++n)
    backup = file.string() + ".unreadable-" + stamp + "-" + std::to_string(n);
  return ReplaceFile(backup, text);
}

// The file a settings path names once its links are followed, so that a link a dotfile
// manager keeps stays a link. A loop is left as it is: reading it then fails.
fs::path FollowLinks(fs::path path) {
  std::error_code error;
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, error)); ++hops) {
    const fs::path target = fs::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

class FolderLock {
 public:
  explicit FolderLock(const fs::path& folder) {
    const fs::path lockFile = folder / ".settings.lock";
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace

FileStore::FileStore(fs::path userFolder, fs::path machineFolder)
    : userFolder_(std::move(userFolder)), machineFolder_(std::move(machineFolder)) {}

std::unique_ptr<FileStore> FileStore::FromEnvironment() {
  auto env = [](const char* name) -> std::string {
    const char* value = std::getenv(name);
    return value ? value : "";
  };
  fs::path user;
  if (!env("PYXORA_CONFIG_HOME").empty()) user = env("PYXORA_CONFIG_HOME");
  else if (!env("XDG_CONFIG_HOME").empty()) user = fs::path(env("XDG_CONFIG_HOME")) / "pyxora";
  else user = fs::path(env("HOME").empty() ? "." : env("HOME")) / ".config" / "pyxora";
  fs::path machine = env("PYXORA_SYSTEM_CONFIG").empty() ? fs::path("/etc/xdg/pyxora")
                                                          : fs::path(env("PYXORA_SYSTEM_CONFIG"));
  return std::make_unique<FileStore>(user, machine);
}

FileStore::FileRead FileStore::ReadFile(const fs::path& path) {
  FileRead result;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT) result.outcome = FileRead::Outcome::Missing;
    result.error = std::strerror(errno);
    return result;
  }
  struct stat info{};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    result.error = "not a regular file";
    ::close(fd);
    return result;
  }
  char buffer[8192];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      result.text.append(buffer, static_cast<size_t>(n));
    } else if (n == 0) {
      result.outcome = FileRead::Outcome::Read;
      break;
    } else if (errno != EINTR) {
      result.error = std::strerror(errno);
      break;
    }
  }
  ::close(fd);
  result.device = static_cast<uint64_t>(info.st_dev);
  result.inode = static_cast<uint64_t>(info.st_ino);
  result.size = static_cast<uint64_t>(info.st_size);
  result.mtimeNs = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  return result;
}

fs::path FileStore::FileFor(int16_t root) const {
  return (root == kMachineRoot ? machineFolder_ : userFolder_) / kFileName;
}

const SettingsDocument* FileStore::Load(int16_t root) {
  Cached& cached = cache_[root];
  struct stat info{};
  if (cached.valid && ::stat(FileFor(root).c_str(), &info) == 0 &&
      static_cast<uint64_t>(info.st_dev) == cached.device && static_cast<uint64_t>(info.st_ino) == cached.inode &&
      static_cast<uint64_t>(info.st_size) == cached.size &&
      static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec == cached.mtimeNs)
    return &cached.doc;

  cached.valid = false;
  FileRead file = ReadFile(FileFor(root));
  if (file.outcome != FileRead::Outcome::Read) return nullptr;  // every read gives its default
  cached.doc = SettingsDocument::Parse(file.text);
  cached.device = file.device;
  cached.inode = file.inode;
  cached.size = file.size;
  cached.mtimeNs = file.mtimeNs;
  cached.valid = true;
  return &cached.doc;
}

std::optional<std::string> FileStore::Read(int16_t root, std::string_view keyPath, std::string_view name) {
  if (!IsAddressable(root)) return std::nullopt;
  const SettingsDocument* doc = Load(root);
  return doc ? doc->Get(keyPath, name) : std::nullopt;
}

SettingsDocument FileStore::Snapshot(int16_t root) {
  if (!IsAddressable(root)) return {};
  const SettingsDocument* doc = Load(root);
  return doc ? *doc : SettingsDocument{};
}

bool FileStore::Write(int16_t root, std::string_view keyPath, std::string_view name, std::string_view value) {
  return WriteBatch(root, {{std::string(keyPath), std::string(name), std::string(value)}}).ok;
}

StoreWriteResult FileStore::WriteBatch(int16_t root, const std::vector<StoreValue>& values) {
  const fs::path file = FileFor(root);
  auto refused = [&](const std::string& reason) {
    return StoreWriteResult{false, "cannot write " + file.string() + ": " + reason};
  };
  if (!IsAddressable(root)) return refused("no such settings root");
  // A key path is a header line: it cannot hold a line break.
  for (const StoreValue& v : values)
    if (v.keyPath.find_first_of("\r\n") != std::string::npos) return refused("a section name holds a line break");
  std::error_code error;
  fs::create_directories(file.parent_path(), error);
  if (error) return refused(error.message());

  FolderLock lock(file.parent_path());
  if (!lock.Held()) return refused(std::strerror(errno));

  // Whatever could not be read is never replaced: a file we cannot read stays as it is,
  // and one with lines we cannot read is kept whole before the lines are dropped.
  const fs::path target = FollowLinks(file);
  const FileRead current = ReadFile(target);
  if (current.outcome == FileRead::Outcome::Failed)
    return refused(current.error.empty() ? "it cannot be read" : current.error);
  SettingsDocument doc;
  if (current.outcome == FileRead::Outcome::Read) {
    doc = SettingsDocument::Parse(current.text);
    if (doc.SkippedLines() > 0)
      if (const int kept = KeepBackup(target, current.text)) return refused(std::strerror(kept));
  }
  for (const StoreValue& v : values) doc.Set(v.keyPath, v.name, v.value);
  cache_[root].valid = false;
  if (const int replaced = ReplaceFile(target, doc.Serialise())) return refused(std::strerror(replaced));
  return {true, ""};
}

// The store is a file here, so the message names the file and its permissions.
const char* const kReadOnlyStoreMessage =
    "The settings file is read-only.\r\n\r\n"
    "The Property settings cannot be saved.\r\n"
    "You must change your file permissions so that programs \r\n"
    "can write to the settings file.  See your System Administrator for assistance.";

std::unique_ptr<SettingsStore> PlatformStore() { return FileStore::FromEnvironment(); }

}  // namespace pyxora
