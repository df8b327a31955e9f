#include "host/startup.h"

#include <gtest/gtest.h>

#include <set>

namespace pyxora {
namespace {

StartupDecision Dispatch(const std::string& line, std::set<std::string> files = {},
                         const std::string& program = "/opt/pyxora/bin/pyxora") {
  return DispatchCommandLine(line, program, [files](const std::string& path) { return files.count(path) > 0; });
}

TEST(Dispatch, EveryCommandLineHasADefinedAction) {
  struct Row {
    const char* line;
    StartAction action;
    RunMode mode;
    int32_t windowId;
  };
  const Row rows[] = {
      {"", StartAction::Properties, RunMode::Saver, 0},
      {"   ", StartAction::Properties, RunMode::Saver, 0},
      {"/c", StartAction::Properties, RunMode::Saver, 0},
      {"/C 1234", StartAction::Properties, RunMode::Saver, 0},
      {"/c:1234", StartAction::Properties, RunMode::Saver, 0},
      {"/s", StartAction::Saver, RunMode::Saver, 0},
      {"/S", StartAction::Saver, RunMode::Saver, 0},
      {" /s", StartAction::Saver, RunMode::Saver, 0},  // not recognised, falls through to the saver
      {"/p 66130", StartAction::Preview, RunMode::Preview, 66130},
      {"/P1234", StartAction::Preview, RunMode::Preview, 1234},
      {"/p 1234", StartAction::Preview, RunMode::Preview, 1234},
      {"/p:1234", StartAction::Preview, RunMode::Preview, 0},
      {"/p", StartAction::Preview, RunMode::Preview, 0},
      {"/p 12.5", StartAction::Preview, RunMode::Preview, 12},
      {"/p 99999999999", StartAction::Preview, RunMode::Preview, 0},
      {"/p -7", StartAction::Preview, RunMode::Preview, -7},
      {"/a 66130", StartAction::ChangePassword, RunMode::Saver, 66130},
      {"/x", StartAction::Saver, RunMode::Saver, 0},
      {"hello", StartAction::Saver, RunMode::Saver, 0},
      {"\"C:\\my theme.pxt\"", StartAction::Saver, RunMode::Saver, 0},
      {"/", StartAction::Saver, RunMode::Saver, 0},
  };
  for (const Row& row : rows) {
    const StartupDecision d = Dispatch(row.line);
    EXPECT_EQ(d.action, row.action) << '"' << row.line << '"';
    EXPECT_EQ(d.mode, row.mode) << '"' << row.line << '"';
    EXPECT_EQ(d.windowId, row.windowId) << '"' << row.line << '"';
  }
}

TEST(Dispatch, ATemplatePathInAnyCaseIsImportedWhole) {
  for (const char* line : {"/home/me/themes/Calm.pxt", "/home/me/A B.PXT", "x.Pxt"}) {
    const StartupDecision d = Dispatch(line);
    EXPECT_EQ(d.action, StartAction::ImportThenSaver) << line;
    EXPECT_EQ(d.templatePath, line);
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

}  // namespace
}  // namespace pyxora
