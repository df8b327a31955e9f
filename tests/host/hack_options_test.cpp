// The hack's command line: which lines are hack lines at all, what each option sets,
// which values are refused and with what words, and where the hack then draws.
#include "host/hack_options.h"

#include "effects/gravity/gravity_settings.h"
#include "host/command_line.h"
#include "host/hack_driver.h"
#include "render/canvas.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

using Args = std::vector<std::string>;

TEST(HackCommandLine, OnlyAFirstArgumentThatIsAHackOptionLeavesTheSaverDispatch) {
  const std::vector<std::pair<Args, bool>> cases = {
      {{"-root"}, true},          {{"-window-id", "5"}, true}, {{"-window"}, true},
      {{"-fps", "-root"}, true},  {{"-delay", "1"}, true},     {{"-effect", "warp"}, true},
      {{"-preset", "1"}, true},   {{"-Grav_Pixels", "9"}, true}, {{"-grav_pixels", "9"}, true},
      {{}, false},                {{"/s"}, false},             {{"-s"}, false},
      {{"--root"}, true},         {{"--Grav_Pixels", "9"}, true}, {{"---root"}, false},
      {{"--render"}, false},      {{"-rootx"}, false},         {{"-"}, false},
      {{"-Grav_"}, false},        {{"/p", "-root"}, false},    {{"theme.pxt", "-root"}, false},
  };
  for (const auto& [args, hack] : cases) EXPECT_EQ(IsHackCommandLine(args), hack) << JoinArguments(args);
}

TEST(HackCommandLine, WindowIdsAreDecimalOrHexAndNameA32BitWindow) {
  const std::vector<std::pair<std::string, std::optional<uint32_t>>> cases = {
      {"123", 123},     {"0x1a", 26},        {"0X1A", 26},          {"4294967295", 0xFFFFFFFFu},
      {"0xFFFFFFFF", 0xFFFFFFFFu}, {"0", std::nullopt}, {"0x0", std::nullopt}, {"4294967296", std::nullopt},
      {"0x100000000", std::nullopt}, {"0x", std::nullopt}, {"-5", std::nullopt}, {"+5", std::nullopt},
      {"12ab", std::nullopt}, {"", std::nullopt}, {" 5", std::nullopt}, {"0x1g", std::nullopt},
  };
  for (const auto& [text, id] : cases) EXPECT_EQ(ParseWindowId(text), id) << text;
}

HackOptions Parse(const Args& args) {
  auto parsed = ParseHackOptions(args);
  if (auto* error = std::get_if<std::string>(&parsed)) {
    ADD_FAILURE() << error;
    return {};
  }
  return std::get<HackOptions>(parsed);
}

TEST(HackCommandLine, EachOptionSetsItsOwnValueAndTheLastTargetWins) {
  EXPECT_EQ(Parse({"-fps"}).target, HackTarget::OwnWindow);
  EXPECT_EQ(Parse({"-root"}).target, HackTarget::Root);
  EXPECT_EQ(Parse({"--root"}).target, HackTarget::Root);  // as XScreenSaver 6 may pass it
  EXPECT_EQ(Parse({"--window-id", "9", "--fps"}).windowId, 9u);
  const HackOptions id = Parse({"-root", "-window-id", "0x20"});
  EXPECT_EQ(id.target, HackTarget::WindowId);
  EXPECT_EQ(id.windowId, 32u);
  EXPECT_EQ(Parse({"-window-id", "7", "-window"}).target, HackTarget::OwnWindow);
  EXPECT_EQ(Parse({"-window-id", "7", "-root"}).target, HackTarget::Root);

  const HackOptions all = Parse({"-delay", "20000", "-fps", "-effect", "gravity", "-preset", "5", "-root"});
  EXPECT_EQ(all.delayMicroseconds, 20000);
  EXPECT_TRUE(all.showFps);
  ASSERT_NE(all.effect, nullptr);
  EXPECT_EQ(all.effect->index, 4);
  EXPECT_EQ(all.preset, 5);
  EXPECT_FALSE(Parse({"-root"}).showFps);
  EXPECT_FALSE(Parse({"-root"}).delayMicroseconds.has_value());
  EXPECT_EQ(Parse({"-delay", "0"}).delayMicroseconds, 0);

  // Keys match as the store matches them and keep their declared spelling.
  const HackOptions keys = Parse({"-root", "-grav_PIXELS", "500", "-Warp_Persist", " 0.5 ", "-Grav_Pixels", "7"});
  const std::vector<HackSetting> expected = {
      {kGravitySection, "Grav_Pixels", "500"}, {"B-SplineWarp", "Warp_Persist", "0.5"}, {kGravitySection, "Grav_Pixels", "7"}};
  EXPECT_EQ(keys.settings, expected);
}

