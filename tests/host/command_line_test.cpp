#include "host/command_line.h"

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
  };
  for (const auto& args : bad) {
    EXPECT_EQ(Run(args), 2) << JoinArguments(args);
    const std::string err = err_.str();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(out_.str(), "");
  }
}

TEST_F(CommandLine, HelpVersionAndTheSaverModesAreOtherwiseLeftAlone) {
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_NE(out_.str().find("--settings get SECTION KEY"), std::string::npos);
  EXPECT_EQ(Run({"--version"}), 0);
  EXPECT_EQ(out_.str(), std::string("pyxora ") + PYXORA_VERSION + "\n");
  EXPECT_FALSE(RunCommandLineTool({"/s"}, out_, err_).has_value());
  EXPECT_FALSE(RunCommandLineTool({}, out_, err_).has_value());
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

}  // namespace
}  // namespace pyxora
