#include "app/hack/x11_hack_surface.h"

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace pyxora {
namespace {

template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

constexpr int kOwnWidth = 800, kOwnHeight = 600;
constexpr uint32_t kKeysymEscape = 0xff1b, kKeysymQ = 0x51, kKeysymLowerQ = 0x71;
constexpr int kReadoutMargin = 6;
constexpr int kReadoutChars = 12;  // "FPS: 9999.9" and a little room

std::string Hex(uint32_t id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", id);
  return text;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  ReplyPtr<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
      &std::free);
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::string LostDisplay() {
  const char* display = std::getenv("DISPLAY");
  return "lost the connection to the X display '" + std::string(display ? display : "") + "'";
}

PixelRect Clipped(PixelRect r, int width, int height) {
  return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width), std::min(r.bottom, height)};
}

}  // namespace

std::variant<std::unique_ptr<X11HackSurface>, std::string> X11HackSurface::Open(const HackWindow& where) {
  std::unique_ptr<X11HackSurface> surface(new X11HackSurface);
  int screenNumber = 0;
  surface->c_ = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(surface->c_)) {
    const char* display = std::getenv("DISPLAY");
    return "cannot open the X display '" + std::string(display ? display : "") + "'";
  }
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(surface->c_));
  for (int i = 0; it.rem && i < screenNumber; ++i) xcb_screen_next(&it);
  surface->screen_ = it.data;
  const std::string problem = where.kind == HackWindow::Own ? surface->CreateOwnWindow() : surface->Attach(where);
  if (!problem.empty()) return xcb_connection_has_error(surface->c_) ? LostDisplay() : problem;
  surface->OpenReadoutFont();
  xcb_flush(surface->c_);
  return surface;
}

X11HackSurface::~X11HackSurface() {
  for (xcb_generic_event_t* event : queued_) std::free(event);
  if (!c_) return;
  if (!xcb_connection_has_error(c_)) {
    if (gc_) xcb_free_gc(c_, gc_);
    if (font_) xcb_close_font(c_, font_);
    if (own_) xcb_destroy_window(c_, window_);
    xcb_flush(c_);
  }
  xcb_disconnect(c_);
}

std::string X11HackSurface::CheckVisual(xcb_visualid_t visual, uint8_t depth) {
  const xcb_setup_t* setup = xcb_get_setup(c_);
  const xcb_visualtype_t* type = nullptr;
  for (auto s = xcb_setup_roots_iterator(setup); s.rem && !type; xcb_screen_next(&s))
    for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem && !type; xcb_depth_next(&d))
      for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
        if (v.data->visual_id == visual) {
          type = v.data;
          break;
        }
  int bitsPerPixel = 0;
  for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
    if (f.data->depth == depth) bitsPerPixel = f.data->bits_per_pixel;
  const bool trueColour = type && (type->_class == XCB_VISUAL_CLASS_TRUE_COLOR ||
                                   type->_class == XCB_VISUAL_CLASS_DIRECT_COLOR);
  if (!trueColour || (depth != 24 && depth != 32) || bitsPerPixel != 32 || type->red_mask != 0xFF0000u ||
      type->green_mask != 0xFF00u || type->blue_mask != 0xFFu)
    return "window " + Hex(window_) + " has a " + std::to_string(depth) +
           "-bit visual; Pyxora draws on 24- and 32-bit true-colour windows only";
  depth_ = depth;
  // Pixels are kept 0xAARRGGBB in host order; the server may want the other order.
  const bool serverLittle = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
  swapBytes_ = serverLittle != (std::endian::native == std::endian::little);
  return {};
}

std::string X11HackSurface::Attach(const HackWindow& where) {
  window_ = where.kind == HackWindow::Root ? screen_->root : where.id;
  xcb_generic_error_t* error = nullptr;
  ReplyPtr<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c_, xcb_get_geometry(c_, window_), &error),
                                               &std::free);
  std::free(error);
  ReplyPtr<xcb_get_window_attributes_reply_t> attributes(
      xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window_), nullptr), &std::free);
  if (!geometry || !attributes) return "there is no window " + Hex(window_) + " on this display";
  if (attributes->_class != XCB_WINDOW_CLASS_INPUT_OUTPUT)
    return "window " + Hex(window_) + " is an input-only window and cannot be drawn on";
  if (std::string problem = CheckVisual(attributes->visual, geometry->depth); !problem.empty()) return problem;
  width_ = geometry->width;
  height_ = geometry->height;
  // Our own interest in its end, size and damage; the owner's selection is separate.
  // Input stays with the owner (the daemon locks and unblanks on it).
  const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_EXPOSURE;
  if (xcb_generic_error_t* refused =
          xcb_request_check(c_, xcb_change_window_attributes_checked(c_, window_, XCB_CW_EVENT_MASK, &mask))) {
    std::free(refused);
    return "there is no window " + Hex(window_) + " on this display";
  }
  gc_ = xcb_generate_id(c_);
  const uint32_t values[] = {0xFFFFFFFFu, 0xFF000000u, 0};
  xcb_create_gc(c_, gc_, window_, XCB_GC_FOREGROUND | XCB_GC_BACKGROUND | XCB_GC_GRAPHICS_EXPOSURES, values);
  return {};
}

