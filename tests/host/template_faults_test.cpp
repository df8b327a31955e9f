// Templates meeting a file system that says no: reading a FIFO or a device, saving
// over one, through a link, into a full or read-only folder. A read that fails imports
// nothing; a save that fails says why and leaves the old file and the node as they were.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "host/templates.h"
#include "settings/template_file.h"
#include "support/private_mount.h"
#include "host/template_fixture.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

using testing::FileBytes;

namespace fs = std::filesystem;

size_t Entries(const fs::path& folder) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
}

#define CHECK_OR_SAY(condition, what) \
  if (!(condition)) return std::string(what)

using TemplateFaults = testing::TemplateTest;

TEST_F(TemplateFaults, AFifoOrADeviceIsNeitherReadNorReplaced) {
  ASSERT_EQ(::mkfifo(File("pipe.pxt").c_str(), 0644), 0);
  fs::create_symlink("/dev/null", File("null.pxt"));
  fs::create_symlink("/dev/zero", File("zero.pxt"));
  Put("Galaxy", "Galaxy_Stars", "123");
  for (const char* name : {"pipe.pxt", "null.pxt", "zero.pxt"}) {
    SCOPED_TRACE(name);
    const TemplateReadResult imported = ImportTemplate(File(name).string());  // a FIFO would block
    EXPECT_FALSE(imported.ok);
    EXPECT_EQ(imported.error, "not a regular file");
    EXPECT_EQ(Store().Snapshot(kUserRoot).Sections().size(), 1u);

    PropertiesModel props;
    EXPECT_FALSE(SaveTemplate(props, File(name).string()));
    EXPECT_EQ(gTemplate.LastWriteError, "not a regular file");
  }
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(File("pipe.pxt"))));
  EXPECT_EQ(fs::read_symlink(File("null.pxt")), "/dev/null");
  EXPECT_EQ(fs::read_symlink(File("zero.pxt")), "/dev/zero");
  EXPECT_EQ(Entries(folder_.Path()), 3u);  // no temporary file left
}

TEST_F(TemplateFaults, SavingThroughALinkReplacesTheFileItNamesAndKeepsTheLink) {
  fs::create_directory(File("real"));
  std::ofstream(File("real") / "look.pxt", std::ios::binary) << "old";
  fs::create_symlink(File("real") / "look.pxt", File("look.pxt"));
  PropertiesModel props;
  ASSERT_TRUE(SaveTemplate(props, File("look.pxt").string()));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(File("look.pxt"))));
  EXPECT_EQ(FileBytes(File("real") / "look.pxt").rfind("\r\n[Admin]\r\nProduct=Pyxora\r\n", 0), 0u);
  EXPECT_EQ(Entries(File("real")), 1u);
  EXPECT_EQ(Entries(folder_.Path()), 2u);
}

TEST_F(TemplateFaults, ANewTemplateGetsTheUsualPermissionsAndAReplacedOneKeepsItsOwn) {
  const mode_t mask = ::umask(027);
  PropertiesModel props;
  ASSERT_TRUE(SaveTemplate(props, File("new.pxt").string()));
  EXPECT_EQ(fs::status(File("new.pxt")).permissions(), fs::perms(0640));
  fs::permissions(File("new.pxt"), fs::perms(0600));
  ASSERT_TRUE(SaveTemplate(props, File("new.pxt").string()));
  EXPECT_EQ(fs::status(File("new.pxt")).permissions(), fs::perms(0600));
  ::umask(mask);
}

TEST_F(TemplateFaults, ASaveIntoAFullOrReadOnlyFolderSaysWhyAndKeepsTheOldTemplate) {
  struct Case {
    const char* options;
    bool readOnly;
    const char* error;
  };
  for (const Case& c : {Case{"size=16k", false, "No space left on device"},
                        Case{"size=64k", true, "Read-only file system"}}) {
    SCOPED_TRACE(c.error);
    EXPECT_MOUNT_RUN(testing::RunOnTmpfs(folder_.Path(), c.options, [&](const fs::path& mount) -> std::string {
      const fs::path file = mount / "look.pxt";
      std::ofstream(file, std::ios::binary) << "\r\n[Admin]\r\nProduct=Pyxora\r\nold=1\r\n";
      if (c.readOnly && !testing::RemountReadOnly(mount)) return "skip: the tmpfs cannot be made read-only";
      if (!c.readOnly && !testing::FillUp(mount)) return "skip: the tmpfs could not be filled";
      const size_t entries = Entries(mount);
      PropertiesModel props;
      CHECK_OR_SAY(!SaveTemplate(props, file.string()), "the save reported success");
      CHECK_OR_SAY(gTemplate.LastWriteError == c.error, "the error was: " + gTemplate.LastWriteError);
      CHECK_OR_SAY(FileBytes(file) == "\r\n[Admin]\r\nProduct=Pyxora\r\nold=1\r\n", "the old template changed");
      CHECK_OR_SAY(Entries(mount) == entries, "a temporary file was left behind");
      return "";
    }));
  }
}

TEST_F(TemplateFaults, ASaveWhoseFinalRenameFailsSaysWhyAndLeavesNoFileBehind) {
  // Between the first line and the rename a folder takes the template's place.
  const fs::path file = File("look.pxt");
  std::ofstream(file, std::ios::binary) << "old";
  gTemplate.LineWritten = [&](int lines) {
    if (lines != 1) return;
    fs::remove(file);
    fs::create_directories(file / "inside");
  };
  PropertiesModel props;
  EXPECT_FALSE(SaveTemplate(props, file.string()));
  EXPECT_EQ(gTemplate.LastWriteError, "it is a folder");
  EXPECT_TRUE(fs::is_directory(file / "inside"));
  EXPECT_EQ(Entries(folder_.Path()), 1u);
}

TEST_F(TemplateFaults, WithStandardInputClosedASaveAsLeavesTheCurrentTemplateAlone) {
  // The new file can then get descriptor 0, which must not read as "no file open".
  std::ofstream(File("current.pxt"), std::ios::binary) << "mine";
  gTemplate.TemplatePath = File("current.pxt").string();
  const int input = ::dup(0);
  ::close(0);
  PropertiesModel props;
  const bool saved = SaveTemplate(props, File("other.pxt").string());
  const bool leftOpen = ::fcntl(0, F_GETFD) != -1;
  ::dup2(input, 0);
  ::close(input);
  EXPECT_TRUE(saved);
  EXPECT_FALSE(leftOpen);
  EXPECT_EQ(FileBytes(File("current.pxt")), "mine");
  EXPECT_NE(FileBytes(File("other.pxt")).find("\r\nGalaxy_Profile=0\r\n"), std::string::npos);
}

}  // namespace
}  // namespace pyxora
