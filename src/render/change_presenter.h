// Presenting a canvas by what changed. A particle frame changes a few thousand pixels
// scattered over the screen: those go out as points, one request per colour. Where
// changes crowd together (a clear, a dense cloud) whole blocks go out as images.
// Pixels written back to the value they showed are not sent: nothing changed, nothing
// sent. No toolkit here: the X11 and the Win32 ends are PresentTargets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/canvas.h"

namespace pyxora {

struct PresentPoint {  // the layout of an X11 point
  int16_t x, y;
};

// Where a frame goes: the X server or a Windows device context, a counter in tests.
class PresentTarget {
 public:
  virtual ~PresentTarget() = default;
  // Changed pixels that all have this stored colour (0xFFRRGGBB).
  virtual void Points(uint32_t pixel, const PresentPoint* points, size_t count) = 0;
  // A rectangle of the canvas as it is now.
  virtual void Image(const Canvas& canvas, const PixelRect& rect) = 0;
  // After a frame that sent anything.
  virtual void EndFrame() {}
  // From how many changed pixels in a block of 64 x 8 the block is cheaper sent whole.
  virtual int DenseBlockPixels() const { return 64; }
};

// What one frame sent.
struct PresentStats {
  size_t points = 0;       // pixels sent as points
  size_t colours = 0;      // point requests (one per colour)
  size_t images = 0;       // image rectangles
  size_t imagePixels = 0;  // pixels inside them
  size_t Pixels() const { return points + imagePixels; }
};

// Changes are counted by blocks of the screen: a block with many is sent whole.
inline constexpr int kPresentBlockWidth = 64;
inline constexpr int kPresentBlockHeight = 8;

class ChangePresenter {
 public:
  // Sends what changed since the last call and forgets it.
  PresentStats Present(Canvas& canvas, PresentTarget& target);

 private:
  void AddDenseRun(int left, int right, int top, int bottom);
  void GatherDenseRuns(int width, int height, size_t blocksAcross);
  void GroupByColour();

  // Scratch space kept between frames, so presenting allocates nothing once warm.
  std::vector<uint16_t> blockChanges_;  // per block, this frame; zero between frames
  std::vector<uint32_t> colours_;  // per changed pixel, then per pixel sent as a point
  std::vector<PresentPoint> points_;
  std::vector<uint32_t> changedBlock_, denseBlocks_;
  std::vector<uint32_t> groupOf_;
  std::vector<uint32_t> groupColour_, groupStart_;
  std::vector<PresentPoint> grouped_;
  std::vector<uint32_t> slotColour_, slotGroup_;
  std::vector<PixelRect> rects_;
  std::vector<size_t> previousBand_, currentBand_;
};

}  // namespace pyxora
