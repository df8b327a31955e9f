#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "settings/settings.h"
#include "settings/user_message.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

using testing::FileBytes;

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class FileStoreTest : public testing::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    auto store = std::make_unique<FileStore>(folder_.Path() / "user", folder_.Path() / "machine");
    files_ = store.get();
    SetCurrentStore(std::move(store));
  }
  fs::path UserFile() const { return files_->FileFor(kUserRoot); }

  testing::TempFolder folder_;
  FileStore* files_ = nullptr;
};

TEST_F(FileStoreTest, ValuesRoundTripAnyTextThroughAReadableFile) {
  const std::string awkward = "line one\nline two\r\\path\\ = [x] ;#";
  EXPECT_TRUE(SaveSettingStr("Galaxy", "Galaxy_CometCPersist", 0.9f));
  EXPECT_TRUE(SaveSettingStr("Advanced", "LockMessage", awkward));
  EXPECT_TRUE(SaveSettingStr("Advanced", "odd=name[;#", "v"));

  const std::string text = FileBytes(UserFile());
  EXPECT_NE(text.find("[SOFTWARE\\Pyxora\\PXRA_SS\\Galaxy]\nGalaxy_CometCPersist=0.9\n"), std::string::npos) << text;

  // A fresh store reads what the first one wrote.
  SetCurrentStore(std::make_unique<FileStore>(folder_.Path() / "user", folder_.Path() / "machine"));
  EXPECT_EQ(GetSettingStr("galaxy", "galaxy_cometcpersist", ""), "0.9");
  EXPECT_EQ(GetSettingStr("Advanced", "LockMessage", ""), awkward);
  EXPECT_EQ(GetSettingStr("Advanced", "odd=name[;#", ""), "v");
}

TEST_F(FileStoreTest, HandEditedFilesWithCommentsAndSpacesAreRead) {
  fs::create_directories(UserFile().parent_path());
  WriteFile(UserFile(), "; my settings\r\n[SOFTWARE\\Pyxora\\PXRA_SS\\General]\r\n AnimationType = 4\r\n\r\n");
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), 4);
}

TEST_F(FileStoreTest, AnUnparseableFileGivesDefaultsAndIsKeptBeforeItIsReplaced) {
  fs::create_directories(UserFile().parent_path());
  const std::string garbage = "this is not\na settings file\n";
  WriteFile(UserFile(), garbage);
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), -1);
  EXPECT_EQ(FileBytes(UserFile()), garbage);  // reading never touches it

  EXPECT_TRUE(SaveSettingStr("General", "AnimationType", 2));
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), 2);
  int backups = 0;
  for (const auto& entry : fs::directory_iterator(UserFile().parent_path())) {
    if (entry.path().filename().string().rfind("settings.ini.unreadable-", 0) == 0) {
      ++backups;
      EXPECT_EQ(FileBytes(entry.path()), garbage);
    }
  }
  EXPECT_EQ(backups, 1);
}

// Runs store_writer as a second process, as the user nobody when the tests run as root,
// so file permissions apply; its exit status says whether every write succeeded.
int WriteAsOtherUser(const fs::path& configHome, const char* section, const char* prefix, int count) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(126);
    ::setenv("PYXORA_CONFIG_HOME", configHome.c_str(), 1);
    ::execl(STORE_WRITER_PATH, STORE_WRITER_PATH, section, prefix, std::to_string(count).c_str(),
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST_F(FileStoreTest, AFileThatCannotBeReadIsNeverReplaced) {
  EXPECT_TRUE(SaveSettingStr("Galaxy", "Galaxy_Stars", 9000));
  EXPECT_TRUE(SaveSettingStr("General", "AnimationType", 5));
  const fs::path file = UserFile();  // the store that knows it is replaced below
  const std::string before = FileBytes(file);

  // For real: the file is unreadable to its writer, while the folder lets it create files.
  fs::permissions(folder_.Path(), fs::perms::owner_all | fs::perms::others_exec);
  fs::permissions(file.parent_path(), fs::perms::all);
  fs::permissions(file.parent_path() / ".settings.lock", fs::perms::all);
  fs::permissions(file, fs::perms::none);
  EXPECT_EQ(WriteAsOtherUser(file.parent_path(), "General", "Key", 1), 1);
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(FileBytes(file), before);

  // Through the store's read seam: an I/O error on the write's re-read.
  class FailingReads : public FileStore {
   public:
    using FileStore::FileStore;
    FileRead ReadFile(const fs::path&) override { return {}; }
  };
  SetCurrentStore(std::make_unique<FailingReads>(folder_.Path() / "user", folder_.Path() / "machine"));
  std::string shown;
  SetUserMessageHandler([&](UserMessageKind, std::string_view, std::string_view text) { shown = text; });
  EXPECT_FALSE(SaveSettingStr("General", "AnimationType", 1));
  EXPECT_FALSE(TestRegistryWrite());
  SetUserMessageHandler(nullptr);
  EXPECT_NE(shown.find("read-only"), std::string::npos);
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), -1);
  EXPECT_EQ(FileBytes(file), before);
}

