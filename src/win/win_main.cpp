// Wires the Windows program together: our own options first (printed to the console it
// was started from), then the screen-saver modes the system starts it with.
#include <windows.h>

#include <iostream>

#include "host/command_line.h"
#include "host/render_run.h"
#include "host/startup.h"
#include "render/random.h"
#include "win/platform/png_file.h"
#include "win/platform/win_system.h"
#include "win/ui/properties_entry.h"
#include "win/windows/app_window.h"
#include "win/windows/preview_window.h"
#include "win/windows/saver_window.h"

using namespace pyxora;

int wmain() {
  const std::vector<std::string> args = Utf8Arguments();
  if (!args.empty() && args[0].rfind("--", 0) == 0) {
    UseParentConsole();
    if (const auto status = RunCommandLineTool(args, std::cout, std::cerr)) return *status;
  }
  FixSeedFromEnvironment();
  if (!args.empty() && args[0] == "--render") return RunHeadlessRender(args, std::cerr, WritePngFile);
  // Per-monitor DPI awareness comes from the manifest: one canvas pixel is one screen pixel.
  PrepareStartup();
  const StartupDecision decision = DispatchCommandLine(RawCommandLine(), ProgramPath(), IsFile);
  const DisplayServices services;
  return RunStartAction(decision,
                        {.windowed = [] { return AppWindow().Run(); },
                         .properties =
                             [] {
                               if (HWND open = FindWindowByCaption(kPropertiesCaption)) {
                                 BringWindowToFront(open);
                                 return 0;
                               }
                               return RunPropertiesWindow();
                             },
                         .saverRunning = [] { return FindWindowByCaption(kSaverCaption) != nullptr; },
                         .saver =
                             [] {
                               SetSaverRunning(true);
                               return SaverWindow().Run();
                             },
                         .preview =
                             [](int32_t windowId) {
                               return PreviewWindow().Run(reinterpret_cast<HWND>(static_cast<intptr_t>(windowId)));
                             }},
                        std::cerr);
}
