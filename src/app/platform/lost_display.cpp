#include "app/platform/lost_display.h"

#include <unistd.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QString>
#include <cstdlib>
#include <string>

namespace pyxora {
namespace {

QtMessageHandler gPreviousHandler = nullptr;

// Qt's xcb platform reports a broken connection with this warning just before it exits.
void OnQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QLatin1String("The X11 connection broke"))) EndForLostDisplay();
  if (gPreviousHandler) gPreviousHandler(type, context, message);
}

}  // namespace

void WatchForLostDisplay() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  gPreviousHandler = qInstallMessageHandler(OnQtMessage);
}

void EndIfDisplayLost() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (connection && xcb_connection_has_error(connection)) EndForLostDisplay();
}

void EndForLostDisplay() {
  const char* display = std::getenv("DISPLAY");
  const std::string line =
      "pyxora: lost the connection to the X display '" + std::string(display ? display : "") + "'\n";
  [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, line.data(), line.size());
  // Nothing is left to show on; stored settings are written whole or not at all, so
  // ending here loses nothing.
  std::_Exit(1);
}

}  // namespace pyxora
