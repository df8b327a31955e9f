#include "app/platform/foreign_parent.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <memory>

#include "app/platform/lost_display.h"

namespace pyxora {
namespace {

xcb_connection_t* QtConnection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

// A checked request: an unknown window comes back here as an error, not to Qt's handler.
std::optional<QSize> Geometry(xcb_connection_t* c, uint32_t window) {
  if (!c || window == 0) return std::nullopt;
  xcb_generic_error_t* error = nullptr;
  std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> reply(
      xcb_get_geometry_reply(c, xcb_get_geometry(c, window), &error), &std::free);
  std::free(error);
  if (!reply) return std::nullopt;
  return QSize(reply->width, reply->height);
}

}  // namespace

ForeignParent::ForeignParent(int64_t windowId)
    : id_(windowId > 0 && windowId <= 0xFFFFFFFFLL ? static_cast<uint32_t>(windowId) : 0) {
  gone_ = id_ == 0;
}

ForeignParent::~ForeignParent() {
  if (watching_ && QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::optional<QSize> ForeignParent::Size() {
  if (gone_) return std::nullopt;
  const auto size = Geometry(QtConnection(), id_);
  // No answer because the connection failed: that is a lost display, not a lost parent.
  if (!size) EndIfDisplayLost();
  return size;
}

bool ForeignParent::Adopt(QWidget& child) {
  xcb_connection_t* c = QtConnection();
  if (gone_ || !c) return false;
  // Our own interest in the parent's structure events; the owner's selection is separate.
  const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_void_cookie_t cookie = xcb_change_window_attributes_checked(c, id_, XCB_CW_EVENT_MASK, &mask);
  if (xcb_generic_error_t* error = xcb_request_check(c, cookie)) {
    std::free(error);
    EndIfDisplayLost();
    MarkGone();
    return false;
  }
  QCoreApplication::instance()->installNativeEventFilter(this);
  watching_ = true;

  foreign_ = QWindow::fromWinId(id_);
  child.setAttribute(Qt::WA_NativeWindow);
  child.winId();  // creates the native window so it can be re-parented
  child.windowHandle()->setParent(foreign_);
  child.move(0, 0);
  return true;
}

bool ForeignParent::Exists() {
  if (gone_) return false;
  if (!Size()) MarkGone();
  return !gone_;
}

bool ForeignParent::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (gone_ || eventType != "xcb_generic_event_t") return false;
  auto* event = static_cast<xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7F) == XCB_DESTROY_NOTIFY) {
    auto* destroyed = reinterpret_cast<xcb_destroy_notify_event_t*>(event);
    if (destroyed->window == id_) MarkGone();
  }
  return false;
}

void ForeignParent::MarkGone() {
  if (gone_) return;
  gone_ = true;
  if (onGone_) onGone_();
}

}  // namespace pyxora
