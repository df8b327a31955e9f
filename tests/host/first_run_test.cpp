#include "host/first_run.h"

#include <cstdlib>
#include <functional>
#include <tuple>

#include "effects/effect_table.h"
#include "host/templates.h"
#include "settings/general_settings.h"
#include "settings/template_file.h"
#include "settings/user_message.h"
#include "support/test_support.h"

namespace pyxora {
namespace {

class FirstRun : public testing::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    gTemplate = TemplateState{};
    ::setenv("PYXORA_DATA_HOME", (data_.Path() / "data").c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("PYXORA_DATA_HOME");
    gTemplate = TemplateState{};
    CoreTest::TearDown();
  }
  void PutMachine(const std::string& section, const std::string& key, const std::string& value) {
    ASSERT_TRUE(Store().Write(kMachineRoot, SettingsKeyPath(section), key, value));
  }
  std::optional<std::string> User(const std::string& section, const std::string& key) {
    return Store().Read(kUserRoot, SettingsKeyPath(section), key);
  }
  size_t UserKeyCount() {
    size_t n = 0;
    const SettingsDocument stored = Store().Snapshot(kUserRoot);
    for (const SettingsSection& section : stored.Sections()) n += section.values.size();
    return n;
  }
  testing::TempFolder data_;
};

TEST_F(FirstRun, MigrationCopiesEveryListedKeyOnceWithTheMachineSelectionLast) {
  PutMachine("General", "AnimationType", "5");
  PutMachine("Galaxy", "Galaxy_Stars", "777");
  PutMachine("Advanced", "LockMessage", "hello");
  PutMachine("General\\Main", "WindowSize", "01200009000960007200");
  MigrateSettings();
  // 2 placement, 3 + 3 colour, 14 Advanced, 43 + 11 + 10 + 13 + 37 effect keys, AnimationType.
  EXPECT_EQ(UserKeyCount(), 2u + 6 + 14 + 114 + 1);
  for (const auto& [section, key, value] : std::vector<std::tuple<const char*, const char*, const char*>>{
           {"General", "AnimationType", "5"}, {"Galaxy", "Galaxy_Stars", "777"}, {"Advanced", "LockMessage", "hello"},
           {"General\\Main", "WindowSize", "01200009000960007200"}, {"General\\Main", "WindowState", "0"},
           {"Advanced", "Adv_EffectFPC", "1000"}, {"Advanced", "Adv_PxraCycle", "0"},
           {"GravityWell", "Grav_StereoSep", "250"}, {"GravityWell", "Grav_StereoHue", "180"},
           {"B-SplineWarp", "Warp_Type", "4"}, {"B-SplineSpark", "B_Spline_Symmetry", "1"},
           {"Galaxy", "Galaxy_AmbPersist", "0.998"}})
    EXPECT_EQ(User(section, key), value) << key;
  EXPECT_FALSE(User("SoundFX", "SoundFX_ON"));

  // A second start copies nothing.
  PutMachine("General", "AnimationType", "2");
  PutMachine("Galaxy", "Galaxy_Stars", "1");
  MigrateSettings();
  EXPECT_EQ(User("General", "AnimationType"), "5");
  EXPECT_EQ(User("Galaxy", "Galaxy_Stars"), "777");
}

TEST_F(FirstRun, MigrationNeedsANumericMachineSelectionAndNoUserSelection) {
  PutMachine("Galaxy", "Galaxy_Stars", "777");
  for (const char* machine : {"", "abc"}) {
    if (*machine) PutMachine("General", "AnimationType", machine);
    MigrateSettings();
    EXPECT_EQ(UserKeyCount(), 0u);
  }
  PutMachine("General", "AnimationType", "3");
  Put("General", "AnimationType", "1");
  MigrateSettings();
  EXPECT_EQ(UserKeyCount(), 1u);
}

TEST_F(FirstRun, FactoryResetSetsTheFieldsAndWritesAdvancedAndSoundAtOnce) {
  Put("Advanced", "Adv_EffectFPC", "500");
  Put("Advanced", "Adv_DispBackG", "1");
  Put("Advanced", "Adv_PxraCycle", "1");
  Put("SoundFX", "SoundFX_ON", "1");
  PropertiesModel props;
  props.SelectedEffect = 3;
  props.SetText("txtFire", 0, "50");
  EXPECT_FALSE(ConfirmFactoryReset(props, [](const char*) { return false; }));  // No changes nothing
  EXPECT_EQ(props.Text("txtFire", 0), "50");
  EXPECT_EQ(User("Advanced", "Adv_EffectFPC"), "500");
  EXPECT_TRUE(ConfirmFactoryReset(props, [](const char*) { return true; }));
  EXPECT_EQ(props.SelectedEffect, 0);
  EXPECT_EQ(User("Advanced", "Adv_EffectFPC"), "0");  // the migration's default is 1000
  EXPECT_EQ(User("Advanced", "Adv_DispBackG"), "0");
  EXPECT_EQ(User("Advanced", "Adv_PxraCycle"), "1");
  EXPECT_EQ(User("SoundFX", "SoundFX_ON"), "0");
  for (const auto& [array, index, text] : std::vector<std::tuple<const char*, int, const char*>>{
           {"txtFire", 0, "12"}, {"txtPixHue", 2, "100"}, {"txtPixCol", 2, "60"}, {"txtFire", 5, "0.97"},
           {"txtFire", 53, "80"}, {"txtGalaxy", 63, "0.998"}, {"txtWarp", 8, "100"}})
    EXPECT_EQ(props.Text(array, index), text) << array << index;
  EXPECT_TRUE(props.Checked("chkJetBurst") && props.Checked("chkSplineSym"));
  EXPECT_FALSE(props.Checked("chkGravStereo"));
  EXPECT_EQ(props.Lists, (std::map<std::string, int>{
                             {"cboWarpType", 4}, {"cboGravColor", 1}, {"cboGalColor", 3}, {"cboGalProfile", 0}}));

  // The effect values reach the store when the window is accepted, and read back the same.
  EXPECT_FALSE(User("Fireworks", "FirePersist"));
  ASSERT_TRUE(SaveSettingsFromProperties(props));
  EXPECT_EQ(User("Fireworks", "FireBurstShell"), "1");
  PropertiesModel reloaded;
  LoadPropertiesFromStore(reloaded);
  EXPECT_EQ(reloaded.Boxes, props.Boxes);
  EXPECT_EQ(reloaded.Checks, props.Checks);
  EXPECT_EQ(reloaded.Lists, props.Lists);

  // A store that refuses writes is named to the user and stores nothing.
  std::string told;
  SetUserMessageHandler([&](UserMessageKind, std::string_view, std::string_view text) { told = text; });
  auto readOnly = std::make_unique<MemoryStore>();
  readOnly->SetReadOnly(true);
  SetCurrentStore(std::move(readOnly));
  EXPECT_FALSE(SaveSettingsFromProperties(props));
  SetUserMessageHandler(nullptr);
  EXPECT_EQ(told, kReadOnlyStoreMessage);
}

TEST_F(FirstRun, WelcomeShowsOnceThenTheStoreOrTheFactoryValuesFillTheWindow) {
  int shown = 0;
  auto close = [&](bool) { ++shown; return false; };
  PropertiesModel props;
  RunFirstRunLogic(props, close);  // a fresh user: welcome, then factory values
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(User("General", "ResetSettings"), "1");
  EXPECT_EQ(props.Text("txtFire", 0), "12");
  EXPECT_FALSE(User("General", "AnimationType"));

  PropertiesModel second;  // never accepted: the factory values reach the store now
  RunFirstRunLogic(second, close);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(User("General", "AnimationType"), "0");
  EXPECT_EQ(User("Fireworks", "FireWorks"), "12");

  Put("Fireworks", "FireWorks", "40");
  PropertiesModel third;
  RunFirstRunLogic(third, close);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(third.Text("txtFire", 0), "40");
}

TEST_F(FirstRun, WelcomeResetBacksUpTheWholeStoreAsATemplateFirst) {
  Put("General", "AnimationType", "5");
  Put("Galaxy", "Galaxy_Stars", "1234");
  Put("Advanced", "Adv_TimeDelay", "25");
  bool earlier = false;
  PropertiesModel props;
  const WelcomeOutcome outcome = WelcomeFlow(props, [&](bool e) { earlier = e; return true; });
  EXPECT_TRUE(earlier);
  ASSERT_TRUE(outcome.reset && outcome.backupWritten);
  EXPECT_EQ(outcome.backupPath, data_.Path() / "data" / "propsave.pxt");
  EXPECT_EQ(gTemplate.TemplatePath, outcome.backupPath.string());
  EXPECT_EQ(props.Text("txtGalaxy", 0), "5000");
  EXPECT_EQ(User("Advanced", "Adv_TimeDelay"), "40");

  // The promise of the welcome text: File, Open Template brings the settings back.
  PropertiesModel restored;
  ASSERT_TRUE(LoadTemplate(restored).ok);
  EXPECT_EQ(restored.SelectedEffect, 5);
  EXPECT_EQ(restored.Text("txtGalaxy", 0), "1234");
  EXPECT_EQ(User("Advanced", "Adv_TimeDelay"), "25");
}

TEST_F(FirstRun, AResetWhoseBackupCannotBeWrittenResetsNothingAndSaysWhy) {
  ::setenv("PYXORA_DATA_HOME", "/proc/no-such-folder", 1);
  Put("General", "AnimationType", "2");
  Put("Advanced", "Adv_TimeDelay", "25");
  Put("Galaxy", "Galaxy_Stars", "1234");
  PropertiesModel props;
  std::string told;
  SetUserMessageHandler([&](UserMessageKind, std::string_view, std::string_view text) { told = text; });
  const WelcomeOutcome outcome = WelcomeFlow(props, [](bool) { return true; });
  SetUserMessageHandler(nullptr);
  // The system's own separator joins the file to the folder.
  const std::string backup = (std::filesystem::path("/proc/no-such-folder") / "propsave.pxt").string();
  EXPECT_EQ(told, std::string(kResetDroppedMessage) + backup + ": no such folder.");
  EXPECT_FALSE(outcome.reset);
  EXPECT_FALSE(outcome.backupWritten);
  EXPECT_EQ(User("Advanced", "Adv_TimeDelay"), "25");
  EXPECT_EQ(props.Text("txtGalaxy", 0), "1234");
  EXPECT_TRUE(gTemplate.TemplatePath.empty());
}

// An import, Accept, the migration and the factory reset each reach the store in one
// write, so a kill or a full disk leaves all of a set or none of it.
TEST_F(FirstRun, EveryWholeSetOfSettingsReachesTheStoreInOneWrite) {
  struct Counting : MemoryStore {
    int writes = 0;
    bool Write(int16_t root, std::string_view path, std::string_view name, std::string_view value) override {
      writes += 1000;
      return MemoryStore::Write(root, path, name, value);
    }
    StoreWriteResult WriteBatch(int16_t root, const std::vector<StoreValue>& values) override {
      ++writes;
      return MemoryStore::WriteBatch(root, values);
    }
  };
  const std::string look = (data_.Path() / "look.pxt").string();
  ASSERT_TRUE(SaveTemplate(PropertiesModel{}, look));
  PropertiesModel props;
  for (const auto& [what, run, writes] : std::vector<std::tuple<const char*, std::function<void()>, int>>{
           {"import", [&] { ImportTemplate(look); }, 1},
           {"accept", [&] { SaveSettingsFromProperties(props); }, 1001},  // and the write test
           {"migration", [&] { MigrateSettings(); }, 1},
           {"factory reset", [&] { ApplyFactoryDefaults(props); }, 1}}) {
    auto store = std::make_unique<Counting>();
    store->MemoryStore::Write(kMachineRoot, SettingsKeyPath("General"), "AnimationType", "3");
    const int& counted = store->writes;
    SetCurrentStore(std::move(store));
    run();
    EXPECT_EQ(counted, writes) << what;
  }
}

}  // namespace
}  // namespace pyxora
