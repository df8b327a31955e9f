#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "base/system.h"
#include "host/about_miniatures.h"
#include "host/advanced_form.h"
#include "host/diagnostics.h"
#include "host/file_choice.h"
#include "host/help_topics.h"
#include "host/properties_fields.h"
#include "host/properties_layout.h"
#include "host/properties_preview.h"
#include "render/saver_state.h"
#include "host/sound_form.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/viewport.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

class DialogForms : public testing::CoreTest {
 protected:
  std::string Adv(const char* key) { return GetSettingStr(kAdvancedSection, key, "unset"); }
};

TEST_F(DialogForms, AdvancedLoadsStoredValuesAndEffectBits) {
  AdvancedFields f = LoadAdvancedFields();
  EXPECT_EQ(f.txtAdv[kAdvFrameDelay], "40");
  EXPECT_EQ(f.txtAdv[kAdvFocalLength], "1.0");
  EXPECT_EQ(f.txtAdv[kAdvFramesPerEffect], "1000");
  EXPECT_EQ(f.fontName, "Arial");
  EXPECT_FALSE(f.cycle);

  Put("Advanced", "Adv_PickPXRA", "133");  // 128 + 4 + 1
  Put("Advanced", "Adv_PxraCycle", "1");
  Put("Advanced", "Adv_MouseMove", "true");  // only "1" ticks a box
  Put("Advanced", "Adv_FontSize", "33");
  f = LoadAdvancedFields();
  const std::array<bool, 8> expected{true, false, true, false, false, false, false, true};
  EXPECT_EQ(f.effects, expected);
  EXPECT_TRUE(f.cycle);
  EXPECT_FALSE(f.mouseMove);
  EXPECT_EQ(f.txtAdv[kAdvFontSize], "33");
}

TEST_F(DialogForms, AdvancedOkNeedsAnEffectWhenCycling) {
  AdvancedFields f = LoadAdvancedFields();
  f.cycle = true;
  f.effects[6] = f.effects[7] = true;  // "All Themes" alone names no effect
  EXPECT_EQ(SaveAdvancedFields(f), std::optional<std::string>("Please select one or more Effects."));
  EXPECT_EQ(Adv("Adv_PxraCycle"), "unset");  // nothing written
  for (int box : {0, 2, 3, 4, 5}) {
    AdvancedFields one = f;
    one.effects[static_cast<size_t>(box)] = true;
    EXPECT_EQ(ValidateAdvanced(one), std::nullopt) << box;
  }
  f.cycle = false;
  EXPECT_EQ(ValidateAdvanced(f), std::nullopt);
}

TEST_F(DialogForms, AdvancedOkClampsAndWritesInOrder) {
  AdvancedFields f = LoadAdvancedFields();
  f.txtAdv[kAdvFrameDelay] = "1500";
  f.txtAdv[kAdvFocalLength] = "0";
  f.txtAdv[kAdvFontSize] = "5";
  f.txtAdv[kAdvFontHue] = "400";
  f.txtAdv[kAdvFramesPerEffect] = "50";
  f.txtAdv[kAdvPerfMult] = "12";
  f.txtAdv[kAdvHueStart] = "359";
  f.message = "  hello there ";
  f.fontName = "DejaVu Sans";
  f.cycle = true;
  f.effects = {true, false, false, true, false, true, true, false};
  f.backGround = true;
  ASSERT_EQ(SaveAdvancedFields(f), std::nullopt);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Adv_FontName", "DejaVu Sans"}, {"LockMessage", "hello there"}, {"Adv_TimeDelay", "999"},
      {"FocalLength", "0.01"},         {"Adv_FontSize", "10"},         {"Adv_FontHueV", "359"},
      {"Adv_PxraCycle", "1"},          {"Adv_EffectFPC", "100"},       {"Adv_PerfMult", "9.9"},
      {"Adv_HueStart", "359"},         {"Adv_PickPXRA", "105"},        {"Adv_WinResize", "0"},
      {"Adv_MouseMove", "0"},          {"Adv_DispBackG", "1"},
  };
  EXPECT_EQ(AdvancedWrites(f), expected);
  for (const auto& [key, value] : expected) EXPECT_EQ(Adv(key.c_str()), value) << key;

  f.cycle = false;
  f.txtAdv[kAdvFramesPerEffect] = "5000";
  ASSERT_EQ(SaveAdvancedFields(f), std::nullopt);
  EXPECT_EQ(Adv("Adv_EffectFPC"), "0");
  EXPECT_EQ(Adv("Adv_PxraCycle"), "0");
}

