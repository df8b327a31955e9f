#include "app/platform/x11_present.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace pyxora {
namespace {

// Points per request: well inside the smallest request limit without BIG-REQUESTS.
constexpr size_t kPointsPerRequest = 16000;

template <class Reply>
struct Freed {
  Reply* reply;
  ~Freed() { std::free(reply); }
  Reply* operator->() const { return reply; }
  explicit operator bool() const { return reply != nullptr; }
};

// The canvas keeps 0xFFRRGGBB words: the server must read 32-bit pixels, least
// significant byte first, with red, green and blue where those words have them.
bool TakesCanvasPixels(xcb_connection_t* c, uint32_t window, uint8_t& depth) {
  if (std::endian::native != std::endian::little) return false;
  const xcb_setup_t* setup = xcb_get_setup(c);
  if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return false;
  Freed<xcb_get_geometry_reply_t> geometry{xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr)};
  Freed<xcb_get_window_attributes_reply_t> attributes{
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr)};
  if (!geometry || !attributes) return false;
  depth = geometry->depth;
  if (depth != 24 && depth != 32) return false;
  bool formatFits = false;
  for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
    if (f.data->depth == depth) formatFits = f.data->bits_per_pixel == 32 && f.data->scanline_pad == 32;
  if (!formatFits) return false;
  for (auto s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s))
    for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d))
      for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
        if (v.data->visual_id == attributes->visual)
          return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR && v.data->red_mask == 0xFF0000u &&
                 v.data->green_mask == 0xFF00u && v.data->blue_mask == 0xFFu;
  return false;
}

}  // namespace

std::unique_ptr<X11PresentTarget> X11PresentTarget::Create(xcb_connection_t* connection, uint32_t window, int width,
                                                           int height, bool sharedMemory) {
  uint8_t depth = 0;
  if (!connection || !window || width <= 0 || height <= 0 || xcb_connection_has_error(connection)) return nullptr;
  if (!TakesCanvasPixels(connection, window, depth)) return nullptr;
  std::unique_ptr<X11PresentTarget> target(new X11PresentTarget(connection, window, width, height, depth));
  if (sharedMemory) target->AttachSharedMemory();
  return target;
}

X11PresentTarget::X11PresentTarget(xcb_connection_t* connection, uint32_t window, int width, int height,
                                   uint8_t depth)
    : c_(connection),
      window_(window),
      width_(width),
      height_(height),
      depth_(depth),
      pixelMask_(depth == 32 ? 0xFFFFFFFFu : 0x00FFFFFFu) {
  gc_ = xcb_generate_id(c_);
  const uint32_t values[] = {0, 0};  // foreground, no graphics exposures
  xcb_create_gc(c_, gc_, window_, XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES, values);
  // Every server takes 4096-word requests; a connection that fails here reports 0, and
  // the band arithmetic below must not run below zero.
  maxRequestBytes_ = std::max<size_t>(static_cast<size_t>(xcb_get_maximum_request_length(c_)) * 4, 16384);
}

X11PresentTarget::~X11PresentTarget() {
  WaitForServerReads();
  // The window may be gone by now: errors of these are nobody's business.
  xcb_discard_reply(c_, xcb_free_gc_checked(c_, gc_).sequence);
  if (shmSegment_) {
    xcb_discard_reply(c_, xcb_shm_detach_checked(c_, shmSegment_).sequence);
    shmdt(shmPixels_);
  }
  xcb_flush(c_);
}

bool X11PresentTarget::AttachSharedMemory() {
  const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c_, &xcb_shm_id);
  if (!extension || !extension->present) return false;
  const size_t bytes = static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4;
  const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (id < 0) return false;
  void* address = shmat(id, nullptr, 0);
  if (address == reinterpret_cast<void*>(-1)) {
    shmctl(id, IPC_RMID, nullptr);
    return false;
  }
  const uint32_t segment = xcb_generate_id(c_);
  // A server on another machine has the extension but cannot reach our memory:
  // the attach fails there, and images go as plain requests.
  xcb_generic_error_t* error = xcb_request_check(c_, xcb_shm_attach_checked(c_, segment, static_cast<uint32_t>(id), 1));
  shmctl(id, IPC_RMID, nullptr);  // gone once both sides have let go
  if (error) {
    std::free(error);
    shmdt(address);
    return false;
  }
  shmSegment_ = segment;
  shmPixels_ = static_cast<uint32_t*>(address);
  return true;
}

