// The -fps readout: frames per second over each measuring period of a second or more.
#include "render/frame_rate.h"

#include <gtest/gtest.h>

namespace pyxora {
namespace {

TEST(FrameRate, RenewedOncePerSecondFromTheFramesShownInIt) {
  FrameRateCounter counter;
  EXPECT_EQ(counter.Text(), "FPS: 0.0");
  counter.CountFrame(5000);  // starts the first period
  for (uint32_t t = 5040; t < 6000; t += 40) counter.CountFrame(t);  // 24 frames in 960 ms
  EXPECT_EQ(counter.Rate(), 0.0);                                    // not yet a second
  counter.CountFrame(6000);                                          // 25 frames in 1000 ms
  EXPECT_DOUBLE_EQ(counter.Rate(), 25.0);
  EXPECT_EQ(counter.Text(), "FPS: 25.0");
  // The next period starts where the last ended: 8 frames over 1600 ms.
  for (uint32_t t = 6200; t <= 7600; t += 200) counter.CountFrame(t);
  EXPECT_DOUBLE_EQ(counter.Rate(), 5.0);
  EXPECT_EQ(counter.Text(), "FPS: 5.0");
}

TEST(FrameRate, ATickWrapIsAShortTime) {
  FrameRateCounter counter;
  counter.CountFrame(0xFFFFFF00u);
  for (int i = 1; i <= 3; ++i) counter.CountFrame(0xFFFFFF00u + 1000u * i / 3);  // wraps past 0
  EXPECT_NEAR(counter.Rate(), 3.0, 1e-9);
  EXPECT_EQ(counter.Text(), "FPS: 3.0");
}

}  // namespace
}  // namespace pyxora
