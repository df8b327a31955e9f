#include "host/startup.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "settings/placement.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

StartupDecision Dispatch(const std::string& line, std::set<std::string> files = {},
                         const std::string& program = "/opt/pyxora/bin/pyxora") {
  return DispatchCommandLine(line, program, [files](const std::string& path) { return files.count(path) > 0; });
}

// A mode is the slash and its letter alone or followed by a blank, a colon or a digit;
// anything else ending in ".pxt" is a template path, imported whole.
TEST(Dispatch, EveryCommandLineHasADefinedAction) {
  struct Row {
    const char* line;
    StartAction action;
    int32_t windowId = 0;
  };
  using enum StartAction;
  const Row rows[] = {
      {"", Properties},
      {"   ", Properties},
      {"/c", Properties},
      {"/C 1234", Properties},
      {"/c:1234", Properties},
      {"/C7", Properties},
      {"/s", Saver},
      {"/S", Saver},
      {"/s\t5", Saver},
      {" /s", Saver},  // not recognised, falls through to the saver
      {"/p 66130", Preview, 66130},
      {"/P1234", Preview, 1234},
      {"/p 1234", Preview, 1234},
      {"/p:1234", Preview, 0},
      {"/p", Preview, 0},
      {"/p 12.5", Preview, 12},
      {"/p 99999999999", Preview, 0},
      {"/p -7", Preview, -7},
      {"/a 66130", ChangePassword, 66130},
      {"/A", ChangePassword, 0},
      {"/a:5", ChangePassword, 0},
      {"/x", Saver},
      {"hello", Saver},
      {"\"C:\\my theme.pxt\"", Saver},
      {"/", Saver},
      {"/cfoo", Saver},
      {"/pane 5", Saver},
      {"/srv/looks/night.pxt", ImportThenSaver},
      {"/proc/1/cwd/a.pxt", ImportThenSaver},
      {"/afs/x.Pxt", ImportThenSaver},
      {"/cdrom/b.PXT", ImportThenSaver},
      {"/pub/c.pxt", ImportThenSaver},
      {"/Snap/d.pxt", ImportThenSaver},
      {"/s.pxt", ImportThenSaver},
      {"/home/me/A B.pxt", ImportThenSaver},
      {"x.pxt", ImportThenSaver},
      {"/srv/looks/night.pxtx", Saver},
  };
  for (const Row& row : rows) {
    const StartupDecision d = Dispatch(row.line);
    EXPECT_EQ(d.action, row.action) << '"' << row.line << '"';
    EXPECT_EQ(d.mode, row.action == Preview ? RunMode::Preview : RunMode::Saver) << '"' << row.line << '"';
    EXPECT_EQ(d.windowId, row.windowId) << '"' << row.line << '"';
    EXPECT_EQ(d.templatePath, row.action == ImportThenSaver ? row.line : "") << '"' << row.line << '"';
  }
}

TEST(Dispatch, TheProgramFileDecidesTheWindowedApplication) {
  const std::string exe = "/opt/pyxora/bin/pyxora.exe", scr = "/opt/pyxora/bin/pyxora.scr";
  EXPECT_EQ(Dispatch("/s", {exe}).action, StartAction::Windowed);
  EXPECT_EQ(Dispatch("/s", {exe}).mode, RunMode::Windowed);
  EXPECT_EQ(Dispatch("/s", {exe, scr}).action, StartAction::Saver);
  EXPECT_EQ(Dispatch("/c", {scr}).action, StartAction::Properties);
  EXPECT_EQ(Dispatch("/s", {}, "/usr/bin/pyxora-window").action, StartAction::Windowed);
  EXPECT_EQ(Dispatch("/p 5", {}, "/usr/local/bin/pyxora-window").action, StartAction::Windowed);
}

