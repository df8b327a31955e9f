#include "app/platform/window_look.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cstdlib>
#include <cstring>

namespace pyxora {
namespace {

QScreen* ScreenOf(QWidget& window) {
  QScreen* screen = window.screen();
  return screen ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

void ShowFullScreen(QWidget& window, WindowLayer layer, QScreen* screen) {
  if (screen) window.setScreen(screen);
  else screen = ScreenOf(window);
  if (screen) window.setGeometry(screen->geometry());
  const bool below = layer == WindowLayer::KeptBelow;
  window.setWindowFlag(Qt::WindowStaysOnBottomHint, below);
  window.showFullScreen();
  if (below) {
    window.lower();  // the hint alone does nothing without a window manager
  } else {
    window.raise();
    window.activateWindow();
  }
}

void ShowMaximised(QWidget& window) {
  if (QScreen* screen = ScreenOf(window)) window.setGeometry(screen->availableGeometry());
  window.showMaximized();
}

void HidePointer(QWidget& window) { window.setCursor(Qt::BlankCursor); }

void ClearCaption(QWidget& window) {
  window.setWindowTitle("");
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (!c) return;
  const auto id = static_cast<xcb_window_t>(window.winId());
  for (const char* name : {"_NET_WM_NAME", "WM_NAME"}) {
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    if (!atom) continue;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom->atom, XCB_ATOM_STRING, 8, 0, nullptr);
    std::free(atom);
  }
  xcb_flush(c);
}

}  // namespace pyxora
