// Wires the program together: our own options first, then the screen-saver modes.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <variant>
#include <vector>

#include "app/platform/headless_render.h"
#include "app/platform/x11_windows.h"
#include "app/ui/properties_entry.h"
#include "app/windows/display_launch.h"
#include "app/hack/hack_run.h"
#include "app/windows/display_window.h"
#include "host/command_line.h"
#include "host/hack_options.h"
#include "host/startup.h"
#include "render/random.h"

namespace {

using namespace pyxora;

std::string ProgramPath(const char* argv0) {
  // The name decides the windowed application; the folder is where the program file is.
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::filesystem::path invoked(argv0 ? argv0 : "pyxora");
  if (error) return invoked.string();
  return (self.parent_path() / invoked.filename()).string();
}

bool ProgramFileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const std::string program = ProgramPath(argv[0]);
  // --fps before a mode: the saver and the windowed application show their frame rate.
  if (FpsLeadsAMode(args, IsWindowedProgram(program, ProgramFileExists))) {
    SetFrameRateReadout(true);
    args.erase(args.begin());
  }
  if (const auto status = RunCommandLineTool(args, std::cout, std::cerr)) return *status;
  FixSeedFromEnvironment();
  if (!args.empty() && args[0] == "--render") return RunHeadlessRender(args, std::cerr);
  if (IsHackCommandLine(args)) {
    const auto parsed = ParseHackOptions(args);
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
      std::cerr << "pyxora: " << *problem << " (see pyxora --help)\n";
      return 2;
    }
    PrepareStartup();
    return RunHack(std::get<HackOptions>(parsed));
  }

  PrepareStartup();
  const StartupDecision decision = DispatchCommandLine(JoinArguments(args), program, ProgramFileExists);
  return RunStartAction(decision,
                        {.windowed = [&] { return RunDisplay(argc, argv, DriverVariant::Windowed); },
                         .properties =
                             [&] {
                               if (const auto open = FindWindowByCaption(kPropertiesCaption)) {
                                 BringWindowToFront(*open);
                                 return 0;
                               }
                               return RunPropertiesWindow(argc, argv);
                             },
                         .saverRunning = [] { return WindowExists(kSaverCaption); },
                         .saver = [&] { return RunDisplay(argc, argv, DriverVariant::Saver); },
                         .preview = [&](int32_t) { return RunDisplay(argc, argv, DriverVariant::Preview); }},
                        std::cerr);
}
