// Which sound a shell plays, and when nothing plays at all.
#include "effects/fireworks/fireworks_sounds.h"

#include <string>
#include <vector>

#include "fireworks_fixture.h"
#include "render/sound_output.h"

namespace pyxora::testing {
namespace {

class FireworksSoundsTest : public FireworksTest {
 protected:
  void SetUp() override {
    FireworksTest::SetUp();
    SetSoundOutput([this](const std::string& path) { played_.push_back(path); });
    gFireSounds = {true, {"launch", "standard", "multi", "jet", "scint", "sparkle", "ring", "twister", "decay"}};
  }
  void TearDown() override {
    SetSoundOutput({});
    gFireSounds = {};
    FireworksTest::TearDown();
  }
  std::vector<std::string> played_;
};

TEST_F(FireworksSoundsTest, TheSwitchIsOnOnlyForExactlyOne) {
  const struct {
    const char* stored;
    bool on;
  } cases[] = {{"1", true}, {"0", false}, {"01", false}, {"1.0", false}, {"true", false}, {" 1", false}};
  std::array<std::string, 9> files;
  files[0] = "stale";
  bool on = true;
  Put(kSoundSection, "Fire_Twister", " spin.wav ");
  LoadFireSounds(on, files);
  EXPECT_FALSE(on);  // absent: off
  EXPECT_EQ(files[7], " spin.wav ");
  EXPECT_EQ(files[0], "");
  for (const auto& c : cases) {
    Put(kSoundSection, "SoundFX_ON", c.stored);
    LoadFireSounds(on, files);
    EXPECT_EQ(on, c.on) << "'" << c.stored << "'";
  }
}

TEST_F(FireworksSoundsTest, BlankNamesAndSoundsOffPlayNothing) {
  gFireSounds.Files[1] = "  ";
  gFireSounds.Files[2] = " boom.wav ";
  PlayFireSound(kSoundStandard);
  PlayFireSound(kSoundMultiBurst);
  PlayFireSound(9);
  PlayFireSound(-1);
  gFireSounds.SoundOn = false;
  PlayFireSound(kSoundLaunch);
  EXPECT_EQ(played_, std::vector<std::string>{" boom.wav "});  // as stored, blanks and all
}

// Each kind announces itself as it starts; a ring burst as a ring although it runs on
// as a standard burst, a multi-burst again as a standard burst when its sub-shells burst.
TEST_F(FireworksSoundsTest, EachKindPlaysItsOwnSound) {
  const struct {
    int16_t FireworksSettings::*percent;
    const char* sound;
  } cases[] = {
      {&FireworksSettings::FireLaunchPct, "launch"},   {nullptr, "standard"},
      {&FireworksSettings::FireScintPct, "scint"},     {&FireworksSettings::FireMultiPct, "multi"},
      {&FireworksSettings::FireBurstPct, "jet"},       {&FireworksSettings::FireSparkPct, "sparkle"},
      {&FireworksSettings::FireRingPct, "ring"},       {&FireworksSettings::FireTwistPct, "twister"},
      {&FireworksSettings::FireDecayPct, "decay"},
  };
  for (const auto& c : cases) {
    FireworksRun run(Settings([&](FireworksSettings& f) {
                       StandardOnly(f);
                       if (c.percent) f.*c.percent = 100;
                     }),
                     canvas_);
    played_.clear();
    StartShell(run, 0);
    EXPECT_EQ(played_, std::vector<std::string>{c.sound});
  }

  const FireworksSettings multi = Settings([](FireworksSettings& f) {
    StandardOnly(f);
    f.FireWorks = 1, f.FireMultiPct = 100, f.FireMultiAge = 8;
  });
  played_.clear();
  RunFrames(multi, 8);
  EXPECT_EQ(played_, (std::vector<std::string>{"multi", "standard"}));
}

}  // namespace
}  // namespace pyxora::testing
