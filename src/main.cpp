// Wires the program together: our own options first, then the screen-saver modes.
#include <unistd.h>

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "host/command_line.h"
#include "host/saver_state.h"
#include "host/startup.h"
#include "host/windows/display_window.h"
#include "platform/headless_render.h"
#include "platform/x11_windows.h"
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

// Qt aborts when its X connection fails; say what is wrong instead.
bool DisplayMissing() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform && std::string(platform) != "xcb") return false;
  if (X11DisplayAvailable()) return false;
  const char* display = std::getenv("DISPLAY");
  std::cerr << "pyxora: cannot open the X display '" << (display ? display : "") << "'\n";
  return true;
}

int RunDisplay(int argc, char** argv, DriverVariant variant) {
  if (DisplayMissing()) return 1;
  QApplication app(argc, argv);
  DisplayWindow window(variant);
  window.setWindowTitle(variant == DriverVariant::Windowed ? "" : kSaverCaption);
  // Without a window manager a full-screen window keeps its default size unless told.
  window.setGeometry(QGuiApplication::primaryScreen()->geometry());
  if (variant == DriverVariant::Saver) window.showFullScreen();
  else window.showMaximized();
  window.activateWindow();
  QTimer::singleShot(0, &window, [&window] {
    window.RunDriver();
    window.close();
    QCoreApplication::exit(0);
  });
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const auto status = RunCommandLineTool(args, std::cout, std::cerr)) return *status;
  FixSeedFromEnvironment();
  if (!args.empty() && args[0] == "--render") return RunHeadlessRender(args, std::cerr);

  PrepareStartup();
  const StartupDecision decision = DispatchCommandLine(JoinArguments(args), ProgramPath(argv[0]), ProgramFileExists);
  gState.Mode = decision.mode;
  switch (decision.action) {
    case StartAction::Windowed:
      return RunDisplay(argc, argv, DriverVariant::Windowed);
    case StartAction::Properties:
      if (const auto open = FindWindowByCaption(kPropertiesCaption)) {
        BringWindowToFront(*open);
        return 0;
      }
      std::cerr << "pyxora: the Properties window is not available yet\n";
      return 0;
    case StartAction::ImportThenSaver:
    case StartAction::Saver:
      if (WindowExists(kSaverCaption)) return 0;
      return RunDisplay(argc, argv, DriverVariant::Saver);
    case StartAction::Preview:
      gState.PreviewParent = decision.windowId;
      return RunDisplay(argc, argv, DriverVariant::Preview);
    case StartAction::ChangePassword:
      return 0;  // the system's screen locker owns the password
  }
  return 0;
}
