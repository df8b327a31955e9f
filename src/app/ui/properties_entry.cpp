#include "app/ui/properties_entry.h"

#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <string>

#include "app/platform/lost_display.h"
#include "app/platform/qt_frame_host.h"
#include "app/platform/sdl_sound.h"
#include "app/platform/x11_windows.h"
#include "app/ui/props_window.h"
#include "render/saver_state.h"
#include "settings/user_message.h"

namespace pyxora {

void ShowPropertiesModal(QWidget* owner) {
  PropsWindow window(DefaultPropertiesServices(), owner);
  window.Open();
  window.exec();
}

int RunPropertiesWindow(int argc, char** argv) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const bool x11 = !platform || !*platform || std::string(platform) == "xcb";
  if (x11 && !X11DisplayAvailable()) {
    const char* display = std::getenv("DISPLAY");
    std::cerr << "pyxora: cannot open the X display '" << (display ? display : "") << "'\n";
    return 1;
  }
  QApplication app(argc, argv);
  WatchForLostDisplay();
  const ScopedSoundOutput sound;  // the fireworks' sounds in the preview
  gState.Host = &DisplayFrameHost();
  PropsWindow window;
  window.Open();
  // exec() shows the window; showing it before would make exec() re-create it as a
  // modal window, and anyone who had found the first one would hold a dead id.
  QTimer::singleShot(0, &window, [&window] {
    window.raise();
    window.activateWindow();
  });
  window.exec();
  return 0;
}

}  // namespace pyxora
