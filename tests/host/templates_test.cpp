#include "host/templates.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <random>
#include <sstream>

#include "host/first_run.h"
#include "settings/template_file.h"
#include "host/template_fixture.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

using testing::FileBytes;

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// What makes a file a template; the rest of a hand-written one follows it.
constexpr const char* kAdmin = "\r\n[Admin]\r\nProduct=Pyxora\r\n";

// The sections and keys of a template, in the order of the file.
const char* const kTemplateLayout[] = {
    "Admin Product Version Copyright",
    "Advanced FocalLength Adv_TimeDelay Adv_EffectFPC Adv_PerfMult Adv_PickPXRA Adv_HueStart LockMessage "
    "Adv_FontName Adv_FontSize Adv_FontHueV Adv_WinResize Adv_MouseMove",
    "SoundFX SoundFX_ON",
    "General AnimationType ColorRed ColorGrn ColorBlu",
    "PixelColor ColorPctInt ColorPctHue ColorHueWheel",
    "Fireworks FireWorks FireSparks FireLength FireSymmetry FireSpeed FirePersist FireGravity FireSizeDev "
    "FireDamping FireSplinePct FireSplineKnot FireScintPct FireScintStyle FireMultiPct FireMultiAge FireMultiBurst "
    "FireBurstPct FireBurstAge FireBurstCount FireBurstRadius FireLaunchPct FireLaunchPixel FireLaunchRadius "
    "FireLaunchSteps FireLaunchPersist FireSparkPct FireSparkAge FireSparkPix FireRingPct FireRingEmb FireRingDeg "
    "FireTwistPct FireTwistCnt FireTwistDeg FireTwistRad FireTwistExt FirePatternPct FireDecayPct FireDecayCnt "
    "FireDecayMSize FireDecayMLife FireMultiMoment FireBurstShell",
    "B-SplineWarp Warp_Works Warp_Sparks Warp_Length Warp_SplineIncs Warp_Speed Warp_Persist Warp_SizeDev "
    "Warp_Damping Warp_CyclePct Warp_Type Warp_HueLock",
    "B-SplineSpark B_Spline_Splines B_Spline_Pixels B_Spline_SSpeed B_Spline_ESpeed B_Spline_Persist "
    "B_Spline_Gravity B_Spline_Damping B_Spline_AntiGrav B_Spline_MaxExtent B_Spline_Symmetry",
    "GravityWell Grav_Emitters Grav_Attractors Grav_Pixels Grav_ESpeed Grav_Gravity Grav_ARadius Grav_TrailLength "
    "Grav_Refresh Grav_ColorMult Grav_StereoSep Grav_StereoHue Grav_ColorComp Grav_StereoOn",
    "Galaxy Galaxy_Stars Galaxy_Radius Galaxy_Rotation Galaxy_Distance Galaxy_Velocity Galaxy_Trail "
    "Galaxy_ColorMult Galaxy_NewFreq Galaxy_NewFrames Galaxy_NewExtMult Galaxy_NovaFreq Galaxy_NovaFrames "
    "Galaxy_NovaExtMult Galaxy_BurstFreq Galaxy_BurstStars Galaxy_BurstSpeed Galaxy_BurstPersist Galaxy_CometFreq "
    "Galaxy_CometStars Galaxy_CometOrbit Galaxy_CometSpeed Galaxy_CometSWind Galaxy_CometSPersist "
    "Galaxy_CometCPersist Galaxy_AmbStars Galaxy_AmbRadius Galaxy_AmbSymmetry Galaxy_AmbPersist Galaxy_AmbCAgeInc "
    "Galaxy_RadiusExp Galaxy_HeightExp Galaxy_GHW_Ratio Galaxy_AngleTilt Galaxy_AngleTInc Galaxy_HWheelIdx "
    "Galaxy_ColorComp Galaxy_Profile",
};

class Templates : public testing::TemplateTest {
 protected:
  std::string Stored(const std::string& section, const std::string& key) {
    return Store().Read(kUserRoot, SettingsKeyPath(section), key).value_or("<absent>");
  }
};