// "--fps" is the readout of a mode only before one; alone or before hack options it is
// the hack's -fps. Started as the windowed application, it is always that one's readout.
TEST(Dispatch, TwoDashFpsLeadsAModeOnlyBeforeOne) {
  using Args = std::vector<std::string>;
  EXPECT_TRUE(FpsLeadsAMode(Args{"--fps", "/s"}, false));
  EXPECT_TRUE(FpsLeadsAMode(Args{"--fps", "/p", "5"}, false));
  EXPECT_FALSE(FpsLeadsAMode(Args{"--fps"}, false));
  EXPECT_FALSE(FpsLeadsAMode(Args{"--fps", "-root"}, false));
  EXPECT_FALSE(FpsLeadsAMode(Args{"/s", "--fps"}, false));
  EXPECT_TRUE(FpsLeadsAMode(Args{"--fps"}, true));
  EXPECT_FALSE(FpsLeadsAMode(Args{}, true));
}

class Startup : public testing::CoreTest {};

// Before any mode: the requests of an earlier run are gone, an older machine-wide
// installation's settings are the user's, and stored window sizes count 15 twips a pixel.
TEST_F(Startup, PreparationClearsRequestsMigratesAndFixesTheTwips) {
  gState.StopRequested = gState.ExitRequested = gState.PreviewStopRequested = true;
  gTwipsPerPixel = {1, 1};
  ASSERT_TRUE(Store().Write(kMachineRoot, SettingsKeyPath("Galaxy"), "Galaxy_Stars", "777"));
  ASSERT_TRUE(Store().Write(kMachineRoot, SettingsKeyPath("General"), "AnimationType", "5"));
  PrepareStartup();
  EXPECT_FALSE(gState.StopRequested || gState.ExitRequested || gState.PreviewStopRequested);
  EXPECT_EQ(GetSettingStr("Galaxy", "Galaxy_Stars", ""), "777");
  EXPECT_EQ(gTwipsPerPixel.x, 15);
  EXPECT_EQ(gTwipsPerPixel.y, 15);
}

// Each action reaches its platform runner in its mode; a template that cannot be imported
// is said and the saver still runs; a saver already up ends this one; the password change
// runs nothing.
TEST_F(Startup, EachActionRunsItsModeOnce) {
  testing::TempFolder folder;
  const std::string missing = (folder.Path() / "gone.pxt").string();
  const std::string good = (folder.Path() / "good.pxt").string();
  std::ofstream(good, std::ios::binary) << "\r\n[Admin]\r\nProduct=Pyxora\r\n[Galaxy]\r\nGalaxy_Stars=4321\r\n";
  struct Row {
    StartupDecision decision;
    bool saverUp;
    const char* runs;
    int status;
    bool complains;
  };
  using enum StartAction;
  const Row rows[] = {
      {{Windowed, RunMode::Windowed, 0, ""}, false, "windowed", 1, false},
      {{Properties, RunMode::Windowed, 0, ""}, false, "properties", 2, false},
      {{Saver, RunMode::Saver, 0, ""}, false, "saver", 3, false},
      {{Saver, RunMode::Saver, 0, ""}, true, "", 0, false},
      {{Preview, RunMode::Preview, 66130, ""}, false, "preview 66130", 4, false},
      {{ChangePassword, RunMode::Saver, 5, ""}, false, "", 0, false},
      {{ImportThenSaver, RunMode::Saver, 0, missing}, false, "saver", 3, true},
      {{ImportThenSaver, RunMode::Saver, 0, good}, true, "", 0, false},
  };
  for (const Row& row : rows) {
    std::string runs;
    std::ostringstream err;
    gState.Mode = static_cast<RunMode>(-1);
    const int status = RunStartAction(row.decision,
                                      {.windowed = [&] { return runs = "windowed", 1; },
                                       .properties = [&] { return runs = "properties", 2; },
                                       .saverRunning = [&] { return row.saverUp; },
                                       .saver = [&] { return runs = "saver", 3; },
                                       .preview = [&](int32_t id) { return runs = "preview " + std::to_string(id), 4; }},
                                      err);
    const std::string line = row.decision.templatePath.empty() ? row.runs : row.decision.templatePath;
    EXPECT_EQ(runs, row.runs) << line;
    EXPECT_EQ(status, row.status) << line;
    EXPECT_EQ(gState.Mode, row.decision.mode) << line;
    EXPECT_EQ(err.str().empty(), !row.complains) << err.str();
  }
  EXPECT_EQ(gState.PreviewParent, 66130);
  EXPECT_EQ(GetSettingStr("Galaxy", "Galaxy_Stars", ""), "4321");
}

}  // namespace
}  // namespace pyxora
