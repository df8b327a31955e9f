// The Properties window's live preview, without the window: the selected effect runs
// on the preview box's surface with the fields as typed, until a preview stop.
#pragma once

#include "settings/properties_model.h"

namespace pyxora {

class Canvas;

// Sets the camera, pacing and colours up for a `width` x `height` surface (focal
// length, performance multiplier, frame delay and starting hue from the store; the
// colour levels and percentages from the boxes, clamped), then calls the selected
// effect's preview entry with no frame limit. False when the effect has no preview
// (the retired entry): nothing ran. The surface is released before returning.
bool RunPropertiesPreview(const PropertiesModel& props, Canvas& surface, int width, int height);

// The colour fields of the boxes, clamped as the window clamps them, into the shared
// colour settings, and the hue wheel rebuilt from them.
void ApplyPreviewColours(const PropertiesModel& props);

}  // namespace pyxora
