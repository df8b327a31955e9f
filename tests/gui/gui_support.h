// Shared set-up for widget tests: an empty in-memory store and default host state.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QRect>
#include <memory>

#include "render/saver_state.h"
#include "settings/settings.h"

namespace pyxora::testing {

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCurrentStore(std::make_unique<MemoryStore>());
    gState = SaverState{};
  }
  void TearDown() override {
    gState = SaverState{};
    SetCurrentStore(std::make_unique<MemoryStore>());
  }
};

// Pixels of exactly `colour` inside `area` of `image`.
inline int CountColour(const QImage& image, const QRect& area, QColor colour) {
  int count = 0;
  const QRect clipped = area.intersected(image.rect());
  for (int y = clipped.top(); y <= clipped.bottom(); ++y)
    for (int x = clipped.left(); x <= clipped.right(); ++x)
      if (QColor(image.pixel(x, y)).rgb() == colour.rgb()) ++count;
  return count;
}

}  // namespace pyxora::testing
