#include "host/startup.h"

#include <filesystem>
#include <ostream>

#include "base/number_text.h"
#include "base/numeric.h"
#include "host/first_run.h"
#include "host/hack_options.h"
#include "host/templates.h"
#include "render/random_vectors.h"
#include "settings/placement.h"

namespace pyxora {

int32_t NumberAfterModeLetter(std::string_view commandLine) {
  if (commandLine.size() <= 2) return 0;
  return ToInt32(ValOfText(commandLine.substr(2))).value_or(0);
}

namespace {

// "/s", "/P 1234", "/c:1234", "/p1234": the slash and the letter alone or followed by a
// blank, a colon or a digit. A path such as "/srv/night.pxt" or "/cdrom" is no mode.
std::string ModeSwitch(std::string_view commandLine) {
  if (commandLine.size() < 2 || commandLine[0] != '/') return {};
  if (commandLine.size() > 2) {
    const char next = commandLine[2];
    if (next != ' ' && next != '\t' && next != ':' && (next < '0' || next > '9')) return {};
  }
  return ToUpperAscii(commandLine.substr(0, 2));
}

}  // namespace

bool IsWindowedProgram(std::string_view programPath, const FileExists& fileExists) {
  const std::filesystem::path program(programPath);
  const std::string name = program.stem().string();
  const std::filesystem::path folder = program.parent_path();
  auto sibling = [&](const char* extension) { return (folder / (name + extension)).string(); };
  return program.filename() == kWindowedProgramName ||
         (fileExists && fileExists(sibling(".exe")) && !fileExists(sibling(".scr")));
}

bool FpsLeadsAMode(const std::vector<std::string>& args, bool windowedProgram) {
  if (args.empty() || args[0] != "--fps") return false;
  if (windowedProgram) return true;
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  return !rest.empty() && !IsHackCommandLine(rest);
}

StartupDecision DispatchCommandLine(std::string_view commandLine, std::string_view programPath,
                                    const FileExists& fileExists) {
  StartupDecision decision;
  if (IsWindowedProgram(programPath, fileExists)) {
    decision.action = StartAction::Windowed;
    decision.mode = RunMode::Windowed;
    return decision;
  }

  decision.mode = RunMode::Saver;
  const std::string mode = ModeSwitch(commandLine);
  if (TrimBlanks(commandLine).empty() || mode == "/C") {
    decision.action = StartAction::Properties;
  } else if (mode == "/S") {
    decision.action = StartAction::Saver;
  } else if (mode == "/P") {
    decision.action = StartAction::Preview;
    decision.mode = RunMode::Preview;
    decision.windowId = NumberAfterModeLetter(commandLine);
  } else if (mode == "/A") {
    decision.action = StartAction::ChangePassword;
    decision.windowId = NumberAfterModeLetter(commandLine);
  } else if (commandLine.size() >= 4 && ToUpperAscii(commandLine.substr(commandLine.size() - 4)) == ".PXT") {
    decision.action = StartAction::ImportThenSaver;
    decision.templatePath = std::string(commandLine);
  } else {
    decision.action = StartAction::Saver;
  }
  return decision;
}

void PrepareStartup() {
  gState.ExitRequested = false;
  gState.StopRequested = false;
  gState.PreviewStopRequested = false;
  MigrateSettings();
  // Stored window sizes keep their twips text: 15 twips per pixel, the 96-dpi convention.
  gTwipsPerPixel = {15, 15};
  FillTrigTables();
  gState.HelpFile = "PXRA31.hlp";
}

int RunStartAction(const StartupDecision& decision, const ModeRunners& run, std::ostream& err) {
  gState.Mode = decision.mode;
  switch (decision.action) {
    case StartAction::Windowed:
      return run.windowed();
    case StartAction::Properties:
      return run.properties();
    case StartAction::ImportThenSaver:
      if (const TemplateReadResult imported = ImportTemplate(decision.templatePath); !imported.ok)
        err << "pyxora: cannot import the template " << decision.templatePath << ": " << imported.error
            << "; the saver runs with the current settings\n";
      [[fallthrough]];
    case StartAction::Saver:
      if (run.saverRunning()) return 0;
      return run.saver();
    case StartAction::Preview:
      gState.PreviewParent = decision.windowId;
      return run.preview(decision.windowId);
    case StartAction::ChangePassword:
      return 0;
  }
  return 0;
}

}  // namespace pyxora