void X11PresentTarget::WaitForServerReads() {
  if (!syncPending_) return;
  std::free(xcb_get_input_focus_reply(c_, xcb_get_input_focus_cookie_t{syncSequence_}, nullptr));
  syncPending_ = false;
}

int X11PresentTarget::DenseBlockPixels() const {
  // Through shared memory a block costs the server a copy of 2 KB; as a request it
  // also costs 2 KB on the wire, where a point costs 4 bytes.
  return shmSegment_ ? 48 : 128;
}

void X11PresentTarget::Points(uint32_t pixel, const PresentPoint* points, size_t count) {
  pixel &= pixelMask_;
  if (!foregroundSet_ || foreground_ != pixel) {
    xcb_change_gc(c_, gc_, XCB_GC_FOREGROUND, &pixel);
    foreground_ = pixel;
    foregroundSet_ = true;
  }
  static_assert(sizeof(PresentPoint) == sizeof(xcb_point_t));
  const size_t perRequest = std::min(kPointsPerRequest, (maxRequestBytes_ - 16) / sizeof(xcb_point_t));
  for (size_t start = 0; start < count; start += perRequest) {
    const size_t n = std::min(perRequest, count - start);
    xcb_poly_point(c_, XCB_COORD_MODE_ORIGIN, window_, gc_, static_cast<uint32_t>(n),
                   reinterpret_cast<const xcb_point_t*>(points + start));
  }
}

void X11PresentTarget::Image(const Canvas& canvas, const PixelRect& area) {
  PixelRect rect = area;
  rect.right = std::min({rect.right, canvas.Width(), width_});
  rect.bottom = std::min({rect.bottom, canvas.Height(), height_});
  if (rect.Empty()) return;
  const size_t canvasWidth = static_cast<size_t>(canvas.Width());
  const size_t rowBytes = static_cast<size_t>(rect.Width()) * 4;
  if (shmSegment_) {
    WaitForServerReads();
    for (int y = rect.top; y < rect.bottom; ++y)
      std::memcpy(shmPixels_ + static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(rect.left),
                  canvas.Data() + static_cast<size_t>(y) * canvasWidth + static_cast<size_t>(rect.left), rowBytes);
    xcb_shm_put_image(c_, window_, gc_, static_cast<uint16_t>(width_), static_cast<uint16_t>(height_),
                      static_cast<uint16_t>(rect.left), static_cast<uint16_t>(rect.top),
                      static_cast<uint16_t>(rect.Width()), static_cast<uint16_t>(rect.Height()),
                      static_cast<int16_t>(rect.left), static_cast<int16_t>(rect.top), depth_,
                      XCB_IMAGE_FORMAT_Z_PIXMAP, 0, shmSegment_, 0);
    shmSent_ = true;
    return;
  }
  // As plain requests, in bands of rows that fit one request each.
  const int rowsPerRequest = static_cast<int>(std::max<size_t>(1, (maxRequestBytes_ - 64) / rowBytes));
  const bool wholeRows = rect.left == 0 && static_cast<size_t>(rect.right) == canvasWidth;
  for (int top = rect.top; top < rect.bottom; top += rowsPerRequest) {
    const int rows = std::min(rowsPerRequest, rect.bottom - top);
    const uint32_t* data = canvas.Data() + static_cast<size_t>(top) * canvasWidth + static_cast<size_t>(rect.left);
    if (!wholeRows) {
      staging_.resize(static_cast<size_t>(rect.Width()) * static_cast<size_t>(rows));
      for (int r = 0; r < rows; ++r)
        std::memcpy(staging_.data() + static_cast<size_t>(r) * static_cast<size_t>(rect.Width()),
                    data + static_cast<size_t>(r) * canvasWidth, rowBytes);
      data = staging_.data();
    }
    xcb_put_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_, static_cast<uint16_t>(rect.Width()),
                  static_cast<uint16_t>(rows), static_cast<int16_t>(rect.left), static_cast<int16_t>(top), 0, depth_,
                  static_cast<uint32_t>(rowBytes * static_cast<size_t>(rows)), reinterpret_cast<const uint8_t*>(data));
  }
}

void X11PresentTarget::EndFrame() {
  if (shmSent_) {
    // Answered once the server has read this frame's shared pixels.
    syncSequence_ = xcb_get_input_focus(c_).sequence;
    syncPending_ = true;
    shmSent_ = false;
  }
  xcb_flush(c_);
}

}  // namespace pyxora