std::string X11HackSurface::CreateOwnWindow() {
  own_ = true;
  window_ = xcb_generate_id(c_);
  width_ = std::min<int>(kOwnWidth, screen_->width_in_pixels);
  height_ = std::min<int>(kOwnHeight, screen_->height_in_pixels);
  const uint32_t values[] = {screen_->black_pixel, XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                                       XCB_EVENT_MASK_KEY_PRESS};
  xcb_create_window(c_, XCB_COPY_FROM_PARENT, window_, screen_->root, 0, 0, static_cast<uint16_t>(width_),
                    static_cast<uint16_t>(height_), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual,
                    XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
  if (std::string problem = CheckVisual(screen_->root_visual, screen_->root_depth); !problem.empty()) return problem;
  const char title[] = "Pyxora";
  const char windowClass[] = "pyxora\0Pyxora";
  xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, sizeof title - 1, title);
  xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window_, Atom(c_, "_NET_WM_NAME"), Atom(c_, "UTF8_STRING"), 8,
                      sizeof title - 1, title);
  xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof windowClass,
                      windowClass);
  // Window managers and task lists find the process behind a window by its pid, which
  // counts only together with the machine it runs on.
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) == 0 && host[0]) {
    const uint32_t pid = static_cast<uint32_t>(getpid());
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window_, Atom(c_, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, 8,
                        static_cast<uint32_t>(std::strlen(host)), host);
  }
  deleteWindow_ = Atom(c_, "WM_DELETE_WINDOW");
  xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window_, Atom(c_, "WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1,
                      &deleteWindow_);
  gc_ = xcb_generate_id(c_);
  const uint32_t gcValues[] = {0xFFFFFFFFu, 0xFF000000u, 0};
  xcb_create_gc(c_, gc_, window_, XCB_GC_FOREGROUND | XCB_GC_BACKGROUND | XCB_GC_GRAPHICS_EXPOSURES, gcValues);
  xcb_map_window(c_, window_);
  return {};
}

void X11HackSurface::OpenReadoutFont() {
  // "fixed" is built into every X server, so the readout needs no font package.
  const xcb_font_t font = xcb_generate_id(c_);
  if (xcb_generic_error_t* error = xcb_request_check(c_, xcb_open_font_checked(c_, font, 5, "fixed"))) {
    std::free(error);
    return;
  }
  ReplyPtr<xcb_query_font_reply_t> info(xcb_query_font_reply(c_, xcb_query_font(c_, font), nullptr), &std::free);
  if (!info) {
    xcb_close_font(c_, font);
    return;
  }
  font_ = font;
  fontAscent_ = info->font_ascent;
  fontDescent_ = info->font_descent;
  fontWidth_ = info->max_bounds.character_width;
  xcb_change_gc(c_, gc_, XCB_GC_FONT, &font_);
}

void X11HackSurface::Put(const Canvas& canvas, PixelRect rect) {
  rect = Clipped(rect, std::min(width_, canvas.Width()), std::min(height_, canvas.Height()));
  if (rect.Empty()) return;
  // A failed connection reports a request limit of 0: there is nowhere to draw then.
  const size_t limitWords = xcb_get_maximum_request_length(c_);
  if (limitWords < 64) return;
  const int width = rect.right - rect.left;
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  // Large frames go out in bands that fit the server's request limit.
  const size_t maxBytes = limitWords * 4 - 64;
  const int bandRows = static_cast<int>(std::max<size_t>(1, maxBytes / rowBytes));
  for (int top = rect.top; top < rect.bottom; top += bandRows) {
    const int rows = std::min(bandRows, rect.bottom - top);
    rows_.resize(static_cast<size_t>(width) * static_cast<size_t>(rows));
    for (int y = 0; y < rows; ++y) {
      const uint32_t* source = canvas.Data() + static_cast<size_t>(top + y) * static_cast<size_t>(canvas.Width()) +
                               static_cast<size_t>(rect.left);
      uint32_t* target = rows_.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
      if (swapBytes_) {
        for (int x = 0; x < width; ++x) target[x] = __builtin_bswap32(source[x]);
      } else {
        std::memcpy(target, source, rowBytes);
      }
    }
    xcb_put_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_, static_cast<uint16_t>(width),
                  static_cast<uint16_t>(rows), static_cast<int16_t>(rect.left), static_cast<int16_t>(top), 0, depth_,
                  static_cast<uint32_t>(rows_.size() * 4), reinterpret_cast<const uint8_t*>(rows_.data()));
  }
}