TEST_F(Templates, FileStartsWithAdminAndHoldsTheKeyLinesInOrderEachSectionAfterAnEmptyLine) {
  PropertiesModel props;
  ApplyFactoryDefaults(props);
  ASSERT_TRUE(SaveTemplate(props, File("night.pxt").string()));
  std::istringstream file(FileBytes(File("night.pxt")));
  std::string expected, line, word;
  int keyLines = 0;
  for (const char* section : kTemplateLayout) {
    std::istringstream words(section);
    words >> word;
    expected += "||[" + word + "]";
    while (words >> word) expected += "|" + word + "=", ++keyLines;
  }
  // Each line as written, its value cut off, and each line end checked.
  std::string seen;
  while (std::getline(file, line, '\n')) {
    ASSERT_EQ(line.back(), '\r') << line;
    seen += "|" + line.substr(0, line.find('=') == std::string::npos ? line.size() - 1 : line.find('=') + 1);
  }
  EXPECT_EQ(keyLines, 137);
  EXPECT_EQ(seen, expected);
  const std::string bytes = FileBytes(File("night.pxt"));
  EXPECT_EQ(bytes.substr(0, 27), "\r\n[Admin]\r\nProduct=Pyxora\r\n");
  for (const char* value : {"FirePersist=0.97\r", "FireGravity=0.015\r", "Adv_EffectFPC=0\r", "Warp_Type=4\r",
                            "FireMultiMoment=1\r", "AnimationType=0\r", "ColorHueWheel=60\r"})
    EXPECT_NE(bytes.find(std::string("\n") + value), std::string::npos) << value;
}

TEST_F(Templates, FactoryTemplateReadsBackIntoEveryFieldButTheStereoPairAndDesktopModeTurnsOff) {
  PropertiesModel factory;
  ApplyFactoryDefaults(factory);
  factory.SelectedEffect = 5;
  Put("Advanced", "Adv_DispBackG", "1");
  Put("Advanced", "Adv_TimeDelay", "25");
  ASSERT_TRUE(SaveTemplate(factory, File("a.pxt").string()));

  // Every field starts different from the factory value.
  PropertiesModel loaded = factory;
  loaded.SelectedEffect = 2;
  for (auto& [box, text] : loaded.Boxes) text = "77";
  for (auto& [name, on] : loaded.Checks) on = !on;
  for (auto& [name, index] : loaded.Lists) index = 9;
  Put("Advanced", "Adv_TimeDelay", "90");
  ASSERT_TRUE(LoadTemplate(loaded, File("a.pxt").string()).ok);

  PropertiesModel expected = factory;
  expected.SetText("txtGrav", 9, "77");
  expected.SetText("txtGrav", 10, "77");
  expected.Checks["chkGravStereo"] = !factory.Checks.at("chkGravStereo");
  EXPECT_EQ(loaded.SelectedEffect, 5);
  EXPECT_EQ(loaded.Boxes, expected.Boxes);
  EXPECT_EQ(loaded.Checks, expected.Checks);
  EXPECT_EQ(loaded.Lists, expected.Lists);
  EXPECT_EQ(Stored("Advanced", "Adv_TimeDelay"), "25");
  EXPECT_EQ(Stored("Advanced", "Adv_DispBackG"), "0");
  EXPECT_TRUE(gTemplate.TemplateText.empty());
}

TEST_F(Templates, AnEffectSelectionThatIsNoListEntryFromZeroLeavesTheSelection) {
  for (const auto& [text, expected] :
       std::vector<std::pair<std::string, int>>{{"3", 3}, {"-1", 4}, {"", 0}, {"x", 4}, {"6", 4}, {"5", 5}}) {
    WriteBytes(File("s.pxt"), kAdmin + ("\r\n[General]\r\nAnimationType=" + text + "\r\n"));
    PropertiesModel props;
    props.SelectedEffect = 4;
    ASSERT_TRUE(LoadTemplate(props, File("s.pxt").string()).ok);
    EXPECT_EQ(props.SelectedEffect, expected) << text;
  }
}

