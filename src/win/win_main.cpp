// Wires the Windows program together: our own options first (printed to the console it
// was started from), then the screen-saver modes the system starts it with.
#include <windows.h>

#include <iostream>

#include "host/command_line.h"
#include "host/render_run.h"
#include "host/startup.h"
#include "host/templates.h"
#include "render/random.h"
#include "render/saver_state.h"
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
  gState.Mode = decision.mode;
  const DisplayServices services;
  switch (decision.action) {
    case StartAction::Windowed:
      return AppWindow().Run();
    case StartAction::Properties:
      if (HWND open = FindWindowByCaption(kPropertiesCaption)) {
        BringWindowToFront(open);
        return 0;
      }
      return RunPropertiesWindow();
    case StartAction::ImportThenSaver:
      if (const TemplateReadResult imported = ImportTemplate(decision.templatePath); !imported.ok)
        std::cerr << "pyxora: cannot import the template " << decision.templatePath << ": " << imported.error
                  << "; the saver runs with the current settings\n";
      [[fallthrough]];
    case StartAction::Saver:
      if (FindWindowByCaption(kSaverCaption)) return 0;
      SetSaverRunning(true);
      return SaverWindow().Run();
    case StartAction::Preview:
      gState.PreviewParent = decision.windowId;
      return PreviewWindow().Run(reinterpret_cast<HWND>(static_cast<intptr_t>(decision.windowId)));
    case StartAction::ChangePassword:
      return 0;  // nothing on this platform family: the system owns the saver password
  }
  return 0;
}
