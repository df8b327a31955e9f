// Where settings live: text values addressed by (root selector, key path, value name),
// as in the registry the program was designed around. Root 0 is machine-wide,
// root 1 per-user; any other root reads as empty and refuses writes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_document.h"

namespace pyxora {

inline constexpr int16_t kMachineRoot = 0;
inline constexpr int16_t kUserRoot = 1;

// One value of a batch: where it goes and its text, stored as given.
struct StoreValue {
  std::string keyPath, name, value;
};

struct StoreWriteResult {
  bool ok = false;
  std::string error;  // why nothing was written, for the user: "cannot write FILE: REASON"
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::string> Read(int16_t root, std::string_view keyPath, std::string_view name) = 0;
  virtual bool Write(int16_t root, std::string_view keyPath, std::string_view name, std::string_view value) = 0;
  // Every value at once, in order (a later one of the same address wins): afterwards
  // the store holds all of them, or, when the result is not ok, none, even if the
  // process is killed half-way. Whole sets of settings (an import, Accept, the
  // migration, the factory reset) go through here.
  virtual StoreWriteResult WriteBatch(int16_t root, const std::vector<StoreValue>& values) = 0;
  // Everything stored under one root, for listing; empty when nothing can be read.
  virtual SettingsDocument Snapshot(int16_t root) = 0;
  // Where a root's values are kept, for messages; empty when there is nothing to name.
  virtual std::string Location(int16_t /*root*/) const { return {}; }
};

// For tests: nothing touches the disk.
class MemoryStore : public SettingsStore {
 public:
  std::optional<std::string> Read(int16_t root, std::string_view keyPath, std::string_view name) override;
  bool Write(int16_t root, std::string_view keyPath, std::string_view name, std::string_view value) override;
  StoreWriteResult WriteBatch(int16_t root, const std::vector<StoreValue>& values) override;
  SettingsDocument Snapshot(int16_t root) override;
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

 private:
  std::map<int16_t, SettingsDocument> roots_;
  bool readOnly_ = false;
};

// One text file per root. Writes lock, re-read, change their values and replace the
// file by rename, so concurrent writers lose nothing and readers never see a torn file.
// A settings file that is a symbolic link stays one: the file it names is replaced.
class FileStore : public SettingsStore {
 public:
  FileStore(std::filesystem::path userFolder, std::filesystem::path machineFolder);
  // Folders from PYXORA_CONFIG_HOME / XDG_CONFIG_HOME / HOME and PYXORA_SYSTEM_CONFIG.
  static std::unique_ptr<FileStore> FromEnvironment();

  std::optional<std::string> Read(int16_t root, std::string_view keyPath, std::string_view name) override;
  bool Write(int16_t root, std::string_view keyPath, std::string_view name, std::string_view value) override;
  StoreWriteResult WriteBatch(int16_t root, const std::vector<StoreValue>& values) override;
  SettingsDocument Snapshot(int16_t root) override;
  std::string Location(int16_t root) const override { return FileFor(root).string(); }

  std::filesystem::path FileFor(int16_t root) const;
  static constexpr const char* kFileName = "settings.ini";

  // One read of a settings file. Only a file that does not exist is an empty store; any
  // other failure (permission, I/O, not a regular file) must leave the file alone.
  struct FileRead {
    enum class Outcome { Missing, Read, Failed } outcome = Outcome::Failed;
    std::string text;
    std::string error;  // why it failed, when the system said
    uint64_t device = 0, inode = 0, size = 0;
    int64_t mtimeNs = 0;
  };

 protected:
  // The one place the store reads a file: tests put faults in here.
  virtual FileRead ReadFile(const std::filesystem::path& path);

 private:
  struct Cached {
    bool valid = false;
    uint64_t device = 0, inode = 0, size = 0;
    int64_t mtimeNs = 0;
    SettingsDocument doc;
  };
  const SettingsDocument* Load(int16_t root);

  std::filesystem::path userFolder_, machineFolder_;
  std::map<int16_t, Cached> cache_;
};

// The process-wide store every getter uses. Defaults to the platform's own store.
SettingsStore& CurrentStore();
void SetCurrentStore(std::unique_ptr<SettingsStore> store);
// The platform's own store: the settings file (FileStore::FromEnvironment()) on Linux,
// the registry on Windows.
std::unique_ptr<SettingsStore> PlatformStore();

}  // namespace pyxora
