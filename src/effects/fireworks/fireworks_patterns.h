// The pixel patterns of scintillators, multi-burst heads, sparkles and decaying stars.
// Each is drawn once in the spark's colour and, a frame later with the same arguments,
// once in black, so the pattern's pixels are exactly those it erases.
#pragma once

#include <cstdint>

namespace pyxora {

class Canvas;

// S = focal / z. Size 5, 9, .. 37 draws that many pixels; any other size the centre only.
void DrawScintillator(Canvas& dc, float focal, int32_t px, int32_t py, float z, int16_t size, uint32_t colour);
// S = focal / z; rings of pixels by size (33 at 33 and above, the centre alone at 1 or less).
void DrawMultiHead(Canvas& dc, float focal, int32_t px, int32_t py, float z, int16_t size, uint32_t colour);
// S = focal / z; the pattern of FireSparkPix `sparkPix` (1..30).
void DrawSparkle(Canvas& dc, float focal, int16_t sparkPix, int32_t px, int32_t py, float z, uint32_t colour);
// S = focal / z * decayMSize * life * 0.1: shrinks as the star's life runs down.
void DrawDecayStar(Canvas& dc, float focal, float decayMSize, int32_t px, int32_t py, float z, int16_t life,
                   uint32_t colour);

}  // namespace pyxora