TEST_F(DialogForms, AdvancedDefaultsResetTheNamedBoxesOnly) {
  AdvancedFields f;
  f.txtAdv.fill("7");
  f.fontName = "Other";
  f.message = "kept";
  f.cycle = true;
  ApplyAdvancedDefaults(f);
  EXPECT_EQ(f.fontName, "Arial");
  EXPECT_EQ(f.txtAdv[kAdvFrameDelay], "40");
  EXPECT_EQ(f.txtAdv[kAdvFocalLength], "1.0");
  EXPECT_EQ(f.txtAdv[kAdvFontSize], "20");
  EXPECT_EQ(f.txtAdv[kAdvFontHue], "180");
  EXPECT_EQ(f.txtAdv[kAdvFramesPerEffect], "1000");
  EXPECT_EQ(f.txtAdv[kAdvHueStart], "0");
  EXPECT_EQ(f.txtAdv[kAdvPerfMult], "7");
  EXPECT_EQ(f.message, "kept");
  EXPECT_TRUE(f.cycle);
}

TEST_F(DialogForms, AdvancedArrowsStepWithinTheRange) {
  struct Case { int box; const char* text; int direction; const char* expected; };
  const Case cases[] = {
      {kAdvFrameDelay, "40", 1, "41"},     {kAdvFrameDelay, "0", -1, "0"},       {kAdvFrameDelay, "999", 1, "999"},
      {kAdvFocalLength, "1.0", 1, "1.1"},  {kAdvFocalLength, "0.01", -1, "0.01"}, {kAdvPerfMult, "9.9", 1, "9.9"},
      {kAdvFramesPerEffect, "100", -1, "100"}, {kAdvFontSize, "abc", 1, "10"},
  };
  for (const Case& c : cases) EXPECT_EQ(AdvancedArrowText(c.box, c.text, c.direction), c.expected) << c.box << " " << c.text;
  EXPECT_FALSE(AdvancedArrowText(5, "3", 1)) << "a box without a range ignores the arrows";
}

TEST_F(DialogForms, FileChoiceNeedsAnExistingFileToOpenAndANameToSave) {
  // Paths in this system's own spelling (backslashes on Windows).
  const auto native = [](const char* path) { return *path ? Utf8FromPath(PathFromUtf8(path).lexically_normal()) : ""; };
  const auto exists = [&](const std::string& path) { return path == native("/looks/night.pxt"); };
  struct Case { bool open; const char* name; const char* extension; const char* path; const char* message; };
  const Case cases[] = {
      {true, "night.pxt", "pxt", "/looks/night.pxt", nullptr},
      {true, "night", "pxt", "", kExistingFileMessage},  // opening adds no extension
      {true, "  ", "pxt", "", kExistingFileMessage},
      {false, "", "pxt", "", kFileNameMessage},
      {false, " \t", "pxt", "", kFileNameMessage},
      {false, "night", "pxt", "/looks/night.pxt", nullptr},
      {false, "night.v2", "pxt", "/looks/night.v2", nullptr},
      {false, "night", "", "/looks/night", nullptr},
      {false, "../calm", "pxt", "/calm", nullptr},  // any dot in the typed name counts
      {false, "/srv/calm", "pxt", "/srv/calm.pxt", nullptr},
  };
  for (const Case& c : cases) {
    const FileChoice choice = ChooseFile(c.open, "/looks", c.name, c.extension, exists);
    EXPECT_EQ(choice.path, native(c.path)) << c.name;
    EXPECT_STREQ(choice.message, c.message) << c.name;
  }
}

