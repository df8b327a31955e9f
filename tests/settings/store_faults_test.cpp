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

// The store's read seam kills the process at its Nth file read, as a power cut or a kill
// might: an import ends with the old settings or every new one, never a mix of them.
TEST_F(StoreFaults, AnImportKilledAtAnyPointLeavesTheOldSettingsOrTheNewOnes) {
  class KilledAtRead : public FileStore {
   public:
    KilledAtRead(const fs::path& folder, int killAt) : FileStore(folder, folder / "machine"), killAt_(killAt) {}
    int reads = 0;

   protected:
    FileRead ReadFile(const fs::path& path) override {
      if (++reads == killAt_) ::raise(SIGKILL);
      return FileStore::ReadFile(path);
    }

   private:
    int killAt_;
  };
  const fs::path folder = folder_.Path() / "pyxora", look = folder_.Path() / "look.pxt";
  SetCurrentStore(std::make_unique<FileStore>(folder, folder / "machine"));
  ASSERT_TRUE(SaveSettingStr("General", "AnimationType", 4));
  ASSERT_TRUE(SaveSettingStr("Galaxy", "Galaxy_Stars", 12345));
  std::ofstream(look, std::ios::binary) << "\r\n[Admin]\r\nProduct=Pyxora\r\n[General]\r\nAnimationType=2\r\n";
  const std::string before = FileBytes(folder / FileStore::kFileName);
  for (const int killAt : {1, 2, 3}) {
    SCOPED_TRACE(killAt);
    std::ofstream(folder / FileStore::kFileName, std::ios::binary) << before;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      auto store = std::make_unique<KilledAtRead>(folder, killAt);
      KilledAtRead& counted = *store;
      SetCurrentStore(std::move(store));
      ::_exit(ImportTemplate(look.string()).ok ? counted.reads : 100);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    SetCurrentStore(std::make_unique<FileStore>(folder, folder / "machine"));
    if (killAt == 1) {
      EXPECT_TRUE(WIFSIGNALED(status));
      EXPECT_EQ(FileBytes(folder / FileStore::kFileName), before);
    } else {
      EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);  // the import read the store once
      EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), 2);
      EXPECT_EQ(GetSettingInt("Galaxy", "Galaxy_Stars", -1), 5000);
    }
  }
}

}  // namespace
}  // namespace pyxora
