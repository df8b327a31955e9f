#include "app/platform/x11_windows.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace pyxora {
namespace {

struct Connection {
  xcb_connection_t* c = nullptr;
  xcb_screen_t* screen = nullptr;
  Connection() {
    int screenNumber = 0;
    c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; it.rem && i < screenNumber; ++i) xcb_screen_next(&it);
    screen = it.rem ? it.data : nullptr;
  }
  ~Connection() {
    if (c) xcb_disconnect(c);
  }
  bool Ok() const { return c && !xcb_connection_has_error(c) && screen; }
};

template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  ReplyPtr<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
      &std::free);
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::string Property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type) {
  ReplyPtr<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 1024), nullptr), &std::free);
  if (!reply || reply->format != 8) return {};
  return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                     static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

bool Viewable(xcb_connection_t* c, xcb_window_t w) {
  ReplyPtr<xcb_get_window_attributes_reply_t> reply(
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr), &std::free);
  return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

// Top-level client windows sit directly under the root, or one or two levels down
// inside a window manager's frames.
std::optional<uint32_t> Search(xcb_connection_t* c, xcb_window_t parent, std::string_view caption, int depth,
                               xcb_atom_t netName, xcb_atom_t utf8) {
  ReplyPtr<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, parent), nullptr), &std::free);
  if (!tree) return std::nullopt;
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  const int count = xcb_query_tree_children_length(tree.get());
  for (int i = count - 1; i >= 0; --i) {  // topmost first
    const xcb_window_t w = children[i];
    std::string title = Property(c, w, netName, utf8);
    if (title.empty()) title = Property(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
    if (title == caption && Viewable(c, w)) return w;
  }
  if (depth > 0) {
    for (int i = count - 1; i >= 0; --i)
      if (auto found = Search(c, children[i], caption, depth - 1, netName, utf8)) return found;
  }
  return std::nullopt;
}

}  // namespace

bool X11DisplayAvailable() { return Connection().Ok(); }

std::optional<uint32_t> FindWindowByCaption(std::string_view caption) {
  Connection x;
  if (!x.Ok()) return std::nullopt;
  return Search(x.c, x.screen->root, caption, 2, Atom(x.c, "_NET_WM_NAME"), Atom(x.c, "UTF8_STRING"));
}

void BringWindowToFront(uint32_t window) {
  Connection x;
  if (!x.Ok()) return;
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = window;
  event.type = Atom(x.c, "_NET_ACTIVE_WINDOW");
  event.data.data32[0] = 2;  // a request from a pager-like source
  xcb_send_event(x.c, 0, x.screen->root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&event));
  const uint32_t above = XCB_STACK_MODE_ABOVE;
  xcb_configure_window(x.c, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
  xcb_set_input_focus(x.c, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
  // A round trip before the connection closes, so the requests have been carried out.
  std::free(xcb_get_input_focus_reply(x.c, xcb_get_input_focus(x.c), nullptr));
}

bool X11WindowExists(int64_t window) { return X11WindowSize(window).has_value(); }

std::optional<WindowGeometry> X11WindowSize(int64_t window) {
  if (window <= 0 || window > 0xFFFFFFFFLL) return std::nullopt;
  Connection x;
  if (!x.Ok()) return std::nullopt;
  ReplyPtr<xcb_get_geometry_reply_t> reply(
      xcb_get_geometry_reply(x.c, xcb_get_geometry(x.c, static_cast<xcb_window_t>(window)), nullptr), &std::free);
  if (!reply) return std::nullopt;
  return WindowGeometry{reply->width, reply->height};
}

}  // namespace pyxora