TEST_F(FileStoreTest, ASymlinkedSettingsFileStaysALinkAndTheFileItNamesIsReplaced) {
  fs::create_directories(UserFile().parent_path());
  fs::create_directories(folder_.Path() / "repo");
  for (const auto& [link, target] : std::vector<std::pair<fs::path, fs::path>>{
           {"../repo/settings.ini", folder_.Path() / "repo" / "settings.ini"},  // relative, to a file
           {folder_.Path() / "repo" / "new.ini", folder_.Path() / "repo" / "new.ini"}}) {  // to nothing yet
    SCOPED_TRACE(link.string());
    fs::remove(UserFile());
    fs::create_symlink(link, UserFile());
    if (link.is_relative()) WriteFile(target, "[SOFTWARE\\Pyxora\\PXRA_SS\\General]\nAnimationType=4\n");
    EXPECT_TRUE(SaveSettingStr("Galaxy", "Galaxy_Stars", 7));
    EXPECT_EQ(fs::read_symlink(UserFile()), link);
    EXPECT_EQ(GetSettingInt("Galaxy", "Galaxy_Stars", -1), 7);
    EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), link.is_relative() ? 4 : -1);
    EXPECT_NE(FileBytes(target).find("Galaxy_Stars=7\n"), std::string::npos);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path() / "repo"), {}), 2);
  // A link to itself is never followed for ever, and the write says why it failed.
  fs::remove(UserFile());
  fs::create_symlink(FileStore::kFileName, UserFile());
  EXPECT_EQ(files_->WriteBatch(kUserRoot, {{"a", "b", "c"}}).error,
            "cannot write " + UserFile().string() + ": Too many levels of symbolic links");
}

TEST_F(FileStoreTest, WithStandardInputClosedWritesStillWork) {
  // The lock file can then get descriptor 0, which is as good as any other.
  const int input = ::dup(0);
  ::close(0);
  const bool written = SaveSettingStr("General", "AnimationType", 3);
  ::dup2(input, 0);
  ::close(input);
  EXPECT_TRUE(written);
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), 3);
}

TEST_F(FileStoreTest, EveryControlByteReadsBackAndKeepsItsLine) {
  std::string bytes;
  for (int c = 0; c < 32; ++c) bytes += static_cast<char>(c);
  bytes += '\x7f';
  const std::string value = "a" + bytes + "z";  // blanks at the ends would be trimmed
  EXPECT_TRUE(SaveSettingStr("Advanced", "LockMessage", value));
  EXPECT_TRUE(SaveSettingStr("Advanced", "Adv_FontName", "Arial"));

  const std::string text = FileBytes(UserFile());
  EXPECT_EQ(text.find('\0'), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3) << text;  // header and two values
  SetCurrentStore(std::make_unique<FileStore>(folder_.Path() / "user", folder_.Path() / "machine"));
  EXPECT_EQ(GetSettingStr("Advanced", "LockMessage", ""), value);
  EXPECT_EQ(GetSettingStr("Advanced", "Adv_FontName", ""), "Arial");
}

TEST_F(FileStoreTest, UnreadableLinesAreSkippedAndTheOriginalIsKeptBeforeTheyAreDropped) {
  std::string text = "[SOFTWARE\\Pyxora\\PXRA_SS\\Galaxy]\n";
  for (int i = 0; i < 50; ++i) {
    text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    if (i == 10) text += "a line without a separator\n";
    if (i == 20) text += "Lone=back\\\n";
    if (i == 30) text += "[Broken header\nUnder=broken\n[SOFTWARE\\Pyxora\\PXRA_SS\\Galaxy]\n";
  }
  fs::create_directories(UserFile().parent_path());
  WriteFile(UserFile(), text);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(GetSettingInt("Galaxy", "Key" + std::to_string(i), -1), i);
  EXPECT_EQ(GetSettingStr("Galaxy", "Lone", "none"), "none");
  EXPECT_EQ(SettingsDocument::Parse(text).SkippedLines(), 4u);

  EXPECT_TRUE(SaveSettingStr("Galaxy", "Key50", 50));
  std::vector<fs::path> backups;
  for (const auto& entry : fs::directory_iterator(UserFile().parent_path()))
    if (entry.path().filename().string().rfind("settings.ini.unreadable-", 0) == 0) backups.push_back(entry.path());
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(FileBytes(backups[0]), text);
  for (int i = 0; i <= 50; ++i) EXPECT_EQ(GetSettingInt("Galaxy", "Key" + std::to_string(i), -1), i);
  // The rewritten file reads cleanly, so the next write keeps no second backup.
  EXPECT_EQ(SettingsDocument::Parse(FileBytes(UserFile())).SkippedLines(), 0u);
  EXPECT_TRUE(SaveSettingStr("Galaxy", "Key51", 51));
  size_t after = 0;
  for (const auto& entry : fs::directory_iterator(UserFile().parent_path()))
    after += entry.path().filename().string().rfind("settings.ini.unreadable-", 0) == 0;
  EXPECT_EQ(after, 1u);
}

