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

// A multi-burst announces itself, then its sub-shells burst as a standard burst.
TEST_F(FireworksSoundsTest, AMultiBurstSoundsTwice) {
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
