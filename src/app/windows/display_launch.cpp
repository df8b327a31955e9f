#include "app/windows/display_launch.h"

#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <string>

#include "app/platform/lost_display.h"
#include "app/platform/sdl_sound.h"
#include "app/platform/x11_windows.h"
#include "app/ui/properties_entry.h"
#include "app/windows/app_window.h"
#include "app/windows/preview_window.h"
#include "app/windows/saver_window.h"
#include "host/saver_input.h"
#include "render/saver_state.h"

namespace pyxora {
namespace {

// Qt aborts when its X connection fails; say what is wrong instead.
bool DisplayMissing() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform && std::string(platform) != "xcb") return false;
  if (X11DisplayAvailable()) return false;
  const char* display = std::getenv("DISPLAY");
  std::cerr << "pyxora: cannot open the X display '" << (display ? display : "") << "'\n";
  return true;
}

// Runs `start` once the event loop runs, then ends the process. exit(), not quit():
// quit() is ignored while a window has a foreign parent.
template <class Window>
int RunWindow(QApplication& app, Window& window) {
  QTimer::singleShot(0, &window, [&window] {
    window.Start();
    // A driver that stopped because the display went (the preview's parent seemed gone,
    // the window closed under it) says so instead of ending as if asked to.
    EndIfDisplayLost();
    QCoreApplication::exit(0);
  });
  return app.exec();
}

}  // namespace

int RunDisplay(int argc, char** argv, DriverVariant variant) {
  if (DisplayMissing()) return 1;
  QApplication app(argc, argv);
  WatchForLostDisplay();
  // The displays end the process themselves when their driver has ended.
  app.setQuitOnLastWindowClosed(false);
  const ScopedSoundOutput sound;  // the fireworks' sounds, for as long as the display runs
  switch (variant) {
    case DriverVariant::Saver: {
      SetSaverRunning(true);
      SaverWindow window;
      return RunWindow(app, window);
    }
    case DriverVariant::Windowed: {
      AppWindow window(ShowPropertiesModal);
      return RunWindow(app, window);
    }
    case DriverVariant::Preview: {
      PreviewWindow window(gState.PreviewParent);
      return RunWindow(app, window);
    }
  }
  return 0;
}

}  // namespace pyxora
