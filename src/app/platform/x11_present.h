// Presenting straight to an X11 window: points with one foreground per colour, and
// images through shared memory (MIT-SHM) where the server offers it, or plain image
// requests where it does not (a remote display, a server started without it).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "render/change_presenter.h"

struct xcb_connection_t;

namespace pyxora {

enum class ImageTransfer { SharedMemory, Requests };

class X11PresentTarget : public PresentTarget {
 public:
  // Nothing when the window's pixels are not 32-bit true colour in our byte order;
  // the caller then presents through the toolkit. `sharedMemory` false never tries MIT-SHM.
  static std::unique_ptr<X11PresentTarget> Create(xcb_connection_t* connection, uint32_t window, int width,
                                                  int height, bool sharedMemory = true);
  ~X11PresentTarget() override;

  void Points(uint32_t pixel, const PresentPoint* points, size_t count) override;
  void Image(const Canvas& canvas, const PixelRect& rect) override;
  void EndFrame() override;
  int DenseBlockPixels() const override;

  ImageTransfer Transfer() const { return shmSegment_ ? ImageTransfer::SharedMemory : ImageTransfer::Requests; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  X11PresentTarget(xcb_connection_t* connection, uint32_t window, int width, int height, uint8_t depth);
  bool AttachSharedMemory();
  void WaitForServerReads();

  xcb_connection_t* c_;
  uint32_t window_;
  int width_, height_;
  uint8_t depth_;
  uint32_t gc_ = 0;
  uint32_t foreground_ = 0;
  bool foregroundSet_ = false;
  uint32_t pixelMask_;
  size_t maxRequestBytes_ = 0;
  // Shared memory: a buffer laid out like the canvas; the server reads from it after
  // the request, so it is not written again before the server has caught up.
  uint32_t shmSegment_ = 0;
  uint32_t* shmPixels_ = nullptr;
  bool shmSent_ = false;
  bool syncPending_ = false;
  unsigned int syncSequence_ = 0;
  std::vector<uint32_t> staging_;
};

}  // namespace pyxora