TEST(HackCommandLine, BadValuesAreRefusedWithWhatIsWrong) {
  const std::vector<std::pair<Args, std::string>> cases = {
      {{"-root", "-bogus"}, "unknown option '-bogus'"},
      {{"-root", "/s"}, "unknown option '/s'"},
      {{"-delay"}, "-delay needs a value"},
      {{"-root", "-Grav_Pixels"}, "-Grav_Pixels needs a value"},
      {{"-delay", "-5"}, "-delay needs a number of microseconds, not '-5'"},
      {{"-delay", "1.5"}, "-delay needs a number of microseconds, not '1.5'"},
      {{"-delay", "2147483648"}, "-delay needs a number of microseconds, not '2147483648'"},
      {{"-window-id", "abc"}, "-window-id needs an X11 window id (decimal or 0x hex), not 'abc'"},
      {{"-window-id", "0"}, "-window-id needs an X11 window id (decimal or 0x hex), not '0'"},
      {{"-effect", "stars"}, "unknown effect 'stars' (fireworks, warp, sparklers, gravity, galaxy)"},
      {{"-preset", "2"}, "-preset needs -effect"},
      {{"-preset", "x"}, "-preset needs a preset number, not 'x'"},
      {{"-preset", "32768"}, "-preset needs a preset number, not '32768'"},
      {{"-effect", "warp", "-preset", "1"}, "the effect 'warp' has no preset 1"},
      {{"-effect", "gravity", "-preset", "6"}, "the effect 'gravity' has no preset 6"},
      {{"-Grav_Pixels", "many"}, "-Grav_Pixels needs a number, not 'many'"},
  };
  for (const auto& [args, message] : cases) {
    auto parsed = ParseHackOptions(args);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << JoinArguments(args);
    EXPECT_EQ(std::get<std::string>(parsed), message);
  }
  // Presets 1 and themeCount are the ends of the range.
  EXPECT_EQ(Parse({"-effect", "gravity", "-preset", "1"}).preset, 1);
  EXPECT_EQ(Parse({"-effect", "gravity", "-preset", "0"}).preset, 0);
}

TEST(HackCommandLine, AnEffectThatCannotRunYetIsNamedSo) {
  EffectTable table = Effects();
  table[4].run = nullptr;
  auto parsed = ParseHackOptions({"-effect", "gravity"}, table);
  ASSERT_TRUE(std::holds_alternative<std::string>(parsed));
  EXPECT_EQ(std::get<std::string>(parsed), "the effect 'gravity' cannot run yet");
}

TEST(HackCommandLine, RootMeansTheDaemonsWindowWhenItNamesOne) {
  HackOptions root;
  root.target = HackTarget::Root;
  using W = HackWindow;
  EXPECT_EQ(std::get<W>(ChooseHackWindow(root, nullptr)), (W{W::Root, 0}));
  EXPECT_EQ(std::get<W>(ChooseHackWindow(root, "")), (W{W::Root, 0}));
  EXPECT_EQ(std::get<W>(ChooseHackWindow(root, "0x400008")), (W{W::Foreign, 0x400008}));
  EXPECT_EQ(std::get<W>(ChooseHackWindow(root, "4194312")), (W{W::Foreign, 4194312}));
  EXPECT_EQ(std::get<std::string>(ChooseHackWindow(root, "junk")), "XSCREENSAVER_WINDOW is not a window id: 'junk'");

  HackOptions id;
  id.target = HackTarget::WindowId;
  id.windowId = 77;
  EXPECT_EQ(std::get<W>(ChooseHackWindow(id, "0x400008")), (W{W::Foreign, 77}));
  EXPECT_EQ(std::get<W>(ChooseHackWindow(HackOptions{}, "0x400008")), (W{W::Own, 0}));
}

