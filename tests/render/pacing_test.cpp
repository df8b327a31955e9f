#include "render/pacing.h"

#include "support/test_support.h"

namespace pyxora {
namespace {

class Pacing : public testing::CoreTest {};

TEST_F(Pacing, WaitsOutTheFrameDelayFromTheFrameStart) {
  gState.FrameDelay = 40;
  host_.SetTick(1000);
  gState.FrameStartTick = 1000;
  host_.Advance(15);  // drawing took 15 ms
  EXPECT_FALSE(PaceFrame());
  EXPECT_EQ(host_.Tick(), 1040u);
  EXPECT_EQ(host_.presented, 1);
}

TEST_F(Pacing, ADelayOfZeroOrALateFrameProcessesEventsExactlyOnce) {
  for (int32_t delay : {0, 10}) {
    const uint64_t before = host_.EventPasses();
    gState.FrameDelay = delay;
    gState.FrameStartTick = host_.Tick();
    host_.Advance(25);
    const uint32_t start = host_.Tick();
    EXPECT_FALSE(WaitFrameDelay());
    EXPECT_EQ(host_.EventPasses() - before, 1u) << delay;
    EXPECT_EQ(host_.Tick(), start) << delay;
  }
}

TEST_F(Pacing, ATickWrapBetweenFramesReadsAsAShortTime) {
  gState.FrameDelay = 40;
  host_.SetTick(0xFFFFFFF0u);
  gState.FrameStartTick = 0xFFFFFFF0u;
  host_.Advance(32);  // wraps to 0x10
  EXPECT_FALSE(WaitFrameDelay());
  EXPECT_EQ(host_.Tick(), 0x18u);  // 8 more ms, not zero and not ~49 days
}

TEST_F(Pacing, AStopRequestedWhileWaitingEndsTheWaitAtOnce) {
  gState.FrameDelay = 500;
  gState.FrameStartTick = host_.Tick();
  const uint32_t start = host_.Tick();
  host_.onEvents = [] { gState.StopRequested = true; };
  EXPECT_TRUE(PaceFrame());
  EXPECT_EQ(host_.Tick(), start);
  EXPECT_TRUE(gState.StopRequested);
}

TEST_F(Pacing, APreviewWhoseHostWindowHasGoneStops) {
  gState.Mode = RunMode::Preview;
  gState.PreviewParent = 66130;
  gState.FrameDelay = 0;
  EXPECT_FALSE(PaceFrame());
  host_.windowGone = true;
  EXPECT_TRUE(PaceFrame());
  EXPECT_TRUE(gState.StopRequested);
  gState.PreviewParent = 0;  // a parent of 0 is never a window
  host_.windowGone = false;
  gState.StopRequested = false;
  EXPECT_TRUE(PaceFrame());
  gState.Mode = RunMode::Saver;  // outside the preview the parent is not consulted
  gState.StopRequested = false;
  EXPECT_FALSE(PaceFrame());
}

TEST_F(Pacing, WaitNextTickWaitsForTheTickToChange) {
  const uint32_t start = host_.Tick();
  WaitNextTick();
  EXPECT_GE(host_.Tick() - start, 1u);
}

TEST_F(Pacing, CycleFramesCountOnlyWithAPositiveLimit) {
  for (int32_t limit : {0, -5}) {
    gState.CycleFrameLimit = limit;
    gState.CycleFrameCount = 0;
    for (int i = 0; i < 1000; ++i) ASSERT_FALSE(AdvanceCycleFrame());
    EXPECT_EQ(gState.CycleFrameCount, 0);
  }
  gState.CycleFrameLimit = 100;
  gState.CycleFrameCount = 0;
  for (int i = 1; i < 100; ++i) ASSERT_FALSE(AdvanceCycleFrame()) << i;
  EXPECT_TRUE(AdvanceCycleFrame());
}

}  // namespace
}  // namespace pyxora