TEST_F(DialogForms, FileFilterSplitsIntoTypes) {
  struct Case { const char* filter; std::vector<std::string> expected; };
  const Case cases[] = {
      {"Pyxora Templates (*.pxt)|*.pxt|All Files (*.*)|*.*|",
       {"Pyxora Templates (*.pxt)", "*.pxt", "All Files (*.*)", "*.*"}},
      {"Waveforms (*.wav)|*.wav", {"Waveforms (*.wav)", "*.wav"}},
      {"||Sounds|*.wav|", {"Sounds", "*.wav"}},
      {"", {"All Files (*.*)", "*.*"}},
      {"odd|", {"All Files (*.*)", "*.*"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> flat;
    for (const FileType& type : SplitFileFilter(c.filter)) flat.insert(flat.end(), {type.description, type.pattern});
    EXPECT_EQ(flat, c.expected) << c.filter;
  }
}

TEST_F(DialogForms, TheTemplateFolderIsRememberedWithItsRoot) {
  EXPECT_EQ(RememberedTemplateFolder(), "");
  RememberTemplateFolder("/home/ann/looks/night.pxt");
  EXPECT_EQ(GetSettingStr("Template", "Path_Dir", ""), "/home/ann/looks");
  EXPECT_EQ(GetSettingStr("Template", "Path_Drive", ""), "/");
  EXPECT_EQ(RememberedTemplateFolder(), "/home/ann/looks");
  SaveSettingStr("Template", "Path_Drive", "");
  EXPECT_EQ(RememberedTemplateFolder(), "") << "the two keys are read together";
}

// Every control an effect's rows declare stands exactly once in that effect's frame,
// so neither platform side can lose a field or show one twice.
TEST_F(DialogForms, EachEffectFrameHoldsEachOfItsControlsOnce) {
  const std::vector<EffectFrameLayout>& frames = EffectFrameLayouts();
  ASSERT_EQ(frames.size(), 6u);
  std::map<std::pair<std::string, int>, int> seen;  // (name, index) -> count, per effect
  std::function<void(const std::vector<LayoutItem>&, int)> count = [&](const std::vector<LayoutItem>& items, int effect) {
    for (const LayoutItem& item : items) {
      if (item.kind == LayoutItemKind::Boxes)
        for (int index : item.boxes) ++seen[{item.name + "@" + std::to_string(effect), index}];
      if (item.kind == LayoutItemKind::Check || item.kind == LayoutItemKind::List)
        ++seen[{item.name + "@" + std::to_string(effect), -1}];
      count(item.children, effect);
    }
  };
  for (size_t effect = 0; effect < frames.size(); ++effect) count(frames[effect].items, static_cast<int>(effect));
  size_t expected = 0;
  for (const PropertiesControl& control : PropertiesControls()) {
    if (control.effect < 0) continue;
    ++expected;
    EXPECT_EQ((seen[{std::string(control.name) + "@" + std::to_string(control.effect), control.index}]), 1)
        << control.name << " " << control.index;
  }
  size_t placed = 0;
  for (const auto& [key, times] : seen) placed += key.first.rfind("cboGalPlane", 0) == 0 ? 0 : 1;
  EXPECT_EQ(placed, expected) << "a frame shows a control no row declares";
}

// A close asked for while the preview's loop runs waits for the loop, which is told to
// stop; a second preview cannot start under a loop still finishing its frame.
TEST_F(DialogForms, PreviewSessionDefersACloseUntilTheLoopReturns) {
  PreviewSession session;
  gState.StopRequested = gState.PreviewStopRequested = true;
  ASSERT_TRUE(session.Start());
  EXPECT_TRUE(session.Showing());
  EXPECT_FALSE(gState.StopRequested || gState.PreviewStopRequested) << "starting clears the stop requests";
  std::vector<int> closes;
  session.Run(
      [&] {
        EXPECT_TRUE(session.LoopRunning());
        EXPECT_FALSE(session.Start());
        EXPECT_FALSE(session.MayClose(7));
        EXPECT_TRUE(gState.PreviewStopRequested) << "the loop is told to stop";
        EXPECT_TRUE(closes.empty());
      },
      [&](int result) { closes.push_back(result); });
  EXPECT_EQ(closes, std::vector<int>{7});
  EXPECT_FALSE(session.LoopRunning());
  EXPECT_TRUE(session.MayClose(3)) << "no loop: the window closes at once";
  session.Run([] {}, [&](int result) { closes.push_back(result); });
  EXPECT_EQ(closes.size(), 1u) << "a close made at once is not made again";
  EXPECT_TRUE(session.Stop());
  EXPECT_FALSE(session.Showing());
  EXPECT_FALSE(session.Stop()) << "the controls are restored once";
}

// The profile picture: both halves alike, as wide as its 2-pixel margins allow, and as
// tall as the picture allows (3 pixels short of its half height).
TEST_F(DialogForms, ProfileOutlineFillsThePictureSymmetrically) {
  constexpr int kWidth = 96, kHeight = 44;
  for (int profile = 0; profile < 7; ++profile) {
    const std::vector<OutlinePoint> points = ProfileOutline(profile, kWidth, kHeight);
    ASSERT_FALSE(points.empty()) << profile;
    int top = kHeight, bottom = 0, left = kWidth, right = 0;
    std::set<std::pair<int, int>> lit;
    for (const OutlinePoint& p : points) {
      EXPECT_TRUE(p.x >= 2 && p.x < kWidth - 1 && p.y >= 0 && p.y < kHeight) << profile << ": " << p.x << "," << p.y;
      top = std::min(top, p.y);
      bottom = std::max(bottom, p.y);
      left = std::min(left, p.x);
      right = std::max(right, p.x);
      lit.insert({p.x, p.y});
    }
    EXPECT_EQ(top, 3) << profile;
    EXPECT_EQ(bottom, kHeight - 3) << profile;
    EXPECT_EQ(left, 2) << profile;
    EXPECT_EQ(right, kWidth - 2) << profile;
    for (const auto& [x, y] : lit) EXPECT_TRUE(lit.count({kWidth - x, y})) << profile << ": " << x << "," << y;
  }
  EXPECT_TRUE(ProfileOutline(0, 4, 44).empty()) << "no room for a half";
}

TEST_F(DialogForms, SoundEditsSurviveChoosingAnotherItem) {
  Put("SoundFX", "SoundFX_ON", "1");
  Put("SoundFX", "Fire_Twister", "/s/twist.wav");
  SoundForm form;
  form.Load();
  EXPECT_TRUE(form.SoundOn());
  EXPECT_EQ(form.Selected(), -1);
  EXPECT_EQ(form.Select(0, "ignored while nothing is selected"), "");
  EXPECT_EQ(form.File(0), "");
  EXPECT_EQ(form.Select(7, "  /s/launch.wav "), "/s/twist.wav");
  EXPECT_EQ(form.File(0), "/s/launch.wav");
  EXPECT_EQ(form.Select(0, "/s/new-twist.wav"), "/s/launch.wav");
  form.SetSoundOn(false);
  const auto writes = form.Writes("/s/launch2.wav");
  ASSERT_EQ(writes.size(), 10u);
  EXPECT_EQ(writes[0], std::make_pair(std::string("SoundFX_ON"), std::string("0")));
  EXPECT_EQ(writes[1], std::make_pair(std::string("Fire_Launch"), std::string("/s/launch2.wav")));
  EXPECT_EQ(writes[8], std::make_pair(std::string("Fire_Twister"), std::string("/s/new-twist.wav")));
  EXPECT_EQ(writes[9].first, "Fire_DecayStar");
  form.Save("/s/launch2.wav");
  EXPECT_EQ(GetSettingStr("SoundFX", "Fire_Twister", ""), "/s/new-twist.wav");
  EXPECT_EQ(GetSettingStr("SoundFX", "Fire_Launch", ""), "/s/launch2.wav");
  EXPECT_EQ(GetSettingStr("SoundFX", "SoundFX_ON", ""), "0");

  // A window abandoned without Save leaves the store alone.
  SoundForm other;
  other.Load();
  other.Select(3, "");
  other.Select(4, "/s/jet.wav");
  EXPECT_EQ(GetSettingStr("SoundFX", "Fire_JetBurst", "unset"), "");
}

TEST_F(DialogForms, SoundNotesAreFiveCrLfLines) {
  const std::string notes = SoundNotesText();
  EXPECT_EQ(notes.rfind("1.  The sound files are located in your ", 0), 0u);
  size_t lines = 1;
  for (size_t at = notes.find("\r\n"); at != std::string::npos; at = notes.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, 5u);
  EXPECT_NE(notes.find("\r\n4.  You can create and/or use your own sound files."), std::string::npos);
}

TEST_F(DialogForms, HelpContextsMapToPagesAndAnchors) {
  struct Case { int context; std::string page, anchor; };
  for (const Case& c : {Case{450, "sounds.html", "sounds"}, Case{kHelpAdvanced, "advanced.html", "advanced"},
                        Case{kHelpContents, "index.html", "contents"}, Case{kHelpCredits, "about.html", "credits"},
                        Case{12345, "index.html", "contents"}}) {
    const HelpTopic topic = HelpTopicFor(c.context);
    EXPECT_EQ(topic.page, c.page) << c.context;
    EXPECT_EQ(topic.anchor, c.anchor) << c.context;
  }
}

#ifdef PYXORA_SOURCE_HELP
TEST_F(DialogForms, EveryHelpTopicHasItsPageAndAnchor) {
  const std::filesystem::path folder = PYXORA_SOURCE_HELP;
  if (!std::getenv("PYXORA_HELP_DIR")) {
    EXPECT_EQ(FindHelpFolder("/nonexistent/bin"), folder);
  }
  // A folder tried first wins over the usual places, but only when it holds the pages.
  testing::TempFolder empty, own;
  std::ofstream(own.Path() / "index.html") << "<html></html>";
  EXPECT_EQ(FindHelpFolder("/nonexistent/bin", {empty.Path(), own.Path()}), own.Path());
  for (const HelpTopic& topic : HelpTopics()) {
    std::ifstream file(folder / topic.page);
    ASSERT_TRUE(file) << topic.page;
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find(std::string("id=\"") + topic.anchor + "\""), std::string::npos) << topic.page << '#'
                                                                                         << topic.anchor;
  }
}
#endif

TEST_F(DialogForms, DiagnosticsFigures) {
  EXPECT_EQ(StoreWriteTest(), "OK");
  Store().SetReadOnly(true);  // the earlier "OK" stays in the store
  EXPECT_EQ(StoreWriteTest(), "");

  EXPECT_EQ(DisplayColours(24), 16777216);
  EXPECT_EQ(DisplayColours(32), int64_t{1} << 31);
  EXPECT_EQ(DisplayColours(1), 2);
  EXPECT_EQ(DisplayColours(0), 1);

  testing::TempFolder folder;
  std::ofstream(folder.Path() / "os-release") << "NAME=X\nPRETTY_NAME=\"Test Linux 9\"\n";
  const std::string os = OperatingSystemText((folder.Path() / "os-release").string());
  EXPECT_EQ(os.rfind("Linux ", 0), 0u);
  EXPECT_NE(os.find(" (Test Linux 9)"), std::string::npos);

  Canvas canvas(100, 80);
  EXPECT_GT(DrawTestCircle(canvas), 200);
  // On the circle (radius 32 around 50,40), nothing at the centre or in the corner.
  EXPECT_EQ(canvas.GetPixel(50, 8), RgbColor(255, 255, 255));
  EXPECT_EQ(canvas.GetPixel(82, 40), RgbColor(255, 255, 255));
  EXPECT_EQ(canvas.GetPixel(50, 40), 0u);
  EXPECT_EQ(canvas.GetPixel(0, 0), 0u);
}

TEST_F(DialogForms, MiniaturesRunTheirFramesInOrderUntilStopped) {
  // Whatever the last display left behind, a miniature runs with the fixed values.
  gState.PerfMult = 3.0f;
  gState.FrameDelay = 5;
  gColorSettings = {7, 8, 9, 50, 10, 200, 33};
  SetUpViewport(gViewport, 10, 10, 5.0f);
  HueWheel.fill(0);
  Canvas canvas(160, 100);
  RunAboutMiniature(1, canvas);
  EXPECT_EQ(host_.presented, kMiniatureFrames);
  EXPECT_GT(canvas.CountLitPixels(), 0u);
  EXPECT_EQ(gState.FrameDelay, 32);
  EXPECT_FLOAT_EQ(gState.PerfMult, 1.0f);
  EXPECT_EQ(gState.CycleFrameLimit, 0);  // what runs next is not cut short
  EXPECT_FLOAT_EQ(gViewport.FocalLength, 1.0f);
  EXPECT_EQ(gViewport.Width, 160);
  const ColorSettings c = gColorSettings;
  EXPECT_EQ(std::vector<int>({c.ColorRed, c.ColorGrn, c.ColorBlu, c.ColorPctInt, c.ColorPctHue, c.ColorHueWheel,
                              c.HueStart}),
            std::vector<int>({100, 100, 100, 0, 100, 60, 33}));
  EXPECT_EQ(HueWheel[33], HueToRgb(33, 55, 100, 100, 100)) << "the wheel is rebuilt from those values";

  std::vector<int> order, startFrames;
  host_.presented = 0;
  Put("Advanced", "Adv_HueStart", "45");  // the window's colour load takes the stored hue start
  host_.onEvents = [&] {
    if (startFrames.size() == 3 && host_.presented >= startFrames[2] + 3) gState.StopRequested = true;
  };
  RunAboutMiniatures(canvas, [&](int which) {
    order.push_back(which);
    startFrames.push_back(host_.presented);
  });
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
  ASSERT_EQ(startFrames.size(), 3u);
  // About 1050 frames each: a run may finish its last shells or dissolve its stars.
  EXPECT_GE(startFrames[1] - startFrames[0], kMiniatureFrames);
  EXPECT_LE(startFrames[1] - startFrames[0], kMiniatureFrames + 200);
  EXPECT_EQ(startFrames[2] - startFrames[1], kMiniatureFrames);
  // Stops within a frame of the request.
  EXPECT_LE(host_.presented, startFrames[2] + 4);
  EXPECT_EQ(gState.Canvas, nullptr);
  EXPECT_EQ(gColorSettings.HueStart, 45);
}

}  // namespace
}  // namespace pyxora