TEST_F(FileStoreTest, HandWrittenHexEscapesReadInEitherCaseAndBrokenOnesSkipTheirLine) {
  const std::string text =
      "[SOFTWARE\\Pyxora\\PXRA_SS\\Advanced]\nLower=a\\x1fb\nUpper=a\\x1Fb\nShort=a\\x4\nBad=\\xg1\nOk=1\n";
  const SettingsDocument doc = SettingsDocument::Parse(text);
  EXPECT_EQ(doc.Get(SettingsKeyPath("Advanced"), "Lower"), "a\x1f" "b");
  EXPECT_EQ(doc.Get(SettingsKeyPath("Advanced"), "Upper"), "a\x1f" "b");
  EXPECT_EQ(doc.Get(SettingsKeyPath("Advanced"), "Short"), std::nullopt);
  EXPECT_EQ(doc.Get(SettingsKeyPath("Advanced"), "Bad"), std::nullopt);
  EXPECT_EQ(doc.Get(SettingsKeyPath("Advanced"), "Ok"), "1");
  EXPECT_EQ(doc.SkippedLines(), 2u);
}

TEST_F(FileStoreTest, ASettingsFileThatIsAFolderIsLeftAloneAndReadsDefaults) {
  fs::create_directories(UserFile() / "inside");
  EXPECT_FALSE(SaveSettingStr("General", "AnimationType", 1));
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), -1);
  EXPECT_TRUE(fs::is_directory(UserFile() / "inside"));
}

TEST_F(FileStoreTest, AnUnwritableFolderRefusesWritesAndReadsDefaults) {
  WriteFile(folder_.Path() / "blocker", "a file where a folder should be");
  SetCurrentStore(std::make_unique<FileStore>(folder_.Path() / "blocker" / "pyxora", folder_.Path() / "m"));
  std::string shown;
  SetUserMessageHandler([&](UserMessageKind, std::string_view, std::string_view text) { shown = text; });
  EXPECT_FALSE(SaveSettingStr("General", "AnimationType", 1));
  EXPECT_FALSE(TestRegistryWrite());
  EXPECT_NE(shown.find("read-only"), std::string::npos);
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), -1);
  SetUserMessageHandler(nullptr);
}

TEST_F(FileStoreTest, ChangesByAnotherProcessAreSeenByTheNextRead) {
  EXPECT_TRUE(SaveSettingStr("General", "AnimationType", 1));
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), 1);
  FileStore other(folder_.Path() / "user", folder_.Path() / "machine");
  EXPECT_TRUE(other.Write(kUserRoot, SettingsKeyPath("General"), "AnimationType", "3"));
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), 3);
}

TEST_F(FileStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kEach = 150;
  pid_t writers[2];
  const char* prefixes[2] = {"a", "b"};
  for (int w = 0; w < 2; ++w) {
    writers[w] = ::fork();
    ASSERT_GE(writers[w], 0);
    if (writers[w] == 0) {
      ::setenv("PYXORA_CONFIG_HOME", (folder_.Path() / "user").c_str(), 1);
      ::execl(STORE_WRITER_PATH, STORE_WRITER_PATH, "Race", prefixes[w], std::to_string(kEach).c_str(),
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
  }
  // A reader meanwhile never sees a torn file.
  int readable = 0;
  for (int i = 0; i < 200; ++i) {
    std::error_code error;
    if (!fs::exists(UserFile(), error)) continue;
    EXPECT_EQ(SettingsDocument::Parse(FileBytes(UserFile())).SkippedLines(), 0u);
    ++readable;
  }
  for (pid_t pid : writers) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  for (const char* prefix : prefixes)
    for (int i = 0; i < kEach; ++i)
      EXPECT_EQ(GetSettingInt("Race", prefix + std::to_string(i), -1), i) << prefix << i;
}

}  // namespace
}  // namespace pyxora
