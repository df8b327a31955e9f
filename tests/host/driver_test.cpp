#include "host/driver.h"

#include <string>
#include <vector>

#include "render/canvas.h"
#include "render/viewport.h"
#include "settings/placement.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

// Records what the driver asks of the effects: "L<index>:<config>:<T|F>" for a load,
// "R<index>@<frame limit>" for a run. The run that reaches `runsBeforeStop` stops the display.
struct Recorder {
  std::vector<std::string> calls;
  std::vector<int32_t> countsAtStart;  // CycleFrameCount as each run began
  int runs = 0;
  int runsBeforeStop = 40;
};
Recorder* gRecorder = nullptr;

template <int Index>
void RecordLoad(int16_t config, bool applyPerfMult) {
  std::string call = "L";  // appended: GCC 12 warns falsely about "L" + text at -O3
  call += std::to_string(Index) + ":" + std::to_string(config) + ":" + (applyPerfMult ? "T" : "F");
  gRecorder->calls.push_back(call);
}

template <int Index>
void RecordRun() {
  std::string call = "R";
  call += std::to_string(Index) + "@" + std::to_string(gState.CycleFrameLimit);
  gRecorder->calls.push_back(call);
  gRecorder->countsAtStart.push_back(gState.CycleFrameCount);
  gState.CycleFrameCount = 777;  // the run used frames of its limit
  if (++gRecorder->runs >= gRecorder->runsBeforeStop) gState.StopRequested = true;
}

EffectTable RecordingTable() {
  EffectTable table = Effects();
  table[0].load = RecordLoad<0>, table[0].run = RecordRun<0>;
  table[2].load = RecordLoad<2>, table[2].run = RecordRun<2>;
  table[3].load = RecordLoad<3>, table[3].run = RecordRun<3>;
  table[4].load = RecordLoad<4>, table[4].run = RecordRun<4>;
  table[5].load = RecordLoad<5>, table[5].run = RecordRun<5>;
  return table;
}

class Driver : public testing::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    gRecorder = &recorder_;
  }
  std::vector<std::string> Run(DriverVariant variant, int runs, DriverHooks hooks = {}) {
    recorder_.calls.clear();
    recorder_.runs = 0;
    recorder_.runsBeforeStop = runs;
    // The preview's surface measures in twips.
    const int scale = variant == DriverVariant::Preview ? gTwipsPerPixel.x : 1;
    RunEffectDriver(variant, DisplaySurface{&canvas_, 64 * scale, 48 * scale, variant != DriverVariant::Preview},
                    hooks, RecordingTable());
    return recorder_.calls;
  }
  // Only the runs, in order.
  static std::vector<std::string> Runs(const std::vector<std::string>& calls) {
    std::vector<std::string> runs;
    for (const auto& call : calls)
      if (call[0] == 'R') runs.push_back(call);
    return runs;
  }

  Recorder recorder_;
  Canvas canvas_;
};

using Calls = std::vector<std::string>;

TEST_F(Driver, ASingleSelectedEffectRunsAgainAndAgainWithItsStoredSettings) {
  Put("General", "AnimationType", "4");
  EXPECT_EQ(Run(DriverVariant::Saver, 3), (Calls{"L4:0:F", "R4@0", "L4:0:F", "R4@0", "L4:0:F", "R4@0"}));
  Put("General", "AnimationType", "9");  // clamped to Galaxies
  EXPECT_EQ(Run(DriverVariant::Windowed, 1), (Calls{"L5:0:F", "R5@0"}));
  Put("General", "AnimationType", "2");
  EXPECT_EQ(Run(DriverVariant::Preview, 1), (Calls{"L2:0:T", "R2@0"}));
}

TEST_F(Driver, EveryRunStartsWithNoFramesCountedAgainstItsLimit) {
  Run(DriverVariant::Saver, 4);  // the built-in sequence
  Put("Advanced", "Adv_PickPXRA", "28");
  Put("General", "AnimationType", "2");
  Run(DriverVariant::Saver, 4);  // cycling
  Put("Advanced", "Adv_PickPXRA", "0");
  Run(DriverVariant::Windowed, 3);  // one effect
  EXPECT_EQ(recorder_.countsAtStart, std::vector<int32_t>(11, 0));
}

TEST_F(Driver, MaskThirtyThreeAlternatesFireworksAndGalaxiesLoadingTheSkippedEffects) {
  Put("General", "AnimationType", "0");
  Put("Advanced", "Adv_PickPXRA", "33");
  Put("Advanced", "Adv_EffectFPC", "500");
  EXPECT_EQ(Run(DriverVariant::Saver, 3),
            (Calls{"L0:0:T", "R0@500", "L2:0:T", "L3:0:T", "L4:0:T", "L5:0:T", "R5@500", "L0:0:T", "R0@500"}));
}

TEST_F(Driver, MaskNinetySevenRunsTheThirteenFireworksThemesThenOneGalaxy) {
  Put("General", "AnimationType", "0");
  Put("Advanced", "Adv_PickPXRA", "97");
  const Calls calls = Run(DriverVariant::Saver, 15);
  Calls expected;
  for (int theme = 1; theme <= 13; ++theme) expected.push_back("L0:" + std::to_string(theme) + ":T");
  expected.insert(expected.end(), {"L2:0:T", "L3:0:T", "L4:0:T", "L5:0:T", "L0:1:T"});
  Calls loads;
  for (const auto& call : calls)
    if (call[0] == 'L') loads.push_back(call);
  loads.resize(expected.size());
  EXPECT_EQ(loads, expected);
  EXPECT_EQ(Runs(calls).size(), 15u);
  EXPECT_EQ(Runs(calls)[13], "R5@0");
}