PixelRect X11HackSurface::DrawReadout(std::string_view text) {
  if (!font_ || text.empty()) return {};
  const int baseline = height_ - kReadoutMargin - fontDescent_;
  const int x = kReadoutMargin;
  xcb_image_text_8(c_, static_cast<uint8_t>(std::min<size_t>(text.size(), 255)), window_, gc_,
                   static_cast<int16_t>(x), static_cast<int16_t>(baseline), text.data());
  return {x, baseline - fontAscent_, x + fontWidth_ * std::max<int>(kReadoutChars, static_cast<int>(text.size())),
          baseline + fontDescent_};
}

bool X11HackSurface::EventQueued() {
  if (xcb_generic_event_t* event = xcb_poll_for_queued_event(c_)) queued_.push_back(event);
  return !queued_.empty() || xcb_connection_has_error(c_);
}

X11HackSurface::Events X11HackSurface::TakeEvents() {
  Events events;
  for (;;) {
    xcb_generic_event_t* event = nullptr;
    if (!queued_.empty()) {
      event = queued_.front();
      queued_.pop_front();
    } else {
      event = xcb_poll_for_event(c_);
    }
    if (!event) break;
    Handle(event, events);
    std::free(event);
  }
  if (xcb_connection_has_error(c_)) {
    events.gone = true;
    events.failure = LostDisplay();
  }
  return events;
}

void X11HackSurface::Handle(xcb_generic_event_t* event, Events& events) {
  switch (event->response_type & 0x7F) {
    case 0: {
      // Drawing into a window that has just gone fails this way before its DestroyNotify.
      const auto* error = reinterpret_cast<xcb_generic_error_t*>(event);
      if (error->error_code == XCB_WINDOW || error->error_code == XCB_DRAWABLE)
        events.gone = true;
      else if (events.failure.empty())
        events.failure = "the X server refused to draw on window " + Hex(window_) + " (error " +
                         std::to_string(error->error_code) + ")";
      break;
    }
    case XCB_DESTROY_NOTIFY:
      if (reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window == window_) events.gone = true;
      break;
    case XCB_CONFIGURE_NOTIFY: {
      const auto* configure = reinterpret_cast<xcb_configure_notify_event_t*>(event);
      if (configure->window == window_ && (configure->width != width_ || configure->height != height_)) {
        width_ = configure->width;
        height_ = configure->height;
        events.resized = true;
      }
      break;
    }
    case XCB_EXPOSE:
      if (reinterpret_cast<xcb_expose_event_t*>(event)->window == window_) events.exposed = true;
      break;
    case XCB_KEY_PRESS:
      if (own_ && IsQuitKey(reinterpret_cast<xcb_key_press_event_t*>(event)->detail)) events.closeRequested = true;
      break;
    case XCB_CLIENT_MESSAGE: {
      const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
      if (own_ && message->window == window_ && message->data.data32[0] == deleteWindow_) events.closeRequested = true;
      break;
    }
    default:
      break;
  }
}

bool X11HackSurface::IsQuitKey(xcb_keycode_t key) {
  ReplyPtr<xcb_get_keyboard_mapping_reply_t> mapping(
      xcb_get_keyboard_mapping_reply(c_, xcb_get_keyboard_mapping(c_, key, 1), nullptr), &std::free);
  if (!mapping || xcb_get_keyboard_mapping_keysyms_length(mapping.get()) < 1) return false;
  const xcb_keysym_t symbol = xcb_get_keyboard_mapping_keysyms(mapping.get())[0];
  return symbol == kKeysymEscape || symbol == kKeysymQ || symbol == kKeysymLowerQ;
}

}  // namespace pyxora