TEST(HackCommandLine, DelayRoundsToTheNearestMillisecond) {
  const std::vector<std::pair<int64_t, int32_t>> cases = {
      {0, 0}, {499, 0}, {500, 1}, {1499, 1}, {25499, 25}, {40000, 40}, {2147483647, 2147484}};
  for (const auto& [us, ms] : cases) EXPECT_EQ(DelayMilliseconds(us), ms) << us;
}

class HackSettings : public testing::CoreTest {
 protected:
  // The stored values the user saved, under the hack's values.
  MemoryStore* Install(const Args& args) {
    auto stored = std::make_unique<MemoryStore>();
    MemoryStore* raw = stored.get();
    for (const auto& [section, key, value] : std::vector<std::array<std::string, 3>>{
             {"General", "AnimationType", "2"}, {"Advanced", "Adv_PickPXRA", "37"},
             {"Advanced", "Adv_TimeDelay", "10"}, {kGravitySection, "Grav_Pixels", "100"},
             {kGravitySection, "Grav_Emitters", "3"}})
      raw->Write(kUserRoot, SettingsKeyPath(section), key, value);
    InstallHackSettings(Parse(args), std::move(stored));
    return raw;
  }
};

TEST_F(HackSettings, CommandLineValuesAreReadOverTheStoredOnesWithoutBeingWritten) {
  MemoryStore* stored = Install({"-root", "-effect", "gravity", "-delay", "25499", "-Grav_Pixels", "500"});
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), 4);
  EXPECT_EQ(GetSettingLng("Advanced", "Adv_PickPXRA", -1), 0);
  EXPECT_EQ(GetSettingLng("Advanced", "Adv_TimeDelay", -1), 25);
  EXPECT_EQ(GetSettingInt(kGravitySection, "grav_pixels", -1), 500);
  EXPECT_EQ(GetSettingInt(kGravitySection, "Grav_Emitters", -1), 3);  // not given: the stored value
  EXPECT_EQ(stored->Read(kUserRoot, SettingsKeyPath(kGravitySection), "Grav_Pixels"), "100");
  EXPECT_EQ(stored->Read(kUserRoot, SettingsKeyPath("General"), "AnimationType"), "2");
}

TEST_F(HackSettings, WithoutOptionsTheStoredChoiceStands) {
  Install({"-root"});
  EXPECT_EQ(GetSettingInt("General", "AnimationType", -1), 2);
  EXPECT_EQ(GetSettingLng("Advanced", "Adv_PickPXRA", -1), 37);
  EXPECT_EQ(GetSettingLng("Advanced", "Adv_TimeDelay", -1), 10);
}

TEST_F(HackSettings, TheDriverRunsTheChosenEffectWithTheGivenValuesOrItsPreset) {
  Canvas canvas;
  host_.onEvents = [this] {
    if (host_.presented >= 3) gState.StopRequested = true;
  };
  Install({"-root", "-effect", "gravity", "-Grav_Pixels", "500"});
  RunHackDriver(Parse({"-root", "-effect", "gravity", "-Grav_Pixels", "500"}), {&canvas, 160, 120, false});
  EXPECT_EQ(gGravitySettings.Pixels, 500);
  EXPECT_EQ(gGravitySettings.Emitters, 3);
  EXPECT_GT(canvas.CountLitPixels(), 0u);

  host_.presented = 0;
  const Args preset = {"-root", "-effect", "gravity", "-preset", "2", "-Grav_Pixels", "500"};
  Install(preset);
  RunHackDriver(Parse(preset), {&canvas, 160, 120, false});
  GravitySettings expected = GravityDefaults();
  ApplyGravityTheme(2, expected);
  EXPECT_EQ(gGravitySettings, expected);
  EXPECT_EQ(gGravitySettings.Pixels, 4000);
}

}  // namespace
}  // namespace pyxora