TEST_F(Driver, GalaxyThemesBitRunsSixteenPresets) {
  Put("General", "AnimationType", "5");
  Put("Advanced", "Adv_PickPXRA", "160");  // 32 + 128
  const Calls calls = Run(DriverVariant::Saver, 17);
  int galaxyLoads = 0;
  for (const auto& call : calls)
    if (call.rfind("L5:", 0) == 0) {
      EXPECT_EQ(call, "L5:" + std::to_string(galaxyLoads++ % 16 + 1) + ":T");
    }
  EXPECT_EQ(galaxyLoads, 17);
}

TEST_F(Driver, TheSaverSequenceShowsEveryEffectWithItsFrameLimits) {
  const Calls runs = Runs(Run(DriverVariant::Saver, 33));
  Calls expected(13, "R0@800");
  expected.insert(expected.end(), {"R2@1000", "R3@1000", "R4@3000"});
  expected.insert(expected.end(), 16, "R5@1000");
  expected.push_back("R0@800");
  EXPECT_EQ(runs, expected);
}

TEST_F(Driver, TheWindowedSequenceStartsWithGalaxiesAndNeverShowsWarp) {
  const Calls calls = Run(DriverVariant::Windowed, 32);
  Calls expected(16, "R5@1000");
  expected.insert(expected.end(), 13, "R0@800");
  expected.insert(expected.end(), {"R3@1000", "R4@3000", "R5@1000"});
  EXPECT_EQ(Runs(calls), expected);
  EXPECT_EQ(calls[0], "L5:1:T");
  EXPECT_EQ(calls[2 * 16], "L0:1:T");
}

TEST_F(Driver, TheSequencePositionLivesAsLongAsTheWindow) {
  SequenceState sequence;
  DriverHooks hooks;
  hooks.sequence = &sequence;
  Run(DriverVariant::Saver, 2, hooks);
  EXPECT_EQ(Run(DriverVariant::Saver, 1, hooks), (Calls{"L0:3:T", "R0@800"}));
}

TEST_F(Driver, ThePreviewWithoutASelectionCyclesFourEffectsScaledDown) {
  Put("Advanced", "Adv_PerfMult", "2.0");
  const Calls calls = Run(DriverVariant::Preview, 5);
  EXPECT_EQ(calls, (Calls{"L0:0:T", "R0@1000", "L2:0:T", "R2@1000", "L3:0:T", "L4:0:T", "R4@1000", "L5:0:T",
                          "R5@1000", "L0:0:T", "R0@1000"}));
  EXPECT_FLOAT_EQ(gState.PerfMult, 1.2f);
}

TEST_F(Driver, ThePreviewTakesItsFrameLimitFromTheStoredTextWithoutTheLowerClamp) {
  Put("General", "AnimationType", "3");
  Put("Advanced", "Adv_PickPXRA", "1024");  // AND 1023 leaves no bit: a single effect
  Put("Advanced", "Adv_EffectFPC", "50.5");
  EXPECT_EQ(Run(DriverVariant::Preview, 1)[1], "R3@50");
  Put("Advanced", "Adv_EffectFPC", "abc");  // keeps what the Advanced load set (0 here)
  EXPECT_EQ(Run(DriverVariant::Preview, 1)[1], "R3@0");
  Put("Advanced", "Adv_EffectFPC", "99999");
  EXPECT_EQ(Run(DriverVariant::Preview, 1)[1], "R3@30000");
}

TEST_F(Driver, APassThatRunsNothingWaitsAFrameAndStillHearsTheStop) {
  Put("General", "AnimationType", "1");
  gState.FrameDelay = 40;
  int passes = 0;
  host_.onEvents = [&] {
    if (++passes == 5) gState.StopRequested = true;
  };
  const uint32_t start = host_.Tick();
  EXPECT_TRUE(Run(DriverVariant::Saver, 100).empty());
  EXPECT_GE(host_.Tick() - start, 40u * 2);  // it waited instead of spinning

  passes = 0;
  Put("Advanced", "Adv_PickPXRA", "64");  // loads the fireworks themes, runs nothing
  const Calls calls = Run(DriverVariant::Saver, 100);
  EXPECT_TRUE(Runs(calls).empty());
  EXPECT_EQ(calls.front(), "L0:1:T");
}

TEST_F(Driver, SaverStartReadsTheMouseAndBackgroundOptionsAsText) {
  Put("General", "AnimationType", "4");
  Put("Advanced", "Adv_MouseMove", "1");
  Put("Advanced", "Adv_DispBackG", "1.0");
  int messages = 0;
  DriverHooks hooks;
  hooks.showMessage = [&] { ++messages; };
  Run(DriverVariant::Saver, 1, hooks);
  EXPECT_TRUE(gState.IgnoreMouseMove);
  EXPECT_FALSE(gState.DisplayOnBackground);
  EXPECT_EQ(messages, 1);
  Run(DriverVariant::Preview, 1, hooks);
  EXPECT_EQ(messages, 1);  // the preview shows no message
  EXPECT_EQ(gViewport.Width, 64);
}

}  // namespace
}  // namespace pyxora
