#include "host/command_line.h"

#include <fstream>
#include <sstream>

#include "support/test_support.h"

namespace pyxora {
namespace {

class CommandLine : public testing::CoreTest {
 protected:
  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return RunCommandLineTool(args, out_, err_).value_or(-1);
  }
  std::ostringstream out_, err_;
};

TEST_F(CommandLine, SetThenGetMatchesSectionAndKeyWithoutRegardToCase) {
  EXPECT_EQ(Run({"--settings", "set", "Galaxy", "Galaxy_CometCPersist", "0.9"}), 0);
  EXPECT_EQ(Run({"--settings", "get", "galaxy", "galaxy_cometcpersist"}), 0);
  EXPECT_EQ(out_.str(), "0.9\n");
  EXPECT_EQ(Run({"--settings", "set", "Advanced", "LockMessage", "Back", "at", "three"}), 0);
  EXPECT_EQ(GetSettingStr("Advanced", "LockMessage", ""), "Back at three");
}

TEST_F(CommandLine, GetOfAnAbsentKeyPrintsNothingAndExitsOne) {
  EXPECT_EQ(Run({"--settings", "get", "General", "AnimationType"}), 1);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(err_.str(), "");
}

TEST_F(CommandLine, ListShowsSectionsOrOneSection) {
  Run({"--settings", "set", "General", "AnimationType", "4"});
  Run({"--settings", "set", "Advanced", "Adv_TimeDelay", "30"});
  EXPECT_EQ(Run({"--settings", "list"}), 0);
  EXPECT_EQ(out_.str(), "[General]\nAnimationType=4\n\n[Advanced]\nAdv_TimeDelay=30\n");
  EXPECT_EQ(Run({"--settings", "list", "advanced"}), 0);
  EXPECT_EQ(out_.str(), "Adv_TimeDelay=30\n");
}

TEST_F(CommandLine, UsageErrorsNameTheProblemOnOneLineAndExitTwo) {
  const std::vector<std::vector<std::string>> bad = {
      {"--settings"}, {"--settings", "get", "General"}, {"--settings", "set", "General", "K"},
      {"--settings", "drop", "x"}, {"--frobnicate"}, {"--settings", "list", "a", "b"},
      {"--settings", "export"}, {"--settings", "import", "a.pxt", "b.pxt"},
      {"-v"}, {"-x", "/s"}, {"-Grav_Pixelz", "5"}, {"-H"},
  };
  for (const auto& args : bad) {
    EXPECT_EQ(Run(args), 2) << JoinArguments(args);
    const std::string err = err_.str();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(out_.str(), "");
  }
}

TEST_F(CommandLine, HelpVersionAndTheSaverModesAreOtherwiseLeftAlone) {
  for (const char* help : {"--help", "-help", "-h"}) {
    EXPECT_EQ(Run({help}), 0) << help;
    EXPECT_EQ(out_.str(), kUsageText) << help;
  }
  for (const char* version : {"--version", "-version"}) {
    EXPECT_EQ(Run({version}), 0) << version;
    EXPECT_EQ(out_.str(), std::string("pyxora ") + PYXORA_VERSION + "\n");
  }
  // Not options: the saver's modes, its "anything else" and a dash with no letter.
  for (const char* other : {"/s", "/x", "hello", "-", "-5"})
    EXPECT_FALSE(RunCommandLineTool({other}, out_, err_).has_value()) << other;
  EXPECT_FALSE(RunCommandLineTool({}, out_, err_).has_value());
  EXPECT_FALSE(RunCommandLineTool({"-fps"}, out_, err_).has_value());
  EXPECT_FALSE(RunCommandLineTool({"--fps"}, out_, err_).has_value());
  EXPECT_FALSE(RunCommandLineTool({"--render", "gravity"}, out_, err_).has_value());
  // The hack's options in their two-dash form are the hack's, not unknown options.
  EXPECT_FALSE(RunCommandLineTool({"--root"}, out_, err_).has_value());
  EXPECT_FALSE(RunCommandLineTool({"--window-id", "7"}, out_, err_).has_value());
}

TEST_F(CommandLine, AWriteThatFailsIsReportedAndExitsOne) {
  Store().SetReadOnly(true);
  EXPECT_EQ(Run({"--settings", "set", "General", "AnimationType", "4"}), 1);
  EXPECT_NE(err_.str().find("cannot write"), std::string::npos);
}

TEST_F(CommandLine, ExportThenImportIntoAnEmptyFolderReproducesEveryKeyATemplateCarries) {
  testing::TempFolder folders;
  const auto file = (folders.Path() / "looks.pxt").string();
  SetCurrentStore(std::make_unique<FileStore>(folders.Path() / "a", folders.Path() / "machine"));
  Run({"--settings", "set", "Galaxy", "Galaxy_Stars", "1234"});
  Run({"--settings", "set", "Advanced", "LockMessage", "Back at three"});
  Run({"--settings", "set", "General", "AnimationType", "3"});
  Run({"--settings", "set", "GravityWell", "Grav_StereoSep", "999"});
  ASSERT_EQ(Run({"--settings", "export", file}), 0) << err_.str();
  EXPECT_EQ(err_.str(), "");

  SetCurrentStore(std::make_unique<FileStore>(folders.Path() / "b", folders.Path() / "machine"));
  ASSERT_EQ(Run({"--settings", "import", file}), 0) << err_.str();
  EXPECT_EQ(GetSettingStr("Galaxy", "Galaxy_Stars", ""), "1234");
  EXPECT_EQ(GetSettingStr("Advanced", "LockMessage", ""), "Back at three");
  EXPECT_EQ(GetSettingStr("General", "AnimationType", ""), "3");
  EXPECT_EQ(GetSettingStr("Fireworks", "FirePersist", ""), "0.97");
  EXPECT_EQ(GetSettingStr("GravityWell", "Grav_StereoSep", "absent"), "absent");  // never restored

  // Exporting the imported settings gives the same file, byte for byte.
  const auto again = (folders.Path() / "again.pxt").string();
  ASSERT_EQ(Run({"--settings", "export", again}), 0);
  auto bytes = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  std::string first = bytes(file);
  first.replace(first.find("Grav_StereoSep=999"), 18, "Grav_StereoSep=250");
  EXPECT_EQ(bytes(again), first);
}

TEST_F(CommandLine, AnUnreadableFileOrUnwritablePathExitsOneOnOneLineAndChangesNothing) {
  testing::TempFolder folder;
  Put("Galaxy", "Galaxy_Stars", "1234");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--settings", "import", (folder.Path() / "missing.pxt").string()},
           {"--settings", "import", folder.Path().string()},
           {"--settings", "export", (folder.Path() / "no" / "x.pxt").string()},
       }) {
    EXPECT_EQ(Run(args), 1) << args[2];
    const std::string err = err_.str();
    EXPECT_EQ(err.rfind("pyxora: cannot ", 0), 0u) << err;
    EXPECT_NE(err.find(args[2]), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    ASSERT_EQ(Store().Snapshot(kUserRoot).Sections().size(), 1u);
    EXPECT_EQ(GetSettingStr("Galaxy", "Galaxy_Stars", ""), "1234");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 0);
}

}  // namespace
}  // namespace pyxora