TEST_F(Templates, ImportStoresEveryKeyWithTheLoadersDefaultWhereTheFileLacksIt) {
  WriteBytes(File("part.pxt"), kAdmin + std::string("\r\n[Galaxy]\r\nGalaxy_Stars=5\r\n"));
  Put("Galaxy", "Galaxy_AmbPersist", "0.5");
  Put("Galaxy", "Galaxy_CometSWind", "17");
  Put("Advanced", "Adv_DispBackG", "1");
  Put("GravityWell", "Grav_StereoSep", "1234");
  ASSERT_TRUE(ImportTemplate(File("part.pxt").string()).ok);
  EXPECT_EQ(Stored("Galaxy", "Galaxy_Stars"), "5");
  EXPECT_EQ(Stored("Galaxy", "Galaxy_AmbPersist"), "0.998");
  EXPECT_EQ(Stored("Galaxy", "Galaxy_CometSWind"), "300");
  EXPECT_EQ(Stored("Fireworks", "FireSpeed"), "6");
  EXPECT_EQ(Stored("Advanced", "Adv_DispBackG"), "0");
  EXPECT_EQ(Stored("GravityWell", "Grav_StereoSep"), "1234");
  EXPECT_EQ(Stored("General", "AnimationType"), "0");
  EXPECT_EQ(gTemplate.TemplatePath, File("part.pxt").string());
  // Loaded into the window, a missing solar wind takes the same default.
  PropertiesModel props;
  ASSERT_TRUE(LoadTemplate(props, File("part.pxt").string()).ok);
  EXPECT_EQ(props.Text("txtGalaxy", 44), "300");
}

TEST_F(Templates, AFileThatCannotBeReadOrIsNoTemplateImportsNothingAndSaysWhy) {
  std::filesystem::create_directory(File("folder.pxt"));
#ifdef _WIN32
  const std::string deviceReason = "no such file";  // Windows has no /dev
#else
  const std::string deviceReason = "not a regular file";
#endif
  const std::string notTemplate = "not a Pyxora template";
  for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
           {"empty.pxt", ""},
           {"README.md", "# Pyxora\n\nA screen saver.\n"},
           {"other.pxt", "\r\n[Admin]\r\nProduct=Pyxoras\r\n[Galaxy]\r\nGalaxy_Stars=5\r\n"},
           {"elsewhere.pxt", "\r\n[Galaxy]\r\nProduct=Pyxora\r\nGalaxy_Stars=5\r\n"}})
    WriteBytes(File(name), bytes);
  for (const auto& [path, reason] : std::vector<std::pair<std::string, std::string>>{
           {File("missing.pxt").string(), "no such file"}, {File("folder.pxt").string(), "it is a folder"},
           {"/dev/null", deviceReason}, {"", "no file named"}, {File("empty.pxt").string(), notTemplate},
           {File("README.md").string(), notTemplate}, {File("other.pxt").string(), notTemplate},
           {File("elsewhere.pxt").string(), notTemplate}}) {
    Put("Galaxy", "Galaxy_Stars", "123");
    const TemplateReadResult imported = ImportTemplate(path);
    EXPECT_FALSE(imported.ok);
    EXPECT_EQ(imported.error, reason) << path;
    PropertiesModel props;
    EXPECT_FALSE(LoadTemplate(props, path).ok);
    EXPECT_TRUE(props.Boxes.empty());
    ASSERT_EQ(Store().Snapshot(kUserRoot).Sections().size(), 1u) << path;
    EXPECT_TRUE(gTemplate.TemplateText.empty()) << path;
  }
  WriteBytes(File("good.pxt"), kAdmin);
  Store().SetReadOnly(true);
  EXPECT_EQ(ImportTemplate(File("good.pxt").string()).error, "the store is read-only");
}

TEST_F(Templates, ReaderQuirks) {
  const std::string text =
      "\r\n[general]\r\nColorRed=1\r\n"
      "\r\n[General\\Main]\r\nColorGrn=2\r\n"
      "\r\n[Advanced]\r\nLockMessage=Hi Adv_FontSize=9\r\nAdv_FontSize=30\r\nAdv_FontName=A[b]\r\nAdv_FontHueV=7\r\n"
      "\r\n[PixelColor]\nColorPctInt=5\nColorPctHue=6\rColorHueWheel=7\r"
      "\r\n[SoundFX]\r\nSoundFX_ON=1";
  WriteBytes(File("q.pxt"), text);
  gTemplate.TemplatePath = File("q.pxt").string();
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  for (const Case& c : std::vector<Case>{
           {"General", "ColorRed", "d"},         // headers match case-sensitively
           {"General", "ColorGrn", "d"},         // "[General\Main]" is another section
           {"Advanced", "Adv_FontSize", "9"},    // a key is found anywhere in its section
           {"Advanced", "Adv_FontName", "d"},    // "[" in a value ends the section there...
           {"Advanced", "Adv_FontHueV", "d"},    // ...so later keys read their defaults
           {"SoundFX", "SoundFX_ON", "d"},       // the last line needs a line end
           {"PixelColor", "ColorPctInt", "5"},   // a line feed alone ends a line...
           {"PixelColor", "ColorPctHue", "6"},   // ...and so does a carriage return
           {"Advanced", "LockMessage", "Hi Adv_FontSize=9"},
       })
    EXPECT_EQ(ReadTemplateValue(c.section, c.key, "d"), c.expected) << c.key;
  // The cache holds the text: the file is not read again until it is emptied.
  std::filesystem::remove(File("q.pxt"));
  EXPECT_EQ(ReadTemplateValue("Advanced", "Adv_FontSize", "d"), "9");
  ClearTemplateCache();
  EXPECT_EQ(ReadTemplateValue("Advanced", "Adv_FontSize", "d"), "d");
  WriteBytes(File("q.pxt"), text);  // a file that could not be read is tried again
  EXPECT_EQ(ReadTemplateValue("Advanced", "Adv_FontSize", "d"), "9");
}

