// The settings store on a folder that refuses: read-only, full, or a settings file that
// is no file. Reads keep giving what is stored (or the defaults), writes report failure,
// and nothing already stored is lost.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <fstream>
#include <set>
#include <sstream>

#include "host/templates.h"
#include "settings/settings.h"
#include "settings/user_message.h"
#include "support/private_mount.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

using testing::FileBytes;

namespace fs = std::filesystem;

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

#define CHECK_OR_SAY(condition, what) \
  if (!(condition)) return std::string(what)

class StoreFaults : public testing::CoreTest {
 protected:
  testing::TempFolder folder_;
};

TEST_F(StoreFaults, AReadOnlySettingsFolderRefusesWritesImportsAndKeepsWhatItHolds) {
  EXPECT_MOUNT_RUN(testing::RunOnTmpfs(folder_.Path(), "size=64k", [](const fs::path& mount) -> std::string {
    auto owned = std::make_unique<FileStore>(mount / "pyxora", mount / "machine");
    FileStore& store = *owned;
    SetCurrentStore(std::move(owned));
    CHECK_OR_SAY(SaveSettingStr("Galaxy", "Galaxy_Stars", "1234"), "the first write failed");
    std::ofstream(mount / "look.pxt", std::ios::binary)
        << "\r\n[Admin]\r\nProduct=Pyxora\r\n[Galaxy]\r\nGalaxy_Stars=77\r\n";
    const std::string before = FileBytes(store.FileFor(kUserRoot));
    if (!testing::RemountReadOnly(mount)) return "skip: the tmpfs cannot be made read-only";

    std::string shown;
    SetUserMessageHandler([&](UserMessageKind, std::string_view, std::string_view text) { shown = text; });
    CHECK_OR_SAY(!SaveSettingStr("Galaxy", "Galaxy_Stars", "99"), "a write reported success");
    CHECK_OR_SAY(!TestRegistryWrite(), "the write test passed");
    CHECK_OR_SAY(shown == kReadOnlyStoreMessage, "the write test said: " + shown);
    const TemplateReadResult imported = ImportTemplate((mount / "look.pxt").string());
    CHECK_OR_SAY(imported.error == "cannot write " + store.FileFor(kUserRoot).string() + ": Read-only file system",
                 "import: " + imported.error);
    CHECK_OR_SAY(GetSettingStr("Galaxy", "Galaxy_Stars", "") == "1234", "the stored value changed");
    CHECK_OR_SAY(FileBytes(store.FileFor(kUserRoot)) == before, "the settings file changed");
    return "";
  }));
}

TEST_F(StoreFaults, AFullSettingsFolderRefusesWritesAndLeavesNoHalfFileBehind) {
  // A hand-edited file with a line the store cannot read needs its backup written first.
  for (const bool withBadLine : {false, true}) {
    SCOPED_TRACE(withBadLine ? "with a line that needs a backup" : "a clean file");
    EXPECT_MOUNT_RUN(testing::RunOnTmpfs(folder_.Path(), "size=16k", [&](const fs::path& mount) -> std::string {
      auto owned = std::make_unique<FileStore>(mount / "pyxora", mount / "machine");
      FileStore& store = *owned;
      SetCurrentStore(std::move(owned));
      CHECK_OR_SAY(SaveSettingStr("Galaxy", "Galaxy_Stars", "1234"), "the first write failed");
      if (withBadLine) std::ofstream(store.FileFor(kUserRoot), std::ios::app) << "a line without a separator\n";
      const std::string before = FileBytes(store.FileFor(kUserRoot));
      const std::set<std::string> names = Names(mount / "pyxora");
      if (!testing::FillUp(mount)) return "skip: the tmpfs could not be filled";

      const std::string galaxy = SettingsKeyPath("Galaxy");
      const StoreWriteResult written =
          store.WriteBatch(kUserRoot, {{galaxy, "Galaxy_Stars", "1"}, {galaxy, "Name", std::string(100, 'n')}});
      CHECK_OR_SAY(written.error == "cannot write " + store.FileFor(kUserRoot).string() + ": No space left on device",
                   "the write said: " + written.error);
      CHECK_OR_SAY(GetSettingStr("Galaxy", "Galaxy_Stars", "") == "1234", "the stored value changed");
      CHECK_OR_SAY(FileBytes(store.FileFor(kUserRoot)) == before, "the settings file changed");
      CHECK_OR_SAY(Names(mount / "pyxora") == names, "a temporary or backup file was left behind");
      return "";
    }));
  }
}

TEST_F(StoreFaults, ASettingsFileThatIsAFifoOrADeviceReadsDefaultsAtOnceAndStaysAsItIs) {
  const fs::path folder = folder_.Path() / "pyxora";
  const fs::path file = folder / FileStore::kFileName;
  for (const std::string node : {"fifo", "/dev/null", "/dev/zero"}) {
    SCOPED_TRACE(node);
    fs::remove_all(folder);
    fs::create_directories(folder);
    if (node == "fifo") ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
    else fs::create_symlink(node, file);
    SetCurrentStore(std::make_unique<FileStore>(folder, folder_.Path() / "machine"));
    EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), -1);  // a FIFO would block a plain read
    EXPECT_FALSE(SaveSettingStr("General", "AnimationType", 2));
    EXPECT_TRUE(node == "fifo" ? fs::is_fifo(fs::symlink_status(file)) : fs::is_symlink(fs::symlink_status(file)));
    if (node != "fifo") {
      EXPECT_EQ(fs::read_symlink(file), node);
    }
  }
}

// The store's read seam kills the process at its first or second file read: an import
// ends with the old settings or every new one, never a mix of them.
TEST_F(StoreFaults, AnImportKilledAtAnyPointLeavesTheOldSettingsOrTheNewOnes) {
  struct KilledAtRead : FileStore {
    KilledAtRead(const fs::path& folder, int killAt) : FileStore(folder, folder / "machine"), killAt(killAt) {}
    FileRead ReadFile(const fs::path& path) override {
      if (--killAt == 0) ::raise(SIGKILL);
      return FileStore::ReadFile(path);
    }
    int killAt;
  };
  const fs::path folder = folder_.Path() / "pyxora", look = folder_.Path() / "look.pxt";
  std::ofstream(look, std::ios::binary) << "\r\n[Admin]\r\nProduct=Pyxora\r\n[General]\r\nAnimationType=2\r\n";
  for (const int killAt : {1, 2}) {
    SetCurrentStore(std::make_unique<FileStore>(folder, folder / "machine"));
    ASSERT_TRUE(SaveSettingStr("General", "AnimationType", 4));
    ASSERT_TRUE(SaveSettingStr("Galaxy", "Galaxy_Stars", 12345));
    const pid_t child = ::fork();
    if (child == 0) {
      SetCurrentStore(std::make_unique<KilledAtRead>(folder, killAt));
      ::_exit(ImportTemplate(look.string()).ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(WIFSIGNALED(status), killAt == 1);
    const bool imported = killAt == 2;  // the import reads the store once, under its lock
    EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), imported ? 2 : 4) << killAt;
    EXPECT_EQ(GetSettingInt("Galaxy", "Galaxy_Stars", -1), imported ? 5000 : 12345) << killAt;
  }
}

}  // namespace
}  // namespace pyxora
