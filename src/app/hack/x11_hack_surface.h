// The hack's drawing target on X11: a window another client made (the daemon's
// window, the root window, any -window-id) or, for -window, one of our own. Frames go
// into it with PutImage: nothing of ours is mapped inside a foreign window, only
// structure and exposure events are selected there, and nothing is grabbed.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/hack_options.h"
#include "render/canvas.h"

namespace pyxora {

class X11HackSurface {
 public:
  // The surface, or the text of why there is none (no display, no such window, a
  // visual we cannot draw on).
  static std::variant<std::unique_ptr<X11HackSurface>, std::string> Open(const HackWindow& where);
  ~X11HackSurface();
  X11HackSurface(const X11HackSurface&) = delete;
  X11HackSurface& operator=(const X11HackSurface&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int ConnectionFd() const { return xcb_get_file_descriptor(c_); }

  // Copies `rect` of the framebuffer into the window.
  void Put(const Canvas& canvas, PixelRect rect);
  // The frame-rate readout at the bottom left; returns the rectangle it covers, so the
  // next frame can put the framebuffer back there first.
  PixelRect DrawReadout(std::string_view text);
  void Flush() { xcb_flush(c_); }

  struct Events {
    bool gone = false;      // the window was destroyed, the display went away, or an error ended drawing
    bool resized = false;   // Width() and Height() hold the new size
    bool exposed = false;   // part of the window must be drawn again
    bool closeRequested = false;  // our own window: closed by the window manager, Escape or Q
    std::string failure;          // the server refused to draw; what it said
  };
  // Everything that happened since the last call; does not wait.
  Events TakeEvents();
  // Whether an event is waiting that a wait on the connection's descriptor would miss.
  bool EventQueued();

 private:
  X11HackSurface() = default;
  std::string Attach(const HackWindow& where);
  std::string CreateOwnWindow();
  std::string CheckVisual(xcb_visualid_t visual, uint8_t depth);
  void OpenReadoutFont();
  void Handle(xcb_generic_event_t* event, Events& events);
  bool IsQuitKey(xcb_keycode_t key);

  xcb_connection_t* c_ = nullptr;
  xcb_screen_t* screen_ = nullptr;
  xcb_window_t window_ = 0;
  bool own_ = false;
  uint8_t depth_ = 24;
  bool swapBytes_ = false;
  int width_ = 0, height_ = 0;
  xcb_gcontext_t gc_ = 0;
  xcb_font_t font_ = 0;
  int fontAscent_ = 0, fontDescent_ = 0, fontWidth_ = 0;
  xcb_atom_t deleteWindow_ = 0;
  std::deque<xcb_generic_event_t*> queued_;
  std::vector<uint32_t> rows_;  // one request's pixels, kept between frames
};

}  // namespace pyxora