TEST_F(Templates, ReaderSurvivesArbitraryBytesAndGivesDefaultsWhereNothingParses) {
  std::mt19937 random(12345);
  int defaults = 0, reads = 0;
  for (int round = 0; round < 120; ++round) {
    std::string bytes(random() % 600, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 256);
    bytes = kAdmin + (round % 3 == 0 ? "\r\n[Galaxy]\r\n" + bytes : bytes);
    if (round % 5 == 0) bytes += "[";
    WriteBytes(File("f.pxt"), bytes);
    PropertiesModel props;
    ASSERT_TRUE(ImportTemplate(File("f.pxt").string()).ok);
    ASSERT_TRUE(LoadTemplate(props, File("f.pxt").string()).ok);
    ++reads;
    if (Stored("Galaxy", "Galaxy_Stars") == "5000") ++defaults;
  }
  EXPECT_EQ(defaults, reads);
}

TEST_F(Templates, AValueKeepsToItsLineAndAFailedSaveLeavesNoFileBehind) {
  PropertiesModel props;
  std::filesystem::create_directory(File("taken.pxt"));
  EXPECT_FALSE(SaveTemplate(props, File("taken.pxt").string()));
  EXPECT_EQ(gTemplate.LastWriteError, "it is a folder");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()), {}), 1);
  Put("Advanced", "LockMessage", "line one\nFireWorks=99");
  ASSERT_TRUE(SaveTemplate(props, File("t.pxt").string()));
  EXPECT_NE(FileBytes(File("t.pxt")).find("\r\nLockMessage=line one FireWorks=99\r\n"), std::string::npos);
}

TEST_F(Templates, ABoxIsSavedClampedToItsRangeAsLeavingItWouldClampIt) {
  PropertiesModel props;
  ApplyFactoryDefaults(props);
  props.SetText("txtFire", 0, "1e400");  // whole, 1..99
  props.SetText("txtFire", 5, "1e400");  // decimal, 0.25..0.99
  props.SetText("txtFire", 7, "");       // whole, 1..999
  props.SetText("txtPixCol", 0, "90");   // the two percentages share 100
  props.SetText("txtPixCol", 1, "30");
  ASSERT_TRUE(SaveTemplate(props, File("c.pxt").string()));
  const std::string bytes = FileBytes(File("c.pxt"));
  for (const char* line : {"\nFireWorks=99\r", "\nFirePersist=0.99\r", "\nFireSizeDev=1\r", "\nColorPctInt=70\r",
                           "\nColorPctHue=30\r"})
    EXPECT_NE(bytes.find(line), std::string::npos) << line;
}

TEST_F(Templates, AWriterKilledHalfWayLeavesThePreviousTemplateIntact) {
  const std::string path = File("keep.pxt").string();
  WriteBytes(path, "\r\n[Admin]\r\nProduct=Pyxora\r\nold=1\r\n");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::execl(TEMPLATE_WRITER_PATH, TEMPLATE_WRITER_PATH, path.c_str(), "70", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGKILL);
  EXPECT_EQ(FileBytes(path), "\r\n[Admin]\r\nProduct=Pyxora\r\nold=1\r\n");
  // The same writer left to finish replaces it.
  ASSERT_EQ(std::system((std::string(TEMPLATE_WRITER_PATH) + " '" + path + "' 0").c_str()), 0);
  const std::string done = FileBytes(path);
  EXPECT_EQ(done.find("old=1"), std::string::npos);
  EXPECT_NE(done.find("\r\nGalaxy_Profile=0\r\n"), std::string::npos);
}

}  // namespace
}  // namespace pyxora
